// Finding, raising and copying other programs' windows on the X server.
// Qt's headers go before Xlib's, whose macros (Bool, Status) they would clash with.
#include <QGuiApplication>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/screen.h"

namespace {

Display* ScreenDisplay() {
  static Display* display = nullptr;
  static bool tried = false;
  if (!tried) {
    tried = true;
    // Only a program shown on the X server looks for windows there.
    if (QGuiApplication::platformName() == "xcb") display = XOpenDisplay(nullptr);
  }
  return display;
}

int CopyErrors = 0;
int CountError(Display*, XErrorEvent*) {
  ++CopyErrors;
  return 0;
}

bool HasClass(Display* display, Window window, const std::string& className) {
  XClassHint hint = {nullptr, nullptr};
  if (!XGetClassHint(display, window, &hint)) return false;
  bool match = (hint.res_name && className == hint.res_name) || (hint.res_class && className == hint.res_class);
  if (hint.res_name) XFree(hint.res_name);
  if (hint.res_class) XFree(hint.res_class);
  return match;
}

bool CountsAsTopLevel(Display* display, Window window) {
  XWindowAttributes attributes;
  if (!XGetWindowAttributes(display, window, &attributes)) return false;
  return attributes.map_state == IsViewable && !attributes.override_redirect;
}

// Depth first from the root: a window manager puts clients into frames that
// carry no class of their own.
Window SearchTree(Display* display, Window window, const std::string& className, int depth) {
  Window root = 0, parent = 0, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(display, window, &root, &parent, &children, &count)) return 0;
  std::vector<Window> below(children, children + count);
  if (children) XFree(children);
  for (Window child : below) {
    if (!CountsAsTopLevel(display, child)) continue;
    if (HasClass(display, child, className)) return child;
    if (depth < 4)
      if (Window found = SearchTree(display, child, className, depth + 1)) return found;
  }
  return 0;
}

}  // namespace

ForeignWindow FindWindowByClass(const std::string& className) {
  Display* display = ScreenDisplay();
  if (display == nullptr) return 0;
  XSync(display, False);
  int (*previous)(Display*, XErrorEvent*) = XSetErrorHandler(CountError);
  Window found = SearchTree(display, DefaultRootWindow(display), className, 0);
  XSync(display, False);
  XSetErrorHandler(previous);
  return found;
}

void MakeWindowTopmost(ForeignWindow window) {
  Display* display = ScreenDisplay();
  if (display == nullptr || window == 0) return;
  XEvent event = {};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "_NET_WM_STATE", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = 1;  // add
  event.xclient.data.l[1] = static_cast<long>(XInternAtom(display, "_NET_WM_STATE_ABOVE", False));
  event.xclient.data.l[3] = 1;
  XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask, &event);
  XRaiseWindow(display, window);
  XSync(display, False);
}

int CopyWindowArea(ForeignWindow window, int x, int y, int width, int height, DrawingSurface surface) {
  Display* display = ScreenDisplay();
  if (display == nullptr || window == 0 || surface == nullptr || width <= 0 || height <= 0) return 0;
  XSync(display, False);
  CopyErrors = 0;
  int (*previous)(Display*, XErrorEvent*) = XSetErrorHandler(CountError);
  XWindowAttributes attributes;
  int copied = 0;
  if (XGetWindowAttributes(display, window, &attributes)) {
    // XGetImage wants a rectangle wholly inside the window and on the screen.
    int screenX = 0, screenY = 0;
    Window child = 0;
    XTranslateCoordinates(display, window, attributes.root, 0, 0, &screenX, &screenY, &child);
    int left = std::max({x, 0, -screenX});
    int top = std::max({y, 0, -screenY});
    int right = std::min({x + width, attributes.width, WidthOfScreen(attributes.screen) - screenX});
    int bottom = std::min({y + height, attributes.height, HeightOfScreen(attributes.screen) - screenY});
    if (right > left && bottom > top) {
      XImage* image = XGetImage(display, window, left, top, static_cast<unsigned>(right - left),
                                static_cast<unsigned>(bottom - top), AllPlanes, ZPixmap);
      XSync(display, False);
      if (image != nullptr && CopyErrors == 0) {
        std::vector<uint32_t> pixels(static_cast<size_t>(right - left) * static_cast<size_t>(bottom - top));
        for (int row = 0; row < bottom - top; ++row)
          for (int column = 0; column < right - left; ++column)
            pixels[static_cast<size_t>(row) * (right - left) + column] =
                static_cast<uint32_t>(XGetPixel(image, column, row)) & 0xFFFFFFu;
        PutSurfacePixels(surface, left - x, top - y, right - left, bottom - top, pixels.data());
        copied = 1;
      }
      if (image != nullptr) XDestroyImage(image);
    }
  }
  XSync(display, False);
  XSetErrorHandler(previous);
  return copied;
}
