// Tests of SystemParametersInfo's fixed answers.
#include "platform/win/SystemParams.h"
#include "platform/win/WinUser.h"

#include <gtest/gtest.h>

namespace {

TEST(SystemParams, AnswersAreFixedAndAgreeWithTheMetrics) {
  UINT Lines = 0;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &Lines, 0));
  EXPECT_EQ(Lines, 3u);
  NONCLIENTMETRICS M;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, sizeof M, &M, 0));
  EXPECT_EQ(M.iScrollWidth, GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(M.iCaptionHeight + 1, GetSystemMetrics(SM_CYCAPTION));
  EXPECT_STREQ(M.lfMenuFont.lfFaceName, "Tahoma");
  EXPECT_EQ(M.lfCaptionFont.lfWeight, FW_BOLD);
  M.cbSize = 4;
  EXPECT_FALSE(SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 0, &M, 0));
  TRect Work;
  ASSERT_TRUE(SystemParametersInfo(SPI_GETWORKAREA, 0, &Work, 0));
  EXPECT_EQ(Work.Width(), GetSystemMetrics(SM_CXSCREEN));
  BOOL On = TRUE;
  for (UINT Off : {SPI_GETMENUANIMATION, SPI_GETMENUFADE, SPI_GETFLATMENU, SPI_GETDROPSHADOW}) {
    ASSERT_TRUE(SystemParametersInfo(Off, 0, &On, 0));
    EXPECT_FALSE(On) << Off;
  }
  for (UINT Yes : {SPI_GETKEYBOARDCUES, SPI_GETGRADIENTCAPTIONS, SPI_GETDRAGFULLWINDOWS}) {
    ASSERT_TRUE(SystemParametersInfo(Yes, 0, &On, 0));
    EXPECT_TRUE(On) << Yes;
  }
  UINT Hover = 0;
  SystemParametersInfo(SPI_GETMOUSEHOVERTIME, 0, &Hover, 0);
  EXPECT_EQ(Hover, 400u);
  EXPECT_TRUE(SystemParametersInfo(SPI_GETMENUFADE + 1, 0, nullptr, 0));  // a setting: accepted, ignored
  EXPECT_FALSE(SystemParametersInfo(0x7777, 0, &Hover, 0));
}

// Menu code is exercised with each menu setting: the show delay and the animation and fade switches read back
// what this process set, and go back to the desktop's values when set back.
TEST(SystemParams, MenuSettingsReadBackWhatWasSet) {
  DWORD Delay = 0;
  BOOL On = FALSE;
  ASSERT_TRUE(SystemParametersInfo(SPI_SETMENUSHOWDELAY, 150, nullptr, 0));
  ASSERT_TRUE(SystemParametersInfo(SPI_GETMENUSHOWDELAY, 0, &Delay, 0));
  EXPECT_EQ(Delay, 150u);
  ASSERT_TRUE(SystemParametersInfo(SPI_SETMENUANIMATION, 0, reinterpret_cast<void*>(1), 0));
  ASSERT_TRUE(SystemParametersInfo(SPI_GETMENUANIMATION, 0, &On, 0));
  EXPECT_TRUE(On);
  ASSERT_TRUE(SystemParametersInfo(SPI_SETMENUFADE, 0, reinterpret_cast<void*>(1), 0));
  ASSERT_TRUE(SystemParametersInfo(SPI_GETMENUFADE, 0, &On, 0));
  EXPECT_TRUE(On);
  SystemParametersInfo(SPI_SETMENUSHOWDELAY, 400, nullptr, 0);
  SystemParametersInfo(SPI_SETMENUANIMATION, 0, nullptr, 0);
  SystemParametersInfo(SPI_SETMENUFADE, 0, nullptr, 0);
  SystemParametersInfo(SPI_GETMENUSHOWDELAY, 0, &Delay, 0);
  SystemParametersInfo(SPI_GETMENUFADE, 0, &On, 0);
  EXPECT_EQ(Delay, 400u);
  EXPECT_FALSE(On);
  EXPECT_EQ(GetSystemMetrics(SM_CXMENUCHECK), 13);
  EXPECT_EQ(GetSystemMetrics(SM_CYMENUCHECK), 13);
}

}  // namespace
