#!/usr/bin/env bash
# Builds the Debian package as `make package` does, into a temporary folder, and checks it: its
# name, the files it installs (and nothing else), dependencies found by dpkg-shlibdeps, the menu
# entry's program, and no error from lintian.
# Usage: package.sh BUILD_DIR VERSION. Exits 77 (skipped) when a packaging tool is missing.
set -euo pipefail
build=$1
version=$2

for tool in cpack dpkg-deb dpkg-shlibdeps lintian; do
  if ! command -v "$tool" > /dev/null; then
    echo "skipped: $tool is not installed (scripts/install-deps installs it)"
    exit 77
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$work" > "$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log"; fail "cpack"; }
deb="$work/varnel_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { ls "$work"; fail "no $(basename "$deb")"; }

id=app.varnel.Varnel
expected="./usr/bin/varnel
./usr/share/applications/$id.desktop
./usr/share/doc/varnel/changelog.gz
./usr/share/doc/varnel/copyright
./usr/share/icons/hicolor/scalable/apps/$id.svg
./usr/share/man/man1/varnel.1.gz
./usr/share/metainfo/$id.metainfo.xml
./usr/share/mime/packages/$id.xml"
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $NF }' | sort)
[ "$files" = "$expected" ] || { diff <(echo "$expected") <(echo "$files") || true; fail "files"; }

depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libc6 qt6-qpa-plugins; do
  grep -q "$library" <<< "$depends" || fail "Depends lacks $library: $depends"
done
dpkg-deb --fsys-tarfile "$deb" | tar -xO "./usr/share/applications/$id.desktop" \
  | grep -qx 'Exec=/usr/bin/varnel %f' || fail "the menu entry does not start /usr/bin/varnel"

lintian --fail-on error --tag-display-limit 0 "$deb" || fail "lintian finds errors"
echo "checked $(basename "$deb")"
