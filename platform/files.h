// platform/files.h — files and folders, as the program needs them.
//
// Paths are byte strings (UTF-8 on Linux) handed to the system unchanged.
// Open files are plain numbers (descriptors); -1 stands for none.
// Operations that can fail answer non-zero for success and zero for failure;
// nothing throws. No operation here reports anything to the user.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The process's current directory, without a trailing separator; empty text
// when the system cannot tell it. Any length.
std::string CurrentDirectory();

// The folder of the running executable, without a trailing separator.
std::string ExecutableFolder();

// Byte count of the file named by path: -1 when the path is empty or names
// nothing, -2 when it names a folder.
int64_t FileSizeOf(const std::string& path);

// Non-zero when something (a file, folder or link) is there; links are not
// followed.
int PathExists(const std::string& path);

// Opens an existing file for reading.
int OpenFileForReading(const std::string& path);
// Opens a file for reading and writing; a missing file is created empty.
int OpenFileAlways(const std::string& path);
// Creates a file for writing; an existing file of that name is emptied.
int CreateFileForWriting(const std::string& path);
// Bytes read (0 at the end, negative on an error).
int64_t ReadFileBytes(int file, void* buffer, size_t size);
// Writes all bytes; non-zero when every byte was written.
int WriteFileBytes(int file, const void* bytes, size_t size);
// Non-zero when the file was closed without an error.
int CloseFile(int file);

// Makes every missing folder of path up to its last "/". The result tells
// whether the folders exist afterwards.
int MakeFolderPath(const std::string& path);

// Sets the last-write time of an existing file to the given local wall-clock
// time, converted with the time-zone rules in force on that date; the access
// time is left alone. Parts that do not form a valid calendar date and time
// leave the file as it was and answer 0.
int StampFileWriteTime(const std::string& path, int year, int month, int day,
                       int hour, int minute, int second);

// Deletes a file (or a link, never what it points to).
int DeleteFileAt(const std::string& path);

// Removes a folder that is empty (or a link to one, as a link).
int RemoveEmptyFolder(const std::string& path);

// Makes the file writable for its owner, the nearest thing to clearing the
// read-only attribute. Links are left alone.
int MakeFileWritable(const std::string& path);

// Copies source to destination, replacing a file of that name. A copy of a
// file onto itself (same device and inode) fails and touches nothing; a
// failed copy never leaves a partial file under the destination's name. The
// copy keeps the source's permission bits.
int CopyFileReplacing(const std::string& source, const std::string& destination);

// Free bytes on the file system that holds path; -1 when unknown.
int64_t FreeSpaceOf(const std::string& path);

// One folder level's enumeration, in the order the system gives; "." and ".."
// are left out. Each walk holds its folder open until it is closed.
struct FolderEntry {
  std::string name;
  bool isFolder = false;  // a real folder, not a link to one
  bool isLink = false;
};
using FolderWalk = void*;
// None (nullptr) when the folder cannot be read.
FolderWalk OpenFolderWalk(const std::string& folder);
// Non-zero while an entry was delivered.
int NextFolderEntry(FolderWalk walk, FolderEntry* entry);
void CloseFolderWalk(FolderWalk walk);

// Like OpenFolderWalk, but none (nullptr) when folder is a symbolic link:
// the walk never reaches what a link points to.
FolderWalk OpenFolderWalkNoLink(const std::string& folder);
