// The open command and the drop handler.
#include "workflows/open_midlet.h"

#include "app/catalogue.h"
#include "app/dialogs.h"
#include "app/view.h"
#include "archive/archive_extractor.h"
#include "imaging/image_slots.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "workflows/paths.h"
#include "workflows/workflow_state.h"

namespace {

int UnpackSelectedArchive() {
  SelectArchive();
  return ArchiveExtractor(ArchivePath, "*.*", ExtractionFolder, 0);
}

}  // namespace

void OpenMidlet() {
  SetButtonEnabled(PropertiesCommand, false);
  SetButtonEnabled(ConvertCommand, false);
  ResetView(SaveJadCommand, false, RunCommand, false);
  RemoveWorkFolder();
  MidletPath = AskOpenFile(OpenMidletTitle, "", OpenMidletPattern, 0);
  if (FileSizeOf(MidletPath) > 10) {
    // An archive that cannot be unpacked is accepted all the same.
    UnpackSelectedArchive();
    ResetView(PropertiesCommand, true, ConvertCommand, true);
  } else {
    ShowMessage(NoFileTitle, NoFileText);
  }
}

void ClearIconView() {
  ReleaseImage(0);
  ShowIconView(ImageHandleOf(0));
}

void DropMidlet(int drop) {
  SetButtonEnabled(PropertiesCommand, false);
  ResetView(ConvertCommand, false, SaveJadCommand, false);
  RemoveWorkFolder();
  ClearIconView();
  MidletPath = DroppedFileName(drop, 0);
  if (UnpackSelectedArchive() > 0) {
    ResetView(PropertiesCommand, true, ConvertCommand, true);
    ShowMessageBox(InformationTitle, DroppedText + MidletPath, MessageKind::Plain, false);
  } else {
    ShowMessage(AttentionTitle, NotUnpackedText, MessageKind::Warning);
    MidletPath.clear();
  }
  FinishDrop(drop);
}
