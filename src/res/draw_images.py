#!/usr/bin/env python3
"""Draws Perch's toolbar bitmaps and program icon, pixel by pixel.

Run it from anywhere after changing a picture below, and commit what it writes:

    python3 src/res/draw_images.py

It writes, next to itself, the files that perch.rc includes (the build does not run it):

    toolbar4.bmp  64 x 13, four buttons: Tile Horizontally, Tile Vertically, Close, Minimize
    toolbar5.bmp  80 x 13, the same four and Cascade
    perch.ico     32 x 32 and 16 x 16: a canary perched on a board of title boxes

Everything is drawn in the 16 standard colours and written with a 4-bit colour table. The
toolbar bitmaps must keep their table: the toolbar loads them with LR_LOADMAP3DCOLORS, which
turns the table's light gray (192, 192, 192) into the user's button face and dark gray into
the button shadow, and which leaves a bitmap without a table unchanged. Each button image is
14 x 13 pixels; the images lie side by side in button order, and the strip is padded on the
right to a multiple of 16 pixels so that a loader counting 16-pixel images finds four or five.

Python 3 standard library only; the output does not depend on the machine or the date.
"""

import os
import struct

# The 16 standard colours, in their usual order.
PALETTE = [
    (0, 0, 0),        # 0 black
    (128, 0, 0),      # 1 maroon
    (0, 128, 0),      # 2 green
    (128, 128, 0),    # 3 olive
    (0, 0, 128),      # 4 navy
    (128, 0, 128),    # 5 purple
    (0, 128, 128),    # 6 teal
    (192, 192, 192),  # 7 light gray
    (128, 128, 128),  # 8 dark gray
    (255, 0, 0),      # 9 red
    (0, 255, 0),      # 10 lime
    (255, 255, 0),    # 11 yellow
    (0, 0, 255),      # 12 blue
    (255, 0, 255),    # 13 magenta
    (0, 255, 255),    # 14 cyan
    (255, 255, 255),  # 15 white
]

# One letter a pixel. In a toolbar image "." is the light gray background (the button face);
# in the icon it is transparent.
COLOUR_OF = {
    "K": 0,   # black: outlines
    "O": 3,   # olive: the canary's wing and tail
    "B": 4,   # navy: title bars
    ".": 7,
    "D": 8,   # dark gray: shadows, title text
    "R": 9,   # red: beak
    "Y": 11,  # yellow: the canary
    "C": 14,  # cyan: the box of the active document
    "W": 15,  # white: window interiors and boxes
}
TRANSPARENT = "."

BUTTON_WIDTH = 14
BUTTON_HEIGHT = 13

# Toolbar images, in button order.
TILE_HORIZONTALLY = [
    "KKKKKKKKKKKKKK",
    "KBBBBBBBBBBBBK",
    "KWWWWWWWWWWWWK",
    "KWWWWWWWWWWWWK",
    "KWWWWWWWWWWWWK",
    "KKKKKKKKKKKKKK",
    "..............",
    "KKKKKKKKKKKKKK",
    "KBBBBBBBBBBBBK",
    "KWWWWWWWWWWWWK",
    "KWWWWWWWWWWWWK",
    "KWWWWWWWWWWWWK",
    "KKKKKKKKKKKKKK",
]

TILE_VERTICALLY = [
    "KKKKKK..KKKKKK",
    "KBBBBK..KBBBBK",
    "KWWWWK..KWWWWK",
    "KWWWWK..KWWWWK",
    "KWWWWK..KWWWWK",
    "KWWWWK..KWWWWK",
    "KWWWWK..KWWWWK",
    "KWWWWK..KWWWWK",
    "KWWWWK..KWWWWK",
    "KWWWWK..KWWWWK",
    "KWWWWK..KWWWWK",
    "KWWWWK..KWWWWK",
    "KKKKKK..KKKKKK",
]

CLOSE = [
    "KKKKKKKKKKKKKK",
    "KBBBBBBBBBBBBK",
    "KWWWWWWWWWWWWK",
    "KWWKKWWWWKKWWK",
    "KWWWKKWWKKWWWK",
    "KWWWWKKKKWWWWK",
    "KWWWWWKKWWWWWK",
    "KWWWWWKKWWWWWK",
    "KWWWWKKKKWWWWK",
    "KWWWKKWWKKWWWK",
    "KWWKKWWWWKKWWK",
    "KWWWWWWWWWWWWK",
    "KKKKKKKKKKKKKK",
]

# An arrow down onto a minimised window: its title bar alone, with a line of title text.
MINIMIZE = [
    "......KK......",
    "......KK......",
    "......KK......",
    "......KK......",
    "...KKKKKKKK...",
    "....KKKKKK....",
    ".....KKKK.....",
    "......KK......",
    "..............",
    "KKKKKKKKKKKKKK",
    "KBWWWWWBBBBBBK",
    "KBBBBBBBBBBBBK",
    "KKKKKKKKKKKKKK",
]

# Three windows, each two pixels down and to the right of the one behind it.
CASCADE = [
    "KKKKKKKKKK....",
    "KBBBBBBBBK....",
    "KWKKKKKKKKKK..",
    "KWKBBBBBBBBK..",
    "KWKWKKKKKKKKKK",
    "KWKWKBBBBBBBBK",
    "KWKWKWWWWWWWWK",
    "KWKWKWWWWWWWWK",
    "KKKWKWWWWWWWWK",
    "..KKKWWWWWWWWK",
    "....KWWWWWWWWK",
    "....KWWWWWWWWK",
    "....KKKKKKKKKK",
]

# The program icon: a canary perched on the title bar of a board of four title boxes, the
# box of the active document in cyan.
ICON_32 = [
    "................................",
    "..................KKKKK.........",
    "................KKYYYYYKK.......",
    "...............KYYYYYYYYYK......",
    "..............KYYYYYYYKWYYK.....",
    "..............KYYYYYYYKKYYKKK...",
    "..............KYYYYYYYYYYYRRRK..",
    "............KKYYYYYYYYYYYKKKK...",
    "..........KKOOOOYYYYYYYYYK......",
    "........KKOOOOOOOOYYYYYYYK......",
    ".......KOOOOOOOOOOOYYYYYK.......",
    "......KOOOOOOOOOOOYYYYYYK.......",
    ".....KOOOOOOOOOOOYYYYYYYK.......",
    "....KOOOOOOOOOOYYYYYYYYK........",
    "...KOOOOKYYYYYYYYYYYYYK.........",
    "..KOOOKK.KKYYYYYYYYYKK..........",
    ".KKKK......KKKKKKKKK............",
    "............KKK.KKK.............",
    ".KKKKKKKKKKKKKKKKKKKKKKKKKKKKK..",
    ".KBBBBBBBBBBBBBBBBBBBBBBBBBBBKD.",
    ".KBBBBBBBBBBBBBBBBBBBBBBBBBBBKD.",
    ".KKKKKKKKKKKKKKKKKKKKKKKKKKKKKD.",
    ".KWWWWWWWWWWWWWKCCCCCCCCCCCCCKD.",
    ".KWWDDDDDDDDWWWKCCKKKKKKKKCCCKD.",
    ".KWWWWWWWWWWWWWKCCCCCCCCCCCCCKD.",
    ".KKKKKKKKKKKKKKKKKKKKKKKKKKKKKD.",
    ".KWWWWWWWWWWWWWKWWWWWWWWWWWWWKD.",
    ".KWWDDDDDDDWWWWKWWDDDDDDDDDWWKD.",
    ".KWWWWWWWWWWWWWKWWWWWWWWWWWWWKD.",
    ".KKKKKKKKKKKKKKKKKKKKKKKKKKKKKD.",
    "..DDDDDDDDDDDDDDDDDDDDDDDDDDDDD.",
    "................................",
]

ICON_16 = [
    "..........KKK...",
    ".........KYYYK..",
    "........KYYKYKK.",
    "........KYYYYYRK",
    ".....KKKKYYYYKK.",
    "...KKOOOOOYYYK..",
    "..KOOOOOOYYYYK..",
    ".KOOOKKYYYYYK...",
    "KOKK..KKKKKK....",
    "KK.....K..K.....",
    "KKKKKKKKKKKKKKK.",
    "KBBBBBBBBBBBBBKD",
    "KKKKKKKKKKKKKKKD",
    "KWWWWWWKCCCCCCKD",
    "KKKKKKKKKKKKKKKD",
    ".DDDDDDDDDDDDDDD",
]


def check_picture(name, rows, width, height):
    if len(rows) != height or any(len(row) != width for row in rows):
        raise SystemExit(f"{name}: not {width} x {height} pixels")
    for row in rows:
        for letter in row:
            if letter not in COLOUR_OF:
                raise SystemExit(f"{name}: unknown colour letter {letter!r}")


def toolbar_strip(images):
    """The images side by side, padded with background on the right to a multiple of 16."""
    width = len(images) * BUTTON_WIDTH
    padded = (width + 15) // 16 * 16
    rows = []
    for y in range(BUTTON_HEIGHT):
        row = "".join(image[y] for image in images)
        rows.append(row + "." * (padded - width))
    return rows


def pack_4bit_rows(indices_rows):
    """Bottom-up rows of 4-bit pixels, each row padded to a multiple of 4 bytes."""
    data = bytearray()
    for row in reversed(indices_rows):
        packed = bytearray()
        for x in range(0, len(row), 2):
            high = row[x]
            low = row[x + 1] if x + 1 < len(row) else 0
            packed.append(high << 4 | low)
        packed.extend(b"\0" * (-len(packed) % 4))
        data.extend(packed)
    return bytes(data)


def pack_mask_rows(mask_rows):
    """Bottom-up rows of 1-bit pixels (1 = transparent), each padded to 4 bytes."""
    data = bytearray()
    for row in reversed(mask_rows):
        packed = bytearray((len(row) + 7) // 8)
        for x, transparent in enumerate(row):
            if transparent:
                packed[x // 8] |= 0x80 >> (x % 8)
        packed.extend(b"\0" * (-len(packed) % 4))
        data.extend(packed)
    return bytes(data)


def colour_table():
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)


def info_header(width, height, image_size):
    # BITMAPINFOHEADER: 4 bits a pixel, uncompressed, all 16 colours used.
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, image_size, 0, 0, 16, 0)


def bmp_bytes(rows):
    width, height = len(rows[0]), len(rows)
    pixels = pack_4bit_rows([[COLOUR_OF[letter] for letter in row] for row in rows])
    header = info_header(width, height, len(pixels)) + colour_table()
    offset = 14 + len(header)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return file_header + header + pixels


def icon_image_bytes(rows):
    """One icon image: its header (twice the height: colours, then mask), table and bits.
    Transparent pixels are black in the colour bits and set in the mask, so that the
    screen shows through unchanged."""
    width, height = len(rows[0]), len(rows)
    colours = pack_4bit_rows(
        [[0 if letter == TRANSPARENT else COLOUR_OF[letter] for letter in row] for row in rows]
    )
    mask = pack_mask_rows([[letter == TRANSPARENT for letter in row] for row in rows])
    header = info_header(width, 2 * height, len(colours) + len(mask))
    return header + colour_table() + colours + mask


def ico_bytes(pictures):
    images = [icon_image_bytes(rows) for rows in pictures]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for rows, image in zip(pictures, images):
        width, height = len(rows[0]), len(rows)
        entries += struct.pack("<BBBBHHII", width, height, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    return directory + entries + b"".join(images)


def write(folder, name, data):
    with open(os.path.join(folder, name), "wb") as file:
        file.write(data)


def main():
    buttons = [
        ("TILE_HORIZONTALLY", TILE_HORIZONTALLY),
        ("TILE_VERTICALLY", TILE_VERTICALLY),
        ("CLOSE", CLOSE),
        ("MINIMIZE", MINIMIZE),
        ("CASCADE", CASCADE),
    ]
    for name, rows in buttons:
        check_picture(name, rows, BUTTON_WIDTH, BUTTON_HEIGHT)
    check_picture("ICON_32", ICON_32, 32, 32)
    check_picture("ICON_16", ICON_16, 16, 16)

    images = [rows for _, rows in buttons]
    folder = os.path.dirname(os.path.abspath(__file__))
    write(folder, "toolbar4.bmp", bmp_bytes(toolbar_strip(images[:4])))
    write(folder, "toolbar5.bmp", bmp_bytes(toolbar_strip(images)))
    write(folder, "perch.ico", ico_bytes([ICON_32, ICON_16]))


if __name__ == "__main__":
    main()
