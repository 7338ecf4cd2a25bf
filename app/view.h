// app/view.h — what the rest of the program changes in the main window.
//
// None of these answers anything. SetViewText touches only the view, never
// DescriptorText; SetProgress notes every change of the bar's position.
#pragma once

#include <string>

#include "platform/pictures.h"

void SetButtonEnabled(int commandId, bool enabled);
void SetViewText(const std::string& text);
void SetProgress(int value);
// Re-creates the icon view at (10,30): the picture at its own size, or an
// empty 32 x 32 area.
void ShowIconView(PictureHandle picture);
// Builds the main window with its controls, menu and toolbar.
void BuildMainWindow();
