// tests/fuzz/fuzz_check.h — what every fuzz target shares.
//
// Each fuzz_*.cpp defines LLVMFuzzerTestOneInput(data, size). Built with
// -fsanitize=fuzzer it is a libFuzzer target (tests/fuzz/project); built
// with replay_main.cpp it replays saved inputs as a plain program, which is
// how the main build runs the inputs under tests/fuzz/regressions.
//
// FUZZ_CHECK states a property of the code under test; when it does not
// hold, the input is reported and the process aborts, so libFuzzer keeps the
// input as a crash and the replay fails.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                   \
  do {                                                                          \
    if (!(condition)) {                                                         \
      std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, \
                   #condition);                                                 \
      std::abort();                                                             \
    }                                                                           \
  } while (0)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
