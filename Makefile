# Entry points: `make play` sets up, builds and starts the game; `make test` sets up,
# builds and runs every test headless.
BUILD_DIR  ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS       ?= $(shell nproc)
CMAKE_FLAGS ?=
HEADLESS   := SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy VONDRA_OUTPUT=none

.PHONY: all deps configure build play test test-asan test-tsan bench autoplay playtest install \
  clean format check-format

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS) >/dev/null

# Builds the programs, the library, the tools and the game's data in $(BUILD_DIR)/game.
build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# Starts the game on the desktop.
play: build
	$(BUILD_DIR)/game/tolvane

test: build check-format
	cd $(BUILD_DIR) && $(HEADLESS) ctest --output-on-failure -j $(JOBS)

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
playtest: build
	@mkdir -p $(BUILD_DIR)/playtest-home
	XDG_DATA_HOME=$(abspath $(BUILD_DIR))/playtest-home $(HEADLESS) $(BUILD_DIR)/game/tolvane-playtest \
	  --reports $(BUILD_DIR)/playtest --write content/stages/PLAYTEST.md $(PLAYTEST_ARGS)

test-asan:
	$(MAKE) test BUILD_DIR=build-asan BUILD_TYPE=Debug \
	  CMAKE_FLAGS="-DTOLVANE_SANITIZE=address,undefined"

test-tsan:
	$(MAKE) test BUILD_DIR=build-tsan BUILD_TYPE=RelWithDebInfo \
	  CMAKE_FLAGS="-DTOLVANE_SANITIZE=thread"

bench: build
	@for b in $(BUILD_DIR)/bench/*_bench $(BUILD_DIR)/bench/*/*_bench; do \
	  [ -x "$$b" ] || continue; echo "== $$b"; $(HEADLESS) $$b; done

PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# Every tracked C and C++ source must match .clang-format; `make test` checks it.
check-format: deps
	@scripts/check-format.sh

format: deps
	git ls-files '*.cpp' '*.h' '*.c' '*.cc' | xargs clang-format -i

clean:
	rm -rf build build-asan build-tsan
