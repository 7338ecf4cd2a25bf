// bench/quarnell/bench_quarnell.cpp — how long `Quarnell.exe -jar` takes.
//
//   bench-quarnell [RUNS]
//
// Writes a typical MIDlet JAR (about 600 KB) and a 10 MB one with
// make-test-jar into a scratch folder, converts each RUNS times (default 21)
// as separate processes, and prints the median, fastest and slowest wall time
// from start to exit, in milliseconds.
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace {

int RunAndWait(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  pid_t child;
  if (posix_spawn(&child, args[0], nullptr, nullptr, args.data(), environ) != 0) return -1;
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool TimeConversions(const std::string& label, const std::string& jarPath, long paddingBytes, int runs) {
  if (RunAndWait({MAKE_TEST_JAR, jarPath, "--padding-bytes", std::to_string(paddingBytes), "--class-bytes",
                  "40000", "--icon-size", "32"}) != 0)
    return false;
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    auto start = std::chrono::steady_clock::now();
    if (RunAndWait({QUARNELL_CONVERTER, "-jar", jarPath}) != 0) return false;
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  FILE* jar = std::fopen(jarPath.c_str(), "rb");
  long size = 0;
  if (jar) {
    std::fseek(jar, 0, SEEK_END);
    size = std::ftell(jar);
    std::fclose(jar);
  }
  std::printf("%-8s JAR %9ld bytes: median %7.2f ms, fastest %7.2f ms, slowest %7.2f ms (%d runs)\n",
              label.c_str(), size, times[times.size() / 2], times.front(), times.back(), runs);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = argc > 1 ? std::atoi(argv[1]) : 21;
  if (runs < 1) runs = 1;
  char pattern[] = "/tmp/bench-quarnell-XXXXXX";
  if (!mkdtemp(pattern)) return 1;
  std::string folder = pattern;
  bool ok = TimeConversions("typical", folder + "/Typical Game.jar", 560000, runs) &&
            TimeConversions("large", folder + "/Large Game.jar", 10L << 20, runs);
  RunAndWait({"/bin/rm", "-rf", "--", folder});
  if (!ok) std::fprintf(stderr, "bench-quarnell: making or converting a JAR failed\n");
  return ok ? 0 : 1;
}
