#!/usr/bin/env bash
# Runs the program as a user would, in a fresh folder, and checks what it did.
#   expect.sh CODE STDOUT_PATTERN STDERR_PATTERN SETUP COMMAND...
# CODE is the exit status wanted; the patterns are extended regular expressions ("" = anything);
# SETUP is shell run in the folder first (it may use $SAMPLE). Files the command leaves behind
# beyond those SETUP made are a failure: these options must write nothing.
set -u
code=$1 want_out=$2 want_err=$3 setup=$4
shift 4
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cd "$folder" || exit 1
eval "$setup"
before=$(ls -A)
timeout 20 "$@" >"$folder/../$$.out" 2>"$folder/../$$.err" </dev/null
status=$?
out=$(cat "$folder/../$$.out") err=$(cat "$folder/../$$.err")
rm -f "$folder/../$$.out" "$folder/../$$.err"
fail=0
if [ "$status" -ne "$code" ]; then
  echo "exit status $status, wanted $code"; fail=1
fi
if [ -n "$want_out" ] && ! grep -Eq -- "$want_out" <<<"$out"; then
  echo "standard output does not match: $want_out"; fail=1
fi
if [ -n "$want_err" ] && ! grep -Eq -- "$want_err" <<<"$err"; then
  echo "standard error does not match: $want_err"; fail=1
fi
if [ "$(ls -A)" != "$before" ]; then
  echo "files were written:"; ls -A; fail=1
fi
if [ "$fail" -ne 0 ]; then
  printf -- '--- stdout\n%s\n--- stderr\n%s\n' "$out" "$err"
fi
exit "$fail"
