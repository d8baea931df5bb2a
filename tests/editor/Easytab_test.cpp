// Tests of tab stops and the conversion between characters and display columns.
#include "editor/Easytab.h"

#include "platform/rtl/Exceptions.h"

#include <gtest/gtest.h>

TEST(EasyTabStops, StopsContinueByTheLastStep) {
  TTabStopList T;
  EXPECT_EQ(T.Get(0), 8);
  EXPECT_EQ(T.Get(5), 8);
  EXPECT_EQ(T.Get(8), 16);
  T.SetTabStops("4,6");
  const int After[][2] = {{0, 4}, {3, 4}, {4, 6}, {5, 6}, {6, 8}, {7, 8}, {8, 10}, {11, 12}};
  for (const auto& A : After) {
    EXPECT_EQ(T.Get(A[0]), A[1]) << A[0];
  }
  EXPECT_EQ(T.GetPrev(9), 8);
  EXPECT_EQ(T.GetPrev(5), 4);
  EXPECT_EQ(T.GetPrev(2), 0);
  EXPECT_EQ(T.Get(2147483647), 2147483647);
  T.SetTabStops("");
  EXPECT_EQ(T.Get(0), 8);
}

TEST(EasyTabStops, BadListsRaiseAndKeepThePreviousStops) {
  TTabStopList T;
  T.SetTabStops("3,6,9");
  for (const char* Bad : {"4,4", "0", "-2", "5,3"}) {
    try {
      T.SetTabStops(Bad);
      ADD_FAILURE() << Bad;
    } catch (const Exception& E) {
      EXPECT_EQ(E.Message(), "Invalid Tab Stop") << Bad;
    }
  }
  EXPECT_THROW(T.SetTabStops("4,x"), EConvertError);
  EXPECT_EQ(T.GetTabStops(), "3,6,9");
  EXPECT_EQ(T.Get(4), 6);
}

TEST(EasyTabStops, ExpandsAndConvertsPositions) {
  TTabStopList T;
  EXPECT_EQ(T.GetRealString("\tx"), "        x");
  EXPECT_EQ(T.GetRealString("abcde\tx"), "abcde   x");
  struct {
    int Column, Index, InTab;
  } Cases[] = {{0, 0, 0}, {3, 0, 3}, {7, 0, 7}, {8, 1, 0}, {9, 2, 0}};
  for (const auto& C : Cases) {
    int InTab = -1;
    int Width = -1;
    EXPECT_EQ(T.PosToRealPos("\txy", C.Column, InTab, Width), C.Index) << C.Column;
    EXPECT_EQ(InTab, C.InTab) << C.Column;
  }
  // A character's display column is where it starts, so the two conversions agree.
  const std::string Line = "a\tb\t\tc";
  for (int Index = 0; Index <= static_cast<int>(Line.size()); ++Index) {
    EXPECT_EQ(T.PosToRealPos(Line, T.RealPosToPos(Line, Index)), Index) << Index;
  }
  EXPECT_EQ(T.RealPosToPos(Line, 2), 8);
  EXPECT_EQ(T.RealPosToPos(Line, 5), 24);
}
