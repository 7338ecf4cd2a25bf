// platform/shell.h — numbered windows, their controls, menu and toolbar, and
// the one event queue of the program.
//
// Windows are numbered by the caller (0, 1, ...); controls are numbered per
// window. Coordinates are client coordinates: below the menu bar, as a
// window's client area is. Every user action on a window ends up as one
// ShellEvent in a single queue, which WaitForShellEvent hands out one at a
// time; nothing is ever run from inside the toolkit's own callbacks.
// Texts are UTF-8.
#pragma once

#include <string>
#include <vector>

#include "platform/pictures.h"

enum class EventKind { Command, Control, Close, Drop, Other };

struct ShellEvent {
  EventKind kind = EventKind::Other;
  int window = -1;  // the window it came from
  int id = -1;      // CommandId for Command, control id for Control
  int drop = -1;    // drop handle for Drop
};

// Starts the toolkit. Call once, before anything else here.
int StartPlatform(int argc, char** argv);

// Ends the process at once with the code. Pictures, windows and libraries go
// with the process; the transcript notes "exit N".
[[noreturn]] void EndProcess(int code);
// Run by EndProcess first (the scenario runner ends the programs it started).
void SetBeforeExit(void (*hook)(int code));

struct WindowLook {
  std::string title;
  int clientWidth = 0;
  int clientHeight = 0;
  bool centred = false;  // otherwise the outer top-left corner is at (x, y)
  int x = 0;
  int y = 0;
  bool acceptsDrops = false;
};

// A fixed-size top-level window with a caption and close box only, the
// program icon, the button-face background. Replaces a window of that number.
int OpenWindow(int window, const WindowLook& look);
void CloseWindow(int window);
void ShowWindowNormally(int window);
void HideWindow(int window);
int WindowExists(int window);
int WindowVisible(int window);
// The program icon of every window opened afterwards.
void SetProgramIcon(PictureHandle icon);

// Controls. Each answers non-zero when it was made.
int AddTextView(int window, int id, int x, int y, int width, int height, const std::string& text);
int AddProgressBar(int window, int id, int x, int y, int width, int height, int minimum, int maximum);
int AddPushButton(int window, int id, int x, int y, int width, int height, const std::string& caption);
// An image control: takes the picture's own size when given one, else an
// empty width x height area; replaces a control of that id.
int AddImageControl(int window, int id, int x, int y, int width, int height, PictureHandle picture);
void RemoveControl(int window, int id);
void SetControlText(int window, int id, const std::string& text);
void SetProgressPosition(int window, int id, int position);

// The menu bar: one menu after another, items in order.
int AddMenu(int window, const std::string& title);
int AddMenuItem(int window, int commandId, const std::string& text);
int AddMenuSeparator(int window);

// The toolbar along the top of the client area: flat, with tooltips that
// show over disabled buttons too.
enum class StandardImage { Open, Properties, Save, Find };
int AddToolbar(int window);
// The desktop's standard image; where the icon theme lacks it, a copy of
// the fallback picture.
int AddStandardToolButton(int window, int commandId, StandardImage image, PictureHandle fallback,
                          const std::string& tooltip);
// The toolbar takes its own copy of the picture.
int AddPictureToolButton(int window, int commandId, PictureHandle picture, const std::string& tooltip);
int AddToolSeparator(int window);
void SetToolButtonEnabled(int window, int commandId, bool enabled);

// Events.
ShellEvent WaitForShellEvent();
// Non-zero when an event was waiting; it is taken out of the queue.
int TakeShellEvent(ShellEvent* event);
// Lets the given time pass while windows keep painting; user input waits in
// the queue.
void SleepMilliseconds(int milliseconds);

// Drops: the files of one drop, in their order.
int DroppedFileCount(int drop);
std::string DroppedFileName(int drop, int index);
void FinishDrop(int drop);
