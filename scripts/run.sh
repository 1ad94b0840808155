#!/usr/bin/env bash
# Builds Kelvarin for Windows and runs it under Wine with the simulated keyboard,
# in a Wine prefix of its own (build/windows/wineprefix-demo).
#   scripts/run.sh [PROGRAM ARGS...]
#   KV_LANG=zh-CN scripts/run.sh     language: en, zh-CN or zh-TW (default: as stored)
# With a display it runs until you exit it from its tray menu. Without one it
# runs under Xvfb, waits for the main window, writes a screenshot, prints its
# path and ends the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target Kelvarin HidServ kbsim kvwait kv_data
export WINEPREFIX="$PWD/build/windows/wineprefix-demo"
stage="$PWD/build/windows/stage"
wine_run() { (cd "$stage" && "$OLDPWD/scripts/wine-run.sh" "$@"); }

source scripts/xvfb.sh
wineserver -k 2>/dev/null || true   # a demo left running would keep the old copy
case "${KV_LANG:-}" in
  "") ;;
  en) language=1033 ;;
  zh-CN) language=2052 ;;
  zh-TW) language=1028 ;;
  *) echo "run: KV_LANG must be en, zh-CN or zh-TW" >&2; exit 2 ;;
esac
if [ -n "${language:-}" ]; then
  wine_run reg add 'HKCU\Software\QX5307' /v dwLanguageId /t REG_DWORD /d "$language" /f >/dev/null 2>&1
fi
echo "run: drive the simulated keyboard with scripts/kbsim.sh plug | unplug | layer | status | help"

if [ -z "${kv_xvfb_pid:-}" ]; then
  cd "$stage" && exec "$OLDPWD/scripts/wine-run.sh" Kelvarin.exe "$@"
fi

kv_on_exit 'wineserver -k 2>/dev/null || true'
wine_run Kelvarin.exe "$@" &
app=$!
if ! wine_run kvwait.exe 60; then
  echo "run: the main window did not appear within 60 s; no screenshot" >&2
  exit 1
fi
mkdir -p build/screenshots
shot="$PWD/build/screenshots/kelvarin-${KV_LANG:-stored}-$(date +%Y%m%d-%H%M%S).png"
import -window root "$shot"
wine_run Kelvarin.exe /Kill || true
wait "$app" 2>/dev/null || true
echo "screenshot: $shot"
