// The editor's chrome objects: gutter, margin, line numbers, line styles, line divider and colours.
#include "editor/Easyeditgutter.h"

#include "editor/Easyeditor.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Streams.h"
#include "platform/rtl/SysUtils.h"

#include <algorithm>

Z_IMPLEMENT_CLASS(TEasyGutterBackground, TEasyControlBackground)
Z_IMPLEMENT_CLASS_PUBLISHED(TEasyEditorGutter, TPersistent, TEasyEditorGutter::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(TEasyEditorMargin, TPersistent, TEasyEditorMargin::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(TEasyLineNumbers, TPersistent, TEasyLineNumbers::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(TEasyLineStyle, TCollectionItem, TEasyLineStyle::Publish)
Z_IMPLEMENT_CLASS(TEasyLineStyles, TOwnedCollection)
Z_IMPLEMENT_CLASS_PUBLISHED(TEasyLineDivider, TPersistent, TEasyLineDivider::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(TEasyEditorColors, TCustomEasyEditorColors, TEasyEditorColors::Publish)

namespace {
void LimitPenWidth(TPen* Pen) {
  if (Pen->Width() > 2) {
    Pen->SetWidth(2);
  }
}
}  // namespace

// ---- gutter background ----

TEasyGutterBackground::TEasyGutterBackground(TCustomEasyEdit* AEdit) : TEasyControlBackground(AEdit), FEdit(AEdit) {}

TRect TEasyGutterBackground::GetPaintRect() {
  if (FEdit == nullptr || !FEdit->HandleAllocated()) {
    return TRect{};
  }
  return Rect(0, 0, FEdit->Gutter()->Width(), FEdit->ClientHeight() + 1);
}

TBrush* TEasyGutterBackground::GetPaintBrush() { return FEdit ? FEdit->Gutter()->Brush() : nullptr; }

void TEasyGutterBackground::Paint() {
  TEasyControlBackground::Paint();
  if (FEdit && NeedPaint()) {
    TEasyEditorGutter* G = FEdit->Gutter();
    PaintGutterLine(WorkBitmap()->Canvas(), GetPaintRect(), G->Width() - 2, G->BackColor(), G->Pen());
  }
}

// ---- gutter ----

TEasyEditorGutter::TEasyEditorGutter(TCustomEasyEdit* AEdit)
    : FPen(std::make_unique<TPen>()),
      FBrush(std::make_unique<TBrush>()),
      FImages(std::make_unique<TImageList>(nullptr)),
      FImagesLink(std::make_unique<TChangeLink>()),
      FEdit(AEdit),
      FBackground(std::make_unique<TEasyGutterBackground>(AEdit)) {
  FBrush->SetColor(clBtnFace);
  FPen->OnChange = [this](TObject* Sender) { GutterChanged(Sender); };
  FBrush->OnChange = [this](TObject* Sender) { GutterChanged(Sender); };
  RegisterEditorResources();
  FImages->SetHeight(15);
  FImages->SetWidth(16);
  TBitmap Strip;
  Strip.LoadFromResourceName(0, "EASYBOOKMARK");
  FImages->AddMasked(&Strip, clWhite);
  FImagesLink->OnChange = [this](TObject* Sender) { ImagesChanged(Sender); };
  FImages->RegisterChanges(FImagesLink.get());
}

TEasyEditorGutter::~TEasyEditorGutter() {
  FImages->UnRegisterChanges(FImagesLink.get());
  FPen->OnChange = nullptr;
  FBrush->OnChange = nullptr;
}

void TEasyEditorGutter::Publish(TMetaClass& Meta) {
  TPublisher<TEasyEditorGutter> P(Meta);
  P.Property("Brush", &TEasyEditorGutter::Brush, &TEasyEditorGutter::SetBrush);
  P.Property("Pen", &TEasyEditorGutter::Pen, &TEasyEditorGutter::SetPen);
  P.Property("Images", &TEasyEditorGutter::Images, &TEasyEditorGutter::SetImages).Stored(false);
  P.Property("Width", &TEasyEditorGutter::Width, &TEasyEditorGutter::SetWidth).Default(32);
  P.Property("Indent", &TEasyEditorGutter::Indent, &TEasyEditorGutter::SetIndent).Default(0);
  P.Property("BackColor", &TEasyEditorGutter::BackColor, &TEasyEditorGutter::SetBackColor)
      .Type(TypeInfoColor())
      .Default(clWindow);
  P.Property("Background", &TEasyEditorGutter::Background, &TEasyEditorGutter::SetBackground)
      .Stored(&TEasyEditorGutter::IsBackgroundStored);
}

void TEasyEditorGutter::Assign(TPersistent* Source) {
  if (auto* G = dynamic_cast<TEasyEditorGutter*>(Source)) {
    SetBrush(G->Brush());
    SetImages(G->Images());
    SetWidth(G->Width());
    SetIndent(G->Indent());
    SetBackground(G->Background());
    SetPen(G->Pen());
  }
}

void TEasyEditorGutter::SetImages(TImageList* Value) {
  if (Value != FImages.get()) {
    FImages->Assign(Value);
  }
}

void TEasyEditorGutter::SetBackColor(TColor Value) {
  if (Value != FBackColor) {
    FBackColor = Value;
    if (FEdit && FEdit->Options().Contains(eoPaintGutter)) {
      FEdit->Invalidate();
    }
  }
}

void TEasyEditorGutter::SetWidth(int Value) {
  if (Value != FWidth) {
    FWidth = Value;
    if (FEdit) {
      FEdit->PaintBackground();
      if (FEdit->NeedPages()) {
        FEdit->UpdateAllPages();
      }
      FEdit->Invalidate();
    }
  }
}

void TEasyEditorGutter::SetIndent(int Value) {
  if (Value != FIndent) {
    FIndent = Value;
    if (FEdit) {
      if (FEdit->NeedPages()) {
        FEdit->UpdateAllPages();
      }
      FEdit->Invalidate();
    }
  }
}

int TEasyEditorGutter::GetWidth() {
  if (FEdit == nullptr || !FEdit->Options().Contains(eoPaintGutter)) {
    return 0;
  }
  TEasyLineNumbers* N = FEdit->LineNumbers();
  if (N->Visible() && N->Options().Contains(lnPaintOnGutter)) {
    return std::max(FWidth, FEdit->LineNumberWidth);
  }
  return FWidth;
}

void TEasyEditorGutter::GutterChanged(TObject*) {
  LimitPenWidth(FPen.get());
  if (FEdit) {
    FEdit->Invalidate();
  }
  if (OnChange) {
    OnChange(this);
  }
}

void TEasyEditorGutter::ImagesChanged(TObject* Sender) {
  FImagesModified = true;
  GutterChanged(Sender);
}

void TEasyEditorGutter::DefineProperties(TFiler* Filer) {
  TPersistent::DefineProperties(Filer);
  Filer->DefineBinaryProperty(
      "ImageData", [this](TStream* S) { ReadData(S); }, [this](TStream* S) { WriteData(S); }, FImagesModified);
}

void TEasyEditorGutter::ReadData(TStream* Stream) {
  Stream->ReadComponent(FImages.get());
  FImagesModified = true;
}

void TEasyEditorGutter::WriteData(TStream* Stream) { Stream->WriteComponent(FImages.get()); }

// ---- margin ----

TEasyEditorMargin::TEasyEditorMargin(TCustomEasyEdit* AEdit) : FPen(std::make_unique<TPen>()), FEdit(AEdit) {
  FPen->SetColor(clBtnShadow);
  FPen->OnChange = [this](TObject* Sender) { MarginChanged(Sender); };
}

void TEasyEditorMargin::Publish(TMetaClass& Meta) {
  TPublisher<TEasyEditorMargin> P(Meta);
  P.Property("Pen", &TEasyEditorMargin::Pen, &TEasyEditorMargin::SetPen);
  P.Property("Position", &TEasyEditorMargin::Position, &TEasyEditorMargin::SetPosition).Default(80);
}

void TEasyEditorMargin::Assign(TPersistent* Source) {
  if (auto* M = dynamic_cast<TEasyEditorMargin*>(Source)) {
    SetPosition(M->Position());
    SetPen(M->Pen());
    return;
  }
  TPersistent::Assign(Source);
}

void TEasyEditorMargin::SetPosition(int Value) {
  if (Value != FPosition) {
    FPosition = Value;
    MarginChanged(this);
  }
}

void TEasyEditorMargin::MarginChanged(TObject*) {
  LimitPenWidth(FPen.get());
  if (FEdit) {
    FEdit->Invalidate();
  }
  if (OnChange) {
    OnChange(this);
  }
}

// ---- line numbers ----

void TEasyLineNumbers::Publish(TMetaClass& Meta) {
  TPublisher<TEasyLineNumbers> P(Meta);
  P.Property("Color", &TEasyLineNumbers::Color, &TEasyLineNumbers::SetColor).Type(TypeInfoColor()).Default(0);
  P.Property("BackColor", &TEasyLineNumbers::BackColor, &TEasyLineNumbers::SetBackColor)
      .Type(TypeInfoColor())
      .Default(clWindow);
  P.Property("Visible", &TEasyLineNumbers::Visible, &TEasyLineNumbers::SetVisible).Default(false);
  P.Property("Options", &TEasyLineNumbers::Options, &TEasyLineNumbers::SetOptions)
      .Default(TEasyLineNumbersOptions{});
  P.Property("Alignment", &TEasyLineNumbers::Alignment, &TEasyLineNumbers::SetAlignment).Default(lnLeft);
  P.Property("Indent", &TEasyLineNumbers::Indent, &TEasyLineNumbers::SetIndent).Default(2);
  P.Property("LeftIndent", &TEasyLineNumbers::LeftIndent, &TEasyLineNumbers::SetLeftIndent).Default(0);
  P.Property("StartFrom", &TEasyLineNumbers::StartFrom, &TEasyLineNumbers::SetStartFrom).Default(0);
}

void TEasyLineNumbers::Assign(TPersistent* Source) {
  if (auto* N = dynamic_cast<TEasyLineNumbers*>(Source)) {
    SetColor(N->Color());
    SetBackColor(N->BackColor());
    SetVisible(N->Visible());
    SetOptions(N->Options());
    SetAlignment(N->Alignment());
    SetIndent(N->Indent());
    SetLeftIndent(N->LeftIndent());
    SetStartFrom(N->StartFrom());
    return;
  }
  TPersistent::Assign(Source);
}

void TEasyLineNumbers::Update(bool RepaintOnly) {
  if (FEdit == nullptr) {
    return;
  }
  if (!RepaintOnly) {
    FEdit->UpdateLineNumbers(false);
    if (FEdit->NeedPages()) {
      FEdit->UpdateAllPages();
    }
  }
  FEdit->Invalidate();
}

void TEasyLineNumbers::SetColor(TColor Value) {
  if (Value != FColor) {
    FColor = Value;
    Update(true);
  }
}

void TEasyLineNumbers::SetBackColor(TColor Value) {
  if (Value != FBackColor) {
    FBackColor = Value;
    Update(true);
  }
}

void TEasyLineNumbers::SetAlignment(TEasyLineNumbersAlign Value) {
  if (Value != FAlignment) {
    FAlignment = Value;
    Update(true);
  }
}

void TEasyLineNumbers::SetVisible(bool Value) {
  if (Value != FVisible) {
    FVisible = Value;
    Update(false);
  }
}

void TEasyLineNumbers::SetOptions(TEasyLineNumbersOptions Value) {
  if (Value != FOptions) {
    FOptions = Value;
    Update(false);
  }
}

void TEasyLineNumbers::SetIndent(int Value) {
  if (Value != FIndent) {
    FIndent = Value;
    Update(false);
  }
}

void TEasyLineNumbers::SetLeftIndent(int Value) {
  if (Value != FLeftIndent) {
    FLeftIndent = Value;
    Update(false);
  }
}

void TEasyLineNumbers::SetStartFrom(int Value) {
  Value = std::max(Value, 0);
  if (Value != FStartFrom) {
    FStartFrom = Value;
    Update(false);
  }
}

// ---- line styles ----

TEasyLineStyle::TEasyLineStyle(TCollection* ACollection) : TCollectionItem(ACollection) {}

void TEasyLineStyle::Publish(TMetaClass& Meta) {
  TPublisher<TEasyLineStyle> P(Meta);
  P.Property("Color", &TEasyLineStyle::Color, &TEasyLineStyle::SetColor).Type(TypeInfoColor()).Default(clWindow);
  P.Property("BackColor", &TEasyLineStyle::BackColor, &TEasyLineStyle::SetBackColor)
      .Type(TypeInfoColor())
      .Default(clHighlight);
  P.Property("Name", &TEasyLineStyle::Name, &TEasyLineStyle::SetName);
  P.Property("ImageIndex", &TEasyLineStyle::ImageIndex, &TEasyLineStyle::SetImageIndex).Default(-1);
  P.Property("IgnoreColors", &TEasyLineStyle::IgnoreColors, &TEasyLineStyle::SetIgnoreColors).Default(false);
}

void TEasyLineStyle::Assign(TPersistent* Source) {
  if (auto* S = dynamic_cast<TEasyLineStyle*>(Source)) {
    SetColor(S->Color());
    SetBackColor(S->BackColor());
    SetName(S->Name());
    SetImageIndex(S->ImageIndex());
    SetIgnoreColors(S->IgnoreColors());
    return;
  }
  TCollectionItem::Assign(Source);
}

TCustomEasyEdit* TEasyLineStyle::Editor() const {
  TCollection* C = Collection();
  return C ? dynamic_cast<TCustomEasyEdit*>(C->Owner()) : nullptr;
}

void TEasyLineStyle::RepaintEditor() const {
  if (TCustomEasyEdit* E = Editor()) {
    E->Invalidate();
  }
}

void TEasyLineStyle::SetColor(TColor Value) {
  if (Value != FColor) {
    FColor = Value;
    RepaintEditor();
  }
}

void TEasyLineStyle::SetBackColor(TColor Value) {
  if (Value != FBackColor) {
    FBackColor = Value;
    RepaintEditor();
  }
}

void TEasyLineStyle::SetImageIndex(int Value) {
  if (Value != FImageIndex) {
    FImageIndex = Value;
    TCustomEasyEdit* E = Editor();
    if (E && E->Options().Contains(eoPaintGutter)) {
      E->Invalidate();
    }
  }
}

void TEasyLineStyle::SetIgnoreColors(bool Value) {
  if (Value != FIgnoreColors) {
    FIgnoreColors = Value;
    RepaintEditor();
  }
}

TEasyLineStyles::TEasyLineStyles(TPersistent* AOwner) : TOwnedCollection(AOwner, TEasyLineStyle::StaticClass()) {}

int TEasyLineStyles::IndexOfName(const std::string& Name) const {
  for (int I = 0; I < Count(); ++I) {
    if (SameText(GetItem(I)->Name(), Name)) {
      return I;
    }
  }
  return -1;
}

// ---- line divider ----

TEasyLineDivider::TEasyLineDivider(TCustomEasyEdit* AEdit)
    : FEdit(AEdit), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>()) {
  FBrush->SetColor(clBtnShadow);
  FPen->OnChange = [this](TObject* Sender) { Changed(Sender); };
  FBrush->OnChange = [this](TObject* Sender) { Changed(Sender); };
}

void TEasyLineDivider::Publish(TMetaClass& Meta) {
  TPublisher<TEasyLineDivider> P(Meta);
  P.Property("Options", &TEasyLineDivider::Options, &TEasyLineDivider::SetOptions)
      .Default(TEasyLineDividerOptions{});
  P.Property("Pen", &TEasyLineDivider::Pen, &TEasyLineDivider::SetPen);
  P.Property("Brush", &TEasyLineDivider::Brush, &TEasyLineDivider::SetBrush);
}

void TEasyLineDivider::Assign(TPersistent* Source) {
  if (auto* D = dynamic_cast<TEasyLineDivider*>(Source)) {
    SetPen(D->Pen());
    SetBrush(D->Brush());
    SetOptions(D->Options());
    return;
  }
  TPersistent::Assign(Source);
}

void TEasyLineDivider::SetPen(TPen* Value) {
  FPen->Assign(Value);
  LimitPenWidth(FPen.get());
}

void TEasyLineDivider::SetOptions(TEasyLineDividerOptions Value) {
  if (Value != FOptions) {
    FOptions = Value;
    Changed(this);
  }
}

void TEasyLineDivider::Changed(TObject*) {
  if (FEdit) {
    FEdit->Invalidate();
  }
}

// ---- colours ----

TEasyEditorColors::TEasyEditorColors(TCustomEasyEdit* AEdit) : FEdit(AEdit) {
  SelColor = clHighlightText;
  SelBackColor = clHighlight;
  SearchMatchColor = 0x00FF00;
  SearchMatchBackColor = 0;
  ReadOnlyColor = clBtnFace;
  DisabledColor = clBtnFace;
  InActiveSelColor = clWindowText;
  InActiveSelBackColor = clBtnFace;
  LiveSpellColor = 0x0000FF;
  HyperStringColor = 0xFF0000;
  FmtMarkColor = clBtnShadow;
}

void TEasyEditorColors::Publish(TMetaClass& Meta) {
  TPublisher<TEasyEditorColors> P(Meta);
  auto Color = [&](const char* Name, Integer TCustomEasyEditorColors::*Field,
                   void (TEasyEditorColors::*Setter)(Integer), TColor Default) {
    P.Property(Name, Field, Setter).Type(TypeInfoColor()).Default(Default);
  };
  Color("SelColor", &TCustomEasyEditorColors::SelColor, &TEasyEditorColors::SetSelColor, clHighlightText);
  Color("SelBackColor", &TCustomEasyEditorColors::SelBackColor, &TEasyEditorColors::SetSelBackColor, clHighlight);
  Color("SearchMatchColor", &TCustomEasyEditorColors::SearchMatchColor, &TEasyEditorColors::SetSearchMatchColor,
        0x00FF00);
  Color("SearchMatchBackColor", &TCustomEasyEditorColors::SearchMatchBackColor,
        &TEasyEditorColors::SetSearchMatchBackColor, 0);
  Color("ReadOnlyColor", &TCustomEasyEditorColors::ReadOnlyColor, &TEasyEditorColors::SetReadOnlyColor, clBtnFace);
  Color("DisabledColor", &TCustomEasyEditorColors::DisabledColor, &TEasyEditorColors::SetDisabledColor, clBtnFace);
  Color("InActiveSelColor", &TCustomEasyEditorColors::InActiveSelColor, &TEasyEditorColors::SetInActiveSelColor,
        clWindowText);
  Color("InActiveSelBackColor", &TCustomEasyEditorColors::InActiveSelBackColor,
        &TEasyEditorColors::SetInActiveSelBackColor, clBtnFace);
  Color("LiveSpellColor", &TCustomEasyEditorColors::LiveSpellColor, &TEasyEditorColors::SetLiveSpellColor,
        0x0000FF);
  Color("HyperStringColor", &TCustomEasyEditorColors::HyperStringColor, &TEasyEditorColors::SetHyperStringColor,
        0xFF0000);
  Color("FmtMarkColor", &TCustomEasyEditorColors::FmtMarkColor, &TEasyEditorColors::SetFmtMarkColor,
        clBtnShadow);
}

void TEasyEditorColors::Assign(TPersistent* Source) {
  if (auto* C = dynamic_cast<TEasyEditorColors*>(Source)) {
    SetSelColor(C->SelColor);
    SetSelBackColor(C->SelBackColor);
    SetSearchMatchColor(C->SearchMatchColor);
    SetSearchMatchBackColor(C->SearchMatchBackColor);
    SetReadOnlyColor(C->ReadOnlyColor);
    SetDisabledColor(C->DisabledColor);
    SetInActiveSelColor(C->InActiveSelColor);
    SetInActiveSelBackColor(C->InActiveSelBackColor);
    SetLiveSpellColor(C->LiveSpellColor);
    SetHyperStringColor(C->HyperStringColor);
    SetFmtMarkColor(C->FmtMarkColor);
  }
}

bool TEasyEditorColors::Set(Integer& Field, Integer Value) {
  if (Field == Value) {
    return false;
  }
  Field = Value;
  return true;
}

void TEasyEditorColors::RepaintSelection() {
  if (FEdit) {
    FEdit->InvalidateSelection(FEdit->SelRect, FEdit->SelType);
  }
}

void TEasyEditorColors::SetSelColor(Integer Value) {
  if (Set(SelColor, Value)) {
    RepaintSelection();
    Changed();
  }
}

void TEasyEditorColors::SetSelBackColor(Integer Value) {
  if (Set(SelBackColor, Value)) {
    RepaintSelection();
    Changed();
  }
}

void TEasyEditorColors::SetInActiveSelColor(Integer Value) {
  if (Set(InActiveSelColor, Value)) {
    RepaintSelection();
    Changed();
  }
}

void TEasyEditorColors::SetInActiveSelBackColor(Integer Value) {
  if (Set(InActiveSelBackColor, Value)) {
    RepaintSelection();
    Changed();
  }
}

void TEasyEditorColors::SetSearchMatchColor(Integer Value) {
  if (Set(SearchMatchColor, Value)) {
    if (FEdit && FEdit->Options().Contains(eoEnableSearchHighlight)) {
      FEdit->InvalidateSelection(FEdit->SearchRect, slStream);
    }
    Changed();
  }
}

void TEasyEditorColors::SetSearchMatchBackColor(Integer Value) {
  if (Set(SearchMatchBackColor, Value)) {
    if (FEdit && FEdit->Options().Contains(eoEnableSearchHighlight)) {
      FEdit->InvalidateSelection(FEdit->SearchRect, slStream);
    }
    Changed();
  }
}

void TEasyEditorColors::SetReadOnlyColor(Integer Value) {
  if (Set(ReadOnlyColor, Value)) {
    if (FEdit && FEdit->Options().Contains(eoUseReadOnlyColor)) {
      FEdit->Invalidate();
    }
    Changed();
  }
}

void TEasyEditorColors::SetDisabledColor(Integer Value) {
  if (Set(DisabledColor, Value)) {
    if (FEdit && FEdit->Options().Contains(eoUseDisabledColor)) {
      FEdit->Invalidate();
    }
    Changed();
  }
}

void TEasyEditorColors::SetLiveSpellColor(Integer Value) {
  if (Set(LiveSpellColor, Value)) {
    if (FEdit && FEdit->GetSourceOptions().Contains(srLiveSpell)) {
      FEdit->Invalidate();
    }
    Changed();
  }
}

void TEasyEditorColors::SetHyperStringColor(Integer Value) {
  if (Set(HyperStringColor, Value)) {
    if (FEdit && FEdit->GetSourceOptions().Contains(srHighlightUrls)) {
      FEdit->Invalidate();
    }
    Changed();
  }
}

void TEasyEditorColors::SetFmtMarkColor(Integer Value) {
  if (Set(FmtMarkColor, Value)) {
    if (FEdit && FEdit->Options().Contains(eoPaintFormattingMarks)) {
      FEdit->Invalidate();
    }
    Changed();
  }
}

void TEasyEditorColors::Changed() {
  if (OnChange) {
    OnChange(this);
  }
}

TColor TEasyEditorColors::GetSelColor() const {
  if (FEdit && (!FEdit->IsFocused() || InActiveSelColor == SelColor)) {
    return InActiveSelColor;
  }
  return SelColor;
}

TColor TEasyEditorColors::GetSelBackColor() const {
  if (FEdit && (!FEdit->IsFocused() || InActiveSelBackColor == SelBackColor)) {
    return InActiveSelBackColor;
  }
  return SelBackColor;
}
