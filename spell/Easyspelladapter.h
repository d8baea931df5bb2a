// Spell checking in the editor: the text cursor the spell checker walks over an editor's text, the one-word test
// that live spelling uses, and the editor's right-click spelling menu. They reach the spell checker only through
// TEasySpeller; TEasyLexiSpeller adapts the spell-check component (or anything with its members) to that
// interface.
#pragma once

#include "editor/Easyeditor.h"
#include "spell/Lx3parserbase.h"
#include "spell/Lx3spellbase.h"

#include <string>

// What the editor uses of a spell checker.
class TEasySpeller {
public:
  virtual ~TEasySpeller() = default;
  virtual bool WordAcceptable(const std::string& Word) = 0;
  virtual bool WordExcluded(const std::string& Word) = 0;
  virtual bool UseExcludeWords() = 0;
  // Shows the suggestion menu for Word at a screen point; the choice, with a chosen suggestion in Word.
  virtual TSpellPopupOption ShowPopupMenu(TObject* Sender, TSpellPopupOptions Options, int X, int Y,
                                          std::string& Word) = 0;
  // Runs the interactive check over the text Parser walks; the checker takes ownership of Parser.
  virtual void CheckParser(TControlParser* Parser, TCheckType CheckType) = 0;
  virtual TSpellEndMessage EndMessage() = 0;
  virtual void SetEndMessage(TSpellEndMessage Value) = 0;
  virtual TSpellDialogInitialPos DialogInitialPos() = 0;
  virtual void SetDialogInitialPos(TSpellDialogInitialPos Value) = 0;
};

// TEasySpeller over the spell-check component; it refers to the component, which must outlive it.
template <class TSpell> class TEasyLexiSpeller final : public TEasySpeller {
public:
  explicit TEasyLexiSpeller(TSpell& Spell) : FSpell(Spell) {}
  bool WordAcceptable(const std::string& Word) override { return FSpell.WordAcceptable(Word); }
  bool WordExcluded(const std::string& Word) override { return FSpell.WordExcluded(Word); }
  bool UseExcludeWords() override { return FSpell.UseExcludeWords; }
  TSpellPopupOption ShowPopupMenu(TObject* Sender, TSpellPopupOptions Options, int X, int Y,
                                  std::string& Word) override {
    return FSpell.ShowPopupMenu(Sender, Options, X, Y, Word);
  }
  void CheckParser(TControlParser* Parser, TCheckType CheckType) override { FSpell.CheckParser(Parser, CheckType); }
  TSpellEndMessage EndMessage() override { return FSpell.EndMessage; }
  void SetEndMessage(TSpellEndMessage Value) override { FSpell.EndMessage = Value; }
  TSpellDialogInitialPos DialogInitialPos() override { return FSpell.DialogInitialPos; }
  void SetDialogInitialPos(TSpellDialogInitialPos Value) override { FSpell.DialogInitialPos = Value; }

private:
  TSpell& FSpell;
};

// The spell checker's text cursor over an editor: X is a 1-based character index in the current line (0 is
// before its first character), Y the line. The cursor reads each line with one blank appended, so that the
// blank ends a word at the line's end. It does not own the editor.
class TEasyLexiParser : public TControlParser {
public:
  TEasyLexiParser() = default;
  // Control is the TCustomEasyEdit to walk.
  void Initialize(void* Control) override;
  char GetChar() override;
  std::string GetLine() override;
  bool MoveNext() override;
  bool MovePrevious() override;
  void SetPosition(int X, int Y, TPositionType Kind) override;
  void GetPosition(int& X, int& Y) override;
  void SelectWord(int Length) override;
  void ReplaceWord(const std::string& Word, int State) override;
  void IgnoreWord(int State) override;
  void CenterSelection() override;
  void GetCursorPosition(int& X, int& Y) override;
  void GetSelectionPosition(int& X1, int& Y1, int& X2, int& Y2) override;
  void GetControlScreenPosition(RECT& Rect) override;
  void GetSelectionScreenPosition(RECT& Rect) override;
  void UndoLast(int, int, int&) override {}
  // Loads the cursor's line when needed and steps over line ends; true while the cursor is on a line.
  bool CurrentLine();
  // Lexes lines First .. Last again, so that live-spelling marks follow a changed dictionary.
  void UpdateStrings(int First, int Last);

  TCustomEasyEdit* Editor = nullptr;
  TPoint EndPos{0, 0};
  TPoint CurPos{0, 0};
  bool HasEnd = false;
  std::string LineText;
  int LineCached = -1;
  int LineLength = 0;
  int LineCount = 0;
  bool NeedReload = true;
};

// The live-spelling test: acceptable to the speller and not an excluded word.
bool IsWordCorrect(TEasySpeller* Speller, const std::string& Word);
// The spelling menu at a client point of the editor. Over a word the speller rejects it selects the word,
// shows the menu with Options and acts on the choice, and answers true; over anything else it shows nothing
// and answers false. The source's delimiters are as before afterwards.
bool HandlePopup(TCustomEasyEdit* Editor, TEasySpeller* Speller, const TPoint& Point, TSpellPopupOptions Options);
