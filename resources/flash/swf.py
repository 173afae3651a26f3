"""A small writer of Flash movies (SWF version 8, compressed): shapes with solid and
gradient fills and outlines, sprites, placements with matrices and colour transforms,
and ActionScript 1 byte code built from expressions (see Script below).

Every number is rounded the same way on every run, so equal descriptions give equal
bytes."""

import math
import struct
import zlib

TWIPS = 20


class Bits:
    """Bit fields, most significant bit first, padded to a whole byte."""

    def __init__(self):
        self.bits = []

    def unsigned(self, value, count):
        for bit in range(count - 1, -1, -1):
            self.bits.append((value >> bit) & 1)

    def signed(self, value, count):
        self.unsigned(value & ((1 << count) - 1), count)

    def bytes(self):
        out = bytearray((len(self.bits) + 7) // 8)
        for i, bit in enumerate(self.bits):
            if bit:
                out[i // 8] |= 0x80 >> (i % 8)
        return bytes(out)


def signed_bits(*values):
    bits = 2
    for value in values:
        while not -(1 << (bits - 1)) <= value < (1 << (bits - 1)):
            bits += 1
    return bits


def u16(value):
    return struct.pack("<H", value)


def rect(xmin, xmax, ymin, ymax):
    bits = Bits()
    count = signed_bits(xmin, xmax, ymin, ymax)
    bits.unsigned(count, 5)
    for value in (xmin, xmax, ymin, ymax):
        bits.signed(value, count)
    return bits.bytes()


def tag(code, body=b""):
    if len(body) < 63:
        return u16((code << 6) | len(body)) + body
    return u16((code << 6) | 0x3F) + struct.pack("<I", len(body)) + body


def rgba(colour):
    r, g, b = colour[:3]
    a = colour[3] if len(colour) > 3 else 255
    return bytes((r, g, b, a))


def optional_pair(bits, first, second, present):
    """A matrix's optional pair of values: a flag, then the bit count and both values."""
    bits.unsigned(1 if present else 0, 1)
    if present:
        count = signed_bits(first, second)
        bits.unsigned(count, 5)
        bits.signed(first, count)
        bits.signed(second, count)


def matrix(x=0.0, y=0.0, sx=1.0, sy=1.0, rotation=0.0):
    """Scale, then rotate by degrees clockwise, then move to (x, y) pixels."""
    bits = Bits()
    angle = math.radians(rotation)
    a = round(sx * math.cos(angle) * 65536)
    b = round(sx * math.sin(angle) * 65536)
    c = round(-sy * math.sin(angle) * 65536)
    d = round(sy * math.cos(angle) * 65536)
    optional_pair(bits, a, d, (a, d) != (65536, 65536) or b or c)
    optional_pair(bits, b, c, b or c)
    tx, ty = round(x * TWIPS), round(y * TWIPS)
    count = signed_bits(tx, ty) if tx or ty else 0
    bits.unsigned(count, 5)
    if count:
        bits.signed(tx, count)
        bits.signed(ty, count)
    return bits.bytes()


def colour_transform(alpha=1.0, add=(0, 0, 0)):
    """Keeps the colours, multiplies the opacity by alpha and adds add to r, g, b."""
    mult = (256, 256, 256, round(alpha * 256))
    values = mult + tuple(add) + (0,)
    bits = Bits()
    count = signed_bits(*values)
    bits.unsigned(1, 1)  # add terms
    bits.unsigned(1, 1)  # multiply terms
    bits.unsigned(count, 4)
    for value in values:
        bits.signed(value, count)
    return bits.bytes()


# Fill styles -------------------------------------------------------------------------


def solid(colour):
    return b"\x00" + rgba(colour)


def _gradient(kind, stops, x, y, sx, sy, rotation):
    # The gradient square spans -16384..16384 twips; size it to sx by sy pixels.
    body = bytes([kind]) + matrix(x, y, sx / 1638.4, sy / 1638.4, rotation)
    body += bytes([len(stops)])
    for ratio, colour in stops:
        body += bytes([ratio]) + rgba(colour)
    return body


def linear(stops, x, y, width, height, rotation=0.0):
    """A gradient along x over width pixels centred on (x, y), turned by rotation."""
    return _gradient(0x10, stops, x, y, width, height, rotation)


def radial(stops, x, y, radius):
    return _gradient(0x12, stops, x, y, 2 * radius, 2 * radius, 0.0)


class Shape:
    """Closed outlines, each filled with one style and/or drawn with one line style."""

    def __init__(self):
        self.fills = []
        self.lines = []
        self.paths = []  # (points, fill index, line index, closed)

    def fill(self, style):
        self.fills.append(style)
        return len(self.fills)

    def line(self, width, colour):
        self.lines.append(u16(round(width * TWIPS)) + rgba(colour))
        return len(self.lines)

    def path(self, points, fill=0, line=0, closed=True):
        self.paths.append(([(round(x * TWIPS), round(y * TWIPS)) for x, y in points], fill, line,
                           closed))
        return self

    def polygon(self, points, colour):
        return self.path(points, self.fill(solid(colour)))

    def define(self, shape_id):
        margin = max([0] + [struct.unpack("<H", line[:2])[0] for line in self.lines])
        xs = [x for points, *_ in self.paths for x, _ in points]
        ys = [y for points, *_ in self.paths for _, y in points]
        bounds = rect(min(xs) - margin, max(xs) + margin, min(ys) - margin, max(ys) + margin)
        fill_bits = max(1, len(self.fills).bit_length())
        line_bits = max(1, len(self.lines).bit_length()) if self.lines else 0
        body = u16(shape_id) + bounds + bytes([len(self.fills)]) + b"".join(self.fills)
        body += bytes([len(self.lines)]) + b"".join(self.lines)
        body += bytes([(fill_bits << 4) | line_bits])
        bits = Bits()
        for points, fill, line, closed in self.paths:
            area = sum(x0 * y1 - x1 * y0
                       for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]))
            # A clockwise outline (y down) has its inside on the right: fill 1.
            right = fill if area > 0 else 0
            left = 0 if area > 0 else fill
            bits.unsigned(0, 1)
            bits.unsigned(0, 1)  # no new styles
            bits.unsigned(1 if line_bits else 0, 1)
            bits.unsigned(1, 1)  # fill style 1
            bits.unsigned(1, 1)  # fill style 0
            bits.unsigned(1, 1)  # move to
            x, y = points[0]
            count = signed_bits(x, y)
            bits.unsigned(count, 5)
            bits.signed(x, count)
            bits.signed(y, count)
            bits.unsigned(left, fill_bits)
            bits.unsigned(right, fill_bits)
            if line_bits:
                bits.unsigned(line, line_bits)
            ends = points[1:] + (points[:1] if closed else [])
            for nx, ny in ends:
                dx, dy = nx - x, ny - y
                count = signed_bits(dx, dy)
                bits.unsigned(1, 1)
                bits.unsigned(1, 1)  # straight edge
                bits.unsigned(count - 2, 4)
                bits.unsigned(1, 1)  # general line
                bits.signed(dx, count)
                bits.signed(dy, count)
                x, y = nx, ny
        bits.unsigned(0, 6)
        return tag(32, body + bits.bytes())  # DefineShape3


# Shapes ------------------------------------------------------------------------------


def ring_points(radius, count=24, start=0.0, radii=None):
    points = []
    for i in range(count):
        angle = start + 2 * math.pi * i / count
        r = radius if radii is None else radii[i % len(radii)]
        points.append((r * math.cos(angle), r * math.sin(angle)))
    return points


def circle(radius, colour, count=24):
    return Shape().polygon(ring_points(radius, count), colour)


def star(points, outer, inner, colour):
    return Shape().polygon(ring_points(outer, 2 * points, -math.pi / 2, (outer, inner)), colour)


def box(width, height, colour, x=0.0, y=0.0):
    return Shape().polygon([(x, y), (x + width, y), (x + width, y + height), (x, y + height)],
                           colour)


# Placements --------------------------------------------------------------------------


def place(depth, character=None, name=None, x=0.0, y=0.0, sx=1.0, sy=1.0, rotation=0.0,
          alpha=None, add=None):
    """PlaceObject2: a new character at depth (character given) or a move of the one
    there."""
    flags = 0x04
    body = u16(depth)
    if character is not None:
        flags |= 0x02
        body += u16(character)
    else:
        flags |= 0x01
    body += matrix(x, y, sx, sy, rotation)
    if alpha is not None or add is not None:
        flags |= 0x08
        body += colour_transform(1.0 if alpha is None else alpha, add or (0, 0, 0))
    if name is not None:
        flags |= 0x20
        body += name.encode() + b"\x00"
    return tag(26, bytes([flags]) + body)


def show_frame():
    return tag(1)


def sprite(sprite_id, frames):
    """DefineSprite from a list of frames, each a list of placement tags."""
    body = b"".join(b"".join(frame) + show_frame() for frame in frames)
    return tag(39, u16(sprite_id) + u16(len(frames)) + body + tag(0))


def movie(width, height, frame_rate, frame_count, tags, background=(0, 0, 0)):
    body = rect(0, width * TWIPS, 0, height * TWIPS) + u16(frame_rate << 8) + u16(frame_count)
    body += tag(69, struct.pack("<I", 0x01))  # FileAttributes: network access
    body += tag(9, bytes(background)) + b"".join(tags) + tag(0)
    packed = zlib.compress(body, 9)
    return b"CWS\x08" + struct.pack("<I", len(body) + 8) + packed


# ActionScript ------------------------------------------------------------------------


def _push_value(value):
    if value is None:
        return b"\x02"
    if value is True or value is False:
        return b"\x05" + bytes([value])
    if isinstance(value, int) and -(1 << 31) <= value < (1 << 31):
        return b"\x07" + struct.pack("<i", value)
    if isinstance(value, (int, float)):
        packed = struct.pack("<d", float(value))
        return b"\x06" + packed[4:] + packed[:4]  # the high word goes first
    return b"\x00" + str(value).encode() + b"\x00"


def _action(code, payload=b""):
    if code < 0x80:
        return bytes([code])
    return bytes([code]) + u16(len(payload)) + payload


class Expr:
    """An expression: its byte code leaves one value on the stack."""

    def code(self):
        raise NotImplementedError

    def __getattr__(self, name):
        if name.startswith("__"):
            raise AttributeError(name)
        return Member(self, lift(name))

    def __getitem__(self, key):
        return Member(self, lift(key))

    def __call__(self, *args):
        return Call(self, [lift(a) for a in args])

    def __add__(self, other):
        return Op(0x47, self, other)

    def __radd__(self, other):
        return Op(0x47, other, self)

    def __sub__(self, other):
        return Op(0x0B, self, other)

    def __rsub__(self, other):
        return Op(0x0B, other, self)

    def __mul__(self, other):
        return Op(0x0C, self, other)

    def __rmul__(self, other):
        return Op(0x0C, other, self)

    def __truediv__(self, other):
        return Op(0x0D, self, other)

    def __rtruediv__(self, other):
        return Op(0x0D, other, self)

    def __mod__(self, other):
        return Op(0x3F, self, other)

    def __lt__(self, other):
        return Op(0x48, self, other)

    def __gt__(self, other):
        return Op(0x67, self, other)

    def __le__(self, other):
        return Not(Op(0x67, self, other))

    def __ge__(self, other):
        return Not(Op(0x48, self, other))

    def __neg__(self):
        return Op(0x0B, 0, self)


def lift(value):
    return value if isinstance(value, Expr) else Const(value)


class Const(Expr):
    def __init__(self, value):
        self.value = value

    def code(self):
        return _action(0x96, _push_value(self.value))


class Var(Expr):
    def __init__(self, name):
        self.name = name

    def code(self):
        return Const(self.name).code() + _action(0x1C)


class Member(Expr):
    def __init__(self, target, key):
        self.target, self.key = target, key

    def code(self):
        return self.target.code() + self.key.code() + _action(0x4E)


def _arguments(args):
    return b"".join(a.code() for a in reversed(args)) + Const(len(args)).code()


class Call(Expr):
    def __init__(self, target, args):
        self.target, self.args = target, args

    def code(self):
        if isinstance(self.target, Member):
            return (_arguments(self.args) + self.target.target.code() + self.target.key.code() +
                    _action(0x52))
        return _arguments(self.args) + Const(self.target.name).code() + _action(0x3D)


class New(Expr):
    def __init__(self, name, *args):
        self.name, self.args = name, [lift(a) for a in args]

    def code(self):
        return _arguments(self.args) + Const(self.name).code() + _action(0x40)


class Op(Expr):
    def __init__(self, code, left, right):
        self.op, self.left, self.right = code, lift(left), lift(right)

    def code(self):
        return self.left.code() + self.right.code() + _action(self.op)


def eq(left, right):
    return Op(0x49, left, right)


class Not(Expr):
    def __init__(self, value):
        self.value = lift(value)

    def code(self):
        return self.value.code() + _action(0x12)


def And(left, right):
    return Cond(left, right, False)


def Or(left, right):
    return Cond(left, True, right)


class Cond(Expr):
    """condition ? yes : no."""

    def __init__(self, condition, yes, no):
        self.condition, self.yes, self.no = lift(condition), lift(yes), lift(no)

    def code(self):
        yes, no = self.yes.code(), self.no.code()
        no += _jump(0x99, len(yes))
        return self.condition.code() + _jump(0x9D, len(no)) + no + yes


def _jump(code, offset):
    return _action(code, struct.pack("<h", offset))


class Function(Expr):
    def __init__(self, params, body):
        self.params, self.body = params, body

    def code(self):
        body = self.body.code()
        head = b"\x00" + u16(len(self.params))
        head += b"".join(p.encode() + b"\x00" for p in self.params) + u16(len(body))
        return _action(0x9B, head) + body


class Script:
    """Statements in order; code() gives their byte code."""

    def __init__(self):
        self.parts = []

    def code(self):
        return b"".join(self.parts)

    def do(self, expr):  # an expression whose value is dropped
        self.parts.append(lift(expr).code() + _action(0x17))

    def set(self, target, value):
        if isinstance(target, str):
            self.parts.append(Const(target).code() + lift(value).code() + _action(0x1D))
        else:
            self.parts.append(target.target.code() + target.key.code() + lift(value).code() +
                              _action(0x4F))

    def local(self, name, value):
        self.parts.append(Const(name).code() + lift(value).code() + _action(0x3C))

    def ret(self, value=None):
        self.parts.append(lift(value).code() + _action(0x3E))

    def stop(self):
        self.parts.append(_action(0x07))

    def when(self, condition, yes, no=None):
        yes_code = yes.code()
        no_code = no.code() if no is not None else b""
        if no_code:
            yes_code += _jump(0x99, len(no_code))
        self.parts.append(Not(condition).code() + _jump(0x9D, len(yes_code)) + yes_code +
                          no_code)

    def loop(self, condition, body):
        body_code = body.code()
        test = Not(condition).code()
        jump_back = -(len(test) + 5 + len(body_code) + 5)
        self.parts.append(test + _jump(0x9D, len(body_code) + 5) + body_code +
                          _jump(0x99, jump_back))


def do_action(script):
    return tag(12, script.code() + b"\x00")
