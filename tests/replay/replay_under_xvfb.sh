#!/bin/sh
# Plays a game in the window inside the current X server (xvfb-run provides one) the way a
# person would: starts it from the title, flies, fires, switches weapon, loses tails to the
# darts of the test's stage, continues whenever the continue screen comes (Space every second),
# and quits with Escape and Enter. Without SLOW the game is then started again to watch the
# replay from the menu. With SLOW=1 the frame skip is set to 3 from the menu and the
# game is stopped for 40 ms in every 100, so ticks come late and frames go undrawn. Leaves
# status.txt (exit status, or "no window" / "hung") and stderr.txt in OUT.
out=$1
game=$2
slow=$3
. "$(dirname "$0")/../shell/xvfb_game.sh"
# Held for a while: the game reads keys as held or not once a frame, so a tap between two
# frames (or while the process is stopped) would go unseen.
tap() {
  xdotool keydown "$1"
  sleep 0.2
  xdotool keyup "$1"
}
export XDG_DATA_HOME="$out/home"
start_game
wait_for_window
xdotool mousemove --window "$window" 240 200
sleep 1
throttle=
if [ "$slow" = 1 ]; then
  # Each key waits for the menu to open: ImGui lays a popup out over two frames.
  xdotool key alt+s
  sleep 1
  xdotool key s
  sleep 1
  xdotool key 3
  sleep 1
  ( while kill -STOP $pid 2>/dev/null; do sleep 0.04; kill -CONT $pid; sleep 0.06; done ) &
  throttle=$!
fi
# Space until the game has surely begun: on the title it starts one, in play it fires. The
# arrows must wait, since on the title they move the choice (to "quit", at worst).
for i in 1 2 3 4 5; do
  tap space
  sleep 1
done
xdotool keydown z keydown Right
sleep 0.5
xdotool keyup Right keydown Up
sleep 0.3
xdotool keyup Up
tap x
sleep 0.3
xdotool keyup z
for i in $(seq 1 60); do
  sleep 1
  tap space
done
[ -n "$throttle" ] && kill $throttle && wait $throttle
kill -CONT $pid
xdotool key Escape
sleep 0.5
xdotool key Return
wait_for_exit
[ "$slow" = 1 ] && exit 0
# Once more: the replay just kept, chosen from the replays menu, is watched under the REPLAY
# mark until Escape ends it; screen dumps of both in OUT.
mv "$out/status.txt" "$out/status-game.txt"
"$game" > "$out/stdout-watch.txt" 2> "$out/stderr-watch.txt" &
pid=$!
wait_for_window
xdotool mousemove --window "$window" 240 200
sleep 1
xdotool key alt+r
sleep 1
xdotool key 1
sleep 3
xwd -root -silent > "$out/shot-watching.xwd"
xdotool key Escape
sleep 1
xwd -root -silent > "$out/shot-stopped.xwd"
xdotool key Escape
sleep 0.5
xdotool key Return
wait_for_exit
