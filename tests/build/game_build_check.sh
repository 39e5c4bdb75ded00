#!/bin/sh
# The player's build (`make play` builds the target `game`) compiles no test, benchmark or fuzz
# source, even in a build folder where all three are switched on: in a fresh build folder, Ninja
# lists every command the target needs (its whole dependency graph), and no compile among them
# may come from those folders.
set -eu
source_dir=$1
scratch=$2
rm -rf "$scratch"
cmake -G Ninja -S "$source_dir" -B "$scratch" -DBUILD_TESTING=ON -DTOLVANE_BUILD_BENCH=ON \
  -DTOLVANE_BUILD_FUZZ=ON >"$scratch.configure.log" 2>&1 ||
  { cat "$scratch.configure.log"; exit 1; }
ninja -C "$scratch" -t commands game >"$scratch.log" 2>&1 ||
  { cat "$scratch.log"; exit 1; }
compiles=$(grep -E -- ' -c [^ ]+\.(c|cc|cpp)\b' "$scratch.log" | grep -oE -- '-c [^ ]+' | sort -u)
if ! printf '%s\n' "$compiles" | grep -q '/game/shell/tolvane_main\.cpp$'; then
  echo "the command list holds no compile of the game itself; see $scratch.log"
  exit 1
fi
wrong=$(printf '%s\n' "$compiles" | grep -E "^-c $source_dir/(tests|bench|fuzz)/" || true)
if [ -n "$wrong" ]; then
  echo "the game's build compiles sources it does not need:"
  printf '%s\n' "$wrong"
  exit 1
fi
echo "$(printf '%s\n' "$compiles" | wc -l) sources compiled for the game, none from tests, bench or fuzz"
rm -rf "$scratch" "$scratch.log" "$scratch.configure.log"
