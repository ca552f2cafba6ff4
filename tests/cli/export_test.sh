#!/usr/bin/env bash
# heddlewise-cli fabric-png and wif: sizes, sections, options and failures.
set -u
cli=$1
sample="$2/sample_v7_e.hdw" # 12 ends, 10 picks used; 4 shafts, 6 treadles
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $3*256+$4 "x" $7*256+$8}'; }

"$cli" fabric-png "$sample" "$tmp/f.png" || fail "fabric-png failed"
[ "$(size "$tmp/f.png")" = "12x10" ] || fail "used extent: $(size "$tmp/f.png")"
"$cli" fabric-png "$sample" "$tmp/g.png" --ends 5 --picks=7 || fail "options"
[ "$(size "$tmp/g.png")" = "5x7" ] || fail "options: $(size "$tmp/g.png")"

"$cli" wif "$sample" "$tmp/s.wif" --both --ends 8 || fail "wif failed"
grep -q $'^\\[TIEUP\\]\r$' "$tmp/s.wif" && grep -q $'^\\[LIFTPLAN\\]\r$' "$tmp/s.wif" || fail "--both"
grep -q $'^Threads=8\r$' "$tmp/s.wif" || fail "--ends"
grep -qv $'\r$' "$tmp/s.wif" && fail "a line without CRLF"
"$cli" wif "$sample" "$tmp/t.wif" || fail "wif without --both"
grep -q 'LIFTPLAN' "$tmp/t.wif" && fail "a treadle loom's file has a liftplan"

# Usage errors exit 2 and write nothing.
for cmd in fabric-png wif; do
  for bad in "--ends 0" "--picks x" "--both=1" "--zoom 3"; do
    [ "$cmd" = wif ] && [ "$bad" = "--both=1" ] && continue
    # shellcheck disable=SC2086
    "$cli" $cmd "$sample" "$tmp/bad" $bad 2>/dev/null
    [ $? -eq 2 ] || fail "$cmd '$bad' must be a usage error"
    [ -e "$tmp/bad" ] && fail "$cmd '$bad' wrote a file"
  done
  "$cli" $cmd "$sample" "$tmp/no/dir/x" 2>"$tmp/err"; [ $? -eq 1 ] || fail "$cmd bad output"
  grep -q "File Write Error" "$tmp/err" || fail "$cmd bad output said: $(cat "$tmp/err")"
done
# An empty draft has no fabric; a design has.
"$cli" fabric-png "$2/empty_v7.hdw" "$tmp/e.png" 2>"$tmp/err"; [ $? -eq 1 ] || fail "empty draft"
grep -qx "No Pattern." "$tmp/err" && [ ! -e "$tmp/e.png" ] || fail "empty said: $(cat "$tmp/err")"
"$cli" fabric-png "$2/design_v7.hdw" "$tmp/d.png" || fail "a pattern in Design mode"
echo ok
