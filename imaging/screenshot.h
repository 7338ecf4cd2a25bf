// imaging/screenshot.h — the emulator's phone screen into a JPEG file.
//
// TakeScreenshot finds the emulator's frame window by its class, raises it
// above ordinary windows, copies 185 x 215 pixels from (30,130) of its client
// area into image slot 1, shows them in the preview window, asks for a file
// name and saves the copy there as JPEG (".jpg" appended where the name does
// not end in it). Cancelling the requester saves nothing. The file's name is
// kept in ScreenshotPath, apart from the MIDlet's path.
#pragma once

#include <string>

#include "platform/pictures.h"
#include "platform/screen.h"

extern std::string ScreenshotPath;

PictureHandle CaptureWindowRegion(int slot, ForeignWindow window, int width, int height);
// The name the capture is saved under: ".jpg" appended unless the last four
// characters, lower-cased, are ".jpg".
std::string JpegFileNameOf(const std::string& answer);
void TakeScreenshot();
// Saves the slot's picture as JPEG; 1 when written.
int SaveImageAsJpeg(int slot, const std::string& path);
