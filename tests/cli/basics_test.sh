#!/usr/bin/env bash
# heddlewise-cli: help, version and usage errors.
set -u
cli=$1
fail() { echo "FAIL: $*"; exit 1; }

out=$("$cli" --help) || fail "--help exits non-zero"
grep -q "usage: heddlewise-cli" <<<"$out" || fail "--help has no usage line"
out=$("$cli" --version) || fail "--version exits non-zero"
grep -qE '^Heddlewise-cli [0-9]+\.[0-9]+\.[0-9]+$' <<<"$out" || fail "bad --version: $out"
"$cli" no-such-command 2>/dev/null; [ $? -eq 2 ] || fail "unknown command must exit 2"
"$cli" 2>/dev/null; [ $? -eq 2 ] || fail "no arguments must exit 2"
# The tool must not pull in Qt.
if command -v ldd >/dev/null; then
  ldd "$cli" | grep -qi 'libQt' && fail "heddlewise-cli links Qt"
fi
echo ok
