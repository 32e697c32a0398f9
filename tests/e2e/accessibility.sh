#!/usr/bin/env bash
# The running program read through the desktop's accessibility bus, as a screen reader reads it:
# after "12+5=" the tape rows, the sign displays and the entry line are found by their names and
# say their contents in words, and the result change after "=" reaches a listener as an event.
# shellcheck source=tests/e2e/lib.sh
source "${BASH_SOURCE[0]%/*}/lib.sh" "$1" || exit 1

launcher=/usr/libexec/at-spi-bus-launcher
if ! command -v dbus-daemon >/dev/null || [[ ! -x $launcher ]] || ! /usr/bin/python3 -c 'import pyatspi' 2>/dev/null; then
  echo "SKIP: dbus, at-spi2-core or python3-pyatspi is not installed (scripts/deps.sh test installs them)"
  exit 77
fi
e2e_setup

# A session bus and an accessibility bus of this run only.
harness_start_bus
"$launcher" --launch-immediately >"$E2E_DIR/at-spi.log" 2>&1 &
harness_at_exit "harness_stop $!"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0

reader="$E2E_DIR/read_tree.py"
cat >"$reader" <<'PYTHON'
import sys
import pyatspi
from gi.repository import GLib

def app():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        a = desktop.getChildAtIndex(i)
        if a is not None and a.name == "Calculator":
            return a
    return None

def find(node, name, depth=0):
    if node is None or depth > 12:
        return None
    if node.name == name and node.getRole() != pyatspi.ROLE_FRAME:
        return node
    for i in range(node.childCount):
        found = find(node.getChildAtIndex(i), name, depth + 1)
        if found is not None:
            return found
    return None

def text_of(node):
    try:
        t = node.queryText()
        return t.getText(0, t.characterCount)
    except NotImplementedError:
        return ""

if sys.argv[1] == "tree":
    root = app()
    if root is None:
        sys.exit("no application named Calculator on the bus")
    tape = find(root, "Лента")
    if tape is not None:
        print("tape: " + " | ".join(tape.getChildAtIndex(i).name for i in range(tape.childCount)))
    for name in ("Операция", "Состояние"):
        node = find(root, name)
        if node is not None:
            print("%s: %s" % (name, node.description))
    entry = find(root, "Число")
    if entry is not None:
        print("Число: %s; %s" % (text_of(entry), entry.description))
else:
    # Listens until the time is up; one line an event of the program.
    def heard(event):
        try:
            if event.host_application.name != "Calculator":
                return
            print("%s %s %r" % (event.type, event.source.name, event.any_data), flush=True)
        except Exception:
            pass
    for kind in ("object:text-changed", "object:property-change:accessible-name",
                 "object:property-change:accessible-description"):
        pyatspi.Registry.registerEventListener(heard, kind)
    GLib.timeout_add_seconds(int(sys.argv[2]), pyatspi.Registry.stop)
    print("listening", flush=True)
    pyatspi.Registry.start()
PYTHON

e2e_start
events="$E2E_DIR/events.log"
/usr/bin/python3 "$reader" listen 20 >"$events" 2>"$E2E_DIR/listener.log" &
harness_at_exit "harness_stop $!"
e2e_poll 10 grep -q listening "$events" || e2e_abort "the event listener did not start"

e2e_keys 1 2 plus 5
sleep 0.5
before=$(wc -l <"$events")
e2e_keys equal
# shellcheck disable=SC2317  # called by e2e_poll
heard_result() { tail -n +"$((before + 1))" "$events" | grep -q "Число.*17"; }
e2e_poll 5 heard_result || e2e_fail "no text or name change of the entry line after '=': $(cat "$events")"

tree=$(timeout 10 /usr/bin/python3 "$reader" tree 2>&1)
expect_line() {
  grep -qxF "$1" <<<"$tree" || e2e_fail "expected '$1' in the accessible tree; read: $tree"
}
expect_line "tape: итог 12 | плюс 5, итог 17"
expect_line "Операция: расчёт закрыт"
expect_line "Состояние: нет операции"
expect_line "Число: 17; итог 17"
e2e_pass
