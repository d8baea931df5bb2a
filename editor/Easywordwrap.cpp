// The wrap list, and the editor's wrap pass: the break rule, the lazy wrapping of lines on demand and the
// column correction at row ends.
#include "editor/Easywordwrap.h"

#include "editor/Easyeditor.h"
#include "editor/Easypages.h"

#include <algorithm>

Z_IMPLEMENT_CLASS(TEasyWrapList, TObject)

namespace {
constexpr int MaxInt = EasyMaxInt;
}

// ---- TEasyWrapList ----

int TEasyWrapList::LowerBound(int Line, int EndChar) const {
  auto It = std::lower_bound(FRows.begin(), FRows.end(), std::make_pair(Line, EndChar),
                             [](const TEasyWrapRow& R, const std::pair<int, int>& K) {
                               return R.Line < K.first || (R.Line == K.first && R.EndChar < K.second);
                             });
  return static_cast<int>(It - FRows.begin());
}

int TEasyWrapList::FirstRowOf(int Line) const { return LowerBound(Line, -1); }

void TEasyWrapList::ClearLines(int First, int Last) {
  const int From = FirstRowOf(First);
  const int To = Last == MaxInt ? Count() : FirstRowOf(Last + 1);
  if (To > From) {
    FRows.erase(FRows.begin() + From, FRows.begin() + To);
  }
}

void TEasyWrapList::ReplaceLines(int First, int Last, const std::vector<TEasyWrapRow>& Rows) {
  const int From = FirstRowOf(First);
  const int To = Last == MaxInt ? Count() : FirstRowOf(Last + 1);
  const int Old = To - From;
  const int New = static_cast<int>(Rows.size());
  // The common edit changes one line without changing its row count: the rows are overwritten in place.
  const int Common = std::min(Old, New);
  std::copy(Rows.begin(), Rows.begin() + Common, FRows.begin() + From);
  if (New > Old) {
    FRows.insert(FRows.begin() + To, Rows.begin() + Common, Rows.end());
  } else if (Old > New) {
    FRows.erase(FRows.begin() + From + New, FRows.begin() + To);
  }
}

bool TEasyWrapList::NeedWrap(int N, bool ByRow, int& Last, int& First) const {
  bool Need = false;
  if (ByRow) {
    Need = N >= Count();
  } else {
    Need = (FRows.empty() && N >= 0) || (!FRows.empty() && FRows.back().Line < N);
  }
  if (!Need) {
    return false;
  }
  First = FRows.empty() ? 0 : FRows.back().Line + 1;
  Last = N;
  if (ByRow && !FRows.empty()) {
    Last = N - (Count() - FRows.back().Line);
  }
  Last = std::max(Last, First) + cDefaultWrapDelta;
  return true;
}

void TEasyWrapList::CheckWrapUpdated(int N, bool ByRow) {
  int First = 0;
  int Last = 0;
  if (OnUpdateWordWrap && NeedWrap(N, ByRow, Last, First)) {
    OnUpdateWordWrap(this, First, Last);
  }
}

int TEasyWrapList::IndexFromPoint(const TPoint& P, bool AtRowEnd) {
  CheckWrapUpdated(P.Y, false);
  const int X = P.X;
  const int Y = P.Y;
  const int Pos = LowerBound(Y, X);
  auto Holds = [&](int I) {
    if (I < 0 || I >= Count()) {
      return false;
    }
    const TEasyWrapRow& R = FRows[static_cast<std::size_t>(I)];
    return R.Line == Y && X >= R.StartChar && (X < R.EndChar || (X == R.EndChar && (AtRowEnd || X == MaxInt)));
  };
  if (Holds(Pos)) {
    return Pos;
  }
  if (Holds(Pos - 1)) {
    return Pos - 1;
  }
  for (int I = Pos + 1; I < Count() && FRows[static_cast<std::size_t>(I)].Line == Y; ++I) {
    if (FRows[static_cast<std::size_t>(I)].EndChar >= X) {
      return I;
    }
  }
  return Pos < Count() && FRows[static_cast<std::size_t>(Pos)].Line == Y ? Pos : -1;
}

TPoint TEasyWrapList::PointToWrapPoint(const TPoint& P, bool AtRowEnd) {
  const int I = IndexFromPoint(P, AtRowEnd);
  if (I < 0) {
    return P;
  }
  return TPoint{P.X == MaxInt ? MaxInt : P.X - Row(I).StartChar, I};
}

int TEasyWrapList::IndexFromWrapPoint(const TPoint& P) {
  CheckWrapUpdated(P.Y, true);
  if (FRows.empty()) {
    return -1;
  }
  return std::clamp(P.Y, 0, Count() - 1);
}

TPoint TEasyWrapList::WrapPointToPoint(const TPoint& P) {
  const int I = IndexFromWrapPoint(P);
  if (I < 0) {
    return P;
  }
  const TEasyWrapRow& R = Row(I);
  return TPoint{P.X == MaxInt ? MaxInt : P.X + R.StartChar, R.Line};
}

TPoint TEasyWrapList::WrapPointToPointEx(const TPoint& P) {
  TPoint Q = WrapPointToPoint(P);
  if (!FRows.empty() && P.Y > Count() - 1) {
    Q.Y += P.Y - (Count() - 1);
  }
  return Q;
}

// ---- the editor's wrap pass ----

int TCustomEasyEdit::GetWrapWidth() {
  if (FOptions.Contains(eoBreakWordsAtMargin)) {
    return std::max(FMargin->Position(), 1) * FPainter->GetDefaultCharWidth();
  }
  return ClientWidth() - GetLeftIndent() - 2;
}

void TCustomEasyEdit::WordBreakProc(int Line, const std::string& Text, int& Pos) {
  const int N = FPainter->GetWrapLenForLine(Line, Text, Pos);
  const int Length = static_cast<int>(Text.size());
  if (Length - Pos + 1 <= N) {
    Pos = MaxInt;
    return;
  }
  TCustomEasyEditSource* Source = GetEditSource();
  int Q = Pos + N;  // the first character that does not fit
  bool Stopped = false;
  for (int I = 0, P = Q; I <= N && P >= Pos; ++I, --P) {
    if (Text[static_cast<std::size_t>(P - 1)] == '\x01') {
      Q = P - 1;
      Stopped = Q >= Pos;
      break;
    }
    if (Source->IsDelimiter(Text, P)) {
      Q = P;
      Stopped = true;
      break;
    }
  }
  if (!Stopped) {
    Q = Pos + N - 1;
  }
  Pos = Q + 1;
  if (Pos > Length) {
    Pos = MaxInt;
  }
}

void TCustomEasyEdit::AddToWrapList(const std::string& Text, int Line, int Start, int Row, int Next) {
  (void)Text, (void)Row;
  FPendingRows.push_back(TEasyWrapRow{Line, Next == MaxInt ? MaxInt : Next - 1, Start});
}

bool TCustomEasyEdit::UpdateWordWrap(int First, int Last, bool Update) {
  const int Count = LineCount();
  if (!HandleAllocated() || (First >= Count && !(First == 0 && Count == 0))) {
    return false;
  }
  First = std::min(First, WrappedUpTo + 1);
  First = std::max(First, 0);
  TCustomEasyEditSource* Source = GetEditSource();
  if (Source->Parser() || Source->NeedSpell() || Source->Options().Contains(srHighlightUrls)) {
    ParseStrings(First, Last);
  }
  if (!FWordWrap && !NeedStoreInfo()) {
    const bool Had = FWrapList->Count() > 0;
    FWrapList->Clear();
    WrappedUpTo = -1;
    WrapUpdating = true;
    try {
      WordWrapUpdated(false);
    } catch (...) {
      WrapUpdating = false;
      throw;
    }
    WrapUpdating = false;
    if (Had && NeedPages()) {
      // The pages were split by rows; now they hold whole lines again.
      PageChanged(GetDefaultPage());
    }
    return Had;
  }
  const bool Paged = NeedPages() && FPages->Count() > 0;
  const int OldCount = FWrapList->Count();
  const int OldUpTo = WrappedUpTo;
  const int FirstRow = FWrapList->FirstRowOf(First);
  // With pages shown the rows are followed sheet by sheet: in page layout each row wraps at the width of the
  // sheet it falls on, and a pass to the end stops below the view.
  TWrapSheet Sheet;
  if (Paged) {
    Sheet = FirstWrapSheet(FirstRow);
  }
  const int FirstSheet = Sheet.Index;
  const bool SheetWidths = PageLayout() && Paged && !FOptions.Contains(eoBreakWordsAtMargin);
  const int ViewBottom = FWindowLine + ClientHeight();
  bool PastView = false;
  WrapUpdating = true;
  bool Changed = true;
  int Wrapped = First - 1;
  try {
    int Row = FirstRow;
    FPainter->InitWordWrap(SheetWidths ? PageLayoutWrapWidth(FPages->Page(Sheet.Settings)) : GetWrapWidth(),
                           std::string());
    // One row more: the sheet step below runs after each row.
    auto RowAdded = [&] {
      ++Row;
      if (!Paged || --Sheet.RowsLeft > 0) {
        return;
      }
      NextWrapSheet(Sheet);
      if (SheetWidths) {
        FPainter->InitWordWrap(PageLayoutWrapWidth(FPages->Page(Sheet.Settings)), std::string());
      }
      if (PageLayout() && Last == MaxInt && Sheet.Top > ViewBottom) {
        PastView = true;
      }
    };
    FPendingRows.clear();
    const int End = std::min(Last, Count - 1);
    for (int D = First; D <= End; ++D) {
      if (PastView && D > First) {
        break;
      }
      std::string Extra;
      BeforeWrapString(D, Extra);
      const std::string& Text = GetLines()->GetStrRef(D);
      if (FWordWrap && !Text.empty()) {
        int Start = 0;
        int Pos = 1;
        while (Pos <= static_cast<int>(Text.size())) {
          WordBreakProc(D, Text, Pos);
          AddToWrapList(Text, D, Start, Row, Pos);
          RowAdded();
          if (Pos == MaxInt) {
            break;
          }
          Start = Pos - 1;
        }
      } else {
        FPendingRows.push_back(TEasyWrapRow{D, MaxInt, 0});
        RowAdded();
      }
      Wrapped = D;
      if (!PageLayout() && Last == MaxInt && FWindowLine + cDefaultWrapDelta < Row) {
        break;
      }
    }
    const int NewRows = static_cast<int>(FPendingRows.size());
    const int OldRows = FWrapList->FirstRowOf(Wrapped + 1) - FirstRow;
    // Rows below the wrapped lines stay valid when they keep their places, or when every sheet wraps alike;
    // otherwise they are dropped and wrapped again, at their new sheets' widths, when they are needed.
    const bool KeepBelow =
        Last != MaxInt && (Wrapped >= OldUpTo || NewRows == OldRows || !SheetWidths || SheetsWrapAlike());
    FWrapList->ReplaceLines(First, KeepBelow ? Wrapped : MaxInt, FPendingRows);
    FPendingRows.clear();
    WrappedUpTo = KeepBelow ? std::max(OldUpTo, Wrapped) : Wrapped;
    Changed = !(First == Last && FWrapList->Count() == OldCount);
  } catch (...) {
    WrapUpdating = false;
    FPendingRows.clear();
    throw;
  }
  WrapUpdating = false;
  if (Paged && First == 0 && Last == MaxInt) {
    // Everything was wrapped anew (or wrapping was just switched on): every page is laid out again.
    PageChanged(GetDefaultPage());
  } else if (Paged && First <= OldUpTo) {
    // Rows the pages were split by have changed: the pages from the first changed row's sheet on are laid out
    // again (a repaint follows only when rows moved). Rows only added below the ones wrapped before, as lazy
    // wrapping does, change no page laid out so far.
    TEasyPage* From = FPages->Page(std::min(FirstSheet, FPages->Count() - 1));
    if (FWrapList->Count() != OldCount) {
      PageChanged(From);
    } else {
      FPages->LaidOut = std::min(FPages->LaidOut, From->Index());
    }
  }
  if (Update) {
    WordWrapUpdated(First == 0 && Last == MaxInt);
  }
  return Changed;
}

TCustomEasyEdit::TWrapSheet TCustomEasyEdit::FirstWrapSheet(int Row) {
  // The walk starts at the last laid-out page that begins at or before the row (its place is known and the rows
  // before it are unchanged), so that an edit far down does not walk every page above it.
  int Known = 0;
  int Start = 0;
  const int LastLine = FWrapList->Count() > 0 ? FWrapList->Row(FWrapList->Count() - 1).Line : -1;
  for (int Lo = 1, Hi = std::min(FPages->LaidOut, FPages->Count()) - 1; Lo <= Hi;) {
    const int Mid = (Lo + Hi) / 2;
    const TEasyPage* P = FPages->Page(Mid);
    const int First =
        P->FirstLine <= LastLine ? FWrapList->IndexFromPoint(TPoint{P->FirstChar, P->FirstLine}, false) : -1;
    if (First >= 0 && First <= Row) {
      Known = Mid;
      Start = First;
      Lo = Mid + 1;
    } else {
      Hi = Mid - 1;
    }
  }
  TWrapSheet S;
  S.Index = S.Settings = Known;
  S.Top = Known == 0 ? FPages->Page(0)->GetTopGutterHeight() : FPages->Page(Known)->Top;
  S.RowsLeft = FPages->Page(Known)->TextRows();
  while (Row >= Start + S.RowsLeft) {
    Start += S.RowsLeft;
    NextWrapSheet(S);
    if (S.Index >= FPages->Count()) {
      // The pages not made yet are all alike: whole ones are passed at once.
      const TEasyPage* Default = FPages->Page(0);
      const int Skip = (Row - Start) / S.RowsLeft;
      S.Index += Skip;
      Start += Skip * S.RowsLeft;
      S.Top += Skip * (Default->GetRealPageSize().cy + Default->TopGutterHeight());
    }
  }
  S.RowsLeft = Start + S.RowsLeft - Row;
  return S;
}

void TCustomEasyEdit::NextWrapSheet(TWrapSheet& S) {
  const TEasyPage* Prev = FPages->Page(S.Settings);
  ++S.Index;
  // A page not made yet will copy the default page's settings when it is added.
  S.Settings = S.Index < FPages->Count() ? S.Index : 0;
  const TEasyPage* Page = FPages->Page(S.Settings);
  S.Top += Prev->GetRealPageSize().cy + Page->TopGutterHeight();
  S.RowsLeft = Page->TextRows();
}

bool TCustomEasyEdit::SheetsWrapAlike() {
  // Known until a page's size or margins change (a page added copies the default page and changes nothing).
  if (FSheetsAlike < 0) {
    FSheetsAlike = 1;
    const int Width = PageLayoutWrapWidth(FPages->Page(0));
    for (int I = 1; I < FPages->Count() && FSheetsAlike == 1; ++I) {
      FSheetsAlike = PageLayoutWrapWidth(FPages->Page(I)) == Width ? 1 : 0;
    }
  }
  return FSheetsAlike == 1;
}

int TCustomEasyEdit::TopLine() {
  if (PageLayout()) {
    // WindowLine is a pixel offset: the first line of the page at the top of the view.
    return NeedPages() && FPages->Count() > 0 ? GetPageAt(TPoint{0, FWindowLine}, false)->FirstLine : 0;
  }
  if (FWordWrap) {
    const int I = FWrapList->IndexFromWrapPoint(TPoint{0, FWindowLine});
    if (I >= 0) {
      return FWrapList->Row(I).Line + (FWindowLine - I);
    }
  }
  int Line = FWindowLine;
  GetRealLineIndex(Line);
  return Line;
}

void TCustomEasyEdit::OnUpdateWordWrap(TObject* Sender, int First, int Last) {
  (void)Sender;
  // A running pass is not entered again: what it has not wrapped yet is measured by estimate meanwhile.
  if (First < LineCount() && !WrapUpdating) {
    UpdateWordWrap(First, Last, false);
  }
}

void TCustomEasyEdit::WordWrapUpdated(bool Repaint) {
  if (Repaint) {
    Invalidate();
  }
  ScrollHeightCache = 0;
  UpdateScrollBars();
  UpdateScrollPos();
}

void TCustomEasyEdit::CheckAfterLineEnd(int Line, int& Column, bool AtRowEnd) {
  if (!FWordWrap || Column <= 0) {
    return;
  }
  const int I = FWrapList->IndexFromPoint(TPoint{Column, Line}, AtRowEnd);
  if (I < 0) {
    return;
  }
  const TEasyWrapRow& R = FWrapList->Row(I);
  const std::string& Text = GetLines()->GetStrRef(Line);
  if (FPainter->GetWrapLenForLine(Line, Text, R.StartChar + 1) + R.StartChar < Column) {
    --Column;
  }
}
