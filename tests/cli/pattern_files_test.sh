#!/usr/bin/env bash
# heddlewise-cli dump and convert on the sample patterns.
set -u
cli=$1
data=$2
fail() { echo "FAIL: $*"; exit 1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
check() { [ "$(jq -r "$1" "$2")" = "true" ] || fail "$2: $1"; } # a jq test of a file

# dump: one JSON object with the documented keys, in order, and shapes.
e=$tmp/e.json
"$cli" dump "$data/sample_v7_e.hdw" >"$e" 2>"$tmp/err" && [ ! -s "$tmp/err" ] || fail "dump"
want="Ends Picks Shafts Treadles EndsUsed PicksUsed TreadleMode MultipleTr Shed DesignMode Zoom ViewZoom Style LayoutTopBot BottomStart RightStart CkoLeftStart Atopstart Compressed EndsPerUnit PicksPerUnit MetricUnits MarkingOn FullMarking MarkEndsInterval MarkPicksInterval PaletteDisplay RepeatThreading RepeatTreadling RepeatWarpColors RepeatWeftColors Threading Treadling WarpColors WeftColors Liftplan TieUp DesignGrid Palette TransUnitSize TransUnit1 TransUnit2 Notes"
[ "$(jq -r 'keys_unsorted | join(" ")' "$e")" = "$want" ] || fail "dump keys"
check '([.Threading, .Treadling, .WarpColors, .WeftColors, .Liftplan] | map(length)) == [9600,9600,9600,9600,9600]
  and .Threading[0:13] == [1,2,3,4,1,2,3,4,0,4,3,2,0] and .TieUp[0][0:7] == "1000110" and (.TieUp | length) == 16
  and (.DesignGrid | length) == 50 and (.DesignGrid | all(test("^[01]{50}$"))) and .Palette[255] == "#FF007F"
  and .TransUnitSize == [5,3] and .TransUnit1[0] == "1000100000000001" and .Notes == "Twill \u00e4\u20ac"
  and .RepeatThreading == 12' "$e"
# Liftplan rows are integers, bit k-1 for element k; Design mode reads the companion.
"$cli" dump "$data/sample_v7_d.hdw" >"$tmp/d.json" || fail "dump of a liftplan pattern"
check '.Liftplan[0:2] == [7, 270] and .Liftplan[9] == 312' "$tmp/d.json"
"$cli" dump "$data/design_v7.hdw" >"$tmp/design.json" || fail "dump of a design pattern"
check '.DesignMode and .DesignGrid[0][0:7] == "1000001"' "$tmp/design.json"

# Damaged and missing files: exit 1, the editor's message, no output.
for case in "broken_truncated.hdw:Read beyond end of file" \
            "broken_version8.hdw:File Read Error: Incompatible file version" \
            "none.hdw:Cannot find $data/none.hdw"; do
  "$cli" dump "$data/${case%%:*}" >"$tmp/out" 2>"$tmp/err"
  [ $? -eq 1 ] && [ ! -s "$tmp/out" ] || fail "dump ${case%%:*} must exit 1 silently"
  [ "$(cat "$tmp/err")" = "${case#*:}" ] || fail "dump ${case%%:*} said: $(cat "$tmp/err")"
done

# convert: the current layout reproduces a canonical file byte for byte; the
# headerless layout starts with the type letter and the zoom and keeps the
# threading; Design mode writes the companion too.
"$cli" convert "$data/sample_v7_e.hdw" "$tmp/same.hdw" || fail "convert to hdw"
cmp -s "$data/sample_v7_e.hdw" "$tmp/same.hdw" || fail "convert to hdw changed the bytes"
"$cli" convert "$data/sample_v7_e.hdw" "$tmp/old.hdw" --format=hdw12 || fail "convert hdw12"
[ "$(od -An -tu1 -N2 "$tmp/old.hdw" | xargs)" = "101 9" ] || fail "hdw12 layout"
"$cli" dump "$tmp/old.hdw" | jq -e --slurpfile a "$e" '.Threading == $a[0].Threading and .Ends == 600' \
  >/dev/null || fail "hdw12 lost data"
"$cli" convert "$data/design_v7.hdw" "$tmp/design.hdw" --format hdw || fail "convert a design pattern"
"$cli" dump "$tmp/design.hdw" | jq -e '.DesignGrid[0][0:7] == "1000001"' >/dev/null || fail "no design file"
# Bad requests and unwritable targets.
"$cli" convert "$data/sample_v7_e.hdw" "$tmp/x.hdw" --format hdw9 2>/dev/null; [ $? -eq 2 ] || fail "unknown format"
"$cli" convert "$data/sample_v7_e.hdw" "$tmp/no/x.hdw" 2>"$tmp/err"; [ $? -eq 1 ] || fail "unwritable target"
[ "$(cat "$tmp/err")" = "File Write Error" ] || fail "unwritable target said: $(cat "$tmp/err")"
"$cli" convert "$data/broken_truncated.hdw" "$tmp/y.hdw" 2>/dev/null; [ $? -eq 1 ] || fail "unreadable input"
[ -e "$tmp/y.hdw" ] && fail "a failed convert wrote a file"
# WIF files, known by the extension or by a first [WIF] section.
"$cli" dump "$data/wif/both_multiple.wif" | jq -e '.Liftplan[3] == 16' >/dev/null || fail "WIF"
cp "$data/wif/skipped.wif" "$tmp/wif" && "$cli" convert "$tmp/wif" "$tmp/w.hdw" 2>"$tmp/err" &&
  grep -q "^10 " "$tmp/err" && "$cli" dump "$tmp/w.hdw" | check '.Threading[3] == 2' /dev/stdin ||
  fail "convert a WIF file without its extension, counting what it skipped"
"$cli" dump "$data/wif/limit_picks.wif" 2>"$tmp/err" >/dev/null; [ $? -eq 1 ] || fail "WIF limit"
grep -q "12000 picks.*9600" "$tmp/err" || fail "the WIF refusal names no limit"
echo ok
