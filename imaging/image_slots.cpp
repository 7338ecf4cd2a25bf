// The image slots and what they hold.
#include "imaging/image_slots.h"

#include <cstdio>

#include "platform/files.h"

namespace {

ImageSlot Slots[ImageSlotCount];
DrawingSurface OpenSurface = nullptr;

bool ValidSlot(int slot) { return slot >= 0 && slot < ImageSlotCount; }

PictureHandle TakePicture(int slot, PictureHandle picture) {
  Slots[slot].handle = picture;
  Slots[slot].width = static_cast<uint16_t>(PictureWidth(picture));
  Slots[slot].height = static_cast<uint16_t>(PictureHeight(picture));
  Slots[slot].depth = static_cast<uint8_t>(PictureDepth(picture));
  return picture;
}

// The first two bytes of a file, or empty text.
std::string FileMarkOf(const std::string& path) {
  int file = OpenFileForReading(path);
  if (file < 0) return std::string();
  char mark[2] = {0, 0};
  int64_t n = ReadFileBytes(file, mark, 2);
  CloseFile(file);
  return n == 2 ? std::string(mark, 2) : std::string();
}

}  // namespace

ImageSlot ImageSlotOf(int slot) { return ValidSlot(slot) ? Slots[slot] : ImageSlot(); }

PictureHandle ImageFromIconData(int slot, const uint8_t* bytes, size_t size) {
  if (!ValidSlot(slot)) return nullptr;
  ReleaseImage(slot);
  return TakePicture(slot, MakeIconFromFileData(bytes, size));
}

PictureHandle ImageHandleOf(int slot) { return ValidSlot(slot) ? Slots[slot].handle : nullptr; }

int LoadImageFile(int slot, const std::string& path) {
  if (!ValidSlot(slot)) return 0;
  ReleaseImage(slot);
  std::string mark = FileMarkOf(path);
  if (mark.empty()) return 0;
  PictureHandle picture = mark == "BM" ? LoadBitmapFile(path) : LoadIconFile(path);
  return TakePicture(slot, picture) != nullptr;
}

void ReleaseImage(int slot) {
  if (!ValidSlot(slot)) return;
  if (OpenSurface != nullptr && OpenSurface == Slots[slot].handle) EndImageDrawing();
  DestroyPicture(Slots[slot].handle);
  Slots[slot] = ImageSlot();
}

PictureHandle NewBlankImage(int slot, int width, int height) {
  if (!ValidSlot(slot)) return nullptr;
  ReleaseImage(slot);
  return TakePicture(slot, MakeBlankPicture(width, height));
}

DrawingSurface BeginImageDrawing(int slot) {
  EndImageDrawing();
  if (!ValidSlot(slot) || Slots[slot].handle == nullptr || PictureIsIcon(Slots[slot].handle)) return nullptr;
  OpenSurface = BeginPictureDrawing(Slots[slot].handle);
  return OpenSurface;
}

void EndImageDrawing() {
  if (OpenSurface != nullptr) EndPictureDrawing(OpenSurface);
  OpenSurface = nullptr;
}

void ReleaseAllImages() {
  for (int slot = 0; slot < ImageSlotCount; ++slot) ReleaseImage(slot);
}
