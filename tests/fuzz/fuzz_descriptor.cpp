// The manifest line reader, the descriptor builder and the text the view
// shows, on any manifest bytes.
#include <string>
#include <vector>

#include "tests/fuzz/fuzz_check.h"
#include "workflows/descriptor.h"

namespace {

std::string WithoutTerminators(const std::string& bytes) {
  std::string kept;
  for (char ch : bytes)
    if (ch != '\r' && ch != '\n' && ch != '\0') kept += ch;
  return kept;
}

// A plain UTF-8 check, written apart from the one the view uses: shortest
// forms only, no surrogates, nothing above U+10FFFF.
bool IsWellFormedUtf8(const std::string& text) {
  size_t at = 0;
  while (at < text.size()) {
    unsigned char lead = static_cast<unsigned char>(text[at]);
    size_t follow;
    uint32_t code;
    if (lead < 0x80) { ++at; continue; }
    if (lead >= 0xC2 && lead <= 0xDF) { follow = 1; code = lead & 0x1F; }
    else if (lead >= 0xE0 && lead <= 0xEF) { follow = 2; code = lead & 0x0F; }
    else if (lead >= 0xF0 && lead <= 0xF4) { follow = 3; code = lead & 0x07; }
    else return false;
    if (text.size() - at <= follow) return false;
    for (size_t k = 1; k <= follow; ++k) {
      unsigned char next = static_cast<unsigned char>(text[at + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    if (follow == 2 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) return false;
    if (follow == 3 && (code < 0x10000 || code > 0x10FFFF)) return false;
    at += follow + 1;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> lines = SplitManifestLines(bytes);
  std::string joined, expected;
  for (const std::string& line : lines) {
    FUZZ_CHECK(line.find_first_of(std::string("\r\n\0", 3)) == std::string::npos);
    joined += line;
    expected += "\r\n" + line;
  }
  FUZZ_CHECK(joined == WithoutTerminators(bytes));
  FUZZ_CHECK(lines.size() <= bytes.size());

  expected += "\r\nMIDlet-Jar-Size: 1234\r\nMIDlet-Jar-URL: game.jar";
  FUZZ_CHECK(BuildDescriptorText(bytes, 1234, "game.jar") == expected);

  std::string shown = DisplayTextOf(bytes);
  FUZZ_CHECK(IsWellFormedUtf8(shown));
  if (IsWellFormedUtf8(bytes)) FUZZ_CHECK(shown == bytes);
  return 0;
}
