// Numbered top-level windows: fixed size, caption and close box only.
#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QScreen>
#include <QUrl>

#include "platform/qt/qt_shell_internal.h"

namespace {

std::map<int, WindowRecord> Windows;
QIcon WindowIcon;

// The frame turns close requests and drops into shell events; the program
// decides what a close request does.
class FrameWidget : public QWidget {
 public:
  explicit FrameWidget(int number) : number_(number) {}

 protected:
  void closeEvent(QCloseEvent* event) override {
    event->ignore();
    ShellEvent shell;
    shell.kind = EventKind::Close;
    shell.window = number_;
    PostShellEvent(shell);
  }
  void dragEnterEvent(QDragEnterEvent* event) override {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
  }
  void dropEvent(QDropEvent* event) override {
    std::vector<std::string> files;
    for (const QUrl& url : event->mimeData()->urls())
      if (url.isLocalFile()) files.push_back(FromQString(url.toLocalFile()));
    if (files.empty()) return;
    event->acceptProposedAction();
    ShellEvent shell;
    shell.kind = EventKind::Drop;
    shell.window = number_;
    shell.drop = MakeDropHandle(files);
    PostShellEvent(shell);
  }

 private:
  int number_;
};

QPoint CentredCorner(QSize outer) {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return QPoint(0, 0);
  QSize room = screen->geometry().size();
  outer = outer.boundedTo(room);
  return QPoint((room.width() - outer.width()) / 2, (room.height() - outer.height()) / 2);
}

}  // namespace

WindowRecord* FindWindowRecord(int window) {
  auto found = Windows.find(window);
  return found == Windows.end() ? nullptr : &found->second;
}

std::vector<QWidget*> ProgramWindows() {
  std::vector<QWidget*> frames;
  for (auto& [number, record] : Windows) frames.push_back(record.frame);
  return frames;
}

std::vector<int> WindowNumbers() {
  std::vector<int> numbers;
  for (auto& [number, record] : Windows) numbers.push_back(number);
  return numbers;
}

QIcon ProgramWindowIcon() { return WindowIcon; }

void SetProgramIcon(PictureHandle icon) { WindowIcon = QIcon(PixmapOf(icon)); }

int OpenWindow(int window, const WindowLook& look) {
  CloseWindow(window);
  auto* frame = new FrameWidget(window);
  frame->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  frame->setWindowTitle(ToQString(look.title));
  frame->setWindowIcon(WindowIcon);
  frame->setFixedSize(look.clientWidth, look.clientHeight);
  QPalette palette = frame->palette();
  palette.setColor(QPalette::Window, palette.color(QPalette::Button));
  frame->setPalette(palette);
  frame->setAutoFillBackground(true);
  frame->setAcceptDrops(look.acceptsDrops);
  auto* client = new QWidget(frame);
  client->setGeometry(0, 0, look.clientWidth, look.clientHeight);
  frame->move(look.centred ? CentredCorner(frame->size()) : QPoint(look.x, look.y));
  WindowRecord record;
  record.frame = frame;
  record.client = client;
  Windows[window] = record;
  frame->show();
  return 1;
}

void CloseWindow(int window) {
  WindowRecord* record = FindWindowRecord(window);
  if (record == nullptr) return;
  record->frame->hide();
  record->frame->deleteLater();
  Windows.erase(window);
}

void ShowWindowNormally(int window) {
  if (WindowRecord* record = FindWindowRecord(window)) {
    record->frame->showNormal();
    record->frame->raise();
    record->frame->activateWindow();
  }
}

void HideWindow(int window) {
  if (WindowRecord* record = FindWindowRecord(window)) record->frame->hide();
}

int WindowExists(int window) { return FindWindowRecord(window) != nullptr; }

int WindowVisible(int window) {
  WindowRecord* record = FindWindowRecord(window);
  return record != nullptr && record->frame->isVisible();
}
