#!/bin/sh
# The player's resident memory at the menu page, in full screen on a bare 1920×1080 Xvfb, with SDL's
# software renderer and with its OpenGL one (Mesa's software GL where there is no GPU).
# Usage: bench/renderer_memory.sh [BUILD_FOLDER]
set -e
build=$(realpath "${1:-build}")
. "$(dirname "$0")/player_figures.sh"
start_xvfb 1920x1080x24
trap 'stop_player; kill $xvfb_pid' EXIT
for renderer in software opengl; do
    SDL_RENDER_DRIVER=$renderer "$build/zebora" --root games 2>/dev/null &
    player=$!
    sleep 11 # start-up, the logo and the title picture fading in
    xdotool mousemove 960 540 click 1
    sleep 3 # the menu page dissolves in
    echo "resident memory at the menu page, $renderer renderer: $(resident_mb $player)"
    stop_player
done
