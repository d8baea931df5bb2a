// Shared by the component streaming targets: plain components with a property of every kind, a form class, and
// the reading of one binary layout into both (every control of the layer registered). Included by one target
// source each.
#pragma once

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Classes.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Streams.h"
#include "platform/controls/ActnList.h"
#include "platform/controls/Buttons.h"
#include "platform/controls/ComCtrls.h"
#include "platform/controls/Dialogs.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/Mask.h"
#include "platform/controls/Menus.h"
#include "platform/controls/Splitter.h"
#include "platform/controls/StdCtrls.h"
#include "platform/controls/TestHarness.h"
#include "platform/graphics/ImgList.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/UnitInit.h"
#include "suitebase/Dceditors.h"
#include "suitebase/Dcfileedit.h"
#include "suitebase/Dcpopups.h"

#include <cstdlib>
#include <memory>
#include <string>

namespace FuzzComponents {

enum TFuzzShape { fsCircle, fsSquare, fsTriangle };

}  // namespace FuzzComponents
Z_ENUM_TYPEINFO(FuzzComponents::TFuzzShape, "fsCircle", "fsSquare", "fsTriangle")

namespace FuzzComponents {

using TFuzzShapes = TSet<TFuzzShape, fsTriangle>;

class TFuzzPen : public TPersistent {
  Z_CLASS(TFuzzPen, TPersistent)
public:
  int FWidth = 1;
  std::string FStyle;
  static void Publish(TMetaClass& Meta) {
    TPublisher<TFuzzPen> P(Meta);
    P.Property("Width", &TFuzzPen::FWidth, &TFuzzPen::FWidth).Default(1);
    P.Property("Style", &TFuzzPen::FStyle, &TFuzzPen::FStyle);
  }
};
Z_IMPLEMENT_CLASS_PUBLISHED(TFuzzPen, TPersistent, TFuzzPen::Publish)

class TFuzzItem : public TCollectionItem {
  Z_CLASS(TFuzzItem, TCollectionItem)
public:
  using TCollectionItem::TCollectionItem;
  std::string FCaption;
  int FValue = 0;
  static void Publish(TMetaClass& Meta) {
    TPublisher<TFuzzItem> P(Meta);
    P.Property("Caption", &TFuzzItem::FCaption, &TFuzzItem::FCaption);
    P.Property("Value", &TFuzzItem::FValue, &TFuzzItem::FValue).Default(0);
  }
};
Z_IMPLEMENT_CLASS_PUBLISHED(TFuzzItem, TCollectionItem, TFuzzItem::Publish)

// A component with a published property of every kind the streaming knows.
class TFuzzGadget : public TComponent {
  Z_CLASS(TFuzzGadget, TComponent)
public:
  explicit TFuzzGadget(TComponent* AOwner)
      : TComponent(AOwner), FPen(new TFuzzPen), FItems(new TCollection(TFuzzItem::StaticClass())),
        FLines(new TStringList) {}
  ~TFuzzGadget() override {
    delete FPen;
    delete FItems;
    delete FLines;
  }
  int FCount = 0;
  TFuzzShape FShape = fsCircle;
  bool FVisible = true;
  char FLetter = 'a';
  double FRatio = 0;
  float FScale = 0;
  Currency FPrice = 0;
  TDateTime FWhen = 0;
  Int64 FBig = 0;
  std::string FCaption;
  TFuzzShapes FShapes;
  TFuzzPen* FPen;
  TCollection* FItems;
  TStringList* FLines;
  TFuzzGadget* FBuddy = nullptr;
  TNotifyEvent FOnClick;
  Variant FExtra;
  std::string FBlob;
  TFuzzPen* GetPen() const { return FPen; }
  TCollection* GetItems() const { return FItems; }
  TStringList* GetLines() const { return FLines; }
  void SetLines(TStringList* Value) { FLines->Assign(Value); }
  static void Publish(TMetaClass& Meta) {
    TPublisher<TFuzzGadget> P(Meta);
    P.Property("Count", &TFuzzGadget::FCount, &TFuzzGadget::FCount).Default(0);
    P.Property("Shape", &TFuzzGadget::FShape, &TFuzzGadget::FShape).Default(fsCircle);
    P.Property("Visible", &TFuzzGadget::FVisible, &TFuzzGadget::FVisible).Default(true);
    P.Property("Letter", &TFuzzGadget::FLetter, &TFuzzGadget::FLetter).Default('a');
    P.Property("Ratio", &TFuzzGadget::FRatio, &TFuzzGadget::FRatio);
    P.Property("Scale", &TFuzzGadget::FScale, &TFuzzGadget::FScale);
    P.Property("Price", &TFuzzGadget::FPrice, &TFuzzGadget::FPrice).Type(TypeInfoCurrency());
    P.Property("When", &TFuzzGadget::FWhen, &TFuzzGadget::FWhen).Type(TypeInfoDateTime());
    P.Property("Big", &TFuzzGadget::FBig, &TFuzzGadget::FBig);
    P.Property("Caption", &TFuzzGadget::FCaption, &TFuzzGadget::FCaption);
    P.Property("Shapes", &TFuzzGadget::FShapes, &TFuzzGadget::FShapes);
    P.Property("Pen", &TFuzzGadget::GetPen, nullptr);
    P.Property("Items", &TFuzzGadget::GetItems, nullptr);
    P.Property("Lines", &TFuzzGadget::GetLines, &TFuzzGadget::SetLines);
    P.Property("Buddy", &TFuzzGadget::FBuddy, &TFuzzGadget::FBuddy);
    P.Property("OnClick", &TFuzzGadget::FOnClick, &TFuzzGadget::FOnClick);
    P.Property("Extra", &TFuzzGadget::FExtra, &TFuzzGadget::FExtra);
  }

protected:
  void DefineProperties(TFiler* Filer) override {
    inherited::DefineProperties(Filer);
    Filer->DefineBinaryProperty(
        "Data",
        [this](TStream* S) {
          FBlob.resize(static_cast<std::size_t>(S->Size()));
          S->ReadBuffer(FBlob.data(), static_cast<LongInt>(FBlob.size()));
        },
        [this](TStream* S) { S->WriteBuffer(FBlob.data(), static_cast<LongInt>(FBlob.size())); }, !FBlob.empty());
  }
};
Z_IMPLEMENT_CLASS_PUBLISHED(TFuzzGadget, TComponent, TFuzzGadget::Publish)

// A plain root: its children are the components it owns.
class TFuzzBoard : public TComponent {
  Z_CLASS(TFuzzBoard, TComponent)
public:
  using TComponent::TComponent;
  int FClicks = 0;
  void GadgetClick(TObject*) { ++FClicks; }
  static void Publish(TMetaClass& Meta) {
    TPublisher<TFuzzBoard> P(Meta);
    P.Method("GadgetClick", &TFuzzBoard::GadgetClick);
  }

protected:
  void GetChildren(TGetChildProc Proc, TComponent*) override {
    for (Integer I = 0; I < ComponentCount(); ++I) {
      Proc(Components(I));
    }
  }
};
Z_IMPLEMENT_CLASS_PUBLISHED(TFuzzBoard, TComponent, TFuzzBoard::Publish)

// A form with a few published fields and a handler, as the program's forms have.
class TFuzzForm : public TForm {
  Z_CLASS(TFuzzForm, TForm)
public:
  using TForm::TForm;
  TPanel* P = nullptr;
  TLabel* L = nullptr;
  TButton* Button1 = nullptr;
  void Button1Click(TObject*) {}
  static void Publish(TMetaClass& Meta) {
    TPublisher<TFuzzForm> Pub(Meta);
    Pub.Field("P", &TFuzzForm::P);
    Pub.Field("L", &TFuzzForm::L);
    Pub.Field("Button1", &TFuzzForm::Button1);
    Pub.Method("Button1Click", &TFuzzForm::Button1Click);
  }
};
Z_IMPLEMENT_CLASS_PUBLISHED(TFuzzForm, TForm, TFuzzForm::Publish)

inline void Start() {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  Harness::Start();
  RegisterClasses({TFuzzBoard::StaticClass(), TFuzzGadget::StaticClass(), TFuzzForm::StaticClass()});
  // The suite's drop-down edits, their inner editors and popups: class names in layouts resolve to them.
  InitializeUnits();
  RegisterClasses(
      {Dcedit::ZEZEdit::StaticClass(), Dcedit::ZEZColorEdit::StaticClass(), Dcedit::ZEZFileNameEdit::StaticClass(),
       Dcedit::ZEZDirectoryEdit::StaticClass(), Dcedit::ZEZSimpleEdit::StaticClass(), Dcedit::TColorEdit::StaticClass(),
       Dcedit::TCheckEdit::StaticClass(), Dcedit::TPopupListBox::StaticClass(), Dcedit::TPopupColorBox::StaticClass(),
       Dcedit::TDummyEditSource::StaticClass(), Dcedit::TDummyPopup::StaticClass()});
  RegisterClasses({TPanel::StaticClass(), TSpeedButton::StaticClass(), TStatusBar::StaticClass(),
                   TTreeView::StaticClass(), TSplitter::StaticClass(), TPageControl::StaticClass(),
                   TTabSheet::StaticClass(), TLabel::StaticClass(), TEdit::StaticClass(), TMaskEdit::StaticClass(),
                   TMemo::StaticClass(), TComboBox::StaticClass(), TListBox::StaticClass(),
                   TCheckBox::StaticClass(), TRadioButton::StaticClass(), TRadioGroup::StaticClass(),
                   TGroupBox::StaticClass(), TBevel::StaticClass(), TBitBtn::StaticClass(), TButton::StaticClass(),
                   TScrollBar::StaticClass(), TScrollBox::StaticClass(), TImage::StaticClass(),
                   TListView::StaticClass(), TTabControl::StaticClass(), TProgressBar::StaticClass(),
                   TDateTimePicker::StaticClass(), TAnimate::StaticClass(), TImageList::StaticClass(),
                   TActionList::StaticClass(), TAction::StaticClass(), TPopupMenu::StaticClass(),
                   TMainMenu::StaticClass(), TMenuItem::StaticClass(), TTimer::StaticClass(),
                   TOpenDialog::StaticClass(), TSaveDialog::StaticClass(), TFontDialog::StaticClass(),
                   TColorDialog::StaticClass(), TPrintDialog::StaticClass(), TPrinterSetupDialog::StaticClass()});
}

// Reads the binary layout into Root; a read that succeeds is written back in both forms and read again.
inline void ReadInto(const std::string& Binary, TComponent* Root) {
  try {
    TStringStream In(Binary);
    In.ReadComponent(Root);
  } catch (const Exception&) {
    return;  // bad input: a clear error, and the root stays whole (it is freed by the caller)
  }
  TStringStream Out;
  Out.WriteComponent(Root);
  TStringStream Text;
  Out.SetPosition(0);
  ObjectBinaryToText(&Out, &Text);
}

// Every way in for one binary layout: into a plain root and into a form.
inline void ReadEveryWay(const std::string& Binary) {
  {
    std::unique_ptr<TFuzzBoard> Board(new TFuzzBoard(nullptr));
    ReadInto(Binary, Board.get());
  }
  {
    std::unique_ptr<TFuzzForm> Form(new TFuzzForm(nullptr));
    Form->AfterConstruction();
    ReadInto(Binary, Form.get());
    Harness::RunUntilIdle(1000);
  }
}

}  // namespace FuzzComponents
