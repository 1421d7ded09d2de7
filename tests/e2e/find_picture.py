#!/usr/bin/env python3
"""Where a picture lies, pixel for pixel, in a screen shot: find_picture.py SHOT.rgb WIDTH HEIGHT
PICTURE.rgb WIDTH HEIGHT. Both are raw RGB, three bytes a pixel. The compositor draws its pointer
over whatever lies below it, wherever the pointer is: differences that all fit in one 32 x 32
square are allowed, any other is not. Prints "X Y" and exits 0, or says what it found and exits 1.
"""
import sys

POINTER = 32


def main():
    shot_path, sw, sh, pic_path, w, h = sys.argv[1:7]
    sw, sh, w, h = map(int, (sw, sh, w, h))
    shot = open(shot_path, "rb").read()
    pic = open(pic_path, "rb").read()
    if len(shot) != sw * sh * 3 or len(pic) != w * h * 3 or h <= 2 * POINTER:
        print("the raw files are not of the sizes given")
        return 1

    def pic_row(r):
        return pic[r * w * 3:(r + 1) * w * 3]

    def differences(x, y):
        """The box around every differing pixel, or None once it outgrows the pointer."""
        box = None
        for r in range(h):
            got = shot[((y + r) * sw + x) * 3:((y + r) * sw + x + w) * 3]
            want = pic_row(r)
            if got == want:
                continue
            xs = [i for i in range(w) if got[i * 3:i * 3 + 3] != want[i * 3:i * 3 + 3]]
            box = box or [xs[0], r, xs[-1], r]
            box = [min(box[0], xs[0]), box[1], max(box[2], xs[-1]), r]
            if box[2] - box[0] >= POINTER or box[3] - box[1] >= POINTER:
                return None
        return box or []

    # Two rows far apart find the candidates: the pointer cannot cover both.
    tried = set()
    for key in (0, h // 2):
        want = pic_row(key)
        for row in range(key, sh - h + key + 1):
            line = shot[row * sw * 3:(row + 1) * sw * 3]
            start = line.find(want)
            while start >= 0:
                x, y = start // 3, row - key
                if start % 3 == 0 and x + w <= sw and (x, y) not in tried:
                    tried.add((x, y))
                    if differences(x, y) is not None:
                        print(x, y)
                        return 0
                start = line.find(want, start + 1)
    print(f"not found ({len(tried)} candidates)")
    return 1


sys.exit(main())
