#!/usr/bin/python3
"""A stand-in for the desktop portal's global shortcuts, for the hot-key tests.

It owns org.freedesktop.portal.Desktop on the bus it is started on and answers CreateSession,
BindShortcuts and ListShortcuts the way xdg-desktop-portal 1.16 with its KDE backend does: each call
returns the path of a Request object that later emits Response; the shortcuts option of
CreateSession binds them (KDE before 6.1); a BindShortcuts on a session that holds shortcuts
answers 0 with them and changes nothing; a call on a closed session is refused with AccessDenied;
triggers are described in Qt's spelling ("ScrollLock"); Activated is followed by Deactivated.

The tests steer it through io.github.tallyman.PortalMock at /control: how BindShortcuts answers,
emitting Activated, ending a session, leaving the bus, freezing, and a log of
the calls it received.

Usage: portal_mock.py READY_FILE   (the file is written once both names are owned)
"""
import sys
import time

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

PORTAL_NAME = "org.freedesktop.portal.Desktop"
PORTAL_PATH = "/org/freedesktop/portal/desktop"
SHORTCUTS = "org.freedesktop.portal.GlobalShortcuts"
REQUEST = "org.freedesktop.portal.Request"
SESSION = "org.freedesktop.portal.Session"
PROPERTIES = "org.freedesktop.DBus.Properties"
CONTROL_NAME = "io.github.tallyman.PortalMock"
CONTROL = "io.github.tallyman.PortalMock"
FAILED = "org.freedesktop.portal.Error.Failed"
ACCESS_DENIED = "org.freedesktop.DBus.Error.AccessDenied"
# How KDE describes the triggers it was given as key names.
QT_SPELLING = {"scroll_lock": "ScrollLock", "num_lock": "NumLock", "pause": "Pause", "print": "Print"}


def sender_part(sender):
    return sender.lstrip(":").replace(".", "_")


def described_trigger(trigger):
    return QT_SPELLING.get(trigger.lower(), trigger)


def shortcut_list(entries):
    """entries: (id, {key: text}) pairs as a(sa{sv})."""
    return dbus.Array(
        [dbus.Struct((i, dbus.Dictionary(props, signature="sv"))) for i, props in entries],
        signature="(sa{sv})",
    )


class Request(dbus.service.Object):
    """One call's Request object: answers once, after the call returned, then goes away."""

    def __init__(self, portal, path, response, results):
        super().__init__(portal.bus, path)
        self.portal = portal
        self.answered = False
        GLib.timeout_add(portal.answer_delay_ms, self.answer, response, results)

    def answer(self, response, results):
        if not self.answered:
            self.answered = True
            self.Response(dbus.UInt32(response), dbus.Dictionary(results, signature="sv"))
            self.remove_from_connection()
        return False

    @dbus.service.signal(REQUEST, signature="ua{sv}")
    def Response(self, response, results):
        pass

    @dbus.service.method(REQUEST, in_signature="", out_signature="")
    def Close(self):
        self.portal.log.append("CloseRequest")
        self.answered = True
        self.remove_from_connection()


class Session(dbus.service.Object):
    def __init__(self, portal, path, number):
        super().__init__(portal.bus, path)
        self.portal = portal
        self.path = path
        self.number = number
        self.bound = None  # the shortcuts once bound: [(id, description, trigger)]
        self.open = True

    @dbus.service.signal(SESSION, signature="a{sv}")
    def Closed(self, details):
        pass

    @dbus.service.method(SESSION, in_signature="", out_signature="")
    def Close(self):
        self.portal.log.append("CloseSession %d" % self.number)
        self.end()

    def end(self):
        self.open = False
        self.remove_from_connection()


class Portal(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, PORTAL_PATH)
        self.bus = bus
        self.sessions = []
        self.reset()

    def reset(self):
        for session in self.sessions:
            if session.open:
                session.end()
        self.sessions = []
        self.log = []
        self.offer_shortcuts = True
        self.bind_trigger = ""  # "" answers with the preferred trigger
        self.bind_response = 0
        self.trigger_in_bind = True
        self.decline = False
        self.create_binds = True  # the shortcuts option of CreateSession binds
        self.bind_ignored = False  # BindShortcuts answers 0 with no shortcuts and binds nothing
        self.answer_delay_ms = 0  # how long the user takes to answer

    def session(self, path):
        for session in self.sessions:
            if session.path == path and session.open:
                return session
        raise dbus.exceptions.DBusException("no such session " + path, name=ACCESS_DENIED)

    def request_path(self, sender, options):
        token = str(options.get("handle_token", "t%d" % len(self.log)))
        return "%s/request/%s/%s" % (PORTAL_PATH, sender_part(sender), token)

    def described(self, session):
        return [(i, {"description": d, "trigger_description": t}) for i, d, t in session.bound or []]

    def answer_entries(self, session):
        entries = self.described(session)
        if not self.trigger_in_bind:
            entries = [(i, {"description": props["description"]}) for i, props in entries]
        return shortcut_list(entries)

    def bind(self, session, call, shortcuts):
        """Binds the wanted shortcuts to session, logging them as bound by `call`."""
        wanted = [(str(i), str(p.get("description", "")), str(p.get("preferred_trigger", ""))) for i, p in shortcuts]
        for i, description, preferred in wanted:
            self.log.append("%s %d %s [%s] %s" % (call, session.number, i, description, preferred))
        trigger = lambda preferred: self.bind_trigger or described_trigger(preferred)
        session.bound = [] if self.decline else [(i, d, trigger(p)) for i, d, p in wanted]

    @dbus.service.method(PROPERTIES, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        if interface != SHORTCUTS or not self.offer_shortcuts or name != "version":
            raise dbus.exceptions.DBusException(
                "No such interface or property", name="org.freedesktop.DBus.Error.InvalidArgs"
            )
        return dbus.UInt32(1, variant_level=1)

    @dbus.service.method(SHORTCUTS, in_signature="a{sv}", out_signature="o", sender_keyword="sender")
    def CreateSession(self, options, sender=None):
        number = len(self.sessions) + 1
        token = str(options.get("session_handle_token", "s%d" % number))
        path = "%s/session/%s/%s" % (PORTAL_PATH, sender_part(sender), token)
        session = Session(self, path, number)
        self.sessions.append(session)
        self.log.append("CreateSession %d %s" % (number, token))
        if self.create_binds and "shortcuts" in options:
            self.bind(session, "CreateSession", options["shortcuts"])
        handle = self.request_path(sender, options)
        # The session handle travels as a string, as in xdg-desktop-portal.
        results = {"session_handle": dbus.String(path), "shortcuts": self.answer_entries(session)}
        Request(self, handle, 0, results)
        return dbus.ObjectPath(handle)

    @dbus.service.method(
        SHORTCUTS, in_signature="oa(sa{sv})sa{sv}", out_signature="o", sender_keyword="sender"
    )
    def BindShortcuts(self, session_handle, shortcuts, parent_window, options, sender=None):
        session = self.session(session_handle)
        if session.bound is None and not self.bind_ignored:
            self.bind(session, "BindShortcuts", shortcuts)
        else:
            self.log.append("BindShortcuts %d ignored" % session.number)
        results = {}
        if self.bind_response == 0:
            results["shortcuts"] = shortcut_list([]) if self.bind_ignored else self.answer_entries(session)
        handle = self.request_path(sender, options)
        Request(self, handle, self.bind_response, results)
        return dbus.ObjectPath(handle)

    @dbus.service.method(SHORTCUTS, in_signature="oa{sv}", out_signature="o", sender_keyword="sender")
    def ListShortcuts(self, session_handle, options, sender=None):
        session = self.session(session_handle)
        self.log.append("ListShortcuts %d" % session.number)
        handle = self.request_path(sender, options)
        Request(self, handle, 0, {"shortcuts": shortcut_list(self.described(session))})
        return dbus.ObjectPath(handle)

    @dbus.service.signal(SHORTCUTS, signature="osta{sv}")
    def Activated(self, session_handle, shortcut_id, timestamp, options):
        pass

    @dbus.service.signal(SHORTCUTS, signature="osta{sv}")
    def Deactivated(self, session_handle, shortcut_id, timestamp, options):
        pass


class Control(dbus.service.Object):
    def __init__(self, bus, portal):
        super().__init__(bus, "/control")
        self.bus = bus
        self.portal = portal

    def pick(self, number):
        """Session `number` (1 is the first), or the latest one for 0."""
        sessions = self.portal.sessions
        if not sessions or number > len(sessions):
            raise dbus.exceptions.DBusException("no session %d" % number, name=FAILED)
        return sessions[number - 1] if number else sessions[-1]

    @dbus.service.method(CONTROL, in_signature="", out_signature="")
    def Reset(self):
        self.portal.reset()
        self.Restore()

    @dbus.service.method(CONTROL, in_signature="sub", out_signature="")
    def SetBindAnswer(self, trigger, response, trigger_in_bind):
        """trigger: "" for the preferred one; response: 0 success, 1 cancelled, 2 other."""
        self.portal.bind_trigger = trigger
        self.portal.bind_response = response
        self.portal.trigger_in_bind = trigger_in_bind

    @dbus.service.method(CONTROL, in_signature="b", out_signature="")
    def SetDecline(self, decline):
        """The user accepts the dialog but binds none of the shortcuts."""
        self.portal.decline = decline

    @dbus.service.method(CONTROL, in_signature="bb", out_signature="")
    def SetBindingCalls(self, create_binds, bind_ignored):
        """Which calls bind: CreateSession's shortcuts option (KDE before 6.1), BindShortcuts (unless
        ignored: it then answers 0 with no shortcuts, as KDE 5.27 does)."""
        self.portal.create_binds = create_binds
        self.portal.bind_ignored = bind_ignored

    @dbus.service.method(CONTROL, in_signature="u", out_signature="")
    def SetAnswerDelay(self, milliseconds):
        """Requests answer this long after their call, as when a dialog waits for the user."""
        self.portal.answer_delay_ms = milliseconds

    @dbus.service.method(CONTROL, in_signature="b", out_signature="")
    def SetOffered(self, offered):
        """Whether the portal has the GlobalShortcuts interface at all."""
        self.portal.offer_shortcuts = offered

    @dbus.service.method(CONTROL, in_signature="", out_signature="")
    def Withdraw(self):
        self.bus.release_name(PORTAL_NAME)

    @dbus.service.method(CONTROL, in_signature="", out_signature="")
    def Restore(self):
        self.bus.request_name(PORTAL_NAME, dbus.bus.NAME_FLAG_DO_NOT_QUEUE)

    @dbus.service.method(CONTROL, in_signature="d", out_signature="")
    def Freeze(self, seconds):
        """Stops answering anything for a while, as a hung portal would."""
        time.sleep(seconds)

    @dbus.service.method(CONTROL, in_signature="us", out_signature="")
    def EmitActivated(self, number, shortcut_id):
        session = self.pick(number)
        millis = dbus.UInt64(int(time.monotonic() * 1000))
        no_options = dbus.Dictionary({}, signature="sv")
        self.portal.Activated(dbus.ObjectPath(session.path), shortcut_id, millis, no_options)
        # The key's release, which KDE reports a few milliseconds later.
        self.portal.Deactivated(dbus.ObjectPath(session.path), shortcut_id, millis, no_options)

    @dbus.service.method(CONTROL, in_signature="u", out_signature="")
    def EndSession(self, number):
        """The portal ends session `number` by itself."""
        session = self.pick(number)
        if session.open:
            session.Closed(dbus.Dictionary({}, signature="sv"))
            session.end()

    @dbus.service.method(CONTROL, in_signature="", out_signature="as")
    def Log(self):
        return dbus.Array(self.portal.log, signature="s")


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    portal = Portal(bus)
    control = Control(bus, portal)
    control.Restore()
    bus.request_name(CONTROL_NAME, dbus.bus.NAME_FLAG_DO_NOT_QUEUE)
    with open(sys.argv[1], "w") as ready:
        ready.write("ready\n")
    loop = GLib.MainLoop()
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, 15, loop.quit)
    loop.run()


if __name__ == "__main__":
    main()
