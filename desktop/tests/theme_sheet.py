#!/usr/bin/python3
"""Shows every icon name of the suite's theme at each size in a GTK window, as a
desktop program would draw them, for a screenshot. Usage: theme_sheet.py THEME NAME..."""
import sys

import gi

gi.require_version("Gtk", "3.0")
from gi.repository import GLib, Gtk  # noqa: E402


def main():
    theme_name, names = sys.argv[1], sys.argv[2:]
    theme = Gtk.IconTheme.new()
    theme.set_custom_theme(theme_name)
    grid = Gtk.Grid(column_spacing=6, row_spacing=2, margin=6)
    for row, name in enumerate(names):
        for col, side in enumerate((16, 22, 24, 32, 48)):
            pixbuf = theme.load_icon(name, side, Gtk.IconLookupFlags.FORCE_SIZE)
            grid.attach(Gtk.Image.new_from_pixbuf(pixbuf), col, row, 1, 1)
        grid.attach(Gtk.Label(label=name, xalign=0), 5, row, 1, 1)
    window = Gtk.Window(title="theme sheet")
    window.add(grid)
    window.connect("destroy", Gtk.main_quit)
    window.show_all()
    GLib.timeout_add_seconds(60, Gtk.main_quit)
    Gtk.main()


if __name__ == "__main__":
    main()
