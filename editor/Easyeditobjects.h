// Settings objects an editor owns besides its chrome: the page list, rulers, code templates, the completion
// popup's size, the word-wrap rows and the key table. The editor keeps their places in its shape; their
// behaviour beyond what normal display needs grows with the page layout, wrapping and keyboard code.
#pragma once

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

// One page of the page model: where its text starts and ends and its place in the laid-out view.
class TEasyPage : public TCollectionItem {
  Z_CLASS(TEasyPage, TCollectionItem)
public:
  explicit TEasyPage(TCollection* ACollection) : TCollectionItem(ACollection) {}
  void Assign(TPersistent* Source) override;
  int FirstLine = 0;
  int FirstChar = 0;
  int LastLine = 2147483647;
  int LastChar = 2147483647;
  int Top = 0;
  int Height = 0;
  int LeftIndent = 0;
  int TopIndent = 0;
  int RightIndent = 0;
  int BottomIndent = 0;
  // The page's text rectangle in the view: in normal display the whole client area.
  TRect PageRect;
};

// The pages of an editor; always holds at least the default page.
class TEasyPages : public TOwnedCollection {
  Z_CLASS(TEasyPages, TOwnedCollection)
public:
  explicit TEasyPages(TPersistent* AOwner = nullptr);
  TEasyPage* Page(int Index) const { return static_cast<TEasyPage*>(Items(Index)); }
  // Drops the pages that start after the text; the first page stays.
  void RemoveExtraPages(int LineCount);
  int LaidOut = 0;
};

enum TEasyRulerOption { roHorzRuler, roVertRuler };
Z_ENUM_TYPEINFO(TEasyRulerOption, "roHorzRuler", "roVertRuler")
using TEasyRulerOptions = TSet<TEasyRulerOption, roVertRuler>;
enum TEasyRulerUnits { erCharacters, erInches, erCentimeters, erPixels };
Z_ENUM_TYPEINFO(TEasyRulerUnits, "erCharacters", "erInches", "erCentimeters", "erPixels")

// Which rulers the editor shows along its top and left edges. No ruler control exists yet, so none is visible.
class TEasyEditorRuler : public TPersistent {
  Z_CLASS(TEasyEditorRuler, TPersistent)
public:
  explicit TEasyEditorRuler(TCustomEasyEdit* AEdit = nullptr) : FEdit(AEdit) {}
  static void Publish(TMetaClass& Meta);
  void Assign(TPersistent* Source) override;
  TEasyRulerOptions Options() const { return FOptions; }
  void SetOptions(TEasyRulerOptions Value);
  TEasyRulerUnits Units() const { return FUnits; }
  void SetUnits(TEasyRulerUnits Value);
  void ShowRulers() {}
  void UpdateUnits() {}
  bool VertRulerVisible() const { return false; }
  bool HorzRulerVisible() const { return false; }
  int VertRulerWidth() const { return 0; }
  int HorzRulerHeight() const { return 0; }

private:
  TCustomEasyEdit* FEdit;
  TEasyRulerOptions FOptions;
  TEasyRulerUnits FUnits = erCharacters;
};

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
