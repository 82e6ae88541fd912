#!/usr/bin/env python3
"""Draws the components' pictures: the nine 13x13 LED bitmaps, the three PNG
images of the main window's picture collection and the tray icon.

Run once after changing a picture; the outputs are kept in this folder.
Standard library only (the PNG and BMP writers are a few lines each)."""
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# Transparent colour of the LED bitmaps (0x008000): no LED pixel may equal it.
TRANSPARENT = (0, 128, 0)

LEDS = [  # resource name, lit colour
    ("AQUA", (0, 230, 255)),
    ("PINK", (255, 120, 200)),
    ("PURPLE", (170, 60, 230)),
    ("RED", (240, 20, 20)),
    ("YELLOW", (255, 230, 0)),
    ("GREEN", (30, 230, 40)),
    ("BLUE", (40, 90, 255)),
    ("ORANGE", (255, 140, 0)),
    ("BLACK", (40, 40, 40)),
]


def clamp(v):
    return max(0, min(255, int(round(v))))


def led_pixel(x, y, color):
    """A round LED: dark rim, body shaded toward the lower right, a highlight."""
    cx = cy = 6.0
    d = math.hypot(x - cx, y - cy)
    if d > 6.3:
        return TRANSPARENT
    if d > 5.3:  # rim
        rgb = tuple(c * 0.35 for c in color)
    else:
        shade = 1.0 - 0.45 * ((x - cx) + (y - cy)) / 10.6 - 0.25 * d / 5.3
        rgb = tuple(c * (0.55 + 0.45 * shade) for c in color)
        h = math.hypot(x - 4.2, y - 4.2)
        if h < 1.8:  # highlight
            k = (1.8 - h) / 1.8 * 0.75
            rgb = tuple(c + (255 - c) * k for c in rgb)
    px = tuple(clamp(c) for c in rgb)
    if px == TRANSPARENT:
        px = (0, 129, 0)
    return px


def write_bmp24(path, w, h, pixel):
    row = (w * 3 + 3) & ~3
    data = bytearray()
    for y in range(h - 1, -1, -1):  # bottom-up
        line = bytearray()
        for x in range(w):
            r, g, b = pixel(x, y)
            line += bytes((b, g, r))
        line += b"\0" * (row - len(line))
        data += line
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def png_bytes(w, h, pixel):
    raw = bytearray()
    for y in range(h):
        raw.append(0)
        for x in range(w):
            raw += bytes(pixel(x, y))
    def chunk(tag, body):
        c = struct.pack(">I", len(body)) + tag + body
        return c + struct.pack(">I", zlib.crc32(tag + body) & 0xFFFFFFFF)
    ihdr = struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def smooth(d, edge):
    """Coverage of a point at signed distance d inside an edge (antialiasing)."""
    return max(0.0, min(1.0, edge - d + 0.5))


def disc(cx, cy, r, color):
    def px(x, y):
        a = smooth(math.hypot(x + 0.5 - cx, y + 0.5 - cy), r)
        return color + (clamp(255 * a),)
    return px


def play_picture(x, y):
    # A rounded blue disc with a white "play" triangle.
    base = disc(16, 16, 15, (40, 110, 220))(x, y)
    px, py = x + 0.5, y + 0.5
    inside = px > 12 and abs(py - 16) < (24 - px) * 0.72 and px < 24
    if inside and base[3] > 0:
        return (255, 255, 255, base[3])
    return base


def record_picture(x, y):
    ring = disc(16, 16, 15, (60, 60, 60))(x, y)
    dot = smooth(math.hypot(x + 0.5 - 16, y + 0.5 - 16), 8)
    if dot > 0:
        r = tuple(clamp(a + (b - a) * dot) for a, b in zip(ring[:3], (235, 30, 30)))
        return r + (ring[3],)
    return ring


def note_picture(x, y):
    # A music note on a soft green disc.
    base = disc(16, 16, 15, (40, 170, 90))(x, y)
    px, py = x + 0.5, y + 0.5
    head = math.hypot((px - 13) / 1.25, py - 22) < 3.5
    stem = 15.2 < px < 17.2 and 8 < py < 22
    flag = 17 < px < 22 and 8 < py < 11 + (px - 17) * 0.4
    if (head or stem or flag) and base[3] > 0:
        return (255, 255, 255, base[3])
    return base


def write_ico(path, size_pictures):
    """An icon file with 32-bit images (colour plus AND mask)."""
    images = []
    for size, pixel in size_pictures:
        xor = bytearray()
        for y in range(size - 1, -1, -1):
            for x in range(size):
                r, g, b, a = pixel(x * 32 / size, y * 32 / size)
                xor += bytes((b, g, r, a))
        mask_row = ((size + 31) // 32) * 4
        mask = bytearray()
        for y in range(size - 1, -1, -1):
            bits = bytearray(mask_row)
            for x in range(size):
                if pixel(x * 32 / size, y * 32 / size)[3] == 0:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask),
                           0, 0, 0, 0)
        images.append((size, info + xor + mask))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    with open(path, "wb") as f:
        f.write(out)


def main():
    for name, color in LEDS:
        write_bmp24(os.path.join(HERE, name.lower() + ".bmp"), 13, 13,
                    lambda x, y, c=color: led_pixel(x, y, c))
    for i, pic in enumerate((play_picture, record_picture, note_picture)):
        with open(os.path.join(HERE, "pngimage%d.png" % i), "wb") as f:
            f.write(png_bytes(32, 32, pic))
    # The tray icon: the "play" disc.
    write_ico(os.path.join(HERE, "tray.ico"),
              [(16, lambda x, y: play_picture(int(x), int(y))),
               (32, lambda x, y: play_picture(int(x), int(y)))])


if __name__ == "__main__":
    main()
