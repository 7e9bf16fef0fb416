#!/usr/bin/env python3
"""scaled_check.py SCREENSHOT.ppm PICTURE@2x.bmp PICTURE.bmp LEFT TOP SIDE

The launcher at a screen scale, SIDE square at (LEFT, TOP): inside its ellipse (off edge and
buttons) the double-size picture reduced, closer to it than to the 96-dpi picture enlarged;
outside, the black desktop."""
import sys

from screen_check import BUTTON_PLACES, read_picture, read_ppm

GRID, EDGE, MAX_ERROR = 5, 3.0, 6.0


def mean_of(rows, x0, y0, x1, y1):
    pixels = [rows[y][3 * x:3 * x + 3] for y in range(y0, max(y1, y0 + 1))
              for x in range(x0, max(x1, x0 + 1))]
    return [sum(p[c] for p in pixels) / len(pixels) for c in range(3)]


def main():
    shot, double, single = sys.argv[1:4]
    left, top, side = (int(a) for a in sys.argv[4:7])
    sw, _, screen = read_ppm(shot)
    (dw, _, big), (w1, _, small) = read_picture(double), read_picture(single)
    f2, f1, r, k = dw / side, w1 / side, side / 2.0, side / 360.0
    buttons = [(bx * k - 1, by * k - 1, (bx + 43) * k, (by + 43) * k) for bx, by in BUTTON_PLACES.values()]
    error2 = error1 = points = 0
    outside = []
    for y in range(0, side, GRID):
        for x in range(0, side, GRID):
            got = screen[3 * ((top + y) * sw + left + x):][:3]
            distance = ((x + 0.5 - r) ** 2 + (y + 0.5 - r) ** 2) ** 0.5 - r
            if distance > EDGE and got != b"\0\0\0":
                outside.append((x, y, tuple(got)))
            if distance > -EDGE or any(a <= x <= c and b <= y <= d for a, b, c, d in buttons):
                continue
            want2 = mean_of(big, int(x * f2), int(y * f2), int((x + 1) * f2), int((y + 1) * f2))
            want1 = small[int(y * f1)][3 * int(x * f1):3 * int(x * f1) + 3]
            error2 += sum(abs(g - w) for g, w in zip(got, want2)) / 3
            error1 += sum(abs(g - w) for g, w in zip(got, want1)) / 3
            points += 1
    error2, error1 = error2 / max(points, 1), error1 / max(points, 1)
    verdict = "ok" if error2 <= MAX_ERROR and error2 < error1 and not outside else "failed"
    print(f"scaled screen check {verdict}: {points} points {side}x{side} at ({left},{top}), mean "
          f"error {error2:.1f} from the double-size art reduced (at most {MAX_ERROR}), {error1:.1f} "
          f"from the 96-dpi picture enlarged; {len(outside)} points outside not the desktop {outside[:3]}")
    return 0 if verdict == "ok" else 1


if __name__ == "__main__":
    sys.exit(main())
