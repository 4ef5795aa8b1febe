#!/usr/bin/env python3
"""Makes the icons of the sample programs: 24-bit colour with an AND mask, so
that each test can predict the images it gets.

quadrants, blue and yellow are 32 x 32 only, for the 21 x 21 item images.
detail holds 16, 32 and 48 pixel images that tell each other apart, the 32
one with single-pixel detail that no scaled copy of a smaller image keeps.

Run it after changing the designs; the .ico files it writes are committed
beside it.
"""
import struct
from pathlib import Path

HERE = Path(__file__).resolve().parent
SIZE = 32

RED = (255, 0, 0)
GREEN = (0, 160, 0)
FUCHSIA = (255, 0, 255)
BLUE = (0, 0, 255)
YELLOW = (255, 220, 0)
PURPLE = (120, 0, 160)
DETAIL = [RED, GREEN, BLUE, YELLOW, (0, 0, 0)]


def quadrants(x, y):
    """Red, green / fuchsia, see-through: the colours the tests look for."""
    if y < SIZE // 2:
        return RED if x < SIZE // 2 else GREEN
    return FUCHSIA if x < SIZE // 2 else None


def detail(x, y):
    """Colours changing from pixel to pixel, with see-through diagonals."""
    if (x + 2 * y) % 7 == 0:
        return None
    return DETAIL[(3 * x + 5 * y) % len(DETAIL)]


ICONS = {
    'quadrants': [(SIZE, quadrants)],
    'blue': [(SIZE, lambda x, y: BLUE)],
    'yellow': [(SIZE, lambda x, y: YELLOW)],
    'detail': [(16, lambda x, y: GREEN), (32, detail), (48, lambda x, y: PURPLE)],
}


def image(size, pixel):
    xor = bytearray()
    mask = bytearray()
    mask_stride = (size + 31) // 32 * 4
    for y in reversed(range(size)):  # bottom-up rows
        mask_row = bytearray(mask_stride)
        for x in range(size):
            colour = pixel(x, y)
            if colour is None:
                xor += bytes(3)
                mask_row[x // 8] |= 0x80 >> (x % 8)
            else:
                r, g, b = colour
                xor += bytes((b, g, r))
        xor += bytes(-len(xor) % 4)
        mask += mask_row
    header = struct.pack('<IiiHHIIiiII', 40, size, 2 * size, 1, 24, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + mask


def ico(images):
    data = [image(size, pixel) for size, pixel in images]
    directory = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (size, _), bits in zip(images, data):
        directory += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 24, len(bits), offset)
        offset += len(bits)
    return directory + b''.join(data)


for name, images in ICONS.items():
    (HERE / f'{name}.ico').write_bytes(ico(images))
