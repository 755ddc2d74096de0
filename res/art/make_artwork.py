#!/usr/bin/env python3
"""Draws the program's bitmaps and icons from the pixel maps below and writes them next to this script.

    make_artwork.py [OUTPUT_FOLDER]

The output depends on nothing but this file, so running it again gives the same bytes.
"""
import os
import struct
import sys

# Toolbar colours: the 16 colours of the standard VGA palette, by letter.
VGA = {
    'k': (0, 0, 0), 'R': (128, 0, 0), 'G': (0, 128, 0), 'Y': (128, 128, 0),
    'B': (0, 0, 128), 'M': (128, 0, 128), 'T': (0, 128, 128), '.': (192, 192, 192),
    'g': (128, 128, 128), 'r': (255, 0, 0), 'l': (0, 255, 0), 'y': (255, 255, 0),
    'b': (0, 0, 255), 'm': (255, 0, 255), 'c': (0, 255, 255), 'w': (255, 255, 255),
}
VGA_ORDER = 'kRGYBMT.glyrbmcw'  # palette index order; '.' (light grey) is the toolbars' background

# One 16 x 15 image per toolbar button, in the order of toolbar resource 128.
BUTTON_IMAGES = {
    'new': """
................
...kkkkkkkk.....
...kwwwwwwkk....
...kwwwwwwkwk...
...kwwwwwwkkkk..
...kwwwwwwwwwk..
...kwggggggwwk..
...kwwwwwwwwwk..
...kwggggggwwk..
...kwwwwwwwwwk..
...kwggggggwwk..
...kwwwwwwwwwk..
...kwwwwwwwwwk..
...kkkkkkkkkkk..
................""",
    'open': """
................
..........kkk...
.........k...k.k
..............kk
.kkkk........kkk
kywywk..........
kwywykkkkkkkk...
kywywywywywyk...
kwywywykkkkkkkkk
kywywkYYYYYYYYk.
kwywkYYYYYYYYk..
kywkYYYYYYYYk...
kwkYYYYYYYYk....
kkkkkkkkkkk.....
................""",
    'save': """
................
.kkkkkkkkkkkkkk.
.kBkwwwwwwwwkBk.
.kBkwwwwwwwwkBk.
.kBkwggggggwkBk.
.kBkwwwwwwwwkBk.
.kBBkkkkkkkkBBk.
.kBBBBBBBBBBBBk.
.kBBkkkkkkkkBBk.
.kBBkwwwkBBkBBk.
.kBBkwwwkBBkBBk.
.kBBkwwwkBBkBBk.
..kkkkkkkkkkkkk.
................
................""",
    'cut': """
................
....k......k....
....k......k....
....kk....kk....
.....k....k.....
.....kk..kk.....
......kkkk......
.......kk.......
......bkkb......
.....bb..bb.....
....b..b.b..b...
...b...b.b...b..
...b...b.b...b..
....bbb...bbb...
................""",
    'copy': """
kkkkkkk.........
kwwwwwkk........
kwgggwkwk.......
kwwwwwkkkk......
kwgggwwwwk......
kwwwwkkkkkkk....
kwgggkwwwwwkk...
kwwwwkwgggwkwk..
kwgggkwwwwwkkkk.
kwwwwkwgggggwwk.
kkkkkkwwwwwwwwk.
.....kwgggggwwk.
.....kwwwwwwwwk.
.....kkkkkkkkkk.
................""",
    'paste': """
.....kkkk.......
.kkkkyyyykkkk...
kYYkykkkkykYYk..
kYkyyyyyyyykYk..
kYkkkkkkkkkkYk..
kYYYYYYkkkkkkkk.
kYYYYYYkwwwwwkwk
kYYYYYYkwggggkkk
kYYYYYYkwwwwwwwk
kYYYYYYkwggggggk
kYYYYYYkwwwwwwwk
kYYYYYYkwggggggk
.kkkkkkkwwwwwwwk
.......kkkkkkkkk
................""",
    'print': """
................
....kkkkkkkk....
....kwwwwwwk....
....kwggggwk....
....kwwwwwwk....
..kkkkkkkkkkkk..
.k..........kk..
kkkkkkkkkkkkk.k.
k............kk.
k.........lG.kk.
kkkkkkkkkkkkkkk.
k.kwwwwwwwwk.k..
.kkwggggggwkkk..
...kwwwwwwwk....
...kkkkkkkkk....""",
    'about': """
.....kkkkkk.....
...kkbbbbbbkk...
..kbbbwwwwbbbk..
.kbbbwwbbwwbbbk.
.kbbbwwbbwwbbbk.
kbbbbbbbbwwbbbbk
kbbbbbbbwwbbbbbk
kbbbbbbwwbbbbbbk
kbbbbbbwwbbbbbbk
kbbbbbbbbbbbbbbk
.kbbbbbwwbbbbbk.
.kbbbbbwwbbbbbk.
..kbbbbbbbbbbk..
...kkbbbbbbkk...
.....kkkkkk.....""",
}
BUTTON_ORDER = ['new', 'open', 'save', 'cut', 'copy', 'paste', 'print', 'about']
BUTTON_SIZE = (16, 15)


def parse_map(text, width, height):
    rows = text.strip('\n').split('\n')
    assert len(rows) == height, (len(rows), height)
    for row in rows:
        assert len(row) == width, row
    return rows


def toolbar_strip():
    """The strip as rows of palette letters, top row first."""
    width, height = BUTTON_SIZE
    images = [parse_map(BUTTON_IMAGES[name], width, height) for name in BUTTON_ORDER]
    return [''.join(image[y] for image in images) for y in range(height)]


def muted(rgb):
    """A button colour as the bar shows it when not hot: halfway to the background grey."""
    if rgb == VGA['.']:
        return rgb
    return tuple((c + 192) // 2 for c in rgb)


def bmp_file(width, height, bits, pixel_rows, palette=None):
    """A bottom-up BMP file. pixel_rows: top row first; palette indices (bits <= 8) or (r, g, b)."""
    stride = (width * bits + 31) // 32 * 4
    data = bytearray()
    for row in reversed(pixel_rows):
        line = bytearray()
        if bits == 24:
            for r, g, b in row:
                line += bytes((b, g, r))
        elif bits == 8:
            line += bytes(row)
        elif bits == 4:
            padded = list(row) + [0] * (len(row) % 2)
            for i in range(0, len(padded), 2):
                line.append(padded[i] << 4 | padded[i + 1])
        line += bytes(stride - len(line))
        data += line
    colours = palette or []
    table = b''.join(bytes((b, g, r, 0)) for r, g, b in colours)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, 0, len(data), 2835, 2835,
                       len(colours), 0)
    offset = 14 + len(info) + len(table)
    header = struct.pack('<2sIHHI', b'BM', offset + len(data), 0, 0, offset)
    return header + info + table + bytes(data)


def indexed(rows, palette_letters):
    return [[palette_letters.index(ch) for ch in row] for row in rows]


def toolbar_bitmaps():
    rows = toolbar_strip()
    width, height = len(rows[0]), len(rows)
    vga = [VGA[ch] for ch in VGA_ORDER]
    strip16 = bmp_file(width, height, 4, indexed(rows, VGA_ORDER), vga)
    # 256-colour strips: the VGA colours first, then their muted forms for the cold strip.
    palette256 = vga + [muted(c) for c in vga]
    palette256 += [(0, 0, 0)] * (256 - len(palette256))
    hot = bmp_file(width, height, 8, indexed(rows, VGA_ORDER), palette256)
    cold_rows = [[16 + VGA_ORDER.index(ch) if ch != '.' else VGA_ORDER.index('.') for ch in row]
                 for row in rows]
    cold = bmp_file(width, height, 8, cold_rows, palette256)
    return strip16, hot, cold


def canvas(width, height, colour):
    return [[colour] * width for _ in range(height)]


def fill_rect(img, left, top, right, bottom, colour):
    for y in range(top, bottom):
        for x in range(left, right):
            img[y][x] = colour


def package_picture(size, background):
    """A parcel with a green arrow pointing into it: the program's emblem, drawn for any size >= 16."""
    img = canvas(size, size, background)
    unit = size / 16.0

    def box(l, t, r, b, colour):
        fill_rect(img, int(l * unit), int(t * unit), int(r * unit), int(b * unit), colour)

    outline, side, front, tape = (64, 40, 16), (176, 120, 56), (208, 152, 80), (240, 216, 160)
    box(2, 7, 14, 15, outline)
    box(3, 8, 13, 14, front)
    box(3, 8, 13, 9, side)
    box(7, 8, 9, 14, tape)
    arrow_dark, arrow = (0, 96, 0), (32, 176, 32)
    box(6, 0, 10, 4, arrow_dark)
    box(7, 0, 9, 4, arrow)
    for step in range(4):
        box(4 + step, 4 + step, 12 - step, 5 + step, arrow_dark if step == 3 else arrow)
    return img


def caption_bitmap():
    magenta = (255, 0, 255)
    img = package_picture(32, magenta)
    return bmp_file(32, 32, 24, img)


def close_button(hot):
    """13 x 13 caption close button: a rounded plate with a cross."""
    size = 13
    face, edge, cross = ((96, 144, 224), (32, 64, 160), (255, 255, 255)) if hot else \
                        ((208, 208, 208), (112, 112, 112), (48, 48, 48))
    img = canvas(size, size, (192, 192, 192))
    fill_rect(img, 1, 0, 12, 13, edge)
    fill_rect(img, 0, 1, 13, 12, edge)
    fill_rect(img, 1, 1, 12, 12, face)
    for i in range(3, 10):
        img[i][i] = img[i][12 - i] = cross
    for i in range(3, 9):
        img[i][i + 1] = img[i + 1][i] = cross
        img[i][11 - i] = img[i + 1][12 - i] = cross
    return bmp_file(size, size, 24, img)


def gripper_tile():
    """9 x 9 gripper tile: two raised dots on the face colour."""
    img = canvas(9, 9, (192, 192, 192))
    for x, y in ((1, 1), (5, 5)):
        img[y][x] = (255, 255, 255)
        img[y + 1][x + 1] = (128, 128, 128)
        img[y][x + 1] = (160, 160, 160)
        img[y + 1][x] = (160, 160, 160)
    return bmp_file(9, 9, 24, img)


def bar_picture(size):
    """The library's emblem: a window with a blue bar of three buttons."""
    img = canvas(size, size, None)
    unit = size / 16.0

    def box(l, t, r, b, colour):
        fill_rect(img, int(l * unit), int(t * unit), int(r * unit), int(b * unit), colour)

    box(1, 2, 15, 14, (40, 40, 80))
    box(2, 3, 14, 13, (248, 248, 248))
    box(2, 3, 14, 6, (48, 96, 200))
    for left in (3, 6, 9):
        box(left, 4, left + 2, 5, (255, 224, 96))
    return img


def icon_file(pictures):
    """An .ico with 32-bit images; pixels that are None are transparent."""
    entries, images = [], []
    for img in pictures:
        size = len(img)
        xor = bytearray()
        for row in reversed(img):
            for px in row:
                xor += bytes((0, 0, 0, 0)) if px is None else bytes((px[2], px[1], px[0], 255))
        mask_stride = (size + 31) // 32 * 4
        mask = bytearray()
        for row in reversed(img):
            bits = bytearray(mask_stride)
            for x, px in enumerate(row):
                if px is None:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(xor) + len(mask),
                             0, 0, 0, 0)
        images.append(header + bytes(xor) + bytes(mask))
    offset = 6 + 16 * len(pictures)
    for img, data in zip(pictures, images):
        size = len(img)
        entries.append(struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(data), offset))
        offset += len(data)
    return struct.pack('<HHH', 0, 1, len(pictures)) + b''.join(entries) + b''.join(images)


def main(argv):
    out = argv[1] if len(argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    strip16, hot, cold = toolbar_bitmaps()
    files = {
        'Toolbar.bmp': strip16,
        'Toolbar256Hot.bmp': hot,
        'Toolbar256.bmp': cold,
        'Caption.bmp': caption_bitmap(),
        'CloseHot.bmp': close_button(True),
        'Close.bmp': close_button(False),
        'Gripper.bmp': gripper_tile(),
        'QENWiz.ico': icon_file([package_picture(32, None), package_picture(16, None)]),
        'QENSmall.ico': icon_file([bar_picture(16), bar_picture(32)]),
    }
    for name, data in files.items():
        with open(os.path.join(out, name), 'wb') as f:
            f.write(data)


if __name__ == '__main__':
    main(sys.argv)
