// platform/dib.h — Windows bitmaps and icons decoded into plain pixels.
//
// The bytes are untrusted: every read is bounds-checked, and a picture whose
// header claims an absurd size (more than 16384 pixels per side, more than
// 64 M pixels, zero or negative sides) or more data than the bytes hold is
// refused before any memory is taken for it. Each operation answers non-zero
// on success; on failure `out` is left empty (a default DecodedPicture).
//
// Pixels come out top row first as 0xAARRGGBB. Bitmaps are opaque, except
// that a bit-field bitmap with an alpha mask keeps its alpha. Icons are
// transparent where their 1-bit mask is set; a 32-bit icon whose colour bits
// carry any alpha uses that alpha instead of the mask.
//
// Read: 1, 4, 8, 16, 24 and 32 bits per pixel; uncompressed and bit-field
// data; 8- and 4-bit run-length data in bitmap files. A PNG image inside an
// icon file is refused (the caller may hand it to a PNG reader).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct DecodedPicture {
  int width = 0, height = 0;    // pixels
  int depth = 0;                // bits per pixel as stored (1,4,8,16,24,32)
  bool isIcon = false;          // came from icon data (has a transparency mask)
  std::vector<uint32_t> pixels; // width*height, top row first, 0xAARRGGBB
};

// Largest side and pixel count accepted.
constexpr int kLargestPictureSide = 16384;
constexpr int64_t kLargestPicturePixels = 64LL * 1024 * 1024;

// One icon image as an icon file or icon resource stores it: an info header
// whose height is twice the icon's, the palette, the colour bits (bottom row
// first) and the 1-bit AND mask. The icon is the header's width by half its
// height.
int DecodeIconImage(const uint8_t* bytes, size_t size, DecodedPicture* out);

// A whole icon file in memory (reserved word 0, type 1, image count, 16-byte
// directory entries). Only the first directory entry is used: its byte count
// and offset locate the image, which is decoded as by DecodeIconImage.
int DecodeIconFile(const uint8_t* bytes, size_t size, DecodedPicture* out);

// A Windows bitmap file ("BM"): file header, then a 12-byte core header or a
// 40-byte info header or one of its longer successors (52, 56, 108, 124
// bytes), palette or bit masks, pixel data at the file header's offset. Rows
// may run bottom-up (positive height) or top-down (negative height).
int DecodeBitmapFile(const uint8_t* bytes, size_t size, DecodedPicture* out);
