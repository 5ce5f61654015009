#!/bin/bash
# Builds Qt for Windows (x86_64, mingw-w64 with posix threads) from Debian's
# qt6-base source, the same Qt version as the Linux build uses, into a cache
# folder outside any build tree. Nothing is done when that folder already
# holds a finished build.
#
#   tools/windows/build-qt.sh [PREFIX]
#
# PREFIX defaults to ${XDG_CACHE_HOME:-$HOME/.cache}/kestrel/qt-<version>-mingw64.
# The source is fetched with `apt-get source` through a private source list,
# so the system's apt configuration is left alone.
set -euo pipefail

# The same source as the host's Qt, whose moc, rcc and uic the Windows build uses.
debian_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev 2>/dev/null || true)
if [[ -z $debian_version ]]; then
  echo "build-qt.sh: install qt6-base-dev first: the Windows Qt is built from the same source" >&2
  exit 1
fi
qt_version=${debian_version%%+*}
prefix=${1:-${XDG_CACHE_HOME:-$HOME/.cache}/kestrel/qt-${qt_version}-mingw64}
stamp=$prefix/.kestrel-qt-complete

if [[ -f $stamp ]]; then
  echo "Qt ${qt_version} for Windows is already built in $prefix"
  exit 0
fi

for tool in x86_64-w64-mingw32-gcc-posix x86_64-w64-mingw32-g++-posix cmake ninja dpkg-source; do
  command -v "$tool" >/dev/null || { echo "build-qt.sh: $tool is missing" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/kestrel-qt-build.XXXXXX")
trap 'rm -rf "$work"' EXIT

# A source list of our own: deb-src for the suite the system uses. Its
# package lists and caches are our own too, so this can run while the system's
# apt-get installs packages.
mkdir -p "$work/apt/lists/partial" "$work/apt/parts" "$work/apt/cache"
suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
echo "deb-src http://deb.debian.org/debian $suite main" >"$work/apt/sources.list"
apt_options=(
  -o Dir::Etc::SourceList="$work/apt/sources.list"
  -o Dir::Etc::SourceParts="$work/apt/parts"
  -o Dir::State::Lists="$work/apt/lists"
  -o Dir::Cache="$work/apt/cache"
  -o Debug::NoLocking=1
)
apt-get "${apt_options[@]}" update
(cd "$work" && apt-get "${apt_options[@]}" source --download-only "qt6-base=${debian_version}")
(cd "$work" && dpkg-source --no-check -x qt6-base_*.dsc qt6-base)
# Without OpenGL the windows platform plugin still reaches for the dynamic
# OpenGL loader where it asks whether drawing is done in software; that
# question has the answer "no" when there is no OpenGL at all.
sed -i 's/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' \
  "$work/qt6-base/src/plugins/platforms/windows/qwindowswindow.cpp"

cat >"$work/toolchain.cmake" <<'TOOLCHAIN'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
TOOLCHAIN

# Only what the programs use is built, which keeps the build under half an
# hour on two cores. Besides whole modules, left out are: TLS, the Direct2D
# platform plugin (Direct2D itself stays: QtGui's DirectWrite fonts need it),
# TUIO touch, graphics view, PDF, ODF and Markdown text, widgets no dialog of
# ours shows (those that Qt's compatibility code or the Windows style use
# stay, such as tool bars, tabs, tree and table views and input dialogs),
# and the networking that local sockets do not need: HTTP, proxies, DNS
# lookups, UDP and the disk cache.
features_off=(
  opengl dbus icu sql xml printsupport concurrent tabletevent testlib jpeg
  schannel direct2d1_1 tuiotouch graphicsview pdf textodfwriter
  textmarkdownreader textmarkdownwriter
  mdiarea wizard fontdialog fontcombobox columnview splashscreen lcdnumber dial
  keysequenceedit toolbox datawidgetmapper undoview
  calendarwidget datetimeedit dockwidget statusbar splitter progressbar
  progressdialog errormessage filedialog fscompleter commandlinkbutton
  textbrowser syntaxhighlighter treewidget tablewidget
  undostack undocommand undogroup
  http networkproxy socks5 networkdiskcache dnslookup udpsocket topleveldomain
  sspi networklistmanager
  # Not left out: Qt's own copies of these replace the system's, which
  # mingw-w64 does not have.
  system_zlib system_png system_jpeg system_freetype system_harfbuzz system_pcre2
)
feature_options=()
for feature in "${features_off[@]}"; do
  feature_options+=("-DFEATURE_${feature}=OFF")
done

# The host's own Qt of the same version provides moc, rcc and uic. Qt is
# optimized for size: it builds faster and ships smaller, and a settings
# window does not need the speed of -O2 and -O3.
cmake -S "$work/qt6-base" -B "$work/build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" \
  -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DQT_BUILD_TESTS=OFF -DQT_BUILD_EXAMPLES=OFF \
  -DFEATURE_optimize_size=ON \
  "${feature_options[@]}"
cmake --build "$work/build" --parallel "$(nproc)"
rm -rf "$prefix"
cmake --install "$work/build"
echo "$debian_version" >"$stamp"
echo "Qt ${qt_version} for Windows is in $prefix"
