// The icon library's two readers of MIDlet data: bytes that start with the
// PNG signature go through PngToBmpBytes, anything else is read as a
// manifest by MidletIconNameOf. A bitmap that comes out must decode again as
// the same picture.
#include <cstring>
#include <string>
#include <vector>

#include "platform/dib.h"
#include "tests/fuzz/fuzz_check.h"
#include "tools/pngbmp/pngbmp_core.h"

namespace {

void CheckBitmap(const std::vector<unsigned char>& bmp) {
  DecodedPicture picture;
  FUZZ_CHECK(DecodeBitmapFile(bmp.data(), bmp.size(), &picture) == 1);
  FUZZ_CHECK(picture.depth == 24);
  FUZZ_CHECK(picture.width >= 1 && unsigned(picture.width) <= kMaxIconSide);
  FUZZ_CHECK(picture.height >= 1 && unsigned(picture.height) <= kMaxIconSide);
  size_t stride = (size_t(picture.width) * 3 + 3) & ~size_t{3};
  FUZZ_CHECK(bmp.size() == 54 + stride * picture.height);
}

void CheckIconName(const std::string& manifest) {
  std::string name = MidletIconNameOf(manifest);
  FUZZ_CHECK(name.find_first_of("\r\n") == std::string::npos);
  if (!name.empty()) {
    FUZZ_CHECK(name.front() != ' ' && name.front() != '\t');
    FUZZ_CHECK(name.back() != ' ' && name.back() != '\t');
  }
  std::string part = FilePartOf(name);
  FUZZ_CHECK(part.find_first_of("/\\") == std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const unsigned char kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (size >= 8 && std::memcmp(data, kSignature, 8) == 0) {
    std::vector<unsigned char> bmp{1, 2, 3};
    if (PngToBmpBytes(data, size, &bmp))
      CheckBitmap(bmp);
    else
      FUZZ_CHECK(bmp.empty());
    return 0;
  }
  CheckIconName(std::string(reinterpret_cast<const char*>(data), size));
  return 0;
}
