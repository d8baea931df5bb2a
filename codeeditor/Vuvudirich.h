// The code editor's formatted text: attribute sets (font, colour, background) per character, kept in a table of
// at most 256 entries whose index the memo source stores per character, and the selection's attribute object.
#pragma once

#include "codeeditor/Vuvudi.h"
#include "suitebase/Dorazori.h"

#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace Vuvudi {

// Which attributes were set or are the same over a selection.
using TConsistentAttrs = Word;
inline constexpr TConsistentAttrs csColor = 0x1;
inline constexpr TConsistentAttrs csBkColor = 0x2;
inline constexpr TConsistentAttrs csFace = 0x4;
inline constexpr TConsistentAttrs csCharSet = 0x8;
inline constexpr TConsistentAttrs csPitch = 0x10;
inline constexpr TConsistentAttrs csSize = 0x20;
inline constexpr TConsistentAttrs csBold = 0x40;
inline constexpr TConsistentAttrs csItalic = 0x80;
inline constexpr TConsistentAttrs csStrikeOut = 0x100;
inline constexpr TConsistentAttrs csUnderline = 0x200;
inline constexpr TConsistentAttrs csStyle = 0x400;
inline constexpr TConsistentAttrs csAllAttrs = 2047;

class TAttributeParser;

// One attribute set. As a control's selection attributes it reads the selection and applies every change to it.
class TMemoAttributes : public TPersistent {
  Z_CLASS(TMemoAttributes, TPersistent)
public:
  explicit TMemoAttributes(TCustomVUVudi* AMemo = nullptr);
  ~TMemoAttributes() override;
  void Assign(TPersistent* Source) override;  // from a font or another attribute set
  void SafeAssign(TPersistent* Source);       // without Update and without recording a change
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  void Update();
  void AssignMemoFont();
  void CheckFont();
  TFont* GetFont();
  // Whether the style member (0 bold, 1 italic, 2 underline, 3 strike-out) is in both sets or in neither.
  static bool EqualFontStyles(TFontStyles A, TFontStyles B, Integer Member);
  TConsistentAttrs GetAllAttributes(bool StyleAware) const;
  TConsistentAttrs GetConsistentAttrs();
  void ForgetConsistentAttrs() { FConsistentStored = false; }

  TFontCharset Charset() const { return FCharset; }
  void SetCharset(TFontCharset Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TColor BkColor() const { return FBkColor; }
  void SetBkColor(TColor Value);
  const std::string& Name() const { return FName; }
  void SetName(const std::string& Value);
  TFontPitch Pitch() const { return FPitch; }
  void SetPitch(TFontPitch Value);
  Integer Size() const { return FSize; }
  void SetSize(Integer Value);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles Value);
  bool GetResetOnOverFlow() const;
  void SetResetOnOverFlow(bool Value);

  TConsistentAttrs ChangeMask() const { return FChangeMask; }
  TCustomVUVudi* Memo() const { return FMemo; }
  Integer TableIndex = -1;

private:
  bool Unchanged(bool Equal, TConsistentAttrs Bit);
  void Changed(TConsistentAttrs Bits);
  TAttributeParser* Parser() const;

  TConsistentAttrs FChangeMask = 0;
  std::unique_ptr<TFont> FFont;
  TFontCharset FCharset = DEFAULT_CHARSET;
  TColor FColor = clWindowText;
  TColor FBkColor = clWindow;
  std::string FName;
  TFontPitch FPitch = fpDefault;
  Integer FSize = 10;
  TFontStyles FStyle;
  Integer FUpdateCount = 0;
  bool FConsistentStored = false;
  TConsistentAttrs FConsistent = 0;
  TCustomVUVudi* FMemo = nullptr;
};

// Stands in the memo source's parser slot of a control with formatted text: it parses nothing and keeps the
// attribute table; the source stores the table index of every character. Owned by the control.
class TAttributeParser : public Dorazori::TSimpleParser {
  Z_CLASS(TAttributeParser, Dorazori::TSimpleParser)
public:
  explicit TAttributeParser(TComponent* AOwner);
  ~TAttributeParser() override;
  static void Publish(TMetaClass& Meta);

  TCustomVUVudi* Memo() const;
  TFont* GetFont(Integer Index) override;
  bool GetBackColor(Integer Index, TColor& Color) override;
  Integer ColorString(const std::string& S, Integer State, std::string& ColorS) override;
  bool StoreColorData() override { return !FClearing; }
  void PrepareColorData(Integer Index, const std::string& S, std::string& ColorS) override;

  // The index of an entry that renders like A, else of a new copy of A (index 12 is kept for links); 0 when the
  // table is full and may not reuse indices.
  Integer AddNewAttribute(TMemoAttributes* A);
  void AddToCachList(TMemoAttributes* A, Integer Index);
  Integer IndexOfEx(TMemoAttributes* A) const;
  std::vector<Integer> CreateEmptyList();  // clears the undo buffer: reused indices must not meet old colour data
  void ClearStyles();
  Integer GetAttr(const TPoint& P);
  Dcstring::TStringItem* GetStringItem(Integer Line);
  Integer GetPos(const std::string& S, Integer Pos);
  TMemoAttributes* GetAttrFromIndex(Integer Index);
  void GetAttribute(const TPoint& P, TMemoAttributes* A);
  void GetStrAttribute(Integer Line, Integer FromPos, TConsistentAttrs& Mask, Integer AttrIndex, Integer ToPos);
  void SetStrAttribute(Integer Line, Integer FromPos, TMemoAttributes* A, Integer ToPos);
  void GetAttributes(const TRect& R, Dcstring::TSelectionType SelType, TConsistentAttrs& Mask, TMemoAttributes* A);
  void SetAttribute(const TRect& R, Dcstring::TSelectionType SelType, TMemoAttributes* A);

  Integer Count() const { return static_cast<Integer>(FTable.size()); }
  bool ResetOnOverFlow = false;
  // The control's selection attributes (the control keeps them through its parser).
  TMemoAttributes* SelAttributes() const { return FSelAttributes.get(); }

private:
  using TKey = std::tuple<HFONT, TColor, TColor>;
  static TKey KeyOf(TMemoAttributes* A);
  Dcstring::TCustomMemoSource* Source() const;

  std::vector<std::unique_ptr<TMemoAttributes>> FTable;
  std::unique_ptr<std::vector<Integer>> FFreeList;
  bool FClearing = false;
  std::map<TKey, Integer> FLookup;
  std::unique_ptr<TMemoAttributes> FSelAttributes;
};

// The control's selection attributes: a control without a parser switches to formatted text (a new attribute
// parser owned by the control); with an attribute parser the object holds the attributes at the selection's
// first character, or at the caret.
TMemoAttributes* GetSelAttributes(TCustomVUVudi* Memo);
// Applies Value to the selection, or, without one, to the text typed next.
void SetSelAttributes(TCustomVUVudi* Memo, TMemoAttributes* Value);

}  // namespace Vuvudi
