// Which icon a MIDlet's manifest names.
#include "tools/pngbmp/pngbmp_core.h"

namespace {

std::string Trimmed(const std::string& text) {
  size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::string();
  size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

// Logical lines: continuation lines (starting with a space) are joined to the
// line before, without that space.
std::vector<std::string> ManifestLinesOf(const std::string& manifest) {
  std::vector<std::string> lines;
  size_t at = manifest.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  while (at < manifest.size()) {
    size_t end = manifest.find_first_of("\r\n", at);
    if (end == std::string::npos) end = manifest.size();
    std::string line = manifest.substr(at, end - at);
    if (!line.empty() && line[0] == ' ' && !lines.empty())
      lines.back() += line.substr(1);
    else
      lines.push_back(line);
    at = end;
    if (at < manifest.size() && manifest[at] == '\r') ++at;
    if (at < manifest.size() && manifest[at] == '\n') ++at;
  }
  return lines;
}

// The trimmed value of the first attribute called name; empty when absent.
std::string AttributeOf(const std::vector<std::string>& lines, const std::string& name) {
  for (const std::string& line : lines) {
    size_t colon = line.find(':');
    if (colon != std::string::npos && SameIgnoringCase(Trimmed(line.substr(0, colon)), name))
      return Trimmed(line.substr(colon + 1));
  }
  return std::string();
}

// "name, icon, class": the trimmed second field.
std::string IconFieldOf(const std::string& midletEntry) {
  size_t first = midletEntry.find(',');
  if (first == std::string::npos) return std::string();
  size_t second = midletEntry.find(',', first + 1);
  size_t length = second == std::string::npos ? std::string::npos : second - first - 1;
  return Trimmed(midletEntry.substr(first + 1, length));
}

}  // namespace

std::string MidletIconNameOf(const std::string& manifest) {
  std::vector<std::string> lines = ManifestLinesOf(manifest);
  std::string icon = AttributeOf(lines, "MIDlet-Icon");
  if (!icon.empty()) return icon;
  return IconFieldOf(AttributeOf(lines, "MIDlet-1"));
}

int SameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return 0;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return 0;
  }
  return 1;
}

std::string FilePartOf(const std::string& name) {
  size_t slash = name.find_last_of("/\\");
  return slash == std::string::npos ? name : name.substr(slash + 1);
}
