#!/usr/bin/env python3
"""Checks the plug-in's dialog templates against our layout and accessibility rules.

    python3 scripts/check_dialogs.py [qvembui.rc | qvembui.res | decompiled.rc] [catalogue.txt ...]

An .rc script is compiled with windres first; a .res is decompiled with windres; any other
file is read as windres's decompiled text. Without an argument src/resources/qvembui.rc is
checked. The templates are checked in English and in every language of the locale library's
catalogues (siblings/locale/catalogues/*.txt unless catalogues are named): each dialog with its
caption and control texts replaced by the catalogue's "Dialog" section. The exit status is 1
when a rule is broken.

The rules, per dialog (sizes in dialog units; "visible" means the template has WS_VISIBLE):
  - control ids are unique (IDC_STATIC excepted);
  - mnemonics of visible controls are unique;
  - every input (edit, combo box, list box, track bar, IP address) directly follows a label
    (static text or group box) placed above it or to its left, because screen readers name a
    control by the text before it; an up-down directly follows its buddy edit;
  - every visible interactive control has WS_TABSTOP; a run of radio buttons starts with
    WS_GROUP and the control after it has WS_GROUP again;
  - every control lies inside the dialog, visible ones 7 units from its edges;
  - visible controls do not overlap, except controls inside their group box;
  - texts fit their controls in MS Shell Dlg 8: about 4 units per character (5 for capitals,
    6 for the widest letters, 3 for f, r, t, blanks and brackets, 2 for the narrowest), plus 12 for the box of a check box or radio
    button, 6 for a push button's frame and 8 for a group box's inset; multi-line controls
    wrap;
  - push buttons are 14 high (unless multi-line) and at least 50 wide; text labels are 8 high
    per line.

In a translation, besides: every caption and control text with a letter in it has an entry, the
translated texts fit their controls, a text has a mnemonic exactly when its English text has
one, and mnemonics of visible controls are unique with no
exception (a clash kept in English for its fixed texts is not kept in another language). The
catalogue itself must parse without a refused line or a duplicated key.
"""

import pathlib
import re
import subprocess
import sys
import tempfile

WINDRES = "x86_64-w64-mingw32-windres"

WS_VISIBLE = 0x10000000
WS_DISABLED = 0x08000000
WS_GROUP = 0x00020000
WS_TABSTOP = 0x00010000
BS_MULTILINE = 0x2000
SS_TYPEMASK = 0x1F
SS_NOPREFIX = 0x80
COMBO_CLOSED_HEIGHT = 12
MARGIN = 7

# Buttons and statics by their style's type bits.
BUTTON_KINDS = {0: "push", 1: "push", 2: "check", 3: "check", 4: "radio", 5: "check", 6: "check",
                7: "group", 9: "radio", 11: "owner-drawn button"}
STATIC_TEXT_TYPES = {0, 1, 2, 11, 12}  # left, centred, right, simple, left without wrapping
CLASS_ORDINALS = {0x80: "BUTTON", 0x81: "EDIT", 0x82: "STATIC", 0x83: "LISTBOX",
                  0x84: "SCROLLBAR", 0x85: "COMBOBOX"}
STATEMENT_CLASSES = {
    "AUTOCHECKBOX": "BUTTON", "CHECKBOX": "BUTTON", "RADIOBUTTON": "BUTTON",
    "AUTORADIOBUTTON": "BUTTON", "PUSHBUTTON": "BUTTON", "DEFPUSHBUTTON": "BUTTON",
    "GROUPBOX": "BUTTON", "STATE3": "BUTTON", "AUTO3STATE": "BUTTON", "PUSHBOX": "BUTTON",
    "LTEXT": "STATIC", "CTEXT": "STATIC", "RTEXT": "STATIC", "ICON": "STATIC",
    "EDITTEXT": "EDIT", "COMBOBOX": "COMBOBOX", "LISTBOX": "LISTBOX", "SCROLLBAR": "SCROLLBAR",
}
INPUT_CLASSES = {"EDIT", "COMBOBOX", "LISTBOX", "MSCTLS_TRACKBAR32", "SYSIPADDRESS32"}

# Mnemonic clashes that come from the product's fixed control texts and are kept on purpose:
# dialog id -> letters. The Advanced media and forms dialog names "&Add ...",
# "&Add Custom Form ..." and "&Apply", and "&Edit ..." and "&English"; with duplicates the
# dialog manager moves the focus between the controls of one letter instead of pressing them.
ACCEPTED_MNEMONIC_CLASHES = {113: {"a", "e"}}
# Visible controls that share one place on purpose: the page shows one of them at a time.
SHARED_PLACES = {106: {frozenset((1069, 1070))}}


class Control:
    def __init__(self, statement, text, cid, cls, style, x, y, cx, cy):
        self.statement, self.text, self.id, self.cls = statement, text, cid, cls
        self.style, self.x, self.y, self.cx, self.cy = style, x, y, cx, cy
        self.visible = bool(style & WS_VISIBLE)

    @property
    def kind(self):
        if self.cls == "BUTTON":
            return BUTTON_KINDS.get(self.style & 0xF, "button")
        if self.cls == "STATIC":
            kind = self.style & SS_TYPEMASK
            if kind in STATIC_TEXT_TYPES:
                return "label"
            return {14: "bitmap", 13: "owner-drawn picture", 3: "icon"}.get(kind, "static")
        return self.cls.lower()

    @property
    def is_label(self):
        return self.kind in ("label", "group")

    @property
    def is_input(self):
        return self.cls in INPUT_CLASSES

    @property
    def is_interactive(self):
        return self.is_input or self.kind in ("push", "check", "radio")

    @property
    def height(self):
        """The height on screen: a drop-down combo box shows only its edit part."""
        return min(self.cy, COMBO_CLOSED_HEIGHT) if self.cls == "COMBOBOX" else self.cy

    def rect(self):
        return self.x, self.y, self.x + self.cx, self.y + self.height

    def name(self):
        shown = self.text if isinstance(self.text, str) and self.text else "#%s" % self.text
        return "%s %d %r" % (self.kind, self.id, shown) if shown != "#" else "%s %d" % (
            self.kind, self.id)


class Dialog:
    def __init__(self, did, cx, cy, caption):
        self.id, self.cx, self.cy, self.caption = did, cx, cy, caption
        self.controls = []


def split_fields(text):
    """Splits a statement's arguments at commas outside string literals."""
    fields, current, quoted, i = [], "", False, 0
    while i < len(text):
        ch = text[i]
        if ch == '"':
            if quoted and text[i + 1:i + 2] == '"':
                current += '""'
                i += 2
                continue
            quoted = not quoted
        if ch == "," and not quoted:
            fields.append(current.strip())
            current = ""
        else:
            current += ch
        i += 1
    fields.append(current.strip())
    return fields


def unquote(field):
    """A string literal's value (windres escapes), or the number an ordinal field holds."""
    if not field.startswith('"'):
        return int(field, 0)
    body = field[1:-1].replace('""', '"')
    escapes = {"n": "\n", "r": "\r", "t": "\t", "a": "\a", "\\": "\\", '"': '"'}
    return re.sub(r"\\(.)", lambda m: escapes.get(m.group(1), m.group(1)), body)


def parse_control(line):
    statement, _, rest = line.strip().partition(" ")
    f = split_fields(rest)
    if statement == "CONTROL":
        cls = unquote(f[2])
        cls = CLASS_ORDINALS.get(cls, str(cls)) if isinstance(cls, int) else cls.upper()
        text, cid, style = unquote(f[0]), int(f[1], 0), int(f[3], 0)
        x, y, cx, cy = (int(v, 0) for v in f[4:8])
    elif statement in ("EDITTEXT", "COMBOBOX", "LISTBOX", "SCROLLBAR"):
        text, cid = "", int(f[0], 0)
        x, y, cx, cy, style = (int(v, 0) for v in f[1:6])
        cls = STATEMENT_CLASSES[statement]
    else:
        text, cid = unquote(f[0]), int(f[1], 0)
        x, y, cx, cy, style = (int(v, 0) for v in f[2:7])
        cls = STATEMENT_CLASSES[statement]
    return Control(statement, text, cid, cls, style, x, y, cx, cy)


def parse_dialogs(decompiled):
    dialogs, dialog, inside = [], None, False
    for line in decompiled.splitlines():
        header = re.match(r"^(\d+) DIALOG(?:EX)?\b.*?(-?\d+), (-?\d+), (\d+), (\d+)\s*$", line)
        if header:
            dialog = Dialog(int(header.group(1)), int(header.group(4)), int(header.group(5)), "")
            dialogs.append(dialog)
            continue
        if dialog is None:
            continue
        if line.startswith("CAPTION "):
            dialog.caption = unquote(line[len("CAPTION "):].strip())
        elif line.strip() == "BEGIN":
            inside = True
        elif line.strip() == "END":
            inside, dialog = False, None
        elif inside and line.strip():
            dialog.controls.append(parse_control(line))
    return dialogs


def mnemonic(control):
    if not isinstance(control.text, str):
        return None
    if control.cls == "STATIC" and control.style & SS_NOPREFIX:
        return None
    match = re.search(r"&([^&])", control.text.replace("&&", ""))
    return match.group(1).lower() if match else None


NARROW = set("ijlI1.,:;'!|")
MEDIUM = set("frt()[] -/")
WIDE = set("mwMW%")


def text_width(text):
    """Estimated width in dialog units of a text in MS Shell Dlg 8: 4 per average character,
    5 per capital, 6 for the widest letters, 3 for f, r, t, blanks and brackets, and 2 for the
    narrowest (i, l, stops), which keeps the estimate on the safe side of the real font (Tahoma
    at 8 points draws t, r and blanks 4 pixels wide, about 2.7 units, which German texts have
    many of)."""
    shown = text.replace("&&", "\0").replace("&", "").replace("\0", "&")
    width = 0
    for ch in shown:
        if ch in NARROW:
            width += 2
        elif ch in MEDIUM:
            width += 3
        elif ch in WIDE:
            width += 6
        elif ch.isupper():
            width += 5
        else:
            width += 4
    return width


def text_problem(control):
    if not isinstance(control.text, str) or not control.text:
        return None
    kind = control.kind
    padding = {"check": 12, "radio": 12, "push": 6, "group": 8, "label": 0}.get(kind)
    if padding is None:
        return None
    wraps = (kind == "label" and control.style & SS_TYPEMASK != 12) or (
        control.cls == "BUTTON" and control.style & BS_MULTILINE)
    lines = max(1, control.cy // 8) if wraps and kind != "group" else 1
    pieces = control.text.split("\n")
    if len(pieces) > lines:
        return "%s holds %d lines of text but has room for %d" % (control.name(), len(pieces),
                                                                  lines)
    spare_lines = lines - len(pieces) + 1
    needed = max(-(-text_width(piece) // spare_lines) if wraps else text_width(piece)
                 for piece in pieces) + padding
    if needed > control.cx:
        return "%s is %d wide, its text needs about %d" % (control.name(), control.cx, needed)
    return None


def overlap(a, b):
    ax0, ay0, ax1, ay1 = a.rect()
    bx0, by0, bx1, by1 = b.rect()
    return ax0 < bx1 and bx0 < ax1 and ay0 < by1 and by0 < ay1


def inside(inner, outer):
    ix0, iy0, ix1, iy1 = inner.rect()
    ox0, oy0, ox1, oy1 = outer.rect()
    return ox0 <= ix0 and oy0 <= iy0 and ix1 <= ox1 and iy1 <= oy1


def label_placed_before(label, control):
    """A label names a control when it stands above it or to its left; a group box when the
    control lies inside it."""
    if label.kind == "group":
        return inside(control, label)
    lx0, ly0, lx1, ly1 = label.rect()
    cx0, cy0, cx1, cy1 = control.rect()
    above = ly1 <= cy0 + 2 and lx0 <= cx1
    left_of = lx1 <= cx0 and ly0 < cy1 and cy0 < ly1
    return above or left_of


def check_dialog(dialog):
    problems, notes = [], []
    controls = dialog.controls
    visible = [c for c in controls if c.visible]

    seen = {}
    for c in controls:
        if c.id != -1 and c.id in seen:
            problems.append("id %d is used by %s and %s" % (c.id, seen[c.id].name(), c.name()))
        seen.setdefault(c.id, c)

    letters = {}
    for c in visible:
        letter = mnemonic(c)
        if letter:
            letters.setdefault(letter, []).append(c)
    for letter, owners in sorted(letters.items()):
        if len(owners) > 1:
            shared_by = ", ".join(o.name() for o in owners)
            message = "mnemonic '%s' is shared by %s" % (letter, shared_by)
            if letter in ACCEPTED_MNEMONIC_CLASHES.get(dialog.id, set()):
                notes.append(message + " (fixed texts, accepted)")
            else:
                problems.append(message)

    for before, c in zip([None] + controls[:-1], controls):
        if c.cls == "MSCTLS_UPDOWN32":
            if before is None or before.cls != "EDIT":
                problems.append("%s does not follow its buddy edit" % c.name())
        elif c.is_input:
            if before is None or not before.is_label:
                problems.append("%s has no label before it" % c.name())
            elif not label_placed_before(before, c):
                problems.append("%s is not placed above or left of %s" % (before.name(), c.name()))

    for c in visible:
        if c.is_interactive and not c.style & WS_TABSTOP:
            problems.append("%s is not a tab stop" % c.name())
    for i, c in enumerate(controls):
        starts_run = c.kind == "radio" and (i == 0 or controls[i - 1].kind != "radio")
        if starts_run and not c.style & WS_GROUP:
            problems.append("%s starts a radio group without WS_GROUP" % c.name())
        ends_run = c.kind == "radio" and i + 1 < len(controls) and controls[i + 1].kind != "radio"
        if ends_run and not controls[i + 1].style & WS_GROUP:
            problems.append("%s follows a radio group without WS_GROUP" % controls[i + 1].name())

    for c in controls:
        x0, y0, x1, y1 = c.rect()
        if x0 < 0 or y0 < 0 or x1 > dialog.cx or y1 > dialog.cy:
            problems.append("%s lies outside the dialog (%d x %d)" % (c.name(), dialog.cx,
                                                                     dialog.cy))
        elif c.visible and (x0 < MARGIN or y0 < MARGIN or x1 > dialog.cx - MARGIN
                            or y1 > dialog.cy - MARGIN):
            problems.append("%s lies within the dialog's %d-unit margin" % (c.name(), MARGIN))

    shared = SHARED_PLACES.get(dialog.id, set())
    for i, a in enumerate(visible):
        for b in visible[i + 1:]:
            if not overlap(a, b) or frozenset((a.id, b.id)) in shared:
                continue
            if (a.kind == "group" and inside(b, a)) or (b.kind == "group" and inside(a, b)):
                continue
            problems.append("%s overlaps %s" % (a.name(), b.name()))

    for c in visible:
        problem = text_problem(c)
        if problem:
            problems.append(problem)
        if c.kind == "push" and (c.cx < 50 or (c.cy != 14 and not c.style & BS_MULTILINE)):
            problems.append("%s is %d x %d; push buttons are 14 high and at least 50 wide" % (
                c.name(), c.cx, c.cy))
        if c.kind == "label" and c.cy % 8:
            problems.append("%s is %d high; text labels are 8 per line" % (c.name(), c.cy))
    return problems, notes


def decompiled_text(path):
    path = pathlib.Path(path)
    if path.suffix.lower() == ".rc" and "DIALOGEX MOVEABLE" not in path.read_text(errors="ignore"):
        with tempfile.TemporaryDirectory() as tmp:
            res = pathlib.Path(tmp) / "checked.res"
            subprocess.run([WINDRES, "-I", str(path.parent), "-O", "res", "-o", str(res),
                            path.name], cwd=path.parent, check=True)
            return decompiled_text(res)
    if path.suffix.lower() == ".res":
        return subprocess.run([WINDRES, "-i", str(path), "-O", "rc"], check=True,
                              capture_output=True, text=True).stdout
    return path.read_text()


CATALOGUE_SIGNATURE = "qvlocale catalogue 1"
MAX_LINE_BYTES = 1024
MAX_TEXT_CHARS = 1023
CATALOGUE_ESCAPES = {"n": "\n", "r": "\r", "t": "\t", "s": " ", "=": "=", "#": "#", "\\": "\\"}


def unescape_catalogue_text(raw):
    """A key or translation with its escapes resolved, or None when an escape is unknown."""
    out, i = "", 0
    while i < len(raw):
        if raw[i] == "\\":
            if i + 1 >= len(raw) or raw[i + 1] not in CATALOGUE_ESCAPES:
                return None
            out += CATALOGUE_ESCAPES[raw[i + 1]]
            i += 2
        else:
            out += raw[i]
            i += 1
    return out


def split_catalogue_entry(line):
    i = 0
    while i < len(line):
        if line[i] == "\\":
            i += 2
            continue
        if line[i] == "=":
            return line[:i].strip(" \t"), line[i + 1:].strip(" \t")
        i += 1
    return None


def parse_catalogue(data):
    """A locale catalogue's texts, as the locale library reads them (siblings/locale/README.md):
    ({section name in lower case: {English text: translation}}, [problems]). Every line the
    library would leave out, and every duplicated key, is a problem here."""
    problems = []
    if data.startswith(b"\xef\xbb\xbf"):
        data = data[3:]
    try:
        text = data.decode("utf-8")
    except UnicodeDecodeError as error:
        return {}, ["the catalogue is not UTF-8 (%s)" % error]
    if "\0" in text:
        return {}, ["the catalogue holds a NUL character"]
    lines = text.split("\n")
    if lines[0].rstrip("\r").strip(" \t") != CATALOGUE_SIGNATURE:
        return {}, ["the first line is not %r" % CATALOGUE_SIGNATURE]
    sections, section, seen, ended = {}, None, {}, False
    for number, line in enumerate(lines[1:], start=2):
        line = line[:-1] if line.endswith("\r") else line
        where = "line %d" % number
        if len(line.encode("utf-8")) > MAX_LINE_BYTES:
            problems.append("%s is longer than %d bytes" % (where, MAX_LINE_BYTES))
            continue
        if any(ord(ch) < 0x20 and ch != "\t" or ord(ch) == 0x7F for ch in line):
            problems.append("%s holds a control character" % where)
            continue
        line = line.strip(" \t")
        if not line or line.startswith("#"):
            continue
        if line.startswith("[") and line.endswith("]"):
            name = line[1:-1]
            if name == "End":
                ended = True
                break
            if not re.fullmatch(r"[A-Za-z0-9]{1,31}", name):
                problems.append("%s: %r is not a section name" % (where, name))
                section = None
                continue
            section = sections.setdefault(name.lower(), {})
            continue
        entry = split_catalogue_entry(line)
        if section is None or entry is None or not entry[0] or not entry[1]:
            problems.append("%s is not an entry of a section: %r" % (where, line))
            continue
        key, value = (unescape_catalogue_text(part) for part in entry)
        if key is None or value is None:
            problems.append("%s has an unknown escape" % where)
            continue
        if max(len(key.encode("utf-16-le")), len(value.encode("utf-16-le"))) // 2 > MAX_TEXT_CHARS:
            problems.append("%s holds a text longer than %d characters" % (where, MAX_TEXT_CHARS))
            continue
        first = seen.setdefault((id(section), key), number)
        if first != number:
            problems.append("%s repeats the key %r of line %d" % (where, key, first))
            section.pop(key, None)
            continue
        section[key] = value
    if not ended:
        problems.append("the catalogue has no [End] line")
    return sections, problems


def needs_translation(text):
    return isinstance(text, str) and any(ch.isalpha() for ch in text)


def translated_dialog(dialog, texts):
    """The dialog as the locale library's TranslateDialog leaves it, and the texts without an
    entry: the caption and the buttons', group boxes' and static texts' texts looked up."""
    missing = []

    def translate(text):
        if not needs_translation(text):
            return text
        if text not in texts:
            missing.append(text)
            return text
        return texts[text]

    copy = Dialog(dialog.id, dialog.cx, dialog.cy, translate(dialog.caption))
    for c in dialog.controls:
        text = translate(c.text) if c.cls in ("BUTTON", "STATIC") else c.text
        copy.controls.append(Control(c.statement, text, c.id, c.cls, c.style, c.x, c.y, c.cx,
                                     c.cy))
    return copy, missing


def check_translation(dialog, texts):
    """Problems of one dialog in one language: texts without an entry, texts that do not fit,
    mnemonics used twice."""
    translated, missing = translated_dialog(dialog, texts)
    problems = ["%r has no translation" % text for text in sorted(set(missing))]
    for english, c in zip(dialog.controls, translated.controls):
        if (mnemonic(english) is None) != (mnemonic(c) is None):
            problems.append("%s and its English text %r differ in having a mnemonic" % (
                c.name(), english.text))
    visible = [c for c in translated.controls if c.visible]
    letters = {}
    for c in visible:
        letter = mnemonic(c)
        if letter:
            letters.setdefault(letter, []).append(c)
    for letter, owners in sorted(letters.items()):
        if len(owners) > 1:
            problems.append("mnemonic '%s' is shared by %s" % (
                letter, ", ".join(o.name() for o in owners)))
    for c in visible:
        problem = text_problem(c)
        if problem:
            problems.append(problem)
    return problems


def report(title, problems, notes=()):
    print("%s: %s" % (title, "%d problem(s)" % len(problems) if problems else "ok"))
    for line in problems:
        print("  - " + line)
    for line in notes:
        print("  . " + line)
    return bool(problems)


def main():
    root = pathlib.Path(__file__).resolve().parent.parent
    default = root / "src" / "resources" / "qvembui.rc"
    source = sys.argv[1] if len(sys.argv) > 1 else default
    catalogues = [pathlib.Path(p) for p in sys.argv[2:]] or sorted(
        (root / "siblings" / "locale" / "catalogues").glob("*.txt"))
    dialogs = parse_dialogs(decompiled_text(source))
    if not dialogs:
        print("no dialog templates found in %s" % source)
        return 1
    failed = False
    for dialog in dialogs:
        problems, notes = check_dialog(dialog)
        title = "dialog %d (%d x %d, %d controls)" % (dialog.id, dialog.cx, dialog.cy,
                                                      len(dialog.controls))
        failed = report(title, problems, notes) or failed
    for path in catalogues:
        sections, problems = parse_catalogue(path.read_bytes())
        failed = report("catalogue %s" % path.name, problems) or failed
        texts = sections.get("dialog", {})
        for dialog in dialogs:
            failed = report("  dialog %d in %s" % (dialog.id, path.name),
                            check_translation(dialog, texts)) or failed
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
