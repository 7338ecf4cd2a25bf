// platform/shell_testing.h — what the scenario runner and the tests do to
// and read from the windows, through their real widgets.
#pragma once

#include <string>
#include <vector>

// The user chooses the menu item or toolbar button with that CommandId; a
// disabled button does nothing. Non-zero when such an item exists.
int ClickCommand(int window, int commandId);
// The user clicks a push button.
int ClickControl(int window, int id);
// These files are dropped onto the window, in this order.
void DropFilesOn(int window, const std::vector<std::string>& paths);
// The user clicks the window's close box.
void RequestClose(int window);
// Lets the toolkit deliver everything pending.
void ProcessPendingEvents();

int ToolButtonExists(int window, int commandId);
int ToolButtonEnabled(int window, int commandId);
// Non-zero when the button shows a picture.
int ToolButtonHasImage(int window, int commandId);
std::string ToolButtonTooltip(int window, int commandId);
// Shows the tooltip of a button as the pointer resting on it would; the text
// then shown, or empty text.
std::string HoverToolButton(int window, int commandId);
// The menu's texts in order ("-" for a separator), the menu title first.
std::vector<std::string> MenuTexts(int window);
int MenuItemEnabled(int window, int commandId);
std::string ControlText(int window, int id);
int ProgressPosition(int window, int id);
// Non-zero when the control exists; its client geometry.
int ControlGeometry(int window, int id, int* x, int* y, int* width, int* height);
// The window's client size (below the menu bar) and outer position.
int ClientGeometry(int window, int* x, int* y, int* width, int* height);
int MenuBarHeight(int window);
std::string WindowTitle(int window);
int WindowEnabled(int window);
int WindowResizable(int window);
// The toolbar's geometry in client coordinates.
int ToolbarGeometry(int window, int* x, int* y, int* width, int* height);
// The image shown by an image control, as 0xAARRGGBB pixel at (x, y).
unsigned PixelOfImageControl(int window, int id, int x, int y);
int ImageControlHasPicture(int window, int id);
