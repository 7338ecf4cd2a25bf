// The icon library's files: finding names in the work folder, reading small
// files, and writing icon.bmp whole or not at all.
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "tools/pngbmp/pngbmp_core.h"

namespace {

constexpr off_t kMaxManifestBytes = 16 << 20;
constexpr off_t kMaxPngBytes = 16 << 20;

bool IsRegularFile(const std::string& path) {
  struct stat status;
  return lstat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

// Reads a regular file (never a link, device or pipe) of at most limit bytes.
int ReadSmallFile(const std::string& path, off_t limit, std::string* bytes) {
  int file = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (file < 0) return 0;
  struct stat status;
  int read_ok = fstat(file, &status) == 0 && S_ISREG(status.st_mode) && status.st_size <= limit;
  if (read_ok) {
    bytes->resize(static_cast<size_t>(status.st_size));
    size_t done = 0;
    while (done < bytes->size()) {
      ssize_t got = read(file, bytes->data() + done, bytes->size() - done);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) break;
      done += static_cast<size_t>(got);
    }
    bytes->resize(done);
  }
  close(file);
  return read_ok;
}

int WriteAll(int file, const std::vector<unsigned char>& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t put = write(file, bytes.data() + done, bytes.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return 0;
    done += static_cast<size_t>(put);
  }
  return 1;
}

// A temporary file beside path, renamed over it once every byte is written.
int WriteFileWhole(const std::string& folder, const std::string& path,
                   const std::vector<unsigned char>& bytes) {
  std::string temporary = folder + "/.icon.bmp.XXXXXX";
  int file = mkstemp(temporary.data());
  if (file < 0) return 0;
  int written = fchmod(file, 0644) == 0 && WriteAll(file, bytes);
  if (close(file) != 0) written = 0;
  if (written) written = std::rename(temporary.c_str(), path.c_str()) == 0;
  if (!written) unlink(temporary.c_str());
  return written;
}

}  // namespace

std::string FindFileIgnoringCase(const std::string& folder, const std::string& name) {
  if (name.empty() || name == "." || name == "..") return std::string();
  if (IsRegularFile(folder + "/" + name)) return folder + "/" + name;
  DIR* walk = opendir(folder.c_str());
  if (!walk) return std::string();
  std::string found;
  while (dirent* entry = readdir(walk)) {
    std::string candidate = entry->d_name;
    if (!SameIgnoringCase(candidate, name) || !IsRegularFile(folder + "/" + candidate)) continue;
    if (found.empty() || candidate < found) found = candidate;
  }
  closedir(walk);
  return found.empty() ? std::string() : folder + "/" + found;
}

int ConvertMidletIcon(const std::string& workFolder) {
  try {
    std::string manifest;
    std::string manifestPath = FindFileIgnoringCase(workFolder, "MANIFEST.MF");
    if (manifestPath.empty() || !ReadSmallFile(manifestPath, kMaxManifestBytes, &manifest)) return 0;
    std::string iconPath = FindFileIgnoringCase(workFolder, FilePartOf(MidletIconNameOf(manifest)));
    std::string png;
    if (iconPath.empty() || !ReadSmallFile(iconPath, kMaxPngBytes, &png)) return 0;
    std::vector<unsigned char> bmp;
    if (!PngToBmpBytes(reinterpret_cast<const unsigned char*>(png.data()), png.size(), &bmp)) return 0;
    return WriteFileWhole(workFolder, workFolder + "/icon.bmp", bmp);
  } catch (...) {
    return 0;
  }
}
