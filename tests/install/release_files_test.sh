#!/bin/sh
# The release files made from a changelog: the Debian changelog with
# correct RFC 2822 dates, the metainfo's releases with the text intact and
# the published addresses only when a home page is given, the dated man
# pages, and a clear refusal of a changelog the build cannot trust.
#
#   release_files_test.sh SOURCE-DIR
#
# Skipped (exit 77) when the tools it compares with are missing.
set -u
SOURCE=$1
SKIP=77
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

for tool in cmake gzip dpkg-parsechangelog appstreamcli; do
    command -v $tool >/dev/null || { echo "SKIP: $tool is missing"; exit $SKIP; }
done

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# make_release_files CHANGELOG VERSION OUTPUT [HOMEPAGE]: runs the build's step.
make_release_files() {
    cmake -DCHANGELOG="$1" -DVERSION="$2" -DOUTPUT="$3" -DHOMEPAGE="${4:-}" -DBUGTRACKER="${4:+$4/issues}" \
        "-DCONTACT=Tester <tester@localhost>" -DAPP_ID=org.kestrel.Kestrel -DTEMPLATES="$SOURCE/resources/desktop" \
        -DGZIP="$(command -v gzip)" -DSHARE_DIR=/usr/share/kestrel \
        -DUDEV_RULE=/usr/lib/udev/rules.d/70-kestrel.rules \
        -DAUTOSTART_ENTRY=/etc/xdg/autostart/org.kestrel.Kestrel.desktop \
        -P "$SOURCE/cmake/ReleaseFiles.cmake" >"$WORK/log" 2>&1
}

# Dates around leap days and year ends, where a weekday rule goes wrong first.
cat >"$WORK/CHANGELOG.md" <<'EOF'
# Changelog

Some words about the file; [a link](somewhere) and a; semicolon.

## 2.0.0 (2024-03-01 09:00:00 UTC)

- Text with a semicolon; brackets [like these] and <markup> & more,
  going on over a second line.
- A second item.

## 1.10.0 (2024-02-29 23:59:59 UTC)

- Leap day.

## 1.9.0 (2000-01-01 00:00:00 UTC)

- Saturday.

## 1.0.0 (1999-12-31 12:00:00 UTC)

- A Friday in December.
EOF
if make_release_files "$WORK/CHANGELOG.md" 2.0.0 "$WORK/out" https://kestrel.invalid; then
    zcat "$WORK/out/changelog.gz" >"$WORK/changelog"
    EXPECTED_DATES=$(for stamp in 2024-03-01T09:00:00Z 2024-02-29T23:59:59Z 2000-01-01T00:00:00Z 1999-12-31T12:00:00Z; do
        date -u -R -d "$stamp"
    done)
    [ "$(dpkg-parsechangelog -l "$WORK/changelog" --format rfc822 --all -S Date | grep .)" = "$EXPECTED_DATES" ] ||
        fail "the changelog's dates are not $EXPECTED_DATES"
    grep -qxF " -- Tester <tester@localhost>  Sat, 01 Jan 2000 00:00:00 +0000" "$WORK/changelog" ||
        fail "the changelog's trailer lines are not as dpkg writes them"
    [ "$(dpkg-parsechangelog -l "$WORK/changelog" -S Version)" = 2.0.0 ] || fail "dpkg reads another newest version"
    [ "$(dpkg-parsechangelog -l "$WORK/changelog" --format rfc822 --all -S Version | grep . | tr '\n' ' ')" = \
        "2.0.0 1.10.0 1.9.0 1.0.0 " ] ||
        fail "the changelog's versions are not all the releases, newest first"
    grep -qxF "  * Text with a semicolon; brackets [like these] and <markup> & more," "$WORK/changelog" ||
        fail "an item's first line is changed in the changelog"
    grep -qxF "    going on over a second line." "$WORK/changelog" || fail "an item's second line is not indented"

    METAINFO=$WORK/out/org.kestrel.Kestrel.metainfo.xml
    grep -qF "<li>Text with a semicolon; brackets [like these] and &lt;markup&gt; &amp; more, going on over a second line.</li>" \
        "$METAINFO" || fail "an item is changed in the metainfo"
    [ "$(grep -c '<release ' "$METAINFO")" = 4 ] || fail "the metainfo does not hold four releases"
    grep -qF '<release version="1.10.0" date="2024-02-29T23:59:59Z">' "$METAINFO" || fail "a release's date is lost"
    grep -qF '<url type="homepage">https://kestrel.invalid</url>' "$METAINFO" || fail "no home page"
    grep -qF '<url type="bugtracker">https://kestrel.invalid/issues</url>' "$METAINFO" || fail "no bug tracker"
    grep -qF '<image>https://kestrel.invalid/docs/main/main-window.png</image>' "$METAINFO" || fail "no screenshot"
    appstreamcli validate --no-net "$METAINFO" >"$WORK/validate" 2>&1 || { cat "$WORK/validate"; fail "invalid metainfo"; }
    zcat "$WORK/out/kestrel.1.gz" | grep -qxF '.TH KESTREL 1 "2024-03-01" "Kestrel 2.0.0" "User Commands"' ||
        fail "kestrel.1 is not dated with the newest release"
    cmp -s "$WORK/out/kestrelctl.1" - <<EOF || fail "kestrelctl.1.gz is not kestrelctl.1"
$(zcat "$WORK/out/kestrelctl.1.gz")
EOF
else
    cat "$WORK/log"
    fail "a good changelog was refused"
fi

# refused MESSAGE VERSION FORMAT [ARGUMENTS]: the changelog printf makes of
# FORMAT and ARGUMENTS is refused with MESSAGE.
refused() {
    message=$1
    version=$2
    shift 2
    # shellcheck disable=SC2059
    printf "$@" >"$WORK/bad.md"
    if make_release_files "$WORK/bad.md" "$version" "$WORK/bad"; then
        fail "a changelog was accepted although: $message"
    elif ! tr -s ' \n' '  ' <"$WORK/log" | grep -qF "$message"; then
        cat "$WORK/log"
        fail "the refusal does not say: $message"
    fi
}
refused "the newest release is 1.0.0, the project's version 1.1.0" 1.1.0 \
    '## 1.0.0 (2026-01-01 00:00:00 UTC)\n\n- One.\n'
refused "release 1.1.0 comes after 1.0.0: newest first" 1.0.0 \
    '## 1.0.0 (2026-01-01 00:00:00 UTC)\n\n- One.\n\n## 1.1.0 (2025-01-01 00:00:00 UTC)\n\n- Two.\n'
refused "release 1.0.0 is not older than 1.1.0" 1.1.0 \
    '## 1.1.0 (2025-01-01 00:00:00 UTC)\n\n- One.\n\n## 1.0.0 (2026-01-01 00:00:00 UTC)\n\n- Two.\n'
refused 'a release heading is "## VERSION (YYYY-MM-DD HH:MM:SS UTC)"' 1.0.0 '## 1.0.0 - 2026-01-01\n\n- One.\n'
refused 'bad.md:3: below a release heading come' 1.0.0 '## 1.0.0 (2026-01-01 00:00:00 UTC)\n\nOne.\n'
refused "a continued line follows no item" 1.0.0 '## 1.0.0 (2026-01-01 00:00:00 UTC)\n\n  One.\n'
refused "longer than 76 columns" 1.0.0 '## 1.0.0 (2026-01-01 00:00:00 UTC)\n\n- %077d\n' 0
refused "names no release" 1.0.0 '# Changelog\n'

# The project's own changelog is accepted for the project's version.
VERSION=$(sed -n 's/^project(Kestrel VERSION \([0-9.]*\) .*/\1/p' "$SOURCE/CMakeLists.txt")
make_release_files "$SOURCE/CHANGELOG.md" "$VERSION" "$WORK/project" || { cat "$WORK/log"; fail "CHANGELOG.md is refused"; }

[ $failures = 0 ] || exit 1
echo "release files made and checked"
