// The tab control and the page control: tab layout in rows, painting, clicks with their notifications, sheets.
#include "platform/controls/ComCtrls.h"

#include "platform/classes/Filer.h"
#include "platform/classes/TypInfoImpl.h"
#include "platform/controls/ComCtrlsShared.h"
#include "platform/controls/Forms.h"
#include "platform/graphics/WinGdi.h"

#include <algorithm>

Z_IMPLEMENT_CLASS(TCustomTabControl, TCustomControl)
Z_IMPLEMENT_CLASS_PUBLISHED(TTabControl, TCustomTabControl, TTabControl::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(TTabSheet, TCustomControl, TTabSheet::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(TPageControl, TCustomTabControl, TPageControl::Publish)

namespace {
constexpr int TabPadding = 6;  // text margin on each side of a tab
constexpr int RaiseBy = 2;     // how far the selected tab stands out
constexpr int Border = 4;      // display frame and margin around the children
}  // namespace

// ---- TCustomTabControl ------------------------------------------------------------------------------------------

TCustomTabControl::TCustomTabControl(TComponent* AOwner) : TCustomControl(AOwner) {
  FWidth = 289;
  FHeight = 193;
  TabStop = true;
  FColor = clBtnFace;
  FParentColor = false;
  ControlStyle = TControlStyle{csAcceptsControls, csDoubleClicks};
  FImageLink = std::make_unique<TChangeLink>();
  FImageLink->OnChange = [this](TObject*) { TabsChanged(); };
}

void TCustomTabControl::BeforeDestruction() {
  SetImages(nullptr);
  TCustomControl::BeforeDestruction();
}

void TCustomTabControl::SetHotTrack(bool Value) {
  FHotTrack = Value;
  if (!Value) {
    FHotTab = -1;
  }
  Invalidate();
}

void TCustomTabControl::SetMultiLine(bool Value) {
  if (FMultiLine != Value) {
    FMultiLine = Value;
    TabsChanged();
  }
}

void TCustomTabControl::SetTabPosition(TTabPosition Value) {
  if (FTabPosition != Value) {
    FTabPosition = Value;
    TabsChanged();
  }
}

void TCustomTabControl::SetTabHeight(int Value) {
  if (FTabHeight != Value && Value >= 0) {
    FTabHeight = Value;
    TabsChanged();
  }
}

void TCustomTabControl::SetTabWidth(int Value) {
  if (FTabWidth != Value && Value >= 0) {
    FTabWidth = Value;
    TabsChanged();
  }
}

void TCustomTabControl::SetImages(TCustomImageList* Value) {
  if (FImages == Value) {
    return;
  }
  if (FImages) {
    FImages->UnRegisterChanges(FImageLink.get());
    RemoveFreeNotification(FImages);
  }
  FImages = Value;
  if (FImages) {
    FImages->RegisterChanges(FImageLink.get());
    FreeNotification(FImages);
  }
  TabsChanged();
}

void TCustomTabControl::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImages) {
    FImages = nullptr;
    TabsChanged();
  }
}

void TCustomTabControl::TabsChanged() {
  FLayoutValid = false;
  if (FHotTab >= TabCount()) {
    FHotTab = -1;
  }
  TRect Display = DisplayRect();
  if (Display != FLastDisplay) {
    FLastDisplay = Display;
    Realign();
  }
  Invalidate();
}

void TCustomTabControl::Resize() {
  TabsChanged();
  TCustomControl::Resize();
}

TSize TCustomTabControl::MeasureText(const std::string& Text) {
  return ComCtrlsShared::MeasureText(Font(), Text);
}

int TCustomTabControl::RowHeight() {
  if (FTabHeight > 0) {
    return FTabHeight;
  }
  int H = MeasureText("Wg").cy;
  if (FImages) {
    // Side tabs stand the image upright across the row as well.
    const bool Vertical = FTabPosition == tpLeft || FTabPosition == tpRight;
    H = std::max(H, Vertical ? FImages->Width() : FImages->Height());
  }
  return H + 5;
}

// Lays the tabs out along the edge, wrapping into rows with MultiLine; the row with the selected tab goes next
// to the display area and the other rows keep their order, rotated behind it.
void TCustomTabControl::Layout() {
  if (FLayoutValid) {
    return;
  }
  const int Count = TabCount();
  const bool Vertical = FTabPosition == tpLeft || FTabPosition == tpRight;
  const int Length = (Vertical ? FHeight : FWidth) - 2 * RaiseBy;
  const int RH = RowHeight();
  std::vector<int> Row(static_cast<std::size_t>(Count)), Along(static_cast<std::size_t>(Count)),
      Size(static_cast<std::size_t>(Count));
  int Rows = 1, Pos = RaiseBy;
  for (int I = 0; I < Count; ++I) {
    int W = FTabWidth;
    if (W <= 0) {
      W = MeasureText(TabCaption(I)).cx + 2 * TabPadding;
      if (FImages && TabImageIndex(I) >= 0) {
        W += (Vertical ? FImages->Height() : FImages->Width()) + 3;
      }
    }
    if (FMultiLine && Pos > RaiseBy && Pos + W > Length) {
      ++Rows;
      Pos = RaiseBy;
    }
    Row[static_cast<std::size_t>(I)] = Rows - 1;
    Along[static_cast<std::size_t>(I)] = Pos;
    Size[static_cast<std::size_t>(I)] = W;
    Pos += W;
  }
  FRows = Rows;
  FBand = Count > 0 ? Rows * RH + RaiseBy : 0;
  int Sel = SelectedTab();
  int SelRow = Sel >= 0 && Sel < Count ? Row[static_cast<std::size_t>(Sel)] : 0;
  FTabRects.assign(static_cast<std::size_t>(Count), TRect{});
  for (int I = 0; I < Count; ++I) {
    auto U = static_cast<std::size_t>(I);
    int P = (Row[U] - SelRow + Rows) % Rows;  // 0: next to the display area
    int A = Along[U], B = Along[U] + Size[U];
    TRect& R = FTabRects[U];
    switch (FTabPosition) {
      case tpTop: R = Rect(A, FBand - (P + 1) * RH, B, FBand - P * RH); break;
      case tpBottom: R = Rect(A, FHeight - FBand + P * RH, B, FHeight - FBand + (P + 1) * RH); break;
      case tpLeft: R = Rect(FBand - (P + 1) * RH, A, FBand - P * RH, B); break;
      case tpRight: R = Rect(FWidth - FBand + P * RH, A, FWidth - FBand + (P + 1) * RH, B); break;
    }
  }
  FLayoutValid = true;
}

TRect TCustomTabControl::TabRect(int Index) {
  Layout();
  if (Index < 0 || Index >= static_cast<int>(FTabRects.size())) {
    return TRect{};
  }
  return FTabRects[static_cast<std::size_t>(Index)];
}

int TCustomTabControl::IndexOfTabAt(int X, int Y) {
  Layout();
  for (std::size_t I = 0; I < FTabRects.size(); ++I) {
    const TRect& R = FTabRects[I];
    if (X >= R.Left && X < R.Right && Y >= R.Top && Y < R.Bottom) {
      return static_cast<int>(I);
    }
  }
  return -1;
}

int TCustomTabControl::RowCount() {
  Layout();
  return FRows;
}

TRect TCustomTabControl::DisplayRect() {
  Layout();
  TRect R = Rect(0, 0, FWidth, FHeight);
  switch (FTabPosition) {
    case tpTop: R.Top += FBand; break;
    case tpBottom: R.Bottom -= FBand; break;
    case tpLeft: R.Left += FBand; break;
    case tpRight: R.Right -= FBand; break;
  }
  R = Rect(R.Left + Border, R.Top + Border, R.Right - Border, R.Bottom - Border);
  if (R.Right < R.Left) {
    R.Right = R.Left;
  }
  if (R.Bottom < R.Top) {
    R.Bottom = R.Top;
  }
  return R;
}

void TCustomTabControl::AdjustClientRect(TRect& Rect) { Rect = DisplayRect(); }

bool TCustomTabControl::CanChange() {
  bool Allow = true;
  if (OnChanging) {
    OnChanging(this, Allow);
  }
  return Allow;
}

void TCustomTabControl::Change() {
  if (OnChange) {
    OnChange(this);
  }
}

LRESULT TCustomTabControl::NotifyParent(UINT Code) {
  NMHDR Header;
  Header.hwndFrom = HandleAllocated() ? FHandle : 0;
  Header.idFrom = HandleAllocated() ? static_cast<UINT_PTR>(GetDlgCtrlID(FHandle)) : 0;
  Header.code = Code;
  auto L = reinterpret_cast<LPARAM>(&Header);
  if (HandleAllocated() && FParent && FParent->HandleAllocated()) {
    return SendMessage(FParent->Handle(), WM_NOTIFY, Header.idFrom, L);
  }
  return Perform(CN_NOTIFY, Header.idFrom, L);
}

bool TCustomTabControl::UserSelectTab(int Index) {
  if (Index < 0 || Index >= TabCount() || Index == SelectedTab()) {
    return false;
  }
  if (NotifyParent(TCN_SELCHANGING) != 0) {
    return false;
  }
  SelectTab(Index);
  TabsChanged();
  NotifyParent(TCN_SELCHANGE);
  return true;
}

void TCustomTabControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_NOTIFY: {
      auto* Header = reinterpret_cast<NMHDR*>(Message.LParam);
      if (Header->code == TCN_SELCHANGING) {
        Message.Result = CanChange() ? 0 : 1;
        return;
      }
      if (Header->code == TCN_SELCHANGE) {
        Change();
        return;
      }
      break;
    }
    case CM_MOUSELEAVE:
      if (Message.LParam == 0 && FHotTab >= 0) {
        FHotTab = -1;
        Invalidate();
      }
      break;
    case TCM_GETITEMCOUNT: Message.Result = TabCount(); return;
    case TCM_GETCURSEL: Message.Result = SelectedTab(); return;
    case TCM_SETCURSEL: {
      int Old = SelectedTab();
      auto Index = static_cast<int>(Message.WParam);
      if (Index >= 0 && Index < TabCount()) {
        SelectTab(Index);
        TabsChanged();
      }
      Message.Result = Old;
      return;
    }
    case TCM_GETITEMRECT: {
      auto Index = static_cast<int>(Message.WParam);
      if (Index < 0 || Index >= TabCount() || !Message.LParam) {
        Message.Result = 0;
        return;
      }
      *reinterpret_cast<TRect*>(Message.LParam) = TabRect(Index);
      Message.Result = 1;
      return;
    }
    case TCM_GETROWCOUNT: Message.Result = RowCount(); return;
    case TCM_ADJUSTRECT: {
      // wParam false: the display area for a window rectangle; true: the window for a display area.
      if (auto* R = reinterpret_cast<TRect*>(Message.LParam)) {
        TRect D = DisplayRect();
        int L = D.Left, T = D.Top, Rt = FWidth - D.Right, B = FHeight - D.Bottom;
        *R = Message.WParam ? Rect(R->Left - L, R->Top - T, R->Right + Rt, R->Bottom + B)
                            : Rect(R->Left + L, R->Top + T, R->Right - Rt, R->Bottom - B);
      }
      return;
    }
    default: break;
  }
  TCustomControl::Dispatch(Message);
}

void TCustomTabControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft) {
    int Index = IndexOfTabAt(X, Y);
    if (Index >= 0 && CanFocus() && TabStop && HandleAllocated()) {
      SetFocus();
    }
    if (Index >= 0 && Index != SelectedTab()) {
      UserSelectTab(Index);
    }
  }
  TCustomControl::MouseDown(Button, Shift, X, Y);
}

void TCustomTabControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (FHotTrack) {
    int Hot = IndexOfTabAt(X, Y);
    if (Hot != FHotTab) {
      FHotTab = Hot;
      Invalidate();
    }
  }
  TCustomControl::MouseMove(Shift, X, Y);
}

void TCustomTabControl::Paint() {
  Layout();
  TCanvas* C = Canvas();
  HDC DC = C->Handle();
  C->Brush()->SetColor(Color());
  C->FillRect(ClientRect());
  TRect Frame = DisplayRect();
  Frame = Rect(Frame.Left - Border, Frame.Top - Border, Frame.Right + Border, Frame.Bottom + Border);
  DrawEdge(DC, &Frame, EDGE_RAISED, BF_RECT);
  const int Sel = SelectedTab();
  // The selected tab last, so it covers its neighbours and the frame line under it.
  std::vector<int> Order;
  for (int I = 0; I < TabCount(); ++I) {
    if (I != Sel) {
      Order.push_back(I);
    }
  }
  if (Sel >= 0 && Sel < TabCount()) {
    Order.push_back(Sel);
  }
  for (int I : Order) {
    TRect R = FTabRects[static_cast<std::size_t>(I)];
    UINT Sides = 0;
    switch (FTabPosition) {
      case tpTop: Sides = BF_LEFT | BF_TOP | BF_RIGHT; break;
      case tpBottom: Sides = BF_LEFT | BF_BOTTOM | BF_RIGHT; break;
      case tpLeft: Sides = BF_LEFT | BF_TOP | BF_BOTTOM; break;
      case tpRight: Sides = BF_RIGHT | BF_TOP | BF_BOTTOM; break;
    }
    if (I == Sel) {
      // Grows by the raise on every side but the display's, and joins the frame.
      switch (FTabPosition) {
        case tpTop: R = Rect(R.Left - RaiseBy, R.Top - RaiseBy, R.Right + RaiseBy, R.Bottom + 1); break;
        case tpBottom: R = Rect(R.Left - RaiseBy, R.Top - 1, R.Right + RaiseBy, R.Bottom + RaiseBy); break;
        case tpLeft: R = Rect(R.Left - RaiseBy, R.Top - RaiseBy, R.Right + 1, R.Bottom + RaiseBy); break;
        case tpRight: R = Rect(R.Left - 1, R.Top - RaiseBy, R.Right + RaiseBy, R.Bottom + RaiseBy); break;
      }
    }
    C->Brush()->SetColor(Color());
    C->FillRect(R);
    TRect Edge = R;
    DrawEdge(DC, &Edge, EDGE_RAISED, Sides | BF_SOFT);
    C->Font()->Assign(Font());
    if (!Enabled()) {
      C->Font()->SetColor(clGrayText);
    } else if (FHotTrack && I == FHotTab) {
      C->Font()->SetColor(clHotLight);
    }
    if (FTabPosition == tpLeft || FTabPosition == tpRight) {
      PaintSideTab(I, R);
      continue;
    }
    int X = R.Left + TabPadding, Y = R.Top;
    int Image = TabImageIndex(I);
    if (FImages && Image >= 0) {
      FImages->Draw(C, X, R.Top + (R.Height() - FImages->Height()) / 2, Image, Enabled());
      X += FImages->Width() + 3;
    }
    C->Brush()->SetStyle(bsClear);
    std::string Text = TabCaption(I);
    Y = R.Top + (R.Height() - C->TextHeight("Wg")) / 2;
    C->TextRect(R, X, Y, Text);
    C->Brush()->SetStyle(bsSolid);
  }
}

// A tab on the left reads from bottom to top, one on the right from top to bottom, as the platform draws them
// with a turned font; the image comes first in reading order.
void TCustomTabControl::PaintSideTab(int Index, const TRect& R) {
  TCanvas* C = Canvas();
  HDC DC = C->Handle();
  const bool Left = FTabPosition == tpLeft;
  int Along = Left ? R.Bottom - TabPadding : R.Top + TabPadding;
  const int Image = TabImageIndex(Index);
  if (FImages && Image >= 0) {
    const int IX = R.Left + (R.Width() - FImages->Width()) / 2;
    FImages->Draw(C, IX, Left ? Along - FImages->Height() : Along, Image, Enabled());
    Along += (Left ? -1 : 1) * (FImages->Height() + 3);
  }
  LOGFONT LF;
  if (GetObject(C->Font()->Handle(), sizeof LF, &LF) != static_cast<int>(sizeof LF)) {
    return;
  }
  LF.lfEscapement = LF.lfOrientation = Left ? 900 : 2700;
  HFONT Turned = CreateFontIndirect(&LF);
  HGDIOBJ Old = SelectObject(DC, Turned);
  const std::string Text = TabCaption(Index);
  TEXTMETRIC Tm;
  GetTextMetrics(DC, &Tm);
  // The reference point is the text's top left corner, turned with it: on the left the text's top faces left,
  // on the right it faces right.
  const int Across = (R.Width() - Tm.tmHeight) / 2;
  const int X = Left ? R.Left + Across : R.Right - Across;
  SetBkMode(DC, TRANSPARENT);
  SetTextColor(DC, ColorToRGB(C->Font()->Color()));
  SetTextAlign(DC, TA_TOP | TA_LEFT);
  TRect Clip = R;
  ExtTextOut(DC, X, Along, ETO_CLIPPED, &Clip, Text.c_str(), static_cast<UINT>(Text.size()), nullptr);
  SelectObject(DC, Old);
  DeleteObject(Turned);
}

// ---- TTabControl ------------------------------------------------------------------------------------------------

TTabControl::TTabControl(TComponent* AOwner) : TCustomTabControl(AOwner), FTabs(std::make_unique<TStringList>()) {
  FTabs->SetOnChange([this](TObject*) {
    int Count = FTabs->Count();
    if (FTabIndex >= Count) {
      FTabIndex = Count - 1;
    } else if (FTabIndex < 0 && Count > 0) {
      FTabIndex = 0;  // the platform's control selects the first tab added
    }
    TabsChanged();
  });
}

void TTabControl::Publish(TMetaClass& Meta) {
  TPublisher<TTabControl> P(Meta);
  // Published again with the defaults this control's constructor gives, so layouts leave them out.
  P.Property("TabStop", &TWinControl::GetTabStop, &TWinControl::TabStop).Default(true);
  P.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(false);
  P.Property("HotTrack", &TTabControl::HotTrack, &TTabControl::SetHotTrack).Default(false);
  P.Property("Images", &TTabControl::Images, &TTabControl::SetImages);
  P.Property("MultiLine", &TTabControl::MultiLine, &TTabControl::SetMultiLine).Default(false);
  P.Property("TabHeight", &TTabControl::TabHeight, &TTabControl::SetTabHeight).Default(0);
  P.Property("TabPosition", &TTabControl::TabPosition, &TTabControl::SetTabPosition).Default(tpTop);
  P.Property("Tabs", &TTabControl::Tabs, &TTabControl::SetTabs);
  P.Property("TabIndex", &TTabControl::TabIndex, &TTabControl::SetTabIndex).Default(-1);
  P.Property("TabWidth", &TTabControl::TabWidth, &TTabControl::SetTabWidth).Default(0);
  P.Property("OnChange", &TTabControl::OnChange, &TTabControl::OnChange);
  P.Property("OnChanging", &TTabControl::OnChanging, &TTabControl::OnChanging);
}

void TTabControl::SetTabIndex(int Value) {
  if (Value < -1 || Value >= FTabs->Count() || Value == FTabIndex) {
    return;
  }
  FTabIndex = Value;
  TabsChanged();
}

int TTabControl::TabCount() const { return FTabs->Count(); }
std::string TTabControl::TabCaption(int Index) const { return FTabs->Strings(Index); }
int TTabControl::TabImageIndex(int Index) const { return Index; }

// ---- TTabSheet --------------------------------------------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* AOwner) : TCustomControl(AOwner) {
  FAlign = alClient;
  FVisible = false;
  FColor = clBtnFace;
  ControlStyle = TControlStyle{csAcceptsControls};
}

void TTabSheet::BeforeDestruction() {
  if (FPageControl) {
    FPageControl->RemovePage(this);
  }
  TCustomControl::BeforeDestruction();
}

void TTabSheet::Publish(TMetaClass& Meta) {
  TPublisher<TTabSheet> P(Meta);
  P.Property("ImageIndex", &TTabSheet::ImageIndex, &TTabSheet::SetImageIndex).Default(-1);
  P.Property("PageIndex", &TTabSheet::PageIndex, &TTabSheet::SetPageIndex).Stored(false);
  P.Property("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible).Default(true);
  P.Property("OnShow", &TTabSheet::OnShow, &TTabSheet::OnShow);
  P.Property("OnHide", &TTabSheet::OnHide, &TTabSheet::OnHide);
}

void TTabSheet::SetPageControl(TPageControl* Value) {
  if (FPageControl == Value) {
    return;
  }
  FSettingPageControl = true;
  if (FPageControl) {
    FPageControl->RemovePage(this);
  }
  SetParent(Value);
  if (Value) {
    Value->InsertPage(this);
  }
  FSettingPageControl = false;
}

void TTabSheet::SetParent(TWinControl* AParent) {
  TCustomControl::SetParent(AParent);
  if (!FSettingPageControl) {
    auto* Pages = dynamic_cast<TPageControl*>(AParent);
    if (Pages != FPageControl) {
      if (FPageControl) {
        FPageControl->RemovePage(this);
      }
      if (Pages) {
        Pages->InsertPage(this);
      }
    }
  }
}

void TTabSheet::ReadState(TReader* Reader) {
  TCustomControl::ReadState(Reader);
  if (auto* Pages = dynamic_cast<TPageControl*>(Reader->Parent())) {
    SetPageControl(Pages);
  }
}

void TTabSheet::SetText(const std::string& Value) {
  TCustomControl::SetText(Value);
  if (FPageControl) {
    FPageControl->TabsChanged();
  }
}

int TTabSheet::PageIndex() const {
  if (!FPageControl) {
    return -1;
  }
  const auto& Pages = FPageControl->FPages;
  return static_cast<int>(std::find(Pages.begin(), Pages.end(), this) - Pages.begin());
}

void TTabSheet::SetPageIndex(int Value) {
  if (!FPageControl || Value < 0 || Value >= FPageControl->PageCount()) {
    return;
  }
  auto& Pages = FPageControl->FPages;
  Pages.erase(Pages.begin() + PageIndex());
  Pages.insert(Pages.begin() + Value, this);
  FPageControl->TabsChanged();
}

int TTabSheet::TabIndex() const {
  if (!FPageControl || !FTabVisible) {
    return -1;
  }
  int Index = 0;
  for (TTabSheet* Page : FPageControl->FPages) {
    if (Page == this) {
      return Index;
    }
    Index += Page->FTabVisible ? 1 : 0;
  }
  return -1;
}

void TTabSheet::SetTabVisible(bool Value) {
  if (FTabVisible == Value) {
    return;
  }
  int OldTab = TabIndex();
  FTabVisible = Value;
  if (FPageControl) {
    if (!Value) {
      FPageControl->TabHidden(this, OldTab);
    }
    FPageControl->TabsChanged();
  }
}

void TTabSheet::SetImageIndex(int Value) {
  if (FImageIndex != Value) {
    FImageIndex = Value;
    if (FPageControl) {
      FPageControl->TabsChanged();
    }
  }
}

void TTabSheet::Paint() {
  Canvas()->Brush()->SetColor(Color());
  Canvas()->FillRect(ClientRect());
  TCustomControl::Paint();
}

// ---- TPageControl -----------------------------------------------------------------------------------------------

TPageControl::TPageControl(TComponent* AOwner) : TCustomTabControl(AOwner) {
  ControlStyle = TControlStyle{csDoubleClicks};
}

void TPageControl::BeforeDestruction() {
  for (TTabSheet* Page : std::vector<TTabSheet*>(FPages)) {
    Page->FPageControl = nullptr;
  }
  FPages.clear();
  FActivePage = nullptr;
  TCustomTabControl::BeforeDestruction();
}

void TPageControl::Publish(TMetaClass& Meta) {
  TPublisher<TPageControl> P(Meta);
  // Published again with the defaults this control's constructor gives, so layouts leave them out.
  P.Property("TabStop", &TWinControl::GetTabStop, &TWinControl::TabStop).Default(true);
  P.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(false);
  P.Property("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage);
  P.Property("HotTrack", &TPageControl::HotTrack, &TPageControl::SetHotTrack).Default(false);
  P.Property("Images", &TPageControl::Images, &TPageControl::SetImages);
  P.Property("MultiLine", &TPageControl::MultiLine, &TPageControl::SetMultiLine).Default(false);
  P.Property("TabHeight", &TPageControl::TabHeight, &TPageControl::SetTabHeight).Default(0);
  P.Property("TabPosition", &TPageControl::TabPosition, &TPageControl::SetTabPosition).Default(tpTop);
  P.Property("TabWidth", &TPageControl::TabWidth, &TPageControl::SetTabWidth).Default(0);
  P.Property("OnChange", &TPageControl::OnChange, &TPageControl::OnChange);
  P.Property("OnChanging", &TPageControl::OnChanging, &TPageControl::OnChanging);
}

void TPageControl::InsertPage(TTabSheet* Page) {
  FPages.push_back(Page);
  Page->FPageControl = this;
  TabsChanged();
  if (!FActivePage && Page->FTabVisible && !ComponentState().Contains(csLoading)) {
    SetActivePage(Page);
  }
}

void TPageControl::RemovePage(TTabSheet* Page) {
  auto It = std::find(FPages.begin(), FPages.end(), Page);
  if (It == FPages.end()) {
    return;
  }
  TTabSheet* Next = nullptr;
  if (Page == FActivePage) {
    Next = FindNextPage(Page, true, true);
    if (Next == Page) {
      Next = nullptr;
    }
  }
  FPages.erase(It);
  Page->FPageControl = nullptr;
  if (Page == FActivePage) {
    FActivePage = nullptr;
    SetActivePage(Next);
  }
  TabsChanged();
}

void TPageControl::TabHidden(TTabSheet* Page, int OldTabIndex) {
  if (Page != FActivePage) {
    return;
  }
  int Count = TabCount();  // without the hidden tab
  if (Count == 0) {
    return;  // the page stays shown without a tab
  }
  SetActivePage(VisibleTab(std::min(OldTabIndex, Count - 1)));
}

void TPageControl::Loaded() {
  TCustomTabControl::Loaded();
  if (!FActivePage) {
    for (TTabSheet* Page : FPages) {
      if (Page->FTabVisible) {
        SetActivePage(Page);
        break;
      }
    }
  }
  TabsChanged();
}

TTabSheet* TPageControl::VisibleTab(int Index) const {
  for (TTabSheet* Page : FPages) {
    if (Page->FTabVisible && Index-- == 0) {
      return Page;
    }
  }
  return nullptr;
}

int TPageControl::TabCount() const {
  return static_cast<int>(std::count_if(FPages.begin(), FPages.end(), [](TTabSheet* P) { return P->FTabVisible; }));
}

std::string TPageControl::TabCaption(int Index) const {
  TTabSheet* Page = VisibleTab(Index);
  return Page ? Page->Caption() : std::string();
}

int TPageControl::TabImageIndex(int Index) const {
  TTabSheet* Page = VisibleTab(Index);
  return Page ? Page->FImageIndex : -1;
}

void TPageControl::SelectTab(int Index) { SetActivePage(VisibleTab(Index)); }

void TPageControl::SetActivePage(TTabSheet* Page) {
  if (Page && Page->FPageControl != this) {
    return;
  }
  if (Page == FActivePage) {
    return;
  }
  TTabSheet* Old = FActivePage;
  // The focus must not stay on a page going out of view: the page control takes it.
  if (Old && Old->HandleAllocated()) {
    HWND Focus = GetFocus();
    if (Focus && (Focus == Old->Handle() || IsChild(Old->Handle(), Focus)) && CanFocus() && HandleAllocated()) {
      SetFocus();
    }
  }
  FActivePage = Page;
  if (Page) {
    Page->SetVisible(true);
    if (Page->OnShow) {
      Page->OnShow(Page);
    }
  }
  if (Old) {
    Old->SetVisible(false);
    if (Old->OnHide) {
      Old->OnHide(Old);
    }
  }
  TabsChanged();
}

void TPageControl::SetActivePageIndex(int Value) {
  if (Value >= 0 && Value < PageCount()) {
    SetActivePage(Pages(Value));
  } else {
    SetActivePage(nullptr);
  }
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible) {
  const int Count = PageCount();
  if (Count == 0) {
    return nullptr;
  }
  auto It = std::find(FPages.begin(), FPages.end(), CurPage);
  int Start = It == FPages.end() ? (GoForward ? Count - 1 : 0) : static_cast<int>(It - FPages.begin());
  int I = Start;
  do {
    I = GoForward ? (I + 1) % Count : (I + Count - 1) % Count;
    TTabSheet* Page = FPages[static_cast<std::size_t>(I)];
    if (!CheckTabVisible || Page->FTabVisible) {
      return Page;
    }
  } while (I != Start);
  return nullptr;
}

void TPageControl::SelectNextPage(bool GoForward, bool CheckTabVisible) {
  TTabSheet* Page = FindNextPage(FActivePage, GoForward, CheckTabVisible);
  if (Page && Page != FActivePage && CanChange()) {
    SetActivePage(Page);
    Change();
  }
}

void TPageControl::Dispatch(TMessage& Message) {
  if (Message.Msg == CM_DIALOGKEY && Message.WParam == VK_TAB && GetKeyState(VK_CONTROL) < 0) {
    // Ctrl+Tab anywhere on the form turns the page of a page control that holds the focus.
    HWND Focus = GetFocus();
    if (HandleAllocated() && Focus && (Focus == FHandle || IsChild(FHandle, Focus))) {
      SelectNextPage(GetKeyState(VK_SHIFT) >= 0);
      Message.Result = 1;
      return;
    }
  }
  TCustomTabControl::Dispatch(Message);
}
