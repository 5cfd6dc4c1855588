# Two commands for a fresh Debian machine: `make play` and `make test`.
# Both install what is missing (as root, through apt-get), then build.

SHELL := /bin/bash
BUILD ?= build
BUILD_SANITIZE ?= build-sanitize
BUILD_FUZZ ?= build-fuzz
# How long `make fuzz` runs each fuzz target, in seconds.
FUZZ_SECONDS ?= 600
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
ROUNDS ?= 200
# What building and playing needs; the tests, benchmarks and fuzzers need the rest.
PLAYER_PACKAGES = cmake g++ make pkg-config libsdl2-dev libsdl2-mixer-dev libfluidsynth-dev timgm6mb-soundfont \
                  libpng-dev libfreetype-dev libfontconfig-dev libwebsockets-dev libarchive-dev fonts-ipafont-mincho fonts-ipafont-gothic
PACKAGES = $(PLAYER_PACKAGES) libgtest-dev libbenchmark-dev libx11-dev xvfb xdotool xclip zip jlha-utils libarchive-tools openbox clang \
           libclang-rt-14-dev clang-format python3-websockets $(DESKTOP_TOOLS) \
           $(TEST_FILES)
# The desktop's own validators of the desktop entry, the MIME type and the AppStream metadata.
DESKTOP_TOOLS = appstream desktop-file-utils shared-mime-info
# Music and sounds that no one here wrote, for the tests of the MIDI and wave readers, and the tools
# that measure them independently.
TEST_FILES = kobodeluxe-data freedink-data pinball-data midicsv sox

.PHONY: all deps player-deps build play format-check test test-shuffled test-sanitize sanitize-build soak fuzz fuzz-build bench assets \
        goldens install package test-package clean

all: build

deps:
	@tools/install-packages.sh $(PACKAGES)

player-deps:
	@tools/install-packages.sh $(PLAYER_PACKAGES)

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEBORA_TESTS=ON -DZEBORA_BENCH=ON >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

# Builds the player alone (a first build dir gets neither tests nor benchmarks, whose packages play
# does not install), saying only what it compiles, then plays. The player ends with status 1 by
# design, whether the reader quits or a message ended it; only a crash is make's error.
play: player-deps
	@[ -f $(BUILD)/CMakeCache.txt ] || \
		cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEBORA_TESTS=OFF -DZEBORA_BENCH=OFF >/dev/null
	@set -o pipefail; cmake --build $(BUILD) --target zebora -j $(JOBS) -- --no-print-directory | \
		{ grep -v -E '^(\[ *[0-9]+%\] Built target |Consolidate compiler generated dependencies)' || true; }
	@$(BUILD)/zebora --root games; status=$$?; [ $$status -le 1 ]

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# Every C++ file as .clang-format lays it out (`clang-format -i FILE` mends one).
format-check: deps
	@git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

# The suite once more in one process and a random order: no test may depend on another's leftovers.
test-shuffled: build
	./$(BUILD)/tests/zebora_tests --gtest_shuffle --gtest_brief=1

sanitize-build: deps
	@cmake -S . -B $(BUILD_SANITIZE) -DCMAKE_BUILD_TYPE=Debug -DZEBORA_SANITIZE=ON -DZEBORA_BENCH=OFF >/dev/null
	@cmake --build $(BUILD_SANITIZE) -j $(JOBS)

test-sanitize: sanitize-build
	cd $(BUILD_SANITIZE) && ctest --output-on-failure -j $(JOBS)

# Both demo games played ROUNDS times in one sanitized player, saving and loading on the way; fails
# when its memory or its open files grow. Not part of `make test`: 200 rounds take a while.
soak: sanitize-build
	tests/soak/soak.py --player $(BUILD_SANITIZE)/zebora --rounds $(ROUNDS)

# Every reader of the files the player is given, under libFuzzer with the sanitizers, FUZZ_SECONDS each
# (`make fuzz FUZZ_SECONDS=60 FUZZ_TARGETS="midi wave"` for fewer); fails on a finding.
fuzz: fuzz-build
	tests/fuzz/run.sh $(BUILD_FUZZ) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

fuzz-build: deps
	@CC=clang CXX=clang++ cmake -S . -B $(BUILD_FUZZ) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEBORA_FUZZ=ON \
		-DZEBORA_TESTS=OFF -DZEBORA_BENCH=OFF >/dev/null
	@cmake --build $(BUILD_FUZZ) -j $(JOBS)

# Regenerates the pictures and music of games/ (a test checks that the committed ones are what this makes).
assets: build
	./$(BUILD)/tools/assets/zebora_assets games

# Records the current pictures as the golden ones (tests/goldens.txt); look at them first.
goldens: build
	cd $(BUILD) && ZEBORA_UPDATE_GOLDENS=1 ctest -j1 >/dev/null; git -C .. diff --stat tests/goldens.txt

bench: build
	bench/run.sh $(BUILD)

# The player, its data, desktop entry, icons and manual page under PREFIX (DESTDIR=… to stage them).
PREFIX ?= /usr/local
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix $(PREFIX)

# A Debian package of the player, installed under /usr: $(BUILD)/zebora_VERSION_ARCH.deb.
package: build
	cd $(BUILD) && cpack -G DEB

# Installs the package on this machine with apt, plays a demo game from the installed data headless,
# and removes the package again (root only; not in `make test`, which never changes the system).
test-package: package
	tools/test-package.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(BUILD_SANITIZE) $(BUILD_FUZZ)
