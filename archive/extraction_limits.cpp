// The bounds against decompression bombs and the budget of one extraction.
#include "archive/archive_extractor.h"
#include "archive/extract_steps.h"
#include "platform/files.h"

namespace {
int64_t totalLimit = kDefaultExtractionTotal;
int64_t minimumFree = kDefaultExtractionMinimumFree;
}  // namespace

void SetExtractionLimits(int64_t totalBytes, int64_t minimumFreeBytes) {
  totalLimit = totalBytes;
  minimumFree = minimumFreeBytes;
}

WriteBudget NewWriteBudget(const std::string& destination) {
  WriteBudget budget;
  budget.totalLimit = totalLimit;
  budget.minimumFree = minimumFree;
  budget.destination = destination;
  return budget;
}

int BudgetAllows(const WriteBudget& budget, int64_t size) {
  if (budget.written + size > budget.totalLimit) return 0;
  int64_t free = FreeSpaceOf(budget.destination);
  // A file system that cannot tell its free space is not held against us.
  return free < 0 || free - size >= budget.minimumFree;
}
