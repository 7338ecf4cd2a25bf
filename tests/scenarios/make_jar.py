#!/usr/bin/env python3
"""Writes a small MIDlet-like JAR for the scenarios.

make_jar.py OUT.jar [--manifest TEXT] [--manifest-name NAME] [--icon NAME:SIDE]
                    [--file NAME=TEXT] ...

TEXT takes the escapes \\r \\n \\0 and \\xNN, so that line ends and odd bytes
can be written exactly. --icon writes an opaque SIDE x SIDE PNG (red on the
left half, blue on the right). Without --manifest a plain MIDlet manifest is
written, naming the icon /icon.png in MIDlet-1.
"""
import struct
import sys
import zipfile
import zlib


def unescape(text):
    return text.encode('utf-8').decode('unicode_escape').encode('latin-1')


def png(side):
    rows = b''
    for y in range(side):
        row = b'\x00'
        for x in range(side):
            row += b'\xff\x00\x00' if x < side // 2 else b'\x00\x00\xff'
        rows += row

    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', side, side, 8, 2, 0, 0, 0)) +
            chunk(b'IDAT', zlib.compress(rows)) + chunk(b'IEND', b''))


def main(argv):
    out = argv[1]
    manifest = (b'Manifest-Version: 1.0\r\nMIDlet-Name: Snake\r\nMIDlet-Vendor: Tolvanex Tests\r\n'
                b'MIDlet-Version: 1.0\r\nMIDlet-1: Snake, /icon.png, Main\r\n\r\n')
    manifest_name = 'META-INF/MANIFEST.MF'
    files = []
    at = 2
    while at < len(argv):
        option, value = argv[at], argv[at + 1]
        at += 2
        if option == '--manifest':
            manifest = unescape(value)
        elif option == '--manifest-name':
            manifest_name = value
        elif option == '--icon':
            name, side = value.rsplit(':', 1)
            files.append((name, png(int(side))))
        elif option == '--file':
            name, text = value.split('=', 1)
            files.append((name, unescape(text)))
        else:
            raise SystemExit('unknown option ' + option)
    with zipfile.ZipFile(out, 'w', zipfile.ZIP_DEFLATED) as jar:
        jar.writestr('META-INF/', b'')
        jar.writestr(manifest_name, manifest)
        for name, data in files:
            jar.writestr(name, data)
        jar.writestr('Main.class', b'\xca\xfe\xba\xbe' + bytes(range(64)))


if __name__ == '__main__':
    main(sys.argv)
