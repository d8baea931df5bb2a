// The print preview window.
#include "editor/Easypreviewdlg.h"

#include "editor/Easyeditor.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>

Z_IMPLEMENT_CLASS_PUBLISHED(TPreviewForm, TForm, TPreviewForm::Publish)

TPreviewForm* PreviewForm = nullptr;

namespace {

void RegisterPreviewClasses() {
  static const bool Done = [] {
    RegisterClasses({TPanel::StaticClass(), TSpeedButton::StaticClass(), TComboBox::StaticClass(),
                     TButton::StaticClass(), TEasyPrintPreview::StaticClass()});
    return true;
  }();
  (void)Done;
}

// The bar's pictures, 16 x 16 on white: print, magnifier, one page, multiple pages, print setup, then the
// first, previous, next and last page arrows.
void DrawGlyph(TBitmap* B, int Kind) {
  B->SetSize(16, 16);
  TCanvas* C = B->Canvas();
  C->Brush()->SetColor(clWhite);
  C->FillRect(Rect(0, 0, 16, 16));
  C->Pen()->SetColor(clBlack);
  C->Brush()->SetColor(clSilver);
  auto Sheet = [C](int X, int Y, int W, int H) {
    C->Brush()->SetColor(clWhite);
    C->Rectangle(X, Y, X + W, Y + H);
    C->MoveTo(X + 2, Y + 3);
    C->LineTo(X + W - 2, Y + 3);
  };
  switch (Kind) {
    case 0:
      C->Rectangle(1, 6, 15, 12);
      Sheet(4, 1, 8, 6);
      break;
    case 1:
      C->Brush()->SetColor(clWhite);
      C->Ellipse(1, 1, 11, 11);
      C->Pen()->SetWidth(2);
      C->MoveTo(9, 9);
      C->LineTo(14, 14);
      break;
    case 2: Sheet(3, 1, 10, 14); break;
    case 3:
      Sheet(1, 1, 7, 10);
      Sheet(8, 5, 7, 10);
      break;
    case 4:
      C->Rectangle(1, 6, 15, 12);
      C->Brush()->SetColor(clNavy);
      C->Ellipse(10, 1, 15, 6);
      break;
    default: {
      C->Brush()->SetColor(clBlack);
      const bool Left = Kind == 5 || Kind == 6;
      const int Tip = Left ? 4 : 12;
      const int Base = Left ? 11 : 5;
      C->Polygon({TPoint{Tip, 8}, TPoint{Base, 3}, TPoint{Base, 13}});
      if (Kind == 5 || Kind == 8) {
        const int X = Kind == 5 ? 3 : 13;
        C->Rectangle(X - 1, 3, X + 1, 13);
      }
      break;
    }
  }
}

}  // namespace

void TPreviewForm::Publish(TMetaClass& Meta) {
  TPublisher<TPreviewForm> P(Meta);
  P.Field("ToolPanel", &TPreviewForm::ToolPanel);
  P.Field("EasyPrintPreview", &TPreviewForm::EasyPrintPreview);
  P.Field("tbPrint", &TPreviewForm::tbPrint);
  P.Field("tbMagnifier", &TPreviewForm::tbMagnifier);
  P.Field("tbOnePage", &TPreviewForm::tbOnePage);
  P.Field("tbMultiplePages", &TPreviewForm::tbMultiplePages);
  P.Field("tbPrintSetup", &TPreviewForm::tbPrintSetup);
  P.Field("cbZoom", &TPreviewForm::cbZoom);
  P.Field("sbFirstPage", &TPreviewForm::sbFirstPage);
  P.Field("sbPrevPage", &TPreviewForm::sbPrevPage);
  P.Field("sbNextPage", &TPreviewForm::sbNextPage);
  P.Field("sbLastPage", &TPreviewForm::sbLastPage);
  P.Field("btClose", &TPreviewForm::btClose);
}

TPreviewForm::TPreviewForm(TComponent* AOwner) : TForm((RegisterPreviewClasses(), AOwner)) {}

TPreviewForm::~TPreviewForm() {
  if (PreviewForm == this) {
    PreviewForm = nullptr;
  }
}

void TPreviewForm::AfterConstruction() {
  TForm::AfterConstruction();
  ToolbarImages = new TImageList(this);
  ToolbarImages->AfterConstruction();
  ToolbarImages->SetWidth(16);
  ToolbarImages->SetHeight(16);
  TSpeedButton* Buttons[] = {tbPrint,     tbMagnifier, tbOnePage,  tbMultiplePages, tbPrintSetup,
                             sbFirstPage, sbPrevPage,  sbNextPage, sbLastPage};
  for (int I = 0; I < 9; ++I) {
    TBitmap Glyph;
    DrawGlyph(&Glyph, I);
    if (I < 5) {
      ToolbarImages->AddMasked(&Glyph, clWhite);
    }
    Buttons[I]->SetGlyph(&Glyph);
  }
  PrintDialog = new TPrintDialog(this);
  PrintDialog->Options = TPrintDialogOptions{poPrintToFile, poPageNums};
  PercentMode = true;
  EasyPrintPreview->OnResize = [this](TObject* S) { EasyPrintPreviewResize(S); };
  EasyPrintPreview->OnChange = [this](TObject* S) { EasyPrintPreviewChange(S); };
  tbPrint->OnClick = [this](TObject* S) { tbPrintClick(S); };
  tbMagnifier->OnClick = [this](TObject* S) { tbMagnifierClick(S); };
  tbOnePage->OnClick = [this](TObject* S) { tbOnePageClick(S); };
  tbMultiplePages->OnClick = [this](TObject* S) { tbMultiplePagesClick(S); };
  tbPrintSetup->OnClick = [this](TObject* S) { tbPrintSetupClick(S); };
  cbZoom->OnClick = [this](TObject* S) { cbZoomClick(S); };
  cbZoom->OnKeyPress = [this](TObject* S, char& Key) { cbZoomKeyPress(S, Key); };
  for (TSpeedButton* B : {sbFirstPage, sbPrevPage, sbNextPage, sbLastPage}) {
    B->OnClick = [this](TObject* S) { sbFirstPageClick(S); };
  }
  btClose->OnClick = [this](TObject* S) { btCloseClick(S); };
  OnClose = [](TObject*, TCloseAction& Action) { Action = caFree; };
  OnShow = [this](TObject*) { UpdatePageButtons(); };
}

void TPreviewForm::SetEdit(TCustomEasyEdit* Editor) {
  InitPrintSettings(Editor);
  EasyPrintPreview->SetPageIndex(0);
  EasyPrintPreview->SetEditor(nullptr);
  EasyPrintPreview->SetEditor(Editor);
  SetCaption(Format("Preview [%s]", {Editor->GetEditSource()->FileName}));
  UpdatePageButtons();
}

TCustomEasyEdit* TPreviewForm::GetEdit() const { return EasyPrintPreview->Editor(); }

void TPreviewForm::SetScale(int N) {
  EasyPrintPreview->SetScale(N);
  EasyPrintPreview->AdjustToRect(EasyPrintPreview->ClientRect());
}

void TPreviewForm::ChangeZoom(bool Force) {
  if (Force || !PercentMode) {
    cbZoom->SetText(IntToStr(EasyPrintPreview->Scale()) + "%");
  }
}

void TPreviewForm::HandleZoomItem(int Index) {
  PercentMode = true;
  if (Index == 8 || Index == 9) {
    PercentMode = false;
    FitKind = static_cast<TEasyScaleType>(Index - 8);
    EasyPrintPreviewResize(EasyPrintPreview);
  } else if (Index >= 0) {
    std::string Text = cbZoom->Items()->Strings(Index);
    if (!Text.empty() && Text.back() == '%') {
      Text.pop_back();
    }
    SetScale(StrToInt(Text));
  }
  ChangeZoom(false);
}

void TPreviewForm::cbZoomClick(TObject*) { HandleZoomItem(cbZoom->ItemIndex()); }

void TPreviewForm::cbZoomKeyPress(TObject*, char& Key) {
  if (Key != '\r' && Key != '\n') {
    return;
  }
  const std::string Text = cbZoom->Text();
  Key = 0;
  for (int I = 0; I < cbZoom->Items()->Count(); ++I) {
    if (cbZoom->Items()->Strings(I) == Text) {
      cbZoom->SetItemIndex(I);
      HandleZoomItem(I);
      return;
    }
  }
  PercentMode = true;
  std::string Number = Text;
  if (!Number.empty() && Number.back() == '%') {
    Number.pop_back();
  }
  SetScale(StrToInt(Number));
}

void TPreviewForm::EasyPrintPreviewResize(TObject*) {
  if (PercentMode) {
    EasyPrintPreview->AdjustToRect(EasyPrintPreview->ClientRect());
  } else {
    EasyPrintPreview->AdjustToScale(EasyPrintPreview->ClientRect(), FitKind);
  }
  ChangeZoom(false);
}

void TPreviewForm::EasyPrintPreviewChange(TObject*) {
  UpdatePageButtons();
  ChangeZoom(true);
}

void TPreviewForm::tbOnePageClick(TObject*) {
  EasyPrintPreview->SetColumns(1);
  EasyPrintPreview->SetRows(1);
  SetScale(100);
  ChangeZoom(true);
  PercentMode = true;
}

void TPreviewForm::tbMultiplePagesClick(TObject*) {
  PercentMode = true;
  SetScale(25);
  ChangeZoom(true);
}

void TPreviewForm::tbMagnifierClick(TObject*) { EasyPrintPreview->SetUseMagnifier(tbMagnifier->Down()); }

void TPreviewForm::tbPrintSetupClick(TObject*) {
  PrintDialog->MaxPage = std::max(EasyPrintPreview->GetPageCount() - 1, 0);
  PrintDialog->Execute();
}

void TPreviewForm::tbPrintClick(TObject*) {
  const bool Range = PrintDialog->PrintRange == prPageNums;
  EasyPrintPreview->PrintEx(Range ? PrintDialog->FromPage : 0, Range ? PrintDialog->ToPage : 0, Range,
                            PrintDialog->Copies);
}

void TPreviewForm::sbFirstPageClick(TObject* Sender) {
  const int Count = EasyPrintPreview->GetPageCount();
  const int Index = EasyPrintPreview->PageIndex();
  switch (static_cast<TComponent*>(Sender)->Tag()) {
    case 0: EasyPrintPreview->SetPageIndex(0); break;
    case 1: EasyPrintPreview->SetPageIndex(std::max(Index - 1, 0)); break;
    case 2: EasyPrintPreview->SetPageIndex(std::max(std::min(Index + 1, Count - 1), 0)); break;
    case 3: EasyPrintPreview->SetPageIndex(std::max(Count - 1, 0)); break;
    default: break;
  }
  UpdatePageButtons();
}

void TPreviewForm::UpdatePageButtons() {
  const int Index = EasyPrintPreview->PageIndex();
  sbPrevPage->SetEnabled(Index > 0);
  sbNextPage->SetEnabled(Index < EasyPrintPreview->GetPageCount() - 1);
  sbFirstPage->SetEnabled(true);
  sbLastPage->SetEnabled(true);
}

void TPreviewForm::btCloseClick(TObject*) { Close(); }

TPreviewForm* PrintPreview(TCustomEasyEdit* Editor) {
  auto* Form = new TPreviewForm(Application);
  Form->AfterConstruction();
  Form->SetEdit(Editor);
  Form->Show();
  return Form;
}
