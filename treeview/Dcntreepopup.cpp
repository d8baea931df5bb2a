// ZEZPopupWindow and SizeablePopup: the borderless, resizable drop-down window that borrows a control.
#include "treeview/Dcntreepopup.h"

#include "platform/graphics/Images.h"
#include "platform/win/SystemParams.h"
#include "platform/win/WinHooks.h"

#include <algorithm>
#include <memory>

Z_IMPLEMENT_CLASS(ZEZPopupWindow, TCustomForm)

namespace {
constexpr Integer PanelHeight = 19;
constexpr Integer PanelButtonWidth = 17;
constexpr Integer MinWidth = 50;
constexpr Integer MinHeight = 40;

// One popup at a time in the process: the one on screen and its mouse hook.
ZEZPopupWindow* GPopup = nullptr;
HHOOK GMouseHook = 0;

// The cross of the cancel button: 11 x 11, black on a see-through background (the bottom-left colour).
std::unique_ptr<TBitmap> MakeCrossGlyph() {
  constexpr int Size = 11;
  auto B = std::make_unique<TBitmap>();
  B->SetWidth(Size);
  B->SetHeight(Size);
  TCanvas* C = B->Canvas();
  C->Brush()->SetColor(clOlive);
  C->FillRect(Rect(0, 0, Size, Size));
  // Two diagonals, two pixels thick, from (2, 2) to (8, 8) and from (8, 2) to (2, 8).
  for (int I = 2; I <= 8; ++I) {
    C->SetPixels(I, I, clBlack);
    C->SetPixels(I + 1, I, clBlack);
    C->SetPixels(Size - 1 - I, I, clBlack);
    C->SetPixels(Size - 2 - I, I, clBlack);
  }
  return B;
}
}  // namespace

LRESULT PopupMouseHook(int Code, WPARAM WParam, LPARAM LParam) {
  ZEZPopupWindow* Popup = GPopup;
  const auto Msg = static_cast<UINT>(WParam);
  if (Code >= 0 && Popup && Popup->Visible() && Popup->HandleAllocated() &&
      (Msg == WM_NCLBUTTONDOWN || Msg == WM_NCLBUTTONUP || Msg == WM_LBUTTONDOWN || Msg == WM_LBUTTONUP)) {
    const auto* Info = reinterpret_cast<const MOUSEHOOKSTRUCT*>(LParam);
    TRect R;
    GetWindowRect(Popup->Handle(), &R);
    const TPoint P = Info->pt;
    if (P.X < R.Left || P.X >= R.Right || P.Y < R.Top || P.Y >= R.Bottom) {
      // A window the popup owns (a drop-down of the hosted control) does not close it.
      bool Own = false;
      for (HWND W = WindowFromPoint(P); W && !Own; W = GetParent(W)) {
        Own = W == Popup->Handle();
      }
      if (!Own) {
        Popup->PopupHide(mrCancel);
        return 1;
      }
    }
  }
  return CallNextHookEx(GMouseHook, Code, WParam, LParam);
}

ZEZPopupWindow* ZEZPopupWindow::Current() { return GPopup; }

ZEZPopupWindow::ZEZPopupWindow(TComponent* AOwner) : TCustomForm(AOwner) {
  KeyPreview = true;
  BorderStyle = bsNone;
  SetVisible(false);
  OnKeyDown = [this](TObject* S, Word& Key, TShiftState Shift) { PopupKeyDown(S, Key, Shift); };
  OnMouseUp = [this](TObject* S, TMouseButton B, TShiftState Shift, int X, int Y) { PopupMouseUp(S, B, Shift, X, Y); };

  FPanel = new TPanel(this);
  FPanel->AfterConstruction();
  FPanel->SetParent(this);
  FPanel->SetHeight(PanelHeight);
  FPanel->SetAlign(alBottom);
  FPanel->BevelOuter = bvLowered;
  FPanel->SetCaption("");

  FCancelBtn = new TSpeedButton(this);
  FCancelBtn->AfterConstruction();
  FCancelBtn->SetParent(FPanel);
  FCancelBtn->SetWidth(PanelButtonWidth);
  FCancelBtn->SetAlign(alLeft);
  FCancelBtn->SetFlat(true);
  FCancelBtn->SetGlyph(MakeCrossGlyph().get());
  FCancelBtn->OnClick = [this](TObject* S) { CancelBtnClick(S); };

  FSizeGrip = new TImage(this);
  FSizeGrip->AfterConstruction();
  FSizeGrip->SetParent(FPanel);
  FSizeGrip->SetWidth(PanelButtonWidth);
  FSizeGrip->SetAlign(alRight);
  if (HBITMAP Grip = LoadBitmap(0, MAKEINTRESOURCE(OBM_SIZE))) {
    FSizeGrip->Picture()->Bitmap()->SetHandle(Grip);  // the bitmap takes the handle
  }
  FSizeGrip->Cursor = crSizeNWSE;
  FSizeGrip->OnMouseDown = [this](TObject* S, TMouseButton B, TShiftState Sh, int X, int Y) {
    SizeGripMouseDown(S, B, Sh, X, Y);
  };
  FSizeGrip->OnMouseMove = [this](TObject* S, TShiftState Sh, int X, int Y) { SizeGripMouseMove(S, Sh, X, Y); };
  FSizeGrip->OnMouseUp = [this](TObject* S, TMouseButton B, TShiftState Sh, int X, int Y) {
    SizeGripMouseUp(S, B, Sh, X, Y);
  };
}

// The panel, the button and the grip are the window's components and go with it.
ZEZPopupWindow::~ZEZPopupWindow() { RemoveHooks(); }

void ZEZPopupWindow::CreateParams(TCreateParams& Params) {
  TCustomForm::CreateParams(Params);
  Params.Style = WS_POPUP | WS_CLIPCHILDREN | WS_BORDER;
  Params.ExStyle = WS_EX_TOOLWINDOW;
  Params.WindowClass.style |= CS_SAVEBITS;
}

void ZEZPopupWindow::PopupKeyDown(TObject*, Word& Key, TShiftState Shift) {
  if (Shift.Contains(ssShift) || Shift.Contains(ssAlt) || Shift.Contains(ssCtrl)) {
    return;
  }
  if (Key == VK_RETURN) {
    PopupHide(mrOk);
  } else if (Key == VK_ESCAPE) {
    PopupHide(mrCancel);
  }
}

void ZEZPopupWindow::PopupMouseUp(TObject*, TMouseButton Button, TShiftState, int X, int Y) {
  if (Button == mbLeft) {
    const TRect C = ClientRect();
    CloseUp(X >= C.Left && X < C.Right && Y >= C.Top && Y < C.Bottom);
  }
}

void ZEZPopupWindow::CloseUp(bool Accept) {
  if (OnCloseUp) {
    OnCloseUp(this, Accept);
  }
}

bool ZEZPopupWindow::AppHook(TMessage& Message) {
  if (Message.Msg == CM_DEACTIVATE) {
    PopupHide(mrCancel);
    return true;
  }
  return false;
}

void ZEZPopupWindow::RemoveHooks() {
  if (FAppHookId >= 0) {
    Application->UnhookMainWindow(FAppHookId);
    FAppHookId = -1;
  }
  if (GPopup == this) {
    if (GMouseHook) {
      UnhookWindowsHookEx(GMouseHook);
    }
    GMouseHook = 0;
    GPopup = nullptr;
  }
}

void ZEZPopupWindow::PopupShow(TPoint P) {
  if (Visible()) {
    return;
  }
  GPopup = this;
  GMouseHook = SetWindowsHookEx(WH_MOUSE, &PopupMouseHook, nullptr, 0);
  FAppHookId = Application->HookMainWindow([this](TMessage& M) { return AppHook(M); });
  TRect Work;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &Work, 0);
  P.X = std::max(P.X, Work.Left);
  P.Y = std::max(P.Y, Work.Top);
  P.X = std::min(P.X, Work.Right - Width());
  P.Y = std::min(P.Y, Work.Bottom - Height());
  SetBounds(P.X, P.Y, Width(), Height());
  try {
    ShowModal();
  } catch (...) {
    RemoveHooks();
    throw;
  }
  RemoveHooks();
}

void ZEZPopupWindow::PopupHide(TModalResult Result) {
  if (!Visible()) {
    return;
  }
  if (auto* W = dynamic_cast<TWinControl*>(FControl); W && W->HandleAllocated()) {
    SendMessage(W->Handle(), WM_KILLFOCUS, 0, 0);
  }
  RemoveHooks();
  ModalResult = Result;
}

void ZEZPopupWindow::SizeGripMouseDown(TObject*, TMouseButton, TShiftState, int X, int Y) {
  FSizing = true;
  const TPoint P = FSizeGrip->ClientToScreen(Point(X, Y));
  FOffsetX = Width() - P.X;
  FOffsetY = Height() - P.Y;
}

void ZEZPopupWindow::SizeGripMouseMove(TObject*, TShiftState, int X, int Y) {
  if (!FSizing) {
    return;
  }
  const TPoint P = FSizeGrip->ClientToScreen(Point(X, Y));
  SetBounds(Left(), Top(), std::max(FOffsetX + P.X, MinWidth), std::max(FOffsetY + P.Y, MinHeight));
}

void ZEZPopupWindow::SizeGripMouseUp(TObject*, TMouseButton, TShiftState, int, int) { FSizing = false; }

// ---- SizeablePopup ---------------------------------------------------------------------------------------------

bool SizeablePopup(TControl* Control, TControl* Origin, Integer X, Integer Y, bool ShowPanel) {
  auto Popup = std::make_unique<ZEZPopupWindow>(nullptr);
  Popup->AfterConstruction();
  Popup->SetControl(Control);
  struct TSaved {
    TWinControl* Parent = nullptr;
    bool Visible = false;
    TAlign Align = alNone;
    TRect Bounds;
    TNotifyEvent OnDblClick;
  } Saved;
  auto Restore = [&] {
    if (Control) {
      Control->SetAlign(Saved.Align);
      Control->SetBounds(Saved.Bounds.Left, Saved.Bounds.Top, Saved.Bounds.Width(), Saved.Bounds.Height());
      Control->OnDblClick = Saved.OnDblClick;
      Control->SetParent(Saved.Parent);
      Control->SetVisible(Saved.Visible);
    }
    Popup->SetControl(nullptr);
    Popup.reset();
  };
  try {
    if (Control) {
      Saved.Parent = Control->Parent();
      Saved.Visible = Control->Visible();
      Saved.Align = Control->Align();
      Saved.Bounds =
          Rect(Control->Left(), Control->Top(), Control->Left() + Control->Width(), Control->Top() + Control->Height());
      Saved.OnDblClick = Control->OnDblClick;
      Popup->SetClientWidth(Control->Width());
      Popup->Panel()->SetVisible(ShowPanel);
      Popup->SetClientHeight(Control->Height() + (ShowPanel ? Popup->Panel()->Height() : 0));
      Control->SetVisible(false);
      Control->SetAlign(alClient);
      ZEZPopupWindow* Window = Popup.get();
      Control->OnDblClick = [Window](TObject* Sender) { Window->OKBtnClick(Sender); };
      Control->SetParent(Popup.get());
      Control->SetVisible(true);
    } else {
      Popup->Panel()->SetVisible(ShowPanel);
      Popup->SetBounds(Popup->Left(), Popup->Top(), MinWidth, MinHeight);
    }
    const TPoint P = Origin ? Origin->ClientToScreen(Point(X, Y)) : Point(X, Y);
    Popup->PopupShow(P);
  } catch (...) {
    Restore();
    throw;
  }
  const bool Accepted = Popup->ModalResult == mrOk;
  Restore();
  return Accepted;
}
