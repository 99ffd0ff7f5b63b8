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
# The serial module's figures read the simulated serial scanner, linked as
# COM42 of the session's prefix once the session has made it.
scanner=$build/serial-bench
python3 "$root/tests/support/serial-scanner.py" start "$scanner" "$build/wineprefix" --port COM42
trap 'python3 "$root/tests/support/serial-scanner.py" stop "$scanner"; "$root/cmake/wine-env.sh" stop "$build"' EXIT
export TVX_SERIAL_SCANNER="Z:$scanner"
# A measurement may take up to $limit seconds (15 minutes unless given).
measure() {
    echo "== bench_wine $*"
    timeout "${limit:-900}" "$root/cmake/wine-run.sh" "$build" "$program" "$@"
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
measure target 1000
measure serial-latency CR 100
measure serial-latency None 100
measure serial-batch 500 5
measure serial-idle 30
measure scanlog 1000
# The long run, last: 10,000 scans take about 40 minutes under Wine.
limit=5400 measure soak Quorlin 10000 1
echo "== load average $(cut -d' ' -f1-3 /proc/loadavg)"
