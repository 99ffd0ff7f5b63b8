#!/usr/bin/env bash
# Runs one Windows program under the build tree's Wine session.
#   wine-run.sh BUILD_DIR PROGRAM.exe [ARGS...]
set -euo pipefail
build=$(cd "$1" && pwd)
shift
program=$1
# This Wine runs only 64-bit programs; a 32-bit one would exit 0 unrun.
if ! od -A n -t x1 -j "$(( $(od -A n -t u4 -j 60 -N 4 "$program") + 4 ))" -N 2 "$program" | grep -q '64 86'; then
    echo "wine-run: $program is not an x86_64 Windows program" >&2
    exit 1
fi
if [ ! -f "$build/wine-session" ]; then
    echo "wine-run: no Wine session in $build (run: cmake/wine-env.sh start $build)" >&2
    exit 1
fi
# shellcheck disable=SC1091
. "$build/wine-session"
export WINEPREFIX=$build/wineprefix
export WINEDEBUG=-all
export WINEARCH=win64
# Wine's own helper processes (services, the desktop) outlive the program and
# would hold CTest's output pipe open: let them inherit a file instead.
out=$(mktemp)
trap 'rm -f "$out"' EXIT
rc=0
wine "$@" >"$out" 2>&1 </dev/null || rc=$?
cat "$out"
exit $rc
