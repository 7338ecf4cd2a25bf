// archive/archive_extractor.h — unpacks the entries of a ZIP archive.
//
// ArchiveExtractor(archive, pattern, destination, keepPaths) writes every
// entry whose file part (the name after the last folder) fits the pattern
// (NamePattern; "" means "*.*") into the destination and answers the number
// of files written completely. The destination gets "/" appended when it does
// not end in one; it is made (with every missing folder above it) once the
// first entry has opened, so an archive of which nothing opens leaves no
// folder behind.
//   keepPaths 0: stored folders are flattened, each file lands directly in
//     the destination; a later file of the same name replaces an earlier one.
//   keepPaths 1: stored folders are recreated; entries whose name ends in a
//     separator only make their folder, and empty entries are taken whatever
//     the pattern says.
//   other values: folders recreated, but no folder entries and no empty
//     entries taken on their size alone.
// Stored names may separate folders with "/" or "\"; leading and trailing
// spaces are dropped; a name holding ":\" or ":/" loses everything up to
// and including its first occurrence when folders are recreated. Names are
// used whole, as long as the file system takes them.
//
// What is refused (passed over, the walk goes on with the next entry):
// names holding control bytes; methods other than stored and deflate;
// encrypted entries; recorded sizes of 2 GiB or more; entries whose local
// data overlaps an earlier entry's; with folders recreated, names that begin
// with a separator or a drive ("C:") or hold a ".." folder step, so nothing
// lands outside the destination. Data that fails to inflate, comes out
// shorter than recorded or does not match its CRC-32 leaves no file and is
// not counted.
//
// Bound against decompression bombs: once more than the total limit would
// have been written in one call, or the destination's file system would keep
// less than the minimum free space, the entry being written is removed, not
// counted, and the extraction ends there with the count so far.
//
// Each file written gets the recorded date and time (second 0) as its
// last-write time, read as local wall-clock time with the time-zone rules of
// that date; an impossible date leaves the time as written, the file counts.
#pragma once

#include <cstdint>
#include <string>

int ArchiveExtractor(const std::string& archivePath, const std::string& pattern,
                     const std::string& destination, int keepPaths);

// Sets the last-write time of an existing file to the local wall-clock time
// given (second 0), converted with the rules of that date; the access time is
// left alone. Non-zero when stamped; 0 when the parts are no valid date and
// time or the file cannot be stamped, and then the file is left as it was.
int StampFileTime(const std::string& filePath, int year, int month, int day,
                  int hour, int minute);

// The bounds of one extraction. The defaults are 4 GiB written in total and
// 1 GiB kept free; tests lower them to show the bound with small archives.
constexpr int64_t kDefaultExtractionTotal = int64_t{4} << 30;
constexpr int64_t kDefaultExtractionMinimumFree = int64_t{1} << 30;
void SetExtractionLimits(int64_t totalBytes, int64_t minimumFreeBytes);
