#!/usr/bin/env bash
# The desktop entry validates and names what exists; the file types load
# without a complaint and tell every sample by its name and by its content
# alone, and a WIF file too.
set -u
resources=$1 cli=$2
fail() { echo "FAIL: $*"; exit 1; }
entry=$resources/desktop/heddlewise.desktop xml=$resources/desktop/heddlewise-mime.xml
out=$(desktop-file-validate "$entry" 2>&1) && [ -z "$out" ] || fail "desktop entry: $out"
for type in $(sed -n 's/^MimeType=//p' "$entry" | tr ';' ' '); do
  grep -q "<mime-type type=\"$type\">" "$xml" || fail "the entry opens $type, which no file type defines"
done
icons=$resources/icons/hicolor
[ -f "$icons/scalable/apps/$(sed -n 's/^Icon=//p' "$entry").svg" ] || fail "no SVG icon"
for png in "$icons"/*x*/apps/heddlewise.png; do
  size=$(basename "$(dirname "$(dirname "$png")")")
  read -r w h <<< "$(od -An -tu1 -j16 -N8 "$png" | awk '{print $3*256+$4, $7*256+$8}')"
  [ "${w}x${h}" = "$size" ] || fail "$png is ${w}x${h}"
done

xmllint --noout "$xml" || fail "the MIME XML is not well-formed"
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/mime/packages" "$tmp/probe"
cp /usr/share/mime/packages/freedesktop.org.xml "$tmp/mime/packages/"
cp "$xml" "$tmp/mime/packages/heddlewise.xml"
export XDG_DATA_HOME=$tmp XDG_DATA_DIRS=$tmp
out=$(update-mime-database "$tmp/mime" 2>&1) && [ -z "$out" ] || fail "update-mime-database: $out"
type_of() { gio info -a standard::content-type "$1" | sed -n 's/.*standard::content-type: //p'; }
expect() { [ "$(type_of "$1")" = "$2" ] || fail "$1 is $(type_of "$1"), not $2"; }
for sample in "$resources"/samples/*.hdw; do
  cp "$sample" "$tmp/probe/$(basename "$sample" .hdw)"
  expect "$sample" application/x-heddlewise
  expect "$tmp/probe/$(basename "$sample" .hdw)" application/x-heddlewise
done
"$cli" wif "$resources/samples/twill-2-2.hdw" "$tmp/probe/twill.wif" || fail "no WIF file"
cp "$tmp/probe/twill.wif" "$tmp/probe/twill-wif"
expect "$tmp/probe/twill.wif" application/x-wif
expect "$tmp/probe/twill-wif" application/x-wif
# A brace alone does not make a pattern.
printf '{"Ends": 2}\n' > "$tmp/probe/json"
[ "$(type_of "$tmp/probe/json")" != application/x-heddlewise ] || fail "JSON taken for a pattern"
echo ok
