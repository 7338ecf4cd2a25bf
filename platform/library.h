// platform/library.h — loading a shared library by its Windows-style name.
//
// "X.dll" (the extension in any letter case, or none) stands for libX.so.
// It is looked for in the folder of this program's executable first, then
// on the system's library path (dlopen of the bare file name: the loader's
// cache, LD_LIBRARY_PATH, the standard folders), never in the current
// directory on purpose. A handle is released by the one who loaded it.
#pragma once

#include <string>

using LibraryHandle = void*;  // nullptr: none

// The file name a library name stands for: "pngbmp.dll" gives
// "libpngbmp.so"; empty text for a name with nothing before the extension
// or with a "/" in it.
std::string LibraryFileNameOf(const std::string& name);
// nullptr when no such library can be loaded.
LibraryHandle LoadLibraryByName(const std::string& name);
// nullptr when the library has no such function (or the handle is none).
void* FindLibraryFunction(LibraryHandle library, const char* name);
// Accepts nullptr.
void FreeLibraryHandle(LibraryHandle library);
