#!/usr/bin/env python3
"""Draws the dictionary editor's icons and writes them as .ico files.

Each icon holds a 16x16 and a 32x32 image, 32-bit BGRA with alpha plus the
1-bit AND mask that older consumers of icons still read.  The generated .ico
files are kept in this folder, so the build itself needs no Python.

Regenerate after changing a drawing:
    python3 resources/icons/make_icons.py
(run from anywhere; the files are written beside this script).
"""
import math
import os
import struct

SUBSAMPLES = 4  # per axis; gives smooth edges at 16x16


# Shapes are predicates over (x, y) in pixel units of the target size.
def rect(x0, y0, x1, y1, radius=0.0):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        if radius <= 0:
            return True
        cx = min(max(x, x0 + radius), x1 - radius)
        cy = min(max(y, y0 + radius), y1 - radius)
        return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2
    return inside


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def ellipse_ring(cx, cy, rx, ry, width):
    outer = ellipse(cx, cy, rx + width / 2, ry + width / 2)
    if rx - width / 2 <= 0 or ry - width / 2 <= 0:
        return outer
    inner = ellipse(cx, cy, rx - width / 2, ry - width / 2)
    return lambda x, y: outer(x, y) and not inner(x, y)


def segment(x0, y0, x1, y1, width):
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        px, py = x0 + t * dx, y0 + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= (width / 2) ** 2
    return inside


def polygon(points):
    def inside(x, y):
        hit = False
        j = len(points) - 1
        for i, (xi, yi) in enumerate(points):
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                hit = not hit
            j = i
        return hit
    return inside


def clipped(shape, clip):
    return lambda x, y: shape(x, y) and clip(x, y)


def render(layers, size):
    """layers: list of (shape, (r, g, b)); later layers paint over earlier ones."""
    pixels = []
    n = SUBSAMPLES
    for row in range(size):
        for col in range(size):
            r = g = b = a = 0
            for sy in range(n):
                for sx in range(n):
                    x = col + (sx + 0.5) / n
                    y = row + (sy + 0.5) / n
                    for shape, colour in reversed(layers):
                        if shape(x, y):
                            r += colour[0]
                            g += colour[1]
                            b += colour[2]
                            a += 1
                            break
            if a:
                # Colour is averaged over the covered samples only (straight alpha).
                pixels.append((r // a, g // a, b // a, 255 * a // (n * n)))
            else:
                pixels.append((0, 0, 0, 0))
    return pixels


# --- the drawings; s is the edge length in pixels, u one pixel at 16x16 ---

def book(s):
    u = s / 16.0
    return [
        (rect(2 * u, 1 * u, 14 * u, 15 * u, 1.5 * u), (96, 28, 24)),          # cover outline
        (rect(3 * u, 2 * u, 13 * u, 14 * u, 1 * u), (190, 52, 44)),           # cover
        (rect(3 * u, 2 * u, 5 * u, 14 * u), (128, 34, 30)),                   # spine
        (rect(11 * u, 3 * u, 13 * u, 13.5 * u), (248, 244, 230)),             # page edges
        (rect(6.5 * u, 5 * u, 10.5 * u, 6.5 * u), (246, 200, 80)),            # title band
        (rect(6.5 * u, 8 * u, 10.5 * u, 9 * u), (246, 200, 80)),
    ]


def monitor(s):
    u = s / 16.0
    return [
        (rect(1 * u, 2 * u, 15 * u, 12 * u, 1 * u), (54, 58, 66)),            # bezel
        (rect(2.5 * u, 3.5 * u, 13.5 * u, 10.5 * u), (70, 140, 220)),         # screen
        (polygon([(2.5 * u, 3.5 * u), (9 * u, 3.5 * u), (2.5 * u, 8 * u)]), (120, 180, 240)),  # glare
        (rect(7 * u, 12 * u, 9 * u, 13.5 * u), (90, 94, 102)),                # neck
        (rect(4 * u, 13.5 * u, 12 * u, 15 * u, 0.7 * u), (54, 58, 66)),       # foot
    ]


def folder(s):
    u = s / 16.0
    return [
        (polygon([(1 * u, 3 * u), (6 * u, 3 * u), (7.5 * u, 4.5 * u), (15 * u, 4.5 * u),
                  (15 * u, 14 * u), (1 * u, 14 * u)]), (168, 120, 20)),        # back and tab
        (rect(2 * u, 4 * u, 5.5 * u, 6 * u), (232, 180, 60)),
        (polygon([(1 * u, 7 * u), (15 * u, 7 * u), (15 * u, 14 * u), (1 * u, 14 * u)]), (168, 120, 20)),
        (rect(2 * u, 8 * u, 14 * u, 13 * u), (250, 204, 84)),                 # front
        (rect(2 * u, 8 * u, 14 * u, 9 * u), (255, 226, 140)),                 # highlight
    ]


def globe(s):
    u = s / 16.0
    c, r = 8 * u, 6.5 * u
    line = max(1.0, 1.0 * u)
    body = ellipse(c, c, r, r)
    return [
        (ellipse(c, c, r + 0.8 * u, r + 0.8 * u), (24, 74, 140)),             # rim
        (body, (64, 150, 230)),                                              # sea
        (clipped(ellipse(c - 2 * u, c - 1.5 * u, 2.5 * u, 2.2 * u), body), (70, 170, 80)),   # land
        (clipped(ellipse(c + 2.5 * u, c + 2.5 * u, 2 * u, 1.6 * u), body), (70, 170, 80)),
        (clipped(ellipse_ring(c, c, 2.8 * u, r, line), body), (230, 240, 255)),  # meridian
        (clipped(segment(c, c - r, c, c + r, line), body), (230, 240, 255)),
        (clipped(segment(c - r, c, c + r, c, line), body), (230, 240, 255)),   # equator
    ]


def letter(s):
    u = s / 16.0
    stroke = 2.0 * u
    return [
        (rect(1 * u, 1 * u, 15 * u, 15 * u, 2.5 * u), (30, 100, 60)),         # tile outline
        (rect(2 * u, 2 * u, 14 * u, 14 * u, 2 * u), (52, 160, 96)),           # tile
        (segment(4.5 * u, 12.5 * u, 8 * u, 3.5 * u, stroke), (255, 255, 255)),  # the letter A
        (segment(11.5 * u, 12.5 * u, 8 * u, 3.5 * u, stroke), (255, 255, 255)),
        (segment(6 * u, 9.5 * u, 10 * u, 9.5 * u, 1.5 * u), (255, 255, 255)),
    ]


ICONS = {
    "Dictionary.ico": book,           # tree root
    "SystemDictionary.ico": monitor,  # system word list
    "ProjectDictionary.ico": folder,  # project word list
    "Languages.ico": globe,           # language management
    "LanguageRow.ico": letter,        # image of each language list row
}


def image_entry(size, pixels):
    """BITMAPINFOHEADER, bottom-up BGRA colour rows, bottom-up AND mask rows."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    for row in reversed(range(size)):
        for col in range(size):
            r, g, b, a = pixels[row * size + col]
            colour += bytes((b, g, r, a))
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(range(size)):
        bits = bytearray(stride)
        for col in range(size):
            if pixels[row * size + col][3] == 0:  # fully transparent
                bits[col // 8] |= 0x80 >> (col % 8)
        mask += bits
    return header + bytes(colour) + bytes(mask)


def write_icon(path, draw, sizes=(16, 32)):
    images = [(size, image_entry(size, render(draw(size), size))) for size in sizes]
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    data = b""
    for size, blob in images:
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset + len(data))
        data += blob
    with open(path, "wb") as f:
        f.write(directory + data)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, draw in ICONS.items():
        write_icon(os.path.join(here, name), draw)
        print("wrote", os.path.join(here, name))


if __name__ == "__main__":
    main()
