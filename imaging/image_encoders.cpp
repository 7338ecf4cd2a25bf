// The encoder table of image_encoders.h: a few fixed slots, filled at start-up.
#include "imaging/image_encoders.h"

#include <cstring>

#include "imaging/jpeg_writer.h"

namespace {

struct EncoderEntry {
  char code[5];
  ImageEncoder encoder;
};

constexpr int kEncoderSlots = 4;
EncoderEntry encoderTable[kEncoderSlots] = {};
int encoderCount = 0;

int EnterImageEncoder(const char* code, ImageEncoder encoder) {
  if (FindImageEncoder(code)) return 1;
  if (encoderCount == kEncoderSlots) return 0;
  EncoderEntry& entry = encoderTable[encoderCount++];
  std::strncpy(entry.code, code, 4);
  entry.code[4] = '\0';
  entry.encoder = encoder;
  return 1;
}

}  // namespace

int RegisterJpegEncoder() { return EnterImageEncoder("JPEG", WriteJpegFile); }

ImageEncoder FindImageEncoder(const char* code) {
  if (!code) return nullptr;
  for (int i = 0; i < encoderCount; ++i)
    if (std::strcmp(encoderTable[i].code, code) == 0) return encoderTable[i].encoder;
  return nullptr;
}
