#!/bin/sh
# The Debian package: built with cpack from the build tree, its metadata and
# file list checked, the desktop files validated, and the unpacked programs
# run from a read-only folder by an unprivileged user with a fresh HOME.
#
#   package_test.sh BUILD-DIR
#
# Skipped (exit 77) when the packaging tools or an X server are missing.
set -u
BUILD=$1
SKIP=77
NOBODY=65534

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

if [ "${2:-}" = on-display ]; then
    # As the unprivileged user, on the X display: $3 is the unpacked root, $4 the home.
    ROOT=$3
    export HOME=$4 XDG_RUNTIME_DIR=$4/run
    unset XDG_CONFIG_HOME XDG_DATA_HOME
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    KESTREL=$ROOT/usr/bin/kestrel
    CONFIG=$HOME/.config/kestrel
    TITLE="Gaming Mouse Setting"

    # First start: without a notification area the window shows by itself.
    "$KESTREL" --simulate="$HOME/mouse.img" 2>"$HOME/stderr1" &
    PID=$!
    WINDOW=$(timeout 20 xdotool search --sync --onlyvisible --name "^$TITLE\$" 2>/dev/null | head -n 1)
    [ -n "$WINDOW" ] || { kill $PID; cat "$HOME/stderr1" >&2; fail "the installed program showed no window"; }
    [ "$(stat -c %a "$CONFIG")" = 700 ] || fail "$CONFIG is not 0700"
    [ "$(stat -c %a "$CONFIG/config.bin")" = 600 ] || fail "config.bin is not 0600"
    cmp -s "$CONFIG/config.bin" "$ROOT/usr/share/kestrel/config.bin" || fail "config.bin is not the shipped default"
    [ "$(od -An -tu1 -N1 "$CONFIG/config.bin" | tr -d ' ')" = 0 ] || fail "the shipped config.bin is not a first run"
    cp "$CONFIG/str.ini" "$HOME/str.before"

    # Button 4 set to "Backward" in its function list, then "Apply" in the
    # window's lower right.
    eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
    click_at() {
        xdotool mousemove --sync $((X + $1)) $((Y + $2)) click 1
        sleep 0.3
    }
    click_at 357 278
    click_at 357 362
    click_at 718 633
    for _ in $(seq 1 100); do
        [ "$(od -An -tu1 -N1 "$CONFIG/config.bin" | tr -d ' ')" = 1 ] && break
        sleep 0.1
    done
    [ "$(od -An -tu1 -N1 "$CONFIG/config.bin")" -eq 1 ] || fail "Apply did not store config.bin in $CONFIG"
    grep -q '^Item13=' "$CONFIG/str.ini" || fail "Apply did not store the captions in str.ini"
    cp "$CONFIG/config.bin" "$HOME/config.after"
    cp "$CONFIG/str.ini" "$HOME/str.after"
    kill $PID
    wait $PID 2>/dev/null
    backward_buttons() {
        "$ROOT/usr/bin/kestrelctl" --simulate="$HOME/mouse.img" show | sed -n '/^Key group 1/,/^Key group 2/p' |
            grep -c ': Backward$'
    }
    [ "$(backward_buttons)" = 2 ] || fail "the window's choice did not reach the mouse"

    # kestrelctl finds the user's config.bin as the window does.
    "$ROOT/usr/bin/kestrelctl" export >"$HOME/profile.json" || fail "kestrelctl export of the user's config.bin failed"
    "$ROOT/usr/bin/kestrelctl" export "$CONFIG/config.bin" | cmp -s - "$HOME/profile.json" ||
        fail "kestrelctl export did not read the user's config.bin"

    # Second start with a mouse that has forgotten everything: the window reads
    # the stored change and its Apply sends it again.
    rm "$HOME/mouse.img"
    "$KESTREL" --simulate="$HOME/mouse.img" 2>"$HOME/stderr2" &
    PID=$!
    WINDOW=$(timeout 20 xdotool search --sync --onlyvisible --name "^$TITLE\$" 2>/dev/null | head -n 1)
    [ -n "$WINDOW" ] || { kill $PID; fail "the second start showed no window"; }
    eval "$(xdotool getwindowgeometry --shell "$WINDOW")"
    click_at 718 633
    for _ in $(seq 1 50); do
        [ -f "$HOME/mouse.img" ] && [ "$(backward_buttons)" = 2 ] && break
        sleep 0.1
    done
    kill $PID
    wait $PID 2>/dev/null
    [ "$(backward_buttons)" = 2 ] || fail "the second start did not find the stored change"
    cmp -s "$CONFIG/config.bin" "$HOME/config.after" || fail "the second start changed config.bin"
    cmp -s "$CONFIG/str.ini" "$HOME/str.after" || fail "the second start changed str.ini"

    # A user who imports before the window's first start gets the per-user
    # files made the same way, with the profile in them.
    OTHER=$HOME/other
    mkdir "$OTHER"
    HOME=$OTHER "$ROOT/usr/bin/kestrelctl" import "$HOME/profile.json" ||
        fail "kestrelctl import into a new user's files failed"
    [ "$(stat -c %a "$OTHER/.config/kestrel")" = 700 ] || fail "import made the user's folder without 0700"
    [ "$(stat -c %a "$OTHER/.config/kestrel/config.bin")" = 600 ] || fail "import made config.bin without 0600"
    HOME=$OTHER "$ROOT/usr/bin/kestrelctl" export | cmp -s - "$HOME/profile.json" ||
        fail "the imported profile is not what the new user's config.bin holds"
    echo "per-user files created, changed by Apply and found again"
    exit 0
fi

for tool in cpack dpkg-deb desktop-file-validate appstreamcli xvfb-run xdotool; do
    command -v $tool >/dev/null || { echo "SKIP: $tool is missing"; exit $SKIP; }
done

WORK=$(mktemp -d)
trap 'chmod -R u+w "$WORK" 2>/dev/null; rm -rf "$WORK"' EXIT
chmod 755 "$WORK"

cpack -G DEB -B "$WORK/pkg" --config "$BUILD/CPackConfig.cmake" >"$WORK/cpack.log" 2>&1 ||
    { cat "$WORK/cpack.log" >&2; fail "cpack -G DEB failed"; }
VERSION=$(sed -n 's/^set(CPACK_PACKAGE_VERSION "\(.*\)")$/\1/p' "$BUILD/CPackConfig.cmake")
DEB=$WORK/pkg/kestrel_${VERSION}_amd64.deb
[ -f "$DEB" ] || fail "no $DEB: $(ls "$WORK/pkg")"
echo "package $(basename "$DEB"): $(stat -c %s "$DEB") bytes"

INFO=$(dpkg-deb -I "$DEB") || fail "dpkg-deb -I failed"
echo "$INFO" | grep -q "^ Package: kestrel$" || fail "wrong package name"
echo "$INFO" | grep -q "^ Version: $VERSION$" || fail "wrong version"
DEPENDS=$(echo "$INFO" | sed -n 's/^ Depends: //p')
echo "Depends: $DEPENDS"
for needed in libqt6widgets6 libudev1 libc6 fonts-dejavu-core fonts-wqy-microhei; do
    echo "$DEPENDS" | grep -q "$needed" || fail "Depends lacks $needed"
done
echo "$INFO" | grep -q " postinst " || fail "no postinst"
dpkg-deb -e "$DEB" "$WORK/control"
grep -q "udevadm control --reload-rules" "$WORK/control/postinst" || fail "postinst does not reload the udev rules"
grep -q "udevadm trigger --subsystem-match=hidraw" "$WORK/control/postinst" || fail "postinst does not trigger hidraw"

dpkg-deb -c "$DEB" | awk '{print $6}' | sed 's|^\./|/|' >"$WORK/files"
for file in /usr/bin/kestrel /usr/bin/kestrelctl /usr/share/kestrel/config.bin /usr/share/kestrel/str.ini \
    /usr/share/kestrel/Skins/Default/main.png /usr/share/kestrel/Skins/Crimson/main.png \
    /usr/share/kestrel/Skins/Glacier/main.png /usr/share/applications/kestrel.desktop \
    /usr/share/metainfo/org.kestrel.Kestrel.metainfo.xml /etc/xdg/autostart/kestrel.desktop \
    /usr/lib/udev/rules.d/70-kestrel.rules /usr/share/man/man1/kestrel.1 /usr/share/man/man1/kestrelctl.1 \
    /usr/share/bash-completion/completions/kestrelctl /usr/share/icons/hicolor/scalable/apps/kestrel.svg; do
    grep -qxF "$file" "$WORK/files" || fail "the package lacks $file"
done
for size in 16 22 24 32 48 64 128 256; do
    grep -qxF "/usr/share/icons/hicolor/${size}x${size}/apps/kestrel.png" "$WORK/files" || fail "no ${size} px icon"
done
grep -q "^/usr/bin/.*config.bin\|^/usr/bin/Skins" "$WORK/files" && fail "defaults are installed beside the executables"

ROOT=$WORK/root
dpkg-deb -x "$DEB" "$ROOT"
desktop-file-validate "$ROOT/usr/share/applications/kestrel.desktop" || fail "the desktop entry is not valid"
desktop-file-validate "$ROOT/etc/xdg/autostart/kestrel.desktop" || fail "the autostart entry is not valid"
appstreamcli validate --no-net "$ROOT/usr/share/metainfo/org.kestrel.Kestrel.metainfo.xml" ||
    fail "the AppStream metainfo is not valid"
grep -q "usb:v04D9pA09E\*" "$ROOT/usr/share/metainfo/org.kestrel.Kestrel.metainfo.xml" || fail "no modalias"
for size in 16 48 256; do
    [ "$(identify -format '%wx%h' "$ROOT/usr/share/icons/hicolor/${size}x${size}/apps/kestrel.png")" = "${size}x${size}" ] ||
        fail "the ${size} px icon has the wrong size"
done

"$ROOT/usr/bin/kestrel" --version | grep -qxF "kestrel $VERSION" || fail "kestrel --version"
"$ROOT/usr/bin/kestrelctl" --version | grep -qxF "kestrelctl $VERSION" || fail "kestrelctl --version"

chmod -R a-w "$ROOT"
find "$ROOT" -printf '%p %s %T@ %m\n' | sort >"$WORK/before"
HOMEDIR=$WORK/home
mkdir "$HOMEDIR"
if [ "$(id -u)" = 0 ]; then
    chown $NOBODY:$NOBODY "$HOMEDIR"
    AS_USER="setpriv --reuid=$NOBODY --regid=$NOBODY --clear-groups"
else
    AS_USER=""
fi
# A running copy holds its user's name in the abstract socket namespace,
# which belongs to the network namespace: in a private one the unpacked
# program never meets another copy of the same user on this machine.
if [ "$(id -u)" = 0 ]; then
    ISOLATE="unshare --net"
elif unshare --map-current-user --net true 2>/dev/null; then
    ISOLATE="unshare --map-current-user --net"
else
    ISOLATE=""
fi
$ISOLATE $AS_USER env -u XAUTHORITY -u DISPLAY QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1280x800x24" "$0" "$BUILD" on-display "$ROOT" "$HOMEDIR" ||
    fail "the unpacked programs did not work for an unprivileged user"
find "$ROOT" -printf '%p %s %T@ %m\n' | sort >"$WORK/after"
cmp -s "$WORK/before" "$WORK/after" || fail "something was written under the installed prefix"
echo "nothing was written under the prefix"
