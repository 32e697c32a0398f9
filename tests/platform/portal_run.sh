#!/usr/bin/env bash
# Runs a test program against the real desktop portal: xdg-desktop-portal with its KDE backend and
# kglobalaccel, started by a private bus from copies of their service files (without the systemd
# unit, which would start them outside the test's bus) with KDE as the desktop, private XDG
# folders, and the display the caller set up. Skips (77) when the portal's packages are missing.
# Usage: portal_run.sh <test program> [its arguments]
set -u
# shellcheck source=tests/harness/lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/../harness/lib.sh"
harness_require_mock_python
harness_begin portal
services=(org.freedesktop.portal.Desktop org.freedesktop.impl.portal.desktop.kde
  org.freedesktop.impl.portal.PermissionStore org.kde.kglobalaccel)
mkdir "$HARNESS_DIR/services" "$HARNESS_DIR/config" "$HARNESS_DIR/data" "$HARNESS_DIR/cache"
for service in "${services[@]}"; do
  file=/usr/share/dbus-1/services/$service.service
  executable=$(sed -n 's/^Exec=//p' "$file" 2>/dev/null | cut -d' ' -f1)
  if [[ -z "$executable" || ! -x "$executable" ]]; then
    echo "SKIP: $service is not installed (scripts/deps.sh test installs xdg-desktop-portal," \
      "xdg-desktop-portal-kde and libkf5globalaccel-bin)"
    exit 77
  fi
  grep -v '^SystemdService=' "$file" >"$HARNESS_DIR/services/$service.service"
done
# The services inherit the bus's environment.
export XDG_CURRENT_DESKTOP=KDE XDG_SESSION_TYPE=x11 QT_QPA_PLATFORM=xcb
export XDG_CONFIG_HOME=$HARNESS_DIR/config XDG_DATA_HOME=$HARNESS_DIR/data XDG_CACHE_HOME=$HARNESS_DIR/cache
unset XDG_CONFIG_DIRS XDG_DATA_DIRS KDE_FULL_SESSION WAYLAND_DISPLAY
harness_start_bus "$HARNESS_DIR/services"
"$@"
