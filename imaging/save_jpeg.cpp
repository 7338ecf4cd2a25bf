// An image slot's picture saved through the JPEG encoder.
#include <vector>

#include "imaging/image_encoders.h"
#include "imaging/image_slots.h"
#include "imaging/screenshot.h"

int SaveImageAsJpeg(int slot, const std::string& path) {
  PictureHandle picture = ImageHandleOf(slot);
  ImageEncoder encoder = FindImageEncoder("JPEG");
  if (picture == nullptr || encoder == nullptr) return 0;
  int width = PictureWidth(picture);
  int height = PictureHeight(picture);
  int stride = 3 * width + width % 4;
  std::vector<unsigned char> rows;
  try {
    rows.resize(static_cast<size_t>(stride) * static_cast<size_t>(height));
  } catch (...) {
    return 0;
  }
  if (!ReadPictureRows24(picture, rows.data(), stride)) return 0;
  return encoder(path, rows.data(), width, height, stride, 7);
}
