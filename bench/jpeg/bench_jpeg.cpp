// bench-jpeg — how fast WriteJpegFile writes a capture-sized and a full-HD
// picture, file writing included, beside libjpeg-turbo's own tools on the same
// pixels: tjbench (in-process compression) and cjpeg -quality 70 (a whole
// process per picture). Usage: bench-jpeg [--quick]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "imaging/jpeg_writer.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

struct Picture {
  int width = 0;
  int height = 0;
  int stride = 0;
  std::vector<unsigned char> bgrBottomUp;  // as the program hands it over
  std::vector<unsigned char> rgbTopDown;   // the same pixels for the tools
};

// Something like a phone screen: smooth gradients with blocks of fine detail
// (text-like noise) every few rows.
Picture MakePicture(int width, int height) {
  Picture p;
  p.width = width;
  p.height = height;
  p.stride = 3 * width + width % 4;
  p.bgrBottomUp.assign(static_cast<size_t>(p.stride) * height, 0);
  p.rgbTopDown.resize(static_cast<size_t>(width) * height * 3);
  unsigned state = 2024;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      state = state * 1664525u + 1013904223u;
      bool detail = (y / 12) % 3 == 1 && (x / 40) % 2 == 0;
      int red = detail ? ((state >> 24) & 1) * 255 : x * 255 / width;
      int green = detail ? red : y * 255 / height;
      int blue = detail ? red : 128 + (x + y) % 64;
      unsigned char* top = &p.rgbTopDown[(static_cast<size_t>(y) * width + x) * 3];
      top[0] = static_cast<unsigned char>(red);
      top[1] = static_cast<unsigned char>(green);
      top[2] = static_cast<unsigned char>(blue);
      unsigned char* stored = &p.bgrBottomUp[static_cast<size_t>(height - 1 - y) * p.stride + x * 3];
      stored[0] = top[2];
      stored[1] = top[1];
      stored[2] = top[0];
    }
  return p;
}

double MillisecondsSince(Clock::time_point start, int runs) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count() / runs;
}

long FileSizeAt(const std::string& path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0 ? static_cast<long>(status.st_size) : -1;
}

double TimeWriteJpegFile(const Picture& p, const std::string& path, int runs) {
  WriteJpegFile(path, p.bgrBottomUp.data(), p.width, p.height, p.stride, 7);  // warm-up
  Clock::time_point start = Clock::now();
  for (int i = 0; i < runs; ++i)
    if (!WriteJpegFile(path, p.bgrBottomUp.data(), p.width, p.height, p.stride, 7)) return -1;
  return MillisecondsSince(start, runs);
}

// The file system's share: the same bytes written with fopen "wb" over the
// same file, as WriteJpegFile does, without compressing.
double TimeFileOnly(const std::string& jpeg, const std::string& path, int runs) {
  FILE* in = std::fopen(jpeg.c_str(), "rb");
  if (!in) return -1;
  std::vector<char> bytes(static_cast<size_t>(FileSizeAt(jpeg)));
  size_t got = std::fread(bytes.data(), 1, bytes.size(), in);
  std::fclose(in);
  Clock::time_point start = Clock::now();
  for (int i = 0; i < runs; ++i) {
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out) return -1;
    std::fwrite(bytes.data(), 1, got, out);
    std::fclose(out);
  }
  return MillisecondsSince(start, runs);
}

void WritePpm(const Picture& p, const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return;
  std::fprintf(file, "P6\n%d %d\n255\n", p.width, p.height);
  std::fwrite(p.rgbTopDown.data(), 1, p.rgbTopDown.size(), file);
  std::fclose(file);
}

int RunQuietly(const std::vector<std::string>& words) {
  std::vector<char*> argv;
  for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  pid_t child = 0;
  if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

double TimeCjpeg(const std::string& ppm, const std::string& out, int runs) {
  std::vector<std::string> words = {"cjpeg", "-quality", "70", "-outfile", out, ppm};
  if (RunQuietly(words) != 0) return -1;
  Clock::time_point start = Clock::now();
  for (int i = 0; i < runs; ++i)
    if (RunQuietly(words) != 0) return -1;
  return MillisecondsSince(start, runs);
}

// tjbench's own figure: "Frame rate: N fps" for 4:2:0 quality 70 RGB input.
double TjbenchMilliseconds(const std::string& ppm, double seconds) {
  std::string command = "tjbench '" + ppm + "' 70 -rgb -subsamp 420 -componly -nowrite -benchtime " +
                        std::to_string(seconds) + " -warmup 0.2 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return -1;
  char line[512];
  double fps = -1;
  while (std::fgets(line, sizeof line, pipe)) {
    const char* at = std::strstr(line, "Frame rate:");
    if (at) fps = std::atof(at + std::strlen("Frame rate:"));
  }
  pclose(pipe);
  return fps > 0 ? 1000.0 / fps : -1;
}

void BenchSize(const std::string& folder, int width, int height, int runs, int processRuns, double tjSeconds) {
  Picture p = MakePicture(width, height);
  std::string stem = folder + "/" + std::to_string(width) + "x" + std::to_string(height);
  double ours = TimeWriteJpegFile(p, stem + ".jpg", runs);
  double fileOnly = TimeFileOnly(stem + ".jpg", stem + "-copy.jpg", runs);
  WritePpm(p, stem + ".ppm");
  double tj = TjbenchMilliseconds(stem + ".ppm", tjSeconds);
  double cjpeg = TimeCjpeg(stem + ".ppm", stem + "-cjpeg.jpg", processRuns);
  std::printf("%dx%d: WriteJpegFile %.4f ms/picture (%d runs, %ld bytes)\n", width, height, ours, runs,
              FileSizeAt(stem + ".jpg"));
  std::printf("%dx%d: of which the file system (fopen/fwrite/fclose alone) %.4f ms\n", width, height,
              fileOnly);
  std::printf("%dx%d: tjbench in-process %.4f ms/picture; WriteJpegFile / tjbench = %.2f\n", width, height, tj,
              tj > 0 ? ours / tj : 0.0);
  std::printf("%dx%d: cjpeg -quality 70 whole process %.3f ms/run (%d runs, %ld bytes)\n", width, height, cjpeg,
              processRuns, FileSizeAt(stem + "-cjpeg.jpg"));
}

}  // namespace

int main(int argc, char** argv) {
  bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/bench-jpeg-XXXXXX";
  if (!mkdtemp(pattern.data())) return 1;
  std::printf("files in %s\n", pattern.c_str());
  int scale = quick ? 40 : 1;
  BenchSize(pattern, 185, 215, 5000 / scale, 200 / scale, quick ? 0.1 : 3.0);
  BenchSize(pattern, 1920, 1080, 200 / scale, 1 + 40 / scale, quick ? 0.1 : 3.0);
  std::system(("rm -rf '" + pattern + "'").c_str());
  return 0;
}
