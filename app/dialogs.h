// app/dialogs.h — message boxes and requesters as the program calls them.
//
// The file requesters split the default file at its last "/": the folder
// they open in, and the name field (kept only when it is a valid name).
// AskFolder answers the folder with one trailing "/", or empty text.
#pragma once

#include <string>

#include "platform/dialogs.h"

void ShowMessage(const std::string& title, const std::string& text, MessageKind kind = MessageKind::Plain);
std::string AskOpenFile(const std::string& title, const std::string& defaultFile,
                        const std::string& patternString, int position);
std::string AskSaveFile(const std::string& title, const std::string& defaultFile,
                        const std::string& patternString, int position);
std::string AskFolder(const std::string& title, const std::string& initialFolder);
// The About button's handler: message 1.
void ShowAbout();

// Splits a default file into folder and name as the requesters do.
void SplitDefaultFile(const std::string& defaultFile, std::string* folder, std::string* name);
