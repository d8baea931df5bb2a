// The code editor's print dialog: its texts, the options it shows and the options OK gives back.
#include "codeeditor/Vuvudipr.h"
#include "treeview/Vuvudipg.h"
#include "tests/suitebase/SuiteEnvironment.h"
#include "tests/support/Forms.h"

#include <memory>

using namespace Vuvudi;
using Vuvudipr::TMemoPrintForm;

namespace {

class PrintDialog : public SuiteFolders {
protected:
  void SetUp() override {
    SuiteFolders::SetUp();
    Harness::Start();
    Form.reset(static_cast<TMemoPrintForm*>(TMemoPrintForm::StaticClass()->NewInstance(Application)));
  }
  void TearDown() override {
    Form.reset();
    SuiteFolders::TearDown();
  }
  std::unique_ptr<TMemoPrintForm> Form;
};

TEST_F(PrintDialog, ShowsTheOptionsAndOkRebuildsThemFromTheSevenBoxes) {
  EXPECT_EQ(Form->Caption(), "Print");
  EXPECT_EQ(Form->ClientWidth(), 425);
  EXPECT_EQ(Form->ClientHeight(), 249);
  EXPECT_EQ(Form->WrapLinesCheck->Caption(), "&Wrap lines");
  EXPECT_EQ(Form->LeftMarginEdit->Text(), "");
  // Without the help button Setup takes OK's place and the standard buttons move right.
  EXPECT_FALSE(Form->HelpBut->Visible());
  EXPECT_EQ(Form->SetupBut->Left(), 184);

  Form->Options = ZEZPrintOptions{poPrintHeader, poInColor, poWrapLines};
  Form->FormShow(Form.get());
  EXPECT_TRUE(Form->HeaderCheck->Checked());
  EXPECT_TRUE(Form->UseColorCheck->Checked());
  EXPECT_TRUE(Form->WrapLinesCheck->Checked());
  EXPECT_FALSE(Form->LineNumbersCheck->Checked());
  EXPECT_FALSE(Form->SyntaxPrintCheck->Checked());
  EXPECT_FALSE(Form->ShowPrintProgress->Checked());

  Form->HeaderCheck->SetChecked(false);
  Form->LineNumbersCheck->SetChecked(true);
  Form->PrintSelCheck->SetChecked(true);
  Form->OkButClick(Form->OkBut);
  EXPECT_EQ(Form->Options, (ZEZPrintOptions{poPrintSel, poLineNumbers, poInColor, poWrapLines}));

  Form->PrintSelCheckChange(Form->PrintSelCheck);
  EXPECT_EQ(Form->Caption(), "Print Selection");
  Form->PrintSelCheck->SetChecked(false);
  Form->PrintSelCheckChange(Form->PrintSelCheck);
  EXPECT_EQ(Form->Caption(), "Print");
}

}  // namespace

namespace {

TEST_F(PrintDialog, ProgressWindowStacksItsWordWrappingLabelsInOnePanel) {
  std::unique_ptr<TMemoPrintProgress> P(
      static_cast<TMemoPrintProgress*>(TMemoPrintProgress::StaticClass()->NewInstance(Application)));
  ASSERT_NE(P->pnlInfo, nullptr);
  EXPECT_EQ(P->ClientWidth(), 353);
  EXPECT_EQ(P->ClientHeight(), 129);
  for (TLabel* L : {P->lblPrinter, P->lblFileName, P->lblProgress}) {
    EXPECT_EQ(L->Parent(), P->pnlInfo) << L->Name();
    EXPECT_EQ(L->Align(), alTop) << L->Name();
    EXPECT_TRUE(L->WordWrap()) << L->Name();
  }
  P->lblFileName->SetCaption(std::string(12, ' ') + std::string(40, 'x') + " " + std::string(40, 'y') + " " +
                             std::string(40, 'z') + " " + std::string(40, 'w'));
  P->Show();
  Harness::RunUntilIdle();
  EXPECT_LT(P->lblPrinter->Top(), P->lblFileName->Top());
  EXPECT_LT(P->lblFileName->Top(), P->lblProgress->Top());
  // A long name takes more than one line and pushes the progress line down.
  EXPECT_GT(P->lblProgress->Top() - P->lblFileName->Top(), P->lblPrinter->Height());
}

}  // namespace

#include "codeeditor/Vuvudi.h"
#include "platform/classes/Streams.h"
#include "platform/graphics/Metafiles.h"

namespace {

class VuvudiPictures : public SuiteFolders {
protected:
  void SetUp() override {
    SuiteFolders::SetUp();
    Harness::Start();
    Form = TestSupport::Make<TForm>(Application);
    Form->SetBounds(40, 40, 400, 300);
    Memo = TestSupport::Make<ZEZMemo>(Form, Form, TRect{0, 0, 300, 200});
    Form->Show();
    Memo->SetText("first line\n  second line\nthird\n");
    Harness::RunUntilIdle();
  }
  void TearDown() override {
    delete Form;
    SuiteFolders::TearDown();
  }
  TForm* Form = nullptr;
  ZEZMemo* Memo = nullptr;
};

// The share of pixels that two pictures of one size have alike.
double Alike(TBitmap& A, TBitmap& B) {
  if (A.Width() != B.Width() || A.Height() != B.Height() || A.Width() == 0) {
    return 0;
  }
  long Same = 0;
  for (int Y = 0; Y < A.Height(); ++Y) {
    for (int X = 0; X < A.Width(); ++X) {
      Same += A.Canvas()->Pixels(X, Y) == B.Canvas()->Pixels(X, Y);
    }
  }
  return static_cast<double>(Same) / (A.Width() * A.Height());
}

TEST_F(VuvudiPictures, TheThreeFileFormatsShowWhatTheBitmapShows) {
  TBitmap Direct;
  Memo->DrawToBitmap(&Direct);
  ASSERT_EQ(Direct.Width(), Memo->ClientWidth());
  ASSERT_EQ(Direct.Height(), Memo->ClientHeight());
  // Text shows: a dark pixel somewhere in the first row.
  bool Ink = false;
  for (int X = 0; X < Direct.Width() && !Ink; ++X) {
    for (int Y = 0; Y < 14 && !Ink; ++Y) {
      Ink = GetRValue(ColorToRGB(Direct.Canvas()->Pixels(X, Y))) < 100;
    }
  }
  EXPECT_TRUE(Ink);
  const std::string Dir = Temp.Path();
  for (ZEZGraphicsFormat F : {gfBitmap, gfMetafile, gfEnhancedMetafile}) {
    const std::string Name = Dir + "/picture" + std::to_string(static_cast<int>(F));
    Memo->DrawToFile(Name, F);
    std::unique_ptr<TGraphic> G;
    if (F == gfBitmap) {
      G = std::make_unique<TBitmap>();
    } else {
      G = std::make_unique<TMetafile>();
    }
    G->LoadFromFile(Name);
    if (F != gfBitmap) {
      EXPECT_EQ(static_cast<TMetafile*>(G.get())->Enhanced, F == gfEnhancedMetafile);
    }
    EXPECT_EQ(G->Width(), Memo->ClientWidth());
    EXPECT_EQ(G->Height(), Memo->ClientHeight());
    TBitmap Back;
    Back.SetSize(G->Width(), G->Height());
    Back.Canvas()->Draw(0, 0, G.get());
    EXPECT_GT(Alike(Back, Direct), 0.99) << static_cast<int>(F);
  }
}

}  // namespace

#include "platform/graphics/Printers.h"

#include <cstdio>
#include <filesystem>

namespace {

std::string RunCommand(const std::string& Command) {
  std::string Out;
  if (FILE* P = popen(Command.c_str(), "r")) {
    char Buf[512];
    while (std::size_t N = fread(Buf, 1, sizeof Buf, P)) {
      Out.append(Buf, N);
    }
    pclose(P);
  }
  return Out;
}

int PdfPages(const std::string& File) {
  const std::string Info = RunCommand("pdfinfo '" + File + "' 2>/dev/null");
  const auto At = Info.find("Pages:");
  return At == std::string::npos ? -1 : std::atoi(Info.c_str() + At + 6);
}

TEST_F(VuvudiPictures, PrintsPagesWithTheirHeaderTextsAndCancelEndsAfterThePage) {
  if (RunCommand("command -v pdfinfo").empty()) {
    GTEST_SKIP() << "pdfinfo is missing";
  }
  const std::string File = Temp.Path() + "/memo.pdf";
  Printer()->OutputFileName = File;
  // An empty text prints nothing.
  Memo->SetText("");
  Memo->PrintOptions = ZEZPrintOptions{};
  Memo->Print();
  EXPECT_FALSE(std::filesystem::exists(File));

  std::string Text;
  for (int I = 0; I < 400; ++I) {
    Text += "line " + std::to_string(I) + "\n";
  }
  Memo->SetText(Text);
  Memo->GetSource()->SetObjectName("memo.txt");
  std::vector<std::string> Headers, Footers;
  Memo->OnBeforePrint = [&](TObject*, std::string& S, TPrintType Kind) {
    (Kind == ptHeader ? Headers : Footers).push_back(S);
  };
  Memo->PrintOptions = ZEZPrintOptions{poPrintHeader};
  Memo->Print();
  const int Pages = PdfPages(File);
  ASSERT_GT(Pages, 2);
  ASSERT_EQ(static_cast<int>(Footers.size()), Pages);
  EXPECT_EQ(Footers[2], "Page 3/" + std::to_string(Pages));
  EXPECT_EQ(Headers[0], "memo.txt");

  // Cancel in the progress window during page 2 ends the document after page 2.
  std::filesystem::remove(File);
  Memo->PrintOptions = ZEZPrintOptions{poPrintHeader, poShowProgress};
  Memo->OnBeforePrint = [&](TObject*, std::string& S, TPrintType Kind) {
    if (Kind == ptFooter && S.rfind("Page 2/", 0) == 0) {
      for (int I = 0; I < Screen->FormCount(); ++I) {
        if (auto* P = dynamic_cast<TMemoPrintProgress*>(Screen->Forms(I))) {
          P->ModalResult = mrCancel;
        }
      }
    }
  };
  Memo->Print();
  EXPECT_EQ(PdfPages(File), 2);
  Printer()->OutputFileName.clear();
}

}  // namespace
