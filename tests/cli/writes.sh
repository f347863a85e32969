#!/usr/bin/env bash
# Runs a writing option on a copy of the sample in a fresh folder and checks that it wrote OUT,
# left the list and its settings as they were, and wrote nothing else.
#   writes.sh OUT CHECK COMMAND...   (CHECK is shell run on OUT afterwards; "" = none)
# CHANGES (optional, space-separated) names further files the command may write or change; OUT
# may be one of the sample's own files then.
set -u
out=$1 check=$2
shift 2
changes=" $out ${CHANGES:-} "
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cd "$folder" || exit 1
cp "$SAMPLE/GearData.dat" "$SAMPLE/GearData.ini" .
kept=()
for f in GearData.dat GearData.ini; do
  [[ $changes == *" $f "* ]] || kept+=("$f")
done
sums() { [ ${#kept[@]} -eq 0 ] || md5sum "${kept[@]}"; }
before=$(sums)
timeout 30 "$@" </dev/null || { echo "exit status $?"; exit 1; }
[ -s "$out" ] || { echo "$out was not written"; exit 1; }
[ "$(sums)" = "$before" ] || { echo "the list or its settings changed"; exit 1; }
extra=$(ls -A | grep -v -x -e GearData.dat -e GearData.ini -e "$out" $(for c in ${CHANGES:-}; do printf -- '-e %s ' "$c"; done))
[ -z "$extra" ] || { echo "files were written: $extra"; exit 1; }
if [ -n "$check" ]; then
  OUT=$out eval "$check" || { echo "check failed: $check"; exit 1; }
fi
exit 0
