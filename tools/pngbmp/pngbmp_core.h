// tools/pngbmp/pngbmp_core.h — the working parts of the icon library.
//
// ConvertMidletIcon does the library's whole job for a work folder: it finds
// the manifest (MANIFEST.MF, letter case ignored), takes the icon named by
// MIDlet-Icon or else the second field of MIDlet-1, finds that file's file
// part among the folder's files (letter case ignored), and writes the PNG as
// icon.bmp in the folder: a 24-bit bottom-up Windows bitmap of the icon's
// size, transparency laid over the button-face colour RGB 240,240,240. The
// bitmap appears whole (temporary file, then rename) or not at all. Answers 1
// when icon.bmp was written, 0 otherwise.
//
// The pieces take plain bytes and touch no files except where named, so a
// test or a fuzzer can feed them anything. Nothing here throws or ends the
// process; letter case is compared for ASCII letters only.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Pictures wider or taller than this are refused before any pixel memory is
// taken.
constexpr unsigned kMaxIconSide = 1024;
// What fully transparent pixels become: the usual button face.
constexpr unsigned char kButtonFaceRed = 240;
constexpr unsigned char kButtonFaceGreen = 240;
constexpr unsigned char kButtonFaceBlue = 240;

// The icon's name as the manifest gives it (trimmed), or empty text when the
// manifest names none. Attribute names ignore letter case; lines end at CR,
// LF or CR LF, and a line starting with a space continues the one before.
std::string MidletIconNameOf(const std::string& manifest);

// Non-zero when a and b differ at most in the case of ASCII letters.
int SameIgnoringCase(const std::string& a, const std::string& b);

// The part of a name after its last "/" or "\".
std::string FilePartOf(const std::string& name);

// Decodes a PNG of any colour type and depth and lays it out as the bytes of
// a .bmp file. 0, with *bmp left empty, for a damaged or oversized PNG.
int PngToBmpBytes(const unsigned char* png, size_t size, std::vector<unsigned char>* bmp);

// The path of the regular file in folder whose name equals name, letter case
// ignored (an exact match wins); empty text when there is none.
std::string FindFileIgnoringCase(const std::string& folder, const std::string& name);

int ConvertMidletIcon(const std::string& workFolder);
