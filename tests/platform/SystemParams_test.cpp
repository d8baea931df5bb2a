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

}  // namespace
