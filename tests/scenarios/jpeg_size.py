#!/usr/bin/env python3
"""jpeg_size.py FILE WIDTH HEIGHT [X,Y=RRGGBB ...]: succeeds when FILE is a
baseline JFIF file of that size whose pixels at (X, Y) are within JPEG
tolerance of the given colours (decoded with djpeg)."""
import struct
import subprocess
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


def pixels(path):
    ppm = subprocess.run(['djpeg', '-pnm', path], stdout=subprocess.PIPE, check=True).stdout
    fields, at = [], 0
    while len(fields) < 4:  # P6 width height maxval, then one whitespace byte
        while ppm[at:at + 1].isspace():
            at += 1
        start = at
        while not ppm[at:at + 1].isspace():
            at += 1
        fields.append(ppm[start:at])
    return int(fields[1]), ppm[at + 1:]


path, width, height = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
got = frame_size(open(path, 'rb').read())
if got != (width, height):
    sys.exit('%s: %r, expected %dx%d baseline JFIF' % (path, got, width, height))
row_width, data = pixels(path)
for probe in sys.argv[4:]:
    place, colour = probe.split('=')
    x, y = (int(v) for v in place.split(','))
    want = [int(colour[k:k + 2], 16) for k in (0, 2, 4)]
    at = 3 * (y * row_width + x)
    have = list(data[at:at + 3])
    if any(abs(a - b) > 40 for a, b in zip(have, want)):
        sys.exit('%s: pixel (%d,%d) is %s, expected about %s' % (path, x, y, have, want))
