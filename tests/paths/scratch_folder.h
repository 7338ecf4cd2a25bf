// A fresh folder for one test, entered as the current directory, and the
// small file helpers the path and process tests share.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace scratch {

// The physical path of a new empty folder under the system's temporary one.
inline std::string MakeFolder() {
  std::string pattern = std::filesystem::temp_directory_path().string() + "/tolvanex-XXXXXX";
  char* made = mkdtemp(pattern.data());
  EXPECT_NE(made, nullptr);
  char real[PATH_MAX];
  EXPECT_NE(realpath(pattern.c_str(), real), nullptr);
  return real;
}

inline void WriteFile(const std::string& path, const std::string& text, mode_t mode = 0644) {
  { std::ofstream(path, std::ios::binary) << text; }
  ASSERT_EQ(chmod(path.c_str(), mode), 0) << path;
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Waits for a file that another process writes; false when it never came.
inline bool WaitForFile(const std::string& path, int seconds = 20) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (access(path.c_str(), F_OK) != 0) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

inline bool Exists(const std::string& path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0;
}

}  // namespace scratch

// Each test runs in a folder of its own as the current directory; the folder
// goes away afterwards and the old current directory comes back.
class InScratchFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::filesystem::current_path().string();
    folder_ = scratch::MakeFolder();
    ASSERT_EQ(chdir(folder_.c_str()), 0);
  }
  void TearDown() override {
    ASSERT_EQ(chdir(previous_.c_str()), 0);
    std::error_code ignored;
    std::filesystem::permissions(folder_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(folder_, ignored);
  }
  std::string folder_;  // physical path, no trailing "/"
  std::string previous_;
};
