#!/bin/sh
# Show requests on a real X display (Xvfb) with a notification area (trayer),
# in demo mode:
#
#   x11_show_test.sh startup KESTREL KESTRELCTL  the mouse fails its first exchange: while start-up's
#                                                "ReadOperation" message is open a click on the icon
#                                                shows nothing and leaves str.ini alone; after OK a
#                                                click shows the skinned window, str.ini still the same
#   x11_show_test.sh menu    KESTREL KESTRELCTL  a hidden copy runs (started with XDG_RUNTIME_DIR); plain
#                                                starts from other environments end silently with 0
#                                                and kestrelctl notify reaches the copy from them; the
#                                                menu entry's Exec line shows the running copy's window
#   x11_show_test.sh first   KESTREL KESTRELCTL  the menu entry's Exec line with no copy running starts
#                                                the program and shows its window once start-up has run
#
# The program runs from a copy of its folder, so nothing is written beside the
# built executable. Skipped (exit 77) only when no X server can be started.
set -u

. "$(dirname "$0")/x11_support.sh"

DESKTOP_ENTRY="$(dirname "$0")/../../resources/desktop/kestrel.desktop"

start_trayer() {
    command -v trayer >/dev/null || fail "trayer is not installed"
    trayer --edge bottom --align left --widthtype pixel --width 96 --heighttype pixel --height 32 &
    TRAYER_PID=$!
    [ -n "$(wait_for_window --onlyvisible --class trayer)" ] || fail "trayer did not come up"
}

copy_program() {
    mkdir "$WORK/program"
    BIN=$(dirname "$KESTREL")
    cp -r "$KESTREL" "$BIN/config.bin" "$BIN/str.ini" "$BIN/Skins" "$WORK/program/"
    PROGRAM="$WORK/program/$(basename "$KESTREL")"
}

# Sets ICON_X and ICON_Y to the middle of the first visible window of the
# program that is not $1: its icon in the notification area.
find_icon() {
    ICON=""
    for _ in $(seq 1 200); do
        ICON=$(visible_windows | grep -vxF "${1:-none}" | head -n 1)
        [ -n "$ICON" ] && break
        sleep 0.1
    done
    [ -n "$ICON" ] || fail "the program's icon did not appear"
    eval "$(xdotool getwindowgeometry --shell "$ICON")"
    ICON_X=$((X + WIDTH / 2))
    ICON_Y=$((Y + HEIGHT / 2))
}

# A synchronous move to where the pointer already is would wait for nothing.
click_icon() {
    xdotool mousemove "$ICON_X" "$ICON_Y" sleep 0.2 click 1
}

main_window_shown() {
    xdotool search --onlyvisible --name "^$TITLE\$" 2>/dev/null | head -n 1
}

# The window is the skin's size, so it was built from the skin and not left at its first size.
check_skinned() {
    SKIN="$WORK/program/Skins/Default/main.png"
    command -v identify >/dev/null || return 0
    eval "$(xdotool getwindowgeometry --shell "$1")"
    [ "${WIDTH}x${HEIGHT}" = "$(identify -format '%wx%h' "$SKIN")" ] ||
        fail "the window is ${WIDTH}x${HEIGHT}, not the size of the skin's main.png"
}

# The command of the menu entry's Exec line, with the copied program in place of "kestrel".
exec_line() {
    LINE=$(sed -n 's/^Exec=//p' "$DESKTOP_ENTRY" | head -n 1)
    case "$LINE" in
    "kestrel --show") echo "$PROGRAM --show" ;;
    *) fail "the menu entry's Exec line is '$LINE', not 'kestrel --show'" ;;
    esac
}

run_startup() {
    # Captions of the user's own, and a config.bin past its first run, so that
    # nothing has a reason to write str.ini.
    sed -i 's/^Item2=.*/Item2=Fire Key-A/; s/^Item43=.*/Item43=Hot Key-Ctrl+C/' "$WORK/program/str.ini"
    printf '\001' | dd of="$WORK/program/config.bin" bs=1 count=1 conv=notrunc 2>/dev/null
    cp "$WORK/program/str.ini" "$WORK/str.ini.before"

    KESTREL_SIM_FAULTS=0:vanish "$PROGRAM" --simulate 2>"$WORK/stderr" &
    KESTREL_PID=$!
    BOX=$(wait_for_window --onlyvisible --name "^ReadOperation\$")
    [ -n "$BOX" ] || fail "no \"ReadOperation\" message at start-up"
    find_icon "$BOX"
    click_icon
    sleep 1
    [ -z "$(main_window_shown)" ] || fail "a click on the icon during start-up showed the window"
    cmp -s "$WORK/program/str.ini" "$WORK/str.ini.before" || fail "a click during start-up changed str.ini"
    echo "a click on the icon while the start-up message was open showed nothing"

    xdotool windowfocus --sync "$BOX" key Return
    for _ in $(seq 1 50); do
        visible_windows | grep -qxF "$BOX" || break
        sleep 0.1
    done
    visible_windows | grep -qxF "$BOX" && fail "Return did not close the message"
    cmp -s "$WORK/program/str.ini" "$WORK/str.ini.before" || fail "start-up changed str.ini"
    click_icon
    WINDOW=$(wait_for_window --onlyvisible --name "^$TITLE\$")
    [ -n "$WINDOW" ] || fail "a click after start-up did not show the window"
    check_skinned "$WINDOW"
    sleep 0.5
    cmp -s "$WORK/program/str.ini" "$WORK/str.ini.before" || fail "showing the window changed str.ini"
    echo "after start-up a click showed the skinned window; str.ini is byte for byte as it was"
}

run_menu() {
    # The session's hidden copy.
    mkdir -m 700 "$WORK/run"
    XDG_RUNTIME_DIR="$WORK/run" "$PROGRAM" --simulate 2>"$WORK/stderr" &
    KESTREL_PID=$!
    find_icon
    sleep 0.5
    [ -z "$(main_window_shown)" ] || fail "the autostarted copy showed its window"
    ICONS=$(visible_windows)

    # ssh, su, cron: other environments of the same user.
    for ENVIRONMENT in "XDG_RUNTIME_DIR=$WORK/run" "-u XDG_RUNTIME_DIR" "-u XDG_RUNTIME_DIR TMPDIR=$WORK"; do
        # A second copy that runs on ends the wait, not the test run.
        # shellcheck disable=SC2086
        timeout 20 env $ENVIRONMENT "$PROGRAM" --simulate >"$WORK/second.out" 2>&1
        STATUS=$?
        [ "$STATUS" = 0 ] || fail "a second copy ($ENVIRONMENT) ended with $STATUS"
        # Qt's own warnings about the environment (no XDG_RUNTIME_DIR) are not the program's.
        grep -v '^QStandardPaths: ' "$WORK/second.out" >"$WORK/said"
        [ -s "$WORK/said" ] && fail "a second copy ($ENVIRONMENT) said: $(cat "$WORK/said")"
        # shellcheck disable=SC2086
        env $ENVIRONMENT "$KESTRELCTL" notify 14 0 || fail "kestrelctl notify ($ENVIRONMENT) did not reach the copy"
    done
    kill -0 "$KESTREL_PID" 2>/dev/null || fail "the running copy ended"
    [ -z "$(main_window_shown)" ] || fail "a plain second start showed the window"
    echo "second copies from three environments ended silently with 0; kestrelctl notify reached the copy"

    # The menu entry, from an environment without a runtime folder.
    # shellcheck disable=SC2046
    timeout 20 env -u XDG_RUNTIME_DIR $(exec_line) >"$WORK/menu.out" 2>&1
    STATUS=$?
    [ "$STATUS" = 0 ] || fail "the menu entry's command ended with $STATUS: $(cat "$WORK/menu.out")"
    WINDOW=$(wait_for_window --onlyvisible --name "^$TITLE\$")
    [ -n "$WINDOW" ] || fail "the menu entry did not show the running copy's window"
    [ "$(xdotool getwindowpid "$WINDOW")" = "$KESTREL_PID" ] || fail "the window shown is not the running copy's"
    check_skinned "$WINDOW"
    echo "the menu entry's Exec line showed the running copy's window and ended with 0"
}

run_first() {
    # shellcheck disable=SC2046
    $(exec_line) --simulate 2>"$WORK/stderr" &
    KESTREL_PID=$!
    WINDOW=$(wait_for_window --onlyvisible --name "^$TITLE\$")
    [ -n "$WINDOW" ] || fail "the menu entry with no copy running did not show the window"
    [ "$(xdotool getwindowpid "$WINDOW")" = "$KESTREL_PID" ] || fail "the window shown is not the new copy's"
    check_skinned "$WINDOW"
    echo "the menu entry with no copy running started the program and showed its window"
}

run_on_display() {
    WORK=$(mktemp -d)
    trap 'kill $KESTREL_PID $TRAYER_PID 2>/dev/null; rm -rf "$WORK"' EXIT
    TRAYER_PID=""
    KESTREL_PID=""
    echo "display up" >"$MARKER"
    start_trayer
    copy_program
    case "$MODE" in
    startup) run_startup ;;
    menu) run_menu ;;
    first) run_first ;;
    *) fail "unknown mode $MODE" ;;
    esac
}

run_test_on_xvfb "$@"
