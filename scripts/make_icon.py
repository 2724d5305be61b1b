#!/usr/bin/env python3
"""make_icon.py OUT.ico IN.png...: packs PNG images into an icon file.

Every entry stays PNG-compressed, which the system's icon loader reads for
any size; the icon so costs the program a few kilobytes. Each PNG's width
and height come from its header; the entries keep the order given.
"""
import struct
import sys


def png_size(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        raise SystemExit("not a PNG image")
    return struct.unpack(">II", data[16:24])


def main():
    out, sources = sys.argv[1], sys.argv[2:]
    images = [open(path, "rb").read() for path in sources]
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    directory = b""
    for data in images:
        width, height = png_size(data)
        directory += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(out, "wb") as icon:
        icon.write(header + directory + b"".join(images))


if __name__ == "__main__":
    main()
