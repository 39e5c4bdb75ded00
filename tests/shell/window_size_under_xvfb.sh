#!/bin/sh
# Runs the game without a window manager inside the current X server (xvfb-run provides one,
# large enough for the x3 window), starts a game and pauses it so the picture stands still,
# then chooses the window sizes x2 and x3 from the menu. Leaves in OUT: shot-1.xwd, shot-2.xwd,
# shot-3.xwd (the screen at each size), placement.txt (the client area's "x y width height" at
# each size), stderr.txt and status.txt (exit status, or "no window" / "hung").
out=$1
game=$2
. "$(dirname "$0")/xvfb_game.sh"
export XDG_DATA_HOME="$out/data"
start_game
wait_for_window
sleep 2
size() {
  xwd -root -silent > "$out/shot-$1.xwd"
  record_placement
}
# Fire starts a game from the title; held over a frame or two so the game sees it.
xdotool keydown z; sleep 0.2; xdotool keyup z; sleep 4
xdotool key p; sleep 0.5
size 1
xdotool key alt+w; sleep 0.3
xdotool key 2; sleep 0.7
size 2
xdotool key alt+w; sleep 0.3
xdotool key 3; sleep 0.7
size 3
xdotool key Escape; sleep 0.5
xdotool key Return
wait_for_exit
