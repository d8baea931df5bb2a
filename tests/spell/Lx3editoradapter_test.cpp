// The spell checker over the editor's text: the component checks an editor through the editor's text cursor,
// changes words in place, and answers the editor's live-spelling test, through the editor's speller adapter.
#include "SpellTestUtil.h"
#include "spell/Easyspelladapter.h"
#include "platform/controls/TestHarness.h"
#include "spell/Lx3customdictionary.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace spelltest;

struct TEditorCheck {
  TTempDir Dir;
  std::map<std::string, std::string> Values;
  TLexiSpell3Base Spell{nullptr};
  std::vector<std::string> Prompts;
  std::unique_ptr<TEasyEdit> Edit;

  TEditorCheck() {
    Harness::Start();
    EXPECT_EQ(CompileWords({"the", "cat", "sat", "on", "mat", "hello"}, Dir / "American.adm", "--language 0x0409"), 0);
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
    Spell.OnPromptWord = [this](TObject*, const std::string& Word, bool) { Prompts.push_back(Word); };
    TStringList Folders;
    Folders.Add(Dir.Path());
    Spell.WriteConfigDictionaryDir(&Folders);
    Edit.reset(new TEasyEdit(nullptr));
    Edit->AfterConstruction();
  }
};

TEST(Lx3editoradapter, TheCheckerWalksAndChangesTheEditorsText) {
  TEditorCheck F;
  F.Edit->GetLines()->SetText("the cat sta\non teh mat");
  auto* Cursor = new TEasyLexiParser();
  Cursor->Initialize(F.Edit.get());
  TEasyLexiSpeller<TLexiSpell3Base> Speller(F.Spell);
  Speller.CheckParser(Cursor, ctAll);
  ASSERT_TRUE(F.Spell.Checking());
  EXPECT_EQ(F.Spell.CurrentWord(), "sta") << "the word at the end of the first line is found";
  EXPECT_EQ(F.Edit->GetSelText(), "sta");
  F.Spell.Check_Change("sat");
  EXPECT_EQ(F.Edit->GetLines()->Get(0), "the cat sat");
  ASSERT_TRUE(F.Spell.Checking());
  EXPECT_EQ(F.Spell.CurrentWord(), "teh");
  F.Spell.Check_Change("the");
  EXPECT_EQ(F.Edit->GetLines()->Get(1), "on the mat");
  EXPECT_FALSE(F.Spell.Checking()) << "the rest of the text is correct";
}

TEST(Lx3editoradapter, LiveSpellingAsksTheChecker) {
  TEditorCheck F;
  TEasyLexiSpeller<TLexiSpell3Base> Speller(F.Spell);
  EXPECT_TRUE(IsWordCorrect(&Speller, "cat"));
  EXPECT_FALSE(IsWordCorrect(&Speller, "cta"));
  F.Spell.Config();  // loads the configuration and the custom dictionary
  ASSERT_TRUE(F.Spell.ActiveCustom);
  F.Spell.ActiveCustom->AddExclude("mat");
  EXPECT_FALSE(IsWordCorrect(&Speller, "mat")) << "an excluded word is wrong";
}

}  // namespace
