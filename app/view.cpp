// The main window's controls as the workflows change them.
#include "app/view.h"

#include "app/catalogue.h"
#include "platform/shell.h"
#include "platform/transcript.h"

namespace {
int ShownProgress = 0;
}

void SetButtonEnabled(int commandId, bool enabled) { SetToolButtonEnabled(MainWindow, commandId, enabled); }

// The view breaks lines where the text has CR LF.
void SetViewText(const std::string& text) {
  std::string shown;
  for (size_t at = 0; at < text.size(); ++at) {
    if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') continue;
    shown += text[at];
  }
  SetControlText(MainWindow, DescriptorView, shown);
}

void SetProgress(int value) {
  if (value != ShownProgress) NoteEffect("progress " + std::to_string(value));
  ShownProgress = value;
  SetProgressPosition(MainWindow, ProgressBar, value);
}

void ShowIconView(PictureHandle picture) {
  RemoveControl(MainWindow, IconView);
  AddImageControl(MainWindow, IconView, 10, 30, 32, 32, picture);
}
