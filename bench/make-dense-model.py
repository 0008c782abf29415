#!/usr/bin/env python3
"""Writes a dense model for timing the preview's mesh path: a rippled sphere of about
TRIANGLES triangles (default 1,000,000), without normals, so that the crease normals are
computed too. As OBJ text, or with --lwo the same mesh as an LWO2 object file (its points
the OBJ text's numbers in single precision).

    python3 bench/make-dense-model.py [TRIANGLES] > dense.obj
    python3 bench/make-dense-model.py [TRIANGLES] --lwo > dense.lwo
"""
import math
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "scripts"))
import lwo_file  # noqa: E402


def dense_sphere(triangles):
    """The points, as the OBJ text writes them, and the triangles, counted from 0."""
    rings = max(int(math.sqrt(triangles / 4)), 2)  # 2 * rings * (2 * rings) triangles
    segments = 2 * rings
    points = []
    for i in range(rings + 1):
        polar = math.pi * i / rings
        for j in range(segments):
            azimuth = 2 * math.pi * j / segments
            r = 1.0 + 0.04 * math.sin(12 * azimuth) * math.sin(9 * polar)
            points.append("%.6f %.6f %.6f" % (
                r * math.sin(polar) * math.cos(azimuth), r * math.cos(polar),
                r * math.sin(polar) * math.sin(azimuth)))
    faces = []
    for i in range(rings):
        for j in range(segments):
            a = i * segments + j
            b = i * segments + (j + 1) % segments
            c = a + segments
            d = b + segments
            faces += [(a, c, d), (a, d, b)]
    return points, faces


def main():
    arguments = [a for a in sys.argv[1:] if a != "--lwo"]
    triangles = int(arguments[0]) if arguments else 1_000_000
    points, faces = dense_sphere(triangles)
    if "--lwo" in sys.argv[1:]:
        positions = [tuple(float(c) for c in p.split()) for p in points]
        sys.stdout.buffer.write(lwo_file.form(
            "LWO2", lwo_file.layer(0) + lwo_file.points(positions)
            + lwo_file.polygons("FACE", faces)))
        return
    lines = ["v %s\n" % p for p in points]
    lines += ["f %d %d %d\n" % (a + 1, b + 1, c + 1) for a, b, c in faces]
    sys.stdout.writelines(lines)


if __name__ == "__main__":
    main()
