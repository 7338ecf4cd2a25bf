// platform/pictures.h — system pictures: icons and bitmaps.
//
// A PictureHandle owns one picture until DestroyPicture; nullptr is none.
// Image controls that show a picture stop showing it when it is destroyed.
// Bitmaps made blank have the display's depth and start black.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct Picture;
using PictureHandle = Picture*;

// An icon from an ICO file in memory (its first image only).
PictureHandle MakeIconFromFileData(const uint8_t* bytes, size_t size);
// A picture from a Windows bitmap file; one of 8 bits per pixel or fewer is
// converted to the display's format.
PictureHandle LoadBitmapFile(const std::string& path);
// An icon from an ICO file on disk.
PictureHandle LoadIconFile(const std::string& path);
PictureHandle MakeBlankPicture(int width, int height);
void DestroyPicture(PictureHandle picture);

int PictureWidth(PictureHandle picture);
int PictureHeight(PictureHandle picture);
int PictureDepth(PictureHandle picture);
int PictureIsIcon(PictureHandle picture);
// The display's bits per pixel.
int DisplayDepth();

// Copies the picture as bottom-up rows of 3 bytes per pixel (blue, green,
// red), stride bytes apart, into rows (stride * height bytes). Non-zero on
// success.
int ReadPictureRows24(PictureHandle picture, uint8_t* rows, int stride);

// A surface to draw on a bitmap; one at a time.
using DrawingSurface = Picture*;
DrawingSurface BeginPictureDrawing(PictureHandle picture);
void EndPictureDrawing(DrawingSurface surface);
// Sets the pixels of a surface from 0xAARRGGBB values, top row first,
// clipped to the picture (used by screen capture).
void PutSurfacePixels(DrawingSurface surface, int x, int y, int width, int height,
                      const uint32_t* pixels);
