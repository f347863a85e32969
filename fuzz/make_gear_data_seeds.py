#!/usr/bin/env python3
"""Writes the seed files of gear_data_fuzz: one small file per format, laid out by hand."""
import pathlib
import struct

OUT = pathlib.Path(__file__).parent / "corpus" / "gear_data"


def put(buf, offset, text):
    buf[offset:offset + len(text)] = text


def record(category, item, weight, size, selected=1, in_group=0, record_id=0):
    b = bytearray(261)
    put(b, 0, category)
    put(b, 21, item)
    put(b, 62, weight)
    put(b, 72, weight)
    put(b, 82, b"note")
    b[133] = selected
    put(b, 134, b"1")
    b[235] = in_group
    put(b, 249, struct.pack("<i", record_id))
    return bytes(b[:size])


def texts(*lines):
    return struct.pack("<i", len(lines)) + b"".join(t + b"\r\n" for t in lines)


def old_record(category, item, weight):
    b = bytearray(124)
    put(b, 0, category)
    put(b, 21, item)
    put(b, 62, weight)
    put(b, 72, b"old")
    b[123] = 1
    return bytes(b)


def handheld(category, item, weight, record_id, deleted=0):
    b = bytearray(152)
    put(b, 0, category)
    put(b, 18, item)
    put(b, 60, weight)
    put(b, 70, b"1")
    put(b, 76, weight)
    b[138] = 1
    put(b, 140, struct.pack("<iihh", record_id, 1, deleted, 0))
    return bytes(b)


def category60(name, ident):
    return name.ljust(20, b"\0") + struct.pack("<iiii", ident, 0, 0, 0)


CATS = b"Shelter\r\nUnfiled\r\n\r\n"
ZERO = struct.pack("<i", 0)
ONE = struct.pack("<i", 1)

seeds = {
    "oldest": b"Varnel data file\r\n" + CATS
    + old_record(b"Shelter", b"Tent", b"40") + old_record(b"Unfiled", b"Map", b"1.5"),
    "v4": b"Varnel data file. Version 4\r\n" + CATS
    + record(b"Shelter", b"Sleep", b"0", 241) + ONE
    + record(b"Shelter", b"Bag", b"30", 261, in_group=1)
    + record(b"Unfiled", b"Map", b"1.5", 241) + ZERO,
    "v5": b"Varnel data file. Version 5\r\n" + CATS
    + record(b"Shelter", b"Tent", b"40", 241) + ZERO + texts(b"green", b"2p"),
    "v57": b"Varnel data file. Version 5.7\r\n" + CATS
    + record(b"Shelter", b"Sleep", b"0", 241) + ONE
    + record(b"Shelter", b"Pad", b"12", 261, in_group=1) + texts(b"foam")
    + texts(b"kit"),
    "v511": b"Varnel data file. Version 5.11\r\n" + CATS
    + record(b"Shelter", b"Sleep", b"0", 241) + struct.pack("<i", 2)
    + record(b"Shelter", b"Bag", b"30", 261, in_group=1) + texts(b"down")
    + record(b"Shelter", b"Pad", b"12", 261, in_group=1) + texts()
    + texts(b"kit", b"") + record(b"Unfiled", b"Map", b"1.5", 241) + ZERO + texts(),
    "v60": b"Varnel data file. Version 6.0\r\n" + struct.pack("<i", 4) + b"blk!"
    + struct.pack("<i", 2) + category60(b"Unfiled", 0) + category60(b"Shelter", 128)
    + handheld(b"Shelter", b"Tent", b"40", 7) + handheld(b"Unfiled", b"Old", b"1", 8, 1),
}

OUT.mkdir(parents=True, exist_ok=True)
for name, data in seeds.items():
    (OUT / name).write_bytes(data)
