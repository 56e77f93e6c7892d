#!/usr/bin/env python3
"""Draws the program's icons and writes them as .ico files (16, 32, 48 px,
32-bit colour with alpha). Run from this folder; the .ico files are committed.

  Tarnel.ico  icon 129: a parcel with a zip fastener down its middle
  Busy.ico    icon 130: the same parcel with a green "working" arrow
"""
import struct

SIZES = (16, 32, 48)
SUPER = 4  # samples per pixel edge, for smooth edges


def parcel(x, y):
    """Colour (r, g, b, a) of the parcel at x, y in 0..1."""
    if not (0.08 <= x <= 0.92 and 0.14 <= y <= 0.90):
        return None
    edge = min(x - 0.08, 0.92 - x, y - 0.14, 0.90 - y)
    if edge < 0.045:
        return (120, 72, 24, 255)            # outline
    if 0.44 <= x <= 0.56:
        # Fastener: alternating teeth, a pull tab near the top.
        if 0.20 <= y <= 0.34 and 0.40 <= x <= 0.60:
            return (70, 70, 80, 255)
        tooth = int((y - 0.14) / 0.06) % 2
        return (90, 90, 100, 255) if tooth else (200, 200, 210, 255)
    if y < 0.30:
        return (235, 190, 110, 255)          # lid
    return (214, 160, 80, 255)               # body


def busy(x, y):
    # A green disc with a white arrow, lower right, over the parcel.
    cx, cy, r = 0.70, 0.70, 0.28
    d2 = (x - cx) ** 2 + (y - cy) ** 2
    if d2 <= r * r:
        if d2 >= (r - 0.05) ** 2:
            return (20, 110, 40, 255)
        # Arrow pointing right: shaft and head.
        if 0.58 <= x <= 0.72 and 0.66 <= y <= 0.74:
            return (255, 255, 255, 255)
        if 0.72 <= x <= 0.84 and abs(y - 0.70) <= (0.84 - x) * 0.9:
            return (255, 255, 255, 255)
        return (40, 160, 60, 255)
    return parcel(x, y)


def render(shape, n):
    """Rows bottom-up of BGRA bytes, averaged over SUPER x SUPER samples."""
    rows = []
    for py in range(n):
        row = bytearray()
        for px in range(n):
            acc = [0, 0, 0, 0]
            for sy in range(SUPER):
                for sx in range(SUPER):
                    c = shape((px + (sx + 0.5) / SUPER) / n, (py + (sy + 0.5) / SUPER) / n)
                    if c:
                        a = c[3]
                        acc[0] += c[0] * a
                        acc[1] += c[1] * a
                        acc[2] += c[2] * a
                        acc[3] += a
            k = SUPER * SUPER
            alpha = acc[3] / k
            if acc[3]:
                r, g, b = (acc[i] / acc[3] for i in range(3))
            else:
                r = g = b = 0
            row += bytes((round(b), round(g), round(r), round(alpha)))
        rows.append(bytes(row))
    rows.reverse()
    return rows


def image(shape, n):
    rows = render(shape, n)
    header = struct.pack("<IiiHHIIiiII", 40, n, n * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b"".join(rows)
    mask_stride = ((n + 31) // 32) * 4
    mask = bytearray()
    for row in rows:
        bits = bytearray(mask_stride)
        for px in range(n):
            if row[px * 4 + 3] == 0:
                bits[px // 8] |= 0x80 >> (px % 8)
        mask += bits
    return header + xor + bytes(mask)


def write_ico(path, shape):
    images = [image(shape, n) for n in SIZES]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for n, data in zip(SIZES, images):
        out += struct.pack("<BBBBHHII", n % 256, n % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    with open(path, "wb") as f:
        f.write(out)


write_ico("Tarnel.ico", parcel)
write_ico("Busy.ico", busy)
