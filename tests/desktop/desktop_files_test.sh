#!/usr/bin/env bash
# The desktop entry validates and names what exists; the file types load without
# a complaint and tell every sample, and a WIF file, by name and by content.
set -u
resources=$1 cli=$2
fail() { echo "FAIL: $*"; exit 1; }
entry=$resources/desktop/heddlewise.desktop xml=$resources/desktop/heddlewise-mime.xml
out=$(desktop-file-validate "$entry" 2>&1) && [ -z "$out" ] || fail "desktop entry: $out"
for type in $(sed -n 's/^MimeType=//p' "$entry" | tr ';' ' '); do
  grep -q "<mime-type type=\"$type\">" "$xml" || fail "the entry opens $type, which no file type defines"
done
icon=$(sed -n 's/^Icon=//p' "$entry")
[ -f "$resources/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no SVG icon"
for png in "$resources"/icons/hicolor/*x*/apps/"$icon".png; do
  size=$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4 "x" $7*256+$8}')
  [[ $png == */${size}/apps/* ]] || fail "$png is $size"
done

tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/mime/packages" "$tmp/probe"
cp /usr/share/mime/packages/freedesktop.org.xml "$tmp/mime/packages/"
cp "$xml" "$tmp/mime/packages/heddlewise.xml"
export XDG_DATA_HOME=$tmp XDG_DATA_DIRS=$tmp
out=$(update-mime-database "$tmp/mime" 2>&1) && [ -z "$out" ] || fail "update-mime-database: $out"
type_of() { gio info -a standard::content-type "$1" | sed -n 's/.*content-type: //p'; }
expect() { [ "$(type_of "$1")" = "$2" ] || fail "$1 is $(type_of "$1"), not $2"; }
# Without an extension only the magic can tell.
for sample in "$resources"/samples/*.hdw; do
  cp "$sample" "$tmp/probe/sample"
  expect "$sample" application/x-heddlewise
  expect "$tmp/probe/sample" application/x-heddlewise
done
"$cli" wif "$resources/samples/twill-2-2.hdw" "$tmp/probe/twill.wif" || fail "no WIF file"
cp "$tmp/probe/twill.wif" "$tmp/probe/twill-wif"
for f in twill.wif twill-wif; do expect "$tmp/probe/$f" application/x-wif; done
printf '{"Ends": 2}\n' > "$tmp/probe/json"
[ "$(type_of "$tmp/probe/json")" != application/x-heddlewise ] || fail "JSON taken for a pattern"
echo ok
