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


def write(target, name, data, prefix="seed-"):
    folder = os.path.join(ROOT, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, prefix + name), "wb") as f:
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


def paper_names():
    """The count and buffer tests, three list lengths, forms, numbers, names, sizes, the paper."""
    def seed(name, counts, names, sizes, forms, devmode, reported=8, buffer=1024, prefix="seed-"):
        p = Provider().integral(reported, -2**31, 2**31 - 1, 4).integral(buffer, 0, 2**32 - 1, 4)
        for count in counts:
            p.integral(count, -1, 40, 4)
        p.integral(len(forms), 0, 8, 4)
        for number in range(counts[0]):
            p.integral(number % 12 + 1, 1, 12, 2)
        for index in names:
            p.boolean(True).pick(index, 5)
        for x, y in sizes:
            p.integral(x, -2**31, 2**31 - 1, 4).integral(y, -2**31, 2**31 - 1, 4)
        for index, size in forms:
            p.boolean(True).pick(index, 5).integral(size, 0, 4, 4)
        p.integral(2, 0, 4, 4).integral(len(names), -1, 50, 4)
        fields, number, width, length = devmode
        p.integral(fields, 0, 2**32 - 1, 4).integral(number, -2**15, 2**15 - 1, 2)
        p.integral(width, -2**15, 2**15 - 1, 2).integral(length, -2**15, 2**15 - 1, 2)
        write("paper_names", name, p.build(), prefix)

    papers = [(2159, 2794), (2100, 2970), (2159, 3556)]
    seed("by-number", (3, 3, 3), [0, 1, 4], papers, [(1, 2), (0, 2)], (2, 2, 0, 0))
    seed("by-size", (3, 3, 3), [0, 1, 4], papers, [(1, 2)], (12, 0, 2100, 2970))
    seed("a-count-past-what-a-word-holds", (40, 40, 40), [3] * 40, papers * 13 + papers[:1],
         [(3, 2)] * 8, (2, 9, 0, 0), reported=65538, buffer=0xFFFFFFFF)
    seed("lists-of-different-lengths", (3, 1, 3), [1], papers, [], (2, 3, 0, 0), prefix="finding-")
    seed("names-differing-in-hyphens", (2, 3, 2), [3, 1, 2], papers[:2], [(3, 2), (1, 2)],
         (2, 1, 0, 0), prefix="finding-")


def typed_texts():
    """Two typed texts from the front: a byte per ASCII character, 1 and a UTF-16 unit (high
    byte first) for any other, 0 after each. What else the target takes reads as 0."""
    def text(chars):
        return b"".join(bytes([ord(c)]) if 2 <= ord(c) < 128 else b"\x01" + struct.pack(">H", ord(c))
                        for c in chars) + b"\0"

    pairs = [("1e308", "-0"), ("nan", "inf"), ("0x1A", "\u0663"), ("1" * 4000, ""),
             ("11.5 in", "30.5"), ("26", "24"), ("258", "0"), ("-1", "12.50"), ("1.15", "0.47"),
             ("  7", "\uff11\uff12")]
    for i, (first, second) in enumerate(pairs):
        write("typed_texts", "%02d" % i, text(first) + text(second))


def chosen_paths():
    """The buffer's characters and how often the path's piece repeats, then the piece in UTF-16."""
    for name, chars, piece, times in [("pattern-259", 260, "sub\\x.b", 37),
                                      ("pattern-260", 260, "sub\\", 65),
                                      ("table-4095", 4096, "sub\\x", 819),
                                      ("table-4096", 4096, "sub\\", 1024),
                                      ("table-5000", 4096, "sub\\x", 1000),
                                      ("short", 4096, "C:\\Tables\\grade2.bct", 1)]:
        write("chosen_paths", name, struct.pack("<HH", chars, times) + piece.encode("utf-16-le"))


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
    paper_names()
    printer_data()
    settings_blocks()
    printer_status()
    locale_answers()
    devmodes()
    typed_texts()
    sys.exit(0)
