#!/usr/bin/env bash
# Runs the end-to-end test of Halvern (and of reminder reading what it wrote) under a
# fresh Xvfb display with its own session bus, so the accessibility bus can be reached
# from outside the processes.
set -euo pipefail
halvern="$1"
reminder="$2"
here="$3"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export QT_ACCESSIBILITY=1
unset QT_QPA_PLATFORM
exec xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- \
  /usr/bin/python3 "$here/halvern_e2e.py" "$halvern" "$reminder"
