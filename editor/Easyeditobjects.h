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
#include "editor/Easykeymap.h"
#include "editor/Easywordwrap.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TCustomEasyEdit;
class TStream;

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
  TEasyCodeTemplate* GetItem(int Index) const { return Template(Index); }
  void SetItem(int Index, TEasyCodeTemplate* Value) { Template(Index)->Assign(Value); }

  // The templates Prefix selects (see Easytemplates.cpp); Exact tells that one name equals Prefix.
  void ApplyFilter(std::vector<TEasyCodeTemplate*>& List, const std::string& Prefix, bool& Exact) const;
  // The completion list's entry of a template: its description, a bar, then its name in bold.
  static std::string TemplateToString(const TEasyCodeTemplate* Template);
  // Fills Strings with the entries of the templates Prefix selects, each with its index as object; returns 0
  // when one name equals Prefix (its entry alone is listed), else -1.
  int TemplateToStrings(TStrings* Strings, const std::string& Prefix) const;
  // The templates in the text form of the component stream; loading replaces the collection.
  void SaveToStream(TStream* Stream);
  void LoadFromStream(TStream* Stream);
  void SaveToFile(const std::string& FileName);
  void LoadFromFile(const std::string& FileName);
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
