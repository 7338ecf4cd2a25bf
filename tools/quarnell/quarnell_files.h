// tools/quarnell/quarnell_files.h — the few file operations of the converter.
//
// Plain POSIX, so that the converter starts without loading Qt or X11.
// Each operation answers true on success; on failure it answers false and
// puts a short lower-case reason (from errno, e.g. "No such file or
// directory" becomes "no such file or directory") into *why.
#pragma once

#include <string>
#include <vector>

// Reads a whole regular file. A folder or other non-regular file fails.
bool ReadWholeFile(const std::string& path, std::string* bytes, std::string* why);

// Writes the parts one after another to a temporary file in the folder of
// path, gives it the mode rwxr-xr-x and
// renames it onto path, so that path is either absent/old or complete. On
// failure the temporary file is removed and path is untouched.
bool WriteFileAtomically(const std::string& path, const std::vector<const std::string*>& parts,
                         std::string* why);

// The folder part of path ("." when it has none; "/" for the root).
std::string FolderOf(const std::string& path);

// The folder of the running executable, from /proc/self/exe.
std::string OwnExecutableFolder();
