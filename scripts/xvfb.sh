# Sourced: when there is no display, start a private Xvfb for this shell and
# stop it on exit. Sets DISPLAY.
if [ -z "${DISPLAY:-}" ]; then
  kv_xvfb_fd=$(mktemp)
  Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp >"$kv_xvfb_fd" 2>/dev/null &
  kv_xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$kv_xvfb_fd" ] && break; sleep 0.1; done
  export DISPLAY=":$(head -n1 "$kv_xvfb_fd")"
  rm -f "$kv_xvfb_fd"
  trap 'kill $kv_xvfb_pid 2>/dev/null || true' EXIT
fi
