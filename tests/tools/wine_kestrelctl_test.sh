#!/bin/sh
# Runs kestrelctl.exe under Wine and the native kestrelctl on the same inputs,
# each in its own folder, and requires the same standard output, standard
# error and exit code from every command, and the same simulated mouse files
# afterwards.
#
# usage: wine_kestrelctl_test.sh KESTRELCTL KESTRELCTL_EXE CONFIG_BIN WORK_DIR
# (with the program's str.ini beside CONFIG_BIN)
# The Wine prefix lives in WORK_DIR/prefix and is kept for the next run.
# Exit code 77 (skipped) when Wine is not installed.
set -u

native=$(realpath "$1")
windows=$(realpath "$2")
config=$(realpath "$3")
strini=$(dirname "$config")/str.ini
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
    printf '{"version": 1,}\n' >"$dir/broken.json"
done
# A folder whose files' full paths pass the 260 characters of MAX_PATH on
# either system, and whose temporary files' names are longer still.
segment=$(printf '%0120d' 0 | tr 0 l)
deep="$segment/$segment-é/$segment"
for side in native windows; do
    mkdir -p "$cases/$side/$deep" || exit 1
    cp "$config" "$cases/$side/$deep/config.bin"
    # The captions an import writes go to the str.ini beside its config.bin.
    cp "$strini" "$cases/$side/str.ini"
    cp "$strini" "$cases/$side/$deep/str.ini"
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

# Profiles: the same documents and differences, the same files written, and
# the settings a profile sends read back from the mouse.
check export "$settings"
check --sensor 2 export "$settings"
check export "$settings" -o "profil-é.json"
# A caption of its own for the import to write into str.ini.
for side in native windows; do
    sed -i '0,/"caption": "[^"]*"/s//"caption": "Größe 1"/' "$cases/$side/profil-é.json"
done
check diff "$settings" "profil-é.json"
check --simulate="$state" apply "profil-é.json" --verify
check --simulate="$state" apply "$settings" --verify
check --simulate="$state" read
check import "profil-é.json" --to "$settings"
check diff "$settings" short.bin
check export missing.bin
check import broken.json --to "$settings"
check import short.bin --to "$settings"
check diff missing.json "$settings"
check export "$deep/config.bin" -o "$deep/profile.json"
check import "$deep/profile.json" --to "$deep/config.bin"
check diff "$deep/config.bin" "$deep/profile.json"

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

# A read-only file is refused and stays as it was. Only the Windows side: the
# suite may run as root, whom Linux lets write any file.
printf 'locked\n' >"$cases/windows/locked.json"
chmod 444 "$cases/windows/locked.json"
(cd "$cases/windows" && "$wine" "$windows" export "$settings" -o locked.json >../locked.out 2>../locked.err)
locked_rc=$?
if [ "$locked_rc" = 1 ] && [ "$(cat "$cases/locked.err")" = "kestrelctl: locked.json: Permission denied" ] &&
   [ "$(cat "$cases/windows/locked.json")" = "locked" ] && [ "$(stat -c %a "$cases/windows/locked.json")" = 444 ]; then
    echo "ok: a read-only file is refused"
else
    failures=$((failures + 1))
    echo "FAIL: export over a read-only file: exit $locked_rc"
    cat "$cases/locked.err"
fi
chmod u+w "$cases/windows/locked.json"

# Attributes the user gave a file survive its replacement.
printf 'old\n' >"$cases/windows/hidden.json"
(cd "$cases/windows" && "$wine" attrib +h hidden.json >/dev/null 2>&1)
(cd "$cases/windows" && "$wine" "$windows" export "$settings" -o hidden.json >/dev/null 2>&1)
hidden_rc=$?
attributes=$(cd "$cases/windows" && "$wine" attrib hidden.json 2>/dev/null | cut -c1-10)
if [ "$hidden_rc" = 0 ] && [ "$(head -c 1 "$cases/windows/hidden.json")" = "{" ] &&
   [ "${attributes#*H}" != "$attributes" ]; then
    echo "ok: a replaced file keeps its attributes"
else
    failures=$((failures + 1))
    echo "FAIL: export over a hidden file: exit $hidden_rc, attributes '$attributes'"
fi

compare_file "$state"
compare_file "$settings"
compare_file str.ini
compare_file "profil-é.json"
compare_file "$deep/config.bin"
compare_file "$deep/profile.json"
compare_file "$deep/str.ini"
compare_file long-state.img
[ ! -e "$cases/windows/missing.bin" ] || { failures=$((failures + 1)); echo "FAIL: missing.bin was created"; }

echo "$count command lines, $failures failures"
[ "$failures" = 0 ]
