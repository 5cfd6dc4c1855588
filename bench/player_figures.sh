# Sourced by the bench scripts that watch the real player under Xvfb.

# Starts Xvfb on a free display at the given size and exports DISPLAY; it stops with the script.
start_xvfb() {
    for display in $(seq 90 120); do
        [ -e /tmp/.X11-unix/X$display ] || [ -e /tmp/.X$display-lock ] && continue
        Xvfb :$display -screen 0 "$1" -nolisten tcp >/dev/null 2>&1 &
        xvfb_pid=$!
        export DISPLAY=:$display
        for _ in $(seq 50); do
            xdpyinfo >/dev/null 2>&1 && return 0
            sleep 0.1
        done
        kill $xvfb_pid
    done
    echo "cannot start Xvfb" >&2
    return 1
}

# A working folder of its own in $root, removed at the end with the player and Xvfb, holding the
# bundled files and the demo game $1, which starts at once.
demo_game_root() {
    root=$(mktemp -d)
    trap 'stop_player; kill $xvfb_pid 2>/dev/null; rm -rf "$root"' EXIT
    cp games/function.dat games/system.bmp games/qmlogo.bmp games/zeb.bmp "$root"
    cp -r "games/$1" "$root/game"
    echo "game story.zeb" >"$root/start.dat"
}

ticks() {
    awk '{print $14 + $15}' /proc/$1/stat
}

# The CPU the process used over the given seconds, in percent of one core.
cpu_over() {
    before=$(ticks $1)
    sleep "$2"
    cpu_over_since $1 "$before" "$2"
}

# The same, from a count of ticks taken the given seconds ago.
cpu_over_since() {
    echo "$2 $(ticks $1) $(getconf CLK_TCK) $3" | awk '{printf "%.2f%%", ($2 - $1) * 100 / ($3 * $4)}'
}

resident_mb() {
    awk '/^VmRSS/ {printf "%.0f MB", $2 / 1024}' /proc/$1/status
}

# Stops the player started last ($player).
stop_player() {
    kill $player 2>/dev/null || true
    wait $player 2>/dev/null || true
}
