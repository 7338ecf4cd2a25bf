// The icon library's one export, called by the program with the current
// directory holding the unpacked archive in Test/. It answers 1 when it wrote
// Test/icon.bmp and 0 otherwise; the program ignores the answer.
#include "tools/pngbmp/pngbmp_core.h"

extern "C" __attribute__((visibility("default"))) int Icobmp(void) {
  try {
    return ConvertMidletIcon("Test");
  } catch (...) {
    return 0;
  }
}
