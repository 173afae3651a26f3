#!/usr/bin/env python3
"""Draws the start window's picture and the About box's and guide pane's pictures as
PNG files beside this script, with nothing but the standard library:
    start.png  620 x 420, a rounded card with transparent corners, an LED panel
               spelling QUENDRA on it
    533.png    340 x 180, the About box's picture under the water ripple (rippled
               stripes, so refraction shows)
    179.png    64 x 64, a display screen on a stand (the guide's screen choice)
    178.png    64 x 64, a film strip (the guide's program choice)
    python3 draw_pictures.py
"""
import math
import os
import struct
import zlib

GLYPHS = {  # 5 x 7 dot-matrix letters
    "Q": ["01110", "10001", "10001", "10001", "10101", "10010", "01101"],
    "U": ["10001", "10001", "10001", "10001", "10001", "10001", "01110"],
    "E": ["11111", "10000", "10000", "11110", "10000", "10000", "11111"],
    "N": ["10001", "11001", "10101", "10011", "10001", "10001", "10001"],
    "D": ["11110", "10001", "10001", "10001", "10001", "10001", "11110"],
    "R": ["11110", "10001", "10001", "11110", "10100", "10010", "10001"],
    "A": ["01110", "10001", "10001", "11111", "10001", "10001", "10001"],
}


def write_png(name, width, height, pixel):
    """pixel(x, y) -> (r, g, b, a)."""
    rows = bytearray()
    for y in range(height):
        rows.append(0)
        for x in range(width):
            rows.extend(pixel(x, y))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), name)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                  chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b""))


def mix(a, b, t):
    t = min(1.0, max(0.0, t))
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def lit_dots(text, pitch):
    """The set of (column, row) cells lit by text, one empty column between letters."""
    cells = set()
    for index, letter in enumerate(text):
        for row, line in enumerate(GLYPHS[letter]):
            for column, bit in enumerate(line):
                if bit == "1":
                    cells.add((index * 6 + column, row))
    return cells, (len(text) * 6 - 1) * pitch, 7 * pitch


def led(x, y, left, top, pitch, cells, on, off):
    """The colour of an LED panel of 41 x 7 dots at (x, y), or None outside it."""
    cx, cy = (x - left) // pitch, (y - top) // pitch
    if x < left or y < top or cy > 6 or cx > 40:
        return None
    dx = (x - left) % pitch - pitch / 2 + 0.5
    dy = (y - top) % pitch - pitch / 2 + 0.5
    inside = dx * dx + dy * dy <= (pitch * 0.38) ** 2
    if not inside:
        return None
    return on if (cx, cy) in cells else off


def start_pixel(x, y):
    w, h, radius = 620, 420, 28
    # Rounded corners, transparent outside, a soft edge of one pixel.
    cx = min(max(x, radius), w - 1 - radius)
    cy = min(max(y, radius), h - 1 - radius)
    distance = math.hypot(x - cx, y - cy)
    alpha = max(0.0, min(1.0, radius + 0.5 - distance))
    if alpha == 0:
        return (0, 0, 0, 0)
    colour = mix((18, 44, 86), (6, 14, 32), y / h)
    if 300 < y < 304:
        colour = (102, 188, 240)
    cells, width, _ = START_TEXT
    dot = led(x, y, (w - width) // 2, 150, 12, cells, (255, 170, 40), (40, 52, 72))
    if dot:
        colour = dot
    elif 140 <= y < 244 and (w - width) // 2 - 10 <= x < (w + width) // 2 + 10:
        colour = (10, 12, 18)
    return colour + (round(alpha * 255),)


def about_pixel(x, y):
    wave = math.sin(x / 9.0 + 2 * math.sin(y / 23.0)) * 0.5 + 0.5
    colour = mix((40, 110, 190), (150, 215, 250), y / 180 * 0.6 + wave * 0.4)
    if (x // 12 + y // 12) % 2 == 0:
        colour = mix(colour, (255, 255, 255), 0.12)
    cells, width, _ = ABOUT_TEXT
    dot = led(x, y, (340 - width) // 2, 62, 6, cells, (255, 196, 60), None)
    return (dot or colour) + (255,)


def screen_pixel(x, y):
    if 6 <= x < 58 and 8 <= y < 44:
        if 9 <= x < 55 and 11 <= y < 41:
            on = (x - 9) % 4 < 3 and (y - 11) % 4 < 3
            return ((240, 90, 40) if on and 18 <= y < 34 else (30, 40, 60)) + (255,)
        return (60, 70, 90, 255)
    if 28 <= x < 36 and 44 <= y < 54 or 18 <= x < 46 and 54 <= y < 58:
        return (90, 100, 120, 255)
    return (0, 0, 0, 0)


def film_pixel(x, y):
    if 10 <= x < 54 and 4 <= y < 60:
        if (x < 17 or x >= 47) and (y - 4) % 8 in (2, 3, 4, 5):
            return (255, 255, 255, 255)
        if 19 <= x < 45 and (y - 4) % 19 not in (0, 1):
            return mix((90, 170, 240), (40, 90, 170), (y - 4) / 56) + (255,)
        return (40, 40, 48, 255)
    return (0, 0, 0, 0)


START_TEXT = lit_dots("QUENDRA", 12)
ABOUT_TEXT = lit_dots("QUENDRA", 6)

if __name__ == "__main__":
    write_png("start.png", 620, 420, start_pixel)
    write_png("533.png", 340, 180, about_pixel)
    write_png("179.png", 64, 64, screen_pixel)
    write_png("178.png", 64, 64, film_pixel)
