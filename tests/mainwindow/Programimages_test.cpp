// The main window's images drawn at run time and the application's icon: registered as the program's resources,
// loaded into the toolbars' image list, and shown by the desktop.
#include "MainFormFixture.h"

#include "mainwindow/Programimages.h"

#include "platform/controls/TestHarnessDesktop.h"
#include "platform/graphics/Graphics.h"
#include "platform/win/ApplicationIcon.h"
#include "platform/win/Resources.h"

#include <set>
#include <string>

namespace {

TEST(Programimages, EveryImageIsRegisteredWithItsSize) {
  RegisterProgramImages();
  const std::pair<const char*, int> Kinds[] = {{RESULT_IMAGES_RESOURCE, 12}, {PAGE_IMAGES_RESOURCE, 8}};
  for (const auto& [Prefix, Size] : Kinds) {
    std::set<std::uint32_t> Centres;
    for (int I = 0; I < RESULT_IMAGE_COUNT; ++I) {
      TBitmap Image;
      Image.LoadFromResourceName(0, Prefix + std::to_string(I));
      EXPECT_EQ(Image.Width(), Size) << Prefix << I;
      EXPECT_EQ(Image.Height(), Size) << Prefix << I;
      Centres.insert(static_cast<std::uint32_t>(Image.Canvas()->Pixels(Size / 2 - 1, Size / 2 + 1)));
    }
    EXPECT_GE(Centres.size(), 4u) << Prefix;  // the kinds look different
  }
  TBitmap Strip;
  Strip.LoadFromResourceName(0, TOOLBAR_IMAGES_RESOURCE);
  EXPECT_EQ(Strip.Width(), TOOLBAR_IMAGE_SIZE * TOOLBAR_IMAGE_COUNT);
  EXPECT_EQ(Strip.Height(), TOOLBAR_IMAGE_SIZE);
  // No cell is left empty.
  for (int I = 0; I < TOOLBAR_IMAGE_COUNT; ++I) {
    int Drawn = 0;
    for (int Y = 0; Y < TOOLBAR_IMAGE_SIZE; ++Y) {
      for (int X = 0; X < TOOLBAR_IMAGE_SIZE; ++X) {
        Drawn += Strip.Canvas()->Pixels(I * TOOLBAR_IMAGE_SIZE + X, Y) != clFuchsia ? 1 : 0;
      }
    }
    EXPECT_GT(Drawn, 10) << "image " << I;
  }
}

TEST_F(MainFormTest, TheToolbarsShowTheStripAndTheDesktopTheProgramsIcon) {
  EXPECT_EQ(Form->EditorImageList->Count(), TOOLBAR_IMAGE_COUNT);
  EXPECT_EQ(Form->EditorImageList->Width(), TOOLBAR_IMAGE_SIZE);
  EXPECT_EQ(Form->EditorToolbar->Images(), Form->EditorImageList);
  EXPECT_EQ(Form->EditorMainMenu->Images(), Form->EditorImageList);
  // The layer reports the newest system family: its icon file comes from the program folder.
  ASSERT_NE(Form->ApplicationIcon, nullptr);
  EXPECT_EQ(GetApplicationIcon(), Form->ApplicationIcon->Handle());
  EXPECT_EQ(static_cast<HICON>(SendMessage(Form->Handle(), WM_GETICON, ICON_BIG, 0)), Form->ApplicationIcon->Handle());
  Form->Show();
  Harness::RunUntilIdle();
  EXPECT_EQ(Harness::WindowIconPixel(Form->Handle()) >> 24, 0xFFu);
}

}  // namespace
