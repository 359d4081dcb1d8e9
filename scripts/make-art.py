#!/usr/bin/env python3
"""The bitmap checker and icon writer of scripts/make-art:
    make-art.py ico BMP MASK ICO                   32x32 8-bit icon with an AND mask
    make-art.py check-ico ICO
    make-art.py check-bmp BMP WIDTH HEIGHT [X,Y,#RRGGBB]...
    make-art.py check-rle-bmp BMP WIDTH HEIGHT [X,Y,#RRGGBB]...   the same, run-length compressed
"""
import struct, sys

def read_bmp(path):
    d = open(path, 'rb').read()
    if d[:2] != b'BM':
        raise SystemExit('%s: not a BMP file' % path)
    size, _, _, off = struct.unpack_from('<IHHI', d, 2)
    (hsize, w, h, planes, bits, comp, _isize, _xres, _yres,
     used, _imp) = struct.unpack_from('<IiiHHIIiiII', d, 14)
    return dict(data=d, size=size, off=off, hsize=hsize, w=w, h=h, planes=planes,
                bits=bits, comp=comp, used=used)

def palette(b):
    n = b['used'] or 256
    p = b['data'][14 + b['hsize']:14 + b['hsize'] + 4 * n]
    return [(p[i + 2], p[i + 1], p[i]) for i in range(0, len(p), 4)]

def rle8_rows(b):
    """Rows top to bottom of an RLE8 bitmap; pixels it skips are index 0."""
    d, i, x, y = b['data'], b['off'], 0, 0
    rows = [bytearray(b['w']) for _ in range(b['h'])]
    while i + 1 < len(d):
        count, value = d[i], d[i + 1]
        i += 2
        if count:
            for _ in range(count):
                if x < b['w'] and y < b['h']: rows[y][x] = value
                x += 1
        elif value == 0: x, y = 0, y + 1
        elif value == 1: return rows[::-1]
        elif value == 2: x, y, i = x + d[i], y + d[i + 1], i + 2
        else:
            for k in range(value):
                if x < b['w'] and y < b['h']: rows[y][x] = d[i + k]
                x += 1
            i += value + (value & 1)
    raise SystemExit('RLE8 data without its end mark')

def indices(b):
    """Rows top to bottom, one palette index per pixel."""
    if b['comp'] == 1:
        return rle8_rows(b)
    stride = (b['w'] + 3) & ~3
    rows = [b['data'][b['off'] + r * stride:b['off'] + r * stride + b['w']]
            for r in range(abs(b['h']))]
    return rows[::-1] if b['h'] > 0 else rows

def check_bmp(path, w, h, spots, compression=0):
    b = read_bmp(path)
    bad = []
    if b['hsize'] != 40: bad.append('header size %d, not a BITMAPINFOHEADER' % b['hsize'])
    if (b['w'], b['h']) != (w, h): bad.append('size %dx%d, wanted %dx%d' % (b['w'], b['h'], w, h))
    if b['planes'] != 1: bad.append('%d planes' % b['planes'])
    if b['bits'] != 8: bad.append('%d bits per pixel, wanted 8' % b['bits'])
    if b['comp'] != compression: bad.append('compression %d, wanted %d' % (b['comp'], compression))
    if b['used'] > 256: bad.append('%d palette entries' % b['used'])
    if b['size'] != len(b['data']): bad.append('header says %d bytes, file has %d' % (b['size'], len(b['data'])))
    if not compression and b['off'] + ((w + 3) & ~3) * h > len(b['data']): bad.append('pixel data cut short')
    if bad:
        raise SystemExit('%s: %s' % (path, '; '.join(bad)))
    pal, rows = palette(b), indices(b)
    for x, y, rgb in spots:
        i = rows[y][x]
        if i >= len(pal) or pal[i] != rgb:
            raise SystemExit('%s: pixel (%d,%d) is %s, wanted exactly %s'
                             % (path, x, y, pal[i] if i < len(pal) else 'off the palette', rgb))

def write_ico(bmp_path, mask_path, ico_path):
    """One 32x32 8-bit image with an AND mask; masked pixels are black in the colour
    part so that the screen shows through untouched."""
    b = read_bmp(bmp_path)
    if (b['w'], b['h'], b['bits'], b['comp']) != (32, 32, 8, 0):
        raise SystemExit('%s: wanted a 32x32 8-bit uncompressed bitmap' % bmp_path)
    pal, rows = palette(b), indices(b)
    mask = open(mask_path, 'rb').read()
    if len(mask) != 32 * 32:
        raise SystemExit('%s: wanted 1024 mask bytes, got %d' % (mask_path, len(mask)))
    if (0, 0, 0) in pal:
        black = pal.index((0, 0, 0))
    elif len(pal) < 256:
        black = len(pal); pal.append((0, 0, 0))
    else:
        raise SystemExit('%s: no room in the palette for the transparent black' % bmp_path)
    pal += [(0, 0, 0)] * (256 - len(pal))
    xor, andm = bytearray(), bytearray()
    for y in range(31, -1, -1):
        bits = 0
        for x in range(32):
            clear = mask[y * 32 + x] < 128
            xor.append(black if clear else rows[y][x])
            bits = (bits << 1) | clear
        andm += bits.to_bytes(4, 'big')
    pal_bytes = b''.join(bytes((bl, g, r, 0)) for r, g, bl in pal)
    image = struct.pack('<IiiHHIIiiII', 40, 32, 64, 1, 8, 0, len(xor) + len(andm), 0, 0, 0, 0)
    image += pal_bytes + bytes(xor) + bytes(andm)
    head = struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', 32, 32, 0, 0, 1, 8, len(image), 22)
    open(ico_path, 'wb').write(head + image)

def check_ico(path):
    d = open(path, 'rb').read()
    reserved, kind, count = struct.unpack_from('<HHH', d, 0)
    if (reserved, kind, count) != (0, 1, 1):
        raise SystemExit('%s: wanted one image in an icon file' % path)
    w, h, colours, _, planes, bits, size, off = struct.unpack_from('<BBBBHHII', d, 6)
    hdr = struct.unpack_from('<IiiHHIIiiII', d, off)
    if (w, h, planes, bits) != (32, 32, 1, 8) or off + size != len(d):
        raise SystemExit('%s: directory entry is not a 32x32 8-bit image' % path)
    if hdr[:6] != (40, 32, 64, 1, 8, 0):
        raise SystemExit('%s: image header is not 32x32, 8 bits, uncompressed' % path)
    andm = d[off + 40 + 1024 + 1024:]
    if len(andm) != 128:
        raise SystemExit('%s: AND mask is %d bytes, wanted 128' % (path, len(andm)))
    def clear(x, y):   # y counted from the top
        return andm[(31 - y) * 4 + x // 8] >> (7 - x % 8) & 1
    if not (clear(0, 0) and clear(31, 31)) or clear(16, 16):
        raise SystemExit('%s: mask should hide the corners and show the face' % path)

cmd = sys.argv[1]
if cmd == 'ico':
    write_ico(*sys.argv[2:5])
elif cmd == 'check-ico':
    check_ico(sys.argv[2])
elif cmd in ('check-bmp', 'check-rle-bmp'):
    path, w, h = sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
    spots = []
    for s in sys.argv[5:]:      # x,y,#rrggbb: a pixel that must keep its exact colour
        x, y, c = s.split(',')
        spots.append((int(x), int(y), tuple(int(c[i:i + 2], 16) for i in (1, 3, 5))))
    check_bmp(path, w, h, spots, 1 if cmd == 'check-rle-bmp' else 0)
