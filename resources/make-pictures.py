#!/usr/bin/env python3
"""Draws the tool bar's button pictures and the program icon from the pixel
maps below and writes them as .bmp and .ico files beside this script.
Run it again after changing a picture; the outputs are committed.

Each picture is written at three sizes, for 100%, 150% and 200% screens:
NAME.bmp (16 pixels), NAME-24.bmp and NAME-32.bmp. The larger ones are made
from the 16-pixel map without blending any colours, so they stay sharp: 32 by
doubling with the corners of diagonal edges filled in (the EPX rule), 24 by
repeating every other row and column. The icon is drawn at each size."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# One character per pixel. "." is the button face (light grey, which the
# window system maps to the user's button colour).
PALETTE = {
    ".": (192, 192, 192), "k": (0, 0, 0), "w": (255, 255, 255), "g": (128, 128, 128),
    "b": (0, 0, 160), "a": (0, 160, 160), "r": (176, 0, 0), "y": (224, 176, 0), "n": (0, 128, 0),
}

PICTURES = {
    "menu": [  # a window with a list of options
        "................", "................", ".kkkkkkkkkkkkk..", ".kbbbbbbbbbbbk..",
        ".kwwwwwwwwwwwk..", ".kwkkkkkkkkkwk..", ".kwwwwwwwwwwwk..", ".kwkkkkkkkwwwk..",
        ".kwwwwwwwwwwwk..", ".kwkkkkkkkkwwk..", ".kwwwwwwwwwwwk..", ".kwkkkkkwwwwwk..",
        ".kwwwwwwwwwwwk..", ".kkkkkkkkkkkkk..", "................", "................",
    ],
    "text": [  # a block: begin ... end
        "................", "..bbb...........", ".b..............", ".b..............",
        ".b...kkkkkkk....", "..b.............", ".b...kkkkk......", ".b..............",
        ".b...kkkkkkkk...", "..bbb...........", "................", "......nnnnnnnn..",
        "......n......n..", "......nnnnnnnn..", "................", "................",
    ],
    "format": [  # Aa
        "................", "....kk..........", "...kkkk.........", "..kk..kk........",
        "..kk..kk........", "..kkkkkk........", "..kk..kk...rrr..", "..kk..kk......r.",
        "..kk..kk...rrrr.", "...........r..r.", "...........rrrr.", "................",
        "..gggggggggggg..", "................", "..gggggggg......", "................",
    ],
    "stash": [  # an arrow into a drawer
        "................", "......nnnn......", "......nnnn......", "......nnnn......",
        "......nnnn......", "...nnnnnnnnnn...", "....nnnnnnnn....", ".....nnnnnn.....",
        "......nnnn......", ".kkk...nn...kkk.", ".kyk........kyk.", ".kykkkkkkkkkkyk.",
        ".kyyyyyyyyyyyyk.", ".kyyyykkkkyyyyk.", ".kyyyyyyyyyyyyk.", ".kkkkkkkkkkkkkk.",
    ],
    "load": [  # an arrow out of a drawer
        "................", ".......bb.......", "......bbbb......", ".....bbbbbb.....",
        "....bbbbbbbb....", "...bbbbbbbbbb...", "......bbbb......", "......bbbb......",
        "......bbbb......", ".kkk..bbbb..kkk.", ".kyk........kyk.", ".kykkkkkkkkkkyk.",
        ".kyyyyyyyyyyyyk.", ".kyyyykkkkyyyyk.", ".kyyyyyyyyyyyyk.", ".kkkkkkkkkkkkkk.",
    ],
    "help": [  # a question mark
        "................", ".....bbbbbb.....", "....bbbbbbbb....", "...bbb....bbb...",
        "...bbb....bbb...", "..........bbb...", ".........bbb....", "........bbb.....",
        ".......bbb......", ".......bbb......", ".......bbb......", "................",
        ".......bbb......", ".......bbb......", "................", "................",
    ],
    # The plain-file and program glyphs of the stash browser.
    "unknownfile": [
        "..kkkkkkkkk.....", "..kwwwwwwwkk....", "..kwwwwwwwkwk...", "..kwwwwwwwkkkk..",
        "..kwwwwwwwwwwk..", "..kwgggggggwwk..", "..kwwwwwwwwwwk..", "..kwgggggggwwk..",
        "..kwwwwwwwwwwk..", "..kwggggggwwwk..", "..kwwwwwwwwwwk..", "..kwgggggggwwk..",
        "..kwwwwwwwwwwk..", "..kwwwwwwwwwwk..", "..kkkkkkkkkkkk..", "................",
    ],
    "executable": [
        "................", "................", "kkkkkkkkkkkkkkkk", "kbbbbbbbbbbbbbbk",
        "kbbbbbbbbbbbbwbk", "kkkkkkkkkkkkkkkk", "kwwwwwwwwwwwwwwk", "kwwwwwwwwwwwwwwk",
        "kwwwwwwwwwwwwwwk", "kwwwwwwwwwwwwwwk", "kwwwwwwwwwwwwwwk", "kwwwwwwwwwwwwwwk",
        "kwwwwwwwwwwwwwwk", "kkkkkkkkkkkkkkkk", "................", "................",
    ],
}


def epx(rows):
    """Twice the size; where two neighbours agree, the corner between them takes their colour."""
    height, width = len(rows), len(rows[0])
    at = lambda x, y: rows[min(max(y, 0), height - 1)][min(max(x, 0), width - 1)]
    out = [[""] * (2 * width) for _ in range(2 * height)]
    for y in range(height):
        for x in range(width):
            p, a, b, c, d = at(x, y), at(x, y - 1), at(x + 1, y), at(x - 1, y), at(x, y + 1)
            out[2 * y][2 * x] = a if c == a and c != d and a != b else p
            out[2 * y][2 * x + 1] = b if a == b and a != c and b != d else p
            out[2 * y + 1][2 * x] = c if d == c and d != b and c != a else p
            out[2 * y + 1][2 * x + 1] = d if b == d and b != a and d != c else p
    return ["".join(r) for r in out]


def half_again(rows):
    """One and a half times the size: every even row and column twice, the odd ones once."""
    pick = lambda n: [i * 2 // 3 for i in range(n * 3 // 2)]
    return ["".join(rows[y][x] for x in pick(len(rows[0]))) for y in pick(len(rows))]


def bmp(rows):
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    pixels = b""
    for row in reversed(rows):  # bottom-up
        line = b"".join(bytes(reversed(PALETTE[c])) for c in row)
        pixels += line + b"\0" * (stride - len(line))
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return b"BM" + struct.pack("<IHHI", 14 + 40 + len(pixels), 0, 0, 54) + header + pixels


ICON_SIZES = (16, 24, 32, 48, 64)


def icon_image(size):
    """An aqua T on a black square with cut corners, drawn on the 32-pixel grid scaled to `size`."""
    s = lambda v: round(v * size / 32)  # grid lines of the 32-pixel design at this size
    rgba = []
    for y in range(size):
        for x in range(size):
            corner = min(x, size - 1 - x) + min(y, size - 1 - y) < s(3)
            bar = s(6) <= y < s(11) and s(5) <= x < s(27)
            stem = s(11) <= y < s(27) and s(13) <= x < s(19)
            rgba.append((0, 0, 0, 0) if corner else (0, 255, 255, 255) if bar or stem else (0, 0, 0, 255))
    pixels = b""
    for y in reversed(range(size)):
        for x in range(size):
            r, g, b, a = rgba[y * size + x]
            pixels += bytes((b, g, r, a))
    mask = b"\0" * (((size + 31) // 32 * 4) * size)  # the alpha channel decides; an all-opaque AND mask
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return header + pixels + mask


def icon():
    images = [icon_image(size) for size in ICON_SIZES]
    offset = 6 + 16 * len(images)
    directory = b""
    for size, image in zip(ICON_SIZES, images):
        directory += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return struct.pack("<HHH", 0, 1, len(images)) + directory + b"".join(images)


if __name__ == "__main__":
    for name, rows in PICTURES.items():
        assert all(len(r) == len(rows[0]) for r in rows), name
        for suffix, picture in (("", rows), ("-24", half_again(rows)), ("-32", epx(rows))):
            with open(os.path.join(HERE, name + suffix + ".bmp"), "wb") as f:
                f.write(bmp(picture))
    with open(os.path.join(HERE, "tavrill.ico"), "wb") as f:
        f.write(icon())
