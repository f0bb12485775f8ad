#!/usr/bin/env python3
"""Builds a 4-bit strip bitmap from its description: MakeBitmap.py <description> <bmp>.

The description names its colours ("colour C R G B", one character each), the image size
("size W H") and then the images in strip order ("image NAME" and H rows of W characters)."""
import struct
import sys


def parse(text):
    colours, images, size = {}, [], None
    lines = [l.rstrip("\n") for l in text.splitlines() if l.strip() and not l.startswith(";")]
    i = 0
    while i < len(lines):
        words = lines[i].split()
        if words[0] == "colour" and len(words) == 5:
            colours[words[1]] = tuple(int(v) for v in words[2:])
            i += 1
        elif words[0] == "size" and len(words) == 3:
            size = (int(words[1]), int(words[2]))
            i += 1
        elif words[0] == "image" and size is not None:
            rows = lines[i + 1:i + 1 + size[1]]
            if len(rows) != size[1] or any(len(r) != size[0] or set(r) - set(colours) for r in rows):
                raise SystemExit(f"image {words[1]}: {size[1]} rows of {size[0]} known colours expected")
            images.append(rows)
            i += 1 + size[1]
        else:
            raise SystemExit(f"unexpected line: {lines[i]!r}")
    if len(colours) > 16 or not images:
        raise SystemExit("at most 16 colours and at least one image expected")
    return colours, size, images


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    with open(sys.argv[1], encoding="ascii") as f:
        colours, (w, h), images = parse(f.read())
    index = {c: n for n, c in enumerate(colours)}
    palette = b"".join(bytes([b, g, r, 0]) for r, g, b in colours.values()) + b"\0" * 4 * (16 - len(colours))
    width = w * len(images)
    stride = ((width * 4 + 31) // 32) * 4
    pixels = b""
    for y in reversed(range(h)):
        row = "".join(image[y] for image in images)
        nibbles = [index[c] for c in row] + [0] * (stride * 2 - width)
        pixels += bytes((nibbles[k] << 4) | nibbles[k + 1] for k in range(0, len(nibbles), 2))
    info = struct.pack("<IiiHHIIiiII", 40, width, h, 1, 4, 0, len(pixels), 0, 0, 16, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    with open(sys.argv[2], "wb") as f:
        f.write(header + info + palette + pixels)


if __name__ == "__main__":
    main()
