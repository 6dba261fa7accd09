"""What the player sees of the page: screenshots as the screen checks read
them, the canvas's own pixels for quick looks, and the HUD counted."""
import base64
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "e2e"))
import check_screen  # noqa: E402  (shared with the X screen test)

# The canvas's pixels of a rectangle as packed RGB, base64 for the trip.
CANVAS_RGB = """(() => {
  const d = document.getElementById('screen').getContext('2d').getImageData(%d, %d, %d, %d).data;
  let s = '';
  for (let i = 0; i < d.length; i += 4) s += String.fromCharCode(d[i], d[i + 1], d[i + 2]);
  return btoa(s);
})()"""


def canvas_rgb(page, x, y, w, h):
    return base64.b64decode(page.evaluate(CANVAS_RGB % (x, y, w, h)))


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
    png = base64.b64decode(page.send("Page.captureScreenshot", {"format": "png"}, timeout=15)["data"])
    png_path = os.path.join(workdir, name + ".png")
    ppm_path = os.path.join(workdir, name + ".ppm")
    with open(png_path, "wb") as f:
        f.write(png)
    subprocess.run(["convert", png_path, "ppm:" + ppm_path], check=True)
    return check_screen.Screen(ppm_path)


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
# the box darkens the backdrop.
BOX_ROWS = (226, 236)
BOX_X0, BOX_X1, BOX_STEP = 104, 696, 4


def _darker(seen, desert, x, y):
    behind = check_screen.luminance(check_screen.as_16bit(desert.at(x, y)))
    return check_screen.luminance(seen) <= behind * 0.8 + 3


def box_darkening(page, refs):
    """The fraction of sampled box pixels darker than the backdrop there, read
    from the canvas: near 1 on the game-over screen, low while playing."""
    darker = total = 0
    for y in BOX_ROWS:
        rgb = canvas_rgb(page, BOX_X0, y, BOX_X1 - BOX_X0, 1)
        for x in range(BOX_X0, BOX_X1, BOX_STEP):
            i = (x - BOX_X0) * 3
            total += 1
            darker += _darker(tuple(rgb[i:i + 3]), refs.desert, x, y)
    return darker / total


def screen_box_darkening(screen, refs):
    """The same, on a screenshot."""
    samples = [_darker(screen.game(x, y), refs.desert, x, y)
               for y in BOX_ROWS for x in range(BOX_X0, BOX_X1, BOX_STEP)]
    return sum(samples) / len(samples)
