# Sourced by the window tests: a virtual display of their own, and waiting
# for a state instead of for a time.

# Starts Xvfb on a free display number, sets xvfb_pid and exports DISPLAY.
# The root stays black, so that a window not yet drawn is one colour. No
# reset when the last client goes: a program that connects while the server
# resets (a polling xdotool just gone) is dropped, "could not connect".
start_display() {  # work folder
  local number
  mkfifo "$1/display" || return 1
  Xvfb -displayfd 3 -br -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$1/display" \
    2>"$1/xvfb.log" &
  xvfb_pid=$!
  # Xvfb writes the number once it takes clients; it ends the FIFO if it fails.
  read -r -t 30 number <"$1/display" || return 1
  export DISPLAY=":$number"
}

# Runs a command until it succeeds, for `seconds` at most.
wait_until() {  # seconds, command...
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
}

# Succeeds once the window is no longer shown; another of its name may be.
window_gone() {  # window, name
  ! xdotool search --onlyvisible --name "^$2\$" 2>/dev/null | grep -qx "$1"
}

# Succeeds once the process has ended.
not_running() {  # pid
  ! kill -0 "$1" 2>/dev/null
}

# Grabs a window's area once it is drawn.
grab_window() {  # grab tool, window, file
  local X Y WIDTH HEIGHT SCREEN
  eval "$(xdotool getwindowgeometry --shell "$2")" || return 1
  "$1" "$3" "$X" "$Y" "$WIDTH" "$HEIGHT"
}
