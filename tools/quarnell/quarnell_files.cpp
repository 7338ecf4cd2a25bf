// tools/quarnell/quarnell_files.cpp — whole-file reads and atomic writes.
#include "quarnell_files.h"

#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string ReasonOf(int error) {
  std::string reason = std::strerror(error);
  if (!reason.empty()) reason[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(reason[0])));
  return reason;
}

bool WriteAll(int file, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t wrote = write(file, bytes.data() + done, bytes.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) {
      if (wrote == 0) errno = ENOSPC;
      return false;
    }
    done += static_cast<size_t>(wrote);
  }
  return true;
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string* bytes, std::string* why) {
  bytes->clear();
  int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (file < 0) {
    *why = ReasonOf(errno);
    return false;
  }
  struct stat status;
  if (fstat(file, &status) != 0 || !S_ISREG(status.st_mode)) {
    *why = S_ISDIR(status.st_mode) ? "it is a folder" : "it is not a regular file";
    close(file);
    return false;
  }
  bytes->resize(static_cast<size_t>(status.st_size));
  size_t done = 0;
  while (done < bytes->size()) {
    ssize_t got = read(file, bytes->data() + done, bytes->size() - done);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    done += static_cast<size_t>(got);
  }
  int error = errno;
  close(file);
  if (done != bytes->size()) {
    *why = done < bytes->size() && error ? ReasonOf(error) : "it changed while being read";
    bytes->clear();
    return false;
  }
  return true;
}

bool WriteFileAtomically(const std::string& path, const std::vector<const std::string*>& parts,
                         std::string* why) {
  std::string folder = FolderOf(path);
  std::string temporary = (folder == "/" ? "" : folder) + "/.quarnell-XXXXXX";
  int file = mkostemp(temporary.data(), O_CLOEXEC);
  if (file < 0) {
    *why = ReasonOf(errno);
    return false;
  }
  bool written = true;
  for (const std::string* part : parts) written = written && WriteAll(file, *part);
  written = written && fchmod(file, 0755) == 0;
  int error = errno;
  if (close(file) != 0 && written) {
    written = false;
    error = errno;
  }
  if (written && rename(temporary.c_str(), path.c_str()) != 0) {
    written = false;
    error = errno;
  }
  if (!written) {
    unlink(temporary.c_str());
    *why = ReasonOf(error);
  }
  return written;
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string OwnExecutableFolder() {
  std::string target(4096, '\0');
  ssize_t length = readlink("/proc/self/exe", target.data(), target.size());
  if (length <= 0) return ".";
  target.resize(static_cast<size_t>(length));
  return FolderOf(target);
}
