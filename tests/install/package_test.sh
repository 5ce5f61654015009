#!/bin/sh
# The Debian package: built with cpack from the build tree; its metadata, file
# list, conffiles, man pages, changelog, copyright and hardening checked, the
# desktop files validated, lintian run where installed, and the unpacked
# programs run from a read-only folder by an unprivileged user with a fresh HOME.
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
    [ "$(stat -c %a "$HOME/.config")" = 700 ] || fail "$HOME/.config, made by the program, is not 0700"
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

for tool in cpack dpkg-deb dpkg-parsechangelog readelf desktop-file-validate appstreamcli xvfb-run xdotool; do
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
for needed in libqt6widgets6 libudev1 libc6 fonts-dejavu-core; do
    echo "$DEPENDS" | grep -q "$needed" || fail "Depends lacks $needed"
done
# Only the Chinese texts need the Chinese font.
echo "$DEPENDS" | grep -q fonts-wqy-microhei && fail "fonts-wqy-microhei is a hard dependency"
echo "$INFO" | grep -q "^ Recommends: fonts-wqy-microhei$" || fail "fonts-wqy-microhei is not recommended"
# No home page is set in the build tree: no field points anywhere.
echo "$INFO" | grep -q "^ Homepage:" && fail "a Homepage field without a home page"
dpkg-deb -e "$DEB" "$WORK/control"
for script in postinst postrm; do
    grep -q "udevadm control --reload-rules" "$WORK/control/$script" || fail "$script does not reload the udev rules"
    grep -q "udevadm trigger --subsystem-match=hidraw" "$WORK/control/$script" || fail "$script does not trigger hidraw"
done

APP_ID=org.kestrel.Kestrel
AUTOSTART=/etc/xdg/autostart/$APP_ID.desktop
dpkg-deb -c "$DEB" | awk '{print $6}' | sed 's|^\./|/|' >"$WORK/files"
for file in /usr/bin/kestrel /usr/bin/kestrelctl /usr/share/kestrel/config.bin /usr/share/kestrel/str.ini \
    /usr/share/kestrel/Skins/Default/main.png /usr/share/kestrel/Skins/Crimson/main.png \
    /usr/share/kestrel/Skins/Glacier/main.png /usr/share/applications/$APP_ID.desktop \
    /usr/share/metainfo/$APP_ID.metainfo.xml $AUTOSTART \
    /usr/lib/udev/rules.d/70-kestrel.rules /usr/share/man/man1/kestrel.1.gz /usr/share/man/man1/kestrelctl.1.gz \
    /usr/share/bash-completion/completions/kestrelctl /usr/share/icons/hicolor/scalable/apps/$APP_ID.svg \
    /usr/share/doc/kestrel/copyright /usr/share/doc/kestrel/changelog.gz; do
    grep -qxF "$file" "$WORK/files" || fail "the package lacks $file"
done
for size in 16 22 24 32 48 64 128 256; do
    grep -qxF "/usr/share/icons/hicolor/${size}x${size}/apps/$APP_ID.png" "$WORK/files" || fail "no ${size} px icon"
done
grep -q "^/usr/bin/.*config.bin\|^/usr/bin/Skins" "$WORK/files" && fail "defaults are installed beside the executables"
grep -q "^/usr/local\|/kestrel\.\(desktop\|png\|svg\)$" "$WORK/files" && fail "files under /usr/local or not named $APP_ID"

# Every file below /etc is a conffile, so that an administrator's change survives an upgrade.
grep "^/etc/.*[^/]$" "$WORK/files" | sort >"$WORK/etc-files"
sort "$WORK/control/conffiles" | cmp -s - "$WORK/etc-files" ||
    fail "the conffiles ($(cat "$WORK/control/conffiles")) are not the files below /etc ($(cat "$WORK/etc-files"))"
grep -qxF "$AUTOSTART" "$WORK/control/conffiles" || fail "the autostart entry is no conffile"

ROOT=$WORK/root
dpkg-deb -x "$DEB" "$ROOT"

# desktop-file-validate 0.26 (Debian 12) predates SingleMainWindow of the
# freedesktop desktop entry format 1.5 and calls it an unknown key; nothing else may be amiss.
validate_desktop_entry() {
    desktop-file-validate "$1" 2>&1 | grep -v 'contains key "SingleMainWindow" in group "Desktop Entry"' |
        grep ': error: ' && return 1
    return 0
}
ENTRY=$ROOT/usr/share/applications/$APP_ID.desktop
validate_desktop_entry "$ENTRY" || fail "the desktop entry is not valid"
validate_desktop_entry "$ROOT$AUTOSTART" || fail "the autostart entry is not valid"
for key in Icon=$APP_ID StartupNotify=false SingleMainWindow=true; do
    grep -qxF "$key" "$ENTRY" || fail "the desktop entry lacks $key"
done
grep -qxF "Icon=$APP_ID" "$ROOT$AUTOSTART" || fail "the autostart entry does not name the icon $APP_ID"
METAINFO=$ROOT/usr/share/metainfo/$APP_ID.metainfo.xml
appstreamcli validate --no-net "$METAINFO" || fail "the AppStream metainfo is not valid"
grep -q "usb:v04D9pA09E\*" "$METAINFO" || fail "no modalias"
grep -q "<project_license>MIT</project_license>" "$METAINFO" || fail "the metainfo does not say MIT"
grep -q "<metadata_license>CC0-1.0</metadata_license>" "$METAINFO" || fail "the metainfo's own licence is not CC0-1.0"
grep -q "<launchable type=\"desktop-id\">$APP_ID.desktop</launchable>" "$METAINFO" || fail "no launchable $APP_ID.desktop"
grep -q "<developer id=" "$METAINFO" || fail "the metainfo names no developer"
grep -q "<url \|<screenshot" "$METAINFO" && fail "addresses in the metainfo without a home page"
grep -rlq "example\.\(org\|com\|net\)" "$ROOT" && fail "an example domain is installed: $(grep -rl 'example\.\(org\|com\|net\)' "$ROOT")"
for size in 16 48 256; do
    [ "$(identify -format '%wx%h' "$ROOT/usr/share/icons/hicolor/${size}x${size}/apps/$APP_ID.png")" = "${size}x${size}" ] ||
        fail "the ${size} px icon has the wrong size"
done

# Releases come from CHANGELOG.md, with their dates, in the changelog and the metainfo.
SOURCE=$(cd "$(dirname "$0")/../.." && pwd)
RELEASES=$(sed -n 's/^## \([0-9.]*\) (\([0-9-]*\) \([0-9:]*\) UTC)$/\1 \2T\3Z/p' "$SOURCE/CHANGELOG.md")
[ "$(echo "$RELEASES" | wc -l)" -ge 2 ] || fail "CHANGELOG.md holds fewer than two releases"
[ "$(echo "$RELEASES" | head -n 1 | cut -d' ' -f1)" = "$VERSION" ] || fail "the newest release is not $VERSION"
[ "$(sed -n 's/.*<release version="\([^"]*\)" date="\([^"]*\)">.*/\1 \2/p' "$METAINFO")" = "$RELEASES" ] ||
    fail "the metainfo's releases are not those of CHANGELOG.md"
zcat "$ROOT/usr/share/doc/kestrel/changelog.gz" >"$WORK/changelog" || fail "changelog.gz is no gzip file"
[ "$(sed -n 's/^kestrel (\([^)]*\)) unstable; urgency=medium$/\1/p' "$WORK/changelog")" = \
    "$(echo "$RELEASES" | cut -d' ' -f1)" ] || fail "the changelog's versions are not those of CHANGELOG.md"
[ "$(dpkg-parsechangelog -l "$WORK/changelog" -S Date)" = "$(date -u -R -d "$(echo "$RELEASES" | head -n 1 | cut -d' ' -f2)")" ] ||
    fail "the changelog's date is not the newest release's"

# The copyright file in the machine-readable format, with the MIT licence of LICENSE.
COPYRIGHT=$ROOT/usr/share/doc/kestrel/copyright
head -n 1 "$COPYRIGHT" | grep -qxF "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ||
    fail "the copyright file is not machine-readable"
grep -qxF "Copyright: 2026 The Kestrel developers" "$COPYRIGHT" || fail "the copyright file names no holder"
# The text is the last paragraph, below its own License line.
tac "$COPYRIGHT" | sed '/^License: Expat$/q' | tac | tail -n +2 | sed 's/^ //; s/^\.$//' >"$WORK/license-text"
tail -n +5 "$SOURCE/LICENSE" | cmp -s - "$WORK/license-text" || fail "the copyright file's licence is not LICENSE's"

# Man pages compressed with gzip -9n (no name, no time: the same bytes from
# every build), dated, naming the rule, the seat access and the autostart entry.
RELEASE_DATE=$(echo "$RELEASES" | head -n 1 | cut -d' ' -f2 | cut -dT -f1)
for page in kestrel kestrelctl; do
    GZ=$ROOT/usr/share/man/man1/$page.1.gz
    gzip -t "$GZ" || fail "$page.1.gz is no gzip file"
    [ "$(od -An -tx1 -j3 -N6 "$GZ" | tr -d ' ')" = 000000000002 ] ||
        fail "$page.1.gz keeps a name or a time, or is not compressed with -9"
    zcat "$GZ" >"$WORK/$page.1"
    grep -q "^\.TH [A-Z]* 1 \"$RELEASE_DATE\" \"Kestrel $VERSION\"" "$WORK/$page.1" || fail "$page.1 is not dated $RELEASE_DATE"
    FILES_SECTION=$(sed -n '/^\.SH FILES/,/^\.SH [^F]/p' "$WORK/$page.1")
    for named in /usr/lib/udev/rules.d/70-kestrel.rules uaccess seat "$AUTOSTART" /usr/share/kestrel; do
        echo "$FILES_SECTION" | grep -qF "$named" || fail "the FILES section of $page.1 does not name $named"
    done
done

# Hardened executables: fortified libc calls, stack protector, read-only
# relocations bound at start (what dpkg-buildflags asks for). Both programs
# are compiled with _FORTIFY_SOURCE, but kestrel's own libc calls (memcpy and
# the like inside the standard containers) all copy sizes known only at run
# time, which fortification cannot check: only kestrelctl shows fortified
# calls. Debian 12's dpkg-buildflags asks for no control-flow protection.
# A sanitizer, fuzzing or debug tree is built without them; its package is
# checked for everything else.
if [ "${2:-hardened}" = hardened ]; then
    for program in kestrel kestrelctl; do
        ELF=$ROOT/usr/bin/$program
        readelf -lW "$ELF" | grep -q GNU_RELRO || fail "$program has no read-only relocations"
        readelf -dW "$ELF" | grep -q "(FLAGS_1).*NOW\|(BIND_NOW)" || fail "$program is not bound at start"
        readelf --dyn-syms -W "$ELF" | grep -q "__stack_chk_fail" || fail "$program has no stack protector"
    done
    readelf --dyn-syms -W "$ROOT/usr/bin/kestrelctl" | grep -q "__[a-z_]*_chk@" ||
        fail "kestrelctl calls no fortified libc function"
    if command -v hardening-check >/dev/null; then
        hardening-check --nocfprotection --nofortify "$ROOT/usr/bin/kestrel" || fail "hardening-check finds kestrel lacking"
        hardening-check --nocfprotection "$ROOT/usr/bin/kestrelctl" || fail "hardening-check finds kestrelctl lacking"
    fi
else
    echo "NOTE: this tree is built without the hardening flags; they are not checked"
fi
# The udev rule named in the permission hint is where the package puts it.
grep -aq "/usr/lib/udev/rules.d" "$ROOT/usr/bin/kestrelctl" || fail "kestrelctl does not name /usr/lib/udev/rules.d"
grep -aq "/usr/local" "$ROOT/usr/bin/kestrelctl" && fail "kestrelctl names a path below /usr/local"

# lintian, where installed: no error and no warning, and only the notes
# below, each for a reason.
if command -v lintian >/dev/null; then
    lintian --display-info --no-tag-display-limit "$DEB" >"$WORK/lintian" 2>&1
    cat "$WORK/lintian"
    grep -q "^[EW]: " "$WORK/lintian" && fail "lintian reports errors or warnings"
    NOTES=$(sed -n 's/^I: kestrel[^:]*: \([a-z0-9-]*\).*/\1/p' "$WORK/lintian" | sort -u)
    for note in $NOTES; do
        case $note in
        # CPack strips with plain strip, which keeps the compiler's version
        # strings in .comment (dh_strip removes them): a few bytes, no risk.
        binary-has-unneeded-section) ;;
        # kestrel is compiled with _FORTIFY_SOURCE, but none of its libc calls
        # has a size known at compile time (see the hardening check above).
        hardening-no-fortify-functions) ;;
        # A tree built without the hardening flags (see above) lacks them all.
        hardening-*) [ "${2:-hardened}" = hardened ] && fail "lintian notes $note in a hardened build" ;;
        *) fail "lintian notes $note, which nobody has looked at" ;;
        esac
    done
else
    echo "lintian is not installed: the package was not checked against Debian's policy"
fi

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
