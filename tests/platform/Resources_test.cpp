// Tests of the resource table and the images loaded from it, from files and from the platform's stock.
#include "platform/classes/Streams.h"
#include "platform/graphics/Images.h"
#include "platform/win/Resources.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

namespace {

TEST(Resources, FindLoadLockAndStrings) {
  static const char Data[] = "raw bytes";
  RegisterResource(RT_RCDATA, "MyData", Data, sizeof Data);
  RegisterResource(RT_RCDATA, ResourceId(12), Data, 3);
  HRSRC R = FindResource(nullptr, "MYDATA", RT_RCDATA);
  ASSERT_NE(R, 0u);
  EXPECT_EQ(SizeofResource(nullptr, R), sizeof Data);
  EXPECT_STREQ(static_cast<const char*>(LockResource(LoadResource(nullptr, R))), "raw bytes");
  HRSRC ById = FindResource(nullptr, "#12", RT_RCDATA);
  ASSERT_NE(ById, 0u);
  EXPECT_EQ(ById, FindResource(nullptr, ResourceId(12), RT_RCDATA));
  EXPECT_EQ(SizeofResource(nullptr, ById), 3u);
  EXPECT_EQ(FindResource(nullptr, "MyData", RT_BITMAP), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  RegisterStringResource(65000, "Hello");
  char Buf[4];
  EXPECT_EQ(LoadString(nullptr, 65000, Buf, sizeof Buf), 3);
  EXPECT_STREQ(Buf, "Hel");
  EXPECT_EQ(LoadResString(65000), "Hello");
  EXPECT_EQ(LoadString(nullptr, 65001, Buf, sizeof Buf), 0);
  EXPECT_STREQ(Buf, "");
}

TEST(Resources, StockBitmapsAndIconsAreDrawnByTheLayer) {
  HBITMAP Boxes = LoadBitmap(nullptr, MAKEINTRESOURCE(OBM_CHECKBOXES));
  ASSERT_NE(Boxes, 0u);
  BITMAP B;
  GetObject(Boxes, sizeof B, &B);
  EXPECT_EQ(B.bmWidth, 52);
  EXPECT_EQ(B.bmHeight, 39);
  HDC DC = CreateCompatibleDC(0);
  HGDIOBJ Old = SelectObject(DC, Boxes);
  EXPECT_EQ(GetPixel(DC, 6, 6), RGB(255, 255, 255));   // unchecked: an empty white well
  EXPECT_EQ(GetPixel(DC, 13 + 4, 7), RGB(0, 0, 0));    // checked: the tick
  SelectObject(DC, Old);
  DeleteDC(DC);
  DeleteObject(Boxes);
  HICON Warning = LoadIcon(nullptr, MAKEINTRESOURCE(IDI_WARNING));
  ASSERT_NE(Warning, 0u);
  EXPECT_EQ(LoadIcon(nullptr, MAKEINTRESOURCE(IDI_EXCLAMATION)), Warning);  // shared
  TBitmap T;
  T.SetSize(32, 32);
  DrawIcon(T.Canvas()->Handle(), 0, 0, Warning);
  EXPECT_EQ(T.Canvas()->Pixels(8, 27), clYellow);
  EXPECT_EQ(T.Canvas()->Pixels(0, 0), clWhite);  // outside the triangle the canvas shows
  EXPECT_EQ(LoadBitmap(nullptr, MAKEINTRESOURCE(1)), 0u);
}

TEST(Resources, BitmapsAndIconsFromResourcesAndFiles) {
  TBitmap Src;
  Src.SetSize(4, 2);
  Src.Canvas()->SetPixels(3, 1, clRed);
  TMemoryStream S;
  Src.SaveToStream(&S);
  static std::string Headerless;
  Headerless.assign(static_cast<const char*>(S.Memory()) + 14, static_cast<std::size_t>(S.Size()) - 14);
  RegisterResource(RT_BITMAP, "Glyph", Headerless.data(), Headerless.size());
  HBITMAP B = LoadBitmap(reinterpret_cast<HINSTANCE>(1), "glyph");
  ASSERT_NE(B, 0u);
  TBitmap Got;
  Got.SetHandle(B);
  EXPECT_EQ(Got.Canvas()->Pixels(3, 1), clRed);
  TBitmap ViaClass;
  ViaClass.LoadFromResourceName(nullptr, "Glyph");
  EXPECT_EQ(ViaClass.Width(), 4);
  // From a file, stretched to twice the size.
  std::string File = std::string(ZUBQ_BINARY_DIR) + "/resources-test.bmp";
  Src.SaveToFile(File);
  auto H = reinterpret_cast<HBITMAP>(LoadImage(nullptr, File.c_str(), IMAGE_BITMAP, 8, 4, LR_LOADFROMFILE));
  ASSERT_NE(H, 0u);
  TBitmap Big;
  Big.SetHandle(H);
  EXPECT_EQ(Big.Width(), 8);
  EXPECT_EQ(Big.Canvas()->Pixels(7, 3), clRed);
  EXPECT_EQ(Big.Canvas()->Pixels(5, 1), clWhite);
  std::filesystem::remove(File);
  EXPECT_EQ(LoadImage(nullptr, "/no/such/file.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
  // A standard cursor through LoadImage is the shared handle.
  EXPECT_EQ(reinterpret_cast<HCURSOR>(LoadImage(nullptr, MAKEINTRESOURCE(32512), IMAGE_CURSOR, 0, 0, LR_SHARED)),
            static_cast<HCURSOR>(32512));
}

}  // namespace
