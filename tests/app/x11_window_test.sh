#!/bin/sh
# The window program on a real X display (Xvfb), in demo mode.
#
#   x11_window_test.sh tray    KESTREL KESTRELCTL   with a notification area (trayer): the program starts
#                                                   hidden, a click on its icon shows the window, a notice
#                                                   becomes a balloon, the icon's "Exit" ends it with 0
#   x11_window_test.sh no-tray KESTREL KESTRELCTL   without one: the window shows by itself after start-up
#
# Skipped (exit 77) only when no X server can be started. KESTREL_X11_SCREENSHOT=FILE
# keeps a screenshot of the screen with the window shown.
set -u

. "$(dirname "$0")/x11_support.sh"

run_on_display() {
    WORK=$(mktemp -d)
    trap 'kill $KESTREL_PID $TRAYER_PID 2>/dev/null; rm -rf "$WORK"' EXIT
    export XDG_RUNTIME_DIR="$WORK/run"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    TRAYER_PID=""
    KESTREL_PID=""
    echo "display up" >"$MARKER"

    if [ "$MODE" = tray ]; then
        command -v trayer >/dev/null || fail "trayer is not installed"
        trayer --edge top --align left --widthtype pixel --width 96 --heighttype pixel --height 32 &
        TRAYER_PID=$!
        [ -n "$(wait_for_window --onlyvisible --class trayer)" ] || fail "trayer did not come up"
    fi

    "$KESTREL" --simulate 2>"$WORK/stderr" &
    KESTREL_PID=$!

    if [ "$MODE" = no-tray ]; then
        WINDOW=$(wait_for_window --onlyvisible --name "^$TITLE\$")
        [ -n "$WINDOW" ] || fail "without a notification area the window did not show at start"
        echo "window $WINDOW shown at start"
        return 0
    fi

    ICON=$(wait_for_window --onlyvisible --pid "$KESTREL_PID")
    [ -n "$ICON" ] || fail "the program's icon did not appear in the notification area"
    if xdotool search --onlyvisible --name "^$TITLE\$" >/dev/null 2>&1; then
        fail "the window is visible before the icon was clicked"
    fi

    eval "$(xdotool getwindowgeometry --shell "$ICON")"
    xdotool mousemove --sync $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
    WINDOW=$(wait_for_window --onlyvisible --name "^$TITLE\$")
    [ -n "$WINDOW" ] || fail "a click on the icon did not show the window"
    echo "window $WINDOW shown after a click on icon $ICON"

    SKIN="$(dirname "$KESTREL")/Skins/Default/main.png"
    if [ -f "$SKIN" ] && command -v identify >/dev/null; then
        eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
        [ "${WIDTH}x${HEIGHT}" = "$(identify -format '%wx%h' "$SKIN")" ] ||
            fail "the window is ${WIDTH}x${HEIGHT}, not the size of $SKIN"
    fi

    SHOWN=$(visible_windows)
    "$KESTRELCTL" notify 7 1 || fail "kestrelctl notify did not reach the program"
    wait_for_new_window "$SHOWN" >/dev/null || fail "the notice sent by kestrelctl showed no balloon"
    if [ -n "${KESTREL_X11_SCREENSHOT:-}" ]; then
        import -window root "$KESTREL_X11_SCREENSHOT"
    fi

    # "Exit" is the one item of the icon's menu.
    SHOWN=$(visible_windows)
    # The pointer is still over the icon; a synchronous move to where it already is would wait for nothing.
    xdotool click 3
    wait_for_new_window "$SHOWN" >/dev/null || fail "a right click on the icon opened no menu"
    xdotool key --delay 100 Down Return
    wait_for_exit_status
    [ "$STATUS" = 0 ] || fail "\"Exit\" did not end the program with exit code 0 (status '$STATUS')"
    KESTREL_PID=""
    echo "\"Exit\" ended the program with exit code 0"
}

run_test_on_xvfb "$@"
