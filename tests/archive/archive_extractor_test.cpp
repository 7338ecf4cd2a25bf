// ArchiveExtractor over archives made here with minizip's writer or by hand.
#include "archive/archive_extractor.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "platform/files.h"
#include "tests/archive/test_archives.h"

namespace {

using Names = std::vector<std::string>;

class ArchiveExtractorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    scratch = MakeScratchFolder();
    ASSERT_FALSE(scratch.empty());
    archive = scratch + "/test.jar";
    destination = scratch + "/Test/";
  }
  void TearDown() override {
    SetExtractionLimits(kDefaultExtractionTotal, kDefaultExtractionMinimumFree);
    RemoveScratchFolder(scratch);
  }
  void Make(const std::vector<TestEntry>& entries) {
    ASSERT_TRUE(WriteTestArchive(archive, entries));
  }
  int Extract(int keepPaths = 0, const std::string& pattern = "*.*") {
    return ArchiveExtractor(archive, pattern, destination, keepPaths);
  }
  std::string In(const std::string& name) { return ReadWholeFile(destination + name); }

  std::string scratch, archive, destination;
};

std::string Text(size_t size, unsigned seed) {
  std::string text;
  text.reserve(size);
  unsigned state = seed;
  while (text.size() < size) {
    state = state * 1103515245u + 12345u;
    text += static_cast<char>('a' + (state >> 16) % 26);
    if ((state >> 8) % 11 == 0) text += ' ';
  }
  text.resize(size);
  return text;
}

// Deflate data that gives the first half of the text as stored blocks and
// then a block of the reserved type 3, which no inflater accepts.
std::string DeflateThatBreaks(const std::string& text) {
  std::string out;
  for (size_t at = 0; at < text.size() / 2; at += 65535) {
    size_t size = std::min<size_t>(65535, text.size() / 2 - at);
    out += '\0';  // stored block, not the final one
    out += static_cast<char>(size & 0xFF);
    out += static_cast<char>(size >> 8);
    out += static_cast<char>(~size & 0xFF);
    out += static_cast<char>((~size >> 8) & 0xFF);
    out += text.substr(at, size);
  }
  out += '\x07';  // final block of the reserved type
  out += std::string(16, '\0');
  return out;
}

TEST_F(ArchiveExtractorTest, FlattensMidletLayoutIntoDestination) {
  Make({{"META-INF/", ""}, {"META-INF/MANIFEST.MF", "MIDlet-Name: Game\r\n"},
        {"icon.png", "\x89PNG"}, {"a/b/Main.class", "\xCA\xFE\xBA\xBE"}});
  EXPECT_EQ(Extract(), 3);
  EXPECT_EQ(NamesIn(destination), (Names{"MANIFEST.MF", "Main.class", "icon.png"}));
  EXPECT_EQ(In("MANIFEST.MF"), "MIDlet-Name: Game\r\n");
  EXPECT_EQ(In("Main.class"), "\xCA\xFE\xBA\xBE");
}

TEST_F(ArchiveExtractorTest, EmptyPatternMeansEveryName) {
  Make({{"a/readme", "r"}, {"b/x.jar", "j"}});
  EXPECT_EQ(Extract(0, ""), 2);
  EXPECT_EQ(Extract(0, "*.jar"), 1);
}

TEST_F(ArchiveExtractorTest, LaterFilePartReplacesEarlierAndExistingFile) {
  ASSERT_TRUE(MakeFolderPath(destination));
  WriteWholeFile(destination + "readme.txt", "an older and much longer file that was there");
  Make({{"x/readme.txt", "from x"}, {"y\\readme.txt", "from y"}});
  EXPECT_EQ(Extract(), 2);
  EXPECT_EQ(NamesIn(destination), (Names{"readme.txt"}));
  EXPECT_EQ(In("readme.txt"), "from y");
}

TEST_F(ArchiveExtractorTest, LongNamesAreUsedWhole) {
  std::string common(100, 'n');
  std::string first = common + std::string(20, 'a') + ".txt";
  std::string second = common + std::string(20, 'b') + ".txt";
  std::string longest = std::string(250, 'L') + ".txt";  // 254 bytes
  Make({{"dir/" + first, "first"}, {second, "second"}, {longest, "longest"}});
  EXPECT_EQ(Extract(), 3);
  EXPECT_EQ(In(first), "first");
  EXPECT_EQ(In(second), "second");
  EXPECT_EQ(In(longest), "longest");
}

TEST_F(ArchiveExtractorTest, SpacesAroundNamesAreDropped) {
  Make({{" spaced.txt ", "s"}, {"  dir/ inner.txt  ", "i"}});
  EXPECT_EQ(Extract(), 2);
  EXPECT_EQ(NamesIn(destination), (Names{" inner.txt", "spaced.txt"}));
}

TEST_F(ArchiveExtractorTest, EmptyEntryGivesEmptyCountedFile) {
  Make({{"empty.txt", ""}, {"stored-empty.txt", "", 0}});
  EXPECT_EQ(Extract(), 2);
  EXPECT_EQ(FileSizeOf(destination + "empty.txt"), 0);
  EXPECT_EQ(FileSizeOf(destination + "stored-empty.txt"), 0);
}

TEST_F(ArchiveExtractorTest, DamagedDataLeavesNoFileAndLaterEntriesFollow) {
  std::string text = Text(300000, 1);
  TestEntry broken{"broken.bin", DeflateThatBreaks(text), 8, true, Crc32Of(text), 300000};
  std::string other = Text(5000, 2);
  TestEntry badCrc{"badcrc.txt", DeflatedBytes(other), 8, true, Crc32Of(other) ^ 0x80, 5000};
  TestEntry shortData{"short.txt", DeflatedBytes(other), 8, true, Crc32Of(other), 6000};
  TestEntry storedBadCrc{"stored.txt", other, 0, true, Crc32Of(other) + 1, 5000};
  Make({broken, {"after1.txt", "one"}, badCrc, shortData, storedBadCrc, {"after2.txt", other}});
  EXPECT_EQ(Extract(), 2);
  EXPECT_EQ(NamesIn(destination), (Names{"after1.txt", "after2.txt"}));
  EXPECT_EQ(In("after2.txt"), other);
}

TEST_F(ArchiveExtractorTest, BrokenDataRemovesTheFileItWouldReplace) {
  ASSERT_TRUE(MakeFolderPath(destination));
  WriteWholeFile(destination + "same.txt", "old");
  std::string other = Text(1000, 3);
  Make({{"same.txt", DeflatedBytes(other), 8, true, Crc32Of(other) ^ 1, 1000}});
  EXPECT_EQ(Extract(), 0);
  EXPECT_FALSE(PathExists(destination + "same.txt"));
}

TEST_F(ArchiveExtractorTest, UnsupportedMethodsAndEncryptionArePassedOver) {
  TestEntry bzip2{"bzip2.txt", "BZh91AY&SY raw bzip2 bytes", 0, true, 0x12345678, 40};
  bzip2.recordedMethod = 12;
  TestEntry secret{"secret.txt", "encrypted words"};
  secret.password = "password";
  Make({bzip2, secret});
  EXPECT_EQ(Extract(), 0);
  EXPECT_FALSE(PathExists(destination)) << "nothing opened, so no folder is made";
  Make({bzip2, secret, {"plain.txt", "plain"}});
  EXPECT_EQ(Extract(), 1);
  EXPECT_EQ(NamesIn(destination), (Names{"plain.txt"}));
}

TEST_F(ArchiveExtractorTest, MissingOrForeignArchiveWritesNothing) {
  EXPECT_EQ(ArchiveExtractor(scratch + "/none.jar", "*.*", destination, 0), 0);
  WriteWholeFile(archive, "this is plain text, not an archive at all\n");
  EXPECT_EQ(Extract(), 0);
  WriteWholeFile(archive, "");
  EXPECT_EQ(Extract(), 0);
  EXPECT_FALSE(PathExists(destination));
}

TEST_F(ArchiveExtractorTest, DestinationWithoutSeparatorIsAFolder) {
  Make({{"a/one.txt", "1"}});
  std::string bare = scratch + "/deep/out";
  EXPECT_EQ(ArchiveExtractor(archive, "*.*", bare, 0), 1);
  EXPECT_EQ(ReadWholeFile(bare + "/one.txt"), "1");
  EXPECT_EQ(NamesIn(scratch + "/deep"), (Names{"out"}));
}

TEST_F(ArchiveExtractorTest, KeepPathsRecreatesFoldersInsideDestination) {
  Make({{"dir/sub/", ""}, {"dir/f.txt", "f"}, {"win\\inner\\w.txt", "w"},
        {"C:\\x\\y.txt", "drive"}, {"../escape.txt", "no"}, {"a/../../escape2.txt", "no"},
        {"ok/..hidden/..x.txt", "dots are fine"}, {"/abs.txt", "no"}, {"\\abs2.txt", "no"},
        {"D:relative.txt", "no"}});
  EXPECT_EQ(Extract(1), 4);
  EXPECT_EQ(NamesIn(destination), (Names{"dir", "ok", "win", "x"}));
  EXPECT_EQ(NamesIn(destination + "dir"), (Names{"f.txt", "sub"}));
  EXPECT_EQ(NamesIn(destination + "dir/sub"), Names{});
  EXPECT_EQ(In("win/inner/w.txt"), "w");
  EXPECT_EQ(In("x/y.txt"), "drive");
  EXPECT_EQ(In("ok/..hidden/..x.txt"), "dots are fine");
  EXPECT_EQ(NamesIn(scratch), (Names{"Test", "test.jar"}));
}

TEST_F(ArchiveExtractorTest, KeepPathsOneTakesEmptyEntriesWhateverThePattern) {
  Make({{"docs/empty.txt", ""}, {"docs/full.txt", "x"}, {"lib/game.jar", "j"}, {"folder/", ""}});
  EXPECT_EQ(Extract(1, "*.jar"), 2);
  EXPECT_EQ(In("docs/empty.txt"), "");
  EXPECT_FALSE(PathExists(destination + "docs/full.txt"));
  EXPECT_EQ(In("lib/game.jar"), "j");
  EXPECT_EQ(NamesIn(destination + "folder"), Names{});
}

TEST_F(ArchiveExtractorTest, OtherKeepPathsValuesTakeNoFolderOrEmptyEntries) {
  Make({{"docs/empty.txt", ""}, {"lib/game.jar", "j"}, {"folder/", ""}});
  EXPECT_EQ(Extract(2, "*.jar"), 1);
  EXPECT_EQ(In("lib/game.jar"), "j");
  EXPECT_FALSE(PathExists(destination + "docs"));
  EXPECT_EQ(Extract(2, "*.*"), 2);  // "folder/" writes nothing, empty.txt is a file
}

TEST_F(ArchiveExtractorTest, ControlBytesInNamesArePassedOver) {
  Make({{"bad\x01.txt", "x"}, {"line\nbreak.txt", "x"}, {"good.txt", "g"}});
  EXPECT_EQ(Extract(), 1);
  EXPECT_EQ(NamesIn(destination), (Names{"good.txt"}));
}

TEST_F(ArchiveExtractorTest, SizeOf2GiBOrMoreIsPassedOver) {
  TestEntry huge{"huge.txt", "tiny", 0, true, Crc32Of("tiny"), 0x80000000u};
  Make({huge, {"small.txt", "s"}});
  EXPECT_EQ(Extract(), 1);
  EXPECT_EQ(NamesIn(destination), (Names{"small.txt"}));
}

// Three directory entries point at one local header; a fourth entry's
// header and data lie inside the stored data of the one before it.
TEST_F(ArchiveExtractorTest, OverlappingEntriesArePassedOver) {
  std::string data(50000, 'K');
  std::string kernel = DeflatedBytes(data);
  uint32_t crc = Crc32Of(data), packed = static_cast<uint32_t>(kernel.size());
  std::string inner = LocalHeaderBytes("in.txt", 8, crc, packed, 50000) + kernel;
  std::string body = LocalHeaderBytes("aaa.txt", 8, crc, packed, 50000) + kernel;
  uint32_t outerAt = static_cast<uint32_t>(body.size());
  std::string outerHeader = LocalHeaderBytes("outer.txt", 0, Crc32Of(inner),
                                             static_cast<uint32_t>(inner.size()),
                                             static_cast<uint32_t>(inner.size()));
  body += outerHeader + inner;
  uint32_t innerAt = outerAt + static_cast<uint32_t>(outerHeader.size());
  std::string directory = CentralHeaderBytes("aaa.txt", 8, crc, packed, 50000, 0) +
                          CentralHeaderBytes("bbb.txt", 8, crc, packed, 50000, 0) +
                          CentralHeaderBytes("ccc.txt", 8, crc, packed, 50000, 0) +
                          CentralHeaderBytes("outer.txt", 0, Crc32Of(inner),
                                             static_cast<uint32_t>(inner.size()),
                                             static_cast<uint32_t>(inner.size()), outerAt) +
                          CentralHeaderBytes("in.txt", 8, crc, packed, 50000, innerAt);
  WriteWholeFile(archive, body + directory +
                              EndRecordBytes(5, static_cast<uint32_t>(directory.size()),
                                             static_cast<uint32_t>(body.size())));
  EXPECT_EQ(Extract(), 2);
  EXPECT_EQ(NamesIn(destination), (Names{"aaa.txt", "outer.txt"}));
  EXPECT_EQ(In("aaa.txt"), data);
}

TEST_F(ArchiveExtractorTest, TotalBoundRemovesTheEntryAndEnds) {
  SetExtractionLimits(1000, 0);
  Make({{"a.txt", std::string(600, 'a')}, {"b.txt", std::string(600, 'b')},
        {"c.txt", "c"}});
  EXPECT_EQ(Extract(), 1);
  EXPECT_EQ(NamesIn(destination), (Names{"a.txt"}));
  SetExtractionLimits(1201, 0);
  EXPECT_EQ(Extract(), 3) << "exactly at the bound is still allowed";
}

TEST_F(ArchiveExtractorTest, FreeSpaceBoundRemovesTheEntryAndEnds) {
  int64_t free = FreeSpaceOf(scratch);
  ASSERT_GT(free, 0);
  SetExtractionLimits(kDefaultExtractionTotal, free + (int64_t{1} << 40));
  Make({{"empty.txt", ""}, {"a.txt", "a"}, {"b.txt", "b"}});
  EXPECT_EQ(Extract(), 1) << "an empty file writes no bytes";
  EXPECT_EQ(NamesIn(destination), (Names{"empty.txt"}));
}

class StampedTimeTest : public ArchiveExtractorTest {
 protected:
  void SetUp() override {
    ArchiveExtractorTest::SetUp();
    const char* zone = std::getenv("TZ");
    hadZone = zone != nullptr;
    if (hadZone) oldZone = zone;
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
  }
  void TearDown() override {
    if (hadZone)
      setenv("TZ", oldZone.c_str(), 1);
    else
      unsetenv("TZ");
    tzset();
    ArchiveExtractorTest::TearDown();
  }
  bool hadZone = false;
  std::string oldZone;
};

time_t UtcOf(int year, int month, int day, int hour, int minute) {
  struct tm parts = {};
  parts.tm_year = year - 1900;
  parts.tm_mon = month - 1;
  parts.tm_mday = day;
  parts.tm_hour = hour;
  parts.tm_min = minute;
  return timegm(&parts);
}

struct stat StatOf(const std::string& path) {
  struct stat info = {};
  stat(path.c_str(), &info);
  return info;
}

TEST_F(StampedTimeTest, LocalTimeOfThatDateBecomesLastWriteTime) {
  time_t before = time(nullptr);
  TestEntry summer{"summer.txt", "s"};  // 2009-05-17 14:23:46, CEST
  TestEntry winter{"winter.txt", "w"};
  winter.time = {2009, 1, 17, 14, 23, 46};  // CET
  TestEntry eve{"eve.txt", "e"};
  eve.time = {2009, 3, 28, 12, 0, 0};  // the day before clocks go forward
  TestEntry after{"after.txt", "a"};
  after.time = {2009, 3, 29, 12, 0, 0};
  TestEntry noDate{"nodate.txt", "n"};
  noDate.dosDate = 0x00010000;  // day 1 of month 0 of 1980
  Make({summer, winter, eve, after, noDate});
  EXPECT_EQ(Extract(), 5);
  EXPECT_EQ(StatOf(destination + "summer.txt").st_mtime, UtcOf(2009, 5, 17, 12, 23));
  EXPECT_EQ(StatOf(destination + "winter.txt").st_mtime, UtcOf(2009, 1, 17, 13, 23));
  EXPECT_EQ(StatOf(destination + "eve.txt").st_mtime, UtcOf(2009, 3, 28, 11, 0));
  EXPECT_EQ(StatOf(destination + "after.txt").st_mtime, UtcOf(2009, 3, 29, 10, 0));
  EXPECT_GE(StatOf(destination + "nodate.txt").st_mtime, before - 1)
      << "an impossible date leaves the time of writing";
  EXPECT_GE(StatOf(destination + "summer.txt").st_atime, before - 1)
      << "the access time is not stamped";
}

}  // namespace
