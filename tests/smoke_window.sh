#!/usr/bin/env bash
# Runs the game in a virtual X server: checks that it opens its 800 x 480 window titled
# "Tarnholt", keeps presenting frames at its pace, and ends with status 0 when the window is asked
# to close (the window manager's close message, as the close button sends it).
# Also checks the clear message and failure status when no window can be opened.
# Usage: smoke_window.sh GAME_EXECUTABLE OUTPUT_FOLDER
set -u
GAME="$1"
OUT="${2:-.}"
mkdir -p "$OUT"

fail() { echo "FAIL: $*"; [ -f "$OUT/smoke_game_output.txt" ] && cat "$OUT/smoke_game_output.txt"; exit 1; }
for tool in Xvfb xdotool xwininfo python3; do
  command -v "$tool" >/dev/null || fail "$tool is not installed"
done
[ -x "$GAME" ] || fail "no game executable at $GAME"

# Without any usable video driver the game must say so and fail, not hang or crash.
NOWIN=$(SDL_VIDEODRIVER=nosuchdriver timeout 10 "$GAME" 2>/dev/null)
NOWIN_STATUS=$?
[ "$NOWIN_STATUS" -ne 0 ] && [ "$NOWIN_STATUS" -ne 124 ] || fail "without a window the game ended with status $NOWIN_STATUS"
echo "$NOWIN" | grep -qx "Could not open the 800 x 480 window" || fail "no clear message without a window: $NOWIN"

# A display number nobody uses.
DNUM=""
for d in $(seq 91 160); do
  if [ ! -e "/tmp/.X11-unix/X$d" ] && [ ! -e "/tmp/.X$d-lock" ]; then DNUM=$d; break; fi
done
[ -n "$DNUM" ] || fail "no free display number"
Xvfb ":$DNUM" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
XPID=$!
GPID=""
cleanup() {
  [ -n "$GPID" ] && kill "$GPID" 2>/dev/null
  kill "$XPID" 2>/dev/null
  wait 2>/dev/null
}
trap cleanup EXIT
export DISPLAY=":$DNUM"
for _ in $(seq 1 50); do
  xdotool getdisplaygeometry >/dev/null 2>&1 && break
  sleep 0.1
done
xdotool getdisplaygeometry >/dev/null 2>&1 || fail "Xvfb did not start"

# No sound card here: SDL's own dummy driver (the game itself reads no variable).
SDL_AUDIODRIVER=dummy "$GAME" >"$OUT/smoke_game_output.txt" 2>&1 &
GPID=$!

WID=""
for _ in $(seq 1 100); do
  WID=$(xdotool search --name '^Tarnholt$' 2>/dev/null | head -n 1)
  [ -n "$WID" ] && break
  kill -0 "$GPID" 2>/dev/null || fail "the game ended before opening its window"
  sleep 0.1
done
[ -n "$WID" ] || fail "no window titled Tarnholt appeared"

# The window can be found a moment before it is mapped; on a loaded machine, wait for it.
INFO=""
for _ in $(seq 1 100); do
  INFO=$(xwininfo -id "$WID" 2>/dev/null)
  echo "$INFO" | grep -q "Map State: IsViewable" && break
  sleep 0.1
done
echo "$INFO" | grep -q "Width: 800" || fail "window is not 800 wide: $INFO"
echo "$INFO" | grep -q "Height: 480" || fail "window is not 480 high: $INFO"
echo "$INFO" | grep -q "Map State: IsViewable" || fail "window is not shown: $INFO"

# A first start builds the image cache before its frame loop runs; wait for it (the cache
# appears under its final name only when complete).
ASSETS="$(dirname "$GAME")/assets"
if [ -d "$ASSETS/original" ]; then
  for _ in $(seq 1 600); do
    [ -d "$ASSETS/images" ] && break
    kill -0 "$GPID" 2>/dev/null || fail "the game ended while building its image cache"
    sleep 0.1
  done
  [ -d "$ASSETS/images" ] || fail "the image cache was not built within 60 seconds"
fi

# Let it run its frame loop for a while; it must still be there and responsive.
sleep 1
kill -0 "$GPID" 2>/dev/null || fail "the game ended on its own"

# The frame loop keeps presenting at its pace: its thread sleeps once a frame (about
# 60 voluntary switches of the main thread in two seconds), neither hanging nor spinning.
switches() { awk '/^voluntary_ctxt_switches/ {print $2}' "/proc/$GPID/task/$GPID/status"; }
cputicks() { awk '{print $14 + $15}' "/proc/$GPID/task/$GPID/stat"; }
S0=$(switches); C0=$(cputicks)
sleep 2
kill -0 "$GPID" 2>/dev/null || fail "the game ended on its own"
S1=$(switches); C1=$(cputicks)
HZ=$(getconf CLK_TCK)
[ $((S1 - S0)) -ge 20 ] || fail "the frame loop is not running: $((S1 - S0)) waits in two seconds"
[ $((C1 - C0)) -lt $((HZ * 18 / 10)) ] || fail "the frame loop is not paced: $((C1 - C0)) CPU ticks in two seconds"
if command -v import >/dev/null; then
  import -window "$WID" "$OUT/smoke_window.png" 2>/dev/null || true
fi

# The close request: WM_DELETE_WINDOW, the message a window manager sends for the close button.
python3 - "$WID" <<'PY' || fail "could not send the close request"
import ctypes, ctypes.util, sys
x = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11") or "libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XOpenDisplay.argtypes = [ctypes.c_char_p]
x.XInternAtom.restype = ctypes.c_ulong
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
x.XFlush.argtypes = [ctypes.c_void_p]
x.XCloseDisplay.argtypes = [ctypes.c_void_p]
class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("l", ctypes.c_long * 5)]
class XEvent(ctypes.Union):
    _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]
d = x.XOpenDisplay(None)
if not d:
    sys.exit(1)
ev = XEvent()
ev.xclient.type = 33  # ClientMessage
ev.xclient.window = int(sys.argv[1])
ev.xclient.message_type = x.XInternAtom(d, b"WM_PROTOCOLS", 0)
ev.xclient.format = 32
ev.xclient.l[0] = x.XInternAtom(d, b"WM_DELETE_WINDOW", 0)
ev.xclient.l[1] = 0  # CurrentTime
if not x.XSendEvent(d, int(sys.argv[1]), 0, 0, ctypes.byref(ev)):
    sys.exit(1)
x.XFlush(d)
x.XCloseDisplay(d)
PY

STATUS=""
for _ in $(seq 1 200); do
  if ! kill -0 "$GPID" 2>/dev/null; then
    wait "$GPID"
    STATUS=$?
    break
  fi
  sleep 0.1
done
[ -n "$STATUS" ] || fail "the game did not end within 20 seconds of the close request"
GPID=""
[ "$STATUS" -eq 0 ] || fail "the game ended with status $STATUS"
echo "PASS: window 800 x 480 opened, presented frames ($((S1 - S0)) waits in 2 s), closed with status 0"
