// The properties command, the MIDlet's icon and the save-JAD command.
#include "workflows/descriptor.h"

#include "app/catalogue.h"
#include "app/dialogs.h"
#include "app/view.h"
#include "imaging/image_slots.h"
#include "platform/files.h"
#include "platform/library.h"
#include "workflows/paths.h"
#include "workflows/workflow_state.h"

namespace {

// The whole of an open file; false on a read error.
bool ReadWholeFile(int file, std::string* bytes) {
  char buffer[65536];
  for (;;) {
    int64_t n = ReadFileBytes(file, buffer, sizeof buffer);
    if (n == 0) return true;
    if (n < 0) return false;
    bytes->append(buffer, static_cast<size_t>(n));
  }
}

// The icon library may leave the MIDlet's icon as Test/icon.bmp.
void RunIconLibrary() {
  LibraryHandle library = LoadLibraryByName("pngbmp.dll");
  if (library == nullptr) return;
  if (void* function = FindLibraryFunction(library, "Icobmp")) reinterpret_cast<int (*)()>(function)();
  FreeLibraryHandle(library);
}

}  // namespace

void ShowProperties() {
  int64_t size = FileSizeOf(MidletPath);
  int manifest = OpenFileAlways(ManifestPathIn(WorkFolder()));
  if (manifest < 0) {
    ShowMessage(InformationTitle, NoManifestText);
    return;
  }
  std::string bytes;
  ReadWholeFile(manifest, &bytes);
  CloseFile(manifest);
  // Every use starts afresh, so the descriptor is never held twice.
  DescriptorText = BuildDescriptorText(bytes, size, LongNameOf(ShortPathOf(MidletPath)));
  SetViewText(DisplayTextOf(DescriptorText));
  SetButtonEnabled(SaveJadCommand, true);
  RunIconLibrary();
  ShowMidletIcon();
}

void ShowMidletIcon() {
  if (LoadImageFile(0, CurrentFolder() + "Test/icon.bmp")) ShowIconView(ImageHandleOf(0));
}

void SaveDescriptor() {
  std::string name = DescriptorFileOf(MidletPath);
  int file = CreateFileForWriting(name);
  bool written = file >= 0 && WriteFileBytes(file, DescriptorText.data(), DescriptorText.size());
  written = CloseFile(file) && written;
  if (written) {
    ShowMessage(InformationTitle, JadWrittenText + name);
  } else {
    // A file that could not be written whole is not passed off as a JAD.
    if (file >= 0) DeleteFileAt(name);
    ShowMessage(InformationTitle, JadNotWrittenText);
  }
}
