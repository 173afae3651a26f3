"""The 74 flash-word templates. One piece of script serves them all: it offers
"addText" to the container (the text with its lines joined by "^", the area's width
and height, the font family, the width of one full-width character as the size, the
colour, bold, italic and underline, all joined by "`"), shows the lines one after
another in the middle of the area, and calls "lineShown" back once a line has been
shown. Each line enters, holds and leaves; the effects differ only in the parameters
of that motion, set before the shared script runs."""

import swf
from swf import And, Cond, Function, New, Not, Or, Script, Var, eq

STAGE_W, STAGE_H = 1000, 500  # the flash-word control
FRAME_RATE = 25

# Motion parameters and their defaults. Entry from F*, exit to T*: offsets X, Y in
# area widths and heights from the middle, scales S (across) and SY (down), rotation
# R in degrees, opacity A in percent. EASE of the entry: 0 even, 1 slowing, 2
# overshooting, 3 bouncing. While held: WAVE (up and down, in area heights), SHAKE
# (pixels), PULSE (scale), FLIP (turning about the vertical), BLINK (period in
# frames), RAINBOW (colours cycling). SHADOW: a half-transparent copy that far off.
# MASK of the entry: 1 wipe to the right, 2 wipe down, 3 blinds across, 4 blinds down,
# 5 opening from the middle sideways, 6 upwards and downwards, 7 both.
DEFAULTS = dict(IN=12, HOLD=25, OUT=10, FX=0, FY=0, FS=1, FSY=None, FR=0, FA=100, TX=0, TY=0,
                TS=1, TSY=None, TR=0, TA=100, EASE=1, WAVE=0, SHAKE=0, PULSE=0, FLIP=0,
                BLINK=0, RAINBOW=0, SHADOW=0, MASK=0)

EFFECTS = [
    dict(FS=0.2, SHADOW=3),                                   # 3D
    dict(FLIP=1, WAVE=0.1),                                   # DNA
    dict(FA=0, FS=1.6, PULSE=0.08, SHADOW=2),                 # Nimbus
    dict(FS=3, FA=0, TS=3, TA=0),                             # Radiation
    dict(FY=-1, EASE=3),                                      # Rebound
    dict(MASK=2, FR=-10, IN=20),                              # Tilt down reveal
    dict(FY=-1, TY=1),                                        # Fall
    dict(FY=-1, FR=-90, EASE=3, RAINBOW=1),                   # Falling stars
    dict(FY=-0.8, FA=0, WAVE=0.04, SHAKE=1, TY=0.8, TA=0),    # Snow
    dict(FS=0, FSY=1, EASE=2),                                # Stretch
    dict(FSY=0, EASE=2),                                      # Extend
    dict(MASK=1, EASE=0, IN=25),                              # Optical scan
    dict(FX=1, TX=-1, EASE=0),                                # Bulletin
    dict(MASK=5, TS=2, TA=0),                                 # Separate
    dict(FR=180, FS=0.2, TA=0),                               # Half turn, reveal and fade
    dict(FS=0, EASE=2, SHADOW=2),                             # Overlay pop-up
    dict(FX=-1, TX=1),                                        # Move right
    dict(FY=1, FS=0.5, FA=0, TY=-1, TS=1.5, TA=0),            # Blow upwards
    dict(FY=-1, FS=0.5, FA=0, TY=1, TS=1.5, TA=0),            # Blow downwards
    dict(MASK=2, EASE=0, IN=25),                              # Scan down
    dict(FX=1, FS=2, FSY=1),                                  # Drag left
    dict(MASK=6, FSY=0),                                      # Vertical merge
    dict(MASK=6, TSY=0),                                      # Vertical open
    dict(BLINK=4, RAINBOW=1),                                 # City lights
    dict(FS=4, FA=0, PULSE=0.15),                             # Multiple zoom
    dict(PULSE=0.3),                                          # Size change
    dict(FX=1, FY=-1, FR=45),                                 # Letters fly in
    dict(FX=-1, FY=-1, TX=1, TY=1),                           # Diagonal
    dict(FA=0, IN=20, TA=0),                                  # Screen fade in
    dict(FX=1, TX=-1),                                        # Move left
    dict(RAINBOW=1, WAVE=0.05),                               # Rainbow
    dict(SHADOW=4, FX=-0.5, FA=0),                            # Shadow
    dict(BLINK=2, IN=2),                                      # Quick flash
    dict(FX=-1, FS=3, FSY=1),                                 # Pull
    dict(SHAKE=3),                                            # Vibrate
    dict(FS=0),                                               # Zoom in
    dict(FS=0, FA=0, TS=3, TA=0),                             # Zoom in and fade
    dict(FR=-360, FS=0),                                      # Rotate
    dict(FR=720, FS=0),                                       # Spin in
    dict(FA=0, PULSE=0.1, RAINBOW=1, BLINK=6),                # Starlight
    dict(MASK=5, FS=0, FSY=1),                                # Horizontal merge
    dict(MASK=5, TS=0, TSY=1),                                # Horizontal open
    dict(WAVE=0.15),                                          # Wave
    dict(FS=0.5, PULSE=0.1, WAVE=0.05),                       # Ripple
    dict(FY=1, FS=0.3, EASE=2, PULSE=0.1),                    # Bubbles
    dict(FY=0.5, FA=0, WAVE=0.08),                            # Float
    dict(FA=0, TA=0, IN=20, OUT=20),                          # Fade in and out
    dict(FA=0, RAINBOW=1),                                    # Gradient
    dict(FY=0.5, FSY=0, SHAKE=1, RAINBOW=1),                  # Flame
    dict(FS=0, EASE=2, TS=3, TA=0, RAINBOW=1),                # Fireworks
    dict(FS=0.5, FA=0, TS=5, TA=0, OUT=8),                    # Explode
    dict(FR=360, FX=0.5, FY=-0.5),                            # Orbit
    dict(MASK=3, IN=20),                                      # Blinds
    dict(MASK=4, IN=20),                                      # Bricks
    dict(FX=-1, SHADOW=-6),                                   # Motion blur
    dict(FS=4, FA=0),                                         # Zoom out
    dict(FS=0.2, FSY=2),                                      # Scale
    dict(FSY=-1),                                             # Flip
    dict(MASK=7, IN=20),                                      # Spotlight
    dict(FY=-1, FR=60, FX=0.3, WAVE=0.05),                    # Falling leaves
    dict(FR=720, FS=0, FX=0.5, FY=0.5),                       # Spiral
    dict(FY=-1, EASE=3),                                      # Bounce
    dict(FY=0.5, EASE=2, WAVE=0.2),                           # Jump
    dict(MASK=1, EASE=0, IN=30),                              # Letter by letter
    dict(FSY=-1, FLIP=1),                                     # Mirror
    dict(BLINK=3, SHAKE=2, IN=1),                             # Lightning
    dict(BLINK=6),                                            # Blink
    dict(RAINBOW=1, SHAKE=2, FA=0),                           # Random letters
    dict(FY=-1, TY=1, FA=50, EASE=0),                         # Raindrops
    dict(SHAKE=5),                                            # Shake
    dict(FX=0.5, FY=0.2, FA=0, TX=-0.5, TY=-0.2, TA=0),       # Drift
    dict(FX=-1.5, FS=2),                                      # Fly in
    dict(FA=0, TX=1.5, TS=2, TA=0),                           # Fly out
    dict(MASK=4, FA=0, IN=20),                                # Mosaic
]
assert len(EFFECTS) == 74

RAINBOW_COLOURS = [0xFF0000, 0xFF8000, 0xFFFF00, 0x00FF00, 0x00FFFF, 0x4080FF, 0xFF00FF]


def parameters(effect):
    values = dict(DEFAULTS, **effect)
    values["FSY"] = values["FS"] if values["FSY"] is None else values["FSY"]
    values["TSY"] = values["TS"] if values["TSY"] is None else values["TSY"]
    script = Script()
    for name in sorted(values):
        script.set(name, values[name])
    return script


def lerp(a, b, u):
    return a + (b - a) * u


def ease(p):
    """The entry's progress at p (0 to 1) for the effect's EASE."""
    pi = Var("Math").PI
    slowing = p * (2 - p)
    overshoot = slowing + Var("Math").sin(pi * p) * 0.5
    bounce = 1 - Var("Math").abs(Var("Math").cos(pi * p * 1.5)) * (1 - p)
    return Cond(eq(Var("EASE"), 0), p, Cond(eq(Var("EASE"), 1), slowing,
                                            Cond(eq(Var("EASE"), 2), overshoot, bounce)))


def place(clip, x, y, sx, sy, rotation, alpha):
    script = Script()
    script.set(clip._x, Var("W") / 2 + x * Var("W"))
    script.set(clip._y, Var("H") / 2 + y * Var("H"))
    script.set(clip._xscale, sx * 100)
    script.set(clip._yscale, sy * 100)
    script.set(clip._rotation, rotation)
    script.set(clip._alpha, alpha)
    return script


def box(m, x, y, w, h):
    script = Script()
    script.do(m.moveTo(x, y))
    script.do(m.lineTo(x + w, y))
    script.do(m.lineTo(x + w, y + h))
    script.do(m.lineTo(x, y + h))
    script.do(m.lineTo(x, y))
    return script


def mask_function():
    """cover(u): the mask of the line's box at entry progress u."""
    m, u = Var("_root").veil, Var("u")
    x, y, w, h = Var("BX"), Var("BY"), Var("BW"), Var("BH")
    body = Script()
    body.do(m.clear())
    body.do(m.beginFill(0xFFFFFF, 100))
    kinds = [
        box(m, x, y, w * u, h),
        box(m, x, y, w, h * u),
        None,
        None,
        box(m, x + w / 2 * (1 - u), y, w * u, h),
        box(m, x, y + h / 2 * (1 - u), w, h * u),
        box(m, x + w / 2 * (1 - u), y + h / 2 * (1 - u), w * u, h * u),
    ]
    for kind, strips in ((3, False), (4, True)):
        strip = Script()
        k = Var("k")
        if strips:
            strip.parts += box(m, x + k * w / 8, y, w / 8 * u, h).parts
        else:
            strip.parts += box(m, x, y + k * h / 8, w, h / 8 * u).parts
        strip.local("k", k + 1)
        loop = Script()
        loop.local("k", 0)
        loop.loop(k < 8, strip)
        kinds[kind - 1] = loop
    for kind, script in enumerate(kinds, start=1):
        body.when(eq(Var("MASK"), kind), script)
    body.do(m.endFill())
    return Function(["u"], body)


def show_function():
    """show(): puts the current line in the middle of the area and starts its motion."""
    root = Var("_root")
    body = Script()
    body.do(root.line.removeMovieClip())
    body.do(root.veil.removeMovieClip())
    body.local("h", root.createEmptyMovieClip("line", 10))
    h = Var("h")
    text = Var("lines")[Var("index")]
    for name, depth, offset in (("ghost", 1, Var("SHADOW")), ("tf", 2, 0)):
        body.do(h.createTextField(name, depth, 0, 0, 10, 10))
        field = h[name]
        body.set(field.autoSize, "left")
        body.set(field.selectable, False)
        body.set(field.text, text)
        body.do(field.setTextFormat(Var("format")))
        body.set(field._x, offset - field._width / 2)
        body.set(field._y, offset - field._height / 2)
    body.set(h.ghost._visible, Not(eq(Var("SHADOW"), 0)))
    body.set(h.ghost._alpha, 45)
    body.set("BW", h.tf._width + 8)
    body.set("BH", h.tf._height + 8)
    body.set("BX", (Var("W") - Var("BW")) / 2)
    body.set("BY", (Var("H") - Var("BH")) / 2)
    masked = Script()
    masked.do(root.createEmptyMovieClip("veil", 11))
    masked.do(Var("cover")(0))
    masked.do(h.setMask(root.veil))
    body.when(Var("MASK") > 0, masked)
    body.set(h.t, 0)
    body.parts += place(h, Var("FX"), Var("FY"), Var("FS"), Var("FSY"), Var("FR"),
                        Var("FA")).parts
    body.set(h.onEnterFrame, Var("step"))
    return Function([], body)


def step_function():
    """step(): one frame of the line's motion; `this` is the line's clip."""
    h, t, q = Var("this"), Var("t"), Var("q")
    IN, HOLD, OUT = Var("IN"), Var("HOLD"), Var("OUT")
    math = Var("Math")
    body = Script()
    body.set(h.t, h.t + 1)
    body.local("t", h.t)
    entry = Script()
    entry.local("u", Var("ease")(t / IN))
    entry.parts += place(h, lerp(Var("FX"), 0, Var("u")), lerp(Var("FY"), 0, Var("u")),
                         lerp(Var("FS"), 1, Var("u")), lerp(Var("FSY"), 1, Var("u")),
                         lerp(Var("FR"), 0, Var("u")), lerp(Var("FA"), 100, Var("u"))).parts
    entry.when(Var("MASK") > 0, _call_cover(Var("u")))
    hold = Script()
    hold.local("q", t - IN)
    scale = 1 + Var("PULSE") * math.sin(q * 0.3)
    hold.parts += place(h, Var("SHAKE") * math.sin(q * 2.1) / Var("W"),
                        Var("WAVE") * math.sin(q * 0.35), scale * Cond(
                            Var("FLIP"), math.cos(q * 0.3), 1), scale, 0, 100).parts
    hold.set(h._visible, Or(eq(Var("BLINK"), 0),
                            eq(math.floor(q / Cond(Var("BLINK"), Var("BLINK"), 1)) % 2, 0)))
    hold.when(Var("MASK") > 0, _call_cover(1))
    leave = Script()
    leave.local("q", (t - IN - HOLD) / OUT)
    leave.local("q", q * q)
    leave.set(h._visible, True)
    leave.parts += place(h, lerp(0, Var("TX"), q), lerp(0, Var("TY"), q), lerp(1, Var("TS"), q),
                         lerp(1, Var("TSY"), q), lerp(0, Var("TR"), q),
                         lerp(100, Var("TA"), q)).parts
    done = Script()
    done.do(Var("flash").external.ExternalInterface.call("lineShown", Var("index")))
    done.set("index", (Var("index") + 1) % Var("lines").length)
    done.do(Var("show")())
    moving = Script()
    moving.when(t <= IN + HOLD + OUT, leave, done)
    holding = Script()
    holding.when(t <= IN + HOLD, hold, moving)
    body.when(t <= IN, entry, holding)
    rainbow = Script()
    rainbow.set(h.tf.textColor, Var("colours")[math.floor(t / 3) % len(RAINBOW_COLOURS)])
    body.when(And(Var("RAINBOW"), h.tf), rainbow)
    return Function([], body)


def _call_cover(u):
    script = Script()
    script.do(Var("cover")(u))
    return script


def add_text_function():
    """addText(s): takes the words and their style and starts the first line."""
    p = Var("p")
    body = Script()
    body.local("p", Var("s").split("`"))
    body.set("lines", p[0].split("^"))
    body.set("W", Var("Number")(p[1]))
    body.set("H", Var("Number")(p[2]))
    body.set("format", New("TextFormat"))
    fmt = Var("format")
    body.set(fmt.font, p[3])
    body.set(fmt.size, Var("Math").max(8, Var("Number")(p[4])))
    body.set(fmt.color, Var("parseInt")(p[9].substr(2), 16))
    body.set(fmt.bold, eq(p[13], "true"))
    body.set(fmt.italic, eq(p[14], "true"))
    body.set(fmt.underline, eq(p[15], "true"))
    body.set("index", 0)
    body.do(Var("show")())
    body.ret(True)
    return Function(["s"], body)


def template(effect):
    script = parameters(effect)
    script.stop()
    # The shared state lives on the main timeline, where every function finds it.
    for name in ("W", "H", "lines", "format", "index", "BX", "BY", "BW", "BH"):
        script.set(name, 0)
    script.set("colours", New("Array", *RAINBOW_COLOURS))
    script.set("ease", Function(["p"], _returning(ease(Var("p")))))
    script.set("cover", mask_function())
    script.set("show", show_function())
    script.set("step", step_function())
    script.do(Var("flash").external.ExternalInterface.addCallback("addText", None,
                                                                  add_text_function()))
    tags = [swf.do_action(script), swf.show_frame()]
    return swf.movie(STAGE_W, STAGE_H, FRAME_RATE, 1, tags)


def _returning(expr):
    script = Script()
    script.ret(expr)
    return script
