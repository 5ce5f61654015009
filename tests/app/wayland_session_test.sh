#!/bin/sh
# The window program in a Wayland session: a headless weston without a
# notification area, the program on Qt's wayland platform with the simulated
# mouse. Its window must show by itself (a toplevel "Gaming Mouse Setting"
# that gets a picture), and Qt must not warn about positions the session
# does not have.
#
#   wayland_session_test.sh KESTREL
#
# Skipped (exit 77) where weston or Qt's wayland platform is not installed.
# KESTREL_WAYLAND_SCREENSHOT=FILE keeps a screenshot of the session.
set -u
KESTREL=$1
TITLE="Gaming Mouse Setting"

fail() {
    echo "FAIL: $*" >&2
    [ -f "${WORK:-}/stderr" ] && grep -v '^\[' "$WORK/stderr" | tail -n 20 >&2
    exit 1
}

command -v weston >/dev/null || { echo "SKIP: weston is not installed"; exit 77; }
if [ -z "$(find /usr/lib /usr/local/lib -path '*/qt6/plugins/platforms/libqwayland-generic.so' 2>/dev/null)" ]; then
    echo "SKIP: Qt's wayland platform (qt6-wayland) is not installed"
    exit 77
fi

WORK=$(mktemp -d)
WESTON_PID=""
KESTREL_PID=""
trap 'kill $KESTREL_PID $WESTON_PID 2>/dev/null; rm -rf "$WORK"' EXIT
export XDG_RUNTIME_DIR="$WORK/run"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# The session has no D-Bus notification area either.
unset DISPLAY DBUS_SESSION_BUS_ADDRESS KESTREL_SIMULATE
export WAYLAND_DISPLAY=wayland-kestrel-test

weston --backend=headless-backend.so --use-pixman --socket="$WAYLAND_DISPLAY" --width=1280 --height=800 --debug \
    >"$WORK/weston.log" 2>&1 &
WESTON_PID=$!
for _ in $(seq 1 100); do
    [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break
    sleep 0.1
done
[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] || fail "weston did not come up: $(tail -n 5 "$WORK/weston.log")"

mkdir "$WORK/program"
BIN=$(dirname "$KESTREL")
cp -r "$KESTREL" "$BIN/config.bin" "$BIN/str.ini" "$BIN/Skins" "$WORK/program/"
# The client side of the protocol goes to stderr, where the window's surface can be followed.
QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client \
    "$WORK/program/$(basename "$KESTREL")" --simulate="$WORK/mouse.img" 2>"$WORK/stderr" &
KESTREL_PID=$!

# Prints the wl_surface of the toplevel titled $TITLE once a buffer was attached to it and committed.
shown_surface() {
    awk -v title="set_title(\"$TITLE\")" '
        / -> xdg_wm_base@[0-9]+\.get_xdg_surface\(new id xdg_surface@/ {
            match($0, /xdg_surface@[0-9]+/); xdg = substr($0, RSTART, RLENGTH)
            match($0, /wl_surface@[0-9]+\)/); surface_of[xdg] = substr($0, RSTART, RLENGTH - 1)
        }
        / -> xdg_surface@[0-9]+\.get_toplevel\(new id xdg_toplevel@/ {
            match($0, /-> xdg_surface@[0-9]+/); xdg = substr($0, RSTART + 3, RLENGTH - 3)
            match($0, /new id xdg_toplevel@[0-9]+/); top = substr($0, RSTART + 7, RLENGTH - 7)
            surface_of[top] = surface_of[xdg]
        }
        index($0, title) && / -> xdg_toplevel@/ {
            match($0, /xdg_toplevel@[0-9]+/); window = surface_of[substr($0, RSTART, RLENGTH)]
        }
        window != "" && index($0, "-> " window ".attach(wl_buffer@") { attached = 1 }
        attached && index($0, "-> " window ".commit()") { print window; exit }
    ' "$WORK/stderr"
}

SURFACE=""
for _ in $(seq 1 150); do
    kill -0 "$KESTREL_PID" 2>/dev/null || fail "the program ended"
    SURFACE=$(shown_surface)
    [ -n "$SURFACE" ] && break
    sleep 0.1
done
[ -n "$SURFACE" ] || fail "the window \"$TITLE\" did not show without a notification area"
echo "window shown on $SURFACE"

if [ -n "${KESTREL_WAYLAND_SCREENSHOT:-}" ] && command -v weston-screenshooter >/dev/null; then
    (cd "$WORK" && timeout 10 weston-screenshooter >/dev/null 2>&1) && cp "$(ls -t "$WORK"/wayland-screenshot-*.png | head -n 1)" \
        "$KESTREL_WAYLAND_SCREENSHOT"
fi

# Qt says so where a window asks for what Wayland lacks (a global position, activation, grabbing).
WARNINGS=$(grep -v '^\[' "$WORK/stderr" | grep -i 'wayland' | grep -iv '^kestrel:' || true)
[ -z "$WARNINGS" ] || fail "Qt warned about the session: $WARNINGS"
kill -0 "$KESTREL_PID" 2>/dev/null || fail "the program ended"
echo "no warnings from the wayland platform"
