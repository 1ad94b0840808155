#!/usr/bin/env bash
# wine-run.sh PROGRAM.exe [ARGS...]: Wine with a prepared prefix and a display.
# WINEPREFIX must be set. The first use creates the prefix (once, under a lock).
# No Mono or Gecko prompts; WINEDLLOVERRIDES given by the caller is kept.
set -u
: "${WINEPREFIX:?WINEPREFIX must be set}"
export WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
WINE=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
mkdir -p "$(dirname "$WINEPREFIX")"
# Programs started under the lock must not inherit it (9>&-): a Wine server
# started there would hold it for as long as it runs.
(
  flock 9
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$WINE" wineboot -i >/dev/null 2>&1 9>&-
    wineserver -w 2>/dev/null 9>&- || true
  fi
  if [ ! -f "$WINEPREFIX/.kv-settings-1" ]; then
    reg() { "$WINE" reg add "$1" /v "$2" /t "$3" /d "$4" /f >/dev/null 2>&1 9>&-; }
    ok=1
    # Xvfb has no window manager: a managed window waits 2 s for one at every close.
    reg 'HKCU\Software\Wine\X11 Driver' Managed REG_SZ N || ok=0
    # Chinese texts: the dialog and caption fonts fall back to WenQuanYi Micro Hei
    # for the characters they lack, and the "Unicode MS" faces the windows ask for are it.
    for face in "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif" "Arial" "Verdana" "Segoe UI"; do
      reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' "$face" REG_MULTI_SZ \
        "wqy-microhei.ttc,WenQuanYi Micro Hei" || ok=0
    done
    for face in "Arial Unicode MS" "Verdana Unicode MS" "Tahoma Unicode MS"; do
      reg 'HKCU\Software\Wine\Fonts\Replacements' "$face" REG_SZ "WenQuanYi Micro Hei" || ok=0
    done
    [ $ok -eq 1 ] && touch "$WINEPREFIX/.kv-settings-1"
  fi
) 9>"$WINEPREFIX.lock"
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$WINE" "$@"
fi
exec "$WINE" "$@"
