#!/usr/bin/python3
"""Takes dconf's name on the session bus and never answers a write, as a settings
service that hangs. Prints "ready" once it owns the name."""
import sys

import gi

gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib  # noqa: E402

WRITER = """<node><interface name="ca.desrt.dconf.Writer">
  <method name="Change"><arg type="ay" direction="in"/><arg type="s" direction="out"/></method>
  <method name="Init"/>
</interface></node>"""

held = []  # the calls left unanswered


def main():
    bus = Gio.bus_get_sync(Gio.BusType.SESSION)
    info = Gio.DBusNodeInfo.new_for_xml(WRITER).interfaces[0]
    bus.register_object("/ca/desrt/dconf/Writer/user", info, lambda *call: held.append(call[-1]))
    loop = GLib.MainLoop()
    Gio.bus_own_name_on_connection(bus, "ca.desrt.dconf", Gio.BusNameOwnerFlags.NONE,
                                   lambda *_: print("ready", flush=True), lambda *_: loop.quit())
    loop.run()
    return 1


if __name__ == "__main__":
    sys.exit(main())
