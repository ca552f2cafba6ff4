#!/usr/bin/env bash
# heddlewise-cli: help, version and usage errors; the tool must not pull in Qt.
set -u
cli=$1
fail() { echo "FAIL: $*"; exit 1; }
"$cli" --help | grep -q "usage: heddlewise-cli" || fail "--help has no usage line"
"$cli" --help | grep -q "draft-image FILE" || fail "--help lists no draft-image"
"$cli" --version | grep -qE '^Heddlewise-cli [0-9]+\.[0-9]+\.[0-9]+$' || fail "bad --version"
"$cli" no-such-command 2>/dev/null; [ $? -eq 2 ] || fail "unknown command must exit 2"
"$cli" 2>/dev/null; [ $? -eq 2 ] || fail "no arguments must exit 2"
! ldd "$cli" | grep -qi 'libQt' || fail "heddlewise-cli links Qt"
echo ok
