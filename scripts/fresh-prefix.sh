#!/usr/bin/env bash
# fresh-prefix.sh PREFIX COMMAND [ARGS...]: runs COMMAND with KV_WINEPREFIX set
# to a new, empty Wine prefix (wine-exec.sh creates it on first use), then ends
# that prefix's processes and removes it.
set -u
prefix=$1
shift
stop() {
  WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
  WINEPREFIX="$prefix" wineserver -w 2>/dev/null || true
}
# An interrupted earlier run may have left its server running in the prefix.
[ -d "$prefix" ] && stop
rm -rf "$prefix" "$prefix.lock"
export KV_WINEPREFIX="$prefix"
"$@"
status=$?
stop
rm -rf "$prefix" "$prefix.lock"
exit $status
