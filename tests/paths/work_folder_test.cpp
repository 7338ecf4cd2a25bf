// Removal of the work folder Test/ in the current directory.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/paths/scratch_folder.h"
#include "workflows/paths.h"

namespace {

using RemoveWorkFolderTest = InScratchFolder;

TEST_F(RemoveWorkFolderTest, MissingFolderIsPassedOver) {
  RemoveWorkFolder();
  EXPECT_FALSE(scratch::Exists("Test"));
}

TEST_F(RemoveWorkFolderTest, DeletesFilesReadOnlyOnesTooAndTheFolder) {
  ASSERT_EQ(mkdir("Test", 0755), 0);
  scratch::WriteFile("Test/MANIFEST.MF", "Manifest-Version: 1.0\r\n");
  scratch::WriteFile("Test/icon.png", "png", 0444);
  scratch::WriteFile("Test/.hidden", "");
  RemoveWorkFolder();
  EXPECT_FALSE(scratch::Exists("Test"));
}

TEST_F(RemoveWorkFolderTest, EntersNoSubfolderAndKeepsTheFolder) {
  std::filesystem::create_directories("Test/META-INF");
  scratch::WriteFile("Test/MANIFEST.MF", "");
  scratch::WriteFile("Test/META-INF/MANIFEST.MF", "inner");
  RemoveWorkFolder();
  EXPECT_FALSE(scratch::Exists("Test/MANIFEST.MF"));
  EXPECT_EQ(scratch::ReadFile("Test/META-INF/MANIFEST.MF"), "inner");
}

TEST_F(RemoveWorkFolderTest, ALinkedTestIsRemovedAsALinkOnly) {
  std::filesystem::create_directories("elsewhere");
  scratch::WriteFile("elsewhere/keep.txt", "keep");
  ASSERT_EQ(symlink("elsewhere", "Test"), 0);
  RemoveWorkFolder();
  EXPECT_FALSE(scratch::Exists("Test"));
  EXPECT_EQ(scratch::ReadFile("elsewhere/keep.txt"), "keep");
}

TEST_F(RemoveWorkFolderTest, LinksInsideAreRemovedAsLinks) {
  std::filesystem::create_directories("Test");
  std::filesystem::create_directories("outside/folder");
  scratch::WriteFile("outside/file.txt", "file");
  scratch::WriteFile("outside/folder/inner.txt", "inner");
  ASSERT_EQ(symlink((folder_ + "/outside/file.txt").c_str(), "Test/to-file"), 0);
  ASSERT_EQ(symlink((folder_ + "/outside/folder").c_str(), "Test/to-folder"), 0);
  ASSERT_EQ(symlink("missing", "Test/dangling"), 0);
  RemoveWorkFolder();
  EXPECT_FALSE(scratch::Exists("Test"));
  EXPECT_EQ(scratch::ReadFile("outside/file.txt"), "file");
  EXPECT_EQ(scratch::ReadFile("outside/folder/inner.txt"), "inner");
}

TEST_F(RemoveWorkFolderTest, AFileNamedTestIsLeftAlone) {
  scratch::WriteFile("Test", "not a folder");
  RemoveWorkFolder();
  EXPECT_EQ(scratch::ReadFile("Test"), "not a folder");
}

}  // namespace
