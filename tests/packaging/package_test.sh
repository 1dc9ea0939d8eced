#!/bin/sh
# package_test.sh CPACK BUILD VERSION APP_ID: builds the Debian package of
# the build folder BUILD into a scratch folder and checks it: the files it
# holds, its fields, the icons' sizes, the manual pages, the documents of
# usr/share/doc/ravlin, the desktop entry and AppStream file named after the
# application id APP_ID, and that the tool unpacked into a root of its own
# finds its data in usr/share/ravlin. Ends with 77 (skipped) where dpkg-deb is
# missing.
set -eu
cpack=$1
build=$2
version=$3
app_id=$4

command -v dpkg-deb >/dev/null 2>&1 || { echo "dpkg-deb is not installed: skipped"; exit 77; }
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
# A PNG's width and height are the big-endian words at bytes 16 and 20.
png_size() {
    set -- $(od -An -tu1 -j16 -N8 "$1")
    echo "$((($1 << 24) | ($2 << 16) | ($3 << 8) | $4))x$((($5 << 24) | ($6 << 16) | ($7 << 8) | $8))"
}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
if ! "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log" >&2
    fail "cpack failed"
fi
deb=$(ls "$scratch"/ravlin_*.deb)

dpkg-deb -c "$deb" | awk '{ print $6 }' | sed 's|^\./||' >"$scratch/files"
for path in \
    usr/bin/RavlinApp usr/bin/ravlin usr/bin/ravlin-kbdsim \
    usr/share/ravlin/Клавиатуры/KP_64.xml usr/share/ravlin/Клавиши/Клавиши.xml \
    usr/share/ravlin/Справка/index.html \
    usr/share/applications/$app_id.desktop \
    usr/share/icons/hicolor/scalable/apps/ravlin.svg \
    usr/share/icons/hicolor/48x48/apps/ravlin.png \
    usr/share/icons/hicolor/256x256/apps/ravlin.png \
    usr/share/mime/packages/ravlin.xml \
    usr/share/metainfo/$app_id.metainfo.xml \
    usr/share/man/man1/RavlinApp.1.gz usr/share/man/man1/ravlin.1.gz usr/share/man/man1/ravlin-kbdsim.1.gz \
    usr/share/doc/ravlin/copyright usr/share/doc/ravlin/changelog.gz \
    usr/share/doc/ravlin/examples/70-ravlin-keyboard.rules; do
    grep -qxF "$path" "$scratch/files" || fail "$path is missing from the package"
done
# The programs alone in usr/bin: the data lives in usr/share/ravlin.
extra=$(grep '^usr/bin/.' "$scratch/files" |
    grep -v -x -e usr/bin/RavlinApp -e usr/bin/ravlin -e usr/bin/ravlin-kbdsim || true)
[ -z "$extra" ] || fail "more than the programs in usr/bin: $extra"

[ "$(dpkg-deb -f "$deb" Package)" = ravlin ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version $(dpkg-deb -f "$deb" Version), not $version"
depends=$(dpkg-deb -f "$deb" Depends)
case $depends in
*libqt6widgets6*) ;;
*) fail "Depends lacks the libraries the programs link: '$depends'" ;;
esac
[ -n "$(dpkg-deb -f "$deb" Description)" ] || fail "no description"

dpkg-deb -x "$deb" "$scratch/root"
share=$scratch/root/usr/share
for size in 48 256; do
    [ "$(png_size "$share/icons/hicolor/${size}x$size/apps/ravlin.png")" = "${size}x$size" ] ||
        fail "the $size pixel icon is $(png_size "$share/icons/hicolor/${size}x$size/apps/ravlin.png")"
done

# Every compressed file as gzip -9n makes it: no name and no time inside
# (flags and time, bytes 3 to 7 of the header, all zero).
for file in $(find "$scratch/root" -name '*.gz'); do
    [ "$(od -An -tu1 -j3 -N5 "$file" | tr -s ' ')" = " 0 0 0 0 0" ] || fail "$file keeps a name or time"
done
doc=$share/doc/ravlin
head -n1 "$doc/copyright" |
    grep -qxF 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    fail "the copyright file is not in the machine-readable format"
grep -q '^License: GPL-3+$' "$doc/copyright" || fail "the copyright file names no licence"
gzip -dc "$doc/changelog.gz" | grep -q "^Ravlin $version\$" || fail "the changelog lacks version $version"
# The udev rule does nothing until the administrator enables it.
! grep -v '^#' "$doc/examples/70-ravlin-keyboard.rules" | grep -q . ||
    fail "the udev rule template holds a line that is no comment"
grep -qF "<project_license>GPL-3.0-or-later</project_license>" "$share/metainfo/$app_id.metainfo.xml" ||
    fail "the AppStream file names no licence"
grep -qF "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$share/metainfo/$app_id.metainfo.xml" ||
    fail "the AppStream file launches another desktop entry"
# No host of the reserved example domain, nor one named after it, reaches
# the user.
placeholders=$(grep -rlI -e '[[:alnum:]]\.example\b' -e '\bexample\.[[:alpha:]]' "$share" || true)
[ -z "$placeholders" ] || fail "placeholder addresses in: $placeholders"

if command -v man >/dev/null 2>&1; then
    for page in "$share"/man/man1/*.1.gz; do
        warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
        [ -z "$warnings" ] || fail "$page: $warnings"
    done
fi

# Unpacked anywhere, the programs find their data beside usr/bin.
models=$("$scratch/root/usr/bin/ravlin" models) || fail "ravlin models failed"
echo "$models" | grep -q 'KP_64' || fail "ravlin models did not list the catalogue: $models"
[ "$("$scratch/root/usr/bin/ravlin-kbdsim" --version)" = "ravlin-kbdsim $version" ] || fail "ravlin-kbdsim --version"
echo "package $(basename "$deb"): $(wc -l <"$scratch/files") entries, Depends: $depends"
