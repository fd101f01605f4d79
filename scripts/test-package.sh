#!/usr/bin/env bash
# The Debian package end to end: builds reminder_<version>_<arch>.deb from a build
# (cpack -G DEB), checks it with lintian, installs it with apt-get on a fresh Debian 12
# system root and starts the installed /usr/bin/reminder under Xvfb until its main
# window is up.
#
#   scripts/test-package.sh                 all of it, on the build in $BUILD_DIR (build/)
#   scripts/test-package.sh --prepare-root  only the Debian 12 system root and the
#                                           downloads the install will want; scripts/test.sh
#                                           runs this in the background while it compiles
#
# The system root is made once with debootstrap in $BUILD_DIR/debian-root and copied
# for each install, so every install starts from a fresh system.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(mkdir -p "${BUILD_DIR:-$root/build}" && cd "${BUILD_DIR:-$root/build}" && pwd)"
base="$build/debian-root"
run="$build/debian-root-run"
mirror="${DEBIAN_MIRROR:-http://deb.debian.org/debian}"
# What the package will ask for, downloaded (not installed) ahead of it.
expected_depends=(libqt6widgets6 libqt6network6 fonts-dejavu-core fonts-dejavu-extra fonts-liberation2)

elapsed() { echo "$(( $(date +%s) - $1 )) s"; }

prepare_root() {
  if [ -f "$base/.complete" ]; then
    echo "system root: $base (already made)"
    return
  fi
  local started
  started=$(date +%s)
  rm -rf "$base"
  debootstrap --variant=minbase bookworm "$base" "$mirror" >"$build/debootstrap.log" 2>&1 ||
    { tail -20 "$build/debootstrap.log"; exit 1; }
  cp /etc/resolv.conf "$base/etc/resolv.conf"
  chroot "$base" apt-get update -qq
  chroot "$base" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --download-only --no-install-recommends "${expected_depends[@]}" >/dev/null
  touch "$base/.complete"
  echo "system root: $base made in $(elapsed "$started")"
}

# Everything mounted below the copy goes before the copy does: a bind mount of /dev
# under a folder being deleted would take the machine's /dev with it.
mounts_below() { awk -v top="$run/" 'index($2, top) == 1 { print $2 }' /proc/self/mounts | sort -r; }
cleanup() {
  set +e
  [ -n "${program_pid:-}" ] && kill "$program_pid" 2>/dev/null
  [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null
  for m in $(mounts_below); do umount -l "$m"; done
  if [ -z "$(mounts_below)" ]; then rm -rf "$run"; else echo "still mounted below $run: not removed" >&2; fi
}

if [ "${1:-}" = "--prepare-root" ]; then
  prepare_root
  exit 0
fi

# The package.
cd "$build"
started=$(date +%s)
rm -f reminder_*.deb
cpack -G DEB >"$build/cpack.log" 2>&1 || { cat "$build/cpack.log"; exit 1; }
deb=$(ls "$build"/reminder_*.deb)
echo "== Package $(basename "$deb"): $(du -k "$deb" | cut -f1) KiB, installs $(dpkg-deb -f "$deb" Installed-Size) KiB"
dpkg-deb -f "$deb" Depends Recommends | sed 's/^/   /'

echo "== lintian"
# Errors fail the test; the warnings and notes it prints are there to be read.
if ! lintian --display-info --no-tag-display-limit "$deb"; then
  echo "FAIL: lintian found errors in the package"
  exit 1
fi

# A fresh Debian 12 system, the package installed with apt-get as a user would.
prepare_root
install_started=$(date +%s)
trap cleanup EXIT
cleanup
cp -a "$base" "$run"
mount --rbind /dev "$run/dev"
mount --make-rslave "$run/dev"
mount -t proc proc "$run/proc"
cp "$deb" "$run/tmp/"
chroot "$run" env DEBIAN_FRONTEND=noninteractive \
  apt-get install -y -qq --no-install-recommends "/tmp/$(basename "$deb")" >"$build/package-install.log" 2>&1 ||
  { tail -30 "$build/package-install.log"; exit 1; }
echo "== Installed on Debian 12 in $(elapsed "$install_started")"
for file in /usr/bin/reminder /usr/bin/Halvern /usr/share/applications/reminder.desktop \
            /usr/share/applications/halvern.desktop /usr/share/doc/reminder/README.md; do
  [ -f "$run$file" ] || { echo "FAIL: the package did not install $file"; exit 1; }
done

# The installed program under Xvfb, started as its menu entry starts it, on a home
# folder that Halvern would have named in ~/path.txt.
xvfb_log="$build/package-xvfb.log"
Xvfb -displayfd 4 -screen 0 1280x1024x24 -nolisten tcp 4>"$build/package-display" 2>"$xvfb_log" &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$build/package-display" ] && break; sleep 0.1; done
display=":$(cat "$build/package-display")"
mkdir -p "$run/tmp/.X11-unix"
mount --bind /tmp/.X11-unix "$run/tmp/.X11-unix"
mkdir -p "$run/root/reminders/db"
chmod 700 "$run/root/reminders" "$run/root/reminders/db"
printf '/root/reminders\r\n' >"$run/root/path.txt"
chroot "$run" env -i HOME=/root PATH=/usr/bin:/bin DISPLAY="$display" LANG=C.UTF-8 \
  sh -c "cd && exec reminder" >"$build/package-program.log" 2>&1 &
program_pid=$!
shown=""
for _ in $(seq 120); do
  DISPLAY="$display" xdotool search --onlyvisible --name '^Welcome! to Reminder$' >/dev/null && { shown=1; break; }
  kill -0 "$program_pid" 2>/dev/null || break
  sleep 0.5
done
if [ -z "$shown" ]; then
  echo "FAIL: the installed reminder showed no main window"
  cat "$build/package-program.log"
  exit 1
fi
DISPLAY="$display" import -window root "$build/package-shot.png" 2>/dev/null || true
echo "== The installed reminder opened \"Welcome! to Reminder\" ($(elapsed "$install_started") after the install began)"
echo "package test: $(elapsed "$started")"
