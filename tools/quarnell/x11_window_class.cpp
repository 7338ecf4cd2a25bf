// tools/quarnell/x11_window_class.cpp — WM_CLASS through Xlib.
#include "x11_window_class.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

bool classHintFailed = false;

int NoteClassHintError(Display*, XErrorEvent*) {
  classHintFailed = true;
  return 0;
}

}  // namespace

void* OpenXDisplay() { return XOpenDisplay(nullptr); }

bool SetX11WindowClass(void* display, unsigned long window, const char* windowClass) {
  auto* connection = static_cast<Display*>(display);
  XClassHint hint;
  hint.res_name = const_cast<char*>(windowClass);
  hint.res_class = const_cast<char*>(windowClass);
  classHintFailed = false;
  XErrorHandler previous = XSetErrorHandler(NoteClassHintError);
  XSetClassHint(connection, window, &hint);
  // The server has the hint before Qt maps the window on its own connection.
  XSync(connection, False);
  XSetErrorHandler(previous);
  return !classHintFailed;
}

void CloseXDisplay(void* display) {
  if (display) XCloseDisplay(static_cast<Display*>(display));
}
