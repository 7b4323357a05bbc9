#!/usr/bin/env bash
# Builds the project and starts the hall with a Go table. Arguments go to gohall, for example a
# game record to open, or "-platform offscreen --screenshot table.png" on a machine without a
# display.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target gohall

exec build/default/bin/gohall "$@"
