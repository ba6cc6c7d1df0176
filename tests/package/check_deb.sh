#!/usr/bin/env bash
# The Debian package as a distribution takes it: its control fields and
# files, each checked by its own validator (lintian, appstreamcli,
# desktop-file-validate, groff), and the game in it answering --version.
#
#   check_deb.sh <quobbin_VERSION_amd64.deb> <VERSION>
set -uo pipefail
DEB=$(realpath "$1")
VERSION=$2
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

[ "$(dpkg-deb -f "$DEB" Package Version Section Architecture | tr '\n' ' ')" = \
    "Package: quobbin Version: $VERSION Section: games Architecture: amd64 " ] ||
    fail "control fields: $(dpkg-deb -f "$DEB")"
dpkg-deb -f "$DEB" Depends | grep -q 'libsdl2-2.0-0 (>=' || fail "the dependencies were not computed"
dpkg-deb -c "$DEB" | awk '{print $6}' >"$WORK/files"
share=./usr/share
for file in ./usr/games/quobbin $share/applications/org.quobbin.Quobbin.desktop \
    $share/metainfo/org.quobbin.Quobbin.metainfo.xml $share/man/man6/quobbin.6.gz \
    $share/doc/quobbin/copyright $share/doc/quobbin/changelog.gz \
    $share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/quobbin.png; do
    grep -qxF "$file" "$WORK/files" || fail "the package lacks $file"
done
echo "pass: control fields, dependencies and files"

dpkg -x "$DEB" "$WORK/root"
root=$WORK/root
file "$root/usr/games/quobbin" | grep -q ', stripped' || fail "the game is not stripped"
[ "$("$root/usr/games/quobbin" --version)" = "quobbin $VERSION" ] || fail "the packaged game's --version is wrong"
appstreamcli validate --no-net "$root/usr/share/metainfo/org.quobbin.Quobbin.metainfo.xml" >"$WORK/out" 2>&1 ||
    fail "appstreamcli: $(cat "$WORK/out")"
desktop-file-validate "$root/usr/share/applications/org.quobbin.Quobbin.desktop" || fail "desktop-file-validate"
zcat "$root/usr/share/man/man6/quobbin.6.gz" | groff -ww -z -man 2>"$WORK/out"
[ ! -s "$WORK/out" ] || fail "groff: $(cat "$WORK/out")"
lintian --tag-display-limit 0 "$DEB" 2>&1 | grep -v 'running with root privileges' >"$WORK/lintian"
! grep -qE '^[EW]: ' "$WORK/lintian" || fail "lintian: $(cat "$WORK/lintian")"
echo "pass: stripped, runs --version, and lintian, appstreamcli, desktop-file-validate and groff find nothing"
