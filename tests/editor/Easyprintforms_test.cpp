// The print dialog (selection choice, indent box, settings kept) and the preview window (zoom box, fitting,
// page buttons, printing from the preview), driven as a user would.
#include "tests/editor/EditorWindowSupport.h"
#include "tests/editor/FindTestSupport.h"

#include "editor/Easypreviewdlg.h"
#include "editor/Easyprintdlg.h"
#include "platform/graphics/Printers.h"
#include "platform/win/UtilWindow.h"

#include <filesystem>
#include <functional>

namespace {

class TJobPrinter : public TPrinter {
public:
  void BeginDoc() override {
    ++Docs;
    Pages = 1;
    TPrinter::BeginDoc();
  }
  void NewPage() override {
    ++Pages;
    TPrinter::NewPage();
  }
  int Docs = 0;
  int Pages = 0;
};

// Runs Action from inside the next modal loop: a posted message to a hidden window.
class TLater {
public:
  explicit TLater(std::function<void()> A) : Action(std::move(A)) {
    Wnd = AllocateHWnd([this](TMessage& M) {
      if (M.Msg == WM_APP + 7) {
        Action();
      }
    });
    PostMessage(Wnd, WM_APP + 7, 0, 0);
  }
  ~TLater() { DeallocateHWnd(Wnd); }
  std::function<void()> Action;
  HWND Wnd = 0;
};

TFrmPrintDlg* OpenPrintDialog() {
  for (int I = 0; I < Screen->FormCount(); ++I) {
    if (auto* F = dynamic_cast<TFrmPrintDlg*>(Screen->Forms(I))) {
      return F;
    }
  }
  return nullptr;
}

class PrintForms : public EditorWindowTest {
protected:
  void SetUp() override {
    // The print settings are saved to the settings file: a private one, never the user's.
    SettingsFileName() = (PrivateEnvironment().Dir / "temp" / "EasySettings.txt").string();
    EditorWindowTest::SetUp();
    Saved.Assign(PrintSettings());
    PrintSettings()->Init();
    std::string S;
    for (int I = 0; I < 300; ++I) {
      S += "A line of the document " + std::to_string(I) + "\r\n";
    }
    Edit->GetLines()->SetTextBuffer(S.data(), S.size());
    Edit->GetEditSource()->FileName = "/tmp/letter.txt";
    Old = SetPrinter(&Jobs);
    Jobs.OutputFileName =
        (std::filesystem::temp_directory_path() / ("zubq_forms_" + std::to_string(::getpid()) + ".pdf")).string();
  }
  void TearDown() override {
    SetPrinter(Old);
    std::filesystem::remove(Jobs.OutputFileName);
    PrintSettings()->Assign(&Saved);
    EditorWindowTest::TearDown();
  }
  TEasyPrintSettings Saved;
  TJobPrinter Jobs;
  TPrinter* Old = nullptr;
};

TEST_F(PrintForms, ThePrintDialogEditsAndKeepsTheSettings) {
  PrintSettings()->Scope = psSelectedText;
  PrintSettings()->Options.Exclude(prPrintHeader);
  bool SelEnabled = true;
  bool SelChecked = true;
  bool HeaderChecked = true;
  std::string Label;
  TLater Later([&] {
    TFrmPrintDlg* D = OpenPrintDialog();
    ASSERT_NE(D, nullptr);
    SelEnabled = D->chkPrintSel->Enabled();
    SelChecked = D->chkPrintSel->Checked();
    HeaderChecked = D->chkHeader->Checked();
    Label = D->lblFileName->Caption();
    D->chkLineNum->SetChecked(true);
    D->chkColorPrint->SetChecked(false);
    D->edLeftIndent->SetText("12abc");
    PostMessage(D->OkBut->Handle(), BM_CLICK, 0, 0);
  });
  ASSERT_TRUE(EditPrintSettings(Edit));
  EXPECT_FALSE(SelEnabled) << "no selection: the choice is disabled";
  EXPECT_FALSE(SelChecked);
  EXPECT_FALSE(HeaderChecked);
  EXPECT_EQ(Label, "FileName: /tmp/letter.txt");
  TEasyPrintSettings* S = PrintSettings();
  EXPECT_EQ(S->Scope, psGlobal);
  EXPECT_EQ(S->Indent, 0) << "letters in the indent box store 0";
  EXPECT_TRUE(S->Options.Contains(prLineNumbers));
  EXPECT_FALSE(S->Options.Contains(prPrintColor));
  // With a selection the choice is offered and checked; Cancel changes nothing.
  Edit->SetSelection(Rect(0, 2, 0, 5), slStream);
  TLater Again([&] {
    TFrmPrintDlg* D = OpenPrintDialog();
    ASSERT_NE(D, nullptr);
    SelEnabled = D->chkPrintSel->Enabled();
    SelChecked = D->chkPrintSel->Checked();
    D->edLeftIndent->SetText("40");
    PostMessage(D->CancelBut->Handle(), BM_CLICK, 0, 0);
  });
  EXPECT_FALSE(EditPrintSettings(Edit));
  EXPECT_TRUE(SelEnabled);
  EXPECT_TRUE(SelChecked);
  EXPECT_EQ(S->Indent, 0);
  // The choices persist through the settings file.
  S->Indent = 17;
  S->SaveSettings();
  S->Indent = 0;
  S->Options.Include(prPrintHeader);
  S->LoadSettings();
  EXPECT_EQ(S->Indent, 17);
  EXPECT_FALSE(S->Options.Contains(prPrintHeader));
  EXPECT_TRUE(S->Options.Contains(prLineNumbers));
}

TEST_F(PrintForms, ThePreviewWindowZoomsNavigatesAndPrints) {
  TPreviewForm* F = PrintPreview(Edit);
  Harness::RunUntilIdle();
  EXPECT_EQ(F->Caption(), "Preview [/tmp/letter.txt]");
  TEasyPrintPreview* P = F->EasyPrintPreview;
  const int Count = P->GetPageCount();
  ASSERT_GE(Count, 3);
  // Page buttons.
  EXPECT_FALSE(F->sbPrevPage->Enabled());
  EXPECT_TRUE(F->sbNextPage->Enabled());
  F->sbFirstPageClick(F->sbLastPage);
  EXPECT_EQ(P->PageIndex(), Count - 1);
  EXPECT_FALSE(F->sbNextPage->Enabled());
  EXPECT_TRUE(F->sbPrevPage->Enabled());
  F->sbFirstPageClick(F->sbPrevPage);
  EXPECT_EQ(P->PageIndex(), Count - 2);
  F->sbFirstPageClick(F->sbFirstPage);
  EXPECT_EQ(P->PageIndex(), 0);
  // The zoom box: a typed number, with or without a percent sign, then Enter.
  auto Type = [&](const std::string& Text) {
    F->cbZoom->SetText(Text);
    char Key = '\r';
    F->cbZoomKeyPress(F->cbZoom, Key);
    EXPECT_EQ(Key, 0);
  };
  Type("120");
  EXPECT_EQ(P->Scale(), 120);
  Type("75%");
  EXPECT_EQ(P->Scale(), 75);
  // A typed item name chooses that item: the whole page is fitted and its percentage shown.
  Type("Whole Page");
  EXPECT_FALSE(F->PercentMode);
  EXPECT_EQ(F->FitKind, stWholePage);
  EXPECT_EQ(F->cbZoom->Text(), std::to_string(P->Scale()) + "%");
  EXPECT_LT(P->Scale(), 75);
  // Page Width keeps the width fitted when the window is resized and shows the computed percentage.
  F->cbZoom->SetItemIndex(8);
  F->cbZoomClick(F->cbZoom);
  F->SetBounds(F->Left(), F->Top(), 500, 480);
  Harness::RunUntilIdle();
  const int Fitted = TEasyPrintPreview::FitScale(100 * P->ClientWidth(), 816 + 32);
  EXPECT_EQ(P->Scale(), Fitted);
  EXPECT_EQ(F->cbZoom->Text(), std::to_string(Fitted) + "%");
  F->tbMultiplePagesClick(F->tbMultiplePages);
  EXPECT_EQ(P->Scale(), 25);
  EXPECT_EQ(F->cbZoom->Text(), "25%");
  EXPECT_GT(P->Columns() * P->Rows(), 1);
  F->tbOnePageClick(F->tbOnePage);
  EXPECT_EQ(P->Scale(), 100);
  // Printing from the preview without Print Setup prints every page once.
  F->tbPrintClick(F->tbPrint);
  EXPECT_EQ(Jobs.Docs, 1);
  EXPECT_EQ(Jobs.Pages, Count);
  // With a page range chosen in the dialog, those pages (indexes, as From and To hold them).
  F->PrintDialog->PrintRange = prPageNums;
  F->PrintDialog->FromPage = 1;
  F->PrintDialog->ToPage = 2;
  F->PrintDialog->Copies = 2;
  F->tbPrintClick(F->tbPrint);
  EXPECT_EQ(Jobs.Docs, 3);
  EXPECT_EQ(Jobs.Pages, 2);
  // The magnifier button switches the preview's magnifier.
  F->tbMagnifier->SetDown(true);
  F->tbMagnifierClick(F->tbMagnifier);
  EXPECT_TRUE(P->UseMagnifier());
  F->btCloseClick(F->btClose);
  Harness::RunUntilIdle();
}

}  // namespace
