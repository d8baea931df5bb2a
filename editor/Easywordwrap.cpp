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
    return Had;
  }
  // In page layout every line wraps at the width of the page it lies on. The pages are laid out by lines, so the
  // pass walks them along with the lines: it lays out (and appends) the next page when a line lies past the current
  // one, and stops below the view when wrapping runs to the end.
  const bool Paged = PageLayout();
  int PageIndex = 0;
  bool PastView = false;
  if (Paged && First > 0) {
    PageIndex = std::max(FPages->GetPageIndexAt(TPoint{0, First - 1}, true), 0);
  }
  auto FollowPage = [&](int Line, bool Initial) {
    const int Before = PageIndex;
    if (FPages->LaidOut <= PageIndex) {
      FPages->CalcPageInternalSize(PageIndex, true);
    }
    while (Line > FPages->Page(PageIndex)->LastLine && !FPages->TextEndsOnPage(PageIndex)) {
      ++PageIndex;
      if (PageIndex >= FPages->Count()) {
        FPages->Add();
      }
      if (FPages->LaidOut <= PageIndex) {
        FPages->CalcPageInternalSize(PageIndex, true);
      }
    }
    if (Initial || PageIndex != Before) {
      TEasyPage* Page = FPages->Page(PageIndex);
      FPainter->InitWordWrap(FOptions.Contains(eoBreakWordsAtMargin) ? GetWrapWidth() : PageLayoutWrapWidth(Page),
                             std::string());
      PastView = Last == MaxInt && Page->Top > FWindowLine + ClientHeight();
    }
  };
  if (Paged) {
    FPages->BeginUpdate();
  }
  WrapUpdating = true;
  bool Changed = true;
  try {
    const int OldCount = FWrapList->Count();
    const int OldUpTo = WrappedUpTo;
    int Row = FWrapList->FirstRowOf(First);
    if (Paged) {
      FollowPage(First, true);
    } else {
      FPainter->InitWordWrap(GetWrapWidth(), std::string());
    }
    FPendingRows.clear();
    const int End = std::min(Last, Count - 1);
    int D = First;
    for (; D <= End; ++D) {
      if (Paged) {
        FollowPage(D, false);
        if (PastView && D > First) {
          --D;
          break;
        }
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
          ++Row;
          if (Pos == MaxInt) {
            break;
          }
          Start = Pos - 1;
        }
      } else {
        FPendingRows.push_back(TEasyWrapRow{D, MaxInt, 0});
        ++Row;
      }
      if (!Paged && Last == MaxInt && FWindowLine + cDefaultWrapDelta < Row) {
        break;
      }
    }
    const int Wrapped = std::min(D, End);
    FWrapList->ReplaceLines(First, Last == MaxInt ? MaxInt : Wrapped, FPendingRows);
    FPendingRows.clear();
    // Rows below an edit that kept the line count stay valid; a pass to the end drops them.
    WrappedUpTo = Last == MaxInt ? Wrapped : std::max(OldUpTo, Wrapped);
    Changed = !(First == Last && FWrapList->Count() == OldCount);
  } catch (...) {
    WrapUpdating = false;
    FPendingRows.clear();
    if (Paged) {
      FPages->EndUpdate();
    }
    throw;
  }
  WrapUpdating = false;
  if (Paged) {
    FPages->EndUpdate();
  }
  if (Update) {
    WordWrapUpdated(First == 0 && Last == MaxInt);
  }
  return Changed;
}

int TCustomEasyEdit::TopLine() {
  if (FWordWrap && !PageLayout()) {
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
  if (First < LineCount()) {
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
