// The suite's small classes and the transparent drawing of pictures.
#include "suitebase/Smallcontrols.h"

#include "platform/controls/Forms.h"
#include "platform/graphics/Colors.h"
#include "platform/graphics/WinGdi.h"
#include "platform/win/VirtualKeys.h"

#include <map>
#include <mutex>

namespace Dccommon {

namespace {

constexpr const char* HandleClassName = "ClipboardClass";

std::map<HWND, THandleObject*>& HandleObjects() {
  static std::map<HWND, THandleObject*> M;
  return M;
}

}  // namespace

// ---- THandleObject -----------------------------------------------------------------------------------------------

Z_IMPLEMENT_CLASS(THandleObject, TObject)

THandleObject::THandleObject(TWndMethod Method) : FMethod(std::move(Method)) {
  static std::once_flag Once;
  std::call_once(Once, [] {
    WNDCLASS C;
    C.style = CS_DBLCLKS;
    C.lpfnWndProc = DefWindowProc;
    C.lpszClassName = HandleClassName;
    RegisterClass(&C);
  });
  FHandle = CreateWindowEx(WS_EX_TOPMOST, HandleClassName, "", WS_POPUP, 0, 0, 1, 1, 0, 0, nullptr, nullptr);
  HandleObjects()[FHandle] = this;
  SetWindowLongPtr(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&THandleObject::WindowProc));
  SetWindowLongPtr(FHandle, GWL_STYLE, WS_CHILD);
}

THandleObject::~THandleObject() {
  HandleObjects().erase(FHandle);
  DestroyWindow(FHandle);
}

LRESULT THandleObject::WindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  const auto It = HandleObjects().find(Wnd);
  if (It == HandleObjects().end() || !It->second->FMethod) {
    return DefWindowProc(Wnd, Msg, WParam, LParam);
  }
  TMessage M;
  M.Msg = Msg;
  M.WParam = WParam;
  M.LParam = LParam;
  It->second->FMethod(M);
  return M.Result;
}

Z_IMPLEMENT_CLASS(ZEZHandleObject, THandleObject)

ZEZHandleObject::ZEZHandleObject(TObject* Target)
    : THandleObject([Target](TMessage& M) {
        // The target, not the member: the window hears messages while the base is still being made.
        if (Target) {
          Target->Dispatch(M);
        }
      }) {}

void ZEZHandleObject::PostMsg(UINT Msg, WPARAM WParam, LPARAM LParam) { PostMessage(Handle(), Msg, WParam, LParam); }

// ---- ZEZTabControl -----------------------------------------------------------------------------------------------

Z_IMPLEMENT_CLASS(ZEZTabControl, TTabControl)

void ZEZTabControl::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_DIALOGKEY && Message.WParam == VK_TAB && GetKeyState(VK_CONTROL) < 0 && Tabs()->Count() > 0) {
    TCustomForm* Form = GetParentForm(this);
    bool Inside = false;
    for (TControl* C = Form ? Form->ActiveControl() : nullptr; C && !Inside; C = C->Parent()) {
      Inside = C == this;
    }
    if (Inside) {
      const int Count = Tabs()->Count();
      const int I = TabIndex();
      SetTabIndex(GetKeyState(VK_SHIFT) < 0 ? (I <= 0 ? Count - 1 : I - 1) : (I + 1) % Count);
      Change();
      Message.Result = 1;
      return;
    }
  }
  TTabControl::Dispatch(Message);
}

// ---- ZEZSpeedButton ----------------------------------------------------------------------------------------------

Z_IMPLEMENT_CLASS(ZEZSpeedButton, TSpeedButton)

ZEZSpeedButton::ZEZSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {
  FOldGlyphChange = Glyph()->OnChange;
  Glyph()->OnChange = [this](TObject* Sender) {
    if (FOldGlyphChange) {
      FOldGlyphChange(Sender);
    }
    ++FGlyphChanges;
    Glyph()->Dormant();
  };
}

void SetFlatPropToAll(TComponent* Owner, bool Flat) {
  for (int I = 0; Owner && I < Owner->ComponentCount(); ++I) {
    if (auto* B = dynamic_cast<TSpeedButton*>(Owner->Components(I))) {
      B->SetFlat(Flat);
    }
  }
}

// ---- Transparent drawing -----------------------------------------------------------------------------------------

void StretchBltTransparent(HDC DstDC, int DstX, int DstY, int DstW, int DstH, HDC SrcDC, int SrcX, int SrcY, int SrcW,
                           int SrcH, COLORREF TransparentColor) {
  const HDC MaskDC = CreateCompatibleDC(0);
  const HBITMAP Mask = CreateBitmap(DstW, DstH, 1, 1, nullptr);
  const HGDIOBJ OldMask = SelectObject(MaskDC, Mask);
  const COLORREF OldSrcBk = SetBkColor(SrcDC, TransparentColor);
  // The transparent pixels become white in the mask. It is stretched as the picture is, so that it covers the
  // same pixels when the sizes differ.
  StretchBlt(MaskDC, 0, 0, DstW, DstH, SrcDC, SrcX, SrcY, SrcW, SrcH, SRCCOPY);
  SetBkColor(SrcDC, OldSrcBk);
  const COLORREF OldBk = SetBkColor(DstDC, RGB(255, 255, 255));
  const COLORREF OldText = SetTextColor(DstDC, RGB(0, 0, 0));
  StretchBlt(DstDC, DstX, DstY, DstW, DstH, SrcDC, SrcX, SrcY, SrcW, SrcH, SRCINVERT);
  BitBlt(DstDC, DstX, DstY, DstW, DstH, MaskDC, 0, 0, SRCAND);
  StretchBlt(DstDC, DstX, DstY, DstW, DstH, SrcDC, SrcX, SrcY, SrcW, SrcH, SRCINVERT);
  SetBkColor(DstDC, OldBk);
  SetTextColor(DstDC, OldText);
  SelectObject(MaskDC, OldMask);
  DeleteObject(Mask);
  DeleteDC(MaskDC);
}

void DrawImage(TCanvas* Canvas, TPersistent* Image, TColor BackColor, const TRect& Rect, int Index) {
  auto* List = dynamic_cast<TCustomImageList*>(Image);
  auto* Picture = dynamic_cast<TBitmap*>(Image);
  if (!List && !Picture) {
    return;
  }
  TBitmap B;
  B.SetSize(Rect.Width(), Rect.Height());
  B.Canvas()->Brush()->SetColor(BackColor);
  B.Canvas()->FillRect(TRect{0, 0, Rect.Width(), Rect.Height()});
  if (List) {
    List->Draw(B.Canvas(), 0, 0, Index);
  } else if (!Picture->Empty()) {
    const COLORREF Transparent = GetPixel(Picture->Canvas()->Handle(), 0, 0);
    StretchBltTransparent(B.Canvas()->Handle(), 0, 0, Rect.Width(), Rect.Height(), Picture->Canvas()->Handle(), 0, 0,
                          Picture->Width(), Picture->Height(), Transparent);
  }
  Canvas->Draw(Rect.Left, Rect.Top, &B);
}

}  // namespace Dccommon
