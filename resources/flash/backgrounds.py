"""The 22 built-in animated backgrounds: five-second loops drawn on a scene of
SCENE_W x SCENE_H pixels, which the movie scales to cover the area named by back.xml
(Movie.Width, Movie.Height) and centres on it. The other keys the preparation writes
(the counts, all 40, and the colours, all red) are ignored: each movie draws its own
objects in its own colours, each with red at 128 or more somewhere, so that a screen of
red alone shows it too.

Each background is a base (a fill under everything) and objects whose placement is a
function of the loop's phase (0 to 1), so the loop closes without a jump."""

import math

import swf
from swf import And, Function, New, Script, Var

STAGE_W, STAGE_H = 1150, 525  # the background control
SCENE_W, SCENE_H = 256, 128
FRAME_RATE = 25
FRAMES = 5 * FRAME_RATE

RED = (255, 0, 0)
GREEN = (0, 255, 0)
YELLOW = (255, 255, 0)
WHITE = (255, 255, 255)
CYAN = (0, 255, 255)
MAGENTA = (255, 0, 255)
ORANGE = (255, 128, 0)
BLUE = (40, 80, 255)
PALETTE = [RED, YELLOW, GREEN, CYAN, MAGENTA, ORANGE, WHITE, BLUE]


def wave(phase, cycles=1.0, offset=0.0):
    return math.sin(2 * math.pi * (phase * cycles + offset))


def spread(i, n=40, seed=0.618034):
    """A fixed pseudo-random fraction for object i, the same on every run."""
    return ((i + 1) * seed * (seed * 97 + n)) % 1.0


class Background:
    def __init__(self, base, objects):
        self.base = base        # a Shape, or None for black
        self.objects = objects  # [(Shape, placement(phase) -> dict of place() keys)]


def vertical_gradient(top, bottom):
    shape = swf.Shape()
    fill = shape.fill(swf.linear([(0, top), (255, bottom)], SCENE_W / 2, SCENE_H / 2, SCENE_H,
                                 SCENE_H, 90))
    return shape.path([(0, 0), (SCENE_W, 0), (SCENE_W, SCENE_H), (0, SCENE_H)], fill)


def falling(i, phase, speed=1, drift=0.0, size=1.0):
    x = spread(i) * SCENE_W + drift * wave(phase, 2, spread(i, 7))
    y = ((spread(i, 11) + phase * speed) % 1.0) * (SCENE_H + 20) - 10
    return {"x": x, "y": y, "sx": size, "sy": size}


def rising(i, phase, speed=1, size=1.0):
    return falling(i, -phase, speed, 6, size)


def stars(count=40):
    shapes = [swf.star(4, 6, 1.5, c) for c in (WHITE, YELLOW, CYAN, RED)]
    return [(shapes[i % 4], lambda p, i=i: {
        "x": spread(i) * SCENE_W, "y": spread(i, 3) * SCENE_H,
        "sx": 0.6 + 0.5 * abs(wave(p, 2, spread(i, 5))),
        "sy": 0.6 + 0.5 * abs(wave(p, 2, spread(i, 5))),
        "rotation": 90 * p * (1 + i % 3)}) for i in range(count)]


def particles():
    return [(swf.circle(2 + i % 3, PALETTE[i % 6]), lambda p, i=i: rising(i, p, 1 + i % 2))
            for i in range(40)]


def rain():
    streak = swf.Shape().polygon([(0, 0), (1.5, 0), (-4.5, 14), (-6, 14)], (170, 220, 255))
    return [(streak, lambda p, i=i: falling(i, p, 2 + i % 3)) for i in range(40)]


def snow():
    flakes = [swf.star(6, 4, 1.6, WHITE), swf.circle(2, WHITE), swf.circle(3, (200, 230, 255))]
    return [(flakes[i % 3], lambda p, i=i: dict(falling(i, p, 1, 10),
                                                 rotation=120 * p * (1 + i % 2)))
            for i in range(40)]


def ripples():
    ring = swf.Shape()
    line = ring.line(1.5, (200, 255, 255))
    ring.path(swf.ring_points(10), 0, line)
    drop = swf.circle(2, WHITE)
    objects = []
    for i in range(12):
        x, y, start = spread(i) * SCENE_W, spread(i, 3) * SCENE_H, spread(i, 9)
        objects.append((ring, lambda p, x=x, y=y, s=start: {
            "x": x, "y": y, "sx": 0.2 + 2.5 * ((p * 2 + s) % 1.0),
            "sy": 0.2 + 1.2 * ((p * 2 + s) % 1.0), "alpha": 1 - ((p * 2 + s) % 1.0)}))
    objects += [(drop, lambda p, i=i: falling(i, p, 3)) for i in range(28)]
    return objects


def circles():
    objects = []
    for i in range(10):
        ring = swf.Shape()
        ring.path(swf.ring_points(20, 32), 0, ring.line(4, PALETTE[i % 6]))
        objects.append((ring, lambda p, i=i: {
            "x": SCENE_W / 2, "y": SCENE_H / 2, "sx": 0.1 + 7 * ((p * 2 + i / 10) % 1.0),
            "sy": 0.1 + 7 * ((p * 2 + i / 10) % 1.0)}))
    return objects


def rays(colours=(RED, YELLOW), count=12, turns=1):
    shape = swf.Shape()
    for k in range(count):
        a0 = 2 * math.pi * k / count
        a1 = a0 + math.pi / count
        shape.polygon([(0, 0), (400 * math.cos(a0), 400 * math.sin(a0)),
                       (400 * math.cos(a1), 400 * math.sin(a1))], colours[k % len(colours)])
    return [(shape, lambda p: {"x": SCENE_W / 2, "y": SCENE_H / 2,
                               "rotation": 360 / count * 2 * turns * p})]


def stripes():
    colours = [RED, YELLOW, GREEN, CYAN]
    objects = []
    for i in range(8):
        shape = swf.box(SCENE_W, 10, colours[i % 4], 0, -5)
        objects.append((shape, lambda p, i=i: {"x": 0, "y": (i * 20 + p * 160) % 160 - 10}))
    return objects


def bubbles():
    objects = []
    for i in range(40):
        bubble = swf.Shape()
        bubble.path(swf.ring_points(4 + i % 4, 20), bubble.fill(swf.radial(
            [(0, WHITE), (140, PALETTE[i % 6]), (255, PALETTE[i % 6] + (60,))], -1, -1,
            4 + i % 4)), bubble.line(1, WHITE))
        objects.append((bubble, lambda p, i=i: rising(i, p, 1 + (i % 3 == 0))))
    return objects


def starfield():
    shape = swf.star(4, 3, 1, WHITE)
    objects = []
    for i in range(40):
        angle, start = 2 * math.pi * spread(i), spread(i, 5)
        objects.append((shape, lambda p, a=angle, s=start, i=i: {
            "x": SCENE_W / 2 + math.cos(a) * 150 * ((p * (1 + i % 2) + s) % 1.0) ** 2,
            "y": SCENE_H / 2 + math.sin(a) * 80 * ((p * (1 + i % 2) + s) % 1.0) ** 2,
            "sx": 0.3 + 1.5 * ((p * (1 + i % 2) + s) % 1.0),
            "sy": 0.3 + 1.5 * ((p * (1 + i % 2) + s) % 1.0)}))
    return objects


def fireworks():
    objects = []
    for burst in range(5):
        cx, cy = 30 + spread(burst) * 196, 25 + spread(burst, 3) * 60
        start = burst / 5
        for k in range(8):
            angle = 2 * math.pi * k / 8
            spark = swf.circle(3.5, PALETTE[(burst + k) % 6])
            objects.append((spark, lambda p, cx=cx, cy=cy, a=angle, s=start: {
                "x": cx + math.cos(a) * 50 * ((p * 2 + s) % 1.0),
                "y": cy + math.sin(a) * 40 * ((p * 2 + s) % 1.0) + 12 * ((p * 2 + s) % 1.0) ** 2,
                "alpha": 1 - ((p * 2 + s) % 1.0) ** 2}))
    return objects


def heart_points(size):
    points = []
    for k in range(24):
        t = 2 * math.pi * k / 24
        points.append((size * 16 * math.sin(t) ** 3 / 16,
                       -size * (13 * math.cos(t) - 5 * math.cos(2 * t) - 2 * math.cos(3 * t) -
                                math.cos(4 * t)) / 16))
    return points


def hearts():
    shapes = [swf.Shape().polygon(heart_points(7), c) for c in (RED, MAGENTA, (255, 90, 160))]
    return [(shapes[i % 3], lambda p, i=i: dict(
        rising(i, p, 1), sx=0.7 + 0.3 * wave(p, 4, spread(i)), sy=0.7 + 0.3 * wave(p, 4, spread(i))))
        for i in range(40)]


def checkers():
    cell = 16
    board = swf.Shape()
    colours = [board.fill(swf.solid(c)) for c in (RED, YELLOW, GREEN, CYAN)]
    for row in range(-1, SCENE_H // cell + 1):
        for col in range(-1, SCENE_W // cell + 2):
            if (row + col) % 2 == 0:
                x, y = col * cell, row * cell
                board.path([(x, y), (x + cell, y), (x + cell, y + cell), (x, y + cell)],
                           colours[(row // 1 + col // 2) % 4])
    return [(board, lambda p: {"x": 2 * cell * p, "y": 2 * cell * p})]


def shooting_stars():
    trail = swf.Shape()
    trail.path([(0, -1.5), (3, 0), (0, 1.5), (-30, 0)], trail.fill(swf.linear(
        [(0, (255, 255, 255, 0)), (255, WHITE)], -13, 0, 33, 4)))
    head = swf.star(5, 4, 2, YELLOW)
    objects = []
    for i in range(20):
        s = spread(i)
        for shape in (trail, head):
            objects.append((shape, lambda p, i=i, s=s: {
                "x": ((p * 2 + s) % 1.0) * (SCENE_W + 120) - 60 + spread(i, 3) * 60,
                "y": ((p * 2 + s) % 1.0) * 90 - 30 + spread(i, 7) * SCENE_H,
                "rotation": 20}))
    return objects


def arrows():
    arrow = swf.Shape().polygon([(-8, -3), (2, -3), (2, -7), (10, 0), (2, 7), (2, 3), (-8, 3)],
                                ORANGE)
    arrow2 = swf.Shape().polygon([(-8, -3), (2, -3), (2, -7), (10, 0), (2, 7), (2, 3), (-8, 3)],
                                 YELLOW)
    objects = []
    for i in range(40):
        row, col = i // 8, i % 8
        objects.append((arrow if row % 2 else arrow2, lambda p, row=row, col=col: {
            "x": (col * 36 + p * 72 * (1 + row % 2)) % 288 - 16, "y": 13 + row * 26}))
    return objects


def swirl():
    objects = []
    for i in range(40):
        dot = swf.circle(3 + i % 2, PALETTE[i % 6])
        radius, start = 10 + spread(i) * 60, spread(i, 3)
        objects.append((dot, lambda p, r=radius, s=start, i=i: {
            "x": SCENE_W / 2 + 1.8 * r * math.cos(2 * math.pi * (p * (1 + i % 2) + s)),
            "y": SCENE_H / 2 + r * math.sin(2 * math.pi * (p * (1 + i % 2) + s))}))
    return objects


def confetti():
    shapes = [swf.box(8, 5, c, -4, -2.5) for c in PALETTE[:6]]
    return [(shapes[i % 6], lambda p, i=i: dict(
        falling(i, p, 1, 8), rotation=360 * p * (1 + i % 3), sy=wave(p, 3, spread(i))))
        for i in range(40)]


def flowers():
    objects = []
    for i in range(20):
        colour = PALETTE[i % 4]
        flower = swf.Shape()
        for k in range(5):
            a = 2 * math.pi * k / 5
            cx, cy = 5 * math.cos(a), 5 * math.sin(a)
            flower.polygon([(cx + 3.5 * x, cy + 3.5 * y) for x, y in swf.ring_points(1, 12)],
                           colour)
        flower.polygon(swf.ring_points(2.5, 12), YELLOW if colour != YELLOW else RED)
        objects.append((flower, lambda p, i=i: {
            "x": 14 + (i % 5) * 57 + 6 * wave(p, 1, spread(i)),
            "y": 16 + (i // 5) * 32 + 4 * wave(p, 2, spread(i, 3)),
            "rotation": 72 * p * (1 if i % 2 else -1),
            "sx": 1 + 0.2 * wave(p, 2, spread(i)), "sy": 1 + 0.2 * wave(p, 2, spread(i))}))
    return objects


def leaves():
    shapes = [swf.Shape().polygon([(0, -6), (3, -2), (3, 2), (0, 6), (-3, 2), (-3, -2)], c)
              for c in (ORANGE, YELLOW, RED, (160, 220, 0))]
    return [(shapes[i % 4], lambda p, i=i: dict(
        falling(i, p, 1, 16), rotation=40 * wave(p, 2, spread(i)) + 30 * i))
        for i in range(40)]


def waves():
    objects = []
    for layer, colour in enumerate([MAGENTA, CYAN, GREEN, YELLOW]):
        points = [(x, 8 * math.sin(2 * math.pi * x / 128)) for x in range(0, 2 * 128 + 257, 8)]
        points += [(points[-1][0], 200), (0, 200)]
        shape = swf.Shape().polygon(points, colour)
        objects.append((shape, lambda p, layer=layer: {
            "x": -128 * ((p * (layer + 1)) % 1.0) - (128 if layer % 2 else 0),
            "y": 40 + layer * 22 + 4 * wave(p, 1, layer / 4)}))
    return objects


def sweep():
    band = swf.Shape()
    band.path([(-160, 0), (160, 0), (160, SCENE_H), (-160, SCENE_H)], band.fill(swf.linear(
        [(0, RED), (64, YELLOW), (128, GREEN), (192, CYAN), (255, MAGENTA)], 0, 0, 320, 320)))
    return [(band, lambda p, k=k: {"x": (p * 640 + k * 320) % 640 - 160}) for k in range(2)]


def radar():
    shape = swf.Shape()
    shape.polygon([(0, 0)] + [(200 * math.cos(a / 10), 200 * math.sin(a / 10)) for a in range(9)],
                  (200, 120, 0))
    objects = [(shape, lambda p: {"x": SCENE_W / 2, "y": SCENE_H / 2, "rotation": 720 * p})]
    for i in range(6):
        ring = swf.Shape()
        ring.path(swf.ring_points(10 + 14 * i, 32), 0, ring.line(1.5, YELLOW))
        objects.append((ring, lambda p, i=i: {"x": SCENE_W / 2, "y": SCENE_H / 2,
                                              "sx": 1.8, "sy": 1 + 0.05 * wave(p, 4, i / 6)}))
    return objects


def all_backgrounds():
    """The backgrounds in the order of their numbers 0 to 21."""
    dark = vertical_gradient((0, 0, 60), (0, 0, 0))
    night = vertical_gradient((30, 0, 60), (0, 0, 0))
    deep = vertical_gradient((0, 40, 80), (0, 0, 20))
    return [
        Background(dark, stars()),                                        # 0 stars
        Background(None, particles()),                                    # 1 particles
        Background(deep, rain()),                                         # 2 rain
        Background(night, snow()),                                        # 3 snow
        Background(deep, ripples()),                                      # 4 drops
        Background(None, circles()),                                      # 5 circles
        Background(None, rays()),                                         # 6 spin
        Background(None, stripes()),                                      # 7 lines
        Background(deep, bubbles()),                                      # 8 bubbles
        Background(None, starfield()),                                    # 9 star field
        Background(night, fireworks()),                                   # 10 fireworks
        Background(vertical_gradient((60, 0, 30), (0, 0, 0)), hearts()),  # 11 hearts
        Background(None, checkers()),                                     # 12 checkers
        Background(dark, shooting_stars()),                               # 13 shooting stars
        Background(None, arrows()),                                       # 14 arrows
        Background(None, swirl()),                                        # 15 swirl
        Background(None, confetti()),                                     # 16 confetti
        Background(vertical_gradient((0, 60, 0), (0, 0, 0)), flowers()),  # 17 flowers
        Background(vertical_gradient((40, 20, 0), (0, 0, 0)), leaves()),  # 18 leaves
        Background(None, waves()),                                        # 19 waves
        Background(None, sweep()),                                        # 20 gradient sweep
        Background(None, radar()),                       # 21 radar
    ]


def fit_script():
    """Reads back.xml and scales the scene to cover Movie.Width x Movie.Height, centred."""
    on_load = Script()
    on_load.local("node", Var("this").firstChild.firstChild)
    read = Script()
    read.set(Var("_root")[Var("node").nodeName], Var("node").firstChild.nodeValue)
    read.local("node", Var("node").nextSibling)
    on_load.loop(Var("node"), read)
    on_load.local("w", Var("Number")(Var("_root")["Movie.Width"]))
    on_load.local("h", Var("Number")(Var("_root")["Movie.Height"]))
    fit = Script()
    fit.local("s", Var("Math").max(Var("w") / SCENE_W, Var("h") / SCENE_H))
    scene = Var("_root").scene
    fit.set(scene._xscale, Var("s") * 100)
    fit.set(scene._yscale, Var("s") * 100)
    fit.set(scene._x, (Var("w") - Var("s") * SCENE_W) / 2)
    fit.set(scene._y, (Var("h") - Var("s") * SCENE_H) / 2)
    on_load.when(And(Var("w") > 0, Var("h") > 0), fit)
    script = Script()
    script.set("settings", New("XML"))
    script.set(Var("settings").ignoreWhite, True)
    script.set(Var("settings").onLoad, Function(["ok"], on_load))
    script.do(Var("settings").load("back.xml"))
    return script


def write_background(background):
    tags = []
    next_id = 1
    frames = [[] for _ in range(FRAMES)]
    layers = ([(background.base, lambda p: {})] if background.base else []) + background.objects
    ids = {}
    for depth, (shape, placement) in enumerate(layers, start=1):
        if id(shape) not in ids:
            ids[id(shape)] = next_id
            tags.append(shape.define(next_id))
            next_id += 1
        for frame in range(FRAMES):
            where = placement(frame / FRAMES)
            frames[frame].append(swf.place(depth, ids[id(shape)] if frame == 0 else None,
                                           **where))
    scene_id, corner_id = next_id, next_id + 1
    tags.append(swf.sprite(scene_id, frames))
    tags.append(swf.box(2, 2, (0, 0, 0)).define(corner_id))
    tags.append(swf.place(1, scene_id, name="scene"))
    # The corner stays black, so that a recording starts with the first frame.
    tags.append(swf.place(2, corner_id))
    tags.append(swf.do_action(fit_script()))
    tags.append(swf.show_frame())
    return swf.movie(STAGE_W, STAGE_H, FRAME_RATE, 1, tags)


# The parameter file's template: the preparation appends its keys under PropertyData.
BACK_XML = b'<?xml version="1.0" encoding="utf-8"?>\r\n<PropertyData>\r\n</PropertyData>\r\n'
