// tests/quarnell/test_support.cpp — child processes and scratch files.
#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

[[noreturn]] void ExecInChild(const std::vector<std::string>& argv, const ProgramOptions& options) {
  if (options.withoutDisplay) unsetenv("DISPLAY");
  if (options.fileSizeLimit >= 0) {
    signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit = {static_cast<rlim_t>(options.fileSizeLimit), static_cast<rlim_t>(options.fileSizeLimit)};
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  if (!options.folder.empty() && chdir(options.folder.c_str()) != 0) _exit(126);
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  execv(args[0], args.data());
  _exit(127);
}

int ExitCodeOf(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

}  // namespace

ProgramRun RunProgram(const std::vector<std::string>& argv, const ProgramOptions& options) {
  int pipeEnds[2];
  ProgramRun run;
  if (pipe2(pipeEnds, O_CLOEXEC) != 0) return run;
  pid_t child = fork();
  if (child == 0) {
    dup2(pipeEnds[1], 2);
    ExecInChild(argv, options);
  }
  close(pipeEnds[1]);
  char buffer[4096];
  ssize_t got;
  while ((got = read(pipeEnds[0], buffer, sizeof buffer)) > 0) run.errorText.append(buffer, static_cast<size_t>(got));
  close(pipeEnds[0]);
  int status = 0;
  if (child > 0 && waitpid(child, &status, 0) == child) run.exitCode = ExitCodeOf(status);
  return run;
}

pid_t StartProgram(const std::vector<std::string>& argv, const ProgramOptions& options) {
  pid_t child = fork();
  if (child == 0) ExecInChild(argv, options);
  return child;
}

bool WaitForProgram(pid_t program, int deadlineMs, int* exitCode) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(deadlineMs);
  while (std::chrono::steady_clock::now() < deadline) {
    int status = 0;
    if (waitpid(program, &status, WNOHANG) == program) {
      *exitCode = ExitCodeOf(status);
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return false;
}

void StopProgram(pid_t program) {
  if (program <= 0) return;
  kill(program, SIGKILL);
  int status = 0;
  waitpid(program, &status, 0);
}

std::string MakeScratchFolder() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/quarnell-test-XXXXXX";
  return mkdtemp(pattern.data()) ? pattern : std::string();
}

void RemoveScratchFolder(const std::string& folder) {
  if (folder.empty()) return;
  RunProgram({"/bin/rm", "-rf", "--", folder});
}

std::vector<std::string> NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  DIR* listing = opendir(folder.c_str());
  if (!listing) return names;
  while (dirent* entry = readdir(listing)) {
    std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  closedir(listing);
  std::sort(names.begin(), names.end());
  return names;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void MakeTestJar(const std::string& path, const std::vector<std::string>& options) {
  std::vector<std::string> argv = {MAKE_TEST_JAR, path};
  argv.insert(argv.end(), options.begin(), options.end());
  ProgramRun run = RunProgram(argv);
  ASSERT_EQ(run.exitCode, 0) << run.errorText;
}
