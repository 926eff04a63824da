#!/usr/bin/env python3
"""Writes the tiny sheets the front-end screen tests load (run from this folder)."""
import os
import struct
import zlib


def png(path, width, height, channels, colour):
    colour_type = 6 if channels == 4 else 2
    row = bytes(colour[:channels]) * width
    raw = b"".join(b"\x00" + row for _ in range(height))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


png("gfx/overworld/world1.png", 8, 6, 3, (40, 120, 40))
png("gfx/overworld/markers.png", 8, 8, 4, (220, 30, 30, 255))
png("gfx/interface/global.png", 8, 8, 4, (0, 0, 0, 255))
png("gfx/interface/mainmenu.png", 16, 10, 3, (200, 200, 200))
png("gfx/interface/menus.png", 4, 4, 4, (10, 10, 90, 255))
png("gfx/interface/menusprites.png", 8, 8, 4, (250, 250, 250, 255))
png("gfx/portraits/port.png", 8, 8, 4, (180, 140, 100, 255))
