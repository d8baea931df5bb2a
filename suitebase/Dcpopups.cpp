// The free-standing popup list.
#include "suitebase/Dcpopups.h"

#include "platform/controls/Forms.h"
#include "platform/win/Sync.h"
#include "platform/win/VirtualKeys.h"
#include "platform/win/WinHooks.h"

#include <cmath>
#include <map>

namespace Dcedit {

Z_IMPLEMENT_CLASS(ZEZPopupListBox, TPopupListBox)

namespace {
std::map<HWND, ZEZPopupListBox*>& HookedParents() {
  static std::map<HWND, ZEZPopupListBox*> M;
  return M;
}

// The one shown list the mouse hook watches.
struct TWatchedList {
  HHOOK Hook = 0;
  ZEZPopupListBox* List = nullptr;
} Watched;
}  // namespace

ZEZPopupListBox::ZEZPopupListBox(TComponent* AOwner) : TPopupListBox(AOwner) { SetCustomDraw(true); }

ZEZPopupListBox::~ZEZPopupListBox() {
  UnhookWatchers();
  UnhookParent();
}

// A left press or release outside the shown list closes it without a choice; the message always goes on.
LRESULT ZEZPopupListBox::MouseHook(int Code, WPARAM WParam, LPARAM LParam) {
  const HHOOK Hook = Watched.Hook;
  ZEZPopupListBox* List = Watched.List;
  if (Code >= 0 && List && LParam && List->HandleAllocated() &&
      (WParam == WM_LBUTTONDOWN || WParam == WM_LBUTTONUP || WParam == WM_NCLBUTTONDOWN || WParam == WM_NCLBUTTONUP)) {
    const TPoint P = reinterpret_cast<const MOUSEHOOKSTRUCT*>(LParam)->pt;
    TRect R{};
    GetWindowRect(List->Handle(), &R);
    if (P.X < R.Left || P.X >= R.Right || P.Y < R.Top || P.Y >= R.Bottom) {
      // Closed after the hook returns: the callback may free the list.
      PostMessage(List->Handle(), CM_CLOSEPOPUP, 0, 0);
    }
  }
  return CallNextHookEx(Hook, Code, WParam, LParam);
}

void ZEZPopupListBox::UnhookWatchers() {
  if (FAppHook) {
    Application->UnhookMainWindow(FAppHook);
    FAppHook = 0;
  }
  if (Watched.List == this) {
    if (Watched.Hook) {
      UnhookWindowsHookEx(Watched.Hook);
    }
    Watched = TWatchedList();
  }
}

void ZEZPopupListBox::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_CLOSEPOPUP) {
    if (FShown) {
      Close(false);
    }
    return;
  }
  TPopupListBox::Dispatch(Message);
}

void ZEZPopupListBox::CreateWnd() {
  TPopupListBox::CreateWnd();
  ::SetParent(Handle(), 0);
  SetWindowLongPtr(Handle(), GWL_STYLE,
                   (GetWindowLongPtr(Handle(), GWL_STYLE) & ~static_cast<LONG_PTR>(WS_CHILD)) | WS_POPUP);
}

void ZEZPopupListBox::DestroyWnd() {
  UnhookWatchers();
  UnhookParent();
  TPopupListBox::DestroyWnd();
}

void ZEZPopupListBox::Popup(int X, int Y) {
  HandleNeeded();
  ResetColumnSize();
  int Total = 8;
  for (int I = 0; I < MeasuredColumnCount(); ++I) {
    Total += MeasuredWidth(I);
  }
  if (MaxSize > 0 && Total > MaxSize) {
    int Sum = 0;
    for (int I = 0; I < MeasuredColumnCount(); ++I) {
      const int W = static_cast<int>(std::lround(static_cast<double>(MeasuredWidth(I)) * MaxSize / Total));
      SetMeasuredWidth(I, W);
      Sum += W;
    }
    Total = Sum + (Sum != 0 ? 1 : 0);
  }
  AdjustHeight();
  SetClientWidth(std::max(ClientWidth(), Total));
  if (Y + Height() > GetSystemMetrics(SM_CYSCREEN)) {
    Y -= Height();
  }
  if (X + Width() > GetSystemMetrics(SM_CXSCREEN)) {
    X -= Width();
  }
  if (Items()->Count() > 0) {
    SetItemIndex(0);
  }
  SetWindowPos(Handle(), HWND_TOPMOST, X, Y, Width(), Height(), SWP_NOACTIVATE | SWP_SHOWWINDOW);
  SetVisible(true);
  FShown = true;
  // A click outside and the application losing activation close the list without a choice.
  if (Watched.List && Watched.List != this) {
    Watched.List->Close(false);
  }
  if (!Watched.Hook) {
    Watched.Hook = SetWindowsHookEx(WH_MOUSE, reinterpret_cast<HOOKPROC>(&ZEZPopupListBox::MouseHook), nullptr,
                                    GetCurrentThreadId());
  }
  Watched.List = this;
  if (!FAppHook) {
    FAppHook = Application->HookMainWindow([this](TMessage& M) {
      if (M.Msg == CM_DEACTIVATE || (M.Msg == WM_ACTIVATEAPP && M.WParam == 0)) {
        PostMessage(Handle(), CM_CLOSEPOPUP, 0, 0);
      }
      return false;
    });
  }
  // The parent's keys come here while the list is shown.
  if (Parent() && Parent()->HandleAllocated() && !FHookedParent) {
    FHookedParent = Parent()->Handle();
    HookedParents()[FHookedParent] = this;
    FOldParentProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtr(FHookedParent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ZEZPopupListBox::ParentWndProc)));
  }
}

LRESULT ZEZPopupListBox::ParentWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  const auto It = HookedParents().find(Wnd);
  if (It == HookedParents().end()) {
    return DefWindowProc(Wnd, Msg, WParam, LParam);
  }
  ZEZPopupListBox* List = It->second;
  if (Msg >= WM_KEYFIRST && Msg <= WM_KEYLAST) {
    if (Msg == WM_KEYDOWN) {
      Word Key = static_cast<Word>(WParam);
      TShiftState Shift;
      List->KeyDown(Key, Shift);
    }
    return 0;
  }
  return CallWindowProc(List->FOldParentProc, Wnd, Msg, WParam, LParam);
}

void ZEZPopupListBox::UnhookParent() {
  if (!FHookedParent) {
    return;
  }
  if (IsWindow(FHookedParent)) {
    SetWindowLongPtr(FHookedParent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FOldParentProc));
  }
  HookedParents().erase(FHookedParent);
  FHookedParent = 0;
  FOldParentProc = nullptr;
}

void ZEZPopupListBox::Close(bool Accept) {
  UnhookParent();
  UnhookWatchers();
  const int Index = Accept ? ItemIndex() : -1;
  if (HandleAllocated()) {
    ShowWindow(Handle(), SW_HIDE);
  }
  SetVisible(false);
  FShown = false;
  if (CallBack) {
    CallBack(this, Index);
  }
}

ZEZPopupListBox* PopupListbox(TWinControl* Control, TStrings* Items, int X, int Y,
                              std::initializer_list<Dccontrols::TLeftRightAlign> Alignments, TFont* Font,
                              const TPopupListBoxCallback& CallBack, int MaxSize) {
  auto* List = new ZEZPopupListBox(nullptr);
  List->MaxSize = MaxSize;
  for (Dccontrols::TLeftRightAlign A : Alignments) {
    static_cast<ZEZListBoxColumn*>(List->Columns()->Add())->Alignment = A;
  }
  List->SetParent(Control);
  if (Font) {
    List->Font()->Assign(Font);
  } else {
    List->Font()->SetName("MS Sans Serif");
    List->Font()->SetSize(8);
  }
  List->CallBack = CallBack;
  List->Items()->Assign(Items);
  const TPoint P = Control->ClientToScreen(TPoint{X, Y});
  List->Popup(P.X, P.Y);
  return List;
}

}  // namespace Dcedit
