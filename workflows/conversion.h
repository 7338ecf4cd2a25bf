// workflows/conversion.h — turning MIDlets into programs with the converter.
//
// The converter is started without waiting; a fixed pacing later, the
// program it left next to the archive is copied into the current folder and
// the converter's copy deleted. The copy is the only test of success.
#pragma once

#include <string>

// The save-as-EXE command: the open MIDlet, nine steps of 100 ms.
void ConvertMidlet();
// The batch command: every JAR of a chosen folder tree, 50 ms steps.
void ConvertFolder();
// Walks one folder level and everything below it, depth first, converting
// each matching file. Links to folders are not followed.
void WalkFolder(const std::string& folder, const std::string& nameFilter, const std::string& extensionFilter,
                int depth);
// Converts one archive; non-zero when its program reached the current folder.
int ConvertOne(const std::string& archivePath);
// Whether a file name passes the batch's filters ("*" means any); the
// extension is what follows the last dot, both parts lower-cased.
int MatchesBatchFilters(const std::string& fileName, const std::string& nameFilter,
                        const std::string& extensionFilter);
