#!/usr/bin/env python3
"""Draws the host's icon (a barcode label on a blue tile) and writes it as a
Windows .ico file with a 16x16 and a 32x32 image, 32 bits per pixel.

    make_icon.py OUTPUT.ico
"""
import struct
import sys

TILE = (0x79, 0x4E, 0x1F)     # BGR of the tile
LABEL = (0xFF, 0xFF, 0xFF)
BAR = (0x10, 0x10, 0x10)
# Bar (1) and space (0) modules across the label, left to right.
PATTERN_16 = "1011001101"
PATTERN_32 = "1101100101110010110101"


def draw(size):
    """Rows of (b, g, r, a) from top to bottom."""
    pattern = PATTERN_16 if size == 16 else PATTERN_32
    inset = 2 if size == 16 else 3
    label_top, label_bottom = (3, 12) if size == 16 else (6, 25)
    module = 1
    start = (size - len(pattern) * module) // 2
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            corner = (x in (0, size - 1)) and (y in (0, size - 1))
            if corner:
                row.append((0, 0, 0, 0))
                continue
            colour = TILE
            if inset <= x < size - inset and label_top <= y <= label_bottom:
                colour = LABEL
                bar_top = label_top + 1
                bar_bottom = label_bottom - (1 if size == 16 else 3)
                i = (x - start) // module
                if 0 <= x - start and i < len(pattern) and pattern[i] == "1" \
                        and bar_top <= y <= bar_bottom:
                    colour = BAR
            row.append(colour + (0xFF,))
        rows.append(row)
    return rows


def image(size):
    """One icon image: BITMAPINFOHEADER, bottom-up BGRA pixels, AND mask."""
    rows = draw(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes(p) for row in reversed(rows) for p in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = b""
    for row in reversed(rows):
        bits = 0
        for x, p in enumerate(row):
            if p[3] == 0:
                bits |= 1 << (mask_stride * 8 - 1 - x)
        mask += bits.to_bytes(mask_stride, "big")
    return header + pixels + mask


def main():
    images = [(16, image(16)), (32, image(32))]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    with open(sys.argv[1], "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
