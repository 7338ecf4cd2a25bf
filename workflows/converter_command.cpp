// The command line that starts the converter on one archive.
#include "workflows/paths.h"

namespace {

// Writes the argument so that a command line split by the usual rules
// (spaces separate, quotes group, backslashes escape only before a quote)
// gives it back as one unchanged argument.
std::string CommandArgumentOf(const std::string& text) {
  bool quoted = text.find_first_of(" \t") != std::string::npos;
  std::string result = quoted ? "\"" : "";
  size_t backslashes = 0;
  for (char c : text) {
    if (c == '\\') {
      ++backslashes;
    } else {
      if (c == '"') result.append(backslashes + 1, '\\');
      backslashes = 0;
    }
    result += c;
  }
  if (quoted) result.append(backslashes, '\\').append("\"");
  return result;
}

}  // namespace

std::string ConverterCommandOf(const std::string& archivePath) {
  return "Quarnell.exe -jar " + CommandArgumentOf(ShortPathOf(archivePath));
}
