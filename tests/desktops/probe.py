#!/usr/bin/python3
"""Reads the screen of the X display in DISPLAY while Tessary rewrites image.bmp.

watch BMP COUNT POINTS...   waits for COUNT rewrites of BMP whose picture differs from the one
                            shown before, and checks each shows in time.
once BMP POINTS...          waits for the next rewrite and checks it shows in time.
pixels POINTS...            prints the colour at each point.
swatch X Y WIDTH HEIGHT     prints the middle of the colour swatch in that area.

A point is X,Y=WANT, WANT being "left" (the colour of the picture's left half), "right" (its right
half) or a colour "#rrggbb"; "!WANT" is anything else. X,Y=tile checks the whole row Y from X on:
the picture's two halves repeat across it, from wherever the first tile starts.
Prints one line per rewrite; exits 1 on a rewrite not shown. In time: within 2 s, plus the
seconds in FADE_SECONDS that the desktop takes to cross-fade to a new picture.
"""
import ctypes
import os
import struct
import sys
import time

# Seconds a desktop may take to show a rewrite, its cross-fade included.
SHOW_LIMIT = 2.0 + float(os.environ.get("FADE_SECONDS", "0"))
TOLERANCE = 12  # per channel: fades and dithering end near, not always on, the colour

xlib = ctypes.cdll.LoadLibrary("libX11.so.6")
xlib.XOpenDisplay.restype = ctypes.c_void_p
xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
xlib.XDefaultRootWindow.restype = ctypes.c_ulong
xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
xlib.XGetImage.restype = ctypes.c_void_p
xlib.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                           ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
xlib.XGetPixel.restype = ctypes.c_ulong
xlib.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
xlib.XDestroyImage.argtypes = [ctypes.c_void_p]
ZPIXMAP = 2

display = xlib.XOpenDisplay(None)
if not display:
    sys.exit("probe: cannot open the display " + os.environ.get("DISPLAY", ""))
root = xlib.XDefaultRootWindow(display)


def screen_colour(x, y):
    image = xlib.XGetImage(display, root, x, y, 1, 1, 0xFFFFFFFF, ZPIXMAP)
    if not image:
        sys.exit(f"probe: cannot read the screen at {x},{y}")
    pixel = xlib.XGetPixel(image, 0, 0)
    xlib.XDestroyImage(image)
    return ((pixel >> 16) & 255, (pixel >> 8) & 255, pixel & 255)


def bmp_colours(path):
    """The colours at a quarter and three quarters of the width, half height, of a 24/32-bit BMP."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] != b"BM":
        raise ValueError("not a BMP")
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    bits = struct.unpack_from("<H", data, 28)[0]
    if bits not in (24, 32):
        raise ValueError(f"{bits}-bit BMP")
    stride = (width * bits // 8 + 3) & ~3
    row = abs(height) // 2
    if height > 0:
        row = height - 1 - row
    colours = []
    for x in (width // 4, width * 3 // 4):
        at = offset + row * stride + x * bits // 8
        b, g, r = data[at], data[at + 1], data[at + 2]
        colours.append((r, g, b))
    return colours


def parse_points(checks):
    points = []
    for check in checks:
        where, want = check.split("=")
        x, y = (int(v) for v in where.split(","))
        points.append((x, y, want))
    return points


def matches(seen, want, picture):
    if want.startswith("!"):
        return not near(seen, wanted(want[1:], picture))
    return near(seen, wanted(want, picture))


def wanted(want, picture):
    if want == "left":
        return picture[0]
    if want == "right":
        return picture[1]
    return tuple(int(want[i:i + 2], 16) for i in (1, 3, 5))


def near(a, b):
    return all(abs(p - q) <= TOLERANCE for p, q in zip(a, b))


def hexed(c):
    return "#%02x%02x%02x" % c


def stamp(path):
    try:
        st = os.stat(path)
        return (st.st_ino, st.st_mtime_ns, st.st_size)
    except FileNotFoundError:
        return None


def next_rewrite(path, last, deadline):
    while time.monotonic() < deadline:
        now = stamp(path)
        if now is not None and now != last:
            try:
                return now, bmp_colours(path)
            except (OSError, ValueError, struct.error, IndexError):
                pass  # caught between writes: look again
        time.sleep(0.02)
    return None, None


def row(x, y, width):
    image = xlib.XGetImage(display, root, x, y, width, 1, 0xFFFFFFFF, ZPIXMAP)
    if not image:
        sys.exit(f"probe: cannot read the screen row {y}")
    pixels = [xlib.XGetPixel(image, i, 0) for i in range(width)]
    xlib.XDestroyImage(image)
    return [((p >> 16) & 255, (p >> 8) & 255, p & 255) for p in pixels]


def tiled(x, y, picture):
    """The row repeats the left and the right colour in runs of half a picture: 128 pixels."""
    half = 128
    pixels = row(x, y, 4 * half)
    kinds = ["left" if near(p, picture[0]) else "right" if near(p, picture[1]) else None
             for p in pixels]
    if None in kinds:
        return False, pixels[kinds.index(None)]
    start = kinds.index(kinds[0] == "left" and "right" or "left") % half
    # Past the first edge, every run of half a picture is one colour, and the colours alternate.
    runs = [kinds[start + i * half:start + (i + 1) * half] for i in range(3)]
    good = all(len(set(r)) == 1 for r in runs) and runs[0][0] != runs[1][0] != runs[2][0]
    return good, pixels[start]


def check(point, picture):
    """Whether the point shows what it should, and the colour seen there."""
    x, y, want = point
    if want == "tile":
        return tiled(x, y, picture)
    seen = screen_colour(x, y)
    return matches(seen, want, picture), seen


def shows(points, picture, since):
    """Seconds until every point shows what it should, or None after SHOW_LIMIT."""
    while True:
        results = [check(point, picture) for point in points]
        seen = [colour for _, colour in results]
        if all(good for good, _ in results):
            return time.monotonic() - since, seen
        if time.monotonic() - since > SHOW_LIMIT:
            return None, seen
        time.sleep(0.03)


def watch(path, count, points, distinct):
    last = stamp(path)
    previous = None
    made = shown = 0
    times = []
    deadline = time.monotonic() + 30 + count * 8
    while shown < count:
        last, picture = next_rewrite(path, last, deadline)
        if last is None:
            print(f"only {shown} of {count} rewrites seen in time", flush=True)
            return 1
        since = time.monotonic()
        made += 1
        if distinct and picture == previous:
            # The same picture again: a lost rewrite would look the same, so it proves nothing.
            print(f"rewrite {made}: {hexed(picture[0])} again, not counted", flush=True)
            continue
        took, seen = shows(points, picture, since)
        previous = picture
        if took is None:
            print(f"rewrite {made}: LOST: image.bmp shows {hexed(picture[0])}/{hexed(picture[1])}"
                  f", the screen {' '.join(hexed(s) for s in seen)} after {SHOW_LIMIT} s",
                  flush=True)
            return 1
        shown += 1
        times.append(took)
        print(f"rewrite {made}: {hexed(picture[0])} shown after {took:.2f} s", flush=True)
    print(f"shown {shown} of {shown} distinct rewrites ({made} made), seconds to show: "
          f"mean {sum(times) / len(times):.2f}, max {max(times):.2f}", flush=True)
    return 0


def swatch(x, y, width, height):
    """The middle of the colour swatch in that area: a square of one colour, 18 to 30 wide."""
    seen = {}
    for line in range(y, y + height):
        pixels = row(x, line, width)
        start = 0
        for i in range(1, width + 1):
            if i == width or pixels[i] != pixels[start]:
                if 18 <= i - start <= 30:
                    key = (start, i - start, pixels[start])
                    first, rows = seen.get(key, (line, 0))
                    seen[key] = (first, rows + 1)
                start = i
    (start, length, _), (first, rows) = max(seen.items(), key=lambda item: item[1][1],
                                            default=((0, 0, None), (y, 0)))
    if rows < 15:
        sys.exit("probe: no colour swatch found")
    return x + start + length // 2, first + rows // 2


def main(argv):
    if len(argv) >= 3 and argv[0] == "watch":
        return watch(argv[1], int(argv[2]), parse_points(argv[3:]), True)
    if len(argv) >= 2 and argv[0] == "once":
        return watch(argv[1], 1, parse_points(argv[2:]), False)
    if len(argv) == 5 and argv[0] == "swatch":
        print(*swatch(*(int(v) for v in argv[1:])))
        return 0
    if argv and argv[0] == "pixels":
        print(" ".join(hexed(screen_colour(x, y)) for x, y, _ in parse_points(argv[1:])))
        return 0
    sys.exit(__doc__)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
