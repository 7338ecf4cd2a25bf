// Windows bitmaps and icons decoded into plain 0xAARRGGBB pixels; see
// platform/dib.h. Every read goes through Fits() first; sizes are checked in
// 64-bit arithmetic before anything is allocated.
#include "platform/dib.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3,
                   kAlphaBitFields = 6;
constexpr uint32_t kOpaque = 0xFF000000u;

// Everything the info header says about the pixels that follow it.
struct PixelLayout {
  int64_t width = 0;
  int64_t storedHeight = 0;    // as the header gives it (negative: top-down)
  int depth = 0;
  uint32_t compression = kRgb;
  uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
  uint64_t headerBytes = 0;          // header plus any separate bit masks
  uint64_t paletteBytes = 0;         // palette as stored
  std::vector<uint32_t> palette;     // up to 256 opaque colours
};

bool Fits(size_t size, uint64_t offset, uint64_t count) {
  return offset <= size && count <= size - offset;
}

uint16_t U16(const uint8_t* p) { return uint16_t(p[0] | (p[1] << 8)); }
uint32_t U32(const uint8_t* p) {
  return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) |
         (uint32_t(p[3]) << 24);
}
int32_t S32(const uint8_t* p) { return int32_t(U32(p)); }

bool IsKnownDepth(int depth) {
  return depth == 1 || depth == 4 || depth == 8 || depth == 16 ||
         depth == 24 || depth == 32;
}

void SetDefaultMasks(PixelLayout* layout) {
  if (layout->depth == 16) {
    layout->masks[0] = 0x7C00; layout->masks[1] = 0x03E0; layout->masks[2] = 0x001F;
  } else if (layout->depth == 32) {
    layout->masks[0] = 0xFF0000; layout->masks[1] = 0xFF00; layout->masks[2] = 0xFF;
  }
}

// Reads the bit masks of a bit-field picture: inside a header of 52 bytes or
// more, else as separate double words right after a 40-byte header.
bool ReadBitMasks(const uint8_t* bytes, size_t size, uint32_t headerSize,
                  PixelLayout* layout) {
  int count = layout->compression == kAlphaBitFields ? 4 : 3;
  uint64_t at = headerSize >= 52 ? 40 : headerSize;
  if (headerSize >= 52) {
    count = headerSize >= 56 ? 4 : 3;
  } else {
    layout->headerBytes += 4u * count;
  }
  if (!Fits(size, at, 4u * count)) return false;
  for (int i = 0; i < count; ++i) layout->masks[i] = U32(bytes + at + 4 * i);
  return true;
}

bool ReadPalette(const uint8_t* bytes, size_t size, uint64_t entries,
                 int entrySize, PixelLayout* layout) {
  layout->paletteBytes = entries * entrySize;
  if (!Fits(size, layout->headerBytes, layout->paletteBytes)) return false;
  if (layout->depth > 8) return true;
  uint64_t used = entries < 256 ? entries : 256;
  layout->palette.resize(used);
  const uint8_t* p = bytes + layout->headerBytes;
  for (uint64_t i = 0; i < used; ++i, p += entrySize)
    layout->palette[i] = kOpaque | (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
  return true;
}

// Parses a core (12-byte) or info (40 bytes or longer) header and what
// belongs to it: bit masks and palette.
bool ReadInfoHeader(const uint8_t* bytes, size_t size, PixelLayout* layout) {
  if (!Fits(size, 0, 4)) return false;
  uint32_t headerSize = U32(bytes);
  if (headerSize == 12) {
    if (!Fits(size, 0, 12)) return false;
    layout->width = U16(bytes + 4);
    layout->storedHeight = U16(bytes + 6);
    layout->depth = U16(bytes + 10);
    layout->headerBytes = 12;
    if (!IsKnownDepth(layout->depth)) return false;
    SetDefaultMasks(layout);
    uint64_t entries = layout->depth <= 8 ? (1u << layout->depth) : 0;
    return ReadPalette(bytes, size, entries, 3, layout);
  }
  if (headerSize < 40 || !Fits(size, 0, headerSize)) return false;
  layout->width = S32(bytes + 4);
  layout->storedHeight = S32(bytes + 8);
  layout->depth = U16(bytes + 14);
  layout->compression = U32(bytes + 16);
  layout->headerBytes = headerSize;
  if (!IsKnownDepth(layout->depth)) return false;
  SetDefaultMasks(layout);
  if (layout->compression == kBitFields || layout->compression == kAlphaBitFields) {
    if (!ReadBitMasks(bytes, size, headerSize, layout)) return false;
  }
  uint64_t entries = U32(bytes + 32);
  if (layout->depth <= 8 && entries == 0) entries = 1u << layout->depth;
  return ReadPalette(bytes, size, entries, 4, layout);
}

bool IsSaneSize(int64_t width, int64_t height) {
  return width >= 1 && height >= 1 && width <= kLargestPictureSide &&
         height <= kLargestPictureSide && width * height <= kLargestPicturePixels;
}

bool IsKnownCompression(const PixelLayout& layout) {
  switch (layout.compression) {
    case kRgb: return true;
    case kRle8: return layout.depth == 8;
    case kRle4: return layout.depth == 4;
    case kBitFields:
    case kAlphaBitFields: return layout.depth == 16 || layout.depth == 32;
    default: return false;
  }
}

uint64_t RowBytes(int64_t width, int depth) {
  return (uint64_t(width) * depth + 31) / 32 * 4;
}

uint32_t MaskedChannel(uint32_t value, uint32_t mask) {
  if (mask == 0) return 0;
  int shift = std::countr_zero(mask);
  uint64_t top = mask >> shift;
  return uint32_t((uint64_t((value & mask) >> shift) * 255 + top / 2) / top);
}

uint32_t MaskedColour(uint32_t value, const uint32_t masks[4]) {
  uint32_t alpha = masks[3] ? MaskedChannel(value, masks[3]) : 0xFF;
  return (alpha << 24) | (MaskedChannel(value, masks[0]) << 16) |
         (MaskedChannel(value, masks[1]) << 8) | MaskedChannel(value, masks[2]);
}

uint32_t PaletteColour(const PixelLayout& layout, uint32_t index) {
  return index < layout.palette.size() ? layout.palette[index] : kOpaque;
}

// One pixel of an uncompressed row.
uint32_t PixelOfRow(const uint8_t* row, int64_t x, const PixelLayout& layout) {
  switch (layout.depth) {
    case 1: return PaletteColour(layout, (row[x / 8] >> (7 - x % 8)) & 1);
    case 4: return PaletteColour(layout, (row[x / 2] >> (x % 2 ? 0 : 4)) & 15);
    case 8: return PaletteColour(layout, row[x]);
    case 16: return MaskedColour(U16(row + 2 * x), layout.masks);
    case 24: {
      const uint8_t* p = row + 3 * x;
      return kOpaque | (uint32_t(p[2]) << 16) | (uint32_t(p[1]) << 8) | p[0];
    }
    default: return MaskedColour(U32(row + 4 * x), layout.masks);
  }
}

// Uncompressed rows; the caller has checked that height rows fit.
void DecodeRows(const uint8_t* bits, int64_t height, bool topDown,
                const PixelLayout& layout, std::vector<uint32_t>* pixels) {
  uint64_t stride = RowBytes(layout.width, layout.depth);
  for (int64_t y = 0; y < height; ++y) {
    const uint8_t* row = bits + stride * y;
    uint32_t* target = pixels->data() + (topDown ? y : height - 1 - y) * layout.width;
    for (int64_t x = 0; x < layout.width; ++x) target[x] = PixelOfRow(row, x, layout);
  }
}

// 8- and 4-bit run-length data, bottom row first. Pixels that no run reaches
// keep colour 0 of the palette.
void DecodeRunLengths(const uint8_t* data, size_t size, int64_t height,
                      const PixelLayout& layout, std::vector<uint32_t>* pixels) {
  const int64_t width = layout.width;
  std::fill(pixels->begin(), pixels->end(), PaletteColour(layout, 0));
  auto put = [&](int64_t x, int64_t y, uint32_t index) {
    if (x < width && y < height)
      (*pixels)[(height - 1 - y) * width + x] = PaletteColour(layout, index);
  };
  const bool four = layout.compression == kRle4;
  int64_t x = 0, y = 0;
  size_t at = 0;
  while (Fits(size, at, 2) && y < height) {
    uint8_t count = data[at], value = data[at + 1];
    at += 2;
    if (count > 0) {
      for (int i = 0; i < count; ++i, ++x)
        put(x, y, four ? (i % 2 ? value & 15 : value >> 4) : value);
    } else if (value == 0) {
      x = 0, ++y;
    } else if (value == 1) {
      return;
    } else if (value == 2) {
      if (!Fits(size, at, 2)) return;
      x += data[at], y += data[at + 1];
      at += 2;
    } else {
      uint64_t bytes = four ? (value + 1) / 2 : value;
      if (!Fits(size, at, bytes)) return;
      for (int i = 0; i < value; ++i, ++x)
        put(x, y, four ? (i % 2 ? data[at + i / 2] & 15 : data[at + i / 2] >> 4)
                       : data[at + i]);
      at += (bytes + 1) / 2 * 2;
    }
  }
}

// A picture whose alpha channel is zero throughout means no alpha at all:
// an icon is then drawn through its mask, a bitmap opaque.
bool HasAlpha(const std::vector<uint32_t>& pixels) {
  for (uint32_t p : pixels)
    if (p >> 24) return true;
  return false;
}

// Clears alpha where the AND mask is set and makes the rest opaque.
void ApplyIconMask(const uint8_t* mask, int64_t width, int64_t height,
                   std::vector<uint32_t>* pixels) {
  uint64_t stride = RowBytes(width, 1);
  for (int64_t y = 0; y < height; ++y) {
    const uint8_t* row = mask + stride * y;
    uint32_t* target = pixels->data() + (height - 1 - y) * width;
    for (int64_t x = 0; x < width; ++x) {
      bool clear = (row[x / 8] >> (7 - x % 8)) & 1;
      target[x] = clear ? target[x] & 0x00FFFFFFu : target[x] | kOpaque;
    }
  }
}

void Fill(DecodedPicture* out, int64_t width, int64_t height, int depth, bool isIcon) {
  out->width = int(width);
  out->height = int(height);
  out->depth = depth;
  out->isIcon = isIcon;
}

}  // namespace

int DecodeIconImage(const uint8_t* bytes, size_t size, DecodedPicture* out) {
  *out = DecodedPicture{};
  if (!bytes) return 0;
  PixelLayout layout;
  if (!ReadInfoHeader(bytes, size, &layout)) return 0;
  const int64_t height = layout.storedHeight / 2;
  if (layout.storedHeight < 0 || !IsSaneSize(layout.width, height)) return 0;
  if (layout.compression != kRgb && layout.compression != kBitFields) return 0;
  if (!IsKnownCompression(layout)) return 0;
  const uint64_t colourAt = layout.headerBytes + layout.paletteBytes;
  const uint64_t colourBytes = RowBytes(layout.width, layout.depth) * height;
  const uint64_t maskAt = colourAt + colourBytes;
  const bool hasMask = Fits(size, maskAt, RowBytes(layout.width, 1) * height);
  if (!Fits(size, colourAt, colourBytes)) return 0;
  if (!hasMask && layout.depth != 32) return 0;
  if (layout.depth == 32 && layout.compression == kRgb) layout.masks[3] = 0xFF000000u;

  std::vector<uint32_t> pixels(size_t(layout.width * height));
  DecodeRows(bytes + colourAt, height, false, layout, &pixels);
  if (!(layout.masks[3] && HasAlpha(pixels))) {
    if (!hasMask) return 0;
    ApplyIconMask(bytes + maskAt, layout.width, height, &pixels);
  }
  Fill(out, layout.width, height, layout.depth, true);
  out->pixels = std::move(pixels);
  return 1;
}

int DecodeIconFile(const uint8_t* bytes, size_t size, DecodedPicture* out) {
  *out = DecodedPicture{};
  if (!bytes || !Fits(size, 0, 6 + 16)) return 0;
  if (U16(bytes) != 0 || U16(bytes + 2) != 1 || U16(bytes + 4) == 0) return 0;
  const uint8_t* entry = bytes + 6;
  uint64_t imageBytes = U32(entry + 8), imageAt = U32(entry + 12);
  if (!Fits(size, imageAt, imageBytes)) return 0;
  static const uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (imageBytes >= 8 && std::memcmp(bytes + imageAt, kPngSignature, 8) == 0) return 0;
  return DecodeIconImage(bytes + imageAt, size_t(imageBytes), out);
}

int DecodeBitmapFile(const uint8_t* bytes, size_t size, DecodedPicture* out) {
  *out = DecodedPicture{};
  if (!bytes || !Fits(size, 0, 14) || bytes[0] != 'B' || bytes[1] != 'M') return 0;
  PixelLayout layout;
  if (!ReadInfoHeader(bytes + 14, size - 14, &layout)) return 0;
  const bool topDown = layout.storedHeight < 0;
  const int64_t height = topDown ? -layout.storedHeight : layout.storedHeight;
  if (!IsSaneSize(layout.width, height) || !IsKnownCompression(layout)) return 0;
  const bool runLengths = layout.compression == kRle8 || layout.compression == kRle4;
  if (runLengths && topDown) return 0;

  uint64_t dataAt = U32(bytes + 10);
  if (dataAt == 0) dataAt = 14 + layout.headerBytes + layout.paletteBytes;
  if (dataAt < 14 + 12 || dataAt > size) return 0;
  const uint64_t rowsBytes = RowBytes(layout.width, layout.depth) * height;
  if (!runLengths && !Fits(size, dataAt, rowsBytes)) return 0;

  std::vector<uint32_t> pixels(size_t(layout.width * height));
  if (runLengths)
    DecodeRunLengths(bytes + dataAt, size_t(size - dataAt), height, layout, &pixels);
  else
    DecodeRows(bytes + dataAt, height, topDown, layout, &pixels);
  if (layout.masks[3] && !HasAlpha(pixels))
    for (uint32_t& p : pixels) p |= kOpaque;
  Fill(out, layout.width, height, layout.depth, false);
  out->pixels = std::move(pixels);
  return 1;
}
