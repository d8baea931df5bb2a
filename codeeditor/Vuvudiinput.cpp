// Code editor control: the input side: caret and editing commands, the edit-control messages, the mouse, the
// context menu, popup hints and the popup list, code templates, printing and pictures.
#include "codeeditor/Searunit.h"
#include "codeeditor/Vuvudiexport.h"
#include "codeeditor/Vuvudi.h"
#include "codeeditor/Vuvudikeys.h"
#include "codeeditor/Vuvuditemplates.h"
#include "codeeditor/Vuvudipr.h"
#include "platform/graphics/Printers.h"
#include "treeview/Vuvudipg.h"
#include "platform/controls/Forms.h"
#include "platform/graphics/Clipbrd.h"
#include "platform/graphics/Cursors.h"
#include "platform/win/Clipboard.h"
#include "platform/win/Clock.h"
#include "platform/win/GlobalMemory.h"
#include "platform/controls/Menus.h"
#include "suitebase/Compnames.h"
#include "suitebase/Smallhelpers.h"
#include "platform/win/Messages.h"
#include "platform/rtl/UnitInit.h"
#include "platform/win/SystemParams.h"
#include "suitebase/Containers.h"

#include <algorithm>
#include <cstring>

namespace Vuvudi {

using namespace Dcstring;

// --- unit initialisation: layouts, the hand cursor, the rich-text clipboard format ------------------------------

namespace {

template <void (*Init)(TCustomVUVudi*)>
void Layout(TObject* Control) {
  Init(static_cast<TCustomVUVudi*>(Control));
}

// The hand shown over links: a pointing hand, black outline on white, transparent around it.
HCURSOR MakeHandCursor() {
  constexpr int S = 32;
  TBitmap Mask, Color;
  Mask.SetMonochrome(true);
  Mask.SetSize(S, S);
  Color.SetSize(S, S);
  Mask.Canvas()->Brush()->SetColor(clWhite);
  Mask.Canvas()->FillRect(TRect{0, 0, S, S});
  Color.Canvas()->Brush()->SetColor(clBlack);
  Color.Canvas()->FillRect(TRect{0, 0, S, S});
  const std::vector<TPoint> Hand = {{6, 0},   {9, 0},   {9, 7},  {12, 6}, {15, 7}, {18, 7}, {21, 9},
                                    {21, 18}, {18, 23}, {9, 23}, {3, 15}, {2, 12}, {4, 11}, {6, 13}};
  for (TCanvas* C : {Mask.Canvas(), Color.Canvas()}) {
    const bool IsMask = C == Mask.Canvas();
    C->Brush()->SetColor(IsMask ? clBlack : clWhite);
    C->Pen()->SetColor(IsMask ? clBlack : clBlack);
    C->Polygon(Hand);
  }
  ICONINFO Info{};
  Info.fIcon = FALSE;
  Info.xHotspot = 7;
  Info.yHotspot = 0;
  Info.hbmMask = Mask.Handle();
  Info.hbmColor = Color.Handle();
  return CreateIconIndirect(&Info);
}

int InitCount = 0;

// Owned by a popup list: when the list goes without its holder freeing it (its parent, the control, frees its
// child windows first), the holder lets go of it.
class TListHolderGuard : public TComponent {
public:
  TListHolderGuard(Dcedit::ZEZPopupListBox* List, std::unique_ptr<Dcedit::ZEZPopupListBox>* Holder)
      : TComponent(List), FList(List), FHolder(Holder) {}
  ~TListHolderGuard() override {
    if (FHolder->get() == FList) {
      (void)FHolder->release();
    }
  }

private:
  Dcedit::ZEZPopupListBox* FList;
  std::unique_ptr<Dcedit::ZEZPopupListBox>* FHolder;
};

}  // namespace

UINT CF_RTF = 0;

void InitializeVuvudi() {
  if (InitCount++ != 0) {
    return;
  }
  Dorazori::RegisterKeyboardInitProc(TCustomVUVudi::StaticClass(), Vivaridiriz::ResStr(Dccommon::SDefaultKeyMapping),
                                     &Layout<&InitDefaultKeyboardFor<TCustomVUVudi>>);
  Dorazori::RegisterKeyboardInitProc(TCustomVUVudi::StaticClass(), Vivaridiriz::ResStr(SKeyboardClassic),
                                     &Layout<&InitClassicKeyboardFor<TCustomVUVudi>>);
  Dorazori::RegisterKeyboardInitProc(TCustomVUVudi::StaticClass(), Vivaridiriz::ResStr(SKeyboardBrief),
                                     &Layout<&InitBriefKeyboardFor<TCustomVUVudi>>);
  Dorazori::RegisterKeyboardInitProc(TCustomVUVudi::StaticClass(), Vivaridiriz::ResStr(SKeyboardEpsilon),
                                     &Layout<&InitEpsilonKeyboardFor<TCustomVUVudi>>);
  Dorazori::RegisterKeyboardInitProc(TCustomVUVudi::StaticClass(), Vivaridiriz::ResStr(SKeyboardVisualStudio),
                                     &Layout<&InitVisualStudioKeyboardFor<TCustomVUVudi>>);
  if (Screen != nullptr) {
    Screen->SetCursors(crMemoHandPoint, MakeHandCursor());
  }
  CF_RTF = RegisterClipboardFormat("Rich Text Format");
}

// --- keyboard layouts and typing --------------------------------------------------------------------------------

void TCustomVUVudi::InitDefaultKeyMapping() {
  InitializeVuvudi();
  InitDefaultKeyboardFor(this);
}

bool TCustomVUVudi::InsertChar(char Ch) {
  const auto B = static_cast<Byte>(Ch);
  if (KeyState() != 0 || B < 32 || B == 127) {
    return false;
  }
  TCustomMemoSource* S = GetSource();
  const bool Persistent = SrcStringsOptions().Contains(soPersistentBlocks);
  S->BeginUpdate(Reason::Insert);
  const Integer SavedAttr = S->CurrentAttr;
  try {
    S->CurrentAttr = -1;
    S->CurrentAttr = S->GetAttr(S->GetCaretPoint());
    const bool KeepRect = Persistent && TCustomMemoSource::GetOverwrite();
    const TRect Rect = S->GetSelectionRect();
    const TSelectionType SelType = S->SelectionType();
    if (!S->CheckOverwriteBlock()) {
      S->CurrentAttr = SavedAttr;
    }
    if (TCustomMemoSource::GetOverwrite()) {
      S->DeleteRight(1);
    }
    if (S->Insert(std::string(1, Ch))) {
      S->CursorRight();
    }
    if (KeepRect) {
      S->SetSelectionType(SelType);
      S->SetSelectionRect(Rect);
    } else if (!Persistent && !SrcStringsOptions().Contains(soOverwriteBlocks)) {
      S->ClearSelection();
    }
  } catch (...) {
    S->CurrentAttr = SavedAttr;
    FKeyState = 0;
    S->EndUpdate();
    throw;
  }
  S->CurrentAttr = SavedAttr;
  FKeyState = 0;
  S->EndUpdate();
  return true;
}

void TCustomVUVudi::KeyPress(char& Key) {
  const bool Wanted = static_cast<Byte>(Key) >= 32 && OnHintPopup && !(FPopupListBox && FPopupListBox->Visible());
  ZEZCustomControl::KeyPress(Key);
  KillHintTimer();
  if (Wanted && HandleAllocated()) {
    FHintAnchor = GetCaretPoint();
    FHintTimerStarted = true;
    ::SetTimer(Handle(), HintTimerId, static_cast<UINT>(HintDelay), nullptr);
  }
}

void TCustomVUVudi::CreateParams(TCreateParams& Params) {
  ZEZCustomControl::CreateParams(Params);
  Params.Style |= WS_TABSTOP;
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) {
    Params.Style |= WS_VSCROLL;
  }
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) {
    Params.Style |= WS_HSCROLL;
  }
  Params.WindowClass.style = CS_DBLCLKS;
  if (FBorderStyle == bsSingle) {
    Params.ExStyle |= WS_EX_CLIENTEDGE;
  }
}

// --- caret moves and editing commands ---------------------------------------------------------------------------

namespace {
// Runs Body inside one source update of the given reason.
template <class F>
void InSourceUpdate(TCustomMemoSource* S, Integer AReason, F&& Body) {
  S->BeginUpdate(AReason);
  try {
    Body();
  } catch (...) {
    S->EndUpdate();
    throw;
  }
  S->EndUpdate();
}
}  // namespace

void TCustomVUVudi::MemoCursorUp() {
  if (FHideCaret) {
    ScrollUp();
    return;
  }
  if (!SrcStringsOptions().Contains(soPersistentBlocks)) {
    GetSource()->ClearSelection();
  }
  GetSource()->CursorUp();
}

void TCustomVUVudi::MemoCursorDown() {
  if (FHideCaret) {
    ScrollDown();
    return;
  }
  if (!SrcStringsOptions().Contains(soPersistentBlocks)) {
    GetSource()->ClearSelection();
  }
  GetSource()->CursorDown();
}

void TCustomVUVudi::MemoCursorLeft() {
  if (FHideCaret) {
    ScrollLeft();
  } else {
    CheckCursorLeft();
  }
}

void TCustomVUVudi::MemoCursorRight() {
  if (FHideCaret) {
    ScrollRight();
  } else {
    GetSource()->CursorRight();
  }
}

void TCustomVUVudi::CheckCursorLeft() {
  TCustomMemoSource* S = GetSource();
  if (S->GetCurChar() == 0 && FOptions.Contains(moNotePadCursorStyle) && S->GetCurLine() > 0) {
    InSourceUpdate(S, Reason::Navigate, [S] {
      S->JumpTo(0, S->GetCurLine() - 1);
      S->JumpToLineEnd();
    });
  } else {
    S->CursorLeft();
  }
}

void TCustomVUVudi::MemoMarkUp() {
  GetSource()->UnivMarkWith(stStreamSel, [this] { MemoCursorUp(); });
}

void TCustomVUVudi::MemoMarkDown() {
  GetSource()->UnivMarkWith(stStreamSel, [this] { MemoCursorDown(); });
}

void TCustomVUVudi::MemoMarkLeft() {
  GetSource()->UnivMarkWith(stStreamSel, [this] { CheckCursorLeft(); });
}

void TCustomVUVudi::MemoMarkToLineBegin() {
  GetSource()->UnivMarkWith(stStreamSel, [this] { MemoJumpToLineBegin(); });
}

void TCustomVUVudi::MemoMarkToLineEnd() {
  GetSource()->UnivMarkWith(stStreamSel, [this] { MemoJumpToLineEnd(); });
}

void TCustomVUVudi::MemoJumpToLineBegin() {
  TCustomMemoSource* S = GetSource();
  const auto Jump = [this, S] {
    if (FWordWrap) {
      TPoint D;
      Integer RowStart = 0;
      GetWBPositionEx(S->GetCaretPoint(), D, RowStart);
      S->JumpTo(RowStart, S->GetCurLine());
    } else {
      S->JumpToLineBegin();
    }
    if (!SrcStringsOptions().Contains(soPersistentBlocks)) {
      S->ClearSelection();
    }
  };
  if (FHideCaret) {
    InSourceUpdate(S, Reason::Navigate, Jump);
    SetWinChar(0);
    Invalidate();
  } else {
    Jump();
  }
}

void TCustomVUVudi::MemoJumpToLineEnd() {
  TCustomMemoSource* S = GetSource();
  if (FWordWrap) {
    TPoint D;
    GetWBPosition(S->GetCaretPoint(), D);
    const Integer LineLen = static_cast<Integer>(S->GetDisplay(S->GetCurLine()).size());
    Integer N = GetWBStringLength(S->GetCurLine(), D.Y, false);
    if (N != LineLen) {
      N = std::min(N - 1, LineLen);
    }
    S->Navigate(0, N - D.X);
  } else {
    S->JumpToLineEnd();
  }
  if (!SrcStringsOptions().Contains(soPersistentBlocks)) {
    S->ClearSelection();
  }
}

void TCustomVUVudi::JumpToScreenTop() {
  TPoint D;
  GetWBPosition(GetCaretPoint(), D);
  GetSource()->Navigate(FWinLine - D.Y, 0);
}

void TCustomVUVudi::JumpToScreenBottom() {
  TPoint D;
  GetWBPosition(GetCaretPoint(), D);
  GetSource()->Navigate(GetMaxCaretLine() + FWinLine - D.Y, 0);
}

void TCustomVUVudi::JumpLeftMost() {
  if (FWordWrap) {
    return;
  }
  TCustomMemoSource* S = GetSource();
  S->JumpToChar(PixelToTextChar(S->GetCurLine(), 0, true, GetPaintX()));
}

void TCustomVUVudi::JumpRightMost() {
  if (FWordWrap) {
    return;
  }
  TCustomMemoSource* S = GetSource();
  S->JumpToChar(PixelToTextChar(S->GetCurLine(), 0, true, ClientWidth()));
}

void TCustomVUVudi::PageUpDown(bool Down) {
  TCustomMemoSource* S = GetSource();
  if (FUseMonoFont) {
    const Integer N = GetMaxCaretLine();
    S->Navigate(Down ? N : -N, 0);
    return;
  }
  TPoint P;
  ConvertMousePosEx(GetPaintX(), Down ? ClientHeight() : -ClientHeight(), P, true);
  TPoint D;
  GetWBPosition(P, D);
  const Integer Row = RealToVisible(D.Y);
  const Integer OldTop = FWinLine;
  SetWinLine(std::max<Integer>(0, Down ? Row - 1 : Row + 1));
  const Integer Moved = FWinLine - OldTop;
  if (Moved != 0) {
    S->Navigate(Moved, 0);
  } else if (!Down) {
    S->Navigate(-GetMaxCaretLine(), 0);
  }
}

void TCustomVUVudi::PageLeft() {
  if (FCharWidth == 0) {
    return;
  }
  GetSource()->Navigate(0, -(ClientWidth() / FCharWidth));
}

void TCustomVUVudi::PageRight() {
  if (FCharWidth == 0) {
    return;
  }
  GetSource()->Navigate(0, ClientWidth() / FCharWidth);
}

void TCustomVUVudi::ProcessEscape() {
  CancelDragging();
  GetSource()->ProcessEscape();
}

void TCustomVUVudi::PromptedGotoLine() {
  TCustomMemoSource* S = GetSource();
  Integer Value = S->GetCurLine() + 1;
  if (S->ReadIntegerDialog(Searunit::SCapGotoLineNumber, Searunit::SCapEnterNewLine, 0, Value, S->OnCreateDialog,
                           this)) {
    // A number beyond the text goes to its last line, as the source's go-to command does.
    const Integer Last = std::max<Integer>(S->GetStrCount() - 1, 0);
    CenteredJumpTo(0, Value < 1 ? 0 : std::min<Integer>(Value - 1, Last));
  }
}

void TCustomVUVudi::CenteredJumpTo(Integer Char, Integer Line) {
  TCustomMemoSource* S = GetSource();
  InSourceUpdate(S, Reason::Navigate, [&] {
    S->JumpTo(Char, Line);
    CenterScreenOnLine();
  });
}

bool TCustomVUVudi::MoveBlockToPosEx(bool Move) {
  TCustomMemoSource* S = GetSource();
  if (S->SelectionType() != stNotSelected && S->IsPosInBlock(S->GetCurChar(), S->GetCurLine())) {
    return false;
  }
  if (ClipboardType() == cbRtf) {
    return MoveRtfBlockToPos(this, Move);  // the runs keep their formatting
  }
  return Move ? S->MoveBlock() : S->CopyBlockToPos();
}

void TCustomVUVudi::MouseWheel(Integer Delta) {
  FWheelRemainder = static_cast<std::int16_t>(FWheelRemainder + Delta);
  const Integer N = FWheelRemainder / 120;
  if (N == 0) {
    return;
  }
  UINT Lines = 3;
  SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &Lines, 0);
  ScrollScreenVert(-(std::max<Integer>(static_cast<Integer>(Lines), 1) * N));
  FWheelRemainder = static_cast<std::int16_t>(FWheelRemainder - N * 120);
}

// The marking-by-screen commands: the move of the same name, extending a stream or column selection.
void TCustomVUVudi::MarkToTop() {
  GetSource()->UnivMarkWith(stStreamSel, [this] { JumpToScreenTop(); });
}

void TCustomVUVudi::MarkToBottom() {
  GetSource()->UnivMarkWith(stStreamSel, [this] { JumpToScreenBottom(); });
}

void TCustomVUVudi::MarkPageUp() {
  GetSource()->UnivMarkWith(stStreamSel, [this] { PageUp(); });
}

void TCustomVUVudi::MarkPageDown() {
  GetSource()->UnivMarkWith(stStreamSel, [this] { PageDown(); });
}

void TCustomVUVudi::MarkColToTop() {
  GetSource()->UnivMarkWith(stBlockSel, [this] { JumpToScreenTop(); });
}

void TCustomVUVudi::MarkColToBottom() {
  GetSource()->UnivMarkWith(stBlockSel, [this] { JumpToScreenBottom(); });
}

void TCustomVUVudi::MarkColPageUp() {
  GetSource()->UnivMarkWith(stBlockSel, [this] { PageUp(); });
}

void TCustomVUVudi::MarkColPageDown() {
  GetSource()->UnivMarkWith(stBlockSel, [this] { PageDown(); });
}

// The plain-text clipboard; the rich-text branches come with the styled clipboard.
void TCustomVUVudi::CopyToClipboard() {
  GetSource()->CopyBlock();
  if (ClipboardType() == cbRtf) {
    CopyRtfToClipboard(this);  // beside the plain text
  }
}

void TCustomVUVudi::CutToClipboard() {
  TCustomMemoSource* S = GetSource();
  InSourceUpdate(S, Reason::Cut, [this, S] {
    CopyToClipboard();
    S->DeleteBlock();
  });
}

void TCustomVUVudi::PasteFromClipboard() {
  TCustomMemoSource* S = GetSource();
  if (S->GetReadOnly()) {
    return;
  }
  if (ClipboardType() == cbRtf && PasteRtfFromClipboard(this)) {
    return;
  }
  S->PasteBlock();
}

// --- messages ---------------------------------------------------------------------------------------------------

void TCustomVUVudi::WMEditMessage(TMessage& Message) {
  TCustomMemoSource* S = GetSource();
  switch (Message.Msg) {
    case WM_CUT: CutToClipboard(); break;
    case WM_COPY: CopyToClipboard(); break;
    case WM_PASTE: PasteFromClipboard(); break;
    case WM_CLEAR: S->Clear(); break;
    case WM_UNDO:
    case EM_UNDO: S->Undo(); break;
    case EM_CANUNDO: Message.Result = S->UndoAvailable() ? 1 : 0; break;
    case EM_EMPTYUNDOBUFFER: S->ClearUndoBuffer(); break;
    case EM_GETLINECOUNT: Message.Result = S->GetStrCount(); break;
    case EM_LINEINDEX: {
      // As the platform's edit controls answer: the offset of line n's first character, line breaks counted.
      Integer N = static_cast<Integer>(static_cast<NativeInt>(Message.WParam));
      if (N == -1) {
        N = S->GetCurLine();
      }
      if (N < 0 || N > S->GetStrCount()) {
        Message.Result = -1;
        break;
      }
      NativeInt Offset = 0;
      for (Integer I = 0; I < N && I < S->GetStrCount(); ++I) {
        Offset += static_cast<NativeInt>(S->GetRaw(I).size()) + 2;
      }
      Message.Result = Offset;
      break;
    }
    case EM_GETLINE: {
      const Integer N = static_cast<Integer>(Message.WParam);
      auto* Buffer = reinterpret_cast<char*>(Message.LParam);
      Message.Result = 0;
      if (Buffer == nullptr || N < 0 || N >= S->GetStrCount()) {
        break;
      }
      Word Capacity = 0;
      std::memcpy(&Capacity, Buffer, sizeof Capacity);
      if (Capacity == 0) {
        break;
      }
      const std::string Line = S->GetRaw(N);
      const std::size_t Count = std::min<std::size_t>(Line.size(), Capacity);
      if (Count == 0) {
        Buffer[0] = '\0';
      } else {
        std::memcpy(Buffer, Line.data(), Count);
      }
      Message.Result = static_cast<LRESULT>(Count);
      break;
    }
    case WM_GETTEXTLENGTH: Message.Result = static_cast<LRESULT>(GetText().size()); break;
    default: ZEZCustomControl::Dispatch(Message); break;
  }
}

void TCustomVUVudi::WMMouseWheel(TMessage& Message) {
  MouseWheel(static_cast<std::int16_t>(HIWORD(Message.WParam)));
  Message.Result = 1;
}

void TCustomVUVudi::WMRButtonUp(TMessage& Message) {
  KillTimer();
  const bool Default = CheckMenuPopup();
  ZEZCustomControl::Dispatch(Message);
  if (Default) {
    SetPopupMenu(nullptr);
  }
}

void TCustomVUVudi::WMContextMenu(TMessage& Message) {
  const TPoint P{static_cast<std::int16_t>(LOWORD(Message.LParam)), static_cast<std::int16_t>(HIWORD(Message.LParam))};
  const bool Shown = ContextMenu(P);
  if (Shown) {
    Message.Result = 1;
  }
  ZEZCustomControl::Dispatch(Message);
  if (Shown) {
    SetPopupMenu(nullptr);
  }
}

// --- mouse ------------------------------------------------------------------------------------------------------

void TCustomVUVudi::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomMemoSource* S = GetSource();
  if (!ComponentState().Contains(csDesigning) && CanFocus()) {
    if (Button == mbLeft && !Focused()) {
      S->ClearSelection();
    }
    const Integer Line0 = FWinLine, Char0 = FWinChar;
    SetFocus();
    if (FWinLine != Line0 || FWinChar != Char0) {
      SetWinLine(Line0);
      SetWinChar(Char0);
    }
  }
  KillHintTimer();
  const TPoint Caret = S->GetCaretPoint();
  Integer ButtonLine = 0;
  FCollapseButtonPressed = Button == mbLeft && CheckMouseOnButton(X, Y, ButtonLine);
  if (!FCollapseButtonPressed && (Button == mbLeft || !FOptions.Contains(moDisableRightClickMove))) {
    SetPosByMouse(X, Y);
  }
  if (Button == mbRight || FCollapseButtonPressed) {
    if (Button == mbRight) {
      KillTimer();
    }
  } else if (Button == mbLeft && Shift.Contains(ssDouble)) {
    FLastDblClickTime = GetTickCount();
    FLastDblClickPoint = TPoint{X, Y};
    if (X >= GetPaintX()) {
      FMouseMode = mmMultiClick;
      if (FOptions.Contains(moDblClickLine)) {
        S->MarkLine();
      } else {
        S->MarkWordWithType(WordSelectionType);
      }
    }
  } else if (Button == mbLeft) {
    const bool Triple = !FOptions.Contains(moDblClickLine) && FOptions.Contains(moTripleClick) &&
                        GetTickCount() - FLastDblClickTime < GetDoubleClickTime() && X >= GetPaintX() &&
                        std::abs(X - FLastDblClickPoint.X) <= GetSystemMetrics(SM_CXDOUBLECLK) &&
                        std::abs(Y - FLastDblClickPoint.Y) <= GetSystemMetrics(SM_CYDOUBLECLK);
    if (Triple) {
      FMouseMode = mmMultiClick;
      S->MarkLine();
      FLastDblClickTime = 0;
    } else if (FMouseMode == mmNone) {
      TPoint M;
      ConvertMousePosEx(X, Y, M, true);
      const TStringsOptions SO = SrcStringsOptions();
      const bool Landed = (M.Y == S->GetCurLine() || SO.Contains(soBeyondFileEnd)) &&
                          (!SO.Contains(soLimitEOL) || M.X == S->GetCurChar());
      if (Landed && PosInBlock(S->GetCurChar(), S->GetCurLine()) && !FOptions.Contains(moDisableDrag) &&
          !S->GetReadOnly()) {
        FMouseMode = mmDragging;
      } else {
        FMouseMode = mmSelecting;
        if (Shift.Contains(ssShift)) {
          InSourceUpdate(S, Reason::Navigate, [&] {
            const TPoint To = S->GetCaretPoint();
            S->JumpTo(Caret.X, Caret.Y);
            FMouseTextPos = Caret;
            FSelAnchor = Caret;
            // One selection step towards the clicked point.
            FMouseTextPos = TPoint{-1, -1};
            S->UnivMarkWith(Dorazori::IsAltKeyDown() ? stBlockSel : stStreamSel, [S, To] { S->JumpTo(To.X, To.Y); });
          });
        } else {
          S->ClearSelection();
          S->SetSelectionRect(TRect{S->GetCurChar(), S->GetCurLine(), S->GetCurChar(), S->GetCurLine()});
        }
      }
      FSelAnchor = S->GetCaretPoint();
      FMouseTextPos = FSelAnchor;
      FEndSnapped = false;
      FAnchorSnapped = false;
      if (HandleAllocated()) {
        ::SetTimer(Handle(), SelTimerId, 30, nullptr);
      }
    }
  }
  FHotLinkPressed = MouseAtHotString(X, Y);
  FGutterPressed = X >= 0 && X < GetRealGutterWidth();
  ZEZCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomVUVudi::MouseMove(TShiftState Shift, int X, int Y) {
  ZEZCustomControl::MouseMove(Shift, X, Y);
  if (FMouseMode == mmNone && SrcHighlightUrls() && MouseAtHotString(X, Y)) {
    if (Cursor != crMemoHandPoint) {
      FSavedCursor = Cursor;
      Cursor = crMemoHandPoint;
      ::SetCursor(Screen->Cursors(crMemoHandPoint));
    }
  } else if (Cursor == crMemoHandPoint) {
    Cursor = FSavedCursor;
    ::SetCursor(CursorOfTCursor(Cursor));
  }
}

void TCustomVUVudi::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomMemoSource* S = GetSource();
  if (Button == mbLeft) {
    switch (FMouseMode) {
      case mmNone: S->ClearSelection(); break;
      case mmSelecting:
        KillTimer();
        if (!S->IsValidBlockPos(S->GetCurChar(), S->GetCurLine())) {
          S->ClearSelection();
        }
        break;
      case mmDragging:
        KillTimer();
        if (!MoveBlockToPosEx(!Shift.Contains(ssCtrl))) {
          S->ClearSelection();
        }
        break;
      case mmMultiClick: FMouseMode = mmNone; break;
    }
  }
  if (FHotLinkPressed && Button == mbLeft && FMouseMode == mmNone && SrcHighlightUrls()) {
    TPoint P;
    MouseToTextPoint(X, Y, P, false);
    std::string Url;
    if (IsUrlUnderPoint(P, Url, false)) {
      if (Dccommon::IsEmailString(Url) && AnsiUpperCase(Url).find("MAILTO:") == std::string::npos) {
        Url = "mailto:" + Url;
      }
      MemoJumpToUrl(Url);
    }
  }
  FHotLinkPressed = false;
  ZEZCustomControl::MouseUp(Button, Shift, X, Y);
  if (FCollapseButtonPressed) {
    Integer Line = 0;
    if (CheckMouseOnButton(X, Y, Line) && S->SelectionType() == stNotSelected) {
      const TCollapseState State = S->GetCollapseState(Line);
      if (CollapseStateChanging(Line, State)) {
        const TCollapseState NewState = State == csExpanded ? csCollapsed : csExpanded;
        S->SetCollapseState(Line, NewState);
        CollapseStateChanged(Line, NewState);
        SetPosByMouse(X, Y);
      }
    }
    FCollapseButtonPressed = false;
  }
  if (FGutterPressed && X >= 0 && X < GetRealGutterWidth()) {
    TPoint P;
    ConvertMousePosEx(X, Y, P, true);
    TShiftState G = Shift;
    G.Include(Button == mbLeft ? ssLeft : Button == mbRight ? ssRight : ssMiddle);
    DoClickGutter(P.Y, PointToImageIndex(P.Y, X), G);
  }
  FGutterPressed = false;
}

void TCustomVUVudi::SetPosByMouse(Integer X, Integer Y) {
  if (FWordWrap) {
    X = std::max<Integer>(X, GetPaintX());
  }
  TPoint P;
  ConvertMousePosEx(X, Y, P, true);
  TCustomMemoSource* S = GetSource();
  const TStringsOptions Saved = S->Options();
  TStringsOptions Keep = Saved;
  Keep.Include(soPersistentBlocks);
  S->SetOptions(Keep);
  try {
    S->JumpTo(P.X, P.Y);
  } catch (...) {
    S->SetOptions(Saved);
    throw;
  }
  S->SetOptions(Saved);
}

void TCustomVUVudi::DoSelTimer() {
  if (FMouseMode != mmSelecting && FMouseMode != mmDragging) {
    return;
  }
  TPoint C;
  GetCursorPos(&C);
  C = ScreenToClient(C);
  if (FWordWrap) {
    C.X = std::max<Integer>(C.X, GetPaintX());
  }
  TPoint P;
  ConvertMousePosEx(C.X, C.Y, P, true);
  TCustomMemoSource* S = GetSource();
  if (P.X == FMouseTextPos.X && P.Y == S->GetCurLine()) {
    return;
  }
  if (FMouseMode == mmSelecting) {
    InSourceUpdate(S, Reason::ExtendSelection, [&] {
      FMovingRight = P.X >= FMouseTextPos.X;
      FMouseTextPos = P;
      S->UnivMarkWith(Dorazori::IsAltKeyDown() ? stBlockSel : stStreamSel, [this] { MMoveEvent(); });
    });
  } else {
    FMouseTextPos = P;
    const TStringsOptions Saved = S->Options();
    TStringsOptions Keep = Saved;
    Keep.Include(soPersistentBlocks);
    S->SetOptions(Keep);
    S->JumpTo(P.X, P.Y);
    S->SetOptions(Saved);
    ::SetCursor(CursorOfTCursor(PosInBlock(P.X, P.Y) ? crNoDrop : DragCursor));
  }
}

void TCustomVUVudi::MMoveEvent() {
  TCustomMemoSource* S = GetSource();
  if (FOptions.Contains(moExtendedSel) && S->SelectionType() == stStreamSel) {
    Integer WordEnd = 0, WordStart = 0;
    const TPoint M = FMouseTextPos;
    if (S->WordBounds(M.X, M.Y, wsWordOnly, WordEnd, WordStart) && WordStart < WordEnd) {
      const bool Inside =
          FMovingRight ? (WordStart - 1 < M.X && M.X <= WordEnd) : (WordStart - 1 <= M.X && M.X < WordEnd);
      const bool AnchorInWord = FSelAnchor.Y == M.Y && WordStart - 1 <= FSelAnchor.X && FSelAnchor.X <= WordEnd;
      const bool Grows =
          M.Y == FSelAnchor.Y ? (M.X >= FSelAnchor.X) == FMovingRight : (M.Y > FSelAnchor.Y) == FMovingRight;
      if (Inside && !AnchorInWord && Grows) {
        S->JumpTo(FMovingRight ? WordEnd : WordStart - 1, M.Y);
        FEndSnapped = true;
        return;
      }
    }
  }
  S->JumpTo(FMouseTextPos.X, FMouseTextPos.Y);
}

void TCustomVUVudi::KillTimer() {
  if (FMouseMode == mmSelecting || FMouseMode == mmDragging) {
    if (HandleAllocated()) {
      ::KillTimer(Handle(), SelTimerId);
    }
    FMouseMode = mmNone;
  }
}

void TCustomVUVudi::CancelDragging() {
  if (FMouseMode == mmDragging) {
    KillTimer();
  }
}

bool TCustomVUVudi::PosInBlock(Integer Char, Integer Line) {
  TCustomMemoSource* S = GetSource();
  if (!S->IsPosInBlock(Char, Line)) {
    return false;
  }
  if (FOptions.Contains(moSelectOnlyText) && S->SelectionType() == stStreamSel) {
    return Char <= static_cast<Integer>(S->GetDisplay(Line).size());
  }
  return true;
}

bool TCustomVUVudi::IsUrlUnderPoint(const TPoint& P, std::string& S, bool TestOnly) {
  TCustomMemoSource* Src = GetSource();
  if (P.Y < 0 || P.Y >= Src->GetStrCount()) {
    return false;
  }
  const std::string Colors = Src->GetColorData(P.Y);
  constexpr char UrlStyle = 12;
  if (P.X < 0 || P.X >= static_cast<Integer>(Colors.size()) || Colors[static_cast<std::size_t>(P.X)] != UrlStyle) {
    return false;
  }
  if (TestOnly) {
    return true;
  }
  const std::string Text = Src->GetDisplay(P.Y);
  std::size_t From = static_cast<std::size_t>(P.X), To = From + 1;
  while (From > 0 && Colors[From - 1] == UrlStyle) {
    --From;
  }
  while (To < Colors.size() && Colors[To] == UrlStyle) {
    ++To;
  }
  S = Text.substr(std::min(From, Text.size()), To - From);
  return true;
}

bool TCustomVUVudi::MouseAtHotString(Integer X, Integer Y) {
  if (!SrcHighlightUrls()) {
    return false;
  }
  TPoint P;
  MouseToTextPoint(X, Y, P, false);
  std::string S;
  return IsUrlUnderPoint(P, S, true);
}

bool TCustomVUVudi::CheckMouseOnButton(Integer X, Integer Y, Integer& Line) {
  TPoint P;
  ConvertMousePosEx(X, Y, P, true);
  Line = P.Y;
  if (!HideLines() || Line < 0 || Line >= GetSource()->GetStrCount() || GetSource()->GetCollapseState(Line) == csNone) {
    return false;
  }
  const Integer H = GetRealLineHeight(Line);
  if (H == 0) {
    return false;
  }
  const Integer M = H > 16 ? std::max((H - 16) / 2, H / 8) : H / 8;
  const Integer Left = GetPaintX();
  return X > Left + M - H && X < Left - M;
}

Integer TCustomVUVudi::PointToImageIndex(Integer Line, Integer X) {
  TCustomMemoSource* S = GetSource();
  if (Line < 0 || Line >= S->GetStrCount()) {
    return -1;
  }
  Integer Pos = FGutterImgsAlign == iaLeft ? 1 : GetRealGutterWidth() - 4;
  for (Integer Bit = 0; Bit < 16; ++Bit) {
    if (!S->GetImageBit(Line, Bit)) {
      continue;
    }
    Integer W = 0, H = 0;
    CalcGutterImgSize(Bit, W, H);
    if (FGutterImgsAlign == iaLeft) {
      if (Pos <= X && X < Pos + W + 1) {
        return Bit;
      }
      Pos += W + 1;
    } else {
      if (Pos - W - 1 < X && X <= Pos) {
        return Bit;
      }
      Pos -= W + 1;
    }
  }
  return -1;
}

// --- context menu and clipboard buffers -------------------------------------------------------------------------

TPopupMenu* TCustomVUVudi::GetDefaultMenu() {
  if (FDefaultMenu == nullptr) {
    FDefaultMenu = new TPopupMenu(this);
    FDefaultMenu->AutoPopup = true;
    struct TItem {
      const char* Caption;
      void (TCustomVUVudi::*Click)(TObject*);
    };
    const TItem Items[] = {{"&Undo", &TCustomVUVudi::UndoClick},
                           {"-", nullptr},
                           {"Cu&t", &TCustomVUVudi::CutClick},
                           {"&Copy", &TCustomVUVudi::CopyClick},
                           {"&Paste", &TCustomVUVudi::PasteClick},
                           {"&Delete", &TCustomVUVudi::DeleteClick},
                           {"-", nullptr},
                           {"Se&lect All", &TCustomVUVudi::SelectAllClick}};
    TComponent* NameOwner = Owner() != nullptr ? Owner() : this;
    for (const TItem& I : Items) {
      auto* M = new TMenuItem(FDefaultMenu);
      // Unique within the control's owner (the suite's naming) and within the menu that owns the items.
      std::string Name = Dorazori::UniqueName(NameOwner, "MenuItem");
      for (Integer N = 1; FDefaultMenu->FindComponent(Name) != nullptr || NameOwner->FindComponent(Name) != nullptr;
           ++N) {
        Name = "MenuItem" + IntToStr(N);
      }
      M->SetName(Name);
      M->SetCaption(I.Caption);
      if (I.Click == nullptr) {
        M->SetEnabled(false);
      } else {
        const auto Click = I.Click;
        M->SetOnClick([this, Click](TObject* Sender) { (this->*Click)(Sender); });
      }
      FDefaultMenu->Items()->Add(M);
    }
  }
  return FDefaultMenu;
}

bool TCustomVUVudi::CanPaste() {
  TCustomMemoSource* S = GetSource();
  if (S->GetReadOnly()) {
    return false;
  }
  return S->CanPaste() || (FClipboardType == cbRtf && CF_RTF != 0 && IsClipboardFormatAvailable(CF_RTF));
}

bool TCustomVUVudi::CheckMenuPopup() {
  if (!UseDefaultMenu || PopupMenu() != nullptr) {
    return false;
  }
  TPopupMenu* M = GetDefaultMenu();
  TCustomMemoSource* S = GetSource();
  const bool CanCut = S->CanCopy() && !S->GetReadOnly();
  M->Items()->Items(0)->SetEnabled(S->UndoAvailable());
  M->Items()->Items(2)->SetEnabled(CanCut);
  M->Items()->Items(3)->SetEnabled(S->CanCopy());
  M->Items()->Items(4)->SetEnabled(CanPaste());
  M->Items()->Items(5)->SetEnabled(CanCut);
  M->Items()->Items(7)->SetEnabled(true);
  SetPopupMenu(M);
  return true;
}

bool TCustomVUVudi::ContextMenu(const TPoint& P) {
  KillTimer();
  if (!CheckMenuPopup()) {
    return false;
  }
  const TPoint Client = P.X >= 0 ? ScreenToClient(P) : TPoint{};
  if (P.X >= 0 && (Client.X < 0 || Client.Y < 0 || Client.X >= ClientWidth() || Client.Y >= ClientHeight())) {
    SetPopupMenu(nullptr);
    return false;
  }
  Perform(CM_CANCELMODE, 0, 0);
  TPopupMenu* M = PopupMenu();
  M->SetPopupComponent(this);
  TPoint At = P;
  if (P.X < 0) {
    TPoint Caret{0, 0};
    if (!FHideCaret && Focused()) {
      const TPoint Px = TextToPixelPoint(GetCaretPoint());
      if (Px.X >= 0 && Px.Y >= 0 && Px.X < ClientWidth() && Px.Y < ClientHeight()) {
        Caret = TPoint{Px.X + FCaretWidth, Px.Y};
      }
    }
    At = ClientToScreen(Caret);
  }
  M->Popup(At.X, At.Y);
  return true;
}

void TCustomVUVudi::GetClipboardBuffer(UINT Format, TStream* Stream) {
  if (!OpenClipboard(HandleAllocated() ? Handle() : 0)) {
    return;
  }
  HANDLE Data = IsClipboardFormatAvailable(Format) ? GetClipboardData(Format) : nullptr;
  if (Data != nullptr) {
    if (void* P = GlobalLock(Data)) {
      Stream->Write(P, static_cast<LongInt>(GlobalSize(Data)));
      Stream->SetPosition(0);
      GlobalUnlock(Data);
    }
  }
  CloseClipboard();
}

void TCustomVUVudi::SetClipboardBuffer(UINT Format, const void* Buffer, Integer Size) {
  if (!OpenClipboard(HandleAllocated() ? Handle() : 0)) {
    return;
  }
  HGLOBAL Block = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, static_cast<std::size_t>(std::max<Integer>(Size, 0)));
  try {
    if (void* P = GlobalLock(Block)) {
      std::memcpy(P, Buffer, static_cast<std::size_t>(std::max<Integer>(Size, 0)));
      GlobalUnlock(Block);
    }
    SetClipboardData(Format, Block);
  } catch (...) {
    GlobalFree(Block);
    CloseClipboard();
    throw;
  }
  CloseClipboard();
}

void TCustomVUVudi::UndoClick(TObject*) { GetSource()->Undo(); }
void TCustomVUVudi::CutClick(TObject*) { CutToClipboard(); }
void TCustomVUVudi::CopyClick(TObject*) { CopyToClipboard(); }
void TCustomVUVudi::PasteClick(TObject*) { PasteFromClipboard(); }
void TCustomVUVudi::DeleteClick(TObject*) { GetSource()->DeleteBlock(); }
void TCustomVUVudi::SelectAllClick(TObject*) { GetSource()->SelectAll(); }

// --- popup hints and list box -----------------------------------------------------------------------------------

void TCustomVUVudi::KillHintTimer() {
  if (HandleAllocated()) {
    ::KillTimer(Handle(), HintTimerId);
  }
  FHintTimerStarted = false;
  FHintTimerFired = false;
}

void TCustomVUVudi::PopupHintBox() { PopupHintBoxEx(FPopupHint->AutoHide); }

bool TCustomVUVudi::PopupHintBoxEx(bool AutoHide) {
  if (!OnHintPopup || GetCaretPoint() != FHintAnchor) {
    return false;
  }
  TPopupType Type = ptHint;
  if (!ActivatePopupBox(Type)) {
    return false;
  }
  if (Type == ptListBox) {
    ShowPopupListBox(FPopupStrings.get());
  } else {
    TPoint P = ClientToScreen(GetCurentPosinPixels());
    P.Y += FLineHeight;
    ShowPopupHint(FPopupStrings->Strings(0), P, AutoHide);
  }
  return true;
}

bool TCustomVUVudi::ActivatePopupBox(TPopupType& PopupType) {
  FPopupStrings->Clear();
  bool Allow = false;
  if (OnHintPopup) {
    OnHintPopup(this, FPopupStrings.get(), Allow, PopupType);
  }
  return Allow && FPopupStrings->Count() > 0;
}

void TCustomVUVudi::ShowPopupHint(const std::string& Text, const TPoint& ScreenPoint, bool AutoHide) {
  FPopupHint->AutoHide = AutoHide;
  FPopupHint->ActivateHintAtPos(ScreenPoint, Text);
}

void TCustomVUVudi::HidePopupHint() {
  if (FPopupHint && FPopupHint->Visible()) {
    FPopupHint->CancelHint();
  }
}

void TCustomVUVudi::ShowPopupListBox(TStrings* Strings) {
  ShowPopupListBoxEx(Strings, {taLeftJustify, taRightJustify}, 0);
}

void TCustomVUVudi::ShowPopupListBoxEx(TStrings* Strings, const std::vector<TAlignment>& Alignments, Integer MaxSize) {
  FHintAnchor = GetCaretPoint();
  FreePopupListBox();
  if (Strings != FPopupStrings.get()) {
    FPopupStrings->Assign(Strings);
  }
  const TPoint P = GetCurentPosinPixels();
  const auto Align = [&Alignments](std::size_t I) {
    return I < Alignments.size() && Alignments[I] == taRightJustify ? Dccontrols::lrRightJustify
                                                                    : Dccontrols::lrLeftJustify;
  };
  Dcedit::ZEZPopupListBox* L = nullptr;
  const Dcedit::TPopupListBoxCallback Back = [this](TObject* Sender, int Index) { HintCallBack(Sender, Index); };
  if (Alignments.size() <= 1) {
    L = Dcedit::PopupListbox(this, FPopupStrings.get(), P.X, P.Y + FLineHeight, {Align(0)}, FTemplateFont.get(), Back,
                             MaxSize);
  } else {
    L = Dcedit::PopupListbox(this, FPopupStrings.get(), P.X, P.Y + FLineHeight, {Align(0), Align(1)},
                             FTemplateFont.get(), Back, MaxSize);
  }
  FPopupListBox.reset(L);
  if (L != nullptr) {
    new TListHolderGuard(L, &FPopupListBox);
    L->OnKeyDown = [this](TObject* Sender, Word& Key, TShiftState Shift) { PopupBoxKeyDown(Sender, Key, Shift); };
    L->OnKeyPress = [this](TObject* Sender, char& Key) { PopupBoxKeyPress(Sender, Key); };
  }
}

void TCustomVUVudi::FreePopupListBox() {
  if (FPopupListBox && FPopupListBox->Visible()) {
    FPopupListBox->CallBack = nullptr;
    FPopupListBox->Close(false);
  }
  FPopupListBox.reset();
}

void TCustomVUVudi::PopupBoxKeyDown(TObject*, Word& Key, TShiftState Shift) {
  Dcedit::ZEZPopupListBox* L = FPopupListBox.get();
  if (L == nullptr) {
    return;
  }
  if (ClosePopupListBox(Key, Shift)) {
    L->Close(false);
  }
  switch (Key) {
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_UP:
    case VK_DOWN: return;  // the list's own keys
    case VK_SPACE:
      if (L->Visible()) {
        L->Close(true);
      }
      Key = 0;
      break;
    case VK_LEFT:
    case VK_RIGHT:
      if (L->Visible()) {
        L->Close(false);
      }
      KeyDown(Key, Shift);
      Key = 0;
      break;
    default:
      KeyDown(Key, Shift);
      Key = 0;
      break;
  }
  // The list stays only while the caret is on the anchor line at or right of the anchor column.
  const TPoint C = GetCaretPoint();
  if (L->Visible() && (C.Y != FHintAnchor.Y || C.X < FHintAnchor.X)) {
    L->Close(false);
  }
}

void TCustomVUVudi::PopupBoxKeyPress(TObject*, char& Key) {
  Dcedit::ZEZPopupListBox* L = FPopupListBox.get();
  if (L == nullptr) {
    return;
  }
  const char Ch = Key;
  Key = 0;
  if (Ch == '.') {
    if (L->Visible()) {
      L->Close(true);
    }
    InsertChar(Ch);
    return;
  }
  InsertChar(Ch);
  if (!L->Visible()) {
    return;
  }
  const TPoint C = GetCaretPoint();
  const std::string Line = GetSource()->GetDisplay(C.Y);
  std::string Prefix;
  if (C.X > FHintAnchor.X && FHintAnchor.X < static_cast<Integer>(Line.size())) {
    Prefix = Line.substr(
        static_cast<std::size_t>(FHintAnchor.X),
        static_cast<std::size_t>(std::min<Integer>(C.X, static_cast<Integer>(Line.size())) - FHintAnchor.X));
  }
  Integer Index = -1;
  if (DoFindInPopupBox(FPopupStrings.get(), Prefix, Index)) {
    L->SetItemIndex(Index);
    return;
  }
  // As the platform's list boxes search: the first item that starts with the prefix, case ignored.
  Index = -1;
  for (Integer I = 0; I < FPopupStrings->Count() && Index < 0; ++I) {
    const std::string Item = FPopupStrings->Strings(I);
    if (Item.size() >= Prefix.size() && AnsiCompareText(Item.substr(0, Prefix.size()), Prefix) == 0) {
      Index = I;
    }
  }
  L->SetItemIndex(Index);
}

bool TCustomVUVudi::ClosePopupListBox(Word&, TShiftState) { return false; }

bool TCustomVUVudi::DoFindInPopupBox(TStrings* Strings, const std::string& S, Integer& Index) {
  bool Handled = false;
  if (OnFindStringInPopup) {
    OnFindStringInPopup(this, Strings, S, Index, Handled);
  }
  return Handled;
}

void TCustomVUVudi::HintCallBack(TObject*, Integer Index) {
  if (Index >= 0 && Index < FPopupStrings->Count()) {
    InsertHint(FPopupStrings->Strings(Index));
  }
}

void TCustomVUVudi::InsertHint(const std::string& S) {
  std::string Text = S;
  HintInsert(Text);
  TCustomMemoSource* Src = GetSource();
  InSourceUpdate(Src, Reason::Insert, [&] {
    const Integer Typed = Src->GetCurChar() - FHintAnchor.X;
    Src->JumpTo(FHintAnchor.X, FHintAnchor.Y);
    if (Typed > 0 && Src->GetCurLine() == FHintAnchor.Y) {
      Src->DeleteRight(Typed);
    }
    Src->Insert(Text);
    Src->JumpTo(FHintAnchor.X + static_cast<Integer>(Text.size()), FHintAnchor.Y);
    Src->ClearSelection();
  });
}

void TCustomVUVudi::HintInsert(std::string& S) {
  if (OnHintInsert) {
    OnHintInsert(this, S);
  }
}

// --- code templates ---------------------------------------------------------------------------------------------

void TCustomVUVudi::ShowCodeTemplates() {
  TCustomMemoSource* S = GetSource();
  if (S->TemplatesType() == "None") {
    return;
  }
  FreePopupListBox();
  const TPoint P = GetCurentPosinPixels();
  MarkWordOnTemplate();
  std::string Filter;
  if (S->SelectionType() != stNotSelected) {
    const TRect R = S->GetSelectionRect();
    if (R.Top == R.Bottom) {
      Filter = Trim(GetSelText());
    }
  }
  const Integer Exact = ConvertCodeTemplates(S->CodeTemplates(), FTemplateList.get(), Filter);
  if (Exact < 0) {
    FTemplateColumn = S->GetCurChar();
    const Dcedit::TPopupListBoxCallback Back = [this](TObject* Sender, int Index) { CodeTemplCallBack(Sender, Index); };
    FPopupListBox.reset(Dcedit::PopupListbox(this, FTemplateList.get(), P.X, P.Y + FLineHeight,
                                             {Dccontrols::lrLeftJustify, Dccontrols::lrRightJustify},
                                             FTemplateFont.get(), Back, 0));
    new TListHolderGuard(FPopupListBox.get(), &FPopupListBox);
  } else {
    CodeTemplCallBack(this, Exact);
  }
}

void TCustomVUVudi::MarkWordOnTemplate() {
  TCustomMemoSource* S = GetSource();
  S->ClearSelection();
  bool Mark = SrcStringsOptions().Contains(soPersistentBlocks);
  if (!Mark) {
    const std::string Line = S->GetDisplay(S->GetCurLine());
    const Integer C = S->GetCurChar();
    const auto WordChar = [&](Integer I) {
      return I >= 0 && I < static_cast<Integer>(Line.size()) && !S->IsDelimiter(Line[static_cast<std::size_t>(I)]);
    };
    const bool InsideWord = WordChar(C) && WordChar(C - 1);
    bool AfterLeadingDelimiters = C > 0;
    for (Integer I = 0; I < C && AfterLeadingDelimiters; ++I) {
      AfterLeadingDelimiters =
          I < static_cast<Integer>(Line.size()) && S->IsDelimiter(Line[static_cast<std::size_t>(I)]);
    }
    Mark = !InsideWord && (WordChar(C - 1) || AfterLeadingDelimiters);
  }
  if (Mark) {
    InSourceUpdate(S, Reason::MarkWord, [S] {
      const TPoint Caret = S->GetCaretPoint();
      S->MarkWord();
      S->JumpTo(Caret.X, Caret.Y);
    });
  }
}

void TCustomVUVudi::CodeTemplCallBack(TObject*, Integer Index) {
  TCustomMemoSource* S = GetSource();
  const Integer Item = Index >= 0 && Index < FTemplateList->Count()
                           ? static_cast<Integer>(reinterpret_cast<NativeInt>(FTemplateList->Objects(Index)))
                           : -1;
  if (Item < 0 || Item >= S->CodeTemplates()->Count()) {
    S->ClearSelection();
    return;
  }
  InSourceUpdate(S, Reason::Insert, [&] {
    if (S->SelectionType() != stNotSelected) {
      S->DeleteBlock();
    }
    TStringList Lines;
    Lines.Assign(S->CodeTemplates()->Items(Item)->Code());
    TemplateInsert(&Lines);
    const TPoint Target = PlaceTemplateLines(&Lines, S->GetCurChar(), S->GetCurLine());
    S->InsertStrings(&Lines, false);
    S->ClearSelection();
    S->JumpTo(Target.X, Target.Y);
  });
}

void TCustomVUVudi::TemplateInsert(TStrings* Strings) {
  if (OnTemplateInsert) {
    OnTemplateInsert(this, Strings);
  }
}

// --- printing and pictures --------------------------------------------------------------------------------------

void TCustomVUVudi::PrintWithDialog() {
  (void)Printer()->Handle();  // a missing printer raises here
  std::unique_ptr<TForm> Form(CreatePrintDialog());
  auto* D = dynamic_cast<Vuvudipr::TMemoPrintForm*>(Form.get());
  if (D == nullptr) {
    return;
  }
  TCustomMemoSource* S = GetSource();
  D->Options = PrintOptions;
  const bool HasSelection = S->SelectionType() != stNotSelected;
  D->PrintSelCheck->SetEnabled(HasSelection);
  D->PrintSelCheck->SetChecked(HasSelection);
  D->lblFileName->SetCaption(S->ObjectName().empty() ? Vuvudipr::SUnknownDocument : S->ObjectName());
  FLastSource = S;
  if (D->ShowModal() == mrOk && FLastSource != nullptr) {
    PrintOptions = D->Options;
    PrintIndent = StrToIntDef(Trim(D->LeftMarginEdit->Text()), 0);
    Form.reset();
    Print();
  }
}

TForm* TCustomVUVudi::CreatePrintDialog() {
  auto* F = static_cast<TForm*>(Vuvudipr::TMemoPrintForm::StaticClass()->NewInstance(Application));
  if (GetSource()->OnCreateDialog) {
    GetSource()->OnCreateDialog(this, F);
  }
  return F;
}

TForm* TCustomVUVudi::CreatePrintProgressDialog() {
  auto* F = static_cast<TForm*>(TMemoPrintProgress::StaticClass()->NewInstance(Application));
  if (GetSource()->OnCreateDialog) {
    GetSource()->OnCreateDialog(this, F);
  }
  return F;
}

void TCustomVUVudi::Print() {
  TCustomMemoSource* S = GetSource();
  if (S->GetStrCount() == 0) {
    return;
  }
  TPrinter* P = Printer();
  const ZEZPrintOptions O = PrintOptions;
  S->BeginSafeUpdate(51);
  std::unique_ptr<TForm> ProgressForm;
  TMemoPrintProgress* Progress = nullptr;
  std::unique_ptr<ZEZMemo> Clone;
  bool Begun = false;
  const auto Pump = [&Progress] {
    if (Progress != nullptr) {
      Progress->ProgressBar->StepIt();
      Application->ProcessMessages();
    }
  };
  const auto Cancelled = [&Progress] { return Progress != nullptr && Progress->ModalResult == mrCancel; };
  try {
    if (O.Contains(poShowProgress)) {
      ProgressForm.reset(CreatePrintProgressDialog());
      Progress = dynamic_cast<TMemoPrintProgress*>(ProgressForm.get());
      if (Progress != nullptr) {
        Progress->Show();
        Application->ProcessMessages();
        TStrings* Names = P->Printers();
        const Integer Index = P->PrinterIndex();
        const std::string Name = Names->Count() > 0 ? Names->Strings(Index < 0 ? 0 : Index) : std::string();
        Progress->lblPrinter->SetCaption(Format("Printing on printer %s", {Name}));
        Progress->lblProgress->SetCaption(Format("Printing page %d from %s", {1, " ... "}));
        Progress->ProgressBar->SetPosition(0);
      }
    }
    // The print clone: an invisible copy with the print settings, never a gutter or a margin.
    Clone = std::make_unique<ZEZMemo>(nullptr);
    Clone->SetVisible(false);
    Clone->SetParent(Parent() != nullptr ? Parent() : static_cast<TWinControl*>(this));
    Clone->PrintOptions = O;
    Clone->SetLineNumColor(LineNumColor());
    Clone->SetLineNumAlign(LineNumAlign());
    Clone->SetSrcStringsOptions(SrcStringsOptions());
    Clone->SetSrcDelimeters(SrcDelimeters());
    Clone->SetBorderStyle(BorderStyle());
    TMemoOptions Opts = Options();
    if (!Opts.Contains(moLeftIndent) && PrintIndent != 0) {
      Opts.Include(moLeftIndent);
      Clone->SetLeftIndent(PrintIndent);
    } else {
      Clone->SetLeftIndent(LeftIndent());
    }
    Opts.Exclude(moDrawMargin);
    Opts.Exclude(moDrawGutter);
    Opts.Exclude(moLineNumbers);
    Clone->SetUseMonoFont(UseMonoFont());
    Clone->SetTextStyles(TextStyles());
    Clone->Font()->Assign(UsePrinterFont ? static_cast<TFont*>(FPrinterFont.get()) : static_cast<TFont*>(FFont.get()));
    Clone->SetColor(Color());
    if (O.Contains(poWrapLines)) {
      Clone->SetWordWrap(true);
      Clone->SetMarginPos(MarginPos());
    }
    std::string DocName = S->ObjectName().empty() ? Vuvudipr::SUnknownDocument : S->ObjectName();
    if (O.Contains(poPrintSel)) {
      DocName = Vuvudipr::SSelectedBlock;
    }
    TCustomMemoSource* CS = Clone->GetSource();
    if (O.Contains(poPrintSyntax)) {
      Opts.Include(moColorSyntax);
      CS->SetSyntaxParser(S->SyntaxParser());
    } else {
      Opts.Exclude(moColorSyntax);
    }
    if (O.Contains(poLineNumbers)) {
      Opts.Include(moLineNumbers);
    }
    Clone->SetOptions(Opts);
    if (!O.Contains(poInColor)) {
      Clone->Font()->SetColor(clBlack);
      Clone->SetColor(clWindow);
      for (Integer I = 0; I < Clone->TextStyles()->Count(); ++I) {
        TTextStyle* T = Clone->TextStyles()->GetItem(I);
        T->SetUseMemoColor(true);
        T->Font()->SetColor(clBlack);
      }
      Clone->SetLineNumBackColor(clWindow);
      Clone->SetLineNumColor(clWindowText);
    }
    const bool Selection = O.Contains(poPrintSel) && S->SelectionType() != stNotSelected;
    if (Selection) {
      const Integer First = S->GetSelectionRect().Top;
      S->ParseToString(First, false);  // the colour cache reaches the selection's first line
      CS->InitialParserState = S->GetStringItem(First)->StartState;
    }
    TStringList Lines;
    S->AssignLines(&Lines, Selection);
    CS->Lines()->Assign(&Lines);
    CS->JumpTo(0, 0);
    if (Progress != nullptr) {
      Progress->lblFileName->SetCaption(DocName);
    }

    // Page metrics.
    HDC PDC = P->Handle();
    const Integer PX = std::max(1, GetDeviceCaps(PDC, LOGPIXELSX)), PY = std::max(1, GetDeviceCaps(PDC, LOGPIXELSY));
    HDC Screen = GetDC(0);
    const Integer SX = std::max(1, GetDeviceCaps(Screen, LOGPIXELSX)),
                  SY = std::max(1, GetDeviceCaps(Screen, LOGPIXELSY));
    ReleaseDC(0, Screen);
    const Integer LineH = std::max<Integer>(1, Clone->GetAveLineHeight());
    const Integer CharW = std::max<Integer>(1, Clone->GetAveCharWidth());
    const Integer HeaderH = LineH * PY / SY;
    Integer PageW = P->PageWidth() * SX / PX;
    Integer PageH = P->PageHeight() * SY / PY;
    if (Clone->UseMonoFont()) {
      PageW = PageW / CharW * CharW;
      PageH = PageH / LineH * LineH;
    }
    TRect Target{0, LineH, P->PageWidth(), P->PageHeight()};
    if (O.Contains(poPrintHeader)) {
      PageH -= LineH;
      Target.Top += HeaderH;
    }
    PageH = std::max(PageH, LineH);
    Clone->SetBounds(0, 0, PageW, PageH);
    Clone->HandleNeeded();
    if (O.Contains(poWrapLines)) {
      Clone->WordWrapLines(0, MaxInt, true);
    }
    // The page count.
    Integer Pages = 1;
    if (Clone->UseMonoFont()) {
      Integer Rows = CS->GetStrCount();
      if (Clone->WordWrap()) {
        CS->JumpToFileEnd();
        CS->JumpTo(0, 0);
        Rows = Clone->GetRealStrCount() + 1;
      }
      Pages = std::max<Integer>(1, (Rows * LineH + PageH - 1) / PageH);
    } else {
      while (Clone->GetRealStrCount() >= Clone->GetMaxCaretLineEx(PageH) + 1 + Clone->WinLine() &&
             Clone->GetMaxCaretLineEx(PageH) + 1 + Clone->WinLine() > Clone->WinLine()) {
        Clone->SetWinLine(Clone->GetMaxCaretLineEx(PageH) + 1 + Clone->WinLine());
        ++Pages;
      }
      Clone->SetWinLine(0);
    }
    const Integer LinesPerPage = std::max<Integer>(1, PageH / LineH);
    if (Progress != nullptr) {
      Progress->lblProgress->SetCaption(Format("Printing page %d from %s", {1, IntToStr(Pages)}));
      Progress->ProgressBar->SetMax(4 * Pages);
    }
    if (!Cancelled()) {
      for (Integer I = 0; I < Pages; ++I) {
        if (I == 0) {
          P->BeginDoc();
          Begun = true;
        } else if (Cancelled()) {
          break;
        } else {
          P->NewPage();
        }
        if (Progress != nullptr) {
          Progress->lblProgress->SetCaption(Format("Printing page %d from %s", {I + 1, IntToStr(Pages)}));
        }
        Pump();
        if (I > 0) {
          if (Clone->UseMonoFont()) {
            Clone->SetWinLine(Clone->WinLine() + LinesPerPage);
          } else {
            Clone->SetWinLine(Clone->GetMaxCaretLineEx(PageH) + 1 + Clone->WinLine());
          }
        }
        Pump();
        TMetafile Page;
        Page.SetWidth(PageW);
        Page.SetHeight(PageH);
        Clone->DrawToMetaFile(&Page, 0);
        P->Canvas()->StretchDraw(Target, &Page);
        Pump();
        if (O.Contains(poPrintHeader)) {
          TCanvas* C = P->Canvas();
          C->Font()->Assign(Clone->Font());
          TFontStyles Bold = C->Font()->Style();
          Bold.Include(fsBold);
          C->Font()->SetStyle(Bold);
          C->Font()->SetColor(clBlack);
          C->Brush()->SetStyle(bsClear);
          C->TextOut(0, 0, DoBeforePrint(DocName, ptHeader));
          const std::string PageText = DoBeforePrint(Format("Page %d/%d", {I + 1, Pages}), ptFooter);
          const Integer W = C->TextWidth(PageText);
          const Integer Len = std::max<Integer>(1, static_cast<Integer>(PageText.size()));
          C->TextOut(P->PageWidth() - W - W / Len, 0, PageText);
        }
        Pump();
      }
    }
  } catch (...) {
    if (Begun) {
      P->EndDoc();
    }
    S->EndUpdate();
    throw;
  }
  if (Begun) {
    P->EndDoc();
  }
  S->EndUpdate();
}

std::string TCustomVUVudi::DoBeforePrint(const std::string& Text, TPrintType Kind) {
  std::string S = Text;
  if (OnBeforePrint) {
    OnBeforePrint(this, S, Kind);
  }
  return S;
}

void TCustomVUVudi::DrawToMetaFile(TMetafile* Metafile, HDC ReferenceDC) {
  DrawToMetaFileEx(Metafile, ReferenceDC, TPoint{0, 0});
}

void TCustomVUVudi::DrawToMetaFileEx(TMetafile* Metafile, HDC ReferenceDC, const TPoint& Offset) {
  HandleNeeded();
  const TPoint SavedSize = FOffScreenSize;
  const bool SavedFlag = FDrawingToPicture;
  const Integer SavedWinChar = FWinChar;
  FOffScreenSize = TPoint{Metafile->Width(), Metafile->Height()};
  FDrawingToPicture = true;
  FWinChar = 0;
  try {
    TMetafileCanvas C(Metafile, ReferenceDC);
    IntersectClipRect(C.Handle(), 0, 0, Metafile->Width(), Metafile->Height() + Offset.Y);
    SetViewportOrgEx(C.Handle(), -Offset.X, -Offset.Y, nullptr);
    Perform(WM_PAINT, reinterpret_cast<WPARAM>(C.Handle()), 0);
  } catch (...) {
    FWinChar = SavedWinChar;
    FOffScreenSize = SavedSize;
    FDrawingToPicture = SavedFlag;
    throw;
  }
  FWinChar = SavedWinChar;
  FOffScreenSize = SavedSize;
  FDrawingToPicture = SavedFlag;
}

void TCustomVUVudi::DrawToBitmap(TBitmap* Bitmap) {
  HandleNeeded();
  TBitmap B;
  B.SetSize(ClientWidth(), ClientHeight());
  Perform(WM_PAINT, reinterpret_cast<WPARAM>(B.Canvas()->Handle()), 0);
  Bitmap->Assign(&B);
}

void TCustomVUVudi::DrawToBMPFile(const std::string& FileName) {
  TBitmap B;
  DrawToBitmap(&B);
  B.SaveToFile(FileName);
}

void TCustomVUVudi::DrawToEMFWMF(const std::string& FileName, bool Enhanced) {
  TMetafile M;
  M.Enhanced = Enhanced;
  M.SetWidth(ClientWidth());
  M.SetHeight(ClientHeight());
  DrawToMetaFile(&M, 0);
  M.SaveToFile(FileName);
}

void TCustomVUVudi::DrawToFile(const std::string& FileName, ZEZGraphicsFormat Format) {
  switch (Format) {
    case gfBitmap: DrawToBMPFile(FileName); break;
    case gfMetafile: DrawToEMFWMF(FileName, false); break;
    case gfEnhancedMetafile: DrawToEMFWMF(FileName, true); break;
  }
}

void TCustomVUVudi::DrawBitmapToClipboard() {
  TBitmap B;
  DrawToBitmap(&B);
  Clipboard()->Assign(&B);
}

void TCustomVUVudi::DrawMetaFileToClipboard(bool Enhanced) {
  TMetafile M;
  M.Enhanced = Enhanced;
  M.SetWidth(ClientWidth());
  M.SetHeight(ClientHeight());
  DrawToMetaFile(&M, 0);
  Clipboard()->Assign(&M);
}

void TCustomVUVudi::CopyGraphicToClipboard(ZEZGraphicsFormat Format) {
  switch (Format) {
    case gfBitmap: DrawBitmapToClipboard(); break;
    case gfMetafile: DrawMetaFileToClipboard(false); break;
    case gfEnhancedMetafile: DrawMetaFileToClipboard(true); break;
  }
}

}  // namespace Vuvudi

Z_REGISTER_UNIT(UnitOrder::CodeEditorUnits + 60, "Vuvudi", &Vuvudi::InitializeVuvudi, nullptr)
