#!/usr/bin/env python3
"""Writes a corpus of hostile ZIP archives into the folder given.

Every archive is built byte by byte, so each one is exactly what its name
says. hostile_corpus_expected.txt beside this script lists, for each file,
how many files an extraction with the pattern "*.*" writes when stored
folders are flattened and when they are recreated.

usage: make_hostile_corpus.py FOLDER
"""
import os
import struct
import sys
import zlib

DATE = (2009 - 1980) << 9 | 5 << 5 | 17  # 2009-05-17
TIME = 14 << 11 | 23 << 5 | 23           # 14:23:46


class Entry:
    """One entry as it is to be written: name, the bytes as stored."""

    def __init__(self, name, data=b"", method=0, flag=0, crc=None,
                 size=None, stored=None):
        self.name = name if isinstance(name, bytes) else name.encode()
        self.data = data
        self.method = method
        self.flag = flag
        self.stored = stored if stored is not None else (
            deflate(data) if method == 8 else data)
        self.crc = zlib.crc32(data) if crc is None else crc
        self.size = len(data) if size is None else size
        self.offset = 0
        self.local_extra = b""
        self.central_extra = b""
        self.central_sizes = None  # (compressed, uncompressed) override
        self.central_offset = None


def deflate(data):
    packer = zlib.compressobj(9, zlib.DEFLATED, -15)
    return packer.compress(data) + packer.flush()


def local_header(e):
    return struct.pack("<IHHHHHIIIHH", 0x04034B50, 20, e.flag, e.method, TIME,
                       DATE, e.crc, len(e.stored), e.size, len(e.name),
                       len(e.local_extra)) + e.name + e.local_extra


def central_header(e):
    compressed, size = e.central_sizes or (len(e.stored), e.size)
    offset = e.offset if e.central_offset is None else e.central_offset
    return struct.pack("<IHHHHHHIIIHHHHHII", 0x02014B50, 20, 20, e.flag,
                       e.method, TIME, DATE, e.crc, compressed, size,
                       len(e.name), len(e.central_extra), 0, 0, 0, 0,
                       offset) + e.name + e.central_extra


def end_record(count, directory_size, directory_offset):
    return struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, count, count,
                       directory_size, directory_offset, 0)


def archive(entries, stub=b""):
    """Local headers and data, then the directory, then the end record.
    Offsets are counted from the start of the archive proper, as a stub
    simply put in front of it leaves them."""
    body = b""
    for e in entries:
        e.offset = len(body)
        body += local_header(e) + e.stored
    directory = b"".join(central_header(e) for e in entries)
    return stub + body + directory + end_record(len(entries), len(directory),
                                                len(body))


def good():
    return Entry("good.txt", b"good data\n" * 20, method=8)


def traversal(separator):
    s = separator
    return archive([
        Entry(".." + s + "evil1.txt", b"escaped one level\n", method=8),
        Entry("a" + s + ".." + s + ".." + s + "evil2.txt", b"two levels\n"),
        Entry(s.join([".."] * 12 + ["tmp", "tolvanex-hostile-deep.txt"]),
              b"to /tmp\n"),
        Entry("x" + s + "..", b"file part is a folder step\n"),
        good()])


def absolute_names():
    return archive([
        Entry("/tmp/tolvanex-hostile-absolute.txt", b"absolute\n"),
        Entry("\\tmp\\tolvanex-hostile-absolute2.txt", b"absolute\n"),
        good()])


def drive_names():
    return archive([
        Entry("C:\\x\\drive1.txt", b"drive with folder\n"),
        Entry("C:drive2.txt", b"drive-relative\n"),
        Entry("C:/../drive3.txt", b"drive then parent step\n"),
        good()])


def control_bytes():
    return archive([
        Entry(b"bad\x01name.txt", b"x"),
        Entry(b"line\nbreak.txt", b"x"),
        Entry(b"nul\x00hidden.txt", b"x"),
        Entry(b"escape\x1b[2J.txt", b"x"),
        good()])


def long_names():
    return archive([
        Entry("n" * 296 + ".txt", b"one 300-byte component\n"),
        Entry("/".join(["d" * 99, "e" * 99, "f" * 96 + ".txt"]),
              b"300 bytes over three folders\n"),
        good()])


def encrypted():
    # Traditional encryption: a 12-byte header in front of the data.
    secret = Entry("secret.txt", b"plain text", flag=1,
                   stored=bytes(range(12)) + b"0123456789")
    secret.size = 10
    return archive([secret, good()])


def unsupported_methods():
    entries = [Entry("bzip2.txt", b"data", method=12, stored=b"BZh91AY&SY\x00\x00"),
               Entry("lzma.txt", b"data", method=14, stored=b"\x09\x14\x05\x00" + b"\x00" * 8),
               Entry("deflate64.txt", b"data", method=9, stored=deflate(b"data")),
               Entry("aes.txt", b"data", method=99, stored=b"\x00" * 28),
               good()]
    return archive(entries)


def complete_three():
    return archive([Entry("one.txt", b"1" * 3000, method=8),
                    Entry("two.txt", b"2" * 3000, method=8),
                    Entry("three.txt", b"3" * 3000, method=8)])


def truncated_in_directory():
    whole = complete_three()
    directory = whole.rfind(b"PK\x01\x02")
    return whole[:directory + 20]


def truncated_in_data():
    whole = complete_three()
    return whole[:len(whole) // 4]


def truncated_entry_data():
    """The last entry's data is cut short while the directory stays: its
    recorded size runs on into the directory."""
    first, second = Entry("one.txt", b"1" * 3000, method=8), good()
    cut = Entry("cut.txt", bytes(range(256)) * 40)  # stored, 10240 bytes
    full = cut.stored
    cut.stored = full[:len(full) // 2]
    body = b""
    for e in (first, second, cut):
        e.offset = len(body)
        header = local_header_with(e, len(full)) if e is cut else local_header(e)
        body += header + e.stored
    cut.central_sizes = (len(full), len(full))
    directory = b"".join(central_header(e) for e in (first, second, cut))
    return body + directory + end_record(3, len(directory), len(body))


def local_header_with(e, compressed):
    saved = e.stored
    if compressed != len(saved):
        e.stored = b"\x00" * compressed
    header = local_header(e)
    e.stored = saved
    return header


def empty_archive():
    return end_record(0, 0, 0)


def prepended_stub():
    stub = b"#!/bin/sh\necho this is not a zip\nexit 0\n" + b"\x00" * 983
    return archive([Entry("inside.txt", b"behind a stub\n", method=8), good()],
                   stub=stub)


def zip64():
    """An entry written as Zip64: sizes and offset of 0xFFFFFFFF in the
    directory, the real values in the Zip64 extra field, and the Zip64 end
    records."""
    big = Entry("zip64.txt", b"small data under zip64 headers\n", method=8)
    big.local_extra = struct.pack("<HHQQ", 1, 16, big.size, len(big.stored))
    plain = good()
    body = b""
    big.offset = 0
    saved = big.size
    local = struct.pack("<IHHHHHIIIHH", 0x04034B50, 45, 0, 8, TIME, DATE,
                        big.crc, 0xFFFFFFFF, 0xFFFFFFFF, len(big.name),
                        len(big.local_extra)) + big.name + big.local_extra
    body += local + big.stored
    plain.offset = len(body)
    body += local_header(plain) + plain.stored
    big.central_extra = struct.pack("<HHQQQ", 1, 24, saved, len(big.stored), 0)
    big.central_sizes = (0xFFFFFFFF, 0xFFFFFFFF)
    big.central_offset = 0xFFFFFFFF
    directory = central_header(big) + central_header(plain)
    end64_at = len(body) + len(directory)
    end64 = struct.pack("<IQHHIIQQQQ", 0x06064B50, 44, 45, 45, 0, 0, 2, 2,
                        len(directory), len(body))
    locator = struct.pack("<IIQI", 0x07064B50, 0, end64_at, 1)
    return body + directory + end64 + locator + end_record(2, len(directory), len(body))


def size_2gib():
    return archive([Entry("two_gib.txt", b"tiny", size=0x80000000),
                    Entry("four_gib.txt", b"tiny", size=0xFFFFFFFE),
                    good()])


def overlapping_same_header():
    """Many directory entries pointing at one local header and its data."""
    kernel = Entry("aaaa.txt", b"A" * 100000, method=8)
    body = local_header(kernel) + kernel.stored
    names = ["aaaa.txt", "bbbb.txt", "cccc.txt", "dddd.txt"]
    directory = b""
    for name in names:
        alias = Entry(name, kernel.data, method=8, stored=kernel.stored)
        directory += central_header(alias)
    return body + directory + end_record(len(names), len(directory), len(body))


def overlapping_nested():
    """The first entry's stored data holds the second entry whole."""
    inner = Entry("inner.txt", b"inner data\n" * 50, method=8)
    inner_bytes = local_header(inner) + inner.stored
    outer = Entry("outer.txt", inner_bytes)  # stored
    body = local_header(outer) + outer.stored
    inner.offset = len(local_header(outer))
    directory = central_header(outer) + central_header(inner)
    return body + directory + end_record(2, len(directory), len(body))


CORPUS = {
    "traversal_slash.zip": lambda: traversal("/"),
    "traversal_backslash.zip": lambda: traversal("\\"),
    "absolute_names.zip": absolute_names,
    "drive_names.zip": drive_names,
    "control_bytes.zip": control_bytes,
    "long_names.zip": long_names,
    "encrypted.zip": encrypted,
    "unsupported_methods.zip": unsupported_methods,
    "truncated_in_directory.zip": truncated_in_directory,
    "truncated_in_data.zip": truncated_in_data,
    "truncated_entry_data.zip": truncated_entry_data,
    "empty_archive.zip": empty_archive,
    "prepended_stub.zip": prepended_stub,
    "zip64.zip": zip64,
    "size_2gib.zip": size_2gib,
    "overlapping_same_header.zip": overlapping_same_header,
    "overlapping_nested.zip": overlapping_nested,
}


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for name, make in CORPUS.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(make())


if __name__ == "__main__":
    main()
