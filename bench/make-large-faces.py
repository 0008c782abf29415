#!/usr/bin/env python3
"""Writes an LWOB object file of FACES concave faces (default 20) of CORNERS corners each
(default 65,534, nearly the most LWOB holds), all over one set of points: a comb (teeth of
height 1 along x above a spine), the comb turned by an eighth (the corners of its spine no
longer exactly on a line, which ear clipping takes longest over) or a spiral (a narrow band wound out and back). For timing
how the preview splits large faces into triangles, as a command:

    python3 bench/make-large-faces.py comb > comb.lwo
    python3 bench/make-large-faces.py spiral 65534 20 > spiral.lwo
    build/native/bin/pelorix3-preview --mesh spiral.lwo --samples 1 --verbose -o spiral.png
"""
import math
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "scripts"))
import lwo_file  # noqa: E402


def comb(corners):
    teeth = (corners - 2) // 3
    points = [(0.0, -1.0)]
    for t in range(teeth):
        points += [(2.0 * t, 0.0), (2.0 * t + 0.5, 1.0), (2.0 * t + 1.0, 0.0)]
    return points + [(2.0 * teeth, -1.0)]


def comb_turned(corners):
    c, s = math.cos(math.pi / 4), math.sin(math.pi / 4)
    return [(c * x - s * y, s * x + c * y) for x, y in comb(corners)]


def spiral(corners):
    half = corners // 2
    out = [((1 + 0.002 * i) * math.cos(0.02 * i), (1 + 0.002 * i) * math.sin(0.02 * i))
           for i in range(half)]
    back = [((1.001 + 0.002 * i) * math.cos(0.02 * i), (1.001 + 0.002 * i) * math.sin(0.02 * i))
            for i in reversed(range(half))]
    return out + back


def main():
    shape = {"comb": comb, "comb-turned": comb_turned, "spiral": spiral}[sys.argv[1]]
    corners = int(sys.argv[2]) if len(sys.argv) > 2 else 65534
    faces = int(sys.argv[3]) if len(sys.argv) > 3 else 20
    flat = shape(corners)
    face = list(range(len(flat)))
    sys.stdout.buffer.write(lwo_file.form(
        "LWOB", lwo_file.points([(x, y, 0.0) for x, y in flat]) +
        lwo_file.lwob_polygons([face] * faces)))


if __name__ == "__main__":
    main()
