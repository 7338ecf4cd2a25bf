// platform/dialogs.h — message boxes and requesters.
//
// A framed box or requester is owned by the program's active window and
// disables the program's other visible, enabled top-level windows while it is
// open, enabling exactly those again afterwards. An unframed message box has
// no owner and disables nothing: the program's windows keep taking input,
// which waits in the event queue until the current handler returns.
//
// Under the scenario runner's transcript nothing is shown: each box is
// printed, and each requester prints and returns the next queued answer.
#pragma once

#include <string>

enum class MessageKind { Plain, Warning };

void ShowMessageBox(const std::string& title, const std::string& text, MessageKind kind, bool framed);

struct FileRequest {
  std::string title;
  std::string folder;       // where it opens; empty: the default folder
  std::string name;         // the name field
  std::string defaultFile;  // as the caller gave it, for the transcript
  std::string patternString;  // "description|pattern", further pairs after "|"
  int position = 0;           // the pair shown first
  bool saving = false;
};
// The path as chosen or typed; empty text on Cancel. The current directory
// is never changed.
std::string AskFileName(const FileRequest& request);

// The chosen folder, without a trailing separator; empty text on Cancel.
std::string AskFolderName(const std::string& title, const std::string& initialFolder);

// Answers for requesters while the transcript is active, taken in order.
void QueueRequesterAnswer(const std::string& answer);
