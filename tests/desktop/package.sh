#!/usr/bin/env bash
# Builds the Debian package as `make package` does, into a temporary folder, and checks its name,
# that it installs our files and no others, its dependencies, the menu entry's program, and that
# lintian finds no error. Usage: package.sh BUILD_DIR VERSION; exits 77 (skipped) without a tool.
set -euo pipefail
for tool in cpack dpkg-deb dpkg-shlibdeps lintian; do
  command -v "$tool" > /dev/null || { echo "skipped: no $tool (scripts/install-deps)"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

cpack --config "$1/CPackConfig.cmake" -B "$work" > "$work/log" 2>&1 || { cat "$work/log"; fail cpack; }
deb="$work/varnel_$2_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { ls "$work"; fail "no $(basename "$deb")"; }

id=app.varnel.Varnel
files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $NF }' | sort)
expected="./usr/bin/varnel ./usr/share/applications/$id.desktop
./usr/share/doc/varnel/changelog.gz ./usr/share/doc/varnel/copyright
./usr/share/icons/hicolor/scalable/apps/$id.svg ./usr/share/man/man1/varnel.1.gz
./usr/share/metainfo/$id.metainfo.xml ./usr/share/mime/packages/$id.xml"
[ "$files" = "$(tr ' ' '\n' <<< "$expected")" ] || fail "the package holds: $files"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6.*qt6-qpa-plugins\|qt6-qpa-plugins.*libqt6widgets6' \
  || fail "Depends: $(dpkg-deb -f "$deb" Depends)"
# The install rules must see /usr, not the staging folder.
dpkg-deb --fsys-tarfile "$deb" | tar -xO "./usr/share/applications/$id.desktop" \
  | grep -qx 'Exec=/usr/bin/varnel %f' || fail "the menu entry does not start /usr/bin/varnel"
lintian --fail-on error --tag-display-limit 0 "$deb" || fail "lintian finds errors"
echo "checked $(basename "$deb")"
