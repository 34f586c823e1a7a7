#!/usr/bin/env python3
"""Writes the seed and regression inputs of fuzz_bmp into fuzz/corpus/bmp/:
valid files of every depth and layout, and malformed ones."""
import os
import struct

OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "bmp")


def bmp(width, height, bits, pixels, palette=(), compression=0, masks=None, info=40,
        size_image=None, off_bits=None):
    extra = b"".join(struct.pack("<I", m) for m in masks) if masks else b""
    pal = b"".join(struct.pack("<I", c) for c in palette)
    if info == 12:
        header = struct.pack("<IHHHH", 12, width, height, 1, bits)
        pal = b"".join(struct.pack("<I", c)[:3] for c in palette)
    else:
        header = struct.pack("<IiiHHIIiiII", info, width, height, 1, bits, compression,
                             len(pixels) if size_image is None else size_image, 2835, 2835,
                             len(palette), 0)
        header += b"\0" * (info - 40)
    off = 14 + len(header) + len(extra) + len(pal) if off_bits is None else off_bits
    body = header + extra + pal + pixels
    return b"BM" + struct.pack("<IHHI", 14 + len(body), 0, 0, off) + body


def rows(width, height, bits, value):
    stride = (width * bits + 31) // 32 * 4
    return b"".join(bytes(value(x, y) for x in range(stride)) for y in range(height))


def main():
    os.makedirs(OUT, exist_ok=True)
    files = {
        # Valid.
        "rgb24.bmp": bmp(5, 3, 24, rows(5, 3, 24, lambda x, y: (x * 40 + y * 7) % 256)),
        "rgb24_topdown.bmp": bmp(5, -3, 24, rows(5, 3, 24, lambda x, y: x * 17 % 256)),
        "rgb32.bmp": bmp(4, 2, 32, rows(4, 2, 32, lambda x, y: x * 9 % 256)),
        "bitfields565.bmp": bmp(4, 2, 16, rows(4, 2, 16, lambda x, y: x * 31 % 256),
                                compression=3, masks=(0xF800, 0x07E0, 0x001F)),
        "bitfields32.bmp": bmp(3, 2, 32, rows(3, 2, 32, lambda x, y: x * 5 % 256),
                               compression=3, masks=(0xFF0000, 0xFF00, 0xFF), info=108),
        "pal8.bmp": bmp(6, 2, 8, rows(6, 2, 8, lambda x, y: x % 3),
                        palette=(0xFF0000, 0x00FF00, 0x0000FF)),
        "pal4.bmp": bmp(7, 2, 4, rows(7, 2, 4, lambda x, y: 0x12),
                        palette=tuple(i * 0x111111 for i in range(16))),
        "mono_bw.bmp": bmp(17, 3, 1, rows(17, 3, 1, lambda x, y: 0xA5),
                           palette=(0x000000, 0xFFFFFF)),
        "mono_colour.bmp": bmp(9, 2, 1, rows(9, 2, 1, lambda x, y: 0x3C),
                               palette=(0xFF0000, 0x0000FF)),
        "core_header.bmp": bmp(3, 2, 24, rows(3, 2, 24, lambda x, y: 200), info=12),
        "rle8.bmp": bmp(8, 2, 8, bytes([4, 1, 4, 2, 0, 0, 8, 0, 0, 1]),
                        palette=(0, 0xFFFFFF, 0xFF00), compression=1),
        "rle4.bmp": bmp(8, 2, 4, bytes([8, 0x12, 0, 0, 0, 4, 0x34, 0x56, 0, 1]),
                        palette=tuple(i * 0x101010 for i in range(16)), compression=2),
        # Malformed.
        "huge.bmp": bmp(100000, 100000, 24, b"\0" * 64),
        "huge_rle.bmp": bmp(16384, 16384, 8, bytes([0, 1]), palette=(0, 1), compression=1),
        "overflow.bmp": bmp(0x7FFFFFFF, 0x7FFFFFFF, 32, b"\0" * 16),
        "negative_width.bmp": bmp(-4, 2, 24, b"\0" * 32),
        "min_height.bmp": bmp(4, -0x80000000, 24, b"\0" * 32),
        "truncated.bmp": bmp(64, 64, 24, b"\x80" * 500),
        "rle_past_end.bmp": bmp(4, 2, 8, bytes([255, 1, 255, 1, 0, 2, 200, 200, 9, 1]),
                                palette=(0, 0xFFFFFF), compression=1),
        "rle_absolute_short.bmp": bmp(8, 2, 8, bytes([0, 200, 1, 2]), palette=(0, 1),
                                      compression=1),
        "palette_index_past.bmp": bmp(4, 1, 8, bytes([0, 1, 7, 250]), palette=(0, 0xFFFFFF)),
        "zero_masks.bmp": bmp(4, 2, 16, rows(4, 2, 16, lambda x, y: 0xFF), compression=3,
                              masks=(0, 0, 0)),
        "bad_depth.bmp": bmp(4, 2, 7, b"\0" * 16),
        "offset_past_end.bmp": bmp(2, 2, 24, b"\0" * 16, off_bits=1 << 30),
        "header_only.bmp": bmp(4, 4, 24, b"")[:30],
    }
    for name, data in files.items():
        with open(os.path.join(OUT, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
