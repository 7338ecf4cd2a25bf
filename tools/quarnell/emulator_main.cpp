// tools/quarnell/emulator_main.cpp — the program a conversion produces.
//
// Reads the JAR at the end of its own executable (embedded_jar.h) and shows a
// phone window whose screen lists the MIDlet's details; the MIDlet's code is
// not run. The window's WM_CLASS is "QTR_VOSK_FRAME_CLASS", set on the window
// itself. Without an X display: a message on standard error and exit code 3.
// Qt is told to use X11 at a scale of 1, because the screen's place in the
// window is fixed in pixels.
#include "embedded_jar.h"
#include "manifest.h"
#include "phone_layout.h"
#include "phone_window.h"
#include "x11_window_class.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

namespace {

MidletInfo ReadOwnMidlet() {
  std::string jar;
  EmbeddedJarState state = ReadEmbeddedJar("/proc/self/exe", &jar);
  MidletInfo info;
  if (state == EmbeddedJarState::Found) return ReadMidletInfo(jar);
  info.problem = state == EmbeddedJarState::Missing ? "This program carries no MIDlet archive."
                                                     : "This program cannot read its own file.";
  return info;
}

}  // namespace

int main(int argc, char** argv) {
  MidletInfo info = ReadOwnMidlet();
  void* display = OpenXDisplay();
  if (!display) {
    const char* name = std::getenv("DISPLAY");
    std::fprintf(stderr, "quarnell emulator: cannot open the X display %s%s%s; it needs a running X server\n",
                 name ? "\"" : "(DISPLAY is not set)", name ? name : "", name ? "\"" : "");
    return 3;
  }
  qputenv("QT_QPA_PLATFORM", "xcb");
  qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
  qunsetenv("QT_SCALE_FACTOR");
  QApplication application(argc, argv);
  PhoneWindow window(info);
  // Qt gives every window of the program one WM_CLASS; the frame carries its own.
  if (!SetX11WindowClass(display, static_cast<unsigned long>(window.winId()), kEmulatorWindowClass))
    std::fprintf(stderr, "quarnell emulator: the X server refused the window class\n");
  window.show();
  int result = application.exec();
  CloseXDisplay(display);
  return result;
}
