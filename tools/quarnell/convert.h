// tools/quarnell/convert.h — turning a MIDlet JAR into a stand-alone program.
//
// ConvertJar checks that jarPath is a readable ZIP archive with a readable
// META-INF/MANIFEST.MF (any letter case), then writes the emulator executable
// followed by the JAR and its trailer (embedded_jar.h) at ConverterOutputPath
// (jarPath), atomically. It answers 0 on success; otherwise non-zero, with a
// one-line message for standard error in *message and no output file left.
#pragma once

#include <string>

// jarPath with its last three bytes replaced by "exe"; a path of fewer than
// three bytes gives "exe". "D:/m/SNAKED~1.JAR" gives "D:/m/SNAKED~1.exe";
// whatever the last three are, they go: "midlet.j" gives "midleexe".
std::string ConverterOutputPath(const std::string& jarPath);

// The emulator executable that produced programs start from: the file
// quarnell-emulator next to the running converter.
std::string EmulatorProgramPath();

int ConvertJar(const std::string& jarPath, const std::string& emulatorPath, std::string* message);
