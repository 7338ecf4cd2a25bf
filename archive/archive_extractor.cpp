// The walk over an archive's central directory that ArchiveExtractor makes.
#include "archive/archive_extractor.h"

#include <minizip/unzip.h>

#include <memory>
#include <vector>

#include "archive/extract_steps.h"
#include "archive/name_pattern.h"
#include "platform/files.h"

namespace {

constexpr unsigned kCopyBufferSize = 102400;
constexpr size_t kNameCapacity = 65536;  // the longest name a ZIP can hold
constexpr unsigned long kEncryptedFlag = 1;

struct Extraction {
  unzFile reader = nullptr;
  std::string pattern;
  std::string destination;
  int keepPaths = 0;
  bool destinationMade = false;
  int count = 0;
  bool ended = false;  // the bound was reached
  EntrySpans spans;
  WriteBudget budget;
  std::vector<char> name = std::vector<char>(kNameCapacity + 1);
  std::unique_ptr<char[]> copyBuffer = std::make_unique<char[]>(kCopyBufferSize);
};

// What is known of the current entry before it is opened.
struct Entry {
  unz_file_info info{};
  std::string rawName;
  EntryNames names;
  int32_t size = 0;  // the recorded size read as a signed 32-bit number
};

int FetchEntry(Extraction& run, Entry& entry) {
  if (unzGetCurrentFileInfo(run.reader, &entry.info, run.name.data(), kNameCapacity,
                            nullptr, 0, nullptr, 0) != UNZ_OK)
    return 0;
  size_t length = entry.info.size_filename < kNameCapacity ? entry.info.size_filename : kNameCapacity;
  entry.rawName.assign(run.name.data(), length);
  entry.names = MakeEntryNames(entry.rawName);
  entry.size = static_cast<int32_t>(static_cast<uint32_t>(entry.info.uncompressed_size));
  return 1;
}

bool IsFolderEntry(const Extraction& run, const Entry& entry) {
  return run.keepPaths == 1 && !entry.names.stored.empty() && entry.names.stored.back() == '/';
}

// The checks made before an entry is opened: it fits, it can really be
// unpacked, and its name cannot reach outside the destination.
bool IsTaken(const Extraction& run, const Entry& entry) {
  bool fits = NamePattern(entry.names.filePart, run.pattern) == 1 ||
              (entry.size == 0 && run.keepPaths == 1);
  if (!fits || HasControlBytes(entry.rawName)) return false;
  unsigned long method = entry.info.compression_method;
  if ((method != 0 && method != Z_DEFLATED) || (entry.info.flag & kEncryptedFlag)) return false;
  if (run.keepPaths != 0) return StaysInsideFolder(entry.names.driveStripped) != 0;
  return entry.names.filePart != "." && entry.names.filePart != "..";
}

// The entry's local header and data, [header, end of data), must not share
// a byte with those of an earlier entry.
bool ClaimLocalData(Extraction& run, const Entry& entry) {
  uint64_t dataStart = unzGetCurrentFileZStreamPos64(run.reader);
  int localExtra = unzGetLocalExtrafield(run.reader, nullptr, 0);
  uint64_t headerBytes = 30 + entry.info.size_filename + static_cast<uint64_t>(localExtra < 0 ? 0 : localExtra);
  if (localExtra < 0 || dataStart < headerBytes) return false;
  uint64_t dataEnd = dataStart + static_cast<uint32_t>(entry.info.compressed_size);
  return ClaimEntrySpan(run.spans, dataStart - headerBytes, dataEnd) != 0;
}

void WriteFileEntry(Extraction& run, const Entry& entry) {
  std::string target = run.destination;
  if (run.keepPaths == 0) {
    target += entry.names.filePart;
  } else {
    target += entry.names.driveStripped;
    MakeFolderPath(target);
  }
  CopyOutcome outcome = CopyCurrentEntry(run.reader, target, static_cast<uint32_t>(entry.size),
                                         run.copyBuffer.get(), kCopyBufferSize, run.budget);
  if (outcome == CopyOutcome::OverBudget) run.ended = true;
  if (outcome != CopyOutcome::Written) return;
  const tm_unz& when = entry.info.tmu_date;
  StampFileTime(target, static_cast<int>(when.tm_year), static_cast<int>(when.tm_mon) + 1,
                static_cast<int>(when.tm_mday), static_cast<int>(when.tm_hour),
                static_cast<int>(when.tm_min));
  ++run.count;
}

void HandleEntry(Extraction& run) {
  Entry entry;
  if (!FetchEntry(run, entry) || !IsTaken(run, entry)) return;
  if (unzOpenCurrentFile(run.reader) != UNZ_OK) return;
  if (!ClaimLocalData(run, entry)) {
    unzCloseCurrentFile(run.reader);
    return;
  }
  if (!run.destinationMade) {
    MakeFolderPath(run.destination);
    run.destinationMade = true;
  }
  if (IsFolderEntry(run, entry)) {
    MakeFolderPath(run.destination + entry.names.driveStripped);
  } else if (entry.size >= 0) {
    WriteFileEntry(run, entry);
    return;
  }
  unzCloseCurrentFile(run.reader);
}

}  // namespace

int ArchiveExtractor(const std::string& archivePath, const std::string& pattern,
                     const std::string& destination, int keepPaths) {
  unzFile reader = unzOpen(archivePath.c_str());
  if (reader == nullptr) return 0;
  Extraction run;
  run.reader = reader;
  run.pattern = pattern.empty() ? "*.*" : pattern;
  run.destination = destination;
  if (run.destination.empty() || run.destination.back() != '/') run.destination += '/';
  run.keepPaths = keepPaths;
  run.budget = NewWriteBudget(run.destination);
  for (int at = unzGoToFirstFile(reader); at == UNZ_OK && !run.ended; at = unzGoToNextFile(reader))
    HandleEntry(run);
  unzClose(reader);
  return run.count;
}
