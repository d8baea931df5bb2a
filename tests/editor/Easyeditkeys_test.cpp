// The editor's keyboard: the key table and its prefix states, typing, Return and Tab, overwrite mode, the
// delete and block commands, bookmarks, auto-correction and input-method text, all through scripted keys.
#include "tests/editor/EditorInputSupport.h"

#include "editor/Easykeymap.h"

#include <functional>
#include <memory>

namespace {

using Keys = EditorInputTest;

TEST_F(Keys, TheTableReplacesPerStateAndAnExactStateBeatsAnAnyStateBinding) {
  TEasyKeyList* L = Edit->KeyList();
  int Hits = 0;
  L->ClearEntries();
  L->RegisterAllKey('W', TShiftState{ssCtrl}, [&](Byte) { Hits += 1; }, 1);
  L->RegisterKey('W', TShiftState{ssCtrl}, [&](Byte) { Hits += 10; }, 2, 2, 0);
  EXPECT_EQ(L->Count(), 2) << "another state keeps both";
  EXPECT_EQ(L->FindKeyData('W', TShiftState{ssCtrl}, 2)->Cmd, 2);
  EXPECT_EQ(L->FindKeyData('W', TShiftState{ssCtrl}, 0)->Cmd, 1);
  L->RegisterKey('W', TShiftState{ssCtrl}, nullptr, 3, 2, 0);
  EXPECT_EQ(L->Count(), 2) << "the same key, shift and state is replaced";
  EXPECT_EQ(L->FindKeyData('W', TShiftState{ssCtrl}, 2)->Cmd, 3);
  EXPECT_EQ(L->FindKeyData('W', TShiftState{}, 0), nullptr);
  L->UnregisterKey('W', TShiftState{ssCtrl}, 2);
  EXPECT_EQ(L->Count(), 0) << "the state's entry and the any-state entry go";

  Edit->SetKeyMapping(kmOther);
  EXPECT_EQ(L->Count(), 0);
  SetText("");
  Key(VK_RETURN);
  Type("a");
  EXPECT_EQ(Text(), "a") << "nothing bound: Return does nothing, characters are typed";
  Edit->SetKeyMapping(kmDefault);
  EXPECT_GT(L->Count(), 100);
}

// Each binding's handler holds a token; the token's use count shows whether the list freed the binding.
TEST(KeyTable, FreesEveryBindingItDrops) {
  const auto Token = std::make_shared<int>(0);
  const auto Bind = [&](TEasyKeyList& L, Word Key, int State) {
    L.RegisterKey(Key, TShiftState{ssCtrl}, [Token](Byte) {}, 1, State, 0);
  };
  const struct {
    const char* Name;
    std::function<void(TEasyKeyList*&)> Drop;
  } Cases[] = {
      {"delete", [](TEasyKeyList*& L) { FreeAndNil(L); }},
      {"ClearEntries", [](TEasyKeyList*& L) { L->ClearEntries(); }},
      {"UnregisterKey", [](TEasyKeyList*& L) {
         L->UnregisterKey('A', TShiftState{ssCtrl}, 2);
         L->UnregisterKey('B', TShiftState{ssCtrl}, 0);
       }},
  };
  for (const auto& C : Cases) {
    auto* L = new TEasyKeyList();
    Bind(*L, 'A', -1);
    Bind(*L, 'A', 2);
    Bind(*L, 'B', 0);
    Bind(*L, 'B', 0);  // replaces the binding before it
    EXPECT_EQ(Token.use_count(), 4) << C.Name << ": a replaced binding is freed";
    C.Drop(L);
    EXPECT_EQ(Token.use_count(), 1) << C.Name;
    delete L;
  }
}

TEST_F(Keys, PrefixChordsTypeMarkOrCancel) {
  SetText("one two\nthree");
  Caret(0, 0);
  Key('K', Ctrl());
  EXPECT_EQ(Edit->KeyState, 1);
  Key('Z');
  EXPECT_EQ(Edit->KeyState, 0);
  EXPECT_EQ(Line(0), "zone two") << "an unbound second key is typed";

  Key('K', Ctrl());
  Key('B');
  EXPECT_EQ(Line(0), "zone two") << "a bound second key types nothing";
  EXPECT_TRUE(SamePoint(Edit->BlockAnchor, 1, 0));
  Key(VK_RIGHT);
  Key(VK_RIGHT);
  Key(VK_RIGHT);
  Key('K', Ctrl());
  Key('K', Ctrl());
  EXPECT_EQ(Edit->GetSelText(), "one") << "Ctrl+K B then Ctrl+K K selects from mark to mark";

  Key('K', Ctrl());
  Key(VK_DOWN);
  EXPECT_EQ(Edit->KeyState, 0) << "a movement key cancels the prefix";
  EXPECT_EQ(Pos().Y, 1) << "and moves";
  Key('Q', Ctrl());
  Key('C');
  EXPECT_TRUE(SamePoint(Pos(), 5, 1)) << "Ctrl+Q C goes to the end of the text";
}

TEST_F(Keys, TypingReturnWithAutoIndentAndTabs) {
  SetText("    abc\nx");
  Caret(7, 0);
  Key(VK_RETURN);
  EXPECT_EQ(Line(1), "    ");
  EXPECT_TRUE(SamePoint(Pos(), 4, 1));
  Type("d");
  EXPECT_EQ(Line(1), "    d");
  // Return at column 2 of an indented line below a line indented by 0: indentation 0.
  SetText("top\n    abc");
  Caret(2, 1);
  Key(VK_RETURN);
  EXPECT_EQ(Line(1), "") << "the blanks left before the break go";
  EXPECT_EQ(Line(2), "  abc");
  EXPECT_EQ(Pos().X, 0);

  Edit->SetWantTabs(true);
  SetText("ab");
  Caret(2, 0);
  Key(VK_TAB);
  EXPECT_EQ(Line(0), "ab      ") << "blanks up to the next tab stop";
  EXPECT_EQ(Pos().X, 8);
  // Smart tab: under the next word start of the nearest longer line above.
  TEasySourceOptions O = Edit->GetSourceOptions();
  O.Include(srSmartTab);
  Edit->SetSourceOptions(O);
  SetText("if abc then\n\n");
  Caret(0, 1);
  Key(VK_TAB);
  EXPECT_EQ(Pos().X, 3);
  Key(VK_TAB);
  EXPECT_EQ(Pos().X, 7);
}

TEST_F(Keys, CtrlReturnBreaksALineWhenTheFormOwnsReturn) {
  Edit->SetWantReturns(false);
  SetText("ab");
  Caret(1, 0);
  Key(VK_RETURN, Ctrl());
  EXPECT_EQ(Text(), "a\nb");
}

TEST_F(Keys, OverwriteModeIsSharedAndReturnDoesNotSplit) {
  TEasyEdit* Other = NewEditor(0, 420, 300, 60);
  SetText("abcd\n  next");
  Caret(1, 0);
  Key(VK_INSERT);
  EXPECT_TRUE(Edit->GetOverwrite());
  EXPECT_TRUE(Other->GetOverwrite()) << "one mode for every editor";
  Type("XY");
  EXPECT_EQ(Line(0), "aXYd");
  Caret(4, 0);
  Type("Z");
  EXPECT_EQ(Line(0), "aXYdZ") << "at the line end typing appends";
  Key(VK_RETURN);
  EXPECT_EQ(Edit->GetLines()->Count(), 2) << "Return moves on without splitting";
  EXPECT_EQ(Pos().Y, 1);
  Key(VK_INSERT);
  EXPECT_FALSE(Other->GetOverwrite());
}

TEST_F(Keys, DeleteCommands) {
  TEasySourceOptions O = Edit->GetSourceOptions();
  O.Include(srLeaveTrailSpaces);
  Edit->SetSourceOptions(O);
  SetText("ab  \ncd");
  O.Exclude(srLeaveTrailSpaces);
  Edit->SetSourceOptions(O);
  Caret(0, 1);
  Key(VK_BACK);
  EXPECT_EQ(Text(), "abcd") << "joined after the last non-blank character";
  EXPECT_TRUE(SamePoint(Pos(), 2, 0));
  Caret(0, 0);
  Key(VK_BACK);
  EXPECT_EQ(Text(), "abcd") << "nothing before the first line";
  Caret(9, 0);
  Key(VK_BACK);
  EXPECT_EQ(Text(), "abcd");
  EXPECT_EQ(Pos().X, 8) << "beyond the line end Backspace only moves";
  Caret(1, 0);
  Key(VK_DELETE);
  EXPECT_EQ(Text(), "acd");

  SetText("one two three\nlast");
  Caret(8, 0);
  Key(VK_BACK, Ctrl());
  EXPECT_EQ(Line(0), "one three");
  Key('Y', CtrlShift());
  EXPECT_EQ(Line(0), "one ");
  Key(VK_END);
  EXPECT_EQ(Pos().X, 3) << "End stops before trailing blanks";
  Key('Y', CtrlShift());
  EXPECT_EQ(Line(0), "one ") << "nothing after the line end";
  Key('Y', Ctrl());
  EXPECT_EQ(Text(), "last");
  Key('Y', Ctrl());
  EXPECT_EQ(Text(), "") << "Ctrl+Y on the last line deletes its text";
}

TEST_F(Keys, BlockCommandsChangeCaseAndIndent) {
  SetText("hello wORLD-foo\n  x\nx");
  Edit->GetEditSource()->Delimiters.set('-');
  Edit->SetSelection(Rect(0, 0, 15, 0), slStream);
  Edit->ProcessBlock(59);
  EXPECT_EQ(Line(0), "Hello World-Foo");
  Edit->ProcessBlock(46);
  EXPECT_EQ(Line(0), "hELLO wORLD-fOO");
  Edit->SetBlockIndent(4);
  Edit->SetSelection(Rect(0, 1, 1, 2), slStream);
  Edit->ProcessBlock(37);
  EXPECT_EQ(Line(1), "x") << "outdent takes what blanks there are";
  EXPECT_EQ(Line(2), "x") << "and never anything else";
  Key('I', CtrlShift());
  EXPECT_EQ(Line(1), "    x");
  EXPECT_EQ(Line(2), "    x");
  Caret(2, 0);
  Key('K', Ctrl());
  Key('F');
  EXPECT_EQ(Line(0), "HELLO wORLD-fOO") << "Ctrl+K F upper-cases the word at the caret";
  EXPECT_TRUE(SamePoint(Pos(), 2, 0)) << "the caret stays";
}

TEST_F(Keys, TabIndentsAndShiftTabOutdentsASelectionOfSeveralLines) {
  Edit->SetWantTabs(true);
  TEasyEditorOptions O = Edit->Options();
  O.Include(eoEnTabBlock);
  Edit->SetOptions(O);
  SetText("a\nb");
  Caret(0, 0);
  Edit->SetSelection(Rect(0, 0, 1, 1), slStream);
  Key(VK_TAB);
  EXPECT_EQ(Text(), "        a\n        b");
  Key(VK_TAB, Shift());
  EXPECT_EQ(Text(), "a\nb");
  Edit->SetSelection(Rect(0, 0, 1, 1), slStream);
  Edit->ProcessBlock(33);
  EXPECT_EQ(Text(), "  a\n  b") << "the indent command uses the block indent again";
}

TEST_F(Keys, BookmarksAreSetAndJumpedToByKey) {
  SetText("a\nb\nc\nd");
  Caret(1, 2);
  Key('3', CtrlShift());
  Caret(0, 0);
  Key('3', Ctrl());
  EXPECT_TRUE(SamePoint(Pos(), 1, 2));
  Key('K', Ctrl());
  Key('3');
  Caret(0, 0);
  Key('3', Ctrl());
  EXPECT_TRUE(SamePoint(Pos(), 0, 0)) << "Ctrl+K 3 cleared it";
}

TEST_F(Keys, AutoCorrectionOnTheKeyUpOfADelimiterOnlyWithASpellingHandler) {
  TEasySourceOptions O = Edit->GetSourceOptions();
  O.Include(srAutoCorrect);
  Edit->SetSourceOptions(O);
  int Asked = 0;
  Edit->OnWordAutoCorrect = [&](TObject*, const std::string& Word, std::string& Correct, bool& Has) {
    ++Asked;
    if (Word == "teh") {
      Correct = "the";
      Has = true;
    }
  };
  SetText("");
  Type("teh ");
  EXPECT_EQ(Text(), "teh ") << "without a spelling handler every word is accepted";
  EXPECT_EQ(Asked, 0);
  Edit->SetOnWordSpell([](TObject*, const std::string& W, bool& Correct) { Correct = W != "teh"; });
  SetText("");
  Type("teh");
  EXPECT_EQ(Asked, 0) << "a letter is no delimiter";
  Type(" cat");
  EXPECT_EQ(Text(), "the cat");
  EXPECT_TRUE(SamePoint(Pos(), 7, 0));
}

TEST_F(Keys, InputMethodTextArrivesAsTyping) {
  SetText("");
  Harness::ImeCompose("caf");
  Harness::RunUntilIdle();
  EXPECT_EQ(Text(), "") << "a composition under way types nothing";
  Harness::ImeCommit("caf\xE9\x01");
  Harness::RunUntilIdle();
  EXPECT_EQ(Text(), "caf\xE9") << "only printable characters are typed";
}

TEST_F(Keys, ReadOnlyTextIgnoresEditingKeys) {
  SetText("abc");
  Edit->SetReadOnly(true);
  Caret(1, 0);
  Type("x");
  Key(VK_DELETE);
  Key(VK_RETURN);
  EXPECT_EQ(Text(), "abc");
  Key(VK_RIGHT);
  EXPECT_EQ(Pos().X, 2) << "moves still work";
}

}  // namespace
