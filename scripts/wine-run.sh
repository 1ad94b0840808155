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
  # The program asks for "Arial Unicode MS" (and "Tahoma Unicode MS"), which a
  # Wine prefix lacks: without a stand-in with Chinese glyphs those texts show boxes.
  if [ ! -f "$WINEPREFIX/.kv-fonts" ]; then
    replaced=1
    for face in "Arial Unicode MS" "Tahoma Unicode MS"; do
      "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ /d "WenQuanYi Micro Hei" /f \
        >/dev/null 2>&1 || replaced=0
    done
    [ "$replaced" -eq 0 ] || touch "$WINEPREFIX/.kv-fonts"
  fi
) 9>"$WINEPREFIX.lock"
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$WINE" "$@"
fi
exec "$WINE" "$@"
