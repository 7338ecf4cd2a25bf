// The runner's and the tests' hands and eyes on the real widgets.
#include <QApplication>
#include <QDropEvent>
#include <QHelpEvent>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QToolTip>
#include <QUrl>

#include "platform/qt/qt_shell_internal.h"
#include "platform/shell_testing.h"

namespace {

QAction* ToolAction(int window, int commandId) {
  WindowRecord* record = FindWindowRecord(window);
  if (record == nullptr) return nullptr;
  auto found = record->toolButtons.find(commandId);
  return found == record->toolButtons.end() ? nullptr : found->second;
}

QAction* MenuAction(int window, int commandId) {
  WindowRecord* record = FindWindowRecord(window);
  if (record == nullptr) return nullptr;
  auto found = record->menuItems.find(commandId);
  return found == record->menuItems.end() ? nullptr : found->second;
}

}  // namespace

void ProcessPendingEvents() {
  for (int round = 0; round < 3; ++round) {
    QApplication::sendPostedEvents();
    QApplication::processEvents(QEventLoop::AllEvents);
  }
}

int ClickCommand(int window, int commandId) {
  if (QAction* item = MenuAction(window, commandId)) {
    item->trigger();
    return 1;
  }
  QAction* action = ToolAction(window, commandId);
  if (action == nullptr) return 0;
  auto* button = qobject_cast<QToolButton*>(FindWindowRecord(window)->toolbar->widgetForAction(action));
  if (button != nullptr) button->click();
  return 1;
}

int ClickControl(int window, int id) {
  auto* button = qobject_cast<QPushButton*>(ControlOf(window, id));
  if (button == nullptr) return 0;
  button->click();
  return 1;
}

void DropFilesOn(int window, const std::vector<std::string>& paths) {
  WindowRecord* record = FindWindowRecord(window);
  if (record == nullptr) return;
  QMimeData data;
  QList<QUrl> urls;
  for (const std::string& path : paths) urls << QUrl::fromLocalFile(ToQString(path));
  data.setUrls(urls);
  QPoint at(record->frame->width() / 2, record->frame->height() / 2);
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(record->frame, &enter);
  if (!enter.isAccepted()) return;
  QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(record->frame, &drop);
}

void RequestClose(int window) {
  if (WindowRecord* record = FindWindowRecord(window)) record->frame->close();
}

int ToolButtonExists(int window, int commandId) { return ToolAction(window, commandId) != nullptr; }

int ToolButtonEnabled(int window, int commandId) {
  QAction* action = ToolAction(window, commandId);
  return action != nullptr && action->isEnabled();
}

int ToolButtonHasImage(int window, int commandId) {
  QAction* action = ToolAction(window, commandId);
  return action != nullptr && !action->icon().isNull() && !action->icon().pixmap(16, 16).isNull();
}

std::string ToolButtonTooltip(int window, int commandId) {
  QAction* action = ToolAction(window, commandId);
  return action ? FromQString(action->toolTip()) : std::string();
}

std::string HoverToolButton(int window, int commandId) {
  QAction* action = ToolAction(window, commandId);
  if (action == nullptr) return std::string();
  QWidget* button = FindWindowRecord(window)->toolbar->widgetForAction(action);
  QPoint inside(button->width() / 2, button->height() / 2);
  QHelpEvent help(QEvent::ToolTip, inside, button->mapToGlobal(inside));
  QApplication::sendEvent(button, &help);
  std::string shown = QToolTip::isVisible() ? FromQString(QToolTip::text()) : std::string();
  QToolTip::hideText();
  return shown;
}

std::vector<std::string> MenuTexts(int window) {
  std::vector<std::string> texts;
  WindowRecord* record = FindWindowRecord(window);
  if (record == nullptr || record->menu == nullptr) return texts;
  texts.push_back(FromQString(record->menu->title()));
  for (QAction* action : record->menu->actions()) texts.push_back(action->isSeparator() ? "-" : FromQString(action->text()));
  return texts;
}

int MenuItemEnabled(int window, int commandId) {
  QAction* action = MenuAction(window, commandId);
  return action != nullptr && action->isEnabled() && !action->isCheckable();
}

std::string ControlText(int window, int id) {
  QWidget* control = ControlOf(window, id);
  if (auto* view = qobject_cast<QPlainTextEdit*>(control)) return FromQString(view->toPlainText());
  if (auto* button = qobject_cast<QPushButton*>(control)) return FromQString(button->text());
  return std::string();
}

int ProgressPosition(int window, int id) {
  auto* bar = qobject_cast<QProgressBar*>(ControlOf(window, id));
  return bar ? bar->value() : -1;
}

int ControlGeometry(int window, int id, int* x, int* y, int* width, int* height) {
  QWidget* control = ControlOf(window, id);
  if (control == nullptr) return 0;
  QRect box = control->geometry();
  *x = box.x();
  *y = box.y();
  *width = box.width();
  *height = box.height();
  return 1;
}

int ClientGeometry(int window, int* x, int* y, int* width, int* height) {
  WindowRecord* record = FindWindowRecord(window);
  if (record == nullptr) return 0;
  *x = record->frame->x();
  *y = record->frame->y();
  *width = record->client->width();
  *height = record->client->height();
  return 1;
}

int MenuBarHeight(int window) {
  WindowRecord* record = FindWindowRecord(window);
  return record && record->menuBar ? record->menuBar->height() : 0;
}

std::string WindowTitle(int window) {
  WindowRecord* record = FindWindowRecord(window);
  return record ? FromQString(record->frame->windowTitle()) : std::string();
}

int WindowEnabled(int window) {
  WindowRecord* record = FindWindowRecord(window);
  return record != nullptr && record->frame->isEnabled();
}

int WindowResizable(int window) {
  WindowRecord* record = FindWindowRecord(window);
  if (record == nullptr) return 0;
  Qt::WindowFlags flags = record->frame->windowFlags();
  return record->frame->minimumSize() != record->frame->maximumSize() ||
         (flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
}

int ToolbarGeometry(int window, int* x, int* y, int* width, int* height) {
  WindowRecord* record = FindWindowRecord(window);
  if (record == nullptr || record->toolbar == nullptr) return 0;
  QRect box = record->toolbar->geometry();
  *x = box.x();
  *y = box.y();
  *width = box.width();
  *height = box.height();
  return 1;
}

unsigned PixelOfImageControl(int window, int id, int x, int y) {
  auto* label = qobject_cast<QLabel*>(ControlOf(window, id));
  if (label == nullptr) return 0;
  QPixmap shown = label->pixmap();
  if (shown.isNull()) return 0;
  return shown.toImage().pixel(x, y);
}

int ImageControlHasPicture(int window, int id) {
  auto* label = qobject_cast<QLabel*>(ControlOf(window, id));
  return label != nullptr && !label->pixmap().isNull();
}
