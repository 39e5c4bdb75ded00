#!/bin/sh
# Runs the game under a small window manager (jwm) inside the current X server (xvfb-run
# provides one) and switches to full screen and back many times, the way a player would:
# four times with F4 alone, then twenty times through the menu (Alt+S, F) and back with F4.
# Leaves in OUT: placement.txt (the client area's "x y width height" at the start, after the
# F4 round trips and after the menu round trips), alive.txt ("alive" if the game still ran
# at the end), stderr.txt and status.txt (exit status after Escape and Enter, or "no window" /
# "hung").
out=$1
game=$2
. "$(dirname "$0")/xvfb_game.sh"
start_window_manager
start_game
wait_for_window
sleep 1
record_placement
for i in 1 2 3 4; do
  xdotool key F4; sleep 0.3
  xdotool key F4; sleep 0.3
done
record_placement
for i in $(seq 1 20); do
  xdotool key alt+s; sleep 0.15
  xdotool key f; sleep 0.3
  xdotool key F4; sleep 0.3
done
record_placement
kill -0 $pid 2>/dev/null && echo alive > "$out/alive.txt"
xdotool key Escape
sleep 0.5
xdotool key Return
wait_for_exit
kill $wm
