#!/bin/sh
# Runs the game under a small window manager (jwm) inside the current X server (xvfb-run
# provides one, 1920 x 1080), starts and pauses a game, then switches to full screen with F4.
# Leaves in OUT: shot.xwd (the screen in full screen), stderr.txt and status.txt (exit status,
# or "no window" / "hung").
out=$1
game=$2
. "$(dirname "$0")/xvfb_game.sh"
export XDG_DATA_HOME="$out/data"
start_window_manager
start_game
wait_for_window
sleep 2
xdotool keydown z; sleep 0.2; xdotool keyup z; sleep 4
xdotool key p; sleep 0.5
xdotool key F4; sleep 1.5
xwd -root -silent > "$out/shot.xwd"
xdotool key F4; sleep 1
xdotool key Escape; sleep 0.5
xdotool key Return
wait_for_exit
kill $wm
