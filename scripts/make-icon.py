#!/usr/bin/env python3
"""Writes src/app/res/Vesk.ico: the program's icon at every size Windows asks for.

The 16 x 16 image is the hand-drawn one (ART below), pixel for pixel. The larger ones are
drawn from the same picture as shapes (a rounded blue square, two lines of text and a
note), with edges smoothed, so that the tray at 125-200 % scaling (20-32 pixels) and
Explorer's icons (32-256 pixels) show a sharp icon instead of the small one stretched.
Images up to 64 pixels are 32-bit bitmaps with their mask, the 256-pixel one a PNG, as
Windows' own icons are. Usage: make-icon.py [output]
"""

import math
import struct
import sys
import zlib
from pathlib import Path

BLUE = (32, 112, 200)
WHITE = (255, 255, 255)
SIZES = [16, 20, 24, 32, 40, 48, 64, 256]
PNG_FROM = 256

# The 16 x 16 image, top row first: "." transparent, "b" blue, "W" white.
ART = """
..bbbbbbbbbbbb..
.bbbbbbbbbbbbbb.
bbbbbbbbbbbbbbbb
bbbbbbbbWWbbbbbb
bbWWWWbbWbWbbbbb
bbbbbbbbWbbWbbbb
bbbbbbbbWbbWbbbb
bbWWWWWbWbWbbbbb
bbbbbbbbWbbbbbbb
bbbbbbbbWbbbbbbb
bbbbbWWWWbbbbbbb
bbbbWWWWWbbbbbbb
bbbbbWWWbbbbbbbb
bbbbbbbbbbbbbbbb
.bbbbbbbbbbbbbb.
..bbbbbbbbbbbb..
""".split()

# The same picture as shapes, in the 16-unit square of the small image (y downwards).
CORNER = 2.5
LINES = [((2.5, 4.5), (5.5, 4.5)), ((2.5, 7.5), (6.5, 7.5))]  # strokes 1 unit wide
STEM = ((8.5, 3.5), (8.5, 11.0))
FLAG = [(8.5, 3.2), (11.8, 4.6), (10.4, 7.8)]  # a curve: start, control point, end
HEAD = ((6.6, 11.4), 2.3, 1.45, math.radians(-22))  # centre, radii, tilt


def in_rounded_square(x, y):
    dx = max(CORNER - x, 0, x - (16 - CORNER))
    dy = max(CORNER - y, 0, y - (16 - CORNER))
    return dx * dx + dy * dy <= CORNER * CORNER


def near_segment(x, y, a, b, half_width):
    (ax, ay), (bx, by) = a, b
    vx, vy = bx - ax, by - ay
    t = ((x - ax) * vx + (y - ay) * vy) / (vx * vx + vy * vy)
    t = min(max(t, 0.0), 1.0)
    px, py = ax + t * vx - x, ay + t * vy - y
    return px * px + py * py <= half_width * half_width


def flag_segments(steps=24):
    (x0, y0), (x1, y1), (x2, y2) = FLAG
    points = []
    for i in range(steps + 1):
        t = i / steps
        u = 1 - t
        points.append((u * u * x0 + 2 * u * t * x1 + t * t * x2,
                       u * u * y0 + 2 * u * t * y1 + t * t * y2))
    return list(zip(points, points[1:]))


FLAG_SEGMENTS = flag_segments()


def in_head(x, y):
    (cx, cy), rx, ry, tilt = HEAD
    dx, dy = x - cx, y - cy
    u = dx * math.cos(tilt) + dy * math.sin(tilt)
    v = -dx * math.sin(tilt) + dy * math.cos(tilt)
    return (u / rx) ** 2 + (v / ry) ** 2 <= 1


def snapped(centre, size, pixels):
    """A stroke's centre (units) moved so that a stroke of whole pixels covers whole pixels."""
    start = round(centre * size / 16 - pixels / 2)
    return (start + pixels / 2) * 16 / size


def strokes_for(size):
    """The straight strokes at a size, their edges on pixel edges, and their half width in
    units: a whole number of pixels wide, so that small icons stay sharp."""
    pixels = max(1, round(size / 16))
    lines = [((x0, snapped(y, size, pixels)), (x1, snapped(y, size, pixels)))
             for (x0, y), (x1, _) in LINES]
    (x, y0), (_, y1) = STEM
    stem = ((snapped(x, size, pixels), y0), (snapped(x, size, pixels), y1))
    return lines + [stem], pixels / 2 * 16 / size


def is_white(x, y, strokes, half_width):
    return (any(near_segment(x, y, a, b, half_width) for a, b in strokes) or
            any(near_segment(x, y, a, b, 0.5) for a, b in FLAG_SEGMENTS) or in_head(x, y))


def drawn_pixels(size):
    """Rows of (r, g, b, a), top row first, each pixel the average of samples inside it."""
    samples = 8 if size <= 64 else 4
    unit = 16 / size
    strokes, half_width = strokes_for(size)
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            covered = white = 0
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) * unit
                    y = (py + (sy + 0.5) / samples) * unit
                    if in_rounded_square(x, y):
                        covered += 1
                        white += is_white(x, y, strokes, half_width)
            if covered == 0:
                row.append((0, 0, 0, 0))
                continue
            share = white / covered
            colour = tuple(round(b + (w - b) * share) for b, w in zip(BLUE, WHITE))
            row.append(colour + (round(255 * covered / (samples * samples)),))
        rows.append(row)
    return rows


def art_pixels():
    colours = {".": (0, 0, 0, 0), "b": BLUE + (255,), "W": WHITE + (255,)}
    return [[colours[c] for c in line] for line in ART]


def bitmap_image(rows):
    """A 32-bit icon image: the header (height doubled for the mask), the pixels bottom-up
    in BGRA, then the 1-bit AND mask (set where transparent), rows padded to 4 bytes."""
    size = len(rows)
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for r, g, b, a in row)
    stride = (size + 31) // 32 * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, len(pixels) + len(mask),
                         0, 0, 0, 0)
    return header + pixels + bytes(mask)


def png_image(rows):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    size = len(rows)
    raw = b"".join(b"\0" + bytes(v for pixel in row for v in pixel) for row in rows)
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def icon_file(images):
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = data = b""
    for size, image in images:
        side = 0 if size >= 256 else size
        entries += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(image), offset)
        data += image
        offset += len(image)
    return directory + entries + data


def main(argv):
    output = Path(argv[1]) if len(argv) > 1 else \
        Path(__file__).resolve().parent.parent / "src/app/res/Vesk.ico"
    images = []
    for size in SIZES:
        rows = art_pixels() if size == 16 else drawn_pixels(size)
        images.append((size, png_image(rows) if size >= PNG_FROM else bitmap_image(rows)))
    output.write_bytes(icon_file(images))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
