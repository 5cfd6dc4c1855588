#!/bin/sh
# The CPU the player uses at a click wait, where the cursor blinks every 150 ms, in a window on a bare
# 1920×1080 Xvfb, for 20 s each: with no game controller, with one attached (the test's virtual
# controller, plugged in once the player runs), and with one attached while SDL updates the
# controllers inside its own waits, as it does unless told not to.
# Usage: bench/pad_idle.sh [BUILD_FOLDER]
set -e
build=$(realpath "${1:-build}")
. "$(dirname "$0")/player_figures.sh"
demo_game_root omikuji
start_xvfb 1920x1080x24
for case in none attached sdl-polling; do
    : >"$root/input"
    polling=$([ $case = sdl-polling ] && echo 1 || echo 0)
    ZEBORA_TEST_INPUT="$root/input" SDL_AUTO_UPDATE_JOYSTICKS=$polling \
        "$build/zebora" --root "$root" --window 2>/dev/null &
    player=$!
    [ $case = none ] || echo plug >>"$root/input"
    sleep 8 # the picture fades in and the first lines are typed
    echo "click wait over 20 s in a window, game controller $case: $(cpu_over $player 20) of one core"
    stop_player
done
