#!/usr/bin/env python3
"""Draws the quiz's 32 x 32 icon, a night sky with a crescent moon over a
hill, and writes it three ways into window/icons/: XPM (built into the
program), an indexed PNG (for the desktop's icon theme) and ICO with a
classic 256-colour bitmap (for the Windows executable and installer). Edit the drawing here and run this from the
repository's top folder; a test checks that the three files agree."""

import math
import struct
import zlib

SIZE = 32

def sky(y):
    # Deep blue at the top, lighter towards the horizon.
    t = y / (SIZE - 1)
    return (int(12 + 40 * t), int(16 + 40 * t), int(60 + 90 * t))

def draw():
    px = [[sky(y) for _ in range(SIZE)] for y in range(SIZE)]
    # Crescent: a disc with a shifted disc cut out of it.
    for y in range(SIZE):
        for x in range(SIZE):
            inside = math.hypot(x - 21.5, y - 10.5) <= 7.5
            cut = math.hypot(x - 18.5, y - 8.5) <= 6.5
            if inside and not cut:
                px[y][x] = (255, 236, 150)
    for x, y in [(4, 4), (10, 2), (7, 11), (13, 7), (28, 24), (3, 18), (12, 15), (27, 3)]:
        px[y][x] = (255, 255, 255)
    for x, y in [(5, 4), (4, 5), (3, 4), (4, 3)]:
        px[y][x] = (200, 200, 255)
    # A dark hill along the bottom.
    for x in range(SIZE):
        top = int(26 + 3 * math.cos((x - 8) / 7.0))
        for y in range(max(top, 0), SIZE):
            px[y][x] = (20, 60, 30) if y > top else (40, 90, 50)
    return px

def to_xpm(px, name):
    colours = sorted({c for row in px for c in row})
    assert len(colours) <= 256
    chars = "".join(chr(c) for c in range(35, 127) if chr(c) not in '"\\')
    width = 1 if len(colours) <= len(chars) else 2
    def code(i):
        return chars[i] if width == 1 else chars[i // len(chars)] + chars[i % len(chars)]
    codes = {c: code(i) for i, c in enumerate(colours)}
    lines = ["/* XPM */", f"static const char *{name}[] = {{",
             f'"{SIZE} {SIZE} {len(colours)} {width}",']
    lines += [f'"{codes[c]} c #{c[0]:02x}{c[1]:02x}{c[2]:02x}",' for c in colours]
    rows = ['"' + "".join(codes[c] for c in row) + '"' for row in px]
    lines += [r + "," for r in rows[:-1]] + [rows[-1], "};"]
    return "\n".join(lines) + "\n"

def to_png(px):
    """An 8-bit palette PNG, at most 256 colours."""
    colours = sorted({c for row in px for c in row})
    assert len(colours) <= 256
    index = {c: i for i, c in enumerate(colours)}
    raw = b"".join(b"\0" + bytes(index[c] for c in row) for row in px)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", SIZE, SIZE, 8, 3, 0, 0, 0))
            + chunk(b"PLTE", b"".join(bytes(c) for c in colours))
            + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))

def to_ico(px):
    """One 32 x 32, 256-colour image as a classic bitmap, which every
    Windows reads (PNG inside an ICO needs Vista or later): a bottom-up
    8-bit DIB of twice the height, the colours then the AND mask, which is
    all clear since the icon is square and opaque."""
    colours = sorted({c for row in px for c in row})
    assert len(colours) <= 256
    index = {c: i for i, c in enumerate(colours)}
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in colours)
    palette += b"\0" * (4 * 256 - len(palette))
    xor = b"".join(bytes(index[c] for c in row) for row in reversed(px))
    mask_row = (SIZE + 31) // 32 * 4
    mask = b"\0" * (mask_row * SIZE)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 8, 0, len(xor) + len(mask), 0, 0, 256, 0)
    image = info + palette + xor + mask
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 8, len(image), 6 + 16)
    return header + entry + image

if __name__ == "__main__":
    pixels = draw()
    with open("window/icons/zorelmina.xpm", "w", encoding="ascii") as f:
        f.write(to_xpm(pixels, "zorelmina"))
    png = to_png(pixels)
    with open("window/icons/zorelmina.png", "wb") as f:
        f.write(png)
    with open("window/icons/zorelmina.ico", "wb") as f:
        f.write(to_ico(pixels))
