#!/usr/bin/env python3
"""Draws the main frame's toolbar pictures: one strip of 19x19 images per toolbar with its greyed
twin for disabled buttons, the images of the commands that have no visible bar, and the feedback
button's picture; and the child frame's page bar, 16x15 images. Run it from anywhere; it writes into bars/ next to itself."""
import os

from draw_pictures import Picture, bmp24

HERE = os.path.dirname(os.path.abspath(__file__))
SIDE = 19
FACE = (192, 192, 192)  # the toolbar grey that the program maps to the button face
INK = (0, 0, 0)
GREEN = (0, 128, 64)
BLUE = (0, 64, 192)
RED = (200, 0, 0)
PAPER = (255, 255, 255)
YELLOW = (240, 200, 40)
HILITE = (255, 220, 120)


def grid(p, left, top, columns, rows, cell, colour, header=None):
    width, height = columns * cell + 1, rows * cell + 1
    p.fill(left, top, left + width, top + height, PAPER)
    if header:
        p.fill(left, top, left + width, top + cell, header)
    for c in range(columns + 1):
        p.fill(left + c * cell, top, left + c * cell + 1, top + height, colour)
    for r in range(rows + 1):
        p.fill(left, top + r * cell, left + width, top + r * cell + 1, colour)


def page(p, left, top, width, height):
    p.fill(left, top, left + width, top + height, PAPER)
    p.frame(left, top, left + width, top + height, INK)


def clipboard(p):
    p.fill(3, 3, 16, 18, (150, 100, 50))
    p.fill(5, 5, 14, 16, PAPER)
    p.fill(7, 2, 12, 5, (90, 90, 90))


def arrow_right(p, x, y, colour):
    p.fill(x, y - 1, x + 6, y + 2, colour)
    for i in range(4):
        p.fill(x + 6 + i, y - 3 + i, x + 7 + i, y + 4 - i, colour)


def magnifier(p, sign):
    for y in range(SIDE):
        for x in range(SIDE):
            d = (x - 7) ** 2 + (y - 7) ** 2
            if 16 <= d <= 30:
                p.put(x, y, INK)
            elif d < 16:
                p.put(x, y, PAPER)
    for i in range(5):
        p.fill(11 + i, 11 + i, 13 + i, 13 + i, (120, 60, 0))
    p.fill(5, 7, 10, 8, INK)
    if sign == "+":
        p.fill(7, 5, 8, 10, INK)


def curved_arrow(p, mirrored):
    points = [(4, 9), (5, 7), (7, 6), (10, 6), (12, 7), (13, 9), (13, 11), (12, 13)]
    for x, y in points:
        x = SIDE - 1 - x if mirrored else x
        p.fill(x, y, x + 2, y + 2, BLUE)
    tip = 4 if not mirrored else SIDE - 5
    direction = 1 if not mirrored else -1
    for i in range(4):
        p.fill(min(tip, tip + direction * i), 9 - i, max(tip, tip + direction * i) + 1, 10 - i, BLUE)
        p.fill(min(tip, tip + direction * i), 9 + i, max(tip, tip + direction * i) + 1, 10 + i, BLUE)


def draw(name):
    p = Picture(SIDE, SIDE, FACE)
    if name == "convert":
        page(p, 1, 2, 7, 14)
        for y in range(5, 14, 3):
            p.fill(3, y, 6, y + 1, INK)
        arrow_right(p, 7, 9, GREEN)
        grid(p, 12, 3, 2, 4, 3, GREEN)
    elif name == "excel":
        grid(p, 2, 2, 3, 4, 5, GREEN, header=(160, 220, 160))
    elif name == "excel_file":
        page(p, 2, 1, 14, 17)
        grid(p, 4, 5, 3, 3, 3, GREEN)
    elif name == "clipboard":
        clipboard(p)
        for y in range(7, 15, 2):
            p.fill(6, y, 13, y + 1, INK)
    elif name == "clipboard_sheet":
        clipboard(p)
        grid(p, 5, 6, 3, 3, 3, GREEN)
    elif name == "clipboard_word":
        clipboard(p)
        grid(p, 5, 6, 3, 3, 3, BLUE, header=(160, 180, 240))
    elif name == "feedback":
        p.fill(2, 3, 17, 12, YELLOW)
        p.frame(2, 3, 17, 12, INK)
        p.fill(5, 12, 8, 15, YELLOW)
        p.fill(5, 12, 6, 16, INK)
    elif name == "whats_this":
        for i in range(9):
            p.fill(2, 2 + i, 3 + i // 2 + 1, 3 + i, INK)
        for x, y in ((11, 4), (12, 3), (14, 3), (15, 4), (15, 6), (14, 7), (13, 8), (13, 10)):
            p.fill(x, y, x + 2, y + 2, BLUE)
        p.fill(13, 13, 15, 15, BLUE)
    elif name == "undo":
        curved_arrow(p, False)
    elif name == "redo":
        curved_arrow(p, True)
    elif name == "row_cell_editing":
        grid(p, 2, 4, 3, 3, 4, INK)
        p.fill(7, 9, 10, 12, HILITE)
        for i in range(6):
            p.fill(11 + i, 12 - i, 13 + i, 14 - i, (200, 120, 0))
    elif name == "clear_layout":
        grid(p, 2, 2, 3, 3, 4, INK)
        for i in range(8):
            p.fill(9 + i, 9 + i, 11 + i, 11 + i, RED)
            p.fill(16 - i, 9 + i, 18 - i, 11 + i, RED)
    elif name in ("columns", "column_mode"):
        grid(p, 2, 3, 3, 3, 5, INK)
        p.fill(8, 4, 12, 18, HILITE)
    elif name == "rows":
        grid(p, 2, 3, 3, 3, 5, INK)
        p.fill(3, 9, 17, 13, HILITE)
    elif name == "cells":
        grid(p, 2, 3, 3, 3, 5, INK)
        p.fill(8, 9, 12, 13, HILITE)
    elif name == "zoom_in":
        magnifier(p, "+")
    elif name == "zoom_out":
        magnifier(p, "-")
    elif name == "fit_width":
        page(p, 4, 2, 11, 15)
        p.fill(2, 9, 17, 10, BLUE)
        for i in range(3):
            p.fill(2 + i, 9 - i, 3 + i, 10 + i, BLUE)
            p.fill(16 - i, 9 - i, 17 - i, 10 + i, BLUE)
    elif name == "zoom_box":
        p.fill(1, 5, 18, 14, PAPER)
        p.frame(1, 5, 18, 14, INK)
        p.fill(12, 8, 17, 9, INK)
        p.fill(13, 9, 16, 10, INK)
        p.fill(14, 10, 15, 11, INK)
    elif name == "open":
        p.fill(2, 5, 8, 7, YELLOW)
        p.fill(2, 7, 16, 16, YELLOW)
        p.frame(2, 7, 16, 16, (120, 90, 0))
    elif name == "table_editing":
        grid(p, 2, 3, 3, 3, 5, INK, header=(180, 200, 240))
    elif name == "text_selection":
        page(p, 2, 2, 15, 15)
        for y in range(5, 15, 3):
            p.fill(4, y, 15, y + 1, INK)
        p.fill(4, 7, 12, 10, HILITE)
        p.fill(4, 8, 12, 9, INK)
    elif name == "copy":
        page(p, 2, 2, 9, 11)
        page(p, 7, 6, 9, 11)
    elif name == "detect":
        grid(p, 2, 5, 3, 3, 4, INK)
        for x, y in ((14, 1), (14, 5), (12, 3), (16, 3)):
            p.fill(x, y, x + 1, y + 1, (230, 160, 0))
        p.fill(13, 2, 16, 5, (250, 200, 0))
    elif name == "next_page":
        page(p, 3, 1, 13, 11)
        for i in range(5):
            p.fill(5 + i, 12 + i, 14 - i, 13 + i, BLUE)
    elif name == "previous_page":
        page(p, 3, 7, 13, 11)
        for i in range(5):
            p.fill(5 + i, 6 - i, 14 - i, 7 - i, BLUE)
    elif name == "settings":
        for y in range(SIDE):
            for x in range(SIDE):
                d = (x - 9) ** 2 + (y - 9) ** 2
                if d <= 42 and not d <= 6:
                    p.put(x, y, (90, 90, 110))
        for x, y in ((8, 1), (8, 15), (1, 8), (15, 8)):
            p.fill(x, y, x + 3, y + 3, (90, 90, 110))
    else:
        raise ValueError(name)
    return p


def greyed(p):
    """The disabled twin: every drawn pixel becomes the grey of disabled text."""
    out = Picture(p.width, p.height, FACE)
    for y in range(p.height):
        for x in range(p.width):
            if p.pixels[y][x] != FACE:
                out.put(x, y, (128, 128, 128) if sum(p.pixels[y][x]) < 600 else FACE)
    return out


def strip(names):
    out = Picture(SIDE * len(names), SIDE, FACE)
    for i, name in enumerate(names):
        image = draw(name)
        for y in range(SIDE):
            for x in range(SIDE):
                out.put(i * SIDE + x, y, image.pixels[y][x])
    return out


# The toolbars' commands in resource order (separators take no image).
STRIPS = {
    "Standard": ["convert", "table_editing", "feedback", "whats_this"],
    "Convert": ["excel", "excel_file", "clipboard", "clipboard_sheet", "clipboard_word"],
    "Navigation": ["zoom_in", "zoom_out", "fit_width", "zoom_box"],
    "Table": ["undo", "redo", "row_cell_editing", "clear_layout", "column_mode"],
    "Menus": ["open", "table_editing", "text_selection", "columns", "rows", "cells", "copy", "detect", "next_page",
              "previous_page", "settings"],
}

# 3x5 letters for the feedback picture.
SMALL = {
    'F': ["111", "100", "110", "100", "100"], 'E': ["111", "100", "110", "100", "111"],
    'D': ["110", "101", "101", "101", "110"], 'B': ["110", "101", "110", "101", "110"],
    'A': ["010", "101", "111", "101", "101"], 'C': ["011", "100", "100", "100", "011"],
    'K': ["101", "101", "110", "101", "101"],
}


def feedback_picture():
    p = Picture(73, 25, FACE)
    p.fill(2, 4, 19, 16, YELLOW)
    p.frame(2, 4, 19, 16, INK)
    p.fill(6, 16, 9, 20, YELLOW)
    p.fill(6, 16, 7, 21, INK)
    x = 24
    for letter in "FEEDBACK":
        for row, bits in enumerate(SMALL[letter]):
            for column, bit in enumerate(bits):
                if bit == "1":
                    p.fill(x + column * 2, 8 + row * 2, x + column * 2 + 2, 10 + row * 2, BLUE)
        x += 6
    return p


# The page bar's buttons: first, previous, the page box and the page count (both replaced by
# controls as the bar is made, so their images are only seen in a list), next, last.
PAGE_WIDTH, PAGE_HEIGHT = 16, 15
PAGE_BAR = ["first", "previous", "page_box", "page_count", "next", "last"]


def page_arrow(p, tip, pointing_right):
    """A solid triangle 7 pixels wide whose tip stands at column tip, centred vertically."""
    middle = PAGE_HEIGHT // 2
    for i in range(7):
        x = tip - i if pointing_right else tip + i
        p.fill(x, middle - i, x + 1, middle + i + 1, BLUE)


def draw_page_button(name):
    p = Picture(PAGE_WIDTH, PAGE_HEIGHT, FACE)
    if name == "first":
        p.fill(3, 1, 5, 14, BLUE)
        page_arrow(p, 6, False)
    elif name == "previous":
        page_arrow(p, 5, False)
    elif name == "next":
        page_arrow(p, 10, True)
    elif name == "last":
        page_arrow(p, 9, True)
        p.fill(11, 1, 13, 14, BLUE)
    elif name == "page_box":
        p.fill(1, 3, 15, 12, PAPER)
        p.frame(1, 3, 15, 12, INK)
        p.fill(7, 5, 8, 10, INK)
    elif name == "page_count":
        page(p, 3, 1, 10, 13)
        for y in range(4, 12, 3):
            p.fill(5, y, 11, y + 1, INK)
    else:
        raise ValueError(name)
    return p


def page_strip():
    out = Picture(PAGE_WIDTH * len(PAGE_BAR), PAGE_HEIGHT, FACE)
    for i, name in enumerate(PAGE_BAR):
        image = draw_page_button(name)
        for y in range(PAGE_HEIGHT):
            for x in range(PAGE_WIDTH):
                out.put(i * PAGE_WIDTH + x, y, image.pixels[y][x])
    return out


def main():
    folder = os.path.join(HERE, "bars")
    os.makedirs(folder, exist_ok=True)
    for name, names in STRIPS.items():
        picture = strip(names)
        with open(os.path.join(folder, name + ".bmp"), "wb") as file:
            file.write(bmp24(picture))
        with open(os.path.join(folder, name + "Disabled.bmp"), "wb") as file:
            file.write(bmp24(greyed(picture)))
    with open(os.path.join(folder, "Feedback.bmp"), "wb") as file:
        file.write(bmp24(feedback_picture()))
    with open(os.path.join(folder, "PageBar.bmp"), "wb") as file:
        file.write(bmp24(page_strip()))


if __name__ == "__main__":
    main()
