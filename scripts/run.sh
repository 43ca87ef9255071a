#!/usr/bin/env bash
# Builds Lumivo and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
exec build/src/app/lumivo "$@"
