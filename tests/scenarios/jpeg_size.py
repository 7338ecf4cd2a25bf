#!/usr/bin/env python3
"""jpeg_size.py FILE WIDTH HEIGHT: succeeds when FILE is a baseline JFIF file
of that size."""
import struct
import sys


def frame_size(data):
    if data[:2] != b'\xff\xd8' or data[6:11] != b'JFIF\x00':
        return None
    at = 2
    while at + 4 <= len(data):
        marker, length = data[at + 1], struct.unpack('>H', data[at + 2:at + 4])[0]
        if marker == 0xC0:  # baseline
            height, width = struct.unpack('>HH', data[at + 5:at + 9])
            return width, height
        at += 2 + length
    return None


path, width, height = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
got = frame_size(open(path, 'rb').read())
if got != (width, height):
    sys.exit('%s: %r, expected %dx%d baseline JFIF' % (path, got, width, height))
