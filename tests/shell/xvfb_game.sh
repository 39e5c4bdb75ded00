# Shared by the scripts that drive the game in a virtual X server; sourced, not run.
# The caller sets $out and $game, and starts the game with start_game.
export SDL_VIDEODRIVER=x11 SDL_RENDER_DRIVER=software SDL_AUDIODRIVER=dummy VONDRA_OUTPUT=none

# Starts a small window manager (jwm) as $wm and waits until it has taken the screen.
start_window_manager() {
  jwm > "$out/jwm.txt" 2>&1 &
  wm=$!
  for i in $(seq 1 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.05
  done
}

# Starts the game ($game) in the background as $pid, its output kept in $out.
start_game() {
  "$game" > "$out/stdout.txt" 2> "$out/stderr.txt" &
  pid=$!
}

# Adds the game window's client area as "x y width height" to placement.txt.
record_placement() {
  xwininfo -id "$window" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}' >> "$out/placement.txt"
}

# Sets $window to the game's visible window; without one (the game died, or 20 s passed)
# records "no window" and ends the script.
wait_for_window() {
  window=
  for i in $(seq 1 400); do
    window=$(xdotool search --onlyvisible --name "Tolvane Echo Ver" 2>/dev/null | head -1)
    [ -n "$window" ] && return 0
    kill -0 $pid 2>/dev/null || break
    sleep 0.05
  done
  kill $pid 2>/dev/null
  wait $pid
  echo "no window" > "$out/status.txt"
  exit 0
}

# Records the game's exit status once it ends, or "hung" (and kills it) after 10 s.
wait_for_exit() {
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
}
