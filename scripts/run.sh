#!/usr/bin/env bash
# Builds the project and replays a ".go" game record: the final position and the count. Without
# an argument it writes and replays a short sample game.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target gocli

gocli=build/default/bin/gocli
record="${1:-}"
if [ -z "$record" ]; then
  record=build/default/sample.go
  "$gocli" demo "$record"
fi
"$gocli" replay "$record"
