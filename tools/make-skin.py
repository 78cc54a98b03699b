#!/usr/bin/env python3
"""Draws skin 1 of the main window: nine 8-bit palette bitmaps, resources
201 to 209, with the sizes and cell layouts the window cuts them by.
A dark theme with the program's gold. Run: tools/make-skin.py resources/skin"""
import struct
import sys

PALETTE = {
    'frame': (0x25, 0x27, 0x2b), 'title_top': (0x34, 0x37, 0x3d), 'title_bottom': (0x26, 0x28, 0x2c),
    'edge': (0x0c, 0x0d, 0x0f), 'rim': (0x3e, 0x41, 0x48), 'icon': (0xb8, 0xbb, 0xc2), 'icon_hover': (0xff, 0xff, 0xff),
    'hover': (0x45, 0x48, 0x50), 'close_hover': (0xc4, 0x2b, 0x1c), 'gold': (0xf0, 0xb4, 0x29),
    'gold_dark': (0xa0, 0x7a, 0x20), 'tab': (0x2a, 0x2c, 0x31), 'tab_selected': (0x3a, 0x3d, 0x44),
    'foot_top': (0x33, 0x35, 0x3b), 'foot_bottom': (0x1c, 0x1d, 0x21), 'content': (0x1b, 0x1c, 0x1f),
}


class Picture:
    def __init__(self, width, height, fill):
        self.width, self.height = width, height
        self.colours = list(PALETTE.values())
        self.pixels = [[self.index(fill)] * width for _ in range(height)]

    def index(self, colour):
        rgb = PALETTE[colour] if isinstance(colour, str) else colour
        if rgb not in self.colours:
            self.colours.append(rgb)
        return self.colours.index(rgb)

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = self.index(colour)

    def rect(self, x, y, w, h, colour):
        for j in range(y, y + h):
            for i in range(x, x + w):
                self.put(i, j, colour)

    def hline(self, x, y, w, colour):
        self.rect(x, y, w, 1, colour)

    def vline(self, x, y, h, colour):
        self.rect(x, y, 1, h, colour)

    def line(self, x0, y0, x1, y1, colour):
        steps = max(abs(x1 - x0), abs(y1 - y0)) or 1
        for s in range(steps + 1):
            self.put(round(x0 + (x1 - x0) * s / steps), round(y0 + (y1 - y0) * s / steps), colour)

    def gradient(self, x, y, w, h, top, bottom):
        a, b = PALETTE[top], PALETTE[bottom]
        for j in range(h):
            t = j / max(1, h - 1)
            self.hline(x, y + j, w, tuple(round(a[k] + (b[k] - a[k]) * t) for k in range(3)))

    def save(self, path):
        """8-bit palette BMP, rows bottom-up, each padded to 4 bytes."""
        row = (self.width + 3) & ~3
        palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in self.colours)
        palette += b'\0' * (256 * 4 - len(palette))
        data = b''.join(bytes(self.pixels[y]) + b'\0' * (row - self.width) for y in reversed(range(self.height)))
        offset = 14 + 40 + len(palette)
        header = struct.pack('<2sIHHI', b'BM', offset + len(data), 0, 0, offset)
        info = struct.pack('<IiiHHIIiiII', 40, self.width, self.height, 1, 8, 0, len(data), 3780, 3780, 256, 0)
        with open(path, 'wb') as out:
            out.write(header + info + palette + data)


def title_background(p, x, w):
    """The strip cells lie on the title bar: the same gradient behind them."""
    p.gradient(x, 0, w, 24, 'title_top', 'title_bottom')


def hover_background(p, x, colour):
    p.rect(x + 1, 1, 22, 22, colour)


def icon_compact(p, x, c):
    p.rect(x + 6, 7, 12, 10, c)
    p.rect(x + 8, 9, 8, 6, 'title_bottom')
    p.rect(x + 12, 12, 5, 4, c)


def icon_skin(p, x, c):
    for i in range(3):
        for j in range(3):
            p.rect(x + 7 + i * 4, 7 + j * 4, 2, 2, c)


def icon_menu(p, x, c):
    for j in (8, 12, 16):
        p.hline(x + 7, j, 10, c)


def icon_minimise(p, x, c):
    p.rect(x + 7, 15, 10, 2, c)


def icon_maximise(p, x, c):
    p.rect(x + 7, 7, 10, 10, c)
    p.rect(x + 8, 9, 8, 7, 'title_bottom')


def icon_restore(p, x, c):
    p.rect(x + 9, 6, 9, 9, c)
    p.rect(x + 10, 8, 7, 6, 'title_bottom')
    p.rect(x + 6, 9, 9, 9, c)
    p.rect(x + 7, 11, 7, 6, 'title_bottom')


def icon_close(p, x, c):
    for d in range(10):
        p.put(x + 7 + d, 7 + d, c)
        p.put(x + 8 + d, 7 + d, c)
        p.put(x + 16 - d, 7 + d, c)
        p.put(x + 17 - d, 7 + d, c)


def icon_pin(p, x, c):
    p.rect(x + 9, 6, 6, 7, c)
    p.hline(x + 7, 13, 10, c)
    p.vline(x + 11, 14, 5, c)
    p.vline(x + 12, 14, 5, c)


def title_strip(hover):
    p = Picture(144, 24, 'title_bottom')
    title_background(p, 0, 144)
    drawers = [icon_compact, icon_skin, icon_menu, icon_minimise, icon_maximise, icon_close]
    for cell, draw in enumerate(drawers):
        x = cell * 24
        if hover:
            hover_background(p, x, 'close_hover' if draw is icon_close else 'hover')
        draw(p, x, 'icon_hover' if hover else 'icon')
    return p


def restore_strip():
    p = Picture(48, 24, 'title_bottom')
    title_background(p, 0, 48)
    hover_background(p, 24, 'hover')
    icon_restore(p, 0, 'icon')
    icon_restore(p, 24, 'icon_hover')
    return p


def top_most_strip():
    p = Picture(96, 24, 'title_bottom')
    title_background(p, 0, 96)
    for cell in range(4):
        x = cell * 24
        if cell % 2:
            hover_background(p, x, 'hover')
        on = cell >= 2
        icon_pin(p, x, 'gold' if on else ('icon_hover' if cell % 2 else 'icon'))
    return p


def frame():
    """80 × 108: the title bar (rows 0-54) over the body; cut into nine pieces."""
    p = Picture(80, 108, 'frame')
    p.gradient(0, 0, 80, 35, 'title_top', 'title_bottom')
    p.rect(0, 35, 80, 73, 'frame')
    p.hline(0, 34, 80, 'edge')
    # The gold line under the title bar's left end, where the logo sits.
    p.hline(6, 33, 28, 'gold_dark')
    p.rect(0, 0, 80, 1, 'rim')
    p.rect(0, 0, 1, 108, 'edge')
    p.rect(79, 0, 1, 108, 'edge')
    p.rect(0, 107, 80, 1, 'edge')
    return p


def tile(height, top, bottom, line=None):
    p = Picture(1, height, top)
    p.gradient(0, 0, 1, height, top, bottom)
    if line:
        p.put(0, 0, line)
    return p


def tabs():
    p = Picture(195, 46, 'tab')
    for cell in range(3):
        x = cell * 65
        p.rect(x, 0, 65, 23, 'tab')
        p.vline(x + 64, 3, 17, 'edge')
        p.rect(x, 23, 65, 23, 'tab_selected')
        p.hline(x + 4, 43, 57, 'gold')
        p.hline(x + 4, 44, 57, 'gold')
    return p


def toggles():
    p = Picture(80, 20, 'title_bottom')
    for cell in range(4):
        x = cell * 20
        hover = cell % 2 == 1
        if hover:
            p.rect(x, 0, 20, 20, 'hover')
        c = 'icon_hover' if hover else 'icon'
        p.rect(x + 3, 4, 14, 12, c)
        p.rect(x + 4, 5, 12, 10, 'title_bottom' if not hover else 'hover')
        panel_x = x + 4 if cell < 2 else x + 11
        p.rect(panel_x, 5, 5, 10, 'gold' if hover else c)
    return p


def main(folder):
    pictures = {
        201: frame(), 202: title_strip(False), 203: title_strip(True), 204: restore_strip(),
        205: top_most_strip(), 206: tile(31, 'foot_top', 'foot_bottom', 'edge'),
        207: tile(23, 'tab', 'title_bottom'), 208: tabs(), 209: toggles(),
    }
    for number, picture in pictures.items():
        picture.save(f'{folder}/{number}.bmp')


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'resources/skin')
