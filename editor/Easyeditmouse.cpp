// The editor and the mouse: placing the caret, selecting by dragging (stream or block, by words, with the
// 30 ms auto-scroll timer), double clicks, dragging a selection to move or copy it, links in the text and the
// gutter. Also the suite's hand cursor shown over links.
#include "editor/Easyeditor.h"

#include "editor/Easyutils.h"
#include "platform/controls/Forms.h"
#include "platform/graphics/Cursors.h"
#include "platform/graphics/Images.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/Resources.h"
#include "platform/win/Shell.h"
#include "platform/win/VirtualKeys.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int MaxInt = EasyMaxInt;

// The hand over links: a pointing hand of our own, black outline and white fill, hot spot at the fingertip.
const char* const HandPicture[] = {
    "     ##         ",
    "    #..#        ",
    "    #..#        ",
    "    #..#        ",
    "    #..#        ",
    "    #..###      ",
    "    #..#..###   ",
    "    #..#..#..## ",
    " ## #..#..#..#.#",
    "#..##........#.#",
    "#...#..........#",
    " #.............#",
    "  #............#",
    "  #...........# ",
    "   #..........# ",
    "   #.........#  ",
    "    #........#  ",
    "    #........#  ",
    "    ##########  ",
};

void Put16(std::string& S, unsigned V) {
  S += static_cast<char>(V & 0xFF);
  S += static_cast<char>((V >> 8) & 0xFF);
}
void Put32(std::string& S, unsigned V) {
  Put16(S, V & 0xFFFF);
  Put16(S, V >> 16);
}

// The hand as the bytes of a 32 x 32 cursor file with 32-bit pixels.
std::string HandCursorFile() {
  constexpr int Size = 32;
  std::string Image;
  Put32(Image, 40);
  Put32(Image, Size);
  Put32(Image, Size * 2);
  Put16(Image, 1);
  Put16(Image, 32);
  Put32(Image, 0);
  Put32(Image, Size * Size * 4 + Size * 4);
  for (int I = 0; I < 4; ++I) {
    Put32(Image, 0);
  }
  const int Rows = static_cast<int>(sizeof HandPicture / sizeof HandPicture[0]);
  auto At = [&](int X, int Y) -> char {
    if (Y >= Rows || X >= static_cast<int>(std::strlen(HandPicture[Y]))) {
      return ' ';
    }
    return HandPicture[Y][X];
  };
  for (int Y = Size - 1; Y >= 0; --Y) {
    for (int X = 0; X < Size; ++X) {
      const char C = At(X, Y);
      Put32(Image, C == '#' ? 0xFF000000u : (C == '.' ? 0xFFFFFFFFu : 0u));
    }
  }
  for (int Y = Size - 1; Y >= 0; --Y) {
    unsigned Mask = 0;
    for (int X = 0; X < Size; ++X) {
      if (At(X, Y) == ' ') {
        Mask |= 0x80000000u >> X;
      }
    }
    Image += static_cast<char>(Mask >> 24);
    Image += static_cast<char>((Mask >> 16) & 0xFF);
    Image += static_cast<char>((Mask >> 8) & 0xFF);
    Image += static_cast<char>(Mask & 0xFF);
  }
  std::string File;
  Put16(File, 0);
  Put16(File, 2);
  Put16(File, 1);
  File += static_cast<char>(Size);
  File += static_cast<char>(Size);
  File += '\0';
  File += '\0';
  Put16(File, 5);  // hot spot x
  Put16(File, 0);  // hot spot y
  Put32(File, static_cast<unsigned>(Image.size()));
  Put32(File, 22);
  return File + Image;
}

}  // namespace

void RegisterEditorCursors() {
  static const std::string Bytes = HandCursorFile();
  static const bool Registered = [] {
    RegisterResource(RT_CURSOR, "EASYHANDPT", Bytes.data(), Bytes.size());
    return true;
  }();
  (void)Registered;
  if (Screen && Screen->Cursors(crEasyHand) == Screen->Cursors(crDefault)) {
    if (HANDLE H = LoadImage(0, "EASYHANDPT", IMAGE_CURSOR, 0, 0, 0)) {
      Screen->SetCursors(crEasyHand, reinterpret_cast<HCURSOR>(H));
    }
  }
}

// ---- press, move, release ----

void TCustomEasyEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  DisableAutoCompleteTimer();
  TCustomEasyEditSource* Source = GetEditSource();
  const TPoint Old = Source->CurrentPosition;
  if (!ComponentState().Contains(csDesigning) && CanFocus()) {
    if (!Focused()) {
      SetFocus();
    }
  }
  if (!(Button == mbRight && !FOptions.Contains(eoMoveOnRightClick))) {
    SetPosByMouse(X, Y);
  }
  if (Button == mbLeft && NeedSelection()) {
    if (Shift.Contains(ssDouble)) {
      if (!MouseOnGutter(X, Y)) {
        MarkLineOrWord();
        DisableSelTimer();
      }
    } else if (MouseSelState == seNone) {
      const TPoint C = Source->CurrentPosition;
      if (SelType != slNone && InsideBlock(C.X, C.Y) && FOptions.Contains(eoEnableDragging) && !Source->ReadOnly()) {
        if (Shift.Contains(ssShift)) {
          PlatformDragging = true;
          try {
            BeginDrag(true);
          } catch (...) {
            PlatformDragging = false;
            throw;
          }
          PlatformDragging = false;
        } else {
          MouseSelState = seDrag;
          WordAnchorEnd = C;
          EnableSelTimer();
        }
      } else {
        SetSelType(slNone);
        MouseSelState = seSel;
        WordAnchorStart = C;
        WordAnchorEnd = C;
        if (Shift.Contains(ssShift)) {
          WordAnchorStart = Old;
          WordAnchorEnd = TPoint{-1, -1};
          MouseSelect();
        } else {
          SetSelection(Rect(C.X, C.Y, C.X, C.Y), slStream);
        }
        EnableSelTimer();
      }
      WordAnchorExtended = false;
      WordSnapActive = false;
    }
  }
  if (Button == mbRight && (MouseSelState == seSel || MouseSelState == seDrag)) {
    DisableSelTimer();
  }
  PressedOnUrl = UrlAtPoint(X, Y);
  PressedOnGutter = MouseOnGutter(X, Y);
}

void TCustomEasyEdit::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  const bool OnLink = MouseSelState == seNone && UrlAtPoint(X, Y);
  if (OnLink && Cursor != crEasyHand) {
    SavedCursor = static_cast<SmallInt>(Cursor);
    Cursor = crEasyHand;
    ::SetCursor(Screen->Cursors(crEasyHand));
  } else if (!OnLink && Cursor == crEasyHand) {
    Cursor = SavedCursor;
    ::SetCursor(Screen->Cursors(SavedCursor));
  }
}

void TCustomEasyEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseUp(Button, Shift, X, Y);
  TCustomEasyEditSource* Source = GetEditSource();
  if (Button == mbLeft) {
    switch (MouseSelState) {
      case seSel: {
        DisableSelTimer();
        const TPoint C = Source->CurrentPosition;
        if (!IsValidBlockPos(C.X, C.Y)) {
          SetSelType(slNone);
        }
        break;
      }
      case seDrag:
        DisableSelTimer();
        if (!MoveBlock(!Shift.Contains(ssCtrl))) {
          SetSelType(slNone);
        }
        break;
      case seWord: MouseSelState = seNone; break;
      case seNone:
        if (!PlatformDragging) {
          SetSelType(slNone);
        }
        break;
    }
    // A click on link text follows the link; a press that went on to select text does not.
    if (PressedOnUrl && MouseSelState == seNone && SelType == slNone && UrlAtPoint(X, Y)) {
      ProcessUrl(PixelToTextPoint(TPoint{X, Y}, CaretAtRowEnd));
    }
  }
  if (PressedOnGutter && MouseOnGutter(X, Y)) {
    const TPoint P = PixelToTextPoint(TPoint{X, Y}, false);
    GutterClick(P.Y, GetGutterImageIndex(P, X));
  }
  PressedOnGutter = false;
}

void TCustomEasyEdit::DblClick() {
  TCustomControl::DblClick();
  if (CursorOnGutter()) {
    TPoint M{0, 0};
    ::GetCursorPos(&M);
    M = ScreenToClient(M);
    const TPoint P = PixelToTextPoint(M, false);
    GutterDblClick(P.Y, GetGutterImageIndex(P, M.X));
  }
}

void TCustomEasyEdit::SetPosByMouse(int X, int Y) {
  CaretAtRowEnd = CheckEndOfLine(TPoint{X, Y});
  TPoint T = PixelToTextPointEx(TPoint{X, Y}, CaretAtRowEnd, true, false, false);
  T.X = std::max(T.X, 0);
  T.Y = std::max(T.Y, 0);
  TCustomEasyEditSource* Source = GetEditSource();
  ++NavigateCount;
  ++SelectionHold;
  WrapColumnValid = false;
  try {
    if (T.X == Source->CurrentPosition.X && T.Y == Source->CurrentPosition.Y) {
      UpdateCaret();
    } else {
      Source->JumpTo(T.X, T.Y);
    }
  } catch (...) {
    --NavigateCount;
    --SelectionHold;
    throw;
  }
  --NavigateCount;
  --SelectionHold;
}

bool TCustomEasyEdit::CheckEndOfLine(const TPoint& P) {
  if (!FWordWrap) {
    return false;
  }
  int Row = 0;
  if (PageLayout()) {
    Row = PageLayoutRowAt(P.Y);
  } else {
    const int H = std::max(FPainter->GetDefaultLineHeight(), 1);
    const int Dy = P.Y - GetTopIndent();
    Row = FWindowLine + (Dy >= 0 ? Dy / H : -((-Dy + H - 1) / H));
  }
  if (Row < 0) {
    return false;
  }
  const int I = FWrapList->IndexFromWrapPoint(TPoint{0, Row});
  if (I != Row) {
    return false;
  }
  const TPoint T = PixelToTextPointEx(P, false, true, false, false);
  return FWrapList->Row(I).StartChar != T.X;
}

// ---- selecting with the mouse ----

void TCustomEasyEdit::EnableSelTimer() {
  if (HandleAllocated()) {
    SetTimer(Handle(), EasySelTimerId, 30, nullptr);
  }
}

void TCustomEasyEdit::DisableSelTimer() {
  if (MouseSelState == seSel || MouseSelState == seDrag) {
    if (HandleAllocated()) {
      KillTimer(Handle(), EasySelTimerId);
    }
    if (Screen) {
      Screen->SetCursor(crDefault);
    }
    MouseSelState = seNone;
  }
  WordSnapActive = false;
  WordAnchorExtended = false;
}

void TCustomEasyEdit::MouseSelect() {
  if (MouseSelState != seSel && MouseSelState != seDrag) {
    return;
  }
  TPoint M{0, 0};
  ::GetCursorPos(&M);
  M = ScreenToClient(M);
  const bool RowEnd = CheckEndOfLine(M);
  TPoint T = PixelToTextPointEx(M, RowEnd, true, false, false);
  T.X = std::max(T.X, 0);
  if (T.X == WordAnchorEnd.X && T.Y == WordAnchorEnd.Y) {
    return;
  }
  CaretAtRowEnd = RowEnd;
  TCustomEasyEditSource* Source = GetEditSource();
  if (MouseSelState == seDrag) {
    ++SelectionHold;
    try {
      Source->JumpTo(T.X, std::max(T.Y, 0));
    } catch (...) {
      --SelectionHold;
      throw;
    }
    --SelectionHold;
    WordAnchorEnd = T;
    const TPoint C = Source->CurrentPosition;
    Screen->SetCursor(static_cast<TCursor>(InsideBlock(C.X, C.Y) ? crNoDrop : DragCursor));
    return;
  }
  ++SelectionHold;
  ++NavigateCount;
  try {
    Source->Bracket(oprOther, [&] {
      if (T.X != WordAnchorEnd.X) {
        WordAnchorForward = T.X > WordAnchorEnd.X;
      }
      WordAnchorEnd = T;
      TEasySelType Type = GetKeyState(VK_MENU) < 0 ? slBlock : slStream;
      MoveProc();
      const TPoint C = Source->CurrentPosition;
      TPoint A = WordAnchorStart;
      TRect R;
      if (Type == slBlock) {
        R = Rect(std::min(A.X, C.X), std::min(A.Y, C.Y), std::max(A.X, C.X), std::max(A.Y, C.Y));
      } else {
        TPoint B = C;
        if (B.Y < A.Y || (B.Y == A.Y && B.X < A.X)) {
          std::swap(A, B);
        }
        R = Rect(A.X, A.Y, B.X, B.Y);
      }
      SetSelection(R, Type);
      if (SelType == slStream) {
        if (C.X == SelRect.Right && C.Y == SelRect.Bottom) {
          SelEndAtRowEnd = CaretAtRowEnd;
        } else {
          SelStartAtRowEnd = CaretAtRowEnd;
        }
      }
      if (WordSnapActive && !WordAnchorExtended && SelType == slStream) {
        int Start = 0;
        int End = 0;
        Source->GetWord(WordAnchorStart, Start, End, wsWord);
        if (Start > 0 && Start <= WordAnchorStart.X + 1 && WordAnchorStart.X + 1 <= End) {
          TRect S = SelRect;
          if (WordAnchorForward) {
            S.Left = Start - 1;
            WordAnchorStart.X = Start - 1;
          } else {
            S.Right = End;
            WordAnchorStart.X = End;
          }
          SetSelection(S, slStream);
        }
        WordAnchorExtended = true;
      }
    });
  } catch (...) {
    --SelectionHold;
    --NavigateCount;
    throw;
  }
  --SelectionHold;
  --NavigateCount;
}

void TCustomEasyEdit::MoveProc() {
  TCustomEasyEditSource* Source = GetEditSource();
  const TPoint E = WordAnchorEnd;
  const TPoint A = WordAnchorStart;
  if (FOptions.Contains(eoWordSelection) && SelType != slBlock && E.Y >= 0 && E.Y < LineCount()) {
    int Start = 0;
    int End = 0;
    Source->GetWord(E, Start, End, wsWord);
    const bool Forward = WordAnchorForward;
    const int Col = E.X;
    const bool Within = Start > 0 && (Forward ? (Start <= Col && Col <= End) : (Start - 1 <= Col && Col < End));
    const bool OtherWord = A.Y != E.Y || A.X < Start || A.X > End;
    const bool Side = A.Y == E.Y ? ((Col >= A.X) == Forward) : ((E.Y > A.Y) == Forward);
    if (Within && OtherWord && Side) {
      Source->JumpTo(Forward ? End : Start - 1, E.Y);
      WordSnapActive = true;
      return;
    }
  }
  Source->JumpTo(E.X, std::max(E.Y, 0));
}

void TCustomEasyEdit::MarkLineOrWord() {
  MouseSelState = seWord;
  if (FOptions.Contains(eoDblClickLine)) {
    const int Y = GetCurrentPosition().Y;
    SetSelection(Rect(0, Y, 0, Y + 1), slStream);
  } else {
    MarkWord();
  }
}

// ---- the gutter ----

bool TCustomEasyEdit::MouseOnGutter(int X, int Y) {
  if (!FOptions.Contains(eoPaintGutter)) {
    return false;
  }
  if (PageLayout()) {
    return PageLayoutMouseOnGutter(TPoint{X, Y});
  }
  return X >= 0 && X < GetLeftIndent();
}

bool TCustomEasyEdit::CursorOnGutter() {
  TPoint M{0, 0};
  ::GetCursorPos(&M);
  M = ScreenToClient(M);
  return MouseOnGutter(M.X, M.Y);
}

int TCustomEasyEdit::GetGutterImageIndex(const TPoint& P, int X) {
  if (P.Y < 0 || P.Y >= LineCount()) {
    return -1;
  }
  int RowStart = 0;
  int RowEnd = MaxInt;
  if (FWordWrap) {
    const int I = FWrapList->IndexFromPoint(P, false);
    if (I >= 0) {
      RowStart = FWrapList->Row(I).StartChar;
      RowEnd = FWrapList->Row(I).EndChar;
    }
  }
  // The gutter of page layout lies left of the sheet the line is on.
  const int Offset =
      PageLayout() ? PageLayoutGutterLeft(TPoint{X, TextToPixelPoint(P, false).Y}) : GetLeftRulerIndent();
  const int H = FPainter->GetDefaultLineHeight();
  return PaintGutterImage(RowStart, RowEnd, X, true, Rect(Offset, 0, Offset + FGutter->GetWidth(), H),
                          GetEditSource()->GetLineStyle(P.Y), Offset, P.Y);
}

// ---- links ----

int TCustomEasyEdit::StyleAtCursor(int X, int Y) {
  const TPoint T = PixelToTextPoint(TPoint{X, Y}, CaretAtRowEnd);
  TCustomEasyEditSource* Source = GetEditSource();
  if (T.Y < 0 || T.Y >= LineCount() || T.X < 0 || T.X >= Source->LineLength(T.Y)) {
    return -1;
  }
  const int Index = GetRealChar(T.Y, T.X);
  return GetLines()->GetData(T.Y, Index + 1);
}

bool TCustomEasyEdit::UrlAtPoint(int X, int Y) {
  const int Url = GetEditSource()->GetUrlStyle();
  return Url >= 0 && Url == StyleAtCursor(X, Y);
}

void TCustomEasyEdit::ProcessUrl(const TPoint& P) {
  if (P.Y < 0 || P.Y >= LineCount() || P.X < 0 || P.X >= GetEditSource()->LineLength(P.Y)) {
    return;
  }
  TEasyStrings* Lines = GetLines();
  const std::string& Text = Lines->GetStrRef(P.Y);
  const int Index = GetRealChar(P.Y, P.X);
  const int Style = Lines->GetData(P.Y, Index + 1);
  int First = Index;
  int Last = Index;
  while (First > 0 && Lines->GetData(P.Y, First) == Style) {
    --First;
  }
  while (Last + 1 < static_cast<int>(Text.size()) && Lines->GetData(P.Y, Last + 2) == Style) {
    ++Last;
  }
  JumpToUrl(Text.substr(static_cast<std::size_t>(First), static_cast<std::size_t>(Last - First + 1)));
}

void TCustomEasyEdit::JumpToUrl(const std::string& Url) {
  std::string Target = Url;
  if (IsEmlString(Target) && AnsiUpperCase(Target).find("MAILTO:") == std::string::npos) {
    Target = "mailto:" + Target;
  }
  bool Handled = false;
  if (OnUrlJump) {
    OnUrlJump(this, Target, Handled);
  }
  if (!Handled) {
    UrlJump(Target);
  }
}

void UrlJump(const std::string& Url) { ShellExecute(0, "open", Url.c_str(), "", "", SW_SHOWNORMAL); }
