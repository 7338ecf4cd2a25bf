// Drives libjpeg's 6b interface to write one picture, as described in
// jpeg_writer.h. The library reports errors through error_exit, which here
// jumps back into CompressRows instead of ending the process. Everything the
// jump may leave behind lives in one plain struct owned by WriteJpegFile, so
// no C++ object is ever skipped by the jump.
#include "imaging/jpeg_writer.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include <jpeglib.h>

namespace {

struct JpegErrorTrap {
  jpeg_error_mgr manager;  // first, so the library's pointer is the trap's
  jmp_buf back;
};

// Plain C values only: this is what survives a jump out of the library.
struct JpegJob {
  jpeg_compress_struct info;
  JpegErrorTrap trap;
  FILE* file;
  unsigned char* row;
  const unsigned char* rows;
  int width;
  int height;
  int stride;
  int quality;
};

extern "C" void LeaveJpegOnError(j_common_ptr info) {
  (*info->err->output_message)(info);
  JpegErrorTrap* trap = reinterpret_cast<JpegErrorTrap*>(info->err);
  longjmp(trap->back, 1);
}

int LibraryQualityOf(int quality) {
  if (quality < 0) quality = 0;
  if (quality > 10) quality = 10;
  return quality * 10;
}

// Stored row height - 1 - r, blue-green-red, into the row buffer as red,
// green, blue. Indexed form over unaliased pointers: the compiler keeps it tight.
void CopyRowAsRgb(const JpegJob* job, int r) {
  const unsigned char* __restrict source =
      job->rows + static_cast<size_t>(job->height - 1 - r) * job->stride;
  unsigned char* __restrict target = job->row;
  for (int x = 0; x < job->width; ++x) {
    target[3 * x] = source[3 * x + 2];
    target[3 * x + 1] = source[3 * x + 1];
    target[3 * x + 2] = source[3 * x];
  }
}

// 1 when the library took every row and finished; 0 after an error.
int CompressRows(JpegJob* job) {
  job->info.err = jpeg_std_error(&job->trap.manager);
  job->trap.manager.trace_level = -1;
  job->trap.manager.error_exit = LeaveJpegOnError;
  if (setjmp(job->trap.back)) return 0;
  jpeg_create_compress(&job->info);
  jpeg_stdio_dest(&job->info, job->file);
  job->info.image_width = static_cast<JDIMENSION>(job->width);
  job->info.image_height = static_cast<JDIMENSION>(job->height);
  job->info.input_components = 3;
  job->info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&job->info);
  jpeg_set_quality(&job->info, LibraryQualityOf(job->quality), FALSE);
  jpeg_start_compress(&job->info, TRUE);
  job->row = static_cast<unsigned char*>(std::malloc(static_cast<size_t>(job->width) * 3));
  if (job->row) {
    for (int r = 0; r < job->height; ++r) {
      CopyRowAsRgb(job, r);
      JSAMPROW pass = job->row;
      jpeg_write_scanlines(&job->info, &pass, 1);
    }
    std::free(job->row);
    job->row = nullptr;
  }
  jpeg_finish_compress(&job->info);
  return 1;
}

int DescribesPicture(const unsigned char* rows, int width, int height, int stride) {
  return rows && width > 0 && height > 0 && stride >= 3LL * width;
}

struct FileIdentity {
  int regular = 0;
  dev_t device = 0;
  ino_t inode = 0;
};

FileIdentity IdentityOfOpenFile(FILE* file) {
  FileIdentity identity;
  struct stat status;
  if (fstat(fileno(file), &status) == 0 && S_ISREG(status.st_mode)) {
    identity.regular = 1;
    identity.device = status.st_dev;
    identity.inode = status.st_ino;
  }
  return identity;
}

// Removes the half-written file, but only when the name still names the
// regular file this call opened: a device such as /dev/full stays.
void RemoveAbandonedFile(const std::string& path, FileIdentity opened) {
  struct stat status;
  if (!opened.regular || lstat(path.c_str(), &status) != 0) return;
  if (S_ISREG(status.st_mode) && status.st_dev == opened.device &&
      status.st_ino == opened.inode)
    unlink(path.c_str());
}

}  // namespace

int WriteJpegFile(const std::string& path, const unsigned char* rows, int width,
                  int height, int stride, int quality) {
  if (!DescribesPicture(rows, width, height, stride)) return 0;
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return 0;
  FileIdentity opened = IdentityOfOpenFile(file);
  JpegJob job;
  std::memset(&job, 0, sizeof job);
  job.file = file;
  job.rows = rows;
  job.width = width;
  job.height = height;
  job.stride = stride;
  job.quality = quality;
  int written = CompressRows(&job);
  std::free(job.row);
  jpeg_destroy_compress(&job.info);
  if (std::fclose(file) != 0) written = 0;
  if (!written) RemoveAbandonedFile(path, opened);
  return written;
}
