// Start-up, the event loop, the dispatch table and the shutdown.
#include "app/program.h"

#include "app/catalogue.h"
#include "app/dialogs.h"
#include "app/view.h"
#include "imaging/image_encoders.h"
#include "imaging/image_slots.h"
#include "imaging/screenshot.h"
#include "workflows/conversion.h"
#include "workflows/descriptor.h"
#include "workflows/launching.h"
#include "workflows/open_midlet.h"
#include "workflows/paths.h"
#include "workflows/workflow_state.h"

namespace {

void RunCommandOf(int id) {
  switch (id) {
    case OpenMenuCommand: OpenMidlet(); break;
    case RunChosenMenuCommand: RunChosenProgram(); break;
    case ExitMenuCommand: ShutDown();  // the work folder stays
    case PropertiesCommand: ShowProperties(); break;
    case OpenCommand: OpenMidlet(); break;
    case ConvertCommand: ConvertMidlet(); break;
    case BatchCommand: ConvertFolder(); break;
    case SaveJadCommand: SaveDescriptor(); break;
    case RunCommand: RunProducedProgram(); break;
    case ScreenshotCommand: TakeScreenshot(); break;
    default: break;
  }
}

}  // namespace

void StartUp(int argc, char** argv) {
  ClearWorkflowState();
  ScreenshotPath.clear();
  StartPlatform(argc, argv);
  RegisterJpegEncoder();
  BuildMainWindow();
}

void DispatchEvent(const ShellEvent& event) {
  switch (event.kind) {
    case EventKind::Command: RunCommandOf(event.id); break;
    case EventKind::Drop: DropMidlet(event.drop); break;
    case EventKind::Control:
      if (event.id == AboutButton && event.window == MainWindow) ShowAbout();
      break;
    case EventKind::Close:
      // The preview window's close box only hides it.
      if (event.window == PreviewWindow) {
        HideWindow(PreviewWindow);
        break;
      }
      RemoveWorkFolder();
      ShutDown();
    default: break;
  }
}

void RunEventLoop() {
  for (;;) DispatchEvent(WaitForShellEvent());
}

void ShutDown() {
  ReleaseAllImages();
  EndProcess(0);
}
