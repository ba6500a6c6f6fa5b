#!/usr/bin/python3
"""Finds an icon's picture in a screenshot: a place where every opaque pixel of the
icon is on screen within a small tolerance (the others are blended with whatever is
behind them). Prints "X Y" of the first place, or exits 1.
Usage: screen_find.py SHOT.png ICON.png [LEFT TOP WIDTH HEIGHT]"""
import sys

import gi

gi.require_version("GdkPixbuf", "2.0")
from gi.repository import GdkPixbuf  # noqa: E402

TOLERANCE = 8  # per channel, of 255: the screen may be drawn through a slightly different path


def rgba(pixbuf):
    if not pixbuf.get_has_alpha():
        pixbuf = pixbuf.add_alpha(False, 0, 0, 0)
    return pixbuf.get_pixels(), pixbuf.get_rowstride(), pixbuf.get_width(), pixbuf.get_height()


def main():
    shot, stride, width, height = rgba(GdkPixbuf.Pixbuf.new_from_file(sys.argv[1]))
    icon, istride, iw, ih = rgba(GdkPixbuf.Pixbuf.new_from_file(sys.argv[2]))
    left, top, w, h = (int(v) for v in sys.argv[3:7]) if len(sys.argv) >= 7 else (0, 0, width, height)
    opaque = [(x, y, icon[y * istride + x * 4:y * istride + x * 4 + 3])
              for y in range(ih) for x in range(iw) if icon[y * istride + x * 4 + 3] == 255]
    if len(opaque) < iw * ih // 4:
        print(f"screen_find: {sys.argv[2]} has too few opaque pixels to look for", file=sys.stderr)
        return 2
    for oy in range(top, min(top + h, height) - ih + 1):
        for ox in range(left, min(left + w, width) - iw + 1):
            for x, y, want in opaque:
                at = (oy + y) * stride + (ox + x) * 4
                if any(abs(shot[at + c] - want[c]) > TOLERANCE for c in range(3)):
                    break
            else:
                print(ox, oy)
                return 0
    return 1


if __name__ == "__main__":
    sys.exit(main())
