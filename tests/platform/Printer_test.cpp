// Tests of printing: the printer's page geometry and a two-page PDF from TPrinter.
#include "platform/graphics/Printers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

namespace {

std::string ReadFile(const std::string& Name) {
  std::ifstream In(Name, std::ios::binary);
  std::stringstream S;
  S << In.rdbuf();
  return S.str();
}

TEST(Printer, PageGeometryFollowsTheOrientation) {
  TPrinter P;
  ASSERT_GE(P.Printers()->Count(), 1);
  EXPECT_EQ(P.Printers()->Strings(0), "PDF");
  HDC DC = P.Handle();
  EXPECT_EQ(GetDeviceCaps(DC, LOGPIXELSX), 150);
  EXPECT_EQ(GetDeviceCaps(DC, PHYSICALWIDTH), 1241);
  EXPECT_EQ(GetDeviceCaps(DC, PHYSICALHEIGHT), 1754);
  EXPECT_EQ(GetDeviceCaps(DC, PHYSICALOFFSETX), 37);
  EXPECT_EQ(P.PageWidth(), 1241 - 74);
  EXPECT_EQ(P.PageHeight(), 1754 - 74);
  P.SetOrientation(poLandscape);
  EXPECT_EQ(P.PageWidth(), 1754 - 74);
  // The canvas measures in printer dots: 10-point Courier New is 150/96 times its screen size.
  P.Canvas()->Font()->SetName("Courier New");
  P.Canvas()->Font()->SetSize(10);
  EXPECT_EQ(P.Canvas()->Font()->Height(), -21);
  EXPECT_THROW(P.NewPage(), EPrinter);
  EXPECT_THROW(P.SetPrinterIndex(99), EPrinter);
  // The screen has no paper.
  HDC Screen = GetDC(0);
  EXPECT_EQ(GetDeviceCaps(Screen, LOGPIXELSY), 96);
  EXPECT_EQ(GetDeviceCaps(Screen, PHYSICALWIDTH), 0);
  ReleaseDC(0, Screen);
}

TEST(Printer, TwoPagesMakeATwoPagePdf) {
  std::string File = std::string(ZUBQ_BINARY_DIR) + "/printer-test.pdf";
  std::filesystem::remove(File);
  TPrinter P;
  P.Title = "Two pages";
  P.OutputFileName = File;
  P.BeginDoc();
  EXPECT_TRUE(P.Printing());
  EXPECT_THROW(P.BeginDoc(), EPrinter);
  P.Canvas()->TextOut(0, 0, "Page one");
  P.Canvas()->Rectangle(0, 40, P.PageWidth(), 200);
  EXPECT_EQ(GetPixel(P.Handle(), 0, 40), RGB(0, 0, 0));
  P.NewPage();
  EXPECT_EQ(P.PageNumber(), 2);
  EXPECT_EQ(GetPixel(P.Handle(), 0, 40), RGB(255, 255, 255));  // a fresh page
  P.Canvas()->TextOut(0, 0, "Page two");
  P.EndDoc();
  EXPECT_FALSE(P.Printing());
  std::string Pdf = ReadFile(File);
  ASSERT_GT(Pdf.size(), 100u);
  EXPECT_EQ(Pdf.substr(0, 5), "%PDF-");
  std::regex PageObject("/Type\\s*/Page[^s]");
  auto Pages = std::distance(std::sregex_iterator(Pdf.begin(), Pdf.end(), PageObject), std::sregex_iterator());
  EXPECT_EQ(Pages, 2);
  // An aborted document leaves no file.
  std::string Aborted = std::string(ZUBQ_BINARY_DIR) + "/printer-aborted.pdf";
  P.OutputFileName = Aborted;
  P.BeginDoc();
  P.Abort();
  EXPECT_TRUE(P.Aborted());
  EXPECT_FALSE(std::filesystem::exists(Aborted));
}

}  // namespace
