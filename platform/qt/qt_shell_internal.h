// What the Qt backend's files share: the window records and the queue.
#pragma once

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QWidget>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "platform/pictures.h"
#include "platform/shell.h"

struct Picture;

struct WindowRecord {
  QWidget* frame = nullptr;   // the top-level window
  QWidget* client = nullptr;  // the client area below the menu bar
  QMenuBar* menuBar = nullptr;
  QMenu* menu = nullptr;      // the menu items are added to
  QToolBar* toolbar = nullptr;
  std::map<int, QWidget*> controls;
  std::map<int, QAction*> menuItems;
  std::map<int, QAction*> toolButtons;
  std::map<int, Picture*> shownPictures;  // image controls and their pictures
};

WindowRecord* FindWindowRecord(int window);
// The control of that id on the window, or none.
QWidget* ControlOf(int window, int id);
void PostShellEvent(const ShellEvent& event);
int MakeDropHandle(const std::vector<std::string>& files);
QString ToQString(const std::string& text);
std::string FromQString(const QString& text);
// The picture as a pixmap for a control or a toolbar button.
QPixmap PixmapOf(PictureHandle picture);
// Image controls that show the picture become empty.
void ForgetShownPicture(PictureHandle picture);
// Every top-level window that the program opened.
std::vector<QWidget*> ProgramWindows();
std::vector<int> WindowNumbers();
QIcon ProgramWindowIcon();
