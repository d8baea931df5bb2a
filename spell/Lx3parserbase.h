// The text cursor the spell checker reads and changes text through, its string cursor, and the abstract word
// splitter and ignore filter.
#pragma once

#include "platform/rtl/System.h"
#include "platform/win/WinTypes.h"

#include <functional>
#include <string>

enum TPositionType { ptCurrent, ptEnd };

// A cursor over some owner's text. Whoever owns a text implements it; the parsing engine and the check loop
// work on any cursor. The cursor does not own the text.
class TControlParser : public TObject {
public:
  ~TControlParser() override = default;
  virtual void Initialize(void* Control) = 0;
  // The character under the cursor; 0 where there is none.
  virtual char GetChar() = 0;
  virtual std::string GetLine() = 0;
  // One character on; false once the text (or the end limit) is passed.
  virtual bool MoveNext() = 0;
  // One character back; false at the start.
  virtual bool MovePrevious() = 0;
  virtual void SetPosition(int X, int Y, TPositionType Kind) = 0;
  virtual void GetPosition(int& X, int& Y) = 0;
  // Selects the Length characters that end at the cursor and moves the cursor onto the first of them.
  virtual void SelectWord(int Length) = 0;
  // Replaces the selected word and moves behind the new text.
  virtual void ReplaceWord(const std::string& Text, int State) = 0;
  // Moves behind the selected word.
  virtual void IgnoreWord(int State) = 0;
  virtual void CenterSelection() = 0;
  virtual void GetCursorPosition(int& X, int& Y) = 0;
  virtual void GetSelectionPosition(int& StartX, int& StartY, int& EndX, int& EndY) = 0;
  virtual void GetControlScreenPosition(RECT& Rect) = 0;
  virtual void GetSelectionScreenPosition(RECT& Rect) = 0;
  virtual void UndoLast(int A, int B, int& C) = 0;
};

// A cursor over a string that the caller owns; it changes that string in place. Columns are 1-based and every
// line number is 0.
class TStringParser : public TControlParser {
public:
  // Control is the address of a std::string.
  void Initialize(void* Control) override;
  char GetChar() override;
  std::string GetLine() override;
  bool MoveNext() override;
  bool MovePrevious() override;
  void SetPosition(int X, int Y, TPositionType Kind) override;
  void GetPosition(int& X, int& Y) override;
  void SelectWord(int Length) override;
  void ReplaceWord(const std::string& Text, int State) override;
  void IgnoreWord(int State) override;
  void CenterSelection() override {}
  void GetCursorPosition(int& X, int& Y) override;
  void GetSelectionPosition(int& StartX, int& StartY, int& EndX, int& EndY) override;
  void GetControlScreenPosition(RECT& Rect) override;
  void GetSelectionScreenPosition(RECT& Rect) override;
  void UndoLast(int, int, int&) override {}

private:
  std::string* FText = nullptr;
  int FEnd = 0;
  bool FEndSet = false;
  int FCursor = 1;
  int FSelected = 0;
};

class TParserIgnore;

// Called for every character before a word starts; may move the cursor over text to skip and set Ignore.
using TInlineIgnoreEvent = std::function<void(char CurrentChar, TControlParser* Parser, bool& Ignore)>;
// Called for every word found (cursor just behind it); may skip further text and set Ignore.
using TWordIgnoreEvent = std::function<void(const std::string& Word, TControlParser* Parser, bool& Ignore)>;

// Cuts the text behind a cursor into words.
class TParsingEngine : public TObject {
public:
  // Mode 0: the selection; 1: from the cursor; 2: the whole text.
  virtual void Initialize(TControlParser* Parser, int Mode) = 0;
  virtual void AdjustToPosition(int X, int Y) = 0;
  // The next word, or empty when the text is exhausted.
  virtual std::string NextWord() = 0;

  TInlineIgnoreEvent OnInlineIgnore;
  TWordIgnoreEvent OnPreCheckIgnore;
};

// A filter that decides which stretches of text and which words are not checked.
class TParserIgnore : public TObject {
public:
  virtual bool NeededBeforeCheck() = 0;
  virtual bool LineCheckNeeded() = 0;
  // Asked for every character before a word starts; may move the cursor over text to skip.
  virtual bool ExecuteIgnore(char Ch, TControlParser* Parser) = 0;
  // Asked for every word found, cursor just behind it; may skip further text.
  virtual bool ExecuteWordIgnorePreCheck(const std::string& Word, TControlParser* Parser) = 0;
  // Asked for a word that failed the dictionaries: true lets it pass.
  virtual bool ExecuteWordIgnorePostCheck(const std::string& Word, TControlParser* Parser) = 0;
  virtual bool ExecuteLineIgnore(const std::string& Line) = 0;
};
