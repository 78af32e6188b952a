#!/usr/bin/env python3
"""Draws the program's pictures from one drawing each, at every size Windows
asks for: the window icon (a desktop computer) at 16, 20, 24, 32, 40, 48, 64
and 256 px in 32-bit colour with alpha (the 256 px image PNG-compressed, as
Windows Vista and later read it), and the Image1 logo (a clipboard) for 96,
144 and 192 dpi as 24-bit bitmaps (111 x 88 px at 96 dpi). Each image is
drawn four times larger and averaged down, so edges are smooth at any size.
The 32 px icon is also the Linux desktop entry's tavro.png.
Run it to regenerate tavro.ico, tavro.png and image1*.bmp; the results are committed."""
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


SUPERSAMPLE = 4
ICON_SIZES = (256, 64, 48, 40, 32, 24, 20, 16)
LOGO_DPIS = {96: "image1.bmp", 144: "image1_144dpi.bmp", 192: "image1_192dpi.bmp"}


def twips_to_pixels(twips, dpi):
    return (twips * dpi + 720) // 1440


def average_down(canvas, colours, factor):
    """RGBA rows of the canvas averaged over factor x factor blocks; colours
    maps each pixel value to (r, g, b) and None to clear."""
    w, h = canvas.width // factor, canvas.height // factor
    rows = []
    for y in range(h):
        row = []
        for x in range(w):
            r = g = b = a = 0
            for yy in range(y * factor, (y + 1) * factor):
                for value in canvas.pixels[yy][x * factor:(x + 1) * factor]:
                    rgb = colours(value)
                    if rgb is not None:
                        r, g, b, a = r + rgb[0], g + rgb[1], b + rgb[2], a + 1
            n = factor * factor
            row.append((r // a, g // a, b // a, 255 * a // n) if a else (0, 0, 0, 0))
        rows.append(row)
    return rows


def icon_rgba(size):
    return average_down(computer(size * SUPERSAMPLE),
                        lambda i: None if i is CLEAR else PALETTE[i], SUPERSAMPLE)


def png(rgba):
    h, w = len(rgba), len(rgba[0])
    raw = b"".join(b"\0" + b"".join(struct.pack("BBBB", *p) for p in row) for row in rgba)
    chunk = lambda kind, data: (struct.pack(">I", len(data)) + kind + data +
                                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def ico_image(rgba):
    """One 32-bit image of an .ico: header, BGRA rows bottom-up, then the AND
    mask (set where clear), which Windows still reads for old-style drawing."""
    h, w = len(rgba), len(rgba[0])
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    mask_row = (w + 31) // 32 * 4
    colours, mask = b"", b""
    for row in reversed(rgba):
        colours += b"".join(struct.pack("BBBB", b, g, r, a) for r, g, b, a in row)
        bits = bytearray(mask_row)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    return header + colours + mask


def write_ico(path, images):
    encoded = [png(rgba) if len(rgba) >= 256 else ico_image(rgba) for rgba in images]
    offset = 6 + 16 * len(encoded)
    directory = struct.pack("<HHH", 0, 1, len(encoded))
    for rgba, data in zip(images, encoded):
        side = len(rgba) % 256  # 0 stands for 256
        directory += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    path.write_bytes(directory + b"".join(encoded))


def logo(w, h):
    """The logo at w x h px: a clipboard with ticked lines on a blue field,
    drawn on a 111 x 88 grid scaled to the size."""
    sw, sh = w * SUPERSAMPLE, h * SUPERSAMPLE
    canvas = Canvas(sw, sh, None)
    for y in range(sh):  # vertical gradient, deep blue to teal
        t = y / (sh - 1)
        colour = (int(20 + 10 * t), int(60 + 90 * t), int(140 + 20 * t))
        canvas.pixels[y] = [colour] * sw
    sx, sy = sw / 111, sh / 88

    def rect(x0, y0, x1, y1, colour):  # inclusive corners on the 111 x 88 grid
        canvas.rect(int(round(x0 * sx)), int(round(y0 * sy)), int(round((x1 + 1) * sx)) - 1,
                    int(round((y1 + 1) * sy)) - 1, colour)

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
    return [[p[:3] for p in row] for row in average_down(canvas, lambda c: c, SUPERSAMPLE)]


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



if __name__ == "__main__":
    write_ico(HERE / "tavro.ico", [icon_rgba(size) for size in ICON_SIZES])
    for dpi, name in LOGO_DPIS.items():  # the layout's 1665 x 1320 twips
        write_bmp(HERE / name, logo(twips_to_pixels(1665, dpi), twips_to_pixels(1320, dpi)))
    (HERE / "tavro.png").write_bytes(png(icon_rgba(32)))
