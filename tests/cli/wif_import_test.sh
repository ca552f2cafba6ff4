#!/usr/bin/env bash
# heddlewise-cli dump and convert on WIF files: known by the extension or by
# a first [WIF] section, refused with the limit's message and exit 1.
set -u
cli=$1 data=$2
fail() { echo "FAIL: $*"; exit 1; }
tmp=$(mktemp -d) && trap 'rm -rf "$tmp"' EXIT
"$cli" dump "$data/wif/both_multiple.wif" >"$tmp/a.json" || fail "dump by extension"
[ "$(jq -c '[.Treadles, .MultipleTr, .Liftplan[3]]' "$tmp/a.json")" = "[5,true,16]" ] || fail "dump"
cp "$data/wif/skipped.wif" "$tmp/no-extension"
"$cli" dump "$tmp/no-extension" >"$tmp/b.json" 2>"$tmp/err" || fail "dump by content"
grep -q "^10 " "$tmp/err" || fail "the skipped entries are not reported"
"$cli" convert "$tmp/no-extension" "$tmp/c.hdw" && "$cli" dump "$tmp/c.hdw" >"$tmp/c.json" ||
  fail "convert"
[ "$(jq -c '.Threading[0:4]' "$tmp/c.json")" = "[0,0,0,2]" ] || fail "converted draft"
"$cli" dump "$data/wif/limit_picks.wif" 2>"$tmp/err" >/dev/null; [ $? -eq 1 ] || fail "limit"
grep -q "12000 picks.*9600" "$tmp/err" || fail "the refusal names no limit"
echo ok
