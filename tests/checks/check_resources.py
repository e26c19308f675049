#!/usr/bin/env python3
# The resources compiled from src/resources against resource.h and the controls that show them;
# the exit status is 1 when one disagrees.
#
#     python3 tests/checks/check_resources.py

import re
import struct
import sys

from product import (RT_BITMAP, RT_MANIFEST, Problems, defines, dialogs, report, resources,
                     strings)

CYAN = (0, 255, 255)
PIXELS_PER_UNIT = (6 / 4, 13 / 8)  # MS Shell Dlg 8 at 96 dpi: characters 6 x 13 pixels
BITMAPS = set(range(116, 127)) | {135, 136, 139, 140} | set(range(142, 160))
# Every owner-drawn picture, (dialog, control), and the bitmaps the pages draw into it; the
# blank areas beside the logos show none.
DRAWN_PICTURES = {
    (106, 1067): [124], (106, 1068): [126], (106, 1069): [139], (106, 1070): [140],
    (103, 1086): [159], (103, 1087): [158], (108, 1075): [], (110, 1075): [], (111, 1075): [],
    (110, 1066): range(116, 119), (110, 1067): range(119, 122), (110, 1068): range(122, 124),
    (110, 1069): range(135, 137), (110, 1076): [157], (111, 1076): [157], (108, 1076): [157],
    (155, 1079): range(142, 155), (155, 1080): range(142, 155),
}
COMMON_CONTROLS_6 = {"type": "win32", "name": "Microsoft.Windows.Common-Controls",
                     "version": "6.0.0.0", "processorArchitecture": "amd64",
                     "publicKeyToken": "6595b64144ccf1df", "language": "*"}


def bitmap(data):
    # Width, height, bits per pixel, compression and the colours of the four corners.
    _, width, height, _, bits, compression, _, _, _, used = struct.unpack_from("<IiiHHIIiiI", data)
    if bits not in (4, 8):
        return width, height, bits, compression, set()
    palette = [tuple(data[40 + 4 * i:43 + 4 * i][::-1]) for i in range(used or 1 << bits)]
    pixels = 40 + 4 * len(palette)
    row = ((width * bits + 31) // 32) * 4

    def colour(x, y):
        at = pixels + y * row + x * bits // 8
        return palette[data[at] >> (4 - x % 2 * 4) & 15 if bits == 4 else data[at]]

    corners = {colour(x, y) for x in (0, width - 1) for y in (0, height - 1)}
    return width, height, bits, compression, corners


def problems():
    res, names, table, templates = resources(), defines(), strings(), dialogs()
    need = Problems()
    need({language for language, _ in res.values()} == {1033}, "a resource is not US English")
    need(set(templates) == {v for k, v in names.items() if k.startswith("IDD_")},
         "the dialogs %s are not resource.h's", sorted(templates))
    for name, value in names.items():
        if name.startswith("IDB_"):
            need((RT_BITMAP, value) in res, "%s has no bitmap", name)
        elif name.startswith("IDS_") and not re.search(r"_(FIRST|LAST)$", name):
            need(table.get(value), "%s has no text", name)
        elif name.endswith("_FIRST"):
            need(all(map(table.get, range(value, names[name[:-5] + "LAST"] + 1))),
                 "%s..LAST lacks a text", name)
        elif name.startswith("IDC_") and name != "IDC_APPLY_BUTTON":
            owners = [v for k, v in names.items() if k.startswith("IDD_") and
                      name.split("_")[1] in k[4:].replace("_", "")]
            need(len(owners) == 1 and value in {c.id for c in templates[owners[0]].controls},
                 "%s is no control of the dialog its name says", name)
    need(max(table) <= 267, "the string table goes beyond 267")

    bitmaps = {name: bitmap(data) for (kind, name), (_, data) in res.items() if kind == RT_BITMAP}
    need(set(bitmaps) == BITMAPS, "the bitmaps are %s", sorted(bitmaps))
    for number, (_, _, *form) in bitmaps.items():
        need(form[0] in (4, 8) and form[1:] == [0, {CYAN}],
             "bitmap %d is not 4- or 8-bit with a palette on cyan", number)
    need(bitmaps.get(157, (0, 0))[:2] == (100, 42), "the logo is not 100 x 42")
    pictures = {(d, c.id): c for d in templates for c in templates[d].controls
                if c.kind == "owner-drawn picture"}
    need(set(pictures) == set(DRAWN_PICTURES), "the owner-drawn pictures are %s", sorted(pictures))
    for (d, control), c in pictures.items():
        for number in DRAWN_PICTURES.get((d, control), []):
            width, height = bitmaps.get(number, (1e9, 1e9))[:2]
            need(width <= c.cx * PIXELS_PER_UNIT[0] and height <= c.cy * PIXELS_PER_UNIT[1],
                 "bitmap %d does not fit control %d of dialog %d", number, control, d)

    pattern = res.get(("RT_PRN", names["IDR_TEST_PATTERN"]), (0, b""))[1]
    lines = pattern[:-1].split(b"\r\n")
    need(100 <= len(pattern) <= 1024 and pattern.endswith(b"\r\n\x0c") and all(
        len(line) <= 40 and all(0x20 <= b < 0x7F for b in line) for line in lines),
         "the test pattern is not 100 to 1024 bytes of lines of at most 40 printable "
         "characters, ended by a form feed")

    manifest = res.get((RT_MANIFEST, names["IDR_MODULE_MANIFEST"]), (0, b""))[1].decode()
    dependency = re.search(r"<dependentAssembly>\s*<assemblyIdentity([^>]*)/>", manifest)
    need(dependency and dict(re.findall(r'(\w+)="([^"]*)"', dependency[1])) == COMMON_CONTROLS_6,
         "the manifest does not ask for the common controls of version 6")
    return need


if __name__ == "__main__":
    sys.exit(report("the resources", problems()))
