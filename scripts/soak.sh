#!/usr/bin/env bash
# Long runs that watch resident memory (not part of `make test`):
#  1. tolvane-headless with the autopilot for FRAMES frames, game after game in one process,
#     sampling VmRSS every two seconds against the frame reached (one digest line a frame);
#  2. beside it, vondra-play looping a song for SONG_SECONDS on the library's recording output
#     (the whole engine runs, nothing is sent, so no sound card is needed), sampling VmRSS,
#     then stopped with Ctrl-C as a listener would; it must say that no note was left sounding.
# Prints the resident memory at the tenth of each run and at its end, and the growth between;
# the samples go to OUT/game-rss.txt and OUT/song-rss.txt, vondra-play's report to OUT/song.txt.
# Fails when a note was left sounding. Run it at low priority: nice -n 19 scripts/soak.sh
# Usage: scripts/soak.sh [BUILD_DIR [FRAMES [SONG_SECONDS [SONG]]]]
#        (defaults: build 1000000 1800 BUILD_DIR/game/tolvstg1.mid)
set -euo pipefail
build=${1:-build}
frames=${2:-1000000}
song_seconds=${3:-1800}
song=${4:-$build/game/tolvstg1.mid}
out=$build/soak
mkdir -p "$out/home"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy

rss_kb() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status" 2>/dev/null; }

# Resident memory (kB) at the first sample at or past a tenth of the run and at the last one.
report() {
  local name=$1 samples=$2 total=$3
  awk -v total="$total" -v name="$name" '
    $1 >= total / 10 && !early { early = $2; earlyAt = $1 }
    { last = $2; lastAt = $1 }
    END { printf "%s: %d kB at %d, %d kB at %d: growth %d kB\n", name, early, earlyAt, last, lastAt, last - early }
  ' "$samples"
}

# The song plays the whole time; the game, which is much shorter, runs beside it.
"$build/bin/vondra-play" --output record --loop "$song" >"$out/song.txt" 2>&1 &
player=$!
for ((second = 0; second < song_seconds; second += 2)); do
  echo "$second $(rss_kb "$player")"
  sleep 2
done >"$out/song-rss.txt" &
song_samples=$!

echo "== $frames frames of autopilot games"
: >"$out/digests.txt"
XDG_DATA_HOME=$(cd "$out/home" && pwd) VONDRA_OUTPUT=none "$build/game/tolvane-headless" \
  --autopilot --frames "$frames" --digest "$out/digests.txt" --report "$out/autoplay.txt" &
game=$!
: >"$out/game-rss.txt"
while kill -0 "$game" 2>/dev/null; do
  rss=$(rss_kb "$game")
  [ -n "$rss" ] && echo "$(wc -l <"$out/digests.txt") $rss" >>"$out/game-rss.txt"
  sleep 2
done
wait "$game"
report "game frames" "$out/game-rss.txt" "$frames"
echo "games begun: $(grep -c -i 'stage 1' "$out/autoplay.txt" || true)"
rm -f "$out/digests.txt"

echo "== vondra-play --output record --loop $song for $song_seconds s"
wait "$song_samples"
kill -INT "$player" 2>/dev/null || true
status=0
wait "$player" || status=$?
report "song seconds" "$out/song-rss.txt" "$song_seconds"
cat "$out/song.txt"
if [ "$status" -eq 130 ] && grep -q "notes sounding at the end: 0; note-ons after a stop: 0" "$out/song.txt"; then
  echo "vondra-play stopped cleanly, no note left sounding"
else
  echo "vondra-play ended with status $status: FAILED"
  exit 1
fi
