// The recorded date and time of an entry, set as its file's last-write time.
#include "archive/archive_extractor.h"
#include "platform/files.h"

int StampFileTime(const std::string& filePath, int year, int month, int day,
                  int hour, int minute) {
  return StampFileWriteTime(filePath, year, month, day, hour, minute, 0);
}
