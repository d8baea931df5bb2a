// The tree view's tooltip: a platform tooltip window whose messages pass through the component first, placed
// over a cut node's text, click-through to the tree.
#include "treeview/Dcntreetooltip.h"

#include "treeview/Dcntree.h"

#include "platform/controls/Forms.h"
#include "platform/controls/ToolTipControl.h"
#include "platform/rtl/Exceptions.h"

#include <map>

Z_IMPLEMENT_CLASS(ZEZToolTip, TComponent)
Z_IMPLEMENT_CLASS(ZEZTreeToolTip, ZEZToolTip)

namespace {
// The tooltip windows whose procedure leads to a component.
std::map<HWND, ZEZToolTip*>& Hooks() {
  static std::map<HWND, ZEZToolTip*> M;
  return M;
}

TOOLINFO MakeInfo(UINT_PTR Id, HWND Wnd, bool Subclass, const std::string& Text, const TRect& Rect) {
  TOOLINFO Info;
  Info.uFlags = Subclass ? TTF_SUBCLASS : 0;
  Info.hwnd = Wnd;
  Info.uId = Id;
  Info.rect = Rect;
  Info.lpszText = const_cast<LPSTR>(Text.c_str());
  return Info;
}
}  // namespace

ZEZToolTip::ZEZToolTip(TComponent* AOwner) : TComponent(AOwner) {}

ZEZToolTip::~ZEZToolTip() { DestroyToolTipWindow(); }

void ZEZToolTip::CreateToolTipWindow() {
  if (FHandle) {
    return;
  }
  InitToolTipControl();
  const HWND Owner = Parent && Parent->HandleAllocated() ? Parent->Handle() : 0;
  FHandle = CreateWindowEx(0, TOOLTIPS_CLASS, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, Owner, 0, nullptr, nullptr);
  if (!FHandle) {
    throw Exception("Error creating window");
  }
  Hooks()[FHandle] = this;
  FPrevProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtr(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ZEZToolTip::HookProc)));
}

void ZEZToolTip::DestroyToolTipWindow() {
  if (FHandle) {
    const HWND H = FHandle;
    RestoreHook();
    if (IsWindow(H)) {
      DestroyWindow(H);
    }
  }
}

void ZEZToolTip::RestoreHook() {
  if (FHandle) {
    if (FPrevProc && IsWindow(FHandle)) {
      SetWindowLongPtr(FHandle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FPrevProc));
    }
    Hooks().erase(FHandle);
  }
  FPrevProc = nullptr;
  FHandle = 0;
}

LRESULT ZEZToolTip::HookProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto It = Hooks().find(Wnd);
  if (It == Hooks().end()) {
    return DefWindowProc(Wnd, Msg, WParam, LParam);
  }
  ZEZToolTip* T = It->second;
  TMessage M{Msg, WParam, LParam, 0};
  T->WndProc(M);
  if (Msg == WM_DESTROY && T->FHandle == Wnd) {
    T->RestoreHook();
  }
  return M.Result;
}

void ZEZToolTip::DefaultProc(TMessage& Message) {
  Message.Result = FPrevProc ? CallWindowProc(FPrevProc, FHandle, Message.Msg, Message.WParam, Message.LParam)
                             : DefWindowProc(FHandle, Message.Msg, Message.WParam, Message.LParam);
}

void ZEZToolTip::WndProc(TMessage& Message) {
  if (Message.Msg == WM_WINDOWPOSCHANGING && Message.LParam) {
    const auto* Pos = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
    if ((Pos->flags & SWP_SHOWWINDOW) && !FShowing) {
      DoShowToolTip();
    } else if ((Pos->flags & SWP_HIDEWINDOW) && FShowing) {
      DoHideToolTip();
    }
  }
  DefaultProc(Message);
}

void ZEZToolTip::DoShowToolTip() {
  FShowing = true;
  if (OnShow) OnShow(this);
}

void ZEZToolTip::DoHideToolTip() {
  FShowing = false;
  if (OnHide) OnHide(this);
}

void ZEZToolTip::Activate() {
  if (FHandle) SendMessage(FHandle, TTM_ACTIVATE, TRUE, 0);
}
void ZEZToolTip::Deactivate() {
  if (FHandle) SendMessage(FHandle, TTM_ACTIVATE, FALSE, 0);
}

void ZEZToolTip::AddToolTip(UINT_PTR Id, HWND Wnd, bool Subclass, const std::string& Text, const TRect& Rect) {
  FText = Text;
  TOOLINFO Info = MakeInfo(Id, Wnd, Subclass, FText, Rect);
  SendMessage(FHandle, TTM_ADDTOOL, 0, reinterpret_cast<LPARAM>(&Info));
}

void ZEZToolTip::UpdateToolTipInfo(UINT_PTR Id, HWND Wnd, bool Subclass, const std::string& Text,
                                   const TRect& Rect) {
  FText = Text;
  TOOLINFO Info = MakeInfo(Id, Wnd, Subclass, FText, Rect);
  SendMessage(FHandle, TTM_SETTOOLINFO, 0, reinterpret_cast<LPARAM>(&Info));
}

void ZEZToolTip::DeleteToolTip(UINT_PTR Id, HWND Wnd) {
  TOOLINFO Info = MakeInfo(Id, Wnd, false, std::string(), TRect{0, 0, 0, 0});
  SendMessage(FHandle, TTM_DELTOOL, 0, reinterpret_cast<LPARAM>(&Info));
}

void ZEZToolTip::SetWidth(Integer W) {
  if (FHandle) SendMessage(FHandle, TTM_SETMAXTIPWIDTH, 0, W);
}

void ZEZToolTip::SetTime(WPARAM Which, Integer Ms) {
  if (FHandle) SendMessage(FHandle, TTM_SETDELAYTIME, Which, MAKELONG(static_cast<WORD>(Ms), 0));
}

// ---- the tree's tip --------------------------------------------------------------------------------------------

ZEZTreeToolTip::ZEZTreeToolTip(ZEZCustomTreeView* ATree) : ZEZToolTip(nullptr), FTree(ATree) { Deactivate(); }

void ZEZTreeToolTip::SetNode(ZEZTreeNode* Node) {
  ZEZCustomTreeView* V = Tree();
  if (Node == FNode || !HandleAllocated() || !V || !V->HandleAllocated()) {
    return;
  }
  Deactivate();
  FNode = Node;
  if (!Node || Node == V->EditingNode()) {
    return;
  }
  TRect Text = Node->DisplayRect(true);
  Text.Right = Text.Left + Node->GetTextWidth();
  const TRect D = V->GetDrawRect();
  if (Text.Left >= D.Left && Text.Right <= D.Right && Text.Top >= D.Top && Text.Bottom <= D.Bottom) {
    FNode = nullptr;
    return;
  }
  TRect Tip = Rect(Text.Left + 2, Text.Top + 2, Text.Right - 2, Text.Bottom - 2);
  Integer H = V->GetEditorHeight(Node, Node->GetText(), 0);
  H += H & 1;
  Tip.Bottom = Tip.Top + H;
  CenterRectVert(Tip, Text);
  const Integer BX = GetSystemMetrics(SM_CXBORDER) + 2;
  const Integer BY = GetSystemMetrics(SM_CYBORDER);
  Tip = Rect(Tip.Left - BX, Tip.Top - BY, Tip.Right + BX, Tip.Bottom + BY);
  Text.Right = std::min(Text.Right, D.Right);
  Text.Bottom = std::min(Text.Bottom, D.Bottom);
  std::string TipText = Node->GetText();
  if (V->OnGetToolTipInfo) V->OnGetToolTipInfo(V, Node, TipText, Tip);
  SetWidth(2 * GetSystemMetrics(SM_CXBORDER) + Tip.Width());
  if (!FToolAdded) {
    AddToolTip(1, V->Handle(), true, TipText, Text);
    FToolAdded = true;
  } else {
    UpdateToolTipInfo(1, V->Handle(), true, TipText, Text);
  }
  TPoint Origin{0, 0};
  ClientToScreen(V->Handle(), &Origin);
  FTipRect = Rect(Tip.Left + Origin.X, Tip.Top + Origin.Y, Tip.Right + Origin.X, Tip.Bottom + Origin.Y);
  FTextRect = Rect(Text.Left + Origin.X, Text.Top + Origin.Y, Text.Right + Origin.X, Text.Bottom + Origin.Y);
  SendMessage(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Node->GetInternalFont()->Handle()), 0);
  Activate();
}

void ZEZTreeToolTip::DoHideToolTip() {
  ZEZToolTip::DoHideToolTip();
  ZEZCustomTreeView* V = Tree();
  if (FToolAdded && V && V->HandleAllocated()) {
    DeleteToolTip(1, V->Handle());
  }
  FToolAdded = false;
  FNode = nullptr;
}

void ZEZTreeToolTip::WndProc(TMessage& Message) {
  ZEZCustomTreeView* V = Tree();
  switch (Message.Msg) {
    case WM_MOUSEACTIVATE: Message.Result = MA_NOACTIVATE; return;
    case WM_WINDOWPOSCHANGING:
      if (Message.LParam) {
        auto* Pos = reinterpret_cast<WINDOWPOS*>(Message.LParam);
        Pos->x = FTipRect.Left;
        Pos->y = FTipRect.Top;
        Pos->flags &= ~SWP_NOMOVE;
      }
      break;
    case WM_MOUSEMOVE: {
      TPoint P;
      ::GetCursorPos(&P);
      if (P.X >= FTextRect.Left && P.X < FTextRect.Right && P.Y >= FTextRect.Top && P.Y < FTextRect.Bottom) {
        return;
      }
      break;
    }
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK: {
      if (!FNode || !V || !V->HandleAllocated()) {
        return;
      }
      TPoint P = Point(static_cast<SHORT>(LOWORD(Message.LParam)), static_cast<SHORT>(HIWORD(Message.LParam)));
      ::ClientToScreen(Handle(), &P);
      ::ScreenToClient(V->Handle(), &P);
      Message.LParam = MAKELONG(static_cast<WORD>(P.X), static_cast<WORD>(P.Y));
      try {
        V->Perform(Message.Msg, Message.WParam, Message.LParam);
      } catch (const std::exception& E) {
        Application->HandleException(this, &E);
      } catch (...) {
        Application->HandleException(this, nullptr);
      }
      return;
    }
    case TTM_WINDOWFROMPOINT: {
      const auto* P = reinterpret_cast<const TPoint*>(Message.LParam);
      if (FNode && P && V) {
        TPoint Origin{0, 0};
        ClientToScreen(V->Handle(), &Origin);
        const Integer L = std::max(FTextRect.Left, Origin.X);
        const Integer T = std::max(FTextRect.Top, Origin.Y);
        if (P->X >= L && P->X < FTextRect.Right && P->Y >= T && P->Y < FTextRect.Bottom &&
            WindowFromPoint(*P) == Handle()) {
          Message.Result = static_cast<LRESULT>(V->Handle());
          return;
        }
      }
      break;
    }
    default: break;
  }
  ZEZToolTip::WndProc(Message);
}
