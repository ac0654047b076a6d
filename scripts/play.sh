#!/usr/bin/env bash
# Sets up, builds and runs the game.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
exec build/bin/tarnholt
