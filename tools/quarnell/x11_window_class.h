// tools/quarnell/x11_window_class.h — the emulator's own X11 connection.
//
// Kept apart from the Qt code because the X11 headers' macros clash with Qt.
// OpenXDisplay answers nullptr when no X server can be reached (DISPLAY unset
// or wrong). SetX11WindowClass sets WM_CLASS (instance and class both
// windowClass) on one window and waits until the server has it; it answers
// false when the server refused.
#pragma once

void* OpenXDisplay();
bool SetX11WindowClass(void* display, unsigned long window, const char* windowClass);
void CloseXDisplay(void* display);
