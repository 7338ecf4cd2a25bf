#!/usr/bin/env python3
"""Draws Tolvanex's built-in icons and writes them as Windows icon files.

    python3 make_icons.py [FOLDER]      (default: the folder of this script)

Every picture is drawn here from simple shapes, so the output depends on
nothing but this file: running it again gives the same bytes.

  JadDiskIcon.ico   32x32, 16 colours: a yellow floppy disk labelled JAD
  RunIcon.ico       32x32, 256 colours: a glossy blue button with a play sign
  CameraIcon.ico    32x32 in 16 colours, then 32x32 in 32-bit colour: a camera
  ProgramIcon.ico   32x32, 16 colours: label, paint brush, application window
  Tool*.ico         16x16, 32-bit: open, properties, save and find for the
                    toolbar when the desktop's icon theme lacks them
"""

import math
import os
import struct
import sys

# The standard 16-colour icon palette.
VGA = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (128, 128, 128),
    (192, 192, 192), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, MAROON, GREEN, OLIVE, NAVY, PURPLE, TEAL, GREY, SILVER, RED, LIME, \
    YELLOW, BLUE, FUCHSIA, AQUA, WHITE = VGA

# 5x7 capitals for the lettering.
FONT = {
    'J': ["..###", "...#.", "...#.", "...#.", "#..#.", "#..#.", ".##.."],
    'A': [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    'D': ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."],
    'R': ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    'E': ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    'X': ["#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"],
}


# --- shapes: each answers whether the point (x, y) lies inside -------------

def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def circle(cx, cy, r):
    return ellipse(cx, cy, r, r)


def polygon(points):
    def inside(x, y):
        result = False
        n = len(points)
        for i in range(n):
            (xa, ya), (xb, yb) = points[i], points[(i + 1) % n]
            if (ya > y) != (yb > y):
                if x < xa + (y - ya) * (xb - xa) / (yb - ya):
                    result = not result
        return result
    return inside


def stroke(xa, ya, xb, yb, width):
    """A line segment with round ends."""
    def inside(x, y):
        dx, dy = xb - xa, yb - ya
        t = max(0.0, min(1.0, ((x - xa) * dx + (y - ya) * dy) / (dx * dx + dy * dy)))
        px, py = xa + t * dx, ya + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= (width / 2) ** 2
    return inside


def minus(shape, hole):
    return lambda x, y: shape(x, y) and not hole(x, y)


def text(left, top, word):
    """Whole pixels of the 5x7 font, one column between letters."""
    cells = set()
    for n, letter in enumerate(word):
        for row, line in enumerate(FONT[letter]):
            for col, mark in enumerate(line):
                if mark == '#':
                    cells.add((left + 6 * n + col, top + row))
    return lambda x, y: (int(math.floor(x)), int(math.floor(y))) in cells


# --- the canvas: straight-alpha RGBA floats, drawn shape over shape ---------

class Canvas:
    def __init__(self, size, samples):
        self.size = size
        self.samples = samples  # per side of a pixel; 1 draws hard edges
        self.pixels = [[(0.0, 0.0, 0.0, 0.0)] * size for _ in range(size)]

    def fill(self, shape, paint, opacity=1.0):
        """paint: an (r, g, b) colour or a function of (x, y) giving one."""
        n = self.samples
        for py in range(self.size):
            for px in range(self.size):
                hits = 0
                for sy in range(n):
                    for sx in range(n):
                        if shape(px + (sx + 0.5) / n, py + (sy + 0.5) / n):
                            hits += 1
                if hits:
                    colour = paint(px + 0.5, py + 0.5) if callable(paint) else paint
                    self.put(px, py, colour, opacity * hits / (n * n))

    def put(self, px, py, colour, alpha):
        r0, g0, b0, a0 = self.pixels[py][px]
        a = alpha + a0 * (1 - alpha)
        if a <= 0:
            return
        mix = [(c / 255.0 * alpha + old * a0 * (1 - alpha)) / a
               for c, old in zip(colour, (r0, g0, b0))]
        self.pixels[py][px] = (mix[0], mix[1], mix[2], a)

    def rgba(self):
        """Rows top first of (r, g, b, a) bytes."""
        return [[tuple(int(round(c * 255)) for c in p) for p in row]
                for row in self.pixels]


def vertical(top_colour, bottom_colour, y0, y1):
    def paint(x, y):
        t = min(1.0, max(0.0, (y - y0) / (y1 - y0)))
        return tuple(a + (b - a) * t for a, b in zip(top_colour, bottom_colour))
    return paint


# --- writing icon files ------------------------------------------------------

def row_bytes(width, depth):
    return (width * depth + 31) // 32 * 4


def pack_rows(rows, depth):
    """Rows top first of stored values, written bottom row first."""
    out = bytearray()
    for row in reversed(rows):
        packed = bytearray()
        if depth < 8:
            per_byte = 8 // depth
            for i in range(0, len(row), per_byte):
                value = 0
                for j in range(per_byte):
                    v = row[i + j] if i + j < len(row) else 0
                    value = (value << depth) | v
                packed.append(value)
        elif depth == 8:
            packed.extend(row)
        else:
            for v in row:
                packed.extend(struct.pack('<I', v))
        packed.extend(b'\0' * (row_bytes(len(row), depth) - len(packed)))
        out.extend(packed)
    return bytes(out)


def icon_image(rgba, depth, palette=None, indices=None):
    """One icon image: info header (twice the height), palette, colour bits,
    AND mask. Pixels with alpha below one half are masked out."""
    size = len(rgba)
    mask = [[1 if p[3] < 128 else 0 for p in row] for row in rgba]
    if depth == 32:
        colour = pack_rows([[(p[3] << 24) | (p[0] << 16) | (p[1] << 8) | p[2]
                             for p in row] for row in rgba], 32)
        table = b''
    else:
        colour = pack_rows(indices, depth)
        table = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in palette)
        table += b'\0' * (4 * (1 << depth) - len(table))
    and_mask = pack_rows(mask, 1)
    header = struct.pack('<IiiHHIIiiII', 40, size, 2 * size, 1, depth, 0,
                         len(colour) + len(and_mask), 0, 0, 0, 0)
    return header + table + colour + and_mask


def icon_file(images):
    """images: (size, depth, image bytes) in directory order."""
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, depth, data in images:
        colours = 1 << depth if depth < 8 else 0
        out += struct.pack('<BBBBHHII', size % 256, size % 256, colours, 0, 1,
                           depth, len(data), offset)
        offset += len(data)
    for _, _, data in images:
        out += data
    return bytes(out)


def nearest(colour, palette):
    return min(range(len(palette)),
               key=lambda i: (sum((a - b) ** 2 for a, b in zip(colour, palette[i])), i))


def sixteen_colour_image(canvas):
    rgba = canvas.rgba()
    indices = [[nearest(p[:3], VGA) if p[3] >= 128 else 0 for p in row] for row in rgba]
    return icon_image(rgba, 4, VGA, indices)


def median_cut(colours, count):
    """Splits the colours into at most count boxes; answers their means."""
    boxes = [sorted(colours)]
    while len(boxes) < count:
        spans = [(max(c[k] for c in box) - min(c[k] for c in box), i, k)
                 for i, box in enumerate(boxes) if len(box) > 1
                 for k in range(3)]
        if not spans:
            break
        _, i, k = max(spans)
        box = sorted(boxes[i], key=lambda c: (c[k], c))
        half = len(box) // 2
        boxes[i:i + 1] = [box[:half], box[half:]]
    return [tuple(int(round(sum(c[k] for c in box) / len(box))) for k in range(3))
            for box in boxes]


def palette_image(canvas):
    """256 colours: black first (under the masked pixels), then the picture's
    own colours, reduced by median cut when there are more than fit."""
    rgba = canvas.rgba()
    opaque = [p[:3] for row in rgba for p in row if p[3] >= 128]
    distinct = sorted(set(opaque))
    palette = [(0, 0, 0)] + (distinct if len(distinct) <= 255 else median_cut(opaque, 255))
    lookup = {}
    indices = []
    for row in rgba:
        line = []
        for p in row:
            if p[3] < 128:
                line.append(0)
                continue
            if p[:3] not in lookup:
                lookup[p[:3]] = nearest(p[:3], palette)
            line.append(lookup[p[:3]])
        indices.append(line)
    return icon_image(rgba, 8, palette, indices)


# --- the artwork -------------------------------------------------------------

def draw_jad_disk(c):
    body = polygon([(2, 2), (27, 2), (30, 5), (30, 30), (2, 30)])
    c.fill(body, BLACK)
    c.fill(polygon([(3, 3), (26.5, 3), (29, 5.5), (29, 29), (3, 29)]), YELLOW)
    c.fill(rect(9, 3, 24, 13), SILVER)           # the metal shutter
    c.fill(rect(9, 12, 24, 13), GREY)
    c.fill(rect(18, 5, 21, 11), NAVY)            # its window
    c.fill(rect(5, 16, 27, 29), BLACK)           # the label
    c.fill(rect(6, 17, 26, 29), WHITE)
    c.fill(text(8, 19, "JAD"), BLACK)
    c.fill(rect(8, 27, 24, 28), RED)


def draw_run_button(c):
    button = rounded_rect(2, 2, 30, 30, 6)
    c.fill(button, (10, 40, 110))
    c.fill(rounded_rect(3, 3, 29, 29, 5),
           vertical((110, 180, 255), (0, 60, 190), 3, 29))
    c.fill(ellipse(16, 8.5, 11.5, 6), vertical((255, 255, 255), (160, 210, 255), 2.5, 14.5), 0.55)
    c.fill(polygon([(12, 8.5), (12, 23.5), (24, 16)]), (20, 50, 120), 0.35)   # shadow
    c.fill(polygon([(11, 7.5), (11, 22.5), (23, 15)]), (255, 255, 255))


def draw_camera(c, rich):
    grey_body = vertical((225, 225, 225), (140, 140, 140), 9, 28) if rich else SILVER
    c.fill(polygon([(9, 9.5), (11, 5), (20, 5), (22, 9.5)]), BLACK)          # viewfinder
    c.fill(polygon([(10.3, 9.5), (11.8, 6), (19.2, 6), (20.7, 9.5)]),
           (170, 170, 170) if rich else GREY)
    c.fill(rect(24, 6, 28, 9), RED)                                          # shutter release
    c.fill(rounded_rect(2, 9, 30, 28, 3 if rich else 2), BLACK)
    c.fill(rounded_rect(3, 10, 29, 27, 2 if rich else 1), grey_body)
    c.fill(rect(4, 11, 8, 14), WHITE if not rich else (250, 250, 230))       # flash
    c.fill(circle(16, 18.5, 8.5), BLACK)
    c.fill(circle(16, 18.5, 7.5), (110, 110, 110) if rich else GREY)
    c.fill(circle(16, 18.5, 6), TEAL)
    c.fill(circle(16, 18.5, 5),
           vertical((150, 255, 255), (0, 170, 200), 13.5, 23.5) if rich else AQUA)
    c.fill(circle(16, 18.5, 2.2), NAVY if not rich else (0, 60, 110))
    c.fill(circle(13.8, 16.2, 1.3), WHITE)


def draw_program(c):
    c.fill(rect(3, 1, 29, 18), BLACK)                # the label
    c.fill(rect(4, 2, 28, 17), WHITE)
    c.fill(text(7, 2 + 1, "JAR"), BLACK)
    c.fill(text(7, 2 + 8 + 1, "EXE"), RED)
    c.fill(rect(13, 19, 31, 31), BLACK)              # the application window
    c.fill(rect(14, 20, 30, 23), BLUE)
    c.fill(rect(27, 20, 29, 22), WHITE)
    c.fill(rect(14, 23, 30, 30), SILVER)
    c.fill(rect(16, 25, 28, 26), GREY)
    c.fill(rect(16, 27, 24, 28), GREY)
    c.fill(stroke(2, 30.5, 6, 26.5, 3.4), MAROON)     # the paint brush: handle,
    c.fill(stroke(6, 26.5, 9, 23.5, 3.8), GREY)       # ferrule,
    c.fill(polygon([(7.6, 22.2), (10.4, 25), (13, 19.6)]), BLACK)   # bristles
    c.fill(polygon([(10.6, 21.6), (11.9, 22.9), (13, 19.6)]), RED)  # dipped in paint

def draw_tool_open(c):
    c.fill(polygon([(1, 3), (6, 3), (7, 4.5), (13, 4.5), (13, 13.5), (1, 13.5)]), (140, 100, 0))
    c.fill(polygon([(1.8, 3.8), (5.6, 3.8), (6.6, 5.3), (12.2, 5.3), (12.2, 13), (1.8, 13)]),
           (240, 200, 70))
    c.fill(polygon([(4, 7), (15.5, 7), (12.5, 14), (1, 14)]), (140, 100, 0))
    c.fill(polygon([(4.6, 7.8), (14.4, 7.8), (12, 13.2), (2.2, 13.2)]), (255, 225, 110))


def draw_tool_properties(c):
    c.fill(rect(2, 1, 14, 15), (90, 90, 90))
    c.fill(rect(3, 2, 13, 14), WHITE)
    c.fill(rect(3, 2, 13, 5), (40, 100, 200))
    for y in (7, 9, 11):
        c.fill(rect(5, y, 6, y + 1), (40, 100, 200))
        c.fill(rect(7, y, 11, y + 1), (110, 110, 110))


def draw_tool_save(c):
    c.fill(polygon([(1, 1), (13, 1), (15, 3), (15, 15), (1, 15)]), (20, 40, 110))
    c.fill(polygon([(2, 2), (12.5, 2), (14, 3.5), (14, 14), (2, 14)]), (50, 100, 200))
    c.fill(rect(4, 2, 12, 6), (220, 220, 220))
    c.fill(rect(9, 2.5, 11, 5.5), (60, 60, 60))
    c.fill(rect(4, 8, 12, 14), WHITE)
    c.fill(rect(5, 10, 11, 11), (150, 150, 150))


def draw_tool_find(c):
    c.fill(stroke(9.5, 9.5, 14, 14, 3.2), (110, 70, 30))
    c.fill(circle(6.5, 6.5, 5.5), (60, 60, 60))
    c.fill(circle(6.5, 6.5, 4.2), vertical((220, 240, 255), (120, 170, 230), 2.3, 10.7))
    c.fill(circle(5, 5, 1.2), WHITE, 0.9)


def drawn(size, samples, draw, *args):
    canvas = Canvas(size, samples)
    draw(canvas, *args)
    return canvas


def build_all():
    """File name -> bytes."""
    camera16 = sixteen_colour_image(drawn(32, 1, draw_camera, False))
    camera32 = icon_image(drawn(32, 4, draw_camera, True).rgba(), 32)
    files = {
        "JadDiskIcon.ico": icon_file([(32, 4, sixteen_colour_image(drawn(32, 1, draw_jad_disk)))]),
        "RunIcon.ico": icon_file([(32, 8, palette_image(drawn(32, 4, draw_run_button)))]),
        "CameraIcon.ico": icon_file([(32, 4, camera16), (32, 32, camera32)]),
        "ProgramIcon.ico": icon_file([(32, 4, sixteen_colour_image(drawn(32, 1, draw_program)))]),
    }
    for name, draw in (("ToolOpen", draw_tool_open), ("ToolProperties", draw_tool_properties),
                       ("ToolSave", draw_tool_save), ("ToolFind", draw_tool_find)):
        files[name + ".ico"] = icon_file([(16, 32, icon_image(drawn(16, 4, draw).rgba(), 32))])
    return files


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    os.makedirs(folder, exist_ok=True)
    for name, data in build_all().items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
