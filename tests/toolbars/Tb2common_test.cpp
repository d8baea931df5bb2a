// Tests of the framework's shared routines: text measuring with accelerators, rounding, the menu show delay from
// the registry, and inverted outlines.
#include "toolbars/Tb2common.h"
#include "tests/support/TempFolder.h"

#include "platform/controls/TestHarness.h"
#include "platform/graphics/Graphics.h"
#include "platform/win/RegistryStore.h"
#include "platform/win/WinReg.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

namespace {

TEST(Tb2common, AcceleratorsInTextWidthsAndAccelChars) {
  Harness::Start();
  TBitmap B;
  B.SetSize(10, 10);
  HDC DC = B.Canvas()->Handle();
  EXPECT_EQ(GetTextWidth(DC, "&File", true), GetTextWidth(DC, "File", false));
  EXPECT_EQ(GetTextWidth(DC, "A&&B", true), GetTextWidth(DC, "A&B", false));
  EXPECT_EQ(FindAccelChar("&Open && &Save"), 'S');
  EXPECT_EQ(FindAccelChar("a&&b"), 0);
  EXPECT_EQ(FindAccelChar("trailing&"), 0);
}

TEST(Tb2common, DivRoundUp) {
  EXPECT_EQ(DivRoundUp(7, 2), 4);
  EXPECT_EQ(DivRoundUp(6, 2), 3);
  EXPECT_EQ(DivRoundUp(-7, 2), -4);
  EXPECT_EQ(DivRoundUp(0, 3), 0);
  // A negative quotient that truncates to 0 moves away from zero too, never to +1.
  EXPECT_EQ(DivRoundUp(-1, 2), -1);
  EXPECT_EQ(DivRoundUp(1, -2), -1);
}

TEST(Tb2common, ListSortExSortsWithTheCallersExtraValue) {
  int Values[] = {5, 3, 9, 1, 7, 3};
  TList List;
  for (int& V : Values) {
    List.Add(&V);
  }
  int Descending = -1;
  ListSortEx(&List, [](void* A, void* B, void* Extra) {
    return (*static_cast<int*>(A) - *static_cast<int*>(B)) * *static_cast<int*>(Extra);
  }, &Descending);
  std::vector<int> Sorted;
  for (Integer I = 0; I < List.Count(); ++I) {
    Sorted.push_back(*static_cast<int*>(List.Items(I)));
  }
  EXPECT_EQ(Sorted, (std::vector<int>{9, 7, 5, 3, 3, 1}));
  std::unique_ptr<TList> Lazy;
  EXPECT_TRUE(AddToList(Lazy, &Values[0]));
  EXPECT_FALSE(AddToList(Lazy, &Values[0]));
  RemoveFromList(Lazy, &Values[0]);
  EXPECT_EQ(Lazy, nullptr);  // an emptied list is freed
}

TEST(Tb2common, MenuShowDelayFromTheRegistry) {
  const TestSupport::TTempFolder Temp("zubq-tb2common");
  setenv("ZUBQ_REGISTRY_DIR", Temp.Path().c_str(), 1);
  RegistryResetForTests();
  EXPECT_EQ(ReadMenuShowDelayFromRegistry(), 400);  // no key
  HKEY Key = 0;
  ASSERT_EQ(RegCreateKey(HKEY_CURRENT_USER, "Control Panel\\Desktop", &Key), ERROR_SUCCESS);
  EXPECT_EQ(ReadMenuShowDelayFromRegistry(), 400);  // no value
  auto Set = [Key](const std::string& S) {
    RegSetValueEx(Key, "MenuShowDelay", 0, REG_SZ, reinterpret_cast<const BYTE*>(S.c_str()),
                  static_cast<DWORD>(S.size() + 1));
  };
  Set("250");
  EXPECT_EQ(ReadMenuShowDelayFromRegistry(), 250);
  Set("soon");
  EXPECT_EQ(ReadMenuShowDelayFromRegistry(), 0);
  Set("-5");
  EXPECT_EQ(ReadMenuShowDelayFromRegistry(), 0);
  DWORD Number = 100;
  RegSetValueEx(Key, "MenuShowDelay", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&Number), sizeof(Number));
  EXPECT_EQ(ReadMenuShowDelayFromRegistry(), 0);  // not a string
  RegCloseKey(Key);
  RegistryResetForTests();
  // The platform's setting answers first.
  EXPECT_EQ(GetMenuShowDelay(), 400);
}

TEST(Tb2common, DrawingAnOutlineTwiceRestoresThePixels) {
  Harness::Start();
  TBitmap B;
  B.SetPixelFormat(pf32bit);
  B.SetSize(40, 40);
  TCanvas* C = B.Canvas();
  for (int Y = 0; Y < 40; ++Y) {
    for (int X = 0; X < 40; ++X) {
      C->SetPixels(X, Y, static_cast<TColor>(RGB(X * 6, Y * 6, 100)));
    }
  }
  const TRect New = Rect(5, 5, 30, 30);
  const TRect Old = Rect(8, 3, 35, 25);
  DrawHalftoneInvertRect(C->Handle(), &New, nullptr, TSize{3, 3}, TSize{3, 3});
  // The ring is inverted through the checkerboard (every other pixel)...
  EXPECT_TRUE(C->Pixels(5, 5) != static_cast<TColor>(RGB(30, 30, 100)) ||
              C->Pixels(6, 5) != static_cast<TColor>(RGB(36, 30, 100)));
  EXPECT_EQ(C->Pixels(15, 15), static_cast<TColor>(RGB(90, 90, 100)));  // ...its inside is not
  // Moving the outline erases the old ring and draws the new one in one pass.
  DrawHalftoneInvertRect(C->Handle(), &Old, &New, TSize{3, 3}, TSize{3, 3});
  DrawHalftoneInvertRect(C->Handle(), nullptr, &Old, TSize{3, 3}, TSize{3, 3});
  for (int Y = 0; Y < 40; ++Y) {
    for (int X = 0; X < 40; ++X) {
      ASSERT_EQ(C->Pixels(X, Y), static_cast<TColor>(RGB(X * 6, Y * 6, 100))) << X << "," << Y;
    }
  }
}

}  // namespace
