#!/usr/bin/env bash
# Screenshots of every page of the window under Xvfb, into docs/. The window
# also has to open, move by its caption strip and close, or this fails.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target lumivo_screenshots
xvfb-run -a -s "-screen 0 1024x768x24" build/src/app/lumivo_screenshots docs
