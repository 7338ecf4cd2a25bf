// Starting programs: where they are found, what they get, and that none is
// left behind as our child or zombie.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <filesystem>
#include <map>
#include <vector>

#include "platform/files.h"
#include "platform/process.h"
#include "platform/transcript.h"
#include "tests/paths/scratch_folder.h"

namespace {

// A program that writes what it sees to the file named by its first
// argument (or by fixedMarker when given): where it lies, its standard
// streams, its working folder and its other arguments, one per line.
// prelude runs first.
std::string ProbeScript(const std::string& where, const std::string& fixedMarker = "",
                        const std::string& prelude = "") {
  std::string marker = fixedMarker.empty() ? "out=\"$1\"; shift\n" : "out='" + fixedMarker + "'\n";
  return "#!/bin/sh\n" + prelude + marker +
         "f0=$(readlink /proc/$$/fd/0); f1=$(readlink /proc/$$/fd/1); f2=$(readlink /proc/$$/fd/2)\n"
         "{ echo \"where=" + where + "\"; echo \"fds=$f0 $f1 $f2\"; echo \"pwd=$(pwd -P)\";\n"
         "  echo \"pid=$$\"; for a in \"$@\"; do echo \"arg=$a\"; done; } > \"$out.part\"\n"
         "mv \"$out.part\" \"$out\"\n";
}

// The probe's lines as key -> values.
std::multimap<std::string, std::string> ReadProbe(const std::string& marker) {
  std::multimap<std::string, std::string> seen;
  std::stringstream text(scratch::ReadFile(marker));
  for (std::string line; std::getline(text, line);) {
    size_t equals = line.find('=');
    if (equals != std::string::npos) seen.emplace(line.substr(0, equals), line.substr(equals + 1));
  }
  return seen;
}

std::string ValueOf(const std::multimap<std::string, std::string>& seen, const std::string& key) {
  auto found = seen.find(key);
  return found == seen.end() ? "(none)" : found->second;
}

std::string OwnStream(int n) {
  return std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(n)).string();
}

// Processes whose parent is this one, zombies included.
std::vector<int> OwnChildren() {
  std::vector<int> children;
  DIR* proc = opendir("/proc");
  while (struct dirent* entry = proc ? readdir(proc) : nullptr) {
    std::string stat = scratch::ReadFile(std::string("/proc/") + entry->d_name + "/stat");
    size_t paren = stat.rfind(')');
    if (paren == std::string::npos) continue;
    std::stringstream rest(stat.substr(paren + 2));
    std::string state;
    int parent = 0;
    rest >> state >> parent;
    if (parent == getpid()) children.push_back(atoi(entry->d_name));
  }
  if (proc) closedir(proc);
  return children;
}

bool HasEnded(int pid) {
  if (kill(pid, 0) != 0) return true;
  std::string stat = scratch::ReadFile("/proc/" + std::to_string(pid) + "/stat");
  size_t paren = stat.rfind(')');
  return paren == std::string::npos || stat.substr(paren + 2, 1) == "Z";
}

bool WaitUntilEnded(int pid) {
  for (int i = 0; i < 4000 && !HasEnded(pid); ++i) usleep(5000);
  return HasEnded(pid);
}

class ProcessTest : public InScratchFolder {
 protected:
  void SetUp() override {
    InScratchFolder::SetUp();
    const char* path = getenv("PATH");
    oldPath_ = path ? path : "";
    pathFolder_ = folder_ + "/on-path";
    std::filesystem::create_directories(pathFolder_);
    setenv("PATH", (pathFolder_ + ":" + oldPath_).c_str(), 1);
    name_ = "tolvanex-probe-" + std::to_string(getpid());
    besideUs_ = ExecutableFolder() + "/" + name_;
  }
  void TearDown() override {
    EndStartedProcesses();
    unlink(besideUs_.c_str());
    setenv("PATH", oldPath_.c_str(), 1);
    InScratchFolder::TearDown();
  }
  std::string oldPath_;
  std::string pathFolder_;
  std::string name_;      // a program name unique to this test process
  std::string besideUs_;  // that name in the folder of the test executable
};

TEST_F(ProcessTest, ProgramIsLookedForBesideUsThenHereThenOnPath) {
  scratch::WriteFile(besideUs_, ProbeScript("beside"), 0755);
  scratch::WriteFile(folder_ + "/" + name_, ProbeScript("here"), 0755);
  scratch::WriteFile(pathFolder_ + "/" + name_, ProbeScript("path"), 0755);
  const std::vector<std::pair<std::string, std::string>> order = {
      {besideUs_, "beside"}, {folder_ + "/" + name_, "here"}, {pathFolder_ + "/" + name_, "path"}};
  for (const auto& [file, where] : order) {
    std::string marker = folder_ + "/marker-" + where;
    ASSERT_NE(StartCommandLine(name_ + " " + marker, 1), 0) << where;
    ASSERT_TRUE(scratch::WaitForFile(marker)) << where;
    EXPECT_EQ(ValueOf(ReadProbe(marker), "where"), where);
    unlink(file.c_str());
  }
  EXPECT_EQ(StartCommandLine(name_ + " " + folder_ + "/marker-none", 1), 0);
  EXPECT_EQ(FindProgram(name_), "");
}

TEST_F(ProcessTest, FilesThatCannotRunAreSkippedAndSlashNamesTakenAsTheyAre) {
  scratch::WriteFile(besideUs_, ProbeScript("beside"), 0644);  // not executable
  std::filesystem::create_directories(folder_ + "/" + name_);   // a folder of that name
  scratch::WriteFile(pathFolder_ + "/" + name_, ProbeScript("path"), 0755);
  EXPECT_EQ(FindProgram(name_), pathFolder_ + "/" + name_);
  EXPECT_EQ(FindProgram("sub/" + name_), "sub/" + name_);
  EXPECT_EQ(FindProgram(""), "");
}

TEST_F(ProcessTest, ArgumentsArriveSplitAndHiddenStreamsAreDevNull) {
  scratch::WriteFile(folder_ + "/probe", ProbeScript("here"), 0755);
  const std::string marker = folder_ + "/marker";
  ASSERT_NE(StartCommandLine("probe " + marker + " \"two words\" a\\\"b \"\" last", 1), 0);
  ASSERT_TRUE(scratch::WaitForFile(marker));
  auto seen = ReadProbe(marker);
  EXPECT_EQ(ValueOf(seen, "fds"), "/dev/null /dev/null /dev/null");
  EXPECT_EQ(ValueOf(seen, "pwd"), folder_);
  std::vector<std::string> arguments;
  for (auto [at, end] = seen.equal_range("arg"); at != end; ++at) arguments.push_back(at->second);
  EXPECT_EQ(arguments, (std::vector<std::string>{"two words", "a\"b", "", "last"}));
}

TEST_F(ProcessTest, NormalStartInheritsOurStreams) {
  scratch::WriteFile(folder_ + "/probe", ProbeScript("here"), 0755);
  const std::string marker = folder_ + "/marker";
  ASSERT_NE(StartCommandLine("./probe " + marker, 0), 0);
  ASSERT_TRUE(scratch::WaitForFile(marker));
  EXPECT_EQ(ValueOf(ReadProbe(marker), "fds"), OwnStream(0) + " " + OwnStream(1) + " " + OwnStream(2));
}

TEST_F(ProcessTest, StartedProgramsAreNeverOurChildrenNorZombies) {
  scratch::WriteFile(folder_ + "/quick", "#!/bin/sh\nexit 0\n", 0755);
  scratch::WriteFile(folder_ + "/stays", ProbeScript("here") + "exec sleep 60\n", 0755);
  for (int i = 0; i < 5; ++i) ASSERT_NE(StartCommandLine("./quick", 1), 0);
  const std::string marker = folder_ + "/marker";
  ASSERT_NE(StartCommandLine("./stays " + marker, 1), 0);
  ASSERT_TRUE(scratch::WaitForFile(marker));
  EXPECT_EQ(OwnChildren(), std::vector<int>{});
  const int stays = std::stoi(ValueOf(ReadProbe(marker), "pid"));
  EXPECT_FALSE(HasEnded(stays));
  EndStartedProcesses();
  EXPECT_TRUE(WaitUntilEnded(stays));
}

TEST_F(ProcessTest, EndStartedProcessesEndsOneThatIgnoresTerm) {
  scratch::WriteFile(folder_ + "/stubborn", ProbeScript("here", "", "trap '' TERM\n") + "exec sleep 60\n",
                     0755);
  const std::string marker = folder_ + "/marker";
  ASSERT_NE(StartCommandLine("./stubborn " + marker, 1), 0);
  ASSERT_TRUE(scratch::WaitForFile(marker));
  const int pid = std::stoi(ValueOf(ReadProbe(marker), "pid"));
  EndStartedProcesses();
  EXPECT_TRUE(WaitUntilEnded(pid));
}

TEST_F(ProcessTest, TranscriptNotesEachStart) {
  SetTranscriptActive(true);
  testing::internal::CaptureStdout();
  StartCommandLine("no-such-program-here x \"y z\"", 1);
  StartCommandLine("no-such-program-here", 0);
  RunProgram(folder_ + "/missing.exe");
  std::string lines = testing::internal::GetCapturedStdout();
  SetTranscriptActive(false);
  EXPECT_EQ(lines,
            "launch hidden \"no-such-program-here x \\\"y z\\\"\"\n"
            "launch normal \"no-such-program-here\"\n"
            "run \"" + folder_ + "/missing.exe\" failed\n");
}

TEST_F(ProcessTest, RunProgramStartsAPathWithSpacesDirectly) {
  std::filesystem::create_directories(folder_ + "/My Games");
  const std::string program = folder_ + "/My Games/snake deluxe.exe";
  const std::string marker = folder_ + "/marker";
  scratch::WriteFile(program, ProbeScript("direct", marker), 0755);
  ASSERT_NE(RunProgram(program), 0);
  ASSERT_TRUE(scratch::WaitForFile(marker));
  auto seen = ReadProbe(marker);
  EXPECT_EQ(ValueOf(seen, "where"), "direct");
  EXPECT_EQ(ValueOf(seen, "pwd"), folder_);  // our current directory, not the program's
  EXPECT_EQ(ValueOf(seen, "arg"), "(none)");
}

TEST_F(ProcessTest, RunProgramHandsAFileThatCannotRunToXdgOpen) {
  const std::string opened = folder_ + "/opened";
  scratch::WriteFile(pathFolder_ + "/xdg-open", ProbeScript("xdg-open", opened), 0755);
  std::filesystem::create_directories(folder_ + "/docs");
  const std::string document = folder_ + "/docs/readme.exe";
  scratch::WriteFile(document, "not a program", 0644);
  ASSERT_EQ(chdir(pathFolder_.c_str()), 0);
  ASSERT_NE(RunProgram("../docs/readme.exe"), 0);
  ASSERT_TRUE(scratch::WaitForFile(opened));
  auto seen = ReadProbe(opened);
  EXPECT_EQ(ValueOf(seen, "pwd"), folder_ + "/docs");
  EXPECT_EQ(ValueOf(seen, "arg"), pathFolder_ + "/../docs/readme.exe");
  // A file that is not there is never handed on.
  EXPECT_EQ(RunProgram(folder_ + "/docs/missing.exe"), 0);
}

TEST_F(ProcessTest, RunProgramFailsWhenNothingCanOpenTheFile) {
  setenv("PATH", pathFolder_.c_str(), 1);  // no xdg-open there
  scratch::WriteFile(folder_ + "/readme.exe", "not a program", 0644);
  EXPECT_EQ(RunProgram(folder_ + "/readme.exe"), 0);
  EXPECT_EQ(RunProgram(folder_ + "/missing.exe"), 0);
}

}  // namespace
