"""What the player sees of the page: screenshots as the screen checks read
them, the canvas's own pixels for quick looks, and the HUD counted."""
import contextlib
import io
import os
import struct
import subprocess
import sys
import time
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "e2e"))
import check_screen  # noqa: E402  (shared with the X screen test)

def _png_rows(png):
    """The rows of an 8-bit, non-interlaced RGB or RGBA PNG, as RGB bytes."""
    pos, idat, width = 8, b"", 0
    while pos < len(png):
        length = struct.unpack(">I", png[pos:pos + 4])[0]
        kind, body = png[pos + 4:pos + 8], png[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or colour not in (2, 6) or interlace:
                raise ValueError("unexpected PNG format")
            channels = 3 if colour == 2 else 4
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    data = zlib.decompress(idat)
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = data[y * (stride + 1)]
        row = bytearray(data[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = row[i - channels] if i >= channels else 0
            b = previous[i]
            c = previous[i - channels] if i >= channels else 0
            if kind == 1:
                row[i] = (row[i] + a) & 255
            elif kind == 2:
                row[i] = (row[i] + b) & 255
            elif kind == 3:
                row[i] = (row[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                row[i] = (row[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(bytes(row) if channels == 3 else
                     bytes(v for i, v in enumerate(row) if i % 4 != 3))
        previous = row
    return rows


def shown_rows(page, x, y, w, h):
    """A w x h rectangle of the tab as the player sees it, from (x, y) of the
    page: its rows as packed RGB."""
    return _png_rows(page.screenshot_png({"x": x, "y": y, "width": w, "height": h}))


class References:
    """The game's own pictures, as the screen checks read them."""

    def __init__(self, resdir, workdir):
        self.dir = workdir
        for name in ("intropic", "desert", "sprites"):
            subprocess.run(["convert", os.path.join(resdir, name + ".bmp"),
                            "ppm:" + os.path.join(workdir, name + ".ppm")], check=True)
        self.desert = check_screen.Image(os.path.join(workdir, "desert.ppm"))
        self.sprites = check_screen.Image(os.path.join(workdir, "sprites.ppm"))


def screenshot(page, workdir, name):
    """The tab as the player sees it, saved as NAME.png and NAME.ppm; the
    parsed screen."""
    png = page.screenshot_png()
    png_path = os.path.join(workdir, name + ".png")
    ppm_path = os.path.join(workdir, name + ".ppm")
    with open(png_path, "wb") as f:
        f.write(png)
    subprocess.run(["convert", png_path, "ppm:" + ppm_path], check=True)
    return check_screen.Screen(ppm_path)


# How often a check looks again before its verdict: a busy machine gets more
# looks, never a gentler check.
LOOKS = 40
LOOK_GAP_S = 0.2


def look(page, workdir, name, passes):
    """Screenshots the tab as NAME until passes(screen) holds or LOOKS are
    spent, printing only the verdict of the last; that verdict, and the screen."""
    for n in range(LOOKS):
        screen = screenshot(page, workdir, name)
        if n == LOOKS - 1:
            break
        with contextlib.redirect_stdout(io.StringIO()):
            if passes(screen):
                break
        time.sleep(LOOK_GAP_S)
    return passes(screen), screen


def look_cartridges(page, workdir, name, refs, want):
    """The cartridges the HUD shows, looked at until they are `want`."""
    _, screen = look(page, workdir, name, lambda screen: cartridges(screen, refs) == want)
    return cartridges(screen, refs)


def check_screen_file(workdir, name, kind, *options):
    """Runs the shared screen check on a saved screenshot; its lines are
    printed indented, its verdict returned."""
    result = subprocess.run([sys.executable, os.path.join(HERE, "..", "e2e", "check_screen.py"),
                             os.path.join(workdir, name + ".ppm"), kind, workdir] + [str(o) for o in options],
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    for line in result.stdout.splitlines():
        print("     " + line)
    return result.returncode == 0


def cartridges(screen, refs):
    """How many cartridges stand in the row from x = 260."""
    sharp = screen.pw % check_screen.FRAME_W == 0
    count = 0
    for i in range(6):
        if check_screen.sprite_fraction(screen, refs.sprites, check_screen.CARTRIDGE, 260 + 20 * i, 10,
                                        not sharp) <= 0.8:
            break
        count += 1
    return count


def find_crosshair(screen, refs, x, y, reach=3):
    """The crosshair's top-left within reach pixels of (x, y), or None."""
    sharp = screen.pw % check_screen.FRAME_W == 0
    best, where = 0.0, None
    for dy in range(-reach, reach + 1):
        for dx in range(-reach, reach + 1):
            f = check_screen.sprite_fraction(screen, refs.sprites, check_screen.CROSSHAIR, x + dx, y + dy,
                                             not sharp)
            if f > best:
                best, where = f, (x + dx, y + dy)
    return where if best > 0.8 else None


def band_change(a, b):
    """Fractions of pixels that differ between two intro screenshots: in the
    rippling band (y 392..500) and in the picture above it."""
    def changed(y0, y1):
        diff = total = 0
        for y in range(y0, y1, 2):
            for x in range(184, 604, 2):
                total += 1
                diff += not check_screen.close(a.game(x, y), b.game(x, y), 4)
        return diff / total
    return changed(392, 500), changed(40, 380)


# Rows inside the statistics box, between the verdict and the labels, where
# the box darkens the backdrop. Only the backdrop's bright pixels are looked
# at: its holes are as dark with the box as without.
BOX_ROWS = (226, 236)
BOX_X0, BOX_X1, BOX_STEP = 104, 696, 4
BRIGHT = 60


def _box_samples(desert):
    return [(x, y) for y in BOX_ROWS for x in range(BOX_X0, BOX_X1, BOX_STEP)
            if check_screen.luminance(check_screen.as_16bit(desert.at(x, y))) > BRIGHT]


def _darker(seen, desert, x, y):
    behind = check_screen.luminance(check_screen.as_16bit(desert.at(x, y)))
    return check_screen.luminance(seen) <= behind * 0.8 + 3


def box_darkening(page, refs):
    """The fraction of sampled box pixels darker than the backdrop there, in
    a look at two rows of the tab (the picture 1:1 at its top-left): near 1
    on the game-over screen, low while playing."""
    rows = shown_rows(page, BOX_X0, BOX_ROWS[0], BOX_X1 - BOX_X0, BOX_ROWS[-1] + 1 - BOX_ROWS[0])
    samples = _box_samples(refs.desert)
    darker = 0
    for x, y in samples:
        i = (x - BOX_X0) * 3
        darker += _darker(tuple(rows[y - BOX_ROWS[0]][i:i + 3]), refs.desert, x, y)
    return darker / len(samples)


def screen_box_darkening(screen, refs):
    """The same, on a screenshot."""
    samples = _box_samples(refs.desert)
    return sum(_darker(screen.game(x, y), refs.desert, x, y) for x, y in samples) / len(samples)


def fit_window(browser, page, size):
    """Sizes the window so that the page itself gets size: the picture then
    lands 1:1 on the screen's pixels. False when it cannot."""
    window = browser.send("Browser.getWindowForTarget", {"targetId": page.target_id})["windowId"]
    for _ in range(3):
        inner = page.evaluate("[innerWidth, innerHeight, outerWidth, outerHeight]")
        if inner[:2] == list(size):
            return True
        bounds = {"width": size[0] + inner[2] - inner[0], "height": size[1] + inner[3] - inner[1]}
        browser.send("Browser.setWindowBounds", {"windowId": window, "bounds": bounds})
        time.sleep(0.2)
    return False
