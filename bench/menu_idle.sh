#!/bin/sh
# The CPU the player uses while the menu page waits for a click: 10 s under Xvfb, in a real window.
# Usage: bench/menu_idle.sh [BUILD_FOLDER]
set -e
build=$(realpath "${1:-build}")
. "$(dirname "$0")/player_figures.sh"
start_xvfb 1280x1024x24
trap 'stop_player; kill $xvfb_pid' EXIT
"$build/zebora" --window --root games 2>/dev/null &
player=$!
sleep 11 # start-up, the logo and the title picture fading in
window=$(xdotool search --pid $player | tail -1)
xdotool mousemove --window "$window" 320 400 click 1
sleep 3 # the menu page dissolves in
echo "menu page idle CPU over 10 s: $(cpu_over $player 10) of one core"
