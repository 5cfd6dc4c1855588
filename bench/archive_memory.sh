#!/bin/sh
# What playing a game from its archive costs: the player's time and peak resident memory, headless,
# reading 夕暮れのおみくじ to its end from its folder and from a ZIP, an LZH, a 7z file and a CD image of
# it (1.3 MB of files), and from a ZIP of the same game with a 200 MB wave file beside it that it never
# plays, which is too large to be kept in memory and is only read through once when the ZIP is opened.
# Usage: bench/archive_memory.sh [BUILD_FOLDER]
set -e
build=$(realpath "${1:-build}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp games/function.dat games/system.bmp games/qmlogo.bmp games/zeb.bmp "$work"
cp -r games/omikuji "$work/omikuji"
mkdir "$work/shelf" "$work/big" "$work/data"
/usr/bin/python3 tests/make_archives.py game games/omikuji "$work/shelf"
cp -r games/omikuji "$work/big/omikuji"
head -c 200000000 /dev/zero >"$work/big/omikuji/unused.wav"
(cd "$work/big" && zip -q0r "$work/shelf/big.zip" omikuji)
reader="$work/reader.txt"
printf 'wait 9000\n' >"$reader"
for page in 1 2 3 4 5 6 7 8; do printf 'click 60 90\nwait 3000\n' >>"$reader"; done
for game in "$work/omikuji" "$work/shelf/game.zip" "$work/shelf/game.lzh" "$work/shelf/game.7z" \
    "$work/shelf/game.iso" "$work/shelf/big.zip"; do
    [ -e "$game" ] || continue
    XDG_DATA_HOME="$work/data" /usr/bin/time -f "%e s %M KB" -o "$work/time" \
        "$build/zebora" --headless --root "$work" --reader "$reader" "$game" 2>/dev/null || true
    echo "$(basename "$game"): $(tail -1 "$work/time") peak resident"
done
