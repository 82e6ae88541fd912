#!/usr/bin/env python3
"""Draws the skinned controls' built-in pictures:

- the six border masks BORD1..BORD6: nine cells across (three states, normal,
  hot and pressed, each a 3 x 3 frame of corners, edges and centre) and six
  cells down (three rows of colours, then the same three rows of weights);
- the glyph strips SF, SR, SD, SE, SC and COMBO: three frames side by side
  (normal, hot, pressed), colours in the upper half, weights in the lower;
- the radio and check-box glyphs RCC..RUH (14 x 14) and CCC..CUH (16 x 16),
  plain pictures whose bottom-left pixel, magenta, is their transparent colour.

Every state is a dark outline with rounded corners; what lies outside the
corners is magenta, and its weight is 255 (the background stays). A weight of
0 shows the picture's colour. Weights are grey: one byte per channel, equal.

Run once after changing a picture; the outputs are kept in this folder.
Standard library only."""
import math
import os
import sys

# The 24-bit BMP writer is the one the components' pictures are made with.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "components", "res"))
from make_images import write_bmp24  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))

MAGENTA = (255, 0, 255)
KEEP = 255  # weight that leaves the background as it is

# name, width, height, corner radius, outline thickness, outline colours
# (normal, hot, pressed). Cells: width div 9 by height div 6.
BORDERS = [
    ("BORD1", 90, 60, 4.0, 1, ((72, 72, 78), (40, 70, 140), (24, 24, 28))),
    ("BORD2", 90, 60, 6.0, 1, ((60, 76, 100), (30, 90, 170), (20, 30, 50))),
    ("BORD3", 90, 60, 2.0, 2, ((40, 40, 40), (70, 50, 120), (10, 10, 10))),
    ("BORD4", 90, 60, 8.0, 1, ((90, 80, 70), (150, 90, 30), (40, 30, 20))),
    ("BORD5", 54, 36, 3.0, 1, ((64, 64, 64), (40, 80, 150), (20, 20, 20))),
    ("BORD6", 450, 96, 7.0, 2, ((56, 60, 70), (36, 80, 160), (16, 18, 24))),
]

# The glyph strips of the edits' and combo box's buttons: name, width, height.
STRIPS = [("SF", 60, 34), ("SR", 60, 34), ("SD", 48, 34), ("SE", 54, 34),
          ("SC", 57, 34), ("COMBO", 57, 34)]

STATE_OUTLINE = ((80, 80, 86), (40, 80, 160), (24, 24, 28))
STATE_SYMBOL = ((48, 48, 52), (20, 60, 170), (0, 0, 0))


def rounded_distance(px, py, w, h, r):
    """Signed distance of the point from the rounded rectangle (0,0)-(w,h)
    with corner radius r: negative inside."""
    qx = abs(px - w / 2.0) - (w / 2.0 - r)
    qy = abs(py - h / 2.0) - (h / 2.0 - r)
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - r


def frame_pixel(x, y, w, h, r, thick, outline, inner, inner_weight):
    """(colour, weight) of pixel (x, y) of a w x h frame: magenta outside the
    rounded corners, the outline (its outer pixels softened through their
    weight), one line of `inner` inside it, else the background kept."""
    d = rounded_distance(x + 0.5, y + 0.5, w, h, r)
    if d > 0.0:
        return MAGENTA, KEEP
    if d > -thick:
        cover = min(1.0, 0.5 - d)  # share of the pixel inside the shape
        return outline, int(round(KEEP * (1.0 - cover)))
    if d > -thick - 1 and inner is not None:
        return inner, inner_weight
    return (128, 128, 128), KEEP


def border_pixel(border, x, y):
    name, w, h, r, thick, outlines = border
    cw, ch = w // 9, h // 6
    half = h // 2
    weight_half = y >= half
    yy = y - half if weight_half else y
    state = min(2, x // (3 * cw))
    bx, by = x - state * 3 * cw, yy
    inner = ((255, 255, 255), 150) if state == 0 else \
            ((200, 225, 255), 90) if state == 1 else ((0, 0, 0), 190)
    color, weight = frame_pixel(bx, by, 3 * cw, 3 * ch, r, thick, outlines[state],
                                inner[0], inner[1])
    if state == 2 and weight == KEEP and color != MAGENTA:
        color, weight = (0, 0, 0), 232  # a pressed face is a shade darker
    return (weight, weight, weight) if weight_half else color


# Symbols of the glyph strips, drawn in a frame's coordinates (w x h); each
# answers whether the pixel belongs to the symbol.
def sym_file(x, y, w, h):
    l, t, rr, b = w // 2 - 4, h // 2 - 5, w // 2 + 3, h // 2 + 4
    if not (l <= x <= rr and t <= y <= b):
        return False
    if x - l + (t + 3 - y) > 6:  # folded corner cut away
        return x - l + (t + 3 - y) == 7 or (x == rr - 3 and y <= t + 3) or (y == t + 3 and x >= rr - 3)
    return x in (l, rr) or y in (t, b)


def sym_folder(x, y, w, h):
    l, t, rr, b = w // 2 - 5, h // 2 - 4, w // 2 + 4, h // 2 + 4
    if t <= y <= b and l <= x <= rr:
        if y == t:
            return x <= l + 3
        return x in (l, rr) or y in (t + 1, b) or (y == t + 3 and x > l)
    return False


def sym_date(x, y, w, h):
    l, t, rr, b = w // 2 - 4, h // 2 - 4, w // 2 + 4, h // 2 + 4
    if not (l <= x <= rr and t <= y <= b):
        return False
    return x in (l, rr) or y in (t, t + 1, b) or ((x - l) % 3 == 0 and (y - t) % 3 == 2)


def sym_ellipsis(x, y, w, h):
    cy = h // 2 + 2
    return cy - 1 <= y <= cy and any(cx - 1 <= x <= cx for cx in (w // 2 - 4, w // 2, w // 2 + 4))


def sym_calc(x, y, w, h):
    l, t, rr, b = w // 2 - 4, h // 2 - 5, w // 2 + 3, h // 2 + 4
    if not (l <= x <= rr and t <= y <= b):
        return False
    if x in (l, rr) or y in (t, b) or y == t + 3:
        return True
    return y > t + 3 and (x - l) % 2 == 0 and (y - t) % 2 == 1


def sym_arrow(x, y, w, h):
    cx, top = w // 2, h // 2 - 1
    row = y - top
    return 0 <= row <= 3 and abs(x - cx + 0.5) <= 3.5 - row


SYMBOLS = {"SF": sym_file, "SR": sym_folder, "SD": sym_date, "SE": sym_ellipsis,
           "SC": sym_calc, "COMBO": sym_arrow}


def strip_pixel(name, w, h, x, y):
    fw, fh = w // 3, h // 2
    weight_half = y >= fh
    yy = y - fh if weight_half else y
    state = min(2, x // fw)
    fx = x - state * fw
    if yy >= fh or fx >= fw:  # spare row or column of an odd size: untouched
        color, weight = MAGENTA, KEEP
    else:
        color, weight = frame_pixel(fx, yy, fw, fh, 3.0, 1, STATE_OUTLINE[state], None, KEEP)
        if weight == KEEP and color != MAGENTA:
            shift = 1 if state == 2 else 0  # a pressed button's symbol moves down and right
            if SYMBOLS[name](fx - shift, yy - shift, fw, fh):
                color, weight = STATE_SYMBOL[state], 0
            elif state == 2:
                color, weight = (0, 0, 0), 224
    return (weight, weight, weight) if weight_half else color


def radio_pixel(x, y, checked, hot):
    d = math.hypot(x + 0.5 - 7.0, y + 0.5 - 7.0)
    if d > 6.5:
        return MAGENTA
    if d > 5.3:
        return (40, 80, 160) if hot else (70, 70, 76)
    if checked and d < 2.6:
        return (20, 50, 130) if hot else (30, 30, 34)
    return (228, 238, 255) if hot else (252, 252, 252)


def check_pixel(x, y, checked, hot):
    if x in (0, 15) or y in (0, 15):
        return MAGENTA
    if (x, y) in ((1, 1), (1, 14), (14, 1), (14, 14)):
        return MAGENTA  # rounded corners
    if x in (1, 14) or y in (1, 14):
        return (40, 80, 160) if hot else (70, 70, 76)
    # A tick from (4, 8) down to (6, 10) and up to (11, 5), two pixels thick.
    if checked and ((4 <= x <= 6 and y - x in (4, 5)) or (6 <= x <= 11 and x + y in (16, 17))):
        return (20, 50, 130) if hot else (30, 30, 34)
    return (228, 238, 255) if hot else (252, 252, 252)


def main():
    for border in BORDERS:
        write_bmp24(os.path.join(HERE, border[0].lower() + ".bmp"), border[1], border[2],
                    lambda x, y, b=border: border_pixel(b, x, y))
    for name, w, h in STRIPS:
        write_bmp24(os.path.join(HERE, name.lower() + ".bmp"), w, h,
                    lambda x, y, n=name, w=w, h=h: strip_pixel(n, w, h, x, y))
    for name, checked, hot in (("RCC", True, False), ("RUC", False, False),
                               ("RCH", True, True), ("RUH", False, True)):
        write_bmp24(os.path.join(HERE, name.lower() + ".bmp"), 14, 14,
                    lambda x, y, c=checked, h=hot: radio_pixel(x, y, c, h))
    for name, checked, hot in (("CCC", True, False), ("CUC", False, False),
                               ("CCH", True, True), ("CUH", False, True)):
        write_bmp24(os.path.join(HERE, name.lower() + ".bmp"), 16, 16,
                    lambda x, y, c=checked, h=hot: check_pixel(x, y, c, h))


if __name__ == "__main__":
    main()
