#!/usr/bin/env bash
# The writing options on a damaged list, standard output and pipes; with "permissions", as an
# ordinary user (nobody under root, who may write anything; 77: none to be had).
#   io.sh VARNEL SAMPLE LIGHTERPACK_CSV [permissions]
set -u
varnel=$1 sample=$2 csv=$3 mode=${4:-}
top=$(mktemp -d)
trap 'chmod -R u+w "$top"; rm -rf "$top"' EXIT
chmod 755 "$top"
as=()
if [ "$mode" = permissions ] && [ "$(id -u)" -eq 0 ]; then
  command -v setpriv >/dev/null || exit 77
  as=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
failed=0
fresh() { cd "$top" && rm -rf w && mkdir w && cd w && cp "$sample/GearData.dat" trip.dat || exit 1; }
own() { [ ${#as[@]} -eq 0 ] || chown -R 65534:65534 .; }
run() { timeout 30 "${as[@]}" "$varnel" "$@" >out 2>err </dev/null; status=$?; }
# expect WHAT CONDITION...: each condition is shell evaluated in the case's folder.
expect() {
  local what=$1 c
  shift
  for c in "$@"; do
    eval "$c" || { echo "FAIL $what: $c"; sed 's/^/  stderr: /' err 2>/dev/null; failed=1; }
  done
}
cut='only the first [0-9]+ items could be read$'

if [ "$mode" = permissions ]; then
  fresh; echo old >out.csv; own; chmod 444 out.csv; run --export csv --output out.csv trip.dat
  expect "export over a read-only file" '[ $status -eq 1 ]' \
    'grep -qx "varnel: out.csv: Permission denied" err' '[ "$(cat out.csv)" = old ]' \
    '[ "$(stat -c %a out.csv)" = 444 ]'
  fresh; echo old >x.csv; own; inode=$(stat -c %i x.csv); chmod 555 .
  run --export csv --output x.csv trip.dat
  expect "export into a writable file in a read-only folder" '[ $status -eq 0 ]' \
    'head -1 x.csv | grep -q ^Category,' '[ "$(stat -c %i x.csv)" = "$inode" ]'
  run --export csv --output new.csv trip.dat
  expect "export of a new file into a read-only folder" '[ $status -eq 1 ]' \
    'grep -qx "varnel: new.csv: Permission denied" err' '[ ! -e new.csv ]'
  chmod 755 .
  fresh; own; chmod 444 trip.dat; run --import-lighterpack "$csv" trip.dat
  expect "import into a read-only list" '[ $status -eq 1 ]' \
    'grep -qx "varnel: trip.dat: Permission denied" err' 'cmp -s trip.dat "$sample/GearData.dat"'
  exit $failed
fi

fresh; truncate -s -200 trip.dat; cp trip.dat cut.dat; echo older >trip.dat.bak
for c in "--import-lighterpack $csv trip.dat" "--export csv --output out.csv trip.dat" \
  "--print-pdf out.pdf trip.dat" "--totals trip.dat"; do
  # shellcheck disable=SC2086
  run $c
  expect "$c on a cut-short list" '[ $status -eq 1 ]' \
    'grep -Eqx "varnel: trip.dat ends in the middle of an item: $cut" err' \
    'cmp -s trip.dat cut.dat' '[ "$(cat trip.dat.bak)" = older ]'
done
expect "what could be read is still given" 'grep -q "^Grand Total" out' \
  'head -1 out.csv | grep -q ^Category,' 'head -c 5 out.pdf | grep -q %PDF-'

fresh; echo first >log; timeout 30 "$varnel" --export text --output /dev/stdout trip.dat >>log
expect "/dev/stdout appended to a log" '[ "$(head -1 log)" = first ]' 'grep -q Total log'
expect "- and /dev/stdout into a pipe" \
  '[ "$("$varnel" --export csv --output - trip.dat | head -c 9)" = Category, ]' \
  '[ "$("$varnel" --export csv --output /dev/stdout trip.dat | head -c 9)" = Category, ]' \
  '[ "$("$varnel" --print-pdf - trip.dat | head -c 5)" = %PDF- ]'
mkfifo fifo; (timeout 30 cat fifo >got &)
run --export csv --output fifo trip.dat; sleep 0.2
expect "a FIFO is written into" '[ $status -eq 0 ]' '[ -p fifo ]' 'head -c 9 got | grep -q Category,'
exit $failed
