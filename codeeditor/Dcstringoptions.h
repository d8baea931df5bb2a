// The memo sources' shared option groups (search options, global memo source options) and code templates.
#pragma once

#include "codeeditor/Dcstringlines.h"
#include "platform/classes/StringList.h"
#include "suitebase/Nameditems.h"
#include "suitebase/Optionext.h"

#include <string>
#include <vector>

namespace Dcstring {

enum TSearchDirection { sdForward, sdBackward };
enum TSearchScope { ssGlobal, ssSelectedText };
enum TSearchOrigin { soFromCursor, soEntireScope };
enum TSearchWhere { swProjectFiles, swOpenFiles, swDirectories, swOther };

inline constexpr const char* SErrNotFound = "Search string '%s' not found";
inline constexpr const char* SErrEmptySel = "Tried to search marked block but it is invalid";
inline constexpr const char* SErrOutsideSel = "Tried to search marked block from cursor but cursor is outside block";
inline constexpr const char* SAskReplace = "Replace this occurence of '%s'?";
inline constexpr const char* SInvalidTabRack = "Invalid Tab Rack";
inline constexpr const char* SErrRenameFile = "Can't rename file %s to file %s";
inline constexpr const char* SErrDeleteFile = "Can't delete file %S";
inline constexpr const char* SAskSaveFile = " Save changes to %s ?";
inline constexpr const char* SClipboard = "Clipboard";

// The search settings every memo source and search dialog shares; kept under "SearchOptions\".
class TSearchOptions : public Dorazori::TOptionExt {
  Z_CLASS(TSearchOptions, Dorazori::TOptionExt)
public:
  TSearchOptions() = default;
  std::string GetKey() override { return "SearchOptions\\"; }
  void LoadConfig() override;  // stored choices out of range fall back to their initial values
  void LimitChoices();
  std::string GetDisplayTextToFind() const;  // TextToFind with every "&" doubled
  static void Publish(TMetaClass& Meta);

  bool CaseSensitive = false;
  bool WholeWordsOnly = false;
  bool RegularExpr = false;
  TSearchDirection Direction = sdForward;
  TSearchScope Scope = ssGlobal;
  TSearchOrigin Origin = soEntireScope;
  bool PromptOnReplace = false;
  std::string TextToFind;
  std::string ReplaceWith;
  bool FirstSearch = false;
  bool InReplace = false;
  bool ReplaceAll = false;
  bool ShowNotFound = false;
  TSearchWhere Where = swDirectories;
  std::string FileMask;
  bool IncludeSubDirs = false;
};

// The shared search options (made on first use).
TSearchOptions* GetSearchOptions();

// The defaults of memo sources that use the global options; kept under "CodeEdit\MemoSource\". A change
// reaches every memo source that uses them.
class TMemoSourceOptions : public Dorazori::TOptionExt {
  Z_CLASS(TMemoSourceOptions, Dorazori::TOptionExt)
public:
  TMemoSourceOptions() = default;
  std::string GetKey() override { return "CodeEdit\\MemoSource\\"; }
  void Update() override;
  static void Publish(TMetaClass& Meta);

  bool KeepTrailingBlanks() const { return FKeepTrailingBlanks; }
  void SetKeepTrailingBlanks(bool Value);
  TStringsOptions Options() const { return FOptions; }
  void SetOptions(TStringsOptions Value);
  const std::string& TabStops() const { return FTabStops; }
  void SetTabStops(const std::string& Value);
  const std::string& Delimeters() const { return FDelimeters; }
  void SetDelimeters(const std::string& Value);
  Integer BlockIndent() const { return FBlockIndent; }
  void SetBlockIndent(Integer Value);  // limited to 0 to 9999

private:
  bool FKeepTrailingBlanks = false;
  TStringsOptions FOptions = DefaultStringsOptions;
  std::string FTabStops = "9,17";
  std::string FDelimeters = "/{}+-*():=,;><$.#[]^@&~|%'";
  Integer FBlockIndent = 1;
};

TMemoSourceOptions* GlobalMemoSourceOptions();

// A named snippet; "|" in Code marks where the caret goes after insertion.
class TMemoCodeTemplate : public Vivaridiriz::ZEZNamedItem {
  Z_CLASS(TMemoCodeTemplate, Vivaridiriz::ZEZNamedItem)
public:
  explicit TMemoCodeTemplate(TCollection* ACollection);
  ~TMemoCodeTemplate() override;
  void Assign(TPersistent* Source) override;
  static void Publish(TMetaClass& Meta);

  const std::string& Description() const { return FDescription; }
  void SetDescription(const std::string& Value) { FDescription = Value; }
  TStrings* Code() const { return FCode; }
  void SetCode(TStrings* Value) { FCode->Assign(Value); }

private:
  std::string FDescription;
  TStringList* FCode;
};

class TMemoCodeTemplates : public Dorazori::ZEZNamedItems {
  Z_CLASS(TMemoCodeTemplates, Dorazori::ZEZNamedItems)
public:
  explicit TMemoCodeTemplates(TComponent* AOwner);
  TMemoCodeTemplate* Items(Integer Index) const { return static_cast<TMemoCodeTemplate*>(TCollection::Items(Index)); }
  TMemoCodeTemplate* AddTemplate(const std::string& Name, const std::string& Description, const std::string& Code);
  // List receives the names of the templates Filter selects (objects: their indices); Exact tells that one
  // name equals Filter.
  void FilterNames(TStrings* List, const std::string& Filter, bool& Exact) const;
};

struct TTemplateRec {
  const char* Name;
  const char* Description;
  const char* Code;  // lines separated by line breaks
};

using TTemplatesProc = void (*)(TMemoCodeTemplates* Templates);
void RegisterTemplatesProc(const std::string& Lang, TTemplatesProc Proc);
// The fill procedure of a registered set: found tells that the set exists (its procedure may be null).
TTemplatesProc FindTemplatesProc(const std::string& Lang, bool& Found);
void TemplatesFromArray(TMemoCodeTemplates* Templates, const TTemplateRec* Arr, Integer High);
void FillWithDelphiTemplates(TMemoCodeTemplates* Templates);
void FillWithCppTemplates(TMemoCodeTemplates* Templates);
void FillWithClipperTemplates(TMemoCodeTemplates* Templates);
// The popup line of a template: description, "|", the bold marker, name, the bold marker.
std::string ConvertCodeTemplate(TMemoCodeTemplate* T);
// Strings gets the popup lines of the filtered templates (objects: their indices); with an exact match only that
// one and the result 0, else -1.
Integer ConvertCodeTemplates(TMemoCodeTemplates* Templates, TStrings* Strings, const std::string& Filter);

// The marker around the bold part of a popup line.
inline constexpr const char* SBoldTag = "~";

}  // namespace Dcstring
