// The icon library's pieces, called directly: manifest reading, file parts,
// and PNG to bitmap for every PNG colour type and for damaged files.
#include <gtest/gtest.h>

#include <png.h>

#include "tests/pngbmp/icon_test_files.h"
#include "tools/pngbmp/pngbmp_core.h"

namespace {

TEST(MidletIconName, ComesFromMidletIconOrElseTheSecondFieldOfMidletOne) {
  struct Case {
    const char* manifest;
    const char* icon;
  } cases[] = {
      {"MIDlet-Icon: /icons/app.png\r\nMIDlet-1: Game, /other.png, Main\r\n", "/icons/app.png"},
      {"MIDlet-1: Game, /other.png, Main\r\nMIDlet-Icon: /icons/app.png\r\n", "/icons/app.png"},
      {"Manifest-Version: 1.0\r\nMIDlet-1: Game, /game.png, Main\r\n\r\n", "/game.png"},
      {"MIDlet-1:Game,game.png,Main", "game.png"},
      {"MIDlet-1: Game, /g.png\r\n", "/g.png"},
      {"midlet-icon:  a.png  \n", "a.png"},
      {"MIDLET-1: Game,\tb.png\t, Main\n", "b.png"},
      {"MIDlet-Icon:\r\nMIDlet-1: Game, /g.png, Main\r\n", "/g.png"},
      {"MIDlet-Name: x\rMIDlet-1: Game, /cr.png, Main\r", "/cr.png"},
      {"MIDlet-1: Game, /ic\r\n ons/g.png, Main\r\n", "/icons/g.png"},
      {"\xEF\xBB\xBFMIDlet-Icon: bom.png\n", "bom.png"},
      {"MIDlet-1: Game, , Main\r\n", ""},
      {"MIDlet-1: Game\r\n", ""},
      {"MIDlet-10: Ten, /ten.png, T\r\nMIDlet-Icon-Large: /big.png\r\n", ""},
      {"Manifest-Version: 1.0\r\n", ""},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(MidletIconNameOf(c.manifest), c.icon) << c.manifest;
}

TEST(MidletIconName, FilePartFollowsTheLastSlashOfEitherKind) {
  struct Case {
    const char* name;
    const char* part;
  } cases[] = {
      {"/icons/app.png", "app.png"}, {"\\icons\\app.png", "app.png"}, {"icons/sub\\app.png", "app.png"},
      {"app.png", "app.png"},        {"icons/", ""},                  {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(FilePartOf(c.name), c.part) << c.name;
}

struct FormatCase {
  const char* what;
  PngLayout layout;
  std::vector<Rgb> expected;  // 2 x 2 pixels, top row first
};

PngLayout TwoByTwo(int colourType, int bitDepth, Bytes rows) {
  PngLayout layout;
  layout.width = 2;
  layout.height = 2;
  layout.colourType = colourType;
  layout.bitDepth = bitDepth;
  layout.rows = std::move(rows);
  return layout;
}

constexpr Rgb kFace = {240, 240, 240};

std::vector<FormatCase> FormatCases() {
  std::vector<FormatCase> cases;
  cases.push_back({"rgb 8", TwoByTwo(PNG_COLOR_TYPE_RGB, 8, {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30}),
                   {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {10, 20, 30}}});
  // Half-transparent blue over the face: (255 x 128 + 240 x 127) / 255 = 248.
  cases.push_back({"rgba 8",
                   TwoByTwo(PNG_COLOR_TYPE_RGBA, 8,
                            {255, 0, 0, 255, 255, 0, 0, 0, 0, 0, 255, 128, 10, 20, 30, 255}),
                   {{255, 0, 0}, kFace, {120, 120, 248}, {10, 20, 30}}});
  cases.push_back({"grey 8", TwoByTwo(PNG_COLOR_TYPE_GRAY, 8, {0, 255, 128, 64}),
                   {{0, 0, 0}, {255, 255, 255}, {128, 128, 128}, {64, 64, 64}}});
  cases.push_back({"grey 1", TwoByTwo(PNG_COLOR_TYPE_GRAY, 1, {0x80, 0x40}),
                   {{255, 255, 255}, {0, 0, 0}, {0, 0, 0}, {255, 255, 255}}});
  cases.push_back({"grey alpha 8", TwoByTwo(PNG_COLOR_TYPE_GRAY_ALPHA, 8, {200, 0, 200, 255, 0, 255, 0, 0}),
                   {kFace, {200, 200, 200}, {0, 0, 0}, kFace}});
  cases.push_back({"rgb 16",
                   TwoByTwo(PNG_COLOR_TYPE_RGB, 16,
                            {0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0, 0,
                             0, 0, 0, 0, 0xFF, 0xFF, 0x80, 0x00, 0x80, 0x00, 0x80, 0x00}),
                   {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {128, 128, 128}}});
  FormatCase palette = {"palette with transparency", TwoByTwo(PNG_COLOR_TYPE_PALETTE, 8, {0, 1, 2, 1}),
                        {{255, 0, 0}, kFace, {0, 0, 255}, kFace}};
  palette.layout.palette = {255, 0, 0, 0, 255, 0, 0, 0, 255};
  palette.layout.transparency = {255, 0};
  cases.push_back(palette);
  FormatCase keyed = {"grey with a transparent key", TwoByTwo(PNG_COLOR_TYPE_GRAY, 8, {7, 100, 7, 200}),
                      {kFace, {100, 100, 100}, kFace, {200, 200, 200}}};
  keyed.layout.transparency = {7};
  cases.push_back(keyed);
  FormatCase interlaced = cases[0];
  interlaced.what = "rgb 8 interlaced";
  interlaced.layout.interlaced = true;
  cases.push_back(interlaced);
  return cases;
}

TEST(PngToBmp, EveryColourTypeBecomesTwentyFourBitPixelsOverTheButtonFace) {
  for (const FormatCase& c : FormatCases()) {
    Bytes png = EncodePng(c.layout);
    ASSERT_FALSE(png.empty()) << c.what;
    Bytes bmp;
    ASSERT_EQ(PngToBmpBytes(png.data(), png.size(), &bmp), 1) << c.what;
    ReadBitmap read = ParseBmp(bmp);
    ASSERT_TRUE(read.ok) << c.what;
    EXPECT_EQ(read.width, 2);
    EXPECT_EQ(read.height, 2);
    EXPECT_EQ(read.pixels, c.expected) << c.what;
  }
}

TEST(PngToBmp, OddWidthsPadRowsAndKeepTopRowOnTop) {
  // 5 pixels of 3 bytes pad each row by one byte; the top row is red.
  Bytes png = RgbaPng(5, 3, [](int x, int y) { return y == 0 ? Rgba{255, 0, 0, 255} : Rgba{0, x * 50, 255, 255}; });
  Bytes bmp;
  ASSERT_EQ(PngToBmpBytes(png.data(), png.size(), &bmp), 1);
  EXPECT_EQ(bmp.size(), 54u + 16u * 3u);
  ReadBitmap read = ParseBmp(bmp);
  ASSERT_TRUE(read.ok);
  EXPECT_EQ(read.At(4, 0), (Rgb{255, 0, 0}));
  EXPECT_EQ(read.At(4, 2), (Rgb{0, 200, 255}));
}

TEST(PngToBmp, LargestSideIsTakenAndOneMoreIsRefused) {
  Bytes bmp;
  Bytes widest = RgbaPng(1024, 1, [](int, int) { return Rgba{1, 2, 3, 255}; });
  EXPECT_EQ(PngToBmpBytes(widest.data(), widest.size(), &bmp), 1);
  Bytes tallest = RgbaPng(1, 1024, [](int, int) { return Rgba{1, 2, 3, 255}; });
  EXPECT_EQ(PngToBmpBytes(tallest.data(), tallest.size(), &bmp), 1);
  Bytes tooWide = RgbaPng(1025, 1, [](int, int) { return Rgba{1, 2, 3, 255}; });
  EXPECT_EQ(PngToBmpBytes(tooWide.data(), tooWide.size(), &bmp), 0);
  EXPECT_TRUE(bmp.empty());
}

TEST(PngToBmp, DamagedOrAbsurdFilesGiveNothing) {
  Bytes good = RgbaPng(16, 16, [](int x, int y) { return Rgba{x * 16, y * 16, 99, 255}; });
  auto cut = [&](size_t keep) { return Bytes(good.begin(), good.begin() + static_cast<long>(keep)); };
  Bytes flipped = good;
  flipped[good.size() - 20] ^= 0x55;  // inside the image data: its checksum fails
  Bytes text = {'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g', '\n'};
  struct Case {
    const char* what;
    Bytes png;
  } cases[] = {
      {"empty", {}},
      {"text", text},
      {"signature only", cut(8)},
      {"cut in the header", cut(20)},
      {"cut in the image data", cut(good.size() / 2)},
      {"no end chunk", cut(good.size() - 12)},
      {"flipped image byte", flipped},
      {"forged huge size", WithForgedSize(good, 100000, 100000)},
      {"forged zero width", WithForgedSize(good, 0, 16)},
      {"forged size larger than the data", WithForgedSize(good, 16, 1000)},
  };
  for (const Case& c : cases) {
    Bytes bmp = {1, 2, 3};
    EXPECT_EQ(PngToBmpBytes(c.png.data(), c.png.size(), &bmp), 0) << c.what;
    EXPECT_TRUE(bmp.empty()) << c.what;
  }
  EXPECT_EQ(PngToBmpBytes(nullptr, 100, nullptr), 0);
}

}  // namespace
