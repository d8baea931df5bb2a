// The highlighter with visual styles: one style per token plus five colour styles, four built-in colour
// schemes, the editor colours shared with the control, and user colours that survive a reload of the rules.
#pragma once

#include "editor/Easyattributes.h"
#include "editor/Easyhighlighter.h"
#include "platform/classes/Persistent.h"

#include <memory>
#include <string>

enum TEasyColorMapping { cmDefault, cmClassic, cmOcean, cmTwilight };

// The colour styles that follow the token styles, in their order.
inline constexpr const char* EasyColorStyleNames[5] = {"Active Selection", "Inactive Selection", "Search Match",
                                                       "Disabled Color", "ReadOnly Color"};

// One row of a colour scheme.
struct TEasyStyleRecord {
  const char* Name;
  const char* Description;
  Integer FontColor;
  Integer Color;
  unsigned FontStyle;  // bit mask of TEasyFontStyles
};

// The 18 rows of a scheme: the thirteen token styles, then the five colour styles.
const TEasyStyleRecord* SchemeStyles(TEasyColorMapping Mapping, int& Count);

// The visual style of one token (or one colour style). A change of its colours or font style tells the
// highlighter, which makes the attached sources lex again.
class TEasyParserStyle : public TCollectionItem {
  Z_CLASS(TEasyParserStyle, TCollectionItem)
public:
  explicit TEasyParserStyle(TCollection* ACollection);
  void Assign(TPersistent* Source) override;

  Integer FontColor() const { return FFontColor; }
  void SetFontColor(Integer Value);
  TEasyFontStyles FontStyle() const { return FFontStyle; }
  void SetFontStyle(TEasyFontStyles Value);
  Integer Color() const { return FColor; }
  void SetColor(Integer Value);
  const std::string& Name() const { return FName; }
  void SetName(const std::string& Value) { FName = Value; }
  const std::string& Description() const { return FDescription; }
  void SetDescription(const std::string& Value) { FDescription = Value; }
  // Takes the values of a scheme row.
  void LoadRecord(const TEasyStyleRecord& Record);

protected:
  std::string GetDisplayName() override { return FName; }

private:
  Integer FFontColor;
  TEasyFontStyles FFontStyle;
  Integer FColor;
  std::string FName;
  std::string FDescription;
};

// The styles of a highlighter: style i belongs to token i, the five colour styles come last.
class TEasyParserStyles : public TOwnedCollection {
  Z_CLASS(TEasyParserStyles, TOwnedCollection)
public:
  explicit TEasyParserStyles(TPersistent* AOwner);

  TEasyParserStyle* Style(int Index) const { return static_cast<TEasyParserStyle*>(Items(Index)); }
  // Adds a style named Name (at the front when AtFront) with the scheme's values when the scheme has the name,
  // then the values of Source's style of that name. With Source and OnlyExisting, nothing happens (null) when
  // Source lacks the name.
  TEasyParserStyle* AddStyle(const std::string& Name, TEasyColorMapping Mapping, TEasyParserStyles* Source,
                             bool OnlyExisting, bool AtFront);
  void ClearExceptColors();
  int IndexOfColor(const std::string& Name) const;  // 0 to 4 for the colour style names, else -1
  int IndexOfName(const std::string& Name) const;
  void LoadStyles(const TEasyStyleRecord* Records, int Count);  // a style per record, at the end

  bool InUpdateColors = false;  // while set, changes do not notify
  int LockCount = 0;            // while above 0, changes do not notify

protected:
  void Update(TCollectionItem* Item) override;
};

// Applies a scheme to every style whose name the scheme has; other styles keep their values.
void UpdateParserStyles(TEasyParserStyles* Styles, TEasyColorMapping Mapping);

// The highlighter an application creates per document type.
class TEasyEditorParser : public TEasySourceParser {
  Z_CLASS(TEasyEditorParser, TEasySourceParser)
public:
  explicit TEasyEditorParser(TComponent* AOwner);
  ~TEasyEditorParser() override;

  TEasyParserStyles* Styles() const { return FStyles.get(); }
  void SetStyles(TEasyParserStyles* Value);  // assigns
  TEasyColorMapping ColorMapping() const { return FColorMapping; }
  void SetColorMapping(TEasyColorMapping Value);
  bool UseGlobalSettings() const { return FUseGlobalSettings; }
  void SetUseGlobalSettings(bool Value) { FUseGlobalSettings = Value; }

  void GetFont(int Style, Integer& Color, TEasyFontStyles& FontStyle) override;
  Integer GetColor(int Style) override;
  Integer GetDefaultColor() override;
  int GetStyleCount() override { return FStyles->Count(); }
  // Makes Color the background of every token style and the overriding default background.
  void ColorChanged(Integer Color) override;
  // Copies the selection, search-match, disabled and read-only colours between the colour styles and the
  // editor's colours: into the styles when ToParser, else into the editor.
  void UpdateColors(TCustomEasyEditorColors* Colors, bool ToParser) override;
  // Rebuilds the token styles after the rules changed, keeping the values of styles whose names remain.
  void UpdateStyles();
  // The scheme's own default background.
  Integer GetInternalColor() const;

protected:
  void RulesChanged() override;

private:
  std::unique_ptr<TEasyParserStyles> FStyles;
  TEasyColorMapping FColorMapping = cmDefault;
  bool FUseGlobalSettings = false;
  bool FBackSet = false;
  Integer FBack = 0;
};
