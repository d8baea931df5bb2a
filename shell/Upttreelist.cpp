// The base tree control of the shell controls: custom draw and node context menus.
#include "shell/Upttreelist.h"

#include "platform/graphics/WinGdi.h"
#include "shell/Uptshellutils.h"
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

// ---- The list ---------------------------------------------------------------------------------------------------------

namespace {
// Common controls of version 6 draw the sort marks themselves.
bool HeaderDrawsSortMarks() { return PTComCtlVersion().MS > 0x5FFFF; }
}  // namespace

TPTCustomListView::TPTCustomListView(TComponent* AOwner)
    : TCustomListView(AOwner), FHeaderCanvas(std::make_unique<TCanvas>()) {}

TPTCustomListView::~TPTCustomListView() = default;

HWND TPTCustomListView::GetHeaderHandle() { return HandleAllocated() ? HeaderHandle() : 0; }

void TPTCustomListView::SetViewStyle(TViewStyle Value) {
  TCustomListView::SetViewStyle(Value);
  if (Value == vsReport) {
    SetHeaderODStyle();
  }
}

void TPTCustomListView::CreateWnd() {
  TCustomListView::CreateWnd();
  SetHeaderODStyle();
}

void TPTCustomListView::SetHeaderODStyle() {
  const HWND Header = GetHeaderHandle();
  if (FStyling > 0 || !Header || ViewStyle() != vsReport) {
    return;
  }
  ++FStyling;
  const int Count = static_cast<int>(SendMessage(Header, HDM_GETITEMCOUNT, 0, 0));
  for (int I = Count - 1; I >= 0; --I) {
    HDITEM Item;
    Item.mask = HDI_FORMAT;
    SendMessage(Header, HDM_GETITEM, static_cast<WPARAM>(I), reinterpret_cast<LPARAM>(&Item));
    int Fmt = Item.fmt & HDF_JUSTIFYMASK;
    if (FDisplayMode == ptlvNone || (FDisplayMode == ptlvRightOfText && HeaderDrawsSortMarks())) {
      Fmt |= HDF_STRING;
      if (I == FSortColumn && FDisplayMode != ptlvNone) {
        Fmt |= FSortDirection == ptsdAsc ? HDF_SORTUP : HDF_SORTDOWN;
      }
    } else {
      Fmt |= HDF_OWNERDRAW;
    }
    Item.fmt = Fmt;
    SendMessage(Header, HDM_SETITEM, static_cast<WPARAM>(I), reinterpret_cast<LPARAM>(&Item));
  }
  InvalidateRect(Header, nullptr, TRUE);
  --FStyling;
}

void TPTCustomListView::InvalidateHeaderItem(int Column) {
  const HWND Header = GetHeaderHandle();
  if (!Header || Column < 0) {
    return;
  }
  TRect R{};
  if (SendMessage(Header, HDM_GETITEMRECT, static_cast<WPARAM>(Column), reinterpret_cast<LPARAM>(&R))) {
    InvalidateRect(Header, &R, TRUE);
  }
}

void TPTCustomListView::SetHeaderSortColumn(int Column) {
  if (Column == FSortColumn) {
    return;
  }
  InvalidateHeaderItem(FSortColumn);
  InvalidateHeaderItem(Column);
  FSortColumn = Column;
  if (HeaderDrawsSortMarks()) {
    SetHeaderODStyle();
  }
}

void TPTCustomListView::SetHeaderSortDirection(TPTLvSortDirection Direction) {
  if (Direction == FSortDirection) {
    return;
  }
  InvalidateHeaderItem(FSortColumn);
  FSortDirection = Direction;
  if (HeaderDrawsSortMarks() && FSortColumn >= 0) {
    SetHeaderODStyle();
  }
  Invalidate();
}

void TPTCustomListView::SetHeaderSortDisplayMode(TPTLvHeaderSortDisplayMode Mode) {
  if (Mode == FDisplayMode) {
    return;
  }
  FDisplayMode = PTComCtlVersion().MS > 0x40045 ? Mode : ptlvNone;
  SetHeaderODStyle();
}

void TPTCustomListView::DrawHeader(int Index, TRect R) {
  TCanvas* C = FHeaderCanvas.get();
  C->Font()->Assign(Font());
  C->Brush()->SetColor(clBtnFace);
  R = Rect(R.Left + 2, R.Top + 2, R.Right - 2, R.Bottom - 2);
  if (HeaderDefaultDrawing) {
    DefaultDrawHeader(Index, R);
  }
}

void TPTCustomListView::DefaultDrawHeader(int Index, TRect R) {
  TCanvas* C = FHeaderCanvas.get();
  if (Index < 0 || Index >= Columns()->Count()) {
    return;
  }
  TListColumn* Col = Columns()->Items(Index);
  TRect Text = Rect(R.Left + 4, R.Top, R.Right - 4, R.Bottom);
  const int S = (Text.Top + Text.Bottom) / 2 - 1;
  TRect Box;
  Box.Left = Text.Left;
  Box.Right = Box.Left + S + 1;
  Box.Top = (Text.Top + Text.Bottom - S) / 2 - 1;
  Box.Bottom = Box.Top + S;
  const bool Sorted = Index == FSortColumn;
  const bool RightJustified = Col->Alignment() == taRightJustify;
  UINT Align = RightJustified ? DT_RIGHT : Col->Alignment() == taCenter ? DT_CENTER : DT_LEFT;
  const UINT Flags = Align | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
  auto MoveBoxRight = [&] {
    const int W = Box.Right - Box.Left;
    Box.Right = Text.Right - 5;
    Box.Left = Box.Right - W;
  };
  switch (FDisplayMode) {
    case ptlvLeftAlign:
      if (Sorted && Col->Width() > 15) {
        DrawHeaderGlyphs(Index, Box);
        Text.Left = Box.Right + 5;
      }
      break;
    case ptlvRightOfText:
      if (!RightJustified) {
        TRect Measure = Text;
        DrawText(C->Handle(), Col->Caption().c_str(), -1, &Measure, Flags | DT_CALCRECT);
        DrawText(C->Handle(), Col->Caption().c_str(), -1, &Text, Flags);
        const int W = Box.Right - Box.Left;
        Box.Left = std::min(Measure.Right, Text.Right) + 5;
        Box.Right = Box.Left + W;
        DrawHeaderGlyphs(Index, Box);
        return;
      }
      if (Sorted) {
        MoveBoxRight();
        Text.Right = Box.Left - 4;
        DrawHeaderGlyphs(Index, Box);
      }
      break;
    case ptlvRightAlign:
      MoveBoxRight();
      if (Sorted) {
        Text.Right = Box.Left - 4;
        DrawHeaderGlyphs(Index, Box);
      }
      break;
    default: break;
  }
  DrawText(C->Handle(), Col->Caption().c_str(), -1, &Text, Flags);
}

void TPTCustomListView::DrawHeaderGlyphs(int Index, TRect Box) {
  if (Index != FSortColumn || Index < 0 || Index >= Columns()->Count() ||
      2 * (Box.Right - Box.Left) >= Columns()->Items(Index)->Width()) {
    return;
  }
  if (FSortDirection == ptsdDesc) {
    DrawUpArrow(FHeaderCanvas.get(), Box, clBtnFace, clBtnHighlight, clBtnShadow);
  } else {
    DrawDownArrow(FHeaderCanvas.get(), Box, clBtnFace, clBtnHighlight, clBtnShadow);
  }
}

TPTCustomDraw* TPTCustomListView::CreateCustomDraw(NMLVCUSTOMDRAW* Notification, LRESULT* Result) {
  auto* CD = new TPTLvCustomDraw(Font());
  CD->Reset(&Notification->nmcd, Result);
  return CD;
}

void TPTCustomListView::PTCustomDraw(NMLVCUSTOMDRAW* Notification, LRESULT& Result) {
  Result = 0;
  const DWORD Stage = Notification->nmcd.dwDrawStage;
  TListItem* Item = (Stage & CDDS_ITEM) ? reinterpret_cast<TListItem*>(Notification->nmcd.lItemlParam) : nullptr;
  if (OnPTCustomDrawEx) {
    FCustomDraw.reset(CreateCustomDraw(Notification, &Result));
    OnPTCustomDrawEx(this, FCustomDraw.get(), Item);
  }
  if (OnPTCustomDraw && Stage == CDDS_ITEMPREPAINT) {
    if (!FCustomDraw) {
      FCustomDraw.reset(CreateCustomDraw(Notification, &Result));
    }
    OnPTCustomDraw(this, FCustomDraw.get(), Item);
  }
  if (FCustomDraw) {
    FCustomDraw->Apply();
  }
  if (Stage & CDDS_PREPAINT) {
    Result |= CDRF_NOTIFYITEMDRAW;
  }
}

void TPTCustomListView::ItemContextMenu(TListItem* Item, TPoint Pt, TPopupMenu*& Menu) {
  if (OnItemContextMenu) {
    OnItemContextMenu(this, Item, Pt, Menu);
  }
}

void TPTCustomListView::DoItemContextMenu(TPoint Pt) {
  TPopupMenu* Menu = PopupMenu();
  ItemContextMenu(ItemFocused(), Pt, Menu);
  FRightClickHandled = true;
  if (Menu) {
    const TPoint Screen = ClientToScreen(Pt);
    Menu->SetPopupComponent(this);
    Menu->Popup(Screen.X, Screen.Y);
  }
}

void TPTCustomListView::DoPreItemContextMenu(TPoint Pt) {
  TListItem* Item = ItemFocused();
  if (!Item) {
    Item = Selected();
  }
  if (!Item) {
    if (PopupMenu()) {
      const TPoint Screen = ClientToScreen(Pt);
      PopupMenu()->SetPopupComponent(this);
      PopupMenu()->Popup(Screen.X, Screen.Y);
    }
    return;
  }
  const TRect R = Item->DisplayRect(drIcon);
  DoItemContextMenu(Point((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2));
}

void TPTCustomListView::KeyDown(Word& Key, TShiftState Shift) {
  if (Key == VK_APPS || (Key == VK_F10 && Shift.Contains(ssShift))) {
    Key = 0;
    FKeyMenuShown = true;
    DoPreItemContextMenu(Point(0, 0));
  }
  TCustomListView::KeyDown(Key, Shift);
}

void TPTCustomListView::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_NOTIFY: {
      auto* Header = reinterpret_cast<NMHDR*>(Message.LParam);
      if (Header->code == NM_CUSTOMDRAW && !IsDesigning() && !OnCustomDraw && !OnCustomDrawItem &&
          !OnCustomDrawSubItem) {
        FCustomDraw.reset();
        LRESULT R = 0;
        PTCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(Message.LParam), R);
        Message.Result = R;
        return;
      }
      if (Header->code == LVN_BEGINDRAG || Header->code == LVN_BEGINRDRAG) {
        FDragStarted = true;
      }
      if (Header->code == NM_RCLICK && !IsDesigning()) {
        TPoint P;
        GetCursorPos(&P);
        DoPreItemContextMenu(ScreenToClient(P));
      }
      break;
    }
    case WM_DRAWITEM: {
      auto* DIS = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
      if (DIS && DIS->CtlType == ODT_HEADER) {
        const int Saved = SaveDC(DIS->hDC);
        FHeaderCanvas->SetHandle(DIS->hDC);
        DrawHeader(static_cast<int>(DIS->itemID), DIS->rcItem);
        FHeaderCanvas->SetHandle(0);
        RestoreDC(DIS->hDC, Saved);
        Message.Result = 1;
        return;
      }
      break;
    }
    case WM_RBUTTONUP:
      TCustomListView::Dispatch(Message);
      FRightClickHandled = false;
      return;
    case WM_CONTEXTMENU:
      if (static_cast<LONG>(Message.LParam) == -1 && FKeyMenuShown) {
        FKeyMenuShown = false;
        Message.Result = 1;
        return;
      }
      if (IsDesigning() || FRightClickHandled || (!Selected() && !ItemFocused())) {
        Message.Result = 1;
        return;
      }
      if (static_cast<LONG>(Message.LParam) == -1) {
        DoPreItemContextMenu(Point(0, 0));
      } else {
        TPoint P = Point(static_cast<SHORT>(LOWORD(static_cast<DWORD_PTR>(Message.LParam))),
                         static_cast<SHORT>(HIWORD(static_cast<DWORD_PTR>(Message.LParam))));
        DoItemContextMenu(ScreenToClient(P));
      }
      Message.Result = 1;
      return;
    default: break;
  }
  TCustomListView::Dispatch(Message);
  if (Message.Msg == WM_NOTIFY) {
    // The header's item changes and divider tracking restyle it.
    if (auto* H = reinterpret_cast<NMHDR*>(Message.LParam);
        H && H->hwndFrom == GetHeaderHandle() &&
        (H->code == HDN_ITEMCHANGED || H->code == HDN_BEGINTRACK || H->code == HDN_ENDTRACK)) {
      SetHeaderODStyle();
    }
  }
}

void DrawDownArrow(TCanvas* Canvas, TRect R, TColor Fill, TColor Light, TColor Shadow) {
  const int H = (R.Height() - 1) | 1, W = H + 1;
  const int L = R.Left, T = R.Top;
  if (Fill != clNone) {
    Canvas->Brush()->SetColor(Fill);
    Canvas->FillRect(Rect(L, T, L + W, T + H));
  }
  Canvas->Pen()->SetColor(Shadow);
  Canvas->MoveTo(L + (W - 1) / 2, T + H - 1);
  Canvas->LineTo(L, T);
  Canvas->LineTo(L + W - 1, T);
  Canvas->Pen()->SetColor(Light);
  Canvas->MoveTo(L + (W - 1) / 2 + 1, T + H - 1);
  Canvas->LineTo(L + W, T - 1);
}

void DrawUpArrow(TCanvas* Canvas, TRect R, TColor Fill, TColor Light, TColor Shadow) {
  const int H = (R.Height() - 1) | 1, W = H + 1;
  const int L = R.Left, T = R.Top;
  if (Fill != clNone) {
    Canvas->Brush()->SetColor(Fill);
    Canvas->FillRect(Rect(L, T, L + W, T + H));
  }
  Canvas->Pen()->SetColor(Shadow);
  Canvas->MoveTo(L + W / 2, T);
  Canvas->LineTo(L, T + H - 1);
  Canvas->Pen()->SetColor(Light);
  Canvas->LineTo(L + W - 1, T + H - 1);
  Canvas->LineTo(L + W / 2 + 1, T);
}

Z_IMPLEMENT_CLASS(TPTCustomListView, TCustomListView)
Z_IMPLEMENT_CLASS(TPTListView, TPTCustomListView)
