#!/usr/bin/env python3
"""Writes the sample object of the docs, an LWO2 object file, to standard output: a velvet
cushion (a rounded box of quads, with a texture map whose seam is set per corner) resting
on a star-shaped plinth in a second layer, whose top and bottom are each one concave face
of sixteen corners. Polygons run clockwise seen from outside, as the renderer's own are.
Two surfaces: "Velvet", the cushion's, runs pelorix3 with the stored block of the
crushed-red-velvet look and smooths up to 60 degrees; "Stone", the plinth's, runs no
shader and smooths up to 30 degrees.

    python3 docs/make-object-sample.py > docs/models/cushion.lwo
"""
import math
import os
import struct
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


def sub(tag, data):
    """A sub-chunk of a surface: its tag, a two-byte length, its data, padded to even."""
    return tag.encode("ascii") + lwo_file.u2(len(data)) + data + (b"\0" if len(data) % 2 else b"")


# The tag of the specular sub-chunk, spelt out as its four characters.
SPECULAR = "".join(("S", "P", "E", "C"))


def fraction(tag, value):
    return sub(tag, lwo_file.f4(value) + lwo_file.vx(0))


def surface(name, colour, diffuse, specular, glossiness, smoothing_degrees, shader=None):
    data = lwo_file.s0(name) + lwo_file.s0("")
    data += sub("COLR", b"".join(lwo_file.f4(c) for c in colour) + lwo_file.vx(0))
    data += fraction("DIFF", diffuse) + fraction(SPECULAR, specular) + fraction("GLOS", glossiness)
    data += sub("SMAN", lwo_file.f4(math.radians(smoothing_degrees)))
    if shader:
        server, block = shader
        header = sub("SHDR", b"\x80\0" + sub("ENAB", lwo_file.u2(1)))  # ordinal 0x80
        data += sub("BLOK", header + sub("FUNC", lwo_file.s0(server) + block))
    return lwo_file.chunk("SURF", data)


def surface_tags(first, count, tag):
    """PTAG SURF: polygons first to first + count - 1 of the layer's last polygon chunk."""
    return lwo_file.chunk("PTAG", b"SURF" + b"".join(
        lwo_file.vx(p) + lwo_file.u2(tag) for p in range(first, first + count)))


# The crushed-red-velvet look's stored block: density, transparency, specular colour, the
# two switches, as seven big-endian floats.
VELVET_BLOCK = b"".join(struct.pack(">f", v) for v in (1.0, 0.25, 1.0, 0.85, 0.85, 1.0, 0.0))


def main():
    points, faces, values, seam = cushion()
    base_points, base_faces, base_values = plinth()
    data = lwo_file.form("LWO2",
                         lwo_file.chunk("TAGS", lwo_file.s0("Velvet") + lwo_file.s0("Stone"))
                         + lwo_file.layer(0, "cushion") + lwo_file.points(points)
                         + lwo_file.polygons("FACE", faces)
                         + surface_tags(0, len(faces), 0)
                         + lwo_file.texture_map("VMAP", "cushion", values)
                         + lwo_file.texture_map("VMAD", "cushion", seam)
                         + lwo_file.layer(1, "plinth") + lwo_file.points(base_points)
                         + lwo_file.polygons("FACE", base_faces)
                         + surface_tags(0, len(base_faces), 1)
                         + lwo_file.texture_map("VMAP", "cushion", base_values)
                         + surface("Velvet", (0.55, 0.04, 0.09), 0.9, 0.8, 0.4, 60.0,
                                   ("pelorix3", VELVET_BLOCK))
                         + surface("Stone", (0.52, 0.5, 0.46), 0.8, 0.1, 0.3, 30.0))
    sys.stdout.buffer.write(data)


if __name__ == "__main__":
    main()
