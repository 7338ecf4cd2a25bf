// The path operations and the names derived from an archive's path.
#include "workflows/paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "platform/process.h"
#include "tests/paths/scratch_folder.h"

namespace {

using PathsTest = InScratchFolder;

struct NameCase {
  std::string what;
  std::string got;
  std::string expected;
};

// The worked example: current directory .../Tools, the archive
// .../Midlets/Snake Deluxe.jar. No short names, so the short path is the
// path itself and the converter's output keeps the long name.
TEST_F(PathsTest, WorkedExampleAndMissingArchive) {
  std::filesystem::create_directories(folder_ + "/Tools");
  std::filesystem::create_directories(folder_ + "/Midlets");
  ASSERT_EQ(chdir((folder_ + "/Tools").c_str()), 0);
  const std::string archive = folder_ + "/Midlets/Snake Deluxe.jar";
  scratch::WriteFile(archive, "PK");
  const std::string gone = folder_ + "/Midlets/gone.jar";
  const std::string tools = folder_ + "/Tools/";

  std::vector<NameCase> cases = {
      {"CurrentFolder", CurrentFolder(), tools},
      {"WorkFolder", WorkFolder(), tools + "Test/"},
      {"ShortPathOf", ShortPathOf(archive), archive},
      {"LongNameOf", LongNameOf(ShortPathOf(archive)), "Snake Deluxe.jar"},
      {"ConverterOutputOf", ConverterOutputOf(archive), folder_ + "/Midlets/Snake Deluxe.exe"},
      {"ProducedProgramOf", ProducedProgramOf(archive), tools + "Snake Deluxe.exe"},
      {"DescriptorFileOf", DescriptorFileOf(archive), "Snake Deluxe.jad"},
      {"ConverterCommandOf", ConverterCommandOf(archive),
       "Quarnell.exe -jar \"" + archive + "\""},
      // A path deleted after it was chosen degrades without an error.
      {"LongNameOf gone", LongNameOf(gone), ""},
      {"ConverterOutputOf gone", ConverterOutputOf(gone), folder_ + "/Midlets/gone.exe"},
      {"ProducedProgramOf gone", ProducedProgramOf(gone), tools + "exe"},
      {"DescriptorFileOf gone", DescriptorFileOf(gone), "jad"},
  };
  for (const NameCase& c : cases) EXPECT_EQ(c.got, c.expected) << c.what;
}

TEST(ReplaceExtension, CutsThreeCharactersWhateverTheyAre) {
  struct Case {
    std::string name, extension, expected;
  };
  std::vector<Case> cases = {
      {"game.jar", "exe", "game.exe"},  {"game.zip", "exe", "game.exe"},
      {"GAME.JAR", "exe", "GAME.exe"},  {"midlet.j", "exe", "midleexe"},
      {"abc", "jad", "jad"},            {"ab", "exe", "exe"},
      {"a", "exe", "exe"},              {"", "jad", "jad"},
      {"/x/Snake Deluxe.jar", "jad", "/x/Snake Deluxe.jad"},
  };
  for (const Case& c : cases) EXPECT_EQ(ReplaceExtension(c.name, c.extension), c.expected) << c.name;
}

TEST_F(PathsTest, LongNameOfGivesTheLastComponentOfWhatIsThere) {
  std::filesystem::create_directories(folder_ + "/sub");
  scratch::WriteFile(folder_ + "/sub/game.jar", "");
  const std::string longest(255, 'n');
  scratch::WriteFile(folder_ + "/" + longest, "");
  ASSERT_EQ(symlink("nowhere", (folder_ + "/dangling").c_str()), 0);
  struct Case {
    std::string path, expected;
  };
  std::vector<Case> cases = {
      {folder_ + "/sub/game.jar", "game.jar"},
      {"sub/game.jar", "game.jar"},
      {folder_ + "/sub", "sub"},
      {folder_ + "/sub/", "sub"},
      {folder_ + "/" + longest, longest},
      {folder_ + "/dangling", "dangling"},  // the link itself is there
      {folder_ + "/sub/game.jar/", ""},     // a file is no folder
      {folder_ + "/sub/GAME.JAR", ""},      // names keep their case
      {"", ""},
      {"/", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(LongNameOf(c.path), c.expected) << c.path;
}

TEST(ShortPathOf, GivesEveryPathUnchanged) {
  for (std::string path : {"", "/", "/a b/c.jar", "rel/x.JAR", "/no/such/file.jar"})
    EXPECT_EQ(ShortPathOf(path), path);
}

TEST_F(PathsTest, TheRootGivesADoubledSeparator) {
  ASSERT_EQ(chdir("/"), 0);
  EXPECT_EQ(CurrentFolder(), "//");
  EXPECT_EQ(WorkFolder(), "//Test/");
}

// The converter gets the path as one argument, whatever is in it.
TEST(ConverterCommandOf, QuotesOnlyWhenNeededAndKeepsThePathWhole) {
  struct Case {
    std::string path, expected;
  };
  std::vector<Case> cases = {
      {"/m/game.jar", "Quarnell.exe -jar /m/game.jar"},
      {"/m/my game.jar", "Quarnell.exe -jar \"/m/my game.jar\""},
      {"/m/tab\tgame.jar", "Quarnell.exe -jar \"/m/tab\tgame.jar\""},
      {"/m/back\\slash.jar", "Quarnell.exe -jar /m/back\\slash.jar"},
      {"/m/say\"hi\".jar", "Quarnell.exe -jar /m/say\\\"hi\\\".jar"},
      {"/m/a\\\"b c.jar", "Quarnell.exe -jar \"/m/a\\\\\\\"b c.jar\""},
      {"/m/ends in\\", "Quarnell.exe -jar \"/m/ends in\\\\\""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ConverterCommandOf(c.path), c.expected) << c.path;
    std::vector<std::string> expected = {"Quarnell.exe", "-jar", c.path};
    EXPECT_EQ(SplitCommandLine(ConverterCommandOf(c.path)), expected) << c.path;
  }
}

// A current directory far beyond the system's path length limit: the
// folder names stay whole, and the work folder can still be cleared.
TEST_F(PathsTest, CurrentFolderOfAVeryDeepDirectory) {
  const std::string level(200, 'd');
  std::string expected = folder_;
  const int depth = 25;  // about 5000 bytes
  for (int i = 0; i < depth; ++i) {
    ASSERT_EQ(mkdir(level.c_str(), 0755), 0);
    ASSERT_EQ(chdir(level.c_str()), 0);
    expected += "/" + level;
  }
  ASSERT_GT(expected.size(), 4096u);
  EXPECT_EQ(CurrentFolder(), expected + "/");
  EXPECT_EQ(WorkFolder(), expected + "/Test/");

  ASSERT_EQ(mkdir("Test", 0755), 0);
  scratch::WriteFile("Test/MANIFEST.MF", "x");
  RemoveWorkFolder();
  EXPECT_FALSE(scratch::Exists("Test"));

  for (int i = 0; i < depth; ++i) {
    ASSERT_EQ(chdir(".."), 0);
    ASSERT_EQ(rmdir(level.c_str()), 0);
  }
}

}  // namespace
