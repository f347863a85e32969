#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop sees there: a valid menu
# entry that starts the installed program, its icon, a valid AppStream file, and the gear list
# file type, recognised by its header and by nothing else.
# Usage: install.sh BUILD_DIR SOURCE_DIR. Exits 77 (skipped) when a checking tool is missing.
set -euo pipefail
build=$1
source=$2

for tool in desktop-file-validate appstreamcli update-mime-database xdg-mime gio; do
  if ! command -v "$tool" > /dev/null; then
    echo "skipped: $tool is not installed (scripts/install-deps installs it)"
    exit 77
  fi
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*"; exit 1; }
install_into() {
  cmake --install "$build" --prefix "$1" > "$work/install.log" 2>&1 \
    || { cat "$work/install.log"; fail "cmake --install --prefix $1"; }
}

# A space in the prefix, as in a home folder that has one: the entry quotes the program.
install_into "$work/my prefix"
spaced="$work/my prefix/share/applications/app.varnel.Varnel.desktop"
desktop-file-validate "$spaced" || fail "desktop-file-validate $spaced"
exec_line=$(sed -n 's/^Exec=//p' "$spaced")
[ "$exec_line" = "\"$work/my prefix/bin/varnel\" %f" ] || fail "Exec is '$exec_line'"

# xdg-mime splits XDG_DATA_DIRS at blanks, so the rest uses a prefix without one.
prefix="$work/prefix"
install_into "$prefix"

id=app.varnel.Varnel
share="$prefix/share"
entry="$share/applications/$id.desktop"
[ -x "$prefix/bin/varnel" ] || fail "no executable in $prefix/bin"
[ -f "$share/icons/hicolor/scalable/apps/$id.svg" ] || fail "no icon in the hicolor theme"
[ -f "$share/mime/packages/$id.xml" ] || fail "no file type"

desktop-file-validate "$entry" || fail "desktop-file-validate $entry"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" \
  || fail "appstreamcli validate"
grep -qx "Icon=$id" "$entry" || fail "the entry does not name the installed icon"
grep -qx "MimeType=application/x-varnel-gear-data;" "$entry" || fail "the entry opens no gear list"

exec_line=$(sed -n 's/^Exec=//p' "$entry")
[ "$exec_line" = "$prefix/bin/varnel %f" ] || fail "Exec is '$exec_line'"
"$prefix/bin/varnel" --version | grep -q '^varnel Version' || fail "the installed program does not run"

# What a file manager asks, on a desktop that reads the shared MIME database through GIO.
update-mime-database "$share/mime" 2> /dev/null
export XDG_DATA_DIRS="$share:/usr/share" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config"
export XDG_CURRENT_DESKTOP=GNOME
type_of() { xdg-mime query filetype "$1"; }

cp "$source/resources/sample/GearData.dat" "$work/trip.dat"
[ "$(type_of "$work/trip.dat")" = application/x-varnel-gear-data ] \
  || fail "the sample list is $(type_of "$work/trip.dat")"
# Another program's ".dat" files are left to their own types.
printf 'GAMEDATA\0\1\2\3 level 1\n' > "$work/level.dat"
printf 'station,temperature\n1,12.5\n' > "$work/weather.dat"
for other in level weather; do
  t=$(type_of "$work/$other.dat")
  [ "$t" != application/x-varnel-gear-data ] || fail "$other.dat is claimed as a gear list"
done
# The program that opens a gear list on a double click.
[ "$(xdg-mime query default application/x-varnel-gear-data)" = "$id.desktop" ] \
  || fail "no default program for gear lists"
echo "installed and checked in $prefix"
