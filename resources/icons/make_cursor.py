#!/usr/bin/env python3
"""Draws the horizontal-splitter cursor and writes it as HSplitBar.cur.

A 32x32 monochrome cursor: a double bar with arrows to the left and right,
black with a white outline so that it shows on any background.  The hot spot
is the middle of the bar.  The .cur file is kept in this folder, so the build
itself needs no Python.

Regenerate after changing the drawing:
    python3 resources/icons/make_cursor.py
"""
import os
import struct

SIZE = 32
HOTSPOT = (15, 15)


def shape(x, y):
    """The black pixels."""
    if 7 <= y <= 23 and x in (13, 14, 16, 17):          # the double bar
        return True
    if y in (15,) and (4 <= x <= 11 or 19 <= x <= 26):   # the arrow shafts
        return True
    d = abs(y - 15)
    if 3 <= x <= 7 and d <= x - 3:                       # left arrow head
        return True
    if 23 <= x <= 27 and d <= 27 - x:                    # right arrow head
        return True
    return False


def outline(x, y):
    """The white border: next to a black pixel but not black itself."""
    if shape(x, y):
        return False
    return any(shape(x + dx, y + dy) for dx in (-1, 0, 1) for dy in (-1, 0, 1))


def mask_rows(pixel_set):
    """Bottom-up rows of 1-bit pixels, each row padded to 32 bits."""
    stride = ((SIZE + 31) // 32) * 4
    data = bytearray()
    for y in reversed(range(SIZE)):
        row = bytearray(stride)
        for x in range(SIZE):
            if pixel_set(x, y):
                row[x // 8] |= 0x80 >> (x % 8)
        data += row
    return bytes(data)


def main():
    # AND 0 / XOR 0 is black, AND 0 / XOR 1 white, AND 1 / XOR 0 transparent.
    xor_bits = mask_rows(outline)
    and_bits = mask_rows(lambda x, y: not shape(x, y) and not outline(x, y))
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0, len(xor_bits) + len(and_bits), 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    image = header + palette + xor_bits + and_bits
    directory = struct.pack("<HHH", 0, 2, 1)
    directory += struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, HOTSPOT[0], HOTSPOT[1], len(image), 6 + 16)
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "HSplitBar.cur")
    with open(path, "wb") as f:
        f.write(directory + image)
    print("wrote", path)


if __name__ == "__main__":
    main()
