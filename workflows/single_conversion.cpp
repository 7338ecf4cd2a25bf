// The save-as-EXE command.
#include "app/catalogue.h"
#include "app/dialogs.h"
#include "app/view.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/shell.h"
#include "workflows/conversion.h"
#include "workflows/paths.h"
#include "workflows/workflow_state.h"

void ConvertMidlet() {
  ConverterCommand = ConverterCommandOf(MidletPath);
  StartCommandLine(ConverterCommand, 1);
  // The converter works on the archive itself; the unpacked files can go.
  RemoveWorkFolder();
  std::string output = ConverterOutputOf(MidletPath);
  ProducedProgram = ProducedProgramOf(MidletPath);
  for (int step = 0; step < 90;) {
    SleepMilliseconds(100);
    step += 10;
    SetProgress(step);
  }
  if (CopyFileReplacing(output, ProducedProgram)) {
    ShowMessage(MainWindowTitle, ConvertedText + LongNameOf(ShortPathOf(MidletPath)) + ConvertedTail);
    DeleteFileAt(output);
  }
  SetButtonEnabled(PropertiesCommand, false);
  SetButtonEnabled(ConvertCommand, false);
  ResetView(SaveJadCommand, false, RunCommand, true);
}
