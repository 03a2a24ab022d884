#!/usr/bin/env bash
# Installs what is missing, builds Lintaro and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DLINTARO_BUILD_TESTS=OFF \
  -DLINTARO_BUILD_BENCH=OFF >/dev/null
cmake --build build/release --target lintaro -j"$(nproc)"
exec build/release/lintaro "$@"
