#!/usr/bin/env bash
# Takes a screenshot of the host's about box under Xvfb:
#   tests/host/screenshot-about.sh BUILD_DIR OUTPUT.png
# BUILD_DIR is a built windows preset folder (Tolvex.exe, lua51.dll and the
# test input module in its bin folder). A host is started in a throw-away
# installation, a second start makes it open its about box (the single-instance
# rule), and `import` (imagemagick) grabs the Xvfb screen. The script runs in
# its own Wine session and stops it at the end.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "$1" && pwd)
output=$(realpath -m "$2")
bin=$build/bin

install=$(mktemp -d /tmp/tvx-about.XXXXXX)
cleanup() {
    "$root/cmake/wine-env.sh" stop "$build" || true
    rm -rf "$install"
}
trap cleanup EXIT

cp "$bin/Tolvex.exe" "$bin/lua51.dll" "$bin/TestModule.exe" "$install/"
printf 'InputModule=TestModule.exe\r\n' >"$install/Tolvex.txt"
printf 'function process(scan) return scan end\n' >"$install/script.lua"

"$root/cmake/wine-env.sh" start "$build"
# shellcheck disable=SC1091
. "$build/wine-session"

timeout 60 "$root/cmake/wine-run.sh" "$build" "$install/Tolvex.exe" &
sleep 4
timeout 30 "$root/cmake/wine-run.sh" "$build" "$install/Tolvex.exe"
sleep 3
# The Wine desktop is 1024x768 in the top-left corner of the Xvfb screen.
import -display "$DISPLAY" -window root -crop 1024x768+0+0 +repage "$output"
echo "wrote $output"
