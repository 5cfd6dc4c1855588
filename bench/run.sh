#!/bin/sh
# Prints the benchmark figures: once headless, once with a real window under Xvfb.
set -e
build=${1:-build}
bench="$build/bench/zebora_bench"
echo "== headless"
"$bench" --benchmark_min_time=0.2
if command -v xvfb-run >/dev/null; then
    echo "== SDL window under Xvfb"
    xvfb-run -a env ZEBORA_BENCH_WINDOW=1 "$bench" --benchmark_min_time=0.2
fi
if command -v xvfb-run >/dev/null && command -v xdotool >/dev/null; then
    echo "== menu page idle"
    bench/menu_idle.sh "$build"
fi
