#!/usr/bin/python3
"""A GTK 3 program that picks no icon theme of its own: it follows gtk-icon-theme-name
as the session's settings daemon publishes it, and once that names THEME and
EXPECTED_FOLDER holds names.txt (one name a line, with NAME.png beside it), resolves
every name through its default icon theme at the picture's size and compares pixels. Prints "ready THEME_NOW" when it has read the settings, then
"seen THEME EPOCH_SECONDS" when the name arrives, "resolved N" when every name gives
its picture. Exit 1 (saying which names differ) after LIMIT seconds.
Usage: gtk_watch.py THEME EXPECTED_FOLDER LIMIT"""
import os
import sys
import time

import gi

gi.require_version("Gtk", "3.0")
gi.require_version("GdkPixbuf", "2.0")
from gi.repository import GdkPixbuf, GLib, Gtk  # noqa: E402

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from gtk_probe import pixels  # noqa: E402


def main():
    theme_name, folder, limit = sys.argv[1], sys.argv[2], float(sys.argv[3])
    settings = Gtk.Settings.get_default()
    icons = Gtk.IconTheme.get_default()
    state = {"seen": False, "wrong": ["(no names.txt)"], "status": 1}
    wanted = {}
    loop = GLib.MainLoop()

    def say(text):
        print(text, flush=True)

    def differing():
        wrong = []
        for name, want in wanted.items():
            info = icons.lookup_icon(name, want.get_width(), Gtk.IconLookupFlags.FORCE_SIZE)
            got = info.load_icon() if info else None
            if got is None or pixels(got) != pixels(want):
                wrong.append(f"{name} ({info.get_filename() if info else 'not found'})")
        return wrong

    def check():
        if not state["seen"] and settings.props.gtk_icon_theme_name == theme_name:
            state["seen"] = True
            say(f"seen {theme_name} {time.time():.3f}")
        listing = os.path.join(folder, "names.txt")
        if not wanted and os.path.exists(listing):
            with open(listing, encoding="utf-8") as names:
                for name in names.read().split():
                    wanted[name] = GdkPixbuf.Pixbuf.new_from_file(os.path.join(folder, name + ".png"))
        if state["seen"] and os.path.exists(listing):
            # The theme's folder may still be on its way: GTK looks at it again on change.
            state["wrong"] = differing()
            if not state["wrong"]:
                say(f"resolved {len(wanted)}")
                state["status"] = 0
                loop.quit()
        return True

    def give_up():
        if not state["seen"]:
            print(f"gtk_watch: the theme name stayed {settings.props.gtk_icon_theme_name!r}", file=sys.stderr)
        else:
            print("gtk_watch: these names differ: " + ", ".join(state["wrong"]), file=sys.stderr)
        loop.quit()

    settings.connect("notify::gtk-icon-theme-name", lambda *_: check())
    GLib.timeout_add(200, check)
    GLib.timeout_add(int(limit * 1000), give_up)
    say(f"ready {settings.props.gtk_icon_theme_name}")
    check()
    loop.run()
    return state["status"]


if __name__ == "__main__":
    sys.exit(main())
