#!/usr/bin/env python3
"""Pack square RGBA PNG pictures into one Windows .ico file.

Pictures below 256 px are stored as 32-bit BI_RGB DIBs (colour plus AND mask);
the 256 px picture is stored as a PNG, which the format allows for that size.
The PNG is re-encoded here with only IHDR/IDAT/IEND chunks, so the output does
not depend on the metadata of the input files. Standard library only.

usage: make_ico.py OUT.ico IN1.png [IN2.png ...]
"""
import struct
import sys
import zlib


def read_png(path):
    """Decode an 8-bit, non-interlaced RGB or RGBA PNG to (w, h, rgba bytes)."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(path + ": not a PNG")
    pos, idat, w = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            w, h, depth, ctype, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or ctype not in (2, 6) or interlace:
                raise ValueError(path + ": only 8-bit RGB/RGBA non-interlaced PNG")
        elif kind == b"IDAT":
            idat += body
        elif kind == b"IEND":
            break
        pos += 12 + length
    bpp = 4 if ctype == 6 else 3
    raw = zlib.decompress(idat)
    stride = w * bpp
    out = bytearray()
    prev = bytearray(stride)
    p = 0
    for _ in range(h):
        ftype = raw[p]
        line = bytearray(raw[p + 1:p + 1 + stride])
        p += 1 + stride
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            if ftype == 1:
                line[i] = (line[i] + a) & 255
            elif ftype == 2:
                line[i] = (line[i] + b) & 255
            elif ftype == 3:
                line[i] = (line[i] + ((a + b) >> 1)) & 255
            elif ftype == 4:
                pa, pb, pc = abs(b - c), abs(a - c), abs(a + b - 2 * c)
                pred = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[i] = (line[i] + pred) & 255
        prev = line
        if bpp == 4:
            out += line
        else:
            for i in range(w):
                out += line[3 * i:3 * i + 3] + b"\xff"
    return w, h, bytes(out)


def write_png(w, h, rgba):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    rows = b"".join(b"\x00" + rgba[y * w * 4:(y + 1) * w * 4] for y in range(h))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def dib(w, h, rgba):
    """32-bit bottom-up DIB with a 1-bit AND mask (set where fully transparent)."""
    header = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    mask = bytearray()
    mask_stride = ((w + 31) // 32) * 4
    for y in range(h - 1, -1, -1):
        row = rgba[y * w * 4:(y + 1) * w * 4]
        bits = bytearray(mask_stride)
        for x in range(w):
            r, g, b, a = row[4 * x:4 * x + 4]
            pixels += bytes((b, g, r, a))
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(pixels) + bytes(mask)


def main(argv):
    out, inputs = argv[1], argv[2:]
    images = []
    for path in inputs:
        w, h, rgba = read_png(path)
        if w != h or w > 256:
            raise ValueError(path + ": icon pictures must be square, at most 256 px")
        images.append((w, write_png(w, h, rgba) if w == 256 else dib(w, h, rgba)))
    images.sort(key=lambda item: item[0])
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    for size, blob in images:
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    with open(out, "wb") as f:
        f.write(directory + b"".join(blob for _, blob in images))


if __name__ == "__main__":
    main(sys.argv)
