// Picture file bytes as the image slots load them: a file starting with "BM"
// is read as a bitmap, anything else as an icon file.
#include "platform/dib.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

void CheckDecoded(const DecodedPicture& picture, bool isIcon) {
  FUZZ_CHECK(picture.width >= 1 && picture.width <= kLargestPictureSide);
  FUZZ_CHECK(picture.height >= 1 && picture.height <= kLargestPictureSide);
  FUZZ_CHECK(int64_t{picture.width} * picture.height <= kLargestPicturePixels);
  FUZZ_CHECK(picture.pixels.size() == size_t(picture.width) * size_t(picture.height));
  FUZZ_CHECK(picture.isIcon == isIcon);
  int d = picture.depth;
  FUZZ_CHECK(d == 1 || d == 4 || d == 8 || d == 16 || d == 24 || d == 32);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  DecodedPicture picture;
  bool bitmap = data[0] == 'B' && data[1] == 'M';
  int decoded = bitmap ? DecodeBitmapFile(data, size, &picture) : DecodeIconFile(data, size, &picture);
  if (decoded)
    CheckDecoded(picture, !bitmap);
  else
    FUZZ_CHECK(picture.width == 0 && picture.height == 0 && picture.pixels.empty());
  return 0;
}
