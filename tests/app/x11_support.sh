# Shared by the X11 tests of the window program, which source it first:
# their arguments are MODE KESTREL KESTRELCTL. KESTREL_PID is the running
# program's process.

MODE=$1
KESTREL=$2
KESTRELCTL=$3
TITLE="Gaming Mouse Setting"

# With SHOT set (a file name), a failure keeps a screenshot there.
fail() {
    echo "FAIL: $*" >&2
    [ -n "${SHOT:-}" ] && import -window root "$SHOT" 2>/dev/null
    exit 1
}

# Waits up to 20 seconds for an xdotool search to find something and prints it.
wait_for_window() {
    timeout 20 xdotool search --sync "$@" 2>/dev/null | head -n 1
}

visible_windows() {
    xdotool search --onlyvisible --pid "$KESTREL_PID" 2>/dev/null | sort
}

# Prints the first window the program shows (a dialog, a balloon, a menu)
# that $1 did not list; waits up to 10 seconds.
wait_for_new_window() {
    for _ in $(seq 1 100); do
        NEW=$(visible_windows | grep -vxF "${1:-none}" | head -n 1)
        [ -n "$NEW" ] && { echo "$NEW"; return 0; }
        sleep 0.1
    done
    return 1
}

# Sets STATUS to the program's exit status once it has ended (10 seconds at most).
wait_for_exit_status() {
    STATUS="still running"
    for _ in $(seq 1 100); do
        if ! kill -0 "$KESTREL_PID" 2>/dev/null; then
            wait "$KESTREL_PID"
            STATUS=$?
            return
        fi
        sleep 0.1
    done
}

# The script's own start: "on-display" runs run_on_display on the display
# xvfb-run made; otherwise the script starts itself that way. Exits with the
# test's status, 77 when no X server can be started here. XVFB_SCREEN
# (WIDTHxHEIGHTxDEPTH) chooses another screen than 1280x800x24.
run_test_on_xvfb() {
    if [ "${1:-}" = on-display ]; then
        MODE=$2 KESTREL=$3 KESTRELCTL=$4 MARKER=$5
        run_on_display
        exit $?
    fi
    command -v xdotool >/dev/null || fail "xdotool is not installed"
    if ! command -v xvfb-run >/dev/null || ! command -v Xvfb >/dev/null; then
        echo "SKIP: no X server can be started here (xvfb-run or Xvfb is missing)"
        exit 77
    fi
    MARKER=$(mktemp)
    rm -f "$MARKER"
    # A running copy holds its user's name in the abstract socket namespace,
    # which belongs to the network namespace: in a private one the test's
    # copies never meet a copy the user runs or another test's copies.
    if unshare --map-current-user --net true 2>/dev/null; then
        set -- unshare --map-current-user --net
    else
        echo "NOTE: no private network namespace here; a running copy of kestrel would meet the test's"
        set --
    fi
    xvfb-run -a -s "-screen 0 ${XVFB_SCREEN:-1280x800x24}" "$@" "$0" on-display "$MODE" "$KESTREL" "$KESTRELCTL" "$MARKER"
    STATUS=$?
    if [ ! -f "$MARKER" ]; then
        echo "SKIP: Xvfb could not be started here"
        exit 77
    fi
    rm -f "$MARKER"
    exit $STATUS
}
