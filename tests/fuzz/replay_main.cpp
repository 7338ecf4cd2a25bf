// Replays saved inputs through a fuzz target without libFuzzer: every file
// named on the command line, and every file directly inside a folder named
// there. A broken property aborts; a clean run answers 0.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/fuzz/fuzz_check.h"

namespace {

std::vector<std::string> InputsOf(const std::string& path) {
  struct stat info;
  if (stat(path.c_str(), &info) != 0) return {};
  if (!S_ISDIR(info.st_mode)) return {path};
  std::vector<std::string> inputs;
  if (DIR* folder = opendir(path.c_str())) {
    while (dirent* entry = readdir(folder)) {
      std::string full = path + "/" + entry->d_name;
      if (entry->d_name[0] != '.' && stat(full.c_str(), &info) == 0 && S_ISREG(info.st_mode))
        inputs.push_back(full);
    }
    closedir(folder);
  }
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

}  // namespace

int main(int argc, char** argv) {
  int replayed = 0;
  for (int i = 1; i < argc; ++i) {
    struct stat info;
    if (stat(argv[i], &info) != 0) {
      std::fprintf(stderr, "no such input: %s\n", argv[i]);
      return 2;
    }
    for (const std::string& input : InputsOf(argv[i])) {
      std::ifstream file(input, std::ios::binary);
      std::vector<char> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
      std::fprintf(stderr, "replaying %s (%zu bytes)\n", input.c_str(), bytes.size());
      LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
      ++replayed;
    }
  }
  std::fprintf(stderr, "%d inputs replayed\n", replayed);
  return 0;
}
