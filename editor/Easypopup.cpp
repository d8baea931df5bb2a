// The popup window and the hook on the form whose control it hosts.
#include "editor/Easypopup.h"

#include "platform/win/Messages.h"
#include "platform/win/WinUser.h"

#include <algorithm>
#include <map>

Z_IMPLEMENT_CLASS(TEasyPopup, TCustomForm)

namespace {

TEasyPopup* ThePopup = nullptr;

// One hooked form: its previous window procedure and the popups hosted for it.
struct TPopupHook {
  WNDPROC OldProc = nullptr;
  std::vector<TEasyPopup*> Popups;
  // While the popups are being hidden, the activation that moves to the form must not show them again.
  bool Hiding = false;
};
std::map<HWND, TPopupHook>& PopupHooks() {
  static std::map<HWND, TPopupHook> Hooks;
  return Hooks;
}

bool IsPopupOf(const TPopupHook& Hook, HWND Wnd) {
  return std::any_of(Hook.Popups.begin(), Hook.Popups.end(),
                     [Wnd](TEasyPopup* P) { return P->HandleAllocated() && P->Handle() == Wnd; });
}

void ShowPopups(TPopupHook& Hook, bool Show) {
  if (Show && Hook.Hiding) {
    return;
  }
  const bool OldHiding = Hook.Hiding;
  Hook.Hiding = !Show;
  for (TEasyPopup* P : std::vector<TEasyPopup*>(Hook.Popups)) {
    if (!P->HandleAllocated()) {
      continue;
    }
    const bool Now = IsWindowVisible(P->Handle()) != FALSE;
    if (Show && P->MeantVisible && !Now) {
      ShowWindow(P->Handle(), SW_SHOWNOACTIVATE);
    } else if (!Show && Now) {
      P->OwnerHiding = true;
      ShowWindow(P->Handle(), SW_HIDE);
      P->OwnerHiding = false;
    }
  }
  Hook.Hiding = OldHiding;
}

LRESULT HookedFormProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto It = PopupHooks().find(Wnd);
  if (It == PopupHooks().end()) {
    return DefWindowProc(Wnd, Msg, WParam, LParam);
  }
  TPopupHook& Hook = It->second;
  const WNDPROC Old = Hook.OldProc;
  switch (Msg) {
    case WM_ACTIVATE:
      if (LOWORD(WParam) != WA_INACTIVE) {
        ShowPopups(Hook, true);
      } else if (!IsPopupOf(Hook, static_cast<HWND>(LParam))) {
        ShowPopups(Hook, false);
        PostMessage(Wnd, WM_NCACTIVATE, FALSE, 0);
      }
      break;
    case WM_NCACTIVATE:
      if (WParam == FALSE) {
        for (TEasyPopup* P : Hook.Popups) {
          if (P->HandleAllocated() && IsWindowVisible(P->Handle())) {
            return TRUE;
          }
        }
      }
      break;
    case WM_SHOWWINDOW: ShowPopups(Hook, WParam != FALSE && !IsIconic(Wnd)); break;
    case WM_SIZE: ShowPopups(Hook, WParam != SIZE_MINIMIZED && IsWindowVisible(Wnd)); break;
    default: break;
  }
  return CallWindowProc(Old, Wnd, Msg, WParam, LParam);
}

void Hook(TEasyPopup* Popup, TCustomForm* Form) {
  HWND Wnd = Form->Handle();
  auto& Hooks = PopupHooks();
  auto It = Hooks.find(Wnd);
  if (It == Hooks.end()) {
    TPopupHook H;
    H.OldProc =
        reinterpret_cast<WNDPROC>(SetWindowLongPtr(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HookedFormProc)));
    It = Hooks.emplace(Wnd, H).first;
  }
  It->second.Popups.push_back(Popup);
}

void Unhook(TEasyPopup* Popup) {
  auto& Hooks = PopupHooks();
  for (auto It = Hooks.begin(); It != Hooks.end(); ++It) {
    auto& List = It->second.Popups;
    auto P = std::find(List.begin(), List.end(), Popup);
    if (P == List.end()) {
      continue;
    }
    List.erase(P);
    if (List.empty()) {
      if (IsWindow(It->first)) {
        SetWindowLongPtr(It->first, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(It->second.OldProc));
      }
      Hooks.erase(It);
    }
    return;
  }
}

}  // namespace

TEasyPopup* OpenPopup() { return ThePopup; }

TEasyPopup::TEasyPopup(TComponent* AOwner) : TCustomForm(AOwner) {
  KeyPreview = true;
  FormStyle = fsStayOnTop;
  BorderStyle = bsToolWindow;
  BorderIcons = TBorderIcons{};
  SetVisible(false);
}

void TEasyPopup::CreateParams(TCreateParams& Params) {
  TCustomForm::CreateParams(Params);
  Params.Style = WS_POPUP | (FSizable ? WS_THICKFRAME : WS_BORDER);
  Params.ExStyle = (Params.ExStyle | WS_EX_TOOLWINDOW | WS_EX_TOPMOST) & ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
}

void TEasyPopup::HostControl(TControl* Control) {
  FControl = Control;
  Control->FreeNotification(this);
  if (TCustomForm* Form = GetParentForm(Control); Form && Form != this) {
    FHookedForm = Form;
    Hook(this, Form);
  }
}

void TEasyPopup::RestoreControl() {
  if (!FControl) {
    return;
  }
  TControl* C = FControl;
  FControl = nullptr;
  C->RemoveFreeNotification(this);
  C->SetVisible(FOldVisible);
  C->SetParent(FOldParent);
  C->SetAlign(FOldAlign);
  C->SetBounds(FOldBounds.Left, FOldBounds.Top, FOldBounds.Width(), FOldBounds.Height());
  C->OnDblClick = FOldDblClick;
}

void TEasyPopup::BeforeDestruction() {
  RestoreControl();
  Unhook(this);
  FHookedForm = nullptr;
  if (ThePopup == this) {
    ThePopup = nullptr;
  }
  TCustomForm::BeforeDestruction();
}

void TEasyPopup::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomForm::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FControl) {
    FControl = nullptr;
  }
}

void TEasyPopup::ClosePopup(bool Accept, bool FreeNow) {
  if (FClosing || ThePopup != this) {
    return;
  }
  FClosing = true;
  if (GetCapture() != 0) {
    ReleaseCapture();
  }
  if (!FreeNow) {
    Release();
  }
  if (Accept && CloseNotify) {
    CloseNotify(FControl);
  }
  ModalResult = Accept ? mrOk : mrCancel;
  ThePopup = nullptr;
  MeantVisible = false;
  if (FOldParent && FOldParent->CanFocus()) {
    try {
      FOldParent->SetFocus();
    } catch (const std::exception&) {
      // The focus is only a courtesy here.
    }
  }
  if (FreeNow) {
    delete this;
  } else if (HandleAllocated()) {
    ShowWindow(Handle(), SW_HIDE);
  }
}

void TEasyPopup::KeyDown(Word& Key, TShiftState Shift) {
  if (Shift.Empty() && (Key == VK_RETURN || Key == VK_ESCAPE)) {
    const bool Accept = Key == VK_RETURN;
    Key = 0;
    ClosePopup(Accept, false);
    return;
  }
  TCustomForm::KeyDown(Key, Shift);
}

void TEasyPopup::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_ACTIVATE:
      if (LOWORD(Message.WParam) == WA_INACTIVE && !OwnerHiding) {
        HWND Other = static_cast<HWND>(Message.LParam);
        if (FHookedForm && FHookedForm->HandleAllocated() && FHookedForm->Visible() && FHookedForm->Handle() != Other) {
          SendMessage(FHookedForm->Handle(), WM_ACTIVATE, WA_INACTIVE, Message.LParam);
        }
        TCustomForm::Dispatch(Message);
        ClosePopup(false, false);
        return;
      }
      break;
    case CM_DIALOGKEY:
      if (Message.WParam == VK_ESCAPE) {
        ClosePopup(false, false);
        Message.Result = 1;
        return;
      }
      break;
    case WM_SHOWWINDOW:
      if (Message.WParam == FALSE && FSizable && !OwnerHiding) {
        TCustomForm::Dispatch(Message);
        ClosePopup(false, false);
        return;
      }
      break;
    case WM_SYSCOMMAND:
      if ((Message.WParam & 0xFFF0) == SC_KEYMENU) {
        Message.Result = 0;
        return;
      }
      break;
    case WM_NCACTIVATE: Message.Result = 1; return;
    default: break;
  }
  TCustomForm::Dispatch(Message);
}

void PopupControl(TControl* Control, TWinControl* Parent, int X, int Y, bool Sizable, const TNotifyEvent& CloseNotify) {
  if (ThePopup || !Control) {
    return;
  }
  auto* P = new TEasyPopup(Application);
  P->AfterConstruction();
  ThePopup = P;
  P->CloseNotify = CloseNotify;
  P->FSizable = Sizable;
  P->BorderStyle = Sizable ? bsSizeToolWin : bsToolWindow;
  P->FOldParent = Control->Parent();
  P->FOldVisible = Control->Visible();
  P->FOldAlign = Control->Align();
  P->FOldBounds =
      Rect(Control->Left(), Control->Top(), Control->Left() + Control->Width(), Control->Top() + Control->Height());
  P->FOldDblClick = Control->OnDblClick;
  P->SetClientWidth(Control->Width());
  P->SetClientHeight(Control->Height());
  P->HostControl(Control);
  Control->SetParent(P);
  Control->SetAlign(alClient);
  Control->SetVisible(true);
  Control->OnDblClick = [P](TObject*) { P->ClosePopup(true, false); };
  const TPoint S = Parent ? Parent->ClientToScreen(TPoint{X, Y}) : TPoint{X, Y};
  P->SetBounds(S.X, S.Y, P->Width(), P->Height());
  P->ModalResult = mrNone;
  P->MeantVisible = true;
  P->Show();
  if (auto* W = dynamic_cast<TWinControl*>(Control); W && W->CanFocus()) {
    W->SetFocus();
  }
}

void ClosePopupWindow(bool Accept) {
  if (ThePopup) {
    ThePopup->ClosePopup(Accept, true);
  }
}
