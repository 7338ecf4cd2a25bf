// platform/process.h — starting other programs, never waiting for them.
//
// A started program runs beside this one as an independent process: it is
// not our child (a double fork hands it to the system), so it never lingers
// as a zombie, and nothing waits for it. Each one gets a process group of its
// own, which EndStartedProcesses ends at exit. Operations answer non-zero
// when the program was started, zero otherwise; nothing is reported to the
// user, but the transcript gets one line per start.
#pragma once

#include <string>
#include <vector>

// Splits a command line as Windows does. The program name (the first item)
// runs from a leading double quote to the next one, or else up to the first
// space or tab. In the arguments spaces and tabs separate, double quotes
// group and are removed; 2n backslashes and a quote give n backslashes and
// the quote opens or closes a group; 2n+1 backslashes and a quote give n
// backslashes and a literal quote; other backslashes are literal. "" gives
// an empty argument. Leading blanks of the line are skipped.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);

// Where a program named by a command line is found: a name with "/" is taken
// as it is; otherwise the first executable file of that name in the folder of
// this program's executable, the current directory, then each folder of
// PATH. Empty text when there is none.
std::string FindProgram(const std::string& name);
// The first executable file of that name in the folders of PATH only.
std::string FindProgramOnPath(const std::string& name);

// Starts a command line without waiting for it, in the current directory.
// Hidden: standard input, output and error on /dev/null; otherwise they are
// this program's. Non-zero when the program was started (found and run).
// Notes "launch hidden <line>" or "launch normal <line>" before starting.
int StartCommandLine(const std::string& commandLine, int hidden);

// Starts the program at path directly (no shell, the path as its only
// argument, this program's current directory). When that fails for a file
// that exists, the file is handed to xdg-open (found on PATH) with the file's
// folder as working directory, the way a desktop opens a document. Non-zero
// when the program or xdg-open was started; what xdg-open then does is not
// waited for. A missing file fails. Notes "run <path> started" or "failed".
int RunProgram(const std::string& path);

// Ends every process group this program started: SIGTERM, a short grace,
// then SIGKILL for whatever is left.
void EndStartedProcesses();
