// Decoding of hand-built Windows bitmaps and icons: every depth, both row
// orders, row padding, bit fields, run lengths, the icon mask, and refusal
// of damaged or absurd data.
#include "platform/dib.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

namespace {

using Bytes = std::vector<uint8_t>;
using Rows = std::vector<std::vector<uint32_t>>;  // top row first

void Put16(Bytes& b, uint32_t v) {
  b.push_back(uint8_t(v));
  b.push_back(uint8_t(v >> 8));
}
void Put32(Bytes& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}
void Append(Bytes& b, const Bytes& more) { b.insert(b.end(), more.begin(), more.end()); }

// Stored values packed into rows padded to four bytes.
Bytes PackRows(const Rows& rows, int depth, bool bottomUp) {
  Bytes out;
  for (size_t i = 0; i < rows.size(); ++i) {
    const auto& row = rows[bottomUp ? rows.size() - 1 - i : i];
    Bytes packed;
    int bits = 0;
    uint32_t acc = 0;
    for (uint32_t v : row) {
      if (depth < 8) {
        acc = (acc << depth) | v;
        bits += depth;
        if (bits == 8) packed.push_back(uint8_t(acc)), bits = 0, acc = 0;
      } else if (depth == 8) {
        packed.push_back(uint8_t(v));
      } else if (depth == 16) {
        Put16(packed, v);
      } else if (depth == 24) {
        packed.push_back(uint8_t(v)), packed.push_back(uint8_t(v >> 8)),
            packed.push_back(uint8_t(v >> 16));
      } else {
        Put32(packed, v);
      }
    }
    if (bits) packed.push_back(uint8_t(acc << (8 - bits)));
    while (packed.size() % 4) packed.push_back(0);
    Append(out, packed);
  }
  return out;
}

struct Info {
  int32_t width = 3, height = 2;
  int depth = 8;
  uint32_t compression = 0;
  uint32_t colorsUsed = 0;
  uint32_t headerSize = 40;
  std::vector<uint32_t> masks;  // inside the header when it is 52 bytes or more
};

Bytes InfoHeader(const Info& info) {
  Bytes b;
  if (info.headerSize == 12) {
    Put32(b, 12), Put16(b, info.width), Put16(b, info.height), Put16(b, 1),
        Put16(b, info.depth);
    return b;
  }
  Put32(b, info.headerSize), Put32(b, info.width), Put32(b, info.height);
  Put16(b, 1), Put16(b, info.depth), Put32(b, info.compression);
  Put32(b, 0), Put32(b, 2835), Put32(b, 2835), Put32(b, info.colorsUsed), Put32(b, 0);
  if (info.headerSize > 40)
    for (uint32_t m : info.masks) Put32(b, m);
  b.resize(info.headerSize, 0);
  return b;
}

// Palette entry i holds blue i, green 2i, red 3i.
Bytes Palette(int entries, int entrySize = 4) {
  Bytes b;
  for (int i = 0; i < entries; ++i) {
    b.push_back(uint8_t(i)), b.push_back(uint8_t(2 * i)), b.push_back(uint8_t(3 * i));
    if (entrySize == 4) b.push_back(0);
  }
  return b;
}
uint32_t PaletteColour(uint32_t i) {
  return 0xFF000000u | ((3 * i & 255) << 16) | ((2 * i & 255) << 8) | (i & 255);
}

Bytes BitmapFile(const Bytes& header, const Bytes& extra, const Bytes& bits) {
  Bytes b = {'B', 'M'};
  Put32(b, uint32_t(14 + header.size() + extra.size() + bits.size()));
  Put32(b, 0);
  Put32(b, uint32_t(14 + header.size() + extra.size()));
  Append(b, header), Append(b, extra), Append(b, bits);
  return b;
}

Bytes IconImage(const Info& info, const Bytes& palette, const Rows& colour,
                const Rows& mask) {
  Info doubled = info;
  doubled.height = info.height * 2;
  Bytes b = InfoHeader(doubled);
  Append(b, palette);
  Append(b, PackRows(colour, info.depth, true));
  Append(b, PackRows(mask, 1, true));
  return b;
}

struct IconEntry {
  int width, height, depth;
  Bytes image;
};
Bytes IconFile(const std::vector<IconEntry>& images) {
  Bytes b;
  Put16(b, 0), Put16(b, 1), Put16(b, uint32_t(images.size()));
  uint32_t at = uint32_t(6 + 16 * images.size());
  for (const auto& e : images) {
    b.push_back(uint8_t(e.width)), b.push_back(uint8_t(e.height));
    b.push_back(e.depth <= 4 ? uint8_t(1 << e.depth) : 0), b.push_back(0);
    Put16(b, 1), Put16(b, e.depth), Put32(b, uint32_t(e.image.size())), Put32(b, at);
    at += uint32_t(e.image.size());
  }
  for (const auto& e : images) Append(b, e.image);
  return b;
}

Rows IndexRows(int depth) {
  Rows rows(2, std::vector<uint32_t>(3));
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) rows[y][x] = (x + 3 * y + 1) % (1u << depth);
  return rows;
}
std::vector<uint32_t> PaletteColours(const Rows& rows) {
  std::vector<uint32_t> out;
  for (const auto& row : rows)
    for (uint32_t v : row) out.push_back(PaletteColour(v));
  return out;
}
Bytes IndexedBitmap(int depth, bool bottomUp = true) {
  Info info{.depth = depth};
  if (!bottomUp) info.height = -2;
  return BitmapFile(InfoHeader(info), Palette(1 << depth), PackRows(IndexRows(depth), depth, bottomUp));
}

using Decoder = std::function<int(const uint8_t*, size_t, DecodedPicture*)>;
const Decoder kBitmap = DecodeBitmapFile;
const Decoder kIconFile = DecodeIconFile;
const Decoder kIconImage = DecodeIconImage;

struct GoodCase {
  std::string name;
  Decoder decode;
  Bytes bytes;
  int width, height, depth;
  bool isIcon;
  std::vector<uint32_t> pixels;
  bool everyPrefixFails;  // the header states how long the data is
};

const Rows kColours24 = {{0x112233, 0x445566, 0x778899}, {0xAABBCC, 0xDDEEFF, 0x010203}};
const std::vector<uint32_t> kOpaque24 = {0xFF112233, 0xFF445566, 0xFF778899,
                                         0xFFAABBCC, 0xFFDDEEFF, 0xFF010203};
const Rows kMask = {{0, 1, 0}, {0, 0, 1}};

std::vector<uint32_t> Masked(std::vector<uint32_t> pixels) {
  pixels[1] &= 0x00FFFFFF;
  pixels[5] &= 0x00FFFFFF;
  return pixels;
}

std::vector<GoodCase> GoodCases() {
  std::vector<GoodCase> cases;
  for (int depth : {1, 4, 8})
    cases.push_back({"bitmap " + std::to_string(depth) + " bits", kBitmap,
                     IndexedBitmap(depth), 3, 2, depth, false,
                     PaletteColours(IndexRows(depth)), true});
  cases.push_back({"bitmap 8 bits top-down", kBitmap, IndexedBitmap(8, false), 3, 2, 8,
                   false, PaletteColours(IndexRows(8)), true});
  cases.push_back({"bitmap 24 bits", kBitmap,
                   BitmapFile(InfoHeader({.depth = 24}), {}, PackRows(kColours24, 24, true)),
                   3, 2, 24, false, kOpaque24, true});
  cases.push_back({"bitmap 24 bits top-down", kBitmap,
                   BitmapFile(InfoHeader({.height = -2, .depth = 24}), {},
                              PackRows(kColours24, 24, false)),
                   3, 2, 24, false, kOpaque24, true});
  {
    Rows stored = kColours24;
    for (auto& row : stored)
      for (auto& v : row) v |= 0x7F000000;  // the fourth byte means nothing here
    cases.push_back({"bitmap 32 bits ignores the spare byte", kBitmap,
                     BitmapFile(InfoHeader({.depth = 32}), {}, PackRows(stored, 32, true)),
                     3, 2, 32, false, kOpaque24, true});
  }
  cases.push_back({"bitmap 16 bits 5-5-5", kBitmap,
                   BitmapFile(InfoHeader({.depth = 16}), {},
                              PackRows({{0x7C00, 0x03E0, 0x001F}, {0, 0x7FFF, 0x4210}}, 16, true)),
                   3, 2, 16, false,
                   {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF000000, 0xFFFFFFFF, 0xFF848484},
                   true});
  {
    Bytes masks;
    Put32(masks, 0xF800), Put32(masks, 0x07E0), Put32(masks, 0x001F);
    cases.push_back({"bitmap 16 bits 5-6-5 bit fields", kBitmap,
                     BitmapFile(InfoHeader({.depth = 16, .compression = 3}), masks,
                                PackRows({{0xF800, 0x07E0, 0x001F}, {0, 0xFFFF, 0x8410}}, 16, true)),
                     3, 2, 16, false,
                     {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFF000000, 0xFFFFFFFF, 0xFF848284},
                     true});
  }
  {
    // Masks in an unusual order: red, green, blue and alpha swapped about.
    Info v5{.depth = 32, .compression = 3, .headerSize = 124,
            .masks = {0x0000FF00, 0x00FF0000, 0xFF000000, 0x000000FF}};
    cases.push_back({"bitmap 32 bits v5 header with alpha", kBitmap,
                     BitmapFile(InfoHeader(v5), {},
                                PackRows({{0x00FF0080, 0x0000FFFF, 0xFF000000},
                                          {0x00000000, 0x12345678, 0xFFFFFF40}}, 32, true)),
                     3, 2, 32, false,
                     {0x8000FF00, 0xFFFF0000, 0x000000FF, 0x00000000, 0x78563412, 0x40FFFFFF},
                     true});
    Info v4 = v5;
    v4.headerSize = 108;
    cases.push_back({"bitmap 32 bits v4 header, alpha zero throughout means opaque", kBitmap,
                     BitmapFile(InfoHeader(v4), {},
                                PackRows({{0x00FF0000, 0, 0}, {0, 0, 0x0000FF00}}, 32, true)),
                     3, 2, 32, false,
                     {0xFF00FF00, 0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000, 0xFFFF0000},
                     true});
  }
  cases.push_back({"bitmap with core header", kBitmap,
                   BitmapFile(InfoHeader({.depth = 8, .headerSize = 12}), Palette(256, 3),
                              PackRows(IndexRows(8), 8, true)),
                   3, 2, 8, false, PaletteColours(IndexRows(8)), true});
  {
    Bytes rle = {2, 5, 1, 7, 0, 0, 0, 3, 1, 2, 3, 0, 0, 1};
    Bytes b = BitmapFile(InfoHeader({.depth = 8, .compression = 1}), Palette(256), rle);
    cases.push_back({"bitmap 8-bit run lengths", kBitmap, b, 3, 2, 8, false,
                     PaletteColours({{1, 2, 3}, {5, 5, 7}}), false});
    Bytes rle4 = {3, 0x12, 0, 0, 0, 3, 0x45, 0x60, 0, 1};
    b = BitmapFile(InfoHeader({.depth = 4, .compression = 2}), Palette(16), rle4);
    cases.push_back({"bitmap 4-bit run lengths", kBitmap, b, 3, 2, 4, false,
                     PaletteColours({{4, 5, 6}, {1, 2, 1}}), false});
    Bytes early = {1, 9, 0, 1};
    b = BitmapFile(InfoHeader({.depth = 8, .compression = 1}), Palette(256), early);
    cases.push_back({"bitmap run lengths ending early leave colour 0", kBitmap, b, 3, 2, 8,
                     false, PaletteColours({{0, 0, 0}, {9, 0, 0}}), false});
  }
  for (int depth : {1, 4, 8}) {
    Bytes image = IconImage({.depth = depth}, Palette(1 << depth), IndexRows(depth), kMask);
    cases.push_back({"icon " + std::to_string(depth) + " bits, mask clears pixels", kIconImage,
                     image, 3, 2, depth, true, Masked(PaletteColours(IndexRows(depth))), true});
  }
  cases.push_back({"icon 24 bits", kIconImage,
                   IconImage({.depth = 24}, {}, kColours24, kMask), 3, 2, 24, true,
                   Masked(kOpaque24), true});
  {
    Rows alpha = {{0x80112233, 0xFF445566, 0x00778899}, {0x01AABBCC, 0xFFDDEEFF, 0x10010203}};
    Rows allSet = {{1, 1, 1}, {1, 1, 1}};
    cases.push_back({"icon 32 bits uses its alpha, not the mask", kIconImage,
                     IconImage({.depth = 32}, {}, alpha, allSet), 3, 2, 32, true,
                     {0x80112233, 0xFF445566, 0x00778899, 0x01AABBCC, 0xFFDDEEFF, 0x10010203},
                     false});
    Bytes noMask = InfoHeader({.height = 4, .depth = 32});
    Append(noMask, PackRows(alpha, 32, true));
    cases.push_back({"icon 32 bits with alpha needs no mask", kIconImage, noMask, 3, 2, 32, true,
                     {0x80112233, 0xFF445566, 0x00778899, 0x01AABBCC, 0xFFDDEEFF, 0x10010203},
                     false});
    cases.push_back({"icon 32 bits without alpha uses the mask", kIconImage,
                     IconImage({.depth = 32}, {}, kColours24, kMask), 3, 2, 32, true,
                     Masked(kOpaque24), true});
  }
  {
    Bytes first = IconImage({.depth = 4}, Palette(16), IndexRows(4), kMask);
    Bytes second = IconImage({.width = 2, .height = 1, .depth = 24}, {}, {{1, 2}}, {{0, 0}});
    cases.push_back({"icon file with two images takes the first", kIconFile,
                     IconFile({{3, 2, 4, first}, {2, 1, 24, second}}), 3, 2, 4, true,
                     Masked(PaletteColours(IndexRows(4))), false});
    Bytes reversed = IconFile({{2, 1, 24, second}, {3, 2, 4, first}});
    cases.push_back({"icon file: the first entry, whatever follows", kIconFile, reversed, 2, 1,
                     24, true, {0xFF000001, 0xFF000002}, false});
  }
  return cases;
}

void ExpectEmpty(const DecodedPicture& p) {
  EXPECT_EQ(p.width, 0);
  EXPECT_EQ(p.height, 0);
  EXPECT_EQ(p.depth, 0);
  EXPECT_FALSE(p.isIcon);
  EXPECT_TRUE(p.pixels.empty());
}

DecodedPicture Junk() {
  DecodedPicture p;
  p.width = p.height = 7;
  p.depth = 8;
  p.isIcon = true;
  p.pixels.assign(49, 0x12345678);
  return p;
}

TEST(Dib, DecodesHandBuiltPictures) {
  for (const auto& c : GoodCases()) {
    SCOPED_TRACE(c.name);
    DecodedPicture p = Junk();
    ASSERT_NE(c.decode(c.bytes.data(), c.bytes.size(), &p), 0);
    EXPECT_EQ(p.width, c.width);
    EXPECT_EQ(p.height, c.height);
    EXPECT_EQ(p.depth, c.depth);
    EXPECT_EQ(p.isIcon, c.isIcon);
    EXPECT_EQ(p.pixels, c.pixels);
  }
}

TEST(Dib, RefusesEveryTruncation) {
  for (const auto& c : GoodCases()) {
    if (!c.everyPrefixFails) continue;
    SCOPED_TRACE(c.name);
    for (size_t n = 0; n < c.bytes.size(); ++n) {
      DecodedPicture p = Junk();
      ASSERT_EQ(c.decode(c.bytes.data(), n, &p), 0) << "prefix " << n;
      ExpectEmpty(p);
    }
  }
}

TEST(Dib, IconFileTruncatedInsideItsImageFails) {
  Bytes file = IconFile({{3, 2, 4, IconImage({.depth = 4}, Palette(16), IndexRows(4), kMask)}});
  for (size_t n = 0; n < file.size(); ++n) {
    DecodedPicture p = Junk();
    EXPECT_EQ(DecodeIconFile(file.data(), n, &p), 0) << "prefix " << n;
    ExpectEmpty(p);
  }
}

struct BadCase {
  std::string name;
  Decoder decode;
  Bytes bytes;
};

Bytes BareBitmap(Info info, size_t dataBytes = 64) {
  return BitmapFile(InfoHeader(info), {}, Bytes(dataBytes, 0));
}
Bytes BareIcon(Info info, size_t dataBytes = 64) {
  Bytes b = InfoHeader(info);
  b.resize(b.size() + dataBytes, 0);
  return b;
}

std::vector<BadCase> BadCases() {
  std::vector<BadCase> cases = {
      {"absurd bitmap 100000 x 100000", kBitmap, BareBitmap({.width = 100000, .height = 100000, .depth = 24})},
      {"absurd top-down bitmap", kBitmap, BareBitmap({.width = 100000, .height = -100000, .depth = 24})},
      {"absurd icon 100000 x 100000", kIconImage, BareIcon({.width = 100000, .height = 200000, .depth = 32})},
      {"bitmap side over 16384", kBitmap, BareBitmap({.width = 16385, .height = 1, .depth = 1})},
      {"icon side over 16384", kIconImage, BareIcon({.width = 1, .height = 2 * 16385, .depth = 1})},
      {"bitmap over 64 M pixels", kBitmap, BareBitmap({.width = 16384, .height = 4097, .depth = 1})},
      {"bitmap within limits but data missing", kBitmap, BareBitmap({.width = 16384, .height = 4096, .depth = 32})},
      {"most negative height", kBitmap, BareBitmap({.width = 1, .height = INT32_MIN, .depth = 8})},
      {"zero width", kBitmap, BareBitmap({.width = 0, .depth = 8})},
      {"zero height", kBitmap, BareBitmap({.height = 0, .depth = 8})},
      {"negative width", kBitmap, BareBitmap({.width = -3, .depth = 8})},
      {"icon of zero height", kIconImage, BareIcon({.height = 1, .depth = 8})},
      {"icon of negative height", kIconImage, BareIcon({.height = -4, .depth = 8})},
      {"depth 2", kBitmap, BareBitmap({.depth = 2})},
      {"depth 0", kBitmap, BareBitmap({.depth = 0})},
      {"unknown compression", kBitmap, BareBitmap({.depth = 8, .compression = 4})},
      {"8-bit run lengths on 24 bits", kBitmap, BareBitmap({.depth = 24, .compression = 1})},
      {"run lengths top-down", kBitmap, BareBitmap({.height = -2, .depth = 8, .compression = 1})},
      {"bit fields on 8 bits", kBitmap, BareBitmap({.depth = 8, .compression = 3})},
      {"run lengths in an icon", kIconImage, BareIcon({.height = 4, .depth = 8, .compression = 1}, 2000)},
      {"header size 39", kBitmap, BareBitmap({.headerSize = 39})},
      {"palette count beyond the data", kBitmap, BareBitmap({.depth = 24, .colorsUsed = 0x40000000})},
      {"not BM", kBitmap, [] { Bytes b = IndexedBitmap(8); b[0] = 'M'; return b; }()},
      {"pixel offset past the end", kBitmap, [] { Bytes b = IndexedBitmap(8); b[10] = 0xFF; b[13] = 0x7F; return b; }()},
      {"empty", kBitmap, {}},
  };
  Bytes icon = IconFile({{3, 2, 4, IconImage({.depth = 4}, Palette(16), IndexRows(4), kMask)}});
  auto edited = [&](size_t at, std::initializer_list<uint8_t> values) {
    Bytes b = icon;
    for (uint8_t v : values) b[at++] = v;
    return b;
  };
  cases.push_back({"icon file reserved word not 0", kIconFile, edited(0, {1})});
  cases.push_back({"cursor file", kIconFile, edited(2, {2})});
  cases.push_back({"icon file with no images", kIconFile, edited(4, {0})});
  cases.push_back({"image bytes beyond the end", kIconFile, edited(14, {0xFF, 0xFF, 0, 0})});
  cases.push_back({"image offset beyond the end", kIconFile, edited(18, {0xFF, 0xFF, 0xFF, 0xFF})});
  cases.push_back({"offset and bytes wrapping around", kIconFile,
                   edited(14, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF})});
  Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
  cases.push_back({"PNG image in an icon file", kIconFile, IconFile({{16, 16, 32, png}})});
  cases.push_back({"bitmap handed to the icon reader", kIconFile, IndexedBitmap(8)});
  cases.push_back({"icon handed to the bitmap reader", kBitmap, icon});
  return cases;
}

TEST(Dib, RefusesDamagedAndAbsurdData) {
  for (const auto& c : BadCases()) {
    SCOPED_TRACE(c.name);
    DecodedPicture p = Junk();
    EXPECT_EQ(c.decode(c.bytes.data(), c.bytes.size(), &p), 0);
    ExpectEmpty(p);
  }
  DecodedPicture p = Junk();
  EXPECT_EQ(DecodeBitmapFile(nullptr, 100, &p), 0);
  ExpectEmpty(p);
}

// Random damage to good pictures: whatever comes out is either a refusal or a
// picture whose pixel count matches its sides.
TEST(Dib, SurvivesRandomDamage) {
  std::mt19937 random(12345);
  for (const auto& c : GoodCases()) {
    for (int round = 0; round < 300; ++round) {
      Bytes b = c.bytes;
      int edits = 1 + random() % 4;
      for (int e = 0; e < edits; ++e) b[random() % b.size()] = uint8_t(random());
      if (random() % 4 == 0) b.resize(random() % b.size());
      DecodedPicture p;
      if (c.decode(b.data(), b.size(), &p)) {
        ASSERT_GT(p.width, 0);
        ASSERT_GT(p.height, 0);
        ASSERT_EQ(p.pixels.size(), size_t(p.width) * p.height);
      } else {
        ExpectEmpty(p);
      }
    }
  }
}

}  // namespace
