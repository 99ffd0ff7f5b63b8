#!/usr/bin/env bash
# Runs the Wine figures of BENCHMARKS.md against a windows build, in a Wine
# session of its own (started and stopped here; do not run the build's tests
# at the same time, they share the session).
#   bench/wine/run.sh [BUILD_DIR]      (default build/windows)
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build/windows}" && pwd)
program=$build/bin/bench_wine.exe
if [ ! -f "$program" ]; then
    echo "run.sh: $program is missing (build the windows preset first)" >&2
    exit 1
fi
"$root/cmake/wine-env.sh" start "$build"
trap '"$root/cmake/wine-env.sh" stop "$build"' EXIT
measure() {
    echo "== bench_wine $*"
    timeout 900 "$root/cmake/wine-run.sh" "$build" "$program" "$@"
}
echo "== $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
for module in Quorlin Pellimor Dravet Ostwin; do
    measure module "$module" 100
done
for module in Quorlin Dravet; do
    for delay in 0 1; do
        measure latency "$module" "$delay" 100
    done
done
for module in Quorlin Pellimor Dravet Ostwin; do
    measure idle "$module" 30
done
measure scanlog 1000
echo "== load average $(cut -d' ' -f1-3 /proc/loadavg)"
