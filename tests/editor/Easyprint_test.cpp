// Printing and the preview control: page ranges, headers and page numbers printed to real PDF files (checked
// with poppler's pdfinfo and pdftoppm), copies as separate jobs, progress reports, black-on-white printing,
// selections, and the preview's zoom arithmetic and magnifier.
#include "tests/editor/EditorWindowSupport.h"

#include "editor/Easyprint.h"
#include "platform/graphics/Metafiles.h"
#include "platform/graphics/Printers.h"

#include <cstdio>
#include <vector>

namespace {

// A printer that counts what it is asked to do.
class TCountingPrinter : public TPrinter {
public:
  void BeginDoc() override {
    ++Docs;
    PagesPerDoc.push_back(1);
    TPrinter::BeginDoc();
  }
  void NewPage() override {
    ++PagesPerDoc.back();
    TPrinter::NewPage();
  }
  void EndDoc() override {
    ++Ends;
    TPrinter::EndDoc();
  }
  int Docs = 0;
  int Ends = 0;
  std::vector<int> PagesPerDoc;
};

std::string Shell(const std::string& Command) {
  std::string Out;
  if (FILE* P = popen(Command.c_str(), "r")) {
    char Buf[512];
    while (fgets(Buf, sizeof Buf, P) != nullptr) {
      Out += Buf;
    }
    pclose(P);
  }
  return Out;
}

class Printing : public EditorWindowTest {
protected:
  void SetUp() override {
    EditorWindowTest::SetUp();
    Saved.Assign(PrintSettings());
    PrintSettings()->Init();
    Dir = std::filesystem::temp_directory_path() / ("zubq_print_" + std::to_string(::getpid()));
    std::filesystem::create_directories(Dir);
    Old = SetPrinter(&Counting);
    Counting.OutputFileName = (Dir / "out.pdf").string();
    OnDisplayPrinProgress = nullptr;
  }
  void TearDown() override {
    SetPrinter(Old);
    OnDisplayPrinProgress = nullptr;
    PrintSettings()->Assign(&Saved);
    if (std::getenv("ZUBQ_KEEP_PRINTS") == nullptr) {
      std::filesystem::remove_all(Dir);
    }
    EditorWindowTest::TearDown();
  }
  // Lines of page p (of LinesPerPage lines each) are p + 1 groups of "XXXXX", so a printed page shows its index
  // in the width of its text.
  void FillPages(int Pages, int LinesPerPage) {
    std::string S;
    for (int P = 0; P < Pages; ++P) {
      for (int L = 0; L < LinesPerPage; ++L) {
        S += std::string(static_cast<std::size_t>(5 * (P + 1)), 'X') + "\r\n";
      }
    }
    Edit->GetLines()->SetTextBuffer(S.data(), S.size());
  }
  TEasyPrintPreview* NewPreview() {
    auto* P = new TEasyPrintPreview(Form);
    P->AfterConstruction();
    P->SetParent(Form);
    P->SetBounds(0, 0, 600, 400);
    P->HandleNeeded();
    Edit->SetVisible(false);
    return P;
  }
  int InternalLinesPerPage(TEasyPrintPreview* P) {
    TCustomEasyEdit* E = P->InternalEditor();
    TEasyPage* Page = E->Pages()->Page(0);
    return (Page->GetRealPageSize().cy - Page->TopIndent() - Page->BottomIndent()) / E->EasyPainter()->LineHeight();
  }
  TEasyPrintSettings Saved;
  TCountingPrinter Counting;
  TPrinter* Old = nullptr;
  std::filesystem::path Dir;
};

// The darkest pixels of a grey PPM image: how far right dark pixels reach in rows [Y0, Y1) and whether any is
// dark in a rectangle.
struct TPpm {
  int W = 0;
  int H = 0;
  std::vector<unsigned char> Px;
  bool Load(const std::string& File) {
    FILE* F = fopen(File.c_str(), "rb");
    if (F == nullptr) {
      return false;
    }
    int Max = 0;
    const bool Ok = fscanf(F, "P6 %d %d %d", &W, &H, &Max) == 3;
    fgetc(F);
    Px.resize(static_cast<std::size_t>(W) * static_cast<std::size_t>(H) * 3);
    const bool Read = Ok && fread(Px.data(), 1, Px.size(), F) == Px.size();
    fclose(F);
    return Read;
  }
  bool Dark(int X, int Y) const {
    const std::size_t I = (static_cast<std::size_t>(Y) * static_cast<std::size_t>(W) + static_cast<std::size_t>(X)) * 3;
    return Px[I] < 160 && Px[I + 1] < 160 && Px[I + 2] < 160;
  }
  int RightmostDark(int Y0, int Y1) const {
    int R = -1;
    for (int Y = Y0; Y < Y1 && Y < H; ++Y) {
      for (int X = 0; X < W; ++X) {
        if (Dark(X, Y)) {
          R = std::max(R, X);
        }
      }
    }
    return R;
  }
  int FirstDarkRow(int Y0) const {
    for (int Y = Y0; Y < H; ++Y) {
      for (int X = 0; X < W; ++X) {
        if (Dark(X, Y)) {
          return Y;
        }
      }
    }
    return -1;
  }
  bool AnyDark(const TRect& R) const {
    for (int Y = std::max(R.Top, 0); Y < std::min(R.Bottom, H); ++Y) {
      for (int X = std::max(R.Left, 0); X < std::min(R.Right, W); ++X) {
        if (Dark(X, Y)) {
          return true;
        }
      }
    }
    return false;
  }
};

TEST_F(Printing, APageRangePrintsThosePagesWithHeaderAndNumbersToAPdf) {
  if (Shell("command -v pdfinfo pdftoppm").empty()) {
    GTEST_SKIP() << "poppler-utils (pdfinfo, pdftoppm) are not installed";
  }
  PrintSettings()->Header = "HEADER";
  TEasyPrintPreview* Preview = NewPreview();
  Preview->SetEditor(Edit);
  const int Lpp = InternalLinesPerPage(Preview);
  ASSERT_GT(Lpp, 20);
  FillPages(5, Lpp);
  Preview->SetEditor(nullptr);
  Preview->SetEditor(Edit);
  ASSERT_EQ(Preview->GetPageCount(), 5);
  // The header and the number take room above and below the text: the indents are at least a line of "Wg".
  TEasyPage* Page = Preview->InternalEditor()->Pages()->Page(0);
  EXPECT_GE(Page->TopIndent(), Edit->EasyPainter()->LineHeight() - 2);
  EXPECT_EQ(Page->LeftGutterWidth(), 0);
  Preview->PrintEx(2, 3, true, 1);
  ASSERT_EQ(Counting.Docs, 1);
  EXPECT_EQ(Counting.Ends, 1);
  const std::string Pdf = Counting.OutputFileName;
  ASSERT_TRUE(std::filesystem::exists(Pdf));
  EXPECT_NE(Shell("pdfinfo '" + Pdf + "'").find("Pages:           2"), std::string::npos) << Shell("pdfinfo " + Pdf);
  Shell("pdftoppm -r 40 '" + Pdf + "' '" + (Dir / "p").string() + "'");
  TPpm A;
  TPpm B;
  ASSERT_TRUE(A.Load((Dir / "p-1.ppm").string()));
  ASSERT_TRUE(B.Load((Dir / "p-2.ppm").string()));
  // Header at the top left of each sheet; the first text row below it is 15 marks wide on the first printed
  // sheet (page index 2) and 20 on the second (page index 3).
  const int HeaderRow = A.FirstDarkRow(0);
  ASSERT_GE(HeaderRow, 0);
  EXPECT_LT(HeaderRow, A.H / 20);
  const int TextRow = A.FirstDarkRow(HeaderRow + 8);
  ASSERT_GT(TextRow, HeaderRow);
  const int WidthA = A.RightmostDark(TextRow, TextRow + 4);
  const int WidthB = B.RightmostDark(TextRow, TextRow + 4);
  const int Left = [&] {
    for (int X = 0; X < A.W; ++X) {
      for (int Y = TextRow; Y < TextRow + 4; ++Y) {
        if (A.Dark(X, Y)) {
          return X;
        }
      }
    }
    return 0;
  }();
  EXPECT_NEAR(static_cast<double>(WidthB - Left) / (WidthA - Left), 20.0 / 15.0, 0.08);
  // Page numbers: at half the width near the bottom, and different on the two sheets.
  const TRect Number = Rect(A.W / 2 - 4, A.H * 8 / 10, A.W / 2 + A.W / 10, A.H);
  EXPECT_TRUE(A.AnyDark(Number));
  EXPECT_TRUE(B.AnyDark(Number));
  bool Differ = false;
  for (int Y = Number.Top; Y < Number.Bottom && !Differ; ++Y) {
    for (int X = Number.Left; X < Number.Right; ++X) {
      if (A.Dark(X, Y) != B.Dark(X, Y)) {
        Differ = true;
        break;
      }
    }
  }
  EXPECT_TRUE(Differ) << "pages 3 and 4 carry different numbers";
  std::printf("[ figures ] rendering %.1f ms, printer output %.1f ms\n", Preview->LastRenderMs, Preview->LastOutputMs);
}

TEST_F(Printing, CopiesAreSeparateJobsAndProgressIsAlwaysClosed) {
  FillPages(3, 80);
  TEasyPrintPreview* Preview = NewPreview();
  Preview->SetEditor(Edit);
  const int Count = Preview->GetPageCount();
  ASSERT_GE(Count, 3);
  std::vector<std::string> Log;
  OnDisplayPrinProgress = [&](TObject*, TEasyPrintProgressType Kind, int Page, int N) {
    Log.push_back(std::to_string(static_cast<int>(Kind)) + ":" + std::to_string(Page) + "/" + std::to_string(N));
    return true;
  };
  PrintSettings()->Options.Exclude(prDisplayProgress);
  Preview->PrintEx(0, 0, false, 2);
  EXPECT_EQ(Counting.Docs, 2);
  EXPECT_EQ(Counting.Ends, 2);
  EXPECT_EQ(Counting.PagesPerDoc, (std::vector<int>{Count, Count}));
  const std::string Last = "2:" + std::to_string(Count) + "/" + std::to_string(Count);
  EXPECT_EQ(Log, (std::vector<std::string>{Last, Last})) << "only the closing report without progress on";
  // With reports on, an answer of false stops the job, which still ends with the closing report.
  Log.clear();
  PrintSettings()->Options.Include(prDisplayProgress);
  OnDisplayPrinProgress = [&](TObject*, TEasyPrintProgressType Kind, int Page, int N) {
    Log.push_back(std::to_string(static_cast<int>(Kind)) + ":" + std::to_string(Page) + "/" + std::to_string(N));
    return !(Kind == ppProgress && Page == 1 && N != Page);
  };
  Preview->PrintEx(0, 5, true, 1);
  EXPECT_EQ(Counting.Ends, 3);
  ASSERT_GE(Log.size(), 4U);
  EXPECT_EQ(Log.front(), "0:0/0");
  EXPECT_EQ(Log[1], "2:0/" + std::to_string(Count));
  EXPECT_EQ(Log[Log.size() - 2], Last);
  EXPECT_EQ(Log.back(), "1:0/0");
  EXPECT_EQ(Counting.PagesPerDoc.back(), 2) << "the second page was started, then the job stopped";
}

TEST_F(Printing, WithoutTheColourOptionTextPrintsBlackOnWhite) {
  Edit->SetColor(clNavy);
  Edit->Font()->SetColor(clYellow);
  FillPages(1, 10);
  PrintSettings()->Options.Exclude(prPrintColor);
  TEasyPrintPreview* Preview = NewPreview();
  Preview->SetEditor(Edit);
  auto Render = [&] {
    TMetafile* Image = Preview->RenderPage(0);
    TBitmap B;
    B.SetSize(Image->Width(), Image->Height());
    B.Canvas()->StretchDraw(Rect(0, 0, Image->Width(), Image->Height()), Image);
    TEasyPage* P = Preview->InternalEditor()->Pages()->Page(0);
    const TRect T = Rect(P->LeftIndent(), P->TopIndent(), P->LeftIndent() + 40, P->TopIndent() + 12);
    bool Black = false;
    for (int Y = T.Top; Y < T.Bottom; ++Y) {
      for (int X = T.Left; X < T.Right; ++X) {
        const COLORREF C = ColorToRGB(B.Canvas()->Pixels(X, Y));
        Black = Black || (GetRValue(C) < 80 && GetGValue(C) < 80 && GetBValue(C) < 80);
      }
    }
    return std::make_pair(B.Canvas()->Pixels(300, 300), Black);
  };
  auto [Back, Black] = Render();
  EXPECT_EQ(Back, clWhite);
  EXPECT_TRUE(Black);
  PrintSettings()->Options.Include(prPrintColor);
  Preview->SetEditor(nullptr);
  Preview->SetEditor(Edit);
  EXPECT_EQ(Render().first, clNavy);
}

TEST_F(Printing, ASelectionPrintsOnlyItsTextOnTheEditorsPages) {
  FillPages(4, 60);
  Edit->GetDefaultPage()->SetPageSize(psA4);
  Edit->GetDefaultPage()->SetOrientation(pgLandscape);
  Edit->SetPageType(ptPageLayout);
  PrintSettings()->Scope = psSelectedText;
  TEasyPrintPreview* Preview = NewPreview();
  Preview->SetEditor(Edit);
  EXPECT_EQ(Preview->InternalEditor()->LineCount(), Edit->LineCount()) << "no selection: the whole text";
  Edit->SetSelection(Rect(0, 70, 0, 90), slStream);
  Preview->SetEditor(nullptr);
  Preview->SetEditor(Edit);
  TCustomEasyEdit* Internal = Preview->InternalEditor();
  EXPECT_LE(Internal->LineCount(), 21);
  EXPECT_EQ(Internal->GetLines()->Get(0), std::string(10, 'X'));
  ASSERT_GE(Internal->Pages()->Count(), 1);
  EXPECT_EQ(Internal->Pages()->Page(0)->PageSize(), psA4);
  EXPECT_EQ(Internal->Pages()->Page(0)->Orientation(), pgLandscape);
  EXPECT_EQ(Preview->GetPageCount(), 1);
}

TEST_F(Printing, AParagraphWrappedAcrossSheetsPrintsEveryRowOnce) {
  if (Shell("command -v pdfinfo pdftoppm").empty()) {
    GTEST_SKIP() << "poppler-utils (pdfinfo, pdftoppm) are not installed";
  }
  PrintSettings()->Options.Exclude(prPrintHeader);
  PrintSettings()->Options.Exclude(prPageNumbers);
  PrintSettings()->Options.Include(prWrapLines);
  TEasyPrintPreview* Preview = NewPreview();
  Preview->SetEditor(Edit);
  TCustomEasyEdit* E = Preview->InternalEditor();
  const int Rows = E->Pages()->Page(0)->TextRows();
  const int Columns = E->PageLayoutWrapWidth(E->Pages()->Page(0)) / E->Painter()->GetDefaultCharWidth();
  ASSERT_GT(Rows, 20);
  // One paragraph of low letters (rows of ink with clear gaps between them) over two and a half sheets, and a
  // short line after it; the editor shows it wrapped on its own sheets.
  std::string Text;
  for (int I = 0; I < (2 * Rows + Rows / 2) * (Columns / 5); ++I) {
    Text += "xxxx ";
  }
  Text += "\r\nxxx\r\n";
  Edit->GetLines()->SetTextBuffer(Text.data(), Text.size());
  Edit->SetPageType(ptPageLayout);
  Edit->SetWordWrap(true);
  Edit->GetPageIndexAt(TPoint{0, 1}, true);
  Preview->SetEditor(nullptr);
  Preview->SetEditor(Edit);
  E = Preview->InternalEditor();
  TEasyWrapList* L = E->WrapList();
  ASSERT_EQ(L->Row(L->Count() - 1).Line, 1) << "wrapped to the end";
  const int Total = L->Count();
  const int Sheets = (Total + Rows - 1) / Rows;
  ASSERT_GE(Sheets, 3);
  EXPECT_EQ(Preview->GetPageCount(), Sheets);
  EXPECT_NE(E->Pages()->Page(0)->LastChar, EasyMaxInt) << "the first sheet ends inside the paragraph";
  Preview->Print();
  const std::string Pdf = Counting.OutputFileName;
  EXPECT_NE(Shell("pdfinfo '" + Pdf + "'").find("Pages:           " + std::to_string(Sheets)), std::string::npos)
      << Shell("pdfinfo " + Pdf);
  Shell("pdftoppm -r 72 '" + Pdf + "' '" + (Dir / "w").string() + "'");
  // Every printed row is a band of ink: each sheet but the last holds a full sheet of rows, all of them once.
  int Printed = 0;
  for (int P = 1; P <= Sheets; ++P) {
    TPpm Image;
    ASSERT_TRUE(Image.Load((Dir / ("w-" + std::to_string(P) + ".ppm")).string())) << "sheet " << P;
    int Bands = 0;
    bool Inked = false;
    for (int Y = 0; Y < Image.H; ++Y) {
      const bool Ink = Image.RightmostDark(Y, Y + 1) >= 0;
      Bands += Ink && !Inked ? 1 : 0;
      Inked = Ink;
    }
    if (P < Sheets) {
      EXPECT_EQ(Bands, Rows) << "sheet " << P;
    }
    Printed += Bands;
  }
  EXPECT_EQ(Printed, Total);
}

TEST_F(Printing, PreviewZoomArithmetic) {
  FillPages(12, 60);
  TEasyPrintPreview* Preview = NewPreview();
  Preview->SetEditor(Edit);
  Preview->SetScale(0);
  EXPECT_EQ(Preview->Scale(), 1);
  Preview->SetRows(0);
  EXPECT_EQ(Preview->Rows(), 1);
  Preview->SetPageInterval(-5);
  EXPECT_EQ(Preview->PageInterval(), 0);
  EXPECT_EQ(TEasyPrintPreview::FitScale(100 * 800, 768 + 32), 100);
  EXPECT_EQ(TEasyPrintPreview::FitScale(100 * 799, 768 + 32), 98);
  EXPECT_EQ(TEasyPrintPreview::FitScale(0, 800), 1);
  // The Letter sheet is 816 pixels wide: a rectangle 32 wider fits it at 100 %, one pixel less at 98 %.
  Preview->AdjustToScale(Rect(0, 0, 848, 600), stPageWidth);
  EXPECT_EQ(Preview->Scale(), 100);
  Preview->AdjustToScale(Rect(0, 0, 847, 600), stPageWidth);
  EXPECT_EQ(Preview->Scale(), 98);
  Preview->AdjustToScale(Rect(0, 0, 848, 600), stWholePage);
  EXPECT_EQ(Preview->Scale(), 54) << "60000 / 1086 leaves a remainder: one less than 55";
  // A rectangle wide enough for 30 pages side by side gives at most 10 columns.
  Preview->SetScale(10);
  Preview->AdjustToRect(Rect(0, 0, 30 * 100, 200));
  EXPECT_EQ(Preview->Columns(), 10);
  EXPECT_EQ(Preview->Rows(), 1);
  // The magnifier alternates between 100 % and 50 % and shows the matching cursor.
  Preview->SetUseMagnifier(true);
  int Changes = 0;
  Preview->OnChange = [&](TObject*) { ++Changes; };
  Harness::Click(Preview->Handle(), TPoint{50, 50});
  Harness::RunUntilIdle();
  EXPECT_EQ(Preview->Scale(), 100);
  EXPECT_EQ(Preview->Cursor, crMagnifierOut);
  Harness::Click(Preview->Handle(), TPoint{50, 50});
  Harness::RunUntilIdle();
  EXPECT_EQ(Preview->Scale(), 50);
  EXPECT_EQ(Preview->Cursor, crMagnifierIn);
  EXPECT_EQ(Changes, 2);
  EXPECT_NE(Screen->Cursors(crMagnifierIn), Screen->Cursors(crMagnifierOut));
  // Page keys move through the pages.
  Preview->SetFocus();
  Harness::KeyPress(VK_NEXT);
  Harness::RunUntilIdle();
  EXPECT_EQ(Preview->PageIndex(), 1);
  Harness::KeyPress(VK_PRIOR);
  Harness::KeyPress(VK_PRIOR);
  Harness::RunUntilIdle();
  EXPECT_EQ(Preview->PageIndex(), 0);
}

TEST_F(Printing, ThePreviewPaintsScaledSheets) {
  FillPages(3, 60);
  TEasyPrintPreview* Preview = NewPreview();
  Preview->SetEditor(Edit);
  Preview->SetScale(50);
  Preview->SetColumns(2);
  Form->Show();
  Harness::RunUntilIdle();
  const std::string File = (Dir / "preview.png").string();
  ASSERT_TRUE(Harness::SaveWindowPng(Preview->Handle(), File));
  Harness::TSavedImage Image;
  ASSERT_TRUE(Harness::LoadPng(File, Image));
  const TRect First = Preview->GetPageRect(Preview->PageStart, 0, false);
  EXPECT_EQ(First.Width(), 408);
  EXPECT_EQ(Image.At(First.Left + 200, First.Top + 5), Argb(clWhite)) << "sheet";
  EXPECT_EQ(Image.At(First.Left - 5, First.Top + 5), Argb(Preview->InternalEditor()->BorderColor())) << "background";
}

TEST_F(Printing, PrintEditorPrintsEveryPageWithoutShowingAnything) {
  FillPages(2, 80);
  const int Forms = Screen->FormCount();
  PrintEditor(Edit);
  EXPECT_EQ(Counting.Docs, 1);
  EXPECT_EQ(Counting.Ends, 1);
  ASSERT_EQ(Counting.PagesPerDoc.size(), 1U);
  EXPECT_GE(Counting.PagesPerDoc[0], 2);
  EXPECT_EQ(Screen->FormCount(), Forms) << "the hidden host is gone";
  // The header comes from the file name and word wrap from the editor.
  Edit->GetEditSource()->FileName = "/tmp/page.html";
  Edit->Gutter()->SetIndent(7);
  InitPrintSettings(Edit);
  EXPECT_EQ(PrintSettings()->Header, "/tmp/page.html");
  EXPECT_EQ(PrintSettings()->Indent, 7);
}

}  // namespace
