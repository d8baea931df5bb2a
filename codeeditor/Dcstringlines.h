// The memo source's line store: the option and state enumerations of the text model, the record of one line, the
// array of line records behind a string list, and tracked positions.
#pragma once

#include "platform/classes/Classes.h"
#include "platform/rtl/Sets.h"

#include <functional>
#include <string>
#include <vector>

namespace Dcstring {

enum TStringsOption {
  soBackUnindents,
  soGroupUndo,
  soBeyondFileEnd,
  soForceCutCopy,
  soAutoIndent,
  soSmartTab,
  soFindTextAtCursor,
  soCreateBackups,
  soPersistentBlocks,
  soOverwriteBlocks,
  soLimitEOL,
  soUseTabCharacter,
  soCursorOnTabs,
  soOptimalFill,
  soSelectFoundText,
  soExcludeReadOnlyLines,
  soCursorAlwaysOnTabs,
  soUsePrevIndent,
  soRetainColumn
};
using TStringsOptions = TSet<TStringsOption, soRetainColumn>;
enum TBlockOption { bkStreamSel, bkBlockSel, bkNone, bkBoth };
enum TOutFormatType { ofWindows, ofMac, ofUnix };
enum TSelectionType { stNotSelected, stStreamSel, stBlockSel };
enum TWordSelectionType { wsWordOnly, wsWordWithSpace, wsUntilNextWord };
enum TStringItemState { isWasParsed, isReadOnly, isHidden, isExpanded, isCollapsed };
using TStringItemStates = TSet<TStringItemState, isCollapsed>;
enum TCollapseState { csCollapsed, csExpanded, csNone };
enum TMemoState {
  msPositionChanged,
  msEdited,
  msUndo,
  msBlockChanged,
  msInsState,
  msCountChanged,
  msModifiedChanged,
  msFoundRectChanged,
  msObjNameChanged,
  msNeedInvalidate,
  msParserChanged,
  msReadOnlyChanged
};
using TMemoStates = TSet<TMemoState, msReadOnlyChanged>;

// The options a new memo source has: back-unindents, grouped undo, forced cut and copy, auto-indent, smart tab,
// find at cursor, overwrite blocks (the value 635).
inline const TStringsOptions DefaultStringsOptions{soBackUnindents, soGroupUndo,        soForceCutCopy,   soAutoIndent,
                                                   soSmartTab,      soFindTextAtCursor, soOverwriteBlocks};

// One line: its text and what the model and the editors keep per line. Made from the store's item class.
class TStringItem : public TObject {
  Z_CLASS(TStringItem, TObject)
public:
  TStringItem() = default;
  std::string Text;
  std::string SavedText;  // copied to the new line when a line is split or joined at column 0
  TObject* Object = nullptr;
  std::string ColorData;  // one style byte per character of Text
  Integer EndState = 0;
  Integer StartState = 0;
  Word ImageBits = 0;
  TStringItemStates ItemState;
  Byte TextStyle = 0;
  Integer LineHeight = 0;
  Integer LineWidth = 0;
  Integer BaseLine = 0;
};

// Expands the tabs of a stored line for display.
using TReadHook = std::function<std::string(const std::string& Raw)>;

// The array of line records behind the model's lines. An index out of range reads as an empty line with no object
// and is ignored by writes and deletions. Owns its items.
class TInternalStrings : public TStrings {
  Z_CLASS(TInternalStrings, TStrings)
public:
  TInternalStrings() = default;
  ~TInternalStrings() override;

  void Clear() override;  // frees every item; the capacity becomes 0
  void Delete(Integer Index) override;
  void Insert(Integer Index, const std::string& S) override;  // 0 to Count
  void InsertObject(Integer Index, const std::string& S, TObject* AObject) override;
  void Exchange(Integer Index1, Integer Index2) override;  // does nothing
  Integer Capacity() const override { return FCapacity; }

  TStringItem* Items(Integer Index) const;  // null out of range
  std::string GetRaw(Integer Index) const;  // the stored text, never expanded
  void SetItemClass(TClass Value) { FItemClass = Value; }
  TClass ItemClass() const { return FItemClass; }
  void SetReadHook(TReadHook Value) { FReadHook = std::move(Value); }
  bool IgnoreTabs = false;

protected:
  std::string Get(Integer Index) const override;  // through the read hook unless IgnoreTabs
  Integer GetCount() const override { return static_cast<Integer>(FItems.size()); }
  TObject* GetObject(Integer Index) const override;
  void Put(Integer Index, const std::string& S) override;  // also clears isWasParsed
  void PutObject(Integer Index, TObject* AObject) override;
  std::string GetTextStr() const override;  // joined with CR LF, without a final line break

private:
  TStringItem* NewItem() const;
  std::vector<TStringItem*> FItems;
  Integer FCapacity = 0;
  TClass FItemClass = TStringItem::StaticClass();
  TReadHook FReadHook;
};

// A tracked position (0-based line and display column); all positions of a memo source are one collection.
using TOnAllowUpdate = std::function<void(TObject* Sender, bool& AllowX, bool& AllowY)>;

class TPosition : public TCollectionItem {
  Z_CLASS(TPosition, TCollectionItem)
public:
  explicit TPosition(TCollection* ACollection) : TCollectionItem(ACollection) {}
  void Assign(TPersistent* Source) override;
  void SetPosition(Integer Char, Integer Line) {
    CharPos = Char;
    LinePos = Line;
  }
  bool SameAs(const TPosition* Other) const {
    return Other != nullptr && Other->CharPos == CharPos && Other->LinePos == LinePos;
  }
  Integer LinePos = 0;
  Integer CharPos = 0;
  TOnAllowUpdate OnAllowUpdate;
};

}  // namespace Dcstring
