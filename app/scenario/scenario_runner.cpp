// tolvanex-scenario: the real program driven by a script of user actions,
// printing what the user would see.
#include <algorithm>
#include <vector>
#include <cstdio>
#include <fstream>
#include <iostream>

#include "app/catalogue.h"
#include "app/program.h"
#include "app/scenario/scenario_script.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/screen.h"
#include "platform/process.h"
#include "platform/shell.h"
#include "platform/shell_testing.h"
#include "platform/transcript.h"

namespace {

bool Started = false;

[[noreturn]] void Refuse(int lineNumber, const std::string& line, const char* why) {
  std::fprintf(stderr, "tolvanex-scenario: line %d: %s: %s\n", lineNumber, why, line.c_str());
  EndStartedProcesses();
  std::exit(2);
}

void EndPrograms(int) { EndStartedProcesses(); }

// Non-zero when the phone's screen in the window shows anything but black.
bool WindowHasDrawn(ForeignWindow window) {
  if (window == 0) return false;
  PictureHandle picture = MakeBlankPicture(185, 215);
  std::vector<uint8_t> rows(556 * 215, 0);
  bool drawn = CopyWindowArea(window, 30, 130, 185, 215, BeginPictureDrawing(picture)) &&
               ReadPictureRows24(picture, rows.data(), 556);
  DestroyPicture(picture);
  return drawn && std::any_of(rows.begin(), rows.end(), [](uint8_t byte) { return byte != 0; });
}

// Every handler that the step caused has returned.
void RunUntilIdle() {
  for (;;) {
    ProcessPendingEvents();
    ShellEvent event;
    if (!TakeShellEvent(&event)) return;
    DispatchEvent(event);
  }
}

void PrintState() {
  std::string buttons = "buttons";
  for (int id = 0; id <= 6; ++id)
    buttons += " " + std::to_string(id) + (ToolButtonEnabled(MainWindow, id) ? ":on" : ":off");
  NoteEffect(buttons);
  NoteEffect("view " + QuoteText(ControlText(MainWindow, DescriptorView)));
  NoteEffect("progress " + std::to_string(ProgressPosition(MainWindow, ProgressBar)));
  int x = 0, y = 0, width = 0, height = 0;
  if (ControlGeometry(MainWindow, IconView, &x, &y, &width, &height))
    NoteEffect("icon-view " + std::to_string(width) + "x" + std::to_string(height) + "+" + std::to_string(x) + "+" +
               std::to_string(y));
  else
    NoteEffect("icon-view none");
}

void RunStep(const ScenarioStep& step, int lineNumber, const std::string& line, char* program) {
  const std::string& word = step.word;
  bool noArguments = step.texts.empty() && step.numbers.empty();
  if (word == "start" && noArguments && !Started) {
    char* argv[] = {program, nullptr};
    StartUp(1, argv);
    Started = true;
  } else if (word == "answer" && step.texts.size() == 1 && step.numbers.empty()) {
    QueueRequesterAnswer(step.texts[0]);
    return;
  } else if (!Started) {
    Refuse(lineNumber, line, "the program has not been started");
  } else if (word == "click" && step.numbers.size() == 1 && step.texts.empty()) {
    if (!ClickCommand(MainWindow, static_cast<int>(step.numbers[0]))) Refuse(lineNumber, line, "no such command");
  } else if (word == "about" && noArguments) {
    ClickControl(MainWindow, AboutButton);
  } else if (word == "drop" && !step.texts.empty() && step.numbers.empty()) {
    DropFilesOn(MainWindow, step.texts);
  } else if (word == "remove" && step.texts.size() == 1 && step.numbers.empty()) {
    // The user deletes a file behind the program's back.
    DeleteFileAt(step.texts[0]);
  } else if (word == "await" && step.texts.size() == 1 && step.numbers.empty()) {
    // Waits (up to a minute) until a window of that class is on the screen
    // and has drawn something.
    int tries = 0;
    while (tries++ < 1200 && !WindowHasDrawn(FindWindowByClass(step.texts[0]))) SleepMilliseconds(50);
    if (tries > 1200) Refuse(lineNumber, line, "no such window appeared");
  } else if (word == "close" && noArguments) {
    RequestClose(MainWindow);
  } else if (word == "sleep" && step.numbers.size() == 1 && step.texts.empty() && step.numbers[0] >= 0) {
    SleepMilliseconds(static_cast<int>(step.numbers[0]));
  } else if (word == "state" && noArguments) {
    RunUntilIdle();
    PrintState();
    return;
  } else {
    Refuse(lineNumber, line, "cannot parse this step");
  }
  RunUntilIdle();
}

}  // namespace

int main(int argc, char** argv) {
  std::ifstream file;
  if (argc > 1) {
    file.open(argv[1]);
    if (!file) {
      std::fprintf(stderr, "tolvanex-scenario: cannot read %s\n", argv[1]);
      return 2;
    }
  }
  std::istream& script = argc > 1 ? static_cast<std::istream&>(file) : std::cin;
  SetTranscriptActive(true);
  SetBeforeExit(EndPrograms);
  std::string line;
  for (int lineNumber = 1; std::getline(script, line); ++lineNumber) {
    ScenarioStep step;
    if (!ParseScenarioLine(line, &step)) Refuse(lineNumber, line, "cannot parse this step");
    if (!step.word.empty()) RunStep(step, lineNumber, line, argv[0]);
  }
  EndStartedProcesses();
  return 0;
}
