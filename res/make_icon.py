#!/usr/bin/env python3
"""Draws the Quilvex icon (a blue tile with three slider controls, for a
tool that sets tweaks) and writes it as quilvex.ico: a 32x32 and a 16x16
image, 24 bits per pixel, with a 1-bit transparency mask.

Run from anywhere: python3 res/make_icon.py
"""
import os
import struct

SAMPLES = 4  # supersampling per axis, for smooth knob edges


def lerp(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def inside_rounded_square(x, y, size, radius):
    """Whether the point lies in the tile: a square with rounded corners."""
    cx = min(max(x, radius), size - radius)
    cy = min(max(y, radius), size - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def draw(size):
    """Returns rows (top first) of (r, g, b) or None for transparent pixels."""
    radius = size * 0.19
    top, bottom = (74, 144, 226), (22, 78, 160)
    track = (205, 225, 250)
    knob, knob_rim = (255, 178, 44), (150, 80, 0)
    # Three sliders: vertical centre and knob position as shares of the size.
    sliders = [(0.28, 0.66), (0.50, 0.34), (0.72, 0.58)]
    margin = size * 0.17
    track_half = max(size / 32.0, 0.5)
    knob_r = size * 0.115

    def colour_at(x, y):
        if not inside_rounded_square(x, y, size, radius):
            return None
        colour = lerp(top, bottom, y / size)
        for centre, position in sliders:
            cy = centre * size
            if margin <= x <= size - margin and abs(y - cy) <= track_half:
                colour = track
            kx = margin + position * (size - 2 * margin)
            d = ((x - kx) ** 2 + (y - cy) ** 2) ** 0.5
            if d <= knob_r:
                colour = knob if d <= knob_r - max(size / 32.0, 0.6) else knob_rim
        return colour

    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            if not inside_rounded_square(px + 0.5, py + 0.5, size, radius):
                row.append(None)
                continue
            acc = [0, 0, 0]
            n = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = colour_at(px + (sx + 0.5) / SAMPLES, py + (sy + 0.5) / SAMPLES)
                    if c is None:
                        c = lerp(top, bottom, py / size)
                    acc = [a + b for a, b in zip(acc, c)]
                    n += 1
            row.append(tuple(round(a / n) for a in acc))
        rows.append(row)
    return rows


def dib(rows):
    """The icon image: header, 24-bit colours and AND mask, bottom row first."""
    size = len(rows)
    xor_stride = (size * 3 + 3) & ~3
    and_stride = ((size + 31) // 32) * 4
    colours = bytearray()
    mask = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for pixel in row:
            r, g, b = pixel if pixel else (0, 0, 0)
            line += bytes((b, g, r))
        colours += line + bytes(xor_stride - len(line))
        bits = bytearray(and_stride)
        for x, pixel in enumerate(row):
            if pixel is None:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 24, 0,
                         len(colours) + len(mask), 0, 0, 0, 0)
    return header + bytes(colours) + bytes(mask)


def main():
    images = [dib(draw(32)), dib(draw(16))]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip((32, 16), images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 24, len(image), offset)
        offset += len(image)
    out += b"".join(images)
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "quilvex.ico")
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
