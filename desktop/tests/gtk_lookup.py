#!/usr/bin/python3
"""Answers icon lookups as a GTK 3 program makes them, one a line: reads lines of
"THEME NAME SIZE SCALE", prints "FILE WIDTH HEIGHT" of the picture GTK loads (not
forced to the size) or "-" when neither the theme nor its parents have the name.
Usage: gtk_lookup.py ICONS_FOLDER (searched before the usual places)"""
import sys

import gi

gi.require_version("Gtk", "3.0")
from gi.repository import Gtk  # noqa: E402


def main():
    themes = {}
    for line in sys.stdin:
        theme_name, name, size, scale = line.split()
        theme = themes.get(theme_name)
        if theme is None:
            theme = themes[theme_name] = Gtk.IconTheme.new()
            theme.prepend_search_path(sys.argv[1])
            theme.set_custom_theme(theme_name)
        info = theme.lookup_icon_for_scale(name, int(size), int(scale), 0)
        if info is None:
            print("-")
        else:
            pixbuf = info.load_icon()
            print(info.get_filename(), pixbuf.get_width(), pixbuf.get_height())
    return 0


if __name__ == "__main__":
    sys.exit(main())
