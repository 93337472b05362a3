#!/usr/bin/env bash
# Checks the Debian package on a clean Debian 12: makes a minimal bookworm tree
# with debootstrap, installs the package there with apt (no recommended
# packages, so the package's own dependencies must be enough), starts the
# installed program on a virtual display and saves a screenshot of it.
# Needs root, network access to the Debian mirror, debootstrap, Xvfb, xdotool
# and ImageMagick.
#   packaging/check-clean-install.sh PACKAGE.deb [OUT]
set -euo pipefail

deb=$(realpath "${1:?usage: check-clean-install.sh PACKAGE.deb [OUT]}")
out=$(realpath -m "${2:-clean-install}")
mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}
root=$(mktemp -d /tmp/trevane-clean.XXXXXX)
mkdir -p "$out"
xvfb_pid=
cleanup() {
    pkill -f "^/usr/lib/trevane/trevane" 2>/dev/null || true
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null
    umount "$root/tmp/.X11-unix" 2>/dev/null || true
    umount "$root/proc" 2>/dev/null || true
    rm -rf --one-file-system "$root"
}
trap cleanup EXIT

echo "== debootstrap bookworm (minbase) into $root"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$out/debootstrap.log" 2>&1
mount -t proc proc "$root/proc"
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$root/tmp/trevane.deb"

echo "== apt install the package"
chroot "$root" /bin/sh -c 'apt-get update -qq && DEBIAN_FRONTEND=noninteractive \
    apt-get install -y -qq --no-install-recommends /tmp/trevane.deb' >"$out/install.log" 2>&1
chroot "$root" dpkg -s trevane | grep -q "install ok installed"
for f in /usr/bin/trevane /usr/bin/trevane-editor /usr/bin/trevane-db /usr/lib/trevane/higher.mdf /usr/lib/trevane/lower.mdf \
         /usr/lib/trevane/QEL.hlp /usr/share/applications/trevane.desktop \
         /usr/share/applications/trevane-editor.desktop; do
    chroot "$root" test -e "$f" || { echo "missing after install: $f" >&2; exit 1; }
done
chroot "$root" trevane-db list /usr/lib/trevane/higher.mdf >"$out/list.txt"

echo "== start the installed program"
exec {fd}<> <(:)
Xvfb -displayfd "$fd" -screen 0 1280x800x24 -nolisten tcp >"$out/xvfb.log" 2>&1 &
xvfb_pid=$!
read -r -t 10 -u "$fd" display
export DISPLAY=:$display
mkdir -p "$root/tmp/.X11-unix"
mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
chroot "$root" /bin/sh -c "cd /root && HOME=/root DISPLAY=$DISPLAY exec trevane" >"$out/trevane.log" 2>&1 &
app=$!
if ! timeout 20 xdotool search --sync --onlyvisible --name '^Trevane \[' >/dev/null; then
    echo "the installed program showed no main window" >&2
    tail -n 20 "$out/trevane.log" >&2
    exit 1
fi
sleep 2
kill -0 "$app" || { echo "the installed program has ended" >&2; exit 1; }
import -window root "$out/started.png"
echo "== the package installs and starts on a clean Debian 12 (screenshot: $out/started.png)"
