#!/usr/bin/env python3
"""Draws the program's two icons and writes them as .ico files.

A grey bin with a green recycling sign, three arrows curving down into it. Each file holds
a 32 x 32 and a 16 x 16 image in 16 colours (the standard VGA palette) with an AND mask.
Only the colour of the arrows differs between the two files.

    tools/make_icons.py [OUTPUT_DIR]      (default: app/res beside this script)

The build does not run this; the .ico files it writes are kept in the repository.
"""

import math
import os
import struct
import sys

# The standard 16-colour palette, in index order, as (R, G, B).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_RED, DARK_GREEN, SILVER, GREY, RED, GREEN, WHITE = 0, 1, 2, 7, 8, 9, 10, 15
TRANSPARENT = None

# Shapes are laid out on a 32-unit square; each image samples them at its own size.
UNITS = 32.0


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length2))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def inside_polygon(px, py, points):
    inside = False
    n = len(points)
    for i in range(n):
        (ax, ay), (bx, by) = points[i], points[(i + 1) % n]
        if (ay > py) != (by > py) and px < ax + (py - ay) * (bx - ax) / (by - ay):
            inside = not inside
    return inside


class Polygon:
    def __init__(self, points):
        self.points = points

    def distance(self, x, y):
        """Signed distance to the outline: negative inside."""
        n = len(self.points)
        d = min(segment_distance(x, y, *self.points[i], *self.points[(i + 1) % n])
                for i in range(n))
        return -d if inside_polygon(x, y, self.points) else d


class Stroke:
    """A polyline of the given width."""

    def __init__(self, points, width):
        self.points = points
        self.half = width / 2.0

    def distance(self, x, y):
        d = min(segment_distance(x, y, *self.points[i], *self.points[i + 1])
                for i in range(len(self.points) - 1))
        return d - self.half


def bezier(p0, p1, p2, steps=24):
    return [((1 - t) ** 2 * p0[0] + 2 * (1 - t) * t * p1[0] + t * t * p2[0],
             (1 - t) ** 2 * p0[1] + 2 * (1 - t) * t * p1[1] + t * t * p2[1])
            for t in (i / steps for i in range(steps + 1))]


def arrow(start, control, tip, shaft, head_width, head_length):
    """A curved arrow whose head ends at tip, pointing along the curve's last direction."""
    dx, dy = tip[0] - control[0], tip[1] - control[1]
    length = math.hypot(dx, dy)
    ux, uy = dx / length, dy / length
    base = (tip[0] - ux * head_length, tip[1] - uy * head_length)
    # The shaft ends inside the head, so that the two join without a notch.
    shaft_end = (tip[0] - ux * head_length * 0.6, tip[1] - uy * head_length * 0.6)
    head = Polygon([tip,
                    (base[0] - uy * head_width / 2, base[1] + ux * head_width / 2),
                    (base[0] + uy * head_width / 2, base[1] - ux * head_width / 2)])
    return [Stroke(bezier(start, control, shaft_end), shaft), head]


def recycling_sign(cx, cy, radius, width, heads=True):
    """Three bent arrows chasing each other round a triangle."""
    corners = [(cx + radius * math.cos(a), cy + radius * math.sin(a))
               for a in (math.radians(-90 + 120 * k) for k in range(3))]
    shapes = []
    for k in range(3):
        a, b = corners[k], corners[(k + 1) % 3]
        if not heads:  # too small for heads: a closed triangle reads better
            shapes.append(Stroke([a, b], width))
            continue
        # Each arrow runs along one side and stops short of the next corner.
        start = (a[0] + (b[0] - a[0]) * 0.05, a[1] + (b[1] - a[1]) * 0.05)
        tip = (a[0] + (b[0] - a[0]) * 0.85, a[1] + (b[1] - a[1]) * 0.85)
        control = ((start[0] + tip[0]) / 2, (start[1] + tip[1]) / 2)
        shapes += arrow(start, control, tip, width, width * 3.0, width * 2.2)
    return shapes


def scene(arrow_colour, size):
    """(shapes, fill colour, outline colour) in painting order, for an image of this size."""
    fine = size >= 32
    layers = []
    # The three arrows falling into the bin.
    if fine:
        shaft, head_w, head_l = 2.2, 6.5, 4.5
        paths = (((2.5, 3.0), (8.5, 2.5), (9.5, 11.0)),
                 ((16.0, 1.5), (16.0, 5.0), (16.0, 11.0)),
                 ((29.5, 3.0), (23.5, 2.5), (22.5, 11.0)))
    else:
        shaft, head_w, head_l = 2.6, 8.0, 5.0
        paths = (((1.0, 3.0), (7.0, 2.0), (8.0, 11.0)),
                 ((16.0, 1.0), (16.0, 5.0), (16.0, 11.0)),
                 ((31.0, 3.0), (25.0, 2.0), (24.0, 11.0)))
    for start, control, tip in paths:
        layers.append((arrow(start, control, tip, shaft, head_w, head_l), arrow_colour, BLACK))
    # The bin: body, then its rim.
    body = Polygon([(6.0, 13.0), (26.0, 13.0), (23.5, 30.5), (8.5, 30.5)])
    layers.append(([body], SILVER, BLACK))
    if fine:
        for x_top, x_bottom in ((9.5, 11.0), (22.5, 21.0)):
            layers.append(([Stroke([(x_top, 16.5), (x_bottom, 28.5)], 1.0)], GREY, None))
    rim = Polygon([(3.5, 11.5), (28.5, 11.5), (28.5, 14.5), (3.5, 14.5)])
    layers.append(([rim], GREY, BLACK))
    # The recycling sign on the front.
    if fine:
        layers.append((recycling_sign(16.0, 23.0, 6.5, 1.5), DARK_GREEN, None))
    else:
        layers.append((recycling_sign(16.0, 23.0, 5.0, 2.0, heads=False), DARK_GREEN, None))
    return layers


def render(arrow_colour, size):
    """Rows of palette indices (or TRANSPARENT), top row first."""
    scale = UNITS / size
    outline = scale  # one pixel of this image
    layers = scene(arrow_colour, size)
    samples = 4
    image = []
    for row in range(size):
        line = []
        for col in range(size):
            votes = {}
            for sy in range(samples):
                for sx in range(samples):
                    x = (col + (sx + 0.5) / samples) * scale
                    y = (row + (sy + 0.5) / samples) * scale
                    colour = TRANSPARENT
                    for shapes, fill, edge in layers:
                        d = min(s.distance(x, y) for s in shapes)
                        if d <= 0:
                            colour = fill
                        elif edge is not None and d <= outline:
                            colour = edge
                    votes[colour] = votes.get(colour, 0) + 1
            line.append(max(votes, key=lambda c: (votes[c], c is not TRANSPARENT)))
        image.append(line)
    return image


def bitmap(image):
    """The BITMAPINFOHEADER, palette, XOR bitmap and AND mask of one icon image."""
    size = len(image)
    xor_stride = ((size * 4 + 31) // 32) * 4
    and_stride = ((size + 31) // 32) * 4
    xor_rows, and_rows = [], []
    for line in reversed(image):  # bottom-up
        xor = bytearray(xor_stride)
        mask = bytearray(and_stride)
        for col, colour in enumerate(line):
            if colour is TRANSPARENT:
                mask[col // 8] |= 0x80 >> (col % 8)
                colour = 0
            xor[col // 2] |= colour << (4 if col % 2 == 0 else 0)
        xor_rows.append(bytes(xor))
        and_rows.append(bytes(mask))
    pixels = b"".join(xor_rows) + b"".join(and_rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, len(pixels), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    return header + palette + pixels


def icon_file(images):
    blobs = [bitmap(image) for image in images]
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for image, blob in zip(images, blobs):
        size = len(image)
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "app", "res")
    os.makedirs(out_dir, exist_ok=True)
    for name, colour in (("form1.ico", DARK_RED), ("mainicon.ico", RED)):
        data = icon_file([render(colour, 32), render(colour, 16)])
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
