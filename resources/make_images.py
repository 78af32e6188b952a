#!/usr/bin/env python3
"""Draws the program's pictures: the window icon (a desktop computer, 32 x 32
and 16 x 16 in the 16 standard colours), the same 32 x 32 as the Linux desktop
entry's tavro.png, and the Image1 logo (111 x 88, 24-bit).
Run it to regenerate tavro.ico, tavro.png and image1.bmp; the results are
committed."""
import struct
import zlib
from pathlib import Path

HERE = Path(__file__).resolve().parent

# The 16 standard colours, as (r, g, b).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, TEAL, SILVER, GREY, BLUE, CYAN, WHITE, GREEN = 0, 4, 6, 7, 8, 12, 14, 15, 10
CLEAR = None


class Canvas:
    def __init__(self, width, height, fill):
        self.width, self.height = width, height
        self.pixels = [[fill] * width for _ in range(height)]

    def rect(self, x0, y0, x1, y1, colour):  # inclusive corners
        for y in range(max(y0, 0), min(y1, self.height - 1) + 1):
            for x in range(max(x0, 0), min(x1, self.width - 1) + 1):
                self.pixels[y][x] = colour

    def frame(self, x0, y0, x1, y1, colour):
        self.rect(x0, y0, x1, y0, colour)
        self.rect(x0, y1, x1, y1, colour)
        self.rect(x0, y0, x0, y1, colour)
        self.rect(x1, y0, x1, y1, colour)

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour


def computer(size):
    """A monitor on a stand with a keyboard in front, scaled to the size."""
    c = Canvas(size, size, CLEAR)
    s = size / 32
    p = lambda v: int(round(v * s))
    # Monitor: silver case with a dark outline, a navy screen with a glint.
    c.rect(p(4), p(1), p(27), p(20), SILVER)
    c.frame(p(4), p(1), p(27), p(20), BLACK)
    c.rect(p(7), p(4), p(24), p(16), NAVY)
    c.frame(p(7), p(4), p(24), p(16), GREY)
    c.rect(p(9), p(6), p(13), p(6), CYAN)
    c.rect(p(9), p(6), p(9), p(9), CYAN)
    c.put(p(23), p(18), GREEN)  # power light
    # Stand.
    c.rect(p(13), p(21), p(18), p(22), GREY)
    c.rect(p(10), p(23), p(21), p(23), BLACK)
    # Keyboard: a silver slab with rows of keys.
    c.rect(p(2), p(25), p(29), p(30), SILVER)
    c.frame(p(2), p(25), p(29), p(30), BLACK)
    step = max(2, p(3))
    for row_y in (p(27), p(28)) if size >= 32 else (p(27),):
        for x in range(p(4), p(28), step):
            c.put(x, row_y, GREY)
    return c


def ico_image(canvas):
    """One 4-bit image of an .ico: header, palette, colour rows, mask rows."""
    w, h = canvas.width, canvas.height
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    colour_row = (w // 2 + 3) // 4 * 4
    mask_row = (w // 8 + 3) // 4 * 4
    colours, mask = b"", b""
    for y in reversed(range(h)):  # bottom-up
        row = canvas.pixels[y]
        packed = bytearray(colour_row)
        bits = bytearray(mask_row)
        for x, index in enumerate(row):
            nibble = 0 if index is CLEAR else index
            packed[x // 2] |= nibble << (4 if x % 2 == 0 else 0)
            if index is CLEAR:
                bits[x // 8] |= 0x80 >> (x % 8)
        colours += bytes(packed)
        mask += bytes(bits)
    return header + palette + colours + mask


def write_ico(path, canvases):
    images = [ico_image(c) for c in canvases]
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for canvas, image in zip(canvases, images):
        directory += struct.pack("<BBBBHHII", canvas.width, canvas.height, 16, 0, 1, 4,
                                 len(image), offset)
        offset += len(image)
    path.write_bytes(directory + b"".join(images))


def logo():
    """The 111 x 88 logo: a clipboard with ticked lines on a blue field."""
    w, h = 111, 88
    rgb = [[(0, 0, 0)] * w for _ in range(h)]
    for y in range(h):  # vertical gradient, deep blue to teal
        t = y / (h - 1)
        colour = (int(20 + 10 * t), int(60 + 90 * t), int(140 + 20 * t))
        for x in range(w):
            rgb[y][x] = colour

    def rect(x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                rgb[y][x] = colour

    rect(30, 10, 80, 80, (70, 70, 80))        # clipboard shadow edge
    rect(28, 8, 78, 78, (245, 245, 240))      # paper
    rect(44, 4, 62, 12, (150, 150, 160))      # clip
    rect(48, 2, 58, 5, (110, 110, 120))
    for i, y in enumerate((22, 38, 54)):
        rect(34, y, 43, y + 9, (255, 255, 255))
        for x0, y0, x1, y1 in ((34, y, 43, y), (34, y + 9, 43, y + 9), (34, y, 34, y + 9),
                               (43, y, 43, y + 9)):
            rect(x0, y0, x1, y1, (90, 90, 100))
        if i < 2:  # a tick in the first two boxes
            for d in range(3):
                rect(36 + d, y + 4 + d, 37 + d, y + 5 + d, (20, 150, 40))
            for d in range(6):
                rect(39 + d, y + 6 - d, 40 + d, y + 7 - d, (20, 150, 40))
        rect(48, y + 3, 72 - 6 * i, y + 5, (120, 130, 150))   # a line of text
    rect(34, 70, 72, 71, (200, 200, 205))
    return rgb


def write_bmp(path, rgb):
    h, w = len(rgb), len(rgb[0])
    row = (w * 3 + 3) // 4 * 4
    data = b""
    for y in reversed(range(h)):
        line = b"".join(struct.pack("<BBB", b, g, r) for r, g, b in rgb[y])
        data += line + b"\0" * (row - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 3780, 3780, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0, 14 + len(info))
    path.write_bytes(header + info + data)


def write_png(path, canvas):
    """An 8-bit RGBA PNG, transparent where the icon's mask is."""
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data)))
    rows = b""
    for row in canvas.pixels:
        rows += b"\0" + b"".join(bytes(PALETTE[i]) + b"\xff" if i is not CLEAR else b"\0" * 4
                                 for i in row)
    header = struct.pack(">IIBBBBB", canvas.width, canvas.height, 8, 6, 0, 0, 0)
    path.write_bytes(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                     chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


if __name__ == "__main__":
    write_ico(HERE / "tavro.ico", [computer(32), computer(16)])
    write_png(HERE / "tavro.png", computer(32))
    write_bmp(HERE / "image1.bmp", logo())
