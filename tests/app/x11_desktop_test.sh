#!/bin/sh
# The window program in a desktop session on a real X display (Xvfb):
#
#   x11_desktop_test.sh balloon   KESTREL KESTRELCTL  started without the mouse beside a notification area
#                                                     (trayer, bottom right), its warning balloon points at
#                                                     its icon, not at the screen's corner
#   x11_desktop_test.sh late-tray KESTREL KESTRELCTL  started by the session (--autostart) without the mouse
#                                                     and before the notification area: the window stands in
#                                                     for it; trayer started late takes the icon, the window
#                                                     hides and no balloon shows until the icon is clicked;
#                                                     trayer ended, the window stands in again
#   x11_desktop_test.sh scale     KESTREL KESTRELCTL  at scale factor 2 on a 1600x1000 screen the window
#                                                     shown from the icon has its top-left corner on the screen
#
# The program runs from a copy of its folder, so nothing is written beside the
# built executable; without --simulate it finds no mouse here. Skipped (exit 77)
# only when no X server can be started.
set -u

[ "$1" = scale ] && export XVFB_SCREEN=1600x1000x24
. "$(dirname "$0")/x11_support.sh"

# Prints the program's visible windows that are larger (or, with "small", no
# larger) than a notification area's icon: balloons and the window, or icons.
windows_by_size() {
    for window in $(visible_windows); do
        eval "$(xdotool getwindowgeometry --shell "$window")"
        if [ "$WIDTH" -le 48 ] && [ "$HEIGHT" -le 48 ]; then
            [ "$1" = small ] && echo "$window"
        else
            [ "$1" = large ] && echo "$window"
        fi
    done
}

# Prints the first of the program's windows of the size class $1 (small or large), waiting up to 10 seconds.
wait_for_sized_window() {
    for _ in $(seq 1 100); do
        FOUND=$(windows_by_size "$1" | head -n 1)
        [ -n "$FOUND" ] && { echo "$FOUND"; return 0; }
        sleep 0.1
    done
    return 1
}

start_trayer() {
    trayer --edge bottom --align right --widthtype pixel --width 96 --heighttype pixel --height 32 &
    TRAYER_PID=$!
    [ -n "$(wait_for_window --onlyvisible --class trayer)" ] || fail "trayer did not come up"
}

start_program() {
    mkdir -p "$WORK/program"
    BIN=$(dirname "$KESTREL")
    cp -r "$KESTREL" "$BIN/config.bin" "$BIN/str.ini" "$BIN/Skins" "$WORK/program/"
    env -u KESTREL_SIMULATE "$WORK/program/$(basename "$KESTREL")" "$@" 2>"$WORK/stderr" &
    KESTREL_PID=$!
}

# Sets ICON_X and ICON_Y to the centre of the icon window $1.
icon_centre() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    ICON_X=$((X + WIDTH / 2))
    ICON_Y=$((Y + HEIGHT / 2))
}

# Fails unless the balloon window $1 reaches to within 24 pixels of the icon's centre.
check_balloon_points_at_icon() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    echo "balloon at ${X},${Y} ${WIDTH}x${HEIGHT}, icon centre at ${ICON_X},${ICON_Y}"
    if [ "$ICON_X" -lt $((X - 24)) ] || [ "$ICON_X" -gt $((X + WIDTH + 24)) ] ||
        [ "$ICON_Y" -lt $((Y - 24)) ] || [ "$ICON_Y" -gt $((Y + HEIGHT + 24)) ]; then
        fail "the balloon at ${X},${Y} does not point at the icon at ${ICON_X},${ICON_Y}"
    fi
}

test_balloon() {
    start_trayer
    start_program
    ICON=$(wait_for_sized_window small) || fail "the program's icon did not appear"
    BALLOON=$(wait_for_sized_window large) || fail "the start-up warning showed no balloon"
    icon_centre "$ICON"
    check_balloon_points_at_icon "$BALLOON"
}

test_late_tray() {
    start_program --autostart
    WINDOW=$(wait_for_window --onlyvisible --name "^$TITLE\$")
    [ -n "$WINDOW" ] || fail "without a notification area the window did not show"
    echo "window $WINDOW stands in for the notification area"

    start_trayer
    ICON=$(wait_for_sized_window small) || fail "the notification area started late did not get the icon"
    for _ in $(seq 1 50); do
        [ -z "$(windows_by_size large)" ] && break
        sleep 0.1
    done
    [ -z "$(windows_by_size large)" ] || fail "the window did not hide once the icon was in the notification area"
    echo "icon $ICON placed, window hidden"
    # A held start-up warning would show as soon as the icon is placed.
    sleep 0.5
    [ -z "$(windows_by_size large)" ] || fail "a start by the session without the mouse showed a notice"

    icon_centre "$ICON"
    xdotool mousemove --sync "$ICON_X" "$ICON_Y" click 1
    BALLOON=$(wait_for_sized_window large) || fail "a click on the icon without the mouse did not warn"
    check_balloon_points_at_icon "$BALLOON"

    kill "$TRAYER_PID"
    wait "$TRAYER_PID" 2>/dev/null
    TRAYER_PID=""
    WINDOW=$(wait_for_window --onlyvisible --name "^$TITLE\$")
    [ -n "$WINDOW" ] || fail "the window did not stand in again once the notification area went away"
    echo "window $WINDOW stands in again"
    kill -0 "$KESTREL_PID" 2>/dev/null || fail "the program ended"
}

test_scale() {
    eval "$(xdotool getdisplaygeometry --shell)"
    [ "${WIDTH}x${HEIGHT}" = 1600x1000 ] || fail "the screen is ${WIDTH}x${HEIGHT}, not 1600x1000"
    trayer --edge top --align left --widthtype pixel --width 96 --heighttype pixel --height 32 &
    TRAYER_PID=$!
    [ -n "$(wait_for_window --onlyvisible --class trayer)" ] || fail "trayer did not come up"
    export QT_SCALE_FACTOR=2
    start_program --simulate="$WORK/mouse.img"
    ICON=$(wait_for_sized_window small) || fail "the program's icon did not appear"
    icon_centre "$ICON"
    xdotool mousemove --sync "$ICON_X" "$ICON_Y" click 1
    WINDOW=$(wait_for_window --onlyvisible --name "^$TITLE\$")
    [ -n "$WINDOW" ] || fail "a click on the icon did not show the window"
    eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
    echo "window at ${X},${Y} ${WIDTH}x${HEIGHT}"
    [ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ "$X" -lt 1600 ] && [ "$Y" -lt 1000 ] ||
        fail "the window's top-left corner ${X},${Y} is off the 1600x1000 screen"
}

run_on_display() {
    WORK=$(mktemp -d)
    trap 'kill $KESTREL_PID $TRAYER_PID 2>/dev/null; rm -rf "$WORK"' EXIT
    export XDG_RUNTIME_DIR="$WORK/run"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    TRAYER_PID=""
    KESTREL_PID=""
    echo "display up" >"$MARKER"
    case "$MODE" in
    balloon) test_balloon ;;
    late-tray) test_late_tray ;;
    scale) test_scale ;;
    *) fail "unknown mode $MODE" ;;
    esac
}

run_test_on_xvfb "$@"
