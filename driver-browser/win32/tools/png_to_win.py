#!/usr/bin/env python3
"""Converts Tolvane's PNG pictures into the formats a Windows 95 resource script takes.

    png_to_win.py bmp PICTURE.png OUT.bmp          24-bit or 256-colour bitmap
    png_to_win.py png SCREEN.bmp OUT.png            a 24-bit bitmap (a screenshot) as PNG
    png_to_win.py ico OUT.ico ICON_32.png [ICON_16.png ...]
                                                   16-colour icon, one image per PNG,
                                                   transparency in the AND mask

Reads 8-bit truecolour (with or without alpha) and 8-bit palette PNGs (with tRNS), which
is what scripts/draw-images.cpp writes. Only the standard library is used.
"""
import struct
import sys
import zlib


def read_png(path):
    data = open(path, 'rb').read()
    if data[:8] != b'\x89PNG\r\n\x1a\n':
        sys.exit(f'{path}: not a PNG file')
    pos, idat, palette, trns = 8, b'', [], b''
    width = height = depth = colour = 0
    while pos < len(data):
        (length,) = struct.unpack('>I', data[pos:pos + 4])
        kind, body = data[pos + 4:pos + 8], data[pos + 8:pos + 8 + length]
        pos += 12 + length
        if kind == b'IHDR':
            width, height, depth, colour, _, _, interlace = struct.unpack('>IIBBBBB', body)
            if depth != 8 or colour not in (2, 3, 6) or interlace:
                sys.exit(f'{path}: unsupported PNG (depth {depth}, colour type {colour})')
        elif kind == b'PLTE':
            palette = [tuple(body[i:i + 3]) for i in range(0, len(body), 3)]
        elif kind == b'tRNS':
            trns = body
        elif kind == b'IDAT':
            idat += body
    channels = {2: 3, 3: 1, 6: 4}[colour]
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous, pos = [], bytearray(stride), 0
    for _ in range(height):
        kind, line = raw[pos], bytearray(raw[pos + 1:pos + 1 + stride])
        pos += 1 + stride
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b = previous[i]
            c = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[i] = (line[i] + pred) & 255
        rows.append(bytes(line))
        previous = line
    # Pixels as (r, g, b, opaque).
    pixels = []
    for line in rows:
        row = []
        for x in range(width):
            if colour == 3:
                index = line[x]
                r, g, b = palette[index]
                row.append((r, g, b, not (index < len(trns) and trns[index] < 128)))
            else:
                px = line[x * channels:(x + 1) * channels]
                row.append((px[0], px[1], px[2], channels == 3 or px[3] >= 128))
        pixels.append(row)
    return width, height, colour, palette, pixels


def pad4(row):
    return row + b'\0' * (-len(row) % 4)


def bitmap_info(width, height, bits, colours):
    return struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, 0, 0, 2835, 2835,
                       len(colours), 0) + b''.join(bytes((b, g, r, 0)) for r, g, b in colours)


def write_bmp(source, target):
    width, height, colour, palette, pixels = read_png(source)
    if colour == 3:
        colours = palette
        lookup = {c: i for i, c in reversed(list(enumerate(palette)))}
        rows = [pad4(bytes(lookup[p[:3]] for p in row)) for row in reversed(pixels)]
        info = bitmap_info(width, height, 8, colours)
    else:
        rows = [pad4(b''.join(bytes((p[2], p[1], p[0])) for p in row)) for row in reversed(pixels)]
        info = bitmap_info(width, height, 24, [])
    body = b''.join(rows)
    offset = 14 + len(info)
    header = struct.pack('<2sIHHI', b'BM', offset + len(body), 0, 0, offset)
    open(target, 'wb').write(header + info + body)


def icon_image(source):
    width, height, _, _, pixels = read_png(source)
    colours = []
    for row in pixels:
        for r, g, b, opaque in row:
            if opaque and (r, g, b) not in colours:
                colours.append((r, g, b))
    if len(colours) > 16:
        sys.exit(f'{source}: {len(colours)} colours, an icon here holds 16')
    colours += [(0, 0, 0)] * (16 - len(colours))
    xor_rows, and_rows = [], []
    for row in reversed(pixels):
        nibbles = [colours.index(p[:3]) if p[3] else 0 for p in row]
        if len(nibbles) % 2:
            nibbles.append(0)
        xor_rows.append(pad4(bytes(nibbles[i] << 4 | nibbles[i + 1]
                                   for i in range(0, len(nibbles), 2))))
        bits = [0 if p[3] else 1 for p in row] + [0] * (-len(row) % 8)
        and_rows.append(pad4(bytes(sum(bits[i + k] << (7 - k) for k in range(8))
                                   for i in range(0, len(bits), 8))))
    # The header's height counts the colour image and the mask together.
    image = bitmap_info(width, height * 2, 4, colours) + b''.join(xor_rows) + b''.join(and_rows)
    return width, height, image


def write_ico(target, sources):
    images = [icon_image(s) for s in sources]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for width, height, image in images:
        out += struct.pack('<BBBBHHII', width % 256, height % 256, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    open(target, 'wb').write(out + b''.join(image for _, _, image in images))


def bmp_to_png(source, target):
    data = open(source, 'rb').read()
    (offset,) = struct.unpack('<I', data[10:14])
    width, height, _, bits = struct.unpack('<iiHH', data[18:30])
    if bits != 24:
        sys.exit(f'{source}: {bits}-bit bitmap, expected 24')
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(abs(height)):
        row = y if height < 0 else abs(height) - 1 - y
        line = data[offset + row * stride:offset + row * stride + width * 3]
        rgb = bytearray(width * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = line[2::3], line[1::3], line[0::3]
        rows.append(b'\0' + bytes(rgb))

    def chunk(kind, body):
        return (struct.pack('>I', len(body)) + kind + body +
                struct.pack('>I', zlib.crc32(kind + body) & 0xffffffff))

    png = (b'\x89PNG\r\n\x1a\n' +
           chunk(b'IHDR', struct.pack('>IIBBBBB', width, abs(height), 8, 2, 0, 0, 0)) +
           chunk(b'IDAT', zlib.compress(b''.join(rows), 9)) + chunk(b'IEND', b''))
    open(target, 'wb').write(png)


def main(argv):
    if len(argv) == 4 and argv[1] == 'bmp':
        write_bmp(argv[2], argv[3])
    elif len(argv) == 4 and argv[1] == 'png':
        bmp_to_png(argv[2], argv[3])
    elif len(argv) >= 4 and argv[1] == 'ico':
        write_ico(argv[2], argv[3:])
    else:
        sys.exit(__doc__)


if __name__ == '__main__':
    main(sys.argv)
