#!/usr/bin/env python3
"""Copies a TrueType font as the only face of a family of its own: its name
table says <family>, style Regular (weights and metrics stay the file's own),
so that a request of any weight for that family gets this face.
Usage: one_face_family.py <font.ttf> <family> <out.ttf>"""
import struct
import sys

source, family, target = sys.argv[1:4]
data = bytearray(open(source, 'rb').read())
count = struct.unpack('>H', data[4:6])[0]
names = {1: family, 2: 'Regular', 4: family, 6: family.replace(' ', '')}
strings = b''.join(names[i].encode('utf-16-be') for i in sorted(names))
table = struct.pack('>HHH', 0, len(names), 6 + 12 * len(names))
at = 0
for i in sorted(names):
    size = len(names[i].encode('utf-16-be'))
    table += struct.pack('>6H', 3, 1, 0x409, i, size, at)    # Windows, Unicode, English
    at += size
table += strings
data += b'\0' * (-len(data) % 4)
padded = table + b'\0' * (-len(table) % 4)
checksum = sum(struct.unpack('>%dI' % (len(padded) // 4), padded)) & 0xFFFFFFFF
for entry in range(12, 12 + 16 * count, 16):
    if data[entry:entry + 4] == b'name':
        struct.pack_into('>III', data, entry + 4, checksum, len(data), len(table))
open(target, 'wb').write(bytes(data + padded))
