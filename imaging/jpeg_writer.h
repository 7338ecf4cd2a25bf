// imaging/jpeg_writer.h — writes 24-bit pixel rows as a baseline JFIF file.
//
// rows: height rows of width pixels, bottom row first, 3 bytes per pixel in
// the order blue, green, red; stride bytes from one row to the next (3 x width
// rounded up to 4 for a device-independent bitmap; pad bytes are ignored).
// quality 0..10 (values outside are limited to it) becomes library quality
// quality x 10. The file is opened with fopen "wb": created, or emptied.
// Answers 1 when the file was written; 0 when the file cannot be opened, the
// arguments describe no picture, or the library fails while writing. A
// library failure does not end the program: its message goes to standard
// error, and a regular file this call created or emptied is removed.
#pragma once

#include <string>

int WriteJpegFile(const std::string& path, const unsigned char* rows, int width,
                  int height, int stride, int quality);
