#!/usr/bin/env bash
# The main job: a scan becoming typing in a real application that we did not
# write. Under Xvfb and Wine, Wine's Notepad is started and brought to the
# front, then Tolvex with one input module on the simulated terminal (for
# Serial: on the simulated serial scanner, a pseudo-terminal linked as COM42
# of the demo's prefix); labels are fed to the terminal, and what Notepad then
# holds is printed beside them and saved as a screenshot. Last, Tolvex is
# unloaded through its about box.
#
#   run-demo.sh [--module Quorlin|Pellimor|Dravet|Ostwin|Serial] [--layout US|Swedish|Belgian]
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
    *) sed -n '10,14p' "$0" | sed 's/^# \{0,1\}//'; exit 2 ;;
    esac
done
case $module in
Quorlin) standins="SCNAPI32.dll AUDIOAPI32.dll" ;;
Pellimor) standins="DECODER.dll" ;;
Dravet) standins="BHTLib.dll" ;;
Ostwin) standins="LXEAPI.dll" ;;
Serial) standins="" ;;
*) echo "unknown module: $module (Quorlin, Pellimor, Dravet, Ostwin or Serial)" >&2; exit 2 ;;
esac
# The simulated serial scanner's folder and the port it links.
scanner=$demo/serial-scanner
serial_port=COM42
[ -f "$labels" ] || { echo "no such file of labels: $labels" >&2; exit 2; }

winpath() { printf 'Z:%s' "${1//\//\\}"; }

echo "== test installation in $demo/install ($module, layout $layout, RDP mode $rdp)"
"$root/cmake/wine-env.sh" stop "$demo" 2>/dev/null || true
python3 "$root/tests/support/serial-scanner.py" stop "$scanner" 2>/dev/null || true
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
# The shipped settings of the serial module, on the simulated scanner's port.
[ "$module" = Serial ] && sed "s/^Port=.*/Port=$serial_port/" "$root/dist/Serial.txt" >"$demo/install/Serial.txt"
python3 "$root/dist/make-barcode-wav.py" "$demo/install/barcode.wav"
: >"$demo/feed.txt"

echo "== starting Xvfb and Wine (first run makes the prefix, about half a minute)"
"$root/cmake/wine-env.sh" start "$demo"
trap '"$root/cmake/wine-env.sh" stop "$demo"' EXIT
if [ "$module" = Serial ]; then
    # After the session, which makes the prefix whose port it links.
    python3 "$root/tests/support/serial-scanner.py" start "$scanner" "$demo/wineprefix" --port "$serial_port"
    trap 'python3 "$root/tests/support/serial-scanner.py" stop "$scanner"; "$root/cmake/wine-env.sh" stop "$demo"' EXIT
fi
# shellcheck disable=SC1091
. "$demo/wine-session"
export TOLVEX_SIM_FEED TOLVEX_SIM_LOG TVX_SERIAL_SCANNER
TOLVEX_SIM_FEED=$(winpath "$demo/feed.txt")
TOLVEX_SIM_LOG=$(winpath "$demo/calls.log")
TVX_SERIAL_SCANNER=$(winpath "$scanner")
tvxdemo() { "$root/cmake/wine-run.sh" "$demo" "$build/bin/tvxdemo.exe" "$@"; }

echo "== Notepad in front, then Tolvex"
tvxdemo start "$(winpath "$demo/install")"
status=0
if [ "$module" = Serial ]; then
    echo "== writing the labels, each with a CR, to the simulated serial scanner on $serial_port"
    tvxdemo scan "$(winpath "$labels")" || status=1
else
    echo "== feeding the labels to the simulated terminal"
    tvxdemo type "$(winpath "$demo/feed.txt")" "$(winpath "$labels")" || status=1
fi
echo "== what Notepad holds"
tvxdemo read
# The Wine desktop fills the top left 1024x768 of the X screen.
import -display "$DISPLAY" -window root -crop 1024x768+0+0 +repage "$demo/notepad.png"
echo "== unloading Tolvex through its about box"
tvxdemo unload "$module.exe" || status=1
echo "screenshot: $demo/notepad.png"
exit $status
