// The graphic value displays, the check box editor, the colour list and the colour edit.
#include "suitebase/Dceditors.h"

#include "platform/graphics/Colors.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/WinGdi.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/DateUtils.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/ListControls.h"
#include "platform/rtl/UnitInit.h"
#include "platform/win/VirtualKeys.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace Dcedit {

Z_IMPLEMENT_CLASS(TGraphicEdit, TCustomControl)
Z_IMPLEMENT_CLASS(TColorEdit, TGraphicEdit)
Z_IMPLEMENT_CLASS(TGraphEdit, TGraphicEdit)
Z_IMPLEMENT_CLASS(TCheckEdit, TCustomControl)
Z_IMPLEMENT_CLASS(TRadioEdit, TCheckEdit)
Z_IMPLEMENT_CLASS(TPenStyleEdit, TGraphicEdit)
Z_IMPLEMENT_CLASS(ZEZDtEdit, TDateTimePicker)
Z_IMPLEMENT_CLASS(ZEZDateEdit, ZEZDtEdit)
Z_IMPLEMENT_CLASS(ZEZTimeEdit, ZEZDtEdit)
Z_IMPLEMENT_CLASS(TBrushStyleEdit, TGraphicEdit)
Z_IMPLEMENT_CLASS(TPopupPenBox, TPopupListBox)
Z_IMPLEMENT_CLASS(TPopupBrushBox, TPopupListBox)
Z_IMPLEMENT_CLASS_PUBLISHED(ZEZPenStyleEdit, TCustomDCEdit, ZEZPenStyleEdit::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(ZEZBrushStyleEdit, TCustomDCEdit, ZEZBrushStyleEdit::Publish)
Z_IMPLEMENT_CLASS(TPopupColorBox, TPopupListBox)
Z_IMPLEMENT_CLASS_PUBLISHED(ZEZColorEdit, TCustomDCEdit, ZEZColorEdit::Publish)

namespace {

// Answers the text messages from a value text.
bool TextMessage(TMessage& Message, const std::string& Text) {
  if (Message.Msg == WM_GETTEXTLENGTH) {
    Message.Result = static_cast<LRESULT>(Text.size());
    return true;
  }
  if (Message.Msg == WM_GETTEXT) {
    auto* Buffer = reinterpret_cast<char*>(Message.LParam);
    const std::size_t Max = static_cast<std::size_t>(Message.WParam);
    if (Buffer && Max > 0) {
      const std::size_t N = std::min(Text.size(), Max - 1);
      std::copy_n(Text.data(), N, Buffer);
      Buffer[N] = '\0';
      Message.Result = static_cast<LRESULT>(N);
    }
    return true;
  }
  return false;
}

TCanvas* PaintToCanvasOf(const TMessage& Message) { return reinterpret_cast<TCanvas*>(Message.WParam); }

bool FrameShowsFocus(TWinControl* Editor) {
  auto* Frame = dynamic_cast<TCustomDCEdit*>(Editor->Owner());
  return Frame && Frame->HandleAllocated() && Editor->HandleAllocated() &&
         (GetFocus() == Frame->Handle() || GetFocus() == Editor->Handle());
}

}  // namespace

// ---- Graphic displays --------------------------------------------------------------------------------------------

TGraphicEdit::TGraphicEdit(TComponent* AOwner) : TCustomControl(AOwner) { TabStop = true; }

void TGraphicEdit::Dispatch(TMessage& Message) {
  if (TextMessage(Message, GetValueText())) {
    return;
  }
  switch (Message.Msg) {
    case WM_SETTEXT:
      SetValueText(Message.LParam ? reinterpret_cast<const char*>(Message.LParam) : "");
      if (auto* Frame = dynamic_cast<TCustomDCEdit*>(Owner())) {
        Frame->Change();
      }
      Invalidate();
      Message.Result = 1;
      return;
    case CM_PAINTTO:
      PaintToCanvas(PaintToCanvasOf(Message), static_cast<short>(LOWORD(Message.LParam)),
                    static_cast<short>(HIWORD(Message.LParam)));
      Message.Result = 1;
      return;
    default: TCustomControl::Dispatch(Message); return;
  }
}

void TGraphicEdit::Paint() { PaintToCanvas(Canvas(), 0, 0); }

TColorEdit::TColorEdit(TComponent* AOwner) : TGraphicEdit(AOwner) { FValue = "clBlack"; }

void TColorEdit::SetValueText(const std::string& Value) {
  (void)StringToColor(Value);  // a name that is no colour is refused before it is taken
  FValue = Value;
}

void TColorEdit::PaintToCanvas(TCanvas* Canvas, int X, int Y) {
  const int W = std::max(ClientWidth(), 1);
  const int H = std::max(ClientHeight(), 1);
  TBitmap B;
  B.SetSize(W, H);
  TCanvas* C = B.Canvas();
  C->Brush()->SetColor(Color());
  C->FillRect(TRect{0, 0, W, H});
  C->Brush()->SetColor(clBlack);
  C->FrameRect(TRect{2, 2, 24, H - 2});
  C->Brush()->SetColor(StringToColor(FValue));
  C->FillRect(TRect{3, 3, 23, H - 3});
  C->Brush()->SetColor(Color());
  C->SetFont(Font());
  C->Font()->SetColor(Enabled() ? Font()->Color() : clBtnShadow);
  SetBkMode(C->Handle(), TRANSPARENT);
  TRect Text{28, 0, W, H};
  const std::string Name = FValue.size() > 2 ? FValue.substr(2) : FValue;
  DrawText(C->Handle(), Name.c_str(), static_cast<int>(Name.size()), &Text,
           DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (FrameShowsFocus(this)) {
    C->DrawFocusRect(TRect{0, 0, W, H});
  }
  Canvas->Draw(X, Y, &B);
}

void TGraphEdit::PaintToCanvas(TCanvas* Canvas, int X, int Y) {
  const TRect R{X, Y, X + ClientWidth(), Y + ClientHeight()};
  TGraphic* Graphic = dynamic_cast<TCustomDCPropEditor*>(Owner()) ? GetGraphic() : nullptr;
  if (!Graphic || Graphic->Empty() || Graphic->Transparent()) {
    Canvas->Brush()->SetColor(Color());
    Canvas->FillRect(R);
  }
  if (Graphic && !Graphic->Empty()) {
    Canvas->StretchDraw(R, Graphic);
  }
}

namespace {
// The value of a style name of an enumeration, or a conversion error naming the text.
int StyleValue(PTypeInfo Type, const std::string& Name) {
  const int V = GetEnumValue(Type, Name);
  if (V < 0) {
    throw EConvertError("'" + Name + "' is not a valid " + Type->Name);
  }
  return V;
}
}  // namespace

TPenStyleEdit::TPenStyleEdit(TComponent* AOwner) : TGraphicEdit(AOwner) { FValue = "psSolid"; }

void TPenStyleEdit::SetValueText(const std::string& Value) {
  (void)StyleValue(TypeInfo<TPenStyle>(), Value);
  FValue = Value;
}

void TPenStyleEdit::PaintToCanvas(TCanvas* Canvas, int X, int Y) {
  const int W = std::max(ClientWidth(), 1);
  const int H = std::max(ClientHeight(), 1);
  TBitmap B;
  B.SetSize(W, H);
  TCanvas* C = B.Canvas();
  C->Brush()->SetColor(Color());
  C->FillRect(TRect{0, 0, W, H});
  C->Pen()->SetColor(clBlack);
  C->Pen()->SetWidth(1);
  C->Pen()->SetStyle(static_cast<TPenStyle>(StyleValue(TypeInfo<TPenStyle>(), FValue)));
  C->MoveTo(2, H / 2);
  C->LineTo(W - 2, H / 2);
  if (FrameShowsFocus(this)) {
    C->DrawFocusRect(TRect{0, 0, W, H});
  }
  Canvas->Draw(X, Y, &B);
}

TBrushStyleEdit::TBrushStyleEdit(TComponent* AOwner) : TGraphicEdit(AOwner) { FValue = "bsSolid"; }

void TBrushStyleEdit::SetValueText(const std::string& Value) {
  (void)StyleValue(TypeInfo<TBrushStyle>(), Value);
  FValue = Value;
}

void TBrushStyleEdit::PaintToCanvas(TCanvas* Canvas, int X, int Y) {
  const int W = std::max(ClientWidth(), 1);
  const int H = std::max(ClientHeight(), 1);
  TBitmap B;
  B.SetSize(W, H);
  TCanvas* C = B.Canvas();
  C->Brush()->SetColor(Color());
  C->FillRect(TRect{0, 0, W, H});
  C->Brush()->SetColor(clBlack);
  C->FrameRect(TRect{2, 2, 24, H - 2});
  C->Brush()->SetColor(clInfoBk);
  C->FillRect(TRect{3, 3, 23, H - 3});
  const auto Style = static_cast<TBrushStyle>(StyleValue(TypeInfo<TBrushStyle>(), FValue));
  if (Style != bsClear) {
    C->Brush()->SetColor(clBlack);
    C->Brush()->SetStyle(Style);
    SetBkColor(C->Handle(), ColorToRGB(clInfoBk));
    C->FillRect(TRect{3, 3, 23, H - 3});
    C->Brush()->SetStyle(bsSolid);
  }
  C->Brush()->SetColor(Color());
  C->SetFont(Font());
  C->Font()->SetColor(Enabled() ? Font()->Color() : clBtnShadow);
  SetBkMode(C->Handle(), TRANSPARENT);
  TRect Text{28, 0, W, H};
  const std::string Name = FValue.size() > 2 ? FValue.substr(2) : FValue;
  DrawText(C->Handle(), Name.c_str(), static_cast<int>(Name.size()), &Text,
           DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (FrameShowsFocus(this)) {
    C->DrawFocusRect(TRect{0, 0, W, H});
  }
  Canvas->Draw(X, Y, &B);
}

// ---- Check box ---------------------------------------------------------------------------------------------------

TCheckEdit::TCheckEdit(TComponent* AOwner) : TCustomControl(AOwner) {
  SetColor(clWindow);
  TabStop = true;
}

void TCheckEdit::Dispatch(TMessage& Message) {
  const bool Value = FChecked != Inverted;
  if (TextMessage(Message, Value ? "True" : "False")) {
    return;
  }
  switch (Message.Msg) {
    case WM_SETTEXT: {
      const char* Text = Message.LParam ? reinterpret_cast<const char*>(Message.LParam) : "";
      const char First = static_cast<char>(std::toupper(static_cast<unsigned char>(Text[0])));
      const bool NewValue = First == 'T' || First == 'Y';
      if (NewValue != Value) {
        FChecked = !FChecked;
        Invalidate();
      }
      FModified = false;
      Message.Result = 1;
      return;
    }
    case EM_GETMODIFY: Message.Result = FModified ? 1 : 0; return;
    case WM_ERASEBKGND: Message.Result = 1; return;
    case CM_EDITCLICK: ChangeChecked(); return;
    case CM_PAINTTO: {
      TCanvas* C = PaintToCanvasOf(Message);
      Paint();
      C->CopyRect(ClientRect(), Canvas(), ClientRect());
      Message.Result = 1;
      return;
    }
    default: TCustomControl::Dispatch(Message); return;
  }
}

void TCheckEdit::ChangeChecked() {
  auto* Frame = dynamic_cast<TCustomDCEdit*>(Owner());
  if (Frame && Frame->GetReadOnly()) {
    return;
  }
  FChecked = !FChecked;
  if (Frame) {
    Frame->Change();
  }
  Invalidate();
  FModified = true;
  if (Frame) {
    Frame->Term();
  }
}

void TCheckEdit::Paint() {
  TCanvas* C = Canvas();
  C->Brush()->SetColor(Color());
  C->FillRect(ClientRect());
  const int H = ClientHeight();
  const int Box = Scaled ? H : std::min(H, Dorazori::DefaultCheckHeight());
  auto* Frame = dynamic_cast<TCustomDCEdit*>(Owner());
  const int Left = Frame ? Frame->CheckIndent : 2;
  TRect R{Left, (H - Box) / 2, Left + Box, (H - Box) / 2 + Box};
  UINT State = GetWinStyle() | (FChecked ? DFCS_CHECKED : 0) | (Enabled() ? 0 : DFCS_INACTIVE) | (Cute ? DFCS_FLAT : 0);
  DrawFrameControl(C->Handle(), &R, DFC_BUTTON, State);
}

void TCheckEdit::KeyPress(char& Key) {
  TCustomControl::KeyPress(Key);
  if (Key == ' ') {
    ChangeChecked();
    Key = 0;
  }
}

void TCheckEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  if (Button != mbLeft) {
    return;
  }
  if (CanFocus()) {
    SetFocus();
  }
  const int Box = ClientHeight() + 2;
  if (ClickAnywhere || (X < Box && Y < Box)) {
    ChangeChecked();
  }
}

void TRadioEdit::KeyPress(char& Key) {
  if (Key == ' ' && Checked()) {
    Key = 0;
    return;
  }
  TCheckEdit::KeyPress(Key);
}

void TRadioEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (Button == mbLeft && Checked()) {
    if (OnClick) {
      OnClick(this);
    }
    return;
  }
  TCheckEdit::MouseDown(Button, Shift, X, Y);
}

// ---- Colours -----------------------------------------------------------------------------------------------------

namespace {
// The common look of a swatch list's row: the row filled, a swatch rectangle from (left + 2, top + 2) to
// bottom - 2 and to left + 24 with names or right - 3 without, and with names the text from left + 28, vertically
// centred. Swatch paints inside the given rectangle.
void DrawSwatchRow(TCanvas* C, const TRect& Rect, const std::string& Name, bool DisplayNames,
                   const std::function<void(TCanvas*, const TRect&)>& Swatch) {
  C->FillRect(Rect);
  const TRect S{Rect.Left + 2, Rect.Top + 2, DisplayNames ? Rect.Left + 24 : Rect.Right - 3, Rect.Bottom - 2};
  const TColor Back = C->Brush()->Color();
  Swatch(C, S);
  C->Brush()->SetStyle(bsSolid);
  C->Brush()->SetColor(Back);
  C->Pen()->SetStyle(psSolid);
  if (DisplayNames) {
    SetBkMode(C->Handle(), TRANSPARENT);
    TRect Text{Rect.Left + 28, Rect.Top, Rect.Right, Rect.Bottom};
    DrawText(C->Handle(), Name.c_str(), static_cast<int>(Name.size()), &Text,
             DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
}

void FramedSwatch(TCanvas* C, const TRect& S) {
  C->Brush()->SetColor(clBlack);
  C->FrameRect(S);
}

std::uintptr_t ItemValue(TStrings* Items, int Index) { return reinterpret_cast<std::uintptr_t>(Items->Objects(Index)); }
}  // namespace

TPopupColorBox::TPopupColorBox(TComponent* AOwner) : TPopupListBox(AOwner) { SetStyle(lbOwnerDrawFixed); }

void TPopupColorBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  (void)State;
  if (Index < 0 || Index >= Items()->Count()) {
    Canvas()->FillRect(Rect);
    return;
  }
  const auto Value = static_cast<TColor>(ItemValue(Items(), Index));
  DrawSwatchRow(Canvas(), Rect, Items()->Strings(Index), DisplayNames, [&](TCanvas* C, const TRect& S) {
    FramedSwatch(C, S);
    C->Brush()->SetColor(Value);
    C->FillRect(TRect{S.Left + 1, S.Top + 1, S.Right - 1, S.Bottom - 1});
  });
}

void TPopupColorBox::BuildList() {
  static const TColor Standard[] = {clBlack,  clMaroon, clGreen, clOlive,  clNavy, clPurple,  clTeal, clGray,
                                    clSilver, clRed,    clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite};
  Items()->BeginUpdate();
  Items()->Clear();
  for (TColor C : Standard) {
    Items()->AddObject(ColorToString(C), reinterpret_cast<TObject*>(static_cast<std::uintptr_t>(C)));
  }
  for (int I = COLOR_SCROLLBAR; I <= COLOR_INFOBK; ++I) {
    const TColor C = SysColor(I);
    Items()->AddObject(ColorToString(C), reinterpret_cast<TObject*>(static_cast<std::uintptr_t>(C)));
  }
  Items()->AddObject(ColorToString(clNone), reinterpret_cast<TObject*>(static_cast<std::uintptr_t>(clNone)));
  Items()->EndUpdate();
}

void TPopupColorBox::CreateWnd() {
  TPopupListBox::CreateWnd();
  if (Items()->Count() == 0) {
    BuildList();
  }
}

// ---- Date and time pickers ---------------------------------------------------------------------------------------

ZEZDtEdit::ZEZDtEdit(TComponent* AOwner) : TDateTimePicker(AOwner) {
  SetCtl3D(false);
  SetCalAlignment(dtaRight);
  SetShowCheckbox(true);
}

void ZEZDtEdit::SetParent(TWinControl* AParent) {
  TDateTimePicker::SetParent(AParent);
  if (auto* Frame = dynamic_cast<TCustomDCEdit*>(AParent); Frame && !FParentedOnce) {
    FParentedOnce = true;
    Frame->SetNumButtons(0);  // the picker has its own drop button
  }
}

void ZEZDtEdit::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETTEXTLENGTH:
    case WM_GETTEXT: (void)TextMessage(Message, GetValueText()); return;
    case WM_SETTEXT:
      SetValueText(Message.LParam ? reinterpret_cast<const char*>(Message.LParam) : "");
      Message.Result = 1;
      return;
    case EM_GETMODIFY: Message.Result = FModified ? 1 : 0; return;
    case CB_GETDROPPEDSTATE: Message.Result = FDropped ? 1 : 0; return;
    default: TDateTimePicker::Dispatch(Message); return;
  }
}

void ZEZDtEdit::Change() {
  FModified = true;
  TDateTimePicker::Change();
}

void ZEZDtEdit::DropDown() {
  FDropped = true;
  TDateTimePicker::DropDown();
}

void ZEZDtEdit::CloseUp() {
  FDropped = false;
  TDateTimePicker::CloseUp();
}

std::string ZEZDateEdit::GetValueText() { return Checked() ? DateToStr(Date()) : std::string(); }

void ZEZDateEdit::SetValueText(const std::string& Value) {
  if (Value.empty()) {
    SetDate(0);
    SetChecked(false);  // no value
    return;
  }
  SetDate(std::trunc(StrToDate(Value)));
  SetChecked(true);
}

ZEZTimeEdit::ZEZTimeEdit(TComponent* AOwner) : ZEZDtEdit(AOwner) { SetKind(dtkTime); }

std::string ZEZTimeEdit::GetValueText() { return Checked() ? TimeToStr(Time()) : std::string(); }

void ZEZTimeEdit::SetValueText(const std::string& Value) {
  if (Value.empty()) {
    SetTime(0);
    SetChecked(false);
    return;
  }
  const TDateTime T = StrToTime(Value);
  SetTime(T - std::trunc(T));
  SetChecked(true);
}

// ---- Pen and brush styles ----------------------------------------------------------------------------------------

TPopupPenBox::TPopupPenBox(TComponent* AOwner) : TPopupListBox(AOwner) { SetStyle(lbOwnerDrawFixed); }

void TPopupPenBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  (void)State;
  if (Index < 0 || Index >= Items()->Count()) {
    Canvas()->FillRect(Rect);
    return;
  }
  const auto Style = static_cast<TPenStyle>(ItemValue(Items(), Index));
  DrawSwatchRow(Canvas(), Rect, Items()->Strings(Index), DisplayNames, [&](TCanvas* C, const TRect& S) {
    C->Pen()->SetColor(clBlack);
    C->Pen()->SetWidth(1);
    C->Pen()->SetStyle(Style);
    const int Y = (S.Top + S.Bottom) / 2;
    C->MoveTo(S.Left, Y);
    C->LineTo(S.Right, Y);
  });
}

TPopupBrushBox::TPopupBrushBox(TComponent* AOwner) : TPopupListBox(AOwner) { SetStyle(lbOwnerDrawFixed); }

void TPopupBrushBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  (void)State;
  if (Index < 0 || Index >= Items()->Count()) {
    Canvas()->FillRect(Rect);
    return;
  }
  // The objects count the styles from 1: "Solid" is 1, "Clear" 2, and so on.
  const auto Style = static_cast<TBrushStyle>(ItemValue(Items(), Index) - 1);
  DrawSwatchRow(Canvas(), Rect, Items()->Strings(Index), DisplayNames, [&](TCanvas* C, const TRect& S) {
    FramedSwatch(C, S);
    const TRect Inner{S.Left + 1, S.Top + 1, S.Right - 1, S.Bottom - 1};
    C->Brush()->SetColor(clInfoBk);
    C->FillRect(Inner);
    if (Style != bsClear) {
      C->Brush()->SetColor(clBlack);
      C->Brush()->SetStyle(Style);
      SetBkColor(C->Handle(), ColorToRGB(clInfoBk));
      C->FillRect(Inner);
    }
  });
}

void TPopupPenBox::BuildList() {
  Items()->BeginUpdate();
  Items()->Clear();
  for (int I = psSolid; I <= psInsideFrame; ++I) {
    Items()->AddObject(GetEnumName(TypeInfo<TPenStyle>(), I),
                       reinterpret_cast<TObject*>(static_cast<std::uintptr_t>(I)));
  }
  Items()->EndUpdate();
}

void TPopupPenBox::CreateWnd() {
  TPopupListBox::CreateWnd();
  if (Items()->Count() == 0) {
    BuildList();
  }
}

void TPopupBrushBox::BuildList() {
  static const char* const Names[] = {"Solid",     "Clear",     "Horizontal", "Vertical",
                                      "FDiagonal", "BDiagonal", "Cross",      "DiagCross"};
  Items()->BeginUpdate();
  Items()->Clear();
  for (int I = 0; I < 8; ++I) {
    Items()->AddObject(Names[I], reinterpret_cast<TObject*>(static_cast<std::uintptr_t>(I + 1)));
  }
  Items()->EndUpdate();
}

void TPopupBrushBox::CreateWnd() {
  TPopupListBox::CreateWnd();
  if (Items()->Count() == 0) {
    BuildList();
  }
}

// The list shows the names without "bs"; its text is the style's name.
void TPopupBrushBox::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_SETTEXT) {
    std::string S = Message.LParam ? reinterpret_cast<const char*>(Message.LParam) : "";
    if (S.size() > 2 && AnsiCompareText(S.substr(0, 2), "bs") == 0) {
      S = S.substr(2);
    }
    TMessage M = Message;
    M.LParam = reinterpret_cast<LPARAM>(S.c_str());
    TPopupListBox::Dispatch(M);
    Message.Result = M.Result;
    return;
  }
  if (Message.Msg == WM_GETTEXTLENGTH || Message.Msg == WM_GETTEXT) {
    const int I = ItemIndex();
    if (TextMessage(Message, I >= 0 ? "bs" + Items()->Strings(I) : std::string())) {
      return;
    }
  }
  TPopupListBox::Dispatch(Message);
}

void ZEZPenStyleEdit::Publish(TMetaClass& Meta) {
  TPublisher<ZEZPenStyleEdit> P(Meta);
  P.Property("PenStyle", &ZEZPenStyleEdit::PenStyle, &ZEZPenStyleEdit::SetPenStyle).Default(psSolid);
}

TPenStyle ZEZPenStyleEdit::PenStyle() const {
  return static_cast<TPenStyle>(StyleValue(TypeInfo<TPenStyle>(), const_cast<ZEZPenStyleEdit*>(this)->GetText()));
}

void ZEZPenStyleEdit::SetPenStyle(TPenStyle Value) { SetText(GetEnumName(TypeInfo<TPenStyle>(), Value)); }

void ZEZBrushStyleEdit::Publish(TMetaClass& Meta) {
  TPublisher<ZEZBrushStyleEdit> P(Meta);
  P.Property("BrushStyle", &ZEZBrushStyleEdit::BrushStyle, &ZEZBrushStyleEdit::SetBrushStyle).Default(bsSolid);
}

TBrushStyle ZEZBrushStyleEdit::BrushStyle() const {
  return static_cast<TBrushStyle>(StyleValue(TypeInfo<TBrushStyle>(), const_cast<ZEZBrushStyleEdit*>(this)->GetText()));
}

void ZEZBrushStyleEdit::SetBrushStyle(TBrushStyle Value) { SetText(GetEnumName(TypeInfo<TBrushStyle>(), Value)); }

// ---- Colour edit -------------------------------------------------------------------------------------------------

ZEZColorEdit::ZEZColorEdit(TComponent* AOwner) : TCustomDCEdit(AOwner) { DropOnClick = true; }

void ZEZColorEdit::Publish(TMetaClass& Meta) {
  TPublisher<ZEZColorEdit> P(Meta);
  P.Property("SelectedColor", &ZEZColorEdit::SelectedColor, &ZEZColorEdit::SetSelectedColor)
      .Default(clBlack)
      .Type(TypeInfoColor());
}

TColor ZEZColorEdit::SelectedColor() const { return StringToColor(const_cast<ZEZColorEdit*>(this)->GetText()); }

void ZEZColorEdit::SetSelectedColor(TColor Value) { SetText(ColorToString(Value)); }

bool ZEZColorEdit::EditMouseDown(WPARAM Keys) {
  if (Keys & MK_CONTROL) {
    Dorazori::CallPropertyEdit(this, "SelectedColor");
    return true;
  }
  return false;
}

// A double click also opens the property editor of SelectedColor.
void ZEZColorEdit::Dispatch(TMessage& Message) {
  const bool Designing = ComponentState().Contains(csDesigning);
  TCustomDCEdit::Dispatch(Message);
  if (!Designing && Message.Msg == WM_LBUTTONDBLCLK) {
    Dorazori::CallPropertyEdit(this, "SelectedColor");
  }
}

void RegisterValueEditors() {
  Dorazori::RegisterPopupClass(TypeInfoColor(), nullptr, "", TPopupColorBox::StaticClass());
  Dorazori::RegisterEditClass(TypeInfoColor(), nullptr, "", TColorEdit::StaticClass());
  Dorazori::RegisterPopupClass(TypeInfo<TPenStyle>(), nullptr, "", TPopupPenBox::StaticClass());
  Dorazori::RegisterEditClass(TypeInfo<TPenStyle>(), nullptr, "", TPenStyleEdit::StaticClass());
  Dorazori::RegisterPopupClass(TypeInfo<TBrushStyle>(), nullptr, "", TPopupBrushBox::StaticClass());
  Dorazori::RegisterEditClass(TypeInfo<TBrushStyle>(), nullptr, "", TBrushStyleEdit::StaticClass());
  Dorazori::RegisterEditClass(TypeInfo<bool>(), nullptr, "", TCheckEdit::StaticClass());
  Dorazori::SafeRegisterClasses({TRadioEdit::StaticClass(), ZEZDateEdit::StaticClass(), ZEZTimeEdit::StaticClass()});
}

void UnRegisterBooleanEditor() {
  Dorazori::UnRegisterEditClass(TypeInfo<bool>(), nullptr, "", TCheckEdit::StaticClass());
  for (Integer I = Dorazori::PopupClasses()->Count() - 1; I >= 0; --I) {
    if (static_cast<Dorazori::TPopupClassInfo*>(Dorazori::PopupClasses()->Items(I))->PropType == TypeInfo<bool>()) {
      Dorazori::PopupClasses()->Delete(I);
    }
  }
}

}  // namespace Dcedit

Z_REGISTER_UNIT(UnitOrder::Dccommon + 3, "Dcedit.ValueEditors", &Dcedit::RegisterValueEditors, nullptr)
