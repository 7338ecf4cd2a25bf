// Splitting a command line and finding the program it names.
#include "platform/process.h"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The program name: quoted up to the next quote, else up to a blank.
// Moves at past it.
std::string ProgramNameAt(const std::string& line, size_t* at) {
  size_t begin = *at;
  if (line[begin] == '"') {
    size_t end = line.find('"', begin + 1);
    *at = end == std::string::npos ? line.size() : end + 1;
    return line.substr(begin + 1, end == std::string::npos ? std::string::npos : end - begin - 1);
  }
  size_t end = line.find_first_of(" \t", begin);
  *at = end == std::string::npos ? line.size() : end;
  return line.substr(begin, *at - begin);
}

bool IsExecutableFile(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
         access(path.c_str(), X_OK) == 0;
}

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& line) {
  std::vector<std::string> items;
  size_t at = line.find_first_not_of(" \t");
  if (at == std::string::npos) return items;
  items.push_back(ProgramNameAt(line, &at));
  std::string current;
  bool inArgument = false;
  bool quoted = false;
  size_t backslashes = 0;  // the backslashes just before, already in current
  for (; at < line.size(); ++at) {
    char c = line[at];
    if (IsBlank(c) && !quoted) {
      if (inArgument) items.push_back(current);
      current.clear();
      inArgument = false;
      backslashes = 0;
      continue;
    }
    inArgument = true;
    if (c == '"') {
      current.resize(current.size() - (backslashes + 1) / 2);
      if (backslashes % 2 == 0)
        quoted = !quoted;
      else
        current += '"';
      backslashes = 0;
      continue;
    }
    backslashes = c == '\\' ? backslashes + 1 : 0;
    current += c;
  }
  if (inArgument) items.push_back(current);
  return items;
}

std::string FindProgramOnPath(const std::string& name) {
  const char* path = getenv("PATH");
  std::string folders = path == nullptr ? "" : path;
  size_t begin = 0;
  while (begin <= folders.size()) {
    size_t end = folders.find(':', begin);
    if (end == std::string::npos) end = folders.size();
    // An empty entry stands for the current directory, searched already.
    if (end > begin) {
      std::string candidate = folders.substr(begin, end - begin) + "/" + name;
      if (IsExecutableFile(candidate)) return candidate;
    }
    begin = end + 1;
  }
  return std::string();
}

std::string FindProgram(const std::string& name) {
  if (name.empty()) return std::string();
  if (name.find('/') != std::string::npos) return name;
  std::string beside = ExecutableFolder() + "/" + name;
  if (IsExecutableFile(beside)) return beside;
  // Relative, so that a current directory of any length works.
  std::string here = "./" + name;
  if (IsExecutableFile(here)) return here;
  return FindProgramOnPath(name);
}
