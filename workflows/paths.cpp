// The path operations and the names derived from an archive's path.
#include "workflows/paths.h"

#include "platform/files.h"

std::string CurrentFolder() { return CurrentDirectory() + "/"; }

std::string WorkFolder() { return CurrentFolder() + "Test/"; }

std::string ShortPathOf(const std::string& path) { return path; }

std::string LongNameOf(const std::string& path) {
  if (!PathExists(path)) return std::string();
  size_t end = path.find_last_not_of('/');
  if (end == std::string::npos) return std::string();  // the root has no name
  size_t slash = path.rfind('/', end);
  size_t begin = slash == std::string::npos ? 0 : slash + 1;
  return path.substr(begin, end + 1 - begin).substr(0, 255);
}

std::string ReplaceExtension(const std::string& name, const std::string& extension) {
  return (name.size() < 3 ? std::string() : name.substr(0, name.size() - 3)) + extension;
}

std::string ConverterOutputOf(const std::string& archivePath) {
  return ReplaceExtension(ShortPathOf(archivePath), "exe");
}

std::string ProducedProgramOf(const std::string& archivePath) {
  return CurrentFolder() + ReplaceExtension(LongNameOf(ShortPathOf(archivePath)), "exe");
}

std::string DescriptorFileOf(const std::string& archivePath) {
  return ReplaceExtension(LongNameOf(ShortPathOf(archivePath)), "jad");
}
