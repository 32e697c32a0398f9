#!/usr/bin/env bash
# Runs a test program against the mock desktop portal (portal_mock.py) on a private session bus,
# or with --real against the real one: xdg-desktop-portal with its KDE backend and kglobalaccel,
# started by the private bus from copies of their service files (without the systemd unit, which
# would start them outside the test's bus) with KDE as the desktop, private XDG folders, and the
# display the caller set up. Skips (77) when the portal's packages are missing.
# Usage: portal_run.sh [--real] <test program> [its arguments]
set -u
here=$(dirname "${BASH_SOURCE[0]}")
real=0
if [[ "${1:-}" == --real ]]; then
  real=1
  shift
fi
# shellcheck source=tests/platform/mock_bus.sh
source "$here/mock_bus.sh"
if ((real == 0)); then
  mock_bus_run "mock portal" "$here/portal_mock.py" "$@"
  exit
fi

services=(org.freedesktop.portal.Desktop org.freedesktop.impl.portal.desktop.kde
  org.freedesktop.impl.portal.PermissionStore org.kde.kglobalaccel)
mkdir "$mock_bus_dir/services" "$mock_bus_dir/config" "$mock_bus_dir/data" "$mock_bus_dir/cache"
for service in "${services[@]}"; do
  file=/usr/share/dbus-1/services/$service.service
  executable=$(sed -n 's/^Exec=//p' "$file" 2>/dev/null | cut -d' ' -f1)
  if [[ -z "$executable" || ! -x "$executable" ]]; then
    echo "SKIP: $service is not installed (scripts/deps.sh test installs xdg-desktop-portal," \
      "xdg-desktop-portal-kde and libkf5globalaccel-bin)"
    exit 77
  fi
  grep -v '^SystemdService=' "$file" >"$mock_bus_dir/services/$service.service"
done
mock_bus_services=$mock_bus_dir/services
# The services inherit the bus's environment.
export XDG_CURRENT_DESKTOP=KDE XDG_SESSION_TYPE=x11 QT_QPA_PLATFORM=xcb
export XDG_CONFIG_HOME=$mock_bus_dir/config XDG_DATA_HOME=$mock_bus_dir/data XDG_CACHE_HOME=$mock_bus_dir/cache
unset XDG_CONFIG_DIRS XDG_DATA_DIRS KDE_FULL_SESSION WAYLAND_DISPLAY
mock_bus_run "real portal" "" "$@"
