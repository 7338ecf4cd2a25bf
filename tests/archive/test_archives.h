// tests/archive/test_archives.h — archives and folders the archive tests
// build for themselves.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct TestEntryTime {
  int year = 2009, month = 5, day = 17, hour = 14, minute = 23, second = 46;
};

// One entry for minizip's writer. With raw set, data is written as it is
// under the method given, and crc and size are recorded as given.
struct TestEntry {
  std::string name;
  std::string data;
  int method = 8;
  bool raw = false;
  uint32_t crc = 0;
  uint32_t size = 0;
  const char* password = nullptr;
  TestEntryTime time;
  uint32_t dosDate = 0;  // when non-zero, recorded instead of time
  int recordedMethod = -1;  // when set, recorded in place of method afterwards
};

// Writes a ZIP archive of the entries; false when minizip refused one.
bool WriteTestArchive(const std::string& path, const std::vector<TestEntry>& entries);

// Raw deflate of the data, as a ZIP entry stores it.
std::string DeflatedBytes(const std::string& data);
uint32_t Crc32Of(const std::string& data);

// Hand-made ZIP records, for archives the writer cannot make.
std::string LocalHeaderBytes(const std::string& name, int method, uint32_t crc,
                             uint32_t compressedSize, uint32_t size);
std::string CentralHeaderBytes(const std::string& name, int method, uint32_t crc,
                               uint32_t compressedSize, uint32_t size,
                               uint32_t localOffset);
std::string EndRecordBytes(int count, uint32_t directorySize, uint32_t directoryOffset);

// A fresh folder under the system's temporary folder, removed by
// RemoveScratchFolder.
std::string MakeScratchFolder();
void RemoveScratchFolder(const std::string& folder);

void WriteWholeFile(const std::string& path, const std::string& bytes);
// The file's bytes; "<missing>" when it cannot be read.
std::string ReadWholeFile(const std::string& path);

// Every path below the folder (relative, folders ending in "/"), each with
// its size and modification time, for comparing before and after.
std::map<std::string, std::string> SnapshotTree(const std::string& folder);
// Names directly in the folder, sorted.
std::vector<std::string> NamesIn(const std::string& folder);
