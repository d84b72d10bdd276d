#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The package's changelog and the metainfo's releases written from a
# CHANGELOG.md that holds what Keep a Changelog allows: an introduction, an
# [Unreleased] section, groups, entries that go on over lines and have
# details, Markdown marks and links, a version without groups, one without
# entries, link definitions. Checked byte for byte against the Debian
# changelog written by hand.
#   release_notes_test.sh CMAKE RELEASE_NOTES_SCRIPT
set -euo pipefail
cmake=$1 script=$2

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cat >"$scratch/CHANGELOG.md" <<'MARKDOWN'
# Changelog

Notable changes, in the format of [Keep a Changelog](https://keepachangelog.com).

## [Unreleased]

### Added

- A tolerance for the Least spread grouping; its figures in `tamsor-batch
  --format json` [as described](https://example.org/x) and **bold**.
  - One detail of it.

## [1.1.0] - 2028-02-29

- An entry outside any group, long enough that it must be wrapped after the 80
  columns of a line, [YANKED] or not.

## [1.0.0] - 2027-01-01

[Unreleased]: https://example.org/compare/v1.1.0...HEAD
[1.1.0]: https://example.org/compare/v1.0.0...v1.1.0
MARKDOWN
printf '<releases>\n    @releases@\n</releases>\n' >"$scratch/metainfo.in"

# VERSION the version being prepared; the build's date from SOURCE_DATE_EPOCH
# (2026-01-01 00:00:00 UTC).
release_notes() {
    SOURCE_DATE_EPOCH=1767225600 "$cmake" -DCHANGELOG="$scratch/CHANGELOG.md" -DPACKAGE=tamsor \
        -DVERSION="$1" "-DMAINTAINER=Ann Example <ann@example.org>" \
        -DDEBIAN_CHANGELOG="$scratch/changelog.gz" -DMETAINFO_IN="$scratch/metainfo.in" \
        -DMETAINFO="$scratch/metainfo.xml" -P "$script" 2>"$scratch/messages"
}

released='tamsor (1.1.0) unstable; urgency=medium

  * An entry outside any group, long enough that it must be wrapped after the 80
    columns of a line, [YANKED] or not.

 -- Ann Example <ann@example.org>  Tue, 29 Feb 2028 12:00:00 +0000

tamsor (1.0.0) unstable; urgency=medium

  * No changes noted.

 -- Ann Example <ann@example.org>  Fri, 01 Jan 2027 12:00:00 +0000'

# A new version: the unreleased changes are its entry, on top.
release_notes 2.0.0 || fail "2.0.0: $(cat "$scratch/messages")"
expected="tamsor (2.0.0) UNRELEASED; urgency=medium

  * Added:
    - A tolerance for the Least spread grouping; its figures in tamsor-batch
      --format json as described and bold.
      + One detail of it.

 -- Ann Example <ann@example.org>  Thu, 01 Jan 2026 00:00:00 +0000

$released"
diff -u <(echo "$expected") <(zcat "$scratch/changelog.gz") || fail "the changelog of 2.0.0"
diff -u - "$scratch/metainfo.xml" <<'XML' || fail "the metainfo's releases"
<releases>
    <release version="1.1.0" date="2028-02-29"/>
    <release version="1.0.0" date="2027-01-01"/>
</releases>
XML

# A released version: the unreleased changes wait for the next one, and the
# build says so.
release_notes 1.1.0 || fail "1.1.0: $(cat "$scratch/messages")"
diff -u <(echo "$released") <(zcat "$scratch/changelog.gz") || fail "the changelog of 1.1.0"
grep -q 'version 1.1.0 is released already' "$scratch/messages" ||
    fail "no word of the unreleased changes left out: $(cat "$scratch/messages")"

# A version without its date is refused.
sed -i 's/^## \[1.0.0\] - 2027-01-01$/## [1.0.0]/' "$scratch/CHANGELOG.md"
if release_notes 2.0.0; then fail "a version without a date was taken"; fi
grep -q 'version 1.0.0 has no date' "$scratch/messages" || fail "$(cat "$scratch/messages")"
echo "release notes: the changelogs of 2.0.0 and 1.1.0 as written by hand"
