// Copies one opened archive entry into a file, keeping nothing damaged.
#include <minizip/unzip.h>

#include "archive/extract_steps.h"
#include "platform/files.h"

namespace {

// Reads the entry to its end into the file. Damaged when a read fails, when
// the data ends short of the recorded size or its CRC-32 does not match.
CopyOutcome CopyData(unzFile reader, int file, uint32_t recordedSize, char* buffer,
                     unsigned bufferSize, WriteBudget& budget) {
  uint64_t delivered = 0;
  for (;;) {
    int got = unzReadCurrentFile(reader, buffer, bufferSize);
    if (got < 0) return CopyOutcome::Damaged;
    if (got == 0) break;
    if (!BudgetAllows(budget, got)) return CopyOutcome::OverBudget;
    if (!WriteFileBytes(file, buffer, static_cast<size_t>(got))) return CopyOutcome::Damaged;
    budget.written += got;
    delivered += static_cast<uint64_t>(got);
  }
  return delivered == recordedSize ? CopyOutcome::Written : CopyOutcome::Damaged;
}

}  // namespace

CopyOutcome CopyCurrentEntry(void* reader, const std::string& path,
                             uint32_t recordedSize, char* buffer,
                             unsigned bufferSize, WriteBudget& budget) {
  unzFile zip = static_cast<unzFile>(reader);
  int file = CreateFileForWriting(path);
  if (file < 0) {
    unzCloseCurrentFile(zip);
    return CopyOutcome::Damaged;
  }
  CopyOutcome outcome = CopyData(zip, file, recordedSize, buffer, bufferSize, budget);
  // Closing the entry gives the CRC-32 verdict once all data has been read.
  int verdict = unzCloseCurrentFile(zip);
  int closed = CloseFile(file);
  if (outcome == CopyOutcome::Written && (verdict != UNZ_OK || !closed))
    outcome = CopyOutcome::Damaged;
  if (outcome != CopyOutcome::Written) DeleteFileAt(path);
  return outcome;
}
