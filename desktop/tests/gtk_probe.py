#!/usr/bin/python3
"""Asks GTK's icon theme for a name at 32x32 in a custom theme and compares the
picture with an expected PNG. Usage: gtk_probe.py THEME NAME EXPECTED.png"""
import sys

import gi

gi.require_version("Gtk", "3.0")
gi.require_version("GdkPixbuf", "2.0")
from gi.repository import GdkPixbuf, Gtk  # noqa: E402


def pixels(pixbuf):
    """RGBA rows without the padding each row may carry."""
    if not pixbuf.get_has_alpha():
        pixbuf = pixbuf.add_alpha(False, 0, 0, 0)
    data, stride = pixbuf.get_pixels(), pixbuf.get_rowstride()
    width = pixbuf.get_width() * 4
    return b"".join(data[y * stride:y * stride + width] for y in range(pixbuf.get_height()))


def main():
    theme_name, name, expected_file = sys.argv[1:4]
    theme = Gtk.IconTheme.new()
    theme.set_custom_theme(theme_name)
    info = theme.lookup_icon(name, 32, Gtk.IconLookupFlags.FORCE_SIZE)
    if info is None:
        print(f"GTK finds no {name} in theme {theme_name}", file=sys.stderr)
        return 1
    got = info.load_icon()
    want = GdkPixbuf.Pixbuf.new_from_file(expected_file)
    if (got.get_width(), got.get_height()) != (32, 32) or pixels(got) != pixels(want):
        print(f"GTK's {name} in theme {theme_name} ({info.get_filename()}) differs from {expected_file}",
              file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
