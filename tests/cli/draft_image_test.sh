#!/usr/bin/env bash
# heddlewise-cli draft-image: picture size, options and failures.
set -u
cli=$1
data=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# Width and height from the PNG header (big-endian at bytes 16..23).
png_size() {
  local w h
  w=$(od -An -tu1 -j16 -N4 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4}')
  h=$(od -An -tu1 -j20 -N4 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4}')
  echo "${w}x${h}"
}

sample="$data/sample_v7_e.hdw" # 12 ends, 10 picks used; 4 shafts, 6 treadles; zoom 9

"$cli" draft-image "$sample" "$tmp/a.png" || fail "draft-image failed"
# (ends + treadles + 3) x cell + 1 by (picks + shafts + 3) x cell + 1, cell = zoom + 1
[ "$(png_size "$tmp/a.png")" = "211x171" ] || fail "used extent: $(png_size "$tmp/a.png")"

"$cli" draft-image "$sample" "$tmp/b.png" --zoom=3 --ends 20 --picks 5 --style 2 ||
  fail "with options"
[ "$(png_size "$tmp/b.png")" = "117x49" ] || fail "options: $(png_size "$tmp/b.png")"

# Usage errors exit 2 and write nothing.
for bad in "--zoom 21" "--zoom 0" "--style 5" "--ends x" "--picks 9601" "--shade 2"; do
  # shellcheck disable=SC2086
  "$cli" draft-image "$sample" "$tmp/bad.png" $bad 2>/dev/null
  [ $? -eq 2 ] || fail "$bad must be a usage error"
  [ -e "$tmp/bad.png" ] && fail "$bad wrote a file"
done
"$cli" draft-image "$sample" 2>/dev/null; [ $? -eq 2 ] || fail "missing output must exit 2"

# A missing pattern or an unwritable picture exits 1 with the message on stderr.
"$cli" draft-image "$tmp/none.hdw" "$tmp/x.png" 2>"$tmp/err"; [ $? -eq 1 ] || fail "missing input"
grep -q "Cannot find" "$tmp/err" || fail "missing input message: $(cat "$tmp/err")"
"$cli" draft-image "$sample" "$tmp/no/dir/x.png" 2>"$tmp/err"; [ $? -eq 1 ] || fail "bad output"
grep -q "File Write Error" "$tmp/err" || fail "bad output message"
# A picture too large for the memory there is: its size on stderr, exit 1.
(ulimit -v 4000000; "$cli" draft-image "$sample" "$tmp/big.png" --zoom 9 --ends 9600 --picks 9600) 2>"$tmp/err"
[ $? -eq 1 ] || fail "a huge picture must exit 1"
grep -q "96091 x 96071 pixels" "$tmp/err" || fail "huge picture message: $(cat "$tmp/err")"
[ -e "$tmp/big.png" ] && fail "a huge picture wrote a file"
# A failed write keeps the old picture.
cp "$tmp/a.png" "$tmp/keep.png"
chmod a-w "$tmp"
if [ "$(id -u)" -ne 0 ]; then
  "$cli" draft-image "$sample" "$tmp/keep.png" --zoom 1 2>/dev/null; [ $? -eq 1 ] || fail "read-only folder"
  cmp -s "$tmp/a.png" "$tmp/keep.png" || fail "old picture damaged"
fi
chmod u+w "$tmp"
echo ok
