// The colour, pen-style and brush-style boxes.
#include "editor/Easycolorbox.h"

#include "platform/classes/Classes.h"
#include "platform/graphics/Colors.h"
#include "platform/graphics/ColorValues.h"

#include <cstdint>
#include <vector>

Z_IMPLEMENT_CLASS_PUBLISHED(TEasyColorBox, TCustomComboBox, TEasyColorBox::Publish)
Z_IMPLEMENT_CLASS(TCustomEasyStyleBox, TCustomComboBox)
Z_IMPLEMENT_CLASS_PUBLISHED(TEasyPenStyleBox, TCustomEasyStyleBox, TEasyPenStyleBox::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(TEasyBrushStyleBox, TCustomEasyStyleBox, TEasyBrushStyleBox::Publish)

namespace {

TObject* AsObject(std::intptr_t V) { return reinterpret_cast<TObject*>(V); }
std::intptr_t AsValue(TObject* O) { return reinterpret_cast<std::intptr_t>(O); }

struct TNamedColor {
  std::string Ident;
  TColor Color;
};

const std::vector<TNamedColor>& NamedColors() {
  static const std::vector<TNamedColor> List = [] {
    std::vector<TNamedColor> L;
    GetColorValues([&L](const std::string& Ident) {
      TColor C = 0;
      if (IdentToColor(Ident, C)) {
        L.push_back({Ident, C});
      }
    });
    return L;
  }();
  return List;
}

bool HasName(TColor C) {
  for (const TNamedColor& N : NamedColors()) {
    if (N.Color == C) {
      return true;
    }
  }
  return false;
}

const char* const PenStyleNames[] = {"psSolid",      "psDash",  "psDot",        "psDashDot",
                                     "psDashDotDot", "psClear", "psInsideFrame"};
const char* const BrushStyleNames[] = {"bsSolid",     "bsClear",     "bsHorizontal", "bsVertical",
                                       "bsFDiagonal", "bsBDiagonal", "bsCross",      "bsDiagCross"};

}  // namespace

// ---- TEasyColorBox ----

TEasyColorBox::TEasyColorBox(TComponent* AOwner) : TCustomComboBox(AOwner) {
  SetStyle(csOwnerDrawFixed);
  SetItemHeight(16);
}

void TEasyColorBox::Publish(TMetaClass& Meta) {
  TPublisher<TEasyColorBox> P(Meta);
  P.Property("SelectedColor", &TEasyColorBox::SelectedColor, &TEasyColorBox::SetSelectedColor)
      .Type(TypeInfoColor())
      .Default(0);
  P.Property("CustomColor", &TEasyColorBox::CustomColor, &TEasyColorBox::SetCustomColor)
      .Type(TypeInfoColor())
      .Default(0);
  P.Property("UseCustomColor", &TEasyColorBox::UseCustomColor, &TEasyColorBox::SetUseCustomColor).Default(true);
}

void TEasyColorBox::CreateWnd() {
  TCustomComboBox::CreateWnd();
  RebuildItems();
}

void TEasyColorBox::RebuildItems() {
  TStrings* L = Items();
  L->BeginUpdate();
  L->Clear();
  for (const TNamedColor& N : NamedColors()) {
    L->AddObject(N.Ident.substr(2), AsObject(N.Color));
  }
  if (FUseCustomColor) {
    L->AddObject("Custom", AsObject(FCustomColor));
  }
  L->EndUpdate();
  SelectValue(FSelectedColor);
}

int TEasyColorBox::CustomIndex() { return FUseCustomColor ? Items()->Count() - 1 : -1; }

TColor TEasyColorBox::ItemColor(int Index) {
  return Index >= 0 && Index < Items()->Count() ? static_cast<TColor>(AsValue(Items()->Objects(Index))) : -1;
}

void TEasyColorBox::SelectValue(TColor Value) {
  const int Last = FUseCustomColor ? Items()->Count() - 1 : Items()->Count();
  for (int I = 0; I < Last; ++I) {
    if (ItemColor(I) == Value) {
      SetItemIndex(I);
      return;
    }
  }
  if (FUseCustomColor && Items()->Count() > 0 && ItemColor(Items()->Count() - 1) == Value) {
    SetItemIndex(Items()->Count() - 1);
    return;
  }
  SetItemIndex(-1);
}

void TEasyColorBox::SetSelectedColor(TColor Value) {
  if (Value == FSelectedColor && ItemIndex() >= 0) {
    return;
  }
  if (HasName(Value)) {
    FSelectedColor = Value;
    SelectValue(Value);
  } else if (FUseCustomColor) {
    SetCustomColor(Value);
  } else {
    FSelectedColor = -1;
    SetItemIndex(-1);
  }
}

void TEasyColorBox::SetCustomColor(TColor Value) {
  FCustomColor = Value;
  if (!FUseCustomColor) {
    return;
  }
  FSelectedColor = Value;
  const int Last = CustomIndex();
  if (Last >= 0) {
    Items()->SetObjects(Last, AsObject(Value));
    SetItemIndex(Last);
  }
  Change();
}

void TEasyColorBox::SetUseCustomColor(bool Value) {
  if (Value == FUseCustomColor) {
    return;
  }
  FUseCustomColor = Value;
  if (Value) {
    Items()->AddObject("Custom", AsObject(FCustomColor));
  } else if (Items()->Count() > 0) {
    const bool WasSelected = ItemIndex() == Items()->Count() - 1;
    Items()->Delete(Items()->Count() - 1);
    if (WasSelected || ItemIndex() < 0) {
      SetItemIndex(Items()->Count() > 0 ? 0 : -1);
      FSelectedColor = ItemColor(ItemIndex());
    }
  }
}

void TEasyColorBox::Change() {
  if (ItemIndex() >= 0) {
    FSelectedColor = ItemColor(ItemIndex());
  }
  TCustomComboBox::Change();
}

void TEasyColorBox::Select() {
  if (ItemIndex() >= 0) {
    FSelectedColor = ItemColor(ItemIndex());
  }
  TCustomComboBox::Select();
}

void TEasyColorBox::DrawItem(int Index, const TRect& R, TOwnerDrawState State) {
  (void)State;
  TCanvas* C = Canvas();
  C->FillRect(R);
  const TColor Value = ItemColor(Index);
  const TColor OldBrush = C->Brush()->Color();
  C->Rectangle(R.Left + 2, R.Top + 1, R.Left + 30, R.Bottom - 1);
  C->Brush()->SetColor(Value == -1 ? clWindow : Value);
  C->FillRect(Rect(R.Left + 3, R.Top + 2, R.Left + 29, R.Bottom - 2));
  C->Brush()->SetColor(OldBrush);
  const std::string Text = Value == -1 ? std::string("Automatic") : ColorToString(Value);
  C->TextOut(R.Left + 32, R.Top + 1, Text);
}

// ---- style boxes ----

TCustomEasyStyleBox::TCustomEasyStyleBox(TComponent* AOwner) : TCustomComboBox(AOwner) {
  SetStyle(csOwnerDrawFixed);
  SetItemHeight(16);
}

void TCustomEasyStyleBox::CreateWnd() {
  TCustomComboBox::CreateWnd();
  Items()->BeginUpdate();
  Items()->Clear();
  AddStyles();
  Items()->EndUpdate();
  SetIndexFromStyle();
}

int TCustomEasyStyleBox::IndexOfValue(int Value) {
  for (int I = 0; I < Items()->Count(); ++I) {
    if (AsValue(Items()->Objects(I)) == Value) {
      return I;
    }
  }
  return -1;
}

TEasyPenStyleBox::TEasyPenStyleBox(TComponent* AOwner)
    : TCustomEasyStyleBox(AOwner), FSparePen(std::make_unique<TPen>()) {}

TEasyPenStyleBox::~TEasyPenStyleBox() = default;

void TEasyPenStyleBox::Publish(TMetaClass& Meta) {
  TPublisher<TEasyPenStyleBox> P(Meta);
  P.Property("PenStyle", &TEasyPenStyleBox::PenStyle, &TEasyPenStyleBox::SetPenStyle).Default(psSolid);
}

void TEasyPenStyleBox::AddStyles() {
  for (int I = 0; I <= psInsideFrame; ++I) {
    Items()->AddObject(PenStyleNames[I], AsObject(I));
  }
}

void TEasyPenStyleBox::SetPenStyle(TPenStyle Value) {
  if (Value != FPenStyle) {
    FPenStyle = Value;
    SetIndexFromStyle();
  }
}

void TEasyPenStyleBox::SetIndexFromStyle() {
  if (HandleAllocated()) {
    SetItemIndex(IndexOfValue(FPenStyle));
  }
}

void TEasyPenStyleBox::Change() {
  const int I = ItemIndex();
  if (I >= 0 && I < Items()->Count()) {
    FPenStyle = static_cast<TPenStyle>(AsValue(Items()->Objects(I)));
  }
  TCustomComboBox::Change();
}

void TEasyPenStyleBox::Select() {
  const int I = ItemIndex();
  if (I >= 0 && I < Items()->Count()) {
    FPenStyle = static_cast<TPenStyle>(AsValue(Items()->Objects(I)));
  }
  TCustomComboBox::Select();
}

void TEasyPenStyleBox::DrawItem(int Index, const TRect& R, TOwnerDrawState State) {
  (void)State;
  TCanvas* C = Canvas();
  C->FillRect(R);
  if (Index < 0 || Index >= Items()->Count()) {
    return;
  }
  FSparePen->Assign(C->Pen());
  C->Pen()->SetColor(clBlack);
  C->Pen()->SetWidth(1);
  C->Pen()->SetStyle(static_cast<TPenStyle>(AsValue(Items()->Objects(Index))));
  const int Y = (R.Top + R.Bottom) / 2;
  C->MoveTo(R.Left + 2, Y);
  C->LineTo(R.Right - 2, Y);
  C->Pen()->Assign(FSparePen.get());
}

TEasyBrushStyleBox::TEasyBrushStyleBox(TComponent* AOwner)
    : TCustomEasyStyleBox(AOwner), FSpareBrush(std::make_unique<TBrush>()) {}

TEasyBrushStyleBox::~TEasyBrushStyleBox() = default;

void TEasyBrushStyleBox::Publish(TMetaClass& Meta) {
  TPublisher<TEasyBrushStyleBox> P(Meta);
  P.Property("BrushStyle", &TEasyBrushStyleBox::BrushStyle, &TEasyBrushStyleBox::SetBrushStyle).Default(bsSolid);
}

void TEasyBrushStyleBox::AddStyles() {
  for (int I = 0; I <= bsDiagCross; ++I) {
    Items()->AddObject(BrushStyleNames[I], AsObject(I));
  }
}

void TEasyBrushStyleBox::SetBrushStyle(TBrushStyle Value) {
  if (Value != FBrushStyle) {
    FBrushStyle = Value;
    SetIndexFromStyle();
  }
}

void TEasyBrushStyleBox::SetIndexFromStyle() {
  if (HandleAllocated()) {
    SetItemIndex(IndexOfValue(FBrushStyle));
  }
}

void TEasyBrushStyleBox::Change() {
  const int I = ItemIndex();
  if (I >= 0 && I < Items()->Count()) {
    FBrushStyle = static_cast<TBrushStyle>(AsValue(Items()->Objects(I)));
  }
  TCustomComboBox::Change();
}

void TEasyBrushStyleBox::Select() {
  const int I = ItemIndex();
  if (I >= 0 && I < Items()->Count()) {
    FBrushStyle = static_cast<TBrushStyle>(AsValue(Items()->Objects(I)));
  }
  TCustomComboBox::Select();
}

void TEasyBrushStyleBox::DrawItem(int Index, const TRect& R, TOwnerDrawState State) {
  (void)State;
  TCanvas* C = Canvas();
  C->FillRect(R);
  if (Index < 0 || Index >= Items()->Count()) {
    return;
  }
  const auto Style = static_cast<TBrushStyle>(AsValue(Items()->Objects(Index)));
  FSpareBrush->Assign(C->Brush());
  const TRect Swatch = Rect(R.Left + 2, R.Top + 2, R.Left + 32, R.Bottom - 2);
  if (Style == bsClear) {
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(clInfoBk);
  } else {
    C->Brush()->SetStyle(Style);
    C->Brush()->SetColor(clBlack);
  }
  C->Pen()->SetColor(clBlack);
  C->Rectangle(Swatch);
  C->Brush()->Assign(FSpareBrush.get());
  const std::string Name = Items()->Strings(Index);
  C->TextOut(Swatch.Right + 2, Swatch.Top, Name.size() > 2 ? Name.substr(2) : Name);
}
