#!/bin/sh
# Runs a copy of the game whose folder lacks tolvgfx.dxg inside the current X server
# (xvfb-run provides one) and leaves in OUT: geometry.txt (the window holding the box),
# shot.xwd (the screen with the box open), stderr.txt and status.txt (exit status, or
# "no window" / "hung"). The box is answered the way a player would: Enter.
out=$1
game=$2
export SDL_VIDEODRIVER=x11 SDL_RENDER_DRIVER=software SDL_AUDIODRIVER=dummy VONDRA_OUTPUT=none
export XDG_DATA_HOME="$out/data"
"$game" > "$out/stdout.txt" 2> "$out/stderr.txt" &
pid=$!
window=
for i in $(seq 1 400); do
  window=$(xdotool search --onlyvisible --name "Tolvane Echo Ver" 2>/dev/null | head -1)
  [ -n "$window" ] && break
  kill -0 $pid 2>/dev/null || break
  sleep 0.05
done
if [ -z "$window" ]; then
  kill $pid 2>/dev/null
  wait $pid
  echo "no window" > "$out/status.txt"
  exit 0
fi
sleep 1
xdotool getwindowgeometry --shell "$window" > "$out/geometry.txt"
xwd -root -silent > "$out/shot.xwd"
xdotool mousemove 10 10 key Return
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
