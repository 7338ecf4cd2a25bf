// app/catalogue.h — every text the program shows, and the numbers of its
// windows, controls and commands.
//
// Texts are UTF-8 and are shown character for character, with their spaces
// and punctuation.
#pragma once

// Windows.
constexpr int MainWindow = 0;
constexpr int PreviewWindow = 1;

// Controls of the main window.
constexpr int IconView = 1;
constexpr int AboutButton = 5;
constexpr int ProgressBar = 10;
constexpr int DescriptorView = 20;
// The image control of the preview window.
constexpr int CaptureView = 1;

// Commands: toolbar buttons 0 to 6 and menu items 10, 20, 30.
constexpr int PropertiesCommand = 0;
constexpr int OpenCommand = 1;
constexpr int ConvertCommand = 2;
constexpr int BatchCommand = 3;
constexpr int SaveJadCommand = 4;
constexpr int RunCommand = 5;
constexpr int ScreenshotCommand = 6;
constexpr int OpenMenuCommand = 10;
constexpr int RunChosenMenuCommand = 20;
constexpr int ExitMenuCommand = 30;

inline constexpr const char* MainWindowTitle = "Tolvanex";
inline constexpr const char* PreviewWindowTitle = "Копия зкрана эмулятора";

inline constexpr const char* FileMenuTitle = "&Файл";
inline constexpr const char* OpenMenuText = "&Открыть JAR";
inline constexpr const char* RunChosenMenuText = "&Выполнить EXE";
inline constexpr const char* ExitMenuText = "В&ыход";

inline constexpr const char* OpenTooltip = "Открыть мидлет";
inline constexpr const char* PropertiesTooltip = "Свойства мидлета";
inline constexpr const char* ConvertTooltip = "Сохранить как EXE";
inline constexpr const char* SaveJadTooltip = "Сохранить новый JAD";
inline constexpr const char* RunTooltip = "Запустить EXE";
inline constexpr const char* ScreenshotTooltip = "Сделать скриншот эмулятора";
inline constexpr const char* BatchTooltip = "Найти и преобразовать все JAR в EXE";
inline constexpr const char* AboutCaption = "?";

// Message boxes, by their number in the catalogue.
inline constexpr const char* InformationTitle = "Information";
inline constexpr const char* AboutText =
    "GUI для эмулятора сотового телефона Quarnell.Автор - Brelkin.Ищите меня на форуме "
    "http://forum.tolvanex.example/";                                          // 1
inline constexpr const char* DroppedText = " Выбран файл:\r\r";                 // 2, then the path
inline constexpr const char* AttentionTitle = "Внимание!";                      // 3
inline constexpr const char* NotUnpackedText = "Выбранный Вами файл не является JAD файлом, или испорчен!";
inline constexpr const char* NoFileTitle = " Informacion";                      // 4
inline constexpr const char* NoFileText = "Файл не выбран!";
inline constexpr const char* NoManifestText = "Нет информации о файле!";        // 5
inline constexpr const char* JadWrittenText = "Создан файл -";                  // 6, then the name
inline constexpr const char* JadNotWrittenText = "Не возможно записать Jad файл!";  // 7
inline constexpr const char* ConvertedText = "Файл ";                           // 8: name, then the tail
inline constexpr const char* ConvertedTail = " преобразован!";
inline constexpr const char* DoneTitle = "Готово!";                             // 9, 10
inline constexpr const char* CancelledText = "Отменено пользователем!";
inline constexpr const char* BatchDoneText = "Преобразовано ";                  // then the count
inline constexpr const char* BatchDoneTail = "JAR !";
inline constexpr const char* NoEmulatorTitle = "Внимание!!!";                  // 11
inline constexpr const char* NoEmulatorText = "Для снятия копии экрана эмулятора требуется его запустить!";

// Requesters.
inline constexpr const char* RunChosenTitle = "Открыть и запустить EXE";
inline constexpr const char* RunChosenPattern = "Исполняемые файлы (*.exe)|*.exe";
inline constexpr const char* OpenMidletTitle = "Открыть мидлет";
inline constexpr const char* OpenMidletPattern = "Midlet J2ME (*.jar)|*.jar";
inline constexpr const char* BatchFolderTitle = "Откройте папку с файлами JAR";
inline constexpr const char* ScreenshotTitle = "Назовите файл для вывода";
inline constexpr const char* ScreenshotPattern = "JPG (*.jpg)|*.jpg";
inline constexpr const char* ScreenshotDefaultName = "image0.jpg";  // in the home folder
