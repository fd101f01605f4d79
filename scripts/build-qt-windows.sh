#!/usr/bin/env bash
# Builds Qt for 64-bit Windows (x86_64-w64-mingw32, as DLLs) from Debian's qt6-base
# source package, with Debian's mingw-w64 and the Linux Qt as host tools, and keeps it in
#   ${XDG_CACHE_HOME:-~/.cache}/reminder/qt-<version>-mingw-<hash of this recipe>
# so that it is built once per machine and recipe. Prints that folder on its last line.
# Only what the programs and their tests use: Core, Gui, Widgets, Network (local
# sockets), Test, and the Windows platform and style plugins.
#   scripts/build-qt-windows.sh           builds it when missing
#   scripts/build-qt-windows.sh --path    prints the folder, builds nothing
# About 40 minutes on two busy cores; nothing when the folder is there.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
version=6.4.2
toolchain="$root/cmake/mingw-w64-x86_64-qt.cmake"
# A changed recipe (this script or its toolchain file) builds afresh.
hash=$(cat "$0" "$toolchain" | sha256sum | cut -c1-12)
cache="${XDG_CACHE_HOME:-$HOME/.cache}/reminder"
prefix="$cache/qt-$version-mingw-$hash"

if [ "${1:-}" = "--path" ]; then
  echo "$prefix"
  exit 0
fi
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

started=$(date +%s)
step() { echo "== Qt for Windows: $1 ($(($(date +%s) - started)) s)"; }
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
apt_get() { "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get "$@"; }

packages=(g++-mingw-w64-x86-64-posix qt6-base-dev qt6-base-dev-tools cmake ninja-build dpkg-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  step "installing ${missing[*]}"
  apt_get update -qq
  apt_get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# apt-get source needs a deb-src entry for bookworm; Debian 12 lists its archive in the
# deb822 file debian.sources, which has only binary entries.
downloads="$cache/qt-source"
mkdir -p "$downloads"
dsc=("$downloads"/qt6-base_"$version"*.dsc)
if [ ! -f "${dsc[0]}" ]; then
  if ! grep -rqsE '^(deb-src |Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    step "adding Debian's bookworm sources to apt"
    printf '%s\n' "Types: deb-src" "URIs: http://deb.debian.org/debian" \
      "Suites: bookworm bookworm-updates" "Components: main" \
      "Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg" |
      "${sudo_cmd[@]}" tee /etc/apt/sources.list.d/debian-src.sources >/dev/null
  fi
  step "downloading the qt6-base $version source package"
  apt_get update -qq
  (cd "$downloads" && apt-get source --download-only -qq qt6-base)
  dsc=("$downloads"/qt6-base_"$version"*.dsc)
  [ -f "${dsc[0]}" ] || { echo "The archive's qt6-base is not $version"; exit 1; }
fi

# One build folder for every recipe, so that ccache (where present) still hits after a
# change to the recipe that leaves most sources and flags as they were.
work="$cache/qt-build"
src="$work/qtbase"
rm -rf "$work"
mkdir -p "$work"
step "unpacking"
dpkg-source --no-check -x "${dsc[0]}" "$src" >/dev/null

step "configuring"
# No OpenGL: the programs paint with the raster engine. Qt's own -no-opengl
# (INPUT_opengl=no) also turns off the Windows-only dynamic OpenGL, whose software-GL
# check the Windows plugin would otherwise compile against the missing OpenGL classes.
# Debian's source leaves out the Wintab header that tablet events need on Windows.
# Nor are the Direct2D platform plugin, JPEG images or TUIO touch used, nor DirectWrite:
# Qt 6.4 draws with GDI by default, and builds its DirectWrite font engine only along
# with Direct2D.
# The host's pkg-config must not hand Linux libraries to the Windows build.
export PKG_CONFIG_LIBDIR="" PKG_CONFIG_PATH=""
launcher=()
if command -v ccache >/dev/null; then launcher=(-DQT_USE_CCACHE=ON); fi
cmake -S "$src" -B "$work/build" -G Ninja --no-warn-unused-cli \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
  -DFEATURE_pkg_config=OFF \
  -DINPUT_opengl=no -DFEATURE_vulkan=OFF \
  -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_concurrent=OFF -DFEATURE_printsupport=OFF \
  -DFEATURE_xml=OFF -DINPUT_openssl=no -DFEATURE_system_zlib=OFF -DFEATURE_zstd=OFF \
  -DFEATURE_tabletevent=OFF -DFEATURE_direct2d=OFF -DFEATURE_directwrite=OFF -DFEATURE_jpeg=OFF -DFEATURE_tuiotouch=OFF \
  "${launcher[@]}" \
  >"$work/configure.log" 2>&1 || { tail -n 60 "$work/configure.log"; exit 1; }

step "building (about 40 minutes on two busy cores)"
# Ninja's own progress, one line in fifty, so a log shows it moving.
cmake --build "$work/build" --parallel "$(nproc)" 2>&1 | tee "$work/build.log" |
  awk '/^\[[0-9]+\/[0-9]+\]/ { if (++n % 50 == 0) print $1; fflush() } /FAILED:|error:/ { print }'
[ "${PIPESTATUS[0]}" -eq 0 ] || { tail -n 40 "$work/build.log"; exit 1; }

step "installing into $prefix"
cmake --install "$work/build" >/dev/null
touch "$prefix/.complete"
rm -rf "$work"
step "done in $((($(date +%s) - started) / 60)) min $((($(date +%s) - started) % 60)) s"
echo "$prefix"
