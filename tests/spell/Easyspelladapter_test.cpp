// The spell checker's text cursor over an editor, the live-spelling test and the editor's spelling menu,
// against a speller with a small word list of the test's own.
#include "tests/editor/EditorInputSupport.h"

#include "platform/controls/TestHarness.h"
#include "spell/Easyspelladapter.h"

#include <memory>
#include <set>

namespace {

class TWordListSpeller : public TEasySpeller {
public:
  bool WordAcceptable(const std::string& Word) override { return Words.count(Word) > 0; }
  bool WordExcluded(const std::string& Word) override { return Excluded.count(Word) > 0; }
  bool UseExcludeWords() override { return UseExclude; }
  TSpellPopupOption ShowPopupMenu(TObject*, TSpellPopupOptions Options, int, int, std::string& Word) override {
    ++MenuShown;
    MenuWord = Word;
    MenuOptions = Options;
    if (Answer == spAdd) {
      Words.insert(Word);  // the checker itself adds the word before it answers
    }
    if (!Replacement.empty()) {
      Word = Replacement;
    }
    return Answer;
  }
  void CheckParser(TControlParser* Parser, TCheckType CheckType) override {
    Checked.reset(Parser);
    CheckedType = CheckType;
    EndDuringCheck = End;
    PosDuringCheck = Pos;
  }
  TSpellEndMessage EndMessage() override { return End; }
  void SetEndMessage(TSpellEndMessage Value) override { End = Value; }
  TSpellDialogInitialPos DialogInitialPos() override { return Pos; }
  void SetDialogInitialPos(TSpellDialogInitialPos Value) override { Pos = Value; }

  std::set<std::string> Words{"hello", "world", "one", "two", "three"};
  std::set<std::string> Excluded;
  bool UseExclude = true;
  TSpellPopupOption Answer = spCancel;
  std::string Replacement;
  int MenuShown = 0;
  std::string MenuWord;
  TSpellPopupOptions MenuOptions = 0;
  std::unique_ptr<TControlParser> Checked;
  TCheckType CheckedType = ctAll;
  TSpellEndMessage End = emAlways;
  TSpellDialogInitialPos Pos = ipScreenCenter;
  TSpellEndMessage EndDuringCheck = emAlways;
  TSpellDialogInitialPos PosDuringCheck = ipScreenCenter;
};

class Spelling : public EditorInputTest {
protected:
  void LiveSpelling() {
    TEasySourceOptions O = Edit->GetSourceOptions();
    O.Include(srLiveSpell);
    Edit->SetSourceOptions(O);
    Edit->SetOnWordSpell([this](TObject*, const std::string& Word, bool& Correct) {
      Correct = IsWordCorrect(&Speller, Word);
    });
  }
  bool Misspelled(int Line, int Column) {
    Edit->GetEditSource()->ParseToString(Line);
    const Word Code = static_cast<Word>(Edit->GetLines()->GetData(Line, Column + 1));
    return Code >= EasyMisspelledStyle && Code != 0xFFFF;
  }
  TWordListSpeller Speller;
};

TEST_F(Spelling, TheCursorWalksEveryCharacterWithABlankAtEachLineEnd) {
  SetText("one two\nthree");
  TEasyLexiParser P;
  P.Initialize(Edit);
  std::string Seen;
  P.SetPosition(1, 0, ptCurrent);
  do {
    Seen += P.GetChar();
  } while (P.MoveNext());
  EXPECT_EQ(Seen, std::string("one two \0three ", 15))
      << "each line ends with the appended blank, the last one too; a line starts before its first character";
  P.SetPosition(0, 0, ptCurrent);
  EXPECT_EQ(P.GetChar(), '\0');
  EXPECT_FALSE(P.MovePrevious()) << "nothing before the start";
  P.SetPosition(1, 0, ptCurrent);
  P.SetPosition(2, 0, ptEnd);
  int Steps = 0;
  while (P.MoveNext()) {
    ++Steps;
  }
  EXPECT_EQ(Steps, 2) << "the end position stops the walk";
}

TEST_F(Spelling, ReplacingAWordMovesTheEndAndUndoesInOneStep) {
  SetText("one twoo three");
  TEasyLexiParser P;
  P.Initialize(Edit);
  P.SetPosition(9, 0, ptCurrent);  // on the blank after "twoo"
  P.SetPosition(14, 0, ptEnd);
  P.SelectWord(4);
  EXPECT_EQ(Edit->GetSelText(), "twoo");
  int X = 0;
  int Y = 0;
  P.GetPosition(X, Y);
  EXPECT_EQ(X, 5) << "the cursor is on the word's first character";
  P.ReplaceWord("two", 0);
  EXPECT_EQ(Text(), "one two three");
  EXPECT_EQ(P.EndPos.X, 13) << "the end moved by the length difference";
  P.GetPosition(X, Y);
  EXPECT_EQ(X, 8) << "behind the new word";
  Edit->Undo();
  EXPECT_EQ(Text(), "one twoo three");
}

TEST_F(Spelling, LiveSpellingMarksMisspeltWordsWithTheWavyLine) {
  LiveSpelling();
  SetText("hello wrold");
  EXPECT_FALSE(Misspelled(0, 1));
  EXPECT_TRUE(Misspelled(0, 7));
  const Harness::TSavedImage Image = Snapshot(Edit, "live_spelling.png");
  const TPoint Origin = ClientOrigin(Edit);
  const TPoint A = Edit->TextToPixelPoint(TPoint{6, 0}, false);
  const TPoint B = Edit->TextToPixelPoint(TPoint{11, 0}, false);
  const TPoint C = Edit->TextToPixelPoint(TPoint{0, 0}, false);
  const int H = Edit->Painter()->GetDefaultLineHeight();
  const std::uint32_t Wave = Argb(Edit->Colors()->LiveSpellColor);
  EXPECT_TRUE(CellHas(Image, Origin, Rect(A.X, A.Y + H / 2, B.X, A.Y + H), Wave));
  EXPECT_FALSE(CellHas(Image, Origin, Rect(C.X, C.Y + H / 2, A.X - 2, C.Y + H), Wave)) << "correct words are not marked";
  Speller.Excluded.insert("hello");
  EXPECT_FALSE(IsWordCorrect(&Speller, "hello")) << "an excluded word is wrong";
  Speller.UseExclude = false;
  EXPECT_TRUE(IsWordCorrect(&Speller, "hello"));
}

TEST_F(Spelling, ThePopupOverAMisspeltWordSelectsItAndActsOnTheChoice) {
  LiveSpelling();
  SetText("hello wrold here");
  const TEasyCharSet Delimiters = Edit->GetEditSource()->Delimiters;
  const TSpellPopupOptions All = 0xFF;
  EXPECT_FALSE(HandlePopup(Edit, &Speller, CellPoint(2, 0), All)) << "a correct word shows nothing";
  EXPECT_EQ(Speller.MenuShown, 0);

  Speller.Answer = spCancel;
  EXPECT_TRUE(HandlePopup(Edit, &Speller, CellPoint(8, 0), All));
  EXPECT_EQ(Speller.MenuWord, "wrold");
  EXPECT_EQ(Speller.MenuOptions, All);
  EXPECT_EQ(Edit->GetSelText(), "wrold") << "the word is selected";
  EXPECT_EQ(Edit->GetEditSource()->Delimiters, Delimiters) << "the delimiters are as they were";

  Speller.Answer = spReplace;
  Speller.Replacement = "world";
  EXPECT_TRUE(HandlePopup(Edit, &Speller, CellPoint(8, 0), All));
  EXPECT_EQ(Line(0), "hello world here");
  for (TSpellPopupOption Change : {spAutoCorrect, spChangeAll}) {
    SetText("hello wrold here");
    Speller.Answer = Change;
    EXPECT_TRUE(HandlePopup(Edit, &Speller, CellPoint(8, 0), All));
    EXPECT_EQ(Line(0), "hello world here");
  }
  Speller.Replacement.clear();

  SetText("hello wrold here");
  Speller.Answer = spIgnore;
  EXPECT_TRUE(HandlePopup(Edit, &Speller, CellPoint(8, 0), All));
  EXPECT_EQ(Line(0), "hello wrold here") << "ignore changes no text";

  EXPECT_TRUE(Misspelled(0, 13));
  Speller.Answer = spAdd;
  EXPECT_TRUE(HandlePopup(Edit, &Speller, CellPoint(13, 0), All));
  EXPECT_FALSE(Misspelled(0, 13)) << "the added word's marks go";
  EXPECT_TRUE(Misspelled(0, 8)) << "others stay";

  Speller.Answer = spDialog;
  EXPECT_TRUE(HandlePopup(Edit, &Speller, CellPoint(8, 0), All));
  ASSERT_NE(Speller.Checked, nullptr);
  EXPECT_EQ(Speller.CheckedType, ctSelected);
  EXPECT_EQ(Speller.EndDuringCheck, emNever);
  EXPECT_EQ(Speller.PosDuringCheck, ipUnderSelection);
  EXPECT_EQ(Speller.End, emAlways) << "restored after the check";
  EXPECT_EQ(Speller.Pos, ipScreenCenter);
  int X = 0;
  int Y = 0;
  Speller.Checked->GetPosition(X, Y);
  EXPECT_EQ(X, 7) << "the check starts at the selection";
  EXPECT_EQ(Edit->GetEditSource()->Delimiters, Delimiters);
}

}  // namespace
