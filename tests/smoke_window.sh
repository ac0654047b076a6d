#!/usr/bin/env bash
# Runs the game in a virtual X server: checks that it opens its 800 x 480 window titled
# "Tarnholt", keeps presenting frames at its pace, and ends with status 0 when the window is asked
# to close (the window manager's close message, as the close button sends it). In between it
# plays with the real mouse and keys: New game, the calm day on the first airport, aircraft
# dragged to their runways until one has landed, Esc back to the menu, Continue and Esc again,
# then Top scores, Help and Credits, each left with its OK button (screenshots in the output
# folder).
# Also checks the clear message and failure status when no window can be opened.
# Usage: smoke_window.sh GAME_EXECUTABLE OUTPUT_FOLDER
set -u
GAME="$1"
OUT="${2:-.}"
mkdir -p "$OUT"

fail() { echo "FAIL: $*"; [ -f "$OUT/smoke_game_output.txt" ] && cat "$OUT/smoke_game_output.txt"; exit 1; }
for tool in Xvfb xdotool xwininfo python3 import convert compare; do
  command -v "$tool" >/dev/null || fail "$tool is not installed"
done
[ -x "$GAME" ] || fail "no game executable at $GAME"

# The game finds its assets beside its executable and writes its image cache and progress
# there: it runs from a scratch copy in the output folder, beside links to the built asset
# tree, so the player's own game in bin/ is never written to.
RUN="$OUT/smoke_run"
rm -rf "$RUN"
mkdir -p "$RUN/assets" || fail "could not make $RUN"
ln -f "$GAME" "$RUN/tarnholt" 2>/dev/null || cp "$GAME" "$RUN/tarnholt" || fail "could not copy the game to $RUN"
for entry in "$(dirname "$GAME")"/assets/*; do
  case "$(basename "$entry")" in images* | settings.txt) continue ;; esac
  ln -s "$(cd "$(dirname "$entry")" && pwd)/$(basename "$entry")" "$RUN/assets/" || fail "could not link $entry"
done
GAME="$RUN/tarnholt"

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

# ---- Playing, with the real mouse: New game, the calm day on the first airport, one
# aircraft dragged to its runway, Esc back to the menu. Screenshots of each step go to OUT.
shot() { import -window "$WID" "$OUT/smoke_$1.png" 2>/dev/null || fail "could not take the screenshot $1"; }
# Pixels that differ between two screenshots.
differ() { compare -metric AE "$OUT/smoke_$1.png" "$OUT/smoke_$2.png" null: 2>&1 | awk '{print int($1)}'; }
at() { xdotool mousemove --window "$WID" "$1" "$2"; }
press() { at "$1" "$2"; sleep 0.1; xdotool click 1; }
sleep 3
shot menu
press 650 235   # New game
sleep 1.5
shot grid
[ "$(differ menu grid)" -gt 50000 ] || fail "New game did not leave the menu"
press 118 156   # the calm day
sleep 1
press 538 417   # its Play
sleep 1.5
shot airports
press 133 186   # the first airport
sleep 1.5
shot game
[ "$(differ menu game)" -gt 100000 ] || fail "the game screen looks like the menu"

# Guides aircraft for a while with the real mouse (xdotool): aircraft waiting for a path are
# drawn tinted blue; each is found in the window's picture, its motion measured over two
# pictures, pressed where it will be, and dragged in short steps to the threshold box of the
# runway of its class (told apart by size), where the cursor rests before the release. Taken by
# the runway, it is no longer blue. Prints one line per aircraft guided, and goes on until the
# "Landings: N" line at the top left shows a landing: steady over two reads (so no aircraft is
# passing over it), its label the same as at the start and its number not. Prints "landed" then.
GUIDED=$(python3 - "$WID" "$OUT" <<'PY'
import ctypes, ctypes.util, math, subprocess, sys, time
wid, out = int(sys.argv[1]), sys.argv[2]
x = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11") or "libX11.so.6")
class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int)]
x.XOpenDisplay.restype = ctypes.c_void_p
x.XOpenDisplay.argtypes = [ctypes.c_char_p]
x.XGetImage.restype = ctypes.POINTER(XImage)
x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint, ctypes.c_uint,
                        ctypes.c_ulong, ctypes.c_int]
x.XDestroyImage.argtypes = [ctypes.POINTER(XImage)]
d = x.XOpenDisplay(None)
W, H = 800, 480

def blue_aircraft():
    """(x, y, class) of every aircraft drawn blue, well inside the window; read at half size."""
    img = x.XGetImage(d, wid, 0, 0, W, H, 0xFFFFFFFF, 2)
    if not img:
        return []
    im = img.contents
    raw = ctypes.string_at(im.data, im.bytes_per_line * H)
    bpl, bpp = im.bytes_per_line, im.bits_per_pixel // 8
    x.XDestroyImage(img)
    w, h = W // 2, H // 2
    blue = bytearray(w * h)
    for yy in range(h):
        row = 2 * yy * bpl
        for xx in range(w):
            i = row + 2 * xx * bpp
            if raw[i] > 150 and raw[i + 1] < 90 and raw[i + 2] < 90:  # B, G, R
                blue[yy * w + xx] = 1
    seen = bytearray(w * h)
    found = []
    for s in range(w * h):
        if not blue[s] or seen[s]:
            continue
        stack, xs, ys = [s], [], []
        seen[s] = 1
        while stack:
            i = stack.pop(); px, py = i % w, i // w; xs.append(px); ys.append(py)
            for j in (i - 1 if px > 0 else -1, i + 1 if px < w - 1 else -1, i - w, i + w):
                if 0 <= j < w * h and blue[j] and not seen[j]:
                    seen[j] = 1; stack.append(j)
        if len(xs) < 15:
            continue
        cx, cy = 2 * sum(xs) / len(xs), 2 * sum(ys) / len(ys)
        size = 2 * max(max(xs) - min(xs), max(ys) - min(ys))
        if 60 < cx < W - 60 and 60 < cy < H - 60:
            found.append((cx, cy, 1 if size > 50 else 0))
    return found

def grab(gx, gy, gw, gh):
    img = x.XGetImage(d, wid, gx, gy, gw, gh, 0xFFFFFFFF, 2)
    if not img:
        return None
    im = img.contents
    raw = ctypes.string_at(im.data, im.bytes_per_line * gh)
    x.XDestroyImage(img)
    return raw

def landings_line():
    """The pixels of the "Landings:" label and of the number after it (top left)."""
    return grab(0, 18, 68, 20), grab(72, 18, 60, 20)

def steady_landings_line():
    a = landings_line(); time.sleep(0.3); b = landings_line()
    return a if None not in a and a == b else None

def xdo(*args):
    subprocess.run(["xdotool"] + [str(a) for a in args], check=False)

def move(px, py):
    xdo("mousemove", "--window", wid, int(px), int(py))

# Threshold boxes of the first airport's runways: light, heavy.
targets = [(230, 270), (552, 250)]
guided, shots, landed = 0, 0, False
busy = [0.0, 0.0]
end = time.time() + 70
start_line = None
while start_line is None and time.time() < end:
    start_line = steady_landings_line()
def check_landed():
    global landed
    now = steady_landings_line()
    # The label unchanged (still the game screen, not the one after a collision), the number not.
    if start_line is not None and now is not None and now[0] == start_line[0] and now[1] != start_line[1]:
        landed = True
        print("landed", flush=True)
    elif start_line is not None and now is not None and now[0] != start_line[0]:
        # The game screen is gone (a collision ends the day): no landing to wait for.
        print("game over", flush=True)
        sys.exit(0)
while time.time() < end and not landed:
    check_landed()
    if landed:
        break
    a, ta = blue_aircraft(), time.time()
    time.sleep(0.15)
    b, tb = blue_aircraft(), time.time()
    pairs = []
    for bx, by, cls in b:
        near = [(math.hypot(bx - ax, by - ay), ax, ay) for ax, ay, _ in a]
        if near and min(near)[0] < 20:
            _, ax, ay = min(near)
            pairs.append((bx, by, cls, (bx - ax) / (tb - ta), (by - ay) / (tb - ta)))
    # One aircraft at a time on each runway: two on one approach may collide before either lands.
    pairs = [q for q in pairs if time.time() > busy[q[2]]]
    if not pairs:
        time.sleep(0.3)
        continue
    bx, by, cls, vx, vy = pairs[0]
    lead = time.time() - tb + 0.05
    px, py = bx + vx * lead, by + vy * lead
    tx, ty = targets[cls]
    move(px, py)
    xdo("mousedown", 1)
    pressed = time.time()
    steps = max(2, int(math.hypot(tx - px, ty - py) / 12))
    for i in range(1, steps + 1):
        move(px + (tx - px) * i / steps, py + (ty - py) * i / steps)
        time.sleep(0.03)
    time.sleep(0.4)
    if shots == 0:
        subprocess.run(["import", "-window", str(wid), out + "/smoke_path.png"], check=False)
    xdo("mouseup", 1)
    time.sleep(0.4)
    # Missed, it flew on straight or along the drawn line, still blue.
    t = time.time() - pressed
    straight = (px + vx * t, py + vy * t)
    def off_line(qx, qy):
        ux, uy = tx - px, ty - py
        k = max(0.0, min(1.0, ((qx - px) * ux + (qy - py) * uy) / (ux * ux + uy * uy or 1)))
        return math.hypot(qx - (px + k * ux), qy - (py + k * uy))
    still = [q for q in blue_aircraft() if math.hypot(q[0] - straight[0], q[1] - straight[1]) < 40 or off_line(q[0], q[1]) < 30]
    shots += 1
    if not still:
        guided += 1
        busy[cls] = time.time() + 15
        print("class %d from (%d, %d) to (%d, %d)" % (cls, px, py, tx, ty), flush=True)
PY
)
echo "$GUIDED"
[ -n "$GUIDED" ] || fail "no aircraft could be guided to its runway"
# On a loaded machine too few aircraft may be guided in time and two collide, ending the day
# before a landing: then the landing and Continue are not checked, the rest still is.
LANDED=yes
if echo "$GUIDED" | grep -qx "game over"; then
  LANDED=no
  shot game_over
  echo "NOTE: a collision ended the day before a landing; landing and Continue not checked"
else
  echo "$GUIDED" | grep -qx landed || fail "no landing within 70 seconds of guiding aircraft"
  shot playing
fi

# Screens change with a fade; on a loaded machine that takes a while. Takes the screenshot NAME
# until it is close to (near) or far from (far) the screenshot REF, for up to 15 seconds. Far
# must also be the page itself, not a frame of the fade: close to the screenshot LIKE when given,
# else the same picture as the one before.
await() {
  local name="$1" how="$2" ref="$3" like="${4:-}" n
  rm -f "$OUT/smoke_$name.png" "$OUT/smoke_${name}_before.png"
  for _ in $(seq 1 30); do
    sleep 0.5
    [ -f "$OUT/smoke_$name.png" ] && mv -f "$OUT/smoke_$name.png" "$OUT/smoke_${name}_before.png"
    shot "$name"
    n=$(differ "$ref" "$name")
    if [ "$how" = near ]; then
      [ "$n" -lt 30000 ] && break
    elif [ "$n" -gt 100000 ]; then
      if [ -n "$like" ]; then
        [ "$(differ "$like" "$name")" -lt 30000 ] && break
      elif [ -f "$OUT/smoke_${name}_before.png" ]; then
        [ "$(differ "${name}_before" "$name")" -lt 2000 ] && break
      fi
    fi
    n=""
  done
  rm -f "$OUT/smoke_${name}_before.png"
  [ -n "$n" ]
}
# Out of the way of every button, so no hover light is in the menu's picture.
rest() { at 100 450; }
rest
if [ "$LANDED" = yes ]; then
  xdotool key Escape
  # The menu again, Continue now lit: close to the first menu, far from the game.
  await menu_again near menu || fail "Esc did not lead back to the menu"

  press 650 187   # Continue
  rest
  await resumed far menu playing || fail "Continue did not bring the game back"
  xdotool key Escape
  await menu_again near menu || fail "Esc from the resumed game did not lead back to the menu"
else
  press 748 428   # the round Menu button of the page after the day
  rest
  await menu_again near menu || fail "the Menu button after the day did not lead back to the menu"
fi

# Top scores, Help and Credits, each left with its round OK button.
for page in "scores 650 287 748 368" "help 650 337 748 428" "credits 650 387 748 428"; do
  set -- $page
  press "$2" "$3"
  rest
  await "$1" far menu || fail "the menu's $1 button did not open its page"
  press "$4" "$5"
  rest
  await "menu_after_$1" near menu || fail "the $1 page's OK button did not lead back to the menu"
done

# A window forced to another size (as some window managers do) shows the picture scaled and
# letterboxed, and a click lands on the button where it is drawn: at 1000 x 700 the 800 x 480
# picture is 1.25 times as large, 50 pixels down. Help, then its OK button.
xdotool windowmove "$WID" 0 0 windowsize "$WID" 1000 700 || fail "could not resize the window"
big() { at "$(( $1 * 5 / 4 ))" "$(( $2 * 5 / 4 + 50 ))"; sleep 0.1; xdotool click 1; }
for _ in $(seq 1 50); do
  xwininfo -id "$WID" 2>/dev/null | grep -q "Width: 1000" && break
  sleep 0.1
done
rest
sleep 1
shot menu_big
big 650 337   # Help
rest
await help_big far menu_big || fail "the menu's Help button, clicked where the resized window draws it, did not open Help"
big 748 428   # its OK button
rest
await menu_big_again near menu_big || fail "Help's OK button, clicked where the resized window draws it, did not lead back"

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
echo "PASS: window 800 x 480 opened, presented frames ($((S1 - S0)) waits in 2 s), played (guided $(echo "$GUIDED" | grep -c '^class') aircraft, landed: $LANDED), continued: $LANDED, visited scores, help and credits, closed with status 0"
