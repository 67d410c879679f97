"""A copy of a TrueType font whose name table makes it the one face, "Regular",
of a family of its own; its weight and metrics stay. Usage: <font> <family> <out>"""
import struct
import sys

source, family, target = sys.argv[1:4]
data = bytearray(open(source, 'rb').read())
names = [(i, text.encode('utf-16-be')) for i, text in
         ((1, family), (2, 'Regular'), (4, family), (6, family.replace(' ', '')))]
table = struct.pack('>HHH', 0, len(names), 6 + 12 * len(names))
at = 0
for i, text in names:       # Windows, Unicode, U.S. English
    table += struct.pack('>6H', 3, 1, 0x409, i, len(text), at)
    at += len(text)
table += b''.join(text for _, text in names)
size = len(table)
table += b'\0' * (-size % 4)
data += b'\0' * (-len(data) % 4)
checksum = sum(struct.unpack('>%dI' % (len(table) // 4), table)) & 0xFFFFFFFF
for entry in range(12, 12 + 16 * struct.unpack('>H', data[4:6])[0], 16):
    if data[entry:entry + 4] == b'name':
        struct.pack_into('>III', data, entry + 4, checksum, len(data), size)
open(target, 'wb').write(bytes(data + table))
