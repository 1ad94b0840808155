#!/usr/bin/env bash
# wine-run.sh PROGRAM.exe [ARGS...]: Wine with a prepared prefix and a display.
# WINEPREFIX must be set. The first use creates the prefix (once, under a lock).
set -u
: "${WINEPREFIX:?WINEPREFIX must be set}"
export WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
WINE=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
mkdir -p "$(dirname "$WINEPREFIX")"
(
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$WINE" wineboot -i >/dev/null 2>&1
    wineserver -w 2>/dev/null || true
  fi
  # Xvfb has no window manager: a managed window waits 2 s for one at every close.
  if [ ! -f "$WINEPREFIX/.kv-unmanaged" ]; then
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 &&
      touch "$WINEPREFIX/.kv-unmanaged"
  fi
  # Windows draws Chinese text through fonts this prefix lacks (the Unicode
  # faces the program names, and those its dialog font links to): stand a
  # Chinese font in for them.
  if [ ! -f "$WINEPREFIX/.kv-fonts" ]; then
    reg="$WINEPREFIX/drive_c/kv-fonts.reg"
    {
      printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
      for face in "Arial Unicode MS" "Tahoma Unicode MS" "Verdana Unicode MS" SimSun PMingLiU "Microsoft YaHei"; do
        printf '"%s"="WenQuanYi Micro Hei"\r\n' "$face"
      done
    } >"$reg"
    "$WINE" regedit /S 'C:\kv-fonts.reg' >/dev/null 2>&1 && touch "$WINEPREFIX/.kv-fonts"
    rm -f "$reg"
  fi
) 9>"$WINEPREFIX.lock"
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$WINE" "$@"
fi
exec "$WINE" "$@"
