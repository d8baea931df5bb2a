// Popup windows: construction, placement beside their opener on the monitor, frame, scroll arrows; popup menus.
#include "toolbars/Tb2popup.h"

#include "platform/controls/Forms.h"
#include "platform/graphics/WinGdi.h"
#include "platform/win/Desktop.h"
#include "platform/win/SystemParams.h"
#include "toolbars/Tb2common.h"
#include "toolbars/Tb2imagelist.h"
#include "toolbars/Tbskins.h"

#include <algorithm>

Z_IMPLEMENT_CLASS(TTBPopupView, TTBView)
Z_IMPLEMENT_CLASS(TTBPopupWindow, TCustomControl)
Z_IMPLEMENT_CLASS(TTBPopupMenu, TPopupMenu)

namespace {

int PopupNCSize = 3;
thread_local TTBPopupPosition LastPopupPosition = tbpOther;
constexpr int ScrollArrowBand = 19;

bool Overlaps(const TRect& A, const TRect& B) {
  return A.Left < B.Right && B.Left < A.Right && A.Top < B.Bottom && B.Top < A.Bottom;
}

// How many of the view's shown viewers lie wholly inside R (screen coordinates).
int Coverage(TTBView* View, const TRect& R) {
  int N = 0;
  for (int I = 0; I < View->ViewerCount(); ++I) {
    TTBItemViewer* V = View->Viewers(I);
    if (!V->Show()) {
      continue;
    }
    const TPoint TL = View->Window()->ClientToScreen(Point(V->BoundsRect().Left, V->BoundsRect().Top));
    const TRect B = Rect(TL.X, TL.Y, TL.X + V->BoundsRect().Width(), TL.Y + V->BoundsRect().Height());
    N += B.Left >= R.Left && B.Right <= R.Right && B.Top >= R.Top && B.Bottom <= R.Bottom ? 1 : 0;
  }
  return N;
}

}  // namespace

int TBPopupNCSize() { return PopupNCSize; }
TTBPopupPosition TBLastPopupPosition() { return LastPopupPosition; }

TFont* TTBPopupView::GetFont() { return Window() ? Window()->Font() : ToolbarFont(); }

namespace {

bool SkinActive(TTBBaseSkin* S) { return S && S->SkinType() != tbsDisabled; }

// The look of a popup: its opener's when that has one, else its item's, else the default skin when that is one
// of the two skinned looks.
TTBBaseSkin* PopupSkin(TTBView* ParentView, TTBCustomItem* Item) {
  if (ParentView && SkinActive(ParentView->Skin())) {
    return ParentView->Skin();
  }
  if (SkinActive(Item->Skin())) {
    return Item->Skin();
  }
  TTBBaseSkin* D = DefaultSkin;
  return D && (D->SkinType() == tbsOfficeXP || D->SkinType() == tbsWindowsXP) ? D : nullptr;
}

bool MenuAnimationOn() {
  BOOL On = FALSE;
  return SystemParametersInfo(SPI_GETMENUANIMATION, 0, &On, 0) && On;
}

}  // namespace

TTBPopupWindow::TTBPopupWindow(TComponent* AOwner, TTBView* AParentView, TTBCustomItem* AItem, bool ACustomizing)
    : TCustomControl(AOwner) {
  FVisible = false;
  SetColor(clMenu);
  SetShowHint(true);
  ControlStyle.Exclude(csCaptureMouse);
  FSkin = PopupSkin(AParentView, AItem);
  Font()->Assign(AParentView ? AParentView->GetFont() : ToolbarFont());
  FView = new TTBPopupView(this, AParentView, AItem, this, false, ACustomizing, false);
  FView->AfterConstruction();
  FView->SetSkin(FSkin);
  if (FSkin && FSkin->Options().Contains(tboShadow)) {
    for (int I = 0; I < 2; ++I) {
      FShadows[I] = std::make_unique<TShadow>(FSkin->ShadowStyle() == sOfficeXP, I == 0);
      FShadows[I]->AfterConstruction();
      FShadows[I]->ShadowStyle = FSkin->ShadowStyle();
    }
  }
  if (FSkin) {
    SetColor(static_cast<TColor>(FSkin->RGBColor(cPopup)));
    ControlStyle.Include(csOpaque);
    ControlStyle.Include(csFixedWidth);
    ControlStyle.Include(csFixedHeight);
  } else if (AParentView) {
    TTBViewStyle S = FView->Style();
    TTBViewState St = FView->State();
    if (AParentView->Style().Contains(vsUseHiddenAccels)) {
      S.Include(vsUseHiddenAccels);
    }
    if (AParentView->State().Contains(vsShowAccels)) {
      St.Include(vsShowAccels);
    }
    FView->SetStyle(S);
    FView->SetState(St);
  }
}

void TTBPopupWindow::BeforeDestruction() {
  if (HandleAllocated()) {
    TBEndAnimation(Handle());
  }
  if (FView) {
    FView->CloseChildPopups();
    FView->StopAllTimers();
  }
  FShadows[0].reset();
  FShadows[1].reset();
  inherited::BeforeDestruction();
}

void TTBPopupWindow::CreateParams(TCreateParams& Params) {
  inherited::CreateParams(Params);
  Params.Style = (Params.Style & ~(WS_CHILD | 0x00030000)) | WS_POPUP;
  Params.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
  Params.WindowClass.style |= CS_SAVEBITS;
  if (FSkin) {
    Params.WindowClass.style |= CS_VREDRAW;
  }
  Params.WndParent = 0;
}

void TTBPopupWindow::ShowPopup() {
  const bool Animate = !IsWindowVisible(Handle()) && !FView->Selected() &&
                       !(FView->ParentView() && FView->ParentView()->State().Contains(vsNoAnimation)) &&
                       MenuAnimationOn();
  BOOL Fade = FALSE;
  if (Animate) {
    SystemParametersInfo(SPI_GETMENUFADE, 0, &Fade, 0);
  }
  FVisible = true;
  if (Animate && (Fade || !FAnimationDirection.Empty())) {
    SetWindowPos(Handle(), HWND_TOPMOST, Left(), Top(), Width(), Height(), SWP_NOACTIVATE);
    TBStartAnimation(Handle(), 150, Fade != FALSE, FAnimationDirection);
    return;
  }
  SetWindowPos(Handle(), HWND_TOPMOST, Left(), Top(), Width(), Height(), SWP_SHOWWINDOW | SWP_NOACTIVATE);
  Invalidate();
  ShowShadows();
}

void TTBPopupWindow::ShowShadows() {
  if (!FShadows[0] || !IsWindowVisible(Handle())) {
    return;
  }
  const TRect R = BoundsRect();
  const TRect Places[2] = {Rect(R.Right, R.Top + 4, R.Right + 4, R.Bottom + 4),
                           Rect(R.Left + 4, R.Bottom, R.Right, R.Bottom + 4)};
  for (int I = 0; I < 2; ++I) {
    TShadow* S = FShadows[I].get();
    if (IsWindowVisible(S->Handle())) {
      continue;
    }
    S->SetBounds(Places[I].Left, Places[I].Top, Places[I].Width(), Places[I].Height());
    S->Prepare();
    SetWindowPos(S->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }
}

void TTBPopupWindow::HideShadows() {
  for (auto& S : FShadows) {
    if (S && S->HandleAllocated()) {
      ShowWindow(S->Handle(), SW_HIDE);
      S->UnPrepare();
    }
  }
}

void TTBPopupWindow::Paint() {
  FView->DrawSubitems(Canvas());
  PaintScrollArrows();
}

void TTBPopupWindow::PaintScrollArrows() {
  auto Triangle = [this](int Top, bool Up) {
    const int CX = ClientWidth() / 2;
    const int CY = Top + ScrollArrowBand / 2;
    Canvas()->Brush()->SetColor(clMenuText);
    Canvas()->Pen()->SetColor(clMenuText);
    for (int Row = 0; Row < 3; ++Row) {
      const int Y = Up ? CY - 1 + Row : CY + 1 - Row;
      Canvas()->FillRect(Rect(CX - Row, Y, CX + Row + 1, Y + 1));
    }
  };
  if (FView->ShowUpArrow()) {
    Triangle(0, true);
  }
  if (FView->ShowDownArrow()) {
    Triangle(ClientHeight() - ScrollArrowBand, false);
  }
}

void TTBPopupWindow::DrawNCArea(HDC DC) {
  TRect R = Rect(0, 0, Width(), Height());
  auto Frame = [DC](TRect Rc, COLORREF C) { TBFrameSolid(DC, Rc, C); };
  auto Line = [DC](int X1, int Y1, int X2, int Y2, COLORREF C) { TBFillSolid(DC, Rect(X1, Y1, X2, Y2), C); };
  TTBBaseSkin* S = FSkin;
  if (!S || S->SkinType() == tbsNativeXP) {
    TTBView* P = FView->ParentView();
    S = P && SkinActive(P->Skin()) && P->Skin()->SkinType() != tbsNativeXP ? P->Skin() : nullptr;
  }
  if (!S) {
    if (AreFlatMenusEnabled()) {
      Frame(R, ColorToRGB(clBtnShadow));
      GrowRect(R, -1, -1);
      Frame(R, ColorToRGB(Color()));
      GrowRect(R, -1, -1);
      Frame(R, ColorToRGB(Color()));
    } else {
      DrawEdge(DC, &R, EDGE_RAISED, BF_RECT | BF_ADJUST);
      Frame(R, ColorToRGB(clBtnFace));
    }
    return;
  }
  if (S->SkinType() == tbsOfficeXP) {
    Line(R.Left, R.Top + 1, R.Right, R.Top + 2, S->RGBColor(cPopup));
    Line(R.Left, R.Bottom - 3, R.Right, R.Bottom - 2, S->RGBColor(cPopup));
    Frame(R, S->RGBColor(cBorder));
    TTBView* P = FView->ParentView();
    if (P && P->IsToolbar() && !RectEmpty(FOpenerRect) && FView->ParentItem() &&
        FView->ParentItem()->Tag() != 1234567890) {
      // The stretch of border the popup shares with its button takes the button's colour.
      const TRect B = Rect(FOpenerRect.Left - Left(), FOpenerRect.Top - Top(), FOpenerRect.Right - Left(),
                           FOpenerRect.Bottom - Top());
      const COLORREF C = S->RGBColor(cImageList);
      const bool Vertical = P->Orientation() == tbvoVertical;
      if (!Vertical) {
        const int Y = FOpenerPosition == tbpTop ? R.Bottom - 1 : R.Top;
        Line(std::max(R.Left + 1, B.Left + 1), Y, std::min(R.Right - 1, B.Right - 1), Y + 1, C);
      } else {
        const int X = FOpenerPosition == tbpRight ? R.Left : R.Right - 1;
        Line(X, std::max(R.Top + 1, B.Top + 1), X + 1, std::min(R.Bottom - 1, B.Bottom - 1), C);
      }
    }
    return;
  }
  Frame(R, S->RGBColor(cBorder));
  GrowRect(R, -1, -1);
  Frame(R, S->RGBColor(cPopup));
  GrowRect(R, -1, -1);
  Frame(R, S->RGBColor(cPopup));
}

void TTBPopupWindow::PrintNCArea(HWND, HDC DC, LPARAM AppData) {
  reinterpret_cast<TTBPopupWindow*>(AppData)->DrawNCArea(DC);
}

void TTBPopupWindow::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_CLOSE:
      return;  // a popup is not closed by the system command
    case WM_NCCALCSIZE: {
      TRect* R = Message.WParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0]
                                : reinterpret_cast<TRect*>(Message.LParam);
      const int N = FSkin ? FSkin->GetPopupNCSize() : 3;
      const int Side = FSkin && FSkin->SkinType() == tbsOfficeXP ? N - 1 : N;
      if (R) {
        *R = Rect(R->Left + Side, R->Top + N, std::max(R->Left + Side, R->Right - Side),
                  std::max(R->Top + N, R->Bottom - N));
      }
      Message.Result = 0;
      return;
    }
    case WM_NCPAINT: {
      HDC DC = GetWindowDC(Handle());
      DrawNCArea(DC);
      ReleaseDC(Handle(), DC);
      return;
    }
    case WM_PRINT: HandleWMPrint(Handle(), Message, &PrintNCArea, reinterpret_cast<LPARAM>(this)); return;
    case WM_PRINTCLIENT: HandleWMPrintClient(this, Message); return;
    case WM_PAINT:
    case WM_ERASEBKGND:
      if (HandleAllocated()) {
        TBEndAnimation(Handle());
      }
      inherited::Dispatch(Message);
      return;
    case WM_TB2K_STEPANIMATION: TBStepAnimation(Message); return;
    case WM_TB2K_ANIMATIONENDED: ShowShadows(); return;
    case WM_WINDOWPOSCHANGED:
      if (reinterpret_cast<WINDOWPOS*>(Message.LParam)->flags & SWP_HIDEWINDOW) {
        TBEndAnimation(Handle());
        HideShadows();
      }
      inherited::Dispatch(Message);
      return;
    case WM_DESTROY:
      TBEndAnimation(Handle());
      FView->StopAllTimers();
      inherited::Dispatch(Message);
      return;
    default:
      inherited::Dispatch(Message);
  }
}

TTBPopupWindow* TBCreatePopup(TTBCustomItem* Item, TTBView* ParentView, TTBItemViewer* ParentViewer,
                              bool PositionAsSubmenu, bool SelectFirstItem, bool Customizing, TPoint Pt,
                              TTBPopupAlignment Alignment) {
  LastPopupPosition = tbpOther;
  TTBBaseSkin* Skin = PopupSkin(ParentView, Item);
  PopupNCSize = Skin ? Skin->GetPopupNCSize() : 3;
  TTBCustomItem* Source = Item->LinkSubitems() ? Item->LinkSubitems() : Item;
  if (Source != Item) {
    Source->DoPopup(Item, true);
  }
  Item->DoPopup(Item, false);
  TTBView* ChevronParent = nullptr;
  if (ParentView && Item == ParentView->GetChevronItem()) {
    ChevronParent = ParentView;
  }
  const bool Opposite = ParentView && ParentView->State().Contains(vsOppositePopup);
  auto* Window = new TTBPopupWindow(nullptr, ParentView, ChevronParent ? ParentView->ParentItem() : Item,
                                    Customizing);
  try {
    Window->AfterConstruction();
    TTBPopupView* View = Window->View();
    if (ChevronParent) {
      View->SetChevronParentView(ChevronParent);
      View->SetIsToolbar(true);
      View->SetBackgroundColor(clBtnFace);
    }
    TRect R;
    TRect M;
    if (ParentView) {
      ParentView->ValidatePositions();
      const TRect B = ParentViewer->BoundsRect();
      const TPoint TL = ParentView->Window()->ClientToScreen(Point(B.Left, B.Top));
      R = Rect(TL.X, TL.Y, TL.X + B.Width(), TL.Y + B.Height());
      M = ParentView->MonitorRect();
      if (M.Right <= M.Left || M.Bottom <= M.Top) {
        M = Screen->WorkAreaRect();
      }
    } else {
      R = Rect(Pt.X, Pt.Y, Pt.X, Pt.Y);
      M = Screen->WorkAreaRect();
    }
    View->SetMonitorRect(M);
    const int N = PopupNCSize;
    if (ChevronParent) {
      View->SetWrapOffset(M.Width() - 2 * N);
    } else {
      View->SetMaxHeight(M.Height() - 2 * N);
    }
    if (SelectFirstItem) {
      View->SetSelected(View->FirstSelectable());
    }
    const TPoint Client = View->UpdatePositions();
    const int W = Client.X + 2 * N;
    const int H = Client.Y + 2 * N;
    const bool ParentVertical = ParentView && ParentView->Orientation() == tbvoVertical;
    int X = 0;
    int Y = 0;
    if (!ParentView) {
      X = Pt.X - (Alignment == tbpaRight ? W : Alignment == tbpaCenter ? W / 2 : 0);
      Y = Pt.Y;
    } else if (PositionAsSubmenu) {
      X = R.Right - N;
      Y = R.Top - N;
    } else if (ChevronParent) {
      X = ParentVertical ? R.Left - W : R.Right - W;
      Y = ParentVertical ? R.Top : R.Bottom;
    } else if (ParentVertical) {
      X = R.Left - W;
      Y = R.Top;
    } else {
      X = GetSystemMetrics(SM_MENUDROPALIGNMENT) != 0 ? R.Right - W : R.Left;
      Y = R.Bottom;
    }
    // Vertical fit: above the opener when there is no room below.
    if (Y + H > M.Bottom && !ParentVertical) {
      const int Above = (PositionAsSubmenu ? R.Bottom + N : R.Top) - H;
      if (Above >= M.Top) {
        Y = Above;
        LastPopupPosition = tbpTop;
      }
    }
    Y = std::max(M.Top, std::min(Y, M.Bottom - H));
    TTBViewState NewState = View->State();
    if (PositionAsSubmenu) {
      bool Opp = Opposite;
      for (int Pass = 0; Pass < 2; ++Pass) {
        int TryX = R.Right - N;
        if (Opp || TryX + W > M.Right) {
          TryX = (ParentView ? R.Left + N : R.Left) - W;
          if (Opposite && Pass == 0 && TryX < M.Left) {
            Opp = false;  // no room on the left any more: try the right once more
            continue;
          }
          NewState.Include(vsOppositePopup);
        }
        X = TryX;
        break;
      }
      X = std::max(X, M.Left);
    } else {
      if (Alignment == tbpaRight && !ParentView && X < M.Left) {
        X += W;
      }
      if (X + W > M.Right) {
        X = (ParentView || Alignment != tbpaLeft) ? M.Right - W : X - W;
      }
      X = std::max(X, M.Left);
      if (ParentView) {
        TRect Here = Rect(X, Y, X + W, Y + H);
        if (ParentVertical) {
          if (R.Right + W <= M.Right) {
            const TRect Right = Rect(R.Right, Y, R.Right + W, Y + H);
            if (Coverage(ParentView, Right) < Coverage(ParentView, Here) || Overlaps(Here, R)) {
              X = R.Right;
              LastPopupPosition = tbpRight;
              Here = Right;
            }
            if (Overlaps(Here, R)) {
              Y = std::max(M.Top, R.Bottom + H > M.Bottom ? R.Top - H : R.Bottom);
            }
          }
        } else if (R.Top - H >= M.Top) {
          const TRect Up = Rect(X, R.Top - H, X + W, R.Top);
          if (Coverage(ParentView, Up) < Coverage(ParentView, Here) || Overlaps(Here, R)) {
            Y = R.Top - H;
            LastPopupPosition = tbpTop;
            Here = Up;
          }
          if (Overlaps(Here, R)) {
            X = std::max(M.Left, R.Right + W > M.Right ? R.Left - W : R.Right);
          }
        }
      }
    }
    const bool Overlap = SkinActive(DefaultSkin) && DefaultSkin->Options().Contains(tboPopupOverlap);
    TTBBaseSkin* ParentSkin = ParentView ? ParentView->ActiveSkin() : nullptr;
    if (ParentView && !ParentSkin) {
      if (!Overlap) {
        X += 3;
        Y += 2;
      }
    } else if (ParentSkin && !ParentSkin->Options().Contains(tboPopupOverlap) && PositionAsSubmenu &&
               !ParentView->IsToolbar() && !ChevronParent) {
      X += 2;
      Y += 2;
    }
    TTBAnimationDirection Dir;
    if (PositionAsSubmenu) {
      Dir.Include(X + W / 2 < (R.Left + R.Right) / 2 ? tbadLeft : tbadRight);
    } else {
      if (Y + H <= R.Top) {
        Dir.Include(tbadUp);
      } else if (Y >= R.Bottom) {
        Dir.Include(tbadDown);
      }
      if (X + W <= R.Left) {
        Dir.Include(tbadLeft);
      } else if (X >= R.Right) {
        Dir.Include(tbadRight);
      }
    }
    Window->SetAnimationDirection(Dir);
    // An Office XP popup overlaps its toolbar button so that the two look joined.
    if (ParentSkin && ParentSkin->SkinType() == tbsOfficeXP && ParentView->IsToolbar()) {
      if (ParentVertical) {
        X += LastPopupPosition == tbpRight ? -2 : 2;
      } else {
        Y += LastPopupPosition == tbpTop ? 2 : -2;
      }
    }
    NewState.Include(vsDrawInOrder);
    View->SetState(NewState);
    Window->SetBounds(X, Y, W, H);
    if (ParentView && ParentView->IsToolbar() && !ChevronParent) {
      Window->SetOpener(R, LastPopupPosition);
    }
    if (ParentView) {
      ParentView->SetOpenViewer(Window, View, ParentViewer);
      if (ParentView->IsToolbar()) {
        ParentView->Invalidate(ParentViewer);
        ParentView->Window()->Update();
      }
    }
    // The first popup of the process shows before its sound starts (loading the sound takes a while); later
    // ones start the sound first.
    static bool FirstPopup = true;
    const bool Sound = NeedToPlaySound("MenuPopup");
    if (Sound && !FirstPopup) {
      PlaySound("MenuPopup", 0, SND_ALIAS | SND_ASYNC | SND_NODEFAULT | SND_NOSTOP);
    }
    Window->ShowPopup();
    if (Sound && FirstPopup) {
      Window->Update();
      PlaySound("MenuPopup", 0, SND_ALIAS | SND_ASYNC | SND_NODEFAULT | SND_NOSTOP);
    }
    FirstPopup = false;
  } catch (...) {
    delete Window;
    throw;
  }
  return Window;
}

TTBCustomItem* TBPopupItem(TTBCustomItem* Item, TPoint Pt, TTBPopupAlignment Alignment, bool TrackRightButton,
                           bool SelectFirstItem) {
  TTBPopupWindow* Window = TBCreatePopup(Item, nullptr, nullptr, false, SelectFirstItem, false, Pt, Alignment);
  TTBDoneActionData Done;
  try {
    TTBView* View = Window->View();
    View->SetState(View->State() + TTBViewState{vsIgnoreFirstMouseUp});
    View->RunMenuLoop(false, false, Done, TrackRightButton, SelectFirstItem);
  } catch (...) {
    delete Window;
    throw;
  }
  delete Window;
  ExecuteDoneAction(Done);
  return Done.DoneAction == tbdaClickItem ? Done.ClickItem : nullptr;
}

TTBPopupMenu::TTBPopupMenu(TComponent* AOwner) : TPopupMenu(AOwner) {}

void TTBPopupMenu::AfterConstruction() {
  inherited::AfterConstruction();
  FItem = new TTBRootItem(this);
  FItem->AfterConstruction();
  SetSkin(nullptr);
}

void TTBPopupMenu::BeforeDestruction() {
  if (FSkin && FSkin != static_cast<TTBBaseSkin*>(DefaultSkin)) {
    FSkin->RemoveFreeNotification(this);
  }
  inherited::BeforeDestruction();
}

void TTBPopupMenu::SetSkin(TTBBaseSkin* Value) {
  TTBBaseSkin* New = Value ? Value : static_cast<TTBBaseSkin*>(DefaultSkin);
  if (New == FSkin) {
    return;
  }
  if (FSkin && FSkin != static_cast<TTBBaseSkin*>(DefaultSkin)) {
    FSkin->RemoveFreeNotification(this);
  }
  FSkin = New;
  if (FSkin != static_cast<TTBBaseSkin*>(DefaultSkin)) {
    FSkin->FreeNotification(this);
  }
  FItem->SetSkin(FSkin);
}

void TTBPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && FSkin && AComponent == static_cast<TComponent*>(FSkin)) {
    FSkin = nullptr;
    SetSkin(nullptr);  // a freed skin gives way to the default skin
  }
}

void TTBPopupMenu::Popup(int X, int Y) {
  DoPopup(this);
  const TTBPopupAlignment A = Alignment == paRight ? tbpaRight : Alignment == paCenter ? tbpaCenter : tbpaLeft;
  FLastChosen = TBPopupItem(FItem, Point(X, Y), A, TrackButton == tbRightButton, false);
}
