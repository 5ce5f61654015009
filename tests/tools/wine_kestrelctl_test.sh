#!/bin/sh
# Runs kestrelctl.exe under Wine and the native kestrelctl on the same inputs,
# each in its own folder, and requires the same standard output, standard
# error and exit code from every command, and the same simulated mouse files
# afterwards.
#
# usage: wine_kestrelctl_test.sh KESTRELCTL KESTRELCTL_EXE CONFIG_BIN WORK_DIR
# The Wine prefix lives in WORK_DIR/prefix and is kept for the next run.
# Exit code 77 (skipped) when Wine is not installed.
set -u

native=$(realpath "$1")
windows=$(realpath "$2")
config=$(realpath "$3")
work=$(realpath -m "$4")

wine=$(command -v wine64 || true)
[ -n "$wine" ] || { [ -x /usr/lib/wine/wine64 ] && wine=/usr/lib/wine/wine64; }
[ -n "$wine" ] || wine=$(command -v wine || true)
if [ -z "$wine" ]; then
    echo "Wine is not installed; skipped"
    exit 77
fi

export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
# Wine decodes the command line in the locale's character set; no display is used.
export LC_ALL=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY

mkdir -p "$work" || exit 1
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "creating the Wine prefix $WINEPREFIX"
    "$wine" wineboot --init >"$work/wineboot.log" 2>&1 || { cat "$work/wineboot.log"; exit 1; }
fi
# One Wine server for all the runs (each start of its own takes seconds),
# ended with the test.
wineserver=$(command -v wineserver || true)
for candidate in /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver; do
    [ -n "$wineserver" ] || { [ -x "$candidate" ] && wineserver=$candidate; }
done
if [ -n "$wineserver" ]; then
    "$wineserver" -p >/dev/null 2>&1
    trap '"$wineserver" -k >/dev/null 2>&1' EXIT
fi
# Wine reports a prefix update on the first start after an upgrade: keep that
# out of the comparison.
"$wine" "$windows" --simulate list >/dev/null 2>&1

cases="$work/cases"
rm -rf "$cases"
mkdir -p "$cases/native" "$cases/windows" || exit 1

settings='réglages-設定.bin'
state='mäus-図.img'
for side in native windows; do
    dir="$cases/$side"
    cp "$config" "$dir/$settings"
    head -c 199 "$config" >"$dir/short.bin"
    { cat "$config"; printf 'x'; } >"$dir/long.bin"
    head -c 100 /dev/zero >"$dir/short.img"
    head -c 323 /dev/zero >"$dir/long-state.img"
done
# A mouse image with sensor type 2 for compose --image.
"$native" --simulate="$cases/native/seed.img" read >/dev/null || exit 1
cp "$cases/native/seed.img" "$cases/image.img"
printf '\002' | dd of="$cases/image.img" bs=1 seek=$((2 + 3 * 64 + 1)) conv=notrunc 2>/dev/null
rm "$cases/native/seed.img"
cp "$cases/image.img" "$cases/native/image.img"
cp "$cases/image.img" "$cases/windows/image.img"

failures=0
count=0

# Runs one command line on both sides and compares what they produced.
check() {
    count=$((count + 1))
    (cd "$cases/native" && "$native" "$@" >"../$count.native.out" 2>"../$count.native.err")
    native_rc=$?
    (cd "$cases/windows" && "$wine" "$windows" "$@" >"../$count.windows.out" 2>"../$count.windows.err")
    windows_rc=$?
    problem=""
    [ "$native_rc" = "$windows_rc" ] || problem="exit code $native_rc on Linux, $windows_rc under Wine"
    cmp -s "$cases/$count.native.out" "$cases/$count.windows.out" || problem="${problem:+$problem; }standard output differs"
    cmp -s "$cases/$count.native.err" "$cases/$count.windows.err" || problem="${problem:+$problem; }standard error differs"
    if [ -n "$problem" ]; then
        failures=$((failures + 1))
        echo "FAIL: kestrelctl $*: $problem"
        for stream in out err; do
            diff "$cases/$count.native.$stream" "$cases/$count.windows.$stream" | od -c | head -20
        done
    else
        echo "ok (exit $native_rc): kestrelctl $*"
    fi
}

# The same files on both sides.
compare_file() {
    if cmp "$cases/native/$1" "$cases/windows/$1"; then
        echo "ok: $1 alike"
    else
        failures=$((failures + 1))
        echo "FAIL: $1 differs"
    fi
}

check --simulate="$state" read
check --simulate="$state" show
check --simulate="$state" --trace apply "$settings"
check --simulate="$state" read
check --simulate="$state" show
check compose "$settings"
check compose "$settings" --image image.img
check list
check --simulate list
check descriptor no-such-descriptor

# Failures and usage errors.
check compose missing.bin
check compose short.bin
check compose long.bin
check compose "$settings" --image short.img
check compose "$settings" --image "nö-image.img"
check --simulate="$state" apply missing.bin
check --simulate="$state" apply short.bin
check --simulate=long-state.img read
check --simulate= read
check --bogus read
check compose
check compose "$settings" --image
check read extra
check frobnicate
check

# The monitor registers its window for device notices, finds no mouse and
# waits; it is ended once it said so.
(cd "$cases/windows" && exec "$wine" "$windows" monitor >../monitor.out 2>../monitor.err) &
monitor=$!
tries=0
while [ ! -s "$cases/monitor.out" ] && [ ! -s "$cases/monitor.err" ] && [ $tries -lt 120 ] &&
      kill -0 $monitor 2>/dev/null; do
    sleep 0.5
    tries=$((tries + 1))
done
kill $monitor 2>/dev/null
wait $monitor 2>/dev/null
if [ "$(cat "$cases/monitor.out")" = "start-up: notice 15, present=0" ] && [ ! -s "$cases/monitor.err" ]; then
    echo "ok: monitor follows device notices"
else
    failures=$((failures + 1))
    echo "FAIL: monitor said:"
    cat "$cases/monitor.out" "$cases/monitor.err"
fi

compare_file "$state"
compare_file "$settings"
compare_file long-state.img
[ ! -e "$cases/windows/missing.bin" ] || { failures=$((failures + 1)); echo "FAIL: missing.bin was created"; }

echo "$count command lines, $failures failures"
[ "$failures" = 0 ]
