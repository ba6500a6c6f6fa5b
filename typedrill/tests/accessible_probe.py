#!/usr/bin/python3
# Reads the running typedrill window through the accessibility bus, as a screen
# reader would. For each line read from standard input it prints one
# "name=value" line per fact and then a line holding a single ".":
#   lesson=<the lesson box's text>   caret=<its caret offset>
#   marks=<per lesson character, from its colour attributes, the first 40:
#          Y yellow, . black, ? anything else>
#   word0=<the lesson box's word at offset 0>,<its start>,<its end>, asked as a
#          screen reader moving by word asks it
#   input=<the input box's text>     incaret=<its caret offset>
#   typed=, errors=<the counters' texts>
# Nothing but the "." while the window is not (yet) on the bus.
import sys

import pyatspi


def walk(node, depth=0):
    yield node
    if depth > 12:
        return
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, depth + 1)


class Window:
    def __init__(self):
        app = next((a for a in pyatspi.Registry.getDesktop(0) if a is not None and a.name == "typedrill"), None)
        if app is None:
            raise LookupError("typedrill is not on the bus")
        nodes = list(walk(app))
        named = {n.name: n for n in nodes if n.name}
        self.box, self.entry = named["课文"], named["练习输入"]
        labels = [n for n in nodes if n.getRole() == pyatspi.ROLE_LABEL]
        # Each value label follows its heading.
        self.values = {labels[i].name: labels[i + 1] for i in range(len(labels) - 1)}
        self.typed, self.errors = self.values["总共输入："], self.values["错："]

    def facts(self):
        text = self.box.queryText()
        lesson = text.getText(0, -1)
        marks, offset = "", 0
        while offset < min(len(lesson), 40):
            attrs, start, end = text.getAttributeRun(offset, False)
            colour = dict(a.split(":", 1) for a in attrs).get("fg-color", "").replace(" ", "")
            step = max(end, offset + 1) - offset
            marks += {"255,255,0": "Y", "0,0,0": "."}.get(colour, "?") * step
            offset += step
        yield "lesson=" + lesson
        yield "caret=%d" % text.caretOffset
        yield "word0=%s,%d,%d" % tuple(text.getTextAtOffset(0, pyatspi.TEXT_BOUNDARY_WORD_START))
        yield "marks=" + marks[:40]
        entry = self.entry.queryText()
        yield "input=" + entry.getText(0, -1)
        yield "incaret=%d" % entry.caretOffset
        yield "typed=" + self.typed.name
        yield "errors=" + self.errors.name


def main():
    window = None
    for _ in sys.stdin:
        try:
            window = window or Window()
            print("\n".join(window.facts()))
        except Exception as e:  # not on the bus yet, or the window changed
            window = None
            print("probe: %s" % e, file=sys.stderr)
        print(".", flush=True)


if __name__ == "__main__":
    main()
