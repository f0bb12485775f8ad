#!/usr/bin/env python3
"""Builds the 4-bit menu glyph bitmap from its description: MakeMenuGlyphs.py <description> <bmp>."""
import struct
import sys

SIZE = 9
COUNT = 42
# Colour table: black, grey, white, magenta; the rest of the 16 entries unused (black).
PALETTE = [(0, 0, 0), (128, 128, 128), (255, 255, 255), (255, 0, 255)] + [(0, 0, 0)] * 12
INDEX = {"#": 0, "+": 1, "o": 2, ".": 3}


def derive(rows, how):
    if how == "grey":
        return [r.replace("#", "+") for r in rows]
    if how == "white":
        return [r.replace("#", "o") for r in rows]
    if how == "mirror":
        return [r[::-1] for r in rows]
    if how == "flip":
        return rows[::-1]
    if how == "turn":
        return ["".join(rows[y][x] for y in range(SIZE)) for x in range(SIZE)]
    if how == "":
        return list(rows)
    raise SystemExit(f"unknown derivation {how!r}")


def parse(text):
    glyphs = {}
    lines = [l.rstrip("\n") for l in text.splitlines() if l.strip() and not l.startswith(";")]
    i = 0
    while i < len(lines):
        words = lines[i].split()
        if words[0] != "glyph":
            raise SystemExit(f"expected a glyph line: {lines[i]!r}")
        number = int(words[1])
        if "=" in words:
            rest = words[words.index("=") + 1:]
            glyphs[number] = derive(glyphs[int(rest[0])], rest[1] if len(rest) > 1 else "")
            i += 1
        else:
            rows = lines[i + 1:i + 1 + SIZE]
            if len(rows) != SIZE or any(len(r) != SIZE or set(r) - set(INDEX) for r in rows):
                raise SystemExit(f"glyph {number}: {SIZE} rows of {SIZE} of {''.join(INDEX)} expected")
            glyphs[number] = rows
            i += 1 + SIZE
    if sorted(glyphs) != list(range(COUNT)):
        raise SystemExit(f"glyphs 0..{COUNT - 1} expected, got {sorted(glyphs)}")
    return glyphs


def write_bmp(glyphs, path):
    width, height = SIZE * COUNT, SIZE
    stride = ((width * 4 + 31) // 32) * 4
    bits = bytearray()
    for y in reversed(range(height)):  # bottom-up rows
        row = [INDEX[glyphs[x // SIZE][y][x % SIZE]] for x in range(width)]
        row += [0] * (stride * 2 - len(row))
        bits += bytes((row[k] << 4) | row[k + 1] for k in range(0, stride * 2, 2))
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(bits), 0, 0, 16, 0)
    offset = 14 + len(info) + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    with open(path, "wb") as f:
        f.write(header + info + table + bits)


if __name__ == "__main__":
    with open(sys.argv[1], encoding="utf-8") as f:
        write_bmp(parse(f.read()), sys.argv[2])
