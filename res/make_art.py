#!/usr/bin/env python3
"""Draws KORVA's artwork and writes it next to this script:

  korva.kpx            the picture beside the main window and in the About box (a fortress
                       of level blocks at dusk), drawn at 200%: 340x530, 256 colours. The
                       program scales it down smoothly to the size the screen's DPI asks for
                       (170x265 at 100%), so it stays sharp from 100% to 200%.
  folder.kpx           the browse-button glyph, 16x16 pixel art for 100%
  folder_disabled.kpx  the same greyed out
  folder32.kpx         the glyph drawn at 32x32 for 200%, scaled down for 125% and 150%
  folder32_disabled.kpx
  korva.ico            program icon at 16, 20, 24, 32, 40, 48 and 64 pixels (the sizes the
                       title bar and the taskbar ask for from 100% to 200%), 32-bit with AND masks

The .kpx files are the program's own small picture format: "KPX1", width, height and the
number of colours (16-bit little-endian), the palette (R, G, B, A each), then the pixels as
palette indices, row by row from the top, compressed with LZSS (see lzss below). The 200%
picture takes about a third of its uncompressed size, so it fits the program's size limit.

Run:    python3 res/make_art.py           (regenerates the files)
        python3 res/make_art.py --check   (re-reads them and checks the headers)

Standard library only; the output is byte-for-byte the same on every run.
"""

import math
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))

# ---------------------------------------------------------------- helpers


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def mix(a, b, t):
    return (a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, a[2] + (b[2] - a[2]) * t)


def ramp(stops, t):
    """Piecewise-linear colour ramp; stops are (position, (r, g, b))."""
    if t <= stops[0][0]:
        return stops[0][1]
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return mix(c0, c1, (t - p0) / (p1 - p0))
    return stops[-1][1]


def smoothstep(e0, e1, x):
    t = clamp((x - e0) / (e1 - e0))
    return t * t * (3 - 2 * t)


class Rng:
    """Tiny LCG so the stars land in the same place on every Python."""

    def __init__(self, seed):
        self.s = seed & 0xFFFFFFFF

    def next(self):
        self.s = (self.s * 1664525 + 1013904223) & 0xFFFFFFFF
        return self.s / 4294967296.0


# ---------------------------------------------------------------- BMP / ICO writers


def lzss(data):
    """Groups of eight tokens behind a flag byte (bit i, lowest first, for token i): a set bit is a
    literal byte; a clear bit a copy of earlier output: distance - 1 (16-bit little-endian, up to
    65536 back) and length - 3 (one byte, 3 to 258). Greedy with one step of lazy matching."""
    n = len(data)
    head, prev = {}, [-1] * n

    def insert(p):
        if p + 3 <= n:
            key = data[p:p + 3]
            prev[p] = head.get(key, -1)
            head[key] = p

    def longest(p):
        best, dist = 0, 0
        if p + 3 > n:
            return 0, 0
        c, chain = head.get(data[p:p + 3], -1), 0
        while c >= 0 and p - c <= 65536 and chain < 256:
            length = 0
            while length < 258 and p + length < n and data[c + length] == data[p + length]:
                length += 1
            if length > best:
                best, dist = length, p - c
            if length == 258:
                break
            c, chain = prev[c], chain + 1
        return best, dist

    tokens, i = [], 0
    while i < n:
        length, dist = longest(i)
        insert(i)
        if length >= 3 and longest(i + 1)[0] <= length + 1:
            tokens.append((length, dist))
            for q in range(i + 1, i + length):
                insert(q)
            i += length
        else:
            tokens.append(data[i])
            i += 1
    out = bytearray()
    for g in range(0, len(tokens), 8):
        group = tokens[g:g + 8]
        out.append(sum(1 << k for k, t in enumerate(group) if isinstance(t, int)))
        for t in group:
            if isinstance(t, int):
                out.append(t)
            else:
                out += struct.pack("<HB", t[1] - 1, t[0] - 3)
    return bytes(out)


def unlzss(blob, size):
    """The decoder, as the program has it: for the check."""
    out, i = bytearray(), 0
    while len(out) < size:
        flags = blob[i]
        i += 1
        for k in range(8):
            if len(out) >= size:
                break
            if flags >> k & 1:
                out.append(blob[i])
                i += 1
            else:
                dist, length = struct.unpack_from("<HB", blob, i)
                i += 3
                for _ in range(length + 3):
                    out.append(out[-dist - 1])
    return bytes(out)


def kpx(w, h, palette, idx):
    """palette: (r, g, b, a) colours; idx: top-down palette indices."""
    head = b"KPX1" + struct.pack("<HHH", w, h, len(palette))
    return head + b"".join(bytes(c) for c in palette) + lzss(bytes(idx))


def read_kpx(path):
    with open(path, "rb") as f:
        data = f.read()
    assert data[:4] == b"KPX1", path
    w, h, count = struct.unpack_from("<HHH", data, 4)
    start = 10 + 4 * count
    idx = unlzss(data[start:], w * h)
    assert len(idx) == w * h and max(idx) < count, path
    return w, h, count, len(data)


def indexed(rgba):
    """A palette of the distinct colours (at most 256) and the index of each pixel."""
    palette = sorted(set(rgba))
    assert len(palette) <= 256, len(palette)
    where = {c: i for i, c in enumerate(palette)}
    return palette, [where[c] for c in rgba]


def ico(images):
    """images: list of (size, rgba top-down list of (r,g,b,a))."""
    blobs = []
    for n, rgba in images:
        xor = bytearray()
        for y in range(n - 1, -1, -1):
            for r, g, b, a in rgba[y * n:(y + 1) * n]:
                xor += bytes((b, g, r, a))
        mstride = ((n + 31) // 32) * 4
        mask = bytearray()
        for y in range(n - 1, -1, -1):
            row = bytearray(mstride)
            for x in range(n):
                if rgba[y * n + x][3] == 0:
                    row[x >> 3] |= 0x80 >> (x & 7)
            mask += row
        info = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0,
                           len(xor) + len(mask), 0, 0, 0, 0)
        blobs.append((n, info + bytes(xor) + bytes(mask)))
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for n, blob in blobs:
        out += struct.pack("<BBBBHHII", n % 256, n % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blob for _, blob in blobs)


# ---------------------------------------------------------------- palette


def median_cut(pixels, count):
    """Deterministic median cut: returns up to `count` average colours."""
    boxes = [sorted(pixels)]
    while len(boxes) < count:
        best, best_score, best_axis = -1, 0, 0
        for i, box in enumerate(boxes):
            if len(box) < 2:
                continue
            for axis in range(3):
                vals = [p[axis] for p in box]
                # favour wide boxes that hold many pixels, but not only that
                score = (max(vals) - min(vals)) * math.sqrt(len(box))
                if score > best_score:
                    best, best_score, best_axis = i, score, axis
        if best < 0:
            break
        box = sorted(boxes[best], key=lambda p: (p[best_axis], p))
        mid = len(box) // 2
        boxes[best:best + 1] = [box[:mid], box[mid:]]
    pal = []
    for box in boxes:
        n = len(box)
        pal.append(tuple(int(round(sum(p[c] for p in box) / n)) for c in range(3)))
    return pal


def quantize(rgb, w):
    """Adaptive 256-colour palette plus a light ordered dither against banding."""
    pixels = [tuple(int(round(clamp(c, 0, 255))) for c in p) for p in rgb]
    pal = sorted(set(median_cut(pixels, 256)), key=lambda c: (sum(c), c))
    while len(pal) < 256:
        pal.append((0, 0, 0))
    bayer = (0, 8, 2, 10, 12, 4, 14, 6, 3, 11, 1, 9, 15, 7, 13, 5)
    cache = {}
    idx = []
    for i, p in enumerate(pixels):
        d = (bayer[(i // w % 4) * 4 + i % w % 4] - 7.5) * 0.5
        q = (int(clamp(p[0] + d, 0, 255)), int(clamp(p[1] + d, 0, 255)), int(clamp(p[2] + d, 0, 255)))
        k = cache.get(q)
        if k is None:
            k = min(range(256), key=lambda j: (pal[j][0] - q[0]) ** 2 * 3
                    + (pal[j][1] - q[1]) ** 2 * 4 + (pal[j][2] - q[2]) ** 2 * 2)
            cache[q] = k
        idx.append(k)
    return pal, idx


# ---------------------------------------------------------------- the picture

W, H = 170, 265             # the design size; SCALE times that is drawn (set_scale)
SS = 3                      # supersampling factor, per pixel drawn
HORIZON = 128               # horizon row in the design
SUN = (62.0, HORIZON, 40.0)  # centre x, centre y, radius (design pixels)


def set_scale(scale):
    """Draws the picture at scale times the design size: the same scene, with every length in design
    pixels (the sun, the blocks' outlines, the title's blocks, the frame) made scale times larger."""
    global SCALE, K, SW, SH, OW, OH
    SCALE = scale
    K = SS * scale              # canvas pixels per design pixel
    SW, SH = W * K, H * K       # the supersampled canvas
    OW, OH = W * scale, H * scale  # the picture drawn


set_scale(1)

SKY = [(0.00, (6, 8, 26)), (0.35, (22, 18, 58)), (0.62, (62, 28, 96)),
       (0.82, (150, 52, 112)), (0.94, (232, 102, 98)), (1.00, (255, 168, 96))]
EDGE = (255, 204, 120)      # the glowing block outlines
GRID_MAJOR = (255, 72, 176)
GRID_MINOR = (170, 64, 170)
HAZE = (140, 50, 110)       # where the floor meets the sky


class Camera:
    def __init__(self, pos, pitch, focal):
        self.c = pos
        self.sp, self.cp = math.sin(pitch), math.cos(pitch)
        self.f = focal * K
        self.cx = SW / 2
        self.cy = HORIZON * K + self.f * math.tan(pitch)

    def to_cam(self, p):
        x, y, z = p[0] - self.c[0], p[1] - self.c[1], p[2] - self.c[2]
        return (x, y * self.sp + z * self.cp, y * self.cp - z * self.sp)

    def vec_to_cam(self, v):
        return (v[0], v[1] * self.sp + v[2] * self.cp, v[1] * self.cp - v[2] * self.sp)

    def project(self, p):
        x, y, z = self.to_cam(p)
        return (self.cx + self.f * x / z, self.cy - self.f * y / z, 1.0 / z)

    def ray(self, sx, sy):
        """World direction through a supersampled pixel position."""
        u, v = (sx - self.cx) / self.f, -(sy - self.cy) / self.f
        return (u, v * self.sp + self.cp, v * self.cp - self.sp)


YAW = math.radians(36)
CY, SY = math.cos(YAW), math.sin(YAW)


def rot(x, y):
    return (x * CY - y * SY, x * SY + y * CY)


def fortress():
    """Boxes (x0, y0, z0, x1, y1, z1) in the fortress' own frame, z up."""
    boxes = []

    def merlons(x0, y0, x1, y1, z, size=0.5, gap=0.5):
        # battlements along the outer rim of a rectangle top
        def run(a0, a1, fixed, along_x):
            length = a1 - a0
            n = max(1, int((length + gap) / (size + gap)))
            step = (length - size) / (n - 1) if n > 1 else 0
            for i in range(n):
                a = a0 + i * step
                if along_x:
                    boxes.append((a, fixed, z, a + size, fixed + size, z + size))
                else:
                    boxes.append((fixed, a, z, fixed + size, a + size, z + size))
        run(x0, x1, y0, True)
        run(x0, x1, y1 - size, True)
        run(y0 + size + 0.4, y1 - size - 0.4, x0, False)
        run(y0 + size + 0.4, y1 - size - 0.4, x1 - size, False)

    half, t, wall = 5.0, 1.0, 2.6
    # curtain walls
    boxes.append((-half, -half, 0, half, -half + t, wall))
    boxes.append((-half, half - t, 0, half, half, wall))
    boxes.append((-half, -half + t, 0, -half + t, half - t, wall))
    boxes.append((half - t, -half + t, 0, half, half - t, wall))
    for sx in (-1, 1):
        for sy in (-1, 1):
            cx, cy = sx * half, sy * half
            r = 1.3
            boxes.append((cx - r, cy - r, 0, cx + r, cy + r, 4.4))
            merlons(cx - r, cy - r, cx + r, cy + r, 4.4, 0.5, 0.4)
    # the keep, stepped
    boxes.append((-2.2, -1.6, 0, 2.0, 2.4, 5.2))
    boxes.append((-1.3, -0.8, 5.2, 1.1, 1.6, 8.4))
    merlons(-1.3, -0.8, 1.1, 1.6, 8.4, 0.45, 0.35)
    boxes.append((-0.08, 0.32, 8.4, 0.08, 0.48, 10.2))     # flag pole
    # gatehouse on the near wall
    boxes.append((-1.4, -half - 0.6, 0, 1.4, -half + t + 0.2, 3.4))
    merlons(-1.4, -half - 0.6, 1.4, -half + t + 0.2, 3.4, 0.45, 0.4)
    return boxes


def decals():
    """Lit windows and the open gate: (face corners in fortress frame, colour)."""
    out = []
    g = (255, 168, 80)
    gy = -5.0 - 0.6 - 0.02
    out.append(([(-0.55, gy, 0), (0.55, gy, 0), (0.55, gy, 1.7), (-0.55, gy, 1.7)], g))
    lit = (255, 220, 140)
    ky = -1.6 - 0.02
    for x in (-1.3, 0.4):
        out.append(([(x, ky, 3.2), (x + 0.5, ky, 3.2), (x + 0.5, ky, 4.1), (x, ky, 4.1)], lit))
    ky2 = -0.8 - 0.02
    out.append(([(-0.35, ky2, 6.6), (0.15, ky2, 6.6), (0.15, ky2, 7.5), (-0.35, ky2, 7.5)], lit))
    kx = 2.0 + 0.02
    for y in (-0.7, 1.0):
        out.append(([(kx, y, 3.2), (kx, y + 0.5, 3.2), (kx, y + 0.5, 4.1), (kx, y, 4.1)], lit))
    kx2 = 1.1 + 0.02
    out.append(([(kx2, 0.2, 6.6), (kx2, 0.7, 6.6), (kx2, 0.7, 7.5), (kx2, 0.2, 7.5)], lit))
    # flag: a small pennant on the pole
    out.append(([(0.08, 0.40, 10.2), (1.5, 0.40, 9.8), (0.08, 0.40, 9.4)], (255, 70, 150)))
    return out


class Canvas:
    def __init__(self):
        n = SW * SH
        self.r = [0.0] * n
        self.g = [0.0] * n
        self.b = [0.0] * n
        self.z = [0.0] * n        # 1/depth, 0 = infinitely far
        self.edge = [0.0] * n     # outline coverage
        self.glow = [0.0] * n     # light that bleeds (windows)


def scan_poly(pts):
    """Yields (y, x0, x1) pixel spans covered by a convex polygon."""
    ys = [p[1] for p in pts]
    y0 = max(0, int(math.ceil(min(ys) - 0.5)))
    y1 = min(SH - 1, int(math.floor(max(ys) - 0.5)))
    n = len(pts)
    for y in range(y0, y1 + 1):
        yc = y + 0.5
        xl, xr = 1e9, -1e9
        for i in range(n):
            ax, ay = pts[i][0], pts[i][1]
            bx, by = pts[(i + 1) % n][0], pts[(i + 1) % n][1]
            if (ay <= yc < by) or (by <= yc < ay):
                x = ax + (yc - ay) * (bx - ax) / (by - ay)
                xl, xr = min(xl, x), max(xr, x)
        if xl > xr:
            continue
        x0 = max(0, int(math.ceil(xl - 0.5)))
        x1 = min(SW - 1, int(math.floor(xr - 0.5)))
        if x0 <= x1:
            yield y, x0, x1


def draw_background(cv, cam):
    sun_x, sun_y, sun_r = SUN[0] * K, SUN[1] * K, SUN[2] * K
    hz = HORIZON * K
    rng = Rng(1979)
    # distant hills, a sum of sines
    hills = []
    for x in range(SW):
        fx = x / SW
        h = (5.0 + 3.2 * math.sin(fx * 7.1 + 0.6) + 2.1 * math.sin(fx * 17.3 + 2.0)
             + 1.0 * math.sin(fx * 41.0 + 1.3))
        hills.append(hz - h * K)
    for y in range(hz):
        t = (y + 0.5) / hz
        base = ramp(SKY, t ** 1.15)
        row = y * SW
        for x in range(SW):
            c = base
            dx, dy = x + 0.5 - sun_x, y + 0.5 - sun_y
            d = math.sqrt(dx * dx + dy * dy)
            # wide warm halo around the sun
            halo = math.exp(-max(0.0, d - sun_r) / (26.0 * K)) * 0.55
            c = mix(c, (255, 128, 110), halo * clamp(1.2 - (hz - y) / (110.0 * K)))
            if d < sun_r + 1:
                st = clamp((y - (sun_y - sun_r)) / sun_r)       # 0 top .. 1 horizon
                sc = ramp([(0, (255, 240, 150)), (0.55, (255, 170, 90)), (1, (255, 80, 120))], st)
                cover = clamp(sun_r + 0.5 - d)
                # slices cut through the lower half, wider towards the horizon
                if st > 0.45:
                    band = (st - 0.45) / 0.55
                    period = 9.0 * K
                    phase = ((sun_y - y) % period) / period
                    if phase < 0.12 + 0.38 * band:
                        cover = 0
                c = mix(c, sc, cover)
            if y + 0.5 > hills[x]:
                hv = clamp((y + 0.5 - hills[x]) / (6.0 * K))
                hc = mix((96, 36, 96), (44, 18, 60), hv)
                c = mix(c, hc, clamp(y + 0.5 - hills[x]))
            cv.r[row + x], cv.g[row + x], cv.b[row + x] = c
    # stars: single design pixels, fewer near the horizon
    for _ in range(110):
        x, y = int(rng.next() * W), int(rng.next() ** 1.7 * (HORIZON - 40))
        bright = 0.35 + 0.65 * rng.next() ** 2 * (1 - y / (HORIZON - 40))
        if abs(x - SUN[0]) < SUN[2] + 14 and y > SUN[1] - SUN[2] - 14:
            continue
        for yy in range(y * K, y * K + K):
            for xx in range(x * K, x * K + K):
                i = yy * SW + xx
                cv.r[i] = cv.r[i] + (255 - cv.r[i]) * bright
                cv.g[i] = cv.g[i] + (236 - cv.g[i]) * bright
                cv.b[i] = cv.b[i] + (250 - cv.b[i]) * bright
    # the grid floor
    cz = cam.c[2]
    for y in range(hz, SH):
        d0 = cam.ray(0, y + 0.5)
        if d0[2] >= -1e-6:
            continue
        t0 = -cz / d0[2]
        d1 = cam.ray(0, y + 1.5)
        t1 = -cz / d1[2]
        # world position along the row is linear in x
        px0 = cam.c[0] - t0 * cam.cx / cam.f           # world x at the row's left edge
        py0 = cam.c[1] + t0 * d0[1]
        dpx = t0 / cam.f                               # world x per pixel step
        dist = t0 * math.hypot(d0[1], d0[2])          # straight-ahead distance of this row
        fog = clamp(1 - math.exp(-dist / 38.0)) ** 1.6
        ground = mix((10, 6, 22), HAZE, fog)
        # footprint of one pixel in the floor's own frame
        dy_row = abs(t1 * d1[1] - t0 * d0[1])
        fx = abs(dpx * CY) + abs(dy_row * SY)
        fy = abs(dpx * SY) + abs(dy_row * CY)
        fade = 1 - fog
        row = y * SW
        for x in range(SW):
            wx = px0 + dpx * (x + 0.5)
            wy = py0
            lx, ly = wx * CY + wy * SY, -wx * SY + wy * CY     # into the fortress frame
            c = ground
            # glow from the sun reflected on the floor
            sdx = (x + 0.5 - sun_x) / (sun_r * 1.1)
            refl = math.exp(-sdx * sdx) * math.exp(-(y - hz) / (28.0 * K)) * 0.5
            c = mix(c, (255, 120, 120), refl)
            line = 0.0
            major = 0.0
            for v, fw in ((lx, fx), (ly, fy)):
                # minor lines every unit, major every four
                dm = abs(v - round(v))
                w = max(fw, 1e-6)
                cov = clamp(1 - dm / (w * 0.9 + 0.02)) * clamp(0.6 / w - 0.3)
                line = max(line, cov)
                dM = abs(v / 4 - round(v / 4)) * 4
                covM = clamp(1 - dM / (w * 1.1 + 0.04)) * clamp(2.4 / w - 0.3)
                major = max(major, covM)
            c = mix(c, GRID_MINOR, line * 0.45 * fade)
            c = mix(c, GRID_MAJOR, major * 0.9 * fade)
            cv.r[row + x], cv.g[row + x], cv.b[row + x] = c


BOX_FACES = (  # corner indices (x bit 1, y bit 2, z bit 4), outward normal
    ((0, 2, 6, 4), (-1, 0, 0)), ((1, 5, 7, 3), (1, 0, 0)),
    ((0, 4, 5, 1), (0, -1, 0)), ((2, 3, 7, 6), (0, 1, 0)),
    ((4, 6, 7, 5), (0, 0, 1)), ((0, 1, 3, 2), (0, 0, -1)),
)
BOX_EDGES = ((0, 1), (2, 3), (4, 5), (6, 7), (0, 2), (1, 3), (4, 6), (5, 7),
             (0, 4), (1, 5), (2, 6), (3, 7))


def world(p):
    x, y = rot(p[0], p[1])
    return (x, y, p[2])


def face_colour(normal, wz, top):
    nx, ny, nz = normal
    k = clamp(wz / top)
    if nz > 0.5:
        c = (78, 60, 122)                     # tops catch the last of the sky
    elif nx < -0.5:
        # the side turned towards the low sun: a warm glow creeps up it
        c = mix((34, 24, 62), (128, 58, 106), 0.55 * k ** 1.3)
    else:
        c = mix((22, 20, 50), (48, 36, 84), 0.6 * k)
    # magenta bounce from the floor grid near the ground
    return mix(c, (110, 36, 112), math.exp(-wz / 0.8) * 0.4)


def draw_fortress(cv, cam):
    boxes = fortress()
    faces, edges = [], []
    for bx in boxes:
        corners = [world((bx[3] if i & 1 else bx[0], bx[4] if i & 2 else bx[1],
                          bx[5] if i & 4 else bx[2])) for i in range(8)]
        for idx, n in BOX_FACES:
            wn = world(n) if n[2] == 0 else n
            p0 = corners[idx[0]]
            to_face = (p0[0] - cam.c[0], p0[1] - cam.c[1], p0[2] - cam.c[2])
            if wn[0] * to_face[0] + wn[1] * to_face[1] + wn[2] * to_face[2] >= 0:
                continue
            faces.append(([corners[i] for i in idx], wn, n, None))
        for a, b in BOX_EDGES:
            edges.append((corners[a], corners[b]))
    for pts, col in decals():
        pw = [world(p) for p in pts]
        ax = (pw[1][0] - pw[0][0], pw[1][1] - pw[0][1], pw[1][2] - pw[0][2])
        bx_ = (pw[2][0] - pw[0][0], pw[2][1] - pw[0][1], pw[2][2] - pw[0][2])
        wn = (ax[1] * bx_[2] - ax[2] * bx_[1], ax[2] * bx_[0] - ax[0] * bx_[2],
              ax[0] * bx_[1] - ax[1] * bx_[0])
        faces.append((pw, wn, None, col))
    top = 8.4
    for pts, wn, local_n, emissive in faces:
        proj = [cam.project(p) for p in pts]
        # depth from the face plane: 1/z = (n.(u,v,1)) / (n.p0), in camera space
        n = cam.vec_to_cam(wn)
        p0 = cam.to_cam(pts[0])
        np0 = n[0] * p0[0] + n[1] * p0[1] + n[2] * p0[2]
        if abs(np0) < 1e-9:
            continue
        for y, x0, x1 in scan_poly(proj):
            v = -(y + 0.5 - cam.cy) / cam.f
            row = y * SW
            for x in range(x0, x1 + 1):
                u = (x + 0.5 - cam.cx) / cam.f
                iz = (n[0] * u + n[1] * v + n[2]) / np0
                i = row + x
                if iz <= cv.z[i] * 0.9995:
                    continue
                cv.z[i] = iz
                if emissive:
                    c = emissive
                    cv.glow[i] = 1.0
                else:
                    # world height of this pixel, for the shading ramp
                    zc = 1.0 / iz
                    wz = cam.c[2] + v * zc * cam.cp - zc * cam.sp
                    c = face_colour(local_n, wz, top)
                    cv.glow[i] = 0.0
                cv.r[i], cv.g[i], cv.b[i] = c
                cv.edge[i] = 0.0
    # outlines, tested against the depth buffer so hidden ones stay hidden
    half_w = 0.75 * SCALE
    for a, b in edges:
        pa, pb = cam.project(a), cam.project(b)
        dx, dy = pb[0] - pa[0], pb[1] - pa[1]
        ln = math.hypot(dx, dy)
        if ln < 1e-6:
            continue
        nx, ny = -dy / ln * half_w, dx / ln * half_w
        ex, ey = dx / ln * half_w, dy / ln * half_w
        quad = [(pa[0] + nx - ex, pa[1] + ny - ey), (pb[0] + nx + ex, pb[1] + ny + ey),
                (pb[0] - nx + ex, pb[1] - ny + ey), (pa[0] - nx - ex, pa[1] - ny - ey)]
        depth_mid = 2.0 / (pa[2] + pb[2])
        strength = clamp(1.25 - (depth_mid - 14.0) / 30.0, 0.55, 1.0)
        for y, x0, x1 in scan_poly(quad):
            for x in range(x0, x1 + 1):
                t = clamp(((x + 0.5 - pa[0]) * dx + (y + 0.5 - pa[1]) * dy) / (ln * ln))
                iz = pa[2] + (pb[2] - pa[2]) * t
                i = y * SW + x
                if cv.z[i] > 0 and 1.0 / iz > 1.0 / cv.z[i] + 0.06:
                    continue
                cv.edge[i] = max(cv.edge[i], strength)


def downsample(buf):
    out = [0.0] * (OW * OH)
    k = 1.0 / (SS * SS)
    for y in range(OH):
        for x in range(OW):
            s = 0.0
            for yy in range(y * SS, y * SS + SS):
                base = yy * SW + x * SS
                for xx in range(SS):
                    s += buf[base + xx]
            out[y * OW + x] = s * k
    return out


def blur(buf, radius, passes=3):
    for _ in range(passes):
        tmp = [0.0] * (OW * OH)
        for y in range(OH):
            row = y * OW
            for x in range(OW):
                a, b = max(0, x - radius), min(OW - 1, x + radius)
                tmp[row + x] = sum(buf[row + a:row + b + 1]) / (2 * radius + 1)
        out = [0.0] * (OW * OH)
        for x in range(OW):
            for y in range(OH):
                a, b = max(0, y - radius), min(OH - 1, y + radius)
                out[y * OW + x] = sum(tmp[yy * OW + x] for yy in range(a, b + 1)) / (2 * radius + 1)
        buf = out
    return buf


# 5x7 letters, '#' = block
FONT = {
    "K": ["#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "V": ["#...#", "#...#", "#...#", "#...#", ".#.#.", ".#.#.", "..#.."],
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
}


def draw_title(img, text, top, cell):
    """Each font pixel is a small bevelled block, like brushes in an editor."""
    cols = len(text) * 6 - 1
    left = (OW - cols * cell) // 2
    blocks = set()
    for n, ch in enumerate(text):
        for ry, line in enumerate(FONT[ch]):
            for rx, on in enumerate(line):
                if on == "#":
                    blocks.add((n * 6 + rx, ry))

    def put(x, y, c, a=1.0):
        if 0 <= x < OW and 0 <= y < OH:
            i = y * OW + x
            img[i] = mix(img[i], c, a)

    # soft shadow first, then a dark outline, then the blocks
    for bx, by in blocks:
        for y in range(cell + 2):
            for x in range(cell + 2):
                put(left + bx * cell + x, top + by * cell + y + 1, (8, 4, 16), 0.5)
    for bx, by in blocks:
        for y in range(-1, cell + 1):
            for x in range(-1, cell + 1):
                put(left + bx * cell + x, top + by * cell + y, (20, 10, 30))
    rows = 7 * cell
    for bx, by in blocks:
        for y in range(cell):
            for x in range(cell):
                t = (by * cell + y) / (rows - 1)
                c = ramp([(0, (255, 246, 196)), (0.45, (255, 200, 110)), (1, (240, 110, 80))], t)
                # bevel the letter as a whole: lit top and left, shaded bottom and right
                if y == 0 and (bx, by - 1) not in blocks or x == 0 and (bx - 1, by) not in blocks:
                    c = mix(c, (255, 255, 240), 0.55)
                elif (y == cell - 1 and (bx, by + 1) not in blocks
                      or x == cell - 1 and (bx + 1, by) not in blocks):
                    c = mix(c, (110, 30, 50), 0.5)
                put(left + bx * cell + x, top + by * cell + y, c)


def picture():
    cam = Camera(pos=(0.0, -22.0, 7.0), pitch=math.radians(11.0), focal=150.0)
    cv = Canvas()
    draw_background(cv, cam)
    draw_fortress(cv, cam)
    # mix the outlines in at full resolution so they stay crisp
    for i in range(SW * SH):
        e = cv.edge[i]
        if e > 0:
            cv.r[i] += (EDGE[0] - cv.r[i]) * e
            cv.g[i] += (EDGE[1] - cv.g[i]) * e
            cv.b[i] += (EDGE[2] - cv.b[i]) * e
    r, g, b = downsample(cv.r), downsample(cv.g), downsample(cv.b)
    e, lit = downsample(cv.edge), downsample(cv.glow)
    halo = blur([e[i] * 0.5 + lit[i] for i in range(OW * OH)], 2 * SCALE)
    img = []
    dark_from = (HORIZON + 60) * SCALE
    for y in range(OH):
        for x in range(OW):
            i = y * OW + x
            k = halo[i] * 0.9
            c = (r[i] + 255 * k * 0.95, g[i] + 160 * k, b[i] + 90 * k)
            # darken towards the bottom so the title reads well
            if y > dark_from:
                d = 1 - 0.55 * smoothstep(dark_from, OH, y)
                c = (c[0] * d, c[1] * d, c[2] * d)
            # gentle vignette
            vx, vy = (x - OW / 2) / (OW / 2), (y - OH / 2) / (OH / 2)
            v = 1 - 0.22 * clamp(vx * vx * 0.8 + vy * vy * 0.5) ** 1.5
            img.append((clamp(c[0] * v, 0, 255), clamp(c[1] * v, 0, 255), clamp(c[2] * v, 0, 255)))
    draw_title(img, "KORVA", (H - 38) * SCALE, 4 * SCALE)
    # a thin frame so the picture sits cleanly on a grey dialog
    for y in range(OH):
        for x in range(OW):
            ring = min(x, y, OW - 1 - x, OH - 1 - y) // SCALE   # 0: outermost design pixel
            if ring == 0:
                img[y * OW + x] = (24, 16, 40)
            elif ring == 1:
                img[y * OW + x] = mix(img[y * OW + x], (255, 255, 255), 0.10)
    return img


# ---------------------------------------------------------------- the icon


def icon(n):
    """A dusk tile with the fortress against a setting sun, drawn on a 16-unit
    grid so the 16, 32, 48 and 64 pixel versions all land on whole pixels."""
    s = n / 16.0
    sub = 4
    horizon = 12.0
    radius = 2.5 if n == 16 else 3.0
    dark = (22, 16, 44)
    body = [(3.0, 10.0, 13.0, horizon), (1.0, 8.0, 4.0, horizon),
            (12.0, 8.0, 15.0, horizon), (6.0, 4.0, 10.0, horizon)]
    notches = [(2.0, 8.0, 3.0, 9.0), (13.0, 8.0, 14.0, 9.0), (7.0, 4.0, 9.0, 5.0)]
    if n > 16:
        notches += [(4.5, 10.0, 5.0, 10.5), (11.0, 10.0, 11.5, 10.5)]
    gate = (7.0, 10.0, 9.0, horizon)
    windows = [(7.5, 6.0, 8.5, 7.5)] if n > 16 else []

    def inside(r, x, y):
        return r[0] <= x < r[2] and r[1] <= y < r[3]

    def solid(x, y):
        return any(inside(r, x, y) for r in body) and not any(inside(r, x, y) for r in notches)

    px_unit = 1.0 / s
    out = []
    for py in range(n):
        for px in range(n):
            acc = [0.0, 0.0, 0.0]
            hits = 0
            for sy in range(sub):
                for sx in range(sub):
                    x = (px + (sx + 0.5) / sub) / s
                    y = (py + (sy + 0.5) / sub) / s
                    cx = min(max(x, radius), 16 - radius)
                    cy = min(max(y, radius), 16 - radius)
                    inset = radius - math.hypot(x - cx, y - cy)
                    if inset < 0:
                        continue                      # outside the rounded tile
                    if y < horizon:
                        c = ramp([(0, (18, 16, 52)), (0.45, (70, 28, 100)),
                                  (0.8, (196, 74, 108)), (1, (255, 146, 96))], y / horizon)
                        if math.hypot(x - 8.0, y - horizon) < 6.5:
                            c = ramp([(0, (255, 238, 150)), (1, (255, 112, 104))],
                                     clamp((y - horizon + 6.5) / 6.5))
                    else:
                        c = mix((70, 22, 80), (12, 8, 28), (y - horizon) / 4.0)
                        if n == 16:
                            on = int(y) == 14
                        else:
                            rays = min(abs(x - 8.0 - k * (y - horizon) * 1.7) for k in range(-4, 5))
                            on = abs(y - 13.25) < 0.5 * px_unit or abs(y - 15.0) < 0.5 * px_unit \
                                or rays < 0.5 * px_unit
                        if on:
                            c = mix(c, GRID_MAJOR, 0.75)
                    if solid(x, y):
                        c = dark
                        if not solid(x, y - px_unit):
                            c = EDGE                                  # sunlit top edges
                        elif not solid(x - px_unit, y) or not solid(x + px_unit, y):
                            c = mix(EDGE, dark, 0.45)                 # rim down the sides
                        if inside(gate, x, y):
                            c = (255, 168, 80)
                        if any(inside(w, x, y) for w in windows):
                            c = (255, 220, 140)
                    if inset < px_unit:
                        c = mix(c, (176, 140, 220), 0.35)   # a faint rim, so it holds on dark backgrounds
                    acc[0] += c[0]
                    acc[1] += c[1]
                    acc[2] += c[2]
                    hits += 1
            if hits == 0:
                out.append((0, 0, 0, 0))
            else:
                out.append((int(round(acc[0] / hits)), int(round(acc[1] / hits)),
                            int(round(acc[2] / hits)), int(round(hits * 255 / (sub * sub)))))
    return out


# ---------------------------------------------------------------- the folder glyph

FOLDER = [
    "................",
    ".oooo...........",
    "ohhhho..........",
    "ohbbbhooooooo...",
    "ohbbbbbbbbbbbo..",
    "ohbbbbbbbbbbbo..",
    "ohbbbbbbbbbbbo..",
    "ohbboooooooooooo",
    "ohbohhhhhhhhhhho",
    "ohboffffffffffo.",
    "ohofffffffffffo.",
    "ohoffffffffffo..",
    "oofffffffffffo..",
    "osssssssssssso..",
    "oooooooooooooo..",
    "................",
]
FOLDER_COLOURS = {
    "o": (128, 88, 16),    # outline
    "h": (255, 236, 156),  # highlights
    "b": (232, 184, 56),   # back panel
    "f": (255, 212, 80),   # front flap
    "s": (216, 160, 40),   # shade along the bottom of the flap
}


def greyed(c):
    lum = 0.299 * c[0] + 0.587 * c[1] + 0.114 * c[2]
    v = int(round(96 + (lum - 80) * 0.62))
    return (v, v, v)


def folder(disabled):
    """The 16x16 pixel art, RGBA (transparent where the art has ".")."""
    out = []
    for line in FOLDER:
        for ch in line:
            if ch == ".":
                out.append((0, 0, 0, 0))
                continue
            c = FOLDER_COLOURS[ch]
            out.append((greyed(c) if disabled else c) + (255,))
    return out


# The same folder as shapes on the art's 16-unit grid, for drawing at larger sizes: each layer is
# painted over the ones before it. The outline is half a unit wide (one pixel at 32).
FOLDER_SHAPES = [
    ("o", [(0, 2), (1, 1), (5, 1), (6, 3), (14, 3), (14, 15), (0, 15)]),                 # back
    ("h", [(0.5, 2.2), (1.2, 1.5), (4.7, 1.5), (5.7, 3.5), (13.5, 3.5), (13.5, 14.5), (0.5, 14.5)]),
    ("b", [(1.0, 2.4), (1.4, 2.0), (4.4, 2.0), (5.4, 4.0), (13.5, 4.0), (13.5, 14.5), (1.0, 14.5)]),
    ("o", [(4, 7), (16, 7), (14, 15), (0, 15)]),                                         # front flap
    ("h", [(4.7, 7.5), (15.35, 7.5), (13.6, 14.5), (1.25, 14.5)]),
    ("f", [(4.45, 8.0), (15.2, 8.0), (13.6, 14.5), (1.25, 14.5)]),
    ("s", [(1.75, 13.5), (13.85, 13.5), (13.6, 14.5), (1.25, 14.5)]),
]


def inside_polygon(pts, x, y):
    hit = False
    for (ax, ay), (bx, by) in zip(pts, pts[1:] + pts[:1]):
        if (ay <= y < by or by <= y < ay) and x < ax + (y - ay) * (bx - ax) / (by - ay):
            hit = not hit
    return hit


def folder_drawn(n, disabled):
    """The folder at n x n pixels, RGBA, from FOLDER_SHAPES with 4x4 samples a pixel."""
    s, sub = n / 16.0, 4
    out = []
    for py in range(n):
        for px in range(n):
            acc, hits = [0.0, 0.0, 0.0], 0
            for sy in range(sub):
                for sx in range(sub):
                    x, y = (px + (sx + 0.5) / sub) / s, (py + (sy + 0.5) / sub) / s
                    colour = None
                    for key, pts in FOLDER_SHAPES:
                        if inside_polygon(pts, x, y):
                            colour = FOLDER_COLOURS[key]
                    if colour is None:
                        continue
                    if disabled:
                        colour = greyed(colour)
                    for c in range(3):
                        acc[c] += colour[c]
                    hits += 1
            if hits == 0:
                out.append((0, 0, 0, 0))
            else:
                # rounded to steps of 8 where partly covered, so that the colours stay few
                alpha = int(round(hits * 255 / (sub * sub)))
                rgb = tuple(int(round(a / hits)) for a in acc)
                if alpha < 255:
                    rgb = tuple(min(255, (v + 4) // 8 * 8) for v in rgb)
                out.append(rgb + (alpha,))
    return out


# ---------------------------------------------------------------- checks


ICON_SIZES = (16, 20, 24, 32, 40, 48, 64)
PICTURE_SCALE = 2


def check():
    w, h, count, size = read_kpx(os.path.join(HERE, "korva.kpx"))
    assert (w, h, count) == (W * PICTURE_SCALE, H * PICTURE_SCALE, 256), (w, h, count)
    for name, n in (("folder.kpx", 16), ("folder_disabled.kpx", 16), ("folder32.kpx", 32),
                    ("folder32_disabled.kpx", 32)):
        w, h, count, _ = read_kpx(os.path.join(HERE, name))
        assert (w, h) == (n, n), (name, w, h)
    with open(os.path.join(HERE, "korva.ico"), "rb") as f:
        data = f.read()
    res, typ, count = struct.unpack_from("<HHH", data, 0)
    assert (res, typ) == (0, 1)
    sizes = []
    for k in range(count):
        bw, bh, cc, _, planes, bpp, length, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * k)
        hsize, w, h, pl, bc, comp = struct.unpack_from("<IiiHHI", data, offset)
        assert (bw, bh, planes, bpp) == (w, w, 1, 32) and (hsize, h, pl, bc, comp) == (40, 2 * w, 1, 32, 0)
        assert length == 40 + w * w * 4 + ((w + 31) // 32) * 4 * w
        assert offset + length <= len(data)
        sizes.append(w)
    assert tuple(sizes) == ICON_SIZES, sizes
    print("art ok: korva.kpx %dx%d (%d bytes), folder glyphs 16 and 32, korva.ico %s"
          % (W * PICTURE_SCALE, H * PICTURE_SCALE, size, "/".join(map(str, ICON_SIZES))))


def main():
    if "--check" in sys.argv[1:]:
        check()
        return
    set_scale(PICTURE_SCALE)
    pal, idx = quantize(picture(), OW)
    files = {
        "korva.kpx": kpx(OW, OH, [c + (255,) for c in pal], idx),
        "folder.kpx": kpx(16, 16, *indexed(folder(False))),
        "folder_disabled.kpx": kpx(16, 16, *indexed(folder(True))),
        "folder32.kpx": kpx(32, 32, *indexed(folder_drawn(32, False))),
        "folder32_disabled.kpx": kpx(32, 32, *indexed(folder_drawn(32, True))),
        "korva.ico": ico([(n, icon(n)) for n in ICON_SIZES]),
    }
    for name, blob in files.items():
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(blob)
    check()


if __name__ == "__main__":
    main()
