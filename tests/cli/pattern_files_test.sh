#!/usr/bin/env bash
# heddlewise-cli dump and convert on the sample patterns.
set -u
cli=$1
data=$2
fail() { echo "FAIL: $*"; exit 1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# dump: one JSON object with the documented keys, in order.
"$cli" dump "$data/sample_v7_e.hdw" >"$tmp/e.json" 2>"$tmp/err" || fail "dump exits non-zero: $(cat "$tmp/err")"
[ -s "$tmp/err" ] && fail "dump wrote to stderr: $(cat "$tmp/err")"
keys=$(jq -r 'keys_unsorted | join(" ")' "$tmp/e.json") || fail "dump output is not JSON"
want="Ends Picks Shafts Treadles EndsUsed PicksUsed TreadleMode MultipleTr Shed DesignMode Zoom ViewZoom Style LayoutTopBot BottomStart RightStart CkoLeftStart Atopstart Compressed EndsPerUnit PicksPerUnit MetricUnits MarkingOn FullMarking MarkEndsInterval MarkPicksInterval PaletteDisplay RepeatThreading RepeatTreadling RepeatWarpColors RepeatWeftColors Threading Treadling WarpColors WeftColors Liftplan TieUp DesignGrid Palette TransUnitSize TransUnit1 TransUnit2 Notes"
[ "$keys" = "$want" ] || fail "dump keys: $keys"

check() { # jq expression that must print true
  local got
  got=$(jq -r "$1" "$2") || fail "jq failed on $1"
  [ "$got" = "true" ] || fail "$2: $1 gave $got"
}
e=$tmp/e.json
check '.Ends == 12 and .Picks == 10 and .Shafts == 4 and .Treadles == 6' "$e"
check '.EndsUsed == 12 and .PicksUsed == 10 and .TreadleMode and (.MultipleTr | not)' "$e"
check '[.Threading, .Treadling, .WarpColors, .WeftColors, .Liftplan] | map(length) == [9600,9600,9600,9600,9600]' "$e"
check '.Threading[0:12] == [1,2,3,4,1,2,3,4,0,4,3,2] and .Threading[12] == 0' "$e"
check '.Treadling[0:10] == [1,2,3,4,5,6,0,2,3,1]' "$e"
check '.WeftColors[9] == 255 and .WeftColors[10] == 0 and .WarpColors[12] == 6' "$e"
check '(.TieUp | length) == 16 and (.TieUp | all(length == 16)) and .TieUp[0][0:6] == "100011" and .TieUp[3][0:6] == "001110"' "$e"
check '(.DesignGrid | length) == 50 and (.DesignGrid | all(test("^[01]{50}$")))' "$e"
check '(.Palette | length) == 256 and .Palette[0] == "#00FF00" and .Palette[255] == "#FF007F"' "$e"
check '.TransUnitSize == [5,3] and .TransUnit1[0] == "1000100000000001" and .TransUnit2[1][0:2] == "01"' "$e"
check '.Notes == "Twill \u00e4\u20ac"' "$e"
check '.RepeatThreading == 12 and .Zoom == 9 and .MarkEndsInterval == 8' "$e"

# Liftplan rows are integers, bit k-1 for element k.
"$cli" dump "$data/sample_v7_d.hdw" >"$tmp/d.json" || fail "dump of a liftplan pattern"
check '(.TreadleMode | not) and .Shafts == 10 and .Liftplan[0] == 7 and .Liftplan[1] == 270 and .Liftplan[9] == 312' "$tmp/d.json"
# Design mode reads the companion design file.
"$cli" dump "$data/design_v7.hdw" >"$tmp/design.json" || fail "dump of a design pattern"
check '.DesignMode and .DesignGrid[0][0:7] == "1000001" and .DesignGrid[3][0:7] == "0001000"' "$tmp/design.json"

# Every version opens.
for f in sample_v1_e sample_v3_e sample_v4_e sample_v5_e sample_v6_e sample_v7_f; do
  "$cli" dump "$data/$f.hdw" >"$tmp/$f.json" 2>"$tmp/err" || fail "dump $f: $(cat "$tmp/err")"
done
check '.Ends == 600 and .Picks == 400 and .Notes == "old" and .Threading[0:5] == [1,2,3,4,1]' "$tmp/sample_v1_e.json"
check '.Ends == 500 and .Picks == 500' "$tmp/sample_v4_e.json"
check '.MultipleTr and .Liftplan[0] == 33 and .Liftplan[1] == 2' "$tmp/sample_v7_f.json"

# Damaged, foreign and missing files: exit 1, the editor's message, no output.
for case in "broken_truncated.hdw:Read beyond end of file" \
            "broken_version8.hdw:File Read Error: Incompatible file version" \
            "no_such_file.hdw:Cannot find $data/no_such_file.hdw"; do
  file=${case%%:*}
  msg=${case#*:}
  "$cli" dump "$data/$file" >"$tmp/out" 2>"$tmp/err"
  [ $? -eq 1 ] || fail "dump $file must exit 1"
  [ -s "$tmp/out" ] && fail "dump $file printed output"
  [ "$(cat "$tmp/err")" = "$msg" ] || fail "dump $file said: $(cat "$tmp/err")"
done
"$cli" dump 2>/dev/null; [ $? -eq 2 ] || fail "dump without a file must exit 2"
"$cli" dump a b 2>/dev/null; [ $? -eq 2 ] || fail "dump with two files must exit 2"

# convert: the current layout reproduces a canonical file byte for byte.
"$cli" convert "$data/sample_v7_e.hdw" "$tmp/same.hdw" --format hdw || fail "convert to hdw"
cmp -s "$data/sample_v7_e.hdw" "$tmp/same.hdw" || fail "convert to hdw changed the bytes"
"$cli" convert "$data/sample_v7_e.hdw" "$tmp/default.hdw" || fail "convert without --format"
cmp -s "$data/sample_v7_e.hdw" "$tmp/default.hdw" || fail "convert defaults to hdw"

# Older layouts keep what they can hold.
for f in hdw4:4 hdw3:3; do
  "$cli" convert "$data/sample_v7_e.hdw" "$tmp/old.hdw" --format "${f%%:*}" || fail "convert --format ${f%%:*}"
  [ "$(od -An -tu1 -j1 -N1 "$tmp/old.hdw" | tr -d ' ')" = "${f#*:}" ] || fail "version byte of ${f%%:*}"
  "$cli" dump "$tmp/old.hdw" >"$tmp/old.json" || fail "dump of ${f%%:*}"
  jq -e --slurpfile a "$tmp/e.json" '.Threading == $a[0].Threading and .Treadling == $a[0].Treadling
      and .TieUp == $a[0].TieUp and .Palette == $a[0].Palette and .Notes == $a[0].Notes
      and .Ends == 500' "$tmp/old.json" >/dev/null || fail "${f%%:*} lost data"
done
"$cli" convert "$data/sample_v7_e.hdw" "$tmp/v12.hdw" --format=hdw12 || fail "convert --format=hdw12"
[ "$(head -c1 "$tmp/v12.hdw")" = "e" ] || fail "hdw12 starts with its type letter"
"$cli" dump "$tmp/v12.hdw" >"$tmp/v12.json" || fail "dump of hdw12"
jq -e --slurpfile a "$tmp/e.json" '.Threading == $a[0].Threading and .Treadling == $a[0].Treadling
    and .Ends == 600 and .Notes == $a[0].Notes' "$tmp/v12.json" >/dev/null || fail "hdw12 lost data"

# Design mode writes the companion beside the output.
"$cli" convert "$data/design_v7.hdw" "$tmp/design.hdw" || fail "convert a design pattern"
[ -f "$tmp/design.hdb" ] || fail "no design file beside the output"
"$cli" dump "$tmp/design.hdw" | jq -e '.DesignGrid[0][0:7] == "1000001"' >/dev/null || fail "design lost"

# Bad requests and unwritable targets.
"$cli" convert "$data/sample_v7_e.hdw" "$tmp/x.hdw" --format hdw9 2>/dev/null; [ $? -eq 2 ] || fail "unknown format must exit 2"
"$cli" convert "$data/sample_v7_e.hdw" 2>/dev/null; [ $? -eq 2 ] || fail "missing output must exit 2"
"$cli" convert "$data/sample_v7_e.hdw" "$tmp/no/dir/x.hdw" 2>"$tmp/err"; [ $? -eq 1 ] || fail "unwritable target must exit 1"
[ "$(cat "$tmp/err")" = "File Write Error" ] || fail "unwritable target said: $(cat "$tmp/err")"
"$cli" convert "$data/broken_truncated.hdw" "$tmp/y.hdw" 2>/dev/null; [ $? -eq 1 ] || fail "unreadable input must exit 1"
[ -e "$tmp/y.hdw" ] && fail "a failed convert wrote a file"
"$cli" --help | grep -q "dump FILE" || fail "--help lists dump"
echo ok
