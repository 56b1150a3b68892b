#!/usr/bin/env bash
# Takes the screenshots in docs/screens: the main window at start, with each of the seven
# sections open, the about box and the closing screen. Runs the real program under Xvfb with
# openbox on a 1280 x 800 screen at 96 dpi. Usage: tools/screens.sh [build-dir]
set -euo pipefail
cd "$(dirname "$0")/.."
program="$(realpath "${1:-build}")/Tavrellix"
out=docs/screens
mkdir -p "$out"
work=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
export DISPLAY=:$((RANDOM % 400 + 100))
Xvfb "$DISPLAY" -screen 0 1280x800x24 -dpi 96 -nolisten tcp >/dev/null 2>&1 &
sleep 1
openbox >/dev/null 2>&1 &
sleep 1
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

start() {
  "$program" >/dev/null 2>&1 &
  xdotool search --sync --name '^Tavrello v1.80$' >/dev/null
  sleep 1
}
stop() { pkill -f "$program" || true; sleep 0.5; }
shot() { import -window root "$out/$1.png"; }

start; shot main; stop
# The section buttons sit 25 pixels apart under the menu bar and the two 60-pixel bars.
for k in 1 2 3 4 5 6 7; do
  start
  window=$(xdotool search --name '^Tavrello v1.80$' | head -n 1)
  y=$(xwininfo -id "$window" | awk '/Absolute upper-left Y/ {print $4}')
  xdotool mousemove 130 $((y + 22 + 120 + (k - 1) * 25 + 12)) click 1
  sleep 0.7; shot "section-$k"; stop
done
start
xdotool key alt+h; sleep 0.3; xdotool key a; sleep 0.7; shot about
xdotool key Escape; sleep 0.3
xdotool key alt+F4; sleep 1; shot closing
stop
echo "Screenshots written to $out"
