// The base tree control of the shell controls: custom draw and node context menus.
#include "shell/Upttreelist.h"

#include "platform/graphics/WinGdi.h"
#include "platform/win/VirtualKeys.h"

// ---- Custom-draw wrappers ---------------------------------------------------------------------------------------------

TPTCustomDraw::~TPTCustomDraw() = default;

void TPTCustomDraw::Reset(NMCUSTOMDRAW* Notification, LRESULT* Result) {
  FRecord = Notification;
  FResult = Result;
  ResultSet = false;
  SkipDefault = false;
  FFont.reset();
  FBrush.reset();
  FFontChanged = FBrushChanged = false;
  FCanvas.reset();
}

TPTCustomDrawStage TPTCustomDraw::GetDrawStage() const {
  switch (GetRawDrawStage()) {
    case CDDS_PREPAINT: return ptcdsPrePaint;
    case CDDS_POSTPAINT: return ptcdsPostPaint;
    case CDDS_ITEMPREPAINT: return ptcdsItemPrePaint;
    case CDDS_ITEMPOSTPAINT: return ptcdsItemPostPaint;
    default: return ptcdsUnknown;
  }
}

void TPTCustomDraw::CreateFont() {
  if (FFont) {
    return;
  }
  FFont = std::make_unique<TFont>();
  if (FControlFont) {
    FFont->Assign(FControlFont);
  }
  if (GetHandle()) {
    FFont->SetColor(static_cast<TColor>(GetTextColor(GetHandle())));
  }
  if (auto* Tv = reinterpret_cast<NMTVCUSTOMDRAW*>(FRecord); Tv && GetIsItem()) {
    FFont->SetColor(static_cast<TColor>(Tv->clrText));
  }
  FFont->OnChange = [this](TObject* S) { OnFontChange(S); };
}

void TPTCustomDraw::CreateBrush() {
  if (FBrush) {
    return;
  }
  FBrush = std::make_unique<TBrush>();
  FBrush->SetStyle(bsSolid);
  if (GetHandle()) {
    FBrush->SetColor(static_cast<TColor>(GetBkColor(GetHandle())));
  }
  if (auto* Tv = reinterpret_cast<NMTVCUSTOMDRAW*>(FRecord); Tv && GetIsItem()) {
    FBrush->SetColor(static_cast<TColor>(Tv->clrTextBk));
  }
  FBrush->OnChange = [this](TObject* S) { OnBrushChange(S); };
}

TCanvas* TPTCustomDraw::GetCanvas() {
  if (!FCanvas) {
    FCanvas = std::make_unique<TCanvas>();
    FCanvas->SetHandle(GetHandle());
  }
  return FCanvas.get();
}

TFont* TPTCustomDraw::GetFont() {
  CreateFont();
  return FFont.get();
}

void TPTCustomDraw::SetFont(TFont* Value) { GetFont()->Assign(Value); }

TBrush* TPTCustomDraw::GetBrush() {
  CreateBrush();
  return FBrush.get();
}

void TPTCustomDraw::SetBrush(TBrush* Value) { GetBrush()->Assign(Value); }

void TPTCustomDraw::SetResult(LRESULT Value) {
  if (FResult) {
    *FResult = Value;
  }
  ResultSet = true;
}

void TPTCustomDraw::ApplyItem(COLORREF& TextColour, COLORREF& BackColour) {
  if (FFontChanged && FFont) {
    if (GetHandle()) {
      SelectObject(GetHandle(), FFont->Handle());
    }
    TextColour = ColorToRGB(FFont->Color());
    *FResult |= CDRF_NEWFONT;
  }
  if (FBrushChanged && FBrush) {
    BackColour = ColorToRGB(FBrush->Color());
    *FResult |= CDRF_NEWFONT;
  }
}

void TPTTvCustomDraw::Apply() {
  if (!FResult) {
    return;
  }
  if (!ResultSet) {
    *FResult = 0;
  }
  switch (GetDrawStage()) {
    case ptcdsPrePaint:
      if (!ResultSet && NotifyItemDraw) {
        *FResult |= CDRF_NOTIFYITEMDRAW;
      }
      break;
    case ptcdsItemPrePaint:
      if (SkipDefault) {
        if (!ResultSet) {
          *FResult |= CDRF_SKIPDEFAULT;
        }
      } else {
        ApplyItem(GetMpTvCd()->clrText, GetMpTvCd()->clrTextBk);
      }
      break;
    default: break;
  }
}

void TPTLvCustomDraw::Apply() {
  if (!FResult) {
    return;
  }
  *FResult = 0;
  switch (GetDrawStage()) {
    case ptcdsPrePaint:
      if (NotifyItemDraw) {
        *FResult |= CDRF_NOTIFYITEMDRAW;
      }
      break;
    case ptcdsItemPrePaint:
      if (SkipDefault) {
        *FResult |= CDRF_SKIPDEFAULT;
      } else {
        ApplyItem(GetMpLvCd()->clrText, GetMpLvCd()->clrTextBk);
      }
      break;
    default: break;
  }
}

// ---- The tree ------------------------------------------------------------------------------------------------------------

TPTCustomTreeView::TPTCustomTreeView(TComponent* AOwner) : TCustomTreeView(AOwner) {}

TPTCustomTreeView::~TPTCustomTreeView() = default;

void TPTCustomTreeView::BeforeDestruction() {
  // Every node is told of its deletion once (children first) while the tree is still whole, so descendants free
  // what their nodes hold.
  if (HandleAllocated() && Items()->Count() > 0) {
    Items()->Clear();
  }
  FCustomDraw.reset();
  TCustomTreeView::BeforeDestruction();
}

void TPTCustomTreeView::CreateParams(TCreateParams& Params) {
  TCustomTreeView::CreateParams(Params);
}

void TPTCustomTreeView::InvalidateNode(TTreeNode* Node, bool TextOnly, bool Erase) {
  if (!Node || !HandleAllocated()) {
    return;
  }
  TRect R = Node->DisplayRect(TextOnly);
  InvalidateRect(Handle(), &R, Erase ? TRUE : FALSE);
}

TPTCustomDraw* TPTCustomTreeView::CreateCustomDraw(NMTVCUSTOMDRAW* Notification, LRESULT* Result) {
  auto* CD = new TPTTvCustomDraw(Font());
  CD->NotifyItemDraw = true;
  CD->Reset(&Notification->nmcd, Result);
  return CD;
}

void TPTCustomTreeView::PTCustomDraw(NMTVCUSTOMDRAW* Notification, LRESULT& Result) {
  Result = 0;
  const DWORD Stage = Notification->nmcd.dwDrawStage;
  TTreeNode* Node = (Stage & CDDS_ITEM) ? reinterpret_cast<TTreeNode*>(Notification->nmcd.lItemlParam) : nullptr;
  if (OnPTCustomDrawEx) {
    FCustomDraw.reset(CreateCustomDraw(Notification, &Result));
    OnPTCustomDrawEx(this, FCustomDraw.get(), Node);
  }
  if (OnPTCustomDraw && Stage == CDDS_ITEMPREPAINT) {
    if (!FCustomDraw) {
      FCustomDraw.reset(CreateCustomDraw(Notification, &Result));
    }
    OnPTCustomDraw(this, FCustomDraw.get(), Node);
  }
  if (FCustomDraw) {
    FCustomDraw->Apply();
  }
  if ((Stage & CDDS_PREPAINT) && (OnPTCustomDraw || OnPTCustomDrawEx)) {
    Result |= CDRF_NOTIFYITEMDRAW;
  }
}

void TPTCustomTreeView::NodeContextMenu(TTreeNode* Node, TPoint Pt, TPopupMenu*& Menu) {
  if (OnNodeContextMenu) {
    OnNodeContextMenu(this, Node, Pt, Menu);
  }
}

void TPTCustomTreeView::ShowMenu(TPopupMenu* Menu, TPoint Client) {
  if (!Menu) {
    return;
  }
  const TPoint Screen = ClientToScreen(Client);
  Menu->SetPopupComponent(this);
  Menu->Popup(Screen.X, Screen.Y);
}

void TPTCustomTreeView::DoNodeContextMenu(TTreeNode* Node, TPoint Pt) {
  TPopupMenu* Menu = PopupMenu();
  NodeContextMenu(Node, Pt, Menu);
  if (Menu != PopupMenu()) {
    FRightClickHandled = true;
  }
  ShowMenu(Menu, Pt);
}

void TPTCustomTreeView::DoPreNodeContextMenu() {
  if (TTreeNode* Node = Selected()) {
    const TRect R = Node->DisplayRect(true);
    DoNodeContextMenu(Node, Point((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2));
  } else if (PopupMenu()) {
    ShowMenu(PopupMenu(), Point(0, 0));
  }
}

void TPTCustomTreeView::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_APPS || (Key == VK_F10 && Shift.Contains(ssShift))) {
    Key = 0;
    FKeyMenuShown = true;
    DoPreNodeContextMenu();
  }
  TCustomTreeView::KeyDown(Key, Shift);
}

void TPTCustomTreeView::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_NOTIFY: {
      auto* Header = reinterpret_cast<NMHDR*>(Message.LParam);
      if (Header->code == NM_CUSTOMDRAW) {
        if (IsDesigning()) {
          Message.Result = 0;
          return;
        }
        if (OnCustomDraw || OnCustomDrawItem) {
          break;
        }
        FCustomDraw.reset();
        LRESULT R = 0;
        PTCustomDraw(reinterpret_cast<NMTVCUSTOMDRAW*>(Message.LParam), R);
        Message.Result = R;
        return;
      }
      if (Header->code == NM_RCLICK && !IsDesigning()) {
        TPoint P;
        GetCursorPos(&P);
        P = ScreenToClient(P);
        if (TTreeNode* Node = GetNodeAt(P.X, P.Y)) {
          TPopupMenu* Menu = PopupMenu();
          NodeContextMenu(Node, P, Menu);
          ShowMenu(Menu, P);
          FRightClickHandled = true;
        }
      }
      break;
    }
    case WM_RBUTTONUP: {
      TCustomTreeView::Dispatch(Message);
      FRightClickHandled = false;
      return;
    }
    case WM_CONTEXTMENU:
      // Ignored at design time, with a selected node (its menu came from the click or the key) and right after a
      // right click was handled.
      if (static_cast<LONG>(Message.LParam) == -1 && FKeyMenuShown) {
        // The key's own menu is already shown: the context-menu message the same key makes opens no second one.
        FKeyMenuShown = false;
        Message.Result = 1;
        return;
      }
      if (IsDesigning() || FRightClickHandled || Selected()) {
        Message.Result = 1;
        return;
      }
      if (static_cast<LONG>(Message.LParam) == -1) {
        DoPreNodeContextMenu();
      } else {
        TPoint P = Point(static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(Message.LParam))),
                         static_cast<SHORT>(HIWORD(static_cast<DWORD_PTR>(Message.LParam))));
        DoNodeContextMenu(Selected(), ScreenToClient(P));
      }
      Message.Result = 1;
      return;
    default: break;
  }
  TCustomTreeView::Dispatch(Message);
}

Z_IMPLEMENT_CLASS(TPTCustomDraw, TObject)
Z_IMPLEMENT_CLASS(TPTTvCustomDraw, TPTCustomDraw)
Z_IMPLEMENT_CLASS(TPTLvCustomDraw, TPTCustomDraw)
Z_IMPLEMENT_CLASS(TPTCustomTreeView, TCustomTreeView)
Z_IMPLEMENT_CLASS(TPTTreeView, TPTCustomTreeView)
