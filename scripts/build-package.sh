#!/usr/bin/env bash
# Builds the Debian package of the program and checks it:
#   scripts/build-package.sh            the package as a user builds it (the tests run in it)
#   scripts/build-package.sh --quick    without the test suite (the test command has run it),
#                                       its debug symbols line tables only
#   scripts/build-package.sh --if-tools as --quick, but does nothing when the packaging tools
#                                       are not installed (scripts/setup-debian.sh --package)
# The tracked files are copied to build-deb/stereogramm-<version>/ and built there with
# dpkg-buildpackage -b -us -uc; the .deb goes to dist/. Then its files are listed, and
# lintian, desktop-file-validate and appstreamcli check it. Exits non-zero on any error or
# on a lintian warning that debian/stereogramm.lintian-overrides does not explain.
# scripts/try-package-in-chroot.sh then tries the package on a fresh Debian 12 (a
# debootstrap chroot): install with its runtime dependencies, use, remove.
set -euo pipefail

root="$(cd "$(dirname "$0")/.." && pwd)"
mode="${1:-}"
tools=(dpkg-buildpackage dh lintian desktop-file-validate appstreamcli fakeroot)

if [ "$mode" = "--if-tools" ]; then
  for tool in "${tools[@]}"; do
    if ! command -v "$tool" >/dev/null; then
      echo "Packaging tools not installed ($tool missing): the package is not built."
      exit 0
    fi
  done
  mode="--quick"
fi

version="$(dpkg-parsechangelog -l "$root/debian/changelog" -S Version)"
work="$root/build-deb"
source="$work/stereogramm-$version"
rm -rf "$work"
mkdir -p "$source" "$root/dist"

cd "$root"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git ls-files -z -co --exclude-standard | xargs -0 cp --parents -t "$source"
else
  tar -C "$root" --exclude='./build*' --exclude=./dist -cf - . | tar -C "$source" -xf -
fi

cd "$source"
if [ "$mode" = "--quick" ]; then
  # Line tables only (-g1) for the check: the package is the same but for the size of its
  # debug symbols, and it builds in four fifths of the time.
  DEB_CXXFLAGS_APPEND=-g1 DEB_BUILD_OPTIONS="nocheck parallel=$(nproc)" dpkg-buildpackage -b -us -uc -Pnocheck >"$work/build.log" 2>&1 \
    || { tail -n 40 "$work/build.log"; exit 1; }
else
  DEB_BUILD_OPTIONS="parallel=$(nproc)" dpkg-buildpackage -b -us -uc >"$work/build.log" 2>&1 \
    || { tail -n 40 "$work/build.log"; exit 1; }
fi

deb="$(ls "$work"/stereogramm_"$version"_*.deb)"
cp "$deb" "$root/dist/"
echo "== $(basename "$deb")"
dpkg-deb --info "$deb" | sed -n '/Package:/,/Description:/p'
echo "== files"
dpkg-deb --contents "$deb" | awk '{print $6}'

echo "== lintian"
lintian --fail-on error,warning --info "$deb"
echo "lintian: no errors or warnings"

unpacked="$work/unpacked"
dpkg-deb --extract "$deb" "$unpacked"
echo "== desktop-file-validate"
desktop-file-validate "$unpacked"/usr/share/applications/*.desktop
echo "== appstreamcli validate"
appstreamcli validate --no-net "$unpacked"/usr/share/metainfo/*.metainfo.xml
