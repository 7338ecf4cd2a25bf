// The workflow values and the two operations every opening shares.
#include "workflows/workflow_state.h"

#include "app/view.h"
#include "workflows/paths.h"

std::string MidletPath;
std::string ConverterCommand;
std::string DescriptorText;
std::string ProducedProgram;
int32_t ConversionCount = 0;
std::string ArchivePath;
std::string ExtractionFolder;

void ClearWorkflowState() {
  MidletPath.clear();
  ConverterCommand.clear();
  DescriptorText.clear();
  ProducedProgram.clear();
  ConversionCount = 0;
  ArchivePath.clear();
  ExtractionFolder.clear();
}

void ResetView(int a, bool enabledA, int b, bool enabledB) {
  SetButtonEnabled(a, enabledA);
  SetButtonEnabled(b, enabledB);
  SetViewText("");
  DescriptorText.clear();
  SetProgress(0);
}

void SelectArchive() {
  ArchivePath = MidletPath;
  ExtractionFolder = WorkFolder();
}
