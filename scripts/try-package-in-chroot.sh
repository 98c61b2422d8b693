#!/usr/bin/env bash
# Tries the built package (dist/stereogramm_*.deb) on a fresh Debian 12 as a user would:
#   scripts/try-package-in-chroot.sh [CHROOT]      (as root; default build-chroot/bookworm)
# Makes a minimal bookworm chroot with debootstrap when CHROOT does not exist yet (needs
# the Debian package mirror), works in a copy of it, installs the package with apt-get
# (which pulls in its runtime dependencies), runs stereogramm-cli --version, man -w
# stereogramm-cli and a render, removes the package and checks that none of its files is
# left. Not part of the test command: it needs root and the mirror.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
base="${1:-$root/build-chroot/bookworm}"
work="$base-try"
deb="$(ls "$root"/dist/stereogramm_*.deb | tail -n 1)"

if [ ! -d "$base" ]; then
  debootstrap --variant=minbase bookworm "$base" http://deb.debian.org/debian
  chroot "$base" sh -c 'apt-get update -qq && apt-get install -y -qq --no-install-recommends man-db'
fi
rm -rf "$work"
cp -a "$base" "$work"
cp /etc/resolv.conf "$work/etc/"
cp "$deb" "$work/tmp/"

in_chroot() { chroot "$work" sh -c "$1"; }
listing='find / -xdev \( -path /proc -o -path /sys -o -path /tmp -o -path /var/cache -o -path /var/log -o -path /var/lib \) -prune -o -print | sort'

in_chroot "$listing > /root/before.txt"
echo "== apt-get install ./$(basename "$deb")"
in_chroot "apt-get update -qq && apt-get install -y /tmp/$(basename "$deb") > /tmp/install.log 2>&1 || { tail -n 20 /tmp/install.log; exit 1; }"
echo "packages installed with it:"
in_chroot "grep '^Setting up' /tmp/install.log | sed 's/Setting up //; s/ (.*//' | tr '\n' ' '"; echo
in_chroot "grep '^Setting up' /tmp/install.log | grep -- '-dev[: ]' && exit 1 || true"
echo "== in use"
in_chroot 'stereogramm-cli --version && man -w stereogramm-cli && man -w stereogramm && cd /tmp && stereogramm-cli -q -o x.png && ls -l x.png'
echo "== apt-get remove stereogramm"
in_chroot 'apt-get remove -y -qq stereogramm >/dev/null'
in_chroot "$listing > /root/after.txt"
left="$(in_chroot 'comm -13 /root/before.txt /root/after.txt' | grep -i stereogramm || true)"
if [ -n "$left" ]; then
  echo "left behind:"; echo "$left"; exit 1
fi
echo "nothing of the package is left"
rm -rf "$work"
