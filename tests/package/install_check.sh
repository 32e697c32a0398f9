#!/usr/bin/env bash
# The program installed with `cmake --install` into a fresh prefix: exactly the expected files,
# a valid desktop entry and AppStream metadata that name the installed program and icon, manual
# pages that render without a warning, and, started from the prefix under a virtual X server, a
# window whose class is the desktop entry's StartupWMClass, F1 opening the installed help page,
# and the settings kept in the XDG folders rather than beside the program.
# Usage: install_check.sh <build folder> <its tallyman>; exits 77 (skipped) when a tool is missing.
# shellcheck source=tests/e2e/lib.sh
source "${BASH_SOURCE[0]%/*}/../e2e/lib.sh" "$2" || exit 1
here=$(cd "${BASH_SOURCE[0]%/*}" && pwd)
build=$1
id=io.github.tallyman.Tallyman

for tool in desktop-file-validate appstreamcli man; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (scripts/deps.sh test installs it)"
    exit 77
  fi
done
e2e_setup
prefix=$E2E_DIR/prefix

cmake --install "$build" --prefix "$prefix" >"$E2E_DIR/install.log" 2>&1 ||
  e2e_abort "cmake --install failed: $(cat "$E2E_DIR/install.log")"
installed=$(cd "$prefix" && find . -type f -printf '%P\n' -o -type l -printf '%P\n' | LC_ALL=C sort)
expected=$(LC_ALL=C sort "$here/expected_files.txt")
[[ "$installed" == "$expected" ]] ||
  e2e_fail "the installed files differ from expected_files.txt: $(diff <(echo "$expected") <(echo "$installed"))"

entry=$prefix/share/applications/$id.desktop
metainfo=$prefix/share/metainfo/$id.metainfo.xml
desktop-file-validate "$entry" || e2e_fail "desktop-file-validate found errors in $entry"
appstreamcli validate --no-net "$metainfo" || e2e_fail "appstreamcli found errors in $metainfo"
key() { sed -n "s/^$1=//p" "$entry"; }
[[ -x "$prefix/bin/$(key Exec)" ]] || e2e_fail "the desktop entry runs \"$(key Exec)\", which is not installed"
[[ "$(key Icon)" == "$id" && -f "$prefix/share/icons/hicolor/scalable/apps/$id.svg" ]] ||
  e2e_fail "the desktop entry's icon \"$(key Icon)\" is not the installed $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
  e2e_fail "the AppStream metadata does not launch $id.desktop"

for page in tallyman tallyman-cli; do
  rendered=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/$page.1.gz" 2>"$E2E_DIR/man.log")
  [[ -s "$E2E_DIR/man.log" ]] && e2e_fail "man warns about $page.1: $(cat "$E2E_DIR/man.log")"
  if ! grep -q "^NAME" <<<"$rendered" || ! grep -q "^ *$page - " <<<"$rendered"; then
    e2e_fail "man -l did not render $page.1: $(head -5 <<<"$rendered")"
  fi
done

# The desktop's "open" command, replaced by one that writes down what it was asked to open.
mkdir -p "$E2E_DIR/fakebin"
printf '#!/bin/sh\nprintf "%%s\\n" "$*" >>"%s"\n' "$E2E_DIR/opened" >"$E2E_DIR/fakebin/xdg-open"
chmod +x "$E2E_DIR/fakebin/xdg-open"
(cd "$E2E_DIR/home" && exec env PATH="$E2E_DIR/fakebin:$PATH" "$prefix/bin/tallyman") >>"$E2E_DIR/program.log" 2>&1 &
E2E_PID=$!
e2e_poll 30 e2e_find_main_window || e2e_abort "the installed program showed no window"
e2e_focus "$E2E_WINDOW"

# WM_CLASS(STRING) = "instance", "class": the desktop matches the class to StartupWMClass.
class=$(xprop -id "$E2E_WINDOW" WM_CLASS | sed -n 's/.*", "\(.*\)"$/\1/p')
[[ -n "$class" && "$class" == "$(key StartupWMClass)" ]] ||
  e2e_fail "the window's class \"$class\" is not the desktop entry's StartupWMClass \"$(key StartupWMClass)\""

e2e_keys F1
# shellcheck disable=SC2317  # called by e2e_poll
e2e_opened() { [[ -s "$E2E_DIR/opened" ]]; }
if e2e_poll 15 e2e_opened; then
  help="file://$prefix/share/doc/tallyman/Tallyman.html#ru"  # the Russian interface opens its half
  [[ "$(cat "$E2E_DIR/opened")" == "$help" ]] || e2e_fail "F1 opened \"$(cat "$E2E_DIR/opened")\", expected $help"
else
  e2e_fail "F1 opened nothing: the installed program did not find its help page"
fi

e2e_close "Подтверждение"
[[ -f "$XDG_CONFIG_HOME/tallyman/tallyman.ini" ]] || e2e_fail "no settings file in \$XDG_CONFIG_HOME/tallyman"
[[ -d "$XDG_DATA_HOME/tallyman" ]] || e2e_fail "no data folder \$XDG_DATA_HOME/tallyman"
beside=$(find "$prefix/bin" -mindepth 1 -printf '%f\n' | LC_ALL=C sort | tr '\n' ' ')
[[ "$beside" == "tallyman tallyman-cli " ]] || e2e_fail "the program wrote beside itself: $beside"
e2e_pass
