// tests/quarnell/test_support.h — running the converter's programs from tests,
// and scratch folders for their files.
//
// RunProgram starts argv[0] with the given arguments, waits for it and gives
// its exit code (or 128 + signal) and everything it wrote on standard error.
// StartProgram starts one in the background; WaitForProgram waits for it up to
// a deadline; StopProgram kills and reaps it.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

struct ProgramOptions {
  bool withoutDisplay = false;  // DISPLAY removed from the environment
  long fileSizeLimit = -1;      // RLIMIT_FSIZE in bytes, with SIGXFSZ ignored
  std::string folder;           // working folder; empty keeps the test's
};

struct ProgramRun {
  int exitCode = -1;
  std::string errorText;
};

ProgramRun RunProgram(const std::vector<std::string>& argv, const ProgramOptions& options = {});

pid_t StartProgram(const std::vector<std::string>& argv, const ProgramOptions& options = {});
// True when the program ended within the deadline; its exit code goes to *exitCode.
bool WaitForProgram(pid_t program, int deadlineMs, int* exitCode);
void StopProgram(pid_t program);

// A new empty folder under the system's temporary folder, removed with its
// contents by RemoveScratchFolder.
std::string MakeScratchFolder();
void RemoveScratchFolder(const std::string& folder);

// The names in a folder, sorted, without "." and "..".
std::vector<std::string> NamesIn(const std::string& folder);
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

// make-test-jar with the given options; fails the calling test when it fails.
void MakeTestJar(const std::string& path, const std::vector<std::string>& options = {});
