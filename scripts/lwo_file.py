"""Object files (LWO2 and the older LWOB) for the project's scripts: big-endian values,
strings and chunks padded to an even length, and the FORM around them. The sample object
of the docs, the dense model of the benchmark and the fuzz target's seeds are written
with it.

    import lwo_file
    data = lwo_file.form("LWO2", lwo_file.points(pts) + lwo_file.polygons("FACE", faces))
"""
import struct


def u2(value):
    return struct.pack(">H", value)


def f4(value):
    return struct.pack(">f", value)


def vx(index, wide=False):
    """Two bytes below 0xFF00, else (or when asked) four of which the first is 0xFF."""
    if index < 0xFF00 and not wide:
        return u2(index)
    return struct.pack(">I", 0xFF000000 | index)


def s0(text):
    data = text.encode() + b"\0"
    return data + (b"\0" if len(data) % 2 else b"")


def chunk(tag, data):
    return tag.encode() + struct.pack(">I", len(data)) + data + (b"\0" if len(data) % 2 else b"")


def form(form_type, chunks):
    return b"FORM" + struct.pack(">I", 4 + len(chunks)) + form_type.encode() + chunks


def layer(number, name="", pivot=(0.0, 0.0, 0.0)):
    return chunk("LAYR", u2(number) + u2(0) + b"".join(f4(c) for c in pivot) + s0(name))


def points(positions):
    return chunk("PNTS", b"".join(f4(c) for p in positions for c in p))


def polygons(polygon_type, faces):
    """An LWO2 polygon chunk: "FACE", "PTCH", "SUBD", "CURV", "MBAL" or "BONE"."""
    data = bytearray(polygon_type.encode())
    for face in faces:
        data += u2(len(face)) + b"".join(vx(i) for i in face)
    return chunk("POLS", bytes(data))


def lwob_polygons(faces, surface=1):
    """An LWOB polygon chunk: each face's corners, then its surface number."""
    data = bytearray()
    for face in faces:
        data += u2(len(face)) + b"".join(u2(i) for i in face) + u2(surface)
    return chunk("POLS", bytes(data))


def texture_map(tag, name, values):
    """A TXUV map: VMAP values (point, u, v), or VMAD values (point, polygon, u, v)."""
    data = bytearray(b"TXUV" + u2(2) + s0(name))
    for value in values:
        data += b"".join(vx(i) for i in value[:-2]) + f4(value[-2]) + f4(value[-1])
    return chunk(tag, bytes(data))
