// tests/jpeg/jpeg_decode.h — reads a JPEG file back for the writer's tests.
//
// A file the library cannot read answers ok = false; it never ends the test.
#pragma once

#include <string>
#include <vector>

struct DecodedJpeg {
  bool ok = false;
  int width = 0;
  int height = 0;
  int components = 0;
  std::vector<unsigned char> pixels;  // top row first, red-green-blue
  std::vector<int> lumaTable;         // quantization table 0, natural order
};

DecodedJpeg DecodeJpegFile(const std::string& path);
