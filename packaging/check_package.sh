#!/usr/bin/env bash
# Builds the .deb from a built tree, lists it and checks what a desktop needs from it:
#   check_package.sh BUILD_DIR PACKAGING_DIR
set -euo pipefail
build=$1 src=$2
fail() { echo "package check: $*" >&2; exit 1; }

desktop-file-validate "$src"/*.desktop
appstreamcli validate --no-net --explain "$src"/*.metainfo.xml

# The file types: the shared-mime-info database built from our file alone knows both globs.
mime=$(mktemp -d)
trap 'rm -rf "$mime"' EXIT
mkdir -p "$mime/packages"
cp "$src/zarnok-map.xml" "$mime/packages/"
update-mime-database "$mime" >/dev/null
grep -q 'application/x-zarnok-map:\*\.pmp' "$mime/globs2" || fail "no *.pmp glob"
grep -q 'application/x-quorvel-prefab:\*\.pre' "$mime/globs2" || fail "no *.pre glob"

rm -rf "$build/package"
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/package/quorvel_*.deb)
dpkg-deb -I "$deb"
dpkg-deb -c "$deb" | tee "$build/package/contents.txt"
for path in ./opt/zarnok/Quorvel/quorvel ./opt/zarnok/Quorvel/quorvel-tool ./opt/zarnok/Quorvel/merkko \
            ./opt/zarnok/Quorvel/Prefab/platform_wood.pre ./opt/zarnok/Quorvel/Alphabet/100.pre \
            ./usr/share/applications/io.github.zarnok.Quorvel.desktop \
            ./usr/share/applications/io.github.zarnok.Merkko.desktop \
            ./usr/share/icons/hicolor/scalable/apps/io.github.zarnok.Quorvel.svg \
            ./usr/share/mime/packages/zarnok-map.xml ./usr/share/metainfo/io.github.zarnok.Quorvel.metainfo.xml \
            "./usr/bin/quorvel -> /opt/zarnok/Quorvel/quorvel"; do
  grep -qF " $path" "$build/package/contents.txt" || fail "the package lacks $path"
done
echo "package check: $deb is complete"
