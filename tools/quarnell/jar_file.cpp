// tools/quarnell/jar_file.cpp — minizip over bytes in memory.
#include "jar_file.h"

#include <minizip/unzip.h>

#include <cstring>
#include <strings.h>

namespace {

// The read position over the caller's bytes; minizip calls this a stream.
struct MemoryStream {
  const std::string* bytes;
  ZPOS64_T position;
};

voidpf ZCALLBACK OpenMemory(voidpf opaque, const void*, int) {
  return new MemoryStream{static_cast<const std::string*>(opaque), 0};
}

uLong ZCALLBACK ReadMemory(voidpf, voidpf stream, void* buffer, uLong size) {
  auto* memory = static_cast<MemoryStream*>(stream);
  ZPOS64_T left = memory->bytes->size() - memory->position;
  uLong count = size < left ? size : static_cast<uLong>(left);
  std::memcpy(buffer, memory->bytes->data() + memory->position, count);
  memory->position += count;
  return count;
}

uLong ZCALLBACK WriteMemory(voidpf, voidpf, const void*, uLong) { return 0; }

ZPOS64_T ZCALLBACK TellMemory(voidpf, voidpf stream) {
  return static_cast<MemoryStream*>(stream)->position;
}

long ZCALLBACK SeekMemory(voidpf, voidpf stream, ZPOS64_T offset, int origin) {
  auto* memory = static_cast<MemoryStream*>(stream);
  ZPOS64_T size = memory->bytes->size();
  ZPOS64_T base = 0;
  if (origin == ZLIB_FILEFUNC_SEEK_CUR) base = memory->position;
  if (origin == ZLIB_FILEFUNC_SEEK_END) base = size;
  // minizip passes negative offsets from the end as wrapped unsigned values.
  ZPOS64_T target = base + offset;
  if (target > size) return -1;
  memory->position = target;
  return 0;
}

int ZCALLBACK CloseMemory(voidpf, voidpf stream) {
  delete static_cast<MemoryStream*>(stream);
  return 0;
}

int ZCALLBACK TestMemoryError(voidpf, voidpf) { return 0; }

}  // namespace

JarHandle OpenJarBytes(const std::string& bytes) {
  zlib_filefunc64_def functions{};
  functions.zopen64_file = OpenMemory;
  functions.zread_file = ReadMemory;
  functions.zwrite_file = WriteMemory;
  functions.ztell64_file = TellMemory;
  functions.zseek64_file = SeekMemory;
  functions.zclose_file = CloseMemory;
  functions.zerror_file = TestMemoryError;
  functions.opaque = const_cast<std::string*>(&bytes);
  return unzOpen2_64("memory", &functions);
}

void CloseJar(JarHandle jar) {
  if (jar) unzClose(jar);
}

std::string FindManifestName(JarHandle jar) {
  if (!jar || unzGoToFirstFile(jar) != UNZ_OK) return {};
  do {
    char name[1024];
    unz_file_info64 info;
    if (unzGetCurrentFileInfo64(jar, &info, name, sizeof name, nullptr, 0, nullptr, 0) != UNZ_OK)
      return {};
    if (strcasecmp(name, "META-INF/MANIFEST.MF") == 0) return name;
  } while (unzGoToNextFile(jar) == UNZ_OK);
  return {};
}

bool ReadJarEntry(JarHandle jar, const std::string& name, std::string* content, size_t limit) {
  content->clear();
  if (!jar || name.empty() || unzLocateFile(jar, name.c_str(), 1) != UNZ_OK) return false;
  unz_file_info64 info;
  if (unzGetCurrentFileInfo64(jar, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK ||
      info.uncompressed_size > limit || unzOpenCurrentFile(jar) != UNZ_OK)
    return false;
  content->resize(static_cast<size_t>(info.uncompressed_size));
  int got = content->empty() ? 0 : unzReadCurrentFile(jar, content->data(), static_cast<unsigned>(content->size()));
  // Closing checks the CRC once the whole entry has been read.
  int closed = unzCloseCurrentFile(jar);
  if (got != static_cast<int>(content->size()) || closed != UNZ_OK) {
    content->clear();
    return false;
  }
  return true;
}
