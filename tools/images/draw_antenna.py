#!/usr/bin/env python3
"""Draws the antenna level pictures 381-385 (0 to 4 bars, 48 x 48) into
res/images/. Run it again after changing the drawing; the build embeds the
PNG files, not this script."""
import os
import struct
import zlib

SIZE = 48
WHITE = (255, 255, 255)
FRAME = (170, 170, 170)
MAST = (60, 60, 60)
ON = (20, 140, 40)
OFF_FILL = (225, 225, 225)
OFF_EDGE = (150, 150, 150)


def png(pixels):
    raw = b"".join(b"\x00" + bytes(c for px in row for c in px) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 2, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def draw(level):
    p = [[WHITE] * SIZE for _ in range(SIZE)]

    def put(x, y, c):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            p[y][x] = c

    def rect(x0, y0, x1, y1, fill, edge):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                border = x in (x0, x1) or y in (y0, y1)
                put(x, y, edge if border else fill)

    for i in range(SIZE):  # thin frame
        put(i, 0, FRAME), put(i, SIZE - 1, FRAME), put(0, i, FRAME), put(SIZE - 1, i, FRAME)
    # Mast with its two arms.
    for y in range(15, 43):
        put(9, y, MAST), put(10, y, MAST)
    for k in range(8):
        put(3 + k, 7 + k, MAST), put(4 + k, 7 + k, MAST)
        put(16 - k, 7 + k, MAST), put(15 - k, 7 + k, MAST)
    # Four bars of rising height; `level` of them lit.
    for i in range(4):
        x0 = 18 + i * 7
        top = 42 - 8 * (i + 1)
        if i < level:
            rect(x0, top, x0 + 5, 42, ON, ON)
        else:
            rect(x0, top, x0 + 5, 42, OFF_FILL, OFF_EDGE)
    return p


def main():
    out = os.path.join(os.path.dirname(__file__), "..", "..", "res", "images")
    for level in range(5):
        with open(os.path.join(out, "image%d.png" % (381 + level)), "wb") as f:
            f.write(png(draw(level)))


if __name__ == "__main__":
    main()
