#!/bin/sh
# Runs a copy of the game whose folder lacks tolvgfx.dxg inside the current X server
# (xvfb-run provides one) and leaves in OUT: geometry.txt (the window holding the box),
# shot.xwd (the screen with the box open), stderr.txt and status.txt (exit status, or
# "no window" / "hung"). The box is answered the way a player would: Enter.
out=$1
game=$2
. "$(dirname "$0")/xvfb_game.sh"
export XDG_DATA_HOME="$out/data"
start_game
wait_for_window
# The first picture of the box comes after Dear ImGui has built its fonts: slow on a busy machine.
sleep 3
xdotool getwindowgeometry --shell "$window" > "$out/geometry.txt"
xwd -root -silent > "$out/shot.xwd"
xdotool mousemove 10 10 key Return
wait_for_exit
