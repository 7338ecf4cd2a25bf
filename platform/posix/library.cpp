// Shared libraries by name, over dlopen.
#include "platform/library.h"

#include <dlfcn.h>
#include <strings.h>
#include <sys/stat.h>

#include "platform/files.h"

std::string LibraryFileNameOf(const std::string& name) {
  std::string base = name;
  if (base.size() >= 4 && strcasecmp(base.c_str() + base.size() - 4, ".dll") == 0)
    base.resize(base.size() - 4);
  if (base.empty() || base.find('/') != std::string::npos) return std::string();
  return "lib" + base + ".so";
}

LibraryHandle LoadLibraryByName(const std::string& name) {
  std::string file = LibraryFileNameOf(name);
  if (file.empty()) return nullptr;
  std::string beside = ExecutableFolder() + "/" + file;
  struct stat info;
  if (stat(beside.c_str(), &info) == 0) {
    if (void* library = dlopen(beside.c_str(), RTLD_NOW | RTLD_LOCAL)) return library;
  }
  // A name without "/" makes the loader search its own path only.
  return dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* FindLibraryFunction(LibraryHandle library, const char* name) {
  return library == nullptr || name == nullptr ? nullptr : dlsym(library, name);
}

void FreeLibraryHandle(LibraryHandle library) {
  if (library != nullptr) dlclose(library);
}
