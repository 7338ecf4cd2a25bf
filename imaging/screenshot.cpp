// The screenshot command and its preview window.
#include "imaging/screenshot.h"


#include <cstdlib>

#include "app/catalogue.h"
#include "app/dialogs.h"
#include "imaging/image_slots.h"
#include "platform/shell.h"

std::string ScreenshotPath;

namespace {

constexpr const char* EmulatorClass = "QTR_VOSK_FRAME_CLASS";

void OpenPreviewWindow() {
  WindowLook look;
  look.title = PreviewWindowTitle;
  look.clientWidth = 200;
  look.clientHeight = 250;
  look.x = 10;
  look.y = 10;
  OpenWindow(PreviewWindow, look);
}

std::string DefaultScreenshotFile() {
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr && *home ? home : "/tmp") + "/" + ScreenshotDefaultName;
}

}  // namespace

PictureHandle CaptureWindowRegion(int slot, ForeignWindow window, int width, int height) {
  PictureHandle picture = NewBlankImage(slot, width, height);
  DrawingSurface surface = BeginImageDrawing(slot);
  CopyWindowArea(window, 30, 130, width, height, surface);
  EndImageDrawing();
  return picture;
}

std::string JpegFileNameOf(const std::string& answer) {
  std::string tail = answer.size() < 4 ? answer : answer.substr(answer.size() - 4);
  for (char& c : tail)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return tail == ".jpg" ? answer : answer + ".jpg";
}

void TakeScreenshot() {
  OpenPreviewWindow();
  ForeignWindow frame = FindWindowByClass(EmulatorClass);
  if (frame == 0) {
    ShowMessage(NoEmulatorTitle, NoEmulatorText, MessageKind::Warning);
  } else {
    MakeWindowTopmost(frame);
    PictureHandle capture = CaptureWindowRegion(1, frame, 185, 215);
    AddImageControl(PreviewWindow, CaptureView, 5, 10, 250, 400, capture);
    ShowWindowNormally(PreviewWindow);
    std::string answer = AskSaveFile(ScreenshotTitle, DefaultScreenshotFile(), ScreenshotPattern, 0);
    // A cancelled requester saves nothing.
    if (!answer.empty()) {
      ScreenshotPath = JpegFileNameOf(answer);
      SaveImageAsJpeg(1, ScreenshotPath);
    }
  }
  HideWindow(PreviewWindow);
}
