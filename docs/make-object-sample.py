#!/usr/bin/env python3
"""Writes the sample object of the docs, an LWO2 object file, to standard output: a velvet
cushion (a rounded box of quads, with a texture map whose seam is set per corner) resting
on a star-shaped plinth in a second layer, whose top and bottom are each one concave face
of sixteen corners. Polygons run clockwise seen from outside, as the renderer's own are.

    python3 docs/make-object-sample.py > cushion.lwo
"""
import math
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "scripts"))
import lwo_file  # noqa: E402

RINGS, SEGMENTS = 24, 48


def rounded(value, power):
    """A sine or cosine flattened towards ±1, which squares a sphere into a cushion."""
    return math.copysign(abs(value) ** power, value)


def cushion():
    """Points, quads (triangles at the poles), and texture coordinates: u around, v up."""
    points = [(0.0, -0.42, 0.0)]  # the bottom pole
    for i in range(1, RINGS):
        polar = math.pi * i / RINGS - math.pi / 2
        for j in range(SEGMENTS):
            azimuth = 2 * math.pi * j / SEGMENTS
            across = rounded(math.cos(polar), 0.35)
            points.append((1.15 * across * rounded(math.cos(azimuth), 0.3),
                           0.42 * rounded(math.sin(polar), 0.6),
                           0.85 * across * rounded(math.sin(azimuth), 0.3)))
    points.append((0.0, 0.42, 0.0))  # the top pole
    top = len(points) - 1

    def at(i, j):
        return 1 + (i - 1) * SEGMENTS + j % SEGMENTS

    faces = []
    for j in range(SEGMENTS):
        faces.append((0, at(1, j), at(1, j + 1)))
        for i in range(1, RINGS - 1):
            faces.append((at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j + 1)))
        faces.append((top, at(RINGS - 1, j + 1), at(RINGS - 1, j)))
    values = [(0, 0.5, 0.0), (top, 0.5, 1.0)]
    values += [(at(i, j), j / SEGMENTS, i / RINGS) for i in range(1, RINGS) for j in range(SEGMENTS)]
    # Where a face closes the ring, its corners on the seam take u = 1, not 0.
    seam = []
    for number, face in enumerate(faces):
        for point in face:
            if point not in (0, top) and (point - 1) % SEGMENTS == 0 and \
                    any((p - 1) % SEGMENTS == SEGMENTS - 1 for p in face if p not in (0, top)):
                seam.append((point, number, 1.0, ((point - 1) // SEGMENTS + 1) / RINGS))
    return points, faces, values, seam


def plinth():
    """A star prism under the cushion: sixteen sides, and a concave face at each end; its
    texture coordinates are its outline seen from above."""
    corners = [(1.45 if k % 2 == 0 else 0.95, 2 * math.pi * k / 16) for k in range(16)]
    ring = [(r * math.cos(a), r * math.sin(a)) for r, a in corners]
    points = [(x, -0.42, z) for x, z in ring] + [(x, -0.72, z) for x, z in ring]
    faces = [tuple(range(16)), tuple(range(31, 15, -1))]
    faces += [(k, 16 + k, 16 + (k + 1) % 16, (k + 1) % 16) for k in range(16)]
    values = [(k, (x + 1.5) / 3, (z + 1.5) / 3) for k, (x, _, z) in enumerate(points)]
    return points, faces, values


def main():
    points, faces, values, seam = cushion()
    base_points, base_faces, base_values = plinth()
    data = lwo_file.form("LWO2",
                         lwo_file.chunk("TAGS", lwo_file.s0("Velvet") + lwo_file.s0("Stone"))
                         + lwo_file.layer(0, "cushion") + lwo_file.points(points)
                         + lwo_file.polygons("FACE", faces)
                         + lwo_file.texture_map("VMAP", "cushion", values)
                         + lwo_file.texture_map("VMAD", "cushion", seam)
                         + lwo_file.layer(1, "plinth") + lwo_file.points(base_points)
                         + lwo_file.polygons("FACE", base_faces)
                         + lwo_file.texture_map("VMAP", "cushion", base_values))
    sys.stdout.buffer.write(data)


if __name__ == "__main__":
    main()
