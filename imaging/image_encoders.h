// imaging/image_encoders.h — the table of picture encoders, by four-letter code.
//
// An encoder has the shape of WriteJpegFile (path, bottom-up blue-green-red
// rows, width, height, stride, quality 0..10) and answers 1 when the file was
// written. RegisterJpegEncoder enters WriteJpegFile under "JPEG" (once; a
// second call changes nothing) and answers 1. FindImageEncoder answers the
// encoder entered under code, or none (nullptr) for an unknown or null code.
#pragma once

#include <string>

using ImageEncoder = int (*)(const std::string&, const unsigned char*, int, int, int, int);

int RegisterJpegEncoder();
ImageEncoder FindImageEncoder(const char* code);
