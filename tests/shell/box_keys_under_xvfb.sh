#!/bin/sh
# Runs the game without a window manager inside the current X server (xvfb-run provides one)
# and plays the keys of the menu bar, the quit question and full screen the way a player
# would. Leaves in OUT: steps.txt (one line per step: its name and "alive" or "ended"), shot-*.xwd (the
# screen at the named steps), placement.txt (the client area's "x y width height" before and
# after F4), stderr.txt and status.txt (exit status, or "no window" / "hung").
out=$1
game=$2
. "$(dirname "$0")/xvfb_game.sh"
start_game
wait_for_window
sleep 1
step() {
  if kill -0 $pid 2>/dev/null; then echo "$1 alive"; else echo "$1 ended"; fi >> "$out/steps.txt"
}
shot() { xwd -root -silent > "$out/shot-$1.xwd"; }
# A lone Alt opens the first menu, S its submenu; Escape closes one level at a time.
xdotool key alt; sleep 0.4
shot menu-first
xdotool key s; sleep 0.4
shot menu-second
xdotool key Escape; sleep 0.4
shot menu-back
xdotool key Escape; sleep 0.4
shot menu-closed
# Fire held, then Escape: the held key repeats while the box is open but answers nothing.
xdotool keydown space; sleep 0.3
xdotool key Escape; sleep 1.5
step held-fire
shot question
# Let go, move the focus to Cancel and press fire again: the box closes, the game goes on.
xdotool keyup space; sleep 0.2
xdotool key Tab; sleep 0.2
xdotool key space; sleep 0.5
step cancel
# No window manager to give the window the whole display: F4 stays in the window and says so.
record_placement
xdotool key F4; sleep 2
record_placement
shot refused
xdotool key Return; sleep 0.5
xdotool key F4; sleep 2
shot refused-again
step full-screen
# Escape, then fire on the focused OK: the game ends.
xdotool key Escape; sleep 0.5
xdotool key space
wait_for_exit
