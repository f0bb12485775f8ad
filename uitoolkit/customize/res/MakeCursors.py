#!/usr/bin/env python3
"""Builds cursors from their description: MakeCursors.py <description> <folder>.

Each cursor of the description becomes <folder>/<name>.img, a 32 x 32 monochrome cursor image as
the system builds a cursor from (hot spot, then the bitmap with its masks). Programs keep it as
raw data under the cursor's id; the linker cannot merge cursor resources of several scripts."""
import os
import struct
import sys

SIZE = 32


def parse(text):
    cursors = []
    lines = [l.rstrip("\n") for l in text.splitlines() if l.strip() and not l.startswith(";")]
    i = 0
    while i < len(lines):
        words = lines[i].split()
        if words[0] != "cursor" or len(words) != 5:
            raise SystemExit(f"expected 'cursor NAME ID HOTX HOTY': {lines[i]!r}")
        name, hot_x, hot_y = words[1], int(words[3]), int(words[4])
        rows = lines[i + 1:i + 1 + SIZE]
        if len(rows) != SIZE or any(len(r) != SIZE or set(r) - set(".#o") for r in rows):
            raise SystemExit(f"cursor {name}: {SIZE} rows of {SIZE} of '.', '#', 'o' expected")
        cursors.append((name, hot_x, hot_y, rows))
        i += 1 + SIZE
    return cursors


def mask_rows(rows, bit_of):
    data = b""
    for row in reversed(rows):  # bottom-up
        bits = 0
        for x, c in enumerate(row):
            if bit_of(c):
                bits |= 1 << (SIZE - 1 - x)
        data += bits.to_bytes(SIZE // 8, "big")
    return data


def cursor_image(hot_x, hot_y, rows):
    # "#" black (and 0, xor 0), "o" white (and 0, xor 1), "." transparent (and 1, xor 0).
    xor = mask_rows(rows, lambda c: c == "o")
    and_ = mask_rows(rows, lambda c: c == ".")
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0, len(xor) + len(and_), 0, 0, 2, 0)
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    image = struct.pack("<HH", hot_x, hot_y) + header + palette + xor + and_
    return image


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    with open(sys.argv[1], encoding="ascii") as f:
        cursors = parse(f.read())
    os.makedirs(sys.argv[2], exist_ok=True)
    for name, hot_x, hot_y, rows in cursors:
        with open(os.path.join(sys.argv[2], name + ".img"), "wb") as f:
            f.write(cursor_image(hot_x, hot_y, rows))


if __name__ == "__main__":
    main()
