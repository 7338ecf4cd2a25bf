// tools/quarnell/converter_main.cpp — Quarnell.exe: the converter's command line.
//
//   Quarnell.exe -jar PATH
//
// writes the program produced from the JAR at PATH next to it, named PATH
// with "exe" in place of its last three characters. Exit 0 on success; on any
// failure one line on standard error and a non-zero exit. No window, no Qt.
#include "convert.h"

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
  if (argc != 3 || std::strcmp(argv[1], "-jar") != 0) {
    std::fprintf(stderr, "usage: Quarnell.exe -jar PATH (PATH names a MIDlet JAR)\n");
    return 2;
  }
  std::string message;
  int result = ConvertJar(argv[2], EmulatorProgramPath(), &message);
  if (result != 0) std::fprintf(stderr, "Quarnell.exe: %s\n", message.c_str());
  return result;
}
