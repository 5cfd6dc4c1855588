#!/bin/sh
# The CPU the player uses while the menu page waits for a click: 10 s under Xvfb, in a real window.
# Usage: bench/menu_idle.sh [BUILD_FOLDER]
set -e
build=${1:-build}
if [ -z "$DISPLAY" ]; then exec xvfb-run -a "$0" "$@"; fi
"$build/zebora" --window --root games 2>/dev/null &
pid=$!
trap 'kill $pid 2>/dev/null' EXIT
sleep 11                     # start-up, the logo and the title picture fading in
window=$(xdotool search --pid $pid | tail -1)
xdotool mousemove --window "$window" 320 400 click 1
sleep 3                      # the menu page dissolves in
ticks() { awk '{print $14 + $15}' /proc/$pid/stat; }
before=$(ticks)
sleep 10
after=$(ticks)
hz=$(getconf CLK_TCK)
echo "menu page idle CPU over 10 s: $(echo "$before $after $hz" | awk '{printf "%.2f%% of one core", ($2 - $1) * 100 / ($3 * 10)}')"
