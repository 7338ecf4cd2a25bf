// Removal of the work folder Test/.
//
// The folder is reached by its name relative to the current directory, which
// never changes during a run: that is the folder WorkFolder names, and the
// relative name keeps working when the absolute one would exceed the
// system's path length limit.
#include "workflows/paths.h"

#include <vector>

#include "platform/files.h"

namespace {

const char kWorkFolderName[] = "Test";

// The names of everything directly inside the folder that is not a real
// folder: files, links and the like.
std::vector<std::string> NamesToDelete(FolderWalk walk) {
  std::vector<std::string> names;
  FolderEntry entry;
  while (NextFolderEntry(walk, &entry))
    if (!entry.isFolder) names.push_back(entry.name);
  return names;
}

}  // namespace

void RemoveWorkFolder() {
  const std::string folder = kWorkFolderName;
  FolderWalk walk = OpenFolderWalkNoLink(folder);
  if (walk != nullptr) {
    std::vector<std::string> names = NamesToDelete(walk);
    CloseFolderWalk(walk);
    for (const std::string& name : names) DeleteFileAt(folder + "/" + name);
  }
  // Removes an empty folder, or a link named Test as a link; anything else
  // stays where it is.
  RemoveEmptyFolder(folder);
}
