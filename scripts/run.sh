#!/usr/bin/env bash
# Builds and starts ORLAN. Without a display (no X11 or Wayland session) it prints the tact table
# of the demo program MVI A,41h / OUT 00h / HLT with the headless runner instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh >/dev/null
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: showing the demo program's tact table instead of the window." >&2
  exec build/bin/orlan-cli --poke 0000=3E41D30076 --run --trace table
fi
exec build/bin/orlan "$@"
