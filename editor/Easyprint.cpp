// Print settings, the preview control (internal editor, page images, grid painting, zoom arithmetic, input) and
// printing page images to the printer.
#include "editor/Easyprint.h"

#include "editor/Easyeditor.h"
#include "platform/controls/Forms.h"
#include "platform/graphics/Cursors.h"
#include "platform/graphics/Printers.h"
#include "platform/graphics/WinGdi.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/SystemParams.h"

#include <algorithm>
#include <chrono>

Z_IMPLEMENT_CLASS(TEasyPrintSettings, TEasySettings)
Z_IMPLEMENT_CLASS_PUBLISHED(TEasyPrintPreview, TScrollBox, TEasyPrintPreview::Publish)

TDisplayPrinProgressEvent OnDisplayPrinProgress;

namespace {

double MsSince(std::chrono::steady_clock::time_point T) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - T).count();
}

// A magnifying glass, 32 x 32, with a plus (zoom in) or a minus (zoom out) in its lens.
HCURSOR MakeMagnifier(bool In) {
  TBitmap Color;
  Color.SetSize(32, 32);
  TBitmap Mask;
  Mask.SetSize(32, 32);
  TCanvas* C = Color.Canvas();
  TCanvas* M = Mask.Canvas();
  C->Brush()->SetColor(clBlack);
  C->FillRect(Rect(0, 0, 32, 32));
  M->Brush()->SetColor(clWhite);
  M->FillRect(Rect(0, 0, 32, 32));
  auto Both = [&](const std::function<void(TCanvas*, TColor)>& Draw, TColor Col) {
    Draw(C, Col);
    Draw(M, clBlack);
  };
  Both(
      [](TCanvas* K, TColor Col) {
        K->Pen()->SetColor(Col);
        K->Pen()->SetWidth(3);
        K->MoveTo(17, 17);
        K->LineTo(28, 28);
        K->Pen()->SetWidth(2);
        K->Brush()->SetColor(Col == clBlack ? clBlack : clWhite);
        K->Ellipse(2, 2, 20, 20);
      },
      clBlack);
  C->Pen()->SetWidth(2);
  C->Pen()->SetColor(clBlack);
  C->MoveTo(6, 11);
  C->LineTo(16, 11);
  if (In) {
    C->MoveTo(11, 6);
    C->LineTo(11, 16);
  }
  ICONINFO Info;
  Info.fIcon = FALSE;
  Info.xHotspot = 11;
  Info.yHotspot = 11;
  Info.hbmColor = Color.Handle();
  Info.hbmMask = Mask.Handle();
  return CreateIconIndirect(&Info);
}

TSize TextSize(TFont* Font, const std::string& S) {
  TBitmap B;
  B.SetSize(1, 1);
  B.Canvas()->Font()->Assign(Font);
  return B.Canvas()->TextExtent(S);
}

}  // namespace

// ---- print settings ----

TEasyPrintSettings::TEasyPrintSettings() : FFont(std::make_unique<TFont>()) {
  Init();
  try {
    LoadSettings();
  } catch (...) {
    // A damaged entry keeps the defaults; the file is written anew at the end.
    Init();
  }
}

TEasyPrintSettings::~TEasyPrintSettings() {
  try {
    SaveSettings();
  } catch (...) {
    // Nothing can be reported from here.
  }
}

void TEasyPrintSettings::Init() {
  Options = DefaultPrintOptions;
  Scope = psGlobal;
  Header.clear();
  Indent = 0;
  FFont->SetName("Courier New");
  FFont->SetSize(10);
  FFont->SetStyle(TFontStyles{});
  FFont->SetColor(clWindowText);
}

void TEasyPrintSettings::Assign(TPersistent* Source) {
  auto* Other = dynamic_cast<TEasyPrintSettings*>(Source);
  if (Other == nullptr) {
    TEasySettings::Assign(Source);
    return;
  }
  BeginUpdate();
  Options = Other->Options;
  Scope = Other->Scope;
  Header = Other->Header;
  Indent = Other->Indent;
  FFont->Assign(Other->Font());
  EndUpdate();
}

void TEasyPrintSettings::WriteProperties(TEasyPropertyWriter& W) const {
  W.WriteInteger("P.Options", static_cast<Integer>(Options.ToMask()));
  W.WriteInteger("P.Scope", static_cast<Integer>(Scope));
  W.WriteString("P.Header", Header);
  W.WriteInteger("P.Indent", Indent);
  W.WriteString("P.Font.Name", FFont->Name());
  W.WriteInteger("P.Font.Size", FFont->Size());
  W.WriteInteger("P.Font.Style", static_cast<Integer>(FFont->Style().ToMask()));
  W.WriteInteger("P.Font.Color", static_cast<Integer>(FFont->Color()));
}

void TEasyPrintSettings::ReadProperty(const std::string& Name, const TEasyPropertyValue& V) {
  const bool Int = V.Kind == TEasyPropertyValue::pvInteger;
  if (Name == "P.Options" && Int) {
    Options = TEasyPrintOptions::FromMask(static_cast<unsigned>(V.IntValue) & 0xFF);
  } else if (Name == "P.Scope" && Int) {
    Scope = V.IntValue == 1 ? psSelectedText : psGlobal;
  } else if (Name == "P.Header" && V.Kind == TEasyPropertyValue::pvString) {
    Header = V.StrValue;
  } else if (Name == "P.Indent" && Int) {
    Indent = V.IntValue;
  } else if (Name == "P.Font.Name" && V.Kind == TEasyPropertyValue::pvString && !V.StrValue.empty()) {
    FFont->SetName(V.StrValue);
  } else if (Name == "P.Font.Size" && Int && V.IntValue > 0 && V.IntValue < 1000) {
    FFont->SetSize(V.IntValue);
  } else if (Name == "P.Font.Style" && Int) {
    FFont->SetStyle(TFontStyles::FromMask(static_cast<unsigned>(V.IntValue) & 0xF));
  } else if (Name == "P.Font.Color" && Int) {
    FFont->SetColor(static_cast<TColor>(V.IntValue));
  }
}

TEasyPrintSettings* PrintSettings() {
  SettingsFileName();  // computed first, so that it outlives the instance
  static std::unique_ptr<TEasyPrintSettings> Instance;
  if (!Instance) {
    Instance = std::make_unique<TEasyPrintSettings>();
  }
  return Instance.get();
}

void InitPrintSettings(TCustomEasyEdit* Editor) {
  TEasyPrintSettings* S = PrintSettings();
  if (Editor->WordWrap()) {
    S->Options.Include(prWrapLines);
  }
  const std::string Name = Editor->GetEditSource()->FileName;
  if (!Name.empty()) {
    S->Header = Name;
  }
  if (Editor->Gutter()->Indent() != 0) {
    S->Indent = Editor->Gutter()->Indent();
  }
}

void PrintEditor(TCustomEasyEdit* Editor) {
  // A hidden form gives the preview a window without anything being shown.
  std::unique_ptr<TForm> Host(new TForm(nullptr));
  Host->AfterConstruction();
  auto* Preview = new TEasyPrintPreview(Host.get());
  Preview->AfterConstruction();
  Preview->SetParent(Host.get());
  Preview->HandleNeeded();
  Preview->SetEditor(Editor);
  Preview->Print();
}

void RegisterMagnifierCursors() {
  static const bool Done = [] {
    Screen->SetCursors(crMagnifierIn, MakeMagnifier(true));
    Screen->SetCursors(crMagnifierOut, MakeMagnifier(false));
    return true;
  }();
  (void)Done;
}

// ---- the preview: construction and properties ----

TEasyPrintPreview::TEasyPrintPreview(TComponent* AOwner)
    : TScrollBox(AOwner), FCanvas(std::make_unique<TCanvas>()), FPageImage(std::make_unique<TMetafile>()) {
  RegisterMagnifierCursors();
  SetAutoScroll(false);
  ControlStyle.Include(csOpaque);
  TabStop = true;
}

TEasyPrintPreview::~TEasyPrintPreview() { FreeInternalEditor(); }

void TEasyPrintPreview::BeforeDestruction() {
  SetEditor(nullptr);
  TScrollBox::BeforeDestruction();
}

void TEasyPrintPreview::Publish(TMetaClass& Meta) {
  TPublisher<TEasyPrintPreview> P(Meta);
  P.Property("PageIndex", &TEasyPrintPreview::PageIndex, &TEasyPrintPreview::SetPageIndex).Default(0);
  P.Property("Rows", &TEasyPrintPreview::Rows, &TEasyPrintPreview::SetRows).Default(1);
  P.Property("Columns", &TEasyPrintPreview::Columns, &TEasyPrintPreview::SetColumns).Default(1);
  P.Property("Scale", &TEasyPrintPreview::Scale, &TEasyPrintPreview::SetScale).Default(100);
  P.Property("PageInterval", &TEasyPrintPreview::PageInterval, &TEasyPrintPreview::SetPageInterval).Default(8);
  P.Property("UseMagnifier", &TEasyPrintPreview::UseMagnifier, &TEasyPrintPreview::SetUseMagnifier).Default(false);
  P.Property("OnChange", &TEasyPrintPreview::OnChange, &TEasyPrintPreview::OnChange);
}

void TEasyPrintPreview::SetEditor(TCustomEasyEdit* Value) {
  if (Value == FEditor) {
    return;
  }
  if (FEditor != nullptr && !FEditor->IsDestroying()) {
    FEditor->RemoveFreeNotification(this);
  }
  FreeInternalEditor();
  FEditor = Value;
  if (FEditor != nullptr) {
    FEditor->FreeNotification(this);
    FInternal = static_cast<TCustomEasyEdit*>(FEditor->ClassType()->NewInstance(this));
    FInternal->AfterConstruction();
    if (HandleAllocated()) {
      InitInternalEditor();
    }
  }
  FPageIndex = 0;
  UpdateView();
}

void TEasyPrintPreview::FreeInternalEditor() {
  delete FInternal;
  FInternal = nullptr;
}

void TEasyPrintPreview::Notification(TComponent* AComponent, TOperation Operation) {
  TScrollBox::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent != nullptr) {
    if (AComponent == FEditor) {
      FEditor = nullptr;
      FreeInternalEditor();
      FPageIndex = 0;
      UpdateView();
    } else if (AComponent == FInternal) {
      FInternal = nullptr;
    }
  }
}

void TEasyPrintPreview::SetPageIndex(int Value) {
  Value = std::max(Value, 0);
  if (Value != FPageIndex) {
    FPageIndex = Value;
    UpdateView();
    if (OnChange) {
      OnChange(this);
    }
  }
}

void TEasyPrintPreview::SetRows(int Value) {
  Value = std::max(Value, 1);
  if (Value != FRows) {
    FRows = Value;
    UpdateView();
  }
}

void TEasyPrintPreview::SetColumns(int Value) {
  Value = std::max(Value, 1);
  if (Value != FColumns) {
    FColumns = Value;
    UpdateView();
  }
}

void TEasyPrintPreview::SetScale(int Value) {
  Value = std::max(Value, 1);
  if (Value != FScale) {
    FScale = Value;
    UpdateView();
  }
}

void TEasyPrintPreview::SetPageInterval(int Value) {
  Value = std::max(Value, 0);
  if (Value != FPageInterval) {
    FPageInterval = Value;
    UpdateView();
  }
}

void TEasyPrintPreview::SetUseMagnifier(bool Value) {
  if (Value != FUseMagnifier) {
    FUseMagnifier = Value;
    UpdateCursor();
  }
}

void TEasyPrintPreview::UpdateCursor() {
  Cursor = !FUseMagnifier ? crDefault : (FScale >= 100 ? crMagnifierOut : crMagnifierIn);
}

// ---- the internal editor ----

void TEasyPrintPreview::CreateWnd() {
  TScrollBox::CreateWnd();
  if (FInternal != nullptr) {
    InitInternalEditor();
  }
  UpdateScrollSize();
}

void TEasyPrintPreview::InitInternalEditor() {
  TCustomEasyEdit* E = FInternal;
  TCustomEasyEdit* Src = FEditor;
  TEasyPrintSettings* S = PrintSettings();
  E->SetVisible(false);
  E->SetParent(this);
  E->SetBounds(0, 0, 200, 200);
  E->HandleNeeded();
  E->Font()->Assign(S->Options.Contains(prUsePrinterFont) ? S->Font() : Src->Font());
  E->Colors()->Assign(Src->Colors());
  if (S->Options.Contains(prPrintColor)) {
    E->SetColor(Src->Color());
    E->PrintMonochrome = false;
  } else {
    E->SetColor(clWhite);
    E->Font()->SetColor(clBlack);
    E->PrintMonochrome = true;
  }
  TEasyEditorOptions O = Src->Options();
  O.Exclude(eoPaintGutter);
  O.Exclude(eoPaintMargin);
  E->SetOptions(O);
  E->Gutter()->Assign(Src->Gutter());
  if (S->Indent != 0) {
    E->Gutter()->SetIndent(S->Indent);
  }
  E->LineNumbers()->Assign(Src->LineNumbers());
  TEasyLineNumbersOptions LO = E->LineNumbers()->Options();
  LO.Exclude(lnPaintOnGutter);
  E->LineNumbers()->SetOptions(LO);
  E->LineNumbers()->SetVisible(S->Options.Contains(prLineNumbers));
  const bool Selection = S->Scope == psSelectedText && Src->SelType != slNone;
  TEasyPages* Pages = E->Pages();
  Pages->BeginUpdate();
  if (Selection) {
    E->AssignContent(Src, true);
    Pages->Clear();
    if (Src->NeedPages()) {
      const int First = Src->GetPageIndexAt(TPoint{Src->SelRect.Left, Src->SelRect.Top}, true);
      const int Last = Src->GetPageIndexAt(TPoint{Src->SelRect.Right, Src->SelRect.Bottom}, true);
      for (int I = First; I <= Last && I < Src->Pages()->Count(); ++I) {
        Pages->TOwnedCollection::Add()->Assign(Src->Pages()->Page(I));
      }
    } else if (Src->GetDefaultPage() != nullptr) {
      Pages->TOwnedCollection::Add()->Assign(Src->GetDefaultPage());
    }
    if (Pages->Count() == 0) {
      E->AddDefaultPage();
    }
  } else {
    E->AssignContent(Src, false);
    Pages->Assign(Src->Pages());
    if (Pages->Count() == 0) {
      E->AddDefaultPage();
    }
  }
  Pages->LaidOut = 0;
  Pages->LastFound = -1;
  Pages->EndUpdate();
  if (S->Options.Contains(prPrintSyntax) && Src->GetParser() != nullptr) {
    E->SetParser(Src->GetParser());
  }
  E->SetPageType(ptPageLayout);
  E->SetWordWrap(S->Options.Contains(prWrapLines));
  const int LastLine = std::max(E->LineCount() - 1, 0);
  const TPoint End{E->GetLines()->Count() > 0 ? E->GetEditSource()->LineLength(LastLine) : 0, LastLine};
  E->SetCurrentPosition(End);
  const int Wg = TextSize(E->Font(), "Wg").cy;
  Pages->BeginUpdate();
  for (int I = 0; I < Pages->Count(); ++I) {
    TEasyPage* P = Pages->Page(I);
    P->BeginUpdate();
    P->SetLeftGutterWidth(0);
    P->SetTopGutterHeight(0);
    P->SetPaintPageNumber(false);
    if (S->Options.Contains(prPrintHeader)) {
      P->SetTopIndent(std::max(P->TopIndent(), Wg));
    }
    if (S->Options.Contains(prPageNumbers)) {
      P->SetBottomIndent(std::max(P->BottomIndent(), Wg));
    }
    P->EndUpdate();
  }
  Pages->EndUpdate();
  E->GetPageAt(End, true);
  E->SetCurrentPosition(TPoint{0, 0});
}

int TEasyPrintPreview::GetPageCount() const {
  if (FInternal == nullptr) {
    return 0;
  }
  TEasyPages* Pages = FInternal->Pages();
  // Pages past the end of the text are not pages of the document.
  int N = Pages->Count();
  while (N > 1 && Pages->Page(N - 1)->FirstLine > FInternal->LineCount() - 1) {
    --N;
  }
  return N;
}

int TEasyPrintPreview::VisiblePagesCount() const {
  return std::max(std::min(GetPageCount() - FPageIndex, FRows * FColumns), 0);
}

// ---- geometry ----

TRect TEasyPrintPreview::GetPageRect(const TPoint& Origin, int Page, bool Printing) {
  if (FInternal == nullptr || Page >= GetPageCount() || Page < 0) {
    return TRect{0, 0, 0, 0};
  }
  TEasyPage* P = FInternal->Pages()->Page(Page);
  int W = P->GetRealPageSize().cx;
  int H = P->GetRealPageSize().cy;
  if (Printing) {
    W = MulDiv(W, FPrinterPpi.X, FScreenPpi.X);
    H = MulDiv(H, FPrinterPpi.Y, FScreenPpi.Y);
  } else {
    W = MulDiv(W, FScale, 100);
    H = MulDiv(H, FScale, 100);
  }
  return Rect(Origin.X, Origin.Y, Origin.X + W, Origin.Y + H);
}

TRect TEasyPrintPreview::PageRect() { return GetPageRect(TPoint{0, 0}, FPageIndex, false); }

TRect TEasyPrintPreview::GridRect(bool Scrolled, TRect* PageRects, int Count) {
  const TPoint Scroll = Scrolled ? TPoint{HorzScrollBar()->Position(), VertScrollBar()->Position()} : TPoint{0, 0};
  int X = PageStart.X - Scroll.X;
  int Y = PageStart.Y - Scroll.Y;
  int RowBottom = Y;
  TRect View{0, 0, 0, 0};
  for (int I = 0; I < Count; ++I) {
    if (I > 0 && I % FColumns == 0) {
      X = PageStart.X - Scroll.X;
      Y = RowBottom + FPageInterval;
    }
    const TRect R = GetPageRect(TPoint{X, Y}, FPageIndex + I, false);
    PageRects[I] = R;
    RowBottom = std::max(RowBottom, R.Bottom);
    View.Right = std::max(View.Right, R.Right);
    View.Bottom = std::max(View.Bottom, R.Bottom);
    X = R.Right + FPageInterval;
  }
  return View;
}

TRect TEasyPrintPreview::GetViewRect() {
  const int Count = VisiblePagesCount();
  std::vector<TRect> Rects(static_cast<std::size_t>(std::max(Count, 1)));
  TRect View = GridRect(false, Rects.data(), Count);
  if (Count > 0) {
    View.Right += PageStart.X;
    View.Bottom += PageStart.Y;
  }
  return View;
}

void TEasyPrintPreview::AdjustToRect(const TRect& R) {
  if (FPageIndex >= GetPageCount()) {
    return;
  }
  const TRect P = PageRect();
  const int CellW = P.Width() + FPageInterval;
  const int CellH = P.Height() + FPageInterval;
  if (CellW <= 0 || CellH <= 0) {
    FColumns = 1;
    FRows = 1;
  } else {
    FColumns = std::min(std::max(R.Width() / CellW, 1), 10);
    FRows = std::min(std::max(R.Height() / CellH, 1), 10);
  }
  PageStart = TPoint{0, 0};
  AdjustPageStart(R);
}

void TEasyPrintPreview::AdjustPageStart(const TRect& R) {
  const TPoint Old = PageStart;
  const TRect View = GetViewRect();
  const int FreeW = R.Width() - (View.Width() - Old.X);
  const int FreeH = R.Height() - (View.Height() - Old.Y);
  PageStart.X = FreeW > 0 ? FreeW / 2 : 16;
  PageStart.Y = FreeH > 0 ? FreeH / 2 : 16;
  UpdateView();
}

int TEasyPrintPreview::FitScale(int Extent, int PageExtent) {
  if (PageExtent <= 0) {
    return 1;
  }
  int Q = Extent / PageExtent;
  if (Extent % PageExtent != 0) {
    --Q;
  }
  return std::max(Q, 1);
}

void TEasyPrintPreview::AdjustToScale(const TRect& R, TEasyScaleType Kind) {
  if (FPageIndex >= GetPageCount()) {
    return;
  }
  FColumns = 1;
  FRows = 1;
  PageStart = TPoint{16, 16};
  const TSize Page = FInternal->Pages()->Page(FPageIndex)->GetRealPageSize();
  const int SX = FitScale(100 * R.Width(), Page.cx + 2 * PageStart.X);
  const int SY = FitScale(100 * R.Height(), Page.cy + 2 * PageStart.Y);
  FScale = Kind == stPageWidth ? SX : std::min(SX, SY);
  UpdateCursor();
  UpdateView();
}

void TEasyPrintPreview::UpdateView() {
  UpdateScrollSize();
  Invalidate();
}

void TEasyPrintPreview::UpdateScrollSize() {
  if (!HandleAllocated() || FInternal == nullptr || !FInternal->HandleAllocated()) {
    return;
  }
  const TRect View = GetViewRect();
  HorzScrollBar()->SetRange(std::max(View.Right, Width()));
  VertScrollBar()->SetRange(std::max(View.Bottom, Height()));
}

// ---- rendering and printing ----

TMetafile* TEasyPrintPreview::RenderPage(int Page) {
  TEasyPage* P = FInternal->Pages()->Page(Page);
  const TSize Size = P->GetRealPageSize();
  TEasyPrintSettings* S = PrintSettings();
  FPageImage->Clear();
  FPageImage->SetWidth(Size.cx);
  FPageImage->SetHeight(Size.cy);
  {
    TMetafileCanvas C(FPageImage.get(), 0);
    C.Brush()->SetColor(FInternal->GetEditorColor());
    C.FillRect(Rect(0, 0, Size.cx, Size.cy));
    FInternal->PaintSinglePageTo(&C, Page);
    C.Font()->Assign(FInternal->Font());
    C.Brush()->SetStyle(bsClear);
    if (S->Options.Contains(prPrintHeader)) {
      C.TextOut(0, 0, S->Header);
    }
    if (S->Options.Contains(prPageNumbers)) {
      C.TextOut(Size.cx / 2, Size.cy - C.TextHeight("Wg"), std::to_string(Page + 1));
    }
  }
  return FPageImage.get();
}

void TEasyPrintPreview::PaintOrPrintPage(TCanvas* Target, const TRect& R, int Page) {
  TMetafile* Image = RenderPage(Page);
  Target->StretchDraw(R, Image);
}

TRect TEasyPrintPreview::PaintPage(const TPoint& Origin, int Page) {
  const TRect R = GetPageRect(Origin, Page, false);
  if (R.Width() > 0 && R.Height() > 0 && FCanvas->HandleAllocated()) {
    PaintOrPrintPage(FCanvas.get(), R, Page);
  }
  return R;
}

void TEasyPrintPreview::PrintPage(int Page) {
  TRect R = GetPageRect(TPoint{0, 0}, Page, true);
  // A sheet larger than the printer's page is scaled down to fit instead of being cut off.
  TPrinter* P = Printer();
  const int PW = P->PageWidth();
  const int PH = P->PageHeight();
  if (PW > 0 && PH > 0 && (R.Width() > PW || R.Height() > PH)) {
    const double F = std::min(static_cast<double>(PW) / R.Width(), static_cast<double>(PH) / R.Height());
    R.Right = R.Left + static_cast<int>(R.Width() * F);
    R.Bottom = R.Top + static_cast<int>(R.Height() * F);
  }
  const auto Start = std::chrono::steady_clock::now();
  TMetafile* Image = RenderPage(Page);
  LastRenderMs += MsSince(Start);
  const auto Out = std::chrono::steady_clock::now();
  P->Canvas()->StretchDraw(R, Image);
  LastOutputMs += MsSince(Out);
}

bool TEasyPrintPreview::PrintProgress(TEasyPrintProgressType Kind, int Page, int Count) {
  return OnDisplayPrinProgress ? OnDisplayPrinProgress(this, Kind, Page, Count) : true;
}

void TEasyPrintPreview::PrintEx(int FirstPage, int LastPage, bool Range, int Copies) {
  if (FInternal == nullptr || !FInternal->HandleAllocated()) {
    return;
  }
  TPrinter* P = Printer();
  HDC PrinterDC = P->Handle();
  FPrinterPpi = TPoint{GetDeviceCaps(PrinterDC, LOGPIXELSX), GetDeviceCaps(PrinterDC, LOGPIXELSY)};
  FScreenPpi = ScreenPixelsPerInch();
  const bool Reports = PrintSettings()->Options.Contains(prDisplayProgress);
  const int PageCount = GetPageCount();
  if (PageCount == 0) {
    return;
  }
  if (Range) {
    LastPage = std::min(LastPage, PageCount - 1);
    FirstPage = std::max(FirstPage, 0);
  } else {
    FirstPage = 0;
    LastPage = PageCount - 1;
  }
  if (FirstPage > LastPage) {
    return;
  }
  const int Count = LastPage - FirstPage + 1;
  LastRenderMs = LastOutputMs = 0;
  const int Jobs = std::max(Copies - 1, 0) + 1;
  const int OldCopies = P->Copies;
  for (int Job = 0; Job < Jobs; ++Job) {
    P->Copies = 1;
    P->BeginDoc();
    FInternal->PaintSinglePage = true;
    FInternal->Printing = true;
    auto Finish = [&] {
      FInternal->PaintSinglePage = false;
      FInternal->Printing = false;
      P->Copies = OldCopies;
      const auto Out = std::chrono::steady_clock::now();
      P->EndDoc();
      LastOutputMs += MsSince(Out);
      if (Reports) {
        PrintProgress(ppHide, 0, 0);
      }
    };
    try {
      if (Reports) {
        PrintProgress(ppShow, 0, 0);
      }
      for (int Page = FirstPage; Page <= LastPage; ++Page) {
        if (Page > FirstPage) {
          const auto Out = std::chrono::steady_clock::now();
          P->NewPage();
          LastOutputMs += MsSince(Out);
        }
        if (Reports && !PrintProgress(ppProgress, Page, Count)) {
          break;
        }
        PrintPage(Page);
      }
    } catch (...) {
      try {
        PrintProgress(ppProgress, Count, Count);
        Finish();
      } catch (...) {
        // The first error is the one to report.
      }
      throw;
    }
    PrintProgress(ppProgress, Count, Count);
    Finish();
  }
}

// ---- painting and input ----

void TEasyPrintPreview::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_PAINT: PaintHandler(Message); return;
    case WM_ERASEBKGND:
      if (FInternal != nullptr) {
        Message.Result = 1;
        return;
      }
      break;
    case WM_GETDLGCODE: Message.Result = DLGC_WANTARROWS | DLGC_WANTALLKEYS | DLGC_WANTCHARS; return;
    case WM_MOUSEWHEEL: MouseWheelHandler(Message); return;
    case WM_LBUTTONUP:
      TScrollBox::Dispatch(Message);
      if (FUseMagnifier) {
        SetScale(FScale < 100 ? 100 : 50);
        AdjustToRect(ClientRect());
        UpdateCursor();
      }
      if (OnChange) {
        OnChange(this);
      }
      return;
    default: break;
  }
  TScrollBox::Dispatch(Message);
}

void TEasyPrintPreview::PaintHandler(TMessage& Message) {
  PAINTSTRUCT Ps;
  HDC DC = Message.WParam ? static_cast<HDC>(Message.WParam) : BeginPaint(Handle(), &Ps);
  FCanvas->Lock();
  FCanvas->SetHandle(DC);
  try {
    Paint();
  } catch (...) {
    FCanvas->SetHandle(0);
    FCanvas->Unlock();
    if (!Message.WParam) {
      EndPaint(Handle(), &Ps);
    }
    throw;
  }
  FCanvas->SetHandle(0);
  FCanvas->Unlock();
  if (!Message.WParam) {
    EndPaint(Handle(), &Ps);
  }
  Message.Result = 0;
}

void TEasyPrintPreview::Paint() {
  FCanvas->Brush()->SetColor(FInternal != nullptr ? FInternal->BorderColor() : Color());
  FCanvas->FillRect(ClientRect());
  if (FInternal == nullptr) {
    return;
  }
  FPrinterPpi = FScreenPpi = ScreenPixelsPerInch();
  const int Count = VisiblePagesCount();
  std::vector<TRect> Rects(static_cast<std::size_t>(std::max(Count, 1)));
  GridRect(true, Rects.data(), Count);
  FInternal->PaintSinglePage = true;
  try {
    for (int I = 0; I < Count; ++I) {
      PaintPage(TPoint{Rects[static_cast<std::size_t>(I)].Left, Rects[static_cast<std::size_t>(I)].Top},
                FPageIndex + I);
    }
  } catch (...) {
    FInternal->PaintSinglePage = false;
    throw;
  }
  FInternal->PaintSinglePage = false;
}

void TEasyPrintPreview::Resize() {
  TScrollBox::Resize();
  UpdateView();
}

void TEasyPrintPreview::ScrollBy(int Dy) {
  VertScrollBar()->SetPosition(std::max(VertScrollBar()->Position() + Dy, 0));
  Invalidate();
}

void TEasyPrintPreview::KeyDown(Word& Key, TShiftState Shift) {
  switch (Key) {
    case VK_PRIOR: SetPageIndex(std::max(FPageIndex - 1, 0)); break;
    case VK_NEXT: SetPageIndex(std::max(std::min(FPageIndex + 1, GetPageCount() - 1), 0)); break;
    case VK_UP: ScrollBy(-MulDiv(8, FScale, 100)); break;
    case VK_DOWN: ScrollBy(MulDiv(8, FScale, 100)); break;
    default: TScrollBox::KeyDown(Key, Shift); return;
  }
}

void TEasyPrintPreview::MouseWheelHandler(TMessage& Message) {
  FWheelDelta = static_cast<SmallInt>(FWheelDelta + static_cast<SmallInt>(HIWORD(Message.WParam)));
  const int N = FWheelDelta / WHEEL_DELTA;
  if (N != 0) {
    ScrollBy(-std::max(Mouse->WheelScrollLines, 1) * N * MulDiv(8, FScale, 100));
    FWheelDelta = static_cast<SmallInt>(FWheelDelta - N * WHEEL_DELTA);
  }
  Message.Result = 1;
}

void TEasyPrintPreview::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (CanFocus()) {
    SetFocus();
  }
  TScrollBox::MouseDown(Button, Shift, X, Y);
}
