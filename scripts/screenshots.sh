#!/usr/bin/env bash
# Saves a PNG of every window of reminder and Halvern, each cropped to its window and
# frame, into the folder given (docs/screenshots by default). The programs of a build in
# build/ (or $BUILD_DIR) run under Xvfb and a window manager, in the C locale, on a demo
# store dated from today in the Documents folder of a user's home. As root that home is
# /home/alex, on a /home of the run's own (a private mount), where the build is installed
# to ~/.local first, so the pictures show paths as a user's; otherwise the home is a
# throwaway folder and the programs run from the build.
# Fails when a window does not appear or a picture is missing or blank.
set -euo pipefail
if [ "${1:-}" = --private-home ]; then
  shift
  mount -t tmpfs -o mode=0755 demo-home /home
  export DEMO_HOME=/home/alex
elif [ "$(id -u)" -eq 0 ] && unshare --mount true 2>/dev/null; then
  exec unshare --mount --propagation private "$0" --private-home "$@"
fi
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
programs=("$build/reminder" "$build/homeset/Halvern")
if [ -n "${DEMO_HOME:-}" ]; then
  cmake --install "$build" --prefix "$DEMO_HOME/.local" >/dev/null
  programs=("$DEMO_HOME/.local/bin/reminder" "$DEMO_HOME/.local/bin/Halvern")
fi
exec "$root/tests/e2e/run_e2e.sh" "${programs[0]}" "$root/tools" screenshots.py \
  "${programs[1]}" "$build/reminder_demo_store" "$out"
