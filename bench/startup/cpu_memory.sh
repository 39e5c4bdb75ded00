#!/bin/bash
# CPU and resident memory of the game running in a virtual X server, music on: on the title
# screen, then in play (the first stage, fire held). Prints each figure and the load average.
# Usage: cpu_memory.sh GAME [SECONDS]   (SOUNDFONT=... picks the synthesizer's font)
set -u
game=$(realpath "$1")
seconds=${2:-10}
soundfont=${SOUNDFONT:-/usr/share/sounds/sf2/TimGM6mb.sf2}

if [ -z "${CPU_MEMORY_INNER:-}" ]; then
  exec env CPU_MEMORY_INNER=1 xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" "$0" "$@"
fi

export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy VONDRA_SOUNDFONT=$soundfont
unset VONDRA_OUTPUT SDL_RENDER_DRIVER
home=$(mktemp -d)
export XDG_DATA_HOME=$home
trap 'rm -rf "$home"' EXIT

"$game" > /dev/null 2>&1 &
pid=$!
window=
for _ in $(seq 1 400); do
  window=$(xdotool search --onlyvisible --name "Tolvane Echo Ver" 2>/dev/null | head -1)
  [ -n "$window" ] && break
  sleep 0.05
done
if [ -z "$window" ]; then
  echo "cpu_memory: the game showed no window" >&2
  kill $pid 2>/dev/null
  exit 1
fi

ticks() { awk '{print $14 + $15}' /proc/$pid/stat; }
rss_mb() { awk '/^VmRSS/ {printf "%.1f", $2 / 1024}' /proc/$pid/status; }
# CPU used over $seconds as a percentage of one core.
cpu_percent() {
  local before after
  before=$(ticks)
  sleep "$seconds"
  after=$(ticks)
  awk -v t=$((after - before)) -v hz="$(getconf CLK_TCK)" -v s="$seconds" \
    'BEGIN {printf "%.1f", 100 * t / hz / s}'
}

echo "soundfont $(basename "$soundfont"), ${seconds} s each, load average $(cut -d' ' -f1-3 /proc/loadavg)"
sleep 3  # the title's pictures glide in
title_cpu=$(cpu_percent)
title_rss=$(rss_mb)
echo "title: cpu ${title_cpu}% of a core, resident ${title_rss} MB"

xdotool mousemove --window "$window" 100 100
xdotool key z
sleep 4  # the stage's opening
xdotool keydown z
play_cpu=$(cpu_percent)
play_rss=$(rss_mb)
xdotool keyup z
peak=$(awk '/^VmHWM/ {printf "%.1f", $2 / 1024}' /proc/$pid/status)
echo "play: cpu ${play_cpu}% of a core, resident ${play_rss} MB (peak ${peak} MB)"

xdotool key Escape
sleep 0.5
xdotool key Return
for _ in $(seq 1 100); do
  kill -0 $pid 2>/dev/null || break
  sleep 0.05
done
kill $pid 2>/dev/null
wait $pid 2>/dev/null
exit 0
