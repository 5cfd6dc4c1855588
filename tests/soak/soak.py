#!/usr/bin/env python3
"""The soak test: one player process plays both demo games to their ends, round after round, saving
and loading on the way, while its resident memory and open file descriptors are sampled once a round.
It fails when either grows from round 10 on, when the sanitizers report anything, or when the reader
lost its way.

A round, from the game-selection page on 花見の約束:
  花見の約束: the title, four pages, a save at the choice into しおり１; one page into one branch, a
  load of that bookmark back to the choice, and the other branch to the end (the branches swap every
  round, so both endings are played).
  夕暮れのおみくじ: two pages, a save at a click wait into しおり２, two more pages, a load back, and
  the draws to the end.
  Back on the page, turned to 花見の約束 again, the reader takes a shot named "round".

The shots folder holds round.png as a named pipe whose buffer the script keeps at one page (4 KB).
The player writes the shot into it and stops, blocked in write(), until the script reads: so every
sample is taken with the player held at the same place of its round, whatever the speed of the
machine, and each round's picture shows where the reader was.

The figures come from the sanitizer build, so ASan's own habits are bounded (ASAN_OPTIONS below):
  quarantine_size_mb=16: freed blocks wait in a quarantine before they are reused. A round frees some
    32 MB, so the default quarantine of 256 MB makes RSS climb by that much a round for eight rounds
    and then saw up and down by 20 MB as it recycles, which reads as a leak. At 16 MB RSS is flat
    from the fourth round, and a use after a recent free is still caught.
  allocator_release_to_os_interval_ms=-1: ASan otherwise hands free pages back to the kernel every
    five seconds of wall time, so RSS would depend on when the sample falls (it wanders by 0.4 MB).
    Never releasing makes RSS the high-water mark of the heap: flat, to 0.1 MB, once warm.
  detect_leaks=1: at the end LeakSanitizer reports what nothing points to any more (with the tests'
    suppressions for the libraries' own leftovers); the RSS figure catches what is still pointed to
    yet keeps growing.
So RSS may exceed round 10's by RSS_TOLERANCE_KB, ten times what it moves once warm: a leak of 6 KB a
round crosses it within 200 rounds. Open file descriptors are counted at the same place every round,
so their count may not grow at all.
"""

import argparse
import fcntl
import os
import shutil
import subprocess
import sys
import tempfile
import termios
import time
from pathlib import Path

FIRST_CHECKED_ROUND = 10
RSS_TOLERANCE_KB = 1024
ASAN_OPTIONS = "quarantine_size_mb=16:allocator_release_to_os_interval_ms=-1:detect_leaks=1"
PIPE_BYTES = 4096
ROUND_LIMIT_S = 600
PNG_END = b"IEND\xaeB`\x82"
SOURCE = Path(__file__).resolve().parents[2]

# Where the reader clicks, in 640×480 coordinates.
PAGE_PREVIOUS, PAGE_NEXT, PAGE_LOAD = "45 237", "109 237", "195 237"  # frontend/front_end_menu.cpp
MENU_SAVE, MENU_LOAD = "250 200", "250 230"  # engine/system_menu.cpp: lines 2 and 3 from y 160
BOOKMARK = ["300 100", "300 240", "300 380"]  # save/bookmark_menus.cpp: 140 apart from y 42
YES = "290 270"  # the first answer of a question, at y 260
NOWHERE = "5 5"
HANAMI_BEGIN = "270 310"  # "はじめから" of the title menu at (250, 300)
# Two points at the left margin, on the first and the second line below a one-line page: there stand
# 花見の約束's two choices. Below 夕暮れのおみくじ's two-line page the lower point is its first choice,
# "もう一度引く". At a wait a click anywhere goes on.
UPPER, LOWER = "60 60", "60 90"
LUNCH, WALK = UPPER, LOWER


class Reader:
    def __init__(self):
        self.lines = []

    def click(self, at, then_ms=1500):
        self.lines += [f"click {at}", f"wait {then_ms}"]

    def pages(self, count, at, page_ms):
        for _ in range(count):
            self.click(at, page_ms)

    def open_menu(self):
        self.lines += [f"rclick {NOWHERE}", "wait 1500"]

    # From a wait into the system menu, into a bookmark (after "はい" when it is taken already), past
    # "セーブしました", and out of the menu again.
    def save(self, bookmark, taken):
        self.open_menu()
        self.click(MENU_SAVE)
        self.click(BOOKMARK[bookmark])
        if taken:
            self.click(YES)
        self.click(NOWHERE)
        self.open_menu()

    def load(self, bookmark):
        self.open_menu()
        self.click(MENU_LOAD)
        self.click(BOOKMARK[bookmark])
        self.click(YES, 3000)


# The waits are engine time, long enough for each page to be typed whole (the walk's first page comes
# after a fade and a slow transition), and the page counts exact: one click fewer and the round ends
# elsewhere, which the checks below notice.
def reader_script(rounds):
    reader = Reader()
    reader.lines.append("wait 11000")  # the logo, then the title picture
    reader.click(NOWHERE, 2000)
    for number in range(1, rounds + 1):
        taken = number > 1
        tried, ending, ending_pages = (WALK, LUNCH, 5) if number % 2 else (LUNCH, WALK, 8)
        reader.click(PAGE_LOAD, 12000)
        reader.click(HANAMI_BEGIN, 6000)
        reader.pages(4, LOWER, 4000)
        reader.save(0, taken)
        reader.click(tried, 10000)
        reader.load(0)
        reader.click(ending, 10000)
        reader.pages(ending_pages, UPPER, 4000)

        reader.click(PAGE_NEXT, 500)
        reader.click(PAGE_LOAD, 9000)
        reader.pages(2, LOWER, 3000)
        reader.save(1, taken)
        reader.pages(2, LOWER, 3000)
        reader.load(1)
        reader.pages(8, LOWER, 3000)

        reader.click(PAGE_PREVIOUS, 500)
        reader.lines += [f"move {NOWHERE}", "wait 500", "shot round"]
    return "\n".join(reader.lines) + "\n"


def sample(pid):
    """The resident and the peak resident size in KB, and the number of open file descriptors."""
    status = Path(f"/proc/{pid}/status").read_text()
    fields = dict(line.split(":", 1) for line in status.splitlines() if ":" in line)
    rss, peak = (int(fields[name].split()[0]) for name in ("VmRSS", "VmHWM"))
    return rss, peak, len(os.listdir(f"/proc/{pid}/fd"))


def waiting_bytes(pipe):
    count = bytearray(4)
    fcntl.ioctl(pipe, termios.FIONREAD, count)
    return int.from_bytes(count, sys.byteorder)


def sleeping(pid):
    stat = Path(f"/proc/{pid}/stat").read_text()
    return stat[stat.rindex(")") + 2] == "S"


def wait_for_shot(pipe, player):
    """True once the player is blocked writing the round's shot; False when it has ended instead.
    Headless, the player sleeps nowhere else: its clock is virtual."""
    since = time.monotonic()
    while not (waiting_bytes(pipe) and sleeping(player.pid)):
        if player.poll() is not None:
            return False
        if time.monotonic() - since > ROUND_LIMIT_S:
            raise RuntimeError(f"no round ended in {ROUND_LIMIT_S} s")
        time.sleep(0.002)
    return True


def read_shot(pipe, player):
    picture = b""
    while not picture.endswith(PNG_END):
        try:
            chunk = os.read(pipe, 65536)
        except BlockingIOError:
            chunk = b""
        if not chunk:
            if player.poll() is not None:
                raise RuntimeError("the player ended in the middle of a shot")
            time.sleep(0.001)
        picture += chunk
    return picture


def mb(kb):
    return f"{kb / 1024:.1f} MB"


def soak(player_path, rounds, folder):
    root, shots = folder / "root", folder / "shots"
    shutil.copytree(SOURCE / "games", root)
    shots.mkdir()
    os.mkfifo(shots / "round.png")
    # Opened before the player starts and kept open, so the player never waits to open it, only to write.
    pipe = os.open(shots / "round.png", os.O_RDONLY | os.O_NONBLOCK)
    fcntl.fcntl(pipe, fcntl.F_SETPIPE_SZ, PIPE_BYTES)
    (folder / "reader.txt").write_text(reader_script(rounds))
    # The reader's own settings stay out of it: their folder is the soak's, which holds none.
    env = dict(os.environ, ASAN_OPTIONS=ASAN_OPTIONS, UBSAN_OPTIONS="print_stacktrace=1",
               LSAN_OPTIONS=f"suppressions={SOURCE}/tests/lsan.supp:print_suppressions=0",
               XDG_CONFIG_HOME=str(folder))
    command = [player_path, "--headless", "--root", root, "--reader", folder / "reader.txt",
               "--shots", shots, "--trace", folder / "trace.txt"]
    started = time.monotonic()
    samples, problems, first_picture = [], [], None
    with open(folder / "stderr.txt", "wb") as errors:
        player = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=errors)
        try:
            for number in range(1, rounds + 1):
                if not wait_for_shot(pipe, player):
                    problems.append(f"the player ended after {number - 1} rounds")
                    break
                samples.append(sample(player.pid))
                picture = read_shot(pipe, player)
                if first_picture is None:
                    first_picture = picture
                    (folder / "round1.png").write_bytes(picture)
                elif picture != first_picture:
                    (folder / f"round{number}.png").write_bytes(picture)
                    problems.append(f"round {number} ended elsewhere than round 1 (round{number}.png)")
                    break
                if number in (1, FIRST_CHECKED_ROUND) or number % 20 == 0 or number == rounds:
                    rss, _, fds = samples[-1]
                    print(f"round {number:4}: RSS {mb(rss)}, {fds} fds, "
                          f"{time.monotonic() - started:.0f} s", flush=True)
        except RuntimeError as problem:
            problems.append(str(problem))
        # A player that lost its way would wait for ever on its next shot.
        if problems:
            player.kill()
        player.wait()
    wall = time.monotonic() - started
    os.close(pipe)

    errors = (folder / "stderr.txt").read_text(errors="replace")
    if player.returncode != 1 or errors:
        problems.append(f"the player ended with status {player.returncode}:\n{errors}")
    trace = (folder / "trace.txt").read_text(errors="replace")
    played = len(samples)
    # Each round saves and loads at a choice (wait kind 2) and at a click wait (0), and 花見の約束
    # reaches its closing piece.
    for line in ("save 0: wait kind 2", "load 0: wait kind 2", "save 1: wait kind 0", "load 1: wait kind 0",
                 "music open midi00: ending.mid"):
        if trace.count(line) != played:
            problems.append(f'"{line}" {trace.count(line)} times in {played} rounds')

    print(f"rounds played: {played} of {rounds}, wall time {wall:.0f} s "
          f"({wall / max(played, 1):.2f} s a round)")
    if played >= FIRST_CHECKED_ROUND:
        (rss10, _, fds10), (rss_end, peak, fds_end) = samples[FIRST_CHECKED_ROUND - 1], samples[-1]
        print(f"RSS: round {FIRST_CHECKED_ROUND} {mb(rss10)}, end {mb(rss_end)}, "
              f"highest sample {mb(max(s[0] for s in samples))}, peak (VmHWM) {mb(peak)}")
        print(f"fds: round {FIRST_CHECKED_ROUND} {fds10}, end {fds_end}, "
              f"highest {max(s[2] for s in samples)}")
        if rss_end > rss10 + RSS_TOLERANCE_KB:
            problems.append(f"RSS grew by {mb(rss_end - rss10)} from round {FIRST_CHECKED_ROUND} "
                            f"(tolerance {mb(RSS_TOLERANCE_KB)})")
        for number, (_, _, fds) in enumerate(samples[FIRST_CHECKED_ROUND:], FIRST_CHECKED_ROUND + 1):
            if fds > fds10:
                problems.append(f"round {number} had {fds} fds open, round {FIRST_CHECKED_ROUND} {fds10}")
                break
    return problems


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--player", required=True, help="the zebora binary (the sanitizer build)")
    parser.add_argument("--rounds", type=int, default=200)
    options = parser.parse_args()
    if options.rounds <= FIRST_CHECKED_ROUND:
        parser.error(f"--rounds: more than {FIRST_CHECKED_ROUND}, the round the others are compared with")
    folder = Path(tempfile.mkdtemp(prefix="zebora-soak-"))
    problems = soak(Path(options.player).resolve(), options.rounds, folder)
    if problems:
        print("SOAK FAILED:\n  " + "\n  ".join(problems) + f"\n(the run is kept in {folder})")
        return 1
    shutil.rmtree(folder)
    print("soak passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
