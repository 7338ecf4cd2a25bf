// platform/screen.h — other programs' windows: finding one by its class,
// raising it, copying what it shows.
//
// Only where the program runs on an X server; elsewhere nothing is found.
#pragma once

#include <string>

#include "platform/pictures.h"

using ForeignWindow = unsigned long;  // 0 is none

// The first top-level client window, walking the tree from the root, whose
// WM_CLASS instance or class is the given name; only viewable windows that
// are not override-redirect count.
ForeignWindow FindWindowByClass(const std::string& className);
// Above ordinary windows: asks the window manager and raises it.
void MakeWindowTopmost(ForeignWindow window);
// Copies width x height pixels from (x, y) of the window's client area onto
// the surface at (0, 0). Parts outside the window or off the screen stay as
// they were. Non-zero when anything was copied.
int CopyWindowArea(ForeignWindow window, int x, int y, int width, int height, DrawingSurface surface);
