// Tests of the interactive check over a string cursor, its commands and undo, and the single-word tests.
#include "spell/Lx3spellbase.h"

#include "SpellTestUtil.h"
#include "platform/controls/Menus.h"
#include "platform/win/DialogService.h"
#include "spell/Lx3customdictionary.h"
#include "spell/Lx3maindictionary.h"
#include "spell/Lx3parserbase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

using namespace spelltest;

namespace {

// A component over a small English dictionary whose configuration lives in a map; checks run without
// waiting, so a test answers each prompted word itself.
struct TCheckFixture {
  TTempDir Dir;
  std::map<std::string, std::string> Values;
  TLexiSpell3Base Spell{nullptr};
  std::vector<std::string> Prompts;

  TCheckFixture() {
    const int Rc = CompileWords({"the", "cat", "sat", "on", "mat", "hello", "dog", "is", "big", "house", "bathe"},
                                Dir / "American.adm", "--language 0x0409");
    EXPECT_EQ(Rc, 0);
    Spell.OnConfigReadString = [this](TObject*, const std::string& Id, const std::string& Key, const std::string&,
                                      std::string& Value) {
      auto It = Values.find(Id + "/" + Key);
      if (It != Values.end()) {
        Value = It->second;
      }
    };
    Spell.OnConfigWriteString = [this](TObject*, const std::string& Id, const std::string& Key,
                                       const std::string& V) { Values[Id + "/" + Key] = V; };
    Spell.WriteConfigStorage(csCallback);
    Spell.WriteSuggestionsDictFN(Dir / "learned.adl");
    Spell.ConfigDefaultActiveCustom = Dir / "mine.adu";
    Spell.SynchronousCheck = false;
    Spell.OnPromptWord = [this](TObject*, const std::string& Word, bool Repeated) {
      Prompts.push_back(Repeated ? "2:" + Word : Word);
    };
    TStringList Folders;
    Folders.Add(Dir.Path());
    Spell.WriteConfigDictionaryDir(&Folders);
  }

  // Starts a check over Text (kept in the fixture) and returns the first prompted word, or "" when none.
  std::string Start(const std::string& T, TCheckType Type = ctAll) {
    Text = T;
    Prompts.clear();
    auto* P = new TStringParser();
    P->Initialize(&Text);
    Spell.CheckParser(P, Type);
    return Spell.Checking() ? Spell.CurrentWord() : std::string();
  }
  std::string Now() const { return Spell.Checking() ? Spell.CurrentWord() : std::string(); }
  std::string Text;
};

}  // namespace

TEST(Lx3spellcheck, CommandsChangeTheTextAndMoveOn) {
  TCheckFixture F;
  EXPECT_EQ(F.Start("teh cat sat on teh mat"), "teh");
  F.Spell.Check_Change("the");
  EXPECT_EQ(F.Text, "the cat sat on teh mat");
  EXPECT_EQ(F.Now(), "teh");  // the second one: Change is not Change All
  F.Spell.Check_Ignore();
  EXPECT_EQ(F.Now(), "");
  EXPECT_EQ(F.Text, "the cat sat on teh mat");
  EXPECT_FALSE(F.Spell.CheckCancelled());
  EXPECT_EQ(F.Spell.WordsChecked(), 7);  // the replacement is read again

  // Change All replaces the later occurrences without asking; the replacement is checked again after Change.
  EXPECT_EQ(F.Start("teh cat teh mat catt"), "teh");
  F.Spell.Check_ChangeAll("the");
  EXPECT_EQ(F.Now(), "catt");
  EXPECT_EQ(F.Text, "the cat the mat catt");
  F.Spell.Check_Change("cattt");
  EXPECT_EQ(F.Now(), "cattt");  // a misspelt replacement is shown again
  F.Spell.Check_Change("cat");
  EXPECT_EQ(F.Now(), "");
  EXPECT_EQ(F.Text, "the cat the mat cat");
}

TEST(Lx3spellcheck, IgnoreAllAndChangeAllHoldInLaterChecksAndAddGoesToTheActiveDictionary) {
  TCheckFixture F;
  EXPECT_EQ(F.Start("zork dog zork"), "zork");
  F.Spell.Check_IgnoreAll();
  EXPECT_EQ(F.Now(), "");
  EXPECT_EQ(F.Start("zork"), "");
  EXPECT_EQ(F.Start("dgo"), "dgo");
  F.Spell.Check_ChangeAll("dog");
  EXPECT_EQ(F.Start("a dgo"), "");
  EXPECT_EQ(F.Text, "a dog");

  ASSERT_TRUE(F.Spell.ActiveCustom);
  EXPECT_EQ(F.Start("blorp"), "blorp");
  F.Spell.Check_Add();
  EXPECT_TRUE(F.Spell.ActiveCustom->IgnoreExists("blorp"));
  EXPECT_TRUE(F.Spell.WordAcceptable("blorp"));
}

TEST(Lx3spellcheck, RepeatedWordsAreCaseSensitiveAndDeleteKeepsOne) {
  TCheckFixture F;
  EXPECT_EQ(F.Start("the the cat"), "the the");
  EXPECT_TRUE(F.Spell.RepeatedWord());
  F.Spell.Check_Change("x");  // refused for a doubled word
  F.Spell.Check_IgnoreAll();
  EXPECT_EQ(F.Now(), "the the");
  F.Spell.Check_RepeatDelete();
  EXPECT_EQ(F.Text, "the cat");
  EXPECT_EQ(F.Now(), "");
  for (const char* T : {"The the cat", "bathe the cat", "the  the cat", "the\nthe cat"}) {
    EXPECT_EQ(F.Start(T), "") << T;
  }
}

TEST(Lx3spellcheck, UndoTakesBackTheCommandWithTheAutomaticCorrectionsAfterIt) {
  TCheckFixture F;
  F.Spell.Config()->WriteSpellOptions(F.Spell.Config()->ReadSpellOptions() | SpellOptionBit(soDUalCaps));
  EXPECT_EQ(F.Start("teh cat THe SAt zork"), "teh");
  F.Spell.Check_Change("the");
  EXPECT_EQ(F.Now(), "zork");
  EXPECT_EQ(F.Text, "the cat The Sat zork");
  ASSERT_EQ(F.Spell.UndoList().size(), 3u);
  F.Spell.Check_Undo();
  EXPECT_EQ(F.Text, "teh cat THe SAt zork");
  EXPECT_EQ(F.Now(), "teh");
  EXPECT_FALSE(F.Spell.ReadCanUndo());
  // Undo of Ignore All and Add forgets the word again.
  F.Spell.Check_Ignore();
  EXPECT_EQ(F.Now(), "zork");
  F.Spell.Check_Add();
  EXPECT_EQ(F.Now(), "");
  EXPECT_EQ(F.Start("zork dog"), "");
  EXPECT_EQ(F.Start("blorp"), "blorp");
  F.Spell.Check_IgnoreAll();
  EXPECT_EQ(F.Now(), "");
}

TEST(Lx3spellcheck, UndoDepthFollowsMaxUndo) {
  TCheckFixture F;
  F.Spell.MaxUndo = 0;
  EXPECT_EQ(F.Start("aaa bbb"), "aaa");
  F.Spell.Check_Ignore();
  EXPECT_FALSE(F.Spell.ReadCanUndo());
  F.Spell.Check_Undo();
  EXPECT_EQ(F.Now(), "bbb");
  F.Spell.Check_Cancel();
  F.Spell.MaxUndo = 1;
  EXPECT_EQ(F.Start("aaa bbb ccc"), "aaa");
  F.Spell.Check_IgnoreAll();
  F.Spell.Check_Change("dog");
  ASSERT_EQ(F.Spell.UndoList().size(), 1u);
  EXPECT_EQ(F.Spell.UndoList()[0].Action, saChange);
  F.Spell.Check_Undo();
  EXPECT_EQ(F.Text, "aaa bbb ccc");
  EXPECT_EQ(F.Now(), "bbb");
}

TEST(Lx3spellcheck, AComponentFreedDuringACheckFreesTheCursorItOwns) {
  struct TWatchedParser : TStringParser {
    bool* Freed;
    explicit TWatchedParser(bool* AFreed) : Freed(AFreed) {}
    ~TWatchedParser() override { *Freed = true; }
  };
  bool Freed = false;
  {
    TCheckFixture F;
    F.Text = "zork dog";
    auto* P = new TWatchedParser(&Freed);
    P->Initialize(&F.Text);
    F.Spell.CheckParser(P, ctAll);
    ASSERT_EQ(F.Now(), "zork");
  }
  EXPECT_TRUE(Freed);
}

TEST(Lx3spellcheck, CancelEndsTheCheckAndPutsTheCursorBack) {
  TCheckFixture F;
  EXPECT_EQ(F.Start("dog zork"), "zork");
  F.Spell.Check_Cancel();
  EXPECT_FALSE(F.Spell.Checking());
  EXPECT_TRUE(F.Spell.CheckCancelled());
  EXPECT_EQ(F.Spell.Parser(), nullptr);
  // Commands outside a check do nothing.
  F.Spell.Check_Change("x");
  F.Spell.Check_Ignore();
  EXPECT_EQ(F.Text, "dog zork");
  // A second check while one runs is refused.
  EXPECT_EQ(F.Start("zork"), "zork");
  std::string Other = "blorp";
  auto* P = new TStringParser();
  P->Initialize(&Other);
  F.Spell.CheckParser(P, ctAll);
  EXPECT_EQ(F.Now(), "zork");
  F.Spell.StopCheck(false);
  EXPECT_FALSE(F.Spell.CheckCancelled());
}

TEST(Lx3spellcheck, SingleWordTests) {
  TCheckFixture F;
  struct TCase {
    const char* Word;
    bool Acceptable;
  };
  const TCase Cases[] = {{"hello", true}, {"HELLO", true},  {"Hello", true}, {"HeLLo", false}, {"3.14", true},
                         {"q", true},     {"cat's", true},  {"zork", false}, {"", false},     {"cats", false}};
  for (const auto& C : Cases) {
    EXPECT_EQ(F.Spell.WordAcceptable(C.Word), C.Acceptable) << C.Word;
  }
  F.Spell.AllowedCases = cmNone;
  EXPECT_FALSE(F.Spell.WordAcceptable("Hello"));
  F.Spell.AllowedCases = cmAnyCase;
  EXPECT_TRUE(F.Spell.WordAcceptable("HeLLo"));
  F.Spell.AllowedCases = cmCustom;
  F.Spell.OnCaseModification = [](TObject*, std::string& W) { W = "dog"; };
  EXPECT_TRUE(F.Spell.WordAcceptable("Anything"));
  F.Spell.AllowedCases = cmInitialCapsOrUpcase;

  // Excluded words count for live spelling, not for the engine's test.
  ASSERT_TRUE(F.Spell.ActiveCustom);
  F.Spell.ActiveCustom->AddExclude("mat");
  EXPECT_TRUE(F.Spell.WordAcceptable("mat"));
  EXPECT_FALSE(F.Spell.LiveWordCorrect("mat"));
  EXPECT_TRUE(F.Spell.LiveWordCorrect("cat"));
  F.Spell.UseExcludeWords = false;
  EXPECT_TRUE(F.Spell.LiveWordCorrect("mat"));

  std::string R;
  F.Spell.Config()->WriteSpellOptions(F.Spell.Config()->ReadSpellOptions() | SpellOptionBit(soDUalCaps));
  EXPECT_TRUE(F.Spell.WordHasCorrection("THe", R));
  EXPECT_EQ(R, "The");
  EXPECT_FALSE(F.Spell.WordHasCorrection("THE", R));
  EXPECT_FALSE(F.Spell.WordHasCorrection("ZOrk", R));
}

TEST(Lx3spellcheck, SuggestionsPutALearnedCorrectionFirst) {
  TCheckFixture F;
  TStringList S;
  F.Spell.Suggest("dgo", S);
  ASSERT_GT(S.Count(), 0);
  EXPECT_EQ(S.Strings(0), "dog");
  F.Spell.MaxSuggestions = 0;
  F.Spell.Suggest("dgo", S);
  EXPECT_EQ(S.Count(), 0);
  F.Spell.MaxSuggestions = -1;
  F.Spell.LearnSuggestion("hte", "house");
  F.Spell.Suggest("hte", S);
  ASSERT_GT(S.Count(), 1);
  EXPECT_EQ(S.Strings(0), "house");
}

TEST(Lx3spellcheck, CountsWordsAndErrors) {
  TCheckFixture F;
  EXPECT_EQ(F.Spell.GetWordCountString("the cat sat on the the mat"), 7);
  EXPECT_EQ(F.Spell.GetErrorCountString("the cat zork on the the mat blorp"), 3);
  EXPECT_FALSE(F.Spell.ErrorsPresentInString("the big house"));
  EXPECT_TRUE(F.Spell.ErrorsPresentInString("the bigg house"));
}

TEST(Lx3spellcheck, EndMessageFollowsItsSetting) {
  TCheckFixture F;
  TScriptedDialogs Dialogs;
  TScopedDialogService Scope(Dialogs);
  F.Spell.UIType = suiDialog;  // no dialog window in the base component: only the message shows
  F.Spell.OnGetString = [&F](TObject*, TSpellLanguageString Id, std::string& Text) {
    if (Id == lsEndMessage) {
      Text = F.Spell.CheckCancelled() ? "The spell check was cancelled." : "The spell check is complete.";
    }
  };
  struct TCase {
    TSpellEndMessage Mode;
    const char* Text;
    bool Cancel;
    bool Shown;
  };
  const TCase Cases[] = {{emAlways, "dog", false, true},       {emNever, "zork", false, false},
                         {emExceptCancel, "zork", true, false}, {emExceptCancel, "dog", false, true},
                         {emNoDialog, "dog", false, false},     {emNoDialog, "zork", false, true},
                         {emAlways, "zork", true, true}};
  std::size_t Before = 0;
  for (const auto& C : Cases) {
    F.Spell.EndMessage = C.Mode;
    F.Spell.EndMessageWordCount = true;
    F.Start(C.Text);
    if (F.Spell.Checking()) {
      if (C.Cancel) {
        F.Spell.Check_Cancel();
      } else {
        F.Spell.Check_Ignore();
      }
    }
    const auto Shown = Dialogs.Shown();
    ASSERT_EQ(Shown.size(), Before + (C.Shown ? 1 : 0)) << C.Mode << C.Text;
    if (C.Shown) {
      const auto& M = Shown.back();
      EXPECT_EQ(M.Caption, "Spelling");
      const std::string Expected =
          std::string(C.Cancel ? "The spell check was cancelled." : "The spell check is complete.") +
          "\r\n\r\n" + F.Spell.GetString(lsWordsChecked) + " 1";
      EXPECT_EQ(M.Text, Expected);
    }
    Before = Shown.size();
  }
}

TEST(Lx3spellcheck, EventsSeeEveryChangeAndMayOverrideTheVerdict) {
  TCheckFixture F;
  std::vector<std::string> Log;
  F.Spell.OnBeforeChange = [&](TObject*) { Log.push_back("before"); };
  F.Spell.OnParserReplaceWord = [&](TObject*, bool Before, const std::string& R, int State) {
    if (!Before) {
      Log.push_back("replace " + R + " " + std::to_string(State));
    }
  };
  F.Spell.OnParserIgnoreWord = [&](TObject*, bool Before, int State) {
    if (!Before) {
      Log.push_back("ignore " + std::to_string(State));
    }
  };
  F.Spell.OnWordCheck = [](TObject*, const std::string& W, TWordCheckType& T, std::string& R) {
    if (W == "cat") {
      T = wcCorrected;
      R = "dog";
    }
  };
  EXPECT_EQ(F.Start("cat zork blorp"), "zork");
  F.Spell.Check_Ignore();
  F.Spell.Check_ChangeAll("house");
  EXPECT_EQ(F.Text, "dog zork house");
  EXPECT_EQ(Log, (std::vector<std::string>{"before", "replace dog 2", "ignore 10", "replace house 1"}));
}

TEST(Lx3spellcheck, SuggestionMenuCarriesOutTheChoice) {
  TCheckFixture F;
  const TSpellPopupOptions All = 0xFE;
  std::vector<std::string> Items;
  int Pick = 0;
  std::string PickCaption;
  F.Spell.OnPopupDoMenu = [&](TObject*, TPopupMenu* Menu, int, int, int& Tag, std::string& Caption) {
    Items.clear();
    for (int I = 0; I < Menu->Items()->Count(); ++I) {
      Items.push_back(Menu->Items()->Items(I)->Caption());
    }
    Tag = Pick;
    Caption = PickCaption;
  };
  struct TCase {
    int Tag;
    const char* Caption;
    TSpellPopupOption Result;
    const char* Word;
  };
  const TCase Cases[] = {{7, "dog", spReplace, "dog"}, {6, "", spIgnore, "dgo"},     {0, "", spCancel, "dgo"},
                         {3, "dog", spChangeAll, "dog"}, {5, "", spIgnoreAll, "dgo"}, {1, "", spDialog, "dgo"}};
  for (const auto& C : Cases) {
    Pick = C.Tag;
    PickCaption = C.Caption;
    std::string Word = "dgo";
    EXPECT_EQ(F.Spell.ShowPopupMenu(nullptr, All, 10, 10, Word), C.Result) << C.Tag;
    EXPECT_EQ(Word, C.Word) << C.Tag;
  }
  ASSERT_GE(Items.size(), 4u);
  EXPECT_EQ(Items[0], "dog");
  EXPECT_NE(std::find(Items.begin(), Items.end(), F.Spell.GetString(lsMnAdd)), Items.end());
  // Change All and Ignore All are carried out by the component.
  std::string R;
  EXPECT_TRUE(F.Spell.WordHasCorrection("dgo", R));
  Pick = 5;
  std::string Other = "blorp";
  EXPECT_EQ(F.Spell.ShowPopupMenu(nullptr, All, 0, 0, Other), spIgnoreAll);
  EXPECT_TRUE(F.Spell.WordAcceptable("blorp"));
  // Nothing for an empty word.
  std::string Empty;
  EXPECT_EQ(F.Spell.ShowPopupMenu(nullptr, All, 0, 0, Empty), spCancel);
}

TEST(Lx3spellcheck, SmartCheckCoversTheTextFromTheCaretAndShowsOneMessage) {
  TCheckFixture F;
  TScriptedDialogs Dialogs;
  TScopedDialogService Scope(Dialogs);
  F.Spell.UIType = suiDialog;  // the base component has no dialog window: only the message shows
  F.Spell.EndMessage = emAlways;
  // The user ignores every word shown.
  F.Spell.OnPromptWord = [&F](TObject*, const std::string& Word, bool) {
    F.Prompts.push_back(Word);
    F.Spell.Check_Ignore();
  };
  F.Text = "aaa dog bbb cat ccc";
  auto* P = new TStringParser();
  P->Initialize(&F.Text);
  P->SetPosition(9, 0, ptCurrent);  // the caret before "bbb"
  F.Spell.CheckParser(P, ctSmart);
  EXPECT_FALSE(F.Spell.Checking());
  EXPECT_EQ(F.Prompts, (std::vector<std::string>{"bbb", "ccc", "aaa"}));
  EXPECT_EQ(Dialogs.Shown().size(), 1u);
  EXPECT_EQ(F.Spell.WordsChecked(), 5);
}

TEST(Lx3spellcheck, EditsDuringACheckResumeAtTheEarlierOfCaretAndLastWord) {
  TCheckFixture F;
  EXPECT_EQ(F.Start("dog zork cat blorp"), "zork");
  // The user retypes the start of the text while the word is shown, then comes back to the dialog.
  F.Text = "dgo zork cat blorp";
  auto* P = F.Spell.Parser();
  P->SetPosition(1, 0, ptCurrent);
  P->SelectWord(0);
  F.Spell.Check_ControlEdited();
  EXPECT_EQ(F.Now(), "dgo");
  EXPECT_FALSE(F.Spell.ReadCanUndo());
  // Without resuming from the last position the caret always wins, even after the word.
  F.Spell.ResumeFromLastPosition = false;
  P->SetPosition(14, 0, ptCurrent);
  F.Spell.Check_ControlEdited();
  EXPECT_EQ(F.Now(), "blorp");
  F.Spell.Check_Cancel();
}
