#!/usr/bin/env python3
"""Writes the offer screen's bitmaps (24-bit BMP) into the folder given.

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


def write_bmp(path, width, height, pixel):
    """pixel(x, y) gives (r, g, b) with y counted from the top."""
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in reversed(range(height)):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (stride - len(row))
        rows.append(bytes(row))
    data = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    path.write_bytes(header + info + data)


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
