# Sourced by the scripts: clean-up on exit, and a private Xvfb when there is no display.
#   kv_on_exit 'command'   runs the command when the script ends, last added first
# When DISPLAY is empty it starts Xvfb, sets DISPLAY and stops Xvfb on exit; it
# fails (returns 1) with one line when Xvfb does not come up.
kv_exit_actions=()
kv_on_exit() { kv_exit_actions+=("$1"); }
kv_run_exit_actions() {
  local i
  for ((i = ${#kv_exit_actions[@]} - 1; i >= 0; i--)); do eval "${kv_exit_actions[i]}"; done
}
trap kv_run_exit_actions EXIT

if [ -z "${DISPLAY:-}" ]; then
  if ! command -v Xvfb >/dev/null; then
    echo "xvfb: Xvfb is not installed (Debian package xvfb; scripts/bootstrap.sh installs it)" >&2
    return 1
  fi
  kv_xvfb_fd=$(mktemp)
  Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp >"$kv_xvfb_fd" 2>/dev/null &
  kv_xvfb_pid=$!
  kv_on_exit 'kill $kv_xvfb_pid 2>/dev/null || true'
  kv_display=""
  for _ in $(seq 100); do
    kv_display=$(head -n1 "$kv_xvfb_fd" 2>/dev/null)
    [ -n "$kv_display" ] && break
    kill -0 "$kv_xvfb_pid" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$kv_xvfb_fd"
  if ! [[ "$kv_display" =~ ^[0-9]+$ ]] || ! kill -0 "$kv_xvfb_pid" 2>/dev/null; then
    echo "xvfb: Xvfb did not start, so there is no display for Wine" >&2
    return 1
  fi
  export DISPLAY=":$kv_display"
fi
