// tools/quarnell/manifest.h — the MIDlet's details from its JAR manifest.
//
// ParseManifest reads "Key: value" lines (CR, LF or CRLF line ends; a line
// that starts with one space continues the previous value). ReadMidletInfo
// opens the archive bytes and gathers what the emulator shows. It never
// fails: a problem is described in MidletInfo::problem and the other fields
// hold whatever could be read.
#pragma once

#include <string>
#include <utility>
#include <vector>

using ManifestFields = std::vector<std::pair<std::string, std::string>>;

ManifestFields ParseManifest(const std::string& text);

// The value of the first field named key (exact case); empty when absent.
std::string ManifestValue(const ManifestFields& fields, const std::string& key);

// One "MIDlet-n: Name, Icon, Class" entry, each part trimmed.
struct MidletEntry {
  std::string name;
  std::string icon;
  std::string className;
};

MidletEntry ParseMidletEntry(const std::string& value);

struct MidletInfo {
  std::string name;                  // MIDlet-Name
  std::string vendor;                // MIDlet-Vendor
  std::string version;               // MIDlet-Version
  std::vector<MidletEntry> midlets;  // MIDlet-1, MIDlet-2, ... in order
  std::string iconPath;              // MIDlet-Icon, else the icon of MIDlet-1
  std::string iconBytes;             // that entry's bytes; empty when unreadable
  std::string problem;               // empty when the archive and manifest read well
};

// The icon path as an entry name: without leading slashes.
std::string EntryNameOfResource(const std::string& path);

MidletInfo ReadMidletInfo(const std::string& jarBytes);
