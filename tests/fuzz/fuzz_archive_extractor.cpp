// Any bytes as an archive: written to a file in a scratch folder, extracted
// with stored folders flattened and recreated, then the destination is
// removed again. Nothing may appear beside the destination, a flattened
// extraction makes no sub-folder, no link is ever made, and no more files
// remain than the count says were written.
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "archive/archive_extractor.h"
#include "platform/files.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

struct TreeCount {
  int files = 0;
  int folders = 0;
  int others = 0;  // links, devices, anything else
};

TreeCount* counting = nullptr;

int CountOne(const char*, const struct stat* info, int kind, struct FTW*) {
  if (kind == FTW_F && S_ISREG(info->st_mode))
    ++counting->files;
  else if (kind == FTW_D || kind == FTW_DP)
    ++counting->folders;
  else
    ++counting->others;
  return 0;
}

TreeCount CountTree(const std::string& folder) {
  TreeCount count;
  counting = &count;
  nftw(folder.c_str(), CountOne, 16, FTW_PHYS);
  counting = nullptr;
  return count;
}

int RemoveOne(const char* path, const struct stat*, int kind, struct FTW*) {
  if (kind == FTW_DP) rmdir(path);
  else unlink(path);
  return 0;
}

void RemoveTree(const std::string& folder) {
  nftw(folder.c_str(), RemoveOne, 16, FTW_DEPTH | FTW_PHYS);
}

// The scratch folder of this process: input.zip and out/ beside each other.
// Kept in a plain array, so the removal at exit never meets a destroyed
// string.
char scratchFolder[4096];

void RemoveScratch() { RemoveTree(scratchFolder); }

std::string Scratch() {
  if (scratchFolder[0] == 0) {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/tolvanex-fuzz-XXXXXX";
    FUZZ_CHECK(pattern.size() < sizeof scratchFolder && mkdtemp(pattern.data()) != nullptr);
    pattern.copy(scratchFolder, pattern.size());
    std::atexit(RemoveScratch);
    // Small bounds keep a bomb from filling the disk while fuzzing.
    SetExtractionLimits(8 << 20, 64 << 20);
  }
  return scratchFolder;
}

void ExtractOnce(const std::string& archive, int keepPaths) {
  const std::string out = Scratch() + "/out";
  const std::string destination = out + "/Test/";
  int written = ArchiveExtractor(archive, "*.*", destination, keepPaths);
  FUZZ_CHECK(written >= 0);
  // Only input.zip and out/ beside the destination, and out/ holds only Test/.
  TreeCount scratch = CountTree(Scratch());
  TreeCount inside = CountTree(destination);
  if (PathExists(destination)) {
    FUZZ_CHECK(scratch.files == inside.files + 1 && scratch.folders == inside.folders + 2);
  } else {
    FUZZ_CHECK(written == 0);
    FUZZ_CHECK(scratch.files == 1 && scratch.folders == 1 + (PathExists(out) ? 1 : 0));
  }
  FUZZ_CHECK(scratch.others == 0);
  FUZZ_CHECK(inside.files <= written);
  if (keepPaths == 0 && PathExists(destination)) FUZZ_CHECK(inside.folders == 1);
  RemoveTree(out);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string archive = Scratch() + "/input.zip";
  int file = CreateFileForWriting(archive);
  FUZZ_CHECK(file >= 0);
  FUZZ_CHECK(WriteFileBytes(file, data, size) && CloseFile(file));
  ExtractOnce(archive, 0);
  ExtractOnce(archive, 1);
  return 0;
}
