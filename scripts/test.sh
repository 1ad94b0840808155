#!/usr/bin/env bash
# Builds and runs every test: native (ASan + UBSan), then Windows under Wine.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh || exit 1
source scripts/xvfb.sh
export WINEPREFIX="$PWD/build/windows/wineprefix"
logs=$(mktemp -d)
status=0

cmake --preset native-asan >/dev/null && cmake --build --preset native-asan || exit 1
ctest --preset native-asan -j2 2>&1 | tee "$logs/native.log"
[ "${PIPESTATUS[0]}" -eq 0 ] || status=1

cmake --preset windows >/dev/null && cmake --build --preset windows || exit 1
cmake --build --preset windows --target installer portable || exit 1   # release artefacts the tests check
scripts/wine-run.sh wineboot -i >/dev/null 2>&1 || true   # prefix ready before the clock starts
wineserver -p 2>/dev/null || true                        # keep one server for all tests
ctest --preset windows 2>&1 | tee "$logs/windows.log"
[ "${PIPESTATUS[0]}" -eq 0 ] || status=1
wineserver -k 2>/dev/null || true

# One closing line for both runs.
total=0; failed=0
for f in "$logs"/*.log; do
  line=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$f" | tail -n1)
  [ -n "$line" ] || { status=1; continue; }
  f_failed=$(sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/' <<<"$line")
  f_total=$(sed -E 's/.* tests failed out of ([0-9]+).*/\1/' <<<"$line")
  total=$((total + f_total)); failed=$((failed + f_failed))
done
rm -rf "$logs"
echo "$((total - failed)) passed, $failed failed"
[ "$failed" -eq 0 ] || status=1
exit $status
