#!/usr/bin/env python3
"""Draws the tool bar's button pictures and the program icon from the pixel
maps below and writes them as .bmp and .ico files beside this script.
Run it again after changing a picture; the outputs are committed."""
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


def bmp(rows):
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    pixels = b""
    for row in reversed(rows):  # bottom-up
        line = b"".join(bytes(reversed(PALETTE[c])) for c in row)
        pixels += line + b"\0" * (stride - len(line))
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return b"BM" + struct.pack("<IHHI", 14 + 40 + len(pixels), 0, 0, 54) + header + pixels


def icon():
    """32x32: an aqua T on a black rounded square, with a transparent corner."""
    size = 32
    rgba = []
    for y in range(size):
        for x in range(size):
            corner = min(x, size - 1 - x) + min(y, size - 1 - y) < 3
            if corner:
                rgba.append((0, 0, 0, 0))
            elif (6 <= y <= 10 and 5 <= x <= 26) or (10 < y <= 26 and 13 <= x <= 18):
                rgba.append((0, 255, 255, 255))
            else:
                rgba.append((0, 0, 0, 255))
    pixels = b""
    for y in reversed(range(size)):
        for x in range(size):
            r, g, b, a = rgba[y * size + x]
            pixels += bytes((b, g, r, a))
    mask = b"\0" * (size * 4)  # the alpha channel decides; an all-opaque AND mask
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    image = header + pixels + mask
    return struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), 22) + image


if __name__ == "__main__":
    for name, rows in PICTURES.items():
        assert all(len(r) == len(rows[0]) for r in rows), name
        with open(os.path.join(HERE, name + ".bmp"), "wb") as f:
            f.write(bmp(rows))
    with open(os.path.join(HERE, "tavrill.ico"), "wb") as f:
        f.write(icon())
