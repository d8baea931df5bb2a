// The selection: storing and normalising it, the kinds allowed, which part of a row is selected, which
// characters are inside, the selection as a list of lines and the screen areas repainted when it changes.
#include "editor/Easyeditor.h"

#include "editor/Easyutils.h"

#include <algorithm>

namespace {
constexpr int MaxInt = EasyMaxInt;
bool SameRect(const TRect& A, const TRect& B) {
  return A.Left == B.Left && A.Top == B.Top && A.Right == B.Right && A.Bottom == B.Bottom;
}
}  // namespace

void TCustomEasyEdit::CheckSelType(TEasySelType& Type) {
  if (Type == slNone) {
    return;
  }
  switch (FBlockSelMode) {
    case TEasyBlockSelMode::bsStream: Type = slStream; break;
    case TEasyBlockSelMode::bsBlock: Type = AllowBlockSel() ? slBlock : slNone; break;
    case TEasyBlockSelMode::bsNone: Type = slNone; break;
    case TEasyBlockSelMode::bsBoth:
      if (Type == slBlock && !AllowBlockSel()) {
        Type = slStream;
      }
      break;
  }
}

void TCustomEasyEdit::SetBlockSelMode(TEasyBlockSelMode Value) {
  if (Value == FBlockSelMode) {
    return;
  }
  FBlockSelMode = Value;
  if (SelType != slNone) {
    TEasySelType T = SelType;
    CheckSelType(T);
    SetSelection(SelRect, T);
  }
}

void TCustomEasyEdit::SetSelection(TRect R, TEasySelType Type) {
  CheckSelType(Type);
  if (Type == SelType && SameRect(R, SelRect)) {
    return;
  }
  InvalidateSelection(SelRect, SelType);
  if (!NeedSelection()) {
    SelType = slNone;
  } else {
    SelRect = R;
    SelType = Type;
    if (IsBlockEmpty()) {
      SelType = slNone;
    }
  }
  if (SelType == slNone) {
    SelRect = TRect{0, 0, 0, 0};
    SelStartAtRowEnd = SelEndAtRowEnd = false;
  }
  InvalidateSelection(SelRect, SelType);
  if (GetEditSource()->UpdateCount() == 0) {
    SelectionChanged();
  }
}

void TCustomEasyEdit::SelectBlock(TEasySelType OldType, TEasySelType NewType, TPoint From, Byte Command,
                                  const std::function<void()>& MoveProc, bool RowEnd) {
  CheckSelType(NewType);
  TRect R = SelRect;
  ++SelectionHold;
  ++NavigateCount;
  auto Move = [&] {
    if (MoveProc) {
      MoveProc();
    } else {
      Navigate(Command);
    }
    return GetCurrentPosition();
  };
  try {
    if (OldType != slNone && IsValidBlockPos(From.X, From.Y)) {
      const TPoint P = Move();
      if (NewType == slBlock) {
        int& RowEdge = R.Top == R.Bottom ? (R.Top < P.Y ? R.Bottom : R.Top) : (R.Top < From.Y ? R.Bottom : R.Top);
        RowEdge = P.Y;
        int& ColEdge =
            R.Left == R.Right ? (R.Left < P.X ? R.Right : R.Left) : (R.Left < From.X ? R.Right : R.Left);
        ColEdge = P.X;
      } else {
        if (From.X != R.Left || From.Y != R.Top) {
          R.Right = P.X;
          R.Bottom = P.Y;
        } else {
          R.Left = P.X;
          R.Top = P.Y;
        }
        if (R.Bottom < R.Top || (R.Bottom == R.Top && R.Right < R.Left && !FWordWrap)) {
          std::swap(R.Left, R.Right);
          std::swap(R.Top, R.Bottom);
        }
      }
    } else {
      R = Rect(From.X, From.Y, From.X, From.Y);
      const TPoint P = Move();
      if (P.Y == From.Y) {
        if (From.X < P.X) {
          R.Right = P.X;
        } else {
          R.Left = P.X;
        }
      } else if (P.Y < From.Y) {
        R.Left = P.X;
        R.Top = P.Y;
      } else {
        R.Right = P.X;
        R.Bottom = P.Y;
      }
    }
    if (NewType == slBlock) {
      if (R.Left > R.Right) {
        std::swap(R.Left, R.Right);
      }
      if (R.Top > R.Bottom) {
        std::swap(R.Top, R.Bottom);
      }
    }
    SetSelection(R, NewType);
  } catch (...) {
    --SelectionHold;
    --NavigateCount;
    throw;
  }
  --SelectionHold;
  --NavigateCount;
  if (SelType != slNone) {
    const TPoint P = GetCurrentPosition();
    if (P.X == SelRect.Left && P.Y == SelRect.Top) {
      SelStartAtRowEnd = CaretAtRowEnd;
    } else if (P.X == SelRect.Right && P.Y == SelRect.Bottom) {
      SelEndAtRowEnd = CaretAtRowEnd;
    }
    if (RowEnd) {
      if (From.X == SelRect.Left && From.Y == SelRect.Top) {
        SelStartAtRowEnd = RowEnd;
      } else if (From.X == SelRect.Right && From.Y == SelRect.Bottom) {
        SelEndAtRowEnd = RowEnd;
      }
    }
  }
  InvalidateSelection(SelRect, SelType);
}

bool TCustomEasyEdit::IsValidBlockPos(int X, int Y) {
  switch (SelType) {
    case slStream:
      return (X == SelRect.Left && Y == SelRect.Top) || (X == SelRect.Right && Y == SelRect.Bottom);
    case slBlock:
      return (Y == SelRect.Top || Y == SelRect.Bottom) && (X == SelRect.Left || X == SelRect.Right);
    case slNone: break;
  }
  return true;
}

bool TCustomEasyEdit::IsBlockEmpty() {
  const TRect& R = SelRect;
  switch (SelType) {
    case slStream: return !(R.Bottom > R.Top || (R.Bottom == R.Top && R.Right > R.Left));
    case slBlock:
      return !(R.Bottom >= R.Top && R.Right >= R.Left && (R.Left < R.Right || !FOptions.Contains(eoReduceBlockSel)));
    case slNone: break;
  }
  return true;
}

bool TCustomEasyEdit::SelectionShown() { return !FHideSelection || IsFocused(); }

bool TCustomEasyEdit::InsideBlock(int X, int Y) { return InsideRect(X, Y, SelType, SelRect); }

bool TCustomEasyEdit::InsideSearchRect(int X, int Y) { return InsideRect(X, Y, slStream, SearchRect); }

bool TCustomEasyEdit::InsideRect(int X, int Y, TEasySelType Type, const TRect& R) {
  switch (Type) {
    case slStream:
      if (R.Top < Y && Y < R.Bottom) {
        return true;
      }
      if (R.Top == R.Bottom) {
        return Y == R.Top && R.Left <= X && X < R.Right;
      }
      return (Y == R.Top && X >= R.Left) || (Y == R.Bottom && X < R.Right);
    case slBlock: {
      if (Y < R.Top || Y > R.Bottom) {
        return false;
      }
      const TRect B = GetBlockSelRect(R);
      const TPoint P = TextToPixelPoint(TPoint{X, Y}, false);
      const bool XIn = P.X >= B.Left && (FOptions.Contains(eoReduceBlockSel) ? P.X < B.Right : P.X <= B.Right);
      return XIn && P.Y >= B.Top && P.Y <= B.Bottom;
    }
    case slNone: break;
  }
  return false;
}

TRect TCustomEasyEdit::GetBlockSelRect(TRect R) {
  const TPoint A = TextToPixelPoint(TPoint{R.Left, R.Top}, SelStartAtRowEnd);
  const TPoint B = TextToPixelPoint(TPoint{R.Right, R.Bottom}, SelEndAtRowEnd);
  TRect Out = Rect(A.X, A.Y, B.X, B.Y);
  if (Out.Left > Out.Right) {
    std::swap(Out.Left, Out.Right);
  }
  return Out;
}

bool TCustomEasyEdit::GetSelBounds(int Line, int Row, bool Pixels, int& Start, int& End) {
  // Without wrapping every line is one display row.
  (void)Row;
  const TRect& R = SelRect;
  if (SelType == slStream) {
    bool FromLeft = false;
    if (Line < R.Top || Line > R.Bottom) {
      return false;
    }
    if (R.Top < Line && Line < R.Bottom) {
      Start = 0;
      End = MaxInt;
      FromLeft = true;
    } else if (R.Top == R.Bottom) {
      Start = R.Left;
      End = R.Right;
    } else if (Line == R.Top) {
      Start = R.Left;
      End = MaxInt;
    } else {
      Start = 0;
      End = R.Right;
      FromLeft = true;
    }
    if (Pixels && FWordWrap) {
      // Row is the first column of the display row asked about: its share of the line's selected columns.
      const int I = FWrapList->IndexFromPoint(TPoint{Row, Line}, false);
      if (I >= 0) {
        const int RowStart = FWrapList->Row(I).StartChar;
        const int RowEnd = FWrapList->Row(I).EndChar;
        if (End != MaxInt && End < RowStart) {
          return false;
        }
        if (RowEnd != MaxInt && Start > RowEnd) {
          return false;
        }
        Start = Start <= RowStart ? GetLeftIndent() : TextToPixelPoint(TPoint{Start, Line}, false).X;
        End = End == MaxInt || (RowEnd != MaxInt && End >= RowEnd) ? ClientWidth()
                                                                   : TextToPixelPoint(TPoint{End, Line}, false).X;
        return true;
      }
    }
    if (Pixels) {
      Start = FromLeft ? SelRowLeft(Line) : TextToPixelPoint(TPoint{Start, Line}, SelStartAtRowEnd).X;
      End = End == MaxInt ? SelRowRight(Line) : TextToPixelPoint(TPoint{End, Line}, SelEndAtRowEnd).X;
    }
    return true;
  }
  if (SelType == slBlock) {
    if (Line < R.Top || Line > R.Bottom) {
      return false;
    }
    int L = TextToPixelPoint(TPoint{R.Left, Line}, false).X;
    int Rt = TextToPixelPoint(TPoint{FOptions.Contains(eoReduceBlockSel) ? R.Right : R.Right + 1, Line}, false).X;
    if (L > Rt) {
      std::swap(L, Rt);
    }
    if (Pixels) {
      Start = L;
      End = Rt;
    } else {
      const int Y = TextToPixelPoint(TPoint{0, Line}, false).Y;
      Start = PixelToTextPoint(TPoint{L, Y}, false).X;
      End = PixelToTextPoint(TPoint{Rt, Y}, false).X;
    }
    return true;
  }
  return false;
}

void TCustomEasyEdit::InvalidateSelection(TRect R, TEasySelType Type) {
  if (Type == slNone || IsNullRect(R) || !HandleAllocated()) {
    return;
  }
  const int H = FPainter->GetDefaultLineHeight();
  const int W = FPainter->GetDefaultCharWidth();
  const int Width = ClientWidth();
  auto Invalidate = [&](TRect Rc) {
    if (Rc.Right > Rc.Left && Rc.Bottom > Rc.Top) {
      InvalidateRect(Handle(), &Rc, FALSE);
    }
  };
  if (Type == slBlock || R.Top == R.Bottom) {
    if (R.Left > R.Right) {
      std::swap(R.Left, R.Right);
    }
    TRect B = GetBlockSelRect(R);
    B.Bottom += H;
    if (B.Right != MaxInt) {
      B.Right += W;
    }
    Invalidate(B);
    return;
  }
  const TPoint Start = TextToPixelPoint(TPoint{R.Left, R.Top}, SelStartAtRowEnd);
  const TPoint End = TextToPixelPoint(TPoint{R.Right, R.Bottom}, SelEndAtRowEnd);
  if (End.Y > Start.Y + H) {
    Invalidate(Rect(GetLeftIndent(), Start.Y + H, Width, End.Y));
  }
  Invalidate(Rect(Start.X, Start.Y, Width, Start.Y + H));
  Invalidate(Rect(GetLeftIndent(), End.Y, End.X, End.Y + H));
}

void TCustomEasyEdit::SetSearchRect(const TRect& R) {
  if (SameRect(R, SearchRect)) {
    return;
  }
  InvalidateSelection(SearchRect, slStream);
  SearchRect = R;
  InvalidateSelection(SearchRect, slStream);
}

// ---- the selection as lines ----

Integer TEasySelStrings::GetCount() const {
  if (FEdit == nullptr || FEdit->SelType == slNone) {
    return 0;
  }
  return FEdit->SelRect.Bottom - FEdit->SelRect.Top + 1;
}

std::string TEasySelStrings::Get(Integer Index) const {
  if (Index < 0 || Index >= GetCount()) {
    return {};
  }
  TCustomEasyEditSource* Source = FEdit->GetEditSource();
  TEasyStrings* Lines = Source->Strings();
  const TRect& R = FEdit->SelRect;
  const bool Tabs = Source->NeedTabs();
  auto Real = [&](const std::string& S, int Column) {
    return Tabs && Column != MaxInt ? Source->TabStopList()->PosToRealPos(S, Column) : Column;
  };
  auto Cut = [](const std::string& S, int From, int To) {
    From = std::clamp(From, 0, static_cast<int>(S.size()));
    To = std::clamp(To, From, static_cast<int>(S.size()));
    return S.substr(static_cast<std::size_t>(From), static_cast<std::size_t>(To - From));
  };
  if (FEdit->SelType == slStream) {
    const int Line = R.Top + Index;
    const std::string S = Lines->GetStr(Line);
    if (R.Top == R.Bottom) {
      std::string Part = Cut(S, Real(S, R.Left), Real(S, R.Right));
      const int Width = R.Right - R.Left;
      if (static_cast<int>(Part.size()) < Width) {
        Part.append(static_cast<std::size_t>(Width) - Part.size(), ' ');
      }
      return Part;
    }
    if (Line == R.Top) {
      return Cut(S, Real(S, R.Left), static_cast<int>(S.size()));
    }
    if (Line == R.Bottom) {
      return Cut(S, 0, Real(S, R.Right));
    }
    return S;
  }
  const int Line = R.Top + Index;
  int Start = 0;
  int End = 0;
  if (!FEdit->GetSelBounds(Line, Line, false, Start, End) || Start >= End) {
    return {};
  }
  const std::string S = Lines->GetStr(Line);
  std::string Part = Cut(S, Real(S, Start), Real(S, End));
  if (static_cast<int>(Part.size()) < End - Start) {
    Part.append(static_cast<std::size_t>(End - Start) - Part.size(), ' ');
  }
  return Part;
}

void TEasySelStrings::Clear() {
  // Deleting the selected text belongs to the block commands; the list itself holds nothing.
}
