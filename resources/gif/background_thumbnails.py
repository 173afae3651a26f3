#!/usr/bin/env python3
"""Draws the built-in background chooser's pictures: the cells' animations 440 and
443-463 (backgrounds 1 to 22, in that order) and the selection mark 442.

Each cell is 64 x 32: the background's number in white over a dark hatch that shifts
by half a step between its two frames (half a second each). The mark is 64 x 32 on
white (the colour the cell leaves transparent): an amber frame round the cell and a
ticked box in its top-right corner. Writes PPM files and lets ffmpeg make the GIFs and
the PNG:
    python3 background_thumbnails.py && for n in $(seq 1 22); do \
      ffmpeg -y -loglevel error -framerate 2 -i cell${n}_%d.ppm \
        -vf "split[a][b];[a]palettegen=max_colors=8:reserve_transparent=0[p];[b][p]paletteuse=dither=none" \
        -loop 0 $([ $n = 1 ] && echo 440 || echo $((441 + n))).gif; done && \
      ffmpeg -y -loglevel error -i mark.ppm ../images/442.png && rm *.ppm
"""

WIDTH, HEIGHT = 64, 32
DARK = (0x18, 0x1C, 0x28)
HATCH = (0x30, 0x3A, 0x50)
WHITE = (0xFF, 0xFF, 0xFF)
AMBER = (0xF0, 0xA0, 0x20)
INK = (0x20, 0x20, 0x20)
SCALE = 3  # each pixel of the 3 x 5 digits becomes 3 x 3

DIGITS = {
    "0": ["111", "101", "101", "101", "111"],
    "1": ["010", "110", "010", "010", "111"],
    "2": ["111", "001", "111", "100", "111"],
    "3": ["111", "001", "111", "001", "111"],
    "4": ["101", "101", "111", "001", "001"],
    "5": ["111", "100", "111", "001", "111"],
    "6": ["111", "100", "111", "101", "111"],
    "7": ["111", "001", "010", "010", "010"],
    "8": ["111", "101", "111", "101", "111"],
    "9": ["111", "101", "111", "001", "111"],
}


def blank(colour):
    return [[colour] * WIDTH for _ in range(HEIGHT)]


def write(name, rows):
    with open(name, "wb") as out:
        out.write(b"P6 %d %d 255\n" % (WIDTH, HEIGHT))
        out.write(bytes(c for row in rows for pixel in row for c in pixel))


def cell(number, frame):
    rows = blank(DARK)
    for y in range(HEIGHT):
        for x in range(WIDTH):
            if (x + y + 4 * frame) % 8 < 2:
                rows[y][x] = HATCH
    text = str(number)
    width = len(text) * 4 * SCALE - SCALE
    left, top = (WIDTH - width) // 2, (HEIGHT - 5 * SCALE) // 2
    for i, digit in enumerate(text):
        for gy, line in enumerate(DIGITS[digit]):
            for gx, bit in enumerate(line):
                if bit == "1":
                    for dy in range(SCALE):
                        for dx in range(SCALE):
                            rows[top + gy * SCALE + dy][left + (i * 4 + gx) * SCALE + dx] = WHITE
    return rows


def mark():
    rows = blank(WHITE)
    for y in range(HEIGHT):
        for x in range(WIDTH):
            if x < 2 or y < 2 or x >= WIDTH - 2 or y >= HEIGHT - 2:
                rows[y][x] = AMBER
            if x >= WIDTH - 14 and y < 14:
                rows[y][x] = AMBER
    for x, y in [(53, 7), (54, 8), (55, 9), (56, 8), (57, 7), (58, 6), (59, 5), (60, 4)]:
        for dy in (0, 1):
            rows[y + dy][x] = INK
    return rows


for number in range(1, 23):
    for frame in (0, 1):
        write("cell%d_%d.ppm" % (number, frame), cell(number, frame))
write("mark.ppm", mark())
