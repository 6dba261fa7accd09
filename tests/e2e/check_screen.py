#!/usr/bin/env python3
"""Checks a screenshot of the running game against the game's own pictures.

usage: check_screen.py SCREEN KIND REFDIR [options]
  SCREEN  the whole X screen as a binary PPM
  KIND    intro | playing | gameover
  REFDIR  the game's bitmaps as binary PPMs (intropic.ppm, desert.ppm, sprites.ppm)
The 800x600 picture is expected letterboxed on the screen (or in --frame),
everything around it black.
"""
import argparse
import sys

FRAME_W, FRAME_H = 800, 600
# A 16-bit screen keeps the top 5 or 6 bits of a channel; scaling blends
# neighbours. Within this many levels a pixel counts as the picture's.
TOLERANCE = 14


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            while data[pos:pos + 1] not in (b"\n", b""):
                pos += 1
            continue
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    if fields[0] != b"P6" or int(fields[3]) != 255:
        raise ValueError(path + ": not an 8-bit binary PPM")
    w, h = int(fields[1]), int(fields[2])
    pixels = data[pos + 1:pos + 1 + w * h * 3]
    if len(pixels) != w * h * 3:
        raise ValueError(path + ": truncated")
    return w, h, pixels


class Image:
    def __init__(self, path):
        self.w, self.h, self.px = read_ppm(path)

    def at(self, x, y):
        i = (y * self.w + x) * 3
        return self.px[i], self.px[i + 1], self.px[i + 2]


class Screen(Image):
    """The screenshot, addressed in game pixels through the letterbox."""

    def __init__(self, path, frame=None):
        super().__init__(path)
        if frame:
            self.ox, self.oy, self.pw, self.ph = frame
            return
        if self.w * FRAME_H <= self.h * FRAME_W:
            self.pw, self.ph = self.w, FRAME_H * self.w // FRAME_W
        else:
            self.pw, self.ph = FRAME_W * self.h // FRAME_H, self.h
        self.ox, self.oy = (self.w - self.pw) // 2, (self.h - self.ph) // 2

    def game(self, gx, gy):
        sx = self.ox + int((gx + 0.5) * self.pw / FRAME_W)
        sy = self.oy + int((gy + 0.5) * self.ph / FRAME_H)
        return self.at(sx, sy)

    def bars_black(self):
        step = 7
        for y in range(0, self.h, step):
            for x in range(0, self.w, step):
                inside = self.ox <= x < self.ox + self.pw and self.oy <= y < self.oy + self.ph
                if not inside and self.at(x, y) != (0, 0, 0):
                    return False
        return True


def as_16bit(rgb):
    r, g, b = rgb
    return ((r >> 3) << 3 | r >> 5, (g >> 2) << 2 | g >> 6, (b >> 3) << 3 | b >> 5)


def close(a, b, tol=TOLERANCE):
    return all(abs(p - q) <= tol for p, q in zip(a, b))


def fraction_matching(screen, ref, x0, y0, x1, y1, step=2):
    hit = total = 0
    for y in range(y0, y1, step):
        for x in range(x0, x1, step):
            total += 1
            hit += close(screen.game(x, y), as_16bit(ref.at(x, y)))
    return hit / total if total else 0.0


def sprite_fraction(screen, sprites, rect, at_x, at_y, interior):
    """How much of a keyed sprite shows at (at_x, at_y). With interior, only
    pixels whose neighbours are all drawn count, which scaling leaves alone."""
    left, top, right, bottom = rect
    hit = total = 0
    for sy in range(top, bottom):
        for sx in range(left, right):
            if sprites.at(sx, sy) == (0, 0, 0):
                continue
            if interior and any(
                    not (left <= sx + dx < right and top <= sy + dy < bottom) or
                    sprites.at(sx + dx, sy + dy) == (0, 0, 0)
                    for dx in (-1, 0, 1) for dy in (-1, 0, 1)):
                continue
            gx, gy = at_x + sx - left, at_y + sy - top
            if not (0 <= gx < FRAME_W and 0 <= gy < FRAME_H):
                continue
            total += 1
            hit += close(screen.game(gx, gy), as_16bit(sprites.at(sx, sy)))
    return hit / total if total else 0.0


def luminance(rgb):
    r, g, b = rgb
    return 0.299 * r + 0.587 * g + 0.114 * b


CROSSHAIR = (0, 0, 48, 50)
CARTRIDGE = (30, 48, 46, 88)


class Checks:
    def __init__(self):
        self.failed = []

    def expect(self, ok, what):
        print(("ok   " if ok else "FAIL ") + what)
        if not ok:
            self.failed.append(what)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("screen")
    ap.add_argument("kind", choices=["intro", "playing", "gameover"])
    ap.add_argument("refdir")
    ap.add_argument("--cursor", type=int, nargs=2, default=None)
    ap.add_argument("--cartridges", type=int, default=None)
    ap.add_argument("--frame", type=int, nargs=4, default=None, metavar=("X", "Y", "W", "H"),
                    help="where the picture is, when not letterboxed over the whole screen")
    args = ap.parse_args()

    screen = Screen(args.screen, args.frame)
    sharp = screen.pw % FRAME_W == 0 and screen.pw == screen.ph * FRAME_W // FRAME_H
    c = Checks()
    c.expect(screen.bars_black(), "picture %dx%d at (%d, %d) on %dx%d, bars black"
             % (screen.pw, screen.ph, screen.ox, screen.oy, screen.w, screen.h))

    if args.kind == "intro":
        intro = Image(args.refdir + "/intropic.ppm")
        # Above the rippling band the intro picture shows unchanged.
        f = fraction_matching(screen, intro, 0, 0, FRAME_W, 380)
        c.expect(f > 0.9, "intro picture above the band (%.3f match)" % f)
    else:
        desert = Image(args.refdir + "/desert.ppm")
        sprites = Image(args.refdir + "/sprites.ppm")
        # The backdrop away from the HUD, the box and whatever figures.
        f = fraction_matching(screen, desert, 0, 460, FRAME_W, FRAME_H)
        c.expect(f > (0.9 if args.kind == "gameover" else 0.6), "backdrop at the bottom (%.3f match)" % f)
        score = fraction_matching(screen, desert, 10, 6, 130, 44, step=1)
        c.expect(score < 0.9, "score text drawn at (10, 6) (%.3f of backdrop left)" % score)
        if args.cartridges is not None:
            shown = [sprite_fraction(screen, sprites, CARTRIDGE, 260 + 20 * i, 10, not sharp) > 0.8
                     for i in range(6)]
            row = "".join("|" if s else "." for s in shown)
            # Cartridges stand from the left with no gaps.
            count = shown.index(False) if False in shown else 6
            c.expect(all(not s for s in shown[count:]), "cartridges in one row from x = 260: " + row)
            c.expect(count == args.cartridges, "%d cartridges, want %d" % (count, args.cartridges))
        if args.kind == "gameover":
            darker = total = 0
            for y0, y1 in ((222, 246), (362, 398)):
                for y in range(y0, y1, 2):
                    for x in range(104, 696, 2):
                        total += 1
                        seen = luminance(screen.game(x, y))
                        behind = luminance(as_16bit(desert.at(x, y)))
                        darker += seen <= behind * 0.8 + 3
            c.expect(darker / total > 0.9, "statistics box darkens the backdrop (%.3f of it)" % (darker / total))
        if args.cursor:
            cx, cy = args.cursor
            here = sprite_fraction(screen, sprites, CROSSHAIR, cx, cy, not sharp)
            c.expect(here > 0.8, "crosshair at (%d, %d) (%.3f of the sprite)" % (cx, cy, here))
            off = sprite_fraction(screen, sprites, CROSSHAIR, cx + 4, cy + 4, not sharp)
            c.expect(off < here - 0.2, "crosshair not 4 pixels off (%.3f there)" % off)

    if c.failed:
        print("%d check(s) failed on %s" % (len(c.failed), args.screen))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
