// workflows/workflow_state.h — the values that pass between commands.
//
// They live for the whole run and start as empty text or zero.
#pragma once

#include <cstdint>
#include <string>

extern std::string MidletPath;        // the open (or dropped) archive
extern std::string ConverterCommand;  // the last converter line started
extern std::string DescriptorText;    // the descriptor as shown and saved
extern std::string ProducedProgram;   // the last single conversion's program
extern int32_t ConversionCount;       // programs a batch has produced
extern std::string ArchivePath;       // what the next extraction unpacks
extern std::string ExtractionFolder;  // and where to

void ClearWorkflowState();

// The view back to no descriptor: the two buttons set, the view and
// DescriptorText emptied, the progress bar at 0.
void ResetView(int a, bool enabledA, int b, bool enabledB);
// The next extraction: MidletPath into the work folder.
void SelectArchive();
