// Starting programs as independent processes.
//
// A double fork: the middle child forks the program's process and leaves at
// once, so the program is handed to the system and never becomes our zombie.
// The program's process sends its pid back through a pipe that closes on
// exec; a second number after it is the errno of a failed exec.
#include "platform/process.h"

#include <cerrno>
#include <csignal>
#include <cstdint>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/files.h"
#include "platform/transcript.h"

namespace {

struct StartPlan {
  std::string program;                 // the file to run
  std::vector<std::string> arguments;  // argv, the first one included
  bool hidden = false;                 // standard streams on /dev/null
  std::string folder;                  // working folder; empty: ours
};

std::vector<pid_t> StartedGroups;

// A pipe whose ends lie above the standard streams, both closed on exec.
bool OpenReportPipe(int ends[2]) {
  if (pipe2(ends, O_CLOEXEC) != 0) return false;
  for (int i = 0; i < 2; ++i) {
    if (ends[i] > 2) continue;
    int moved = fcntl(ends[i], F_DUPFD_CLOEXEC, 3);
    close(ends[i]);
    ends[i] = moved;
  }
  if (ends[0] >= 0 && ends[1] >= 0) return true;
  if (ends[0] >= 0) close(ends[0]);
  if (ends[1] >= 0) close(ends[1]);
  return false;
}

// Runs in the program's process after the fork: only async-signal-safe calls.
[[noreturn]] void ExecPlan(const char* program, char* const* argv, const char* folder,
                           bool hidden, int report) {
  setpgid(0, 0);
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  struct sigaction standard = {};
  standard.sa_handler = SIG_DFL;
  for (int signal = 1; signal < NSIG; ++signal) sigaction(signal, &standard, nullptr);
  int32_t pid = static_cast<int32_t>(getpid());
  if (write(report, &pid, sizeof pid) != static_cast<ssize_t>(sizeof pid)) _exit(127);
  int32_t error = 0;
  if (hidden) {
    int null = open("/dev/null", O_RDWR);
    if (null < 0 || dup2(null, 0) < 0 || dup2(null, 1) < 0 || dup2(null, 2) < 0) error = errno;
    if (null > 2) close(null);
  }
  if (error == 0 && folder[0] != '\0' && chdir(folder) != 0) error = errno;
  if (error == 0) {
    execv(program, argv);
    error = errno;
  }
  if (write(report, &error, sizeof error) < 0) _exit(127);
  _exit(127);
}

// Reads what the program's process reported; its pid when exec succeeded.
pid_t ReadReport(int report) {
  int32_t numbers[2] = {0, 0};
  size_t got = 0;
  char* into = reinterpret_cast<char*>(numbers);
  while (got < sizeof numbers) {
    ssize_t n = read(report, into + got, sizeof numbers - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<size_t>(n);
  }
  return got == sizeof numbers[0] ? static_cast<pid_t>(numbers[0]) : 0;
}

// Non-zero when the program was started.
int StartDetached(const StartPlan& plan) {
  std::vector<char*> argv;
  for (const std::string& argument : plan.arguments)
    argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  int ends[2];
  if (plan.program.empty() || !OpenReportPipe(ends)) return 0;
  pid_t middle = fork();
  if (middle == 0) {
    close(ends[0]);
    pid_t program = fork();
    if (program == 0)
      ExecPlan(plan.program.c_str(), argv.data(), plan.folder.c_str(), plan.hidden, ends[1]);
    _exit(program < 0 ? 1 : 0);
  }
  close(ends[1]);
  pid_t started = 0;
  if (middle > 0) {
    started = ReadReport(ends[0]);
    while (waitpid(middle, nullptr, 0) < 0 && errno == EINTR) {
    }
  }
  close(ends[0]);
  if (started > 0) StartedGroups.push_back(started);
  return started > 0;
}

std::string AbsolutePathOf(const std::string& path) {
  return !path.empty() && path[0] == '/' ? path : CurrentDirectory() + "/" + path;
}

// The folder part of path ("/" for a file in the root); empty for a bare name.
std::string FolderPartOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return std::string();
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool Exists(const std::string& path) {
  struct stat info;
  return !path.empty() && stat(path.c_str(), &info) == 0;
}

int OpenWithDesktop(const std::string& path) {
  StartPlan plan;
  plan.program = FindProgramOnPath("xdg-open");
  plan.arguments = {"xdg-open", AbsolutePathOf(path)};
  plan.folder = FolderPartOf(path);
  return StartDetached(plan);
}

// Gone, or a zombie waiting for the system to collect it.
bool HasEnded(pid_t pid) {
  if (kill(pid, 0) != 0) return errno == ESRCH;
  int file = OpenFileForReading("/proc/" + std::to_string(pid) + "/stat");
  char text[512] = {};
  int64_t n = file < 0 ? 0 : ReadFileBytes(file, text, sizeof text - 1);
  CloseFile(file);
  std::string stat(text, n > 0 ? static_cast<size_t>(n) : 0);
  size_t paren = stat.rfind(')');
  return paren != std::string::npos && paren + 2 < stat.size() && stat[paren + 2] == 'Z';
}

void SignalGroup(pid_t group, int signal) {
  if (kill(-group, signal) != 0) kill(group, signal);
}

}  // namespace

int StartCommandLine(const std::string& commandLine, int hidden) {
  NoteEffect(std::string(hidden ? "launch hidden " : "launch normal ") + QuoteText(commandLine));
  StartPlan plan;
  plan.arguments = SplitCommandLine(commandLine);
  if (plan.arguments.empty()) return 0;
  plan.program = FindProgram(plan.arguments[0]);
  plan.hidden = hidden != 0;
  return StartDetached(plan);
}

int RunProgram(const std::string& path) {
  StartPlan plan;
  plan.program = FindProgram(path);
  plan.arguments = {path};
  int ok = StartDetached(plan);
  // A file that exists but cannot be run itself goes to the desktop's opener.
  if (!ok && Exists(path)) ok = OpenWithDesktop(path);
  NoteEffect("run " + QuoteText(path) + (ok ? " started" : " failed"));
  return ok;
}

void EndStartedProcesses() {
  for (pid_t group : StartedGroups) SignalGroup(group, SIGTERM);
  const int graceSteps = 50;  // 50 times 10 ms
  for (int step = 0; step < graceSteps; ++step) {
    bool allEnded = true;
    for (pid_t group : StartedGroups) allEnded = allEnded && HasEnded(group);
    if (allEnded) break;
    struct timespec pause = {0, 10 * 1000 * 1000};
    nanosleep(&pause, nullptr);
  }
  for (pid_t group : StartedGroups)
    if (kill(-group, 0) == 0 || !HasEnded(group)) SignalGroup(group, SIGKILL);
  StartedGroups.clear();
}
