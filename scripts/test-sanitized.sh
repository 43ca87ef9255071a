#!/usr/bin/env bash
# Builds Lumivo with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-sanitize/ and runs every test there, the fuzz corpora included.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-sanitize -G Ninja "${launcher[@]}" -DCMAKE_BUILD_TYPE=Debug -DLUMIVO_SANITIZE=ON \
  -DLUMIVO_BENCH=OFF >/dev/null
cmake --build build-sanitize
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/fuzz/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-sanitize --output-on-failure -j "$(nproc)"
