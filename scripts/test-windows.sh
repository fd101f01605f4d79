#!/usr/bin/env bash
# Builds for 64-bit Windows with mingw-w64 and runs the test programs under Wine,
# printing each one's counts. With Qt for Windows (scripts/build-qt-windows.sh; under
# CI=true it is built when missing) that is both programs, every test, the installer and
# a ZIP, and an end-to-end run of the installed programs on an X display in the en-US and
# de-DE user locales, into build-windows-qt/ (or $WINDOWS_QT_BUILD_DIR). Without it, the
# Qt-free core and its tests, into build-windows/ (or $WINDOWS_BUILD_DIR).
# Installs mingw-w64, Wine, NSIS and GoogleTest's sources when missing.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
started=$(date +%s)

qt=$("$root/scripts/build-qt-windows.sh" --path)
if [ ! -f "$qt/.complete" ]; then
  if [ "${CI:-}" = true ]; then
    "$root/scripts/build-qt-windows.sh"
  else
    echo "== Qt for Windows is not built here, so only the core is tested for Windows; scripts/build-qt-windows.sh builds it once per machine (about 17 minutes on two quiet cores)."
    qt=""
  fi
fi
if [ -n "$qt" ]; then
  build="${WINDOWS_QT_BUILD_DIR:-$root/build-windows-qt}"
else
  build="${WINDOWS_BUILD_DIR:-$root/build-windows}"
fi

packages=(g++-mingw-w64-x86-64-posix wine wine64 googletest nsis xvfb xdotool imagemagick)
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

echo "== Windows build (mingw-w64${qt:+, Qt $qt}) in $build"
# Through ccache where there is one, as the Linux builds: objects keep across clones.
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
if [ -n "$qt" ]; then
  configure=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64-programs.cmake" -DREMINDER_WINDOWS_QT="$qt")
else
  configure=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DREMINDER_BUILD_GUI=OFF)
fi
cmake -S "$root" -B "$build" -G Ninja --no-warn-unused-cli -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" \
  "${configure[@]}" -DREMINDER_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)"
# With Qt every program and test lands beside the DLLs, in bin/.
if [ -n "$qt" ]; then tests="$build/bin"; else tests="$build/tests"; fi

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

run "(user locale en-US)" "$tests/core_tests.exe"
# Wine takes the user locale from LC_ALL: the user's date and time forms once more day
# first (de-DE: 06.12.2026, 18:31:29), and with a short date too wide for its field
# (hu-HU: 2026. 12. 06.), which falls back to a fixed form.
run "(user locale de-DE)" "$tests/core_tests.exe" LC_ALL=de_DE.UTF-8
run "(user locale hu-HU)" "$tests/core_tests.exe" LC_ALL=hu_HU.UTF-8
run "" "$tests/store_hardening_tests.exe"
if [ -n "$qt" ]; then
  run "" "$tests/halvern_core_tests.exe"
  # Left out: the dialogs' tests that pin the C locale's forms, which Windows does not
  # have (the core tests above read the forms of three Windows locales), and Halvern's
  # tests on Linux folders (bytes, "/" paths, links); the end-to-end run below picks a
  # Windows folder in Halvern.
  run "" "$tests/widget_tests.exe" QT_QPA_PLATFORM=offscreen \
    GTEST_FILTER=-Moments/QuickSaveTest.*:Rows/EditRowTest.*
  run "" "$tests/halvern_widget_tests.exe" QT_QPA_PLATFORM=offscreen \
    GTEST_FILTER=-QtFolderSourceTest.*:HalvernWindowTest.ChoosersOkHandsOverTheOpenFolderAsSpelled:HalvernWindowTest.OkWritesTheChosenFolderByteForByteOrSaysWhyNot
fi
wineserver -k 2>/dev/null || true
echo "Windows tests under Wine: $passed passed, $failed failed"
[ "$failed" -eq 0 ] || exit 1
[ -n "$qt" ] || exit 0

echo "== Windows installer and ZIP"
(cd "$build" && cpack -G "NSIS;ZIP" >/dev/null)
ls -l "$build"/reminder-*-win64.exe "$build"/reminder-*-win64.zip | awk '{print $5, $9}'

# The installed programs on an X display, in a Wine of their own, as a user starts them.
for locale in C.UTF-8 de_DE.UTF-8; do
  echo "== Under Wine on a display, user locale $locale"
  export WINEPREFIX="$build/wine-e2e-${locale%%.*}"
  rm -rf "$WINEPREFIX"
  LC_ALL=$locale xvfb-run -a -s "-screen 0 1280x1024x24" sh -c \
    'wineboot --init >/dev/null 2>&1; wineserver -w; /usr/bin/python3 "$0" "$1" "$2"; rc=$?; wineserver -k; exit $rc' \
    "$root/tests/e2e/windows_e2e.py" "$(ls "$build"/reminder-*-win64.exe)" "$build/pictures-${locale%%.*}"
done
echo "== Windows done in $(($(date +%s) - started)) s"
