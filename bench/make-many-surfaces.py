#!/usr/bin/env python3
"""Writes an object file of SURFACES surfaces (default 1,000), for timing --write-object:

- lwob: an SRFS chunk of the names S0, S1, ... and one triangle, no SURF chunk, so that
  every surface gets a new one;
- lwo2: a quad for each surface, each surface running pelorix3 with a stored block of its
  own (its density i / SURFACES), in a SURF chunk whose block's data is replaced;
- filler: the lwo2 file with a chunk of PAD bytes (default 200,000,000) that no reader
  uses, for the memory a large file takes while it is written.

    python3 bench/make-many-surfaces.py lwob 4000 > names.lwo
    python3 bench/make-many-surfaces.py lwo2 1000 > shaders.lwo
    python3 bench/make-many-surfaces.py filler 1000 200000000 > large.lwo
    build/native/bin/pelorix3-preview --mesh shaders.lwo --write-object out.lwo
"""
import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "scripts"))
import lwo_file  # noqa: E402


def names(count):
    return ["S%d" % i for i in range(count)]


def lwob(count):
    triangle = lwo_file.points([(0.0, 0.0, 0.0), (0.0, 1.0, 0.0), (1.0, 0.0, 0.0)])
    srfs = lwo_file.chunk("SRFS", b"".join(lwo_file.s0(name) for name in names(count)))
    return lwo_file.form("LWOB", triangle + srfs + lwo_file.lwob_polygons([[0, 1, 2]]))


def shader_surface(name, density):
    block = b"".join(struct.pack(">f", v) for v in (density, 0.33, 1, 1, 1, 1, 0))
    sub = lambda tag, data: tag.encode() + lwo_file.u2(len(data)) + data + b"\0" * (len(data) % 2)
    header = sub("SHDR", lwo_file.s0("\x80") + sub("ENAB", lwo_file.u2(1)))
    blok = sub("BLOK", header + sub("FUNC", lwo_file.s0("pelorix3") + block))
    return lwo_file.chunk("SURF", lwo_file.s0(name) + lwo_file.s0("") + blok)


def lwo2(count, filler=0):
    corners, quads = [], []
    for i in range(count):
        x = float(i % 100)
        y = float(i // 100)
        quads.append([len(corners) + k for k in range(4)])
        corners += [(x, y, 0.0), (x, y + 1, 0.0), (x + 1, y + 1, 0.0), (x + 1, y, 0.0)]
    tags = b"SURF" + b"".join(lwo_file.vx(i) + lwo_file.u2(i) for i in range(count))
    chunks = (lwo_file.layer(0) + lwo_file.points(corners) + lwo_file.polygons("FACE", quads) +
              lwo_file.chunk("TAGS", b"".join(lwo_file.s0(n) for n in names(count))) +
              lwo_file.chunk("PTAG", tags))
    if filler:
        chunks += lwo_file.chunk("PAD ", bytes(filler))
    return lwo_file.form("LWO2", chunks + b"".join(
        shader_surface(name, i / count) for i, name in enumerate(names(count))))


def main():
    form = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 1000
    if form == "lwob":
        data = lwob(count)
    elif form == "lwo2":
        data = lwo2(count)
    else:
        data = lwo2(count, int(sys.argv[3]) if len(sys.argv) > 3 else 200000000)
    sys.stdout.buffer.write(data)


if __name__ == "__main__":
    main()
