// The Qt dialogs behind the message boxes and requesters, made but not
// shown, so that their settings can be checked.
#pragma once

#include <QFileDialog>
#include <QMessageBox>

#include "platform/dialogs.h"

QMessageBox* MakeMessageBox(const std::string& title, const std::string& text, MessageKind kind, QWidget* owner);
QFileDialog* MakeFileDialog(const FileRequest& request, QWidget* owner);
QFileDialog* MakeFolderDialog(const std::string& title, const std::string& initialFolder, QWidget* owner);
