#!/usr/bin/env bash
# Installs what is missing, builds, and opens the Heddlewise editor.
# Extra arguments go to the editor, e.g. ./run.sh ~/patterns/rosepath.hdw
set -eu
cd "$(dirname "$0")"
. scripts/deps.sh
hw_install_deps
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target heddlewise heddlewise-cli -j "$(hw_jobs)"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" = "" ]; then
  echo "No display found. To run the editor without a screen, use:" >&2
  echo "  xvfb-run -a ./run.sh $*" >&2
  exit 1
fi
exec ./build/src/app/heddlewise "$@"
