#!/usr/bin/env python3
"""Draws the program's pictures: the splash screen, the about box's two pictures (each in true
colour and in 256 colours) and the program icon. Run it from anywhere; it writes next to itself.
The splash outline's point table is printed for the splash window's region, which must match."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# 5x7 block letters for the few words the pictures carry.
GLYPHS = {
    'K': ["10001", "10010", "10100", "11000", "10100", "10010", "10001"],
    'E': ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    'S': ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    'T': ["11111", "00100", "00100", "00100", "00100", "00100", "00100"],
}


class Picture:
    def __init__(self, width, height, colour):
        self.width, self.height = width, height
        self.pixels = [[colour] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def fill(self, left, top, right, bottom, colour):
        for y in range(max(top, 0), min(bottom, self.height)):
            for x in range(max(left, 0), min(right, self.width)):
                self.pixels[y][x] = colour

    def frame(self, left, top, right, bottom, colour):
        self.fill(left, top, right, top + 1, colour)
        self.fill(left, bottom - 1, right, bottom, colour)
        self.fill(left, top, left + 1, bottom, colour)
        self.fill(right - 1, top, right, bottom, colour)

    def gradient(self, left, top, right, bottom, start, end, inside=None):
        for y in range(top, bottom):
            t = (y - top) / max(bottom - top - 1, 1)
            colour = tuple(int(a + (b - a) * t) for a, b in zip(start, end))
            for x in range(left, right):
                if inside is None or inside(x, y):
                    self.put(x, y, colour)

    def text(self, x, y, word, scale, colour):
        for letter in word:
            rows = GLYPHS[letter]
            for row, bits in enumerate(rows):
                for column, bit in enumerate(bits):
                    if bit == "1":
                        self.fill(x + column * scale, y + row * scale, x + (column + 1) * scale,
                                  y + (row + 1) * scale, colour)
            x += 6 * scale

    def page_to_table(self, left, top, accent, columns=3):
        """A printed page with lines of text, an arrow, and the table made of it; with fewer
        columns the whole is narrower (214 pixels wide with three, 50 less per column less)."""
        page = 10 + columns * 20
        self.fill(left + 3, top + 3, left + page + 3, top + 99, (60, 60, 60))
        self.fill(left, top, left + page, top + 96, (255, 255, 255))
        for row in range(8):
            y = top + 10 + row * 10
            for column, width in enumerate((14, 18, 12)[:columns]):
                x = left + 8 + column * 20
                self.fill(x, y, x + width, y + 3, (90, 90, 90))
        ax = left + page + 14
        self.fill(ax, top + 46, ax + 22, top + 52, accent)
        for i in range(9):
            self.fill(ax + 22 + i, top + 40 + i, ax + 23 + i, top + 58 - i, accent)
        tx = ax + 40
        table = columns * 30
        self.fill(tx, top, tx + table, top + 96, (255, 255, 255))
        self.fill(tx, top, tx + table, top + 12, accent)
        for row in range(9):
            self.fill(tx, top + row * 12, tx + table, top + row * 12 + 1, (120, 120, 120))
        for column in range(columns + 1):
            self.fill(tx + column * 30, top, tx + column * 30 + 1, top + 96, (120, 120, 120))
        self.frame(tx, top, tx + table + 1, top + 97, (40, 40, 40))


def resample(path, count):
    """count points spread evenly along the polyline, rounded to whole pixels."""
    lengths = [((b[0] - a[0]) ** 2 + (b[1] - a[1]) ** 2) ** 0.5 for a, b in zip(path, path[1:])]
    total = sum(lengths)
    points = []
    for i in range(count):
        at = total * i / (count - 1)
        for (a, b), length in zip(zip(path, path[1:]), lengths):
            if at <= length or (a, b) == (path[-2], path[-1]):
                t = at / length if length else 0
                points.append((round(a[0] + (b[0] - a[0]) * t), round(a[1] + (b[1] - a[1]) * t)))
                break
            at -= length
    return points


def splash_outline():
    middle = [(44, 53), (30, 48), (12, 40), (0, 30), (6, 18), (20, 8), (40, 2), (60, 1), (150, 1),
              (170, 3), (180, 10), (184, 30), (187, 45)]
    points = [(49, 58), (48, 57), (46, 56), (45, 55)] + resample(middle, 62) + [(191, 51), (201, 56), (204, 59)]
    assert len(points) == 69
    return points


def winding_inside(points, x, y):
    px, py = x + 0.5, y + 0.5
    winding = 0
    for (x1, y1), (x2, y2) in zip(points, points[1:] + points[:1]):
        if y1 <= py < y2 or y2 <= py < y1:
            cross = (x2 - x1) * (py - y1) - (px - x1) * (y2 - y1)
            if y2 > y1 and cross > 0:
                winding += 1
            elif y2 < y1 and cross < 0:
                winding -= 1
    return winding != 0


def draw_splash():
    outline = splash_outline()
    picture = Picture(434, 309, (0, 0, 0))
    picture.gradient(0, 0, 205, 60, (20, 70, 130), (30, 100, 170), lambda x, y: winding_inside(outline, x, y))
    picture.gradient(34, 59, 434, 309, (30, 100, 170), (10, 40, 90))
    picture.text(60, 14, "KEST", 5, (255, 255, 255))
    picture.page_to_table(80, 100, (240, 170, 40))
    picture.fill(34, 300, 434, 309, (240, 170, 40))
    return picture, outline


def draw_about(second):
    picture = Picture(420, 230, (192, 192, 192))
    body, accent = ((30, 100, 170), (240, 170, 40)) if not second else ((120, 40, 110), (90, 200, 120))
    picture.gradient(0, 0, 180, 230, body, (10, 40, 90))
    # Two columns fit the whole road from the page to the table into the coloured band.
    picture.page_to_table(12, 60, accent, 2)
    picture.text(188, 18, "KEST", 6, body)
    picture.fill(188, 62, 413, 64, accent)
    return picture


def bmp24(picture):
    row = (picture.width * 3 + 3) & ~3
    data = bytearray()
    for y in range(picture.height - 1, -1, -1):
        line = bytearray()
        for r, g, b in picture.pixels[y]:
            line += bytes((b, g, r))
        data += line + bytes(row - len(line))
    header = struct.pack("<IiiHHIIiiII", 40, picture.width, picture.height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 54) + header + data


def bmp8(picture):
    """256 colours: a 6x6x6 cube and a grey ramp; each pixel takes the nearest entry."""
    palette = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
    palette += [(v * 255 // 39, v * 255 // 39, v * 255 // 39) for v in range(40)]
    cache = {}

    def nearest(colour):
        if colour not in cache:
            cache[colour] = min(range(256), key=lambda i: sum((a - b) ** 2 for a, b in zip(colour, palette[i])))
        return cache[colour]

    row = (picture.width + 3) & ~3
    data = bytearray()
    for y in range(picture.height - 1, -1, -1):
        line = bytes(nearest(c) for c in picture.pixels[y])
        data += line + bytes(row - len(line))
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    header = struct.pack("<IiiHHIIiiII", 40, picture.width, picture.height, 1, 8, 0, len(data), 2835, 2835, 256, 0)
    offset = 14 + 40 + len(table)
    return struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset) + header + table + data


def icon_image(size):
    picture = Picture(size, size, None)
    s = size / 32
    picture.fill(int(2 * s), int(2 * s), int(22 * s), int(28 * s), (255, 255, 255))
    picture.frame(int(2 * s), int(2 * s), int(22 * s), int(28 * s), (60, 60, 60))
    for row in range(5):
        y = int((7 + row * 4) * s)
        picture.fill(int(5 * s), y, int(18 * s), y + max(int(s), 1), (90, 90, 90))
    picture.fill(int(14 * s), int(12 * s), int(31 * s), int(31 * s), (30, 100, 170))
    for k in range(3):
        picture.fill(int(14 * s), int((12 + 6 * k) * s), int(31 * s), int((12 + 6 * k) * s) + 1, (255, 255, 255))
        picture.fill(int((14 + 6 * k) * s), int(12 * s), int((14 + 6 * k) * s) + 1, int(31 * s), (255, 255, 255))
    pixels = bytearray()
    for y in range(size - 1, -1, -1):
        for colour in picture.pixels[y]:
            pixels += bytes((0, 0, 0, 0)) if colour is None else bytes((colour[2], colour[1], colour[0], 255))
    mask = bytes(((size + 31) // 32) * 4 * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return header + pixels + mask


def ico():
    images = [icon_image(32), icon_image(16)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip((32, 16), images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return out + b"".join(images)


def write(name, data):
    with open(os.path.join(HERE, name), "wb") as file:
        file.write(data)


def main():
    splash, outline = draw_splash()
    write("Splash.bmp", bmp24(splash))
    write("Splash256.bmp", bmp8(splash))
    for second, stem in ((False, "About"), (True, "AboutSecond")):
        about = draw_about(second)
        write(stem + ".bmp", bmp24(about))
        write(stem + "256.bmp", bmp8(about))
    write("Kest.ico", ico())
    print(",\n".join(", ".join("{%d, %d}" % p for p in outline[i:i + 8]) for i in range(0, len(outline), 8)))


if __name__ == "__main__":
    main()
