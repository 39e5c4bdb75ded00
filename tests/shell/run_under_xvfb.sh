#!/bin/sh
# Runs the game inside the current X server (xvfb-run provides one) and leaves in OUT:
# startup_ms.txt (launch to visible window), geometry.txt, shot.xwd (the screen after
# the first frames), cpu.txt (CPU seconds used while idling 3 s) and status.txt (exit status, or
# "hung"). The window is closed the way a player would: Escape, then Enter on the question.
out=$1
game=$2
export SDL_VIDEODRIVER=x11 SDL_RENDER_DRIVER=software SDL_AUDIODRIVER=dummy VONDRA_OUTPUT=none
start=$(date +%s%N)
"$game" > "$out/stdout.txt" 2> "$out/stderr.txt" &
pid=$!
window=
for i in $(seq 1 400); do
  window=$(xdotool search --onlyvisible --name "Tolvane Echo Ver" 2>/dev/null | head -1)
  [ -n "$window" ] && break
  kill -0 $pid 2>/dev/null || break
  sleep 0.05
done
echo $(( ($(date +%s%N) - start) / 1000000 )) > "$out/startup_ms.txt"
if [ -z "$window" ]; then
  kill $pid 2>/dev/null
  wait $pid
  echo "no window" > "$out/status.txt"
  exit 0
fi
sleep 1
xdotool getwindowgeometry --shell "$window" > "$out/geometry.txt"
xwd -root -silent > "$out/shot.xwd"
ticks() { awk '{print $14 + $15}' /proc/$pid/stat; }
before=$(ticks)
sleep 3
after=$(ticks)
echo "$before $after $(getconf CLK_TCK)" > "$out/cpu.txt"
xdotool mousemove 300 300 key Escape
sleep 0.5
xdotool key Return
for i in $(seq 1 200); do
  kill -0 $pid 2>/dev/null || break
  sleep 0.05
done
if kill -0 $pid 2>/dev/null; then
  kill -9 $pid
  wait $pid
  echo hung > "$out/status.txt"
else
  wait $pid
  echo $? > "$out/status.txt"
fi
