#!/usr/bin/python3
"""A GTK 3 program that sets no theme of its own: waits (up to LIMIT seconds) until
gtk-icon-theme-name, as the desktop's settings daemon publishes it, names THEME, then
prints the monotonic time it saw it and checks that each NAME resolves to a file of
that theme's folder. Prints "ready" once it has read the settings.
Usage: gtk_watch.py THEME FOLDER LIMIT NAME..."""
import sys
import time

import gi

gi.require_version("Gtk", "3.0")
from gi.repository import GLib, Gtk  # noqa: E402


def main():
    theme, folder, limit, names = sys.argv[1], sys.argv[2], float(sys.argv[3]), sys.argv[4:]
    settings = Gtk.Settings.get_default()
    result = {"code": 1}

    def check(*_):
        if settings.get_property("gtk-icon-theme-name") != theme:
            return
        seen = time.monotonic()
        icons = Gtk.IconTheme.get_default()
        missing = []
        for name in names:
            info = icons.lookup_icon(name, 32, 0)
            if info is None or not info.get_filename().startswith(folder + "/"):
                missing.append(f"{name} ({info.get_filename() if info else 'none'})")
        if missing:
            print("not from the theme: " + ", ".join(missing), file=sys.stderr)
        else:
            print(f"{seen:.3f}")
            result["code"] = 0
        Gtk.main_quit()

    settings.connect("notify::gtk-icon-theme-name", check)
    GLib.timeout_add(int(limit * 1000), Gtk.main_quit)
    print("ready " + str(settings.get_property("gtk-icon-theme-name")), flush=True)
    GLib.idle_add(check)
    Gtk.main()
    if result["code"]:
        print(f"gtk-icon-theme-name is {settings.get_property('gtk-icon-theme-name')}, not {theme}", file=sys.stderr)
    return result["code"]


if __name__ == "__main__":
    sys.exit(main())
