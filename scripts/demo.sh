#!/usr/bin/env bash
# Installs what is missing, builds, and starts reminder on a ready demo home folder
# (build/demo: its own path.txt, and a home with a db folder and a few reminders).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"

demo="$root/build/demo"
home="$demo/home"
mkdir -p "$home/db"
chmod 700 "$home" "$home/db"
printf '%s\r\n' "$home" > "$demo/path.txt"
if [ ! -s "$home/db/reminders.rmd" ]; then
  "$root/build/reminder_demo_store" "$home"
  echo "Demo reminders written to $home/db/reminders.rmd (one fires a minute from now)."
fi

cd "$demo"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: running reminder under Xvfb, where its windows are invisible. Stop it with Ctrl+C."
  exec xvfb-run -a "$root/build/reminder"
fi
exec "$root/build/reminder"
