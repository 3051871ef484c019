#!/usr/bin/env python3
"""Convert a line of text to an SVG path using the outlines of a TrueType font.

Used while drawing the wordmark and the pay table: the resulting path data is
pasted into the SVG sources, so rendering them needs no installed font.
Standard library only. Handles simple and composite glyf outlines, no kerning.

usage: text2path.py FONT.ttf TEXT SIZE_PX [X Y] [--spacing PX] [--metrics]
  (X, Y) is the left end of the baseline; prints the path "d" attribute.
"""
import struct
import sys


class Font:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        num_tables = struct.unpack(">H", self.data[4:6])[0]
        self.tables = {}
        for i in range(num_tables):
            tag, _, off, length = struct.unpack(">4sIII", self.data[12 + 16 * i:28 + 16 * i])
            self.tables[tag.decode("latin-1")] = (off, length)
        head = self.tables["head"][0]
        self.units_per_em = struct.unpack(">H", self.data[head + 18:head + 20])[0]
        self.loca_long = struct.unpack(">h", self.data[head + 50:head + 52])[0] == 1
        maxp = self.tables["maxp"][0]
        self.num_glyphs = struct.unpack(">H", self.data[maxp + 4:maxp + 6])[0]
        hhea = self.tables["hhea"][0]
        self.ascender, self.descender = struct.unpack(">hh", self.data[hhea + 4:hhea + 8])
        self.num_hmetrics = struct.unpack(">H", self.data[hhea + 34:hhea + 36])[0]
        self._read_cmap()

    def _read_cmap(self):
        base = self.tables["cmap"][0]
        count = struct.unpack(">H", self.data[base + 2:base + 4])[0]
        self.cmap = {}
        for i in range(count):
            pid, eid, off = struct.unpack(">HHI", self.data[base + 4 + 8 * i:base + 12 + 8 * i])
            sub = base + off
            if struct.unpack(">H", self.data[sub:sub + 2])[0] != 4 or pid not in (0, 3):
                continue
            segx2 = struct.unpack(">H", self.data[sub + 6:sub + 8])[0]
            seg = segx2 // 2
            ends = struct.unpack(">%dH" % seg, self.data[sub + 14:sub + 14 + segx2])
            starts_off = sub + 16 + segx2
            starts = struct.unpack(">%dH" % seg, self.data[starts_off:starts_off + segx2])
            deltas = struct.unpack(">%dh" % seg, self.data[starts_off + segx2:starts_off + 2 * segx2])
            ro_off = starts_off + 2 * segx2
            range_offs = struct.unpack(">%dH" % seg, self.data[ro_off:ro_off + segx2])
            for s in range(seg):
                for c in range(starts[s], ends[s] + 1):
                    if c == 0xFFFF:
                        continue
                    if range_offs[s] == 0:
                        g = (c + deltas[s]) & 0xFFFF
                    else:
                        p = ro_off + 2 * s + range_offs[s] + 2 * (c - starts[s])
                        g = struct.unpack(">H", self.data[p:p + 2])[0]
                        if g:
                            g = (g + deltas[s]) & 0xFFFF
                    self.cmap.setdefault(c, g)
            return
        raise ValueError("no unicode cmap (format 4)")

    def advance(self, gid):
        off = self.tables["hmtx"][0]
        i = min(gid, self.num_hmetrics - 1)
        return struct.unpack(">H", self.data[off + 4 * i:off + 4 * i + 2])[0]

    def _glyph_range(self, gid):
        loca = self.tables["loca"][0]
        if self.loca_long:
            a, b = struct.unpack(">II", self.data[loca + 4 * gid:loca + 4 * gid + 8])
        else:
            a, b = struct.unpack(">HH", self.data[loca + 2 * gid:loca + 2 * gid + 4])
            a, b = 2 * a, 2 * b
        glyf = self.tables["glyf"][0]
        return glyf + a, b - a

    def contours(self, gid):
        """List of contours; each a list of (x, y, on_curve) in font units."""
        off, length = self._glyph_range(gid)
        if length == 0:
            return []
        d = self.data
        ncont = struct.unpack(">h", d[off:off + 2])[0]
        p = off + 10
        if ncont >= 0:
            ends = struct.unpack(">%dH" % ncont, d[p:p + 2 * ncont])
            p += 2 * ncont
            ilen = struct.unpack(">H", d[p:p + 2])[0]
            p += 2 + ilen
            npts = ends[-1] + 1 if ncont else 0
            flags = []
            while len(flags) < npts:
                fl = d[p]
                p += 1
                flags.append(fl)
                if fl & 8:
                    rep = d[p]
                    p += 1
                    flags.extend([fl] * rep)
            coords = []
            for short_bit, same_bit in ((2, 16), (4, 32)):
                vals, v = [], 0
                for fl in flags:
                    if fl & short_bit:
                        dv = d[p]
                        p += 1
                        v += dv if fl & same_bit else -dv
                    elif not fl & same_bit:
                        v += struct.unpack(">h", d[p:p + 2])[0]
                        p += 2
                    vals.append(v)
                coords.append(vals)
            result, start = [], 0
            for e in ends:
                result.append([(coords[0][i], coords[1][i], bool(flags[i] & 1))
                               for i in range(start, e + 1)])
                start = e + 1
            return result
        # composite glyph: only x/y offsets and uniform scale are supported
        result = []
        while True:
            fl, comp = struct.unpack(">HH", d[p:p + 4])
            p += 4
            if fl & 1:
                dx, dy = struct.unpack(">hh", d[p:p + 4])
                p += 4
            else:
                dx, dy = struct.unpack(">bb", d[p:p + 2])
                p += 2
            if not fl & 2:
                raise ValueError("point-matched composites are not supported")
            sc = 1.0
            if fl & 8:
                sc = struct.unpack(">h", d[p:p + 2])[0] / 16384.0
                p += 2
            elif fl & 0x40:
                p += 4
            elif fl & 0x80:
                p += 8
            for c in self.contours(comp):
                result.append([(x * sc + dx, y * sc + dy, on) for x, y, on in c])
            if not fl & 0x20:
                break
        return result


def fmt(v):
    s = "%.2f" % v
    s = s.rstrip("0").rstrip(".")
    return "0" if s in ("-0", "") else s


def contour_to_path(pts, tx):
    """Quadratic TrueType contour -> SVG path commands."""
    n = len(pts)
    if n == 0:
        return ""
    # start from an on-curve point (or an implied midpoint)
    start = next((i for i in range(n) if pts[i][2]), None)
    if start is None:
        a, b = pts[0], pts[1]
        first = ((a[0] + b[0]) / 2, (a[1] + b[1]) / 2, True)
        seq = pts[1:] + pts[:1]
    else:
        first = pts[start]
        seq = pts[start + 1:] + pts[:start]
    out = ["M%s %s" % tuple(fmt(v) for v in tx(first[0], first[1]))]
    ctrl = None
    for x, y, on in seq + [first]:
        if on:
            if ctrl is None:
                out.append("L%s %s" % tuple(fmt(v) for v in tx(x, y)))
            else:
                out.append("Q%s %s %s %s" % tuple(fmt(v) for v in tx(*ctrl) + tx(x, y)))
                ctrl = None
        else:
            if ctrl is not None:
                mx, my = (ctrl[0] + x) / 2, (ctrl[1] + y) / 2
                out.append("Q%s %s %s %s" % tuple(fmt(v) for v in tx(*ctrl) + tx(mx, my)))
            ctrl = (x, y)
    out.append("Z")
    return "".join(out)


def text_path(font, text, size, x0=0.0, y0=0.0, spacing=0.0):
    scale = size / font.units_per_em
    pen = x0
    parts = []
    for ch in text:
        gid = font.cmap.get(ord(ch), 0)
        tx = (lambda px: (lambda x, y: (px + x * scale, y0 - y * scale)))(pen)
        for c in font.contours(gid):
            parts.append(contour_to_path(c, tx))
        pen += font.advance(gid) * scale + spacing
    return "".join(parts), pen - spacing - x0


def main(argv):
    args = [a for a in argv[1:] if not a.startswith("--")]
    spacing = 0.0
    if "--spacing" in argv:
        spacing = float(argv[argv.index("--spacing") + 1])
        args.remove(argv[argv.index("--spacing") + 1])
    font = Font(args[0])
    text, size = args[1], float(args[2])
    x0 = float(args[3]) if len(args) > 3 else 0.0
    y0 = float(args[4]) if len(args) > 4 else 0.0
    d, width = text_path(font, text, size, x0, y0, spacing)
    if "--metrics" in argv:
        print("width %.2f ascender %.2f descender %.2f" % (
            width, font.ascender * size / font.units_per_em,
            font.descender * size / font.units_per_em))
    else:
        print(d)


if __name__ == "__main__":
    main(sys.argv)
