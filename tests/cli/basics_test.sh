#!/usr/bin/env bash
# heddlewise-cli: help, version and usage errors; the tool must not pull in Qt.
set -u
cli=$1
samples=$2/../../resources/samples
fail() { echo "FAIL: $*"; exit 1; }
"$cli" --help | grep -q "usage: heddlewise-cli" || fail "--help has no usage line"
"$cli" --help | grep -q "draft-image FILE" || fail "--help lists no draft-image"
"$cli" --version | grep -qE '^Heddlewise-cli [0-9]+\.[0-9]+\.[0-9]+$' || fail "bad --version"
"$cli" no-such-command 2>/dev/null; [ $? -eq 2 ] || fail "unknown command must exit 2"
"$cli" 2>/dev/null; [ $? -eq 2 ] || fail "no arguments must exit 2"
! ldd "$cli" | grep -qi 'libQt' || fail "heddlewise-cli links Qt"
# One example per command in --help, each working on the shipped samples.
commands=$("$cli" --help | grep -cE '^  [a-z-]+ ')
examples=$("$cli" --help | sed -n 's/^      e\.g\. //p')
[ "$(echo "$examples" | grep -c .)" -eq "$commands" ] || fail "not one example per command"
work=$(mktemp -d) && trap 'rm -rf "$work"' EXIT && cp "$samples"/*.hdw "$work"/
bin=$(cd "$(dirname "$cli")" && pwd)
while read -r example; do
  (cd "$work" && PATH="$bin:$PATH" bash -o pipefail -c "$example" >/dev/null) ||
    fail "example fails: $example"
done <<< "$examples"
echo ok
