#!/usr/bin/env python3
"""Checks a screenshot of the launcher opened at a screen scale against its pictures.

    scaled_check.py SCREENSHOT.ppm PICTURE@2x.bmp PICTURE.bmp LEFT TOP SIDE

The window stands at (LEFT, TOP), SIDE pixels square. On a grid of points inside its
ellipse, away from the edge and the buttons, the screen must show the double-size picture
reduced to SIDE (each point against the mean of the double-size pixels it covers, within a
small error), and match it better than the 96-dpi picture enlarged: the art is drawn
sharper, not stretched. Outside the ellipse, in the square's corners, the black desktop.
Standard library only."""
import sys

from screen_check import BUTTON_PLACES, read_picture, read_ppm

GRID = 5           # every 5th pixel across and down
EDGE_MARGIN = 3.0  # pixels either side of the ellipse's edge are the platform's
MAX_MEAN_ERROR = 6.0


def mean_of(rows, x0, y0, x1, y1):
    """Mean colour of the picture's pixels in [x0, x1) x [y0, y1)."""
    total, count = [0, 0, 0], 0
    for y in range(y0, y1):
        row = rows[y]
        for x in range(x0, x1):
            for c in range(3):
                total[c] += row[3 * x + c]
            count += 1
    return [t / count for t in total]


def on_a_button(x, y, side):
    scale = side / 360.0
    button = round(42 * scale)
    return any(bx * scale - 1 <= x <= bx * scale + button + 1 and
               by * scale - 1 <= y <= by * scale + button + 1
               for bx, by in BUTTON_PLACES.values())


def main():
    shot, double, single = sys.argv[1:4]
    left, top, side = (int(a) for a in sys.argv[4:7])
    sw, _, screen = read_ppm(shot)
    dw, _, double_rows = read_picture(double)
    w1, _, single_rows = read_picture(single)
    f2, f1 = dw / side, w1 / side
    errors2, errors1, not_desktop, points = 0.0, 0.0, [], 0
    r = side / 2.0
    for y in range(0, side, GRID):
        for x in range(0, side, GRID):
            at = 3 * ((top + y) * sw + left + x)
            got = screen[at:at + 3]
            distance = ((x + 0.5 - r) ** 2 + (y + 0.5 - r) ** 2) ** 0.5 - r
            if distance > EDGE_MARGIN:
                if got != b"\0\0\0":
                    not_desktop.append((x, y, tuple(got)))
                continue
            if distance > -EDGE_MARGIN or on_a_button(x, y, side):
                continue
            want2 = mean_of(double_rows, int(x * f2), int(y * f2),
                            max(int(x * f2) + 1, int((x + 1) * f2)),
                            max(int(y * f2) + 1, int((y + 1) * f2)))
            want1 = single_rows[int(y * f1)][3 * int(x * f1):3 * int(x * f1) + 3]
            errors2 += sum(abs(g - w) for g, w in zip(got, want2)) / 3
            errors1 += sum(abs(g - w) for g, w in zip(got, want1)) / 3
            points += 1
    mean2, mean1 = errors2 / max(points, 1), errors1 / max(points, 1)
    problems = []
    if mean2 > MAX_MEAN_ERROR:
        problems.append(f"the picture differs from the double-size art reduced by {mean2:.1f} "
                        f"a channel on average (at most {MAX_MEAN_ERROR})")
    if mean2 >= mean1:
        problems.append(f"the picture is no closer to the double-size art ({mean2:.1f}) than to "
                        f"the 96-dpi picture enlarged ({mean1:.1f})")
    if not_desktop:
        problems.append(f"{len(not_desktop)} points outside the ellipse are not the desktop, "
                        f"first {not_desktop[:3]}")
    if problems:
        print("scaled screen check failed: " + "; ".join(problems))
        return 1
    print(f"scaled screen check ok: {points} points at ({left},{top}) {side}x{side} within "
          f"{mean2:.1f} of the double-size art reduced ({mean1:.1f} from the 96-dpi picture "
          f"enlarged), desktop outside")
    return 0


if __name__ == "__main__":
    sys.exit(main())
