#!/usr/bin/env bash
# heddlewise-cli print-numeric and print: the text of the numeric prints, and
# the graphic print as a PDF page that shows what the draft view shows.
set -u
cli=$1
sample="$2/sample_v7_e.hdw" # 12 ends, 10 picks used; 4 shafts, 6 treadles
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$cli" print-numeric threading "$sample" >"$tmp/t.txt" || fail "threading"
sed -n 2p "$tmp/t.txt" | grep -qx '  sample_v7_e.hdw     4 Shafts     Ends 1-12' || fail "header: $(sed -n 2p "$tmp/t.txt")"
[ "$(wc -l <"$tmp/t.txt")" -eq 14 ] || fail "threading lines: $(wc -l <"$tmp/t.txt")"
"$cli" print-numeric liftplan "$sample" --from 9 --to=4 --landscape >"$tmp/l.txt" || fail "liftplan"
grep -q '    6 Treadles    Picks 4-9' "$tmp/l.txt" && [ "$(grep -c '#' "$tmp/l.txt")" -eq 6 ] || fail "liftplan range"
"$cli" print-numeric warp-colors "$sample" --to 99 | grep -q 'Ends 1 - 12' || fail "warp colours clamp"
"$cli" print-numeric threading "$2/empty_v7.hdw" >"$tmp/e.txt" && [ ! -s "$tmp/e.txt" ] || fail "an empty threading prints nothing"
for bad in "heddles $sample" "threading $sample --from x" "threading" "threading $sample --portrait"; do
  # shellcheck disable=SC2086
  "$cli" print-numeric $bad >/dev/null 2>&1; [ $? -eq 2 ] || fail "'$bad' must be a usage error"
done

"$cli" print "$sample" "$tmp/p.pdf" || fail "print"
pdfinfo "$tmp/p.pdf" >"$tmp/info" || fail "not a PDF"
grep -q '^Title: *Heddlewise - sample_v7_e.hdw$' "$tmp/info" || fail "title: $(cat "$tmp/info")"
grep -q '^Page size: *595.28 x 841.89' "$tmp/info" || fail "not A4"
pdftotext "$tmp/p.pdf" - | grep -q 'Twill' || fail "the notes are not below the picture"
# Every colour that covers much of the draft view's picture is on the page
# (the rasteriser may give a fill one level less in a channel).
colours() { convert "$1" -format %c histogram:info:- | awk -v min="$2" '$1+0 >= min {print $2}' | tr -d '()' | tr ',' ' '; }
"$cli" draft-image "$sample" "$tmp/screen.png" --zoom 20 || fail "draft-image"
pdftoppm -r 100 -png "$tmp/p.pdf" "$tmp/page" || fail "pdftoppm"
colours "$tmp/screen.png" 2000 | grep -v -e '^128 128 128$' -e '^255 255 255$' >"$tmp/want"
[ "$(wc -l <"$tmp/want")" -ge 4 ] || fail "too few colours in the screen picture"
colours "$tmp/page-1.png" 200 >"$tmp/have"
missing=$(awk 'NR == FNR { have[++n] = $0; next }
  { found = 0
    for (i = 1; i <= n; ++i) { split(have[i], c, " ")
      if ((c[1] - $1)^2 <= 4 && (c[2] - $2)^2 <= 4 && (c[3] - $3)^2 <= 4) found = 1 }
    if (!found) print }' "$tmp/have" "$tmp/want")
[ -z "$missing" ] || fail "colours missing from the page: $missing"
"$cli" print "$sample" "$tmp/no/dir/p.pdf" 2>"$tmp/err"; [ $? -eq 1 ] || fail "bad output"
grep -q "File Write Error" "$tmp/err" || fail "bad output said: $(cat "$tmp/err")"
"$cli" print "$2/empty_v7.hdw" "$tmp/e.pdf" 2>"$tmp/err"; [ $? -eq 1 ] || fail "empty draft"
grep -qx "No Pattern." "$tmp/err" && [ ! -e "$tmp/e.pdf" ] || fail "empty said: $(cat "$tmp/err")"
echo ok
