#!/bin/sh
# package_test.sh CPACK BUILD VERSION: builds the Debian package of the build
# folder BUILD into a scratch folder and checks it: the files it holds, its
# fields, the icons' sizes, the manual pages, and that the tool unpacked into
# a root of its own finds its data in usr/share/ravlin. Ends with 77 (skipped)
# where dpkg-deb is missing.
set -eu
cpack=$1
build=$2
version=$3

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
    usr/share/applications/ravlin.desktop \
    usr/share/icons/hicolor/scalable/apps/ravlin.svg \
    usr/share/icons/hicolor/48x48/apps/ravlin.png \
    usr/share/icons/hicolor/256x256/apps/ravlin.png \
    usr/share/mime/packages/ravlin.xml \
    usr/share/metainfo/example.ravlin.Ravlin.metainfo.xml \
    usr/share/man/man1/RavlinApp.1.gz usr/share/man/man1/ravlin.1.gz usr/share/man/man1/ravlin-kbdsim.1.gz; do
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
