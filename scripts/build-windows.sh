#!/usr/bin/env bash
# Builds Corvane for Windows x64 with mingw-w64 into build-windows/ (or
# BUILD_DIR): the module Corvane.aip, the stand-in host, corvane-host.exe and
# the tests, which CTest runs under wine64.  Installs what it needs from
# Debian's archive only: the cross compilers, Wine, GoogleTest's sources
# (/usr/src/googletest) and tinyxml2's source package; for the dialog tests,
# a virtual X server and a font with Chinese characters for Wine to show.
#
# The pictures and tables embedded in the module are drawn at build time with
# cairo, which has no Windows build here: the three resource programs are
# built for this machine first (build-windows/native-tools) and the cross
# build runs those.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${BUILD_DIR:-$root/build-windows}
jobs=${JOBS:-$(nproc)}
deps_dir=$build_dir/deps
native_dir=$build_dir/native-tools
cross_dir=$build_dir

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive

# --- packages: the native build's own, then the cross compilers and Wine
"$root/scripts/install-deps.sh"
packages=(mingw-w64 wine64 wine fonts-wine googletest dpkg-dev xvfb xauth fonts-wqy-microhei)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# --- tinyxml2 from Debian's source package
mkdir -p "$deps_dir"
tinyxml2_dir=$(find "$deps_dir" -maxdepth 1 -type d -name 'tinyxml2-*' | head -n1)
if [ -z "$tinyxml2_dir" ]; then
  if ! apt-get source --print-uris tinyxml2 >/dev/null 2>&1; then
    # Source lines for the same archive the binary packages come from.
    sources=/etc/apt/sources.list.d/corvane-deb-src.sources
    printf '%s\n' 'Types: deb-src' 'URIs: http://deb.debian.org/debian' 'Suites: bookworm' 'Components: main' \
      'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' | "${sudo_cmd[@]}" tee "$sources" >/dev/null
    "${sudo_cmd[@]}" apt-get update -qq
  fi
  (cd "$deps_dir" && apt-get source -qq tinyxml2 >/dev/null)
  tinyxml2_dir=$(find "$deps_dir" -maxdepth 1 -type d -name 'tinyxml2-*' | head -n1)
fi
[ -f "$tinyxml2_dir/tinyxml2.cpp" ] || { echo "no tinyxml2.cpp in $tinyxml2_dir" >&2; exit 1; }

# --- the resource programs for this machine
cmake -S "$root" -B "$native_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_BUILD_TESTS=OFF \
  -DCORVANE_BUILD_BENCH=OFF >/dev/null
cmake --build "$native_dir" -j "$jobs" --target corvane_make_pipl corvane_embed_resources corvane_draw_resources

# --- the reference the Windows programs are compared with: the Linux build
# when it is there (CI builds it first), else one built here
reference_dir=${REFERENCE_BUILD:-$root/build}
if [ ! -x "$reference_dir/apps/corvane-host" ] || [ ! -f "$reference_dir/plugin/Corvane.aip" ]; then
  reference_dir=$native_dir
  cmake --build "$native_dir" -j "$jobs" --target corvane-host corvane_module
fi

# --- the cross build
cmake -S "$root" -B "$cross_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw64.cmake" \
  -DCORVANE_NATIVE_TOOLS="$native_dir" -DCORVANE_TINYXML2_SOURCE="$tinyxml2_dir" \
  -DCORVANE_GTEST_SOURCE=/usr/src/googletest -DCORVANE_REFERENCE_BUILD="$reference_dir" \
  -DCORVANE_BUILD_BENCH=OFF >/dev/null
cmake --build "$cross_dir" -j "$jobs"

# --- the build's own Wine prefixes, made once before tests run side by side:
# one for the programs without windows, one for the dialog tests on the
# virtual display.  There no window manager draws title bars, so Wine draws
# them itself; and the face Wine shows them in links to the machine's Chinese
# font, as Windows links its interface faces to its own.
wine64=$(grep '^CORVANE_WINE64:' "$cross_dir/CMakeCache.txt" | cut -d= -f2)
make_prefix() {
  WINEPREFIX="$1" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" "$wine64" wineboot -i >/dev/null 2>&1
}
in_prefix() {
  WINEPREFIX="$1" WINEDEBUG=-all "$wine64" "${@:2}" >/dev/null 2>&1
}
if [ ! -f "$cross_dir/wineprefix/system.reg" ]; then
  make_prefix "$cross_dir/wineprefix"
fi
display_prefix=$cross_dir/wineprefix-display
if [ ! -f "$display_prefix/system.reg" ]; then
  make_prefix "$display_prefix"
  in_prefix "$display_prefix" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f
  link='wqy-microhei.ttc,WenQuanYi Micro Hei\0MSGOTHIC.TTC,MS UI Gothic\0MINGLIU.TTC,PMingLiU\0SIMSUN.TTC,SimSun'
  link+='\0GULIM.TTC,Gulim\0MSYH.TTC,Microsoft YaHei UI\0MALGUN.TTF,Malgun Gothic\0SEGUISYM.TTF,Segoe UI Symbol'
  in_prefix "$display_prefix" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
    /v Tahoma /t REG_MULTI_SZ /d "$link" /f
  WINEPREFIX="$display_prefix" "$(dirname "$wine64")/wineserver" -w || true
fi
