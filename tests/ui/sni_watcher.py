#!/usr/bin/python3
"""A stand-in for a desktop panel's StatusNotifierItem tray, for the tray icon tests.

As the watcher it owns org.kde.StatusNotifierWatcher at /StatusNotifierWatcher on the bus it is
started on: RegisterStatusNotifierItem and RegisterStatusNotifierHost, the properties
RegisteredStatusNotifierItems, IsStatusNotifierHostRegistered and ProtocolVersion, and the
registration signals. An item is dropped when its owner leaves the bus, as a real watcher does.
It is also the host (registered from the start), reading the items it shows.

The tests steer it through io.github.tallyman.SniMock at /control. Every call that reaches into
the program answers only after the program did, and never blocks this loop, so a program that
waits for the answer while running its own event loop is never dead-locked:
  Items() -> as                the registered items
  Describe() -> s              the first item as JSON: its properties and its menu's items
  Activate(x, y)               a left click on the first item
  ClickMenuItem(label)         a click on the first item's menu entry shown with this label
  Withdraw() / Restore()       the watcher leaves the bus / comes back with no items, as a
                               restarted panel does

Usage: sni_watcher.py READY_FILE   (the file is written once the names are owned)
"""
import json
import sys
import time

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

WATCHER = "org.kde.StatusNotifierWatcher"
WATCHER_PATH = "/StatusNotifierWatcher"
ITEM = "org.kde.StatusNotifierItem"
ITEM_PATH = "/StatusNotifierItem"
MENU = "com.canonical.dbusmenu"
PROPERTIES = "org.freedesktop.DBus.Properties"
INTROSPECTABLE = "org.freedesktop.DBus.Introspectable"
CONTROL = "io.github.tallyman.SniMock"
FAILED = "org.freedesktop.DBus.Error.Failed"
INVALID_ARGS = "org.freedesktop.DBus.Error.InvalidArgs"
HOST = "org.kde.StatusNotifierHost-mock"
TIMEOUT = 10  # seconds for every call into the program

# Clients such as QtDBus build their proxies from the introspection data, properties included;
# dbus-python's own introspection leaves properties out.
WATCHER_XML = """<!DOCTYPE node PUBLIC "-//freedesktop//DTD D-BUS Object Introspection 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/introspect.dtd">
<node>
  <interface name="org.kde.StatusNotifierWatcher">
    <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
    <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
    <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
    <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
    <property name="ProtocolVersion" type="i" access="read"/>
    <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
    <signal name="StatusNotifierItemUnregistered"><arg type="s"/></signal>
    <signal name="StatusNotifierHostRegistered"/>
    <signal name="StatusNotifierHostUnregistered"/>
  </interface>
  <interface name="org.freedesktop.DBus.Properties">
    <method name="Get"><arg type="s" direction="in"/><arg type="s" direction="in"/>
      <arg type="v" direction="out"/></method>
    <method name="GetAll"><arg type="s" direction="in"/><arg type="a{sv}" direction="out"/></method>
  </interface>
  <interface name="org.freedesktop.DBus.Introspectable">
    <method name="Introspect"><arg type="s" direction="out"/></method>
  </interface>
</node>
"""


def plain(value):
    """A D-Bus value as plain Python data for JSON (byte arrays become their length)."""
    if isinstance(value, dbus.Array) and value.signature == "y":
        return len(value)
    if isinstance(value, (dbus.Array, dbus.Struct, list, tuple)):
        return [plain(v) for v in value]
    if isinstance(value, dbus.Dictionary):
        return {str(k): plain(v) for k, v in value.items()}
    if isinstance(value, dbus.Boolean):
        return bool(value)
    if isinstance(value, (dbus.String, dbus.ObjectPath, dbus.Signature)):
        return str(value)
    if isinstance(value, (dbus.Byte, dbus.Int16, dbus.Int32, dbus.Int64, dbus.UInt16, dbus.UInt32, dbus.UInt64)):
        return int(value)
    return value


def menu_entries(layout):
    """The direct children of a GetLayout answer: id, label, type, enabled, visible."""
    entries = []
    for child in layout[2]:
        number, props = int(child[0]), child[1]
        entries.append(
            {
                "id": number,
                "label": str(props.get("label", "")),
                "type": str(props.get("type", "standard")),
                "enabled": bool(props.get("enabled", True)),
                "visible": bool(props.get("visible", True)),
            }
        )
    return entries


class Watcher(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, WATCHER_PATH)
        self.bus = bus
        self.items = []  # "service/path" strings, in the order of registration
        self.owners = {}  # item -> the unique name that owned its service when it came
        bus.add_signal_receiver(
            self.owner_changed, "NameOwnerChanged", "org.freedesktop.DBus", "org.freedesktop.DBus"
        )

    def owner_changed(self, name, old, new):
        if new:
            return
        for item in [i for i in self.items if self.owners.get(i) in (name, old)]:
            self.items.remove(item)
            self.owners.pop(item, None)
            self.StatusNotifierItemUnregistered(item)

    def clear(self):
        self.items = []
        self.owners = {}

    @dbus.service.method(INTROSPECTABLE, in_signature="", out_signature="s")
    def Introspect(self):
        return WATCHER_XML

    @dbus.service.method(WATCHER, in_signature="s", out_signature="", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service, sender=None):
        # A path names an object of the caller; anything else is a bus name with the usual path.
        if service.startswith("/"):
            bus_name, path = sender, service
        else:
            bus_name, path = service, ITEM_PATH
        if not self.bus.name_has_owner(bus_name):
            raise dbus.exceptions.DBusException("no such service " + bus_name, name=INVALID_ARGS)
        owner = bus_name if bus_name.startswith(":") else self.bus.get_name_owner(bus_name)
        item = bus_name + path
        if item in self.items:
            return
        self.items.append(item)
        self.owners[item] = owner
        self.StatusNotifierItemRegistered(item)

    @dbus.service.method(WATCHER, in_signature="s", out_signature="")
    def RegisterStatusNotifierHost(self, service):
        self.StatusNotifierHostRegistered()

    @dbus.service.method(PROPERTIES, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        props = self.GetAll(interface)
        if name not in props:
            raise dbus.exceptions.DBusException("no property " + name, name=INVALID_ARGS)
        return props[name]

    @dbus.service.method(PROPERTIES, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        if interface not in (WATCHER, ""):
            raise dbus.exceptions.DBusException("no interface " + interface, name=INVALID_ARGS)
        return {
            "RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s"),
            "IsStatusNotifierHostRegistered": dbus.Boolean(True),
            "ProtocolVersion": dbus.Int32(0),
        }

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemRegistered(self, item):
        pass

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemUnregistered(self, item):
        pass

    @dbus.service.signal(WATCHER, signature="")
    def StatusNotifierHostRegistered(self):
        pass

    @dbus.service.signal(WATCHER, signature="")
    def StatusNotifierHostUnregistered(self):
        pass


class Control(dbus.service.Object):
    """The host's side, on request: reads the first item and clicks it or its menu."""

    def __init__(self, bus, watcher):
        super().__init__(bus, "/control")
        self.bus = bus
        self.watcher = watcher

    def first_item(self):
        if not self.watcher.items:
            raise dbus.exceptions.DBusException("no item is registered", name=FAILED)
        service, _, path = self.watcher.items[0].partition("/")
        return self.bus.get_object(service, "/" + path, introspect=False)

    def read_menu(self, item, path, done, error):
        menu = self.bus.get_object(item.bus_name, path, introspect=False)
        menu.GetLayout(
            0, -1, dbus.Array([], signature="s"), dbus_interface=MENU, timeout=TIMEOUT,
            reply_handler=lambda revision, layout: done(menu, menu_entries(layout)), error_handler=error,
        )

    @dbus.service.method(CONTROL, in_signature="", out_signature="as")
    def Items(self):
        return dbus.Array(self.watcher.items, signature="s")

    @dbus.service.method(CONTROL, in_signature="", out_signature="s", async_callbacks=("reply", "error"))
    def Describe(self, reply, error):
        item = self.first_item()

        def got_properties(props):
            described = {k: plain(v) for k, v in props.items()}
            path = str(props.get("Menu", "/"))
            if path in ("/", "/NO_DBUSMENU"):
                described["MenuItems"] = []
                reply(json.dumps(described))
                return

            def got_menu(menu, entries):
                described["MenuItems"] = entries
                reply(json.dumps(described))

            self.read_menu(item, path, got_menu, error)

        item.GetAll(ITEM, dbus_interface=PROPERTIES, timeout=TIMEOUT, reply_handler=got_properties,
                    error_handler=error)

    @dbus.service.method(CONTROL, in_signature="ii", out_signature="", async_callbacks=("reply", "error"))
    def Activate(self, x, y, reply, error):
        self.first_item().Activate(x, y, dbus_interface=ITEM, timeout=TIMEOUT, reply_handler=reply,
                                   error_handler=error)

    @dbus.service.method(CONTROL, in_signature="s", out_signature="", async_callbacks=("reply", "error"))
    def ClickMenuItem(self, label, reply, error):
        item = self.first_item()

        def got_path(path):
            self.read_menu(item, str(path), click, error)

        def click(menu, entries):
            # The label as shown, without the mnemonic marks ("_" before a letter).
            found = [e for e in entries if e["label"].replace("_", "") == label]
            if not found:
                error(dbus.exceptions.DBusException("no menu item " + label, name=FAILED))
                return
            # A host announces the menu before it shows it, then reports the click.
            menu.AboutToShow(0, dbus_interface=MENU, timeout=TIMEOUT, reply_handler=lambda _: None,
                             error_handler=lambda _: None)
            menu.Event(found[0]["id"], "clicked", dbus.String("", variant_level=1), dbus.UInt32(int(time.time())),
                       dbus_interface=MENU, timeout=TIMEOUT, reply_handler=reply, error_handler=error)

        item.Get(ITEM, "Menu", dbus_interface=PROPERTIES, timeout=TIMEOUT, reply_handler=got_path,
                 error_handler=error)

    @dbus.service.method(CONTROL, in_signature="", out_signature="")
    def Withdraw(self):
        self.bus.release_name(WATCHER)
        self.watcher.clear()

    @dbus.service.method(CONTROL, in_signature="", out_signature="")
    def Restore(self):
        self.bus.request_name(WATCHER, dbus.bus.NAME_FLAG_DO_NOT_QUEUE)


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    watcher = Watcher(bus)
    control = Control(bus, watcher)
    bus.request_name(HOST, dbus.bus.NAME_FLAG_DO_NOT_QUEUE)
    control.Restore()
    bus.request_name(CONTROL, dbus.bus.NAME_FLAG_DO_NOT_QUEUE)
    with open(sys.argv[1], "w") as ready:
        ready.write("ready\n")
    loop = GLib.MainLoop()
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, 15, loop.quit)
    loop.run()


if __name__ == "__main__":
    main()
