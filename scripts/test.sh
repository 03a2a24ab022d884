#!/usr/bin/env bash
# Installs what is missing, builds Lintaro with its tests and benchmarks, and runs the tests.
#   scripts/test.sh             the whole suite
#   scripts/test.sh --sanitize  the same under AddressSanitizer and UBSan (build/asan)
#   scripts/test.sh --clang     the tests built with Clang, warnings as errors (build/clang)
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/test
flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitize" ]; then
  build=build/asan
  flags=(-DCMAKE_BUILD_TYPE=Debug -DLINTARO_SANITIZE=ON -DLINTARO_BUILD_BENCH=OFF)
  export ASAN_OPTIONS=detect_leaks=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
elif [ "${1:-}" = "--clang" ]; then
  build=build/clang
  flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DLINTARO_BUILD_BENCH=OFF -DCMAKE_CXX_FLAGS=-Werror)
  export CC=clang CXX=clang++
fi

scripts/install-deps.sh
scripts/start-print-queue.sh || echo "note: no print queue; the queue test will be skipped"

cmake -S . -B "$build" "${flags[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
