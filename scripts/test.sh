#!/usr/bin/env bash
# Installs what is missing, builds, prints the store benchmark's figures, and runs every
# test (core, widget and end-to-end) through CTest.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
"$root/scripts/install-deps.sh"
BUILD_DIR="$build" "$root/scripts/build.sh"

echo "== Store benchmark"
"$build/bench/bench_store" --benchmark_min_time=0.2

echo "== Tests"
cd "$build"
ctest --output-on-failure --timeout 600
