#!/usr/bin/env python3
"""Draws the plug-in's bitmap resources into src/resources/bitmaps/.

Every picture is an uncompressed BMP with a palette (4 or 8 bits a pixel) on a cyan
RGB(0, 255, 255) background: the pages draw them with TransparentBlt and cyan as the
transparent colour, so no artwork may use pure cyan itself. Run it after changing a picture and commit the .bmp files it writes:

    python3 scripts/draw_bitmaps.py [--preview DIR]

--preview also writes each picture as a PNG, four times enlarged, for looking at them.
Only the Python standard library is used.
"""

import argparse
import math
import pathlib
import struct
import zlib

CYAN = (0, 255, 255)
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
EDGE = (64, 64, 64)
TEXT_GREY = (128, 128, 128)
FAINT_GREY = (200, 200, 200)
LIGHT_GREY = (224, 224, 224)
MID_GREY = (160, 160, 160)
DARK_GREY = (96, 96, 96)
NAVY = (0, 40, 110)
INK = (40, 40, 150)
RED = (210, 30, 30)
GREEN = (40, 150, 60)
BLUE = (40, 90, 220)
YELLOW = (240, 200, 40)
ORANGE = (240, 130, 20)
SKY = (120, 170, 240)

# A 5 x 7 pixel font for the few glyphs the pictures need.
GLYPHS = {
    "1": ["00100", "01100", "00100", "00100", "00100", "00100", "01110"],
    "2": ["01110", "10001", "00001", "00010", "00100", "01000", "11111"],
    "3": ["11110", "00001", "00001", "01110", "00001", "00001", "11110"],
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
    "I": ["11111", "00100", "00100", "00100", "00100", "00100", "11111"],
    "K": ["10001", "10010", "10100", "11000", "10100", "10010", "10001"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "T": ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
    "V": ["10001", "10001", "10001", "10001", "10001", "01010", "00100"],
}


class Canvas:
    """A picture of width x height pixels, (0, 0) at the top left."""

    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.pixels = [[CYAN] * width for _ in range(height)]

    def dot(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def fill(self, x0, y0, x1, y1, colour):
        """Fills the rectangle from (x0, y0) up to but not including (x1, y1)."""
        for y in range(max(y0, 0), min(y1, self.height)):
            for x in range(max(x0, 0), min(x1, self.width)):
                self.pixels[y][x] = colour

    def frame(self, x0, y0, x1, y1, colour):
        self.fill(x0, y0, x1, y0 + 1, colour)
        self.fill(x0, y1 - 1, x1, y1, colour)
        self.fill(x0, y0, x0 + 1, y1, colour)
        self.fill(x1 - 1, y0, x1, y1, colour)

    def line(self, x0, y0, x1, y1, colour, dash=0):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err, step = dx + dy, 0
        while True:
            if not dash or (step // dash) % 2 == 0:
                self.dot(x0, y0, colour)
            if x0 == x1 and y0 == y1:
                return
            step += 1
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def ellipse(self, cx, cy, rx, ry, colour):
        """Fills the ellipse centred on (cx, cy), measured to pixel centres so that a centre on
        a whole number lies between four pixels and the shape stays symmetric."""
        for y in range(self.height):
            for x in range(self.width):
                if ((x + 0.5 - cx) / rx) ** 2 + ((y + 0.5 - cy) / ry) ** 2 <= 1.0:
                    self.pixels[y][x] = colour

    def polygon(self, points, colour):
        """Fills a polygon by testing every pixel centre against its edges."""
        for y in range(self.height):
            for x in range(self.width):
                px, py, inside = x + 0.5, y + 0.5, False
                for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
                    if (ay > py) != (by > py):
                        if px < ax + (py - ay) * (bx - ax) / (by - ay):
                            inside = not inside
                if inside:
                    self.pixels[y][x] = colour

    def glyph(self, x, y, char, colour, scale=1):
        """Draws one glyph of the 5 x 7 font, each of its dots scale x scale pixels."""
        for row, bits in enumerate(GLYPHS[char]):
            for col, bit in enumerate(bits):
                if bit == "1":
                    self.fill(x + col * scale, y + row * scale, x + (col + 1) * scale,
                              y + (row + 1) * scale, colour)

    def text(self, x, y, text, colour, scale=1, gap=1):
        for char in text:
            self.glyph(x, y, char, colour, scale)
            x += (5 + gap) * scale

    def bmp(self):
        """The picture as a bottom-up BMP file with a palette of its own colours: 4 bits a pixel
        for up to 16 colours, else 8 (the artwork has few colours, and the plug-in's size counts
        on a print server's clients). Every colour, the transparent cyan first, is kept exact."""
        colours = [CYAN] + sorted({p for row in self.pixels for p in row} - {CYAN})
        assert len(colours) <= 256, "a picture of more than 256 colours"
        bits = 4 if len(colours) <= 16 else 8
        index = {colour: i for i, colour in enumerate(colours)}
        row_size = ((self.width * bits + 31) // 32) * 4
        body = bytearray()
        for row in reversed(self.pixels):
            line = bytearray(row_size)
            for x, colour in enumerate(row):
                if bits == 8:
                    line[x] = index[colour]
                else:
                    line[x // 2] |= index[colour] << (0 if x % 2 else 4)
            body += line
        palette = b"".join(bytes((b, g, r, 0)) for r, g, b in colours)
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, bits, 0, len(body),
                           3780, 3780, len(colours), 0)
        offset = 14 + len(info) + len(palette)
        header = struct.pack("<2sIHHI", b"BM", offset + len(body), 0, 0, offset)
        return header + info + palette + bytes(body)

    def png(self, scale):
        """The picture enlarged scale times as a PNG, for looking at it."""
        raw = bytearray()
        for row in self.pixels:
            line = bytearray(b"\0")
            for colour in row:
                line += bytes(colour) * scale
            raw += bytes(line) * scale

        def chunk(kind, data):
            crc = zlib.crc32(kind + data) & 0xFFFFFFFF
            return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", crc)

        head = struct.pack(">IIBBBBB", self.width * scale, self.height * scale, 8, 2, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", head) + chunk(b"IDAT", zlib.compress(raw))
                + chunk(b"IEND", b""))


# Building blocks shared by the pictures.

def letter_a(c, x, y, width, height, colour, turned=False):
    """A large capital A with slanted legs, so that a turned one is plainly upside down."""
    stroke = 3.2
    for row in range(height):
        for col in range(width):
            px, py = col + 0.5, row + 0.5
            left = width / 2 - (width / 2) * py / height
            right = width / 2 + (width / 2) * py / height
            apex = width / 2
            leg = (left <= px <= min(left + stroke, apex + 1)) or (max(right - stroke, apex - 1)
                                                                   <= px <= right)
            bar = 0.6 * height <= py <= 0.6 * height + 2.5 and left <= px <= right
            if leg or bar:
                if turned:
                    c.dot(x + width - 1 - col, y + height - 1 - row, colour)
                else:
                    c.dot(x + col, y + row, colour)


def sheet(c, x0, y0, x1, y1, paper=WHITE, edge=EDGE):
    c.fill(x0, y0, x1, y1, paper)
    c.frame(x0, y0, x1, y1, edge)


def dog_eared_sheet(c, x0, y0, x1, y1):
    """A sheet whose top right corner is folded, so that its upright position shows."""
    sheet(c, x0, y0, x1, y1)
    fold = 6
    c.polygon([(x1 - fold, y0), (x1, y0), (x1, y0 + fold)], CYAN)
    c.polygon([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], LIGHT_GREY)
    c.line(x1 - fold, y0, x1 - fold, y0 + fold, EDGE)
    c.line(x1 - fold, y0 + fold, x1 - 1, y0 + fold, EDGE)
    c.line(x1 - fold, y0, x1 - 1, y0 + fold - 1, EDGE)


def text_lines(c, x0, y0, x1, y1, colour=TEXT_GREY, align="left", pitch=3):
    """Lines of text as grey strokes of varying length inside the given box."""
    widths = [1.0, 0.85, 0.95, 0.6, 1.0, 0.9, 0.75, 1.0, 0.8, 0.5]
    span = x1 - x0
    for n, y in enumerate(range(y0, y1, pitch)):
        length = max(2, int(span * widths[n % len(widths)]))
        if align == "left":
            c.fill(x0, y, x0 + length, y + 1, colour)
        else:
            c.fill(x1 - length, y, x1, y + 1, colour)


def picture_block(c, x0, y0, x1, y1):
    """A small landscape photograph: sky, sun and a green hill."""
    c.fill(x0, y0, x1, y1, SKY)
    c.ellipse(x1 - 4, y0 + 4, 2.2, 2.2, YELLOW)
    hill = [(x0, y1), (x0, y1 - 3), ((x0 + x1) // 2, y0 + (y1 - y0) // 2), (x1, y1 - 2), (x1, y1)]
    c.polygon(hill, GREEN)
    c.frame(x0, y0, x1, y1, DARK_GREY)


def braille_cell(c, x, y, dots, pitch=5, radius=1.6, raised=BLACK, flat=None):
    """One braille cell; dots 1-3 run down the left column and 4-6 down the right."""
    for dot in range(1, 7):
        col, row = (0, dot - 1) if dot <= 3 else (1, dot - 4)
        cx, cy = x + col * pitch, y + row * pitch
        if dot in dots:
            c.ellipse(cx, cy, radius, radius, raised)
        elif flat:
            c.ellipse(cx, cy, radius * 0.6, radius * 0.6, flat)


def cartridge_body(c):
    """The ink cartridge seen from the front: body, label and the ink window's frame."""
    c.fill(12, 2, 20, 6, DARK_GREY)  # the nozzle cap
    c.fill(6, 6, 26, 54, LIGHT_GREY)
    c.frame(6, 6, 26, 54, EDGE)
    c.fill(8, 8, 24, 12, NAVY)  # the label strip
    c.frame(10, 14, 22, 51, EDGE)


def cartridge(c, percent):
    cartridge_body(c)
    c.fill(11, 15, 21, 50, WHITE)
    top = 50 - round(35 * percent / 100)
    c.fill(11, top, 21, 50, INK)
    for level in (25, 50, 75):  # scale marks beside the window
        y = 50 - round(35 * level / 100)
        c.fill(22, y, 25, y + 1, EDGE)


def two_pages(c, left_colour, right_colour, right_align, gap):
    """Two facing pages with text, as the main page's side pictures show them."""
    left, right = (6, 5, 31 - gap // 2, 43), (33 + gap - gap // 2, 5, 58, 43)
    sheet(c, *left)
    sheet(c, *right)
    text_lines(c, left[0] + 3, 9, left[2] - 3, 40, left_colour)
    text_lines(c, right[0] + 3, 9, right[2] - 3, 40, right_colour, align=right_align)


def stacked_copies(c, x, y, numbers):
    """Three fanned sheets, the first number at the front; each shows its page number."""
    offsets = [(14, 10), (7, 5), (0, 0)]
    for (dx, dy), number in reversed(list(zip(offsets, numbers))):
        sheet(c, x + dx, y + dy, x + dx + 16, y + dy + 22)
        c.glyph(x + dx + 1, y + dy + 2, number, BLACK)
    text_lines(c, x + 14 + 7, y + 10 + 11, x + 14 + 14, y + 10 + 21, pitch=3)


# The pictures, by resource id.

def orientation_portrait():
    c = Canvas(48, 48)
    dog_eared_sheet(c, 10, 4, 38, 44)
    letter_a(c, 15, 13, 18, 22, BLACK)
    return c


def orientation_landscape(turned):
    c = Canvas(48, 48)
    dog_eared_sheet(c, 3, 10, 45, 38)
    letter_a(c, 15, 13, 18, 22, BLACK, turned)
    return c


def duplex_single():
    c = Canvas(64, 48)
    sheet(c, 19, 5, 45, 43)
    text_lines(c, 22, 9, 42, 40)
    return c


def duplex_double():
    c = Canvas(64, 48)
    for x0 in (5, 35):
        sheet(c, x0, 5, x0 + 24, 43)
        text_lines(c, x0 + 3, 9, x0 + 21, 40)
    return c


def duplex_empty_page():
    c = Canvas(64, 48)
    sheet(c, 5, 5, 29, 43)
    text_lines(c, 8, 9, 26, 18)
    picture_block(c, 8, 20, 26, 33)
    text_lines(c, 8, 35, 26, 40)
    sheet(c, 35, 5, 59, 43)  # the empty page inserted beside the graphics page
    return c


def collated():
    c = Canvas(80, 48)
    stacked_copies(c, 6, 8, ["1", "2", "3"])
    stacked_copies(c, 44, 8, ["1", "2", "3"])
    return c


def uncollated():
    c = Canvas(80, 48)
    stacked_copies(c, 6, 8, ["1", "1", "1"])
    stacked_copies(c, 44, 8, ["2", "2", "2"])
    return c


def colour_page():
    c = Canvas(32, 40)
    sheet(c, 4, 3, 28, 37)
    c.fill(7, 6, 25, 9, RED)
    text_lines(c, 7, 11, 25, 17, BLUE)
    picture_block(c, 7, 18, 25, 29)
    text_lines(c, 7, 31, 25, 35, GREEN)
    return c


def monochrome_page():
    # Not described by the page that holds it: a black and white page, the companion of the
    # colour and grey pages.
    c = Canvas(32, 40)
    sheet(c, 4, 3, 28, 37)
    c.fill(7, 6, 25, 9, BLACK)
    text_lines(c, 7, 11, 25, 17, BLACK)
    c.fill(7, 18, 25, 29, BLACK)
    c.fill(9, 20, 23, 27, WHITE)
    c.line(9, 26, 15, 21, BLACK)
    c.line(15, 21, 22, 26, BLACK)
    text_lines(c, 7, 31, 25, 35, BLACK)
    return c


def grey_page():
    c = Canvas(32, 40)
    sheet(c, 4, 3, 28, 37)
    c.fill(7, 6, 25, 9, DARK_GREY)
    text_lines(c, 7, 11, 25, 17, TEXT_GREY)
    for n, shade in enumerate((64, 96, 128, 160, 192, 224)):
        c.fill(7 + n * 3, 18, 10 + n * 3, 29, (shade, shade, shade))
    c.frame(7, 18, 25, 29, DARK_GREY)
    text_lines(c, 7, 31, 25, 35, TEXT_GREY)
    return c


def magazine_fold():
    c = Canvas(64, 48)
    c.polygon([(8, 8), (32, 5), (32, 43), (8, 40)], WHITE)
    c.polygon([(32, 5), (56, 8), (56, 40), (32, 43)], WHITE)
    for a, b in (((8, 8), (32, 5)), ((32, 5), (56, 8)), ((8, 40), (32, 43)), ((32, 43), (56, 40)),
                 ((8, 8), (8, 40)), ((56, 8), (56, 40))):
        c.line(*a, *b, EDGE)
    text_lines(c, 11, 12, 29, 37)
    text_lines(c, 35, 12, 53, 37)
    c.line(32, 2, 32, 46, RED, dash=2)  # the fold line
    return c


def magazine_no_fold():
    c = Canvas(64, 48)
    for x0 in (6, 34):
        sheet(c, x0, 6, x0 + 24, 42)
        text_lines(c, x0 + 3, 10, x0 + 21, 39)
    return c


def two_pass():
    c = Canvas(64, 48)
    two_pages(c, BLACK, FAINT_GREY, "right", gap=2)
    return c


def back_side_ink():
    c = Canvas(64, 48)
    two_pages(c, BLACK, BLACK, "left", gap=2)
    return c


def ink_fill(percent):
    c = Canvas(32, 56)
    cartridge(c, percent)
    return c


def cartridge_error():
    c = Canvas(32, 56)
    cartridge_body(c)
    c.fill(11, 15, 21, 50, WHITE)
    c.ellipse(16, 33, 11, 11, RED)
    for d in range(-5, 6):
        for w in (0, 1):
            c.dot(15 + d + w, 32 + d, WHITE)
            c.dot(15 + d + w, 32 - d, WHITE)
    return c


def empty_slot():
    c = Canvas(32, 56)
    c.fill(4, 4, 28, 56, DARK_GREY)  # the bay of the ink unit
    c.fill(6, 6, 26, 54, (72, 72, 72))
    for a, b in (((6, 6), (25, 6)), ((25, 6), (25, 53)), ((25, 53), (6, 53)), ((6, 53), (6, 6))):
        c.line(*a, *b, LIGHT_GREY, dash=2)  # where a cartridge would sit
    return c


def embosser():
    # Not used by any dialog yet: the Tarvik embosser with tractor-fed braille paper.
    c = Canvas(48, 48)
    sheet(c, 12, 3, 36, 26)
    for y in range(5, 26, 4):  # tractor feed holes
        c.ellipse(15, y + 1, 1.1, 1.1, MID_GREY)
        c.ellipse(34, y + 1, 1.1, 1.1, MID_GREY)
    braille_cell(c, 20, 8, {1, 2, 4}, pitch=3, radius=1.1)
    braille_cell(c, 27, 8, {1, 5}, pitch=3, radius=1.1)
    c.fill(4, 22, 44, 42, MID_GREY)
    c.frame(4, 22, 44, 42, EDGE)
    c.fill(10, 24, 38, 27, DARK_GREY)  # the paper slot
    c.fill(8, 33, 20, 37, NAVY)  # the front panel
    c.ellipse(36.5, 35.5, 2, 2, GREEN)
    c.fill(6, 42, 12, 45, EDGE)
    c.fill(36, 42, 42, 45, EDGE)
    return c


def ink_unit():
    # Not used by any dialog yet: the ChromaPod ink unit with its ink drop on the front.
    c = Canvas(48, 48)
    c.fill(6, 10, 42, 42, LIGHT_GREY)
    c.frame(6, 10, 42, 42, EDGE)
    c.fill(6, 10, 42, 14, DARK_GREY)
    for n, colour in enumerate((BLUE, RED, YELLOW)):
        c.fill(10 + n * 10, 36, 18 + n * 10, 39, colour)
    ink_drop_shape(c, 24, 24, 7, INK)
    return c


def ink_drop_shape(c, cx, cy, r, colour):
    c.ellipse(cx, cy, r, r, colour)
    c.polygon([(cx - r * 0.86, cy - r * 0.5), (cx, cy - r * 2.1), (cx + r * 0.86, cy - r * 0.5)],
              colour)


def logo():
    c = Canvas(100, 42)
    c.text(10, 5, "TARVIK", NAVY, scale=2, gap=2)
    # "tarvik" in braille under the letters.
    cells = [{2, 3, 4, 5}, {1}, {1, 2, 3, 5}, {1, 2, 3, 6}, {2, 4}, {1, 3}]
    for n, dots in enumerate(cells):
        braille_cell(c, 13 + n * 14, 27, dots, pitch=5, radius=2.1, raised=ORANGE)
    return c


def ink_drop():
    c = Canvas(32, 32)
    ink_drop_shape(c, 16, 20, 9, BLUE)
    c.ellipse(12.5, 21.5, 2, 3.2, (190, 210, 255))  # the shine
    return c


def braille_dots():
    c = Canvas(32, 32)
    braille_cell(c, 11, 6, {1, 2, 4, 5}, pitch=10, radius=3.6, raised=BLACK, flat=MID_GREY)
    return c


PICTURES = {
    116: ("orient_portrait", orientation_portrait),
    117: ("orient_landscape", lambda: orientation_landscape(False)),
    118: ("orient_landscape_turned", lambda: orientation_landscape(True)),
    119: ("duplex_single", duplex_single),
    120: ("duplex_double", duplex_double),
    121: ("duplex_empty_page", duplex_empty_page),
    122: ("collate_on", collated),
    123: ("collate_off", uncollated),
    124: ("colour_page", colour_page),
    125: ("monochrome_page", monochrome_page),
    126: ("grey_page", grey_page),
    135: ("magazine_fold", magazine_fold),
    136: ("magazine_no_fold", magazine_no_fold),
    139: ("two_pass", two_pass),
    140: ("back_side_ink", back_side_ink),
    153: ("cartridge_error", cartridge_error),
    154: ("cartridge_none", empty_slot),
    155: ("embosser", embosser),
    156: ("ink_unit", ink_unit),
    157: ("logo", logo),
    158: ("ink_drop", ink_drop),
    159: ("braille_dots", braille_dots),
}
# 142 shows an empty cartridge (0-9 %), 143 one at 10 %, ... 152 a full one (100 %).
for step in range(11):
    PICTURES[142 + step] = ("ink_fill_%03d" % (step * 10),
                            lambda percent=step * 10: ink_fill(percent))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--preview", metavar="DIR", help="also write enlarged PNGs here")
    args = parser.parse_args()

    out = pathlib.Path(__file__).resolve().parent.parent / "src" / "resources" / "bitmaps"
    out.mkdir(parents=True, exist_ok=True)
    for stale in out.glob("*.bmp"):
        stale.unlink()
    preview = pathlib.Path(args.preview) if args.preview else None
    if preview:
        preview.mkdir(parents=True, exist_ok=True)
    for resource_id, (name, draw) in sorted(PICTURES.items()):
        canvas = draw()
        stem = "%d_%s" % (resource_id, name)
        (out / (stem + ".bmp")).write_bytes(canvas.bmp())
        if preview:
            (preview / (stem + ".png")).write_bytes(canvas.png(4))
    print("wrote %d bitmaps to %s" % (len(PICTURES), out))


if __name__ == "__main__":
    main()
