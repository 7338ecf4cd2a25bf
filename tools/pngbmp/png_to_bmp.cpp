// PNG bytes to .bmp bytes. libpng reports errors by jumping back into
// DecodePngRgba; everything the jump may leave behind is a plain value in
// PngJob, owned by PngToBmpBytes, so no C++ object is ever skipped.
#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <new>

#include <png.h>

#include "tools/pngbmp/pngbmp_core.h"

namespace {

constexpr png_alloc_size_t kMaxChunkBytes = 8u << 20;

struct PngSource {
  const unsigned char* bytes;
  size_t size;
  size_t at;
};

struct PngJob {
  png_structp png;
  png_infop info;
  PngSource source;
  unsigned char* pixels;  // width x height red-green-blue-alpha, top row first
  png_bytep* rows;
  png_uint_32 width;
  png_uint_32 height;
};

extern "C" void ReadPngSource(png_structp png, png_bytep out, size_t count) {
  PngSource* source = static_cast<PngSource*>(png_get_io_ptr(png));
  if (count > source->size - source->at) png_error(png, "file ends early");
  std::memcpy(out, source->bytes + source->at, count);
  source->at += count;
}

extern "C" void StopPngOnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

extern "C" void IgnorePngWarning(png_structp, png_const_charp) {}

// Asks libpng for 8-bit red, green, blue and alpha whatever the file holds.
void RequestRgba(png_structp png) {
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
}

int DecodePngRgba(PngJob* job) {
  if (setjmp(png_jmpbuf(job->png))) return 0;
  png_set_read_fn(job->png, &job->source, ReadPngSource);
  png_set_user_limits(job->png, kMaxIconSide, kMaxIconSide);
  png_set_chunk_malloc_max(job->png, kMaxChunkBytes);
  png_read_info(job->png, job->info);
  png_uint_32 width = png_get_image_width(job->png, job->info);
  png_uint_32 height = png_get_image_height(job->png, job->info);
  if (width == 0 || height == 0 || width > kMaxIconSide || height > kMaxIconSide) return 0;
  RequestRgba(job->png);
  png_read_update_info(job->png, job->info);
  if (png_get_rowbytes(job->png, job->info) != width * 4) return 0;
  job->pixels = static_cast<unsigned char*>(std::malloc(static_cast<size_t>(width) * height * 4));
  job->rows = static_cast<png_bytep*>(std::malloc(sizeof(png_bytep) * height));
  if (!job->pixels || !job->rows) return 0;
  for (png_uint_32 y = 0; y < height; ++y) job->rows[y] = job->pixels + static_cast<size_t>(y) * width * 4;
  png_read_image(job->png, job->rows);
  png_read_end(job->png, nullptr);
  job->width = width;
  job->height = height;
  return 1;
}

unsigned char OverButtonFace(unsigned colour, unsigned alpha, unsigned face) {
  return static_cast<unsigned char>((colour * alpha + face * (255 - alpha) + 127) / 255);
}

void PutLittleEndian(unsigned char* at, unsigned value, int bytes) {
  for (int i = 0; i < bytes; ++i) at[i] = static_cast<unsigned char>(value >> (8 * i));
}

// BITMAPFILEHEADER, BITMAPINFOHEADER (40 bytes), then bottom-up rows of
// blue, green, red, each padded to 4 bytes.
void LayOutBmp(const unsigned char* rgba, unsigned width, unsigned height,
               std::vector<unsigned char>* bmp) {
  const unsigned stride = (width * 3 + 3) & ~3u;
  const unsigned pixelBytes = stride * height;
  bmp->assign(54 + static_cast<size_t>(pixelBytes), 0);
  unsigned char* head = bmp->data();
  head[0] = 'B';
  head[1] = 'M';
  PutLittleEndian(head + 2, 54 + pixelBytes, 4);
  PutLittleEndian(head + 10, 54, 4);
  PutLittleEndian(head + 14, 40, 4);
  PutLittleEndian(head + 18, width, 4);
  PutLittleEndian(head + 22, height, 4);
  PutLittleEndian(head + 26, 1, 2);
  PutLittleEndian(head + 28, 24, 2);
  PutLittleEndian(head + 34, pixelBytes, 4);
  for (unsigned y = 0; y < height; ++y) {
    const unsigned char* source = rgba + static_cast<size_t>(y) * width * 4;
    unsigned char* target = head + 54 + static_cast<size_t>(height - 1 - y) * stride;
    for (unsigned x = 0; x < width; ++x, source += 4, target += 3) {
      target[0] = OverButtonFace(source[2], source[3], kButtonFaceBlue);
      target[1] = OverButtonFace(source[1], source[3], kButtonFaceGreen);
      target[2] = OverButtonFace(source[0], source[3], kButtonFaceRed);
    }
  }
}

}  // namespace

int PngToBmpBytes(const unsigned char* png, size_t size, std::vector<unsigned char>* bmp) {
  if (!bmp) return 0;
  bmp->clear();
  if (!png || size < 8 || png_sig_cmp(png, 0, 8) != 0) return 0;
  PngJob job;
  std::memset(&job, 0, sizeof job);
  job.source = {png, size, 0};
  job.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, StopPngOnError, IgnorePngWarning);
  if (!job.png) return 0;
  job.info = png_create_info_struct(job.png);
  int made = job.info && DecodePngRgba(&job);
  if (made) {
    try {
      LayOutBmp(job.pixels, job.width, job.height, bmp);
    } catch (const std::bad_alloc&) {
      bmp->clear();
      made = 0;
    }
  }
  png_destroy_read_struct(&job.png, &job.info, nullptr);
  std::free(job.rows);
  std::free(job.pixels);
  return made;
}
