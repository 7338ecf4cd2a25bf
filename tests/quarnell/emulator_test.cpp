// tests/quarnell/emulator_test.cpp — a produced program under X11: its window
// is found by its class from this process, and the phone's screen lies where a
// screenshot copies from. Needs DISPLAY (scripts/test runs ctest under Xvfb).
#include "phone_layout.h"
#include "test_support.h"

#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kDeadlineMs = 20000;

bool HasClass(Display* display, Window window, const char* windowClass) {
  XClassHint hint{};
  if (!XGetClassHint(display, window, &hint)) return false;
  bool same = hint.res_name && hint.res_class && std::strcmp(hint.res_name, windowClass) == 0 &&
              std::strcmp(hint.res_class, windowClass) == 0;
  XFree(hint.res_name);
  XFree(hint.res_class);
  return same;
}

long PidOf(Display* display, Window window) {
  Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  long pid = -1;
  if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                         &data) == Success && data && count == 1 && format == 32)
    pid = *reinterpret_cast<long*>(data);
  if (data) XFree(data);
  return pid;
}

// Walks the whole tree from the root: viewable, not override-redirect, of the
// emulator's class, belonging to the program (other tests may run emulators).
Window FindEmulatorWindow(Display* display, Window parent, pid_t program) {
  Window root, parentOut, *children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(display, parent, &root, &parentOut, &children, &count)) return 0;
  Window found = 0;
  for (unsigned int i = 0; i < count && !found; ++i) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display, children[i], &attributes) && attributes.map_state == IsViewable &&
        !attributes.override_redirect && HasClass(display, children[i], kEmulatorWindowClass) &&
        PidOf(display, children[i]) == program)
      found = children[i];
    else
      found = FindEmulatorWindow(display, children[i], program);
  }
  if (children) XFree(children);
  return found;
}

Window WaitForEmulatorWindow(Display* display, pid_t program) {
  auto deadline = Clock::now() + std::chrono::milliseconds(kDeadlineMs);
  while (Clock::now() < deadline) {
    Window window = FindEmulatorWindow(display, DefaultRootWindow(display), program);
    if (window) return window;
    int exitCode;
    if (WaitForProgram(program, 0, &exitCode)) return 0;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return 0;
}

std::string TitleOf(Display* display, Window window) {
  Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  Atom nameAtom = XInternAtom(display, "_NET_WM_NAME", False);
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  std::string title;
  if (XGetWindowProperty(display, window, nameAtom, 0, 1024, False, utf8, &type, &format, &count, &after, &data) ==
          Success && data)
    title.assign(reinterpret_cast<char*>(data), count);
  if (data) XFree(data);
  return title;
}

// A copy of part of the window as 0xRRGGBB values, row by row.
struct Capture {
  int left = 0, top = 0, width = 0, height = 0;
  std::vector<uint32_t> pixels;
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>((y - top) * width + (x - left))]; }
};

int ShiftOf(unsigned long mask) {
  int shift = 0;
  while (mask && !(mask & 1)) {
    mask >>= 1;
    ++shift;
  }
  return shift;
}

Capture CaptureWindow(Display* display, Window window, int left, int top, int width, int height) {
  Capture capture{left, top, width, height, {}};
  XImage* image = XGetImage(display, window, left, top, static_cast<unsigned>(width), static_cast<unsigned>(height),
                            AllPlanes, ZPixmap);
  if (!image) return capture;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      unsigned long pixel = XGetPixel(image, x, y);
      uint32_t r = static_cast<uint32_t>((pixel & image->red_mask) >> ShiftOf(image->red_mask));
      uint32_t g = static_cast<uint32_t>((pixel & image->green_mask) >> ShiftOf(image->green_mask));
      uint32_t b = static_cast<uint32_t>((pixel & image->blue_mask) >> ShiftOf(image->blue_mask));
      capture.pixels.push_back((r << 16) | (g << 8) | b);
    }
  XDestroyImage(image);
  return capture;
}

// The screen and the ring of bezel pixels around it.
Capture CaptureScreenWithBezel(Display* display, Window window) {
  return CaptureWindow(display, window, kScreenLeft - 1, kScreenTop - 1, kScreenWidth + 2, kScreenHeight + 2);
}

// Pixels of the plain band along the screen's edges that are not the screen
// colour, plus bezel pixels right outside the screen that are not the bezel's.
int MisplacedPixels(const Capture& capture) {
  int wrong = 0;
  int right = kScreenLeft + kScreenWidth, bottom = kScreenTop + kScreenHeight;
  for (int y = kScreenTop - 1; y <= bottom; ++y)
    for (int x = kScreenLeft - 1; x <= right; ++x) {
      bool bezel = x == kScreenLeft - 1 || y == kScreenTop - 1 || x == right || y == bottom;
      bool band = x < kScreenLeft + kScreenMargin || y < kScreenTop + kScreenMargin ||
                  x >= right - kScreenMargin || y >= bottom - kScreenMargin;
      if (bezel)
        wrong += capture.At(x, y) != kBezelColour;
      else if (band)
        wrong += capture.At(x, y) != kScreenColour;
    }
  return wrong;
}

// Emulators of parallel tests all open at the same place; each test moves
// its own window to a spot of its own, so that others rarely cover it.
void MoveApart(Display* display, Window window, pid_t program) {
  int slot = static_cast<int>(program % 8);
  XMoveWindow(display, window, 260 + (slot % 4) * 250, 20 + (slot / 4) * 500);
  XSync(display, False);
}

// The window is raised (other windows may still cover it, and a covered part
// keeps their pixels until the emulator repaints) and copied until drawn()
// accepts the copy, or the deadline passes.
Capture WaitForDrawnScreen(Display* display, Window window, const std::function<bool(const Capture&)>& drawn) {
  auto deadline = Clock::now() + std::chrono::milliseconds(kDeadlineMs);
  Capture capture;
  do {
    XRaiseWindow(display, window);
    XSync(display, False);
    capture = CaptureScreenWithBezel(display, window);
    if (!capture.pixels.empty() && MisplacedPixels(capture) == 0 && drawn(capture)) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
  } while (Clock::now() < deadline);
  return capture;
}

int CountPixels(const Capture& capture, uint32_t colour, int left, int top, int right, int bottom) {
  int count = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) count += capture.At(x, y) == colour;
  return count;
}

// Text is antialiased: count pixels much darker than the screen colour.
int DarkPixels(const Capture& capture, int left, int top, int right, int bottom) {
  int count = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) count += ((capture.At(x, y) >> 8) & 0xff) < 0x70;
  return count;
}

constexpr int kIconLeft = kScreenLeft + kScreenMargin + 2;
constexpr int kIconTop = kScreenTop + kScreenMargin + 2;

// The rule under the icon that a screen of MIDlet details has, and a screen
// telling of a damaged archive has not.
bool HasDetailsRule(const Capture& capture) {
  int y = kIconTop + kIconBox + 4;
  int left = kScreenLeft + kScreenMargin, right = kScreenLeft + kScreenWidth - kScreenMargin;
  return CountPixels(capture, kTextColour, left, y, right, y + 1) == right - left;
}

class EmulatorTest : public testing::Test {
 protected:
  void SetUp() override {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
    display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    folder = MakeScratchFolder();
    ASSERT_FALSE(folder.empty());
  }
  void TearDown() override {
    StopProgram(program);
    if (display) XCloseDisplay(display);
    RemoveScratchFolder(folder);
  }

  std::string Produce(const std::string& jarName, const std::vector<std::string>& jarOptions) {
    std::string jarPath = folder + "/" + jarName;
    MakeTestJar(jarPath, jarOptions);
    ProgramRun run = RunProgram({QUARNELL_CONVERTER, "-jar", jarPath});
    EXPECT_EQ(run.exitCode, 0) << run.errorText;
    return jarPath.substr(0, jarPath.size() - 3) + "exe";
  }

  Window Start(const std::string& programPath) {
    program = StartProgram({programPath});
    Window window = WaitForEmulatorWindow(display, program);
    if (window) MoveApart(display, window, program);
    return window;
  }

  Display* display = nullptr;
  std::string folder;
  pid_t program = -1;
};

TEST_F(EmulatorTest, ShowsThePhoneWithTheMidletOnItsScreen) {
  Window window = Start(Produce("Snake Deluxe.jar", {"--name", "Snake Deluxe", "--icon-size", "24",
                                                     "--icon-colour", "0000FF", "--midlets", "3"}));
  ASSERT_NE(window, 0u) << "no viewable window of class " << kEmulatorWindowClass;
  XWindowAttributes attributes;
  ASSERT_TRUE(XGetWindowAttributes(display, window, &attributes));
  EXPECT_GE(attributes.width, 215);
  EXPECT_GE(attributes.height, 345);
  EXPECT_EQ(TitleOf(display, window), "Snake Deluxe");

  Capture screen = WaitForDrawnScreen(display, window, [](const Capture& copy) {
    return CountPixels(copy, 0x0000FF, kIconLeft, kIconTop, kIconLeft + 24, kIconTop + 24) == 24 * 24;
  });
  ASSERT_FALSE(screen.pixels.empty());
  EXPECT_EQ(MisplacedPixels(screen), 0);
  int iconLeft = kIconLeft, iconTop = kIconTop;
  EXPECT_EQ(CountPixels(screen, 0x0000FF, iconLeft, iconTop, iconLeft + 24, iconTop + 24), 24 * 24);
  EXPECT_EQ(CountPixels(screen, 0x0000FF, kScreenLeft, kScreenTop, kScreenLeft + kScreenWidth,
                        kScreenTop + kScreenHeight), 24 * 24);
  EXPECT_TRUE(HasDetailsRule(screen));
  // The name beside the icon, the list below it, the notice at the bottom.
  EXPECT_GT(DarkPixels(screen, iconLeft + kIconBox, iconTop, kScreenLeft + kScreenWidth, iconTop + 16), 30);
  EXPECT_GT(DarkPixels(screen, kScreenLeft, iconTop + kIconBox + 8, kScreenLeft + kScreenWidth, kScreenTop + 150),
            60);
  EXPECT_GT(DarkPixels(screen, kScreenLeft, kScreenTop + 170, kScreenLeft + kScreenWidth,
                       kScreenTop + kScreenHeight), 60);
}

TEST_F(EmulatorTest, TakesTheIconFromMidletIconAndScalesALargeOneDown) {
  Window window = Start(Produce("g.jar", {"--name", "Green", "--icon-size", "100", "--icon-colour", "00C000",
                                          "--midlet-icon", "--manifest-name", "meta-inf/manifest.mf"}));
  ASSERT_NE(window, 0u);
  auto greenIcon = [](const Capture& copy) {
    return CountPixels(copy, 0x00C000, kIconLeft, kIconTop, kIconLeft + kIconBox, kIconTop + kIconBox);
  };
  Capture screen = WaitForDrawnScreen(display, window,
                                      [&](const Capture& copy) { return greenIcon(copy) == kIconBox * kIconBox; });
  ASSERT_FALSE(screen.pixels.empty());
  EXPECT_EQ(MisplacedPixels(screen), 0);
  EXPECT_EQ(greenIcon(screen), kIconBox * kIconBox);
  EXPECT_EQ(TitleOf(display, window), "Green");
}

TEST_F(EmulatorTest, ADamagedOrMissingArchiveIsShownInTheWindow) {
  std::string damaged = Produce("d.jar", {"--padding-bytes", "5000"});
  std::string bytes = ReadBytes(damaged);
  size_t jarSize = ReadBytes(folder + "/d.jar").size();
  // Spoil the JAR's last part, where its directory lies; the trailer stays.
  for (size_t i = bytes.size() - 16 - 200; i < bytes.size() - 16; ++i) bytes[i] = static_cast<char>(~bytes[i]);
  ASSERT_GT(jarSize, 200u);
  WriteBytes(damaged, bytes);
  const std::string programs[] = {damaged, QUARNELL_EMULATOR};
  for (const std::string& path : programs) {
    SCOPED_TRACE(path);
    Window window = Start(path);
    ASSERT_NE(window, 0u);
    EXPECT_EQ(TitleOf(display, window), "Damaged MIDlet archive");
    auto problemShown = [](const Capture& copy) {
      return !HasDetailsRule(copy) &&
             DarkPixels(copy, kScreenLeft, kScreenTop, kScreenLeft + kScreenWidth, kScreenTop + kScreenHeight) > 100;
    };
    Capture screen = WaitForDrawnScreen(display, window, problemShown);
    EXPECT_EQ(MisplacedPixels(screen), 0);
    EXPECT_TRUE(problemShown(screen));
    int exitCode;
    EXPECT_FALSE(WaitForProgram(program, 0, &exitCode)) << "the emulator ended by itself";
    StopProgram(program);
    program = -1;
  }
}

TEST_F(EmulatorTest, ClosesWithItsCloseBox) {
  Window window = Start(Produce("c.jar", {}));
  ASSERT_NE(window, 0u);
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XFlush(display);
  int exitCode = -1;
  ASSERT_TRUE(WaitForProgram(program, kDeadlineMs, &exitCode));
  program = -1;
  EXPECT_EQ(exitCode, 0);
}

TEST(EmulatorWithoutDisplayTest, SaysSoAndExitsNonZero) {
  std::string folder = MakeScratchFolder();
  MakeTestJar(folder + "/n.jar");
  ProgramRun conversion = RunProgram({QUARNELL_CONVERTER, "-jar", folder + "/n.jar"});
  ASSERT_EQ(conversion.exitCode, 0) << conversion.errorText;
  ProgramOptions options;
  options.withoutDisplay = true;
  ProgramRun run = RunProgram({folder + "/n.exe"}, options);
  RemoveScratchFolder(folder);
  EXPECT_NE(run.exitCode, 0);
  EXPECT_NE(run.errorText.find("cannot open the X display"), std::string::npos) << run.errorText;
  EXPECT_EQ(std::count(run.errorText.begin(), run.errorText.end(), '\n'), 1) << run.errorText;
}

}  // namespace
