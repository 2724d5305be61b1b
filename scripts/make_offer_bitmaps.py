#!/usr/bin/env python3
"""Writes the offer screen's bitmaps (8-bit RLE BMP) into the folder given.

button.bmp (100 x 32) is the Accept and Decline face, background.bmp
(656 x 428) the popup's frame, close.bmp (12 x 12) its close cross. The
files depend on nothing but this script, so every build makes the same bytes.
"""
import pathlib
import struct
import sys

FRAME = (0x1E, 0x1E, 0x1E)
EDGE = (0x3A, 0x3A, 0x3A)
ACCENT = (0xF4, 0xC5, 0x1C)
CROSS = (0xC8, 0xC8, 0xC8)


def rle8_row(indices):
    """One row as encoded runs, closed by the end-of-line mark."""
    out = bytearray()
    x = 0
    while x < len(indices):
        run = 1
        while x + run < len(indices) and indices[x + run] == indices[x] and run < 255:
            run += 1
        out += bytes((run, indices[x]))
        x += run
    return bytes(out + b"\0\0")


def write_bmp(path, width, height, pixel):
    """pixel(x, y) gives (r, g, b) with y counted from the top. The few
    colours go into a palette and the rows are run-length encoded (RLE8),
    which keeps the program's resources small."""
    colours = []
    rows = []
    for y in reversed(range(height)):
        indices = []
        for x in range(width):
            colour = pixel(x, y)
            if colour not in colours:
                colours.append(colour)
            indices.append(colours.index(colour))
        rows.append(rle8_row(indices))
    data = b"".join(rows) + b"\0\1"
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in colours)
    offset = 54 + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 1, len(data), 2835, 2835, len(colours), 0)
    path.write_bytes(header + info + palette + data)


def background(x, y):
    if x == 0 or y == 0 or x == 655 or y == 427:
        return EDGE
    if y == 70 and 85 <= x < 571:
        return ACCENT
    return FRAME


def cross(x, y):
    on_line = abs(x - y) <= 1 or abs(x + y - 11) <= 1
    return CROSS if on_line and 1 <= x <= 10 and 1 <= y <= 10 else FRAME


def main():
    folder = pathlib.Path(sys.argv[1])
    folder.mkdir(parents=True, exist_ok=True)
    write_bmp(folder / "button.bmp", 100, 32, lambda x, y: ACCENT)
    write_bmp(folder / "background.bmp", 656, 428, background)
    write_bmp(folder / "close.bmp", 12, 12, cross)


if __name__ == "__main__":
    main()
