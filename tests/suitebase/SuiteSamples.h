// Sample classes with published properties of every kind the suite's property routines handle: an option
// object, a second class sharing some names, a collection and a component holding strings, a string list, a
// collection, a nested font and a nested option object. Included once per test program.
#pragma once

#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Classes.h"
#include "platform/classes/TypInfo.h"
#include "platform/graphics/Graphics.h"

#include <memory>
#include <string>

namespace SuiteSamples {
enum TSampleMode { smOff, smSlow, smFast };
}
Z_ENUM_TYPEINFO(SuiteSamples::TSampleMode, "smOff", "smSlow", "smFast")

namespace SuiteSamples {

class TSampleOptions : public TPersistent {
  Z_CLASS(TSampleOptions, TPersistent)
public:
  int FCount = 0;
  bool FFlag = false;
  std::string FText;
  double FRatio = 0;
  TSampleMode FMode = smOff;
  Int64 FBig = 0;
  Variant FValue;
  TNotifyEvent FOnChange;

  static void Publish(TMetaClass& Meta) {
    TPublisher<TSampleOptions> P(Meta);
    P.Property("Count", &TSampleOptions::FCount, &TSampleOptions::FCount).Default(0);
    P.Property("Flag", &TSampleOptions::FFlag, &TSampleOptions::FFlag).Default(false);
    P.Property("Text", &TSampleOptions::FText, &TSampleOptions::FText);
    P.Property("Ratio", &TSampleOptions::FRatio, &TSampleOptions::FRatio);
    P.Property("Mode", &TSampleOptions::FMode, &TSampleOptions::FMode).Default(smOff);
    P.Property("Big", &TSampleOptions::FBig, &TSampleOptions::FBig);
    P.Property("Value", &TSampleOptions::FValue, &TSampleOptions::FValue);
    P.Property("OnChange", &TSampleOptions::FOnChange, &TSampleOptions::FOnChange);
  }
};
inline Z_IMPLEMENT_CLASS_PUBLISHED(TSampleOptions, TPersistent, TSampleOptions::Publish)

    // Shares Count, Text and OnChange with TSampleOptions.
    class TSampleOther : public TPersistent {
  Z_CLASS(TSampleOther, TPersistent)
public:
  int FCount = 0;
  std::string FText;
  std::string FExtra;
  TNotifyEvent FOnChange;

  static void Publish(TMetaClass& Meta) {
    TPublisher<TSampleOther> P(Meta);
    P.Property("Count", &TSampleOther::FCount, &TSampleOther::FCount).Default(0);
    P.Property("Text", &TSampleOther::FText, &TSampleOther::FText);
    P.Property("Extra", &TSampleOther::FExtra, &TSampleOther::FExtra);
    P.Property("OnChange", &TSampleOther::FOnChange, &TSampleOther::FOnChange);
  }
};
inline Z_IMPLEMENT_CLASS_PUBLISHED(TSampleOther, TPersistent, TSampleOther::Publish)

    class TSampleItem : public TCollectionItem {
  Z_CLASS(TSampleItem, TCollectionItem)
public:
  using TCollectionItem::TCollectionItem;
  std::string FCaption;
  int FWidth = 0;
  static void Publish(TMetaClass& Meta) {
    TPublisher<TSampleItem> P(Meta);
    P.Property("Caption", &TSampleItem::FCaption, &TSampleItem::FCaption);
    P.Property("Width", &TSampleItem::FWidth, &TSampleItem::FWidth).Default(0);
  }
};
inline Z_IMPLEMENT_CLASS_PUBLISHED(TSampleItem, TCollectionItem, TSampleItem::Publish)

    class TSampleComponent : public TComponent {
  Z_CLASS(TSampleComponent, TComponent)
public:
  explicit TSampleComponent(TComponent* AOwner = nullptr)
      : TComponent(AOwner),
        FLines(std::make_unique<TStringList>()),
        FItems(std::make_unique<TOwnedCollection>(this, TSampleItem::StaticClass())),
        FFont(std::make_unique<TFont>()),
        FOptions(std::make_unique<TSampleOptions>()) {}
  std::string FCaption;
  int FNumber = 0;
  std::unique_ptr<TStringList> FLines;
  std::unique_ptr<TOwnedCollection> FItems;
  std::unique_ptr<TFont> FFont;
  std::unique_ptr<TSampleOptions> FOptions;

  TStringList* Lines() const { return FLines.get(); }
  void SetLines(TStringList* Value) { FLines->Assign(Value); }
  TOwnedCollection* Items() const { return FItems.get(); }
  void SetItems(TOwnedCollection* Value) { FItems->Assign(Value); }
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TSampleOptions* Options() const { return FOptions.get(); }
  void SetOptions(TSampleOptions* Value) { CopyOptions(Value); }

  static void Publish(TMetaClass& Meta) {
    TPublisher<TSampleComponent> P(Meta);
    P.Property("Caption", &TSampleComponent::FCaption, &TSampleComponent::FCaption);
    P.Property("Number", &TSampleComponent::FNumber, &TSampleComponent::FNumber).Default(0);
    P.Property("Lines", &TSampleComponent::Lines, &TSampleComponent::SetLines);
    P.Property("Items", &TSampleComponent::Items, &TSampleComponent::SetItems);
    P.Property("Font", &TSampleComponent::Font, &TSampleComponent::SetFont);
    P.Property("Options", &TSampleComponent::Options, &TSampleComponent::SetOptions);
  }

private:
  void CopyOptions(TSampleOptions* Value) {
    if (Value != nullptr && Value != FOptions.get()) {
      FOptions->FCount = Value->FCount;
      FOptions->FFlag = Value->FFlag;
      FOptions->FText = Value->FText;
      FOptions->FRatio = Value->FRatio;
      FOptions->FMode = Value->FMode;
    }
  }
};
inline Z_IMPLEMENT_CLASS_PUBLISHED(TSampleComponent, TComponent, TSampleComponent::Publish)

    // Registers the component class for readers once per program.
    inline const bool SamplesRegistered = [] {
      RegisterClass(TSampleComponent::StaticClass());
      return true;
    }();

}  // namespace SuiteSamples
