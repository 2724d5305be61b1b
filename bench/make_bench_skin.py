#!/usr/bin/env python3
"""Writes a skin-like folder for the resource benchmark: markup files and
image-like binaries (smooth gradients with some noise), about 5 MB that
pack to about 2 MB. Deterministic, so every build packs the same bytes."""
import os
import random
import sys

out = sys.argv[1]
rng = random.Random(2033)

def write(name, data):
    path = os.path.join(out, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)

for i in range(24):
    rows = []
    for j in range(60):
        rows.append('    <HorizontalLayout name="row%d" height="%d" padding="4,2,4,2">\n'
                    '      <Label name="label%d_%d" text="@text_%d" font="%d" textcolor="#FF%06X"/>\n'
                    '      <Button name="button%d_%d" normalimage="file=\'images/img%d.png\' source=\'0,0,%d,%d\'"/>\n'
                    '    </HorizontalLayout>\n'
                    % (j, 20 + j % 9, i, j, rng.randrange(400), j % 5, rng.randrange(1 << 24),
                       i, j, rng.randrange(40), 16 + j % 16, 16 + j % 16))
    write("layout/page%d.xml" % i,
          ('<?xml version="1.0" encoding="utf-8"?>\n<Window size="640,480">\n  <VerticalLayout>\n'
           + "".join(rows) + "  </VerticalLayout>\n</Window>\n").encode())

for i in range(66):
    width, height = 160, 110
    pixels = bytearray()
    for y in range(height):
        for x in range(width):
            noisy = rng.random() < 0.5
            r = (x * 255 // width) ^ (rng.randrange(256) if noisy else 0)
            g = (y * 255 // height)
            b = ((x + y + i * 7) & 0xFF) ^ (rng.randrange(64) if noisy else 0)
            pixels += bytes((r & 0xFF, g, b, 0xFF))
    write("images/img%d.png" % i, b"\x89PNG\r\n\x1a\n" + bytes(pixels))
