// The drop-down edit frame, its simple inner editor, its drop-down list and its buttons.
#include "suitebase/Dcedit.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/controls/Forms.h"
#include "platform/graphics/Colors.h"
#include "platform/graphics/WinGdi.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/Resources.h"
#include "platform/rtl/UnitInit.h"
#include "platform/win/ListControls.h"
#include "platform/win/Sync.h"
#include "platform/win/VirtualKeys.h"
#include "platform/win/WinHooks.h"

#include <algorithm>
#include <map>
#include <utility>

namespace Dcedit {

Z_IMPLEMENT_CLASS(TDummyEditSource, Dorazori::TEditSource)
Z_IMPLEMENT_CLASS(TDummyPopup, TWinControl)
Z_IMPLEMENT_CLASS(ZEZSimpleEdit, TCustomEdit)
Z_IMPLEMENT_CLASS(ZEZMaskEdit, TCustomMaskEdit)
Z_IMPLEMENT_CLASS(TCustomDCPropEditor, TCustomDCEdit)
Z_IMPLEMENT_CLASS(ZEZListBoxColumn, TCollectionItem)
Z_IMPLEMENT_CLASS(ZEZListBox, TCustomListBox)
Z_IMPLEMENT_CLASS_PUBLISHED(TPopupListBox, ZEZListBox, TPopupListBox::Publish)
Z_IMPLEMENT_CLASS(TEditButton, TSpeedButton)
Z_IMPLEMENT_CLASS_PUBLISHED(TButtonParams, TPersistent, TButtonParams::Publish)
Z_IMPLEMENT_CLASS(TCustomDCEdit, TCustomControl)
Z_IMPLEMENT_CLASS_PUBLISHED(ZEZEdit, TCustomDCEdit, ZEZEdit::Publish)

namespace {

// The frames whose inner editor window is taken over, by the editor's window.
std::map<HWND, TCustomDCEdit*>& HookedEditors() {
  static std::map<HWND, TCustomDCEdit*> M;
  return M;
}

int ThumbWidth() { return GetSystemMetrics(SM_CXVSCROLL); }

// The one popup the mouse hook watches, with its frame.
struct TActivePopup {
  HHOOK Hook = 0;
  TCustomDCEdit* Frame = nullptr;
} ActivePopup;

bool Inside(const TRect& R, TPoint P) { return P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom; }

// A left press or release outside the popup and outside the frame (with its buttons) closes the popup without
// accepting; the message always goes on.
LRESULT PopupMouseHook(int Code, WPARAM WParam, LPARAM LParam) {
  const HHOOK Hook = ActivePopup.Hook;
  TCustomDCEdit* Frame = ActivePopup.Frame;
  if (Code >= 0 && Frame && LParam &&
      (WParam == WM_LBUTTONDOWN || WParam == WM_LBUTTONUP || WParam == WM_NCLBUTTONDOWN || WParam == WM_NCLBUTTONUP)) {
    const TPoint P = reinterpret_cast<const MOUSEHOOKSTRUCT*>(LParam)->pt;
    TRect PopupRect{};
    if (Frame->PopupWindow() && Frame->PopupWindow()->HandleAllocated()) {
      GetWindowRect(Frame->PopupWindow()->Handle(), &PopupRect);
    }
    TRect FrameRect{};
    GetWindowRect(Frame->Handle(), &FrameRect);
    if (!Inside(PopupRect, P) && !Inside(FrameRect, P)) {
      Frame->CloseDropped(false);
    }
  }
  return CallNextHookEx(Hook, Code, WParam, LParam);
}

// A class of the registry by name: the class library's class when one of the registry's items names it.
TClass RegisteredIn(Dorazori::TPackagedCollection* Registry, const std::string& Name, bool Popup) {
  const TClass C = Name.empty() ? nullptr : GetClass(Name);
  if (!C) {
    return nullptr;
  }
  for (Integer I = 0; I < Registry->Count(); ++I) {
    if (Popup) {
      if (static_cast<Dorazori::TPopupClassInfo*>(Registry->Items(I))->EditorClass == C) {
        return C;
      }
    } else if (auto* E = dynamic_cast<Dorazori::TEditSourceClassInfo*>(Registry->Items(I))) {
      if (E->EditSourceClass == C) {
        return C;
      }
    } else if (static_cast<Dorazori::TPopupClassInfo*>(Registry->Items(I))->EditorClass == C) {
      return C;
    }
  }
  return nullptr;
}

// An owned component of exactly that class name (one read from a stream), else a new one.
TComponent* OwnedOrNew(TComponent* Owner, TClass Class) {
  for (int I = 0; I < Owner->ComponentCount(); ++I) {
    if (Owner->Components(I)->ClassName() == Class->ClassName()) {
      return Owner->Components(I);
    }
  }
  return static_cast<TComponent*>(Class->NewInstance(Owner));
}

// The button pictures, drawn here and registered as the bitmaps "DCEDIT_DROPDOWN" (an arrow), "DCEDIT_DOTS" (an
// ellipsis), "DCFILENAMEEDIT" (a page) and "DCDIRECTORYEDIT" (a folder): 8 by 8, grey background as transparent
// colour in the lower left corner.
std::string GlyphBytes(int Kind) {
  TBitmap B;
  B.SetSize(8, 8);
  TCanvas* C = B.Canvas();
  C->Brush()->SetColor(clSilver);
  C->FillRect(TRect{0, 0, 8, 8});
  C->Pen()->SetColor(clBlack);
  C->Brush()->SetColor(clBlack);
  switch (Kind) {
    case 0:  // arrow
      for (int Row = 0; Row < 4; ++Row) {
        C->MoveTo(1 + Row, 2 + Row);
        C->LineTo(8 - Row, 2 + Row);
      }
      break;
    case 1:  // ellipsis
      for (int X : {1, 3, 5}) {
        C->FillRect(TRect{X, 5, X + 1, 6});
      }
      break;
    case 2:  // a page with a folded corner
      C->Brush()->SetColor(clWhite);
      C->Rectangle(1, 0, 7, 8);
      C->MoveTo(5, 0);
      C->LineTo(7, 2);
      break;
    default:  // a folder
      C->Brush()->SetColor(clYellow);
      C->Rectangle(0, 2, 8, 7);
      C->Rectangle(0, 1, 4, 3);
      break;
  }
  TMemoryStream Out;
  B.SaveToStream(&Out);
  return std::string(static_cast<const char*>(Out.Memory()), static_cast<std::size_t>(Out.Size()));
}

void RegisterGlyphs() {
  static const char* const Names[] = {"DCEDIT_DROPDOWN", "DCEDIT_DOTS", "DCFILENAMEEDIT", "DCDIRECTORYEDIT"};
  static std::string Bytes[4];
  for (int I = 0; I < 4; ++I) {
    if (Bytes[I].empty()) {
      Bytes[I] = GlyphBytes(I);
      RegisterResource(RT_BITMAP, Names[I], Bytes[I].data(), Bytes[I].size());
    }
  }
}

void Registrations() {
  RegisterGlyphs();
  Dorazori::RegisterPopupClass(TypeInfo<std::string>(), nullptr, "", TPopupListBox::StaticClass());
  Dorazori::RegisterTextEditClass(TypeInfo<std::string>(), nullptr, "", ZEZSimpleEdit::StaticClass());
  Dorazori::RegisterTextEditClass(TypeInfo<std::string>(), nullptr, " ", ZEZMaskEdit::StaticClass());
  Dorazori::SafeRegisterClasses(
      {ZEZSimpleEdit::StaticClass(), TDummyEditSource::StaticClass(), TDummyPopup::StaticClass()});
  Dorazori::RegisterEditSource(TDummyEditSource::StaticClass());
}

}  // namespace

// ---- Lists with columns ------------------------------------------------------------------------------------------

ZEZListBox::ZEZListBox(TComponent* AOwner)
    : TCustomListBox(AOwner),
      FColumns(std::make_unique<TCollection>(ZEZListBoxColumn::StaticClass())),
      FBoldFont(std::make_unique<TFont>()) {}

ZEZListBox::~ZEZListBox() = default;

void ZEZListBox::SetCustomDraw(bool Value) {
  FCustomDraw = Value;
  SetStyle(Value ? lbOwnerDrawFixed : lbStandard);
}

int ZEZListBox::ColumnSize(int Index) const {
  if (Index < FColumns->Count()) {
    const int Size = static_cast<ZEZListBoxColumn*>(FColumns->Items(Index))->ColumnSize;
    if (Size != 0) {
      return Size;
    }
  }
  return Index < MeasuredColumnCount() ? MeasuredWidth(Index) : 0;
}

Dccontrols::TLeftRightAlign ZEZListBox::ColumnAlign(int Index) const {
  return Index < FColumns->Count() ? static_cast<ZEZListBoxColumn*>(FColumns->Items(Index))->Alignment
                                   : Dccontrols::lrLeftJustify;
}

// Measures column texts with the plain and the bold font, each selected once into a memory context: the same
// sizes CalcStringSize gives, without a font change per piece.
class TColumnMeasure {
public:
  TColumnMeasure(TFont* Font, TFont* BoldFont)
      : FPlainDC(CreateCompatibleDC(0)),
        FBoldDC(CreateCompatibleDC(0)),
        FOldPlain(SelectObject(FPlainDC, Font->Handle())),
        FOldBold(SelectObject(FBoldDC, BoldFont->Handle())) {}
  ~TColumnMeasure() {
    SelectObject(FPlainDC, FOldPlain);
    SelectObject(FBoldDC, FOldBold);
    DeleteDC(FPlainDC);
    DeleteDC(FBoldDC);
  }
  TColumnMeasure(const TColumnMeasure&) = delete;
  TColumnMeasure& operator=(const TColumnMeasure&) = delete;
  // The width of a text with its marked bold part.
  int Width(const std::string& S) const {
    const char Tag = Vivaridiriz::SBoldTag;
    const std::size_t P = S.find(Tag);
    if (P == std::string::npos) {
      return Extent(FPlainDC, S);
    }
    const std::size_t End = S.find(Tag, P + 1);
    int W = Extent(FPlainDC, S.substr(0, P));
    W += Extent(FBoldDC, S.substr(P + 1, End == std::string::npos ? std::string::npos : End - P - 1));
    if (End != std::string::npos) {
      W += Extent(FPlainDC, S.substr(End + 1));
    }
    return W;
  }

private:
  static int Extent(HDC DC, const std::string& S) {
    if (S.empty()) {
      return 0;
    }
    TSize Size;
    GetTextExtentPoint32(DC, S.c_str(), static_cast<int>(S.size()), &Size);
    return Size.cx;
  }
  HDC FPlainDC;
  HDC FBoldDC;
  HGDIOBJ FOldPlain;
  HGDIOBJ FOldBold;
};

void ZEZListBox::MeasureItemText(const std::string& Text) {
  FBoldFont->Assign(Font());
  TFontStyles Bold = FBoldFont->Style();
  Bold.Include(fsBold);
  FBoldFont->SetStyle(Bold);
  const TColumnMeasure Measure(Font(), FBoldFont.get());
  MeasureWith(Measure, Text);
}

void ZEZListBox::MeasureWith(const TColumnMeasure& Measure, const std::string& Text) {
  int Pos = 1;
  int Column = 0;
  while (Pos <= static_cast<int>(Text.size())) {
    const int W = Measure.Width(Dccontrols::ExtractColumn(Text, Pos) + " ");
    if (Column >= MeasuredColumnCount()) {
      FWidths.push_back(W);
    } else {
      FWidths[static_cast<std::size_t>(Column)] = std::max(FWidths[static_cast<std::size_t>(Column)], W);
    }
    ++Column;
  }
}

void ZEZListBox::ResetColumnSize() {
  if (!FCustomDraw || FUpdateCount > 0) {
    return;
  }
  FWidths.clear();
  FBoldFont->Assign(Font());
  TFontStyles Bold = FBoldFont->Style();
  Bold.Include(fsBold);
  FBoldFont->SetStyle(Bold);
  const TColumnMeasure Measure(Font(), FBoldFont.get());
  for (int I = 0; I < Items()->Count(); ++I) {
    MeasureWith(Measure, Items()->Strings(I));
  }
}

void ZEZListBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
      TCustomListBox::Dispatch(Message);
      // A new item can only widen the columns: it alone is measured.
      if (FCustomDraw && FUpdateCount <= 0 && Message.LParam) {
        MeasureItemText(reinterpret_cast<const char*>(Message.LParam));
      }
      return;
    case LB_DELETESTRING:
      TCustomListBox::Dispatch(Message);
      ResetColumnSize();
      return;
    case WM_SETREDRAW:
      TCustomListBox::Dispatch(Message);
      FUpdateCount += Message.WParam ? -1 : 1;
      ResetColumnSize();
      return;
    default: TCustomListBox::Dispatch(Message); return;
  }
}

void ZEZListBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  if (!FCustomDraw) {
    TCustomListBox::DrawItem(Index, Rect, State);
    return;
  }
  TCanvas* C = Canvas();
  C->FillRect(Rect);
  if (Index < 0 || Index >= Items()->Count()) {
    return;
  }
  FBoldFont->Assign(C->Font());
  TFontStyles Bold = FBoldFont->Style();
  Bold.Include(fsBold);
  FBoldFont->SetStyle(Bold);
  TFont Normal;
  Normal.Assign(C->Font());
  const std::string Text = Items()->Strings(Index);
  TRect R{Rect.Left + 2, Rect.Top, Rect.Right - 2, Rect.Bottom};
  int Pos = 1;
  for (int Column = 0; Pos <= static_cast<int>(Text.size()); ++Column) {
    const std::string Part = Dccontrols::ExtractColumn(Text, Pos);
    int BoldPos = 0;
    int BoldLen = 0;
    const std::string Plain = Dccontrols::ExtractBoldPos(Part, BoldPos, BoldLen);
    const int Width = ColumnSize(Column) - (ColumnAlign(Column) == Dccontrols::lrRightJustify ? 1 : 0);
    Dccontrols::DrawWithSelection(C, &Normal, FBoldFont.get(), TRect{R.Left, R.Top, R.Left + Width, R.Bottom}, Plain,
                                  BoldPos, BoldLen, ColumnAlign(Column));
    R.Left += ColumnSize(Column);
  }
}

// ---- Inner editor and list ---------------------------------------------------------------------------------------

ZEZSimpleEdit::ZEZSimpleEdit(TComponent* AOwner) : TCustomEdit(AOwner) { SetCtl3D(false); }

void ZEZSimpleEdit::CreateParams(TCreateParams& Params) {
  TCustomEdit::CreateParams(Params);
  Params.Style = (Params.Style & ~WS_BORDER) | WS_CLIPCHILDREN;
  Params.ExStyle &= ~WS_EX_CLIENTEDGE;
}

ZEZMaskEdit::ZEZMaskEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) { SetCtl3D(false); }

void ZEZMaskEdit::CreateParams(TCreateParams& Params) {
  TCustomMaskEdit::CreateParams(Params);
  Params.Style = (Params.Style & ~WS_BORDER) | WS_CLIPCHILDREN;
  Params.ExStyle &= ~WS_EX_CLIENTEDGE;
}

TPopupListBox::TPopupListBox(TComponent* AOwner) : ZEZListBox(AOwner) {
  SetVisible(false);
  TabStop = false;
}

void TPopupListBox::Publish(TMetaClass& Meta) { (void)Meta; }

void TPopupListBox::CreateParams(TCreateParams& Params) {
  ZEZListBox::CreateParams(Params);
  Params.Style |= WS_BORDER | WS_VSCROLL;
  Params.ExStyle |= WS_EX_TOOLWINDOW;
}

void TPopupListBox::AdjustHeight() {
  const int Rows = std::clamp(Items()->Count(), 1, 7);
  SetClientHeight(ItemHeight() * Rows);
}

void TPopupListBox::Close(bool Accept) {
  if (auto* Frame = dynamic_cast<TCustomDCEdit*>(Owner())) {
    Frame->CloseDropped(Accept);
  }
}

void TPopupListBox::KeyDown(Word& Key, TShiftState Shift) {
  ZEZListBox::KeyDown(Key, Shift);
  if ((Key == VK_RETURN || Key == VK_ESCAPE) && Shift.Empty()) {
    const bool Accept = Key == VK_RETURN;
    Key = 0;
    Close(Accept);
    return;
  }
  // Moves of the selection by keys the frame hands over.
  const int Count = Items()->Count();
  const int I = ItemIndex();
  if (Count > 0 && (Key == VK_DOWN || Key == VK_UP) && !Shift.Contains(ssAlt)) {
    SetItemIndex(Key == VK_DOWN ? std::min(I + 1, Count - 1) : std::max(I - 1, 0));
    Key = 0;
  }
}

void TPopupListBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETTEXTLENGTH: {
      const int I = ItemIndex();
      Message.Result = I >= 0 ? static_cast<LRESULT>(Items()->Strings(I).size()) : 0;
      return;
    }
    case WM_GETTEXT: {
      const int I = ItemIndex();
      const std::string S = I >= 0 ? Items()->Strings(I) : std::string();
      auto* Buffer = reinterpret_cast<char*>(Message.LParam);
      const std::size_t Max = static_cast<std::size_t>(Message.WParam);
      if (Buffer && Max > 0) {
        // Never past the buffer given: the caller asks the length first.
        const std::size_t N = std::min(S.size(), Max - 1);
        std::copy_n(S.data(), N, Buffer);
        Buffer[N] = '\0';
        Message.Result = static_cast<LRESULT>(N);
      }
      return;
    }
    case WM_SETTEXT: {
      const std::string S = Message.LParam ? reinterpret_cast<const char*>(Message.LParam) : "";
      int Found = -1;
      for (int I = 0; I < Items()->Count() && Found < 0; ++I) {
        if (AnsiCompareText(Items()->Strings(I), S) == 0) {
          Found = I;
        }
      }
      SetItemIndex(Found);
      AdjustHeight();
      Message.Result = 1;
      return;
    }
    case CN_COMMAND:
      ZEZListBox::Dispatch(Message);
      if (HIWORD(Message.WParam) == LBN_SELCHANGE) {
        if (auto* Frame = dynamic_cast<TCustomDCEdit*>(Owner())) {
          Frame->Change();
        }
      }
      return;
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE: {
      // A press selects the item under it (the list never takes the focus); a move with the button held selects
      // the item under it, or one further item per move beyond the list's edges.
      if (Message.Msg == WM_MOUSEMOVE && !(Message.WParam & MK_LBUTTON)) {
        ZEZListBox::Dispatch(Message);
        return;
      }
      const TPoint P{static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam))};
      const int Count = Items()->Count();
      if (Count == 0) {
        return;
      }
      if (P.Y >= ClientHeight()) {
        SetItemIndex(std::min(ItemIndex() + 1, Count - 1));
      } else if (P.Y < 0) {
        SetItemIndex(std::max(ItemIndex() - 1, 0));
      } else if (const int I = ItemAtPos(P, true); I >= 0) {
        SetItemIndex(I);
      }
      if (Message.Msg == WM_LBUTTONDOWN) {
        SetCapture(Handle());
      }
      Message.Result = 0;
      return;
    }
    case WM_LBUTTONUP: {
      if (GetCapture() == Handle()) {
        ReleaseCapture();
      }
      ZEZListBox::Dispatch(Message);
      const TPoint P{static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam))};
      const TRect R = ClientRect();
      Close(P.X >= R.Left && P.X < R.Right && P.Y >= R.Top && P.Y < R.Bottom);
      return;
    }
    default: ZEZListBox::Dispatch(Message); return;
  }
}

// ---- Buttons -----------------------------------------------------------------------------------------------------

TEditButton::TEditButton(TComponent* AOwner) : TSpeedButton(AOwner) { SetWidth(ThumbWidth()); }

void TEditButton::Click() {
  auto* Frame = dynamic_cast<TCustomDCEdit*>(Owner());
  if (Frame && Frame->CanFocus()) {
    Frame->SetFocus();
  }
  if (OnButtonClick) {
    OnButtonClick(this);
  } else if (Frame) {
    Frame->SetDroppedDown(!Frame->DroppedDown());
  }
}

TButtonParams::TButtonParams(TCustomDCEdit* AFrame, TEditButton* AButton) : FFrame(AFrame), FButton(AButton) {}

void TButtonParams::SetWidth(int Value) {
  FWidth = Value;
  if (Value == 0 && FKind == bkCustom) {
    GlyphChanged();  // a custom button of automatic width fits its glyph
    return;
  }
  FButton->SetWidth(Value != 0 ? Value : ThumbWidth());
  FFrame->SetButtonBounds();
}

void TButtonParams::SetKind(TButtonKind Value) {
  FKind = Value;
  if (Value == bkCustom) {
    return;
  }
  TBitmap Glyph;
  try {
    Glyph.LoadFromResourceName(nullptr, Value == bkDropDown ? "DCEDIT_DROPDOWN" : "DCEDIT_DOTS");
  } catch (const Exception&) {
    // Without the unit's pictures (its initialisation has not run) the button shows a caption.
    FButton->SetCaption(Value == bkDropDown ? "v" : "...");
    return;
  }
  FButton->SetGlyph(&Glyph);
  FButton->SetNumGlyphs(1);
}

bool TButtonParams::Visible() const { return FButton->Visible(); }

void TButtonParams::SetVisible(bool Value) {
  FButton->SetVisible(Value);
  FFrame->SetNumButtons((FFrame->Button1()->Visible() ? 1 : 0) +
                        (FFrame->Button2() && FFrame->Button2()->Visible() ? 1 : 0));
}

// ---- The frame ---------------------------------------------------------------------------------------------------

TCustomDCEdit::TCustomDCEdit(TComponent* AOwner) : TCustomControl(AOwner) {
  SetBounds(Left(), Top(), 121, 21);
  TabStop = true;
  auto* B1 = new TEditButton(this);
  auto* B2 = new TEditButton(this);
  B1->SetParent(this);
  B2->SetParent(this);
  FButton1 = std::make_unique<TButtonParams>(this, B1);
  FButton2 = std::make_unique<TButtonParams>(this, B2);
  FButton1->SetKind(bkDropDown);
  FButton2->SetKind(bkDots);
  B2->SetVisible(false);
  FPopup = new TDummyPopup(this);
  FEditSource = new TDummyEditSource(this);
}

TCustomDCEdit::~TCustomDCEdit() = default;

void TCustomDCEdit::BeforeDestruction() {
  CloseDropped(false);
  FDestroying = true;
  UnhookEditor();
  TCustomControl::BeforeDestruction();
}

void TCustomDCEdit::CreateParams(TCreateParams& Params) {
  TCustomControl::CreateParams(Params);
  if (!Flat && !UseNimbraBorder) {
    Params.ExStyle |= WS_EX_CLIENTEDGE;
  }
}

TClass TCustomDCEdit::GetDefaultEditorClass() { return ZEZSimpleEdit::StaticClass(); }
TClass TCustomDCEdit::GetDefaultPopupClass() { return TPopupListBox::StaticClass(); }

void TCustomDCEdit::SetParent(TWinControl* AParent) {
  TCustomControl::SetParent(AParent);
  if (AParent) {
    SetEditorClass(GetDefaultEditorClass());
    SetPopup(GetDefaultPopupClass());
    FPopupWindowClass = FPopup ? FPopup->ClassName() : std::string();
  }
}

void TCustomDCEdit::SetEditorClass(TClass Class) {
  if (!FEdit || FEdit->ClassType() != Class) {
    UnhookEditor();
    delete FEdit;
    FEdit = static_cast<TWinControl*>(Class->NewInstance(this));
    FEdit->SetColor(Color());
  }
  FEdit->SetParent(this);
  FEdit->TabStop = false;  // the frame is the tab stop; it hands the focus on to its editor
  FEdit->SetEnabled(Enabled());
  SetButtonBounds();
  CheckReadOnly();
}

void TCustomDCEdit::SetPopup(TClass Class) {
  if (FPopup && Class && FPopup->ClassType() == Class) {
    return;
  }
  CloseDropped(false);
  delete FPopup;
  FPopup = nullptr;
  if (!Class) {
    return;
  }
  FPopup = static_cast<TWinControl*>(OwnedOrNew(this, Class));
  FPopup->SetVisible(false);
  FPopup->TabStop = false;
  if (!dynamic_cast<TDummyPopup*>(FPopup)) {
    FPopup->SetParent(this);
  }
}

void TCustomDCEdit::SetEditClass(const std::string& Value) {
  if (Value == FEditClass) {
    return;
  }
  FEditClass = Value;
  if (ComponentState().Contains(csReading)) {
    return;
  }
  const TClass C = RegisteredIn(Dorazori::EditClasses(), Value, false);
  SetEditorClass(C ? C : ZEZSimpleEdit::StaticClass());
}

void TCustomDCEdit::SetEditSourceType(const std::string& Value) {
  if (Value == FEditSourceClass) {
    return;
  }
  FEditSourceClass = Value;
  if (ComponentState().Contains(csReading)) {
    return;
  }
  const TClass C = RegisteredIn(Dorazori::EditSourceClasses(), Value, false);
  delete FEditSource;
  FEditSource = static_cast<Dorazori::TEditSource*>(OwnedOrNew(this, C ? C : TDummyEditSource::StaticClass()));
}

void TCustomDCEdit::SetPopupClassName(const std::string& Value) {
  if (Value == FPopupWindowClass) {
    return;
  }
  FPopupWindowClass = Value;
  if (ComponentState().Contains(csReading)) {
    return;
  }
  if (!GetClass(Value)) {
    SetPopup(nullptr);  // a name the class library does not know: no popup at all
    return;
  }
  const TClass C = RegisteredIn(Dorazori::PopupClasses(), Value, true);
  SetPopup(C ? C : TDummyPopup::StaticClass());
}

void TCustomDCEdit::Loaded() {
  TCustomControl::Loaded();
  if (FClassesPending) {
    FClassesPending = false;
    // Each stored name is cleared and set again, so that it takes effect now; an empty one leaves the part made at
    // parenting.
    std::string Name = std::exchange(FEditSourceClass, std::string());
    if (!Name.empty()) {
      SetEditSourceType(Name);
    }
    Name = std::exchange(FEditClass, std::string());
    if (!Name.empty()) {
      SetEditClass(Name);
    }
    Name = std::exchange(FPopupWindowClass, std::string());
    if (!Name.empty()) {
      SetPopupClassName(Name);
    }
  }
  SetButtonBounds();
}

bool TCustomDCEdit::FlatInactive() {
  const bool Focus = HandleAllocated() &&
                     (GetFocus() == Handle() || (FEdit && FEdit->HandleAllocated() && GetFocus() == FEdit->Handle()));
  return Flat && FMouseOutside && !Focus && !ComponentState().Contains(csDesigning);
}

void TCustomDCEdit::Paint() {
  TCustomControl::Paint();
  if (Flat || UseNimbraBorder) {
    DrawBorder(Canvas());
  }
}

void TCustomDCEdit::DrawBorder(TCanvas* C) {
  const int W = ClientWidth();
  const int H = ClientHeight();
  TRect R{0, 0, W - 1, H - 1};
  C->Brush()->SetColor(clBtnFace);
  C->FrameRect(TRect{R.Left, R.Top, R.Right + 1, R.Bottom + 1});
  C->FrameRect(TRect{R.Left + 1, R.Top + 1, R.Right, R.Bottom});
  C->SetPixels(0, H - 1, clBtnFace);
  C->SetPixels(W - 1, 0, clBtnFace);
  if (FlatInactive()) {
    return;
  }
  const bool Raised = UseNimbraBorder && (NimbraBorderStyle == dbsRaisedBorder || NimbraBorderStyle == dbsRaisedLine);
  const TColor TopLine = Raised ? clBtnHighlight : clBtnShadow;
  const TColor BottomLine = Raised ? clBtnShadow : clBtnHighlight;
  auto Line = [&](TColor Color, int X1, int Y1, int X2, int Y2) {
    C->Pen()->SetColor(Color);
    C->MoveTo(X1, Y1);
    C->LineTo(X2, Y2);
  };
  const TNimbraBorderStyle Style = UseNimbraBorder ? NimbraBorderStyle : dbsSunkenBorder;
  switch (Style) {
    case dbsSunkenLine:
    case dbsRaisedLine:
      Line(TopLine, 0, H - 2, W, H - 2);
      Line(BottomLine, 0, H - 1, W, H - 1);
      break;
    case dbsSunkenSingle:
    case dbsRaisedSingle: {
      TRect E{0, 0, W, H};
      DrawEdge(C->Handle(), &E, Style == dbsSunkenSingle ? BDR_SUNKENOUTER : BDR_RAISEDOUTER, BF_RECT);
      break;
    }
    case dbsLine: Line(LineColor, 0, H - 1, W, H - 1); break;
    case dbsLineBorder:
      C->Brush()->SetColor(LineColor);
      C->FrameRect(TRect{0, 0, W, H});
      break;
    case dbsNone: break;
    default:
      Line(TopLine, 0, H - 1, 0, 0);
      Line(TopLine, 0, 0, W - 1, 0);
      Line(BottomLine, W - 1, 0, W - 1, H - 1);
      Line(BottomLine, W - 1, H - 1, -1, H - 1);
      break;
  }
}

void TCustomDCEdit::BorderChanged() {
  if (HandleAllocated()) {
    RecreateWnd();
  }
  SetButtonBounds();
}

void TCustomDCEdit::SetReadOnly(bool Value) {
  FReadOnly = Value;
  CheckReadOnly();
}

void TCustomDCEdit::CheckReadOnly() {
  if (FEdit) {
    const bool ReadOnly = GetReadOnly() || FHideCaret;
    FEdit->Perform(EM_SETREADONLY, ReadOnly ? 1 : 0, 0);
    if (auto* E = dynamic_cast<TCustomEdit*>(FEdit)) {
      E->SetReadOnly(ReadOnly);
    }
  }
}

void TCustomDCEdit::SetNumButtons(int Value) {
  if (Value < 0 || Value > 2) {
    return;
  }
  FNumButtons = Value;
  FButton1->Button()->SetVisible(Value >= 1);
  FButton2->Button()->SetVisible(Value >= 2);
  SetButtonBounds();
}

int TCustomDCEdit::ButtonsWidth() const {
  int W = 0;
  if (FNumButtons >= 1) {
    W += FButton1->Button()->Width();
  }
  if (FNumButtons >= 2) {
    W += FButton2->Button()->Width();
  }
  return W;
}

void TCustomDCEdit::SetButtonBounds() {
  if (!FButton1 || !FButton2) {
    return;
  }
  const bool SingleEdge =
      UseNimbraBorder && (NimbraBorderStyle == dbsSunkenSingle || NimbraBorderStyle == dbsRaisedSingle);
  const int M = SingleEdge ? 2 : (Flat || UseNimbraBorder ? 1 : 0);
  const TRect C = ClientRect();
  TEditButton* B1 = FButton1->Button();
  TEditButton* B2 = FButton2->Button();
  const int H = C.Height() - 2 * M;
  if (FNumButtons == 2) {
    B2->SetBounds(C.Width() - B2->Width() - M, M, B2->Width(), H);
    B1->SetBounds(B2->Left() - B1->Width(), M, B1->Width(), H);
  } else {
    B1->SetBounds(C.Width() - B1->Width() - M, M, B1->Width(), H);
  }
  SetEditRect();
}

void TCustomDCEdit::SetEditRect() {
  if (!FEdit) {
    return;
  }
  const int F = Flat || UseNimbraBorder ? 1 : 0;
  const TRect C = ClientRect();
  FEdit->SetBounds(2 * F, 2 * F + 1, C.Width() - ButtonsWidth() - 4 * F, C.Height() - 4 * F - 1);
  if (FDroppedDown) {
    CloseDropped(false);
  }
}

std::string TCustomDCEdit::GetText() {
  if (!FEdit) {
    return {};
  }
  const LRESULT Len = FEdit->Perform(WM_GETTEXTLENGTH, 0, 0);
  std::string S(static_cast<std::size_t>(std::max<LRESULT>(Len, 0)) + 1, '\0');
  const LRESULT Got = FEdit->Perform(WM_GETTEXT, S.size(), reinterpret_cast<LPARAM>(S.data()));
  S.resize(static_cast<std::size_t>(std::max<LRESULT>(Got, 0)));
  return S;
}

void TCustomDCEdit::SetText(const std::string& Value) {
  if (Value == GetText()) {
    return;
  }
  if (FEdit) {
    FEdit->Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Value.c_str()));
    FEdit->Perform(CM_TEXTCHANGED, 0, 0);
  }
  Change();
}

void TCustomDCEdit::Change() {
  if (OnChange) {
    OnChange(this);
  }
}

void TCustomDCEdit::Term() {
  if (FInTerm || std::uncaught_exceptions() > 0) {
    return;
  }
  FInTerm = true;
  try {
    DoTerm();
  } catch (...) {
    FInTerm = false;
    throw;
  }
  FInTerm = false;
}

void TCustomDCEdit::DoTerm() { FEditSource->SetValue(GetText()); }

void TCustomDCEdit::SetDropValue() {
  const std::string S = GetText();
  FPopup->Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(S.c_str()));
}

void TCustomDCEdit::GetDropValue() {
  // The popup's text is read whole: its length is asked first.
  const LRESULT Len = FPopup->Perform(WM_GETTEXTLENGTH, 0, 0);
  std::string S(static_cast<std::size_t>(std::max<LRESULT>(Len, 0)) + 1, '\0');
  const LRESULT Got = FPopup->Perform(WM_GETTEXT, S.size(), reinterpret_cast<LPARAM>(S.data()));
  S.resize(static_cast<std::size_t>(std::max<LRESULT>(Got, 0)));
  if (!S.empty()) {
    SetText(S);
    Change();
  }
}

void TCustomDCEdit::SetDroppedDown(bool Value) {
  if (Value) {
    Drop();
  } else {
    CloseDropped(true);
  }
}

void TCustomDCEdit::Drop() {
  if (!FPopup || dynamic_cast<TDummyPopup*>(FPopup) || FDroppedDown) {
    return;
  }
  FPopup->HandleNeeded();
  // The popup is a top-level window of its own.
  ::SetParent(FPopup->Handle(), 0);
  SetWindowLongPtr(FPopup->Handle(), GWL_STYLE,
                   (GetWindowLongPtr(FPopup->Handle(), GWL_STYLE) & ~static_cast<LONG_PTR>(WS_CHILD)) | WS_POPUP);
  // Owned by the frame, which draws the rows of an owner-drawn list for it.
  SetWindowLongPtr(FPopup->Handle(), GWLP_HWNDPARENT, static_cast<LONG_PTR>(Handle()));
  FPopup->SetClientWidth(ClientWidth());
  if (OnDropDown) {
    OnDropDown(this);
  }
  SetDropValue();
  // Below the frame, right-aligned when wider; above it when it would leave the screen.
  TPoint P = ClientToScreen(TPoint{UseNimbraBorder ? 0 : -2, ClientHeight()});
  if (FPopup->Width() > Width()) {
    P.X -= FPopup->Width() - Width();
  } else if (FPopup->Width() < Width()) {
    FPopup->SetWidth(Width());
  }
  if (P.Y + FPopup->Height() > GetSystemMetrics(SM_CYSCREEN)) {
    P.Y -= FPopup->Height() + Height();
  }
  if (CanFocus()) {
    SetFocus();
  }
  SetWindowPos(FPopup->Handle(), HWND_TOPMOST, P.X, P.Y, FPopup->Width(), FPopup->Height(),
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  FPopup->SetVisible(true);
  FDroppedDown = true;
  if (ActivePopup.Frame && ActivePopup.Frame != this) {
    ActivePopup.Frame->CloseDropped(false);
  }
  // The application losing activation closes the popup without a choice.
  FAppHook = Application->HookMainWindow([this](TMessage& M) {
    if (M.Msg == CM_DEACTIVATE || (M.Msg == WM_ACTIVATEAPP && M.WParam == 0)) {
      PostMessage(Handle(), CM_CLOSEPOPUP, 0, 0);
    }
    return false;
  });
  if (!ActivePopup.Hook) {
    ActivePopup.Hook =
        SetWindowsHookEx(WH_MOUSE, reinterpret_cast<HOOKPROC>(&PopupMouseHook), nullptr, GetCurrentThreadId());
  }
  ActivePopup.Frame = this;
  // Timer 1 tracks the mouse while the popup is down.
  SetTimer(Handle(), 1, 20, nullptr);
}

void TCustomDCEdit::CloseDropped(bool Accept) {
  if (!FDroppedDown) {
    return;
  }
  struct TFinally {
    TCustomDCEdit* Self;
    ~TFinally() {
      Self->FDroppedDown = false;
      if (auto* E = dynamic_cast<TCustomEdit*>(Self->FEdit)) {
        E->SelectAll();
      }
    }
  } Finally{this};
  if (HandleAllocated()) {
    KillTimer(Handle(), 1);
  }
  if (FLeavePending) {
    FLeavePending = false;
    UpdateBorder();
  }
  if (FAppHook) {
    Application->UnhookMainWindow(FAppHook);
    FAppHook = 0;
  }
  if (ActivePopup.Frame == this) {
    if (ActivePopup.Hook) {
      UnhookWindowsHookEx(ActivePopup.Hook);
    }
    ActivePopup = TActivePopup();
  }
  if (FPopup && FPopup->HandleAllocated()) {
    ShowWindow(FPopup->Handle(), SW_HIDE);
  }
  if (FPopup) {
    FPopup->SetVisible(false);
  }
  if (Accept) {
    GetDropValue();
    const std::string S = GetText();
    FEditSource->SetValue(S);
    const std::string Back = FEditSource->GetValue();
    if (Back != S) {
      SetText(Back);
    }
  }
}

void TCustomDCEdit::Click() {
  TCustomControl::Click();
  if (CanFocus()) {
    SetFocus();
  }
  if (FEdit) {
    // The inner editor handles the click as its own (a check box toggles).
    FEdit->Perform(CM_EDITCLICK, 0, 0);
  }
}

void TCustomDCEdit::KeyPress(char& Key) {
  TCustomControl::KeyPress(Key);
  if (Key == '\r' || Key == 27) {
    Key = 0;
  }
}

void TCustomDCEdit::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  (void)EditKey(WM_KEYDOWN, Key, Shift.Contains(ssAlt) ? (1 << 29) : 0);
}

// The frame's keys, for itself and its editor: true when the key is taken.
bool TCustomDCEdit::EditKey(UINT Msg, WPARAM Key, LPARAM KeyData) {
  const bool Alt = (KeyData & (1 << 29)) != 0 || GetKeyState(VK_MENU) < 0;
  if (FDroppedDown) {
    if (Key == VK_UP && Alt) {
      CloseDropped(true);
      return true;
    }
    // Keys go to the popup while it is down.
    Word K = static_cast<Word>(Key);
    if (auto* List = dynamic_cast<TPopupListBox*>(FPopup)) {
      TShiftState Shift;
      if (Alt) {
        Shift.Include(ssAlt);
      }
      if (Msg == WM_KEYDOWN || Msg == WM_SYSKEYDOWN) {
        List->Perform(CN_KEYDOWN, K, KeyData);
        TMessage M;
        M.Msg = WM_KEYDOWN;
        M.WParam = K;
        M.LParam = KeyData;
        List->Dispatch(M);
      }
    }
    return true;
  }
  if (Msg != WM_KEYDOWN && Msg != WM_SYSKEYDOWN) {
    return false;
  }
  switch (Key) {
    case VK_RETURN: Term(); return true;
    case VK_DOWN:
      if (Alt) {
        if (FButton1->Button()->Visible()) {
          Drop();
          return true;
        }
        return false;
      }
      [[fallthrough]];
    case VK_UP:
      if (!Alt && Parent()) {
        if (TCustomForm* Form = GetParentForm(this)) {
          Form->SelectNext(this, Key == VK_DOWN, true);
        }
      }
      return true;
    default: return false;
  }
}

LRESULT TCustomDCEdit::EditWndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  const auto It = HookedEditors().find(Wnd);
  if (It == HookedEditors().end()) {
    return DefWindowProc(Wnd, Msg, WParam, LParam);
  }
  TCustomDCEdit* Frame = It->second;
  const WNDPROC Old = Frame->FOldEditProc;
  if (Frame->FDestroying) {
    return CallWindowProc(Old, Wnd, Msg, WParam, LParam);
  }
  try {
    switch (Msg) {
      case WM_KEYDOWN:
      case WM_SYSKEYDOWN:
      case WM_CHAR:
        if (Frame->FDroppedDown) {
          (void)Frame->EditKey(Msg, WParam, LParam);
          return 0;
        }
        if (Msg != WM_CHAR && Frame->EditKey(Msg, WParam, LParam)) {
          return 0;
        }
        if (Msg == WM_CHAR) {
          char Key = static_cast<char>(WParam);
          Frame->KeyPress(Key);
          if (Key == 0) {
            return 0;
          }
          WParam = static_cast<unsigned char>(Key);
        }
        break;
      case WM_KILLFOCUS: {
        const LRESULT R = CallWindowProc(Old, Wnd, Msg, WParam, LParam);
        const HWND To = static_cast<HWND>(WParam);
        if (To != Frame->Handle() &&
            !(Frame->FPopup && Frame->FPopup->HandleAllocated() && To == Frame->FPopup->Handle())) {
          Frame->CloseDropped(false);
          try {
            Frame->Term();
          } catch (...) {
            // A value that cannot be committed keeps the focus here, selected, and the error is shown.
            PostMessage(Frame->Handle(), CM_REFOCUS, 0, 0);
            throw;
          }
        }
        return R;
      }
      case WM_LBUTTONDOWN:
        if (!Frame->ComponentState().Contains(csDesigning) && Frame->EditMouseDown(WParam)) {
          return 0;
        }
        break;
      case WM_LBUTTONUP: {
        const LRESULT R = CallWindowProc(Old, Wnd, Msg, WParam, LParam);
        if (Frame->DropOnClick && !Frame->FDroppedDown) {
          Frame->Drop();
        }
        return R;
      }
      default: break;
    }
  } catch (const std::exception& E) {
    Application->HandleException(Frame, &E);
    return 0;
  }
  const std::string Before = Msg == WM_CHAR ? Frame->GetText() : std::string();
  const LRESULT R = CallWindowProc(Old, Wnd, Msg, WParam, LParam);
  if (Msg == WM_CHAR && Frame->GetText() != Before) {
    Frame->FEditSource->StartEdit();
    Frame->Change();
  }
  return R;
}

void TCustomDCEdit::HookEditor() {
  if (!FEdit || FHookedEdit || !FEdit->HandleAllocated()) {
    return;
  }
  FHookedEdit = FEdit->Handle();
  HookedEditors()[FHookedEdit] = this;
  FOldEditProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtr(FHookedEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TCustomDCEdit::EditWndProc)));
}

void TCustomDCEdit::UnhookEditor() {
  if (!FHookedEdit) {
    return;
  }
  if (IsWindow(FHookedEdit)) {
    SetWindowLongPtr(FHookedEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FOldEditProc));
  }
  HookedEditors().erase(FHookedEdit);
  FHookedEdit = 0;
  FOldEditProc = nullptr;
}

void TCustomDCEdit::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_POSTVALUE: Term(); return;
    case CM_CLOSEPOPUP: CloseDropped(false); return;
    case CM_DIALOGCHAR:
      if (!AccelCaption.empty() && IsAccel(static_cast<Word>(Message.WParam), AccelCaption) && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
      }
      TCustomControl::Dispatch(Message);
      return;
    case CM_MOUSEENTER:
      FMouseOutside = false;
      TCustomControl::Dispatch(Message);
      UpdateBorder();
      return;
    case CM_MOUSELEAVE:
      TCustomControl::Dispatch(Message);
      MouseLeft();
      return;
    case WM_TIMER:
      if (Message.WParam == 1) {
        TimerTick();
        return;
      }
      TCustomControl::Dispatch(Message);
      return;
    case WM_SETCURSOR:
      if (ButtonCursor()) {
        Message.Result = 1;
        return;
      }
      TCustomControl::Dispatch(Message);
      return;
    case CM_FONTCHANGED:
      TCustomControl::Dispatch(Message);
      AdjustHeight();
      return;
    case CM_WANTSPECIALKEY:
      // Up and Down are always the frame's; Return and Escape while its popup is down.
      if (Message.WParam == VK_UP || Message.WParam == VK_DOWN ||
          (FDroppedDown && (Message.WParam == VK_RETURN || Message.WParam == VK_ESCAPE))) {
        Message.Result = 1;
        return;
      }
      TCustomControl::Dispatch(Message);
      return;
    case WM_LBUTTONDOWN:
      if (!ComponentState().Contains(csDesigning) && EditMouseDown(Message.WParam)) {
        return;
      }
      TCustomControl::Dispatch(Message);
      return;
    case CM_REFOCUS:
      if (CanFocus()) {
        SetFocus();
      }
      if (auto* E = dynamic_cast<TCustomEdit*>(FEdit)) {
        E->SelectAll();
      }
      return;
    case WM_SIZE:
      TCustomControl::Dispatch(Message);
      SetButtonBounds();
      return;
    case WM_PARENTNOTIFY:
      TCustomControl::Dispatch(Message);
      if (LOWORD(Message.WParam) == WM_CREATE && FEdit && FEdit->HandleAllocated() &&
          static_cast<HWND>(Message.LParam) == FEdit->Handle()) {
        UnhookEditor();
        HookEditor();
      }
      return;
    case WM_SETFOCUS:
      TCustomControl::Dispatch(Message);
      if (FEdit && FEdit->CanFocus()) {
        HookEditor();
        FEdit->SetFocus();
      }
      return;
    default: TCustomControl::Dispatch(Message); return;
  }
}

void ZEZEdit::Publish(TMetaClass& Meta) {
  TPublisher<ZEZEdit> P(Meta);
  P.Property("NumButtons", &ZEZEdit::NumButtons, &ZEZEdit::SetNumButtons).Default(1);
  P.Property("EditClass", &ZEZEdit::EditClass, &ZEZEdit::SetEditClass);
  P.Property("EditSourceClass", &ZEZEdit::EditSourceClass, &ZEZEdit::SetEditSourceType);
  P.Property("PopupWindowClass", &ZEZEdit::PopupWindowClass, &ZEZEdit::SetPopupClassName);
  P.Property("DropOnClick", &ZEZEdit::DropOnClick, &ZEZEdit::DropOnClick).Default(false);
  P.Property("Flat", &ZEZEdit::Flat, &ZEZEdit::Flat).Default(false);
  P.Property("UseNimbraBorder", &ZEZEdit::UseNimbraBorder, &ZEZEdit::UseNimbraBorder).Default(false);
  P.Property("NimbraBorderStyle", &ZEZEdit::NimbraBorderStyle, &ZEZEdit::NimbraBorderStyle).Default(dbsSunkenBorder);
  P.Property("OnChange", &ZEZEdit::OnChange, &ZEZEdit::OnChange);
  P.Property("OnDropDown", &ZEZEdit::OnDropDown, &ZEZEdit::OnDropDown);
}

}  // namespace Dcedit

Z_REGISTER_UNIT(UnitOrder::Dccommon + 2, "Dcedit", &Dcedit::Registrations, nullptr)
