// Settings objects an editor owns besides its chrome: the page list, rulers, code templates, the completion
// popup's size, the word-wrap rows and the key table. The editor keeps their places in its shape; their
// behaviour beyond what normal display needs grows with the page layout, wrapping and keyboard code.
#pragma once

#include "editor/Easyeditruler.h"
#include "editor/Easypages.h"
#include "platform/classes/Lists.h"
#include "platform/classes/Persistent.h"
#include "platform/classes/StringList.h"
#include "platform/classes/TypInfo.h"
#include "platform/win/WinTypes.h"

#include <functional>
#include <memory>
#include <string>

class TCustomEasyEdit;

// A named snippet offered by code completion.
class TEasyCodeTemplate : public TCollectionItem {
  Z_CLASS(TEasyCodeTemplate, TCollectionItem)
public:
  explicit TEasyCodeTemplate(TCollection* ACollection);
  static void Publish(TMetaClass& Meta);
  void Assign(TPersistent* Source) override;
  std::string Name;
  std::string Desc;
  TStrings* Code() const { return FCode.get(); }
  void SetCode(TStrings* Value) { FCode->Assign(Value); }

private:
  std::unique_ptr<TStringList> FCode;
};

class TEasyCodeTemplates : public TOwnedCollection {
  Z_CLASS(TEasyCodeTemplates, TOwnedCollection)
public:
  explicit TEasyCodeTemplates(TPersistent* AOwner = nullptr);
  TEasyCodeTemplate* Template(int Index) const { return static_cast<TEasyCodeTemplate*>(Items(Index)); }
};

// The size and behaviour of the completion popup.
class TEasyPopupWindow : public TPersistent {
  Z_CLASS(TEasyPopupWindow, TPersistent)
public:
  TEasyPopupWindow();
  static void Publish(TMetaClass& Meta);
  void Assign(TPersistent* Source) override;
  int Height = 0;
  int Width = 0;
  bool SizeAble = false;
  bool AdjustSize = true;
  TStrings* Items() const { return FItems.get(); }

private:
  std::unique_ptr<TStringList> FItems;
};

// The display rows of wrapped lines. Normal display keeps it empty: every line is one row.
class TEasyWrapList : public TObject {
  Z_CLASS(TEasyWrapList, TObject)
public:
  using TConstructorArg = TCustomEasyEdit*;
  explicit TEasyWrapList(TCustomEasyEdit* AEdit = nullptr) : FEdit(AEdit) {}
  int Count() const { return 0; }
  void Clear() {}
  TCustomEasyEdit* Edit() const { return FEdit; }
  std::function<void(TObject*)> OnUpdate;

private:
  TCustomEasyEdit* FEdit;
};

// The editor's key bindings; owns its entries.
class TEasyKeyList : public TList {
  Z_CLASS(TEasyKeyList, TList)
public:
  TEasyKeyList() = default;
  ~TEasyKeyList() override { ClearEntries(); }
  void ClearEntries() { Clear(); }
};
