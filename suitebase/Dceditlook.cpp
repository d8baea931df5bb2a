// The drop-down edit's button settings and its look: glyphs, cursors and hints of the buttons, the height that
// fits the font, the hidden caret, and the border of the flat look kept in step with the mouse by timer 1.
#include "suitebase/Dcedit.h"

#include "platform/controls/Forms.h"
#include "platform/graphics/Cursors.h"
#include "platform/graphics/WinGdi.h"

#include <algorithm>

namespace Dcedit {

namespace {
inline constexpr UINT_PTR TrackTimer = 1;
inline constexpr UINT LeaveDelay = 10;  // ms from the mouse leaving to the repaint of the flat look

int ThumbWidth() { return GetSystemMetrics(SM_CXVSCROLL); }
}  // namespace

// ---- Button settings ---------------------------------------------------------------------------------------------

TBitmap* TButtonParams::Glyph() const { return FButton->Glyph(); }

void TButtonParams::SetGlyph(TBitmap* Value) {
  FKind = bkCustom;
  FButton->SetGlyph(Value);
  FButton->Layout = blGlyphLeft;
  GlyphChanged();
}

void TButtonParams::GlyphChanged() {
  if (FKind == bkCustom && FWidth == 0) {
    const int GlyphWidth = FButton->Glyph() && !FButton->Glyph()->Empty() ? FButton->Glyph()->Width() : 0;
    FButton->SetWidth(GlyphWidth > 0 ? GlyphWidth + 4 : ThumbWidth());
    FFrame->SetButtonBounds();
    return;
  }
  FButton->Invalidate();
}

int TButtonParams::NumGlyphs() const { return FButton->NumGlyphs(); }
void TButtonParams::SetNumGlyphs(int Value) { FButton->SetNumGlyphs(Value); }
std::string TButtonParams::Hint() const { return FButton->Hint; }
void TButtonParams::SetHint(const std::string& Value) { FButton->Hint = Value; }
bool TButtonParams::ShowHint() const { return FButton->ShowHint(); }
void TButtonParams::SetShowHint(bool Value) { FButton->SetShowHint(Value); }
bool TButtonParams::ParentShowHint() const { return FButton->ParentShowHint(); }
void TButtonParams::SetParentShowHint(bool Value) { FButton->SetParentShowHint(Value); }

void TButtonParams::Publish(TMetaClass& Meta) {
  TPublisher<TButtonParams> P(Meta);
  P.Property("Width", &TButtonParams::Width, &TButtonParams::SetWidth).Default(0);
  P.Property("Cursor", &TButtonParams::Cursor, &TButtonParams::SetCursor).Type(TypeInfoCursor()).Default(crDefault);
  P.Property("Kind", &TButtonParams::Kind, &TButtonParams::SetKind).Default(bkCustom);
  P.Property("Glyph", &TButtonParams::Glyph, &TButtonParams::SetGlyph).Stored(&TButtonParams::IsGlyphStored);
  P.Property("Hint", &TButtonParams::Hint, &TButtonParams::SetHint);
  P.Property("NumGlyphs", &TButtonParams::NumGlyphs, &TButtonParams::SetNumGlyphs).Default(1);
  P.Property("ParentShowHint", &TButtonParams::ParentShowHint, &TButtonParams::SetParentShowHint).Default(true);
  P.Property("ShowHint", &TButtonParams::ShowHint, &TButtonParams::SetShowHint).Default(false);
  P.Property("Visible", &TButtonParams::Visible, &TButtonParams::SetVisible).Default(true);
}

// ---- The frame's look --------------------------------------------------------------------------------------------

void TCustomDCEdit::SetHideCaret(bool Value) {
  FHideCaret = Value;
  CheckReadOnly();
}

void TCustomDCEdit::AdjustHeight() {
  HDC DC = GetDC(0);
  HGDIOBJ Old = SelectObject(DC, Font()->Handle());
  TEXTMETRIC Metrics{};
  GetTextMetrics(DC, &Metrics);
  SelectObject(DC, Old);
  ReleaseDC(0, DC);
  const int Border = GetSystemMetrics(SM_CYBORDER);
  SetHeight(Metrics.tmHeight + Border * (Ctl3D() || Flat ? 8 : 6));
}

void TCustomDCEdit::UpdateBorder() {
  if (!Flat && !UseNimbraBorder) {
    return;
  }
  const int State = FlatInactive() ? 1 : 0;
  if (State == FBorderState) {
    return;
  }
  FBorderState = State;
  Invalidate();
  FButton1->Button()->Invalidate();
  FButton2->Button()->Invalidate();
}

void TCustomDCEdit::TimerTick() {
  if (FLeavePending) {
    FLeavePending = false;
    UpdateBorder();
    // The drop's tracking goes on on the same timer while the popup is down.
    if (!FDroppedDown) {
      KillTimer(Handle(), TrackTimer);
    }
    return;
  }
  if (FDroppedDown && FPopup && FPopup->HandleAllocated() && GetCapture() == FPopup->Handle()) {
    TPoint P{};
    GetCursorPos(&P);
    ::ScreenToClient(FPopup->Handle(), &P);
    FPopup->Perform(WM_MOUSEMOVE, MK_LBUTTON,
                    static_cast<LPARAM>((static_cast<DWORD>(static_cast<WORD>(P.Y)) << 16) | static_cast<WORD>(P.X)));
  }
}

bool TCustomDCEdit::ButtonCursor() {
  TPoint P{};
  GetCursorPos(&P);
  P = ScreenToClient(P);
  for (TButtonParams* B : {FButton2.get(), FButton1.get()}) {
    TEditButton* Button = B->Button();
    const TRect R = Button->BoundsRect();
    if (Button->Visible() && P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom) {
      ::SetCursor(Screen->Cursors(B->Cursor()));
      return true;
    }
  }
  return false;
}

void TCustomDCEdit::MouseLeft() {
  FMouseOutside = true;
  FLeavePending = true;
  if (HandleAllocated()) {
    SetTimer(Handle(), TrackTimer, LeaveDelay, nullptr);
  }
}

}  // namespace Dcedit
