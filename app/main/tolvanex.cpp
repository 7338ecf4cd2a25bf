// Tolvanex: start-up, then the loop until the user leaves.
#include "app/program.h"

int main(int argc, char** argv) {
  StartUp(argc, argv);
  RunEventLoop();
}
