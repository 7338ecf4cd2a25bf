// WriteJpegFile and the encoder table: files decoded back with libjpeg.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "imaging/image_encoders.h"
#include "imaging/jpeg_writer.h"
#include "tests/jpeg/jpeg_decode.h"

namespace {

struct Rgb {
  int red, green, blue;
};

// Bands of 16 rows, top band first; 16 matches the library's block rows, so
// each band decodes close to its colour.
const Rgb kBands[] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}, {0, 0, 0}};
constexpr int kBandCount = sizeof kBands / sizeof kBands[0];
constexpr unsigned char kLoudPad = 0xA5;

int StrideOf(int width) { return 3 * width + width % 4; }

Rgb BandColourOfRow(int topRow) { return kBands[(topRow / 16) % kBandCount]; }

// A device-independent bitmap's rows: bottom row first, blue-green-red, and
// every pad byte set to a loud value.
std::vector<unsigned char> BandedRows(int width, int height) {
  int stride = StrideOf(width);
  std::vector<unsigned char> rows(static_cast<size_t>(stride) * height, kLoudPad);
  for (int stored = 0; stored < height; ++stored) {
    Rgb colour = BandColourOfRow(height - 1 - stored);
    unsigned char* pixel = rows.data() + static_cast<size_t>(stored) * stride;
    for (int x = 0; x < width; ++x, pixel += 3) {
      pixel[0] = static_cast<unsigned char>(colour.blue);
      pixel[1] = static_cast<unsigned char>(colour.green);
      pixel[2] = static_cast<unsigned char>(colour.red);
    }
  }
  return rows;
}

std::vector<unsigned char> NoiseRows(int width, int height) {
  std::vector<unsigned char> rows(static_cast<size_t>(StrideOf(width)) * height);
  unsigned state = 12345;
  for (unsigned char& byte : rows) {
    state = state * 1103515245u + 12345u;
    byte = static_cast<unsigned char>(state >> 16);
  }
  return rows;
}

Rgb DecodedPixel(const DecodedJpeg& image, int x, int y) {
  const unsigned char* p = image.pixels.data() + (static_cast<size_t>(y) * image.width + x) * 3;
  return {p[0], p[1], p[2]};
}

bool Near(Rgb a, Rgb b, int tolerance) {
  return std::abs(a.red - b.red) <= tolerance && std::abs(a.green - b.green) <= tolerance &&
         std::abs(a.blue - b.blue) <= tolerance;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool IsThere(const std::string& path) {
  struct stat status;
  return lstat(path.c_str(), &status) == 0;
}

class JpegWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/jpegtest-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    folder = pattern;
  }
  void TearDown() override { std::system(("rm -rf '" + folder + "'").c_str()); }

  int WriteBanded(const std::string& path, int quality) {
    std::vector<unsigned char> rows = BandedRows(185, 215);
    return WriteJpegFile(path, rows.data(), 185, 215, StrideOf(185), quality);
  }

  std::vector<int> LumaTableAtQuality(int quality) {
    std::string path = folder + "/q" + std::to_string(quality) + ".jpg";
    EXPECT_EQ(WriteBanded(path, quality), 1);
    return DecodeJpegFile(path).lumaTable;
  }

  std::string folder;
};

TEST_F(JpegWriterTest, CaptureSizedPictureKeepsSizeAndRowOrder) {
  std::string path = folder + "/shot.jpg";
  ASSERT_EQ(WriteBanded(path, 7), 1);
  DecodedJpeg image = DecodeJpegFile(path);
  ASSERT_TRUE(image.ok);
  EXPECT_EQ(image.width, 185);
  EXPECT_EQ(image.height, 215);
  EXPECT_EQ(image.components, 3);
  // The first scanline is the picture's top row, the red band, red and not blue.
  EXPECT_TRUE(Near(DecodedPixel(image, 0, 0), {255, 0, 0}, 24));
  EXPECT_TRUE(Near(DecodedPixel(image, 184, 0), {255, 0, 0}, 24));
  EXPECT_TRUE(Near(DecodedPixel(image, 92, 214), BandColourOfRow(214), 24));
}

TEST_F(JpegWriterTest, PadBytesNeverReachTheFile) {
  // Every band keeps its colour across the whole width and down to the last
  // row: a pad byte taken as a pixel would shift the colours of later rows.
  std::string path = folder + "/pad.jpg";
  ASSERT_EQ(WriteBanded(path, 10), 1);
  DecodedJpeg image = DecodeJpegFile(path);
  ASSERT_TRUE(image.ok);
  for (int y = 4; y < image.height; y += 16)
    for (int x : {0, 1, 92, 183, 184})
      EXPECT_TRUE(Near(DecodedPixel(image, x, y), BandColourOfRow(y), 24))
          << "x " << x << " y " << y;
}

TEST_F(JpegWriterTest, QualityIsLimitedToZeroToTenTimesTen) {
  std::vector<int> seventy = LumaTableAtQuality(7);
  std::vector<int> hundred = LumaTableAtQuality(10);
  std::vector<int> lowest = LumaTableAtQuality(0);
  ASSERT_EQ(seventy.size(), 64u);
  ASSERT_EQ(hundred.size(), 64u);
  ASSERT_EQ(lowest.size(), 64u);
  // Standard luminance table scaled: its first entry 16 becomes 10 at 70,
  // 1 at 100, and 800 at the library's lowest quality (no baseline limit).
  EXPECT_EQ(seventy[0], 10);
  EXPECT_EQ(hundred[0], 1);
  EXPECT_EQ(lowest[0], 800);
  EXPECT_EQ(LumaTableAtQuality(15), hundred);
  EXPECT_EQ(LumaTableAtQuality(-3), lowest);
}

TEST_F(JpegWriterTest, ExistingFileIsReplaced) {
  std::string path = folder + "/old.jpg";
  { std::ofstream(path, std::ios::binary) << std::string(200000, 'x'); }
  ASSERT_EQ(WriteBanded(path, 7), 1);
  std::string bytes = ReadWholeFile(path);
  ASSERT_GE(bytes.size(), 4u);
  EXPECT_LT(bytes.size(), 200000u);
  EXPECT_EQ(bytes.substr(0, 2), "\xFF\xD8");
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\xFF\xD9");
  EXPECT_EQ(bytes.find('x' + std::string(15, 'x')), std::string::npos);
  EXPECT_TRUE(DecodeJpegFile(path).ok);
}

TEST_F(JpegWriterTest, MissingFolderAnswersZeroAndWritesNothing) {
  std::string path = folder + "/no such folder/shot.jpg";
  EXPECT_EQ(WriteBanded(path, 7), 0);
  EXPECT_FALSE(IsThere(folder + "/no such folder"));
}

TEST_F(JpegWriterTest, NoPictureAnswersZeroAndLeavesTheFile) {
  std::string path = folder + "/kept.jpg";
  { std::ofstream(path, std::ios::binary) << "kept"; }
  std::vector<unsigned char> rows = BandedRows(8, 8);
  struct Case {
    const unsigned char* rows;
    int width, height, stride;
  } cases[] = {
      {nullptr, 8, 8, 24}, {rows.data(), 0, 8, 24}, {rows.data(), 8, 0, 24},
      {rows.data(), -8, 8, 24}, {rows.data(), 8, 8, 23},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WriteJpegFile(path, c.rows, c.width, c.height, c.stride, 7), 0)
        << c.width << "x" << c.height << " stride " << c.stride;
    EXPECT_EQ(ReadWholeFile(path), "kept");
  }
}

TEST_F(JpegWriterTest, WriteErrorOnDeviceAnswersZeroAndKeepsTheDevice) {
  // Writing to /dev/full fails with "no space"; the library's error must come
  // back as 0 instead of ending this process, and the device stays.
  std::vector<unsigned char> rows = NoiseRows(640, 480);
  EXPECT_EQ(WriteJpegFile("/dev/full", rows.data(), 640, 480, StrideOf(640), 7), 0);
  EXPECT_EQ(WriteBanded("/dev/full", 7), 0);
  struct stat status;
  ASSERT_EQ(stat("/dev/full", &status), 0);
  EXPECT_TRUE(S_ISCHR(status.st_mode));
  // Still running, and still able to write.
  EXPECT_EQ(WriteBanded(folder + "/after.jpg", 7), 1);
}

TEST_F(JpegWriterTest, WriteErrorOnFileRemovesThePartlyWrittenFile) {
  // A child process limited to small files: the library's write fails in the
  // middle of the file, which must be gone afterwards.
  std::string path = folder + "/partial.jpg";
  { std::ofstream(path, std::ios::binary) << "earlier contents"; }
  std::fflush(nullptr);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit = {6000, 6000};
    setrlimit(RLIMIT_FSIZE, &limit);
    std::vector<unsigned char> rows = NoiseRows(640, 480);
    int answer = WriteJpegFile(path, rows.data(), 640, 480, StrideOf(640), 7);
    _exit(answer == 0 ? 42 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 42);
  EXPECT_FALSE(IsThere(path));
}

TEST(ImageEncoders, JpegIsFoundUnderItsCodeOnly) {
  EXPECT_EQ(RegisterJpegEncoder(), 1);
  EXPECT_EQ(RegisterJpegEncoder(), 1);
  EXPECT_EQ(FindImageEncoder("JPEG"), &WriteJpegFile);
  for (const char* code : {"jpeg", "PNG ", "JPG", "JPEGX", ""})
    EXPECT_EQ(FindImageEncoder(code), nullptr) << code;
  EXPECT_EQ(FindImageEncoder(nullptr), nullptr);
}

}  // namespace
