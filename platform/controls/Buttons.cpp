// The bitmap button (kinds with their captions, modal results and glyphs, drawn as an owner-drawn native
// button) and the speed button (down states, groups, the mouse), both laying out glyph and caption alike.
#include "platform/controls/Buttons.h"
#include "platform/classes/TypInfo.h"
#include "platform/graphics/Colors.h"
#include "platform/graphics/WinGdi.h"
#include "platform/win/NativeControls.h"
#include "platform/win/WinMenu.h"

#include <algorithm>
#include <cstdint>
#include <map>


Z_IMPLEMENT_CLASS_PUBLISHED(TBitBtn, TButton, TBitBtn::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(TSpeedButton, TGraphicControl, TSpeedButton::Publish)

std::string BitBtnCaption(TBitBtnKind Kind) {
  switch (Kind) {
    case bkOK: return "OK";
    case bkCancel: return "Cancel";
    case bkHelp: return "&Help";
    case bkYes: return "&Yes";
    case bkNo: return "&No";
    case bkClose: return "&Close";
    case bkAbort: return "Abort";
    case bkRetry: return "&Retry";
    case bkIgnore: return "&Ignore";
    case bkAll: return "&All";
    case bkCustom: break;
  }
  return {};
}

TModalResult BitBtnModalResult(TBitBtnKind Kind) {
  switch (Kind) {
    case bkOK: return mrOk;
    case bkCancel: return mrCancel;
    case bkYes: return mrYes;
    case bkNo: return mrNo;
    case bkAbort: return mrAbort;
    case bkRetry: return mrRetry;
    case bkIgnore: return mrIgnore;
    case bkAll: return mrAll;
    case bkCustom: case bkHelp: case bkClose: break;
  }
  return mrNone;
}

// ---- Glyph and caption, as both buttons lay them out ---------------------------------------------------------

namespace {

// Where the glyph and the caption go within Client: glyph and caption side by side (or one above the other)
// in the Layout's order, the glyph Margin from its edge (-1: the pair centred) and Spacing from the caption
// (-1: the room shared out evenly). Without a glyph or a caption the other is centred.
void CalcButtonLayout(TCanvas& C, const TRect& Client, TSize GlyphSize, const std::string& Caption,
                      TButtonLayout Layout, int Margin, int Spacing, TPoint& GlyphPos, TRect& TextBounds) {
  TSize TextSize{0, 0};
  if (!Caption.empty()) {
    TRect T = Rect(0, 0, Client.Width(), 0);
    DrawText(C.Handle(), Caption.c_str(), -1, &T, DT_CALCRECT | DT_SINGLELINE);
    TextSize = TSize{T.Width(), T.Height()};
  }
  const bool Across = Layout == blGlyphLeft || Layout == blGlyphRight;
  // Centred across the layout's direction.
  if (Across) {
    GlyphPos.Y = (Client.Height() - GlyphSize.cy + 1) / 2;
    TextBounds.Top = (Client.Height() - TextSize.cy + 1) / 2;
  } else {
    GlyphPos.X = (Client.Width() - GlyphSize.cx + 1) / 2;
    TextBounds.Left = (Client.Width() - TextSize.cx + 1) / 2;
  }
  if (TextSize.cx == 0 || GlyphSize.cx == 0) {
    Spacing = 0;
  }
  const int Space = Across ? Client.Width() : Client.Height();
  const int GlyphLen = Across ? GlyphSize.cx : GlyphSize.cy;
  const int TextLen = Across ? TextSize.cx : TextSize.cy;
  if (Margin == -1) {
    if (Spacing == -1) {
      const int Total = GlyphLen + TextLen;
      Margin = (Space - Total) / 3;
      Spacing = Margin;
    } else {
      const int Total = GlyphLen + Spacing + TextLen;
      Margin = (Space - Total + 1) / 2;
    }
  } else if (Spacing == -1) {
    const int Total = Space - (Margin + GlyphLen);
    Spacing = (Total - TextLen) / 2;
  }
  switch (Layout) {
    case blGlyphLeft:
      GlyphPos.X = Margin;
      TextBounds.Left = GlyphPos.X + GlyphSize.cx + Spacing;
      break;
    case blGlyphRight:
      GlyphPos.X = Client.Width() - Margin - GlyphSize.cx;
      TextBounds.Left = GlyphPos.X - Spacing - TextSize.cx;
      break;
    case blGlyphTop:
      GlyphPos.Y = Margin;
      TextBounds.Top = GlyphPos.Y + GlyphSize.cy + Spacing;
      break;
    case blGlyphBottom:
      GlyphPos.Y = Client.Height() - Margin - GlyphSize.cy;
      TextBounds.Top = GlyphPos.Y - Spacing - TextSize.cy;
      break;
  }
  GlyphPos = Point(GlyphPos.X + Client.Left, GlyphPos.Y + Client.Top);
  TextBounds = Rect(TextBounds.Left + Client.Left, TextBounds.Top + Client.Top,
                    TextBounds.Left + Client.Left + TextSize.cx, TextBounds.Top + Client.Top + TextSize.cy);
}

// The bitmap's pixel as a colour (its rows hold 0x00RRGGBB words).
TColor PixelOf(TBitmap& B, int X, int Y) {
  const std::uint32_t P = static_cast<const std::uint32_t*>(B.ScanLine(Y))[X];
  return static_cast<TColor>(RGB((P >> 16) & 0xFF, (P >> 8) & 0xFF, P & 0xFF));
}

// Draws image Index of the glyph's NumGlyphs side by side at At, its transparent colour (the bottom-left pixel
// of the whole glyph) letting the face show. Disabled without an image of its own, the glyph is drawn in the
// platform's embossed look: its shape in the highlight colour one pixel down and right, then in the shadow.
void DrawButtonGlyph(TCanvas& C, TBitmap& Glyph, int NumGlyphs, int Index, TPoint At, bool Embossed) {
  const int W = Glyph.Width() / NumGlyphs, H = Glyph.Height();
  if (W <= 0 || H <= 0) {
    return;
  }
  if (Glyph.Monochrome()) {
    C.CopyRect(Rect(At.X, At.Y, At.X + W, At.Y + H), Glyph.Canvas(), Rect(Index * W, 0, (Index + 1) * W, H));
    return;
  }
  const COLORREF Key = ColorToRGB(Glyph.TransparentColor());
  HDC DC = C.Handle();
  const COLORREF Light = ColorToRGB(clBtnHighlight), Dark = ColorToRGB(clBtnShadow);
  for (int Pass = Embossed ? 0 : 1; Pass < 2; ++Pass) {
    for (int Y = 0; Y < H; ++Y) {
      for (int X = 0; X < W; ++X) {
        const COLORREF P = ColorToRGB(PixelOf(Glyph, Index * W + X, Y));
        if (P == Key) {
          continue;
        }
        if (!Embossed) {
          SetPixel(DC, At.X + X, At.Y + Y, P);
        } else if (Pass == 0) {
          SetPixel(DC, At.X + X + 1, At.Y + Y + 1, Light);
        } else {
          SetPixel(DC, At.X + X, At.Y + Y, Dark);
        }
      }
    }
  }
}

// Lays out and draws the glyph image of State and the caption within Client, shifted by Offset (a pressed
// face). A disabled caption is embossed like the glyph.
void DrawGlyphAndCaption(TCanvas& C, const TRect& Client, TPoint Offset, TBitmap* Glyph, int NumGlyphs,
                         TSpeedButtonState State, const std::string& Caption, TButtonLayout Layout, int Margin,
                         int Spacing) {
  const bool HasGlyph = Glyph && !Glyph->Empty();
  const TSize GlyphSize = HasGlyph ? TSize{Glyph->Width() / NumGlyphs, Glyph->Height()} : TSize{0, 0};
  TPoint GlyphPos{};
  TRect TextBounds{};
  CalcButtonLayout(C, Client, GlyphSize, Caption, Layout, Margin, Spacing, GlyphPos, TextBounds);
  GlyphPos = Point(GlyphPos.X + Offset.X, GlyphPos.Y + Offset.Y);
  TextBounds = Rect(TextBounds.Left + Offset.X, TextBounds.Top + Offset.Y, TextBounds.Right + Offset.X,
                    TextBounds.Bottom + Offset.Y);
  if (HasGlyph) {
    // The images: up, disabled, down (pressed), exclusive (stays down); a missing one is the up image.
    int Index = State == bsDisabled ? 1 : State == bsDown ? 2 : State == bsExclusive ? 3 : 0;
    if (Index >= NumGlyphs) {
      Index = 0;
    }
    DrawButtonGlyph(C, *Glyph, NumGlyphs, Index, GlyphPos, State == bsDisabled && Index == 0);
  }
  if (!Caption.empty()) {
    C.Brush()->SetStyle(bsClear);
    const UINT Flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (State == bsDisabled) {
      TRect Lit = Rect(TextBounds.Left + 1, TextBounds.Top + 1, TextBounds.Right + 1, TextBounds.Bottom + 1);
      C.Font()->SetColor(clBtnHighlight);
      DrawText(C.Handle(), Caption.c_str(), -1, &Lit, Flags);
      C.Font()->SetColor(clBtnShadow);
    } else {
      C.Font()->SetColor(clBtnText);
    }
    DrawText(C.Handle(), Caption.c_str(), -1, &TextBounds, Flags);
  }
}

// The glyphs of the kinds: two 18 x 18 images (up, disabled) drawn on an olive ground, which is transparent.
TBitmap* KindGlyph(TBitBtnKind Kind) {
  // Kept for the program's life (the drawing objects may be gone by the time statics are destroyed).
  static auto* Made = new std::map<TBitBtnKind, std::unique_ptr<TBitmap>>;
  auto& Slot = (*Made)[Kind];
  if (Slot) {
    return Slot.get();
  }
  Slot = std::make_unique<TBitmap>();
  TBitmap& B = *Slot;
  B.SetSize(36, 18);
  TCanvas& C = *B.Canvas();
  C.Brush()->SetColor(clOlive);
  C.FillRect(Rect(0, 0, 36, 18));
  for (int Image = 0; Image < 2; ++Image) {
    const int X = Image * 18;
    auto Ink = [&](TColor Colour) {
      C.Pen()->SetColor(Image == 1 ? clBtnShadow : Colour);
      C.Brush()->SetColor(Image == 1 ? clBtnShadow : Colour);
      C.Font()->SetColor(Image == 1 ? clBtnShadow : Colour);
    };
    auto Thick = [&](int X1, int Y1, int X2, int Y2) {
      for (int D = 0; D < 2; ++D) {
        C.MoveTo(X + X1, Y1 + D);
        C.LineTo(X + X2, Y2 + D);
      }
    };
    switch (Kind) {
      case bkOK: case bkYes: case bkAll:
        Ink(clGreen);
        Thick(3, 9, 7, 13);
        Thick(7, 13, 15, 4);
        if (Kind == bkAll) Thick(7, 8, 10, 11);
        break;
      case bkCancel: case bkAbort: case bkNo:
        Ink(clRed);
        Thick(4, 4, 14, 14);
        Thick(13, 4, 3, 14);
        break;
      case bkClose:
        Ink(clTeal);
        C.Brush()->SetStyle(bsClear);
        C.Rectangle(X + 4, 2, X + 14, 16);
        C.Rectangle(X + 10, 8, X + 12, 10);
        break;
      case bkHelp: case bkRetry: case bkIgnore: {
        Ink(Kind == bkHelp ? clNavy : clGreen);
        C.Brush()->SetStyle(bsClear);
        const std::string Mark = Kind == bkHelp ? "?" : Kind == bkRetry ? "R" : "I";
        C.TextOut(X + (18 - C.TextWidth(Mark)) / 2, (18 - C.TextHeight(Mark)) / 2, Mark);
        break;
      }
      case bkCustom: break;
    }
    C.Brush()->SetStyle(bsSolid);
  }
  return Slot.get();
}

}  // namespace

// ---- TBitBtn ----------------------------------------------------------------------------------------------------

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner), FGlyph(std::make_unique<TBitmap>()) {}

void TBitBtn::CreateParams(TCreateParams& Params) {
  TButton::CreateParams(Params);
  Params.Style = (Params.Style & ~BS_TYPEMASK) | BS_OWNERDRAW;
}

TBitmap* TBitBtn::ShownGlyph() const {
  if (FGlyph->Empty() && FKind != bkCustom) {
    return KindGlyph(FKind);
  }
  return FGlyph.get();
}

int TBitBtn::ShownNumGlyphs() const { return FGlyph->Empty() && FKind != bkCustom ? 2 : FNumGlyphs; }

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& DrawItemStruct) {
  TCanvas C;
  C.SetHandle(DrawItemStruct.hDC);
  const int Saved = SaveDC(DrawItemStruct.hDC);
  C.Font()->Assign(Font());
  TRect R = DrawItemStruct.rcItem;
  const bool IsDown = DrawItemStruct.itemState & ODS_SELECTED;
  const bool IsFocused = DrawItemStruct.itemState & ODS_FOCUS;
  const bool IsDisabled = (DrawItemStruct.itemState & ODS_DISABLED) || !Enabled();
  const bool IsDefault = Active();
  // The frame: a dark line round a focused or active (default) button, then the face raised or pressed.
  if (IsFocused || IsDefault) {
    C.Pen()->SetColor(clWindowFrame);
    C.Brush()->SetStyle(bsClear);
    C.Rectangle(R.Left, R.Top, R.Right, R.Bottom);
    R = Rect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
  }
  if (IsDown) {
    C.Pen()->SetColor(clBtnShadow);
    C.Brush()->SetStyle(bsSolid);
    C.Brush()->SetColor(clBtnFace);
    C.Rectangle(R.Left, R.Top, R.Right, R.Bottom);
    R = Rect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
  } else {
    DrawFrameControl(C.Handle(), &R, DFC_BUTTON,
                     DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (IsDisabled ? DFCS_INACTIVE : 0));
  }
  const TSpeedButtonState State = IsDisabled ? bsDisabled : IsDown ? bsDown : bsUp;
  DrawGlyphAndCaption(C, R, IsDown ? Point(1, 1) : Point(0, 0), ShownGlyph(), ShownNumGlyphs(), State, Caption(),
                      Layout, Margin, Spacing);
  if (IsFocused) {
    TRect F = DrawItemStruct.rcItem;
    F = Rect(F.Left + 4, F.Top + 4, F.Right - 4, F.Bottom - 4);
    C.Pen()->SetColor(clWindowFrame);
    C.Brush()->SetColor(clBtnFace);
    DrawFocusRect(C.Handle(), &F);
  }
  RestoreDC(DrawItemStruct.hDC, Saved);
  C.SetHandle(0);
}

void TBitBtn::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_DRAWITEM:
      DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam));
      Message.Result = TRUE;
      return;
    case BM_SETSTYLE:
      // Default and not: the button stays owner-drawn and shows it with its frame.
      Message.WParam = (Message.WParam & ~static_cast<WPARAM>(BS_TYPEMASK)) | BS_OWNERDRAW;
      TButton::Dispatch(Message);
      Invalidate();
      return;
    case CM_ENABLEDCHANGED: case CM_TEXTCHANGED: case CM_FONTCHANGED: case WM_SETFOCUS: case WM_KILLFOCUS:
      TButton::Dispatch(Message);
      Invalidate();
      return;
    default:
      break;
  }
  TButton::Dispatch(Message);
}

TBitBtn::~TBitBtn() = default;

void TBitBtn::SetKind(TBitBtnKind Value) {
  if (Value == FKind) {
    return;
  }
  FKind = Value;
  if (Value == bkCustom) {
    return;
  }
  SetCaption(BitBtnCaption(Value));
  ModalResult = BitBtnModalResult(Value);
  if (Value == bkOK) SetDefault(true);
  if (Value == bkCancel) Cancel = true;
}

void TBitBtn::SetGlyph(TBitmap* Value) {
  FGlyph->Assign(Value);
  // A glyph of square images side by side says how many it holds (more than four: one image).
  if (Value && !Value->Empty() && Value->Width() % Value->Height() == 0) {
    const int Parts = Value->Width() / Value->Height();
    FNumGlyphs = Parts <= 4 ? Parts : 1;
  }
  Invalidate();
}

void TBitBtn::SetNumGlyphs(TNumGlyphs Value) {
  FNumGlyphs = std::clamp(Value, 1, 4);
  Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout Value) {
  if (Value != Layout) {
    Layout = Value;
    Invalidate();
  }
}

void TBitBtn::SetMargin(int Value) {
  if (Value != Margin && Value >= -1) {
    Margin = Value;
    Invalidate();
  }
}

void TBitBtn::SetSpacing(int Value) {
  if (Value != Spacing) {
    Spacing = Value;
    Invalidate();
  }
}

void TBitBtn::Click() {
  if (FKind == bkClose) {
    if (TCustomForm* Form = GetParentForm(this)) {
      TButton::Click();
      Form->Close();
      return;
    }
  }
  TButton::Click();
}

void TBitBtn::Publish(TMetaClass& Meta) {
  TPublisher<TBitBtn> P(Meta);
  P.Property("Kind", &TBitBtn::Kind, &TBitBtn::SetKind).Default(bkCustom);
  P.Property("Glyph", &TBitBtn::Glyph, &TBitBtn::SetGlyph);
  P.Property("Layout", &TBitBtn::Layout, &TBitBtn::SetLayout).Default(blGlyphLeft);
  P.Property("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin).Default(-1);
  P.Property("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs).Default(1);
  P.Property("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing).Default(4);
}

// ---- TSpeedButton -----------------------------------------------------------------------------------------------

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>()) {
  ControlStyle = TControlStyle{csCaptureMouse, csDoubleClicks};
  SetBounds(0, 0, 23, 22);
}

TSpeedButton::~TSpeedButton() = default;

TSpeedButtonState TSpeedButton::State() const {
  if (!const_cast<TSpeedButton*>(this)->Enabled()) return bsDisabled;
  if (FDown) return bsExclusive;
  return FPressed && FMouseInControl ? bsDown : bsUp;
}

void TSpeedButton::Click() { TGraphicControl::Click(); }

void TSpeedButton::SetDown(bool Value) {
  if (FGroupIndex == 0) {
    Value = false;  // only a button of a group stays down
  }
  if (Value == FDown) {
    return;
  }
  if (FDown && !FAllowAllUp) {
    return;  // one button of the group is always down
  }
  FDown = Value;
  Invalidate();
  if (Value) {
    UpdateExclusive(false);
  }
}

void TSpeedButton::SetGroupIndex(int Value) {
  if (Value != FGroupIndex) {
    FGroupIndex = Value;
    if (Value == 0 && FDown) {
      FDown = false;
      Invalidate();
    }
    UpdateExclusive(true);
  }
}

void TSpeedButton::SetAllowAllUp(bool Value) {
  if (Value != FAllowAllUp) {
    FAllowAllUp = Value;
    UpdateExclusive(true);
  }
}

void TSpeedButton::UpdateExclusive(bool ShareAllowAllUp) {
  TWinControl* P = Parent();
  if (FGroupIndex == 0 || !P) {
    return;
  }
  for (int I = 0; I < P->ControlCount(); ++I) {
    auto* B = dynamic_cast<TSpeedButton*>(P->Controls(I));
    if (!B || B == this || B->FGroupIndex != FGroupIndex) {
      continue;
    }
    if (ShareAllowAllUp) {
      B->FAllowAllUp = FAllowAllUp;
    } else if (FDown && B->FDown) {
      B->FDown = false;
      B->Invalidate();
    }
  }
}

void TSpeedButton::SetFlat(bool Value) {
  if (Value != FFlat) {
    FFlat = Value;
    Invalidate();
  }
}

void TSpeedButton::SetGlyph(TBitmap* Value) {
  FGlyph->Assign(Value);
  Invalidate();
}

void TSpeedButton::SetNumGlyphs(TNumGlyphs Value) {
  FNumGlyphs = std::clamp(Value, 1, 4);
  Invalidate();
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft && Enabled()) {
    FPressed = true;
    FMouseInControl = true;
    Invalidate();
  }
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  if (FPressed) {
    const bool Inside = X >= 0 && Y >= 0 && X < Width() && Y < Height();
    if (Inside != FMouseInControl) {
      FMouseInControl = Inside;
      Invalidate();
    }
  }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseUp(Button, Shift, X, Y);
  if (Button != mbLeft || !FPressed) {
    return;
  }
  FPressed = false;
  // Released elsewhere, the press is abandoned.
  const bool DoClick = X >= 0 && Y >= 0 && X < Width() && Y < Height();
  if (DoClick && FGroupIndex != 0) {
    SetDown(!FDown);
  }
  Invalidate();
  if (DoClick) {
    Click();
  }
}

void TSpeedButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_MOUSEENTER: FMouseInControl = true; if (FFlat) Invalidate(); break;
    case CM_MOUSELEAVE: FMouseInControl = false; if (FFlat) Invalidate(); break;
    case CM_ENABLEDCHANGED: case CM_TEXTCHANGED: Invalidate(); break;
    default: break;
  }
  TGraphicControl::Dispatch(Message);
}

void TSpeedButton::Paint() {
  PaintOn(*TGraphicControl::Canvas(), Point(0, 0));
}

void TSpeedButton::PaintOn(TCanvas& C, TPoint Origin) {
  TRect R = Rect(Origin.X, Origin.Y, Origin.X + Width(), Origin.Y + Height());
  const TSpeedButtonState S = State();
  C.Brush()->SetStyle(bsSolid);
  C.Brush()->SetColor(S == bsExclusive ? clBtnHighlight : clBtnFace);
  C.FillRect(R);
  // A flat button shows its frame only while down or under the mouse.
  const bool Sunken = S == bsDown || S == bsExclusive;
  if (!FFlat || Sunken || FMouseInControl) {
    C.Pen()->SetColor(Sunken ? clBtnShadow : clBtnHighlight);
    C.MoveTo(R.Left, R.Bottom - 1);
    C.LineTo(R.Left, R.Top);
    C.LineTo(R.Right - 1, R.Top);
    C.Pen()->SetColor(Sunken ? clBtnHighlight : clBtnShadow);
    C.LineTo(R.Right - 1, R.Bottom - 1);
    C.LineTo(R.Left - 1, R.Bottom - 1);
  }
  const int Shift = Sunken ? 1 : 0;
  DrawGlyphAndCaption(C, R, Point(Shift, Shift), FGlyph.get(), FNumGlyphs, S, Caption(), Layout, Margin, Spacing);
}

void TSpeedButton::Publish(TMetaClass& Meta) {
  TPublisher<TSpeedButton> P(Meta);
  P.Property("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp).Default(false);
  P.Property("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex).Default(0);
  P.Property("Down", &TSpeedButton::Down, &TSpeedButton::SetDown).Default(false);
  P.Property("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat).Default(false);
  P.Property("Glyph", &TSpeedButton::Glyph, &TSpeedButton::SetGlyph);
  P.Property("Layout", &TSpeedButton::Layout, &TSpeedButton::Layout).Default(blGlyphLeft);
  P.Property("Margin", &TSpeedButton::Margin, &TSpeedButton::Margin).Default(-1);
  P.Property("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs).Default(1);
  P.Property("Spacing", &TSpeedButton::Spacing, &TSpeedButton::Spacing).Default(4);
}
