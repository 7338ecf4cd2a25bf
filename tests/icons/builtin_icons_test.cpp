// The built-in icons: exact file layouts, that they decode as the program
// uses them, that the artwork is there, and that the generator reproduces
// the committed files byte for byte.
#include "imaging/builtin_icons.h"
#include "platform/dib.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

struct Entry {
  int width, height, colourCount, bitsPerPixel;
  uint32_t bytes, offset;
};

struct BuiltinIcon {
  const char* name;
  EmbeddedFile (*data)();
  size_t size;
  std::vector<Entry> entries;
  std::vector<uint32_t> colours;  // some colours the motif must show
};

const std::vector<BuiltinIcon>& BuiltinIcons() {
  static const std::vector<BuiltinIcon> icons = {
      {"JadDiskIcon", JadDiskIconData, 766, {{32, 32, 16, 4, 744, 22}}, {0xFFFFFF00, 0xFFFFFFFF, 0xFF000000}},
      {"RunIcon", RunIconData, 2238, {{32, 32, 0, 8, 2216, 22}}, {0xFFFFFFFF}},
      {"CameraIcon", CameraIconData, 5046,
       {{32, 32, 16, 4, 744, 38}, {32, 32, 0, 32, 4264, 38 + 744}}, {0xFF00FFFF, 0xFFC0C0C0}},
      {"ProgramIcon", ProgramIconData, 766, {{32, 32, 16, 4, 744, 22}},
       {0xFFFFFFFF, 0xFF000000, 0xFFFF0000, 0xFF0000FF}},
      {"ToolOpen", ToolOpenData, 1150, {{16, 16, 0, 32, 1128, 22}}, {}},
      {"ToolProperties", ToolPropertiesData, 1150, {{16, 16, 0, 32, 1128, 22}}, {}},
      {"ToolSave", ToolSaveData, 1150, {{16, 16, 0, 32, 1128, 22}}, {}},
      {"ToolFind", ToolFindData, 1150, {{16, 16, 0, 32, 1128, 22}}, {}},
  };
  return icons;
}

uint32_t U16(const unsigned char* p) { return p[0] | (p[1] << 8); }
uint32_t U32(const unsigned char* p) { return U16(p) | (U16(p + 2) << 16); }

TEST(BuiltinIcons, FilesAreLaidOutExactly) {
  for (const auto& icon : BuiltinIcons()) {
    SCOPED_TRACE(icon.name);
    EmbeddedFile file = icon.data();
    ASSERT_EQ(file.size, icon.size);
    const unsigned char* b = file.bytes;
    EXPECT_EQ(U16(b), 0u);
    EXPECT_EQ(U16(b + 2), 1u);
    ASSERT_EQ(U16(b + 4), icon.entries.size());
    uint64_t end = 6 + 16 * icon.entries.size();
    for (size_t i = 0; i < icon.entries.size(); ++i) {
      const Entry& want = icon.entries[i];
      const unsigned char* e = b + 6 + 16 * i;
      EXPECT_EQ(e[0], want.width);
      EXPECT_EQ(e[1], want.height);
      EXPECT_EQ(e[2], want.colourCount);
      EXPECT_EQ(e[3], 0);
      EXPECT_EQ(U16(e + 4), 1u);
      EXPECT_EQ(U16(e + 6), uint32_t(want.bitsPerPixel));
      EXPECT_EQ(U32(e + 8), want.bytes);
      ASSERT_EQ(U32(e + 12), want.offset);
      ASSERT_EQ(want.offset, end) << "images follow one another";
      end += want.bytes;
      // The image's own header: twice the height, no compression.
      const unsigned char* h = b + want.offset;
      EXPECT_EQ(U32(h), 40u);
      EXPECT_EQ(U32(h + 4), uint32_t(want.width));
      EXPECT_EQ(U32(h + 8), uint32_t(2 * want.height));
      EXPECT_EQ(U16(h + 12), 1u);
      EXPECT_EQ(U16(h + 14), uint32_t(want.bitsPerPixel));
      EXPECT_EQ(U32(h + 16), 0u);
    }
    EXPECT_EQ(end, icon.size);
  }
}

// What the program gets from each file: the first image, at its own size,
// neither blank nor flat, with the motif's colours.
TEST(BuiltinIcons, DecodeAsTheFirstImage) {
  for (const auto& icon : BuiltinIcons()) {
    SCOPED_TRACE(icon.name);
    EmbeddedFile file = icon.data();
    DecodedPicture picture;
    ASSERT_NE(DecodeIconFile(file.bytes, file.size, &picture), 0);
    const Entry& first = icon.entries[0];
    EXPECT_EQ(picture.width, first.width);
    EXPECT_EQ(picture.height, first.height);
    EXPECT_EQ(picture.depth, first.bitsPerPixel);
    EXPECT_TRUE(picture.isIcon);
    std::set<uint32_t> opaque;
    int transparent = 0;
    for (uint32_t p : picture.pixels) {
      if (p >> 24 == 0xFF) opaque.insert(p);
      if (p >> 24 == 0) ++transparent;
    }
    EXPECT_GE(opaque.size(), 4u) << "artwork of several colours";
    EXPECT_GT(transparent, 0) << "a shape, not a filled square";
    EXPECT_LT(transparent, int(picture.pixels.size()) / 2);
    for (uint32_t colour : icon.colours) EXPECT_TRUE(opaque.count(colour)) << std::hex << colour;
  }
}

TEST(BuiltinIcons, CameraAlsoHoldsATrueColourImage) {
  EmbeddedFile file = CameraIconData();
  const Entry& second = BuiltinIcons()[2].entries[1];
  DecodedPicture picture;
  ASSERT_NE(DecodeIconImage(file.bytes + second.offset, second.bytes, &picture), 0);
  EXPECT_EQ(picture.width, 32);
  EXPECT_EQ(picture.height, 32);
  EXPECT_EQ(picture.depth, 32);
  int partlyTransparent = 0;
  for (uint32_t p : picture.pixels)
    if (p >> 24 != 0 && p >> 24 != 0xFF) ++partlyTransparent;
  EXPECT_GT(partlyTransparent, 0) << "smooth edges";
}

std::vector<unsigned char> ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(BuiltinIcons, GeneratorReproducesTheCommittedFiles) {
  char pattern[] = "/tmp/tolvanex-icons-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::filesystem::path folder = pattern;
  const std::filesystem::path sources = std::filesystem::path(TOLVANEX_SOURCE_DIR) / "resources";
  std::string command = std::string("\"") + PYTHON3_EXECUTABLE + "\" \"" +
                        (sources / "make_icons.py").string() + "\" \"" + folder.string() + "\"";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  for (const auto& icon : BuiltinIcons()) {
    SCOPED_TRACE(icon.name);
    std::string name = std::string(icon.name) + ".ico";
    EmbeddedFile file = icon.data();
    std::vector<unsigned char> embedded(file.bytes, file.bytes + file.size);
    EXPECT_EQ(ReadWholeFile(folder / name), embedded) << "generated";
    EXPECT_EQ(ReadWholeFile(sources / name), embedded) << "committed";
  }
  std::filesystem::remove_all(folder);
}

}  // namespace
