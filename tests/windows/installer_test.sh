#!/bin/sh
# The Windows installer in a fresh Wine prefix: a silent installation puts
# the program folder, the Start-menu entry, the uninstall entry and the start
# with Windows in place for the current user; the installed program runs and
# takes a notice from kestrelctl.exe; a second installation over the first
# keeps the user's settings; the silent uninstaller removes the programs and
# keeps the settings, and "/REMOVESETTINGS" removes those too.
#
#   installer_test.sh INSTALLER ZIP VERSION WORK-DIR
#
# Exit code 77 (skipped) when Wine, Xvfb or the packages are missing.
set -u
installer=$1
zip=$2
version=$3
work=$(realpath -m "$4")
SKIP=77

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

wine=$(command -v wine64 || true)
[ -n "$wine" ] || { [ -x /usr/lib/wine/wine64 ] && wine=/usr/lib/wine/wine64; }
[ -n "$wine" ] || wine=$(command -v wine || true)
[ -n "$wine" ] || { echo "Wine is not installed; skipped"; exit $SKIP; }
wineserver=$(command -v wineserver || true)
for candidate in /usr/lib/wine/wineserver64 /usr/lib/wine/wineserver; do
    [ -n "$wineserver" ] || { [ -x "$candidate" ] && wineserver=$candidate; }
done
command -v Xvfb >/dev/null || { echo "Xvfb is not installed; skipped"; exit $SKIP; }
for package in "$installer" "$zip"; do
    [ -f "$package" ] || { echo "$package was not built; skipped"; exit $SKIP; }
done
command -v unzip >/dev/null || { echo "unzip is not installed; skipped"; exit $SKIP; }

rm -rf "$work"
mkdir -p "$work" || exit 1
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
export LC_ALL=C.UTF-8

display=""
xvfb_pid=""
cleanup() {
    [ -n "$wineserver" ] && "$wineserver" -k >/dev/null 2>&1
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT
for number in $(seq 140 180); do
    [ -e "/tmp/.X$number-lock" ] && continue
    Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do
        [ -e "/tmp/.X11-unix/X$number" ] && break
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    if [ -e "/tmp/.X11-unix/X$number" ]; then display=":$number"; break; fi
    xvfb_pid=""
done
[ -n "$display" ] || fail "no X display could be started"
export DISPLAY=$display

"$wine" wineboot --init >"$work/wineboot.log" 2>&1 || { cat "$work/wineboot.log"; fail "the Wine prefix could not be made"; }
"$wineserver" -w

win_to_unix() {
    "$wine" winepath -u "$1" 2>/dev/null | tr -d '\r'
}
local_appdata=$("$wine" cmd /c echo %LOCALAPPDATA% 2>/dev/null | tr -d '\r')
programs=$("$wine" cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')
folder=$(win_to_unix "$local_appdata\\Programs\\Kestrel")
shortcut=$(win_to_unix "$programs\\Microsoft\\Windows\\Start Menu\\Programs\\Kestrel.lnk")
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrel'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'

# The installer ends when it is done; its own processes with it.
install() {
    "$wine" "$installer" /S >"$work/install.log" 2>&1 || fail "the installer failed: $(cat "$work/install.log")"
    "$wineserver" -w
}
uninstall() {
    # The uninstaller copies itself away and runs from there: wait for every process.
    "$wine" "$folder/Uninstall.exe" /S "$@" >"$work/uninstall.log" 2>&1 || fail "the uninstaller failed"
    "$wineserver" -w
}
registry_has() {
    "$wine" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | grep -q "$3"
}

# The zip holds the same program folder the installer puts in place.
unzip -q "$zip" -d "$work/zip" || fail "the zip does not unpack"
portable=$(find "$work/zip" -maxdepth 2 -name kestrel.exe -printf '%h\n')
[ -n "$portable" ] || fail "the zip holds no kestrel.exe"
for file in kestrel.exe kestrelctl.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll Qt6Network.dll \
    platforms/qwindows.dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll \
    config.bin str.ini Skins/Default/main.png LICENSE.txt; do
    [ -f "$portable/$file" ] || fail "the zip lacks $file"
done

install
for file in kestrel.exe kestrelctl.exe Uninstall.exe Qt6Widgets.dll platforms/qwindows.dll config.bin str.ini \
    Skins/Default/main.png LICENSE.txt; do
    [ -f "$folder/$file" ] || fail "the installation lacks $file in $folder"
done
(cd "$portable" && find . -type f | sort) >"$work/zip.list"
(cd "$folder" && find . -type f ! -name Uninstall.exe | sort) >"$work/installed.list"
diff -u "$work/zip.list" "$work/installed.list" || fail "the installer and the zip put different files in place"
[ -f "$shortcut" ] || fail "no Start-menu entry at $shortcut"
registry_has "$uninstall_key" DisplayVersion "$version" || fail "Apps & features does not list the version"
registry_has "$uninstall_key" UninstallString 'Uninstall.exe' || fail "Apps & features has no uninstaller"
registry_has "$run_key" Kestrel 'kestrel.exe" --autostart' || fail "the program does not start with Windows"

# The installed program runs: started as Windows starts it, it answers a notice.
"$wine" "$folder/kestrel.exe" --autostart --simulate="C:\\mouse.img" >"$work/kestrel.log" 2>&1 &
reached=""
for _ in $(seq 150); do
    if "$wine" "$folder/kestrelctl.exe" notify 1 1 >"$work/notify.log" 2>&1; then reached=yes; break; fi
    sleep 0.2
done
[ -n "$reached" ] || fail "the installed program took no notice: $(cat "$work/notify.log")"
# Files cannot be replaced while it runs: the installer says so and changes nothing.
"$wine" "$installer" /S >/dev/null 2>&1 && fail "the installer went ahead while the program ran"
"$wine" taskkill /F /IM kestrel.exe >/dev/null 2>&1
"$wineserver" -w

# The user's settings survive a second installation and the uninstallation.
printf 'user settings\n' >"$folder/config.bin"
printf '[Setting]\nPath=Glacier\n' >"$folder/str.ini"
cp "$folder/config.bin" "$work/config.before"
cp "$folder/str.ini" "$work/str.before"
install
cmp -s "$folder/config.bin" "$work/config.before" || fail "a second installation replaced the user's config.bin"
cmp -s "$folder/str.ini" "$work/str.before" || fail "a second installation replaced the user's str.ini"

uninstall
for file in kestrel.exe kestrelctl.exe Uninstall.exe Qt6Core.dll platforms/qwindows.dll Skins/Default/main.png \
    LICENSE.txt; do
    [ ! -e "$folder/$file" ] || fail "the uninstaller left $file"
done
cmp -s "$folder/config.bin" "$work/config.before" || fail "the uninstaller did not keep config.bin"
cmp -s "$folder/str.ini" "$work/str.before" || fail "the uninstaller did not keep str.ini"
[ ! -e "$shortcut" ] || fail "the uninstaller left the Start-menu entry"
"$wine" reg query "$uninstall_key" >/dev/null 2>&1 && fail "the uninstaller left its Apps & features entry"
registry_has "$run_key" Kestrel kestrel && fail "the uninstaller left the start with Windows"

# Asked to, it removes the settings and the folder too.
install
uninstall /REMOVESETTINGS
[ ! -e "$folder" ] || fail "the uninstaller asked to remove the settings left $(ls -A "$folder")"
echo "installer test passed"
