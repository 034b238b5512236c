# Sourced: starts a private Xvfb on a free display and exports DISPLAY; stop_xvfb ends it.
start_xvfb() {
  local fifo; fifo=$(mktemp -u); mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  XVFB_PID=$!
  read -r number < "$fifo"; rm -f "$fifo"
  export DISPLAY=":$number"
}
stop_xvfb() { [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null || true; }
