#!/usr/bin/env python3
"""Draws the busy window's animation, 475.gif: twelve dots on a ring, the bright one
going round with a fading tail, 200 x 200 on black (the bottom 20 pixels carry the
window's message). Writes the frames as PPM and lets ffmpeg make the GIF:
    python3 busy_animation.py && ffmpeg -y -framerate 12 -i frame%02d.ppm \
      -vf "split[a][b];[a]palettegen=max_colors=32:reserve_transparent=0[p];[b][p]paletteuse=dither=none" \
      -gifflags -offsetting-transdiff -loop 0 475.gif && rm frame*.ppm
"""
import math

SIZE, DOTS, RING, DOT = 200, 12, 58, 10
CENTRE = (100.0, 90.0)
LEAD = (0x66, 0xCC, 0xFF)  # the leading dot; the tail fades to dark grey
TAIL = (0x30, 0x38, 0x40)


def colour(age):
    t = max(0.0, 1.0 - age / 6.0)
    return tuple(round(TAIL[i] + (LEAD[i] - TAIL[i]) * t) for i in range(3))


def frame(step):
    pixels = bytearray(SIZE * SIZE * 3)
    for dot in range(DOTS):
        angle = 2 * math.pi * dot / DOTS - math.pi / 2
        cx = CENTRE[0] + RING * math.cos(angle)
        cy = CENTRE[1] + RING * math.sin(angle)
        rgb = colour((step - dot) % DOTS)
        for y in range(int(cy - DOT - 1), int(cy + DOT + 2)):
            for x in range(int(cx - DOT - 1), int(cx + DOT + 2)):
                # Coverage of the pixel by the disc, from 4 x 4 samples.
                inside = sum((x + (i + 0.5) / 4 - cx) ** 2 + (y + (j + 0.5) / 4 - cy) ** 2
                             <= DOT * DOT for i in range(4) for j in range(4)) / 16
                if inside:
                    at = (y * SIZE + x) * 3
                    for c in range(3):
                        pixels[at + c] = round(rgb[c] * inside)
    return pixels


for step in range(DOTS):
    with open("frame%02d.ppm" % step, "wb") as out:
        out.write(b"P6 %d %d 255\n" % (SIZE, SIZE) + frame(step))
