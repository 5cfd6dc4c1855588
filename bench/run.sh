#!/bin/sh
# Prints the benchmark figures: once headless, once with a real window under Xvfb, then what the
# presenter costs in full screen at 1920×1080 and 3840×2160 with each renderer and filter, the music
# through SDL's disk audio driver, and the player's idle CPU.
set -e
build=${1:-build}
bench="$build/bench/zebora_bench"
echo "== headless"
sound='Waves|Music'
"$bench" --benchmark_filter=-"$sound" --benchmark_min_time=0.2
echo "== the music's level: each piece rendered whole at the volume in full, before and after the limiter"
"$bench" --benchmark_filter=MusicLevels
if command -v xvfb-run >/dev/null; then
    echo "== SDL window under Xvfb"
    xvfb-run -a env ZEBORA_BENCH_WINDOW=1 "$bench" --benchmark_filter=-"$sound" --benchmark_min_time=0.2
    for screen in 1920x1080 3840x2160; do
        echo "== presenting in full screen at $screen under Xvfb, through each filter"
        for renderer in software opengl; do
            xvfb-run -a -s "-screen 0 ${screen}x24" env ZEBORA_BENCH_WINDOW=full SDL_RENDER_DRIVER=$renderer \
                "$bench" --benchmark_filter=Present --benchmark_min_time=0.2
        done
    done
    echo "== the sound device through SDL's disk audio driver, in a window with the software renderer"
    stream=$(mktemp)
    xvfb-run -a env ZEBORA_BENCH_WINDOW=1 SDL_RENDER_DRIVER=software SDL_AUDIODRIVER=disk \
        SDL_DISKAUDIOFILE="$stream" "$bench" --benchmark_filter='Waves|MusicLoop' --benchmark_min_time=0.2
    rm -f "$stream"
fi
if command -v xvfb-run >/dev/null && command -v xdotool >/dev/null; then
    echo "== the player's memory, and its CPU while it waits for the reader"
    bench/renderer_memory.sh "$build"
    RENDERERS="software opengl" bench/click_wait_idle.sh "$build"
    bench/pad_idle.sh "$build"
    bench/menu_idle.sh "$build"
    bench/music_player.sh "$build"
    bench/wave_memory.sh "$build"
fi
echo "== a game played from its folder and from its archives, headless"
bench/archive_memory.sh "$build"
