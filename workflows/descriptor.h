// workflows/descriptor.h — the MIDlet's descriptor: built from the unpacked
// manifest, shown with the MIDlet's icon, saved as a JAD file.
//
// A manifest line is the run of bytes up to CR, LF, CR LF, NUL or the end;
// the terminator is consumed and not kept. The descriptor is every line
// preceded by CR LF, then "\r\nMIDlet-Jar-Size: " with the archive's size
// and "\r\nMIDlet-Jar-URL: " with its file name; no CR LF after the last.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

std::vector<std::string> SplitManifestLines(const std::string& bytes);
std::string BuildDescriptorText(const std::string& manifestBytes, int64_t archiveSize, const std::string& archiveName);
// The manifest in a folder: MANIFEST.MF in any letter case, else that name.
std::string ManifestPathIn(const std::string& folder);
// The descriptor as the view shows it: UTF-8 as it is, other bytes read as
// Windows-1251.
std::string DisplayTextOf(const std::string& bytes);

void ShowProperties();
void ShowMidletIcon();
void SaveDescriptor();
