#!/usr/bin/env bash
# Builds Kelvarin for Windows and runs it under Wine with the simulated keyboard.
# Without a display it runs under Xvfb, writes a screenshot, prints its path and
# ends the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Kelvarin HidServ kbsim kv_data
export WINEPREFIX="$PWD/build/windows/wineprefix"
stage="$PWD/build/windows/stage"
if [ -n "${DISPLAY:-}" ]; then
  cd "$stage" && exec "$OLDPWD/scripts/wine-run.sh" Kelvarin.exe "$@"
fi
source scripts/xvfb.sh
scripts/wine-run.sh wineboot -i >/dev/null 2>&1 || true
( cd "$stage" && "$OLDPWD/scripts/wine-run.sh" Kelvarin.exe "$@" ) &
app=$!
sleep "${KV_SCREENSHOT_DELAY:-8}"
mkdir -p build/screenshots
shot="$PWD/build/screenshots/kelvarin-$(date +%Y%m%d-%H%M%S).png"
import -window root "$shot"
( cd "$stage" && "$OLDPWD/scripts/wine-run.sh" Kelvarin.exe /Kill ) || true
wait "$app" 2>/dev/null || true
wineserver -k 2>/dev/null || true
echo "screenshot: $shot"
