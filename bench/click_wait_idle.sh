#!/bin/sh
# The CPU the player, and the X server for it, use at a click wait, where the cursor blinks every
# 150 ms: 10 s in a window of the size the player chooses and 10 s in full screen, on a bare 1920×1080
# Xvfb and on a bare 3840×2160 one (a 2560×1920 window, and the picture 2880×2160 in full screen), with
# each renderer of RENDERERS (default: the player's own choice) and the default sharp filter.
# Usage: bench/click_wait_idle.sh [BUILD_FOLDER]
set -e
build=$(realpath "${1:-build}")
. "$(dirname "$0")/player_figures.sh"
demo_game_root omikuji
for screen in 1920x1080 3840x2160; do
    start_xvfb ${screen}x24
    for renderer in ${RENDERERS:-default}; do
        for mode in window full; do
            option=$([ $mode = window ] && echo --window || true)
            if [ "$renderer" = default ]; then
                "$build/zebora" --root "$root" $option 2>/dev/null &
            else
                SDL_RENDER_DRIVER=$renderer "$build/zebora" --root "$root" $option 2>/dev/null &
            fi
            player=$!
            sleep 8 # the picture fades in and the first lines are typed
            server_before=$(awk '{print $14 + $15}' /proc/$xvfb_pid/stat)
            player_cpu=$(cpu_over $player 10)
            server_cpu=$(cpu_over_since $xvfb_pid "$server_before" 10)
            echo "click wait over 10 s on $screen, $renderer renderer, $mode: player $player_cpu, X server $server_cpu of one core"
            stop_player
        done
    done
    kill $xvfb_pid
    wait $xvfb_pid 2>/dev/null || true
done
