// tools/quarnell/convert.cpp — checks the JAR and writes the produced program.
#include "convert.h"

#include "embedded_jar.h"
#include "jar_file.h"
#include "quarnell_files.h"

namespace {

// Empty text when the bytes are a JAR the emulator can show; otherwise why not.
std::string ProblemOfJar(const std::string& bytes) {
  JarHandle jar = OpenJarBytes(bytes);
  if (!jar) return "it is not a ZIP archive";
  std::string manifestName = FindManifestName(jar);
  std::string manifest;
  std::string problem;
  if (manifestName.empty())
    problem = "it has no META-INF/MANIFEST.MF";
  else if (!ReadJarEntry(jar, manifestName, &manifest))
    problem = "its manifest is damaged";
  CloseJar(jar);
  return problem;
}

// The path in double quotes, control characters shown as "?", so that the
// message stays on one line.
std::string Quoted(const std::string& path) {
  std::string quoted = "\"";
  for (char c : path) quoted += static_cast<unsigned char>(c) < 0x20 || c == 0x7f ? '?' : c;
  return quoted + "\"";
}

}  // namespace

std::string ConverterOutputPath(const std::string& jarPath) {
  if (jarPath.size() < 3) return "exe";
  return jarPath.substr(0, jarPath.size() - 3) + "exe";
}

std::string EmulatorProgramPath() { return OwnExecutableFolder() + "/quarnell-emulator"; }

int ConvertJar(const std::string& jarPath, const std::string& emulatorPath, std::string* message) {
  std::string jar, emulator, why;
  if (!ReadWholeFile(jarPath, &jar, &why)) {
    *message = "cannot read " + Quoted(jarPath) + ": " + why;
    return 3;
  }
  std::string problem = ProblemOfJar(jar);
  if (!problem.empty()) {
    *message = Quoted(jarPath) + " is not a MIDlet JAR: " + problem;
    return 4;
  }
  if (!ReadWholeFile(emulatorPath, &emulator, &why)) {
    *message = "cannot read the emulator " + Quoted(emulatorPath) + ": " + why;
    return 5;
  }
  std::string output = ConverterOutputPath(jarPath);
  std::string trailer = EmbeddedJarTrailer(jar.size());
  if (!WriteFileAtomically(output, {&emulator, &jar, &trailer}, &why)) {
    *message = "cannot write " + Quoted(output) + ": " + why;
    return 6;
  }
  return 0;
}
