// Message boxes and requesters over Qt dialogs, with the program's modal
// framing, and the scripted answers of the scenario runner.
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <cstdio>
#include <deque>

#include "platform/qt/dialog_objects.h"
#include "platform/qt/qt_shell_internal.h"
#include "platform/transcript.h"

namespace {

std::deque<std::string> Answers;

// Owner: the program's active window. The program's other visible, enabled
// windows are disabled while the box is open; exactly those come back.
struct Framing {
  QWidget* owner = nullptr;
  std::vector<QWidget*> disabled;
};

Framing BeginFraming() {
  Framing framing;
  framing.owner = QApplication::activeWindow();
  for (QWidget* frame : ProgramWindows()) {
    if (frame == framing.owner || !frame->isVisible() || !frame->isEnabled()) continue;
    frame->setEnabled(false);
    framing.disabled.push_back(frame);
  }
  return framing;
}

void EndFraming(const Framing& framing) {
  for (QWidget* frame : framing.disabled) frame->setEnabled(true);
}

std::string TakeScriptedAnswer() {
  if (Answers.empty()) {
    std::fprintf(stderr, "tolvanex-scenario: a requester opened with no answer queued\n");
    EndProcess(2);
  }
  std::string answer = Answers.front();
  Answers.pop_front();
  return answer;
}

// "description|pattern|description|pattern" as Qt name filters.
QStringList NameFiltersOf(const std::string& patternString) {
  QStringList parts = ToQString(patternString).split('|');
  QStringList filters;
  for (qsizetype at = 0; at + 1 < parts.size(); at += 2) {
    QString pattern = parts[at + 1].replace(';', ' ');
    QString description = parts[at];
    filters << (description.contains("(" + pattern + ")") ? description : description + " (" + pattern + ")");
  }
  return filters;
}

bool FolderOfExists(const QString& path) { return QFileInfo(QFileInfo(path).absolutePath()).isDir(); }

}  // namespace

QMessageBox* MakeMessageBox(const std::string& title, const std::string& text, MessageKind kind, QWidget* owner) {
  auto* box = new QMessageBox(owner);
  box->setWindowTitle(ToQString(title));
  box->setText(ToQString(text));
  box->setTextFormat(Qt::PlainText);
  box->setIcon(kind == MessageKind::Warning ? QMessageBox::Warning : QMessageBox::NoIcon);
  box->setStandardButtons(QMessageBox::Ok);
  box->setWindowIcon(ProgramWindowIcon());
  return box;
}

QFileDialog* MakeFileDialog(const FileRequest& request, QWidget* owner) {
  auto* dialog = new QFileDialog(owner, ToQString(request.title));
  dialog->setOption(QFileDialog::DontUseNativeDialog, true);
  dialog->setOption(QFileDialog::DontConfirmOverwrite, true);
  dialog->setAcceptMode(request.saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  // The file itself need not exist, also for opening.
  dialog->setFileMode(QFileDialog::AnyFile);
  QStringList filters = NameFiltersOf(request.patternString);
  dialog->setNameFilters(filters);
  if (request.position >= 0 && request.position < filters.size()) dialog->selectNameFilter(filters[request.position]);
  dialog->setDirectory(request.folder.empty() ? QDir::homePath() : ToQString(request.folder));
  if (!request.name.empty()) dialog->selectFile(ToQString(request.name));
  return dialog;
}

QFileDialog* MakeFolderDialog(const std::string& title, const std::string& initialFolder, QWidget* owner) {
  auto* dialog = new QFileDialog(owner, ToQString(title));
  dialog->setOption(QFileDialog::DontUseNativeDialog, true);
  dialog->setOption(QFileDialog::ShowDirsOnly, true);
  dialog->setFileMode(QFileDialog::Directory);
  QFileInfo initial(ToQString(initialFolder));
  dialog->setDirectory(initial.isDir() ? initial.absoluteFilePath() : QDir::homePath());
  return dialog;
}

void ShowMessageBox(const std::string& title, const std::string& text, MessageKind kind, bool framed) {
  if (TranscriptActive()) {
    NoteEffect(std::string("message ") + (kind == MessageKind::Warning ? "warning " : "plain ") +
               QuoteText(title) + " " + QuoteText(text) + (framed ? "" : " unowned"));
    return;
  }
  if (!framed) {
    // No owner, nothing disabled: the program's windows go on taking input.
    QMessageBox* box = MakeMessageBox(title, text, kind, nullptr);
    box->setWindowModality(Qt::NonModal);
    QEventLoop wait;
    QObject::connect(box, &QMessageBox::finished, &wait, &QEventLoop::quit);
    box->show();
    wait.exec();
    delete box;
    return;
  }
  Framing framing = BeginFraming();
  QMessageBox* box = MakeMessageBox(title, text, kind, framing.owner);
  box->exec();
  delete box;
  EndFraming(framing);
}

std::string AskFileName(const FileRequest& request) {
  if (TranscriptActive()) {
    std::string answer = TakeScriptedAnswer();
    NoteEffect(std::string("requester ") + (request.saving ? "save " : "open ") + QuoteText(request.title) + " " +
               QuoteText(request.defaultFile) + " " + QuoteText(request.patternString) + " " +
               std::to_string(request.position) + " -> " + QuoteText(answer));
    return answer;
  }
  Framing framing = BeginFraming();
  QFileDialog* dialog = MakeFileDialog(request, framing.owner);
  std::string answer;
  // The folder of a typed path must exist: the requester stays open until it does.
  while (dialog->exec() == QDialog::Accepted) {
    QStringList chosen = dialog->selectedFiles();
    if (chosen.isEmpty() || !FolderOfExists(chosen.first())) continue;
    answer = FromQString(chosen.first());
    break;
  }
  delete dialog;
  EndFraming(framing);
  return answer;
}

std::string AskFolderName(const std::string& title, const std::string& initialFolder) {
  if (TranscriptActive()) {
    std::string answer = TakeScriptedAnswer();
    NoteEffect("requester folder " + QuoteText(title) + " " + QuoteText(initialFolder) + " -> " + QuoteText(answer));
    return answer;
  }
  Framing framing = BeginFraming();
  QFileDialog* dialog = MakeFolderDialog(title, initialFolder, framing.owner);
  std::string answer;
  if (dialog->exec() == QDialog::Accepted && !dialog->selectedFiles().isEmpty())
    answer = FromQString(dialog->selectedFiles().first());
  delete dialog;
  EndFraming(framing);
  return answer;
}

void QueueRequesterAnswer(const std::string& answer) { Answers.push_back(answer); }
