#!/usr/bin/env python3
"""Makes the built-in background chooser's pictures: the cells' animations 440 and
443-463 (backgrounds 1 to 22, in that order) and the selection mark 442.

The cells show the backgrounds themselves. The real Flash host's test in render_tests
(RealFlashHostTest.EveryBuiltInBackgroundAndFlashWordEffectShows) plays each one for
five seconds, a whole loop, and keeps 25 of its frames, 0.2 s apart and scaled to the
cell's 64 x 32, as the strip background_cell_<n>.png among the test artefacts. This
script turns the strips into GIFs with ffmpeg. The mark is 64 x 32 on white (the
colour the cell leaves transparent): an amber frame round the cell and a ticked box in
its top-right corner.
    python3 background_thumbnails.py <test artefact folder>
"""

import os
import subprocess
import sys

WIDTH, HEIGHT = 64, 32
FRAMES = 25
WHITE = (0xFF, 0xFF, 0xFF)
AMBER = (0xF0, 0xA0, 0x20)
INK = (0x20, 0x20, 0x20)
HERE = os.path.dirname(os.path.abspath(__file__))


def blank(colour):
    return [[colour] * WIDTH for _ in range(HEIGHT)]


def ffmpeg(*arguments):
    subprocess.run(["ffmpeg", "-y", "-loglevel", "error"] + list(arguments), check=True)


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


def main(artefacts):
    for number in range(1, 23):
        strip = os.path.join(artefacts, "background_cell_%d.png" % number)
        gif = "440.gif" if number == 1 else "%d.gif" % (441 + number)
        # One strip becomes FRAMES pictures at five a second, on one palette.
        ffmpeg("-framerate", "%g" % (5 / FRAMES), "-i", strip, "-vf",
               "untile=1x%d,split[a][b];[a]palettegen=max_colors=64:reserve_transparent=0[p];"
               "[b][p]paletteuse=dither=none" % FRAMES, "-loop", "0", os.path.join(HERE, gif))
    rows = mark()
    ppm = os.path.join(HERE, "mark.ppm")
    with open(ppm, "wb") as out:
        out.write(b"P6 %d %d 255\n" % (WIDTH, HEIGHT))
        out.write(bytes(c for row in rows for pixel in row for c in pixel))
    ffmpeg("-i", ppm, os.path.join(HERE, "..", "images", "442.png"))
    os.remove(ppm)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
