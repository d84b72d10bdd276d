#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs COMMAND on the X display and succeeds once it has mapped a top-level
# window titled TITLE, or TITLE followed by a blank and more (the caption
# naming the file: "TAMSOR – SCHOOL.DAT"); the program is then ended. Fails
# with status 2 when the program ends first, 1 when no such window appears
# within SECONDS.
#   window_shown.sh TITLE SECONDS COMMAND [ARGUMENT...]
set -u
title=$1 seconds=$2
shift 2
"$@" &
program=$!
for ((tenth = 0; tenth < seconds * 10; ++tenth)); do
    for window in $(xwininfo -root -tree | awk -v name="\"$title" '{
            at = index($0, name)
            next_char = substr($0, at + length(name), 1)
            if (at > 0 && (next_char == "\"" || next_char == " ")) print $1
        }'); do
        if xwininfo -id "$window" | grep -q 'Map State: IsViewable'; then
            kill "$program"
            wait "$program"
            exit 0
        fi
    done
    kill -0 "$program" 2>/dev/null || exit 2
    sleep 0.1
done
kill "$program"
exit 1
