// Item viewers: painting toolbar buttons, menu lines, separators and the chevron in the plain and skinned looks.
#include "toolbars/Tb2imagelist.h"
#include "toolbars/Tb2itemviewer.h"
#include "toolbars/Tb2view.h"
#include "toolbars/Tbskins.h"

#include "platform/graphics/WinGdi.h"

#include <algorithm>

namespace {

void Fill(TCanvas* C, const TRect& R, COLORREF Color) {
  C->Brush()->SetColor(static_cast<TColor>(Color));
  C->FillRect(R);
}

void Frame(TCanvas* C, const TRect& R, COLORREF Color) {
  C->Brush()->SetColor(static_cast<TColor>(Color));
  C->FrameRect(R);
}

void FillFrame(TCanvas* C, const TRect& R, COLORREF FillColor, COLORREF FrameColor) {
  Fill(C, R, FillColor);
  Frame(C, R, FrameColor);
}

void RoundFrame(TCanvas* C, const TRect& R, COLORREF FillColor, COLORREF FrameColor) {
  C->Pen()->SetColor(static_cast<TColor>(FrameColor));
  C->Brush()->SetColor(static_cast<TColor>(FillColor));
  C->RoundRect(R.Left, R.Top, R.Right, R.Bottom, 6, 6);
}

// The button-face and highlight checkerboard of checked plain buttons.
void DitherFill(TCanvas* C, const TRect& R) {
  TBitmap Pattern;
  Pattern.SetSize(8, 8);
  for (int Y = 0; Y < 8; ++Y) {
    for (int X = 0; X < 8; ++X) {
      Pattern.Canvas()->SetPixels(X, Y, (X + Y) % 2 ? clBtnHighlight : clBtnFace);
    }
  }
  HBRUSH Brush = CreatePatternBrush(Pattern.Handle());
  TRect Area = R;
  FillRect(C->Handle(), &Area, Brush);
  DeleteObject(Brush);
}

void Triangle(TCanvas* C, const TPoint* Pts, TColor Color) {
  C->Pen()->SetColor(Color);
  C->Brush()->SetColor(Color);
  C->Polygon({Pts[0], Pts[1], Pts[2]});
}

void DrawArrow(TCanvas* C, const TRect& R, bool Left, TColor Color, bool Emboss) {
  const int CX = (R.Left + R.Right) / 2;
  const int CY = (R.Top + R.Bottom) / 2;
  auto Draw = [&](int DX, int DY, TColor Col) {
    TPoint Pts[3];
    if (Left) {
      Pts[0] = {CX - 1 + DX, CY + 2 + DY};
      Pts[1] = {CX - 1 + DX, CY - 2 + DY};
      Pts[2] = {CX - 3 + DX, CY + DY};
    } else {
      Pts[0] = {CX - 2 + DX, CY - 1 + DY};
      Pts[1] = {CX + 2 + DX, CY - 1 + DY};
      Pts[2] = {CX + DX, CY + 1 + DY};
    }
    Triangle(C, Pts, Col);
  };
  if (Emboss) {
    Draw(1, 1, clBtnHighlight);
    Draw(0, 0, clBtnShadow);
  } else {
    Draw(0, 0, Color);
  }
}

}  // namespace

void TTBItemViewer::DrawImage(TCanvas* Canvas, TCustomImageList* Images, int X, int Y, bool IsSelected,
                              bool IsPushed) {
  const int Index = FItem->ImageIndex();
  const bool Enabled = FItem->Enabled();
  const bool Checked = FItem->Checked();
  TTBBaseSkin* Skin = FView->ActiveSkin();
  auto* TBList = dynamic_cast<TTBCustomImageList*>(Images);
  if (!Skin) {
    if (TBList) {
      TBList->DrawState(Canvas, X, Y, Index, Enabled, IsSelected, Checked);
    } else {
      Images->Draw(Canvas, X, Y, Index, Enabled);
    }
    return;
  }
  const TRect R = Rect(X, Y, X + Images->Width(), Y + Images->Height());
  TCustomImageList* Source = Images;
  if (TBList) {
    if (!Enabled && TBList->DisabledImages()) {
      Source = TBList->DisabledImages();
    } else if (Checked && TBList->CheckedImages()) {
      Source = TBList->CheckedImages();
    } else if (IsSelected && TBList->HotImages()) {
      Source = TBList->HotImages();
    }
  }
  if (!Enabled) {
    if (Source != Images) {
      Source->Draw(Canvas, X, Y, Index, true);
    } else {
      DrawTBXIconShadow(Canvas, R, Images, Index, true);
    }
    return;
  }
  if (Skin->SkinType() == tbsOfficeXP) {
    if (IsSelected && !IsPushed && !Checked) {
      if (!Skin->Options().Contains(tboNoHoverIconShadow)) {
        TRect S = R;
        MoveRect(S, 1, 1);
        DrawTBXIconFlatShadow(Canvas, S, Source, Index, Skin->RGBColor(cImgListShadow));
      }
      Source->Draw(Canvas, X - 1, Y - 1, Index, true);
      return;
    }
    if (!IsSelected && !Checked && Skin->Options().Contains(tboBlendedImages)) {
      BlendTBXIcon(Canvas, R, Source, Index, IsToolbarStyle() ? 200 : 210);
      return;
    }
    Source->Draw(Canvas, X, Y, Index, true);
    return;
  }
  // Windows XP looks: a held-down button's image moves by one pixel.
  const int D = IsSelected && IsPushed && FView->Capture() ? 1 : 0;
  Source->Draw(Canvas, X + D, Y + D, Index, true);
}

void TTBItemViewer::Paint(TCanvas* Canvas, const TRect& ClientAreaRect, bool IsSelected, bool IsPushed,
                          bool UseDisabledShadow) {
  if (IsToolbarStyle()) {
    PaintToolbarStyle(Canvas, ClientAreaRect, IsSelected, IsPushed, UseDisabledShadow);
  } else {
    PaintMenuStyle(Canvas, ClientAreaRect, IsSelected, IsPushed, UseDisabledShadow);
  }
}

void TTBItemViewer::PaintToolbarStyle(TCanvas* Canvas, const TRect& R, bool IsSelected, bool IsPushed,
                                      bool UseDisabledShadow) {
  TTBBaseSkin* Skin = FView->ActiveSkin();
  const TTBSkins Look = Skin ? Skin->SkinType() : tbsDisabled;
  const bool Enabled = FItem->Enabled();
  const bool Checked = FItem->Checked();
  const bool Combo = FItem->ItemStyle().Contains(tbisCombo);
  const bool Submenu = FItem->ItemStyle().Contains(tbisSubmenu);
  const bool DropArrow = Submenu && (Combo || FItem->EffectiveOptions().Contains(tboDropdownArrow));
  const bool Vertical = FView->Orientation() == tbvoVertical;
  const bool Open = FView->OpenViewer() == this;
  TRect ButtonR = R;
  TRect ArrowR{};
  if (DropArrow) {
    if (Combo) {
      ButtonR.Right -= 11;
      ArrowR = Rect(R.Right - 11, R.Top, R.Right - 2, R.Bottom);
    } else if (Vertical) {
      ArrowR = Rect(0, R.Bottom - 11, R.Right, R.Bottom - 3);
    } else {
      ArrowR = Rect(R.Right - 11, 0, R.Right - 3, R.Bottom);
    }
  }
  const bool DrawFace = (IsSelected && (Enabled || (Look == tbsOfficeXP && FView->MouseOverSelected()))) || Checked ||
                        FView->ComponentState().Contains(csDesigning);
  TRect FaceR = Combo ? ButtonR : R;
  if (DrawFace) {
    if (!Skin) {
      TRect E = FaceR;
      DrawEdge(Canvas->Handle(), &E, IsPushed || Checked ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
      if (Combo) {
        TRect A = Rect(ArrowR.Left, ArrowR.Top, R.Right, ArrowR.Bottom);
        DrawEdge(Canvas->Handle(), &A, IsPushed && !FView->Capture() ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
      }
      if (Checked && !IsSelected) {
        TRect Inner = FaceR;
        GrowRect(Inner, -1, -1);
        DitherFill(Canvas, Inner);
      }
    } else if (Look == tbsOfficeXP) {
      if (Open) {
        FillFrame(Canvas, FaceR, Enabled || FView->MouseOverSelected() ? Skin->RGBColor(cImageList)
                                                                       : Skin->RGBColor(cSelBar),
                  Skin->RGBColor(cBorder));
      } else if (Checked) {
        FillFrame(Canvas, FaceR, Skin->RGBColor(cCheckedOver), Skin->RGBColor(cSelBarBorder));
        if (!IsSelected) {
          TRect Inner = FaceR;
          GrowRect(Inner, -1, -1);
          Fill(Canvas, Inner, Skin->RGBColor(cChecked));
        }
      } else if (IsPushed) {
        FillFrame(Canvas, FaceR, Skin->RGBColor(cSelPushed), Skin->RGBColor(cSelBarBorder));
      } else {
        FillFrame(Canvas, FaceR, Skin->RGBColor(cSelBar), Skin->RGBColor(cSelBarBorder));
      }
      if (Combo) {
        const TRect A = Rect(ArrowR.Left, ArrowR.Top, R.Right, ArrowR.Bottom);
        FillFrame(Canvas, A, IsPushed ? Skin->RGBColor(cSelPushed) : Skin->RGBColor(cSelBar),
                  Skin->RGBColor(cSelBarBorder));
      }
    } else if (Enabled) {
      // Windows XP (and native XP without themes): rounded faces.
      const COLORREF FillColor = Checked && !IsSelected ? Skin->RGBColor(cChecked) : Skin->RGBColor(cSelBar);
      RoundFrame(Canvas, FaceR, FillColor, Skin->RGBColor(cSelBarBorder));
      if (Combo) {
        RoundFrame(Canvas, Rect(ArrowR.Left, ArrowR.Top, R.Right, ArrowR.Bottom), Skin->RGBColor(cSelBar),
                   Skin->RGBColor(cSelBarBorder));
      }
    }
  }
  // Plain buttons press their content in.
  int Offset = 0;
  if (!Skin && (Checked || (IsSelected && IsPushed)) && !(Combo && IsPushed && !FView->Capture())) {
    Offset = 1;
  }
  TColor TextColor = Canvas->Font()->Color();
  if (Skin && Enabled) {
    TextColor = static_cast<TColor>(IsSelected && !Open ? Skin->RGBColor(cHighlightText) : Skin->RGBColor(cText));
    Canvas->Font()->SetColor(TextColor);
  }
  if (DropArrow) {
    TRect A = ArrowR;
    if (!Skin && IsPushed && !Combo) {
      MoveRect(A, 1, 1);
    }
    DrawArrow(Canvas, A, !Combo && Vertical, TextColor, UseDisabledShadow && !Enabled);
  }
  TRect ContentR = ButtonR;
  if (DropArrow && !Combo) {
    if (Vertical) {
      ContentR.Bottom -= 8;
    } else {
      ContentR.Right -= 8;
    }
  }
  MoveRect(ContentR, Offset, Offset);
  TCustomImageList* Images = GetImageList();
  const bool ShowImage = ImageShown() && Images;
  const bool ShowCaption = CaptionShown();
  TRect CaptionR = ContentR;
  if (ShowImage) {
    const bool Top = Vertical || FItem->EffectiveOptions().Contains(tboImageAboveCaption);
    TRect ImgArea = ContentR;
    if (ShowCaption) {
      if (Top) {
        ImgArea.Top += 2;
        ImgArea.Bottom = ImgArea.Top + Images->Height() + 2;
        CaptionR.Top = ImgArea.Bottom + 1;
      } else {
        ImgArea.Left += 2;
        ImgArea.Right = ImgArea.Left + Images->Width() + 2;
        CaptionR.Left = ImgArea.Right + 1;
      }
    }
    const int X = ImgArea.Left + (ImgArea.Width() - Images->Width()) / 2;
    const int Y = ImgArea.Top + (ImgArea.Height() - Images->Height()) / 2;
    DrawImage(Canvas, Images, X, Y, IsSelected, IsPushed);
  }
  if (ShowCaption) {
    UINT Format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (AreKeyboardCuesEnabled() && FView->Style().Contains(vsUseHiddenAccels) &&
        !FView->State().Contains(vsShowAccels)) {
      Format |= DT_HIDEPREFIX;
    }
    Canvas->Font()->SetColor(TextColor);
    DrawItemCaption(Canvas, CaptionR, GetCaptionText(), !Enabled, Format, !Skin);
  }
}

void TTBItemViewer::PaintMenuStyle(TCanvas* Canvas, const TRect& R, bool IsSelected, bool IsPushed,
                                   bool UseDisabledShadow) {
  (void)IsPushed;
  TTBBaseSkin* Skin = FView->ActiveSkin();
  const TTBSkins Look = Skin ? Skin->SkinType() : tbsDisabled;
  const bool Enabled = FItem->Enabled();
  const bool Checked = FItem->Checked();
  const bool Combo = FItem->ItemStyle().Contains(tbisCombo);
  const int LineHeight = R.Height();
  TCustomImageList* Images = GetImageList();
  int ImageColumn = LineHeight;
  if (Images) {
    ImageColumn = MulDiv(Images->Width() + 3, LineHeight, Images->Height() + 3);
  }
  ImageColumn += 2;
  const TRect ImgBox = Rect(R.Left, R.Top, R.Left + ImageColumn, R.Bottom);
  HDC DC = Canvas->Handle();
  if (!Skin) {
    if (IsSelected) {
      Canvas->FillRect(R);
    }
  } else {
    if (Look == tbsOfficeXP && Skin->ImgBackStyle() == tbimsDefault) {
      Fill(Canvas, ImgBox, Skin->RGBColor(cImageList));
    }
    if (IsSelected) {
      TRect Sel = R;
      if (Look == tbsOfficeXP) {
        Sel.Left += 1;
        Sel.Right -= 1;
      }
      if (Enabled) {
        if (Skin->Options().Contains(tboGradSelItem)) {
          FillGradient(DC, Sel, static_cast<TColor>(Skin->RGBColor(cGradStart)),
                       static_cast<TColor>(Skin->RGBColor(cGradEnd)), Skin->Gradient());
          Frame(Canvas, Sel, Skin->RGBColor(cSelItemBorder));
        } else {
          FillFrame(Canvas, Sel, Skin->RGBColor(cSelItem), Skin->RGBColor(cSelItemBorder));
        }
        if (Combo && Look == tbsOfficeXP) {
          Frame(Canvas, Rect(Sel.Right - GetSystemMetrics(SM_CXMENUCHECK), Sel.Top, Sel.Right, Sel.Bottom),
                Skin->RGBColor(cSelPushedBorder));
        }
      } else if (Look == tbsOfficeXP && !FView->MouseOverSelected()) {
        FillFrame(Canvas, Sel, Skin->RGBColor(cPopup), Skin->RGBColor(cSelBarBorder));
      }
    }
  }
  const bool ShowImage = Images && ImageShown();
  if (Checked) {
    TRect Box = ImgBox;
    GrowRect(Box, -1, -1);
    if (!Skin) {
      DrawEdge(DC, &Box, BDR_SUNKENOUTER, BF_RECT | BF_MIDDLE);
      if (!IsSelected) {
        TRect Inner = Box;
        GrowRect(Inner, -1, -1);
        DitherFill(Canvas, Inner);
      }
    } else if (Look == tbsOfficeXP || ShowImage) {
      FillFrame(Canvas, Box, IsSelected ? Skin->RGBColor(cSelPushed) : Skin->RGBColor(cSelItem),
                IsSelected ? Skin->RGBColor(cSelPushedBorder) : Skin->RGBColor(cSelItemBorder));
    }
  } else if (!Skin && IsSelected && Enabled && ShowImage) {
    TRect Box = ImgBox;
    GrowRect(Box, -1, -1);
    DrawEdge(DC, &Box, BDR_RAISEDINNER, BF_RECT);
  }
  if (ShowImage) {
    const int D = !Skin && Checked ? 1 : 0;
    const int X = ImgBox.Left + (ImgBox.Width() - Images->Width()) / 2 + D;
    const int Y = ImgBox.Top + (ImgBox.Height() - Images->Height()) / 2 + D;
    DrawImage(Canvas, Images, X, Y, IsSelected, false);
  } else if (Checked) {
    const int CX = (ImgBox.Left + ImgBox.Right) / 2 - 2;
    const int CY = (ImgBox.Top + ImgBox.Bottom) / 2 + 1;
    const TPoint Mark[] = {{CX - 2, CY - 2}, {CX, CY}, {CX + 4, CY - 4}, {CX + 4, CY - 3},
                           {CX, CY + 1}, {CX - 2, CY - 1}, {CX - 2, CY - 2}};
    Canvas->Pen()->SetColor(clBtnText);
    Canvas->Polyline(std::vector<TPoint>(std::begin(Mark), std::end(Mark)));
    if (Look != tbsOfficeXP) {
      const TPoint Light[] = {{CX - 3, CY - 2}, {CX - 3, CY - 1}, {CX, CY + 2}, {CX + 5, CY - 3}, {CX + 5, CY - 5}};
      Canvas->Pen()->SetColor(clBtnHighlight);
      Canvas->Polyline(std::vector<TPoint>(std::begin(Light), std::end(Light)));
    }
  }
  // Caption and shortcut.
  if (FItem->EffectiveOptions().Contains(tboDefault)) {
    Canvas->Font()->SetStyle(Canvas->Font()->Style() + TFontStyles{fsBold});
  }
  TColor TextColor = Canvas->Font()->Color();
  if (Skin && Enabled) {
    TextColor = static_cast<TColor>(Skin->RGBColor(cText));
    Canvas->Font()->SetColor(TextColor);
  }
  TEXTMETRIC TM;
  GetTextMetrics(Canvas->Handle(), &TM);
  TRect CaptionR = R;
  CaptionR.Left = ImgBox.Right + (Skin ? 5 : 3);
  if (TM.tmHeight == LineHeight - 4) {
    CaptionR.Bottom -= 1;
  }
  CaptionR.Top += TM.tmExternalLeading;
  UINT Format = DT_VCENTER | DT_SINGLELINE;
  if (AreKeyboardCuesEnabled() && FView->Style().Contains(vsUseHiddenAccels) &&
      !FView->State().Contains(vsShowAccels)) {
    Format |= DT_HIDEPREFIX;
  }
  DrawItemCaption(Canvas, CaptionR, GetCaptionText(), UseDisabledShadow || !Enabled, Format, false);
  const std::string ShortCut = FItem->GetShortCutText();
  if (!ShortCut.empty()) {
    TRect SR = CaptionR;
    SR.Right = R.Right - LineHeight;
    DrawItemCaption(Canvas, SR, ShortCut, UseDisabledShadow || !Enabled, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX |
                    DT_RIGHT, false);
  }
  if (FItem->ItemStyle().Contains(tbisSubmenu)) {
    const int Check = GetSystemMetrics(SM_CXMENUCHECK);
    const TRect ArrowBox = Rect(R.Right - Check, R.Top, R.Right, R.Bottom);
    if (!Skin && Combo) {
      TRect Box = ArrowBox;
      if (IsSelected && Enabled) {
        DrawEdge(DC, &Box, BDR_SUNKENOUTER, BF_RECT | BF_MIDDLE);
      } else {
        DrawEdge(DC, &Box, IsSelected ? BDR_SUNKENOUTER : EDGE_ETCHED, BF_LEFT);
      }
    }
    const int CX = (ArrowBox.Left + ArrowBox.Right) / 2;
    const int CY = (ArrowBox.Top + ArrowBox.Bottom) / 2;
    auto Draw = [&](int D, TColor Color) {
      const TPoint Pts[] = {{CX - 1 + D, CY - 4 + D}, {CX - 1 + D, CY + 4 + D}, {CX + 3 + D, CY + D}};
      Triangle(Canvas, Pts, Color);
    };
    if (UseDisabledShadow && !Enabled) {
      Draw(1, clBtnHighlight);
      Draw(0, clBtnShadow);
    } else {
      Draw(IsSelected && Enabled && Combo ? 1 : 0, Canvas->Font()->Color());
    }
  }
}

void TTBSeparatorItemViewer::Paint(TCanvas* Canvas, const TRect& R, bool IsSelected, bool IsPushed,
                                   bool UseDisabledShadow) {
  (void)IsSelected;
  (void)IsPushed;
  (void)UseDisabledShadow;
  if (static_cast<TTBSeparatorItem*>(FItem)->Blank()) {
    return;
  }
  TTBBaseSkin* Skin = FView->ActiveSkin();
  const TTBSkins Look = Skin ? Skin->SkinType() : tbsDisabled;
  const bool LineSep = FState.Contains(tbisLineSep);
  const bool Horizontal = FView->Orientation() != tbvoVertical;
  const bool VerticalLine = IsToolbarStyle() && ((Horizontal && !LineSep) || (!Horizontal && LineSep));
  HDC DC = Canvas->Handle();
  if (VerticalLine) {
    TRect L = R;
    L.Left = R.Width() / 2 - 1;
    L.Right = L.Left + 2;
    if (LineSep) {
      L.Top += 4;
      L.Bottom -= 4;
    }
    if (!Skin) {
      DrawEdge(DC, &L, EDGE_ETCHED, BF_LEFT);
    } else {
      Fill(Canvas, Rect(L.Left, L.Top, L.Left + 1, L.Bottom), Skin->RGBColor(cSeparator));
    }
    return;
  }
  TRect L = R;
  L.Top = R.Height() / 2 - 1;
  L.Bottom = L.Top + 2;
  if (!IsToolbarStyle()) {
    L.Left += 12;
    L.Right -= 12;
  } else if (LineSep) {
    const int Inset = FView->Orientation() == tbvoFloating ? 1 : 4;
    L.Left += Inset;
    L.Right -= Inset;
  }
  if (!Skin) {
    DrawEdge(DC, &L, EDGE_ETCHED, BF_TOP);
  } else if (Look == tbsOfficeXP) {
    int Start = L.Left;
    if (FView->IsPopup() && !IsToolbarStyle()) {
      TTBItemViewer* First = nullptr;
      for (int I = 0; I < FView->ViewerCount(); ++I) {
        if (FView->Viewers(I)->Show()) {
          First = FView->Viewers(I);
          break;
        }
      }
      const int Margin = First ? GetImgListMargin(First) : R.Height();
      if (Skin->ImgBackStyle() == tbimsDefault) {
        Fill(Canvas, Rect(R.Left, R.Top, R.Left + Margin + 2, R.Bottom), Skin->RGBColor(cImageList));
      }
      Start = R.Left + Margin + 4;
    }
    Fill(Canvas, Rect(Start, L.Top, R.Right, L.Top + 1), Skin->RGBColor(cSeparator));
  } else {
    Fill(Canvas, Rect(3, L.Top + 1, R.Right - 3, L.Top + 2), Skin->RGBColor(cSeparator));
  }
}

void TTBChevronItemViewer::Paint(TCanvas* Canvas, const TRect& R, bool IsSelected, bool IsPushed,
                                 bool UseDisabledShadow) {
  (void)UseDisabledShadow;
  TTBBaseSkin* Skin = FView->ActiveSkin();
  const bool Enabled = FItem->Enabled();
  if (Enabled) {
    if (IsPushed) {
      if (Skin) {
        FillFrame(Canvas, R, Skin->RGBColor(cFace), Skin->RGBColor(cBorder));
      } else {
        TRect E = R;
        DrawEdge(Canvas->Handle(), &E, BDR_SUNKENOUTER, BF_RECT);
      }
    } else if (IsSelected && !FView->ComponentState().Contains(csDesigning)) {
      if (Skin) {
        FillFrame(Canvas, R, Skin->RGBColor(cSelBar), Skin->RGBColor(cSelBarBorder));
      } else {
        TRect E = R;
        DrawEdge(Canvas->Handle(), &E, BDR_RAISEDINNER, BF_RECT);
      }
    }
  }
  // The double arrow: rows of a pattern (1 = drawn), pointing right on horizontal bars and down on vertical ones.
  static const Byte HorzRows[5] = {0xCC, 0x66, 0x33, 0x66, 0xCC};
  static const Byte VertRows[4] = {0x88, 0xD8, 0x70, 0x20};
  const bool Vertical = FView->Orientation() == tbvoVertical;
  const int D = !Skin && IsPushed ? 1 : 0;
  auto DrawGlyph = [&](int DX, int DY, TColor Color) {
    if (!Vertical) {
      for (int Y = 0; Y < 5; ++Y) {
        for (int X = 0; X < 8; ++X) {
          if (HorzRows[Y] & (0x80 >> X)) {
            Canvas->SetPixels(R.Left + 2 + X + DX, 4 + Y + DY, Color);
          }
        }
      }
    } else {
      for (int Y = 0; Y < 8; ++Y) {
        for (int X = 0; X < 5; ++X) {
          if (VertRows[Y % 4] & (0x80 >> X)) {
            Canvas->SetPixels(R.Right - 9 + X + DX, R.Top + 2 + Y + DY, Color);
          }
        }
      }
    }
  };
  if (Enabled) {
    DrawGlyph(D, D, clBtnText);
  } else {
    DrawGlyph(0, 1, clBtnHighlight);
    DrawGlyph(0, 0, clBtnShadow);
  }
}
