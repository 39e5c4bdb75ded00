#!/bin/sh
# Runs the game inside the current X server (xvfb-run provides one) and leaves in OUT:
# startup_ms.txt (launch to visible window), geometry.txt, shot.xwd (the screen after
# the first frames), cpu.txt (CPU seconds used while idling 3 s) and status.txt (exit status, or
# "no window" / "hung"). The window is closed the way a player would: Escape, then Enter on the
# question.
out=$1
game=$2
. "$(dirname "$0")/xvfb_game.sh"
start=$(date +%s%N)
start_game
wait_for_window
echo $(( ($(date +%s%N) - start) / 1000000 )) > "$out/startup_ms.txt"
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
wait_for_exit
