# The product's files as the checks read them: the resources compiled from src/resources, the
# names of resource.h and the locale library's catalogues.

import functools
import pathlib
import re
import struct
import subprocess
import sys
import tempfile

ROOT = pathlib.Path(__file__).resolve().parents[2]
RESOURCES = ROOT / "src" / "resources"
CATALOGUES = sorted((ROOT / "siblings" / "locale" / "catalogues").glob("*.txt"))
RT_BITMAP, RT_DIALOG, RT_STRING, RT_VERSION, RT_MANIFEST = 2, 5, 6, 16, 24
WS_VISIBLE = 0x10000000
CLASS_ORDINALS = {0x80: "BUTTON", 0x81: "EDIT", 0x82: "STATIC", 0x83: "LISTBOX",
                  0x84: "SCROLLBAR", 0x85: "COMBOBOX"}
BUTTON_KINDS = {0: "push", 1: "push", 2: "check", 3: "check", 4: "radio", 5: "check", 6: "check",
                7: "group", 9: "radio", 11: "owner-drawn button"}
STATIC_KINDS = {0: "label", 1: "label", 2: "label", 11: "label", 12: "label",
                13: "owner-drawn picture"}


def read_res(path):
    # The resources of a .res file: {(type, name): (language, bytes)}.
    data, found, offset = pathlib.Path(path).read_bytes(), {}, 0
    while offset < len(data):
        size, header = struct.unpack_from("<II", data, offset)
        kind, pos = name_at(data, offset + 8)
        name, pos = name_at(data, pos)
        language = struct.unpack_from("<H", data, ((pos + 3) & ~3) + 6)[0]
        if size:
            found[(kind, name)] = (language, data[offset + header:offset + header + size])
        offset = (offset + header + size + 3) & ~3
    return found


def name_at(data, pos):
    # A number (0xFFFF and a word) or a NUL-terminated UTF-16 text, and the position after it.
    if struct.unpack_from("<H", data, pos)[0] == 0xFFFF:
        return struct.unpack_from("<H", data, pos + 2)[0], pos + 4
    end = next(i for i in range(pos, len(data), 2) if data[i:i + 2] == b"\0\0")
    return data[pos:end].decode("utf-16-le"), end + 2


@functools.cache
def resources():
    with tempfile.TemporaryDirectory() as tmp:
        res = pathlib.Path(tmp) / "qvembui.res"
        subprocess.run(["x86_64-w64-mingw32-windres", "-I", ".", "-O", "res", "-o", str(res),
                        "qvembui.rc"], cwd=RESOURCES, check=True)
        return read_res(res)


def defines():
    # resource.h's names and numbers.
    text = (RESOURCES / "resource.h").read_text()
    return {name: int(value) for name, value in re.findall(r"#define (\w+) (-?\d+)$", text, re.M)}


@functools.cache
def strings():
    table = {}
    for (kind, block), (_, data) in resources().items():
        pos = 0
        for index in range(16 if kind == RT_STRING else 0):
            length = struct.unpack_from("<H", data, pos)[0]
            if length:
                table[(block - 1) * 16 + index] = data[pos + 2:pos + 2 + 2 * length].decode(
                    "utf-16-le")
            pos += 2 + 2 * length
    return table


class Control:
    def __init__(self, cls, text, cid, style, x, y, cx, cy):
        self.cls, self.text, self.id, self.style = cls, text, cid, style
        self.x, self.y, self.cx, self.cy = x, y, cx, cy
        self.visible = bool(style & WS_VISIBLE)
        self.kind = {"BUTTON": BUTTON_KINDS.get(style & 0xF, "button"),
                     "STATIC": STATIC_KINDS.get(style & 0x1F, "static")}.get(cls, cls.lower())

    def rect(self):
        # On screen: a drop-down combo box shows only its 12-unit edit part until it opens.
        return self.x, self.y, self.x + self.cx, self.y + (min(self.cy, 12)
                                                          if self.cls == "COMBOBOX" else self.cy)

    def name(self):
        return "%s %d" % (self.kind, self.id) + (" %r" % self.text if self.text else "")


class Dialog:
    def __init__(self, did, data):
        # A DLGTEMPLATEEX and its DLGITEMTEMPLATEEX items.
        version, signature, style, count, self.cx, self.cy = struct.unpack_from(
            "<HH8xIH4xhh", data)
        if (version, signature) != (1, 0xFFFF):
            sys.exit("dialog %d is not an extended template" % did)
        self.id, self.controls = did, []
        _, pos = name_at(data, 26)  # menu
        _, pos = name_at(data, pos)  # window class
        self.caption, pos = name_at(data, pos)
        if style & 0x40:  # DS_SETFONT: size, weight, italic, character set, face
            _, pos = name_at(data, pos + 6)
        for _ in range(count):
            pos = (pos + 3) & ~3
            style, x, y, cx, cy, cid = struct.unpack_from("<4x4xIhhhhi", data, pos)
            cls, pos = name_at(data, pos + 24)
            text, pos = name_at(data, pos)
            pos += 2 + struct.unpack_from("<H", data, pos)[0]
            cls = CLASS_ORDINALS.get(cls, "") if isinstance(cls, int) else cls.upper()
            self.controls.append(Control(cls, text, cid, style, x, y, cx, cy))


def dialogs():
    return {name: Dialog(name, data) for (kind, name), (_, data) in resources().items()
            if kind == RT_DIALOG}


CATALOGUE_ESCAPES = {"n": "\n", "r": "\r", "t": "\t", "s": " ", "=": "=", "#": "#", "\\": "\\"}


def read_catalogue(path):
    # ({section in lower case: {English text: translation}}, [problems]) as the locale library
    # reads the catalogue (siblings/locale/README.md): every line or file it refuses is a problem,
    # and a key given twice in a section is left out.
    data = path.read_bytes().removeprefix(b"\xef\xbb\xbf")
    try:
        lines = data.decode("utf-8").split("\n")
    except UnicodeDecodeError:
        return {}, ["not UTF-8"]
    if b"\0" in data or len(data) > 1 << 20 or lines[0].strip(" \t\r") != "qvlocale catalogue 1":
        return {}, ["no signature line 'qvlocale catalogue 1', a NUL, or above 1 MiB"]
    sections, section, problems, twice = {}, None, [], set()
    for number, raw in enumerate(lines[1:], 2):
        raw = raw.removesuffix("\r")
        line = raw.strip(" \t")
        entry = re.fullmatch(r"((?:\\.|[^\\=])*)=(.*)", line)
        key, value = (entry[1].strip(" \t"), entry[2].strip(" \t")) if entry else ("", "")
        if len(raw.encode()) > 1024 or re.search(r"[\x00-\x08\x0a-\x1f\x7f]", line):
            problems.append("line %d is over 1024 bytes or holds a control character" % number)
        elif not line or line.startswith("#"):
            continue
        elif line == "[End]":
            break
        elif re.fullmatch(r"\[[A-Za-z0-9]{1,31}\]", line):
            section = sections.setdefault(line[1:-1].lower(), {})
        elif section is None or not key or not value:
            problems.append("line %d is not an entry of a section" % number)
        elif re.search(r"\\(?![nrts=#\\])", key + " " + value):
            problems.append("line %d has an unknown escape" % number)
        else:
            key, value = (re.sub(r"\\(.)", lambda m: CATALOGUE_ESCAPES[m[1]], part)
                          for part in (key, value))
            if key in section or (id(section), key) in twice:
                problems.append("line %d repeats the key %r" % (number, key))
                section.pop(key, None)
                twice.add((id(section), key))
            else:
                section[key] = value
    else:
        problems.append("no [End] line")
    if len(sections) > 16 or sum(map(len, sections.values())) > 8192:
        problems.append("more than 16 sections or 8192 entries")
    return sections, problems


# need = Problems(), then need(ok, problem, *args) keeps the problem when ok is false.
class Problems(list):
    def __call__(self, ok, problem, *args):
        if not ok:
            self.append(problem % args)


def report(what, problems):
    # Prints the problems found, or what was checked; the exit status.
    for problem in problems:
        print("  - " + problem)
    print("== %s: %s" % (what, "%d problem(s)" % len(problems) if problems else "ok"))
    return 1 if problems else 0
