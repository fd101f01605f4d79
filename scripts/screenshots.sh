#!/usr/bin/env bash
# Saves a PNG of every window of reminder and Halvern, each cropped to its window, into
# the folder given (docs/screenshots by default). The programs run from a build in
# build/ (or $BUILD_DIR) under Xvfb, in the C locale, on a demo store dated from today.
# Fails when a window does not appear or a picture is missing or blank.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
out="${1:-$root/docs/screenshots}"
for program in reminder homeset/Halvern reminder_demo_store; do
  if [ ! -x "$build/$program" ]; then
    echo "No $build/$program: build first (scripts/build.sh)." >&2
    exit 1
  fi
done
mkdir -p "$out"
out="$(cd "$out" && pwd)"
export LC_ALL=C LANG=C
exec "$root/tests/e2e/run_e2e.sh" "$build/reminder" "$root/tools" screenshots.py \
  "$build/homeset/Halvern" "$build/reminder_demo_store" "$out"
