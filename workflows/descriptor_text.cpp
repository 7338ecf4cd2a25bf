// Building the descriptor text from the manifest's bytes.
#include <strings.h>

#include "platform/files.h"
#include "workflows/descriptor.h"

std::vector<std::string> SplitManifestLines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < bytes.size()) {
    size_t end = bytes.find_first_of(std::string("\r\n\0", 3), at);
    if (end == std::string::npos) end = bytes.size();
    lines.push_back(bytes.substr(at, end - at));
    at = end;
    if (at < bytes.size()) {
      bool pair = bytes[at] == '\r' && at + 1 < bytes.size() && bytes[at + 1] == '\n';
      at += pair ? 2 : 1;
    }
  }
  return lines;
}

std::string BuildDescriptorText(const std::string& manifestBytes, int64_t archiveSize, const std::string& archiveName) {
  std::string text;
  for (const std::string& line : SplitManifestLines(manifestBytes)) text += "\r\n" + line;
  text += "\r\nMIDlet-Jar-Size: " + std::to_string(archiveSize);
  text += "\r\nMIDlet-Jar-URL: " + archiveName;
  return text;
}

std::string ManifestPathIn(const std::string& folder) {
  std::string found = folder + "MANIFEST.MF";
  FolderWalk walk = OpenFolderWalk(folder);
  FolderEntry entry;
  while (NextFolderEntry(walk, &entry)) {
    if (entry.isFolder || strcasecmp(entry.name.c_str(), "MANIFEST.MF") != 0) continue;
    found = folder + entry.name;
    if (entry.name == "MANIFEST.MF") break;
  }
  CloseFolderWalk(walk);
  return found;
}
