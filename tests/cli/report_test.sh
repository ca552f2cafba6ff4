#!/usr/bin/env bash
# heddlewise-cli report: the editor's report texts, in a chosen language.
set -u
cli=$1
sample="$2/sample_v7_e.hdw" # 12 ends, 10 picks used; 4 shafts
fail() { echo "FAIL: $*"; exit 1; }
out=$("$cli" report repeats "$sample") || fail "repeats failed"
[ "$out" = "$(printf 'Repeats\nPattern: sample_v7_e.hdw\n\nWarp:\n  Threading = 12\n  Warp Colors = 12\n  Total Repeat = 12\n\nWeft:\n  Treadling = 10\n  Weft Colors = 10\n  Total Repeat = 10')" ] \
  || fail "repeats: $out"
"$cli" report heddles "$sample" | grep -qx '   2      3' || fail "heddles"
"$cli" report colors "$sample" --language=sv | grep -qx 'Färg     Trådar    %Trådar' || fail "colors in Swedish"
"$cli" report floats "$sample" --language de | grep -qx 'Längste Kettflottung unten = 10' || fail "floats in German"
for bad in "sums $sample" "floats" "floats $sample --language xx" "floats $sample --lang de"; do
  # shellcheck disable=SC2086
  "$cli" report $bad >/dev/null 2>&1; [ $? -eq 2 ] || fail "'$bad' must be a usage error"
done
"$cli" report floats /nonexistent.hdw 2>/dev/null; [ $? -eq 1 ] || fail "a missing file must exit 1"
echo ok
