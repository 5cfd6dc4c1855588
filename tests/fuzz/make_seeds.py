#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpora (corpus/<reader>/) and dictionaries (<reader>.dict).

Seeds are small files of every kind each reader takes, made here, plus the demo games' scripts,
music, sounds and small pictures. Bookmarks are made by the player itself: give the build folder
(default: build) and the demo game is played headless, saved at each kind of wait.

    tests/fuzz/make_seeds.py [BUILD]
"""
import os
import shutil
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
GAMES = os.path.join(ROOT, "games")


def corpus(reader):
    folder = os.path.join(HERE, "corpus", reader)
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    return folder


def write(folder, name, data):
    with open(os.path.join(folder, name), "wb") as out:
        out.write(data)


def read(path):
    with open(path, "rb") as f:
        return f.read()


def sjis(text):
    return text.encode("cp932")


# Bitmaps: every depth, both row orders, both run-length codings, a 16-bit bit-field picture.
def bitmap(width, height, bits, pixels, colours=0, compression=0, top_down=False, masks=b""):
    table = b"".join(bytes([i * 37 % 256, i * 91 % 256, i * 13 % 256, 0]) for i in range(colours))
    offset = 14 + 40 + len(masks) + len(table)
    info = struct.pack("<IiiHHIIiiII", 40, width, -height if top_down else height, 1, bits, compression,
                       len(pixels), 2835, 2835, colours, 0)
    return b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + info + masks + table + pixels


def rows(width, height, bits, value):
    stride = (width * bits + 31) // 32 * 4
    return b"".join(bytes((value(x, y) for x in range(stride))) for y in range(height))


def bitmaps():
    out = corpus("bitmap")
    write(out, "1bit.bmp", bitmap(9, 3, 1, rows(9, 3, 1, lambda x, y: 0xA5 ^ y), 2))
    write(out, "4bit.bmp", bitmap(5, 4, 4, rows(5, 4, 4, lambda x, y: x * 16 + y), 16))
    write(out, "8bit.bmp", bitmap(6, 5, 8, rows(6, 5, 8, lambda x, y: (x + y * 6) % 256), 256))
    write(out, "8bit-top-down.bmp", bitmap(3, 3, 8, rows(3, 3, 8, lambda x, y: x), 4, top_down=True))
    write(out, "16bit-fields.bmp", bitmap(4, 2, 16, rows(4, 2, 16, lambda x, y: x * 8 + y), 0, 3,
                                         masks=struct.pack("<III", 0xF800, 0x07E0, 0x001F)))
    write(out, "24bit.bmp", bitmap(3, 2, 24, rows(3, 2, 24, lambda x, y: x * 20 + y)))
    write(out, "32bit.bmp", bitmap(2, 2, 32, rows(2, 2, 32, lambda x, y: x * 30 + y)))
    rle8 = bytes([3, 1, 0, 3, 2, 3, 4, 0, 0, 0, 2, 1, 0, 4, 5, 0, 1])
    write(out, "rle8.bmp", bitmap(6, 3, 8, rle8, 8, compression=1))
    rle4 = bytes([4, 0x12, 0, 3, 0x34, 0x50, 0, 0, 0, 1])
    write(out, "rle4.bmp", bitmap(7, 2, 4, rle4, 16, compression=2))
    write(out, "night.bmp", read(os.path.join(GAMES, "hanami", "night.bmp")))


def palettes():
    out = corpus("palette")
    write(out, "petal.bmp", read(os.path.join(GAMES, "hanami", "petal.bmp")))
    write(out, "short.bmp", bitmap(1, 1, 8, b"\0\0\0\0", 16))


# Wave files: one to six channels, 8, 16, 24 and 32 bits, chunks the walk must step over, an odd-sized
# chunk.
def wave(rate, channels, bits, frames, extra=b""):
    align = channels * bits // 8
    fmt = struct.pack("<HHIIHH", 1, channels, rate, rate * align, align, bits)
    data = bytes((i * 7) % 256 for i in range(frames * align))
    body = b"WAVE" + extra + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(data)) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body


def waves():
    out = corpus("wave")
    write(out, "mono8.wav", wave(11025, 1, 8, 40))
    write(out, "stereo16.wav", wave(22050, 2, 16, 30))
    write(out, "list.wav", wave(44100, 2, 16, 8, b"LIST\x05\0\0\0INFOx\0"))
    write(out, "fact.wav", wave(8000, 1, 16, 12, b"fact\x04\0\0\0\x0c\0\0\0"))
    write(out, "six24.wav", wave(48000, 6, 24, 10))
    write(out, "quad32.wav", wave(96000, 4, 32, 10))


# MIDI files: format 0 and 1, running status, a tempo change, sysex, SMPTE time, wrapped in RIFF RMID.
def track(events):
    return b"MTrk" + struct.pack(">I", len(events)) + events


def midi(fmt, division, tracks):
    return b"MThd" + struct.pack(">IHHH", 6, fmt, len(tracks), division) + b"".join(tracks)


END = b"\x00\xff\x2f\x00"
NOTES = b"\x00\x90\x3c\x64\x60\x3c\x00\x00\x40\x64\x60\x40\x00" + END
TEMPO = b"\x00\xff\x51\x03\x07\xa1\x20\x60\xff\x51\x03\x03\xd0\x90" + END
SYSEX = b"\x00\xf0\x05\x7e\x7f\x09\x01\xf7\x00\xc0\x05\x00\xb0\x07\x64\x00\xe0\x00\x40" + NOTES


def midis():
    out = corpus("midi")
    write(out, "format0.mid", midi(0, 96, [track(SYSEX)]))
    write(out, "format1.mid", midi(1, 96, [track(TEMPO), track(NOTES)]))
    write(out, "smpte.mid", midi(0, struct.unpack(">H", struct.pack(">bB", -25, 40))[0], [track(NOTES)]))
    smf = midi(0, 480, [track(NOTES)])
    data = b"data" + struct.pack("<I", len(smf)) + smf
    write(out, "wrapped.rmi", b"RIFF" + struct.pack("<I", 4 + len(data)) + b"RMID" + data)
    for name in ("theme.mid", "ending.mid"):
        write(out, name, read(os.path.join(GAMES, "hanami", name)))


def scripts():
    out = corpus("script")
    for game in ("hanami", "omikuji"):
        write(out, game + ".zeb", read(os.path.join(GAMES, game, "story.zeb")))
    write(out, "menus.zeb", sjis(
        "#title 試し\n@bgload(hill.bmp,1,0);こんにちは。\\n@flag(3,7);@flagrnd(4,1,6);\\p"
        "@select(3,はい,yes,いいえ,no,終わり,end);@name(yes);@text(20,30,0,ＭＳ ゴシック,24,12,400);"
        "@textcolor(200);@objloadxy(petal.bmp,1,100,100,64,64,-1,0);@midi(theme.mid,1);"
        "@sound(0,wind.wav,1,-20);@wait(100);@damage(4);@flash(2);@out(3);\\c@goto(loadstart);"
        "@name(no);@flagselect(3,7,yes,no);@title(2,250,300,消す,fileinit,はじめる,yes);"
        "@plloadf(sunset.bmp,1,0);@settrans(4);@textend();@waitclick();@goto(end);\n"))
    write(out, "escapes.zeb", sjis("// note\n   行\\d@flagto(1,2,3);@flagtoselect(1,2,a,b);\\c@flagclear();\n"))


def headers():
    out = corpus("header")
    write(out, "header.zeb", sjis("#title 夏の日\n#subtitle ～ある夏休み～\r\n#genre ノベル\n#artist 作者\n本文\n"))
    write(out, "repeated.zeb", sjis("#title a\n#title b\n#titleless\n#genre\n\x1a#artist c\n"))


def system_files():
    out = corpus("system_files")
    write(out, "function.dat", b"\x01" + read(os.path.join(GAMES, "function.dat")))
    write(out, "start.dat", b"\x00game story.zeb\n")
    write(out, "start-missing.dat", b"\x00nowhere story.zeb\n")


# The fuzz target puts the three saved slots (640×480, 640×480 and 320×480 bytes of pixels, which any
# bytes fill validly) back in; its seeds leave them out.
SLOTS_AT = 1320
SLOTS_BYTES = 2 * 640 * 480 + 320 * 480
WAIT_KIND_AT = 773693


def compact(save):
    return save[:SLOTS_AT] + save[SLOTS_AT + SLOTS_BYTES:]


def with_choices(save):
    def name(text):
        return sjis(text).ljust(256, b"\0")
    block = struct.pack("<b", 2) + name("はい") + name("いいえ") + name("") * 8 + name("top") + name("end") + name("") * 8
    block += b"".join(struct.pack("<iiii", 20, 80 + 32 * i, 300, 106 + 32 * i) for i in range(10))
    return save[:WAIT_KIND_AT] + struct.pack("<i", 2) + block


def bookmarks(build):
    """Bookmarks the player writes at a click wait, a page wait and a choice of the demo game."""
    out = corpus("bookmark")
    player = os.path.join(ROOT, build, "zebora")
    with tempfile.TemporaryDirectory() as root:
        for name in ("function.dat", "system.bmp", "qmlogo.bmp", "zeb.bmp"):
            shutil.copy(os.path.join(GAMES, name), root)
        shutil.copytree(os.path.join(GAMES, "hanami"), os.path.join(root, "game"))
        with open(os.path.join(root, "start.dat"), "w") as start:
            start.write("game story.zeb\n")
        # "はじめから" on the title, then a save into bookmark 1, 2 and 3 at the first three waits.
        actions = ["wait 6000", "click 260 310", "wait 10000"]
        for at in ("300 100", "300 240", "300 380"):
            actions += ["rclick 5 5", "wait 1500", "click 250 200", "wait 1500", f"click {at}", "wait 1500",
                        "click 5 5", "wait 1500", "rclick 5 5", "wait 1500", "click 320 400", "wait 10000"]
        reader = os.path.join(root, "reader.txt")
        with open(reader, "w") as f:
            f.write("\n".join(actions) + "\n")
        subprocess.run([player, "--headless", "--root", root, "--reader", reader], stderr=subprocess.DEVNULL)
        for number in range(3):
            path = os.path.join(root, "game", f"save_{number}.dat")
            if os.path.exists(path):
                write(out, f"save_{number}", compact(read(path)))
                if number == 0:
                    write(out, "choice", compact(with_choices(read(path))))
    if not os.listdir(out):
        sys.exit("make_seeds: the player wrote no bookmark")


# Records of what was read, of the fuzz target's script: 300 characters, as the target makes them.
READ_SCRIPT = bytes(ord("a") + i * 7 % 26 for i in range(300))


def content_hash(data):
    value = 14695981039346656037
    for byte in data:
        value = (value ^ byte) * 1099511628211 % 2**64
    return value


def run_length(run):
    out = b""
    while run >= 0x80:
        out += bytes([run & 0x7F | 0x80])
        run >>= 7
    return out + bytes([run])


def read_records():
    out = corpus("read_record")
    header = b"ZEBREAD\x01" + struct.pack("<IQ", len(READ_SCRIPT), content_hash(READ_SCRIPT))
    for name, runs in (("unread", [300]), ("all-read", [0, 300]), ("one-text", [5, 150, 145]),
                       ("texts", [1, 1, 62, 2, 100, 34, 100])):
        write(out, name, header + b"".join(run_length(run) for run in runs))


def archives():
    """A small game in each kind of archive the player opens: its script and a palette, in a folder."""
    import io
    import tarfile
    import zipfile
    out = corpus("archive")
    members = [("game/story.zeb", sjis("#title 箱\n箱の中。\\c")), ("game/pal.bmp", b"BM" + bytes(60))]
    data = io.BytesIO()
    with zipfile.ZipFile(data, "w", zipfile.ZIP_DEFLATED) as archive:
        for name, member in members:
            archive.writestr(name, member)
    write(out, "game.zip", data.getvalue())
    for mode, name in (("w", "game.tar"), ("w:gz", "game.tar.gz")):
        data = io.BytesIO()
        with tarfile.open(fileobj=data, mode=mode) as archive:
            for member_name, member in members:
                info = tarfile.TarInfo(member_name)
                info.size = len(member)
                archive.addfile(info, io.BytesIO(member))
        write(out, name, data.getvalue())


def dictionaries():
    commands = [line.split()[1] for line in read(os.path.join(GAMES, "function.dat")).decode().splitlines() if line.split()]
    words = {
        "script": ['"@%s("' % c for c in commands] + ['");"', '","', '"\\\\n"', '"\\\\p"', '"\\\\c"', '"\\\\d"',
                                                         '"loadstart"', '"fileinit"', '"end"', '"//"', '"#title "'],
        "bitmap": ['"BM"', '"\\x28\\x00\\x00\\x00"', '"\\x00\\x00"', '"\\x01\\x00\\x08\\x00"'],
        "wave": ['"RIFF"', '"WAVE"', '"fmt "', '"data"', '"LIST"', '"fact"', '"\\x01\\x00"'],
        "midi": ['"MThd"', '"MTrk"', '"RIFF"', '"RMID"', '"data"', '"\\xff\\x2f\\x00"', '"\\xff\\x51\\x03"',
                 '"\\xf0"', '"\\xf7"', '"\\x00\\x00\\x00\\x06"'],
        "header": ['"#title "', '"#subtitle "', '"#genre "', '"#artist "', '"\\x0d\\x0a"', '"\\x1a"'],
        "read_record": ['"ZEBREAD\\x01"', '"\\x2c\\x01\\x00\\x00"', '"\\x80"', '"\\xac\\x02"'],
    }
    for reader, entries in words.items():
        with open(os.path.join(HERE, reader + ".dict"), "w") as f:
            f.write("\n".join(entries) + "\n")


if __name__ == "__main__":
    bitmaps()
    palettes()
    waves()
    midis()
    scripts()
    headers()
    system_files()
    read_records()
    archives()
    bookmarks(sys.argv[1] if len(sys.argv) > 1 else "build")
    dictionaries()
