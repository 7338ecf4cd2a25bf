// imaging/builtin_icons.h — the pictures built into the program.
//
// Each function answers the complete bytes of one Windows icon file, held
// in the program's own data (generated at build time from resources/*.ico,
// which resources/make_icons.py draws). The bytes live as long as the
// program; callers copy what they keep.
//
//   JadDiskIcon  766 bytes: one 32x32 image, 16 colours (image slot 0)
//   RunIcon     2238 bytes: one 32x32 image, 256 colours (image slot 1)
//   CameraIcon  5046 bytes: 32x32 in 16 colours, then 32x32 in 32-bit colour
//                           (image slot 2 uses the first)
//   ProgramIcon  766 bytes: one 32x32 image, 16 colours (the window icon)
//   Tool*       1150 bytes: one 16x16 image, 32-bit colour with alpha, for
//               the toolbar's open, properties, save and find buttons when
//               the desktop's icon theme lacks them
#pragma once

#include <cstddef>

struct EmbeddedFile {
  const unsigned char* bytes;
  size_t size;
};

EmbeddedFile JadDiskIconData();
EmbeddedFile RunIconData();
EmbeddedFile CameraIconData();
EmbeddedFile ProgramIconData();
EmbeddedFile ToolOpenData();
EmbeddedFile ToolPropertiesData();
EmbeddedFile ToolSaveData();
EmbeddedFile ToolFindData();
