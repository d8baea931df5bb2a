// Item viewers: queries, events and measuring, and the view's drawing entry point.
#include "toolbars/Tb2itemviewer.h"

#include "platform/graphics/WinGdi.h"
#include "toolbars/Tb2view.h"
#include "toolbars/Tbskins.h"

#include <algorithm>

Z_IMPLEMENT_CLASS(TTBItemViewer, TObject)
Z_IMPLEMENT_CLASS(TTBSeparatorItemViewer, TTBItemViewer)
Z_IMPLEMENT_CLASS(TTBChevronItemViewer, TTBItemViewer)

namespace {

bool OfficeXPLook(TTBView* View) {
  TTBBaseSkin* S = View->ActiveSkin();
  return S && S->SkinType() == tbsOfficeXP;
}

}  // namespace

TTBItemViewer::TTBItemViewer(TTBView* AView, TTBCustomItem* AItem) : FItem(AItem), FView(AView) {}

std::string TTBItemViewer::GetCaptionText() {
  const std::string& C = FItem->Caption();
  return C.substr(0, C.find('\t'));
}

bool TTBItemViewer::CaptionShown() {
  if (!GetCaptionText().empty() &&
      (!IsToolbarSize() || FItem->ImageIndex() < 0 || FItem->DisplayMode() == nbdmTextOnly ||
       FItem->DisplayMode() == nbdmImageAndText)) {
    return true;
  }
  return FItem->EffectiveOptions().Contains(tboImageAboveCaption);
}

bool TTBItemViewer::ImageShown() {
  const TTBItemDisplayMode M = FItem->DisplayMode();
  return FItem->ImageIndex() >= 0 &&
         (M == nbdmDefault || M == nbdmImageAndText || (M == nbdmTextOnlyInMenus && IsToolbarStyle()));
}

TCustomImageList* TTBItemViewer::GetImageList() {
  if (FItem->Images()) {
    return FItem->Images();
  }
  for (TTBView* V = FView; V; V = V->ParentView()) {
    if (V->CurParentItem() && V->CurParentItem()->SubMenuImages()) {
      return V->CurParentItem()->SubMenuImages();
    }
    if (V->ParentItem() && V->ParentItem()->SubMenuImages()) {
      return V->ParentItem()->SubMenuImages();
    }
  }
  return nullptr;
}

bool TTBItemViewer::IsRotated() {
  const TTBItemOptions O = FItem->EffectiveOptions();
  return FView->Orientation() == tbvoVertical && !O.Contains(tboNoRotation) && !O.Contains(tboImageAboveCaption);
}

bool TTBItemViewer::IsToolbarSize() {
  return FView->IsToolbar() || FItem->EffectiveOptions().Contains(tboToolbarSize);
}

bool TTBItemViewer::IsToolbarStyle() {
  return FView->IsToolbar() || FItem->EffectiveOptions().Contains(tboToolbarStyle);
}

bool TTBItemViewer::IsPtInButtonPart(int X, int Y) {
  (void)Y;
  if (!FItem->ItemStyle().Contains(tbisCombo)) {
    return !FItem->ItemStyle().Contains(tbisSubmenu);
  }
  const int ArrowWidth = IsToolbarStyle() ? 11 : GetSystemMetrics(SM_CXMENUCHECK);
  return X < FBoundsRect.Width() - ArrowWidth;
}

int TTBItemViewer::GetIndex() { return FView->IndexOf(this); }

TPoint TTBItemViewer::ScreenToClient(TPoint P) {
  TPoint C = FView->Window() ? FView->Window()->ScreenToClient(P) : P;
  return TPoint{C.X - FBoundsRect.Left, C.Y - FBoundsRect.Top};
}

void TTBItemViewer::Entering() {
  if (FItem->OnSelect) {
    FItem->OnSelect(FItem, this, true);
  }
}

void TTBItemViewer::Leaving() {
  if (FItem->OnSelect) {
    FItem->OnSelect(FItem, this, false);
  }
}

void TTBItemViewer::LosingCapture() { FView->Invalidate(this); }

void TTBItemViewer::KeyDown(WORD& Key, TShiftState Shift, TTBItemEventData& Data) {
  (void)Key;
  (void)Shift;
  (void)Data;
}

void TTBItemViewer::MouseDown(TShiftState Shift, int X, int Y, TTBItemEventData& Data) {
  if (!FItem->Enabled()) {
    if (IsToolbarStyle() && FView == Data.RootView) {
      Data.Exit = true;
    }
    return;
  }
  if (IsPtInButtonPart(X, Y)) {
    if (IsToolbarStyle()) {
      if (FView->GetParentToolbarView() == FView) {
        TBSetDropDownMenus(FView, false);
      }
      FView->CloseChildPopups();
      FView->SetCapture();
      FView->Invalidate(this);
    }
    return;
  }
  TTBView* T = FView->GetParentToolbarView();
  const bool WasDropDown = T == FView && FView->State().Contains(vsDropDownMenus);
  if (!FView->OpenChildPopup(false)) {
    return;
  }
  if (WasDropDown) {
    Data.MouseDownOnMenu = true;
  }
  if (T) {
    TBSetDropDownMenus(T, true);
  }
  if (Shift.Contains(ssDouble) && !FItem->ItemStyle().Contains(tbisCombo)) {
    // A double click on a submenu button chooses the submenu's default item.
    if (TTBView* Sub = FView->OpenViewerView()) {
      for (int I = 0; I < Sub->ViewerCount(); ++I) {
        TTBItemViewer* V = Sub->Viewers(I);
        TTBCustomItem* It = V->Item();
        if (V->Show() && It->EffectiveOptions().Contains(tboDefault) && It->ItemStyle().Contains(tbisSelectable) &&
            It->Enabled() && It->Visible()) {
          Sub->GivePriority(V);
          if (Data.DoneActionData) {
            Data.DoneActionData->DoneAction = tbdaClickItem;
            Data.DoneActionData->ClickItem = It;
            Data.DoneActionData->Sound = Data.RootView != FView || Data.RootView->IsPopup();
          }
          Data.Exit = true;
          break;
        }
      }
    }
  }
}

void TTBItemViewer::MouseUp(int X, int Y, TTBItemEventData& Data) {
  const bool HadCapture = FView->Capture();
  FView->CancelCapture();
  const bool RootToolbarLoop = Data.RootView == FView && !FView->IsPopup();
  if (!(FView->Selected() == this && FView->MouseOverSelected())) {
    if (RootToolbarLoop) {
      Data.Exit = true;
    }
    return;
  }
  if (!FItem->Enabled() || FItem->ItemStyle().Contains(tbisClicksTransparent)) {
    return;
  }
  if (!FItem->ItemStyle().Contains(tbisSubmenu) || IsPtInButtonPart(X, Y)) {
    if (IsToolbarStyle() && !HadCapture) {
      return;
    }
    FView->GivePriority(this);
    if (Data.DoneActionData) {
      Data.DoneActionData->DoneAction = tbdaClickItem;
      Data.DoneActionData->ClickItem = FItem;
      Data.DoneActionData->Sound = !RootToolbarLoop;
    }
    Data.Exit = true;
  } else if (RootToolbarLoop && Data.MouseDownOnMenu) {
    Data.Exit = true;  // a second click on an open menu button closes it
  }
}

// ---- Measuring --------------------------------------------------------------------------------------------------

void TTBItemViewer::CalcSize(TCanvas* Canvas, int& AWidth, int& AHeight) {
  const bool ToolbarStyle = IsToolbarStyle();
  const bool OfficeXP = OfficeXPLook(FView);
  HDC DC = Canvas->Handle();
  AWidth = ToolbarStyle ? 6 : 0;
  AHeight = ToolbarStyle ? 6 : 0;
  TCustomImageList* Images = GetImageList();
  if (!ToolbarStyle || CaptionShown()) {
    const std::string Text = GetCaptionText();
    if (IsRotated()) {
      HFONT Rotated = CreateRotatedFont(DC);
      HGDIOBJ Old = SelectObject(DC, Rotated);
      AWidth += GetTextHeight(DC);
      AHeight += GetTextWidth(DC, Text, true);
      SelectObject(DC, Old);
      DeleteObject(Rotated);
      if (ToolbarStyle) {
        AHeight += 6;
      }
    } else {
      AHeight += GetTextHeight(DC);
      AWidth += GetTextWidth(DC, Text, true);
      if (ToolbarStyle) {
        AWidth += 6;
      }
      if (OfficeXP) {
        AHeight += 3;
      }
    }
  }
  if (ToolbarStyle && ImageShown() && Images) {
    if (IsRotated() || FItem->EffectiveOptions().Contains(tboImageAboveCaption)) {
      AHeight += Images->Height();
      AWidth = std::max(AWidth, Images->Width() + 7);
    } else {
      AWidth += Images->Width() + 1;
      AHeight = std::max(AHeight, Images->Height() + 6);
    }
  }
  if (ToolbarStyle && FItem->ItemStyle().Contains(tbisSubmenu)) {
    if (FItem->ItemStyle().Contains(tbisCombo)) {
      AWidth += 11;
    } else if (FItem->EffectiveOptions().Contains(tboDropdownArrow)) {
      if (FView->Orientation() == tbvoVertical) {
        AHeight += 8;
      } else {
        AWidth += 8;
      }
    }
  }
  if (!ToolbarStyle) {
    TEXTMETRIC TM;
    GetTextMetrics(DC, &TM);
    AHeight += TM.tmExternalLeading + 4;
    if (OfficeXP) {
      AHeight += 2;
    }
    int ImageColumn = AHeight;
    if (Images) {
      AHeight = std::max(AHeight, Images->Height() + 3);
      ImageColumn = MulDiv(Images->Width() + 3, AHeight, Images->Height() + 3);
    }
    AWidth += ImageColumn + 6;
    const std::string ShortCut = FItem->GetShortCutText();
    if (!ShortCut.empty()) {
      AWidth += GetTextWidth(DC, ShortCut, false) + AHeight - 6;
    }
    AWidth += AHeight;
  }
}

void TTBSeparatorItemViewer::CalcSize(TCanvas* Canvas, int& AWidth, int& AHeight) {
  if (IsToolbarStyle()) {
    AWidth = 6;
    AHeight = 6;
    return;
  }
  AWidth = 0;
  AHeight = FView->ActiveSkin() ? 3 : DivRoundUp(2 * GetTextHeight(Canvas->Handle()), 3);
}

// ---- Captions ---------------------------------------------------------------------------------------------------

void TTBItemViewer::DrawItemCaption(TCanvas* Canvas, TRect ARect, const std::string& ACaption, bool ADrawDisabled,
                                    UINT AFormat, bool AEmboss) {
  HDC DC = Canvas->Handle();
  SetBkMode(DC, TRANSPARENT);
  auto Draw = [&](TRect R) {
    if (IsRotated()) {
      DrawRotatedText(DC, ACaption, R, AFormat);
    } else {
      DrawText(DC, ACaption.c_str(), static_cast<int>(ACaption.size()), &R, AFormat);
    }
  };
  if (!ADrawDisabled) {
    Draw(ARect);
    return;
  }
  const COLORREF Saved = GetTextColor(DC);
  if (!FView->ActiveSkin() || AEmboss) {
    SetTextColor(DC, GetSysColor(COLOR_BTNHIGHLIGHT));
    TRect R = ARect;
    MoveRect(R, 1, 1);
    Draw(R);
  }
  SetTextColor(DC, GetSysColor(COLOR_BTNSHADOW));
  Draw(ARect);
  SetTextColor(DC, Saved);
}

// ---- The view's drawing entry point -----------------------------------------------------------------------------

void TTBView::DrawItem(TTBItemViewer* Viewer, TCanvas* DrawTo, bool Offscreen) {
  ValidatePositions();
  if (Viewer->FState.Contains(tbisInvalidated)) {
    Viewer->FState.Exclude(tbisInvalidated);
    Offscreen = true;
  }
  if (!Viewer->FShow || RectEmpty(Viewer->FBoundsRect) || dynamic_cast<TTBControlItem*>(Viewer->Item())) {
    return;
  }
  const bool IsSelected = Viewer == FSelected;
  const bool IsPushed = IsSelected && (Viewer == FOpenViewer || (FMouseOverSelected && FCapture));
  const TRect& B = Viewer->FBoundsRect;
  HDC DC = DrawTo->Handle();
  const int Saved = SaveDC(DC);
  IntersectClipRect(DC, B.Left, B.Top, B.Right, B.Bottom);
  TRect Clip;
  if (GetClipBox(DC, &Clip) == NULLREGION || RectEmpty(Clip)) {
    RestoreDC(DC, Saved);
    return;
  }
  std::unique_ptr<TBitmap> Bmp;
  TCanvas* Canvas = DrawTo;
  if (Offscreen) {
    Bmp = std::make_unique<TBitmap>();
    Bmp->SetSize(B.Width(), B.Height());
    Canvas = Bmp->Canvas();
    HDC BDC = Canvas->Handle();
    const int BSaved = SaveDC(BDC);
    SetWindowOrgEx(BDC, B.Left, B.Top, nullptr);
    if (FWindow) {
      FWindow->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(BDC), 0);
    }
    RestoreDC(BDC, BSaved);
    Canvas->Refresh();
  } else {
    OffsetWindowOrgEx(DC, -B.Left, -B.Top, nullptr);
    SetBrushOrgEx(DC, B.Left % 2, B.Top % 2, nullptr);
    DrawTo->Refresh();
  }
  const bool ToolbarStyle = Viewer->IsToolbarStyle();
  const bool Enabled = Viewer->Item()->Enabled();
  if (IsSelected && !ToolbarStyle) {
    Canvas->Brush()->SetColor(AreFlatMenusEnabled() ? clMenuHighlight : clHighlight);
  } else {
    Canvas->Brush()->SetStyle(bsClear);
  }
  Canvas->Font()->Assign(GetFont());
  bool UseDisabledShadow = false;
  if (Enabled) {
    Canvas->Font()->SetColor(IsSelected && !ToolbarStyle ? clHighlightText : (ToolbarStyle ? clBtnText : clMenuText));
  } else {
    Canvas->Font()->SetColor(clGrayText);
    const COLORREF Window = GetSysColor(COLOR_WINDOW);
    const COLORREF Gray = GetSysColor(COLOR_GRAYTEXT);
    UseDisabledShadow = ToolbarStyle || (IsSelected && Window == Gray) ||
                        (!IsSelected && (Window == GetSysColor(COLOR_BTNFACE) || Window == Gray));
  }
  Viewer->Paint(Canvas, Rect(0, 0, B.Width(), B.Height()), IsSelected, IsPushed, UseDisabledShadow);
  if (Bmp) {
    BitBlt(DC, B.Left, B.Top, B.Width(), B.Height(), Bmp->Canvas()->Handle(), 0, 0, SRCCOPY);
  }
  RestoreDC(DC, Saved);
  DrawTo->Refresh();
}
