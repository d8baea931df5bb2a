// The code editor control's rich-text clipboard: the selection travels as RTF beside the text, and moves and
// copies within the control keep their fonts and colours.
#include "codeeditor/Vuvudiexport.h"

#include "codeeditor/Vuvudirich.h"
#include "platform/classes/StringList.h"
#include "platform/win/Clipboard.h"

#include <cstring>

namespace Vuvudi {

namespace {
UINT RichTextFormat() { return RegisterClipboardFormat(SRichTextFormatName); }

bool RichCapable(TCustomVUVudi* Memo) {
  Dorazori::TSimpleParser* P = Memo->GetSource()->SyntaxParser();
  return P == nullptr || dynamic_cast<TAttributeParser*>(P) != nullptr;
}

void ExportSelection(TCustomVUVudi* Memo, TMemoryStream& Out) { ExportToRtfStreamEx(Memo, &Out, true); }
}  // namespace

void CopyRtfToClipboard(TCustomVUVudi* Memo) {
  Dcstring::TCustomMemoSource* S = Memo->GetSource();
  if (S->SelectionType() == Dcstring::stNotSelected) {
    return;
  }
  TMemoryStream Out;
  ExportSelection(Memo, Out);
  const char Zero = '\0';
  Out.WriteBuffer(&Zero, 1);
  if (!OpenClipboard(Memo->HandleAllocated() ? Memo->Handle() : 0)) {
    return;
  }
  HGLOBAL Mem = GlobalAlloc(GMEM_MOVEABLE, static_cast<std::size_t>(Out.Size()));
  if (Mem != nullptr) {
    std::memcpy(GlobalLock(Mem), Out.Memory(), static_cast<std::size_t>(Out.Size()));
    GlobalUnlock(Mem);
    if (SetClipboardData(RichTextFormat(), Mem) == nullptr) {
      GlobalFree(Mem);
    }
  }
  CloseClipboard();
  Dcstring::TCustomMemoSource::ClipSelType = S->SelectionType() == Dcstring::stBlockSel ? 1 : 0;
}

bool PasteRtfFromClipboard(TCustomVUVudi* Memo) {
  Dcstring::TCustomMemoSource* S = Memo->GetSource();
  if (S->ReadOnly() || !IsClipboardFormatAvailable(RichTextFormat()) || !RichCapable(Memo)) {
    return false;
  }
  (void)S->CheckOverwriteBlock();
  std::string Rtf;
  if (!OpenClipboard(Memo->HandleAllocated() ? Memo->Handle() : 0)) {
    return false;
  }
  if (HANDLE Data = GetClipboardData(RichTextFormat())) {
    const char* P = static_cast<const char*>(GlobalLock(Data));
    Rtf.assign(P, strnlen(P, GlobalSize(Data)));
    GlobalUnlock(Data);
  }
  const HWND Owner = GetClipboardOwner();
  CloseClipboard();
  if (Owner == 0) {
    Dcstring::TCustomMemoSource::ClipSelType = 0;  // another program's copy holds no column block
  }
  TMemoryStream Stream;
  Stream.WriteBuffer(Rtf.data(), static_cast<LongInt>(Rtf.size()));
  Stream.SetPosition(0);
  PasteFromRtfStream(Memo, &Stream);
  if (S->OnPasteFromClipboard) {
    TStringList Lines;
    Stream.SetPosition(0);
    Lines.LoadFromStream(&Stream);
    S->PasteFromClipboard(&Lines);
  }
  return true;
}

bool MoveRtfBlockToPos(TCustomVUVudi* Memo, bool Move) {
  Dcstring::TCustomMemoSource* S = Memo->GetSource();
  if (S->IsPosInBlock(S->GetCurChar(), S->GetCurLine())) {
    return false;
  }
  if (Memo->ClipboardType() != cbRtf || !RichCapable(Memo)) {
    return Move ? S->MoveBlock() : S->CopyBlockToPos();
  }
  TMemoryStream Out;
  ExportSelection(Memo, Out);
  Out.SetPosition(0);
  const Integer SavedKind = Dcstring::TCustomMemoSource::ClipSelType;
  Dcstring::TCustomMemoSource::ClipSelType = S->SelectionType() == Dcstring::stBlockSel ? 1 : 0;
  S->BeginUndoBlock();
  try {
    // Deleting the block shifts a caret that lies after it: the target follows the text.
    const TPoint Caret = S->GetCaretPoint();
    const TRect Sel = S->GetSelectionRect();
    TPoint Target = Caret;
    if (Move) {
      if (S->SelectionType() == Dcstring::stStreamSel &&
          (Caret.Y > Sel.Bottom || (Caret.Y == Sel.Bottom && Caret.X >= Sel.Right))) {
        if (Caret.Y == Sel.Bottom) {
          Target.X -= Sel.Right - (Sel.Top == Sel.Bottom ? Sel.Left : 0);
          if (Sel.Top != Sel.Bottom) {
            Target.X += Sel.Left;
          }
        }
        Target.Y -= Sel.Bottom - Sel.Top;
      } else if (S->SelectionType() == Dcstring::stBlockSel && Caret.Y >= Sel.Top && Caret.Y <= Sel.Bottom &&
                 Caret.X > Sel.Right) {
        Target.X -= Sel.Right - Sel.Left + 1;
      }
      S->DeleteBlock();
    }
    S->JumpTo(Target.X, Target.Y);
    PasteFromRtfStream(Memo, &Out);
  } catch (...) {
    S->EndUndoBlock();
    Dcstring::TCustomMemoSource::ClipSelType = SavedKind;
    throw;
  }
  S->EndUndoBlock();
  Dcstring::TCustomMemoSource::ClipSelType = SavedKind;
  return true;
}

}  // namespace Vuvudi
