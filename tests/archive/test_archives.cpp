// Archives and folders for the archive tests.
#include "tests/archive/test_archives.h"

#include <minizip/zip.h>
#include <zlib.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace fs = std::filesystem;

namespace {

zip_fileinfo FileInfoOf(const TestEntry& entry) {
  zip_fileinfo info{};
  info.tmz_date.tm_year = static_cast<uInt>(entry.time.year);
  info.tmz_date.tm_mon = static_cast<uInt>(entry.time.month - 1);
  info.tmz_date.tm_mday = static_cast<uInt>(entry.time.day);
  info.tmz_date.tm_hour = static_cast<uInt>(entry.time.hour);
  info.tmz_date.tm_min = static_cast<uInt>(entry.time.minute);
  info.tmz_date.tm_sec = static_cast<uInt>(entry.time.second);
  info.dosDate = entry.dosDate;
  return info;
}

bool WriteEntry(zipFile zip, const TestEntry& entry) {
  zip_fileinfo info = FileInfoOf(entry);
  uLong cryptCrc = entry.password ? Crc32Of(entry.data) : 0;
  if (zipOpenNewFileInZip3(zip, entry.name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                           entry.method, 9, entry.raw ? 1 : 0, -MAX_WBITS, 8,
                           Z_DEFAULT_STRATEGY, entry.password, cryptCrc) != ZIP_OK)
    return false;
  if (!entry.data.empty() &&
      zipWriteInFileInZip(zip, entry.data.data(), static_cast<unsigned>(entry.data.size())) != ZIP_OK)
    return false;
  if (entry.raw) return zipCloseFileInZipRaw(zip, entry.size, entry.crc) == ZIP_OK;
  return zipCloseFileInZip(zip) == ZIP_OK;
}

void PutLittle(std::string& out, uint32_t value, int bytes) {
  for (int at = 0; at < bytes; ++at) out += static_cast<char>((value >> (8 * at)) & 0xFF);
}

uint32_t LittleAt(const std::string& bytes, size_t at, int count) {
  uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i)
    value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<size_t>(i)]);
  return value;
}

// Sets the method field of every local and central header of the named
// entry: the writer refuses methods it cannot pack itself.
void RecordMethod(std::string& bytes, const std::string& name, int method) {
  const std::string local("PK\x03\x04", 4), central("PK\x01\x02", 4);
  for (size_t at = 0; at + 46 <= bytes.size(); ++at) {
    bool isLocal = bytes.compare(at, 4, local) == 0;
    bool isCentral = bytes.compare(at, 4, central) == 0;
    if (!isLocal && !isCentral) continue;
    size_t nameAt = at + (isLocal ? 30 : 46);
    uint32_t nameLength = LittleAt(bytes, at + (isLocal ? 26 : 28), 2);
    if (nameLength != name.size() || bytes.compare(nameAt, nameLength, name) != 0) continue;
    size_t methodAt = at + (isLocal ? 8 : 10);
    bytes[methodAt] = static_cast<char>(method & 0xFF);
    bytes[methodAt + 1] = static_cast<char>(method >> 8);
  }
}

}  // namespace

bool WriteTestArchive(const std::string& path, const std::vector<TestEntry>& entries) {
  zipFile zip = zipOpen(path.c_str(), APPEND_STATUS_CREATE);
  if (zip == nullptr) return false;
  bool ok = true;
  for (const TestEntry& entry : entries) ok = ok && WriteEntry(zip, entry);
  ok = zipClose(zip, nullptr) == ZIP_OK && ok;
  std::string bytes = ReadWholeFile(path);
  bool patched = false;
  for (const TestEntry& entry : entries) {
    if (entry.recordedMethod < 0) continue;
    RecordMethod(bytes, entry.name, entry.recordedMethod);
    patched = true;
  }
  if (patched) WriteWholeFile(path, bytes);
  return ok;
}

std::string DeflatedBytes(const std::string& data) {
  z_stream stream{};
  deflateInit2(&stream, 9, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&stream, data.size()), '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
  stream.avail_in = static_cast<uInt>(data.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

uint32_t Crc32Of(const std::string& data) {
  return static_cast<uint32_t>(
      crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
}

std::string LocalHeaderBytes(const std::string& name, int method, uint32_t crc,
                             uint32_t compressedSize, uint32_t size) {
  std::string out;
  PutLittle(out, 0x04034B50, 4);
  PutLittle(out, 20, 2);
  PutLittle(out, 0, 2);  // flags
  PutLittle(out, static_cast<uint32_t>(method), 2);
  PutLittle(out, 0x72F7, 2);  // 14:23:46
  PutLittle(out, 0x3AB1, 2);  // 2009-05-17
  PutLittle(out, crc, 4);
  PutLittle(out, compressedSize, 4);
  PutLittle(out, size, 4);
  PutLittle(out, static_cast<uint32_t>(name.size()), 2);
  PutLittle(out, 0, 2);
  return out + name;
}

std::string CentralHeaderBytes(const std::string& name, int method, uint32_t crc,
                               uint32_t compressedSize, uint32_t size,
                               uint32_t localOffset) {
  std::string out;
  PutLittle(out, 0x02014B50, 4);
  PutLittle(out, 20, 2);
  PutLittle(out, 20, 2);
  PutLittle(out, 0, 2);
  PutLittle(out, static_cast<uint32_t>(method), 2);
  PutLittle(out, 0x72F7, 2);
  PutLittle(out, 0x3AB1, 2);
  PutLittle(out, crc, 4);
  PutLittle(out, compressedSize, 4);
  PutLittle(out, size, 4);
  PutLittle(out, static_cast<uint32_t>(name.size()), 2);
  PutLittle(out, 0, 2);  // extra
  PutLittle(out, 0, 2);  // comment
  PutLittle(out, 0, 2);  // disk
  PutLittle(out, 0, 2);  // internal attributes
  PutLittle(out, 0, 4);  // external attributes
  PutLittle(out, localOffset, 4);
  return out + name;
}

std::string EndRecordBytes(int count, uint32_t directorySize, uint32_t directoryOffset) {
  std::string out;
  PutLittle(out, 0x06054B50, 4);
  PutLittle(out, 0, 4);
  PutLittle(out, static_cast<uint32_t>(count), 2);
  PutLittle(out, static_cast<uint32_t>(count), 2);
  PutLittle(out, directorySize, 4);
  PutLittle(out, directoryOffset, 4);
  PutLittle(out, 0, 2);
  return out;
}

std::string MakeScratchFolder() {
  std::string pattern = (fs::temp_directory_path() / "tolvanex-archive-XXXXXX").string();
  char* made = mkdtemp(pattern.data());
  return made ? std::string(made) : std::string();
}

void RemoveScratchFolder(const std::string& folder) {
  std::error_code ignored;
  if (!folder.empty()) fs::remove_all(folder, ignored);
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "<missing>";
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::map<std::string, std::string> SnapshotTree(const std::string& folder) {
  std::map<std::string, std::string> snapshot;
  std::error_code error;
  for (auto it = fs::recursive_directory_iterator(folder, error);
       it != fs::recursive_directory_iterator(); it.increment(error)) {
    std::string relative = fs::relative(it->path(), folder).string();
    std::ostringstream facts;
    if (it->is_directory()) {
      relative += "/";
    } else {
      facts << it->file_size() << " "
            << it->last_write_time().time_since_epoch().count() << " "
            << Crc32Of(ReadWholeFile(it->path().string()));
    }
    snapshot[relative] = facts.str();
  }
  return snapshot;
}

std::vector<std::string> NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& item : fs::directory_iterator(folder, error))
    names.push_back(item.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}
