// app/program.h — start-up, the loop and its dispatch, the shutdown.
//
// StartUp empties every program-wide value, starts the platform, registers
// the JPEG encoder and builds the main window. DispatchEvent runs at most one
// handler for one event; the two ways out end the process with code 0.
#pragma once

#include "platform/shell.h"

void StartUp(int argc, char** argv);
void DispatchEvent(const ShellEvent& event);
[[noreturn]] void RunEventLoop();
[[noreturn]] void ShutDown();
