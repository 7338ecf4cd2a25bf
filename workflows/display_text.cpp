// Bytes for the descriptor view: UTF-8 when they are, Windows-1251 otherwise.
#include <cstdint>

#include "workflows/descriptor.h"

namespace {

// Windows-1251 bytes 0x80 to 0xBF; 0xC0 to 0xFF are U+0410 to U+044F.
const uint16_t Cyrillic80[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0xFFFD, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

bool IsUtf8(const std::string& bytes) {
  size_t at = 0;
  while (at < bytes.size()) {
    auto lead = static_cast<unsigned char>(bytes[at]);
    size_t follow = lead < 0x80 ? 0 : (lead >> 5) == 0x6 ? 1 : (lead >> 4) == 0xE ? 2 : (lead >> 3) == 0x1E ? 3 : 9;
    if (follow == 9 || (follow == 1 && lead < 0xC2) || at + follow >= bytes.size() + (follow == 0 ? 1 : 0))
      return false;
    uint32_t code = follow == 0 ? lead : lead & (0x3F >> follow);
    for (size_t k = 1; k <= follow; ++k) {
      auto next = static_cast<unsigned char>(bytes[at + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    if ((follow == 2 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) ||
        (follow == 3 && (code < 0x10000 || code > 0x10FFFF)))
      return false;
    at += follow + 1;
  }
  return true;
}

void AppendUtf8(std::string* text, uint32_t code) {
  if (code < 0x80) {
    *text += static_cast<char>(code);
  } else if (code < 0x800) {
    *text += static_cast<char>(0xC0 | (code >> 6));
    *text += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    *text += static_cast<char>(0xE0 | (code >> 12));
    *text += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    *text += static_cast<char>(0x80 | (code & 0x3F));
  }
}

}  // namespace

std::string DisplayTextOf(const std::string& bytes) {
  if (IsUtf8(bytes)) return bytes;
  std::string text;
  for (unsigned char c : bytes)
    AppendUtf8(&text, c < 0x80 ? c : c < 0xC0 ? Cyrillic80[c - 0x80] : 0x0410u + (c - 0xC0u));
  return text;
}
