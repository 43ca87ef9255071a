#!/usr/bin/env bash
# Configures and builds Lumivo in build/ (extra CMake options may follow).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build -G Ninja "${launcher[@]}" "$@" >/dev/null
cmake --build build
