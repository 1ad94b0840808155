#!/usr/bin/env bash
# Drives the simulated keyboard of the program that scripts/run.sh started:
#   scripts/kbsim.sh plug | unplug | layer | status | help | ...
set -euo pipefail
cd "$(dirname "$0")/.."
export WINEPREFIX="$PWD/build/windows/wineprefix-demo"
cd build/windows/stage && exec "$OLDPWD/scripts/wine-run.sh" kbsim.exe "$@"
