#!/usr/bin/env python3
"""Writes the hand-made seeds of the fuzz corpora (tests/fuzz/corpus/<target>/seed-*).

Most targets read their input with libFuzzer's FuzzedDataProvider: raw bytes (ConsumeBytes) come
from the front of the input, integers, booleans and picks from its back, last byte first.
Provider below writes inputs the same way, so a seed says what it means. Inputs the fuzzer
found (finding-*) and the minimised corpora (min-*) are kept next to these seeds.
"""
import os
import struct
import sys

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")


class Provider:
    """Builds an input for FuzzedDataProvider: front bytes and back values in consumption order."""

    def __init__(self):
        self.front = bytearray()
        self.back = []  # bytes in the order the provider takes them (from the end)

    def bytes(self, data):
        self.front += data

    def integral(self, value, low, high, size):
        span = high - low
        value -= low
        taken, offset = [], 0
        while offset < size * 8 and (span >> offset) > 0:
            taken.append(0)
            offset += 8
        # result = (result << 8) | byte, first byte taken is the most significant.
        for i in range(len(taken)):
            taken[i] = (value >> (8 * (len(taken) - 1 - i))) & 0xFF
        self.back += taken
        return self

    def byte(self, value):
        return self.integral(value, 0, 255, 1)

    def boolean(self, value):
        return self.byte(1 if value else 0)

    def pick(self, index, count):
        return self.integral(index, 0, count - 1, 8)

    def typed(self, text, end=True):
        """ConsumeTypedText: one byte per ASCII character, 0x01 and a UTF-16 unit otherwise."""
        for ch in text:
            code = ord(ch)
            if 2 <= code < 256:
                self.byte(code)
            else:
                self.byte(1)
                self.integral(code, 0, 0xFFFF, 2)
        if end:
            self.byte(0)
        return self

    def build(self):
        return bytes(self.front) + bytes(reversed(self.back))


def write(target, name, data):
    folder = os.path.join(ROOT, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, "seed-" + name), "wb") as f:
        f.write(data)


def record(ident, values=(0, 0, 0, 0), data=b"", length=None):
    length = len(data) if length is None else length
    return struct.pack("<I4iI", ident, *values, length) + data.ljust(176, b"\0")[:176]


def header(count):
    return record(0, length=count)


def every_record():
    """Every record the plug-in reads, each with a value it can show."""
    return [record(4, data=b"TV-0042"), record(12, data=b"Tarvik 2"),
               record(20, (1, 2, 3, 0)), record(22, data=bytes([0, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E])),
               record(90, (5, 0, 0, 0)), record(92, (-1, 0, 0, 0)), record(95, (8, 0, 0, 0)),
               record(96, (7, 0, 0, 0)), record(97, (-4, 0, 0, 0)), record(100, (2, 0, 0, 0)),
               record(101, (2, 5, 16, 0)), record(102, (30, 170, 220, 0)),
               record(118, data=bytes([192, 168, 1, 20])), record(128, (30, 70, 1, 0)),
               record(234, (2, 1, 0, 0)), record(235, data=b"CP-7", length=175),
               record(237, (47, 1, 1, 0)), record(238, (0, 2, 0, 0))]


def settings_blocks():
    write("settings_block", "header-only", header(1))
    records = every_record()
    write("settings_block", "every-record", header(len(records) + 1) + b"".join(records))
    write("settings_block", "count-beyond-block", header(1000) + records[0])
    write("settings_block", "text-longer-than-record", header(2) + record(4, data=b"x" * 176, length=4000))
    write("settings_block", "partial-record", header(2) + records[1][:150])


def printer_status():
    """The status code, whether the link answered a text, the text, then the settings block."""
    def seed(name, block, code=0, text="", answered=True):
        chars = text.encode("utf-16-le")
        write("printer_status", name, struct.pack("<IBH", code & 0xFFFFFFFF, answered,
                                                  len(chars) // 2) + chars + block)

    records = every_record()
    seed("connected-with-ink-unit", header(len(records) + 1) + b"".join(records), 42, "Paper jam")
    beyond = [record(20, (255, 255, 255, 0)), record(128, (0x7FFFFFFF, 0x7FFFFFFF, 1, 0)),
              record(234, (-1, -1, -1, 0)), record(237, (150, 0x101, 0x1FF, 0)),
              record(238, (-5, 3, 1, 0)), record(118, data=b"\xff" * 4)]
    seed("values-beyond-their-ranges", header(len(beyond) + 1) + b"".join(beyond), -1)
    seed("not-connected", b"", 7, answered=False)
    seed("unterminated-text", header(1), 7, ("Ink low, " * 456)[:4096])


def locale_answers():
    """Kind (0 null, 1 text, 2 the asked text), terminated, length, buffer size, characters."""
    def seed(name, kind, text, terminated=True, length=None, buffer=0, prefix="seed-"):
        chars = text.encode("utf-16-le")
        length = len(text) if length is None else length
        data = struct.pack("<BBHH", kind, terminated, length, buffer) + chars
        with open(os.path.join(ROOT, "locale_answers", prefix + name), "wb") as f:
            f.write(data)

    seed("null", 0, "")
    seed("empty", 1, "")
    seed("the-asked-text", 2, "")
    seed("translation", 1, "Drucken")
    seed("cut-by-its-buffer", 1, "Drucken", buffer=4)
    seed("longer-than-a-composed-text", 1, "lang ", length=5000)
    seed("unterminated-translation", 1, "Ohne Ende ", terminated=False, length=4096,
         prefix="finding-")


def devmodes():
    # mode pick, dmSize, dmDriverExtra, core bytes, then the devmode's bytes from the front.
    for name, mode, extra, core, out in [("convert-own", 1, 732, 0, True),
                                         ("convert-short-private-part", 1, 40, 0, True),
                                         ("merge-foreign", 2, 800, 60, True),
                                         ("default-short-output", 0, 0, 0, False)]:
        p = Provider()
        section = struct.pack("<I4sI", 732, b"KTVQ", 1) + b"\x5a" * 720
        p.bytes(b"\0" * 220 + b"\0" * core + section[: max(0, extra - core)])
        p.pick(mode, 7)
        p.integral(220, 72, 1024, 2)
        p.integral(extra, 0, 0xFFFF, 2)
        p.integral(core, 0, extra, 2)
        p.boolean(False)
        p.boolean(out)
        if not out:
            p.integral(100, 0, 1500, 4)
        write("private_devmode", name, p.build())


def typed_texts():
    texts = ["1e308", "-0", "nan", "inf", "0x1A", "\u0663", "1" * 4000, "", "11.5 in", "30.5",
             "2", "26", "-1", "12.50", "0.47", "  7", "\uff11\uff12"]
    for selector, name in [(0, "form"), (1, "media"), (2, "tree")]:
        for i, text in enumerate(texts):
            p = Provider()
            for _ in range(12):  # the printer's network settings
                p.byte(10)
            p.boolean(True)  # DHCP
            p.boolean(i % 2 == 0)  # which runtime reads nan and inf
            p.integral(selector, 0, 3, 4)
            if selector == 0:
                p.integral(1, 1, 3, 4).boolean(False).typed(text).boolean(True).typed(text)
                p.boolean(True).boolean(True).typed("Seed form").boolean(True)
            elif selector == 1:
                p.integral(1, 1, 3, 4).boolean(False).boolean(True).typed(text)
                p.boolean(True).typed(text).boolean(True).typed("Seed media")
            else:
                p.integral(1, 1, 4, 4).pick(i % 6, 6).typed(text)
            write("typed_texts", "%s-%02d" % (name, i), p.build())
    p = Provider()
    for _ in range(12):
        p.byte(1)
    p.boolean(False).boolean(True).integral(3, 0, 3, 4)
    p.integral(2, 1, 6, 4).integral(1, 0, 4, 4).pick(0, 3)
    for field in range(4):
        p.integral(1, 0, 7, 4).integral(255, 0, 255, 4)
    p.integral(1, 0, 4, 4).pick(2, 3)
    for field in range(4):
        p.integral(0, 0, 7, 4)
    p.boolean(True)
    write("typed_texts", "network", p.build())


def chosen_paths():
    for name, table, length in [("table-short", True, 20), ("table-4095", True, 4095),
                                ("table-4096", True, 4096), ("table-5000", True, 5000),
                                ("pattern-short", False, 30), ("pattern-259", False, 259),
                                ("pattern-260", False, 260)]:
        p = Provider()
        p.boolean(table)
        folder = len("C:\\Tables\\") if table else len("C:\\ProgramData\\Quorvane\\Tarvik\\Patterns\\")
        chars = max(1, length - folder)
        if chars <= 300:
            p.integral(chars, 1, 300, 8).integral(1, 0, 7, 4)
        else:
            p.integral(1, 1, 300, 8).integral(0, 0, 7, 4).integral(chars, 1, 5000, 8)
        stem = "sub\\deeper\\"
        p.typed((stem + "x.bct").ljust(chars, "y")[:chars], end=False)
        if table:
            p.integral(2, 0, 6, 4)
        write("chosen_paths", name, p.build())


def printer_data():
    """The list buffer's size, then values: name index (bit 7: in lower case), type, length."""
    REG_SZ, REG_BINARY, REG_DWORD = 1, 3, 4
    CUSTOM_MEDIA_TYPE, PATTERN_FILE, PAPER_SIZE, THICK, QVDIR = 27, 28, 29, 30, 31

    def value(name, kind, data):
        return struct.pack("<BBH", name, kind, len(data)) + data

    def text(chars):
        return chars.encode("utf-16-le")

    limits = b"".join(value(i | (0x80 if i % 2 else 0), REG_DWORD if i % 3 else REG_BINARY,
                            bytes(range(i % 9))) for i in range(27))
    limits += value(CUSTOM_MEDIA_TYPE, REG_SZ, text("m" * 260))  # no room for the terminator
    limits += value(PATTERN_FILE, REG_SZ, text("p" * 259) + b"\0\0")  # exactly fits
    limits += value(PAPER_SIZE, REG_BINARY, b"\x01\x02\x03")  # too short
    limits += value(QVDIR, REG_SZ, text("q" * 3000))  # far too long
    write("printer_data", "values-at-their-limits", struct.pack("<H", 40) + limits)
    write("printer_data", "empty-text",
          struct.pack("<H", 0) + value(CUSTOM_MEDIA_TYPE, REG_SZ, b""))
    write("printer_data", "paper-size-and-media-types", struct.pack("<H", 26) +
          value(PAPER_SIZE, REG_BINARY, struct.pack("<ii", 215900, 279400)) +
          value(THICK, REG_DWORD, struct.pack("<I", 0x1A02)) + value(THICK | 0x80, REG_SZ, b""))


if __name__ == "__main__":
    chosen_paths()
    printer_data()
    settings_blocks()
    printer_status()
    locale_answers()
    devmodes()
    typed_texts()
    sys.exit(0)
