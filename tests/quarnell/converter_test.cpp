// tests/quarnell/converter_test.cpp — Quarnell.exe -jar: where its output
// lands, that it appears whole, what it contains, and each way it refuses.
#include "embedded_jar.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class ConverterTest : public testing::Test {
 protected:
  void SetUp() override {
    folder = MakeScratchFolder();
    ASSERT_FALSE(folder.empty());
  }
  void TearDown() override { RemoveScratchFolder(folder); }

  // The converter runs without a display: it must need none.
  ProgramRun Convert(const std::string& jarPath, ProgramOptions options = {}) {
    options.withoutDisplay = true;
    if (options.folder.empty()) options.folder = folder;
    return RunProgram({QUARNELL_CONVERTER, "-jar", jarPath}, options);
  }

  std::string folder;
};

// What a produced program must hold: the emulator, the JAR, the trailer.
std::string ExpectedProgram(const std::string& jar) {
  std::string trailer = "QRNLJAR1";
  for (int i = 0; i < 8; ++i) trailer += static_cast<char>((static_cast<uint64_t>(jar.size()) >> (8 * i)) & 0xff);
  return ReadBytes(QUARNELL_EMULATOR) + jar + trailer;
}

struct NamingCase {
  const char* subfolder;  // where the JAR lies, inside the scratch folder
  const char* jarName;
  bool relative;          // hand the converter a path relative to its folder
  const char* outputName;
};

TEST_F(ConverterTest, WritesTheProgramNextToTheJarWithExeForTheLastThreeCharacters) {
  const NamingCase cases[] = {
      {"folder with spaces", "Snake Deluxe.jar", false, "Snake Deluxe.exe"},
      {"short", "SNAKED~1.JAR", false, "SNAKED~1.exe"},
      {"noext", "midlet.j", false, "midleexe"},
      {"longext", "game.jarx", false, "game.jexe"},
      {"relative dir", "Game.jar", true, "Game.exe"},
  };
  for (const NamingCase& item : cases) {
    SCOPED_TRACE(item.jarName);
    std::string jarFolder = folder + "/" + item.subfolder;
    ASSERT_EQ(mkdir(jarFolder.c_str(), 0755), 0);
    MakeTestJar(jarFolder + "/" + item.jarName);
    std::string argument = item.relative ? std::string(item.subfolder) + "/" + item.jarName
                                         : jarFolder + "/" + item.jarName;
    ProgramRun run = Convert(argument);
    EXPECT_EQ(run.exitCode, 0) << run.errorText;
    EXPECT_EQ(run.errorText, "");
    std::vector<std::string> expected = {item.jarName, item.outputName};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(NamesIn(jarFolder), expected);
    EXPECT_EQ(access((jarFolder + "/" + item.outputName).c_str(), X_OK), 0);
  }
}

TEST_F(ConverterTest, ANameOfFewerThanThreeCharactersGivesExeAlone) {
  MakeTestJar(folder + "/ab");
  ProgramRun run = Convert("ab");
  EXPECT_EQ(run.exitCode, 0) << run.errorText;
  EXPECT_EQ(NamesIn(folder), (std::vector<std::string>{"ab", "exe"}));
}

TEST_F(ConverterTest, TheProgramCarriesTheJarIntact) {
  std::string jarPath = folder + "/Big Game.jar";
  MakeTestJar(jarPath, {"--padding-bytes", "300000", "--icon-size", "32"});
  ASSERT_EQ(Convert(jarPath).exitCode, 0);
  std::string jar = ReadBytes(jarPath);
  std::string program = ReadBytes(folder + "/Big Game.exe");
  EXPECT_TRUE(program == ExpectedProgram(jar)) << "program of " << program.size() << " bytes differs";
  std::string embedded;
  ASSERT_EQ(ReadEmbeddedJar(folder + "/Big Game.exe", &embedded), EmbeddedJarState::Found);
  EXPECT_TRUE(embedded == jar);
}

TEST_F(ConverterTest, AManifestStoredInOtherLetterCaseIsAccepted) {
  MakeTestJar(folder + "/lower.jar", {"--manifest-name", "meta-inf/Manifest.mf"});
  ProgramRun run = Convert(folder + "/lower.jar");
  EXPECT_EQ(run.exitCode, 0) << run.errorText;
  EXPECT_EQ(NamesIn(folder), (std::vector<std::string>{"lower.exe", "lower.jar"}));
}

// The old program is replaced by a rename, never rewritten in place: a second
// link to the old file keeps the old bytes, and no temporary file remains.
TEST_F(ConverterTest, AnExistingProgramIsReplacedWholeByRename) {
  MakeTestJar(folder + "/game.jar");
  WriteBytes(folder + "/game.exe", "old program");
  ASSERT_EQ(link((folder + "/game.exe").c_str(), (folder + "/kept.bin").c_str()), 0);
  ASSERT_EQ(Convert(folder + "/game.jar").exitCode, 0);
  EXPECT_EQ(ReadBytes(folder + "/kept.bin"), "old program");
  EXPECT_TRUE(ReadBytes(folder + "/game.exe") == ExpectedProgram(ReadBytes(folder + "/game.jar")));
  EXPECT_EQ(NamesIn(folder), (std::vector<std::string>{"game.exe", "game.jar", "kept.bin"}));
}

TEST_F(ConverterTest, AFailedWriteLeavesTheOldProgramAndNoTemporaryFile) {
  MakeTestJar(folder + "/game.jar");
  WriteBytes(folder + "/game.exe", "old program");
  ProgramOptions noRoom;
  noRoom.fileSizeLimit = 4096;
  ProgramRun run = Convert(folder + "/game.jar", noRoom);
  EXPECT_NE(run.exitCode, 0);
  EXPECT_EQ(ReadBytes(folder + "/game.exe"), "old program");
  EXPECT_EQ(NamesIn(folder), (std::vector<std::string>{"game.exe", "game.jar"}));
}

// Flips bytes inside the manifest's compressed data, so that it no longer
// inflates or its checksum fails.
void DamageManifestData(const std::string& jarPath) {
  std::string jar = ReadBytes(jarPath);
  const std::string name = "META-INF/MANIFEST.MF";
  size_t at = jar.find(name);
  ASSERT_NE(at, std::string::npos);
  for (size_t i = at + name.size() + 2; i < at + name.size() + 40; ++i) jar[i] = static_cast<char>(jar[i] ^ 0x5a);
  WriteBytes(jarPath, jar);
}

struct BadInputCase {
  const char* label;
  std::function<void(const std::string& jarPath)> prepare;
  long fileSizeLimit;
  const char* messagePart;
};

TEST_F(ConverterTest, BadInputGivesOneLineOnStandardErrorAndNoOutput) {
  const BadInputCase cases[] = {
      {"no such file", [](const std::string&) {}, -1, "no such file"},
      {"a text file", [](const std::string& p) { WriteBytes(p, "just some text\n"); }, -1, "not a ZIP archive"},
      {"an empty file", [](const std::string& p) { WriteBytes(p, ""); }, -1, "not a ZIP archive"},
      {"a cut-off JAR",
       [](const std::string& p) {
         MakeTestJar(p, {"--padding-bytes", "20000"});
         std::string jar = ReadBytes(p);
         WriteBytes(p, jar.substr(0, jar.size() / 2));
       },
       -1, "not a ZIP archive"},
      {"no manifest", [](const std::string& p) { MakeTestJar(p, {"--no-manifest"}); }, -1,
       "no META-INF/MANIFEST.MF"},
      {"a damaged manifest",
       [](const std::string& p) {
         MakeTestJar(p);
         DamageManifestData(p);
       },
       -1, "manifest is damaged"},
      {"a folder", [](const std::string& p) { mkdir(p.c_str(), 0755); }, -1, "folder"},
      {"no room to write", [](const std::string& p) { MakeTestJar(p, {"--padding-bytes", "50000"}); }, 20000,
       "cannot write"},
  };
  for (const BadInputCase& item : cases) {
    SCOPED_TRACE(item.label);
    std::string caseFolder = folder + "/case";
    ASSERT_EQ(mkdir(caseFolder.c_str(), 0755), 0);
    std::string jarPath = caseFolder + "/Bad Game.jar";
    item.prepare(jarPath);
    std::vector<std::string> before = NamesIn(caseFolder);
    ProgramOptions options;
    options.fileSizeLimit = item.fileSizeLimit;
    ProgramRun run = Convert(jarPath, options);
    EXPECT_NE(run.exitCode, 0);
    EXPECT_EQ(std::count(run.errorText.begin(), run.errorText.end(), '\n'), 1) << run.errorText;
    EXPECT_EQ(run.errorText.back(), '\n');
    EXPECT_NE(run.errorText.find(item.messagePart), std::string::npos) << run.errorText;
    EXPECT_EQ(NamesIn(caseFolder), before);
    RemoveScratchFolder(caseFolder);
  }
}

TEST_F(ConverterTest, ANewlineInThePathStillGivesOneLine) {
  WriteBytes(folder + "/two\nlines.jar", "not a zip");
  ProgramRun run = Convert(folder + "/two\nlines.jar");
  EXPECT_NE(run.exitCode, 0);
  EXPECT_EQ(std::count(run.errorText.begin(), run.errorText.end(), '\n'), 1) << run.errorText;
  EXPECT_NE(run.errorText.find("two?lines.jar"), std::string::npos) << run.errorText;
}

TEST_F(ConverterTest, AnUnreadableJarIsRefused) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads files whatever their mode";
  MakeTestJar(folder + "/locked.jar");
  ASSERT_EQ(chmod((folder + "/locked.jar").c_str(), 0), 0);
  ProgramRun run = Convert(folder + "/locked.jar");
  EXPECT_NE(run.exitCode, 0);
  EXPECT_NE(run.errorText.find("permission denied"), std::string::npos) << run.errorText;
  EXPECT_EQ(NamesIn(folder), (std::vector<std::string>{"locked.jar"}));
}

TEST_F(ConverterTest, AWrongCommandLineGivesTheUsageLine) {
  MakeTestJar(folder + "/game.jar");
  const std::vector<std::vector<std::string>> lines = {
      {QUARNELL_CONVERTER},
      {QUARNELL_CONVERTER, "-jar"},
      {QUARNELL_CONVERTER, "-exe", "game.jar"},
      {QUARNELL_CONVERTER, "-jar", "game.jar", "extra"},
  };
  for (const auto& line : lines) {
    ProgramOptions options;
    options.folder = folder;
    ProgramRun run = RunProgram(line, options);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.errorText.rfind("usage: Quarnell.exe -jar PATH", 0), 0u) << run.errorText;
    EXPECT_EQ(std::count(run.errorText.begin(), run.errorText.end(), '\n'), 1);
  }
  EXPECT_EQ(NamesIn(folder), (std::vector<std::string>{"game.jar"}));
}

}  // namespace
