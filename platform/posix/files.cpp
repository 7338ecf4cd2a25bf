// Files and folders over POSIX.
#include "platform/files.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <vector>

std::string CurrentDirectory() {
  std::vector<char> buffer(4096);
  while (getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE) return std::string();
    buffer.resize(buffer.size() * 2);
  }
  return std::string(buffer.data());
}

std::string ExecutableFolder() {
  std::vector<char> buffer(PATH_MAX + 1);
  ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (n <= 0) return std::string();
  std::string path(buffer.data(), static_cast<size_t>(n));
  size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

int64_t FileSizeOf(const std::string& path) {
  struct stat info;
  if (path.empty() || stat(path.c_str(), &info) != 0) return -1;
  if (S_ISDIR(info.st_mode)) return -2;
  return static_cast<int64_t>(info.st_size);
}

int PathExists(const std::string& path) {
  struct stat info;
  return !path.empty() && lstat(path.c_str(), &info) == 0;
}

int OpenFileForReading(const std::string& path) {
  return open(path.c_str(), O_RDONLY | O_CLOEXEC);
}

int OpenFileAlways(const std::string& path) {
  return open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
}

int CreateFileForWriting(const std::string& path) {
  return open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
}

int64_t ReadFileBytes(int file, void* buffer, size_t size) {
  for (;;) {
    ssize_t n = read(file, buffer, size);
    if (n >= 0 || errno != EINTR) return n;
  }
}

int WriteFileBytes(int file, const void* bytes, size_t size) {
  const char* at = static_cast<const char*>(bytes);
  while (size > 0) {
    ssize_t n = write(file, at, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return 0;
    at += n;
    size -= static_cast<size_t>(n);
  }
  return 1;
}

int CloseFile(int file) { return file >= 0 && close(file) == 0; }

int MakeFolderPath(const std::string& path) {
  size_t last = path.rfind('/');
  if (last == std::string::npos || last == 0) return 1;
  for (size_t at = 1; at <= last; ++at) {
    if (path[at] != '/' || path[at - 1] == '/') continue;
    if (mkdir(path.substr(0, at).c_str(), 0777) != 0 && errno != EEXIST) return 0;
  }
  struct stat info;
  return stat(path.substr(0, last).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

int StampFileWriteTime(const std::string& path, int year, int month, int day,
                       int hour, int minute, int second) {
  struct tm parts = {};
  parts.tm_year = year - 1900;
  parts.tm_mon = month - 1;
  parts.tm_mday = day;
  parts.tm_hour = hour;
  parts.tm_min = minute;
  parts.tm_sec = second;
  parts.tm_isdst = -1;  // the rules of that date decide
  time_t when = mktime(&parts);
  // mktime normalises impossible dates (month 13, 31 April); such dates are
  // refused rather than moved to another day.
  if (when == static_cast<time_t>(-1) || parts.tm_year != year - 1900 ||
      parts.tm_mon != month - 1 || parts.tm_mday != day || parts.tm_min != minute ||
      second < 0 || second > 59)
    return 0;
  struct timespec times[2];
  times[0].tv_sec = 0;
  times[0].tv_nsec = UTIME_OMIT;
  times[1].tv_sec = when;
  times[1].tv_nsec = 0;
  return utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

int DeleteFileAt(const std::string& path) { return unlink(path.c_str()) == 0; }

int RemoveEmptyFolder(const std::string& path) {
  struct stat info;
  if (lstat(path.c_str(), &info) != 0) return 0;
  if (S_ISLNK(info.st_mode)) return unlink(path.c_str()) == 0;
  return rmdir(path.c_str()) == 0;
}

int MakeFileWritable(const std::string& path) {
  struct stat info;
  if (lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return 0;
  return chmod(path.c_str(), (info.st_mode & 07777) | S_IWUSR) == 0;
}

namespace {

int CopyBytes(int from, int to) {
  std::vector<char> buffer(1 << 16);
  for (;;) {
    int64_t n = ReadFileBytes(from, buffer.data(), buffer.size());
    if (n == 0) return 1;
    if (n < 0 || !WriteFileBytes(to, buffer.data(), static_cast<size_t>(n))) return 0;
  }
}

std::string FolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

int CopyFileReplacing(const std::string& source, const std::string& destination) {
  struct stat from;
  struct stat to;
  int in = OpenFileForReading(source);
  if (in < 0) return 0;
  if (fstat(in, &from) != 0 || !S_ISREG(from.st_mode) ||
      (stat(destination.c_str(), &to) == 0 && to.st_dev == from.st_dev && to.st_ino == from.st_ino)) {
    close(in);
    return 0;
  }
  std::string temporary = FolderOf(destination) + "/.tolvanex-copy-XXXXXX";
  std::vector<char> name(temporary.begin(), temporary.end());
  name.push_back('\0');
  int out = mkstemp(name.data());
  if (out < 0) {
    close(in);
    return 0;
  }
  int ok = CopyBytes(in, out) && fchmod(out, from.st_mode & 07777) == 0;
  close(in);
  ok = CloseFile(out) && ok;
  if (ok) ok = rename(name.data(), destination.c_str()) == 0;
  if (!ok) unlink(name.data());
  return ok;
}

int64_t FreeSpaceOf(const std::string& path) {
  struct statvfs info;
  if (statvfs(path.c_str(), &info) != 0) return -1;
  return static_cast<int64_t>(info.f_bavail) * static_cast<int64_t>(info.f_frsize);
}

FolderWalk OpenFolderWalk(const std::string& folder) {
  return opendir(folder.empty() ? "." : folder.c_str());
}

int NextFolderEntry(FolderWalk walk, FolderEntry* entry) {
  DIR* dir = static_cast<DIR*>(walk);
  if (dir == nullptr) return 0;
  while (struct dirent* item = readdir(dir)) {
    std::string name = item->d_name;
    if (name == "." || name == "..") continue;
    struct stat info;
    bool known = fstatat(dirfd(dir), item->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0;
    entry->name = name;
    entry->isLink = known && S_ISLNK(info.st_mode);
    entry->isFolder = known && S_ISDIR(info.st_mode);
    return 1;
  }
  return 0;
}

void CloseFolderWalk(FolderWalk walk) {
  if (walk != nullptr) closedir(static_cast<DIR*>(walk));
}

FolderWalk OpenFolderWalkNoLink(const std::string& folder) {
  int fd = open(folder.empty() ? "." : folder.c_str(),
                O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return nullptr;
  DIR* dir = fdopendir(fd);
  if (dir == nullptr) close(fd);
  return dir;
}
