#!/usr/bin/env python3
"""Draws the program's waiting animation and writes it as resources/logo1.avi.

The clip is the Murmex mark, a speech bubble with a sound wave inside, whose
bars rise and fall one after another. Frames are 8-bit paletted, RLE8
compressed (or uncompressed with --uncompressed), so the program's own small
player can show them. The top-left pixel is background: the player leaves that
colour out, so the edges are blended against a light window grey.

Usage: scripts/make-logo-avi.py [--uncompressed] [output]
"""

import math
import struct
import sys
from pathlib import Path

WIDTH = 48
HEIGHT = 42
FRAMES = 16
MICROSECONDS_PER_FRAME = 80000  # 12.5 frames a second, a loop of 1.28 s
SUPERSAMPLE = 4

BACKGROUND = (240, 240, 240)
BUBBLE_TOP = (46, 132, 224)
BUBBLE_BOTTOM = (14, 64, 140)
BAR = (255, 255, 255)

BODY = (2.0, 2.0, 46.0, 31.0, 9.0)  # x0, y0, x1, y1, corner radius
TAIL = ((9.0, 27.0), (21.0, 27.0), (6.0, 40.0))
BAR_COUNT = 5
BAR_WIDTH = 4.0
BAR_GAP = 3.0
BAR_CENTRE_Y = 16.5
BAR_MIN = 5.0
BAR_MAX = 19.0


def in_rounded_rect(x, y, x0, y0, x1, y1, r):
    if x < x0 or x > x1 or y < y0 or y > y1:
        return False
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def in_triangle(x, y, a, b, c):
    def side(p, q):
        return (x - q[0]) * (p[1] - q[1]) - (p[0] - q[0]) * (y - q[1])

    d1, d2, d3 = side(a, b), side(b, c), side(c, a)
    negative = d1 < 0 or d2 < 0 or d3 < 0
    positive = d1 > 0 or d2 > 0 or d3 > 0
    return not (negative and positive)


def bar_rects(frame):
    left = (WIDTH - (BAR_COUNT * BAR_WIDTH + (BAR_COUNT - 1) * BAR_GAP)) / 2
    rects = []
    for i in range(BAR_COUNT):
        phase = 2 * math.pi * frame / FRAMES - i * 0.95
        height = BAR_MIN + (BAR_MAX - BAR_MIN) * (0.5 + 0.5 * math.sin(phase))
        x0 = left + i * (BAR_WIDTH + BAR_GAP)
        rects.append((x0, BAR_CENTRE_Y - height / 2, x0 + BAR_WIDTH, BAR_CENTRE_Y + height / 2,
                      BAR_WIDTH / 2))
    return rects


def mix(a, b, t):
    return tuple(a[k] + (b[k] - a[k]) * t for k in range(3))


def render(frame):
    """One frame as rows of RGB tuples, the top row first."""
    bars = bar_rects(frame)
    rows = []
    step = 1.0 / SUPERSAMPLE
    for py in range(HEIGHT):
        row = []
        for px in range(WIDTH):
            total = [0.0, 0.0, 0.0]
            for sy in range(SUPERSAMPLE):
                y = py + (sy + 0.5) * step
                for sx in range(SUPERSAMPLE):
                    x = px + (sx + 0.5) * step
                    colour = BACKGROUND
                    if in_rounded_rect(x, y, *BODY) or in_triangle(x, y, *TAIL):
                        colour = mix(BUBBLE_TOP, BUBBLE_BOTTOM, min(max(y / 40.0, 0.0), 1.0))
                        if any(in_rounded_rect(x, y, *bar) for bar in bars):
                            colour = BAR
                    for k in range(3):
                        total[k] += colour[k]
            n = SUPERSAMPLE * SUPERSAMPLE
            row.append(tuple(int(round(c / n)) for c in total))
        rows.append(row)
    return rows


def build_palette(frames):
    """Index 0 is the background; at most 255 further colours, coarsened until they fit."""
    colours = {c for rows in frames for row in rows for c in row if c != BACKGROUND}
    shift = 0
    while True:
        coarse = {tuple((v >> shift) << shift for v in c) for c in colours}
        if len(coarse) <= 255:
            break
        shift += 1
    palette = [BACKGROUND] + sorted(coarse)
    return palette + [(0, 0, 0)] * (256 - len(palette)), len(palette)


def to_indices(rows, palette, used):
    lookup = {}
    indices = []
    for row in rows:
        out = []
        for c in row:
            if c == BACKGROUND:
                out.append(0)
                continue
            if c not in lookup:
                # Never index 0 for a drawn pixel: that colour is left out.
                lookup[c] = min(range(1, used),
                                key=lambda i: sum((palette[i][k] - c[k]) ** 2 for k in range(3)))
            out.append(lookup[c])
        indices.append(out)
    return indices


def rle8(indices):
    """RLE8 of one frame: rows bottom first, runs and literal stretches."""
    out = bytearray()
    for y in range(HEIGHT - 1, -1, -1):
        row = indices[y]
        x = 0
        while x < WIDTH:
            run = 1
            while x + run < WIDTH and run < 255 and row[x + run] == row[x]:
                run += 1
            if run >= 2:
                out += bytes((run, row[x]))
                x += run
                continue
            # Gather pixels until the next run of two starts.
            end = x + 1
            while end < WIDTH and end - x < 255 and not (end + 1 < WIDTH and row[end] == row[end + 1]):
                end += 1
            literal = row[x:end]
            if len(literal) < 3:
                for value in literal:
                    out += bytes((1, value))
            else:
                out += bytes((0, len(literal))) + bytes(literal)
                if len(literal) & 1:
                    out += b"\0"
            x = end
        if y > 0:
            out += b"\0\0"
    out += b"\0\1"
    return bytes(out)


def uncompressed(indices):
    stride = (WIDTH + 3) & ~3
    out = bytearray()
    for y in range(HEIGHT - 1, -1, -1):
        out += bytes(indices[y]) + b"\0" * (stride - WIDTH)
    return bytes(out)


def chunk(fourcc, data):
    body = fourcc + struct.pack("<I", len(data)) + data
    return body + (b"\0" if len(data) & 1 else b"")


def riff_list(kind, fourcc, payload):
    return kind + struct.pack("<I", len(payload) + 4) + fourcc + payload


def write_avi(path, frames, palette, compressed):
    frame_id = b"00dc" if compressed else b"00db"
    largest = max(len(f) for f in frames)
    avih = struct.pack("<14I", MICROSECONDS_PER_FRAME, largest * 1000000 // MICROSECONDS_PER_FRAME,
                       0, 0x10, len(frames), 0, 1, largest, WIDTH, HEIGHT, 0, 0, 0, 0)
    strh = (b"vids" + (b"mrle" if compressed else b"\0\0\0\0") +
            struct.pack("<IHHIIIIIIII4h", 0, 0, 0, 0, 2, 25, 0, len(frames), largest, 0xFFFFFFFF,
                        0, 0, 0, WIDTH, HEIGHT))
    strf = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 8, 1 if compressed else 0, 0, 0, 0,
                       256, 0)
    strf += b"".join(bytes((b, g, r, 0)) for (r, g, b) in palette)
    header = riff_list(b"LIST", b"hdrl", chunk(b"avih", avih) +
                       riff_list(b"LIST", b"strl", chunk(b"strh", strh) + chunk(b"strf", strf)))

    movie = b""
    index = b""
    for data in frames:
        offset = 4 + len(movie)  # from the 'movi' type field
        index += frame_id + struct.pack("<III", 0x10, offset, len(data))
        movie += chunk(frame_id, data)
    body = header + riff_list(b"LIST", b"movi", movie) + chunk(b"idx1", index)
    Path(path).write_bytes(riff_list(b"RIFF", b"AVI ", body))


def main(argv):
    compressed = "--uncompressed" not in argv
    names = [a for a in argv if not a.startswith("--")]
    output = names[0] if names else str(Path(__file__).resolve().parent.parent / "resources" / "logo1.avi")
    pictures = [render(f) for f in range(FRAMES)]
    palette, used = build_palette(pictures)
    indexed = [to_indices(p, palette, used) for p in pictures]
    encoded = [rle8(i) if compressed else uncompressed(i) for i in indexed]
    write_avi(output, encoded, palette, compressed)
    print(f"{output}: {WIDTH}x{HEIGHT}, {FRAMES} frames, "
          f"{'RLE8' if compressed else 'uncompressed'}, {sum(len(e) for e in encoded)} bytes of frames")


if __name__ == "__main__":
    main(sys.argv[1:])
