#!/usr/bin/env bash
# The main job: a scan becoming typing in a real application that we did not
# write. Under Xvfb and Wine, Wine's Notepad is started and brought to the
# front, then Tolvex with one input module on the simulated terminal; labels
# are fed to the terminal, and what Notepad then holds is printed beside them
# and saved as a screenshot. Last, Tolvex is unloaded through its about box.
#
#   run-demo.sh [--module Quorlin|Pellimor|Dravet|Ostwin] [--layout US|Swedish|Belgian]
#               [--rdp] [--labels FILE]
#
# FILE holds one label per line with the escapes \xNN, \t, \r, \n and \\
# (demo/labels.txt is the default). Expects the windows preset built.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/windows
demo=$root/build/demo
module=Quorlin
layout=US
rdp=FALSE
labels=$root/demo/labels.txt

while [ $# -gt 0 ]; do
    case $1 in
    --module) module=$2; shift 2 ;;
    --layout) layout=$2; shift 2 ;;
    --rdp) rdp=TRUE; shift ;;
    --labels) labels=$(cd "$(dirname "$2")" && pwd)/$(basename "$2"); shift 2 ;;
    *) sed -n '9,13p' "$0" | sed 's/^# \{0,1\}//'; exit 2 ;;
    esac
done
case $module in
Quorlin) standins="SCNAPI32.dll AUDIOAPI32.dll" ;;
Pellimor) standins="DECODER.dll" ;;
Dravet) standins="BHTLib.dll" ;;
Ostwin) standins="LXEAPI.dll" ;;
*) echo "unknown module: $module (Quorlin, Pellimor, Dravet or Ostwin)" >&2; exit 2 ;;
esac
[ -f "$labels" ] || { echo "no such file of labels: $labels" >&2; exit 2; }

winpath() { printf 'Z:%s' "${1//\//\\}"; }

echo "== test installation in $demo/install ($module, layout $layout, RDP mode $rdp)"
"$root/cmake/wine-env.sh" stop "$demo" 2>/dev/null || true
mkdir -p "$demo"
rm -rf "$demo/install" "$demo/feed.txt" "$demo/calls.log" "$demo/notepad.png"
mkdir -p "$demo/install"
for f in Tolvex.exe "$module.exe" lua51.dll $standins; do
    cp "$build/bin/$f" "$demo/install/"
done
printf 'InputModule=%s.exe\r\nKeyboardLayout=%s\r\nRDPMode=%s\r\nInterKeyDelay=1\r\n' \
    "$module" "$layout" "$rdp" >"$demo/install/Tolvex.txt"
cp "$root/dist/script.lua" "$demo/install/"
[ "$module" = Dravet ] && cp "$root/dist/Dravet.txt" "$demo/install/"
python3 "$root/dist/make-barcode-wav.py" "$demo/install/barcode.wav"
: >"$demo/feed.txt"

echo "== starting Xvfb and Wine (first run makes the prefix, about half a minute)"
"$root/cmake/wine-env.sh" start "$demo"
trap '"$root/cmake/wine-env.sh" stop "$demo"' EXIT
# shellcheck disable=SC1091
. "$demo/wine-session"
export TOLVEX_SIM_FEED TOLVEX_SIM_LOG
TOLVEX_SIM_FEED=$(winpath "$demo/feed.txt")
TOLVEX_SIM_LOG=$(winpath "$demo/calls.log")
tvxdemo() { "$root/cmake/wine-run.sh" "$demo" "$build/bin/tvxdemo.exe" "$@"; }

echo "== Notepad in front, then Tolvex"
tvxdemo start "$(winpath "$demo/install")"
echo "== feeding the labels to the simulated terminal"
status=0
tvxdemo type "$(winpath "$demo/feed.txt")" "$(winpath "$labels")" || status=1
echo "== what Notepad holds"
tvxdemo read
# The Wine desktop fills the top left 1024x768 of the X screen.
import -display "$DISPLAY" -window root -crop 1024x768+0+0 +repage "$demo/notepad.png"
echo "== unloading Tolvex through its about box"
tvxdemo unload "$module.exe" || status=1
echo "screenshot: $demo/notepad.png"
exit $status
