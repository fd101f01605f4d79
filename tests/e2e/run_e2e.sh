#!/usr/bin/env bash
# Runs an end-to-end script of the real program (the third argument, by default
# reminder_e2e.py) under a fresh Xvfb display with its own session bus, so the
# accessibility bus can be reached from outside the process. The script gets the
# binary and any further arguments.
set -euo pipefail
binary="$1"
here="$2"
script="${3:-reminder_e2e.py}"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export QT_ACCESSIBILITY=1
unset QT_QPA_PLATFORM
exec xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- \
  /usr/bin/python3 "$here/$script" "$binary" "${@:4}"
