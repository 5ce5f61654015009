#!/bin/sh
# Many functions run only through poll and the exit trap.
# shellcheck disable=SC2317
# kestrel.exe under Wine, in Wine's virtual desktop on Xvfb, driven by real
# clicks (xdotool) on the desktop's task bar and on the program's windows,
# with the simulated mouse kept in a file:
#
#   wine_window_test.sh keys     ...  the program starts hidden; a click on its icon in the task
#                                     bar's notification area shows the window; button 4 set to
#                                     "Backward" and Apply reach the mouse and str.ini
#   wine_window_test.sh dialogs  ...  the multimedia dialog's OK stores its choice; the skins
#                                     dialog's OK changes the skin
#   wine_window_test.sh instance ...  a second copy ends silently with 0; "kestrel.exe --show"
#                                     and "kestrelctl.exe notify" reach the running copy; "Exit"
#                                     in the icon's menu ends it with 0
#   wine_window_test.sh hotplug  ...  device-change messages naming the mouse's interface are
#                                     counted and followed: the fourth re-opens the mouse
#
# usage: wine_window_test.sh MODE WINDOWS_BIN PROBE_EXE KESTRELCTL WORK_DIR
# WINDOWS_BIN is the folder with kestrel.exe, kestrelctl.exe and what they need;
# PROBE_EXE the helper that lists the desktop's windows and sends device
# changes; KESTRELCTL the native tool that reads the simulated mouse's file.
# The Wine prefix lives in WORK_DIR/prefix and is kept for the next run. With
# KESTREL_WINE_SCREENSHOT set (a PNG file name), the keys mode saves the shown
# window there. Exit code 77 (skipped) when Wine, Xvfb, xdotool or the
# programs are missing.
set -u

TITLE="Gaming Mouse Setting"
DESKTOP=kestrel
# The mouse's HID interface as Windows names it, in both spellings the
# program looks for, and in one it ignores.
MOUSE_PATH='\\?\HID#VID_04D9&PID_A09E&MI_01&Col02#8&2d1c3f7&0&0001#{4d1e55b2-f16f-11cf-88cb-001111000030}'
MOUSE_PATH_MIXED='\\?\HID#Vid_04d9&Pid_a09e&MI_01&Col02#8&2d1c3f7&0&0001#{4d1e55b2-f16f-11cf-88cb-001111000030}'
MOUSE_PATH_LOWER='\\?\hid#vid_04d9&pid_a09e&mi_01&col02#8&2d1c3f7&0&0001#{4d1e55b2-f16f-11cf-88cb-001111000030}'
OTHER_PATH='\\?\HID#VID_046D&PID_C077#7&1a2b3c4d&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030}'

fail() {
    echo "FAIL: $*" >&2
    [ -n "${WORK:-}" ] && import -window root "$WORK/failure.png" 2>/dev/null &&
        echo "the screen is in $WORK/failure.png" >&2
    exit 1
}

skip() {
    echo "SKIP: $*"
    exit 77
}

find_wine() {
    WINE=$(command -v wine64 || true)
    [ -n "$WINE" ] || { [ -x /usr/lib/wine/wine64 ] && WINE=/usr/lib/wine/wine64; }
    [ -n "$WINE" ] || WINE=$(command -v wine || true)
    WINESERVER=$(command -v wineserver || true)
    for candidate in /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver; do
        [ -n "$WINESERVER" ] || { [ -x "$candidate" ] && WINESERVER=$candidate; }
    done
}

# Polls the command in "$@" every 0.2 seconds until it succeeds, for up to
# $DEADLINE seconds (20 unless set).
poll() {
    tries=$((${DEADLINE:-20} * 5))
    while [ $tries -gt 0 ]; do
        "$@" && return 0
        sleep 0.2
        tries=$((tries - 1))
    done
    return 1
}

# --- the Windows side, seen through the probe ----------------------------

windows_now() {
    "$WINE" "$PROBE" windows 2>/dev/null | tr -d '\r'
}

# The main window's line ("left top width height class title") while it is
# shown. The icon's tip, a tooltip window, carries the same text.
main_window_line() {
    windows_now | awk -v title="$TITLE" '{ t = $0; sub(/^[^ ]+ [^ ]+ [^ ]+ [^ ]+ [^ ]+ /, "", t) }
        t == title && $5 != "tooltips_class32"' | head -n 1
}

main_window_shown() {
    LINE=$(main_window_line)
    [ -n "$LINE" ] || return 1
    # shellcheck disable=SC2086
    set -- $LINE
    WX=$1
    WY=$2
}

main_window_hidden() {
    [ -z "$(main_window_line)" ]
}

# A visible window that "$1" (a windows_now listing) did not have, other than
# a tooltip (the icon's tip comes and goes with the pointer); sets NEW_LINE and
# NEW_X, NEW_Y, NEW_W, NEW_H.
new_window_since() {
    NEW_LINE=$(windows_now | grep -vxF -f "$1" | grep -v '^[-0-9]* [-0-9]* [0-9]* [0-9]* tooltips_class32 ' |
        head -n 1)
    [ -n "$NEW_LINE" ] || return 1
    # shellcheck disable=SC2086
    set -- $NEW_LINE
    NEW_X=$1
    NEW_Y=$2
    NEW_W=$3
    NEW_H=$4
}

# A visible balloon (a tooltip window) whose text contains "$1".
balloon_shows() {
    windows_now | grep '^[-0-9]* [-0-9]* [0-9]* [0-9]* tooltips_class32 ' | grep -qF "$1"
}

# --- the X side ------------------------------------------------------------

# Moves to the desktop point and clicks button $3 (1 unless given).
click_screen() {
    xdotool mousemove --sync "$1" "$2" click "${3:-1}"
    sleep 0.3
}

# Clicks the shown main window's client point.
click_at() {
    click_screen $((WX + $1)) $((WY + $2))
}

# The task bar's strip of the screen as it is now.
taskbar_shot() {
    import -window root -crop "${TASKBAR_W}x${TASKBAR_H}+${TASKBAR_X}+${TASKBAR_Y}" +repage "$1"
}

# Sets ICON_X and ICON_Y to the middle of what appeared in the task bar's
# notification area since "$1" was taken.
icon_appeared_since() {
    taskbar_shot "$WORK/taskbar-now.png"
    BOX=$(convert "$1" "$WORK/taskbar-now.png" -compose difference -composite -threshold 0 -trim \
        -format '%w %h %X %Y' info: 2>/dev/null | tr -d '+')
    # shellcheck disable=SC2086
    set -- $BOX
    [ $# = 4 ] && [ "$1" -gt 1 ] && [ "$1" -lt 64 ] || return 1
    # The notification area is the task bar's right end.
    [ $(($3 + TASKBAR_X)) -gt $((TASKBAR_X + TASKBAR_W / 2)) ] || return 1
    ICON_X=$((TASKBAR_X + $3 + $1 / 2))
    ICON_Y=$((TASKBAR_Y + $4 + $2 / 2))
}

# Whether the task bar looks as it did before the program started.
taskbar_as_before() {
    taskbar_shot "$WORK/taskbar-now.png"
    [ "$(compare -metric AE "$WORK/taskbar-before.png" "$WORK/taskbar-now.png" null: 2>&1)" = 0 ]
}

# --- the program -----------------------------------------------------------

# Key drop-down k is at (252, 199+23(k-1))-(463, 220+23(k-1)); its function
# list opens below it with rows of 16 pixels after a 1-pixel border.
dropdown_y() { echo $((209 + 23 * ($1 - 1))); }
list_row_y() { echo $((221 + 23 * ($1 - 1) + 1 + 16 * $2 + 8)); }
# In a sub-dialog the choice list opens at (42, 146) with the same rows.
dialog_row_y() { echo $((146 + 1 + 16 * $1 + 8)); }

# Key group 1 of the simulated mouse, one line a button.
group1() {
    "$KESTRELCTL" --simulate="$WORK/mouse.img" show | sed -n '/^Key group 1/,/^Key group 2/p'
}

group1_has() {
    group1 | grep -q "$1"
}

# str.ini as text, whichever encoding the program keeps it in.
str_ini() {
    if [ "$(head -c 2 "$PROGRAM/str.ini" | od -An -tx1 | tr -d ' ')" = fffe ]; then
        iconv -f UTF-16LE -t UTF-8 "$PROGRAM/str.ini" | tr -d '\r'
    else
        tr -d '\r' <"$PROGRAM/str.ini"
    fi
}

str_ini_has() {
    str_ini | grep -qxF "$1"
}

# Whether the English captions' section of str.ini has the line $1.
english_caption_is() {
    str_ini | sed -n '/^\[Setting-EN\]$/,/^\[/p' | grep -qxF "$1"
}

# The desktop with its task bar: made by the first program started in it.
start_desktop() {
    "$WINE" "$PROBE" hold >/dev/null 2>&1 &
    HOLDER_PID=$!
    DEADLINE=30 poll sh -c "'$WINE' '$PROBE' windows 2>/dev/null | grep -q ' Shell_TrayWnd'" ||
        fail "the virtual desktop has no task bar"
    # shellcheck disable=SC2046
    set -- $(windows_now | grep ' Shell_TrayWnd' | head -n 1)
    TASKBAR_X=$1
    TASKBAR_Y=$2
    TASKBAR_W=$3
    TASKBAR_H=$4
}

# Starts kestrel.exe from the program folder with the simulated mouse; waits
# for its icon. KESTREL_PID is the Wine process, which ends with the program.
start_program() {
    taskbar_shot "$WORK/taskbar-before.png"
    (cd "$PROGRAM" && exec "$WINE" kestrel.exe --simulate=../mouse.img >"$WORK/kestrel.out" 2>&1) &
    KESTREL_PID=$!
    DEADLINE=60 poll icon_appeared_since "$WORK/taskbar-before.png" ||
        fail "no icon appeared in the task bar's notification area"
    # Start-up ran to its end (the program waits for input), and the window is hidden.
    "$WINE" "$PROBE" idle || fail "the program's start-up did not end"
    main_window_hidden || fail "the window is shown at start: $(main_window_line)"
    echo "the program started hidden, its icon at ($ICON_X, $ICON_Y)"
}

show_from_icon() {
    click_screen "$ICON_X" "$ICON_Y"
    poll main_window_shown || fail "a click on the icon did not show the window"
    sleep 0.5
}

# Sets STATUS to the exit status of the process $1 once it has ended.
wait_for_exit_of() {
    STATUS="still running"
    tries=$((${DEADLINE:-20} * 5))
    while [ $tries -gt 0 ]; do
        if ! kill -0 "$1" 2>/dev/null; then
            wait "$1"
            STATUS=$?
            return
        fi
        sleep 0.2
        tries=$((tries - 1))
    done
}

apply_and_wait_for() {
    click_at 718 633
    poll group1_has "$1" || fail "Apply did not reach the mouse: $(group1)"
}

# --- the scenarios ---------------------------------------------------------

run_keys() {
    show_from_icon
    echo "a click on the icon showed the window at ($WX, $WY)"
    if [ -n "${KESTREL_WINE_SCREENSHOT:-}" ]; then
        # shellcheck disable=SC2046
        set -- $(main_window_line)
        import -window root -crop "${3}x${4}+${1}+${2}" +repage "$KESTREL_WINE_SCREENSHOT"
    fi
    # An Apply first, so that the mouse holds the page's functions.
    apply_and_wait_for '^ *Button 4: Forward$'
    click_at 357 "$(dropdown_y 4)"
    click_at 357 "$(list_row_y 4 4)"
    apply_and_wait_for '^ *Button 4: Backward$'
    echo "button 4 on \"Backward\" reached the mouse"
    english_caption_is "Item4=Backward" || fail "str.ini holds no caption \"Backward\" for button 4: $(str_ini)"
    echo "str.ini holds the caption"
}

# Opens a sub-dialog by choosing row $2 in function list $1; sets DX, DY.
open_dialog_from_list() {
    windows_now >"$WORK/before-dialog"
    click_at 357 "$(dropdown_y "$1")"
    click_at 357 "$(list_row_y "$1" "$2")"
    poll new_window_since "$WORK/before-dialog" || fail "row $2 of list $1 opened no dialog"
    DX=$NEW_X
    DY=$NEW_Y
    sleep 0.5
}

dialog_click() {
    click_screen $((DX + $1)) $((DY + $2))
}

dialog_gone() {
    ! windows_now | grep -qxF "$NEW_LINE"
}

run_dialogs() {
    show_from_icon
    # Button 5, "Multimedia"; in the dialog the face, then "Vol-" (row 6), then OK.
    open_dialog_from_list 5 7
    dialog_click 96 136
    dialog_click 96 "$(dialog_row_y 6)"
    dialog_click 218 263
    poll dialog_gone || fail "OK did not end the multimedia dialog"
    apply_and_wait_for '^ *Button 5: Multimedia'
    group1 | grep -q '^ *Button 5: Multimedia.*Vol' || fail "the multimedia choice is not \"Vol-\": $(group1)"
    english_caption_is "Item5=Multimedia-Vol-" || fail "str.ini holds no caption \"Multimedia-Vol-\": $(str_ini)"
    echo "the multimedia dialog's \"Vol-\" reached the mouse and str.ini"

    # The skins button; in the dialog the face, then the first skin folder
    # ("Crimson"), then OK.
    str_ini_has "Path=Default" || fail "str.ini does not start with the skin Default: $(str_ini)"
    windows_now >"$WORK/before-dialog"
    click_at 710 14
    poll new_window_since "$WORK/before-dialog" || fail "the skins button opened no dialog"
    DX=$NEW_X
    DY=$NEW_Y
    sleep 0.5
    dialog_click 96 136
    dialog_click 96 "$(dialog_row_y 0)"
    dialog_click 218 263
    poll dialog_gone || fail "OK did not end the skins dialog"
    poll str_ini_has "Path=Crimson" || fail "the skins dialog did not store the skin: $(str_ini)"
    echo "the skins dialog's OK stored the skin Crimson"
}

run_instance() {
    # A second copy ends at once with 0, and shows nothing.
    windows_now >"$WORK/before-second"
    (cd "$PROGRAM" && exec "$WINE" kestrel.exe --simulate=../mouse.img >"$WORK/second.out" 2>&1) &
    SECOND=$!
    wait_for_exit_of "$SECOND"
    [ "$STATUS" = 0 ] || fail "a second copy did not end with 0 (status '$STATUS')"
    main_window_hidden || fail "a second copy showed a window"
    ! new_window_since "$WORK/before-second" || fail "a second copy showed a window: $NEW_LINE"
    kill -0 "$KESTREL_PID" 2>/dev/null || fail "the first copy ended with the second"
    echo "a second copy ended silently with 0"

    # --show reaches the running copy, which shows its hidden window.
    (cd "$PROGRAM" && "$WINE" kestrel.exe --show >"$WORK/show.out" 2>&1)
    SHOW_STATUS=$?
    [ "$SHOW_STATUS" = 0 ] || fail "kestrel.exe --show ended with $SHOW_STATUS"
    poll main_window_shown || fail "kestrel.exe --show did not show the running copy's window"
    echo "kestrel.exe --show showed the running copy's window"

    # A notice from the command-line tool becomes the icon's balloon.
    (cd "$PROGRAM" && "$WINE" kestrelctl.exe notify 8 1 >"$WORK/notify.out" 2>&1)
    NOTIFY_STATUS=$?
    [ "$NOTIFY_STATUS" = 0 ] || fail "kestrelctl.exe notify 8 1 ended with $NOTIFY_STATUS: $(cat "$WORK/notify.out")"
    poll balloon_shows "Switch to key matrix 1" || fail "kestrelctl.exe notify 8 1 showed no balloon"
    echo "kestrelctl.exe notify 8 1 showed \"Switch to key matrix 1\""

    # The icon's menu: its one item ends the program with 0.
    windows_now >"$WORK/before-menu"
    click_screen "$ICON_X" "$ICON_Y" 3
    poll new_window_since "$WORK/before-menu" || fail "a right click on the icon opened no menu"
    # The item is taken on a click after the pointer has come to rest on it.
    xdotool mousemove --sync $((NEW_X + NEW_W / 2)) $((NEW_Y + NEW_H / 2))
    sleep 0.5
    click_screen $((NEW_X + NEW_W / 2)) $((NEW_Y + NEW_H / 2))
    wait_for_exit_of "$KESTREL_PID"
    [ "$STATUS" = 0 ] || fail "\"Exit\" did not end the program with 0 (status '$STATUS')"
    KESTREL_PID=""
    poll taskbar_as_before || fail "the icon stayed in the notification area after \"Exit\""
    echo "\"Exit\" in the icon's menu ended the program with 0 and removed its icon"
}

# Sends the device change $1 naming $2, $3 times. The program handles each
# before the probe ends: one that shows a message box there keeps the probe
# waiting until its time runs out.
send_changes() {
    n=0
    while [ $n -lt "$3" ]; do
        "$WINE" "$PROBE" devicechange "$1" "$2" ||
            fail "the program did not take device change $((n + 1)) of $3 ($1) at once"
        n=$((n + 1))
    done
}

run_hotplug() {
    show_from_icon
    DETECTED="The system detect the gaming mouse."
    NOT_DETECTED="The system did not detect the gaming mouse!"
    # Four removals while the mouse is there: it is found again, nothing is
    # read or said, and the window stays.
    send_changes removal "$MOUSE_PATH" 4
    main_window_shown || fail "removals of a mouse still there hid the window"
    echo "four removals of a mouse still there left the window shown"

    # Notices that do not name the mouse as the system does are not counted.
    send_changes arrival "$MOUSE_PATH_LOWER" 4
    send_changes arrival "$OTHER_PATH" 4
    # Three of the mouse's own are counted and do nothing.
    send_changes arrival "$MOUSE_PATH" 2
    send_changes arrival "$MOUSE_PATH_MIXED" 1
    windows_now >"$WORK/before-fourth"
    grep -q ' tooltips_class32 .*detect' "$WORK/before-fourth" && fail "the mouse was re-opened before the fourth notice"
    # The fourth re-opens the mouse, says so and reads it; the fault plan pulls
    # the mouse out at that read's first exchange, and the failed read is
    # reported in a message box while the message is being handled.
    "$WINE" "$PROBE" devicechange arrival "$MOUSE_PATH" &
    SENDER=$!
    poll new_window_since "$WORK/before-fourth" || fail "the fourth arrival did not read the mouse"
    case "$NEW_LINE" in
    *" ReadOperation") ;;
    *) fail "the fourth arrival's read reported no failure: $NEW_LINE" ;;
    esac
    poll balloon_shows "$DETECTED" || fail "the fourth arrival did not say \"$DETECTED\""
    echo "the fourth arrival naming the mouse re-opened it (\"$DETECTED\") and reported the failed read"
    xdotool key Return
    DEADLINE=15 wait_for_exit_of "$SENDER"
    [ "$STATUS" = 0 ] || fail "the arrival's handling did not end once its message was read (status '$STATUS')"

    # The fourth removal then finds no mouse: the window hides and says so,
    # and the icon no longer shows it.
    send_changes removal "$MOUSE_PATH" 3
    main_window_shown || fail "three removals hid the window"
    send_changes removal "$MOUSE_PATH" 1
    main_window_hidden || fail "the fourth removal of a vanished mouse did not hide the window"
    poll balloon_shows "$NOT_DETECTED" || fail "the mouse's loss showed no \"$NOT_DETECTED\""
    echo "the fourth removal lost the mouse: the window hid, \"$NOT_DETECTED\""
    click_screen "$ICON_X" "$ICON_Y"
    sleep 1
    main_window_hidden || fail "a click on the icon showed the window without the mouse"
    echo "a click on the icon without the mouse left the window hidden"
}

# --- the run ---------------------------------------------------------------

run_on_display() {
    WORK=$WORK_ROOT/$MODE
    rm -rf "$WORK"
    mkdir -p "$WORK" || exit 1
    PROGRAM=$WORK/program
    cp -r "$BIN" "$PROGRAM" || fail "cannot copy $BIN"
    KESTREL_PID=""
    HOLDER_PID=""
    SENDER=""
    SECOND=""
    trap 'cleanup' EXIT
    "$WINESERVER" -p >/dev/null 2>&1
    # Start-up reads the mouse in 17 exchanges (0 to 16); the mouse vanishes
    # at the next.
    [ "$MODE" = hotplug ] && export KESTREL_SIM_FAULTS=17:vanish
    start_desktop
    start_program
    case "$MODE" in
    keys) run_keys ;;
    dialogs) run_dialogs ;;
    instance) run_instance ;;
    hotplug) run_hotplug ;;
    *) fail "unknown mode $MODE" ;;
    esac
}

cleanup() {
    for pid in $KESTREL_PID $HOLDER_PID $SENDER $SECOND; do
        kill "$pid" 2>/dev/null
    done
    # Ends every Windows program of the prefix, whoever started it.
    "$WINESERVER" -k >/dev/null 2>&1
    for pid in $KESTREL_PID $HOLDER_PID $SENDER $SECOND; do
        wait "$pid" 2>/dev/null
    done
}

# The prefix, made once: the virtual desktop with a task bar is every
# program's desktop, and the Chinese faces the program asks for (and those
# Qt falls back on) are the installed WenQuanYi Micro Hei.
prepare_prefix() {
    export WINEPREFIX="$WORK_ROOT/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
    export LC_ALL=C.UTF-8
    STAMP="$WINEPREFIX/.kestrel-desktop-3"
    [ -f "$STAMP" ] && return
    mkdir -p "$WORK_ROOT" || exit 1
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "creating the Wine prefix $WINEPREFIX"
        "$WINE" wineboot --init >"$WORK_ROOT/wineboot.log" 2>&1 || { cat "$WORK_ROOT/wineboot.log"; exit 1; }
    fi
    REG="$WORK_ROOT/desktop.reg"
    {
        printf 'Windows Registry Editor Version 5.00\n\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\n"Desktop"="%s"\n\n' "$DESKTOP"
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\n"%s"="1200x850"\n\n' "$DESKTOP"
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops\\%s]\n"EnableShell"=dword:00000001\n\n' "$DESKTOP"
        # Replacements are listed as families of their own, which Qt's font
        # list needs; substitutes serve the system's own controls.
        for key in 'HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements' \
            'HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'; do
            printf '[%s]\n"Arial"="DejaVu Sans"\n' "$key"
            for face in SimSun NSimSun SimHei "Microsoft YaHei" "Microsoft JhengHei" MingLiU PMingLiU 宋体 黑体 微软雅黑; do
                printf '"%s"="WenQuanYi Micro Hei"\n' "$face"
            done
            printf '\n'
        done
    } >"$REG"
    iconv -f UTF-8 -t UTF-16LE "$REG" | { printf '\377\376'; cat; } >"$REG.utf16"
    (cd "$WORK_ROOT" && "$WINE" regedit /S desktop.reg.utf16) >/dev/null 2>&1 || fail "regedit failed"
    # The server writes the registry out when it ends.
    "$WINESERVER" -k >/dev/null 2>&1
    touch "$STAMP"
}

if [ "${1:-}" = on-display ]; then
    shift
    MODE=$1 BIN=$2 PROBE=$3 KESTRELCTL=$4 WORK_ROOT=$5 MARKER=$6
    echo "display up" >"$MARKER"
    find_wine
    prepare_prefix
    run_on_display
    exit $?
fi

[ $# = 5 ] || { echo "usage: $0 MODE WINDOWS_BIN PROBE_EXE KESTRELCTL WORK_DIR" >&2; exit 2; }
MODE=$1
BIN=$(realpath -m "$2")
PROBE=$(realpath -m "$3")
KESTRELCTL=$(realpath -m "$4")
WORK_ROOT=$(realpath -m "$5")
find_wine
{ [ -n "$WINE" ] && [ -n "$WINESERVER" ]; } || skip "Wine is not installed"
[ -f "$BIN/kestrel.exe" ] || skip "$BIN/kestrel.exe is not built"
[ -f "$PROBE" ] || skip "$PROBE is not built"
command -v xdotool >/dev/null || skip "xdotool is not installed"
{ command -v import >/dev/null && command -v convert >/dev/null; } || skip "ImageMagick is not installed"
{ command -v xvfb-run >/dev/null && command -v Xvfb >/dev/null; } || skip "Xvfb is not installed"
unset WAYLAND_DISPLAY
MARKER=$(mktemp)
rm -f "$MARKER"
xvfb-run -a -s "-screen 0 1280x900x24" "$0" on-display "$MODE" "$BIN" "$PROBE" "$KESTRELCTL" "$WORK_ROOT" "$MARKER"
STATUS=$?
[ -f "$MARKER" ] || skip "Xvfb could not be started here"
rm -f "$MARKER"
exit $STATUS
