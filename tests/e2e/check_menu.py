#!/usr/bin/env python3
"""Looks at the settings menu from outside the game.

usage: check_menu.py open SCREEN      the menu is drawn (its title bar is there)
       check_menu.py same A B         the two screenshots are the same
       check_menu.py differ A B       ... are not
       check_menu.py silent RAWFILE   the sound the game wrote is all silence
Screens are binary PPMs of an 800x600 X screen.
"""
import struct
import sys

from check_screen import read_ppm

# Dear ImGui's dark title bar of a focused window, and how much of it a
# 430-pixel-wide menu shows.
TITLE_BAR = bytes((41, 74, 122))
TITLE_PIXELS = 3000


def title_pixels(path):
    _, _, px = read_ppm(path)
    return sum(1 for i in range(0, len(px), 3) if px[i:i + 3] == TITLE_BAR)


def main():
    kind, args = sys.argv[1], sys.argv[2:]
    if kind == "open":
        found = title_pixels(args[0])
        print(f"menu title bar: {found} pixels")
        return 0 if found >= TITLE_PIXELS else 1
    if kind in ("same", "differ"):
        same = read_ppm(args[0])[2] == read_ppm(args[1])[2]
        print("the screenshots are " + ("the same" if same else "not the same"))
        return 0 if same == (kind == "same") else 1
    if kind == "silent":
        with open(args[0], "rb") as f:
            data = f.read()
        samples = struct.unpack(f"<{len(data) // 2}h", data[:len(data) // 2 * 2])
        loudest = max((abs(s) for s in samples), default=0)
        print(f"{len(samples)} samples, loudest {loudest}")
        return 0 if samples and loudest == 0 else 1
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main())
