#!/usr/bin/env python3
"""The dialog templates against our layout and accessibility rules, in English and in every
language of siblings/locale/catalogues; the exit status is 1 when a rule is broken.

    python3 tests/checks/check_dialogs.py

Each input directly follows its label (screen readers name a control by the text before it), an
up-down its buddy edit; ids and visible mnemonics are unique; visible buttons and inputs are tab
stops, and each run of radio buttons is a group of its own; controls keep inside the dialog and
its 7-unit margin and overlap only their group box; push buttons are 50 x 14 or wider, labels 8
high per line. Whether texts fit is measured in the real font, under Wine, at 96 and 144 dots per
inch (tests/wine/access/screen_test.cpp). A catalogue holds no line the locale library refuses and translates every text, keeping the
English text's mnemonic or its lack of one; translated dialogs keep the rules with no clash.
"""

import copy
import re
import sys

from product import CATALOGUES, Problems, dialogs, read_catalogue, report, strings

WS_GROUP, WS_TABSTOP, BS_MULTILINE, SS_NOPREFIX = 0x20000, 0x10000, 0x2000, 0x80
INPUTS = {"EDIT", "COMBOBOX", "LISTBOX", "MSCTLS_TRACKBAR32", "SYSIPADDRESS32"}
# English clashes of the Advanced media and forms dialog's fixed texts: "&Add ...",
# "&Add Custom Form ..." and "&Apply"; "&Edit ..." and "&English".
ACCEPTED_CLASHES = {113: "ae"}
SHARED_PLACES = {(106, 1069, 1070)}  # the main page shows one of these pictures at a time
PAGE_TITLES = (1, 2, 3, 198)


def mnemonic(c):
    if not isinstance(c.text, str) or c.cls == "STATIC" and c.style & SS_NOPREFIX:
        return None
    match = re.search(r"&([^&])", c.text.replace("&&", ""))
    return match and match[1].lower()


def inside(inner, outer):
    (ix0, iy0, ix1, iy1), (ox0, oy0, ox1, oy1) = inner.rect(), outer.rect()
    return ox0 <= ix0 and oy0 <= iy0 and ix1 <= ox1 and iy1 <= oy1


def labels(label, c):
    if label.kind == "group":
        return inside(c, label)
    (lx0, ly0, lx1, ly1), (cx0, cy0, cx1, cy1) = label.rect(), c.rect()
    return label.kind == "label" and (ly1 <= cy0 + 2 and lx0 <= cx1 or
                                      lx1 <= cx0 and ly0 < cy1 and cy0 < ly1)


def overlap(a, b):
    (ax0, ay0, ax1, ay1), (bx0, by0, bx1, by1) = a.rect(), b.rect()
    return ax0 < bx1 and bx0 < ax1 and ay0 < by1 and by0 < ay1


def dialog_problems(d, accepted=""):
    out, visible, letters = Problems(), [c for c in d.controls if c.visible], {}
    ids = [c.id for c in d.controls if c.id != -1]
    out += ["id %d is used twice" % i for i in sorted({i for i in ids if ids.count(i) > 1})]
    for c in visible:
        letters.setdefault(mnemonic(c), []).append(c.name())
        out(c.kind != "push" or c.cx >= 50 and (c.cy == 14 or c.style & BS_MULTILINE),
            "%s: push buttons are 14 high and at least 50 wide", c.name())
        out(c.kind != "label" or c.cy % 8 == 0, "%s is %d high; text labels are 8 per line",
            c.name(), c.cy)
    out += ["mnemonic '%s' is shared by %s" % (letter, ", ".join(owners))
            for letter, owners in letters.items() if letter and len(owners) > 1
            and letter not in accepted]
    out += ["the accepted clash of '%s' is gone" % letter for letter in accepted
            if len(letters.get(letter, [])) < 2]
    for before, c in zip([None] + d.controls, d.controls):
        if c.cls == "MSCTLS_UPDOWN32" and (before is None or before.cls != "EDIT"):
            out.append("%s does not follow its buddy edit" % c.name())
        elif c.cls in INPUTS and (before is None or not labels(before, c)):
            out.append("%s has no label directly before it, above it or to its left" % c.name())
        out(not c.visible or c.style & WS_TABSTOP or c.cls not in INPUTS and c.kind not in (
            "push", "check", "radio"), "%s is not a tab stop", c.name())
        out((c.kind == "radio") == (before is not None and before.kind == "radio") or c.style &
            WS_GROUP, "%s starts or ends a run of radio buttons without WS_GROUP", c.name())
        (x0, y0, x1, y1), margin = c.rect(), 7 if c.visible else 0
        out(min(x0, y0) >= margin and x1 <= d.cx - margin and y1 <= d.cy - margin, "%s lies "
            "outside the dialog (%d x %d) or, shown, in its 7-unit margin", c.name(), d.cx, d.cy)
    for i, a in enumerate(visible):
        out += ["%s overlaps %s" % (a.name(), b.name()) for b in visible[i + 1:]
                if overlap(a, b) and (d.id, a.id, b.id) not in SHARED_PLACES and not (
                    a.kind == "group" and inside(b, a) or b.kind == "group" and inside(a, b))]
    return out


def translated(d, texts, missing):
    """The dialog as the locale library's TranslateDialog leaves it: its caption and the texts of
    its buttons, group boxes and statics looked up."""

    def look_up(text):
        if not isinstance(text, str) or not any(ch.isalpha() for ch in text):
            return text
        if text not in texts:
            missing.add(text)
        return texts.get(text, text)

    copied = copy.copy(d)
    copied.caption, copied.controls = look_up(d.caption), [copy.copy(c) for c in d.controls]
    for c in copied.controls:
        c.text = look_up(c.text) if c.cls in ("BUTTON", "STATIC") else c.text
    return copied


def language_problems(path, english):
    sections, out = read_catalogue(path)
    texts, missing = sections.get("strings", {}), set()
    out += ["string %d %r has no translation" % (i, text) for i, text in sorted(strings().items())
            if any(ch.isalpha() for ch in text) and not texts.get(text)]
    out += ["no page title %r in [Caption]" % strings()[i] for i in PAGE_TITLES
            if strings()[i] not in sections.get("caption", {})]
    out += ["no value label %r in [Label] and [Strings]" % word
            for word in ("Contrast", "Brightness")
            if word not in sections.get("label", {}) or word not in texts]
    for d in english.values():
        t = translated(d, sections.get("dialog", {}), missing)
        out += ["dialog %d: %s" % (d.id, p) for p in dialog_problems(t)]
        out += ["dialog %d: %s has a mnemonic where its English text %r has none, or none where "
                "it has one" % (d.id, c.name(), e.text) for e, c in zip(d.controls, t.controls)
                if (mnemonic(e) is None) != (mnemonic(c) is None)]
    return out + ["%r has no translation in [Dialog]" % text for text in sorted(missing)]


def main():
    english = dialogs()
    if len(english) < 14 or not CATALOGUES:
        sys.exit("the dialogs or the catalogues were not found")
    status = report("%d dialogs in English" % len(english), [
        "dialog %d: %s" % (d.id, p) for d in english.values()
        for p in dialog_problems(d, ACCEPTED_CLASHES.get(d.id, ""))])
    for path in CATALOGUES:
        status |= report("the texts in %s" % path.name, language_problems(path, english))
    return status


if __name__ == "__main__":
    sys.exit(main())
