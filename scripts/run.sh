#!/usr/bin/env bash
# Builds and starts ORLAN. Without a display (no X11 or Wayland session) it prints the tact table
# of the demo program (MVI A,7Fh / OUT 00h / MVI A,41h / OUT 00h / HLT: "A" on the monitor) with
# the headless runner instead.
set -euo pipefail
cd "$(dirname "$0")/.."
# What is being installed and built goes to the terminal: a first run takes minutes.
scripts/setup.sh orlan orlan-cli >&2
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: showing the demo program's tact table instead of the window." >&2
  exec build/bin/orlan-cli --poke 0000=3E7FD3003E41D30076 --run --trace table
fi
echo "Starting build/bin/orlan…"
exec build/bin/orlan "$@"
