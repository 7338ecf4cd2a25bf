// Controls on a window's client area: text view, progress bar, push button
// and image control.
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

#include "platform/qt/qt_shell_internal.h"

namespace {

int PlaceControl(int window, int id, QWidget* control, int x, int y, int width, int height) {
  WindowRecord* record = FindWindowRecord(window);
  control->setGeometry(x, y, width, height);
  control->setObjectName(QString("control-%1").arg(id));
  record->controls[id] = control;
  control->show();
  return 1;
}

}  // namespace

QWidget* ControlOf(int window, int id) {
  WindowRecord* record = FindWindowRecord(window);
  if (record == nullptr) return nullptr;
  auto found = record->controls.find(id);
  return found == record->controls.end() ? nullptr : found->second;
}

int AddTextView(int window, int id, int x, int y, int width, int height, const std::string& text) {
  WindowRecord* record = FindWindowRecord(window);
  if (record == nullptr) return 0;
  RemoveControl(window, id);
  auto* view = new QPlainTextEdit(record->client);
  view->setReadOnly(true);
  view->setFrameShape(QFrame::NoFrame);
  view->setLineWrapMode(QPlainTextEdit::NoWrap);
  view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  view->setTabChangesFocus(true);
  view->setFocusPolicy(Qt::StrongFocus);
  // A read-only view still shows the caret, so long lines scroll with it.
  view->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
  view->setPlainText(ToQString(text));
  return PlaceControl(window, id, view, x, y, width, height);
}

int AddProgressBar(int window, int id, int x, int y, int width, int height, int minimum, int maximum) {
  WindowRecord* record = FindWindowRecord(window);
  if (record == nullptr) return 0;
  RemoveControl(window, id);
  auto* bar = new QProgressBar(record->client);
  bar->setRange(minimum, maximum);
  bar->setValue(minimum);
  bar->setTextVisible(false);
  return PlaceControl(window, id, bar, x, y, width, height);
}

int AddPushButton(int window, int id, int x, int y, int width, int height, const std::string& caption) {
  WindowRecord* record = FindWindowRecord(window);
  if (record == nullptr) return 0;
  RemoveControl(window, id);
  auto* button = new QPushButton(ToQString(caption), record->client);
  button->setFocusPolicy(Qt::StrongFocus);
  button->setAutoDefault(false);
  QObject::connect(button, &QPushButton::clicked, [window, id]() {
    ShellEvent event;
    event.kind = EventKind::Control;
    event.window = window;
    event.id = id;
    PostShellEvent(event);
  });
  return PlaceControl(window, id, button, x, y, width, height);
}

int AddImageControl(int window, int id, int x, int y, int width, int height, PictureHandle picture) {
  WindowRecord* record = FindWindowRecord(window);
  if (record == nullptr) return 0;
  RemoveControl(window, id);
  auto* label = new QLabel(record->client);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setFocusPolicy(Qt::NoFocus);
  if (picture != nullptr) {
    label->setPixmap(PixmapOf(picture));
    width = PictureWidth(picture);
    height = PictureHeight(picture);
    record->shownPictures[id] = picture;
  }
  return PlaceControl(window, id, label, x, y, width, height);
}

void RemoveControl(int window, int id) {
  WindowRecord* record = FindWindowRecord(window);
  QWidget* control = ControlOf(window, id);
  if (control == nullptr) return;
  control->hide();
  control->deleteLater();
  record->controls.erase(id);
  record->shownPictures.erase(id);
}

void ForgetShownPicture(PictureHandle picture) {
  for (int window : WindowNumbers()) {
    WindowRecord* record = FindWindowRecord(window);
    for (auto shown = record->shownPictures.begin(); shown != record->shownPictures.end();) {
      if (shown->second != picture) {
        ++shown;
        continue;
      }
      if (auto* label = qobject_cast<QLabel*>(ControlOf(window, shown->first))) label->clear();
      shown = record->shownPictures.erase(shown);
    }
  }
}

void SetControlText(int window, int id, const std::string& text) {
  if (auto* view = qobject_cast<QPlainTextEdit*>(ControlOf(window, id))) view->setPlainText(ToQString(text));
}

void SetProgressPosition(int window, int id, int position) {
  if (auto* bar = qobject_cast<QProgressBar*>(ControlOf(window, id))) {
    bar->setValue(position);
    bar->repaint();
  }
}
