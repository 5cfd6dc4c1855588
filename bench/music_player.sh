#!/bin/sh
# The player while a game loops the demo theme, in a 640×480 window with the software renderer on a
# bare Xvfb, its sound written by SDL's disk audio driver: its CPU over 10 s, its resident memory with
# the sound font loaded, and how late the ends of the piece came by the trace, against the piece's
# length from its first play. The disk driver sleeps a buffer's time after writing each buffer, so its
# stream runs a few percent slower than the clock: the ends are also given on the stream's own clock.
# Usage: bench/music_player.sh [BUILD_FOLDER]
set -e
build=$(realpath "${1:-build}")
. "$(dirname "$0")/player_figures.sh"
start_xvfb 1024x768x24
root=$(mktemp -d)
trap 'stop_player; kill $xvfb_pid; rm -rf "$root"' EXIT
cp games/function.dat games/system.bmp games/qmlogo.bmp games/zeb.bmp "$root"
mkdir "$root/game"
cp games/hanami/theme.mid "$root/game"
printf '@midi(theme.mid,1);@wait(60000);' >"$root/game/story.zeb"
echo "game story.zeb" >"$root/start.dat"
SDL_RENDER_DRIVER=software SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$root/stream.raw" \
    "$build/zebora" --window --root "$root" --trace "$root/trace.txt" 2>/dev/null &
player=$!
sleep 3 # the window opens and the sound font loads
bytes_before=$(stat -c %s "$root/stream.raw")
ns_before=$(date +%s%N)
echo "music in a window: player $(cpu_over $player 10) of one core, resident memory $(resident_mb $player)"
sleep 20
pace=$(echo "$bytes_before $(stat -c %s "$root/stream.raw") $ns_before $(date +%s%N)" |
    awk '{print ($2 - $1) / 4 / 44100 / (($4 - $3) / 1e9)}')
stop_player
awk -v pace="$pace" '/music open midi00/ { length_ms = $(NF - 1) }
    /music play midi00, notify/ && !start { start = $1 }
    /music end midi00, starts again/ {
        late = $1 - start - ++ends * length_ms
        sum += late; if (late > max) max = late
        own = $1 - start - ends * length_ms / pace
        own_sum += own; if (own > own_max) own_max = own
    }
    END {
        if (!ends) exit
        printf "ends of a %d ms piece over %d loops: %.0f ms late on average, %.0f ms at most\n", length_ms, ends, sum / ends, max
        printf "  the stream ran at %.2f %% of the clock; on its clock: %.0f ms late on average, %.0f ms at most\n", pace * 100, own_sum / ends, own_max
    }' "$root/trace.txt"
