#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into FOLDER/<target>/.

Every seed is built here from plain bytes (Python's standard library only):
name and pattern pairs, manifests, Windows bitmaps and icons of every depth
and header the decoder reads, PNGs of every colour type and bit depth, and
archives, the hostile corpus of tests/archive among them.

usage: make_seeds.py FOLDER
"""
import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "archive"))
import make_hostile_corpus as hostile  # noqa: E402


# ---- names and patterns: name, NUL, pattern ----------------------------

PATTERNS = [
    ("GAME.JAR", "*.jar"), ("game", "*.*"), (".profile", "*.profile"),
    ("icon.png", "*.png|*.bmp"), ("a.b.c", "?.b.*"), ("MANIFEST.MF", "manifest.mf"),
    ("\xc0\xc1\xc2.txt", "\xe0\xe1\xe2.TXT"), ("", "*.*"), ("x", ""),
    ("abcabc.d", "*c.d"), ("long" * 40 + ".jad", "*.ja?|*.jar|*"),
    ("name", "|||"), ("a|b", "a|b"), ("??", "??|*"),
]


def name_pattern_seeds():
    return {f"pair{i}": (n + "\0" + p).encode("latin-1")
            for i, (n, p) in enumerate(PATTERNS)}


# ---- manifests --------------------------------------------------------

MANIFESTS = [
    b"Manifest-Version: 1.0\r\nMIDlet-1: Game, /icon.png, game.Main\r\n"
    b"MIDlet-Name: Game\r\nMIDlet-Vendor: Someone\r\n",
    b"MIDlet-Icon: icons/Icon.PNG\nMIDlet-1: Game,,Main\n",
    b"\xef\xbb\xbfMIDlet-Name: \xd0\x98\xd0\xb3\xd1\x80\xd0\xb0\r\n"
    b"MIDlet-1: A, /a\r\n b.png, Main\r\n",
    b"MIDlet-Name: \xc8\xe3\xf0\xe0\rMIDlet-1: x, y.png\r\r\n\0tail",
    b"midlet-icon:   \t /i.png \t \n",
    b"no colon at all\n\n\n",
    b"",
]


def manifest_seeds():
    return {f"manifest{i}": m for i, m in enumerate(MANIFESTS)}


# ---- Windows bitmaps and icons ------------------------------------------

def info_header(width, height, depth, compression=0, colours=0, size=40,
                masks=None, image_bytes=0):
    header = struct.pack("<IiiHHIIiiII", size, width, height, 1, depth,
                         compression, image_bytes, 2835, 2835, colours, 0)
    if size > 40:
        extra = b"".join(struct.pack("<I", m) for m in (masks or [0, 0, 0, 0]))
        header += (extra + b"\0" * size)[:size - 40]
    return header


def palette(count):
    return b"".join(struct.pack("<BBBB", (i * 37) & 255, (i * 91) & 255,
                                (i * 13) & 255, 0) for i in range(count))


def rows(width, height, depth):
    stride = (width * depth + 31) // 32 * 4
    return bytes((x * 7 + y * 13) & 255 for y in range(height)
                 for x in range(stride))


def bitmap_file(header, extra, pixels):
    offset = 14 + len(header) + len(extra)
    return (b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset)
            + header + extra + pixels)


def bitmap_seeds():
    seeds = {}
    for depth in (1, 4, 8):
        seeds[f"bmp{depth}"] = bitmap_file(
            info_header(5, 3, depth), palette(1 << depth), rows(5, 3, depth))
    for depth in (16, 24, 32):
        seeds[f"bmp{depth}"] = bitmap_file(info_header(5, 3, depth), b"",
                                           rows(5, 3, depth))
    seeds["bmp24_topdown"] = bitmap_file(info_header(4, -3, 24), b"",
                                         rows(4, 3, 24))
    seeds["bmp_core8"] = bitmap_file(
        struct.pack("<IHHHH", 12, 3, 2, 1, 8),
        b"".join(struct.pack("<BBB", i, i, i) for i in range(256)),
        rows(3, 2, 8))
    seeds["bmp16_bitfields"] = bitmap_file(
        info_header(3, 2, 16, compression=3),
        struct.pack("<III", 0xF800, 0x07E0, 0x001F), rows(3, 2, 16))
    seeds["bmp32_v5_alpha"] = bitmap_file(
        info_header(3, 2, 32, compression=3, size=124,
                    masks=[0xFF0000, 0xFF00, 0xFF, 0xFF000000]),
        b"", rows(3, 2, 32))
    seeds["bmp32_alphabitfields"] = bitmap_file(
        info_header(2, 2, 32, compression=6),
        struct.pack("<IIII", 0xFF000000, 0xFF0000, 0xFF00, 0xFF),
        rows(2, 2, 32))
    rle8 = bytes([3, 1, 0, 3, 2, 3, 4, 0, 0, 0, 0, 2, 1, 0, 2, 5, 0, 1])
    seeds["bmp_rle8"] = bitmap_file(info_header(6, 3, 8, compression=1),
                                    palette(256), rle8)
    rle4 = bytes([4, 0x12, 0, 4, 0x34, 0x56, 0, 0, 0, 2, 1, 1, 3, 7, 0, 1])
    seeds["bmp_rle4"] = bitmap_file(info_header(7, 3, 4, compression=2),
                                    palette(16), rle4)
    return seeds


def icon_image(width, height, depth, alpha=False):
    colours = palette(1 << depth) if depth <= 8 else b""
    colour_rows = rows(width, height, depth)
    if alpha:
        colour_rows = bytes(b | 0x80 if i % 4 == 3 else b
                            for i, b in enumerate(colour_rows))
    mask = rows(width, height, 1)
    return info_header(width, height * 2, depth) + colours + colour_rows + mask


def icon_file(image, width, height):
    entry = struct.pack("<BBBBHHII", width, height, 0, 0, 1, 32, len(image), 22)
    return struct.pack("<HHH", 0, 1, 1) + entry + image


def icon_seeds():
    seeds = {}
    for depth in (1, 4, 8, 24, 32):
        seeds[f"ico{depth}"] = icon_file(icon_image(4, 4, depth), 4, 4)
    seeds["ico32_alpha"] = icon_file(icon_image(3, 2, 32, alpha=True), 3, 2)
    seeds["ico_png"] = icon_file(png_file(2, 2, 2, 8), 2, 2)
    seeds["image16"] = icon_image(16, 16, 4)
    return seeds


# ---- PNG ----------------------------------------------------------------

def chunk(kind, data):
    return (struct.pack(">I", len(data)) + kind + data
            + struct.pack(">I", zlib.crc32(kind + data)))


CHANNELS = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}


def png_file(width, height, colour_type, depth, interlace=0, extra=b""):
    stride = (width * CHANNELS[colour_type] * depth + 7) // 8
    raw = b"".join(bytes([y % 5]) + bytes((x * 29 + y * 7) & 255
                                          for x in range(stride))
                   for y in range(height))
    header = struct.pack(">IIBBBBB", width, height, depth, colour_type, 0, 0,
                         interlace)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + extra
            + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def png_seeds():
    seeds = {}
    for colour_type, depths in ((0, (1, 2, 4, 8, 16)), (2, (8, 16)),
                                (3, (1, 2, 4, 8)), (4, (8, 16)),
                                (6, (8, 16))):
        for depth in depths:
            extra = b""
            if colour_type == 3:
                extra = (chunk(b"PLTE", bytes(i & 255 for i in range(3 * (1 << depth))))
                         + chunk(b"tRNS", b"\x00\x80"))
            seeds[f"png_t{colour_type}_d{depth}"] = png_file(
                5, 3, colour_type, depth, extra=extra)
    seeds["png_interlaced"] = png_file(9, 9, 6, 8, interlace=1)
    seeds["png_grey_trns"] = png_file(3, 3, 0, 8,
                                      extra=chunk(b"tRNS", b"\x00\x10"))
    return seeds


# ---- archives ---------------------------------------------------------

def midlet_archive():
    entries = [
        hostile.Entry("META-INF/", b""),
        hostile.Entry("META-INF/MANIFEST.MF", MANIFESTS[0], method=8),
        hostile.Entry("icon.png", png_file(4, 4, 6, 8)),
        hostile.Entry("game/Main.class", b"\xca\xfe\xba\xbe" + b"\0" * 60,
                      method=8),
        hostile.Entry("empty.txt", b""),
    ]
    return hostile.archive(entries)


def archive_seeds():
    seeds = {name: make() for name, make in hostile.CORPUS.items()}
    seeds["midlet.jar"] = midlet_archive()
    return seeds


TARGETS = {
    "name_pattern": name_pattern_seeds,
    "descriptor": manifest_seeds,
    "load_image": lambda: {**bitmap_seeds(), **icon_seeds()},
    "icon_data": icon_seeds,
    "png_to_bmp": lambda: {**png_seeds(), **manifest_seeds()},
    "archive_extractor": archive_seeds,
}


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    for target, make in TARGETS.items():
        folder = os.path.join(sys.argv[1], target)
        os.makedirs(folder, exist_ok=True)
        for name, data in make().items():
            with open(os.path.join(folder, name), "wb") as out:
                out.write(data)


if __name__ == "__main__":
    main()
