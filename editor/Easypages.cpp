// The page model: sheet geometry, the lazy layout of pages over the text and the lookup of the page that holds
// a text position or a document pixel.
#include "editor/Easypages.h"

#include "editor/Easyeditor.h"
#include "platform/controls/Forms.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>

Z_IMPLEMENT_CLASS_PUBLISHED(TEasyPage, TCollectionItem, TEasyPage::Publish)
Z_IMPLEMENT_CLASS(TEasyPages, TOwnedCollection)

namespace {
constexpr int MaxInt = EasyMaxInt;
}

const TPoint PageSizeValues[psOther + 1] = {
    {216, 279}, {216, 357}, {184, 267}, {297, 420}, {210, 297}, {148, 210},
    {105, 241}, {110, 220}, {162, 229}, {98, 191},  {210, 297},
};

TPoint ScreenPixelsPerInch() {
  const int Dpi = Screen != nullptr && Screen->PixelsPerInch > 0 ? Screen->PixelsPerInch : 96;
  return TPoint{Dpi, Dpi};
}

// ---- TEasyPage ----

TEasyPage::TEasyPage(TCollection* ACollection) : TCollectionItem(ACollection) {}

void TEasyPage::Publish(TMetaClass& Meta) {
  TPublisher<TEasyPage> P(Meta);
  P.Property("PageWidth", &TEasyPage::PageWidth, &TEasyPage::SetPageWidth).Stored(&TEasyPage::IsPageWidthStored);
  P.Property("PageHeight", &TEasyPage::PageHeight, &TEasyPage::SetPageHeight).Stored(&TEasyPage::IsPageHeightStored);
  P.Property("PageSize", &TEasyPage::PageSize, &TEasyPage::SetPageSize).Default(psLetter);
  P.Property("Orientation", &TEasyPage::Orientation, &TEasyPage::SetOrientation).Default(pgPortrait);
  P.Property("LeftIndent", &TEasyPage::LeftIndent, &TEasyPage::SetLeftIndent).Default(24);
  P.Property("TopIndent", &TEasyPage::TopIndent, &TEasyPage::SetTopIndent).Default(24);
  P.Property("RightIndent", &TEasyPage::RightIndent, &TEasyPage::SetRightIndent).Default(24);
  P.Property("BottomIndent", &TEasyPage::BottomIndent, &TEasyPage::SetBottomIndent).Default(24);
  P.Property("LeftGutterWidth", &TEasyPage::LeftGutterWidth, &TEasyPage::SetLeftGutterWidth).Default(64);
  P.Property("TopGutterHeight", &TEasyPage::TopGutterHeight, &TEasyPage::SetTopGutterHeight).Default(24);
  P.Property("NumAlignment", &TEasyPage::NumAlignment, &TEasyPage::SetNumAlignment).Default(taLeftJustify);
  P.Property("PaintPageNumber", &TEasyPage::PaintPageNumber, &TEasyPage::SetPaintPageNumber).Default(false);
}

void TEasyPage::Assign(TPersistent* Source) {
  auto* P = dynamic_cast<TEasyPage*>(Source);
  if (P == nullptr) {
    TCollectionItem::Assign(Source);
    return;
  }
  BeginUpdate();
  FPageWidth = P->FPageWidth;
  FPageHeight = P->FPageHeight;
  FPageSize = P->FPageSize;
  if (FPageSize != psOther) {
    FPageWidth = PageSizeValues[FPageSize].X;
    FPageHeight = PageSizeValues[FPageSize].Y;
  }
  FOrientation = P->FOrientation;
  FLeftIndent = P->FLeftIndent;
  FTopIndent = P->FTopIndent;
  FRightIndent = P->FRightIndent;
  FBottomIndent = P->FBottomIndent;
  FLeftGutterWidth = P->FLeftGutterWidth;
  FTopGutterHeight = P->FTopGutterHeight;
  FPaintPageNumber = P->FPaintPageNumber;
  FNumAlignment = P->FNumAlignment;
  EndUpdate();
}

void TEasyPage::SetPageWidth(int Value) {
  Value = std::max(Value, 0);
  if (Value != FPageWidth) {
    FPageWidth = Value;
    UpdatePageSize(false);
  }
}

void TEasyPage::SetPageHeight(int Value) {
  Value = std::max(Value, 0);
  if (Value != FPageHeight) {
    FPageHeight = Value;
    UpdatePageSize(false);
  }
}

void TEasyPage::SetPageSize(TEasyPageSize Value) {
  if (Value != FPageSize) {
    FPageSize = Value;
    UpdatePageSize(true);
  }
}

void TEasyPage::UpdatePageSize(bool FromTable) {
  if (FromTable) {
    if (FPageSize != psOther) {
      FPageWidth = PageSizeValues[FPageSize].X;
      FPageHeight = PageSizeValues[FPageSize].Y;
    }
  } else {
    FPageSize = psOther;
  }
  UpdatePage();
}

namespace {
template <class T>
void SetAndUpdate(TEasyPage* Page, T& Field, T Value) {
  if (Value != Field) {
    Field = Value;
    Page->UpdatePage();
  }
}
}  // namespace

void TEasyPage::SetOrientation(TEasyPageOrientation Value) { SetAndUpdate(this, FOrientation, Value); }
void TEasyPage::SetLeftIndent(int Value) { SetAndUpdate(this, FLeftIndent, std::max(Value, 0)); }
void TEasyPage::SetTopIndent(int Value) { SetAndUpdate(this, FTopIndent, std::max(Value, 0)); }
void TEasyPage::SetRightIndent(int Value) { SetAndUpdate(this, FRightIndent, std::max(Value, 0)); }
void TEasyPage::SetBottomIndent(int Value) { SetAndUpdate(this, FBottomIndent, std::max(Value, 0)); }
void TEasyPage::SetLeftGutterWidth(int Value) { SetAndUpdate(this, FLeftGutterWidth, std::max(Value, 0)); }
void TEasyPage::SetTopGutterHeight(int Value) { SetAndUpdate(this, FTopGutterHeight, std::max(Value, 0)); }

void TEasyPage::SetNumAlignment(TAlignment Value) {
  if (Value != FNumAlignment) {
    FNumAlignment = Value;
    if (FPaintPageNumber) {
      RepaintPage();
    }
  }
}

void TEasyPage::SetPaintPageNumber(bool Value) {
  if (Value != FPaintPageNumber) {
    FPaintPageNumber = Value;
    if (Value) {
      RepaintPage();
    }
  }
}

void TEasyPage::RepaintPage() {
  if (auto* Pages = dynamic_cast<TEasyPages*>(Collection())) {
    Pages->InvalidatePage(this);
  }
}

void TEasyPage::EndUpdate() {
  if (UpdateCount > 0 && --UpdateCount == 0) {
    UpdatePage();
  }
}

void TEasyPage::UpdatePage() {
  CachedWindowLine = -1;
  if (UpdateCount == 0) {
    if (TCustomEasyEdit* E = GetEdit()) {
      if (!E->IsDestroying()) {
        E->PageGeometryChanged(this);
        E->PageChanged(this);
      }
    }
  }
}

TCustomEasyEdit* TEasyPage::GetEdit() const {
  auto* Pages = dynamic_cast<TEasyPages*>(Collection());
  return Pages != nullptr ? Pages->Edit() : nullptr;
}

TSize TEasyPage::GetRealPageSize() const {
  const TPoint Dpi = ScreenPixelsPerInch();
  TSize S{MulDiv(FPageWidth * 10, Dpi.X, 254), MulDiv(FPageHeight * 10, Dpi.Y, 254)};
  if (FOrientation == pgLandscape) {
    std::swap(S.cx, S.cy);
  }
  return S;
}

TRect TEasyPage::GetRealPageRect() const { return Rect(0, Top, GetRealPageSize().cx, Top + Height); }

int TEasyPage::GetTopGutterHeight() const {
  int H = FTopGutterHeight;
  if (Index() == 0) {
    if (TCustomEasyEdit* E = GetEdit()) {
      H += E->GetTopRulerIndent();
    }
  }
  return H;
}

int TEasyPage::GetLeftGutterWidth() const {
  int W = FLeftGutterWidth;
  if (TCustomEasyEdit* E = GetEdit()) {
    W += E->GetLeftRulerIndent();
  }
  return W;
}

TRect TEasyPage::PageOuterRect(bool Grow) {
  TCustomEasyEdit* E = GetEdit();
  TRect R;
  if (E != nullptr && E->PageLayout()) {
    R = Rect(0, Top, GetRealPageSize().cx, Top + Height);
    const int Dx = GetLeftGutterWidth() - E->WindowChar();
    const int Dy = -E->WindowLine();
    R = Rect(R.Left + Dx, R.Top + Dy, R.Right + Dx, R.Bottom + Dy);
  } else {
    const int PageTop = GetPageTop();
    R = Rect(0, PageTop, E != nullptr ? E->ClientWidth() : GetRealPageSize().cx, PageTop + Height);
  }
  if (Grow) {
    R = Rect(R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1);
  }
  return R;
}

TRect TEasyPage::GetPageRect(bool Scrolled, bool FullHeight) {
  TCustomEasyEdit* E = GetEdit();
  const TSize Real = GetRealPageSize();
  TRect R;
  if (E != nullptr && E->PageLayout()) {
    const int Gutter = GetLeftGutterWidth();
    R = Rect(Gutter + FLeftIndent, Top + FTopIndent, Gutter + Real.cx - FRightIndent, Top + Height - FBottomIndent);
    if (Scrolled) {
      R = Rect(R.Left - E->WindowChar(), R.Top - E->WindowLine(), R.Right - E->WindowChar(),
               R.Bottom - E->WindowLine());
    }
  } else {
    R.Left = E != nullptr ? -E->Painter()->GetOffsetFromChar(E->WindowChar()) : 0;
    R.Top = 0;
    R.Bottom = Height;
    if (Scrolled || FullHeight) {
      R.Top = GetPageTop();
      R.Bottom = FullHeight ? R.Top + Real.cy - FTopIndent - FBottomIndent : R.Top + Height;
    }
    const bool Shown = E != nullptr && E->NeedPages();
    if ((Shown && !Scrolled) || FullHeight) {
      R.Right = R.Left + Real.cx + FRightIndent - FLeftIndent;
    } else {
      R.Right = E != nullptr ? E->ClientWidth() : Real.cx;
    }
    if (!Shown) {
      R.Bottom = MaxInt;
    }
  }
  if (E != nullptr) {
    R.Left += E->GetLeftIndent();
  }
  return R;
}

int TEasyPage::GetPageTop() {
  TCustomEasyEdit* E = GetEdit();
  if (E == nullptr) {
    return 0;
  }
  if (PageInitialized() && CachedWindowLine == E->WindowLine()) {
    return CachedTop;
  }
  const TPoint P =
      E->Painter()->TextToPixelPoint(TPoint{FirstChar, FirstLine}, TPoint{0, E->WindowLine()}, true, false);
  const int PageTop = P.Y + E->GetTopIndent();
  if (PageInitialized()) {
    CachedWindowLine = E->WindowLine();
    CachedTop = PageTop;
  }
  return PageTop;
}

int TEasyPage::LinesOnPage(int& LastCharOut) {
  LastCharOut = MaxInt;
  TCustomEasyEdit* E = GetEdit();
  // A page that starts past the text (after one never laid out) holds no lines to measure.
  if (E == nullptr || FirstLine == MaxInt) {
    return 0;
  }
  return E->Painter()->LinesOnPage(TPoint{FirstChar, FirstLine}, PageRect(), LastCharOut);
}

int TEasyPage::TextRows() const {
  TCustomEasyEdit* E = GetEdit();
  const int H = E != nullptr ? std::max(E->Painter()->GetDefaultLineHeight(), 1) : 1;
  return std::max((GetRealPageSize().cy - FTopIndent - FBottomIndent) / H, 1);
}

int TEasyPage::GetRealPageHeight() {
  TCustomEasyEdit* E = GetEdit();
  if (E == nullptr) {
    return Height;
  }
  TCustomEasyPainter* P = E->Painter();
  const TPoint D = P->TextToPixelPoint(TPoint{LastChar, LastLine}, TPoint{FirstChar, FirstLine}, false, false);
  return std::max(D.Y + P->GetDefaultLineHeight(), 0);
}

void TEasyPage::InitPage() {
  Top = Height = 0;
  FirstLine = FirstChar = 0;
  LastLine = LastChar = MaxInt;
  TopValid = false;
  CachedWindowLine = -1;
}

// ---- TEasyPages ----

TEasyPages::TEasyPages(TPersistent* AOwner)
    : TOwnedCollection(AOwner, TEasyPage::StaticClass()), FEdit(dynamic_cast<TCustomEasyEdit*>(AOwner)) {}

TEasyPages::TEasyPages(TCustomEasyEdit* AEdit, TCollectionItemClass AItemClass)
    : TOwnedCollection(AEdit, AItemClass), FEdit(AEdit) {}

void TEasyPages::BeginUpdate() {
  ++UpdateCount;
  TOwnedCollection::BeginUpdate();
}

void TEasyPages::EndUpdate() {
  TOwnedCollection::EndUpdate();
  if (UpdateCount > 0 && --UpdateCount == 0) {
    UpdatePages();
  }
}

void TEasyPages::UpdatePages() {
  if (UpdateCount != 0 || FEdit == nullptr || FEdit->IsDestroying() || !FEdit->PageLayout() || FEdit->WrapUpdating ||
      FEdit->GetEditSource()->UpdateCount() != 0) {
    return;
  }
  FEdit->ScrollHeightCache = 0;
  FEdit->ScrollWidthCache = 0;
  FEdit->UpdateScrollBars();
}

void TEasyPages::InvalidatePage(TEasyPage* Page) {
  if (FEdit != nullptr && Page != nullptr && FEdit->HandleAllocated()) {
    const TRect R = Page->PageOuterRect(true);
    InvalidateRect(FEdit->Handle(), &R, FALSE);
  }
}

TEasyPage* TEasyPages::Add() {
  auto* P = static_cast<TEasyPage*>(TOwnedCollection::Add());
  if (P->Index() > 0) {
    // The new page is laid out below; copying the settings needs no report of a changed layout.
    ++P->UpdateCount;
    P->Assign(Page(0));
    --P->UpdateCount;
  }
  if (FEdit != nullptr && FEdit->NeedPages()) {
    if (FEdit->WrapUpdating) {
      FEdit->Invalidate();
    } else {
      for (int I = LaidOut; I < Count(); ++I) {
        CalcPageInternalSize(I, true);
      }
      InvalidatePage(P);
    }
  }
  UpdatePages();
  return P;
}

void TEasyPages::RemoveExtraPages() {
  if (FEdit != nullptr && Count() > 1) {
    const int Last = FEdit->LineCount() - 1;
    if (Page(Count() - 1)->LastLine >= Last) {
      while (Count() > 1 && Page(Count() - 1)->FirstLine > Last) {
        InvalidatePage(Page(Count() - 1));
        Delete(Count() - 1);
      }
    }
  }
  LaidOut = std::min(LaidOut, Count());
  if (LastFound >= Count()) {
    LastFound = -1;
  }
}

bool TEasyPages::TextEndsOnPage(int I) {
  if (FEdit == nullptr) {
    return true;
  }
  const TEasyPage* P = Page(I);
  const int Last = FEdit->LineCount() - 1;
  if (P->LastLine > Last) {
    return true;
  }
  return P->LastLine == Last && (P->LastChar == MaxInt || FEdit->GetEditSource()->LineLength(Last) <= P->LastChar + 1);
}

void TEasyPages::UpdateEndLine(int I) {
  TEasyPage* P = Page(I);
  P->TopValid = false;
  P->CachedWindowLine = -1;
  if (I == 0) {
    P->FirstLine = 0;
    P->FirstChar = 0;
  } else {
    const TEasyPage* Prev = Page(I - 1);
    if (Prev->LastChar != MaxInt) {
      P->FirstLine = Prev->LastLine;
      P->FirstChar = Prev->LastChar + 1;
    } else {
      // A previous page that was never laid out reaches to the end: this one starts past the text.
      P->FirstLine = Prev->LastLine == MaxInt ? MaxInt : Prev->LastLine + 1;
      P->FirstChar = 0;
    }
  }
  int Last = MaxInt;
  const int Lines = P->LinesOnPage(Last);
  P->LastChar = Last;
  // A page too low for one line still takes one, so that the layout always moves on through the text.
  P->LastLine = P->FirstLine == MaxInt ? MaxInt : P->FirstLine + (std::max(Lines, 1) - 1);
  P->TopValid = true;
}

void TEasyPages::CalcPageInternalSize(int I, bool Full) {
  TEasyPage* P = Page(I);
  if (FEdit == nullptr || !FEdit->NeedPages()) {
    P->InitPage();
    return;
  }
  const bool Layout = FEdit->PageLayout();
  P->Top = 0;
  P->Height = P->GetRealPageSize().cy - (Layout ? 0 : P->TopIndent() + P->BottomIndent());
  if (I == 0) {
    if (Layout) {
      P->Top = P->GetTopGutterHeight();
    }
  } else {
    const TEasyPage* Prev = Page(I - 1);
    P->Top = Prev->Top + Prev->Height + (Layout ? P->GetTopGutterHeight() : 0);
  }
  if (Full) {
    UpdateEndLine(I);
    if (!Layout) {
      P->Height = P->GetRealPageHeight();
    }
    // Only a page right after the laid-out ones extends them: one laid out past a gap starts from stale ranges.
    if (I <= LaidOut) {
      LaidOut = std::max(LaidOut, I + 1);
    }
  }
}

int TEasyPages::ComparePage(const TPoint& P, bool ByText, int I) {
  const TEasyPage* Pg = Page(I);
  int Result = 0;
  if (ByText) {
    const bool RowEnd = FEdit != nullptr && FEdit->CaretAtRowEnd;
    if (P.Y < Pg->FirstLine) {
      Result = 1;
    } else if (P.Y > Pg->LastLine) {
      Result = -1;
    } else {
      if (P.Y == Pg->FirstLine) {
        if (P.X < Pg->FirstChar) {
          Result = 1;
        } else if (P.X == Pg->FirstChar && I > 0 && RowEnd && Page(I - 1)->LastChar != MaxInt &&
                   Page(I - 1)->LastChar + 1 == P.X && Page(I - 1)->LastLine == P.Y) {
          Result = 1;
        }
      }
      if (Result == 0 && P.Y == Pg->LastLine && Pg->LastChar != MaxInt && P.X > Pg->LastChar &&
          !(P.X == Pg->LastChar + 1 && RowEnd)) {
        Result = -1;
      }
    }
  } else if (P.Y <= Pg->Top - Pg->GetTopGutterHeight()) {
    Result = 1;
  } else if (P.Y > Pg->Top + Pg->Height) {
    Result = -1;
  }
  if (Result == 0) {
    LastFound = I;
  }
  return Result;
}

bool TEasyPages::Find(const TPoint& P, bool ByText, int& Index, int Count) {
  int L = 0;
  int H = Count - 1;
  bool Found = false;
  while (L <= H) {
    const int I = (L + H) / 2;
    const int C = ComparePage(P, ByText, I);
    if (C < 0) {
      L = I + 1;
    } else {
      H = I - 1;
      if (C == 0) {
        Found = true;
      }
    }
  }
  Index = L;
  if (Found) {
    LastFound = L;
  }
  return Found;
}

int TEasyPages::SearchInUpdatedPages(const TPoint& P, bool ByText) {
  if (LaidOut == 0 || ComparePage(P, ByText, LaidOut - 1) < 0) {
    while (LaidOut < Count()) {
      const int I = LaidOut;
      CalcPageInternalSize(I, true);
      const int C = ComparePage(P, ByText, I);
      if (C == 0) {
        return I;
      }
      if (C > 0) {
        return -1;
      }
    }
    return -1;
  }
  int Index = 0;
  return Find(P, ByText, Index, LaidOut) ? Index : -1;
}

int TEasyPages::GetPageIndexAt(TPoint P, bool ByText) {
  P.X = std::max(P.X, 0);
  P.Y = std::max(P.Y, 0);
  if (Count() == 0) {
    return -1;
  }
  if (FEdit != nullptr && FEdit->WrapUpdating && ByText && LaidOut < Count()) {
    const TEasyPage* Next = Page(LaidOut);
    if (P.Y > Next->FirstLine || (P.Y == Next->FirstLine && P.X >= Next->FirstChar)) {
      return LaidOut;
    }
  }
  if (P.X == 0 && P.Y == 0) {
    if (LaidOut == 0) {
      CalcPageInternalSize(0, true);
    }
    return -1;
  }
  if (LastFound >= LaidOut - 1) {
    LastFound = -1;
  } else if (LastFound >= 0) {
    const int Last = LastFound;
    for (const int I : {Last, Last - 1, Last + 1}) {
      if (I >= 0 && I < LaidOut && ComparePage(P, ByText, I) == 0) {
        return I;
      }
    }
  }
  int Result = SearchInUpdatedPages(P, ByText);
  if (Result >= 0) {
    return Result;
  }
  if (LaidOut == Count() && ComparePage(P, ByText, Count() - 1) < 0) {
    BeginUpdate();
    try {
      while (!TextEndsOnPage(Count() - 1)) {
        TEasyPage* New = Add();
        if (New->LastLine < New->FirstLine) {
          break;
        }
        const int C = ComparePage(P, ByText, Count() - 1);
        if (C == 0) {
          Result = Count() - 1;
          break;
        }
        if (C > 0) {
          break;
        }
      }
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
    return Result;
  }
  int Index = 0;
  return Find(P, ByText, Index, Count()) ? Index : -1;
}

TEasyPage* TEasyPages::GetPageAt(const TPoint& P, bool ByText) {
  const int I = GetPageIndexAt(P, ByText);
  return I >= 0 ? Page(I) : nullptr;
}
