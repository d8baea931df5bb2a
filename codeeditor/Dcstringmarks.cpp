// The memo source's bookmarks, per-line states, gutter images, text styles and collapsible regions.
#include "codeeditor/Dcstring.h"

#include <algorithm>

namespace Dcstring {

Z_IMPLEMENT_CLASS(TMemoPositionList, Vivaridiriz::TSortedListEx)
Z_IMPLEMENT_CLASS(TMemoBookMarkList, TMemoPositionList)
Z_IMPLEMENT_CLASS(TVisibleLinesList, TObject)

namespace {
template <class F>
void InUpdate(TCustomMemoSource* M, Integer Reason, F&& Body) {
  M->BeginUpdate(Reason);
  try {
    Body();
  } catch (...) {
    M->EndUpdate();
    throw;
  }
  M->EndUpdate();
}
}  // namespace

// ---- position lists ----

TMemoPositionList::TMemoPositionList() { SetDuplicateMode(Videroriz::dmAccept); }

TMemoPositionList::~TMemoPositionList() { ClearRecords(); }

Integer TMemoPositionList::Compare(Pointer Item1, Pointer Item2) {
  const auto* A = static_cast<const TMemoPositionRec*>(Item1);
  const auto* B = static_cast<const TMemoPositionRec*>(Item2);
  if (A->Line != B->Line) {
    return A->Line < B->Line ? -1 : 1;
  }
  return A->Col < B->Col ? -1 : (A->Col > B->Col ? 1 : 0);
}

void TMemoPositionList::FreeRecord(Pointer Item) { delete static_cast<TMemoPositionRec*>(Item); }

void TMemoPositionList::Delete(Integer Index) {
  Pointer Item = Get(Index);
  TSortedListEx::Delete(Index);
  FreeRecord(Item);
}

void TMemoPositionList::ClearRecords() {
  for (Integer I = Count() - 1; I >= 0; --I) {
    Delete(I);
  }
}

void TMemoPositionList::Resort() {
  SetSorted(false);
  SetSorted(true);
}

Integer TMemoBookMarkList::Compare(Pointer Item1, Pointer Item2) {
  const Integer R = TMemoPositionList::Compare(Item1, Item2);
  if (R != 0) {
    return R;
  }
  const auto* A = static_cast<const TBookMarkRec*>(Item1);
  const auto* B = static_cast<const TBookMarkRec*>(Item2);
  return A->Number < B->Number ? -1 : (A->Number > B->Number ? 1 : 0);
}

void TMemoBookMarkList::FreeRecord(Pointer Item) { delete static_cast<TBookMarkRec*>(Item); }

void TMemoBookMarkList::SetBookMark(const TPoint& P, Integer Number) {
  for (Integer I = 0; I < Count(); ++I) {
    const TBookMarkRec* B = Rec(I);
    if (B->Col == P.X && B->Line == P.Y && B->Number == Number) {
      return;
    }
  }
  auto* B = new TBookMarkRec();
  B->Col = P.X;
  B->Line = P.Y;
  B->Number = Number;
  Add(B);
}

Integer TMemoBookMarkList::GetBookMarkForLine(Integer Line) const {
  for (Integer I = 0; I < Count(); ++I) {
    if (Rec(I)->Line == Line) {
      return Rec(I)->Number;
    }
  }
  return 0;
}

Integer TMemoBookMarkList::GetBookmarkFromRange(Integer Line, Integer FromCol, Integer ToCol) const {
  for (Integer I = 0; I < Count(); ++I) {
    const TBookMarkRec* B = Rec(I);
    if (B->Line == Line && B->Col >= FromCol && B->Col < ToCol) {
      return B->Number;
    }
  }
  return 0;
}

void TMemoBookMarkList::GetBookmarksFromRange(Integer Line, Integer FromCol, Integer ToCol,
                                              std::vector<TBookMarkRec>& List) const {
  List.clear();
  for (Integer I = 0; I < Count(); ++I) {
    const TBookMarkRec* B = Rec(I);
    if (B->Line == Line && B->Col >= FromCol && B->Col < ToCol) {
      List.push_back(*B);
    }
  }
}

bool TMemoBookMarkList::ClearBookMark(Integer Number, Integer& Line) {
  for (Integer I = Count() - 1; I >= 0; --I) {
    if (Rec(I)->Number == Number) {
      Line = Rec(I)->Line;
      Delete(I);
      return true;
    }
  }
  return false;
}

bool TMemoBookMarkList::FindBookMark(Integer Number, TBookMarkRec& Found) const {
  for (Integer I = Count() - 1; I >= 0; --I) {
    if (Rec(I)->Number == Number) {
      Found = *Rec(I);
      return true;
    }
  }
  return false;
}

void TMemoBookMarkList::CharChanged(Integer Line, Integer Col, Integer Delta) {
  if (Delta == 0) {
    return;
  }
  bool Moved = false;
  for (Integer I = 0; I < Count(); ++I) {
    TBookMarkRec* B = Rec(I);
    if (B->Line == Line && (Delta > 0 ? B->Col >= Col : B->Col > Col)) {
      B->Col = std::max<Integer>(B->Col + Delta, Delta < 0 ? Col : 0);
      Moved = true;
    }
  }
  if (Moved) {
    Resort();
  }
}

void TMemoBookMarkList::LineChanged(Integer Line, Integer Col, Integer Delta) {
  bool Moved = false;
  for (Integer I = 0; I < Count(); ++I) {
    TBookMarkRec* B = Rec(I);
    if (B->Line > Line || (B->Line == Line && B->Col >= Col)) {
      B->Line = std::max<Integer>(B->Line + Delta, 0);
      Moved = true;
    }
  }
  if (Moved) {
    Resort();
  }
}

// ---- hidden lines ----

void TVisibleLinesList::AddLine(Integer Line) {
  auto It = std::lower_bound(FLines.begin(), FLines.end(), Line);
  if (It == FLines.end() || *It != Line) {
    FLines.insert(It, Line);
  }
}

void TVisibleLinesList::RemoveLine(Integer Line) {
  auto It = std::lower_bound(FLines.begin(), FLines.end(), Line);
  if (It != FLines.end() && *It == Line) {
    FLines.erase(It);
  }
}

bool TVisibleLinesList::Contains(Integer Line) const { return std::binary_search(FLines.begin(), FLines.end(), Line); }

void TVisibleLinesList::LineChanged(Integer Line, Integer Delta) {
  if (FLines.empty() || Delta == 0) {
    return;
  }
  for (Integer& L : FLines) {
    if (L > Line) {
      L += Delta;
    }
  }
  // Lines removed after Line may bring an entry onto one before it: each line is held once.
  FLines.erase(std::unique(FLines.begin(), FLines.end()), FLines.end());
}

Integer TVisibleLinesList::RealToVisibleIndex(Integer Line) const {
  const auto Hidden = std::upper_bound(FLines.begin(), FLines.end(), Line) - FLines.begin();
  return Line - static_cast<Integer>(Hidden);
}

Integer TVisibleLinesList::VisibleToRealIndex(Integer Visible) const {
  Integer Real = Visible;
  for (Integer L : FLines) {
    if (L <= Real) {
      ++Real;
    } else {
      break;
    }
  }
  return Real;
}

// ---- bookmark commands ----

void TCustomMemoSource::UpdateGutterImg(Integer Line) {
  InUpdate(this, Reason::GutterImages, [&] {
    UpdateChangedLines(Line, Line);
    State.Include(msBlockChanged);
  });
}

void TCustomMemoSource::SetBookmark(Integer Number) {
  if (Number == 0) {
    return;
  }
  InUpdate(this, Reason::SetBookmark, [&] {
    Integer Line = 0;
    while (FBookMarks->ClearBookMark(Number, Line)) {
      UpdateGutterImg(Line);
    }
    FBookMarks->SetBookMark(GetCaretPoint(), Number);
    UpdateGutterImg(GetCurLine());
  });
}

void TCustomMemoSource::ClearBookmark(Integer Number) {
  if (Number == 0) {
    return;
  }
  InUpdate(this, Reason::ClearBookmark, [&] {
    Integer Line = 0;
    if (FBookMarks->ClearBookMark(Number, Line)) {
      UpdateGutterImg(Line);
    }
  });
}

void TCustomMemoSource::ToggleBookMark(Integer Number) {
  if (Number == 0) {
    return;
  }
  TBookMarkRec Rec;
  if (FBookMarks->FindBookMark(Number, Rec) && Rec.Line == GetCurLine()) {
    ClearBookmark(Number);
  } else {
    SetBookmark(Number);
  }
}

void TCustomMemoSource::ToggleBookMarkForLine(Integer Number, Integer Line) {
  BeginSafeUpdate(Reason::SetBookmark);
  try {
    JumpTo(GetCurChar(), Line);
    if (GetCurLine() == Line) {
      ToggleBookMark(Number);
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TCustomMemoSource::GoToBookmark(Integer Number) {
  TBookMarkRec Rec;
  if (!FBookMarks->FindBookMark(Number, Rec)) {
    return;
  }
  BookmarkJump = true;
  try {
    JumpTo(Rec.Col, Rec.Line);
  } catch (...) {
    BookmarkJump = false;
    throw;
  }
  BookmarkJump = false;
}

bool TCustomMemoSource::FindBookMark(Integer Number, TPoint& P) {
  TBookMarkRec Rec;
  if (FBookMarks->FindBookMark(Number, Rec)) {
    P = TPoint{Rec.Col, Rec.Line};
    return true;
  }
  P = TPoint{-1, -1};
  return false;
}

Integer TCustomMemoSource::NextBookmarkNumber() {
  Integer Highest = 0;
  for (Integer I = 0; I < FBookMarks->Count(); ++I) {
    Highest = std::max(Highest, FBookMarks->Rec(I)->Number);
  }
  return Highest + 1;
}

Integer TCustomMemoSource::FGetBookmark(Integer Line) { return FBookMarks->GetBookMarkForLine(Line); }

void TCustomMemoSource::FSetBookMark(Integer Line, Integer Number) {
  if (Line < 0 || Line >= GetStrCount()) {
    return;
  }
  FBookMarks->SetBookMark(TPoint{0, Line}, Number);
  UpdateGutterImg(Line);
}

// ---- line states ----

bool TCustomMemoSource::SetLineState(Integer Index, Integer ChangedTo, bool Value, TStringItemState AState) {
  TStringItem* Item = GetStringItem(Index);
  if (Item == nullptr || Item->ItemState.Contains(AState) == Value) {
    return false;
  }
  InUpdate(this, Reason::LineState, [&] {
    if (Value) {
      Item->ItemState.Include(AState);
    } else {
      Item->ItemState.Exclude(AState);
    }
    UpdateChangedLines(Index, ChangedTo);
    State.Include(msBlockChanged);
  });
  return true;
}

bool TCustomMemoSource::GetLineReadOnly(Integer Line) {
  const TStringItem* Item = GetStringItem(Line);
  return Item != nullptr && Item->ItemState.Contains(isReadOnly);
}

void TCustomMemoSource::SetImageBit(Integer Index, Integer Bit, bool Value) {
  TStringItem* Item = GetStringItem(Index);
  if (Item == nullptr || Bit < 0 || Bit > 15) {
    return;
  }
  InUpdate(this, Reason::GutterImages, [&] {
    const auto Mask = static_cast<Word>(1u << Bit);
    Item->ImageBits = static_cast<Word>(Value ? (Item->ImageBits | Mask) : (Item->ImageBits & ~Mask));
    UpdateChangedLines(Index, Index);
    State.Include(msBlockChanged);
  });
}

bool TCustomMemoSource::GetImageBit(Integer Index, Integer Bit) {
  const TStringItem* Item = GetStringItem(Index);
  return Item != nullptr && Bit >= 0 && Bit <= 15 && (Item->ImageBits & (1u << Bit)) != 0;
}

void TCustomMemoSource::ClearImageBit(Integer Index) {
  TStringItem* Item = GetStringItem(Index);
  if (Item == nullptr) {
    return;
  }
  InUpdate(this, Reason::GutterImages, [&] {
    Item->ImageBits = 0;
    UpdateChangedLines(Index, Index);
    State.Include(msBlockChanged);
  });
}

Byte TCustomMemoSource::GetLineTextStyle(Integer Index) {
  const TStringItem* Item = GetStringItem(Index);
  return Item != nullptr ? Item->TextStyle : 0;
}

void TCustomMemoSource::SetLineTextStyle(Integer Index, Byte Style) {
  TStringItem* Item = GetStringItem(Index);
  if (Item == nullptr || Item->TextStyle == Style) {
    return;
  }
  InUpdate(this, Reason::LineTextStyle, [&] {
    Item->TextStyle = Style;
    UpdateChangedLines(Index, Index);
    State.Include(msBlockChanged);
  });
}

void TCustomMemoSource::TempHighlightLine(Integer Index, Byte Style) {
  TempUnhighlightLine();
  TStringItem* Item = GetStringItem(Index);
  if (Item == nullptr) {
    return;
  }
  FTempHighlightLine = Index + 1;
  FTempHighlightStyle = Item->TextStyle;
  Item->TextStyle = Style;
}

void TCustomMemoSource::TempUnhighlightLine() {
  if (FTempHighlightLine == 0) {
    return;
  }
  if (TStringItem* Item = GetStringItem(FTempHighlightLine - 1)) {
    Item->TextStyle = FTempHighlightStyle;
  }
  FTempHighlightLine = 0;
}

void TCustomMemoSource::AssignLineProps(TStringItem* From, TStringItem* To) {
  To->ImageBits = static_cast<Word>(To->ImageBits | From->ImageBits);
  if (To->TextStyle == 0) {
    To->TextStyle = From->TextStyle;
  }
  if (To->Object == nullptr) {
    To->Object = From->Object;
  }
}

void TCustomMemoSource::MoveLineProps(TStringItem* From, TStringItem* To) {
  AssignLineProps(From, To);
  From->ImageBits = 0;
  From->TextStyle = 0;
  From->Object = nullptr;
}

// ---- visibility and collapsing ----

bool TCustomMemoSource::GetLineVisible(Integer Index) {
  const TStringItem* Item = GetStringItem(Index);
  return Item == nullptr || !Item->ItemState.Contains(isHidden);
}

void TCustomMemoSource::SetLineVisible(Integer Index, bool Visible) {
  InUpdate(this, Reason::LineState, [&] {
    if (!SetLineState(Index, MaxInt, !Visible, isHidden)) {
      return;
    }
    if (Visible) {
      if (FHiddenLines->Contains(Index)) {
        FHiddenLines->RemoveLine(Index);
        State.Include(msBlockChanged);
        State.Include(msCountChanged);
      }
      return;
    }
    if (Index == 0 || FHiddenLines->Contains(Index - 1) || GetCollapseState(Index - 1) == csCollapsed) {
      FHiddenLines->AddLine(Index);
      State.Include(msBlockChanged);
      State.Include(msCountChanged);
    }
  });
}

TCollapseState TCustomMemoSource::GetCollapseState(Integer Index) {
  const TStringItem* Item = GetStringItem(Index);
  if (Item == nullptr) {
    return csNone;
  }
  if (Item->ItemState.Contains(isExpanded)) {
    return csExpanded;
  }
  if (Item->ItemState.Contains(isCollapsed)) {
    return csCollapsed;
  }
  return csNone;
}

void TCustomMemoSource::SetCollapseState(Integer Index, TCollapseState AState) {
  TStringItem* Item = GetStringItem(Index);
  if (Item == nullptr) {
    return;
  }
  InUpdate(this, Reason::LineState, [&] {
    Item->ItemState.Exclude(isExpanded);
    Item->ItemState.Exclude(isCollapsed);
    if (AState == csExpanded) {
      Item->ItemState.Include(isExpanded);
    } else if (AState == csCollapsed) {
      Item->ItemState.Include(isCollapsed);
    }
    CheckCollapsed(Index);
    UpdateChangedLines(Index, MaxInt);
    State.Include(msBlockChanged);
    State.Include(msCountChanged);
  });
}

void TCustomMemoSource::CheckCollapsed(Integer Index) {
  const bool Open = GetCollapseState(Index) != csCollapsed;
  for (Integer I = Index + 1; I < GetStrCount(); ++I) {
    TStringItem* Item = GetStringItem(I);
    if (!Item->ItemState.Contains(isHidden)) {
      break;
    }
    if (Open) {
      FHiddenLines->RemoveLine(I);
      if (Item->ItemState.Contains(isCollapsed)) {
        Item->ItemState.Exclude(isCollapsed);
        Item->ItemState.Include(isExpanded);
      }
    } else {
      FHiddenLines->AddLine(I);
    }
  }
}

void TCustomMemoSource::ExpandPrevLine(Integer Index) {
  for (Integer I = Index - 1; I >= 0; --I) {
    if (GetCollapseState(I) == csCollapsed) {
      SetCollapseState(I, csExpanded);
      return;
    }
  }
}

}  // namespace Dcstring
