// Building the main window: controls, built-in icons, menu and toolbar.
#include "app/catalogue.h"
#include "app/view.h"
#include "imaging/builtin_icons.h"
#include "imaging/image_slots.h"
#include "platform/shell.h"

namespace {

void LoadBuiltInIcons() {
  EmbeddedFile icons[ImageSlotCount] = {JadDiskIconData(), RunIconData(), CameraIconData()};
  for (int slot = 0; slot < ImageSlotCount; ++slot) ImageFromIconData(slot, icons[slot].bytes, icons[slot].size);
}

void AddFileMenu() {
  if (!AddMenu(MainWindow, FileMenuTitle)) return;
  AddMenuItem(MainWindow, OpenMenuCommand, OpenMenuText);
  AddMenuItem(MainWindow, RunChosenMenuCommand, RunChosenMenuText);
  AddMenuSeparator(MainWindow);
  AddMenuItem(MainWindow, ExitMenuCommand, ExitMenuText);
}

// A standard toolbar image, with our own picture where the desktop has none.
void AddStandardButton(int commandId, StandardImage image, EmbeddedFile fallback, const char* tooltip) {
  PictureHandle picture = MakeIconFromFileData(fallback.bytes, fallback.size);
  AddStandardToolButton(MainWindow, commandId, image, picture, tooltip);
  DestroyPicture(picture);
}

void AddMainToolbar() {
  if (!AddToolbar(MainWindow)) return;
  AddStandardButton(OpenCommand, StandardImage::Open, ToolOpenData(), OpenTooltip);
  AddToolSeparator(MainWindow);
  AddStandardButton(PropertiesCommand, StandardImage::Properties, ToolPropertiesData(), PropertiesTooltip);
  AddToolSeparator(MainWindow);
  AddStandardButton(ConvertCommand, StandardImage::Save, ToolSaveData(), ConvertTooltip);
  AddPictureToolButton(MainWindow, SaveJadCommand, ImageHandleOf(0), SaveJadTooltip);
  AddPictureToolButton(MainWindow, RunCommand, ImageHandleOf(1), RunTooltip);
  AddPictureToolButton(MainWindow, ScreenshotCommand, ImageHandleOf(2), ScreenshotTooltip);
  AddToolSeparator(MainWindow);
  AddStandardButton(BatchCommand, StandardImage::Find, ToolFindData(), BatchTooltip);
  for (int id : {PropertiesCommand, ConvertCommand, SaveJadCommand, RunCommand, ScreenshotCommand})
    SetButtonEnabled(id, false);
}

}  // namespace

void BuildMainWindow() {
  EmbeddedFile programIcon = ProgramIconData();
  PictureHandle icon = MakeIconFromFileData(programIcon.bytes, programIcon.size);
  SetProgramIcon(icon);
  DestroyPicture(icon);

  WindowLook look;
  look.title = MainWindowTitle;
  look.clientWidth = 350;
  look.clientHeight = 250;
  look.centred = true;
  look.acceptsDrops = true;
  OpenWindow(MainWindow, look);

  AddTextView(MainWindow, DescriptorView, 50, 30, 200, 150, " ");
  AddProgressBar(MainWindow, ProgressBar, 1, 200, 349, 25, 0, 100);
  AddPushButton(MainWindow, AboutButton, 328, 30, 20, 20, AboutCaption);
  LoadBuiltInIcons();
  AddFileMenu();
  AddMainToolbar();
  SetProgress(0);
}
