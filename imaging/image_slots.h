// imaging/image_slots.h — the numbered image slots.
//
// A slot is empty or owns one picture (an icon or a bitmap) with its width,
// height and depth. Putting a picture into an occupied slot releases the
// occupant first; if making the new picture then fails, the slot stays
// empty. Handles given out stay owned by the slot: a toolbar button or an
// image control that wants to keep a picture takes a copy.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/pictures.h"

constexpr int ImageSlotCount = 3;

struct ImageSlot {
  PictureHandle handle = nullptr;
  uint16_t width = 0;
  uint16_t height = 0;
  uint8_t depth = 0;
};

// The slot's record (an empty one for a number without a slot).
ImageSlot ImageSlotOf(int slot);
// An icon from the bytes of an ICO file (its first image only).
PictureHandle ImageFromIconData(int slot, const uint8_t* bytes, size_t size);
PictureHandle ImageHandleOf(int slot);
// "BM" files load as bitmaps, anything else is tried as an icon file.
int LoadImageFile(int slot, const std::string& path);
void ReleaseImage(int slot);
// A black bitmap in the display's format.
PictureHandle NewBlankImage(int slot, int width, int height);
// A drawing surface on the slot's bitmap; beginning one ends the previous.
DrawingSurface BeginImageDrawing(int slot);
void EndImageDrawing();
void ReleaseAllImages();
