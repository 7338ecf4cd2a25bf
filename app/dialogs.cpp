// Message boxes and requesters: the defaults split as the program wants them.
#include "app/dialogs.h"

#include "app/catalogue.h"

namespace {

// Not empty, no control character and none of " * / : < > ? \ |.
bool ValidFileName(const std::string& name) {
  if (name.empty()) return false;
  for (unsigned char c : name)
    if (c < 32 || std::string("\"*/:<>?\\|").find(static_cast<char>(c)) != std::string::npos) return false;
  return true;
}

std::string AskFile(const std::string& title, const std::string& defaultFile, const std::string& patternString,
                    int position, bool saving) {
  FileRequest request;
  request.title = title;
  request.defaultFile = defaultFile;
  request.patternString = patternString;
  request.position = position;
  request.saving = saving;
  SplitDefaultFile(defaultFile, &request.folder, &request.name);
  return AskFileName(request);
}

}  // namespace

void SplitDefaultFile(const std::string& defaultFile, std::string* folder, std::string* name) {
  size_t slash = defaultFile.rfind('/');
  *folder = slash == std::string::npos ? std::string() : defaultFile.substr(0, slash == 0 ? 1 : slash);
  std::string tail = slash == std::string::npos ? defaultFile : defaultFile.substr(slash + 1);
  *name = ValidFileName(tail) ? tail : std::string();
}

void ShowMessage(const std::string& title, const std::string& text, MessageKind kind) {
  ShowMessageBox(title, text, kind, true);
}

std::string AskOpenFile(const std::string& title, const std::string& defaultFile,
                        const std::string& patternString, int position) {
  return AskFile(title, defaultFile, patternString, position, false);
}

std::string AskSaveFile(const std::string& title, const std::string& defaultFile,
                        const std::string& patternString, int position) {
  return AskFile(title, defaultFile, patternString, position, true);
}

std::string AskFolder(const std::string& title, const std::string& initialFolder) {
  std::string initial = initialFolder;
  if (initial.size() > 1 && initial.back() == '/') initial.pop_back();
  std::string chosen = AskFolderName(title, initial);
  if (chosen.empty()) return chosen;
  return chosen.back() == '/' ? chosen : chosen + "/";
}

void ShowAbout() { ShowMessage(InformationTitle, AboutText); }
