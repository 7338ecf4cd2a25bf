// The image slots, the toolbar's copies and the icon view.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/catalogue.h"
#include "app/view.h"
#include "imaging/builtin_icons.h"
#include "imaging/image_slots.h"
#include "platform/shell_testing.h"
#include "tests/shell/test_main.h"

namespace {

std::string ScratchFile(const std::string& name) {
  static std::string folder;
  if (folder.empty()) {
    char pattern[] = "/tmp/tolvanex-slots-XXXXXX";
    folder = mkdtemp(pattern);
  }
  return folder + "/" + name;
}

void WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
  FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

void Put32(std::vector<unsigned char>* bytes, size_t at, uint32_t value) {
  for (int k = 0; k < 4; ++k) (*bytes)[at + k] = static_cast<unsigned char>(value >> (8 * k));
}

// A 24-bit bottom-up bitmap file, every pixel the same colour.
std::vector<unsigned char> SolidBitmap(int width, int height, unsigned char red, unsigned char green,
                                       unsigned char blue) {
  int stride = (width * 3 + 3) / 4 * 4;
  std::vector<unsigned char> bytes(54 + static_cast<size_t>(stride) * height, 0);
  bytes[0] = 'B';
  bytes[1] = 'M';
  Put32(&bytes, 2, static_cast<uint32_t>(bytes.size()));
  Put32(&bytes, 10, 54);
  Put32(&bytes, 14, 40);
  Put32(&bytes, 18, static_cast<uint32_t>(width));
  Put32(&bytes, 22, static_cast<uint32_t>(height));
  bytes[26] = 1;
  bytes[28] = 24;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      size_t at = 54 + static_cast<size_t>(y) * stride + 3 * x;
      bytes[at] = blue;
      bytes[at + 1] = green;
      bytes[at + 2] = red;
    }
  return bytes;
}

TEST(ImageSlots, BuiltInIconsFillTheSlotsAtStartUp) {
  StartTolvanexOnce();
  const int depths[] = {4, 8, 4};
  for (int slot = 0; slot < 3; ++slot) {
    ImageSlot record = ImageSlotOf(slot);
    ASSERT_NE(record.handle, nullptr) << slot;
    EXPECT_EQ(record.width, 32) << slot;
    EXPECT_EQ(record.height, 32) << slot;
    EXPECT_EQ(record.depth, depths[slot]) << slot;
  }
}

TEST(ImageSlots, LoadImageFileByKind) {
  StartTolvanexOnce();
  std::string bitmap = ScratchFile("icon.bmp");
  WriteBytes(bitmap, SolidBitmap(48, 48, 255, 0, 0));
  std::string icon = ScratchFile("icon.ico");
  EmbeddedFile camera = CameraIconData();
  WriteBytes(icon, std::vector<unsigned char>(camera.bytes, camera.bytes + camera.size));
  std::string other = ScratchFile("icon.png");
  WriteBytes(other, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n', 0, 0, 0, 0});
  struct Case {
    std::string path;
    int loaded;
    int width;
  };
  const Case cases[] = {
      {bitmap, 1, 48}, {icon, 1, 32}, {other, 0, 0}, {ScratchFile("missing.bmp"), 0, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(LoadImageFile(0, c.path) != 0, c.loaded != 0) << c.path;
    EXPECT_EQ(ImageSlotOf(0).width, c.width) << c.path;
    EXPECT_EQ(ImageHandleOf(0) != nullptr, c.loaded != 0) << c.path;
  }
}

TEST(ImageSlots, ToolbarKeepsItsOwnCopy) {
  StartTolvanexOnce();
  ReleaseImage(0);
  NewBlankImage(1, 185, 215);
  EXPECT_EQ(ImageHandleOf(0), nullptr);
  EXPECT_TRUE(ToolButtonHasImage(MainWindow, SaveJadCommand));
  EXPECT_TRUE(ToolButtonHasImage(MainWindow, RunCommand));
}

TEST(ImageSlots, BlankImageIsBlackAtDisplayDepth) {
  StartTolvanexOnce();
  PictureHandle blank = NewBlankImage(1, 185, 215);
  ASSERT_NE(blank, nullptr);
  EXPECT_EQ(ImageSlotOf(1).depth, DisplayDepth());
  std::vector<uint8_t> rows(556 * 215, 0xAB);
  ASSERT_TRUE(ReadPictureRows24(blank, rows.data(), 556));
  EXPECT_EQ(rows[0], 0);
  EXPECT_EQ(rows[556 * 214 + 3 * 184 + 2], 0);
}

TEST(ImageSlots, IconViewFollowsItsPicture) {
  StartTolvanexOnce();
  std::string path = ScratchFile("sized.bmp");
  for (int side : {48, 16}) {
    WriteBytes(path, SolidBitmap(side, side, 0, 0, 255));
    ASSERT_TRUE(LoadImageFile(0, path));
    ShowIconView(ImageHandleOf(0));
    int x = 0, y = 0, width = 0, height = 0;
    ASSERT_TRUE(ControlGeometry(MainWindow, IconView, &x, &y, &width, &height));
    EXPECT_EQ(x, 10);
    EXPECT_EQ(y, 30);
    EXPECT_EQ(width, side);
    EXPECT_EQ(height, side);
    EXPECT_EQ(PixelOfImageControl(MainWindow, IconView, 0, 0) & 0xFFFFFFu, 0x0000FFu);
  }
  ShowIconView(nullptr);
  int x = 0, y = 0, width = 0, height = 0;
  ASSERT_TRUE(ControlGeometry(MainWindow, IconView, &x, &y, &width, &height));
  EXPECT_EQ(width, 32);
  EXPECT_EQ(height, 32);
  EXPECT_FALSE(ImageControlHasPicture(MainWindow, IconView));
}

TEST(ImageSlots, ReleasedPictureIsNoLongerDrawn) {
  StartTolvanexOnce();
  std::string path = ScratchFile("released.bmp");
  WriteBytes(path, SolidBitmap(20, 20, 0, 255, 0));
  ASSERT_TRUE(LoadImageFile(0, path));
  ShowIconView(ImageHandleOf(0));
  ASSERT_TRUE(ImageControlHasPicture(MainWindow, IconView));
  EXPECT_FALSE(LoadImageFile(0, ScratchFile("not-there.bmp")));
  EXPECT_FALSE(ImageControlHasPicture(MainWindow, IconView));
}

}  // namespace
