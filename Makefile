# Entry points: `make play` sets up, builds and starts the game; `make test` sets up,
# builds and runs every test headless; `make test-quick` leaves out the slow ones.
BUILD_DIR  ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS       ?= $(shell nproc)
CMAKE_FLAGS ?=
HEADLESS   := SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy VONDRA_OUTPUT=none

.PHONY: all deps deps-game configure build game play test test-quick test-build test-asan \
  test-tsan stress bench bench-startup bench-cpu-memory fuzz autoplay playtest install uninstall deb installables clean format check-format

all: build

deps:
	@scripts/install-deps.sh

deps-game:
	@scripts/install-deps.sh game

CONFIGURE = cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS) >/dev/null
# A first configuration for playing or installing leaves the tests out, so a player needs no
# test packages; a build folder that exists keeps its choice.
CONFIGURE_GAME = $(CONFIGURE) $(if $(wildcard $(BUILD_DIR)/CMakeCache.txt),,-DBUILD_TESTING=OFF)

configure: deps
	@$(CONFIGURE)

# Builds everything configured (by default the tests too) in $(BUILD_DIR).
build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# Only the game, the library, the tools its data needs and the data, in $(BUILD_DIR)/game.
game: deps-game
	@$(CONFIGURE_GAME)
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target game

# Starts the game on the desktop.
play: game
	$(BUILD_DIR)/game/tolvane

test-build: deps
	@$(CONFIGURE) -DBUILD_TESTING=ON
	@cmake --build $(BUILD_DIR) -j $(JOBS)

test: test-build check-format
	cd $(BUILD_DIR) && $(HEADLESS) ctest --output-on-failure -j $(JOBS)

# Every test but those labelled slow (whole-game autoplay, long robustness runs).
test-quick: test-build
	cd $(BUILD_DIR) && $(HEADLESS) ctest --output-on-failure -j $(JOBS) -LE slow

# The game plays itself headless from the title through the five stages and the ending back
# to the title; what happened stage by stage is printed and kept in $(BUILD_DIR)/autoplay.txt.
# AUTOPLAY_ARGS adds options (tools/headless/headless_main.cpp), e.g. "--lag 3".
autoplay: build
	@mkdir -p $(BUILD_DIR)/autoplay-home
	XDG_DATA_HOME=$(abspath $(BUILD_DIR))/autoplay-home $(HEADLESS) $(BUILD_DIR)/game/tolvane-headless \
	  --autopilot --until title --frames 200000 --digest /dev/null \
	  --report $(BUILD_DIR)/autoplay.txt $(AUTOPLAY_ARGS)
	@cat $(BUILD_DIR)/autoplay.txt

# Whole games by the human-like pilot at lags 0, 3, 6 and 9 with five seeds each (at most 3
# continues a game), one after the other: the figures go into content/stages/PLAYTEST.md, each
# game's play log into $(BUILD_DIR)/playtest. Takes a while; not part of `make test`.
# PLAYTEST_ARGS adds options (tools/headless/playtest_main.cpp), e.g. "--lags 6 --seeds 2".
# The pilot's slips go on between stages, so the frames a high-score entry takes count: every
# playtest starts from an empty high-score table to measure the same games each time.
playtest: build
	@rm -rf $(BUILD_DIR)/playtest-home && mkdir -p $(BUILD_DIR)/playtest-home
	XDG_DATA_HOME=$(abspath $(BUILD_DIR))/playtest-home $(HEADLESS) $(BUILD_DIR)/game/tolvane-playtest \
	  --reports $(BUILD_DIR)/playtest --write content/stages/PLAYTEST.md $(PLAYTEST_ARGS)

test-asan:
	$(MAKE) test BUILD_DIR=build-asan BUILD_TYPE=Debug \
	  CMAKE_FLAGS="-DTOLVANE_SANITIZE=address,undefined"

test-tsan:
	$(MAKE) test BUILD_DIR=build-tsan BUILD_TYPE=RelWithDebInfo \
	  CMAKE_FLAGS="-DTOLVANE_SANITIZE=thread"

# The library's C interface under ThreadSanitizer for STRESS_SECONDS (tests/stress): a caller
# thread drives it at random, seeded with STRESS_SEED, while two threads query it without pause,
# on the recording output, with the game's songs and the MIDI test files. Not part of `make test`.
STRESS_SECONDS ?= 300
STRESS_SEED    ?= 1
STRESS_SONGS   ?= $(shell find ../shared/testdata/midi/jazz-soft-test-midi-files ../shared/testdata/midi/midly-test-asset -name "*.mid" 2>/dev/null | sort)
stress: deps
	@cmake -S . -B build-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOLVANE_SANITIZE=thread \
	  -DBUILD_TESTING=ON >/dev/null
	@cmake --build build-tsan -j $(JOBS) --target vondra_stress
	@echo "vondra_stress $(STRESS_SECONDS) s, seed $(STRESS_SEED), under ThreadSanitizer"
	@TSAN_OPTIONS="second_deadlock_stack=1 $(TSAN_OPTIONS)" build-tsan/tests/stress/vondra_stress \
	  $(STRESS_SECONDS) $(STRESS_SEED) build-tsan/game/*.mid $(STRESS_SONGS)

bench: deps
	@$(CONFIGURE) -DTOLVANE_BUILD_BENCH=ON
	@cmake --build $(BUILD_DIR) -j $(JOBS)
	@for b in $(BUILD_DIR)/bench/*_bench $(BUILD_DIR)/bench/*/*_bench; do \
	  [ -x "$$b" ] || continue; echo "== $$b"; $(HEADLESS) $$b; done

# Start-up time in a virtual X server (program start to the splash's and the main window's first
# frames, median of 9, each step's share), music on, with each SoundFont installed.
bench-startup: deps
	@$(CONFIGURE) -DTOLVANE_BUILD_BENCH=ON
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target startup_bench
	@$(BUILD_DIR)/bench/startup/startup_bench

# CPU and resident memory of the game in a virtual X server, music on, on the title and in
# play (SOUNDFONT=... picks the synthesizer's font).
bench-cpu-memory: game
	@bench/startup/cpu_memory.sh $(BUILD_DIR)/game/tolvane

# The fuzz targets, built with clang, libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer
# (every library with fuzzer coverage) in build-fuzz, then each run for FUZZ_SECONDS, one at a
# time: executions, coverage and any failure with its saved input (scripts/run-fuzz.sh).
FUZZ_SECONDS ?= 60
FUZZ_DIR     ?= build-fuzz
FUZZ_FLAGS   := -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
fuzz: deps
	@scripts/install-deps.sh fuzz
	@cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOLVANE_BUILD_FUZZ=ON \
	  -DBUILD_TESTING=OFF -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DCMAKE_C_FLAGS="$(FUZZ_FLAGS)" -DCMAKE_CXX_FLAGS="$(FUZZ_FLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
	  -DCMAKE_SHARED_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
	@cmake --build $(FUZZ_DIR) -j $(JOBS) --target fuzz_targets
	@$(HEADLESS) scripts/run-fuzz.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

# Installs the game (PREFIX/lib/tolvane-echo, `tolvane` in PREFIX/bin), its desktop entry,
# icons, metainfo and manual pages, the library with its header and pkg-config file, and
# vondra-play. `make uninstall` removes exactly the files the last install wrote.
PREFIX ?= /usr/local
install: installables
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

installables: deps-game
	@$(CONFIGURE_GAME)
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target installables

uninstall:
	@scripts/uninstall.sh $(BUILD_DIR)/install_manifest.txt

# The Debian package $(BUILD_DIR)/tolvane-echo_VERSION_ARCH.deb.
deb: installables
	cd $(BUILD_DIR) && cpack -G DEB

# Every tracked C and C++ source must match .clang-format; `make test` checks it.
check-format: deps
	@scripts/check-format.sh

format: deps
	git ls-files '*.cpp' '*.h' '*.c' '*.cc' | xargs clang-format -i

clean:
	rm -rf build build-asan build-tsan build-fuzz
