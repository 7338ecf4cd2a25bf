// The batch command: every JAR of a folder tree.
#include "app/catalogue.h"
#include "app/dialogs.h"
#include "app/view.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/shell.h"
#include "workflows/conversion.h"
#include "workflows/paths.h"
#include "workflows/workflow_state.h"

namespace {

std::string LowerAscii(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

}  // namespace

int MatchesBatchFilters(const std::string& fileName, const std::string& nameFilter,
                        const std::string& extensionFilter) {
  size_t dot = fileName.rfind('.');
  std::string extension = dot == std::string::npos ? std::string() : LowerAscii(fileName.substr(dot + 1));
  std::string base = LowerAscii(dot == std::string::npos ? fileName : fileName.substr(0, dot));
  return (extensionFilter == "*" || extension == extensionFilter) && (nameFilter == "*" || base == nameFilter);
}

int ConvertOne(const std::string& archivePath) {
  StartCommandLine(ConverterCommandOf(archivePath), 1);
  std::string output = ConverterOutputOf(archivePath);
  std::string destination = ProducedProgramOf(archivePath);
  for (int step = 0; step < 90;) {
    SleepMilliseconds(50);
    step += 10;
    SetProgress(step);
  }
  int copied = CopyFileReplacing(output, destination);
  if (copied) DeleteFileAt(output);
  SetProgress(0);
  return copied;
}

void WalkFolder(const std::string& folder, const std::string& nameFilter, const std::string& extensionFilter,
                int depth) {
  std::string level = folder.empty() || folder.back() != '/' ? folder + "/" : folder;
  FolderWalk walk = OpenFolderWalk(level);
  FolderEntry entry;
  while (NextFolderEntry(walk, &entry)) {
    if (entry.isFolder) {
      WalkFolder(level + entry.name + "/", nameFilter, extensionFilter, depth + 1);
    } else if (!entry.isLink || FileSizeOf(level + entry.name) >= 0) {
      // Files and links to files; links to folders are never walked.
      if (MatchesBatchFilters(entry.name, nameFilter, extensionFilter) && ConvertOne(level + entry.name))
        ++ConversionCount;
    }
  }
  CloseFolderWalk(walk);
}

void ConvertFolder() {
  std::string folder = AskFolder(BatchFolderTitle, CurrentFolder());
  // Only a cancelled requester answers empty text; "/" is a folder like any.
  if (folder.empty()) {
    ShowMessage(DoneTitle, CancelledText);
    return;
  }
  WalkFolder(folder, "*", "jar", 0);
  ShowMessage(DoneTitle, BatchDoneText + std::to_string(ConversionCount) + BatchDoneTail);
  ConversionCount = 0;
}
