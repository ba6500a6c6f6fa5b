# A launcher under mutter: a GTK window that takes the focus, is clicked through
# mutter's own remote-desktop input, and asks the compositor for an activation token
# for that click, as a desktop launcher does before starting a program.
# Usage: focused_launcher.py <token file>  (the token is written there, then it waits)
import os
import sys

import gi
gi.require_version('Gtk', '3.0')
gi.require_version('Gdk', '3.0')
from gi.repository import Gdk, Gio, GLib, Gtk

out = sys.argv[1]
bus = Gio.bus_get_sync(Gio.BusType.SESSION)
SESSION = 'org.gnome.Mutter.RemoteDesktop.Session'
BTN_LEFT = 0x110  # linux/input-event-codes.h


def call(path, iface, method, args=None, reply=None):
    return bus.call_sync('org.gnome.Mutter.RemoteDesktop', path, iface, method, args,
                         GLib.VariantType(reply) if reply else None, 0, 5000, None)


(session,) = call('/org/gnome/Mutter/RemoteDesktop', 'org.gnome.Mutter.RemoteDesktop',
                  'CreateSession', None, '(o)').unpack()
call(session, SESSION, 'Start')
done = {}


def click():
    call(session, SESSION, 'NotifyPointerMotionRelative', GLib.Variant('(dd)', (1.0, 1.0)))
    call(session, SESSION, 'NotifyPointerButton', GLib.Variant('(ib)', (BTN_LEFT, True)))
    call(session, SESSION, 'NotifyPointerButton', GLib.Variant('(ib)', (BTN_LEFT, False)))
    return False


def focused(_window, _event):
    # The compositor only honours a token asked for with the focused surface's input.
    if 'clicked' not in done:
        done['clicked'] = True
        GLib.timeout_add(200, click)
    return False


def pressed(_window, _event):
    if 'token' in done:
        return False
    context = Gdk.Display.get_default().get_app_launch_context()
    info = Gio.AppInfo.create_from_commandline('true', 'launched', 0)
    done['token'] = context.get_startup_notify_id(info, []) or ''
    with open(out + '.part', 'w') as f:
        f.write(done['token'] + '\n')
    os.rename(out + '.part', out)
    return False


window = Gtk.Window(title='launcher')
window.set_default_size(640, 480)
window.maximize()
window.add_events(Gdk.EventMask.BUTTON_PRESS_MASK)
window.connect('focus-in-event', focused)
window.connect('button-press-event', pressed)
window.show_all()
GLib.timeout_add_seconds(30, Gtk.main_quit)
Gtk.main()
