#!/usr/bin/env bash
# Runs an end-to-end script (the third argument) of the real programs on a desktop of
# their own: a fresh Xvfb display framed by a window manager (mutter, GNOME's, in its
# X11 mode), with its own session bus, so the accessibility bus can be reached from
# outside their processes. The script gets reminder's binary and any further arguments.
# E2E_DESKTOP=weston runs it under a Wayland compositor (weston, headless) instead, which
# offers X11 beside it through Xwayland (DISPLAY and WAYLAND_DISPLAY both set).
set -euo pipefail
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 PYTHONDONTWRITEBYTECODE=1

# Inside the session: starts the desktop, polls until it is up, runs the script.
if [ "${1:-}" = --inside ]; then
  shift
  log="$XDG_RUNTIME_DIR/desktop.log"
  if [ "${E2E_DESKTOP:-}" = weston ]; then
    unset DISPLAY
    weston --backend=headless-backend.so --xwayland --socket=wayland-e2e --idle-time=0 >"$log" 2>&1 &
    up() { [ -S "$XDG_RUNTIME_DIR/wayland-e2e" ] && grep -q 'xserver listening on display' "$log"; }
  else
    mutter --x11 --replace --sm-disable >"$log" 2>&1 &
    up() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
  fi
  desktop=$!
  trap 'kill $desktop 2>/dev/null || true' EXIT
  for _ in $(seq 200); do
    up && break
    sleep 0.05
  done
  up || { echo "the desktop did not come up:" >&2; cat "$log" >&2; exit 1; }
  if [ "${E2E_DESKTOP:-}" = weston ]; then
    DISPLAY=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$log")
    export DISPLAY WAYLAND_DISPLAY=wayland-e2e XDG_SESSION_TYPE=wayland
  fi
  /usr/bin/python3 "$2/$3" "$1" "${@:4}"
  exit
fi

unset QT_QPA_PLATFORM WAYLAND_DISPLAY
# One copy of reminder runs per user, whatever the display: runs side by side (CTest
# starts several) each get a runtime folder of their own, so each has its own copy.
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
session=(dbus-run-session -- "$0" --inside "$@")
if [ "${E2E_DESKTOP:-}" = weston ]; then
  "${session[@]}"
else
  xvfb-run -a -s "-screen 0 1280x1024x24" "${session[@]}"
fi
