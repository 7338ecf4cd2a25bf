// A tiny shared library for the library-loading tests.
extern "C" int TolvanexProbeAnswer() { return 42; }
