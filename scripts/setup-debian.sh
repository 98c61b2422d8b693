#!/usr/bin/env bash
# Installs the Debian packages the project builds, tests and runs with; with --package
# also the tools that build and check the Debian package (make package), with --docs the
# ones that make the README's screenshot (make screenshot).
# Only missing packages are installed; a second run does nothing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libjpeg62-turbo-dev libpng-dev zlib1g-dev libtiff-dev libwebp-dev libgif-dev
  libassimp-dev libfreetype-dev libfontconfig-dev
  libavformat-dev libavcodec-dev libavutil-dev libswscale-dev libimagequant-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n
  qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
  clang libclang-rt-dev libomp-dev
  fonts-dejavu-core
  xvfb xauth dbus at-spi2-core python3-pyatspi
  time
)
case "${1:-}" in
  --package) packages+=(debhelper dpkg-dev fakeroot lintian desktop-file-utils appstream) ;;
  --docs) packages+=(xdotool x11-utils imagemagick) ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q '^install ok installed$' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
