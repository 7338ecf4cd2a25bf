// tests/pngbmp/icon_test_files.h — pictures and files for the icon tests.
//
// PNGs are written with libpng itself; bitmaps are read back strictly (every
// header field the icon library promises is checked).
#pragma once

#include <functional>
#include <string>
#include <vector>

using Bytes = std::vector<unsigned char>;

struct PngLayout {
  int width = 0;
  int height = 0;
  int colourType = 0;  // PNG_COLOR_TYPE_...
  int bitDepth = 8;
  bool interlaced = false;
  Bytes rows;     // height rows, each packed as the PNG format stores it
  Bytes palette;  // red, green, blue per entry, for palette pictures
  Bytes transparency;  // the tRNS chunk's bytes, when there is one
};

Bytes EncodePng(const PngLayout& layout);

struct Rgba {
  int red, green, blue, alpha;
};
// An 8-bit RGBA PNG whose pixel (x, y) is colourAt(x, y).
Bytes RgbaPng(int width, int height, const std::function<Rgba(int, int)>& colourAt);

// Rewrites the width and height in a PNG's IHDR, with a valid checksum.
Bytes WithForgedSize(Bytes png, unsigned width, unsigned height);

struct Rgb {
  int red, green, blue;
  bool operator==(const Rgb&) const = default;
};
struct ReadBitmap {
  bool ok = false;
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;  // top row first
  Rgb At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
ReadBitmap ParseBmp(const Bytes& bmp);

Bytes ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const Bytes& bytes);
void WriteFileText(const std::string& path, const std::string& text);
