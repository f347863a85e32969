#!/usr/bin/env bash
# The manual page renders without a warning and has an entry in OPTIONS for every option that
# `varnel --help` lists. Usage: manual.sh VARNEL PAGE
set -euo pipefail
varnel=$1
page=$2
fail() { echo "FAILED: $*"; exit 1; }
command -v man > /dev/null || { echo "skipped: man is not installed"; exit 77; }

warnings=$(mktemp)
trap 'rm -f "$warnings"' EXIT
rendered=$(LC_ALL=C.UTF-8 MANWIDTH=200 man --warnings -l "$page" 2> "$warnings" | col -b) \
  || fail "man -l $page"
[ ! -s "$warnings" ] || { cat "$warnings"; fail "man warns about $page"; }

options=$("$varnel" --help | grep -oE '^ +(-[a-z], )?--[a-z-]+' | tr ',' '\n' | tr -d ' ')
[ -n "$options" ] || fail "no options in --help"
described=$(awk '/^OPTIONS/ { on = 1; next } /^[A-Z]/ { on = 0 } on' <<< "$rendered")
for option in $options; do
  grep -qE -- "^ +(-[-a-z]+, )*$option( |,|$)" <<< "$described" || fail "OPTIONS lacks $option"
done
echo "the page describes $(wc -w <<< "$options") options"
