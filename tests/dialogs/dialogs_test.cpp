// The message boxes and requesters: their settings on the real Qt dialogs,
// the modal framing, the default-file split, the current directory.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <functional>
#include <string>
#include <unistd.h>

#include "app/catalogue.h"
#include "app/dialogs.h"
#include "platform/files.h"
#include "platform/qt/dialog_objects.h"
#include "platform/shell.h"
#include "platform/shell_testing.h"
#include "tests/shell/test_main.h"

namespace {

// Runs check on the modal dialog as soon as it is open, then closes it.
void WhenDialogOpens(std::function<void(QWidget*)> check, bool accept) {
  QTimer::singleShot(0, [check, accept]() {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == nullptr) {
      for (QWidget* top : QApplication::topLevelWidgets())
        if (qobject_cast<QDialog*>(top) && top->isVisible()) dialog = top;
    }
    ASSERT_NE(dialog, nullptr);
    check(dialog);
    auto* box = qobject_cast<QDialog*>(dialog);
    if (accept) box->accept(); else box->reject();
  });
}

TEST(DefaultFile, SplitsAtTheLastSeparator) {
  struct Case {
    const char* given;
    const char* folder;
    const char* name;
  };
  const Case cases[] = {
      {"/home/u/image0.jpg", "/home/u", "image0.jpg"},
      {"image0.jpg", "", "image0.jpg"},
      {"", "", ""},
      {"/home/u/", "/home/u", ""},
      {"/home/u/bad:name", "/home/u", ""},
      {"/home/u/a\x01b", "/home/u", ""},
      {"/top.jpg", "/", "top.jpg"},
      {"/home/u/what?.jpg", "/home/u", ""},
  };
  for (const Case& c : cases) {
    std::string folder, name;
    SplitDefaultFile(c.given, &folder, &name);
    EXPECT_EQ(folder, c.folder) << c.given;
    EXPECT_EQ(name, c.name) << c.given;
  }
}

TEST(Requesters, FileDialogSettings) {
  StartTolvanexOnce();
  FileRequest request;
  request.title = ScreenshotTitle;
  request.folder = "/tmp";
  request.name = "image0.jpg";
  request.patternString = ScreenshotPattern;
  request.saving = true;
  QFileDialog* dialog = MakeFileDialog(request, nullptr);
  EXPECT_EQ(dialog->windowTitle().toStdString(), "Назовите файл для вывода");
  EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
  EXPECT_EQ(dialog->fileMode(), QFileDialog::AnyFile);
  EXPECT_TRUE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
  EXPECT_EQ(dialog->nameFilters(), QStringList{"JPG (*.jpg)"});
  EXPECT_EQ(dialog->directory().absolutePath(), "/tmp");
  delete dialog;

  request.saving = false;
  request.patternString = OpenMidletPattern;
  request.folder.clear();
  request.name.clear();
  dialog = MakeFileDialog(request, nullptr);
  EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptOpen);
  // A typed name of a missing file is accepted for opening.
  EXPECT_EQ(dialog->fileMode(), QFileDialog::AnyFile);
  EXPECT_EQ(dialog->nameFilters(), QStringList{"Midlet J2ME (*.jar)"});
  delete dialog;
}

TEST(Requesters, FolderDialogSettings) {
  StartTolvanexOnce();
  QFileDialog* dialog = MakeFolderDialog(BatchFolderTitle, "/usr", nullptr);
  EXPECT_EQ(dialog->windowTitle().toStdString(), "Откройте папку с файлами JAR");
  EXPECT_EQ(dialog->fileMode(), QFileDialog::Directory);
  EXPECT_EQ(dialog->directory().absolutePath(), "/usr");
  delete dialog;
}

TEST(Messages, BoxSettings) {
  StartTolvanexOnce();
  QMessageBox* box = MakeMessageBox(NoEmulatorTitle, NoEmulatorText, MessageKind::Warning, nullptr);
  EXPECT_EQ(box->windowTitle().toStdString(), "Внимание!!!");
  EXPECT_EQ(box->text().toStdString(), "Для снятия копии экрана эмулятора требуется его запустить!");
  EXPECT_EQ(box->icon(), QMessageBox::Warning);
  EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
  delete box;
  box = MakeMessageBox(InformationTitle, AboutText, MessageKind::Plain, nullptr);
  EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
  delete box;
}

TEST(Messages, FramedBoxDisablesTheOtherWindowsAndEnablesThemAgain) {
  StartTolvanexOnce();
  WindowLook look;
  look.title = "other";
  look.clientWidth = 100;
  look.clientHeight = 100;
  OpenWindow(7, look);
  ShowWindowNormally(MainWindow);
  bool otherDisabled = false;
  WhenDialogOpens([&](QWidget*) { otherDisabled = !WindowEnabled(7); }, true);
  ShowMessage(InformationTitle, "framed");
  EXPECT_TRUE(otherDisabled);
  EXPECT_TRUE(WindowEnabled(7));
  EXPECT_TRUE(WindowEnabled(MainWindow));

  bool stayedEnabled = false;
  WhenDialogOpens([&](QWidget*) { stayedEnabled = WindowEnabled(7) && WindowEnabled(MainWindow); }, true);
  ShowMessageBox(InformationTitle, "unowned", MessageKind::Plain, false);
  EXPECT_TRUE(stayedEnabled);
  CloseWindow(7);
}

TEST(Messages, UnownedBoxLetsTheMainWindowTakeCommands) {
  StartTolvanexOnce();
  ShellEvent event;
  while (TakeShellEvent(&event)) {
  }
  WhenDialogOpens(
      [](QWidget*) {
        ClickCommand(MainWindow, BatchCommand);
      },
      true);
  ShowMessageBox(InformationTitle, "unowned", MessageKind::Plain, false);
  ProcessPendingEvents();
  // The command waits in the queue until the handler returns.
  ASSERT_TRUE(TakeShellEvent(&event));
  EXPECT_EQ(event.kind, EventKind::Command);
  EXPECT_EQ(event.id, BatchCommand);
}

TEST(Requesters, CurrentDirectoryStaysAndAnswers) {
  StartTolvanexOnce();
  std::string before = CurrentDirectory();
  WhenDialogOpens(
      [](QWidget* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        ASSERT_NE(files, nullptr);
        files->setDirectory("/usr/lib");
        files->selectFile("/tmp/not-there-yet.jar");
      },
      true);
  std::string chosen = AskOpenFile(OpenMidletTitle, "", OpenMidletPattern, 0);
  EXPECT_EQ(chosen, "/tmp/not-there-yet.jar");
  EXPECT_EQ(CurrentDirectory(), before);

  WhenDialogOpens([](QWidget*) {}, false);
  EXPECT_EQ(AskSaveFile(ScreenshotTitle, "/tmp/image0.jpg", ScreenshotPattern, 0), "");
  EXPECT_EQ(CurrentDirectory(), before);
}

TEST(Requesters, FolderAnswerEndsInOneSeparator) {
  StartTolvanexOnce();
  WhenDialogOpens(
      [](QWidget* dialog) {
        auto* files = qobject_cast<QFileDialog*>(dialog);
        ASSERT_NE(files, nullptr);
        EXPECT_EQ(files->directory().absolutePath(), "/usr/lib");
        files->selectFile("/usr/lib");
      },
      true);
  EXPECT_EQ(AskFolder(BatchFolderTitle, "/usr/lib/"), "/usr/lib/");
  WhenDialogOpens([](QWidget*) {}, false);
  EXPECT_EQ(AskFolder(BatchFolderTitle, "/usr/lib/"), "");
}

}  // namespace
