// The built icon library, loaded with dlopen as the program loads it, run in a
// scratch directory whose Test/ folder each test fills.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <dlfcn.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "tests/pngbmp/icon_test_files.h"

namespace {

class IcobmpLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char here[4096];
    ASSERT_NE(getcwd(here, sizeof here), nullptr);
    previous = here;
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/pngbmptest-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    scratch = pattern;
    ASSERT_EQ(chdir(scratch.c_str()), 0);
    ASSERT_EQ(mkdir("Test", 0755), 0);
  }
  void TearDown() override {
    if (!previous.empty()) EXPECT_EQ(chdir(previous.c_str()), 0);
    std::system(("rm -rf '" + scratch + "'").c_str());
  }

  // Loads the library, calls Icobmp, unloads it: what the program does.
  void RunIconLibrary() {
    void* library = dlopen(PNGBMP_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    auto icobmp = reinterpret_cast<int (*)()>(dlsym(library, "Icobmp"));
    ASSERT_NE(icobmp, nullptr);
    icobmp();
    dlclose(library);
  }

  ReadBitmap WrittenIcon() { return ParseBmp(ReadFileBytes("Test/icon.bmp")); }

  std::string previous;
  std::string scratch;
};

std::vector<std::string> NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  if (DIR* walk = opendir(folder.c_str())) {
    while (dirent* entry = readdir(walk))
      if (std::string(entry->d_name) != "." && std::string(entry->d_name) != "..") names.push_back(entry->d_name);
    closedir(walk);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Red top half, blue bottom half: shows size and row order at once.
Bytes HalvesPng(int side) {
  return RgbaPng(side, side, [side](int, int y) { return y < side / 2 ? Rgba{255, 0, 0, 255} : Rgba{0, 0, 255, 255}; });
}

TEST_F(IcobmpLibraryTest, IconTakesItsOwnSize) {
  struct Case {
    const char* manifest;
    const char* file;
    int side;
  } cases[] = {
      {"Manifest-Version: 1.0\r\nMIDlet-Icon: /icons/app48.png\r\nMIDlet-1: Game, /other.png, Main\r\n",
       "app48.png", 48},
      {"Manifest-Version: 1.0\r\nMIDlet-1: Game, /i/app16.png, Main\r\n\r\n", "app16.png", 16},
  };
  for (const Case& c : cases) {
    WriteFileText("Test/MANIFEST.MF", c.manifest);
    WriteFileBytes(std::string("Test/") + c.file, HalvesPng(c.side));
    WriteFileBytes("Test/other.png", HalvesPng(8));
    unlink("Test/icon.bmp");
    RunIconLibrary();
    ReadBitmap icon = WrittenIcon();
    ASSERT_TRUE(icon.ok) << c.file;
    EXPECT_EQ(icon.width, c.side);
    EXPECT_EQ(icon.height, c.side);
    EXPECT_EQ(icon.At(0, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(icon.At(c.side - 1, c.side - 1), (Rgb{0, 0, 255}));
  }
}

TEST_F(IcobmpLibraryTest, ManifestAndIconAreFoundWhateverTheirLetterCase) {
  WriteFileText("Test/manifest.mf", "MIDlet-1: Snake, /ICONS/Snake.PNG, Snake\r\n");
  WriteFileBytes("Test/snake.png", HalvesPng(24));
  RunIconLibrary();
  ReadBitmap icon = WrittenIcon();
  ASSERT_TRUE(icon.ok);
  EXPECT_EQ(icon.width, 24);
}

TEST_F(IcobmpLibraryTest, TransparencyShowsTheButtonFace) {
  WriteFileText("Test/MANIFEST.MF", "MIDlet-Icon: icon.png\n");
  WriteFileBytes("Test/icon.png",
                 RgbaPng(16, 16, [](int x, int) { return x < 8 ? Rgba{0, 0, 0, 0} : Rgba{255, 0, 0, 255}; }));
  RunIconLibrary();
  ReadBitmap icon = WrittenIcon();
  ASSERT_TRUE(icon.ok);
  EXPECT_EQ(icon.At(0, 0), (Rgb{240, 240, 240}));
  EXPECT_EQ(icon.At(7, 15), (Rgb{240, 240, 240}));
  EXPECT_EQ(icon.At(8, 0), (Rgb{255, 0, 0}));
}

TEST_F(IcobmpLibraryTest, NothingUsableWritesNothing) {
  Bytes good = HalvesPng(16);
  struct Case {
    const char* what;
    const char* manifest;  // nullptr: no manifest at all
    Bytes icon;            // written as Test/icon.png when not empty
  } cases[] = {
      {"no manifest", nullptr, good},
      {"no icon named", "Manifest-Version: 1.0\r\nMIDlet-1: Game, , Main\r\n", good},
      {"named icon missing", "MIDlet-Icon: /gone.png\r\n", good},
      {"damaged png", "MIDlet-Icon: /icon.png\r\n", Bytes(good.begin(), good.begin() + 60)},
      {"not a png", "MIDlet-Icon: /icon.png\r\n", {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0}},
      {"too large", "MIDlet-Icon: /icon.png\r\n", RgbaPng(1025, 2, [](int, int) { return Rgba{9, 9, 9, 255}; })},
  };
  for (const Case& c : cases) {
    std::system("rm -rf Test && mkdir Test");
    if (c.manifest) WriteFileText("Test/MANIFEST.MF", c.manifest);
    if (!c.icon.empty()) WriteFileBytes("Test/icon.png", c.icon);
    std::vector<std::string> before = NamesIn("Test");
    RunIconLibrary();
    EXPECT_EQ(NamesIn("Test"), before) << c.what;
  }
}

TEST_F(IcobmpLibraryTest, IconNamingAFolderWritesNothing) {
  WriteFileText("Test/MANIFEST.MF", "MIDlet-Icon: /icons/\r\nMIDlet-1: G, icons, M\r\n");
  ASSERT_EQ(mkdir("Test/icons", 0755), 0);
  RunIconLibrary();
  EXPECT_EQ(NamesIn("Test"), (std::vector<std::string>{"MANIFEST.MF", "icons"}));
}

TEST_F(IcobmpLibraryTest, NoWorkFolderCreatesNothing) {
  ASSERT_EQ(rmdir("Test"), 0);
  RunIconLibrary();
  EXPECT_TRUE(NamesIn(".").empty());
}

}  // namespace
