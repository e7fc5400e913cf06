#!/usr/bin/env bash
# Takes the README's screenshot of the real program: starts it on a virtual display with a
# window manager, types a few lines as a user would, opens the File menu and saves the screen.
# Usage: scripts/screenshot.sh BUILD_DIR OUTPUT.png [MENU-OUTPUT.png]
# With a third argument it also saves the window with its Edit menu open.
set -euo pipefail
"$(dirname "$0")/install-deps.sh" shots
build=${1:-build}
out=${2:-docs/screenshot.png}
display=:${SCREENSHOT_DISPLAY:-97}

Xvfb "$display" -screen 0 800x640x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
DISPLAY=$display openbox >/dev/null 2>&1 &
sleep 1
DISPLAY=$display "$build/corvala" >/dev/null 2>&1 &
app=$!
trap 'kill $app $xvfb 2>/dev/null || true' EXIT
sleep 2

export DISPLAY=$display
xdotool type --delay 15 "Corvala Software keeps your documents safe."
xdotool key Return Return
xdotool type --delay 15 "It opens rich text written by other word processors,"
xdotool key Return
xdotool type --delay 15 "and saves rich text or plain text."
sleep 0.5
window=$(xdotool search --name "Corvala Software" | head -n 1)
# The window with its frame: what a user sees on the desktop.
import -frame -window "$(xwininfo -id "$window" -children | awk '/Parent window id/ {print $4}')" "$out"
echo "wrote $out"
if [ -n "${3:-}" ]; then
  xdotool key alt+e
  sleep 0.7
  import -frame -window root "$3.full.png"
  geometry=$(xwininfo -id "$(xwininfo -id "$window" -children | awk '/Parent window id/ {print $4}')" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4} /Width/ {w=$2} /Height/ {h=$2} END {print w "x" h "+" x "+" y}')
  convert "$3.full.png" -crop "$geometry" +repage "$3"
  rm -f "$3.full.png"
  echo "wrote $3"
fi
