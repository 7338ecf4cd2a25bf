// The main window right after start-up.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/catalogue.h"
#include "platform/shell_testing.h"
#include "tests/shell/test_main.h"
#include "workflows/workflow_state.h"

namespace {

struct ControlBox {
  int id, x, y, width, height;
};

TEST(StartUp, WindowIsFixedAndTitled) {
  StartTolvanexOnce();
  int x = 0, y = 0, width = 0, height = 0;
  ASSERT_TRUE(ClientGeometry(MainWindow, &x, &y, &width, &height));
  int menu = MenuBarHeight(MainWindow);
  EXPECT_GT(menu, 0);
  EXPECT_EQ(width, 350);
  EXPECT_EQ(height, 250 - menu);  // the menu bar takes its height out of the 250
  EXPECT_EQ(WindowTitle(MainWindow), "Tolvanex");
  EXPECT_FALSE(WindowResizable(MainWindow));
}

TEST(StartUp, ControlsStandWhereTheyBelong) {
  StartTolvanexOnce();
  const ControlBox boxes[] = {
      {DescriptorView, 50, 30, 200, 150}, {ProgressBar, 1, 200, 349, 25}, {AboutButton, 328, 30, 20, 20}};
  for (const ControlBox& box : boxes) {
    int x = 0, y = 0, width = 0, height = 0;
    ASSERT_TRUE(ControlGeometry(MainWindow, box.id, &x, &y, &width, &height)) << box.id;
    EXPECT_EQ(x, box.x) << box.id;
    EXPECT_EQ(y, box.y) << box.id;
    EXPECT_EQ(width, box.width) << box.id;
    EXPECT_EQ(height, box.height) << box.id;
  }
  int x = 0, y = 0, width = 0, height = 0;
  EXPECT_FALSE(ControlGeometry(MainWindow, IconView, &x, &y, &width, &height));
  ASSERT_TRUE(ToolbarGeometry(MainWindow, &x, &y, &width, &height));
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  EXPECT_EQ(width, 350);
}

TEST(StartUp, TextsAndProgress) {
  StartTolvanexOnce();
  EXPECT_EQ(ControlText(MainWindow, DescriptorView), " ");
  EXPECT_TRUE(DescriptorText.empty());
  EXPECT_EQ(ControlText(MainWindow, AboutButton), "?");
  EXPECT_EQ(ProgressPosition(MainWindow, ProgressBar), 0);
}

TEST(StartUp, MenuHasItsItemsAllEnabled) {
  StartTolvanexOnce();
  std::vector<std::string> expected = {"&Файл", "&Открыть JAR", "&Выполнить EXE", "-", "В&ыход"};
  EXPECT_EQ(MenuTexts(MainWindow), expected);
  for (int id : {OpenMenuCommand, RunChosenMenuCommand, ExitMenuCommand}) EXPECT_TRUE(MenuItemEnabled(MainWindow, id));
}

TEST(StartUp, ToolbarButtonsTooltipsAndStates) {
  StartTolvanexOnce();
  struct Button {
    int id;
    const char* tooltip;
    bool enabled;
  };
  const Button buttons[] = {
      {0, "Свойства мидлета", false},   {1, "Открыть мидлет", true},
      {2, "Сохранить как EXE", false},  {3, "Найти и преобразовать все JAR в EXE", true},
      {4, "Сохранить новый JAD", false}, {5, "Запустить EXE", false},
      {6, "Сделать скриншот эмулятора", false},
  };
  for (const Button& button : buttons) {
    ASSERT_TRUE(ToolButtonExists(MainWindow, button.id)) << button.id;
    EXPECT_EQ(ToolButtonTooltip(MainWindow, button.id), button.tooltip) << button.id;
    EXPECT_EQ(ToolButtonEnabled(MainWindow, button.id) != 0, button.enabled) << button.id;
    EXPECT_TRUE(ToolButtonHasImage(MainWindow, button.id)) << "button " << button.id << " is blank";
  }
}

TEST(StartUp, TooltipShowsOverDisabledButton) {
  StartTolvanexOnce();
  ASSERT_FALSE(ToolButtonEnabled(MainWindow, PropertiesCommand));
  EXPECT_EQ(HoverToolButton(MainWindow, PropertiesCommand), "Свойства мидлета");
}

TEST(StartUp, DisabledButtonProducesNoCommand) {
  StartTolvanexOnce();
  ClickCommand(MainWindow, ScreenshotCommand);
  ProcessPendingEvents();
  ShellEvent event;
  EXPECT_FALSE(TakeShellEvent(&event));
  ClickCommand(MainWindow, BatchCommand);
  ProcessPendingEvents();
  ASSERT_TRUE(TakeShellEvent(&event));
  EXPECT_EQ(event.kind, EventKind::Command);
  EXPECT_EQ(event.id, BatchCommand);
}

}  // namespace
