#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those that are missing.
# Usage: scripts/deps.sh [build|test|package]
set -euo pipefail
what=${1:-test}

packages=(cmake g++ ninja-build libgtest-dev libbenchmark-dev)
[ "$what" = test ] && packages+=(clang-format)  # scripts/format.sh --check
[ "$what" = fuzz ] && packages+=(clang-14 libclang-rt-14-dev)  # scripts/fuzz.sh
if [ -f "$(dirname "$0")/../ui/CMakeLists.txt" ]; then
  # qt6-translations-l10n: Qt's own dialogs (files, fonts) in Russian
  packages+=(qt6-base-dev qt6-translations-l10n libx11-dev libfontconfig-dev fonts-liberation)
  packages+=(qt6-wayland)  # runs natively in a Wayland session
  if [ "$what" = test ]; then
    packages+=(weston dbus python3-dbus python3-gi)  # a headless Wayland compositor; a private bus with the mock portal
    packages+=(dbus-x11)  # dbus-launch, as on most desktops: the tests must pass with it there
    packages+=(xvfb openbox xdotool xclip x11-utils poppler-utils)  # poppler-utils: pdftotext reads printed PDFs back
    packages+=(trayer xterm x11-xserver-utils)  # a tray host, another window to take the focus, xset for the lock keys
    packages+=(xdg-desktop-portal xdg-desktop-portal-kde libkf5globalaccel-bin)  # the real portal's global shortcuts
    packages+=(cups cups-client ghostscript)  # a private print queue; gs renders what it printed
    packages+=(at-spi2-core python3-pyatspi dbus-x11)  # the accessibility bus and a reader of its tree
    # The installing checks: desktop entry, AppStream metadata, manual pages, the Debian package
    packages+=(desktop-file-utils appstream man-db dpkg-dev lintian)
  fi
  [ "$what" = package ] && packages+=(dpkg-dev)  # scripts/package.sh: dpkg-shlibdeps finds the dependencies
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
$SUDO apt-get update -q
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
