// The single-scan wildcard matcher described in name_pattern.h.
#include "archive/name_pattern.h"

namespace {

std::string LowerCased(std::string text) {
  for (char& ch : text) {
    unsigned char byte = static_cast<unsigned char>(ch);
    if ((byte >= 0x41 && byte <= 0x5A) || (byte >= 0xC0 && byte <= 0xDE))
      ch = static_cast<char>(byte + 0x20);
  }
  return text;
}

// Positions are 1-based as in the description of the scan: name[i - 1] is
// the name byte at position i.
struct Scan {
  std::string name;
  std::string pattern;
  size_t i = 1;
  size_t j = 0;
  bool matched = false;
  bool failed = false;
  bool starPending = false;
};

void MatchOrdinaryByte(Scan& scan, char c) {
  const size_t n = scan.name.size();
  if (scan.starPending) {
    scan.starPending = false;
    do {
      ++scan.i;
    } while (scan.i <= n && scan.name[scan.i - 1] != c);
    if (scan.i <= n)
      ++scan.i;
    else
      scan.failed = true;
    return;
  }
  if (scan.i <= n && scan.name[scan.i - 1] == c)
    ++scan.i;
  else
    scan.failed = true;
}

void StepPattern(Scan& scan) {
  const size_t n = scan.name.size();
  const size_t m = scan.pattern.size();
  ++scan.j;
  const char c = scan.pattern[scan.j - 1];
  if (c == '*') {
    if (scan.j == m)
      scan.matched = true;
    else
      scan.starPending = true;
  }
  if (c == '|') {
    if (scan.i == n + 1) scan.matched = true;
  } else if (c == '?') {
    if (scan.i > n)
      scan.failed = true;
    else
      ++scan.i;
  } else if (c != '*') {
    MatchOrdinaryByte(scan, c);
  }
}

// After a failed alternative the scan restarts on the whole name with the
// alternative after the next "|", or ends when there is none.
void RestartAfterFailure(Scan& scan) {
  size_t bar = scan.pattern.find('|', scan.j);
  if (bar == std::string::npos) {
    scan.j = scan.pattern.size();
    return;
  }
  scan.j = bar + 1;
  scan.i = 1;
  scan.failed = false;
  scan.starPending = false;
}

}  // namespace

int NamePattern(const std::string& name, const std::string& pattern) {
  Scan scan;
  scan.name = LowerCased(name);
  scan.pattern = LowerCased(pattern);
  if (scan.name == scan.pattern) return 1;
  if (scan.name.find('.') == std::string::npos) scan.name += '.';
  if (scan.name[0] == '.') scan.name.insert(scan.name.begin(), '*');
  const size_t n = scan.name.size();
  const size_t m = scan.pattern.size();
  while (scan.j < m && !scan.matched) {
    StepPattern(scan);
    if (!scan.failed && scan.i == n + 1 && scan.j == m) scan.matched = true;
    if (scan.failed) RestartAfterFailure(scan);
  }
  return scan.matched ? 1 : 0;
}
