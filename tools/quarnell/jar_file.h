// tools/quarnell/jar_file.h — reading a MIDlet JAR held in memory.
//
// The converter and the emulator both hold the whole archive as bytes: the
// converter because it copies it into the produced program, the emulator
// because it finds it at the end of its own executable. These operations open
// such bytes with minizip, find the manifest (META-INF/MANIFEST.MF in any
// letter case) and read single entries. No Qt, no X11: the converter's fast
// path links only this and zlib.
//
// Failures answer an empty result (nullptr, empty text, false); nothing
// throws and nothing is printed.
#pragma once

#include <string>

// An open archive over bytes that must outlive it; nullptr when the bytes are
// not a ZIP archive minizip can read.
using JarHandle = void*;
JarHandle OpenJarBytes(const std::string& bytes);
void CloseJar(JarHandle jar);

// The name the archive stores its manifest under (META-INF/MANIFEST.MF in any
// letter case); empty text when there is none.
std::string FindManifestName(JarHandle jar);

// Reads one entry by its exact name into *content. False when the entry is
// missing, damaged (bad data or checksum) or larger than limit bytes.
bool ReadJarEntry(JarHandle jar, const std::string& name, std::string* content,
                  size_t limit = 64u << 20);
