#!/usr/bin/env python3
"""Writes the seed corpus of the catalogue fuzzer: catalogues whose icon strips
use each pixel format the reader accepts, and a few damaged ones, so that the
fuzzer starts next to every branch of the reader.

Run it after changing the seeds; the files it writes are committed beside it.
"""
import struct
from pathlib import Path

OUT = Path(__file__).resolve().parent / 'corpus' / 'catalogue'
SIZE = 21
FUCHSIA = 0xFF00FF
COLOURS = [FUCHSIA, 0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0x123456]


def picture(images, colours):
    """Colour index of each pixel, rows top to bottom."""
    width = SIZE * images
    return [[(x * 3 + y * y + x // SIZE) % colours for x in range(width)] for y in range(SIZE)]


def pack(colour, masks):
    pixel = 0
    for channel, mask in enumerate(masks):
        value = colour >> (16 - 8 * channel) & 0xFF
        shift = (mask & -mask).bit_length() - 1
        pixel |= (value * (mask >> shift) // 255) << shift
    return pixel


def bmp(bits, images=1, compression=0, masks=None, header=40, used=0, top_down=False):
    colours = COLOURS[:2] if bits == 1 else COLOURS
    width = SIZE * images
    info = struct.pack('<IiiHHIIiiII', header, width, -SIZE if top_down else SIZE, 1, bits,
                       compression, 0, 0, 0, used, 0)
    tables = b''
    if compression == 3 and header > 40:
        info += struct.pack('<III', *masks)
    elif compression == 3:
        tables += struct.pack('<III', *masks)
    info = info.ljust(header, b'\0')
    if bits <= 8:
        entries = used or 1 << bits
        tables += b''.join(struct.pack('<I', colours[i] if i < len(colours) else 0)
                           for i in range(entries))
    if masks is None:
        masks = {16: (0x7C00, 0x03E0, 0x001F), 32: (0xFF0000, 0xFF00, 0xFF)}.get(bits)
    stride = (width * bits + 31) // 32 * 4
    rows = picture(images, len(colours))
    data = b''
    for file_row in range(SIZE):
        y = file_row if top_down else SIZE - 1 - file_row
        row = bytearray(stride)
        for x, index in enumerate(rows[y]):
            colour = colours[index]
            if bits <= 8:
                bit = x * bits
                row[bit // 8] |= index << (8 - bits - bit % 8)
            elif bits == 24:
                row[3 * x:3 * x + 3] = struct.pack('<I', colour)[:3]
            else:
                row[x * bits // 8:(x + 1) * bits // 8] = \
                    pack(colour, masks).to_bytes(bits // 8, 'little')
        data += bytes(row)
    offset = 14 + len(info) + len(tables)
    return b'BM' + struct.pack('<IHHI', offset + len(data), 0, 0, offset) + info + tables + data


def record(text):
    return struct.pack('<i', len(text)) + text


def item(title):
    return record(title + b'|tools\\' + title + b'.exe|' + title + b'.exe|0||0|' +
                  b'A' * 40 + b'|0')


def catalogue(strip, *records):
    return struct.pack('<i', len(strip)) + strip + b''.join(records)


SEEDS = {
    'empty': b'',
    'valid-24bit-two-items': catalogue(bmp(24, 2), item(b'Editor'), item(b'Mail')),
    'valid-1bit': catalogue(bmp(1), item(b'One')),
    'valid-4bit-short-palette': catalogue(bmp(4, used=7), item(b'Four')),
    'valid-8bit-top-down': catalogue(bmp(8, top_down=True), item(b'Eight')),
    'valid-16bit-555': catalogue(bmp(16), item(b'Sixteen')),
    'valid-16bit-565-bitfields': catalogue(bmp(16, compression=3, masks=(0xF800, 0x07E0, 0x1F)),
                                           item(b'Bitfields')),
    'valid-32bit': catalogue(bmp(32, top_down=True), item(b'ThirtyTwo')),
    'valid-32bit-bitfields-v5': catalogue(bmp(32, compression=3, masks=(0xFF0000, 0xFF00, 0xFF),
                                              header=124), item(b'V5')),
    'valid-16bit-bitfields-v4': catalogue(bmp(16, compression=3, masks=(0xF800, 0x07E0, 0x1F),
                                              header=108), item(b'V4')),
    'short-and-long-records': catalogue(bmp(8, 2), record(b'Tool|t.exe'),
                                        record(b'a|b|c|d|e|f|g|h|i|j')),
    'empty-first-title': catalogue(bmp(4, 2, used=7), record(b'|x.exe|||||0|0'), item(b'Kept')),
    'damaged-strip-length': struct.pack('<i', 5000) + bmp(1) + item(b'One'),
    'damaged-record-length': catalogue(bmp(1), struct.pack('<i', -3) + b'One'),
    'damaged-image-count': catalogue(bmp(1, 3), item(b'One'), item(b'Two')),
    'damaged-rle8': catalogue(bmp(8, compression=1), item(b'Rle')),
}

OUT.mkdir(parents=True, exist_ok=True)
for name, data in SEEDS.items():
    (OUT / (name + '.rcc')).write_bytes(data)
