// The shell tests share one started program: start-up runs once.
#pragma once

#include "app/program.h"

inline void StartTolvanexOnce() {
  static bool started = false;
  if (started) return;
  static char name[] = "shell_test";
  char* argv[] = {name, nullptr};
  StartUp(1, argv);
  started = true;
}
