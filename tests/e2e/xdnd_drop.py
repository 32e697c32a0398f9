#!/usr/bin/env python3
"""Drops a file onto a window as a file manager would, by the XDND protocol (version 5).

Usage: xdnd_drop.py WINDOW X Y PATH   (WINDOW: the target's top-level window id; X, Y: the point
on the root window where the drop lands). Exits 0 once the target has accepted and finished the
drop, 1 when it refused it or did not answer within 10 s. xdotool can move the pointer but cannot
be a drag source; this is one, with no window of its own shown.
"""
import ctypes
import ctypes.util
import select
import sys
import time
import urllib.parse

Atom = Window = Time = ctypes.c_ulong


class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", Window), ("message_type", Atom),
                ("format", ctypes.c_int), ("l", ctypes.c_long * 5)]


class SelectionRequest(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("owner", Window), ("requestor", Window),
                ("selection", Atom), ("target", Atom), ("property", Atom), ("time", Time)]


class SelectionNotify(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("requestor", Window), ("selection", Atom),
                ("target", Atom), ("property", Atom), ("time", Time)]


class Event(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("client", ClientMessage), ("request", SelectionRequest),
                ("notify", SelectionNotify), ("pad", ctypes.c_long * 24)]


CLIENT_MESSAGE, SELECTION_REQUEST, SELECTION_NOTIFY = 33, 30, 31

x = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11"))
x.XOpenDisplay.restype = ctypes.c_void_p
x.XOpenDisplay.argtypes = [ctypes.c_char_p]
x.XDefaultRootWindow.restype = Window
x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x.XCreateSimpleWindow.restype = Window
x.XCreateSimpleWindow.argtypes = [ctypes.c_void_p, Window] + [ctypes.c_int] * 2 + [ctypes.c_uint] * 3 + \
    [ctypes.c_ulong] * 2
x.XInternAtom.restype = Atom
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XSetSelectionOwner.argtypes = [ctypes.c_void_p, Atom, Window, Time]
x.XSendEvent.argtypes = [ctypes.c_void_p, Window, ctypes.c_int, ctypes.c_long, ctypes.POINTER(Event)]
x.XChangeProperty.argtypes = [ctypes.c_void_p, Window, Atom, Atom, ctypes.c_int, ctypes.c_int,
                              ctypes.c_char_p, ctypes.c_int]
x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(Event)]
x.XPending.argtypes = [ctypes.c_void_p]
x.XFlush.argtypes = [ctypes.c_void_p]
x.XConnectionNumber.argtypes = [ctypes.c_void_p]


def main():
    target, px, py, path = int(sys.argv[1], 0), int(sys.argv[2]), int(sys.argv[3]), sys.argv[4]
    uri = ("file://" + urllib.parse.quote(path) + "\r\n").encode()
    display = x.XOpenDisplay(None)
    if not display:
        sys.exit("cannot open the display")
    atom = lambda name: x.XInternAtom(display, name.encode(), 0)
    source = x.XCreateSimpleWindow(display, x.XDefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0)
    selection, uri_list, copy = atom("XdndSelection"), atom("text/uri-list"), atom("XdndActionCopy")
    x.XSetSelectionOwner(display, selection, source, 0)

    def send(name, *data):
        event = Event()
        event.client.type = CLIENT_MESSAGE
        event.client.window = target
        event.client.message_type = atom(name)
        event.client.format = 32
        for i, value in enumerate((source,) + data):
            event.client.l[i] = value
        x.XSendEvent(display, target, 0, 0, ctypes.byref(event))
        x.XFlush(display)

    def answer(request):
        if request.target == uri_list:
            x.XChangeProperty(display, request.requestor, request.property, uri_list, 8, 0, uri, len(uri))
            prop = request.property
        else:
            prop = 0  # refused: only the list of files is offered
        event = Event()
        event.notify.type = SELECTION_NOTIFY
        event.notify.requestor = request.requestor
        event.notify.selection = request.selection
        event.notify.target = request.target
        event.notify.property = prop
        event.notify.time = request.time
        x.XSendEvent(display, request.requestor, 0, 0, ctypes.byref(event))
        x.XFlush(display)

    send("XdndEnter", 5 << 24, uri_list, 0, 0)
    send("XdndPosition", 0, (px << 16) | py, 0, copy)
    dropped = False
    deadline = time.monotonic() + 10
    fd = x.XConnectionNumber(display)
    while time.monotonic() < deadline:
        if not x.XPending(display):
            select.select([fd], [], [], 0.1)
            continue
        event = Event()
        x.XNextEvent(display, ctypes.byref(event))
        if event.type == SELECTION_REQUEST:
            answer(event.request)
        elif event.type == CLIENT_MESSAGE:
            name = event.client.message_type
            if name == atom("XdndStatus") and not dropped:
                if not event.client.l[1] & 1:
                    send("XdndLeave", 0, 0, 0, 0)
                    sys.exit("the window refused the drop")
                dropped = True
                send("XdndDrop", 0, 0, 0, 0)
            elif name == atom("XdndFinished"):
                return 0
    sys.exit("the window did not finish the drop within 10 s")


if __name__ == "__main__":
    sys.exit(main())
