// NamePattern on any name and pattern. The input is the name, a NUL, then
// the pattern (no NUL: the whole input is the name, the pattern is empty).
#include <string>

#include "archive/name_pattern.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

// The capitals NamePattern folds: A-Z and 0xC0-0xDE; their small letters lie
// 0x20 above.
std::string UpperCased(std::string text) {
  for (char& ch : text) {
    unsigned char byte = static_cast<unsigned char>(ch);
    if ((byte >= 'a' && byte <= 'z') || (byte >= 0xE0 && byte <= 0xFE))
      ch = static_cast<char>(byte - 0x20);
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  size_t nul = input.find('\0');
  std::string name = input.substr(0, nul);
  std::string pattern = nul == std::string::npos ? std::string() : input.substr(nul + 1);

  int fits = NamePattern(name, pattern);
  FUZZ_CHECK(fits == 0 || fits == 1);
  FUZZ_CHECK(NamePattern(UpperCased(name), UpperCased(pattern)) == fits);
  FUZZ_CHECK(NamePattern(name, "*.*") == 1);
  FUZZ_CHECK(NamePattern(name, name) == 1);
  return 0;
}
