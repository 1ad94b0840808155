#!/usr/bin/env bash
# Builds and runs every test: native (ASan + UBSan), then Windows and end-to-end
# under Wine. Ends with one line "N passed, N failed"; exits non-zero when
# anything failed.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh || exit 1
source scripts/xvfb.sh || exit 1
export WINEPREFIX="$PWD/build/windows/wineprefix"   # the tests' own; the demo has another
logs=$(mktemp -d)
kv_on_exit 'rm -rf "$logs"'

# A run that was interrupted leaves its Wine server and program copies running
# in the test prefix, where they would answer this run's single-instance
# checks: stop them before starting and whenever this run ends.
# The installer's test runs in a prefix of its own, stopped here as well.
stop_wine() {
  local p
  for p in "$WINEPREFIX" "$PWD/build/windows/installer-prefix"; do
    [ -d "$p" ] && WINEPREFIX="$p" wineserver -k 2>/dev/null
  done
  true
}
stop_wine
kv_on_exit stop_wine

# Each step runs in the background, so that a signal to this script is handled
# at once: it ends the step, and the exit actions stop Wine.
step_pid=""
on_signal() {
  [ -n "$step_pid" ] && kill "$step_pid" 2>/dev/null
  stop_wine
  exit "$1"
}
trap 'on_signal 130' INT
trap 'on_signal 143' TERM
step() {  # step LOG COMMAND...: output shown and kept in LOG; the command's status
  local log=$1
  shift
  "$@" > >(tee "$log") 2>&1 &
  step_pid=$!
  wait "$step_pid"
  local status=$?
  step_pid=""
  return $status
}

status=0
cmake --preset native-asan >/dev/null && step "$logs/native-build" cmake --build --preset native-asan || exit 1
step "$logs/native-bench-build" cmake --build --preset native-asan --target benchmarks || exit 1   # built, so they keep compiling
step "$logs/native.log" ctest --preset native-asan -j2 || status=1

cmake --preset windows >/dev/null && step "$logs/windows-build" cmake --build --preset windows || exit 1
step "$logs/release-build" cmake --build --preset windows --target installer portable benchmarks || exit 1   # release artefacts the tests check; benchmarks built
scripts/wine-run.sh wineboot -i >/dev/null 2>&1 || true   # prefix ready before the clock starts
wineserver -p 2>/dev/null || true                        # one server for all tests
step "$logs/windows.log" ctest --preset windows || status=1
stop_wine

# One closing line for both runs.
total=0; failed=0
for f in "$logs"/*.log; do
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$f" | tail -n1)
  [ -n "$line" ] || { status=1; continue; }
  f_failed=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$line")
  f_total=$(sed -E 's/.* tests failed out of ([0-9]+).*/\1/' <<<"$line")
  total=$((total + f_total)); failed=$((failed + f_failed))
done
echo "$((total - failed)) passed, $failed failed"
[ "$failed" -eq 0 ] || status=1
exit $status
