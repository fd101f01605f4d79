#!/usr/bin/env bash
# Cross-compiles the Qt-free core and its tests for 64-bit Windows with mingw-w64 into
# build-windows/ (or $WINDOWS_BUILD_DIR) and runs the test programs under Wine, printing
# each one's counts. Installs mingw-w64, Wine and GoogleTest's sources when missing.
# The GUI is not built: Debian has no Qt for mingw.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${WINDOWS_BUILD_DIR:-$root/build-windows}"

packages=(g++-mingw-w64-x86-64-posix wine wine64 googletest)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# A private, headless Wine: its own prefix in the build folder, no display (so no
# dialogs), no offer to install Mono or Gecko, no debug chatter. A UTF-8 locale lets Wine
# keep any file name; C.UTF-8 gives the Windows side the user locale en-US.
mkdir -p "$build"
export WINEPREFIX="$build/wine" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=C.UTF-8
unset DISPLAY WAYLAND_DISPLAY
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "== Preparing the Wine prefix $WINEPREFIX"
  wineboot --init >/dev/null 2>&1 || true
  wineserver -w
fi

echo "== Windows build (mingw-w64) in $build"
# Through ccache where there is one, as the Linux builds: objects keep across clones.
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S "$root" -B "$build" -G Ninja --no-warn-unused-cli -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DREMINDER_BUILD_GUI=OFF -DREMINDER_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)"

passed=0
failed=0
runs=0
# Runs one test program under Wine and prints its counts (and the whole output when it fails).
run() {
  local label="$1" exe="$2"
  shift 2
  runs=$((runs + 1))
  local log="$build/test-run-$runs.log"
  echo "== Under Wine: $(basename "$exe")${label:+ $label}"
  local rc=0
  (cd "$(dirname "$exe")" && env "$@" wine "$exe" --gtest_brief=1) 2>&1 | tr -d '\r' >"$log" || rc=$?
  local ran ok bad
  ran=$(sed -n 's/^\[==========\] \([0-9]*\) tests\? from.*ran.*/\1/p' "$log" | tail -1)
  ok=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\?\..*/\1/p' "$log" | tail -1)
  bad=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) tests\?, listed below.*/\1/p' "$log" | tail -1)
  grep -E '^\[  SKIPPED \] [0-9]+ tests?\.|^(fault injection|crash test|two processes): ' "$log" || true
  if [ -z "$ran" ] || [ "$rc" -ne 0 ] || [ -n "$bad" ]; then
    cat "$log"
    echo "$(basename "$exe") $label failed under Wine (exit code $rc)"
    failed=$((failed + ${bad:-1}))
    return
  fi
  echo "$(basename "$exe"): ${ok:-0} passed, 0 failed, of $ran"
  passed=$((passed + ${ok:-0}))
}

run "(user locale en-US)" "$build/tests/core_tests.exe"
# Wine takes the user locale from LC_ALL: the user's date and time forms once more day
# first (de-DE: 06.12.2026, 18:31:29), and with a short date too wide for its field
# (hu-HU: 2026. 12. 06.), which falls back to a fixed form.
run "(user locale de-DE)" "$build/tests/core_tests.exe" LC_ALL=de_DE.UTF-8
run "(user locale hu-HU)" "$build/tests/core_tests.exe" LC_ALL=hu_HU.UTF-8
run "" "$build/tests/store_hardening_tests.exe"
wineserver -k 2>/dev/null || true

echo "Windows tests under Wine: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
