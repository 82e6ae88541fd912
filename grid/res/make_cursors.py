#!/usr/bin/env python3
"""Draws the grid's cursors (32 x 32, black and white with a mask) into .cur
files beside this script. Run it again after changing a shape."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def arrow_up(px, cx, top):
    for i in range(6):
        for x in range(cx - i, cx + i + 1):
            px[(x, top + i)] = 'b'


def arrow_down(px, cx, bottom):
    for i in range(6):
        for x in range(cx - i, cx + i + 1):
            px[(x, bottom - i)] = 'b'


def arrow_left(px, left, cy):
    for i in range(6):
        for y in range(cy - i, cy + i + 1):
            px[(left + i, y)] = 'b'


def arrow_right(px, right, cy):
    for i in range(6):
        for y in range(cy - i, cy + i + 1):
            px[(right - i, y)] = 'b'


def dot(px, cx, cy, r):
    for y in range(cy - r, cy + r + 1):
        for x in range(cx - r, cx + r + 1):
            if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                px[(x, y)] = 'b'


def outline(px):
    """A white rim around every black pixel, so the cursor shows on black."""
    out = dict(px)
    for (x, y), c in px.items():
        if c != 'b':
            continue
        for dx in (-1, 0, 1):
            for dy in (-1, 0, 1):
                q = (x + dx, y + dy)
                if q not in px and 0 <= q[0] < 32 and 0 <= q[1] < 32:
                    out[q] = 'w'
    return out


def standard_arrow(px, mirror=False):
    rows = [1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 6, 4, 3, 2]
    for y, n in enumerate(rows):
        for x in range(n):
            xx = 31 - x if mirror else x
            px[(xx, y)] = 'b'


def shapes():
    s = {}
    p = {}
    arrow_up(p, 15, 4); dot(p, 15, 15, 2); arrow_down(p, 15, 26)
    s['roll'] = (p, (15, 15))
    p = {}
    arrow_up(p, 15, 4); dot(p, 15, 15, 2)
    s['rollup'] = (p, (15, 15))
    p = {}
    dot(p, 15, 15, 2); arrow_down(p, 15, 26)
    s['rolldown'] = (p, (15, 15))
    p = {}
    for y in range(6, 26):
        p[(14, y)] = 'b'; p[(17, y)] = 'b'
    for x in range(6, 26):
        p[(x, 15)] = 'b'
    arrow_left(p, 4, 15); arrow_right(p, 27, 15)
    s['horzsplit'] = (p, (15, 15))
    p = {}
    for x in range(6, 26):
        p[(x, 14)] = 'b'; p[(x, 17)] = 'b'
    for y in range(6, 26):
        p[(15, y)] = 'b'
    arrow_up(p, 15, 4); arrow_down(p, 15, 27)
    s['vertsplit'] = (p, (15, 15))
    p = {}
    for y in range(32):
        for x in range(32):
            d = (x - 15) ** 2 + (y - 15) ** 2
            if 81 <= d <= 121 or (abs(x - y) <= 1 and d <= 100):
                p[(x, y)] = 'b'
    s['columnnodrag'] = (p, (15, 15))
    p = {}
    for y in range(11):
        for x in range(0, 6 - abs(5 - y)):
            p[(x + 2, y + 10)] = 'b'
    s['indicatorselect'] = (p, (7, 15))
    p = {}
    standard_arrow(p, mirror=True)
    s['reversedarrow'] = (p, (31, 0))
    return s


def write_cur(name, px, hotspot):
    px = outline(px)
    xor_rows, and_rows = [], []
    for y in range(31, -1, -1):  # bottom-up
        xr = ar = 0
        for x in range(32):
            c = px.get((x, y))
            bit = 1 << (31 - x)
            if c is None:
                ar |= bit          # transparent: AND 1, XOR 0
            elif c == 'w':
                xr |= bit          # white: AND 0, XOR 1
        xor_rows.append(struct.pack('>I', xr))
        and_rows.append(struct.pack('>I', ar))
    header = struct.pack('<IiiHHIIiiII', 40, 32, 64, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack('<II', 0x000000, 0xFFFFFF)
    image = header + palette + b''.join(xor_rows) + b''.join(and_rows)
    data = struct.pack('<HHH', 0, 2, 1)
    data += struct.pack('<BBBBHHII', 32, 32, 0, 0, hotspot[0], hotspot[1], len(image), 22)
    with open(os.path.join(HERE, name + '.cur'), 'wb') as f:
        f.write(data + image)


if __name__ == '__main__':
    for name, (px, hot) in shapes().items():
        write_cur(name, px, hot)
