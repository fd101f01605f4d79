#!/usr/bin/env bash
# Installs what is missing, builds, prints the store benchmark's figures, builds the
# Debian package and tries it on a fresh Debian 12 system, and runs every test (core,
# widget and end-to-end) through CTest.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
"$root/scripts/install-deps.sh"
# The Debian 12 system root that the package is installed on downloads while the
# builds compile.
mkdir -p "$build"
BUILD_DIR="$build" "$root/scripts/test-package.sh" --prepare-root >"$build/prepare-root.log" 2>&1 &
prepare_root=$!
BUILD_DIR="$build" "$root/scripts/build.sh"

echo "== Store benchmark"
"$build/bench/bench_store" --benchmark_min_time=0.2
echo "== Memory of reminder with the manager open on a full store"
"$root/tests/e2e/run_e2e.sh" "$build/reminder" "$root/bench" manager_memory.py 2>&1 | grep -E '^reminder peak memory|Error'

# A second build with clang under AddressSanitizer and UndefinedBehaviorSanitizer runs
# the core tests again, the store's fault-injection, crash and two-process tests, and a
# short run of each fuzz target.
echo "== Sanitizer build (clang, ASan and UBSan) with the fuzz targets"
fuzz="${FUZZ_BUILD_DIR:-$root/build-fuzz}"
CXX=clang++ cmake -S "$root" -B "$fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DREMINDER_FUZZ=ON -DREMINDER_BUILD_GUI=OFF -DREMINDER_BUILD_BENCH=OFF >/dev/null
cmake --build "$fuzz" --parallel "$(nproc)"
(cd "$fuzz" && ctest --output-on-failure --timeout 600 >/dev/null) || {
  (cd "$fuzz" && ctest --rerun-failed --output-on-failure); exit 1; }
grep -hE '^(fault injection|crash test|two processes|fuzz [a-z_]+): ' "$fuzz/Testing/Temporary/LastTest.log"

# The Qt-free core and its tests built for Windows with mingw-w64, run under Wine.
"$root/scripts/test-windows.sh"

echo "== Debian package"
wait "$prepare_root" || { cat "$build/prepare-root.log"; exit 1; }
cat "$build/prepare-root.log"
BUILD_DIR="$build" "$root/scripts/test-package.sh"

echo "== Tests"
cd "$build"
ctest --output-on-failure --timeout 600
