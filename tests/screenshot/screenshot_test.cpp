// The screenshot's file names, and two screenshots in a row of a running
// emulator (on the X server, when there is one).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <unistd.h>

#include "app/catalogue.h"
#include "imaging/image_slots.h"
#include "imaging/screenshot.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/screen.h"
#include "platform/shell.h"
#include "platform/shell_testing.h"
#include "platform/transcript.h"
#include "tests/shell/test_main.h"

namespace {

TEST(ScreenshotName, JpgIsAppendedUnlessTheNameEndsInIt) {
  const char* const cases[][2] = {
      {"shot", "shot.jpg"},          {"shot.JPG", "shot.JPG"}, {"shot.Jpg", "shot.Jpg"},
      {"shot.jpeg", "shot.jpeg.jpg"}, {"a", "a.jpg"},           {"/x/y/.jpg", "/x/y/.jpg"},
  };
  for (const auto& c : cases) EXPECT_EQ(JpegFileNameOf(c[0]), c[1]) << c[0];
}

TEST(Screenshot, TwoInARowReplaceThePreviewAndTheCapture) {
  if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no X display";
  char folder[] = "/tmp/tolvanex-shot-XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  std::string jar = std::string(folder) + "/game.jar";
  ASSERT_EQ(std::system((std::string(MAKE_TEST_JAR) + " " + jar + " >/dev/null").c_str()), 0);
  ASSERT_EQ(std::system((std::string(QUARNELL) + " -jar " + jar).c_str()), 0);
  StartTolvanexOnce();
  ASSERT_TRUE(RunProgram(std::string(folder) + "/game.exe"));
  int tries = 0;
  while (FindWindowByClass("QTR_VOSK_FRAME_CLASS") == 0 && tries++ < 600) SleepMilliseconds(50);
  ASSERT_NE(FindWindowByClass("QTR_VOSK_FRAME_CLASS"), 0u);

  SetTranscriptActive(true);  // the requester is answered instead of shown
  QueueRequesterAnswer(std::string(folder) + "/first");
  TakeScreenshot();
  EXPECT_TRUE(WindowExists(PreviewWindow));
  EXPECT_FALSE(WindowVisible(PreviewWindow));
  EXPECT_EQ(ImageSlotOf(1).width, 185);
  EXPECT_EQ(ImageSlotOf(1).height, 215);
  EXPECT_EQ(ScreenshotPath, std::string(folder) + "/first.jpg");
  EXPECT_GT(FileSizeOf(ScreenshotPath), 0);

  QueueRequesterAnswer(std::string(folder) + "/second.jpg");
  TakeScreenshot();
  ProcessPendingEvents();
  EXPECT_TRUE(WindowExists(PreviewWindow));
  int x = 0, y = 0, width = 0, height = 0;
  ASSERT_TRUE(ControlGeometry(PreviewWindow, CaptureView, &x, &y, &width, &height));
  EXPECT_EQ(x, 5);
  EXPECT_EQ(y, 10);
  EXPECT_EQ(width, 185);
  EXPECT_EQ(height, 215);
  EXPECT_TRUE(ImageControlHasPicture(PreviewWindow, CaptureView));
  EXPECT_GT(FileSizeOf(std::string(folder) + "/second.jpg"), 0);
  SetTranscriptActive(false);
  EndStartedProcesses();
  std::system((std::string("rm -rf ") + folder).c_str());
}

}  // namespace
