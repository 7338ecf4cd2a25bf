#include "tests/pngbmp/icon_test_files.h"

#include <csetjmp>
#include <cstring>
#include <fstream>
#include <iterator>

#include <png.h>
#include <zlib.h>

namespace {

struct PngSink {
  Bytes* out;
};

extern "C" void AppendToSink(png_structp png, png_bytep data, size_t size) {
  Bytes* out = static_cast<PngSink*>(png_get_io_ptr(png))->out;
  out->insert(out->end(), data, data + size);
}

extern "C" void FlushNothing(png_structp) {}

// Plain C values only around the jump.
struct EncodeJob {
  png_structp png;
  png_infop info;
  const PngLayout* layout;
  png_bytep* rows;
  PngSink sink;
};

int WritePng(EncodeJob* job) {
  if (setjmp(png_jmpbuf(job->png))) return 0;
  const PngLayout& l = *job->layout;
  png_set_write_fn(job->png, &job->sink, AppendToSink, FlushNothing);
  png_set_IHDR(job->png, job->info, l.width, l.height, l.bitDepth, l.colourType,
               l.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!l.palette.empty())
    png_set_PLTE(job->png, job->info, reinterpret_cast<png_const_colorp>(l.palette.data()),
                 static_cast<int>(l.palette.size() / 3));
  if (!l.transparency.empty()) {
    if (l.colourType == PNG_COLOR_TYPE_PALETTE) {
      png_set_tRNS(job->png, job->info, l.transparency.data(),
                   static_cast<int>(l.transparency.size()), nullptr);
    } else {
      png_color_16 key = {};
      key.gray = l.transparency[0];
      png_set_tRNS(job->png, job->info, nullptr, 0, &key);
    }
  }
  png_write_info(job->png, job->info);
  png_write_image(job->png, job->rows);
  png_write_end(job->png, nullptr);
  return 1;
}

unsigned ReadLittleEndian(const Bytes& bytes, size_t at, int count) {
  unsigned value = 0;
  for (int i = count - 1; i >= 0; --i) value = value << 8 | bytes[at + i];
  return value;
}

}  // namespace

Bytes EncodePng(const PngLayout& layout) {
  Bytes out;
  size_t rowBytes = layout.height ? layout.rows.size() / layout.height : 0;
  std::vector<png_bytep> rows;
  for (int y = 0; y < layout.height; ++y)
    rows.push_back(const_cast<png_bytep>(layout.rows.data()) + rowBytes * y);
  EncodeJob job = {};
  job.layout = &layout;
  job.rows = rows.data();
  job.sink.out = &out;
  job.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  job.info = png_create_info_struct(job.png);
  int written = WritePng(&job);
  png_destroy_write_struct(&job.png, &job.info);
  if (!written) out.clear();
  return out;
}

Bytes RgbaPng(int width, int height, const std::function<Rgba(int, int)>& colourAt) {
  PngLayout layout;
  layout.width = width;
  layout.height = height;
  layout.colourType = PNG_COLOR_TYPE_RGBA;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      Rgba c = colourAt(x, y);
      for (int v : {c.red, c.green, c.blue, c.alpha}) layout.rows.push_back(static_cast<unsigned char>(v));
    }
  return EncodePng(layout);
}

Bytes WithForgedSize(Bytes png, unsigned width, unsigned height) {
  // Signature (8), IHDR length (4), "IHDR" (4), width, height, ..., checksum
  // over "IHDR" and its 13 data bytes.
  for (int i = 0; i < 4; ++i) {
    png[16 + i] = static_cast<unsigned char>(width >> (24 - 8 * i));
    png[20 + i] = static_cast<unsigned char>(height >> (24 - 8 * i));
  }
  unsigned long crc = crc32(0, png.data() + 12, 17);
  for (int i = 0; i < 4; ++i) png[29 + i] = static_cast<unsigned char>(crc >> (24 - 8 * i));
  return png;
}

ReadBitmap ParseBmp(const Bytes& bmp) {
  ReadBitmap read;
  if (bmp.size() < 54 || bmp[0] != 'B' || bmp[1] != 'M') return read;
  int width = static_cast<int>(ReadLittleEndian(bmp, 18, 4));
  int height = static_cast<int>(ReadLittleEndian(bmp, 22, 4));
  size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
  bool headerRight = ReadLittleEndian(bmp, 2, 4) == bmp.size() && ReadLittleEndian(bmp, 10, 4) == 54 &&
                     ReadLittleEndian(bmp, 14, 4) == 40 && ReadLittleEndian(bmp, 26, 2) == 1 &&
                     ReadLittleEndian(bmp, 28, 2) == 24 && ReadLittleEndian(bmp, 30, 4) == 0 &&
                     width > 0 && height > 0 && bmp.size() == 54 + stride * height;
  if (!headerRight) return read;
  read.ok = true;
  read.width = width;
  read.height = height;
  for (int y = 0; y < height; ++y) {
    const unsigned char* row = bmp.data() + 54 + stride * (height - 1 - y);
    for (int x = 0; x < width; ++x) read.pixels.push_back({row[3 * x + 2], row[3 * x + 1], row[3 * x]});
  }
  return read;
}

Bytes ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
}

void WriteFileText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}
