// tests/quarnell/manifest_test.cpp — reading the MIDlet's details that the
// emulator shows.
#include "manifest.h"
#include "test_support.h"

#include <gtest/gtest.h>

namespace {

TEST(ManifestTest, ReadsFieldsWithAnyLineEndAndContinuationLines) {
  ManifestFields fields = ParseManifest(
      "Manifest-Version: 1.0\r\nMIDlet-Name:  Snake \r\nMIDlet-Description: a long\r\n  text\n"
      "MIDlet-Vendor: Acme\rMIDlet-1: Snake, /i.png, Main\nbroken line\nMIDlet-Version:1.2");
  EXPECT_EQ(ManifestValue(fields, "MIDlet-Name"), "Snake");
  EXPECT_EQ(ManifestValue(fields, "MIDlet-Description"), "a long text");
  EXPECT_EQ(ManifestValue(fields, "MIDlet-Vendor"), "Acme");
  EXPECT_EQ(ManifestValue(fields, "MIDlet-Version"), "1.2");
  EXPECT_EQ(ManifestValue(fields, "MIDlet-1"), "Snake, /i.png, Main");
  EXPECT_EQ(ManifestValue(fields, "midlet-name"), "");
}

TEST(ManifestTest, SplitsMidletEntries) {
  const struct {
    const char* value;
    MidletEntry expected;
  } cases[] = {
      {"Snake, /icons/s.png, com.acme.Snake", {"Snake", "/icons/s.png", "com.acme.Snake"}},
      {"Snake,,Main", {"Snake", "", "Main"}},
      {"Snake", {"Snake", "", ""}},
  };
  for (const auto& item : cases) {
    MidletEntry entry = ParseMidletEntry(item.value);
    EXPECT_EQ(entry.name, item.expected.name) << item.value;
    EXPECT_EQ(entry.icon, item.expected.icon) << item.value;
    EXPECT_EQ(entry.className, item.expected.className) << item.value;
  }
}

TEST(ManifestTest, GathersTheDetailsAndTheIconFromAJar) {
  std::string folder = MakeScratchFolder();
  MakeTestJar(folder + "/t.jar", {"--name", "Tetra", "--vendor", "Blocks Ltd", "--version", "2.1", "--midlets", "2",
                                  "--manifest-name", "Meta-Inf/manifest.MF", "--icon-size", "20"});
  MidletInfo info = ReadMidletInfo(ReadBytes(folder + "/t.jar"));
  RemoveScratchFolder(folder);
  EXPECT_EQ(info.problem, "");
  EXPECT_EQ(info.name, "Tetra");
  EXPECT_EQ(info.vendor, "Blocks Ltd");
  EXPECT_EQ(info.version, "2.1");
  ASSERT_EQ(info.midlets.size(), 2u);
  EXPECT_EQ(info.midlets[1].name, "Tetra 2");
  EXPECT_EQ(info.midlets[1].className, "Main2");
  EXPECT_EQ(info.iconPath, "/icon.png");
  EXPECT_EQ(info.iconBytes.substr(1, 3), "PNG");
}

TEST(ManifestTest, DescribesWhatIsWrongWithABadArchive) {
  EXPECT_NE(ReadMidletInfo("not a zip").problem, "");
  std::string folder = MakeScratchFolder();
  MakeTestJar(folder + "/n.jar", {"--no-manifest"});
  MidletInfo info = ReadMidletInfo(ReadBytes(folder + "/n.jar"));
  RemoveScratchFolder(folder);
  EXPECT_NE(info.problem.find("MANIFEST.MF"), std::string::npos);
}

}  // namespace
