// Standard controls over the native button and edit, and the self-painting group box and panel.
#include "platform/controls/StdCtrls.h"
#include "platform/classes/TypInfo.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/WinGdi.h"
#include "platform/win/NativeControls.h"

#include <cctype>


Z_IMPLEMENT_CLASS(TCustomLabel, TGraphicControl)
Z_IMPLEMENT_CLASS_PUBLISHED(TLabel, TCustomLabel, TLabel::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(TButton, TWinControl, TButton::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(TCheckBox, TWinControl, TCheckBox::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(TRadioButton, TWinControl, TRadioButton::Publish)
Z_IMPLEMENT_CLASS(TCustomEdit, TWinControl)
Z_IMPLEMENT_CLASS_PUBLISHED(TEdit, TCustomEdit, TEdit::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(TGroupBox, TCustomControl, TGroupBox::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(TPanel, TCustomControl, TPanel::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(TBevel, TGraphicControl, TBevel::Publish)

bool IsAccel(Word Key, const std::string& Caption) {
  for (std::size_t I = 0; I + 1 < Caption.size(); ++I) {
    if (Caption[I] == '&') {
      if (Caption[I + 1] == '&') {
        ++I;
        continue;
      }
      return std::toupper(static_cast<unsigned char>(Caption[I + 1])) == std::toupper(Key & 0xFF);
    }
  }
  return false;
}

// ---- TCustomLabel -----------------------------------------------------------------------------------------------

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(0, 0, 65, 17);
}

void TCustomLabel::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_DIALOGCHAR:
      if (FFocusControl && Enabled() && ShowAccelChar && IsAccel(static_cast<Word>(Message.WParam), Caption()) &&
          FFocusControl->CanFocus()) {
        FFocusControl->SetFocus();
        Message.Result = 1;
        return;
      }
      break;
    case CM_TEXTCHANGED:
      AdjustBounds();
      Invalidate();
      break;
    default:
      break;
  }
  TGraphicControl::Dispatch(Message);
}

void TCustomLabel::SetAutoSize(bool Value) {
  if (Value != FAutoSize) {
    FAutoSize = Value;
    AdjustBounds();
  }
}

void TCustomLabel::SetWordWrap(bool Value) {
  if (Value != FWordWrap) {
    FWordWrap = Value;
    AdjustBounds();
    Invalidate();
  }
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
  ReplaceFreeNotified(FFocusControl, Value);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FFocusControl) {
    FFocusControl = nullptr;
  }
}

void TCustomLabel::Paint() {
  TCanvas* C = Canvas();
  TRect R = ClientRect();
  if (!Transparent) {
    C->Brush()->SetColor(Color());
    C->Brush()->SetStyle(bsSolid);
    C->FillRect(R);
  }
  C->Brush()->SetStyle(bsClear);
  UINT Flags = DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0) | (ShowAccelChar ? 0 : DT_NOPREFIX);
  Flags |= Alignment == taRightJustify ? DT_RIGHT : (Alignment == taCenter ? DT_CENTER : DT_LEFT);
  const std::string Text = Caption();
  if (Layout != tlTop) {
    TRect Calc = R;
    DrawText(C->Handle(), Text.c_str(), -1, &Calc, Flags | DT_CALCRECT);
    const int Gap = R.Height() - Calc.Height();
    R.Top += Layout == tlBottom ? Gap : Gap / 2;
  }
  if (Enabled()) {
    DrawText(C->Handle(), Text.c_str(), -1, &R, Flags);
    return;
  }
  TRect Shifted = Rect(R.Left + 1, R.Top + 1, R.Right + 1, R.Bottom + 1);
  C->Font()->SetColor(clBtnHighlight);
  DrawText(C->Handle(), Text.c_str(), -1, &Shifted, Flags);
  C->Font()->SetColor(clBtnShadow);
  DrawText(C->Handle(), Text.c_str(), -1, &R, Flags);
}

void TCustomLabel::AdjustBounds() {
  if (!FAutoSize || ComponentState().Contains(csLoading)) {
    return;
  }
  const std::string Text = ShowAccelChar ? [this] {
    std::string Out;
    const std::string C = Caption();
    for (std::size_t I = 0; I < C.size(); ++I) {
      if (C[I] == '&' && I + 1 < C.size()) {
        ++I;
      }
      Out += C[I];
    }
    return Out;
  }() : Caption();
  HDC DC = CreateCompatibleDC(0);
  TCanvas Canvas;
  Canvas.SetHandle(DC);
  Canvas.SetFont(Font());
  TRect R = Rect(0, 0, FWordWrap ? Width() : 0, 0);
  UINT Flags = DT_CALCRECT | DT_NOPREFIX | (FWordWrap ? DT_WORDBREAK : 0);
  DrawText(Canvas.Handle(), Text.empty() ? " " : Text.c_str(), -1, &R, Flags);
  Canvas.SetHandle(0);
  DeleteDC(DC);
  int X = Left();
  // A right-aligned label keeps its right edge, a centred one its centre.
  if (!FWordWrap && Alignment == taRightJustify) {
    X += Width() - R.Width();
  } else if (!FWordWrap && Alignment == taCenter) {
    X += (Width() - R.Width()) / 2;
  }
  SetBounds(X, Top(), R.Width(), R.Height());
}

void TLabel::Publish(TMetaClass& Meta) {
  TPublisher<TLabel> P(Meta);
  P.Property("Alignment", &TLabel::Alignment, &TLabel::Alignment).Default(taLeftJustify);
  P.Property("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize).Default(true);
  P.Property("FocusControl", &TLabel::FocusControl, &TLabel::SetFocusControl);
  P.Property("Layout", &TLabel::Layout, &TLabel::Layout).Default(tlTop);
  P.Property("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::ShowAccelChar).Default(true);
  P.Property("Transparent", &TLabel::Transparent, &TLabel::Transparent).Default(false);
  P.Property("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap).Default(false);
}

// ---- TButton ----------------------------------------------------------------------------------------------------

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner) {
  // The native button reports clicks (BN_CLICKED); the mouse does not click it a second time.
  ControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  TabStop = true;
  SetBounds(0, 0, 75, 25);
}

void TButton::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, WC_BUTTON);
  Params.Style = (Params.Style & ~BS_TYPEMASK) | (FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
}

void TButton::SetDefault(bool Value) {
  if (Value == FDefault) {
    return;
  }
  FDefault = Value;
  if (HandleAllocated()) {
    SendMessage(Handle(), BM_SETSTYLE, FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  }
}

bool TButton::Active() {
  TCustomForm* Form = GetParentForm(this);
  TWinControl* Focus = Form ? Form->ActiveControl() : nullptr;
  if (dynamic_cast<TButton*>(Focus)) {
    return Focus == this;
  }
  return FDefault;
}

void TButton::Click() {
  if (TCustomForm* Form = GetParentForm(this)) {
    Form->ModalResult = ModalResult;
  }
  TWinControl::Click();
}

void TButton::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CN_COMMAND:
      if (HIWORD(Message.WParam) == BN_CLICKED) {
        Click();
      }
      return;
    case CM_DIALOGKEY: {
      auto& Key = MessageAs<TWMKey>(Message);
      if (((Key.CharCode == VK_RETURN && Active()) || (Key.CharCode == VK_ESCAPE && Cancel)) &&
          KeyDataToShiftState(Key.KeyData).Empty() && Visible() && Enabled() && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
      }
      break;
    }
    default:
      break;
  }
  TWinControl::Dispatch(Message);
}

void TButton::Publish(TMetaClass& Meta) {
  TPublisher<TButton> P(Meta);
  // Published again with the defaults this control's constructor gives, so layouts leave them out.
  P.Property("TabStop", &TWinControl::GetTabStop, &TWinControl::TabStop).Default(true);
  P.Property("Cancel", &TButton::Cancel, &TButton::Cancel).Default(false);
  P.Property("Default", &TButton::Default, &TButton::SetDefault).Default(false);
  P.Property("ModalResult", &TButton::ModalResult, &TButton::ModalResult).Default(0);
}

// ---- TCheckBox --------------------------------------------------------------------------------------------------

TCheckBox::TCheckBox(TComponent* AOwner) : TWinControl(AOwner) {
  ControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  TabStop = true;
  SetBounds(0, 0, 97, 17);
}

void TCheckBox::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, WC_BUTTON);
  Params.Style = (Params.Style & ~BS_TYPEMASK) | BS_3STATE | (Alignment == taLeftJustify ? BS_LEFTTEXT : 0);
}

void TCheckBox::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessage(Handle(), BM_SETCHECK, static_cast<WPARAM>(FState), 0);
}

void TCheckBox::SetState(TCheckBoxState Value) {
  if (Value == FState) {
    return;
  }
  FState = Value;
  if (HandleAllocated()) {
    SendMessage(Handle(), BM_SETCHECK, static_cast<WPARAM>(FState), 0);
  }
  if (!ComponentState().Contains(csLoading)) {
    Click();
  }
}

void TCheckBox::Toggle() {
  switch (FState) {
    case cbUnchecked: SetState(AllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
  }
}

void TCheckBox::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_COMMAND) {
    if (HIWORD(Message.WParam) == BN_CLICKED) {
      Toggle();
    }
    return;
  }
  TWinControl::Dispatch(Message);
}

void TCheckBox::Publish(TMetaClass& Meta) {
  TPublisher<TCheckBox> P(Meta);
  // Published again with the defaults this control's constructor gives, so layouts leave them out.
  P.Property("TabStop", &TWinControl::GetTabStop, &TWinControl::TabStop).Default(true);
  P.Property("Alignment", &TCheckBox::Alignment, &TCheckBox::Alignment).Default(taRightJustify);
  P.Property("AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::AllowGrayed).Default(false);
  P.Property("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked).Stored(false);
  P.Property("State", &TCheckBox::State, &TCheckBox::SetState).Default(cbUnchecked);
}

// ---- TRadioButton -----------------------------------------------------------------------------------------------

TRadioButton::TRadioButton(TComponent* AOwner) : TWinControl(AOwner) {
  ControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
  SetBounds(0, 0, 113, 17);
}

void TRadioButton::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, WC_BUTTON);
  Params.Style = (Params.Style & ~BS_TYPEMASK) | BS_RADIOBUTTON | (Alignment == taLeftJustify ? BS_LEFTTEXT : 0);
}

void TRadioButton::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessage(Handle(), BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool Value) {
  if (Value == FChecked) {
    return;
  }
  FChecked = Value;
  TabStop = Value;
  if (HandleAllocated()) {
    SendMessage(Handle(), BM_SETCHECK, Value ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  if (Value) {
    if (TWinControl* P = Parent()) {
      for (int I = 0; I < P->ControlCount(); ++I) {
        if (auto* R = dynamic_cast<TRadioButton*>(P->Controls(I)); R && R != this) {
          R->SetChecked(false);
        }
      }
    }
    if (!ComponentState().Contains(csLoading)) {
      Click();
    }
  }
}

void TRadioButton::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_COMMAND) {
    switch (HIWORD(Message.WParam)) {
      case BN_CLICKED: SetChecked(true); break;
      case BN_DOUBLECLICKED: DblClick(); break;
      default: break;
    }
    return;
  }
  TWinControl::Dispatch(Message);
}

void TRadioButton::Publish(TMetaClass& Meta) {
  TPublisher<TRadioButton> P(Meta);
  P.Property("Alignment", &TRadioButton::Alignment, &TRadioButton::Alignment).Default(taRightJustify);
  P.Property("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked).Default(false);
}

// ---- TCustomEdit ------------------------------------------------------------------------------------------------

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  TabStop = true;
  FParentColor = false;  // an edit keeps the window colour on any parent
  SetBounds(0, 0, 121, 21);
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
  TWinControl::CreateParams(Params);
  CreateSubClass(Params, WC_EDIT);
  Params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL;
  if (CharCase == ecUpperCase) Params.Style |= ES_UPPERCASE;
  if (CharCase == ecLowerCase) Params.Style |= ES_LOWERCASE;
  if (!HideSelection) Params.Style |= ES_NOHIDESEL;
  if (FReadOnly) Params.Style |= ES_READONLY;
  if (BorderStyle == bsSingle) AddBorder(Params);
}

void TCustomEdit::CreateWnd() {
  TWinControl::CreateWnd();
  HWND H = Handle();
  SendMessage(H, EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
  if (FPasswordChar) {
    SendMessage(H, EM_SETPASSWORDCHAR, static_cast<unsigned char>(FPasswordChar), 0);
  }
  SendMessage(H, EM_SETREADONLY, FReadOnly, 0);
  SendMessage(H, EM_SETMODIFY, FModified, 0);
}

void TCustomEdit::SetMaxLength(int Value) {
  FMaxLength = Value;
  if (HandleAllocated()) {
    SendMessage(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(Value), 0);
  }
}

void TCustomEdit::SetPasswordChar(char Value) {
  if (Value != FPasswordChar) {
    FPasswordChar = Value;
    if (HandleAllocated()) {
      SendMessage(Handle(), EM_SETPASSWORDCHAR, static_cast<unsigned char>(Value), 0);
      Invalidate();
    }
  }
}

void TCustomEdit::SetReadOnly(bool Value) {
  FReadOnly = Value;
  if (HandleAllocated()) {
    SendMessage(Handle(), EM_SETREADONLY, Value, 0);
  }
}

bool TCustomEdit::Modified() {
  return HandleAllocated() ? SendMessage(Handle(), EM_GETMODIFY, 0, 0) != 0 : FModified;
}

void TCustomEdit::SetModified(bool Value) {
  FModified = Value;
  if (HandleAllocated()) {
    SendMessage(Handle(), EM_SETMODIFY, Value, 0);
  }
}

int TCustomEdit::SelStart() {
  DWORD Start = 0;
  DWORD End = 0;
  SendMessage(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&Start), reinterpret_cast<LPARAM>(&End));
  return static_cast<int>(Start);
}

int TCustomEdit::SelLength() {
  DWORD Start = 0;
  DWORD End = 0;
  SendMessage(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&Start), reinterpret_cast<LPARAM>(&End));
  return static_cast<int>(End) - static_cast<int>(Start);
}

void TCustomEdit::SetSelStart(int Value) { SendMessage(Handle(), EM_SETSEL, Value, Value); }

void TCustomEdit::SetSelLength(int Value) {
  const int Start = SelStart();
  SendMessage(Handle(), EM_SETSEL, Start, Start + Value);
}

std::string TCustomEdit::SelText() {
  const int Start = SelStart();
  const int Length = SelLength();
  const std::string T = GetText();
  return Start < static_cast<int>(T.size()) ? T.substr(static_cast<std::size_t>(Start),
                                                       static_cast<std::size_t>(Length))
                                            : std::string();
}

void TCustomEdit::SetSelText(const std::string& Value) {
  SendMessage(Handle(), EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(Value.c_str()));
}

void TCustomEdit::SelectAll() { SendMessage(Handle(), EM_SETSEL, 0, -1); }
void TCustomEdit::CopyToClipboard() { SendMessage(Handle(), WM_COPY, 0, 0); }
void TCustomEdit::CutToClipboard() { SendMessage(Handle(), WM_CUT, 0, 0); }
void TCustomEdit::PasteFromClipboard() { SendMessage(Handle(), WM_PASTE, 0, 0); }
void TCustomEdit::Undo() { SendMessage(Handle(), WM_UNDO, 0, 0); }
bool TCustomEdit::CanUndo() { return SendMessage(Handle(), EM_CANUNDO, 0, 0) != 0; }

void TCustomEdit::Change() {
  if (OnChange) {
    OnChange(this);
  }
}

void TCustomEdit::Dispatch(TMessage& Message) {
  if (Message.Msg == CN_COMMAND) {
    if (HIWORD(Message.WParam) == EN_CHANGE && !ComponentState().Contains(csLoading)) {
      Change();
    }
    return;
  }
  if (Message.Msg == WM_DESTROY && HandleAllocated()) {
    FModified = SendMessage(Handle(), EM_GETMODIFY, 0, 0) != 0;
  }
  TWinControl::Dispatch(Message);
}

void TEdit::Publish(TMetaClass& Meta) {
  TPublisher<TEdit> P(Meta);
  // Published again with the defaults this control's constructor gives, so layouts leave them out.
  P.Property("TabStop", &TWinControl::GetTabStop, &TWinControl::TabStop).Default(true);
  P.Property("ParentColor", &TControl::ParentColor, &TControl::SetParentColor).Default(false);
  P.Property("AutoSelect", &TEdit::AutoSelect, &TEdit::AutoSelect).Default(true);
  P.Property("BorderStyle", &TEdit::BorderStyle, &TEdit::BorderStyle).Default(bsSingle);
  P.Property("CharCase", &TEdit::CharCase, &TEdit::CharCase).Default(ecNormal);
  P.Property("HideSelection", &TEdit::HideSelection, &TEdit::HideSelection).Default(true);
  P.Property("MaxLength", &TEdit::MaxLength, &TEdit::SetMaxLength).Default(0);
  P.Property("PasswordChar", &TEdit::PasswordChar, &TEdit::SetPasswordChar).Default('\0');
  P.Property("ReadOnly", &TEdit::ReadOnly, &TEdit::SetReadOnly).Default(false);
  P.Property("Text", static_cast<std::string (TControl::*)() const>(&TControl::Caption), &TControl::SetText);
  P.Property("OnChange", &TEdit::OnChange, &TEdit::OnChange);
}

// ---- Self-painting containers -----------------------------------------------------------------------------------

namespace {

// Draws on the control's window at once (the layer shows what is drawn when the context is released).
class TWindowCanvas {
public:
  explicit TWindowCanvas(TWinControl* C) : FWnd(C->Handle()), FDC(GetDC(FWnd)) { Canvas.SetHandle(FDC); }
  ~TWindowCanvas() {
    Canvas.SetHandle(0);
    ReleaseDC(FWnd, FDC);
  }
  TWindowCanvas(const TWindowCanvas&) = delete;
  TWindowCanvas& operator=(const TWindowCanvas&) = delete;
  TCanvas Canvas;

private:
  HWND FWnd;
  HDC FDC;
};

void Frame3D(TCanvas& C, TRect& R, TColor TopLeft, TColor BottomRight, int Width) {
  for (int I = 0; I < Width; ++I) {
    C.Pen()->SetColor(TopLeft);
    C.MoveTo(R.Left, R.Bottom - 1);
    C.LineTo(R.Left, R.Top);
    C.LineTo(R.Right - 1, R.Top);
    C.Pen()->SetColor(BottomRight);
    C.LineTo(R.Right - 1, R.Bottom - 1);
    C.LineTo(R.Left - 1, R.Bottom - 1);
    R = Rect(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
  }
}

}  // namespace

TGroupBox::TGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
  ControlStyle.Include(csAcceptsControls);
  SetBounds(0, 0, 185, 105);
}

void TGroupBox::AdjustClientRect(TRect& Rect) {
  TCustomControl::AdjustClientRect(Rect);
  Rect = ::Rect(Rect.Left + 2, Rect.Top + 15, Rect.Right - 2, Rect.Bottom - 2);
}

void TGroupBox::Paint() {
  TWindowCanvas W(this);
  TCanvas& C = W.Canvas;
  C.SetFont(Font());
  TRect R = ClientRect();
  C.Brush()->SetColor(Color());
  C.FillRect(R);
  const int TextH = C.TextHeight("0");
  TRect Frame = Rect(R.Left, R.Top + TextH / 2, R.Right, R.Bottom);
  C.Brush()->SetStyle(bsClear);
  TRect Outer = Rect(Frame.Left + 1, Frame.Top + 1, Frame.Right, Frame.Bottom);
  C.Pen()->SetColor(clBtnHighlight);
  C.Rectangle(Outer);
  C.Pen()->SetColor(clBtnShadow);
  C.Rectangle(Rect(Frame.Left, Frame.Top, Frame.Right - 1, Frame.Bottom - 1));
  const std::string Text = Caption();
  if (!Text.empty()) {
    C.Brush()->SetStyle(bsSolid);
    C.Brush()->SetColor(Color());
    TRect T = Rect(8, 0, 8 + C.TextWidth(Text) + 2, TextH);
    C.FillRect(T);
    C.TextOut(9, 0, Text);
  }
  TCustomControl::Paint();
}

void TGroupBox::Publish(TMetaClass& Meta) { TPublisher<TGroupBox> P(Meta); }

TPanel::TPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  ControlStyle.Include(csAcceptsControls);
  SetBounds(0, 0, 185, 41);
}

void TPanel::AdjustClientRect(TRect& Rect) {
  TCustomControl::AdjustClientRect(Rect);
  int Inset = BorderWidth;
  if (BevelOuter != bvNone) Inset += BevelWidth;
  if (BevelInner != bvNone) Inset += BevelWidth;
  Rect = ::Rect(Rect.Left + Inset, Rect.Top + Inset, Rect.Right - Inset, Rect.Bottom - Inset);
}

void TPanel::Paint() {
  TWindowCanvas W(this);
  TCanvas& C = W.Canvas;
  C.SetFont(Font());
  TRect R = ClientRect();
  C.Brush()->SetColor(Color());
  C.FillRect(R);
  auto Bevel = [&](TPanelBevel B) {
    if (B == bvLowered) Frame3D(C, R, clBtnShadow, clBtnHighlight, BevelWidth);
    if (B == bvRaised) Frame3D(C, R, clBtnHighlight, clBtnShadow, BevelWidth);
    if (B == bvSpace) R = Rect(R.Left + BevelWidth, R.Top + BevelWidth, R.Right - BevelWidth, R.Bottom - BevelWidth);
  };
  Bevel(BevelOuter);
  R = Rect(R.Left + BorderWidth, R.Top + BorderWidth, R.Right - BorderWidth, R.Bottom - BorderWidth);
  Bevel(BevelInner);
  const std::string Text = Caption();
  if (!Text.empty()) {
    C.Brush()->SetStyle(bsClear);
    UINT Flags = DT_SINGLELINE | DT_VCENTER |
                 (Alignment == taLeftJustify ? DT_LEFT : Alignment == taRightJustify ? DT_RIGHT : DT_CENTER);
    DrawText(C.Handle(), Text.c_str(), -1, &R, Flags);
  }
  TCustomControl::Paint();
}

void TPanel::Publish(TMetaClass& Meta) {
  TPublisher<TPanel> P(Meta);
  P.Property("Alignment", &TPanel::Alignment, &TPanel::Alignment).Default(taCenter);
  P.Property("BevelInner", &TPanel::BevelInner, &TPanel::BevelInner).Default(bvNone);
  P.Property("BevelOuter", &TPanel::BevelOuter, &TPanel::BevelOuter).Default(bvRaised);
  P.Property("BevelWidth", &TPanel::BevelWidth, &TPanel::BevelWidth).Default(1);
  P.Property("BorderWidth", &TPanel::BorderWidth, &TPanel::BorderWidth).Default(0);
}

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 50, 50); }

void TBevel::Paint() {
  TCanvas* C = Canvas();
  TColor Color1 = Style == bsLowered ? clBtnShadow : clBtnHighlight;
  TColor Color2 = Style == bsLowered ? clBtnHighlight : clBtnShadow;
  const int W = Width();
  const int H = Height();
  // The top and left sides in the first colour, the bottom and right ones in the second.
  auto BevelRect = [C](const TRect& R, TColor First, TColor Second) {
    C->Pen()->SetColor(First);
    C->Polyline({Point(R.Left, R.Bottom), Point(R.Left, R.Top), Point(R.Right, R.Top)});
    C->Pen()->SetColor(Second);
    C->Polyline({Point(R.Right, R.Top), Point(R.Right, R.Bottom), Point(R.Left, R.Bottom)});
  };
  auto BevelLine = [C](TColor Color, int X1, int Y1, int X2, int Y2) {
    C->Pen()->SetColor(Color);
    C->MoveTo(X1, Y1);
    C->LineTo(X2, Y2);
  };
  C->Pen()->SetWidth(1);
  switch (Shape) {
    case bsBox:
      BevelRect(Rect(0, 0, W - 1, H - 1), Color1, Color2);
      break;
    case bsFrame:
      BevelRect(Rect(1, 1, W - 1, H - 1), Color2, Color2);
      BevelRect(Rect(0, 0, W - 2, H - 2), Color1, Color1);
      break;
    case bsTopLine:
      BevelLine(Color1, 0, 0, W, 0);
      BevelLine(Color2, 0, 1, W, 1);
      break;
    case bsBottomLine:
      BevelLine(Color1, 0, H - 2, W, H - 2);
      BevelLine(Color2, 0, H - 1, W, H - 1);
      break;
    case bsLeftLine:
      BevelLine(Color1, 0, 0, 0, H);
      BevelLine(Color2, 1, 0, 1, H);
      break;
    case bsRightLine:
      BevelLine(Color1, W - 2, 0, W - 2, H);
      BevelLine(Color2, W - 1, 0, W - 1, H);
      break;
    case bsSpacer:
      break;
  }
}

void TBevel::Publish(TMetaClass& Meta) {
  TPublisher<TBevel> P(Meta);
  P.Property("Shape", &TBevel::Shape, &TBevel::Shape).Default(bsBox);
  P.Property("Style", &TBevel::Style, &TBevel::Style).Default(bsLowered);
}
