#!/usr/bin/env python3
"""Makes the toolbar glyphs (24-bit BMP, fuchsia = transparent) and the
application icon (QuillDeck.ico, 16 and 32 pixels) from the pixel art below.

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
    lines = [l for l in art.strip('\n').split('\n')]
    width = max(len(l) for l in lines)
    return [l.ljust(width, '.') for l in lines]


def pixel(ch):
    return PALETTE[ch]


def bmp24(art):
    lines = rows(art)
    w, h = len(lines[0]), len(lines)
    stride = (w * 3 + 3) & ~3
    body = bytearray()
    for line in reversed(lines):
        row = bytearray()
        for ch in line:
            r, g, b = pixel(ch) or FUCHSIA
            row += bytes((b, g, r))
        row += bytes(stride - len(row))
        body += row
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(body), 0, 0, 14 + 40)
    return header + info + body


def scale(art, factor):
    return '\n'.join(''.join(ch * factor for ch in line)
                     for line in rows(art) for _ in range(factor))


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
            c = pixel(ch)
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
    (HERE / 'QuillDeck.ico').write_bytes(ico([ICON16, scale(ICON16, 2)]))


if __name__ == '__main__':
    main()
