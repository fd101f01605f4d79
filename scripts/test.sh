#!/usr/bin/env bash
# Installs what is missing, builds, prints the store benchmark's figures, and runs every
# test: core, widget and end-to-end through CTest, the core again under AddressSanitizer
# and UndefinedBehaviorSanitizer with the fuzz targets, the Windows build under Wine (both
# programs, every test, the installer and an end-to-end run where Qt for Windows is on the
# machine or CI=true; the core alone otherwise), and the Debian package on a fresh Debian
# 12 system.
#
# The end-to-end tests and the package mostly wait on timers and downloads, so they run
# beside the sanitizer and Windows builds, which mostly compute.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
fuzz="${FUZZ_BUILD_DIR:-$root/build-fuzz}"
started=$(date +%s)
stage() { echo "== $1 ($(( $(date +%s) - started )) s since the start)"; }

"$root/scripts/install-deps.sh"
mkdir -p "$build"
# The Debian 12 system root that the package is installed on downloads while the
# builds compile.
rm -f "$build/prepare-root.rc"
(BUILD_DIR="$build" "$root/scripts/test-package.sh" --prepare-root >"$build/prepare-root.log" 2>&1
 echo $? >"$build/prepare-root.rc") &
stage "Build"
# Release: CI needs no debug information, and compiles faster without it.
BUILD_DIR="$build" BUILD_TYPE="${BUILD_TYPE:-Release}" "$root/scripts/build.sh"

stage "Store benchmark"
"$build/bench/bench_store" --benchmark_min_time=0.05
stage "Memory of reminder with the manager open on a full store"
"$root/tests/e2e/run_e2e.sh" "$build/reminder" "$root/bench" manager_memory.py 2>&1 | grep -E '^reminder peak memory|Error'

# CTest, then the package, in the background; their logs are shown at the end.
(
  cd "$build"
  ctest --output-on-failure --timeout 600 -j "$(( $(nproc) * 2 ))" >"$build/ctest.log" 2>&1 &&
    echo "CTest passed" >>"$build/ctest.log"
  while [ ! -f "$build/prepare-root.rc" ]; do sleep 1; done
  cat "$build/prepare-root.log"
  [ "$(cat "$build/prepare-root.rc")" = 0 ] || exit 1
  BUILD_DIR="$build" "$root/scripts/test-package.sh"
) >"$build/background-tests.log" 2>&1 &
background=$!

# Windows, in the background too: its end-to-end run under Wine mostly waits as well.
stage "Windows (in the background)"
("$root/scripts/test-windows.sh" >"$build/windows.log" 2>&1; echo $? >"$build/windows.rc") &
windows=$!

# A second build with clang under AddressSanitizer and UndefinedBehaviorSanitizer runs
# the core tests again, the store's fault-injection, crash and two-process tests, and a
# short run of each fuzz target.
stage "Sanitizer build (clang, ASan and UBSan) with the fuzz targets"
export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
CXX=clang++ cmake -S "$root" -B "$fuzz" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DREMINDER_FUZZ=ON -DREMINDER_BUILD_GUI=OFF -DREMINDER_BUILD_BENCH=OFF -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
cmake --build "$fuzz" --parallel "$(nproc)"
(cd "$fuzz" && ctest --output-on-failure --timeout 600 -j "$(nproc)" >/dev/null) || {
  (cd "$fuzz" && ctest --rerun-failed --output-on-failure); exit 1; }
grep -hE '^(fault injection|crash test|two processes|fuzz [a-z_]+): ' "$fuzz/Testing/Temporary/LastTest.log"

stage "Windows"
wait "$windows" || true
grep -E '^(==|Windows tests under Wine|ok |FAIL|[0-9]+ /)|passed, [0-9]+ failed' "$build/windows.log"
rc=0
[ "$(cat "$build/windows.rc")" = 0 ] || { tail -n 40 "$build/windows.log"; rc=1; }

stage "Tests and the Debian package"
wait "$background" || rc=$?
cat "$build/background-tests.log"
grep -q "^CTest passed" "$build/ctest.log" || { cat "$build/ctest.log"; rc=1; }
tail -n 4 "$build/ctest.log"
stage "Done"
exit "$rc"
