#!/usr/bin/env python3
"""Makes the icons of the many-icons sample program: 32 x 32, 24-bit colour
with an AND mask, so that each test can predict the 21 x 21 item image.

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


def quadrants(x, y):
    """Red, green / fuchsia, see-through: the colours the tests look for."""
    if y < SIZE // 2:
        return RED if x < SIZE // 2 else GREEN
    return FUCHSIA if x < SIZE // 2 else None


ICONS = {
    'quadrants': quadrants,
    'blue': lambda x, y: BLUE,
    'yellow': lambda x, y: YELLOW,
}


def ico(pixel):
    xor = bytearray()
    mask = bytearray()
    mask_stride = (SIZE + 31) // 32 * 4
    for y in reversed(range(SIZE)):  # bottom-up rows
        mask_row = bytearray(mask_stride)
        for x in range(SIZE):
            colour = pixel(x, y)
            if colour is None:
                xor += bytes(3)
                mask_row[x // 8] |= 0x80 >> (x % 8)
            else:
                r, g, b = colour
                xor += bytes((b, g, r))
        mask += mask_row
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, 2 * SIZE, 1, 24, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    image = header + xor + mask
    directory = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', SIZE, SIZE, 0, 0, 1, 24, len(image), 6 + 16)
    return directory + entry + image


for name, pixel in ICONS.items():
    (HERE / f'{name}.ico').write_bytes(ico(pixel))
