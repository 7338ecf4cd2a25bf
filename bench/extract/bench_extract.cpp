// bench-extract: times ArchiveExtractor flattening generated archives into
// an empty folder, side by side with "unzip -o -j -q" on the same archive,
// and prints the medians and their ratio.
//
// usage: bench-extract [--quick] [--runs N] [--folder DIR]
//   --quick   tiny sizes, one run each: only shows that it works
#include <minizip/zip.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "archive/archive_extractor.h"

extern char** environ;

namespace fs = std::filesystem;

namespace {

struct ArchiveShape {
  const char* label;
  int entries;
  int64_t entryBytes;  // uncompressed size of each entry
  int runs;
};

// Deterministic bytes that deflate to about half their size, like the class
// files and resources of a JAR: runs of words mixed with noise.
void FillBlock(std::vector<unsigned char>& block, uint32_t& state) {
  static const char* const kWords[] = {"java/lang/Object", "getValue", "<init>", "Code",
                                       "LineNumberTable", "javax/microedition/lcdui",
                                       "paint", "Graphics", "setColor", "drawString"};
  size_t at = 0;
  while (at < block.size()) {
    state = state * 1664525u + 1013904223u;
    if ((state >> 28) < 9) {
      const char* word = kWords[(state >> 16) % 10];
      for (size_t i = 0; word[i] && at < block.size(); ++i) block[at++] = static_cast<unsigned char>(word[i]);
    } else {
      for (int i = 0; i < 12 && at < block.size(); ++i) {
        state = state * 1664525u + 1013904223u;
        block[at++] = static_cast<unsigned char>(state >> 24);
      }
    }
  }
}

bool WriteArchive(const std::string& path, const ArchiveShape& shape, int zip64) {
  zipFile zip = zipOpen64(path.c_str(), APPEND_STATUS_CREATE);
  if (zip == nullptr) return false;
  std::vector<unsigned char> block(65536);
  uint32_t state = 12345;
  bool ok = true;
  for (int e = 0; e < shape.entries && ok; ++e) {
    char name[64];
    std::snprintf(name, sizeof name, "pkg%02d/sub/Entry%05d.class", e % 37, e);
    zip_fileinfo info{};
    info.tmz_date = {46, 23, 14, 17, 4, 2009};
    ok = zipOpenNewFileInZip64(zip, name, &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                               6, zip64) == ZIP_OK;
    for (int64_t left = shape.entryBytes; left > 0 && ok;) {
      FillBlock(block, state);
      unsigned size = static_cast<unsigned>(std::min<int64_t>(left, static_cast<int64_t>(block.size())));
      ok = zipWriteInFileInZip(zip, block.data(), size) == ZIP_OK;
      left -= size;
    }
    ok = ok && zipCloseFileInZip(zip) == ZIP_OK;
  }
  return zipClose(zip, nullptr) == ZIP_OK && ok;
}

double Seconds(std::chrono::steady_clock::time_point from) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - from).count();
}

void EmptyFolder(const std::string& folder) {
  std::error_code ignored;
  fs::remove_all(folder, ignored);
}

double TimeOurs(const std::string& archive, const std::string& folder, int* count) {
  EmptyFolder(folder);
  auto start = std::chrono::steady_clock::now();
  *count = ArchiveExtractor(archive, "*.*", folder, 0);
  return Seconds(start);
}

double TimeUnzip(const std::string& archive, const std::string& folder, int* status) {
  EmptyFolder(folder);
  fs::create_directories(folder);
  std::vector<std::string> words = {"unzip", "-o", "-j", "-q", archive, "-d", folder};
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  auto start = std::chrono::steady_clock::now();
  pid_t child = 0;
  if (posix_spawnp(&child, "unzip", nullptr, nullptr, argv.data(), environ) != 0) {
    *status = -1;
    return 0;
  }
  waitpid(child, status, 0);
  return Seconds(start);
}

int FilesIn(const std::string& folder) {
  int files = 0;
  std::error_code error;
  for (const auto& item : fs::directory_iterator(folder, error)) files += item.is_regular_file() ? 1 : 0;
  return files;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

long PeakMemoryKiB() {
  struct rusage usage = {};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

bool BenchShape(const std::string& work, const ArchiveShape& shape, int runs) {
  std::string archive = work + "/bench.zip", folder = work + "/out";
  if (!WriteArchive(archive, shape, 0)) {
    std::printf("%-10s could not write the archive\n", shape.label);
    return false;
  }
  std::vector<double> ours, theirs;
  int count = 0, status = 0;
  for (int run = 0; run < runs; ++run) {
    // Alternate who goes first so that neither always meets a warm cache.
    if (run % 2) theirs.push_back(TimeUnzip(archive, folder, &status));
    ours.push_back(TimeOurs(archive, folder, &count));
    if (run % 2 == 0) theirs.push_back(TimeUnzip(archive, folder, &status));
  }
  int unzipped = FilesIn(folder);
  double a = Median(ours), b = Median(theirs);
  std::printf("%-10s %6d entries %8.1f MB  ours %9.2f ms  unzip %9.2f ms  ratio %.2f  (%d/%d files)\n",
              shape.label, shape.entries, fs::file_size(archive) / 1e6, a * 1e3, b * 1e3,
              b > 0 ? a / b : 0.0, count, unzipped);
  EmptyFolder(folder);
  fs::remove(archive);
  return count == shape.entries && status == 0 && unzipped == shape.entries;
}

// A Zip64 entry: what each side makes of it.
void ShowZip64(const std::string& work) {
  std::string archive = work + "/zip64.zip", folder = work + "/out";
  ArchiveShape shape = {"zip64", 2, 1000, 1};
  if (!WriteArchive(archive, shape, 1)) return;
  int count = 0, status = 0;
  TimeOurs(archive, folder, &count);
  TimeUnzip(archive, folder, &status);
  std::printf("zip64      archive of %d entries written as Zip64: ours %d files, unzip %d files\n",
              shape.entries, count, FilesIn(folder));
  EmptyFolder(folder);
  fs::remove(archive);
}

}  // namespace

int main(int argc, char** argv) {
  bool quick = false;
  int runs = 0;
  std::string base = fs::temp_directory_path().string();
  for (int at = 1; at < argc; ++at) {
    if (!std::strcmp(argv[at], "--quick")) quick = true;
    else if (!std::strcmp(argv[at], "--runs") && at + 1 < argc) runs = std::atoi(argv[++at]);
    else if (!std::strcmp(argv[at], "--folder") && at + 1 < argc) base = argv[++at];
    else {
      std::fprintf(stderr, "usage: bench-extract [--quick] [--runs N] [--folder DIR]\n");
      return 2;
    }
  }
  std::string work = base + "/bench-extract-XXXXXX";
  if (mkdtemp(work.data()) == nullptr) return 1;
  const ArchiveShape full[] = {{"midlet", 150, 8000, 21},
                               {"large", 5000, 21000, 7},
                               {"four64mb", 4, int64_t{64} << 20, 5}};
  const ArchiveShape tiny[] = {{"midlet", 15, 800, 1}, {"large", 50, 2400, 1}, {"four64mb", 4, 100000, 1}};
  bool ok = true;
  for (const ArchiveShape& shape : quick ? tiny : full)
    ok = BenchShape(work, shape, runs > 0 ? runs : shape.runs) && ok;
  ShowZip64(work);
  std::printf("peak memory of this process: %ld KiB\n", PeakMemoryKiB());
  EmptyFolder(work);
  return ok ? 0 : 1;
}
