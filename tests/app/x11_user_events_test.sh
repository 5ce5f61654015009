#!/bin/sh
# The window program driven on a real X display (Xvfb) by the events a user
# causes, with a notification area (trayer) at the bottom edge and the
# simulated mouse kept in a file:
#
#   x11_user_events_test.sh focus  KESTREL KESTRELCTL  a function list open while the window loses and
#                                                     regains the focus chooses nothing; a click on a row
#                                                     of a window that is not active chooses that row
#   x11_user_events_test.sh dialog KESTREL KESTRELCTL  with a sub-dialog open the icon's menu opens, with
#                                                     its bottom edge at the pointer, and "Exit" ends the
#                                                     program with 0
#   x11_user_events_test.sh box    KESTREL KESTRELCTL  the same with a message box open
#   x11_user_events_test.sh hover  KESTREL KESTRELCTL  every button of the window and of a sub-dialog
#                                                     left straight out of its window looks as before
#                                                     the hover; Escape and Enter end the sub-dialog
#   x11_user_events_test.sh drag   KESTREL KESTRELCTL  under a window manager (openbox), quick clicks leave
#                                                     the window where it is; a drag of its background
#                                                     moves it, and it stays put after the release
#   x11_user_events_test.sh band   KESTREL KESTRELCTL  a click in the band under the last row of a function
#                                                     list and of the hot key dialog's list chooses the
#                                                     highlighted last row
#   x11_user_events_test.sh hide   KESTREL KESTRELCTL  a list left open when Enter, Escape or the minimise
#                                                     spot hides the window is gone at the next show
#
# The program runs from a copy of its folder, so nothing is written beside the
# built executable. Skipped (exit 77) only when no X server can be started.
set -u

. "$(dirname "$0")/x11_support.sh"

# Moves the pointer to the window's client point and clicks.
click_at() {
    xdotool mousemove --sync $((WX + $1)) $((WY + $2)) click 1
    sleep 0.3
}

# Key group 1 of the simulated mouse, one line a button.
group1() {
    "$KESTRELCTL" --simulate="$WORK/mouse.img" show | sed -n '/^Key group 1/,/^Key group 2/p'
}

start_program() {
    trayer --edge bottom --align left --widthtype pixel --width 96 --heighttype pixel --height 32 &
    TRAYER_PID=$!
    TRAYER=$(wait_for_window --onlyvisible --class trayer)
    [ -n "$TRAYER" ] || fail "trayer did not come up"

    mkdir "$WORK/program"
    BIN=$(dirname "$KESTREL")
    cp -r "$KESTREL" "$BIN/config.bin" "$BIN/str.ini" "$BIN/Skins" "$WORK/program/"
    "$WORK/program/$(basename "$KESTREL")" --simulate="$WORK/mouse.img" 2>"$WORK/stderr" &
    KESTREL_PID=$!

    ICON=$(wait_for_window --onlyvisible --pid "$KESTREL_PID")
    [ -n "$ICON" ] || fail "the program's icon did not appear"
    eval "$(xdotool getwindowgeometry --shell "$ICON")"
    ICON_X=$((X + WIDTH / 2))
    ICON_Y=$((Y + HEIGHT / 2))
    xdotool mousemove --sync "$ICON_X" "$ICON_Y" click 1
    WINDOW=$(wait_for_window --onlyvisible --name "^$TITLE\$")
    [ -n "$WINDOW" ] || fail "a click on the icon did not show the window"
    eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
    WX=$X
    WY=$Y
    sleep 0.5
}

# Key drop-down k is at (252, 199+23(k-1))-(463, 220+23(k-1)); its function
# list opens below it with rows of 16 pixels after a 1-pixel border.
dropdown_y() { echo $((209 + 23 * ($1 - 1))); }
list_row_y() { echo $((221 + 23 * ($1 - 1) + 1 + 16 * $2 + 8)); }

# The focus goes to the notification area and back to the window, twice.
toggle_focus() {
    for _ in 1 2; do
        xdotool windowfocus --sync "$TRAYER"
        sleep 0.3
        xdotool windowfocus --sync "$WINDOW"
        sleep 0.3
    done
}

run_focus() {
    # An Apply first, so that the mouse holds the page's functions.
    click_at 718 633
    sleep 1
    BEFORE=$(group1)
    echo "$BEFORE" | grep -q ': Mid Click$' || fail "the first Apply did not reach the mouse: $BEFORE"

    WHOLE_BEFORE=$("$KESTRELCTL" --simulate="$WORK/mouse.img" show)
    INI_BEFORE=$(cat "$WORK/program/str.ini")

    # Each list left open while the focus goes to another window and comes
    # back: a function list, then the lighting Mode and Parameter lists.
    for BOX in "357 $(dropdown_y 3)" "809 337" "809 367"; do
        # shellcheck disable=SC2086
        click_at $BOX
        toggle_focus
        # A plain point of the window closes the list.
        click_at 120 400
    done
    click_at 718 633
    sleep 1
    [ "$(group1)" = "$BEFORE" ] || fail "focus changes chose a function: $(group1)"
    [ "$("$KESTRELCTL" --simulate="$WORK/mouse.img" show)" = "$WHOLE_BEFORE" ] ||
        fail "focus changes with a list open changed what the mouse holds"
    [ "$(cat "$WORK/program/str.ini")" = "$INI_BEFORE" ] || fail "focus changes with a list open changed str.ini"
    echo "focus changes with a function, Mode or Parameter list open chose nothing"

    # The window is not active when its list is clicked: the clicked row is the choice.
    click_at 357 "$(dropdown_y 4)"
    xdotool windowfocus --sync "$TRAYER"
    sleep 0.3
    click_at 357 "$(list_row_y 4 4)"
    click_at 718 633
    sleep 1
    [ "$(group1 | grep -c ': Backward$')" = 2 ] || fail "a click on row 4 did not choose \"Backward\": $(group1)"
    echo "a click on a row of an inactive window chose that row"

    xdotool mousemove --sync "$ICON_X" "$ICON_Y" click 3
}

# With something modal open, the icon's menu opens upwards and "Exit" ends the program.
exit_through_menu() {
    SHOWN=$(visible_windows)
    xdotool mousemove --sync "$ICON_X" "$ICON_Y" click 3
    MENU=$(wait_for_new_window "$SHOWN") || fail "a right click on the icon opened no menu while $1 was open"
    sleep 0.3
    eval "$(xdotool getwindowgeometry --shell "$MENU")"
    BOTTOM=$((Y + HEIGHT))
    [ $((BOTTOM - ICON_Y)) -le 2 ] && [ $((ICON_Y - BOTTOM)) -le 2 ] ||
        fail "the menu's bottom edge is at $BOTTOM, the pointer at $ICON_Y"
    echo "the menu opened with its bottom edge at the pointer while $1 was open"
    xdotool mousemove --sync $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
    wait_for_exit_status
    [ "$STATUS" = 0 ] || fail "\"Exit\" with $1 open did not end the program with 0 (status '$STATUS')"
    KESTREL_PID=""
    echo "\"Exit\" ended the program with exit code 0"
}

run_dialog() {
    # The skins button opens the skin chooser.
    SHOWN=$(visible_windows)
    click_at 710 14
    wait_for_new_window "$SHOWN" >/dev/null || fail "the skins button opened no dialog"
    exit_through_menu "a sub-dialog"
}

run_box() {
    # Button 1 holds the only "Left Click": choosing another row is refused with a message box.
    SHOWN=$(visible_windows)
    click_at 357 "$(dropdown_y 1)"
    click_at 357 "$(list_row_y 1 1)"
    wait_for_new_window "$SHOWN" >/dev/null || fail "no message box for the last \"Left Click\""
    exit_through_menu "a message box"
}

# The pixels of a window as the screen shows them now.
window_shot() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$2"
}

differing_pixels() {
    compare -metric AE "$1" "$2" null: 2>&1
}

# Rests the pointer on each point of window $1 (client coordinates in the
# remaining arguments, "x y" each), then moves it straight out of the window
# to the screen's corner: the window must look as it did before.
hover_and_leave() {
    HOVERED_WINDOW=$1
    shift
    eval "$(xdotool getwindowgeometry --shell "$HOVERED_WINDOW")"
    HX=$X
    HY=$Y
    xdotool mousemove --sync 1 1
    sleep 0.3
    window_shot "$HOVERED_WINDOW" "$WORK/normal.png"
    for POINT in "$@"; do
        # shellcheck disable=SC2086
        set -- $POINT
        xdotool mousemove --sync $((HX + $1)) $((HY + $2))
        sleep 0.3
        window_shot "$HOVERED_WINDOW" "$WORK/over.png"
        [ "$(differing_pixels "$WORK/normal.png" "$WORK/over.png")" != 0 ] || fail "($POINT) is not drawn hovered"
        xdotool mousemove --sync 1 1
        sleep 0.3
        window_shot "$HOVERED_WINDOW" "$WORK/left.png"
        LEFT=$(differing_pixels "$WORK/normal.png" "$WORK/left.png")
        [ "$LEFT" = 0 ] || fail "($POINT) left straight out of the window stays hovered: $LEFT pixels differ"
    done
}

# Waits until window $1 is no longer shown.
wait_until_gone() {
    for _ in $(seq 1 50); do
        visible_windows | grep -qxF "$1" || return 0
        sleep 0.1
    done
    return 1
}

run_hover() {
    # Close, minimise, skins, page button, OK, Apply, Cancel, Default, key drop-down 2.
    hover_and_leave "$WINDOW" "859 14" "833 14" "709 14" "64 73" "614 633" "718 633" "822 633" "359 559" \
        "357 $(dropdown_y 2)"
    echo "every button of the window left straight out of it returned to normal"

    for KEY in Escape Return; do
        SHOWN=$(visible_windows)
        click_at 710 14
        DIALOG=$(wait_for_new_window "$SHOWN") || fail "the skins button opened no dialog"
        sleep 0.3
        # The dialog's close button, OK and Cancel.
        hover_and_leave "$DIALOG" "361 15" "218 263" "322 263"
        xdotool key "$KEY"
        wait_until_gone "$DIALOG" || fail "$KEY did not end the skins dialog"
        echo "the dialog's buttons returned to normal; $KEY ended it"
    done
    kill -0 "$KESTREL_PID" 2>/dev/null || fail "the program ended with the dialog"
}

# Where the window is on the screen, as "X,Y".
window_position() {
    eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
    echo "$X,$Y"
}

run_drag() {
    START=$(window_position)
    # A quick click (a touchpad tap) on a plain point and on "Apply", then the
    # pointer moves on with no button held.
    for POINT in "120 400" "718 633"; do
        # shellcheck disable=SC2086
        click_at $POINT
        xdotool mousemove --sync 600 300
        sleep 0.2
        xdotool mousemove --sync 700 500
        sleep 0.3
        [ "$(window_position)" = "$START" ] ||
            fail "after a click at ($POINT) the window followed the pointer from $START to $(window_position)"
    done
    echo "quick clicks left the window at $START"

    xdotool mousemove --sync $((WX + 120)) $((WY + 400)) mousedown 1
    sleep 0.2
    xdotool mousemove --sync $((WX + 160)) $((WY + 420))
    sleep 0.2
    xdotool mousemove --sync $((WX + 260)) $((WY + 470))
    sleep 0.3
    xdotool mouseup 1
    sleep 0.3
    MOVED=$(window_position)
    [ "$MOVED" != "$START" ] || fail "a drag of the window's background did not move it"
    xdotool mousemove --sync 50 50
    sleep 0.3
    [ "$(window_position)" = "$MOVED" ] || fail "the window followed the pointer after the drag had ended"
    echo "a drag moved the window from $START to $MOVED, where it stayed"
}

# The band under the last row of a list whose top edge is at client row $1
# and whose height is $2: below the last row, above the bottom border.
band_y() { echo $(($1 + $2 - 3)); }

run_band() {
    # Function list 3: fourteen rows of 16 pixels in a list 230 pixels high.
    LIST3_TOP=$((221 + 23 * 2))
    click_at 357 "$(dropdown_y 3)"
    xdotool mousemove --sync $((WX + 357)) $((WY + $(band_y "$LIST3_TOP" 230)))
    sleep 0.3
    click_at 357 "$(band_y "$LIST3_TOP" 230)"

    # Function list 4, "HotKey"; in the dialog the band under "Undo", then OK.
    SHOWN=$(visible_windows)
    click_at 357 "$(dropdown_y 4)"
    click_at 357 "$(list_row_y 4 8)"
    DIALOG=$(wait_for_new_window "$SHOWN") || fail "\"HotKey\" opened no dialog"
    sleep 0.3
    eval "$(xdotool getwindowgeometry --shell "$DIALOG")"
    DX=$X
    DY=$Y
    xdotool mousemove --sync $((DX + 96)) $((DY + 136)) click 1
    sleep 0.3
    xdotool mousemove --sync $((DX + 96)) $((DY + $(band_y 146 120)))
    sleep 0.3
    xdotool click 1
    sleep 0.3
    xdotool mousemove --sync $((DX + 218)) $((DY + 263)) click 1
    wait_until_gone "$DIALOG" || fail "OK did not end the hot key dialog"

    click_at 718 633
    # The write takes a while on a busy machine: wait for its last page.
    for _ in $(seq 1 50); do
        group1 | grep -q '^ *Button 4: HotKey .*+Z$' && break
        sleep 0.2
    done
    GROUP1=$(group1)
    echo "$GROUP1" | grep -q '^ *Button 3: Shift$' ||
        fail "a click under the last row did not choose \"Shift\": $GROUP1"
    # "Undo" sends Ctrl+Z.
    echo "$GROUP1" | grep -q '^ *Button 4: HotKey .*+Z$' ||
        fail "a click under the dialog list's last row did not choose \"Undo\": $GROUP1"
    echo "clicks under the last rows chose \"Shift\" and \"Undo\""
}

# The window's client rectangle $1 ("left top width height") as the screen shows it now.
client_shot() {
    # shellcheck disable=SC2086
    set -- $1 "$2"
    import -window root -crop "${3}x${4}+$((WX + $1))+$((WY + $2))" +repage "$5"
}

# Clicks the icon and waits for the window; WX and WY follow it.
show_from_icon() {
    xdotool mousemove --sync "$ICON_X" "$ICON_Y" click 1
    WINDOW=$(wait_for_window --onlyvisible --name "^$TITLE\$")
    [ -n "$WINDOW" ] || fail "a click on the icon did not show the window again"
    eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
    WX=$X
    WY=$Y
    sleep 0.5
}

# Opens a list with a click on its box, hides the window with the given
# action, shows it again from the icon: the list's rectangle must look as it
# did before the list opened.
list_gone_after() {
    BOX=$1
    AREA=$2
    HIDE=$3
    xdotool mousemove --sync $((WX + 120)) $((WY + 400))
    sleep 0.3
    client_shot "$AREA" "$WORK/closed.png"
    # shellcheck disable=SC2086
    click_at $BOX
    client_shot "$AREA" "$WORK/open.png"
    [ "$(differing_pixels "$WORK/closed.png" "$WORK/open.png")" != 0 ] || fail "a click at ($BOX) opened no list"
    case "$HIDE" in
    minimise) click_at 833 14 ;;
    *) xdotool key "$HIDE" ;;
    esac
    wait_until_gone "$WINDOW" || fail "$HIDE did not hide the window"
    show_from_icon
    xdotool mousemove --sync $((WX + 120)) $((WY + 400))
    sleep 0.3
    client_shot "$AREA" "$WORK/shown.png"
    LEFT=$(differing_pixels "$WORK/closed.png" "$WORK/shown.png")
    [ "$LEFT" = 0 ] || fail "the list opened at ($BOX) is back after $HIDE and a show: $LEFT pixels differ"
    echo "the list opened at ($BOX) was gone after $HIDE and a show"
}

run_hide() {
    # Function list 3, the lighting Mode list, the lighting Parameter list.
    list_gone_after "357 $(dropdown_y 3)" "252 267 211 230" Return
    list_gone_after "809 337" "766 347 85 60" Escape
    list_gone_after "809 367" "767 377 84 170" minimise
}

# A window manager for the drag test; the program's moves are its to carry out.
start_window_manager() {
    command -v openbox >/dev/null || fail "openbox is not installed"
    openbox --startup "touch $WORK/wm-ready" >/dev/null 2>&1 &
    WM_PID=$!
    for _ in $(seq 1 100); do
        [ -f "$WORK/wm-ready" ] && return
        sleep 0.1
    done
    fail "openbox did not come up"
}

run_on_display() {
    WORK=$(mktemp -d)
    SHOT="${KESTREL_X11_SCREENSHOT:-}"
    trap 'kill $KESTREL_PID $TRAYER_PID $WM_PID 2>/dev/null; rm -rf "$WORK"' EXIT
    export XDG_RUNTIME_DIR="$WORK/run"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    TRAYER_PID=""
    KESTREL_PID=""
    WM_PID=""
    echo "display up" >"$MARKER"
    command -v trayer >/dev/null || fail "trayer is not installed"
    [ "$MODE" = drag ] && start_window_manager
    start_program
    case "$MODE" in
    focus) run_focus ;;
    dialog) run_dialog ;;
    box) run_box ;;
    hover) run_hover ;;
    drag) run_drag ;;
    band) run_band ;;
    hide) run_hide ;;
    *) fail "unknown mode $MODE" ;;
    esac
}

run_test_on_xvfb "$@"
