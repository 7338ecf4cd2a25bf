// The run command and the run-chosen menu item.
#include "workflows/launching.h"

#include "app/catalogue.h"
#include "app/dialogs.h"
#include "app/view.h"
#include "platform/process.h"
#include "workflows/workflow_state.h"

void RunProducedProgram() {
  if (RunProgram(ProducedProgram)) SetButtonEnabled(ScreenshotCommand, true);
}

void RunChosenProgram() {
  std::string chosen = AskOpenFile(RunChosenTitle, "", RunChosenPattern, 0);
  if (chosen.size() <= 4) return;
  // The path is one program, quoted, so that its spaces never split it.
  StartCommandLine("\"" + chosen + "\"", 0);
  SetButtonEnabled(ScreenshotCommand, true);
}
