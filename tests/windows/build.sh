#!/usr/bin/env bash
# Builds the Windows program, its unit tests and the installer (tools/windows --tests)
# when the cross-built Qt is in the cache; without it the Windows checks are skipped,
# since building that Qt takes about 35 minutes (tools/windows does it once).
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
"$root/tools/windows.d/qt-cross" --cached >/dev/null || {
    echo "SKIP: the Windows checks were skipped: no cross-built Qt in the cache" \
        "(tools/windows builds it once, about 35 minutes on two cores)"
    exit 77
}
start=$SECONDS
"$root/tools/windows" --tests
echo "tools/windows --tests took $((SECONDS - start)) s"
