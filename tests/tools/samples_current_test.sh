#!/usr/bin/env bash
# The checked-in samples are what the generator makes now (else: build update_samples).
set -u
generator=$1 notes=$2 samples=$3
out=$(mktemp -d); trap 'rm -rf "$out"' EXIT
"$generator" "$notes" "$out" || { echo "FAIL: the generator failed"; exit 1; }
diff -r -x CMakeLists.txt "$out" "$samples" || { echo "FAIL: resources/samples is out of date"; exit 1; }
echo ok
