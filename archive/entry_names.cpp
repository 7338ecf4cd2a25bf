// The name forms of an archive entry and the checks made on them.
#include "archive/extract_steps.h"

#include <iterator>

EntryNames MakeEntryNames(const std::string& rawName) {
  EntryNames names;
  size_t first = rawName.find_first_not_of(' ');
  if (first != std::string::npos) {
    size_t last = rawName.find_last_not_of(' ');
    names.stored = rawName.substr(first, last - first + 1);
  }
  for (char& ch : names.stored)
    if (ch == '\\') ch = '/';
  size_t slash = names.stored.rfind('/');
  names.filePart = slash == std::string::npos ? names.stored : names.stored.substr(slash + 1);
  size_t drive = names.stored.find(":/");
  names.driveStripped = drive == std::string::npos ? names.stored : names.stored.substr(drive + 2);
  return names;
}

int HasControlBytes(const std::string& rawName) {
  for (char ch : rawName) {
    unsigned char byte = static_cast<unsigned char>(ch);
    if (byte < 0x20 || byte == 0x7F) return 1;
  }
  return 0;
}

int StaysInsideFolder(const std::string& relativeName) {
  if (!relativeName.empty() && relativeName[0] == '/') return 0;
  if (relativeName.size() >= 2 && relativeName[1] == ':') {
    char letter = relativeName[0];
    if ((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z')) return 0;
  }
  size_t start = 0;
  while (start <= relativeName.size()) {
    size_t end = relativeName.find('/', start);
    if (end == std::string::npos) end = relativeName.size();
    if (relativeName.compare(start, end - start, "..") == 0) return 0;
    start = end + 1;
  }
  return 1;
}

int ClaimEntrySpan(EntrySpans& spans, uint64_t start, uint64_t end) {
  auto next = spans.lower_bound(start);
  if (next != spans.end() && next->first < end) return 0;
  if (next != spans.begin() && std::prev(next)->second > start) return 0;
  spans.emplace(start, end);
  return 1;
}
