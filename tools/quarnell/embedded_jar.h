// tools/quarnell/embedded_jar.h — how a produced program carries its JAR.
//
// A produced program is the emulator executable, then the JAR's bytes
// unchanged, then a 16-byte trailer: the 8 bytes "QRNLJAR1" and the JAR's
// length as an unsigned 64-bit little-endian number. The emulator reads its
// own file (/proc/self/exe) from the end to find it.
#pragma once

#include <cstdint>
#include <string>

constexpr size_t kEmbeddedJarTrailerSize = 16;

// The trailer that follows a JAR of the given length.
std::string EmbeddedJarTrailer(uint64_t jarLength);

enum class EmbeddedJarState { Found, Missing, Unreadable };

// Looks at the end of the program file for the trailer and reads the JAR
// before it into *jarBytes. Missing: the file carries no trailer (or one whose
// length does not fit the file). Unreadable: the file itself cannot be read.
EmbeddedJarState ReadEmbeddedJar(const std::string& programPath, std::string* jarBytes);
