// How controls look: colour and font (own or the parent's), the canvas of self-painting controls, and the type
// records that let layouts name colours and cursors.
#include "platform/classes/ClassRegistry.h"
#include "platform/controls/Controls.h"

#include <iterator>

namespace {

const TIdentMapEntry CursorNames[] = {
    {crDefault, "crDefault"},     {crNone, "crNone"},         {crArrow, "crArrow"},       {crCross, "crCross"},
    {crIBeam, "crIBeam"},         {crSizeNESW, "crSizeNESW"}, {crSizeNS, "crSizeNS"},     {crSizeNWSE, "crSizeNWSE"},
    {crSizeWE, "crSizeWE"},       {crUpArrow, "crUpArrow"},   {crHourGlass, "crHourGlass"}, {crDrag, "crDrag"},
    {crNoDrop, "crNoDrop"},       {crHSplit, "crHSplit"},     {crVSplit, "crVSplit"},     {crMultiDrag, "crMultiDrag"},
    {crSQLWait, "crSQLWait"},     {crNo, "crNo"},             {crAppStart, "crAppStart"}, {crHelp, "crHelp"},
    {crHandPoint, "crHandPoint"}, {crSizeAll, "crSizeAll"},   {crSize, "crSize"}};

bool IdentToCursor(const std::string& Ident, int& Value) {
  return IdentToInt(Ident, Value, CursorNames, static_cast<int>(std::size(CursorNames)));
}

bool CursorToIdent(int Value, std::string& Ident) {
  return IntToIdent(Value, Ident, CursorNames, static_cast<int>(std::size(CursorNames)));
}

}  // namespace

PTypeInfo TypeInfoCursor() {
  static const TTypeInfo* Info = [] {
    static const TTypeInfo I = MakeOrdTypeInfo(tkInteger, "TCursor", otSLong, -32768, 32767);
    RegisterIntegerConsts(&I, &IdentToCursor, &CursorToIdent);
    return &I;
  }();
  return Info;
}

// ---- Colour and font --------------------------------------------------------------------------------------------

void TControl::SetColor(TColor Value) {
  if (FColor != Value) {
    FColor = Value;
    FParentColor = false;
    Perform(CM_COLORCHANGED, 0, 0);
  } else {
    FParentColor = false;
  }
}

void TControl::SetParentColor(bool Value) {
  if (FParentColor != Value) {
    FParentColor = Value;
    if (Value) {
      TakeParentColor();
    }
  }
}

void TControl::TakeParentColor() {
  if (FParentColor && FParent && FParent->Color() != FColor) {
    FColor = FParent->Color();
    Perform(CM_COLORCHANGED, 0, 0);
  }
}

void TControl::SetParentFont(bool Value) {
  if (FParentFont != Value) {
    FParentFont = Value;
    if (Value) {
      TakeParentFont();
    }
  }
}

void TControl::TakeParentFont() {
  if (FParentFont && FParent) {
    FTakingParentFont = true;
    try {
      FFont->Assign(FParent->Font());
    } catch (...) {
      FTakingParentFont = false;
      throw;
    }
    FTakingParentFont = false;
  }
}

void TControl::FontChanged() {
  if (!FTakingParentFont) {
    FParentFont = false;
  }
  Perform(CM_FONTCHANGED, 0, 0);
}

// ---- Hints, reading order and the 3D look -----------------------------------------------------------------------

void TControl::SetShowHint(bool Value) {
  FParentShowHint = false;
  if (FShowHint != Value) {
    FShowHint = Value;
    Perform(CM_SHOWHINTCHANGED, 0, 0);
  }
}

void TControl::SetParentShowHint(bool Value) {
  if (FParentShowHint != Value) {
    FParentShowHint = Value;
    if (Value) {
      TakeParentShowHint();
    }
  }
}

void TControl::TakeParentShowHint() {
  if (FParentShowHint && FParent && FParent->ShowHint() != FShowHint) {
    FShowHint = FParent->ShowHint();
    Perform(CM_SHOWHINTCHANGED, 0, 0);
  }
}

void TControl::SetBiDiMode(TBiDiMode Value) {
  FParentBiDiMode = false;
  if (FBiDiMode != Value) {
    FBiDiMode = Value;
    Perform(CM_BIDIMODECHANGED, 0, 0);
  }
}

void TControl::SetParentBiDiMode(bool Value) {
  if (FParentBiDiMode != Value) {
    FParentBiDiMode = Value;
    if (Value) {
      TakeParentBiDiMode();
    }
  }
}

void TControl::TakeParentBiDiMode() {
  if (FParentBiDiMode && FParent && FParent->BiDiMode() != FBiDiMode) {
    FBiDiMode = FParent->BiDiMode();
    Perform(CM_BIDIMODECHANGED, 0, 0);
  }
}

void TWinControl::SetCtl3D(bool Value) {
  FParentCtl3D = false;
  if (FCtl3D != Value) {
    FCtl3D = Value;
    Perform(CM_CTL3DCHANGED, 0, 0);
  }
}

void TWinControl::SetParentCtl3D(bool Value) {
  if (FParentCtl3D != Value) {
    FParentCtl3D = Value;
    if (Value) {
      TakeParentCtl3D();
    }
  }
}

void TWinControl::TakeParentCtl3D() {
  if (FParentCtl3D && FParent && FParent->Ctl3D() != FCtl3D) {
    FCtl3D = FParent->Ctl3D();
    Perform(CM_CTL3DCHANGED, 0, 0);
  }
}

void TWinControl::AddBorder(TCreateParams& Params) const {
  if (FCtl3D) {
    Params.ExStyle |= WS_EX_CLIENTEDGE;
  } else {
    Params.Style |= WS_BORDER;
  }
}

void TWinControl::ApplyBorderStyles() {
  if (!FHandle) {
    return;
  }
  TCreateParams Params;
  CreateParams(Params);
  const auto Style = static_cast<DWORD>(GetWindowLong(FHandle, GWL_STYLE));
  const auto ExStyle = static_cast<DWORD>(GetWindowLong(FHandle, GWL_EXSTYLE));
  // WS_BORDER is part of a caption: a window with one keeps it.
  const DWORD BorderBit = (Style & WS_CAPTION) == WS_CAPTION ? 0 : WS_BORDER;
  const DWORD NewStyle = (Style & ~BorderBit) | (Params.Style & BorderBit);
  const DWORD NewExStyle = (ExStyle & ~WS_EX_CLIENTEDGE) | (Params.ExStyle & WS_EX_CLIENTEDGE);
  if (NewStyle == Style && NewExStyle == ExStyle) {
    return;
  }
  SetWindowLong(FHandle, GWL_STYLE, static_cast<LONG>(NewStyle));
  SetWindowLong(FHandle, GWL_EXSTYLE, static_cast<LONG>(NewExStyle));
  // The client area follows the new frame, and the whole window (frame included) is drawn again.
  SetWindowPos(FHandle, 0, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- TCustomControl ---------------------------------------------------------------------------------------------

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner), FCanvas(std::make_unique<TCanvas>()) {}

void TCustomControl::Dispatch(TMessage& Message) {
  if (Message.Msg != WM_PAINT) {
    TWinControl::Dispatch(Message);
    return;
  }
  PAINTSTRUCT Ps;
  HDC DC = Message.WParam ? static_cast<HDC>(Message.WParam) : BeginPaint(FHandle, &Ps);
  FCanvas->Lock();
  try {
    FCanvas->SetHandle(DC);
    FCanvas->SetFont(Font());
    FCanvas->Brush()->SetColor(Color());
    ControlState.Include(csCustomPaint);
    Paint();
    // The graphic controls on top draw with their own canvases into the same context.
    PaintControls(DC, nullptr);
  } catch (...) {
    ControlState.Exclude(csCustomPaint);
    FCanvas->SetHandle(0);
    FCanvas->Unlock();
    if (!Message.WParam) {
      EndPaint(FHandle, &Ps);
    }
    throw;
  }
  ControlState.Exclude(csCustomPaint);
  FCanvas->SetHandle(0);
  FCanvas->Unlock();
  if (!Message.WParam) {
    EndPaint(FHandle, &Ps);
  }
}

void TCustomControl::Paint() {
  if (OnPaint) {
    OnPaint(this);
  }
}
