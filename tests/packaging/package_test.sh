#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package made by cpack from this build tree, unpacked into a
# throw-away root and used there as an engineer would use an installed TAMSOR:
# its dependencies, every file at its place, the menu entry, the data files'
# type, the icons and manual pages, tamsor-batch on a sample building, the
# program's --help and --version without a display, and the program started by
# the menu entry's command with a sample, its window shown under Xvfb. And
# what Debian's policy asks of it: the licence and the changelog, the
# maintainer, the metainfo for software centres, the hardened binaries.
#   package_test.sh CPACK BUILD_DIR SOURCE_DIR VERSION LIBDIR MAINTAINER
set -euo pipefail
cpack=$1 build=$2 source=$3 version=$4 libdir=$5 maintainer=$6
examples=$source/examples

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# The package, as scripts/package makes it, but from this build's configuration.
(cd "$build" && "$cpack" -G DEB -B "$scratch/package" >"$scratch/cpack.log" 2>&1) ||
    fail "cpack: $(cat "$scratch/cpack.log")"
deb=$scratch/package/tamsor_${version}_$(dpkg --print-architecture).deb
[[ -f $deb ]] || fail "no package $deb"

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 libqt6charts6 qt6-qpa-plugins libstdc++6; do
    [[ $depends == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done

# Exactly these files, at Debian's places under /usr.
{
    echo usr/bin/tamsor
    echo usr/bin/tamsor-batch
    echo "usr/$libdir/tamsor/libvorbeck1.so"
    echo usr/share/applications/tamsor.desktop
    echo usr/share/doc/tamsor/changelog.gz
    echo usr/share/doc/tamsor/copyright
    for size in 16 22 24 32 48 64 128 256; do
        echo "usr/share/icons/hicolor/${size}x${size}/apps/tamsor.png"
    done
    echo usr/share/man/man1/tamsor-batch.1.gz
    echo usr/share/man/man1/tamsor.1.gz
    echo usr/share/metainfo/io.github.tamsor.Tamsor.metainfo.xml
    echo usr/share/mime/packages/tamsor.xml
    for sample in "$examples"/*.DAT "$examples"/*.csv "$examples"/README.md; do
        echo "usr/share/tamsor/examples/$(basename "$sample")"
    done
} | LC_ALL=C sort >"$scratch/expected"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { sub(/^\.\//, "", $6); print $6 }' | LC_ALL=C sort \
    >"$scratch/packaged"
diff -u "$scratch/expected" "$scratch/packaged" || fail "the package's files differ"

root=$scratch/root
dpkg -x "$deb" "$root"
usr=$root/usr

# The licence: the project's LICENSE is the GPL version 3 that the
# machine-readable copyright file names for every file.
doc=$usr/share/doc/tamsor
head -n 1 "$doc/copyright" |
    grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    fail "copyright: not machine-readable"
grep -A2 -x 'Files: \*' "$doc/copyright" | grep -qx 'License: GPL-3+' ||
    fail "copyright: no GPL-3+ for every file"
grep -q '"/usr/share/common-licenses/GPL-3"' "$doc/copyright" ||
    fail "copyright: no pointer to Debian's copy of the licence"
if [[ -f /usr/share/common-licenses/GPL-3 ]]; then
    cmp -s "$source/LICENSE" /usr/share/common-licenses/GPL-3 ||
        fail "LICENSE is not the GPL version 3 that the copyright file names"
fi

# The changelog: as dpkg reads it, of this version, signed by the maintainer
# the package names, compressed at the most, no change over 80 columns.
[[ $(dpkg-deb -f "$deb" Maintainer) == "$maintainer" ]] ||
    fail "Maintainer is $(dpkg-deb -f "$deb" Maintainer), not $maintainer"
[[ $maintainer != *@localhost* ]] || fail "the maintainer's address is @localhost"
changelog=$doc/changelog.gz
# gzip's extra flags byte: 2 for the best compression.
[[ $(od -An -tu1 -j8 -N1 "$changelog") -eq 2 ]] || fail "changelog.gz: not compressed with -9"
zcat "$changelog" >"$scratch/changelog"
[[ $(dpkg-parsechangelog -l "$scratch/changelog" -S Version) == "$version" ]] ||
    fail "changelog: the latest entry is not version $version"
[[ $(dpkg-parsechangelog -l "$scratch/changelog" -S Maintainer) == "$maintainer" ]] ||
    fail "changelog: the latest entry is not signed by $maintainer"
long=$(awk '/^  / && length > 80' "$scratch/changelog")
[[ -z $long ]] || fail "changelog: lines over 80 columns: $long"

# What software centres show, where appstreamcli is installed (scripts/package
# installs it); offline, as a build has no network.
metainfo=$usr/share/metainfo/io.github.tamsor.Tamsor.metainfo.xml
grep -q "<release version=\"$version\"" "$metainfo" || fail "metainfo: no release $version"
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$metainfo" >"$scratch/appstream.log" 2>&1 ||
        fail "metainfo refused: $(cat "$scratch/appstream.log")"
else
    echo "SKIP: appstreamcli is not installed; the metainfo was not validated"
fi

# The hardening of the programs and the engine library, where hardening-check
# is installed (scripts/package installs it), with scripts/package's exceptions.
if command -v hardening-check >/dev/null; then
    hardening-check --quiet --nocfprotection "$usr/bin/tamsor" "$usr/bin/tamsor-batch" ||
        fail "the programs are not hardened"
    hardening-check --quiet --nocfprotection --nofortify "$usr/$libdir/tamsor/libvorbeck1.so" ||
        fail "the engine library is not hardened"
else
    echo "SKIP: hardening-check (devscripts) is not installed; the hardening was not checked"
fi

desktop=$usr/share/applications/tamsor.desktop
desktop-file-validate "$desktop" || fail "tamsor.desktop is not valid"
grep -qx 'Categories=Science;Engineering;' "$desktop" || fail "tamsor.desktop: categories"
grep -qx 'MimeType=application/x-tamsor-loads;' "$desktop" || fail "tamsor.desktop: MimeType"

# The type definition compiled as the system compiles it; *.dat matches any letter case.
mkdir -p "$scratch/mime/packages"
cp "$usr/share/mime/packages/tamsor.xml" "$scratch/mime/packages/"
update-mime-database "$scratch/mime" >"$scratch/mime.log" 2>&1 ||
    fail "tamsor.xml is refused: $(cat "$scratch/mime.log")"
grep -q ':application/x-tamsor-loads:\*\.dat$' "$scratch/mime/globs2" ||
    fail "no *.dat glob for application/x-tamsor-loads"

for size in 16 22 24 32 48 64 128 256; do
    png=$usr/share/icons/hicolor/${size}x${size}/apps/tamsor.png
    # Width and height, big-endian, in the PNG header's IHDR chunk.
    read -r -a header < <(od -An -tu1 -j16 -N8 "$png")
    width=$(((header[2] << 8) + header[3]))
    height=$(((header[6] << 8) + header[7]))
    [[ $width == "$size" && $height == "$size" ]] || fail "$png is ${width}x$height"
done

for page in tamsor tamsor-batch; do
    manual=$usr/share/man/man1/$page.1.gz
    warnings=$(MANWIDTH=80 man --warnings -l "$manual" 2>&1 >/dev/null) || fail "man $page"
    [[ -z $warnings ]] || fail "man $page: $warnings"
    MANWIDTH=80 man -l "$manual" 2>/dev/null | grep -q -- '--help' || fail "man $page: no --help"
done

# tamsor-batch on a copy of a sample: the result files go beside the data file.
work=$scratch/work
mkdir -p "$work"
cp "$usr/share/tamsor/examples/MUSEUM.DAT" "$usr/share/tamsor/examples/SCHOOL.DAT" "$work/"
"$usr/bin/tamsor-batch" --method 2 "$work/MUSEUM.DAT" >"$scratch/batch.out" ||
    fail "tamsor-batch: $(cat "$scratch/batch.out")"
grep -q '36 isolators, Method2 (equal numbers of isolators)' "$scratch/batch.out" || fail "tamsor-batch: $(cat "$scratch/batch.out")"
[[ -s $work/MUSEUM.out && -s $work/MUSEUM.plt ]] || fail "tamsor-batch wrote no result files"

# The program answers on a terminal without any display.
quiet=(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb)
for program in tamsor tamsor-batch; do
    [[ $("${quiet[@]}" "$usr/bin/$program" --version | head -n 1) == "TAMSOR $version" ]] ||
        fail "$program --version"
    "${quiet[@]}" "$usr/bin/$program" --version | grep -q '^Licence GPL-3.0-or-later ' ||
        fail "$program --version names no licence"
done
# Without a display the window cannot open: the program says so and how to
# run it under a virtual display, instead of Qt's abort.
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$usr/bin/tamsor" 2>"$scratch/nodisplay" ||
    status=$?
[[ $status == 1 ]] && grep -q 'xvfb-run' "$scratch/nodisplay" ||
    fail "tamsor without a display: status $status, $(cat "$scratch/nodisplay")"
"${quiet[@]}" "$usr/bin/tamsor" --help | head -n 1 | grep -qx 'usage: tamsor \[FILE.DAT\]' ||
    fail "tamsor --help"

# The menu entry's command with a sample for %f, the programs found on PATH,
# under a virtual X display; what the program remembers goes to this test's
# folder. The main window must be shown within 30 seconds.
read -r -a command <<<"$(sed -n 's/^Exec=//p' "$desktop")"
command=("${command[@]/#%f/$work/SCHOOL.DAT}")
status=0
xvfb-run -a -s "-screen 0 1280x800x24" \
    env PATH="$usr/bin:$PATH" XDG_CONFIG_HOME="$scratch/config" QT_QPA_PLATFORM=xcb \
    "$(dirname "$0")/window_shown.sh" TAMSOR 30 "${command[@]}" || status=$?
case $status in
    0) ;;
    2) fail "the program ended before its window was shown" ;;
    *) fail "no TAMSOR window was shown (status $status)" ;;
esac
# The sample was taken as the data file: its folder is now the Open dialog's.
grep -qx "lastDataFolder=$work" "$scratch/config/TAMSOR/TAMSOR.conf" ||
    fail "the program did not take $work/SCHOOL.DAT"
echo "package $(basename "$deb"): $(stat -c %s "$deb") bytes; Depends: $depends"
