// The tree view's in-place editors: the private messages, the keys that commit and cancel, and the sizing that
// follows the text.
#include "treeview/Dcntreeeditor.h"

#include "treeview/Dcntreedraw.h"

#include <algorithm>

Z_IMPLEMENT_CLASS(ZEZCustomTreeSimpleEditor, TEdit)
Z_IMPLEMENT_CLASS(ZEZTreeSimpleEditor, ZEZCustomTreeSimpleEditor)
Z_IMPLEMENT_CLASS(ZEZCustomTreeMemoEditor, TMemo)
Z_IMPLEMENT_CLASS(ZEZTreeMemoEditor, ZEZCustomTreeMemoEditor)

namespace {
TEXTMETRIC CanvasMetrics(TCanvas* Canvas) {
  TEXTMETRIC Tm{};
  if (Canvas) {
    GetTextMetrics(Canvas->Handle(), &Tm);
  }
  return Tm;
}

// The border and clipping rule both editors share.
void FitBorder(TRect& B, bool Single, TControl* Parent) {
  if (Single) {
    const Integer D = GetSystemMetrics(SM_CYBORDER) + 1;
    B.Top -= D;
    B.Bottom += D;
  } else {
    const Integer D = GetSystemMetrics(SM_CXBORDER) + 1;
    B.Left += D;
    B.Right -= D;
  }
  if (Parent) {
    ClipRectToBounds(B, Parent->ClientRect());
  }
}

// The handling both editors give the private messages they share; false for anything else.
template <class E>
bool CommonEditorMessage(E& Ed, TMessage& M, TCanvas*& Canvas, TControl*& Parent, TRect& Base, bool Multi) {
  switch (M.Msg) {
    case DMSetCanvas: Canvas = reinterpret_cast<TCanvas*>(M.WParam); return true;
    case DMSetRect:
      Base = *reinterpret_cast<const TRect*>(M.WParam);
      Ed.BorderStyle = M.LParam ? bsSingle : bsNone;
      Ed.UpdateEditorBounds();
      return true;
    case DMSetParent: Parent = reinterpret_cast<TControl*>(M.WParam); return true;
    case DMSetText: {
      const char* Text = reinterpret_cast<const char*>(M.WParam);
      Ed.SetText(Text ? Text : "");
      if (M.LParam == 0) {
        Ed.SetSelStart(0);
        Ed.SetSelStart(static_cast<int>(Ed.GetText().size()));
      }
      Ed.SetModified(M.LParam == 0);
      return true;
    }
    case DMShowEditor: {
      const auto* Info = reinterpret_cast<const TDMShowInfo*>(M.LParam);
      if (Info) {
        if (Info->Font) Ed.Font()->Assign(Info->Font);
        Ed.SetColor(Info->Color);
      }
      Ed.Show();
      Ed.UpdateEditorBounds();
      if (Multi) {
        Ed.SelectAll();
      }
      if (Ed.CanFocus()) {
        Ed.SetFocus();
      }
      return true;
    }
    case DMHideEditor: Ed.Hide(); return true;
    case DMCancelChanges: Ed.SetModified(false); return true;
    case DMSaveChanges: *reinterpret_cast<std::string*>(M.WParam) = Ed.GetText(); return true;
    case DMGetModified: M.Result = Ed.Modified() ? 1 : 0; return true;
    case WM_GETDLGCODE: M.Result = DLGC_WANTARROWS | DLGC_WANTALLKEYS | DLGC_WANTCHARS; return true;
    default: return false;
  }
}
}  // namespace

// ---- single line -----------------------------------------------------------------------------------------------

ZEZCustomTreeSimpleEditor::ZEZCustomTreeSimpleEditor(TComponent* AOwner) : TEdit(AOwner) {
  SetCtl3D(false);
  SetParentCtl3D(false);
  ControlStyle.Include(csNoDesignVisible);
}

void ZEZCustomTreeSimpleEditor::Dispatch(TMessage& Message) {
  if (CommonEditorMessage(*this, Message, FCanvas, FParentControl, FBaseRect, false)) {
    return;
  }
  switch (Message.Msg) {
    case WM_KEYDOWN:
      if (Message.WParam == VK_RETURN) {
        ParentSendMessage(DMSaveChanges);
        return;
      }
      if (Message.WParam == VK_ESCAPE) {
        ParentSendMessage(DMCancelChanges);
        return;
      }
      break;
    case WM_CHAR: {
      if (Message.WParam == 13 || Message.WParam == 27) {
        return;
      }
      if (auto* P = dynamic_cast<TWinControl*>(FParentControl)) {
        char Ch = static_cast<char>(Message.WParam);
        if (P->OnKeyPress) P->OnKeyPress(P, Ch);
        if (Ch == 0) {
          return;
        }
        Message.WParam = static_cast<unsigned char>(Ch);
      }
      break;
    }
    case WM_KILLFOCUS:
      ParentSendMessage(DMKillFocus);
      break;
    default: break;
  }
  TEdit::Dispatch(Message);
}

Integer ZEZCustomTreeSimpleEditor::EditorHeight() { return FCanvas ? GetFontHeight(FCanvas->Font()) : 16; }

Integer ZEZCustomTreeSimpleEditor::EditorWidth(const std::string& Text) {
  return FCanvas ? FCanvas->TextWidth(Text) + CanvasMetrics(FCanvas).tmOverhang : 0;
}

void ZEZCustomTreeSimpleEditor::GetBaseRect(const std::string& Text, const TRect& R, TRect& B) {
  (void)Text;
  B = Rect(R.Left, R.Top, R.Right, R.Top + EditorHeight());
  if (B.Bottom < R.Bottom) {
    CenterRectVert(B, R);
  }
}

void ZEZCustomTreeSimpleEditor::GetEditorBounds(const TRect& R, TRect& B) {
  GetBaseRect(GetText(), R, B);
  FitBorder(B, BorderStyle == bsSingle, FParentControl);
}

void ZEZCustomTreeSimpleEditor::UpdateEditorBounds() {
  TRect B;
  GetEditorBounds(FBaseRect, B);
  SetBounds(B.Left, B.Top, B.Width(), B.Height());
}

void ZEZCustomTreeSimpleEditor::ParentSendMessage(unsigned Msg) {
  if (FParentControl) FParentControl->Perform(Msg, 0, 0);
}

void ZEZTreeSimpleEditor::GetBaseRect(const std::string& Text, const TRect& R, TRect& B) {
  ZEZCustomTreeSimpleEditor::GetBaseRect(Text, R, B);
  B.Right = B.Left + EditorWidth(Text);
}

void ZEZTreeSimpleEditor::GetEditorBounds(const TRect& R, TRect& B) {
  ZEZCustomTreeSimpleEditor::GetEditorBounds(R, B);
  B.Right += 2 * GetSystemMetrics(SM_CXBORDER) + CanvasMetrics(FCanvas).tmMaxCharWidth + 2;
  if (FParentControl) {
    ClipRectToBounds(B, FParentControl->ClientRect());
  }
}

void ZEZTreeSimpleEditor::Change() {
  ZEZCustomTreeSimpleEditor::Change();
  UpdateEditorBounds();
}

// ---- multiple lines --------------------------------------------------------------------------------------------

ZEZCustomTreeMemoEditor::ZEZCustomTreeMemoEditor(TComponent* AOwner) : TMemo(AOwner) {
  SetCtl3D(false);
  SetParentCtl3D(false);
  ControlStyle.Include(csNoDesignVisible);
  SetWordWrap(false);
}

void ZEZCustomTreeMemoEditor::Dispatch(TMessage& Message) {
  if (CommonEditorMessage(*this, Message, FCanvas, FParentControl, FBaseRect, true)) {
    return;
  }
  switch (Message.Msg) {
    case DMSetOtherInfo:
      FWordWrapFlag = *reinterpret_cast<const bool*>(Message.WParam);
      SetWordWrap(FWordWrapFlag);
      return;
    case WM_KEYDOWN:
      if (Message.WParam == VK_ESCAPE) {
        ParentSendMessage(DMCancelChanges);
        return;
      }
      if (Message.WParam == VK_RETURN) {
        if (GetKeyState(VK_CONTROL) >= 0) {
          ParentSendMessage(DMSaveChanges);
          return;
        }
        // Ctrl+Enter: the line feed it types makes the line break.
        return;
      }
      break;
    case WM_CHAR:
      if (Message.WParam == 13 || Message.WParam == 27) {
        return;
      }
      if (Message.WParam == 10) {
        SetSelText("\r\n");
        return;
      }
      break;
    case WM_KILLFOCUS:
      ParentSendMessage(DMKillFocus);
      break;
    default: break;
  }
  TMemo::Dispatch(Message);
}

void ZEZCustomTreeMemoEditor::GetBaseRect(const std::string& Text, const TRect& R, TRect& B) {
  Integer H = FCanvas ? GetMultiLineTextHeight(FCanvas, Text, R.Width(), FWordWrapFlag) : 16;
  H += H & 1;
  B = Rect(R.Left, R.Top, R.Right, R.Top + H);
  if (B.Bottom < R.Bottom) {
    CenterRectVert(B, R);
  }
}

void ZEZCustomTreeMemoEditor::GetEditorBounds(const TRect& R, TRect& B) {
  GetBaseRect(GetText(), R, B);
  FitBorder(B, BorderStyle == bsSingle, FParentControl);
}

void ZEZCustomTreeMemoEditor::UpdateEditorBounds() {
  TRect R = FBaseRect;
  R.Left += 2;
  R.Right -= 2;
  TRect B;
  GetEditorBounds(R, B);
  B.Left -= 2;
  B.Right += 2;
  SetBounds(B.Left, B.Top, B.Width(), B.Height());
}

void ZEZCustomTreeMemoEditor::ParentSendMessage(unsigned Msg) {
  if (FParentControl) FParentControl->Perform(Msg, 0, 0);
}

void ZEZTreeMemoEditor::GetBaseRect(const std::string& Text, const TRect& R, TRect& B) {
  ZEZCustomTreeMemoEditor::GetBaseRect(Text, R, B);
  if (FCanvas) {
    B.Right = B.Left + GetMultiLineTextWidth(FCanvas, Text, R.Width(), FWordWrapFlag);
  }
}

void ZEZTreeMemoEditor::GetEditorBounds(const TRect& R, TRect& B) {
  ZEZCustomTreeMemoEditor::GetEditorBounds(R, B);
  const TEXTMETRIC Tm = CanvasMetrics(FCanvas);
  B.Right += 2 * GetSystemMetrics(SM_CXBORDER) + Tm.tmMaxCharWidth + 2;
  B.Bottom += Tm.tmHeight;
  if (FParentControl) {
    ClipRectToBounds(B, FParentControl->ClientRect());
  }
}

void ZEZTreeMemoEditor::Change() {
  ZEZCustomTreeMemoEditor::Change();
  UpdateEditorBounds();
}
