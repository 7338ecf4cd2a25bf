// tools/quarnell/manifest.cpp — manifest fields and the MIDlet's details.
#include "manifest.h"

#include "jar_file.h"

namespace {

std::string Trim(const std::string& text) {
  size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  size_t last = text.find_last_not_of(" \t");
  return text.substr(first, last - first + 1);
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(line);
      line.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

}  // namespace

ManifestFields ParseManifest(const std::string& text) {
  ManifestFields fields;
  for (const std::string& line : SplitLines(text)) {
    if (!line.empty() && line[0] == ' ') {
      if (!fields.empty()) fields.back().second += line.substr(1);
      continue;
    }
    size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    fields.emplace_back(Trim(line.substr(0, colon)), line.substr(colon + 1));
  }
  for (auto& field : fields) field.second = Trim(field.second);
  return fields;
}

std::string ManifestValue(const ManifestFields& fields, const std::string& key) {
  for (const auto& field : fields)
    if (field.first == key) return field.second;
  return {};
}

MidletEntry ParseMidletEntry(const std::string& value) {
  MidletEntry entry;
  size_t first = value.find(',');
  entry.name = Trim(value.substr(0, first));
  if (first == std::string::npos) return entry;
  size_t second = value.find(',', first + 1);
  entry.icon = Trim(value.substr(first + 1, second == std::string::npos ? std::string::npos : second - first - 1));
  if (second != std::string::npos) entry.className = Trim(value.substr(second + 1));
  return entry;
}

std::string EntryNameOfResource(const std::string& path) {
  size_t first = path.find_first_not_of('/');
  return first == std::string::npos ? std::string() : path.substr(first);
}

MidletInfo ReadMidletInfo(const std::string& jarBytes) {
  MidletInfo info;
  JarHandle jar = OpenJarBytes(jarBytes);
  if (!jar) {
    info.problem = "The archive is not a readable ZIP file.";
    return info;
  }
  std::string manifestName = FindManifestName(jar);
  std::string manifestText;
  if (manifestName.empty()) {
    info.problem = "The archive has no META-INF/MANIFEST.MF.";
  } else if (!ReadJarEntry(jar, manifestName, &manifestText)) {
    info.problem = "The manifest cannot be read: the archive is damaged.";
  } else {
    ManifestFields fields = ParseManifest(manifestText);
    info.name = ManifestValue(fields, "MIDlet-Name");
    info.vendor = ManifestValue(fields, "MIDlet-Vendor");
    info.version = ManifestValue(fields, "MIDlet-Version");
    for (int n = 1;; ++n) {
      std::string value = ManifestValue(fields, "MIDlet-" + std::to_string(n));
      if (value.empty()) break;
      info.midlets.push_back(ParseMidletEntry(value));
    }
    info.iconPath = ManifestValue(fields, "MIDlet-Icon");
    if (info.iconPath.empty() && !info.midlets.empty()) info.iconPath = info.midlets[0].icon;
    if (!info.iconPath.empty()) ReadJarEntry(jar, EntryNameOfResource(info.iconPath), &info.iconBytes, 4u << 20);
  }
  CloseJar(jar);
  return info;
}
