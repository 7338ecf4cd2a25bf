// archive/extract_steps.h — the pieces ArchiveExtractor is built from; used
// only inside archive/.
#pragma once

#include <cstdint>
#include <map>
#include <string>

// The forms of one entry's name. Separators are "/" throughout.
struct EntryNames {
  std::string stored;         // trimmed of spaces, "\" turned into "/"
  std::string filePart;       // after the last "/"; empty for "dir/"
  std::string driveStripped;  // stored, without anything up to a first ":/"
};
EntryNames MakeEntryNames(const std::string& rawName);

// Non-zero when the raw name holds a byte below 0x20 or 0x7F.
int HasControlBytes(const std::string& rawName);
// Non-zero when joining the name to the destination stays inside it: no
// leading "/", no leading drive "X:", no ".." folder step.
int StaysInsideFolder(const std::string& relativeName);

// Byte ranges of the archive already claimed by entries' local headers and
// data, keyed by start, holding the end (exclusive).
using EntrySpans = std::map<uint64_t, uint64_t>;
// Claims [start, end); 0 when it overlaps a range claimed before.
int ClaimEntrySpan(EntrySpans& spans, uint64_t start, uint64_t end);

// The limits in force and the bytes one call has written so far.
struct WriteBudget {
  int64_t written = 0;
  int64_t totalLimit = 0;
  int64_t minimumFree = 0;
  std::string destination;  // the folder whose file system is watched
};
WriteBudget NewWriteBudget(const std::string& destination);
// Non-zero when another block of the given size may be written.
int BudgetAllows(const WriteBudget& budget, int64_t size);

enum class CopyOutcome { Written, Damaged, OverBudget };
// Copies the opened current entry of the reader into a file created at
// path, through the copy buffer, and closes the entry. Anything but Written
// removes the file. recordedSize is the size the directory gives.
CopyOutcome CopyCurrentEntry(void* reader, const std::string& path,
                             uint32_t recordedSize, char* buffer,
                             unsigned bufferSize, WriteBudget& budget);
