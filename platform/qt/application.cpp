// The toolkit's start, the event queue and the end of the process.
#include <QApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <cstdio>
#include <cstdlib>

#include "platform/qt/qt_shell_internal.h"
#include "platform/transcript.h"

namespace {

QApplication* Application = nullptr;
std::deque<ShellEvent> EventQueue;
std::map<int, std::vector<std::string>> Drops;
int NextDrop = 1;

// Outside a desktop session Qt knows no icon theme; the standard toolbar
// images then come from the Adwaita theme, which the install script brings.
void ChooseIconTheme() {
  QString theme = QIcon::themeName();
  if (!theme.isEmpty() && theme != "hicolor") return;
  QStringList paths = QIcon::themeSearchPaths();
  if (!paths.contains("/usr/share/icons")) paths << "/usr/share/icons";
  QIcon::setThemeSearchPaths(paths);
  QIcon::setThemeName("Adwaita");
}

}  // namespace

int StartPlatform(int argc, char** argv) {
  if (Application != nullptr) return 1;
  static int Argc = 1;
  static char* Argv[2] = {argc > 0 ? argv[0] : const_cast<char*>("tolvanex"), nullptr};
  Application = new QApplication(Argc, Argv);
  Application->setQuitOnLastWindowClosed(false);
  ChooseIconTheme();
  return 1;
}

void (*BeforeExit)(int) = nullptr;

void SetBeforeExit(void (*hook)(int)) { BeforeExit = hook; }

void EndProcess(int code) {
  if (BeforeExit != nullptr) BeforeExit(code);
  NoteEffect("exit " + std::to_string(code));
  std::fflush(stdout);
  std::_Exit(code);
}

void PostShellEvent(const ShellEvent& event) { EventQueue.push_back(event); }

int TakeShellEvent(ShellEvent* event) {
  if (EventQueue.empty()) return 0;
  *event = EventQueue.front();
  EventQueue.pop_front();
  return 1;
}

ShellEvent WaitForShellEvent() {
  ShellEvent event;
  while (!TakeShellEvent(&event)) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  return event;
}

void SleepMilliseconds(int milliseconds) {
  QElapsedTimer clock;
  clock.start();
  for (;;) {
    qint64 left = milliseconds - clock.elapsed();
    if (left <= 0) return;
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, static_cast<int>(left));
  }
}

QString ToQString(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

std::string FromQString(const QString& text) { return text.toUtf8().toStdString(); }

int MakeDropHandle(const std::vector<std::string>& files) {
  int drop = NextDrop++;
  Drops[drop] = files;
  return drop;
}

int DroppedFileCount(int drop) {
  auto found = Drops.find(drop);
  return found == Drops.end() ? 0 : static_cast<int>(found->second.size());
}

std::string DroppedFileName(int drop, int index) {
  auto found = Drops.find(drop);
  if (found == Drops.end() || index < 0 || index >= static_cast<int>(found->second.size())) return std::string();
  return found->second[static_cast<size_t>(index)];
}

void FinishDrop(int drop) { Drops.erase(drop); }
