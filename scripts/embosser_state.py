#!/usr/bin/env python3
"""Reads and sets the virtual embosser's state (the state file of qvmonext.dll).

The file is UTF-8 text with one [section] per printer name and one key=value per line. On Windows
(and in a Wine prefix) it is %ProgramData%\Quorvane\Tarvik\qvmonext.state, where every user may
write it. Earlier versions kept it beside qvmonext.dll in the printer driver directory; the embosser
takes such a file over at its first read when the new place has none, and so does this script.

  embosser_state.py --prefix ~/.wine show
  embosser_state.py --file build/x/qvmonext.state --printer "Tarvik Embosser" show status ink1.fill
  embosser_state.py --prefix "$WINEPREFIX" set status=paper-jam ink.unit=0 ink2.fill=0
  embosser_state.py --prefix "$WINEPREFIX" reset

The embosser reads the file at every call, so a change shows at the next refresh of the printer's
properties. A value it does not accept reads as the factory value; this script refuses the values
it knows to be wrong.
"""
import argparse
import os
import re
import sys
import tempfile

STATE_FOLDER = ("drive_c", "ProgramData", "Quorvane", "Tarvik")
EARLIER_FOLDER = ("drive_c", "windows", "system32", "spool", "drivers", "x64", "3")
STATE_FILE = "qvmonext.state"
HEADER = (
    "# The virtual Tarvik embosser behind qvmonext.dll: its state, one [section] per printer.\n"
    "# UTF-8 text, one key=value per line; lines starting with # are comments. A missing key or\n"
    "# a value the embosser does not accept takes its factory value. Edit it with\n"
    "# scripts/embosser_state.py, or by hand while no program is using the printer.\n"
)

STATUSES = ["ready", "busy", "offline", "paper-jam", "out-of-paper", "cover-open",
            "calibration-required", "ink1-empty", "ink2-empty", "chromapod-error",
            "internal-error"]
CARTRIDGE_STATES = ["none", "ok", "error"]
SERVICES = {1, 2, 5, 6, 7, 8, 9, 10, 11}
MOST = 2**31 - 1


def number(lowest, highest, choices=None):
    def check(value):
        if not re.fullmatch(r"-?[0-9]{1,10}", value):
            return False
        n = int(value)
        return n in choices if choices else lowest <= n <= highest
    return check


def pattern(regex):
    return lambda value: re.fullmatch(regex, value) is not None


def byte_list(separator, count, base=10):
    def check(value):
        parts = value.split(separator)
        digits = "[0-9A-Fa-f]{1,2}" if base == 16 else "[0-9]{1,3}"
        return len(parts) == count and all(
            re.fullmatch(digits, p) and int(p, base) <= 255 for p in parts)
    return check


def one_of(names):
    return lambda value: value in names or (value.isdigit() and int(value) < len(names))


def services(value):
    items = value.split(",") if value else []
    return len(items) <= 32 and all(i.isdigit() and int(i) in SERVICES for i in items)


def table_name(value):
    return len(value.encode()) < 260 and not re.search(r"[\x00-\x1f\x7f\\/]", value)


# The keys the embosser reads, with what it accepts (siblings/virtual_embosser/state_keys.cpp).
KEYS = {
    "serial": pattern(r"[\x20-\x7e]{0,63}"),
    "model": pattern(r"[\x20-\x7e]{0,63}"),
    "firmware": byte_list(".", 3),
    "mac": byte_list("-", 6, 16),
    "status": one_of(STATUSES),
    "form.code": number(0, 255),
    "form.width": number(40, 340),
    "form.length": number(40, 340),
    "margin.top": number(0, 100),
    "margin.left": number(0, 100),
    "margin.right": number(0, 100),
    "graphics": number(0, 1),
    "braille.dots": number(0, 0, {6, 8}),
    "autowrap": number(0, 1),
    "line.spacing": number(0, 250),
    "media.type": number(0, 0, {2, 3, 11, 12, 13, 30, 258, 259, 267, 268, 269, 286}),
    "media.lowest": number(0, 24),
    "media.highest": number(2, 26),
    "braille.table": number(0, 6),
    "dot.height": number(0, 2),
    "quality": number(0, 2),
    "duplex": number(0, 0, {1, 2}),
    "carriage2.primary": number(0, 1),
    "usage.carriage1": number(0, MOST),
    "usage.carriage2": number(0, MOST),
    "usage.recorded": number(0, 1),
    "usage.reserved": number(-MOST - 1, MOST),
    "network.dhcp": number(0, 1),
    "network.address": byte_list(".", 4),
    "network.mask": byte_list(".", 4),
    "network.gateway": byte_list(".", 4),
    "ink.unit": number(0, 1),
    "ink.firmware": byte_list(".", 3),
    "ink.serial": pattern(r"[\x20-\x7e]{0,63}"),
    "ink1.fill": number(0, 100),
    "ink1.state": one_of(CARTRIDGE_STATES),
    "ink1.changed": number(0, 1),
    "ink2.fill": number(0, 100),
    "ink2.state": one_of(CARTRIDGE_STATES),
    "ink2.changed": number(0, 1),
    "services": services,
}
KEYS.update({"table.%d" % slot: table_name for slot in range(7)})


def section_name(line):
    text = line.strip()
    if len(text) >= 2 and text.startswith("[") and text.endswith("]"):
        return text[1:-1]
    return None


def same_printer(a, b):
    # The embosser compares names without regard to ASCII case.
    fold = str.maketrans("ABCDEFGHIJKLMNOPQRSTUVWXYZ", "abcdefghijklmnopqrstuvwxyz")
    return a.translate(fold) == b.translate(fold)


def read_lines(path):
    try:
        with open(path, "rb") as f:
            data = f.read()
    except FileNotFoundError:
        return []
    if data.startswith(b"\xef\xbb\xbf"):
        data = data[3:]
    # surrogateescape keeps damaged bytes as they were.
    return data.decode("utf-8", "surrogateescape").replace("\r\n", "\n").split("\n")


def find_section(lines, printer):
    """The range of lines of the printer's first section, header excluded, or None."""
    for i, line in enumerate(lines):
        name = section_name(line)
        if name is not None and same_printer(name, printer):
            end = i + 1
            while end < len(lines) and section_name(lines[end]) is None:
                end += 1
            return i + 1, end
    return None


def key_of(line):
    if "=" not in line or line.lstrip().startswith(("#", ";")):
        return None
    return line.split("=", 1)[0].strip()


def write_lines(path, lines):
    while lines and lines[-1] == "":
        lines.pop()
    while lines and lines[0] == "":
        lines.pop(0)
    text = "\n".join(lines) + "\n"
    if not text.startswith("#"):
        text = HEADER + "\n" + text
    folder = os.path.dirname(os.path.abspath(path))
    fd, temporary = tempfile.mkstemp(prefix=STATE_FILE + ".", suffix=".tmp", dir=folder)
    try:
        with os.fdopen(fd, "wb") as f:
            f.write(text.encode("utf-8", "surrogateescape"))
            f.flush()
            os.fsync(f.fileno())
        os.replace(temporary, path)
    except BaseException:
        os.unlink(temporary)
        raise


def show(path, printer, keys):
    lines = read_lines(path)
    found = find_section(lines, printer)
    if found is None:
        print("no state stored for printer %r in %s: the embosser is as it left the factory"
              % (printer, path), file=sys.stderr)
        return 0
    values = {}
    for line in lines[found[0]:found[1]]:
        key = key_of(line)
        if key is not None and key not in values:
            values[key] = line.split("=", 1)[1].strip()
    for key in keys or values:
        if key not in values:
            print("%s is not stored (the embosser uses its factory value)" % key, file=sys.stderr)
            continue
        print("%s=%s" % (key, values[key]))
    return 0


def set_values(path, printer, assignments):
    changes = {}
    for assignment in assignments:
        key, equals, value = assignment.partition("=")
        key, value = key.strip(), value.strip()
        if not equals or key not in KEYS:
            print("unknown key %r; the keys are: %s" % (key, " ".join(KEYS)), file=sys.stderr)
            return 2
        if not KEYS[key](value):
            print("the embosser does not accept %s=%s" % (key, value), file=sys.stderr)
            return 2
        changes[key] = value
    lines = read_lines(path)
    found = find_section(lines, printer)
    if found is None:
        lines += ["", "[%s]" % printer]
        found = (len(lines), len(lines))
    start, end = found
    section = []
    for line in lines[start:end]:
        key = key_of(line)
        if key in changes:
            if changes[key] is not None:
                section.append("%s=%s" % (key, changes[key]))
                changes[key] = None
        elif key is None or key not in changes:
            section.append(line)
    while section and section[-1] == "":
        section.pop()
    section += ["%s=%s" % (k, v) for k, v in changes.items() if v is not None]
    if end < len(lines):
        section.append("")
    write_lines(path, lines[:start] + section + lines[end:])
    return 0


def reset(path, printer):
    lines = read_lines(path)
    found = find_section(lines, printer)
    if found is not None:
        write_lines(path, lines[:found[0] - 1] + lines[found[1]:])
    return 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    where = parser.add_mutually_exclusive_group(required=True)
    where.add_argument("--file", help="the state file")
    where.add_argument("--prefix", help="a Wine prefix: its common application data's file")
    parser.add_argument("--printer", default="Tarvik Embosser", help="the printer's name")
    commands = parser.add_subparsers(dest="command", required=True)
    commands.add_parser("show", help="print the printer's keys").add_argument("keys", nargs="*")
    commands.add_parser("set", help="set keys").add_argument("assignments", nargs="+",
                                                             metavar="KEY=VALUE")
    commands.add_parser("reset", help="forget the printer's state: back to the factory")
    args = parser.parse_args()
    path = args.file or os.path.join(args.prefix, *STATE_FOLDER, STATE_FILE)
    earlier = args.prefix and os.path.join(args.prefix, *EARLIER_FOLDER, STATE_FILE)
    if earlier and os.path.exists(earlier) and not os.path.exists(path):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        write_lines(path, read_lines(earlier))
    if args.command == "show":
        return show(path, args.printer, args.keys)
    if args.command == "set":
        return set_values(path, args.printer, args.assignments)
    return reset(path, args.printer)


if __name__ == "__main__":
    sys.exit(main())
