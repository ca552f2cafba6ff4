#!/usr/bin/env bash
# heddlewise-cli draft-image: picture size, options and failures.
set -u
cli=$1
sample="$2/sample_v7_e.hdw" # 12 ends, 10 picks used; 4 shafts, 6 treadles; zoom 9
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $3*256+$4 "x" $7*256+$8}'; } # from the PNG header

# (ends + treadles + 3) x cell + 1 by (picks + shafts + 3) x cell + 1, cell = zoom + 1
"$cli" draft-image "$sample" "$tmp/a.png" || fail "draft-image failed"
[ "$(size "$tmp/a.png")" = "211x171" ] || fail "used extent: $(size "$tmp/a.png")"
"$cli" draft-image "$sample" "$tmp/b.png" --zoom=3 --ends 20 --picks 5 --style 2 || fail "options"
[ "$(size "$tmp/b.png")" = "117x49" ] || fail "options: $(size "$tmp/b.png")"
# Usage errors exit 2 and write nothing.
for bad in "--zoom 21" "--zoom 0" "--style 5" "--ends x" "--picks 9601" "--shade 2" ""; do
  # shellcheck disable=SC2086
  "$cli" draft-image "$sample" $([ -n "$bad" ] && echo "$tmp/bad.png") $bad 2>/dev/null
  [ $? -eq 2 ] || fail "'$bad' must be a usage error"
  [ -e "$tmp/bad.png" ] && fail "'$bad' wrote a file"
done
# A missing pattern or an unwritable picture: exit 1 with the reason on stderr.
"$cli" draft-image "$tmp/none.hdw" "$tmp/x.png" 2>"$tmp/err"; [ $? -eq 1 ] || fail "missing input"
grep -q "Cannot find $tmp/none.hdw" "$tmp/err" || fail "missing input said: $(cat "$tmp/err")"
"$cli" draft-image "$sample" "$tmp/no/dir/x.png" 2>"$tmp/err"; [ $? -eq 1 ] || fail "bad output"
grep -q "File Write Error" "$tmp/err" || fail "bad output said: $(cat "$tmp/err")"
# Rows go to the file as they are painted: a picture four times the memory
# allowed is written whole.
if ! ldd "$cli" | grep -q libasan; then # a sanitizer's allocator reserves more than that
  (ulimit -v 250000; "$cli" draft-image "$sample" "$tmp/big.png" --zoom 9 --ends 1200 --picks 1200) ||
    fail "a large picture"
  [ "$(size "$tmp/big.png")" = "12091x12071" ] || fail "large: $(size "$tmp/big.png")"
fi
echo ok
