#!/usr/bin/env bash
# The project's driver.
#   ./build.sh demo      the main job (see README)
#   ./build.sh test      installs what is missing, builds both presets, runs every test
#   ./build.sh deps      only installs the Debian packages and the deb-src entry
#   ./build.sh bench     builds and runs the benchmarks
#   ./build.sh package   builds the windows preset and copies the release to dist/out/
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)
jobs=$(nproc)

packages=(cmake make clang libclang-rt-14-dev mingw-w64 wine wine64 xvfb xauth
    liblua5.1-0-dev libgtest-dev libgmock-dev googletest libbenchmark-dev dpkg-dev
    imagemagick x11-apps file python3 zip nsis)

log() { printf '== %s\n' "$*"; }

ensure_deb_src() {
    # lua51.dll is built from Debian's lua5.1 source package: apt needs a
    # deb-src entry, derived from the machine's own Debian sources.
    if apt-get source --dry-run --download-only lua5.1 >/dev/null 2>&1; then
        return 1
    fi
    local out=/etc/apt/sources.list.d/tolvex-deb-src
    if compgen -G '/etc/apt/sources.list.d/*.sources' >/dev/null; then
        for f in /etc/apt/sources.list.d/*.sources; do
            [ "$f" = "$out.sources" ] && continue
            grep -q '^Types:.*\bdeb\b' "$f" || continue
            sed -e 's/^Types:.*/Types: deb-src/' "$f"
            echo
        done >"$out.sources"
    fi
    if [ -f /etc/apt/sources.list ]; then
        sed -n 's/^deb \(.*\)/deb-src \1/p' /etc/apt/sources.list >"$out.list"
    fi
    return 0
}

deps() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
    done
    local need_update=0
    [ ${#missing[@]} -gt 0 ] && need_update=1
    ensure_deb_src && need_update=1
    if [ $need_update = 1 ]; then
        log "installing: ${missing[*]:-(deb-src entry only)}"
        apt-get update -qq
        [ ${#missing[@]} -gt 0 ] && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
    fi
    return 0
}

build_preset() {
    log "configure and build: $1"
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1" -j"$jobs"
}

test_all() {
    deps
    build_preset native
    build_preset windows
    local rc=0
    log "native tests"
    ctest --preset native -j"$jobs" || rc=1
    log "windows tests (Wine)"
    ctest --preset windows -j"$jobs" || rc=1
    return $rc
}

case ${1:-} in
deps) deps ;;
test) test_all ;;
bench)
    deps
    build_preset bench
    for b in "$root"/build/bench/bin/bench_*; do
        "$b" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
    done
    build_preset windows
    # Restarts the Wine session of build/windows: not while the tests run.
    bench/wine/run.sh "$root/build/windows"
    ;;
package)
    deps
    build_preset windows
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$root/build/windows/CMakeCache.txt")
    mkdir -p "$root/dist/out"
    cp "$root/build/windows/dist/Tolvex-$version-win64.zip" \
       "$root/build/windows/dist/Tolvex-$version-win64-setup.exe" "$root/dist/out/"
    ls -l "$root/dist/out"
    ;;
demo)
    deps
    build_preset windows
    "$root/demo/run-demo.sh" "${@:2}"
    ;;
*)
    sed -n '2,7p' "$0" | sed 's/^# \{0,1\}//'
    exit 2
    ;;
esac
