#!/usr/bin/env python3
"""Writes a dense OBJ model for timing the preview's mesh path: a rippled sphere of
about TRIANGLES triangles (default 1,000,000), without normals, so that the crease
normals are computed too.

    python3 bench/make-dense-model.py [TRIANGLES] > dense.obj
"""
import math
import sys


def main():
    triangles = int(sys.argv[1]) if len(sys.argv) > 1 else 1_000_000
    rings = max(int(math.sqrt(triangles / 4)), 2)  # 2 * rings * (2 * rings) triangles
    segments = 2 * rings
    out = sys.stdout
    lines = []
    for i in range(rings + 1):
        polar = math.pi * i / rings
        for j in range(segments):
            azimuth = 2 * math.pi * j / segments
            r = 1.0 + 0.04 * math.sin(12 * azimuth) * math.sin(9 * polar)
            lines.append("v %.6f %.6f %.6f\n" % (
                r * math.sin(polar) * math.cos(azimuth), r * math.cos(polar),
                r * math.sin(polar) * math.sin(azimuth)))
    for i in range(rings):
        for j in range(segments):
            a = i * segments + j + 1
            b = i * segments + (j + 1) % segments + 1
            c = a + segments
            d = b + segments
            lines.append("f %d %d %d\nf %d %d %d\n" % (a, c, d, a, d, b))
    out.writelines(lines)


if __name__ == "__main__":
    main()
