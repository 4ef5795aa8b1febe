#!/usr/bin/env python3
"""Makes the toolbar glyphs (24-bit BMP, fuchsia = transparent) and the
application icon (QuillDeck.ico, 16 and 32 pixels) from the pixel art below.
Each glyph comes in three scales for the display's DPI: the art itself
(glyph_NAME.bmp), 1.5 times (glyph_NAME_150.bmp) and twice (glyph_NAME_200.bmp).
Art of straight lines scales best by repeating pixels; art with diagonals by
pixel-art scalers, which keep its colours and round its diagonals instead of
blurring them. The menu arrow is drawn at each size, so its edges stay at 45
degrees.

Run it after changing the art; the images it writes are committed beside it.
"""
import struct
from pathlib import Path

HERE = Path(__file__).resolve().parent

PALETTE = {
    '.': None,                 # transparent
    'k': (0, 0, 0),
    'g': (0, 128, 0),
    'G': (60, 200, 60),
    'r': (176, 0, 0),
    'R': (240, 64, 48),
    'b': (0, 64, 160),
    'B': (80, 150, 240),
    'y': (200, 150, 0),
    'Y': (255, 220, 80),
    'w': (255, 255, 255),
    's': (128, 128, 128),
    'S': (192, 192, 192),
    'd': (64, 64, 64),
    'o': (160, 96, 32),
    'O': (232, 176, 112),
    'p': (96, 40, 140),
    'P': (170, 120, 220),
}
FUCHSIA = (255, 0, 255)

GLYPHS = {
    'add': """
................
................
......kkkk......
......kGGk......
......kGgk......
......kGgk......
..kkkkkGgkkkkk..
..kGGGGGgGGGGk..
..kGggggggggGk..
..kkkkkGgkkkkk..
......kGgk......
......kGgk......
......kGgk......
......kkkk......
................
................""",
    'edit': """
................
...........kk...
..........kRRk..
.........kRRRk..
........kYkRk...
.......kYYYk....
......kYYYk.....
.....kYYYk......
....kYYYk.......
...kYYYk........
...kOYk.........
..kOOk..........
..kdk...........
..kk............
................
................""",
    'delete': """
................
................
..kk........kk..
.kRRk......kRRk.
.kRrRk....kRrRk.
..kRrRk..kRrRk..
...kRrRkkRrRk...
....kRrRRrRk....
.....kRrrRk.....
....kRrRRrRk....
...kRrRkkRrRk...
..kRrRk..kRrRk..
.kRrRk....kRrRk.
.kRRk......kRRk.
..kk........kk..
................""",
    'options': """
................
.kkkkkkkkkkkkkk.
.kwwwwwwwwwwwwk.
.kwSSSSSSSSSSwk.
.kwwwwwwwwwwwwk.
.kwwkkkwwwwwwwk.
.kwwkBkwSSSSSwk.
.kwwkkkwwwwwwwk.
.kwwwwwwwwwwwwk.
.kwwkkkwwwwwwwk.
.kwwkgkwSSSSSwk.
.kwwkkkwwwwwwwk.
.kwwwwwwwwwwwwk.
.kkkkkkkkkkkkkk.
................
................""",
    'menu': """
.......
kkkkkkk
.kkkkk.
..kkk..
...k...""",
    'exit': """
................
..kkkkkkkkk.....
..kOOOOOOOk.....
..kOoooooOk.....
..kOoooooOk..k..
..kOoooooOk..kk.
..kOooYoskkkkBBk.
..kOoooosBBBBBBk.
..kOoooosBBBBBBk
..kOoooooOk..kk.
..kOoooooOk..k..
..kOoooooOk.....
..kOoooooOk.....
..kOOOOOOOk.....
..kkkkkkkkk.....
................""",
}

# Glyphs with diagonals, made larger by Scale2x and Scale3x; the others
# repeat their pixels.
SMOOTHED = {'edit', 'delete'}

DRAWN = {
    ('menu', 150): """
...........
...........
kkkkkkkkkkk
.kkkkkkkkk.
..kkkkkkk..
...kkkkk...
....kkk....
.....k.....""",
    ('menu', 200): """
..............
..............
..............
kkkkkkkkkkkkkk
.kkkkkkkkkkkk.
..kkkkkkkkkk..
...kkkkkkkk...
....kkkkkk....
.....kkkk.....
......kk......""",
}

ICON16 = """
................
.kkkkkkkkkk.....
.kwwwwwwwwk...kk
.kwBBBBBBwk..kPk
.kwBbbbbBwk.kPPk
.kwBbbbbBwkkPpk.
.kwBBBBBBwkPpk..
.kwwwwwwwkPpk...
.kwSSSSSkPpkk...
.kwwwwwwkppk....
.kwSSSSkppkk....
.kwwwwwkpkwk....
.kwSSSSkkSwk....
.kwwwwwkwwwk....
.kkkkkkkkkkk....
................"""


def rows(art):
    lines = art.strip('\n').split('\n')
    width = max(len(l) for l in lines)
    return [l.ljust(width, '.') for l in lines]


def bmp24(art):
    lines = rows(art)
    w, h = len(lines[0]), len(lines)
    stride = (w * 3 + 3) & ~3
    body = bytearray()
    for line in reversed(lines):
        row = bytearray()
        for ch in line:
            r, g, b = PALETTE[ch] or FUCHSIA
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        body += row
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(body), 0, 0, 14 + 40)
    return header + info + body


def sampler(art):
    """The art's width, height and its pixel at (x, y), edges repeated outward."""
    lines = rows(art)
    h, w = len(lines), len(lines[0])

    def at(x, y):
        return lines[min(max(y, 0), h - 1)][min(max(x, 0), w - 1)]
    return w, h, at


def scale2x(art):
    """Scale2x (EPX): each pixel becomes four, a corner taking the colour of
    the two neighbours that meet there when they agree."""
    w, h, at = sampler(art)
    out = []
    for y in range(h):
        top, bottom = [], []
        for x in range(w):
            p, a, b, c, d = at(x, y), at(x, y - 1), at(x + 1, y), at(x - 1, y), at(x, y + 1)
            top += [a if c == a and c != d and a != b else p,
                    b if a == b and a != c and b != d else p]
            bottom += [c if d == c and d != b and c != a else p,
                       d if b == d and b != a and d != c else p]
        out += [''.join(top), ''.join(bottom)]
    return '\n'.join(out)


def scale3x(art):
    """Scale3x (AdvMAME3x): each pixel becomes nine by the same rule as Scale2x."""
    w, h, at = sampler(art)
    out = []
    for y in range(h):
        block = [[], [], []]
        for x in range(w):
            a, b, c = at(x - 1, y - 1), at(x, y - 1), at(x + 1, y - 1)
            d, e, f = at(x - 1, y), at(x, y), at(x + 1, y)
            g, hh, i = at(x - 1, y + 1), at(x, y + 1), at(x + 1, y + 1)
            if b != hh and d != f:
                cells = [d if d == b else e,
                         b if (d == b and e != c) or (b == f and e != a) else e,
                         f if b == f else e,
                         d if (d == b and e != g) or (d == hh and e != a) else e,
                         e,
                         f if (b == f and e != i) or (hh == f and e != c) else e,
                         d if d == hh else e,
                         hh if (d == hh and e != i) or (hh == f and e != g) else e,
                         f if hh == f else e]
            else:
                cells = [e] * 9
            for row in range(3):
                block[row] += cells[3 * row:3 * row + 3]
        out += [''.join(r) for r in block]
    return '\n'.join(out)


def scale1_5x(art):
    """Scale3x, then every other pixel: half again as large, still crisp."""
    lines = rows(scale3x(art))
    return '\n'.join(line[1::2] for line in lines[1::2])


def repeated(art, times, by):
    """Each pixel repeated times/by times, rounding the size up."""
    lines = rows(art)
    h, w = len(lines), len(lines[0])
    return '\n'.join(''.join(lines[y * by // times][x * by // times]
                             for x in range((w * times + by - 1) // by))
                     for y in range((h * times + by - 1) // by))


def scaled(name, art, percent):
    if (name, percent) in DRAWN:
        return DRAWN[name, percent]
    if name in SMOOTHED:
        return scale1_5x(art) if percent == 150 else scale2x(art)
    return repeated(art, percent, 100)


def icon_image(art):
    """One 32-bit icon image (BITMAPINFOHEADER, XOR pixels, AND mask)."""
    lines = rows(art)
    w, h = len(lines[0]), len(lines)
    xor = bytearray()
    mask = bytearray()
    mask_stride = ((w + 31) // 32) * 4
    for line in reversed(lines):
        bits = bytearray(mask_stride)
        for x, ch in enumerate(line):
            c = PALETTE[ch]
            if c is None:
                xor += bytes(4)
                bits[x // 8] |= 0x80 >> (x % 8)
            else:
                r, g, b = c
                xor += bytes((b, g, r, 255))
        mask += bits
    info = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return w, h, info + xor + mask


def ico(arts):
    images = [icon_image(a) for a in arts]
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for w, h, data in images:
        out += struct.pack('<BBBBHHII', w, h, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, _, data in images:
        out += data
    return bytes(out)


def main():
    for name, art in GLYPHS.items():
        (HERE / f'glyph_{name}.bmp').write_bytes(bmp24(art))
        for percent in (150, 200):
            (HERE / f'glyph_{name}_{percent}.bmp').write_bytes(bmp24(scaled(name, art, percent)))
    (HERE / 'QuillDeck.ico').write_bytes(ico([ICON16, repeated(ICON16, 2, 1)]))


if __name__ == '__main__':
    main()
