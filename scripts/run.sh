#!/usr/bin/env bash
# Builds the project and starts the hall with a Go table. Arguments go to gohall, for example a
# game record to open, or "--screenshot table.png" to render the window to a picture. Paths are
# taken relative to the folder the script is started from.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

(
  cd "$root"
  scripts/setup.sh
  cmake --preset default >/dev/null
  cmake --build --preset default --target gohall
)

args=("$@")
has_platform=0
wants_picture=0
for arg in "${args[@]}"; do
  case "$arg" in
    -platform|-platform=*|--platform|--platform=*) has_platform=1 ;;
    --screenshot|--screenshot=*|--engines|--engines=*) wants_picture=1 ;;
  esac
done
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ] && [ "$has_platform" = 0 ]; then
  if [ "$wants_picture" = 1 ]; then
    args=(-platform offscreen "${args[@]}")
  else
    echo "gohall needs a display: run it on a desktop, or under xvfb-run; without one, --screenshot FILE.png renders the table to a picture and --engines runs headless." >&2
    exit 1
  fi
fi

exec "$root/build/default/bin/gohall" "${args[@]}"
