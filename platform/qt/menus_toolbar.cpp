// The menu bar and the toolbar of a window. Menu items and toolbar buttons
// both post Command events; only the CommandId tells them apart.
#include <QIcon>
#include <QToolButton>

#include "platform/qt/qt_shell_internal.h"

namespace {

void PostCommand(int window, int commandId) {
  ShellEvent event;
  event.kind = EventKind::Command;
  event.window = window;
  event.id = commandId;
  PostShellEvent(event);
}

QAction* MakeCommandAction(QObject* owner, int window, int commandId, const QString& text) {
  auto* action = new QAction(text, owner);
  action->setObjectName(QString("command-%1").arg(commandId));
  QObject::connect(action, &QAction::triggered, [window, commandId]() { PostCommand(window, commandId); });
  return action;
}

QIcon StandardIcon(StandardImage image, PictureHandle fallback) {
  static const char* const ThemeNames[] = {"document-open", "document-properties", "document-save", "edit-find"};
  QIcon themed = QIcon::fromTheme(ThemeNames[static_cast<int>(image)]);
  if (!themed.isNull() && !themed.availableSizes().isEmpty()) return themed;
  return QIcon(PixmapOf(fallback).copy());
}

int AddToolButton(int window, int commandId, const QIcon& icon, const std::string& tooltip) {
  WindowRecord* record = FindWindowRecord(window);
  if (record == nullptr || record->toolbar == nullptr) return 0;
  QAction* action = MakeCommandAction(record->toolbar, window, commandId, ToQString(tooltip));
  action->setIcon(icon);
  action->setToolTip(ToQString(tooltip));
  record->toolbar->addAction(action);
  record->toolButtons[commandId] = action;
  return 1;
}

}  // namespace

int AddMenu(int window, const std::string& title) {
  WindowRecord* record = FindWindowRecord(window);
  if (record == nullptr) return 0;
  if (record->menuBar == nullptr) {
    record->menuBar = new QMenuBar(record->frame);
    record->menuBar->setNativeMenuBar(false);
  }
  record->menu = record->menuBar->addMenu(ToQString(title));
  // The menu bar takes its height out of the client area.
  int menuHeight = record->menuBar->sizeHint().height();
  QSize outer = record->frame->size();
  record->menuBar->setGeometry(0, 0, outer.width(), menuHeight);
  record->client->setGeometry(0, menuHeight, outer.width(), outer.height() - menuHeight);
  record->menuBar->show();
  return 1;
}

int AddMenuItem(int window, int commandId, const std::string& text) {
  WindowRecord* record = FindWindowRecord(window);
  if (record == nullptr || record->menu == nullptr) return 0;
  QAction* action = MakeCommandAction(record->menu, window, commandId, ToQString(text));
  record->menu->addAction(action);
  record->menuItems[commandId] = action;
  return 1;
}

int AddMenuSeparator(int window) {
  WindowRecord* record = FindWindowRecord(window);
  if (record == nullptr || record->menu == nullptr) return 0;
  record->menu->addSeparator();
  return 1;
}

int AddToolbar(int window) {
  WindowRecord* record = FindWindowRecord(window);
  if (record == nullptr) return 0;
  auto* toolbar = new QToolBar(record->client);
  toolbar->setMovable(false);
  toolbar->setFloatable(false);
  toolbar->setIconSize(QSize(16, 16));
  toolbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
  toolbar->setGeometry(0, 0, record->client->width(), toolbar->sizeHint().height());
  toolbar->show();
  record->toolbar = toolbar;
  return 1;
}

int AddStandardToolButton(int window, int commandId, StandardImage image, PictureHandle fallback,
                          const std::string& tooltip) {
  return AddToolButton(window, commandId, StandardIcon(image, fallback), tooltip);
}

int AddPictureToolButton(int window, int commandId, PictureHandle picture, const std::string& tooltip) {
  // QPixmap::copy gives the toolbar a picture of its own.
  return AddToolButton(window, commandId, QIcon(PixmapOf(picture).copy()), tooltip);
}

int AddToolSeparator(int window) {
  WindowRecord* record = FindWindowRecord(window);
  if (record == nullptr || record->toolbar == nullptr) return 0;
  record->toolbar->addSeparator();
  return 1;
}

void SetToolButtonEnabled(int window, int commandId, bool enabled) {
  WindowRecord* record = FindWindowRecord(window);
  if (record == nullptr) return;
  auto found = record->toolButtons.find(commandId);
  if (found != record->toolButtons.end()) found->second->setEnabled(enabled);
}
