// Icon bytes handed over in memory, as the built-in icons reach the image
// slots: a whole icon file, and the same bytes as a bare icon image.
#include "platform/dib.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

void CheckIcon(int decoded, const DecodedPicture& picture) {
  if (!decoded) {
    FUZZ_CHECK(picture.width == 0 && picture.height == 0 && picture.pixels.empty());
    return;
  }
  FUZZ_CHECK(picture.isIcon);
  FUZZ_CHECK(picture.width >= 1 && picture.width <= kLargestPictureSide);
  FUZZ_CHECK(picture.height >= 1 && picture.height <= kLargestPictureSide);
  FUZZ_CHECK(picture.pixels.size() == size_t(picture.width) * size_t(picture.height));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  DecodedPicture picture;
  CheckIcon(DecodeIconFile(data, size, &picture), picture);
  // An icon file starts with six header bytes and a 16-byte directory entry.
  if (size > 22) CheckIcon(DecodeIconImage(data + 22, size - 22, &picture), picture);
  CheckIcon(DecodeIconImage(data, size, &picture), picture);
  return 0;
}
