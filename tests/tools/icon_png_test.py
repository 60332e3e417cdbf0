#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The icon tool's PNGs, read back with Python's zlib, hold the icon's
pixels from its source, enlarged. Usage: icon_png_test.py ICON_EXPORT XPM"""
import re
import struct
import subprocess
import sys
import tempfile
import zlib


def png_pixels(data):
    """(width, height, RGBA of each pixel) of a palette PNG; checks each chunk's CRC."""
    chunks, at = {}, 8
    while at < len(data):
        size, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + size]
        assert struct.unpack(">I", data[at + 8 + size:at + 12 + size])[0] == zlib.crc32(kind + body)
        chunks[kind] = chunks.get(kind, b"") + body
        at += 12 + size
    width, height, depth, kind = struct.unpack(">IIBB", chunks[b"IHDR"][:10])
    assert kind == 3 and data[:8] == b"\x89PNG\r\n\x1a\n"
    rows, stride = zlib.decompress(chunks[b"IDAT"]), (width * depth + 7) // 8 + 1
    palette = [tuple(chunks[b"PLTE"][i:i + 3]) + (chunks[b"tRNS"][i // 3],)
               for i in range(0, len(chunks[b"PLTE"]), 3)]
    assert len(rows) == height * stride and all(rows[y * stride] == 0 for y in range(height))
    return width, height, [palette[rows[y * stride + 1 + x * depth // 8] >> (8 - depth - x * depth % 8)
                                   & (1 << depth) - 1] for y in range(height) for x in range(width)]


def xpm_pixels(text):
    lines = re.findall(r'^"(.*)",?$', text, re.M)
    width, height, colours, _ = map(int, lines[0].split())
    rgba = {line[0]: (0, 0, 0, 0) if line.endswith("None") else
            tuple(bytes.fromhex(line[-6:])) + (255,) for line in lines[1:1 + colours]}
    return width, [rgba[c] for row in lines[1 + colours:1 + colours + height] for c in row]


def main(tool, xpm):
    width, icon = xpm_pixels(open(xpm).read())
    assert subprocess.run([tool, "--png", str(width + 1), "-"]).returncode == 2, "a size not a multiple"
    for size in (width, 6 * width, 16 * width):
        with tempfile.NamedTemporaryFile(suffix=".png") as png:
            subprocess.run([tool, "--png", str(size), png.name], check=True)
            factor = size // width
            expected = [icon[y // factor * width + x // factor] for y in range(size) for x in range(size)]
            assert png_pixels(png.read()) == (size, size, expected), f"{size} px"


if __name__ == "__main__":
    main(*sys.argv[1:])
