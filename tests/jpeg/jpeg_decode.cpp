// Decoding for the tests: the library runs inside ReadJpeg, which keeps only
// plain C values, so a jump out of an error lands safely.
#include "tests/jpeg/jpeg_decode.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

namespace {

struct DecodeTrap {
  jpeg_error_mgr manager;
  jmp_buf back;
};

struct DecodeJob {
  jpeg_decompress_struct info;
  DecodeTrap trap;
  FILE* file;
  unsigned char* pixels;
  int width, height, components;
  int luma[64];
  int hasLuma;
};

extern "C" void JumpBackOnDecodeError(j_common_ptr info) {
  longjmp(reinterpret_cast<DecodeTrap*>(info->err)->back, 1);
}

int ReadJpeg(DecodeJob* job) {
  job->info.err = jpeg_std_error(&job->trap.manager);
  job->trap.manager.error_exit = JumpBackOnDecodeError;
  if (setjmp(job->trap.back)) return 0;
  jpeg_create_decompress(&job->info);
  jpeg_stdio_src(&job->info, job->file);
  jpeg_read_header(&job->info, TRUE);
  if (job->info.quant_tbl_ptrs[0]) {
    job->hasLuma = 1;
    for (int i = 0; i < 64; ++i) job->luma[i] = job->info.quant_tbl_ptrs[0]->quantval[i];
  }
  job->info.out_color_space = JCS_RGB;
  jpeg_start_decompress(&job->info);
  job->width = static_cast<int>(job->info.output_width);
  job->height = static_cast<int>(job->info.output_height);
  job->components = job->info.output_components;
  size_t rowBytes = static_cast<size_t>(job->width) * job->components;
  job->pixels = static_cast<unsigned char*>(std::malloc(rowBytes * job->height));
  if (!job->pixels) return 0;
  while (job->info.output_scanline < job->info.output_height) {
    JSAMPROW row = job->pixels + rowBytes * job->info.output_scanline;
    jpeg_read_scanlines(&job->info, &row, 1);
  }
  jpeg_finish_decompress(&job->info);
  return 1;
}

}  // namespace

DecodedJpeg DecodeJpegFile(const std::string& path) {
  DecodedJpeg decoded;
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return decoded;
  DecodeJob job;
  std::memset(&job, 0, sizeof job);
  job.file = file;
  int read = ReadJpeg(&job);
  jpeg_destroy_decompress(&job.info);
  std::fclose(file);
  if (read) {
    decoded.ok = true;
    decoded.width = job.width;
    decoded.height = job.height;
    decoded.components = job.components;
    decoded.pixels.assign(job.pixels,
                          job.pixels + static_cast<size_t>(job.width) * job.components * job.height);
    if (job.hasLuma) decoded.lumaTable.assign(job.luma, job.luma + 64);
  }
  std::free(job.pixels);
  return decoded;
}
