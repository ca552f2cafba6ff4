#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the whole suite once,
# then the core tests again under AddressSanitizer and UBSan.
set -eu
cd "$(dirname "$0")"
. scripts/deps.sh
hw_install_deps
jobs=$(hw_jobs)

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$jobs"
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs" --timeout 600)

# Installed into a temporary prefix, both programs run from there; the
# Debian package builds and names what the editor needs.
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install build --prefix "$prefix" >/dev/null
"$prefix/bin/heddlewise-cli" --version
QT_QPA_PLATFORM=offscreen "$prefix/bin/heddlewise" --version
"$prefix/bin/heddlewise-cli" dump "$prefix/share/heddlewise/samples/twill-2-2.hdw" | jq -e '.Shafts == 4' >/dev/null
(cd build && cpack -G DEB >/dev/null)
depends=$(dpkg-deb -f build/heddlewise_*.deb Depends)
for p in libqt6widgets6 qt6-qpa-plugins libpng16-16; do
  grep -q "$p" <<< "$depends" || { echo "The package does not name $p: $depends" >&2; exit 1; }
done

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DHEDDLEWISE_SANITIZE=ON \
  -DHEDDLEWISE_BUILD_APP=OFF -DHEDDLEWISE_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan --target heddlewise_core_tests heddlewise-cli -j "$jobs"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j "$jobs" -L 'core|cli' --timeout 900)
# A minute of the WIF reader under libFuzzer, from the hand-written files (and
# the real files beside the repository, when they are there).
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DHEDDLEWISE_FUZZ=ON \
  -DHEDDLEWISE_BUILD_APP=OFF -DHEDDLEWISE_BUILD_CLI=OFF -DHEDDLEWISE_BUILD_TESTS=OFF \
  -DHEDDLEWISE_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz --target read_wif -j "$jobs"
seeds=(../tests/data/wif)
[ -d ../shared/wif-samples ] && seeds+=(../../shared/wif-samples)
mkdir -p build-fuzz/wif-corpus
(cd build-fuzz && ./fuzz/read_wif -max_total_time=60 -max_len=70000 -dict=../fuzz/wif.dict \
  wif-corpus "${seeds[@]}" >wif-fuzz.log 2>&1) || { tail -n 40 build-fuzz/wif-fuzz.log; exit 1; }
tail -n 1 build-fuzz/wif-fuzz.log
echo "All tests passed."
