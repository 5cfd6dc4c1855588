#!/bin/sh
# The player's peak resident memory (and its time) while a game loads the worst wave files into one
# sound channel and into all eleven, in a window on a bare Xvfb with SDL's dummy audio driver: a small
# file of a low rate that claims half an hour, the longest sound a channel takes, and the largest file
# the player reads. Each game ends on its own, or with the message that refuses a file.
# Usage: bench/wave_memory.sh [BUILD_FOLDER]
set -e
build=$(realpath "${1:-build}")
. "$(dirname "$0")/player_figures.sh"
start_xvfb 640x480x24
root=$(mktemp -d)
trap 'kill -9 $player 2>/dev/null; kill $xvfb_pid; rm -rf "$root"' EXIT
cp games/function.dat games/system.bmp games/qmlogo.bmp games/zeb.bmp "$root"
mkdir "$root/game"
echo "game story.zeb" >"$root/start.dat"

# wave NAME RATE CHANNELS BITS SECONDS: a silent PCM file of that layout.
wave() {
    python3 - "$root/game/$1" "$2" "$3" "$4" "$5" <<'EOF'
import struct, sys
name, rate, channels, bits, seconds = sys.argv[1], *map(int, sys.argv[2:])
align = channels * bits // 8
size = rate * seconds * align
with open(name, "wb") as out:
    out.write(b"RIFF" + struct.pack("<I", 36 + size) + b"WAVEfmt " + struct.pack("<I", 16))
    out.write(struct.pack("<HHIIHH", 1, channels, rate, rate * align, align, bits))
    out.write(b"data" + struct.pack("<I", size))
    silence = (b"\x80" if bits == 8 else b"\0") * (1 << 20)
    for _ in range(size // len(silence)):
        out.write(silence)
    out.write(silence[:size % len(silence)])
EOF
}

# measure WHAT SCRIPT: the game's peak resident memory, how long it took to end or to show the message
# that refuses a file (the message box waits in the window: the player is stopped there), and the message.
measure() {
    printf '%s@wait(500);@goto(end);' "$2" >"$root/game/story.zeb"
    start=$(date +%s%N)
    SDL_RENDER_DRIVER=software SDL_AUDIODRIVER=dummy "$build/zebora" --window --root "$root" \
        2>"$root/errors.txt" &
    player=$!
    peak=0
    while kill -0 $player 2>/dev/null && ! grep -q . "$root/errors.txt"; do
        peak=$(awk -v peak=$peak '/^VmHWM/ {print ($2 > peak ? $2 : peak)}' /proc/$player/status 2>/dev/null ||
            echo $peak)
        sleep 0.05
    done
    peak=$(awk -v peak=$peak '/^VmHWM/ {print ($2 > peak ? $2 : peak)}' /proc/$player/status 2>/dev/null ||
        echo $peak)
    seconds=$(echo "$start $(date +%s%N)" | awk '{printf "%.1f", ($2 - $1) / 1e9}')
    # A player that shows a message box waits in it for the reader, whatever it is told; the processes
    # it started would outlive it.
    pkill -9 -P $player 2>/dev/null || true
    kill -9 $player 2>/dev/null || true
    wait $player 2>/dev/null || true
    said=$(head -1 "$root/errors.txt")
    printf '%-62s %5.0f MB peak, %5s s; %s\n' "$1" "$(echo $peak | awk '{print $1 / 1024}')" "$seconds" \
        "${said:-no message}"
}

every_channel() {
    for channel in 0 1 2 3 4 5 6 7 8 9 10; do
        printf '@sound(%s,%d,1,0);' "$1" $channel
    done
}

wave half_hour.wav 1000 1 8 1799
wave ten_minutes.wav 1000 1 8 600
wave largest.wav 192000 8 32 43
echo "the player's memory with the worst wave files, in a window with SDL's dummy audio driver"
measure "no sound" ""
measure "29 min 59 s at 1,000 Hz, 8 bits, mono (1.8 MB), one channel" "$(printf '@sound(half_hour.wav,0,1,0);')"
measure "  on every channel" "$(every_channel half_hour.wav)"
measure "10 min at 1,000 Hz, 8 bits, mono (0.6 MB), one channel" "$(printf '@sound(ten_minutes.wav,0,1,0);')"
measure "  on every channel" "$(every_channel ten_minutes.wav)"
measure "43 s at 192 kHz, 32 bits, 8 channels (254 MB), one channel" "$(printf '@sound(largest.wav,0,1,0);')"
measure "  on every channel" "$(every_channel largest.wav)"
