// Code editor control: the input side: caret and editing commands, the edit-control messages, the mouse, the
// context menu, popup hints and the popup list, code templates, printing and pictures.
#include "codeeditor/Vuvudi.h"
#include "platform/win/Messages.h"

namespace Vuvudi {

using namespace Dcstring;

// --- keyboard layouts and typing --------------------------------------------------------------------------------

void TCustomVUVudi::InitDefaultKeyMapping() {
  // The default layout binds no keys yet.
}

bool TCustomVUVudi::InsertChar(char Ch) {
  const auto B = static_cast<Byte>(Ch);
  if (KeyState() != 0 || B < 32 || B == 127) {
    return false;
  }
  TCustomMemoSource* S = GetSource();
  S->BeginUpdate(Reason::Insert);
  S->Insert(std::string(1, Ch));
  S->EndUpdate();
  return true;
}

void TCustomVUVudi::KeyPress(char& Key) { ZEZCustomControl::KeyPress(Key); }

void TCustomVUVudi::CreateParams(TCreateParams& Params) {
  ZEZCustomControl::CreateParams(Params);
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) {
    Params.Style |= WS_VSCROLL;
  }
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) {
    Params.Style |= WS_HSCROLL;
  }
  if (FBorderStyle == bsSingle) {
    Params.ExStyle |= WS_EX_CLIENTEDGE;
  }
}

// --- caret moves and editing commands ---------------------------------------------------------------------------

void TCustomVUVudi::MemoCursorUp() {}
void TCustomVUVudi::MemoCursorDown() {}
void TCustomVUVudi::MemoCursorLeft() {}
void TCustomVUVudi::MemoCursorRight() {}
void TCustomVUVudi::CheckCursorLeft() {}
void TCustomVUVudi::MemoMarkUp() {}
void TCustomVUVudi::MemoMarkDown() {}
void TCustomVUVudi::MemoMarkLeft() {}
void TCustomVUVudi::MemoJumpToLineBegin() {}
void TCustomVUVudi::MemoJumpToLineEnd() {}
void TCustomVUVudi::MemoMarkToLineBegin() {}
void TCustomVUVudi::MemoMarkToLineEnd() {}
void TCustomVUVudi::JumpToScreenTop() {}
void TCustomVUVudi::JumpToScreenBottom() {}
void TCustomVUVudi::JumpLeftMost() {}
void TCustomVUVudi::JumpRightMost() {}
void TCustomVUVudi::PageUpDown(bool) {}
void TCustomVUVudi::PageLeft() {}
void TCustomVUVudi::PageRight() {}
void TCustomVUVudi::ProcessEscape() {}
void TCustomVUVudi::PromptedGotoLine() {}
void TCustomVUVudi::CenteredJumpTo(Integer, Integer) {}
bool TCustomVUVudi::MoveBlockToPosEx(bool) { return false; }
void TCustomVUVudi::MouseWheel(Integer) {}
void TCustomVUVudi::MarkToTop() {}
void TCustomVUVudi::MarkToBottom() {}
void TCustomVUVudi::MarkPageUp() {}
void TCustomVUVudi::MarkPageDown() {}
void TCustomVUVudi::MarkColToTop() {}
void TCustomVUVudi::MarkColToBottom() {}
void TCustomVUVudi::MarkColPageUp() {}
void TCustomVUVudi::MarkColPageDown() {}

void TCustomVUVudi::CopyToClipboard() { GetSource()->CopyBlock(); }

void TCustomVUVudi::CutToClipboard() {}

void TCustomVUVudi::PasteFromClipboard() {}

// --- messages ---------------------------------------------------------------------------------------------------

void TCustomVUVudi::WMEditMessage(TMessage& Message) { ZEZCustomControl::Dispatch(Message); }
void TCustomVUVudi::WMMouseWheel(TMessage& Message) { ZEZCustomControl::Dispatch(Message); }
void TCustomVUVudi::WMRButtonUp(TMessage& Message) { ZEZCustomControl::Dispatch(Message); }
void TCustomVUVudi::WMContextMenu(TMessage& Message) { ZEZCustomControl::Dispatch(Message); }

// --- mouse ------------------------------------------------------------------------------------------------------

void TCustomVUVudi::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  ZEZCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomVUVudi::MouseMove(TShiftState Shift, int X, int Y) { ZEZCustomControl::MouseMove(Shift, X, Y); }

void TCustomVUVudi::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  ZEZCustomControl::MouseUp(Button, Shift, X, Y);
}

void TCustomVUVudi::SetPosByMouse(Integer, Integer) {}
void TCustomVUVudi::DoSelTimer() {}
void TCustomVUVudi::MMoveEvent() {}

void TCustomVUVudi::KillTimer() {
  if (FMouseMode == mmSelecting || FMouseMode == mmDragging) {
    if (HandleAllocated()) {
      ::KillTimer(Handle(), SelTimerId);
    }
    FMouseMode = mmNone;
  }
}

void TCustomVUVudi::CancelDragging() {}
bool TCustomVUVudi::PosInBlock(Integer, Integer) { return false; }
bool TCustomVUVudi::IsUrlUnderPoint(const TPoint&, std::string&, bool) { return false; }
bool TCustomVUVudi::MouseAtHotString(Integer, Integer) { return false; }
bool TCustomVUVudi::CheckMouseOnButton(Integer, Integer, Integer&) { return false; }
Integer TCustomVUVudi::PointToImageIndex(Integer, Integer) { return -1; }

// --- context menu and clipboard buffers -------------------------------------------------------------------------

TPopupMenu* TCustomVUVudi::GetDefaultMenu() { return FDefaultMenu; }
bool TCustomVUVudi::CanPaste() { return false; }
bool TCustomVUVudi::CheckMenuPopup() { return false; }
bool TCustomVUVudi::ContextMenu(const TPoint&) { return false; }
void TCustomVUVudi::GetClipboardBuffer(UINT, TStream*) {}
void TCustomVUVudi::SetClipboardBuffer(UINT, const void*, Integer) {}
void TCustomVUVudi::UndoClick(TObject*) {}
void TCustomVUVudi::CutClick(TObject*) {}
void TCustomVUVudi::CopyClick(TObject*) {}
void TCustomVUVudi::PasteClick(TObject*) {}
void TCustomVUVudi::DeleteClick(TObject*) {}
void TCustomVUVudi::SelectAllClick(TObject*) {}

// --- popup hints and list box -----------------------------------------------------------------------------------

void TCustomVUVudi::KillHintTimer() {
  if (HandleAllocated()) {
    ::KillTimer(Handle(), HintTimerId);
  }
  FHintTimerStarted = false;
  FHintTimerFired = false;
}

void TCustomVUVudi::PopupHintBox() { PopupHintBoxEx(FPopupHint->AutoHide); }
bool TCustomVUVudi::PopupHintBoxEx(bool) { return false; }

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

void TCustomVUVudi::ShowPopupListBox(TStrings*) {}
void TCustomVUVudi::ShowPopupListBoxEx(TStrings*, const std::vector<TAlignment>&, Integer) {}
void TCustomVUVudi::FreePopupListBox() {}
void TCustomVUVudi::PopupBoxKeyDown(TObject*, Word&, TShiftState) {}
void TCustomVUVudi::PopupBoxKeyPress(TObject*, char&) {}
bool TCustomVUVudi::ClosePopupListBox(Word&, TShiftState) { return false; }

bool TCustomVUVudi::DoFindInPopupBox(TStrings* Strings, const std::string& S, Integer& Index) {
  bool Handled = false;
  if (OnFindStringInPopup) {
    OnFindStringInPopup(this, Strings, S, Index, Handled);
  }
  return Handled;
}

void TCustomVUVudi::HintCallBack(TObject*, Integer) {}
void TCustomVUVudi::InsertHint(const std::string&) {}

void TCustomVUVudi::HintInsert(std::string& S) {
  if (OnHintInsert) {
    OnHintInsert(this, S);
  }
}

// --- code templates ---------------------------------------------------------------------------------------------

void TCustomVUVudi::ShowCodeTemplates() {}
void TCustomVUVudi::MarkWordOnTemplate() {}
void TCustomVUVudi::CodeTemplCallBack(TObject*, Integer) {}

void TCustomVUVudi::TemplateInsert(TStrings* Strings) {
  if (OnTemplateInsert) {
    OnTemplateInsert(this, Strings);
  }
}

// --- printing and pictures --------------------------------------------------------------------------------------

void TCustomVUVudi::PrintWithDialog() {}
void TCustomVUVudi::Print() {}
TForm* TCustomVUVudi::CreatePrintDialog() { return nullptr; }
TForm* TCustomVUVudi::CreatePrintProgressDialog() { return nullptr; }

std::string TCustomVUVudi::DoBeforePrint(const std::string& Text, TPrintType Kind) {
  std::string S = Text;
  if (OnBeforePrint) {
    OnBeforePrint(this, S, Kind);
  }
  return S;
}

void TCustomVUVudi::DrawToMetaFile(TMetafile*, HDC) {}
void TCustomVUVudi::DrawToMetaFileEx(TMetafile*, HDC, const TPoint&) {}
void TCustomVUVudi::DrawToBitmap(TBitmap*) {}
void TCustomVUVudi::DrawToBMPFile(const std::string&) {}
void TCustomVUVudi::DrawToEMFWMF(const std::string&, bool) {}
void TCustomVUVudi::DrawToFile(const std::string&, ZEZGraphicsFormat) {}
void TCustomVUVudi::DrawBitmapToClipboard() {}
void TCustomVUVudi::DrawMetaFileToClipboard(bool) {}
void TCustomVUVudi::CopyGraphicToClipboard(ZEZGraphicsFormat) {}

}  // namespace Vuvudi
