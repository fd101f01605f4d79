#!/usr/bin/env bash
# Runs an end-to-end script (the third argument) of the real programs under a fresh Xvfb
# display with its own session bus, so the accessibility bus can be reached from outside
# their processes. The script gets reminder's binary and any further arguments.
set -euo pipefail
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 PYTHONDONTWRITEBYTECODE=1
unset QT_QPA_PLATFORM
# One copy of reminder runs per user, whatever the display: runs side by side (CTest
# starts several) each get a runtime folder of their own, so each has its own copy.
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- /usr/bin/python3 "$2/$3" "$1" "${@:4}"
