#!/usr/bin/python3
"""Game archives for the tests, made as readers' tools make them.

usage: make_archives.py game SOURCE OUT   OUT/game.zip and, when jlha-utils and libarchive-tools are
                                          there, OUT/game.lzh, game.7z and game.iso: the game folder
                                          SOURCE inside a folder of a Japanese name, in Shift-JIS in the
                                          ZIP and LZH files as Japanese Windows stored it
       make_archives.py hostile SOURCE OUT  OUT/NAME.zip, .tar, … one for each way an archive may lie
       make_archives.py large SCRIPT OUT  OUT/large.zip, large.tar.gz and the folder large/: a game of
                                          SCRIPT that plays big.wav, two minutes of silence (5 MB);
                                          and OUT/changed.zip, the ZIP with one byte of the wave changed
       make_archives.py misread NAME     NAME's Shift-JIS bytes read as CP437 and as Windows-1252, a line each
"""
import io
import os
import shutil
import struct
import subprocess
import sys
import tarfile
import zipfile

FOLDER = "夕暮れのおみくじ"


def packed_game(source, out):
    staging = os.path.join(out, "staging")
    shutil.copytree(source, os.path.join(staging, FOLDER))
    # Info-ZIP stores the name's bytes as they are on disk, without a Unicode mark: Shift-JIS bytes.
    sjis = os.path.join(out, "sjis")
    os.makedirs(os.path.join(sjis.encode(), FOLDER.encode("cp932")))
    for name in os.listdir(source):
        shutil.copy(os.path.join(source, name), os.path.join(sjis.encode(), FOLDER.encode("cp932"), name.encode()))
    subprocess.run(["zip", "-qr", os.path.abspath(os.path.join(out, "game.zip")), "."], cwd=sjis, check=True,
                   env=dict(os.environ, LC_ALL="C"))
    if shutil.which("lha"):
        # jLHA writes names in Shift-JIS when told to convert them ("y").
        subprocess.run(["lha", "aqy", os.path.abspath(os.path.join(out, "game.lzh")), FOLDER], cwd=staging,
                       check=True, env=dict(os.environ, LC_ALL="C.UTF-8", LANG="C.UTF-8"),
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    if shutil.which("bsdtar"):
        # A 7z file and a CD's image name their files in Unicode.
        for name, form in (("game.7z", "7zip"), ("game.iso", "iso9660")):
            subprocess.run(["bsdtar", "--format", form, "-cf", os.path.abspath(os.path.join(out, name)), FOLDER],
                           cwd=staging, check=True, env=dict(os.environ, LC_ALL="C.UTF-8"))
    shutil.rmtree(staging)
    shutil.rmtree(sjis.encode())


def zip_of(path, members):
    with zipfile.ZipFile(path, "w") as archive:
        for name, data in members:
            archive.writestr(zipfile.ZipInfo(name), data)


def claiming(path, script, claim):
    """A stored member whose headers claim claim bytes, though it holds the script's."""
    zip_of(path, [("game/story.zeb", script)])
    data = bytearray(open(path, "rb").read())
    data[22:26] = struct.pack("<I", claim)  # the local header's size
    central = data.rfind(b"PK\x01\x02")
    data[central + 24:central + 28] = struct.pack("<I", claim)
    open(path, "wb").write(data)


def hostile(source, out):
    script = open(os.path.join(source, "story.zeb"), "rb").read()
    zip_of(os.path.join(out, "up.zip"), [("game/story.zeb", script), ("../evil.zeb", script)])
    zip_of(os.path.join(out, "absolute.zip"), [("game/story.zeb", script), ("/tmp/evil.zeb", script)])
    with tarfile.open(os.path.join(out, "link.tar"), "w") as archive:
        info = tarfile.TarInfo("game/story.zeb")
        info.size = len(script)
        archive.addfile(info, io.BytesIO(script))
        link = tarfile.TarInfo("game/shrine.bmp")
        link.type = tarfile.SYMTYPE
        link.linkname = "/etc/passwd"
        archive.addfile(link)
    claiming(os.path.join(out, "huge.zip"), script, 0xF0000000)
    zip_of(os.path.join(out, "cut.zip"), [("game/story.zeb", script * 50)])
    whole = open(os.path.join(out, "cut.zip"), "rb").read()
    open(os.path.join(out, "cut.zip"), "wb").write(whole[:len(whole) // 2])
    zip_of(os.path.join(out, "nogame.zip"), [("readme.txt", b"no game here")])


def silent_wave(seconds, changed=False):
    samples = bytearray(22050 * 2 * seconds)
    if changed:
        samples[len(samples) // 2] = 1
    return (b"RIFF" + struct.pack("<I", 36 + len(samples)) + b"WAVEfmt " +
            struct.pack("<IHHIIHH", 16, 1, 1, 22050, 44100, 2, 16) + b"data" + struct.pack("<I", len(samples)) +
            bytes(samples))


def large(script, out):
    members = [("game/story.zeb", script.encode("cp932")), ("game/big.wav", silent_wave(120))]
    zip_of(os.path.join(out, "large.zip"), members)
    zip_of(os.path.join(out, "changed.zip"), [members[0], ("game/big.wav", silent_wave(120, True))])
    with tarfile.open(os.path.join(out, "large.tar.gz"), "w:gz") as archive:
        for name, data in members:
            info = tarfile.TarInfo(name)
            info.size = len(data)
            archive.addfile(info, io.BytesIO(data))
    for name, data in members:
        os.makedirs(os.path.join(out, "large", os.path.dirname(name)), exist_ok=True)
        open(os.path.join(out, "large", name), "wb").write(data)


def main(arguments):
    if arguments[0] == "game":
        packed_game(arguments[1], arguments[2])
    elif arguments[0] == "large":
        large(arguments[1], arguments[2])
    elif arguments[0] == "hostile":
        hostile(arguments[1], arguments[2])
    else:
        sjis = arguments[1].encode("cp932")
        print(sjis.decode("cp437"))
        print("".join(bytes([b]).decode("cp1252", errors="ignore") or chr(b) for b in sjis))


main(sys.argv[1:])
