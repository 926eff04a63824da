#!/usr/bin/env python3
"""Writes the small sheets of the stage test folder. Run from this folder; the pictures are
committed, so this only matters when they need to change."""
import struct
import zlib


def png(path, width, height, pixel, alpha):
    """pixel(x, y) gives (r, g, b, a); alpha False writes a 24-bit picture."""
    rows = bytearray()
    for y in range(height):
        rows.append(0)
        for x in range(width):
            r, g, b, a = pixel(x, y)
            rows += bytes((r, g, b, a) if alpha else (r, g, b))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6 if alpha else 2, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b""))


def figure(colour):
    """Four 32 x 64 frames side by side: a solid body on a clear ground, one shade per frame."""
    def pixel(x, y):
        frame, fx = divmod(x, 32)
        if 6 <= fx < 26 and 4 <= y < 64:
            shade = 60 * frame
            return (min(255, colour[0] + shade), colour[1], min(255, colour[2] + shade), 255)
        return (0, 0, 0, 0)
    return pixel


png("gfx/stage/town.png", 1024, 768, lambda x, y: (40, 60 + y // 8, 120, 255), False)
png("gfx/stage/town/tiles0.png", 64, 32,
    lambda x, y: (120, 90, 40, 255) if x < 32 else (40, 120, 60, 255), True)
png("gfx/font/mainfont.png", 32, 8, lambda x, y: (255, 255, 255, 255 if (x + y) % 2 else 0), True)
png("gfx/interface/global.png", 80, 48,
    lambda x, y: ((200, 30, 30, 255) if x < 16 and y < 8 else
                  (30, 30, 200, 255) if x < 32 and y < 8 else
                  (30, 200, 30, 255) if x < 48 and y < 8 else
                  (0, 0, 0, 255) if y < 8 else (90, 90, 90, 255)), True)
png("gfx/entities/kestor.png", 128, 64, figure((200, 40, 40)), True)
png("gfx/entities/bluesoldier.png", 128, 64, figure((40, 40, 200)), True)
png("gfx/entities/thug.PNG", 128, 64, figure((40, 160, 40)), True)
png("gfx/entities/globals.PNG", 128, 64, figure((230, 230, 0)), True)
