#!/usr/bin/env python3
"""Where a picture lies, pixel for pixel, in a screen shot: find_picture.py SHOT.rgb WIDTH HEIGHT
PICTURE.rgb WIDTH HEIGHT POINTER_X POINTER_Y. Both are raw RGB, three bytes a pixel. The
compositor draws its pointer over whatever is below it: the 32 x 32 square from the pointer's
place, either way, is not compared (its hot spot may be anywhere in the sprite). Prints "X Y" and exits 0, or says what it found and exits 1."""
import sys

POINTER = 32


def main():
    shot_path, sw, sh, pic_path, w, h, px, py = sys.argv[1:9]
    sw, sh, w, h, px, py = map(int, (sw, sh, w, h, px, py))
    shot = open(shot_path, "rb").read()
    pic = open(pic_path, "rb").read()
    if len(shot) != sw * sh * 3 or len(pic) != w * h * 3:
        print("the raw files are not of the sizes given")
        return 1

    def row_matches(x, y, r):
        got = shot[((y + r) * sw + x) * 3:((y + r) * sw + x + w) * 3]
        want = pic[r * w * 3:(r + 1) * w * 3]
        if got == want:
            return True
        if not py - POINTER < y + r < py + POINTER:
            return False
        return all(got[i * 3:i * 3 + 3] == want[i * 3:i * 3 + 3] or px - POINTER < x + i < px + POINTER
                   for i in range(w))

    # The picture's first row finds the candidates: the pointer is kept off it.
    key = 0
    want = pic[key * w * 3:(key + 1) * w * 3]
    best = 0
    for y in range(sh - h + 1):
        line = shot[(y + key) * sw * 3:(y + key + 1) * sw * 3]
        start = line.find(want)
        while start >= 0:
            if start % 3 == 0 and start // 3 + w <= sw:
                x = start // 3
                rows = 0
                while rows < h and row_matches(x, y, rows):
                    rows += 1
                if rows == h:
                    print(x, y)
                    return 0
                best = max(best, rows)
            start = line.find(want, start + 1)
    print(f"not found; the best candidate matched {best} of {h} rows")
    return 1


sys.exit(main())
