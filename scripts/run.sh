#!/usr/bin/env bash
# Builds and starts ORLAN. Until the window exists, this runs the headless runner on the demo
# program MVI A,41h / OUT 00h / HLT and prints its tact table.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
exec build/bin/orlan-cli --poke 0000=3E41D30076 --run --trace table "$@"
