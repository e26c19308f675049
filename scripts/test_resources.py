#!/usr/bin/env python3
"""Tests of the dialog checker's rules and of the compiled resources against resource.h.

    python3 scripts/test_resources.py

The resource tests compile src/resources/qvembui.rc with x86_64-w64-mingw32-windres.
"""

import pathlib
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest

SCRIPTS = pathlib.Path(__file__).resolve().parent
RESOURCES = SCRIPTS.parent / "src" / "resources"
CATALOGUES = sorted((SCRIPTS.parent / "siblings" / "locale" / "catalogues").glob("*.txt"))
PAGE_TITLES = (1, 2, 3, 198)  # the string ids the sheets ask for in section "Caption"
sys.path.insert(0, str(SCRIPTS))

import check_dialogs  # noqa: E402

RT_BITMAP, RT_DIALOG, RT_STRING, RT_VERSION, RT_MANIFEST = 2, 5, 6, 16, 24
CYAN = (0, 255, 255)
# Dialog units to pixels for MS Shell Dlg 8 at 96 dpi (average character 6 x 13 pixels).
DLU_X, DLU_Y = 6 / 4, 13 / 8
DIALOG_OF_PREFIX = {"MAIN": 106, "LAYOUT": 110, "PAPER": 111, "SERVICE": 108, "IMAGE": 103,
                    "MEDIATYPE": 105, "TABLE": 109, "ROTATED": 112, "ADVANCED": 113,
                    "NETWORK": 115, "FORM": 134, "USAGE": 141, "INKFILL": 155, "NOTICE": 158}
# Owner-drawn pictures and every bitmap the pages draw into them.
DRAWN_PICTURES = {
    (110, 1066): range(116, 119), (110, 1067): range(119, 122), (110, 1068): range(122, 124),
    (110, 1069): range(135, 137), (110, 1076): [157], (111, 1076): [157], (108, 1076): [157],
    (155, 1079): range(142, 155), (155, 1080): range(142, 155),
}


def dialog_text(body, size="200, 100", dialog_id=1):
    return "%d DIALOGEX MOVEABLE PURE DISCARDABLE 0, 0, %s\nSTYLE 0x80c800c0\nBEGIN\n%s\nEND\n" % (
        dialog_id, size, body)


def problems_of(body, size="200, 100", dialog_id=1):
    dialog = check_dialogs.parse_dialogs(dialog_text(body, size, dialog_id))[0]
    return check_dialogs.check_dialog(dialog)[0]


class CheckerRules(unittest.TestCase):
    """Each rule of check_dialogs.py reports a template that breaks it, and only then."""

    def assertReported(self, body, fragment, **kwargs):
        problems = problems_of(body, **kwargs)
        self.assertTrue(any(fragment in p for p in problems), "%r not in %r" % (fragment, problems))

    def test_a_well_made_dialog_passes(self):
        body = """
  GROUPBOX "Units", -1, 7, 7, 186, 28, 0x50000007
  AUTORADIOBUTTON "&Metric", 10, 14, 19, 60, 10, 0x50030009
  AUTORADIOBUTTON "&English", 11, 80, 19, 60, 10, 0x50010009
  LTEXT "&Width:", -1, 7, 43, 40, 8, 0x50020000
  EDITTEXT 12, 50, 41, 40, 12, 0x50810080
  CONTROL "", 13, "MSCTLS_UPDOWN32", 0x50000026, 90, 41, 10, 12
  DEFPUSHBUTTON "&OK", 1, 143, 79, 50, 14, 0x50030001"""
        self.assertEqual([], problems_of(body))

    def test_labels_and_keyboard_order(self):
        unlabelled = """
  AUTOCHECKBOX "&Patterns", 10, 7, 7, 60, 10, 0x50030003
  COMBOBOX 11, 70, 7, 100, 60, 0x50210003"""
        self.assertReported(unlabelled, "combobox 11 has no label before it")
        label_below = """
  LTEXT "&Name:", -1, 7, 30, 40, 8, 0x50020000
  EDITTEXT 11, 7, 7, 100, 12, 0x50810080"""
        self.assertReported(label_below, "is not placed above or left of edit 11")
        lonely_up_down = """
  LTEXT "&Value:", -1, 7, 7, 40, 8, 0x50020000
  CONTROL "", 13, "MSCTLS_UPDOWN32", 0x50000026, 50, 7, 10, 12"""
        self.assertReported(lonely_up_down, "does not follow its buddy edit")
        no_tab_stop = '  AUTOCHECKBOX "&Print", 10, 7, 7, 60, 10, 0x50000003'
        self.assertReported(no_tab_stop, "is not a tab stop")
        hidden_without_tab_stop = '  AUTOCHECKBOX "&Print", 10, 7, 7, 60, 10, 0x40000003'
        self.assertEqual([], problems_of(hidden_without_tab_stop))
        open_radio_group = """
  RADIOBUTTON "&Single", 10, 7, 7, 60, 10, 0x50010004
  RADIOBUTTON "&Double", 11, 7, 21, 60, 10, 0x50010004
  AUTOCHECKBOX "&Collate", 12, 7, 35, 60, 10, 0x50010003"""
        self.assertReported(open_radio_group, "radio 10 '&Single' starts a radio group")
        self.assertReported(open_radio_group, "check 12 '&Collate' follows a radio group")

    def test_geometry(self):
        self.assertReported('  PUSHBUTTON "&Go", 10, 160, 7, 50, 14, 0x50010000',
                            "lies outside the dialog")
        self.assertReported('  PUSHBUTTON "&Go", 10, 3, 7, 50, 14, 0x50010000',
                            "within the dialog's 7-unit margin")
        overlapping = """
  PUSHBUTTON "&One", 10, 7, 7, 50, 14, 0x50010000
  PUSHBUTTON "&Two", 11, 50, 10, 50, 14, 0x50010000"""
        self.assertReported(overlapping, "push 10 '&One' overlaps push 11 '&Two'")
        hidden_behind = """
  PUSHBUTTON "&One", 10, 7, 7, 50, 14, 0x50010000
  PUSHBUTTON "&Two", 11, 7, 7, 50, 14, 0x40010000"""
        self.assertEqual([], problems_of(hidden_behind))
        crossing_frame = """
  GROUPBOX "Frame", -1, 7, 7, 80, 40, 0x50000007
  PUSHBUTTON "&Go", 10, 60, 20, 50, 14, 0x50010000"""
        self.assertReported(crossing_frame, "overlaps push 10 '&Go'")
        # A drop-down list covers only its edit part until it opens.
        stacked_lists = """
  LTEXT "&Size", -1, 7, 7, 60, 8, 0x50020000
  COMBOBOX 10, 7, 17, 100, 80, 0x50210003
  LTEXT "&Type", -1, 7, 33, 60, 8, 0x50020000
  COMBOBOX 11, 7, 43, 100, 40, 0x50210003"""
        self.assertEqual([], problems_of(stacked_lists))
        shared_pictures = """
  CONTROL 139, 1069, 130, 0x5000000e, 7, 7, 43, 30
  CONTROL 140, 1070, 130, 0x5000000e, 7, 7, 43, 30"""
        self.assertEqual([], problems_of(shared_pictures, dialog_id=106))
        self.assertReported(shared_pictures, "overlaps", dialog_id=105)

    def test_text_sizes(self):
        self.assertReported('  AUTOCHECKBOX "Do not show this message again.", 10, 7, 7, 100, 10, '
                            "0x50010003", "text needs about")
        long_box = ('  AUTOCHECKBOX "&Insert an empty page to the front or back of a graphics'
                    ' page", 10, 7, 7, 180, %s')
        self.assertReported(long_box % "10, 0x50010003", "text needs about")
        self.assertEqual([], problems_of(long_box % "20, 0x50012003"))  # BS_MULTILINE wraps
        self.assertReported('  PUSHBUTTON "Cartridge Spacing\\nCalibration ...", 10, 7, 7, 80, 14,'
                            " 0x50010000", "holds 2 lines of text but has room for 1")
        self.assertReported('  PUSHBUTTON "&Go", 10, 7, 7, 40, 14, 0x50010000',
                            "push buttons are 14 high and at least 50 wide")
        self.assertReported('  LTEXT "&Name:", -1, 7, 7, 40, 10, 0x50020000',
                            "text labels are 8 per line")

    def test_mnemonics_and_ids(self):
        clash = """
  PUSHBUTTON "&Add ...", 10, 7, 7, 50, 14, 0x50010000
  PUSHBUTTON "&Apply", 3, 61, 7, 50, 14, 0x50010000"""
        self.assertReported(clash, "mnemonic 'a' is shared by")
        hidden_clash = clash.replace("0x50010000\n", "0x40010000\n", 1)
        self.assertEqual([], problems_of(hidden_clash))
        escaped = clash.replace('"&Add ...', '"Go && &Close')
        self.assertEqual([], problems_of(escaped))
        self.assertEqual([], problems_of(clash, dialog_id=113))  # accepted in that dialog only
        twice = """
  PUSHBUTTON "&One", 10, 7, 7, 50, 14, 0x50010000
  PUSHBUTTON "&Two", 10, 61, 7, 50, 14, 0x50010000"""
        self.assertReported(twice, "id 10 is used by")


def catalogue(body, signature="qvlocale catalogue 1", end="[End]\n"):
    return ("%s\n%s\n%s" % (signature, body, end)).encode("utf-8")


class CatalogueRules(unittest.TestCase):
    """The checker reads catalogues as the locale library does and reports every line the
    library would leave out; a translated dialog must be complete, fit and keep its keys."""

    def test_entries_sections_and_escapes(self):
        sections, problems = check_dialogs.parse_catalogue(catalogue(
            "# comment\n[Strings]\n  Printer ready =  Drucker bereit \n[Dialog]\n"
            "a\\=b = c\\nd\\s\n\\#1 = x\n[strings]\nPaper jam = Papierstau"))
        self.assertEqual([], problems)
        self.assertEqual({"Printer ready": "Drucker bereit", "Paper jam": "Papierstau"},
                         sections["strings"])
        self.assertEqual({"a=b": "c\nd ", "#1": "x"}, sections["dialog"])

    def test_refused_lines_and_files(self):
        cases = {
            "[Strings]\nA = 1\nB = 2\nA = 3": "repeats the key 'A' of line 3",
            "A = 1": "is not an entry of a section",
            "[Strings]\nno separator": "is not an entry of a section",
            "[Strings]\nA = \\q": "unknown escape",
            "[Strings]\nA = " + "x" * 1100: "longer than 1024 bytes",
            "[Str ings]": "is not a section name",
            "[Strings]\nA =\x01 1": "control character",
        }
        for body, fragment in cases.items():
            sections, problems = check_dialogs.parse_catalogue(catalogue(body))
            self.assertTrue(any(fragment in p for p in problems), "%r: %r" % (body, problems))
        sections, _ = check_dialogs.parse_catalogue(catalogue("[Strings]\nA = 1\nB = 2\nA = 3"))
        self.assertEqual({"B": "2"}, sections["strings"])  # neither duplicate wins
        self.assertIn("no [End] line", check_dialogs.parse_catalogue(catalogue("", end=""))[1][0])
        self.assertEqual({}, check_dialogs.parse_catalogue(catalogue("", signature="x"))[0])
        self.assertIn("not UTF-8", check_dialogs.parse_catalogue(b"qvlocale catalogue 1\n\xff")[1][0])

    def test_translated_dialogs(self):
        dialog = check_dialogs.parse_dialogs(dialog_text("""
  LTEXT "&Name:", -1, 7, 7, 40, 8, 0x50020000
  EDITTEXT 11, 50, 7, 100, 12, 0x50810080
  PUSHBUTTON "&Add ...", 10, 7, 79, 50, 14, 0x50010000
  PUSHBUTTON "&Apply", 3, 61, 79, 50, 14, 0x50010000
  CTEXT "0", -1, 120, 30, 8, 8, 0x50020001""", dialog_id=113))[0]
        dialog.caption = "Advanced"
        good = {"&Name:": "&Name:", "&Add ...": "&Hinzu ...", "&Apply": "Ü&bernehmen",
                "Advanced": "Erweitert"}
        self.assertEqual([], check_dialogs.check_translation(dialog, good))
        without_caption = {k: v for k, v in good.items() if k != "Advanced"}
        self.assertIn("'Advanced' has no translation",
                      check_dialogs.check_translation(dialog, without_caption))
        too_long = dict(good, **{"&Add ...": "&Hinzufügen ..."})
        self.assertTrue(any("its text needs about" in p
                            for p in check_dialogs.check_translation(dialog, too_long)))
        clash = dict(good, **{"&Apply": "&Übernehmen", "&Add ...": "&Über ..."})
        self.assertTrue(any("mnemonic 'ü' is shared by" in p
                            for p in check_dialogs.check_translation(dialog, clash)))
        lost = dict(good, **{"&Apply": "Übernehmen"})
        self.assertTrue(any("differ in having a mnemonic" in p
                            for p in check_dialogs.check_translation(dialog, lost)))


def read_res(path):
    """The resources of a .res file: {(type, name): (language, bytes)}."""
    data, resources, offset = path.read_bytes(), {}, 0

    def name_at(pos):
        if struct.unpack_from("<H", data, pos)[0] == 0xFFFF:
            return struct.unpack_from("<H", data, pos + 2)[0], pos + 4
        end = pos
        while struct.unpack_from("<H", data, end)[0]:
            end += 2
        return data[pos:end].decode("utf-16-le"), end + 2

    while offset < len(data):
        size, header = struct.unpack_from("<II", data, offset)
        kind, pos = name_at(offset + 8)
        name, pos = name_at(pos)
        pos = (pos + 3) & ~3
        language = struct.unpack_from("<H", data, pos + 6)[0]
        if size:
            resources[(kind, name)] = (language, data[offset + header:offset + header + size])
        offset = (offset + header + size + 3) & ~3
    return resources


def strings_of(resources):
    table = {}
    for (kind, block), (_, data) in resources.items():
        if kind != RT_STRING:
            continue
        pos = 0
        for index in range(16):
            length = struct.unpack_from("<H", data, pos)[0]
            if length:
                table[(block - 1) * 16 + index] = data[pos + 2:pos + 2 + 2 * length].decode(
                    "utf-16-le")
            pos += 2 + 2 * length
    return table


def bitmap_info(data):
    _, width, height, _, bits, compression = struct.unpack_from("<IiiHHI", data, 0)

    def pixel(x, y):
        row = (width * 3 + 3) & ~3
        pos = 40 + (height - 1 - y) * row + x * 3
        b, g, r = data[pos:pos + 3]
        return r, g, b

    return width, height, bits, compression, pixel


@unittest.skipUnless(shutil.which(check_dialogs.WINDRES), "windres is not installed")
class ShippedResources(unittest.TestCase):
    """The compiled resources agree with resource.h and with the pictures' controls."""

    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        res = pathlib.Path(cls.tmp.name) / "qvembui.res"
        subprocess.run([check_dialogs.WINDRES, "-I", str(RESOURCES), "-O", "res", "-o", str(res),
                        "qvembui.rc"], cwd=RESOURCES, check=True)
        cls.resources = read_res(res)
        cls.strings = strings_of(cls.resources)
        cls.dialogs = {d.id: d for d in check_dialogs.parse_dialogs(
            check_dialogs.decompiled_text(res))}
        cls.names = {}
        for line in (RESOURCES / "resource.h").read_text().splitlines():
            match = re.match(r"#define (\w+) (-?\d+)$", line)
            if match:
                cls.names[match.group(1)] = int(match.group(2))

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def test_templates_follow_the_rules(self):
        for dialog in self.dialogs.values():
            self.assertEqual([], check_dialogs.check_dialog(dialog)[0], "dialog %d" % dialog.id)

    def test_every_named_resource_exists(self):
        languages = {language for language, _ in self.resources.values()}
        self.assertEqual({1033}, languages)
        dialog_ids = {v for k, v in self.names.items() if k.startswith("IDD_")}
        self.assertEqual(dialog_ids, set(self.dialogs))
        for name, value in self.names.items():
            if name.startswith("IDB_"):
                self.assertIn((RT_BITMAP, value), self.resources, name)
            elif name.startswith("IDS_") and not re.search(r"_(FIRST|LAST)$", name):
                self.assertTrue(self.strings.get(value), name)
            elif name.startswith("IDC_") and name != "IDC_APPLY_BUTTON":
                prefix = name.split("_")[1]
                ids = {c.id for c in self.dialogs[DIALOG_OF_PREFIX[prefix]].controls}
                self.assertIn(value, ids, name)
        self.assertIn(("RT_PRN", self.names["IDR_TEST_PATTERN"]), self.resources)
        self.assertIn((RT_MANIFEST, self.names["IDR_MODULE_MANIFEST"]), self.resources)
        self.assertIn((RT_VERSION, 1), self.resources)
        self.assertLessEqual(max(self.strings), 267)
        for first, last in (("IDS_PRINTER_STATUS_FIRST", "IDS_PRINTER_STATUS_LAST"),
                            ("IDS_PRINTER_STATUS_MORE_FIRST", "IDS_PRINTER_STATUS_MORE_LAST"),
                            ("IDS_INK_UNIT_STATUS_FIRST", "IDS_INK_UNIT_STATUS_LAST")):
            for status in range(self.names[first], self.names[last] + 1):
                self.assertTrue(self.strings.get(status), "status text %d" % status)

    def test_bitmaps_are_24_bit_on_cyan(self):
        bitmaps = {name: data for (kind, name), (_, data) in self.resources.items()
                   if kind == RT_BITMAP}
        self.assertEqual(set(range(116, 127)) | {135, 136, 139, 140} | set(range(142, 160)),
                         set(bitmaps))
        for bitmap_id, data in bitmaps.items():
            width, height, bits, compression, pixel = bitmap_info(data)
            self.assertEqual((24, 0), (bits, compression), bitmap_id)
            for corner in ((0, 0), (width - 1, 0), (0, height - 1), (width - 1, height - 1)):
                self.assertEqual(CYAN, pixel(*corner), "corner of bitmap %d" % bitmap_id)
        self.assertEqual((100, 42), bitmap_info(bitmaps[157])[:2])

    def test_pictures_fit_their_controls(self):
        pictures, drawn = [], set()  # (dialog id, control, the bitmaps it shows)
        for dialog in self.dialogs.values():
            for c in dialog.controls:
                if c.kind == "bitmap":
                    pictures.append((dialog.id, c, [c.text]))
                elif (dialog.id, c.id) in DRAWN_PICTURES and c.kind == "owner-drawn picture":
                    pictures.append((dialog.id, c, DRAWN_PICTURES[(dialog.id, c.id)]))
                    drawn.add((dialog.id, c.id))
        self.assertEqual(set(DRAWN_PICTURES), drawn, "owner-drawn pictures missing")
        for dialog_id, control, bitmap_ids in pictures:
            for bitmap_id in bitmap_ids:
                where = "bitmap %d in control %d of dialog %d" % (bitmap_id, control.id, dialog_id)
                self.assertIn((RT_BITMAP, bitmap_id), self.resources, where)
                width, height = bitmap_info(self.resources[(RT_BITMAP, bitmap_id)][1])[:2]
                self.assertLessEqual(width, control.cx * DLU_X, where)
                self.assertLessEqual(height, control.cy * DLU_Y, where)

    def test_test_pattern_is_embosser_text(self):
        data = self.resources[("RT_PRN", 133)][1]
        self.assertTrue(100 <= len(data) <= 1024, len(data))
        self.assertTrue(data.endswith(b"\r\n\x0c"))
        lines = data[:-1].split(b"\r\n")
        self.assertEqual(b"", lines[-1])
        for line in lines:
            self.assertTrue(all(0x20 <= b < 0x7F for b in line), line)
            self.assertLessEqual(len(line), 40, line)

    def test_catalogues_translate_every_text(self):
        self.assertTrue(CATALOGUES, "no locale catalogue found")
        for path in CATALOGUES:
            sections, problems = check_dialogs.parse_catalogue(path.read_bytes())
            self.assertEqual([], problems, path.name)
            strings = sections.get("strings", {})
            for string_id, text in sorted(self.strings.items()):
                if check_dialogs.needs_translation(text):
                    self.assertTrue(strings.get(text), "%s: string %d %r" % (path.name,
                                                                             string_id, text))
            for string_id in PAGE_TITLES:
                self.assertIn(self.strings[string_id], sections.get("caption", {}), path.name)
            for word in ("Contrast", "Brightness"):  # the image options' value labels
                self.assertIn(word, sections.get("label", {}), path.name)
                self.assertIn(word, strings, path.name)
            for dialog in self.dialogs.values():
                self.assertEqual([], check_dialogs.check_translation(dialog, sections["dialog"]),
                                 "%s: dialog %d" % (path.name, dialog.id))

    def test_manifest_asks_for_common_controls_6(self):
        manifest = self.resources[(RT_MANIFEST, 2)][1].decode("utf-8")
        dependency = re.search(r'<dependentAssembly>\s*<assemblyIdentity([^>]*)/>', manifest)
        self.assertIsNotNone(dependency)
        attributes = dict(re.findall(r'(\w+)="([^"]*)"', dependency.group(1)))
        self.assertEqual({"type": "win32", "name": "Microsoft.Windows.Common-Controls",
                          "version": "6.0.0.0", "processorArchitecture": "amd64",
                          "publicKeyToken": "6595b64144ccf1df", "language": "*"}, attributes)


if __name__ == "__main__":
    unittest.main()
