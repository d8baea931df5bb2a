// The abstract highlighter an edit source talks to: it lexes one token at a time and names its styles.
#pragma once

#include "editor/Easyattributes.h"
#include "editor/Easyclasses.h"
#include "platform/classes/Component.h"

#include <memory>
#include <string>

// Base of every highlighter. Edit sources register their ParserChanged method with it and re-lex
// everything when it calls Changed. Not owned by the sources; a source drops it when it is destroyed.
class TCustomEasyParser : public TComponent {
  Z_CLASS(TCustomEasyParser, TComponent)
public:
  explicit TCustomEasyParser(TComponent* AOwner);
  ~TCustomEasyParser() override;

  int CurrentState = 0;  // the state of the token being lexed
  int CurrentLine = 0;   // the line being lexed, set by the edit source
  int InitialState = 0;  // the state at the start of the first line

  const std::string& Delimiters() const { return FDelimiters; }
  void SetDelimiters(const std::string& Value);      // notifies the sources when it changes
  void SafeSetDelimiters(const std::string& Value);  // stores without notification

  void RegisterNotifier(const TEasyNotifyMethod& Method);
  void UnRegisterNotifier(const TEasyNotifyMethod& Method);
  int NotifierCount() const { return FNotifiers->Count(); }

  // Tells every attached source to re-lex everything.
  virtual void Changed();
  // Lexes the token that starts at character Pos (1-based) of Line in State: returns its style and
  // leaves Pos after the token and State as the state after it.
  virtual int ParseString(int& State, const std::string& Line, int& Pos) = 0;
  // True when ParseString sets TokenReach: how many characters from the token's start it looked at, the
  // line's end counting as one more. The token, its style and the state after it depend on those
  // characters alone, so an edit beyond them leaves the token as it is.
  virtual bool TellsTokenReach() const { return false; }
  int TokenReach = 0;
  // The font colour and style of a style code: -1 and no style here.
  virtual void GetFont(int Style, Integer& Color, TEasyFontStyles& FontStyle);
  // Copies the selection and search colours between the editor and the highlighter's colour styles
  // (into the highlighter when ToParser); nothing here.
  virtual void UpdateColors(TCustomEasyEditorColors* Colors, bool ToParser);
  virtual Integer GetColor(int Style) = 0;
  virtual Integer GetDefaultColor() = 0;
  virtual int GetStyleCount() = 0;
  virtual void ColorChanged(Integer Color);
  // The index of the style with that name, -1 when none.
  virtual int GetStyleByName(const std::string& Name);

private:
  std::unique_ptr<TEasyNotifierList> FNotifiers;
  std::string FDelimiters;
};
