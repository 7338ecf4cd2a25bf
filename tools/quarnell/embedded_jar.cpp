// tools/quarnell/embedded_jar.cpp — the trailer of a produced program.
#include "embedded_jar.h"

#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr char kMagic[8] = {'Q', 'R', 'N', 'L', 'J', 'A', 'R', '1'};

bool ReadAt(int file, char* buffer, size_t size, off_t offset) {
  size_t done = 0;
  while (done < size) {
    ssize_t got = pread(file, buffer + done, size - done, offset + static_cast<off_t>(done));
    if (got <= 0) return false;
    done += static_cast<size_t>(got);
  }
  return true;
}

}  // namespace

std::string EmbeddedJarTrailer(uint64_t jarLength) {
  std::string trailer(kMagic, sizeof kMagic);
  for (int i = 0; i < 8; ++i) trailer += static_cast<char>((jarLength >> (8 * i)) & 0xff);
  return trailer;
}

EmbeddedJarState ReadEmbeddedJar(const std::string& programPath, std::string* jarBytes) {
  jarBytes->clear();
  int file = open(programPath.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat status;
  if (file < 0) return EmbeddedJarState::Unreadable;
  if (fstat(file, &status) != 0) {
    close(file);
    return EmbeddedJarState::Unreadable;
  }
  uint64_t fileSize = static_cast<uint64_t>(status.st_size);
  char trailer[kEmbeddedJarTrailerSize];
  EmbeddedJarState state = EmbeddedJarState::Missing;
  if (fileSize >= kEmbeddedJarTrailerSize &&
      ReadAt(file, trailer, sizeof trailer, static_cast<off_t>(fileSize - sizeof trailer)) &&
      std::memcmp(trailer, kMagic, sizeof kMagic) == 0) {
    uint64_t length = 0;
    for (int i = 7; i >= 0; --i) length = (length << 8) | static_cast<unsigned char>(trailer[8 + i]);
    if (length <= fileSize - sizeof trailer) {
      jarBytes->resize(static_cast<size_t>(length));
      off_t start = static_cast<off_t>(fileSize - sizeof trailer - length);
      state = ReadAt(file, jarBytes->data(), jarBytes->size(), start) ? EmbeddedJarState::Found
                                                                      : EmbeddedJarState::Unreadable;
      if (state != EmbeddedJarState::Found) jarBytes->clear();
    }
  }
  close(file);
  return state;
}
