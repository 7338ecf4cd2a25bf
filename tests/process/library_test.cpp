// Loading libraries by their Windows-style names.
#include "platform/library.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <filesystem>
#include <vector>

#include "platform/files.h"
#include "tests/paths/scratch_folder.h"

namespace {

TEST(LibraryFileNameOf, MapsTheWindowsName) {
  struct Case {
    std::string name, expected;
  };
  std::vector<Case> cases = {
      {"pngbmp.dll", "libpngbmp.so"}, {"PNGBMP.DLL", "libPNGBMP.so"}, {"x.Dll", "libx.so"},
      {"plain", "libplain.so"},       {"two.dots.dll", "libtwo.dots.so"},
      {".dll", ""},                   {"", ""},
      {"sub/x.dll", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(LibraryFileNameOf(c.name), c.expected) << c.name;
}

using ProbeAnswer = int (*)();

TEST(LoadLibraryByName, FindsTheLibraryBesideTheExecutable) {
  LibraryHandle library = LoadLibraryByName("tolvanexprobe.dll");
  ASSERT_NE(library, nullptr) << ExecutableFolder();
  auto answer = reinterpret_cast<ProbeAnswer>(FindLibraryFunction(library, "TolvanexProbeAnswer"));
  ASSERT_NE(answer, nullptr);
  EXPECT_EQ(answer(), 42);
  EXPECT_EQ(FindLibraryFunction(library, "NoSuchFunction"), nullptr);
  EXPECT_EQ(FindLibraryFunction(nullptr, "TolvanexProbeAnswer"), nullptr);
  FreeLibraryHandle(library);
  FreeLibraryHandle(nullptr);
}

TEST(LoadLibraryByName, FindsASystemLibrary) {
  LibraryHandle library = LoadLibraryByName("z.dll");
  ASSERT_NE(library, nullptr);
  EXPECT_NE(FindLibraryFunction(library, "zlibVersion"), nullptr);
  FreeLibraryHandle(library);
}

TEST(LoadLibraryByName, MissingLibraryGivesNone) {
  EXPECT_EQ(LoadLibraryByName("tolvanex-no-such-library.dll"), nullptr);
}

using LoadLibraryInCurrentDirectory = InScratchFolder;

TEST_F(LoadLibraryInCurrentDirectory, IsNeverLoadedFromThere) {
  const std::string copy = folder_ + "/libtolvanexcwdonly.so";
  std::filesystem::copy_file(ExecutableFolder() + "/libtolvanexprobe.so", copy);
  // The copy itself loads; only its place keeps it out.
  void* direct = dlopen(copy.c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(direct, nullptr);
  dlclose(direct);
  EXPECT_EQ(LoadLibraryByName("tolvanexcwdonly.dll"), nullptr);
}

}  // namespace
