// The validator engine's spell-check callback over the real spell checker and the shipped dictionary: a spell job
// of the engine finds the misspellings of a page, and the engine's single-word test answers through it.
#include "spell/Lx3enginecallback.h"

#include "SpellTestUtil.h"
#include "core/Enginejobs.h"
#include "core/Validatorlib.h"
#include "spell/Lx3customdictionary.h"
#include "spell/Lx3spell3.h"
#include "tests/core/FakeMainWindow.h"
#include "tests/core/SettingsTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>

using namespace spelltest;

namespace {

class EngineSpellCallback_ : public SettingsTest {
protected:
  void SetUp() override {
    SettingsTest::SetUp();
    MakeRoot();
    ASSERT_EQ(prg->volatileState->LoadValidatorLibrary(0, 0), 0);
    std::filesystem::copy_file(DictionaryFolder() + "/American.adm", Dict / "American.adm");
    Spell.OnConfigReadString = [this](TObject*, const std::string& Id, const std::string& Key, const std::string&,
                                      std::string& Value) {
      auto It = Values.find(Id + "/" + Key);
      if (It != Values.end()) {
        Value = It->second;
      }
    };
    Spell.OnConfigWriteString = [this](TObject*, const std::string& Id, const std::string& Key, const std::string& V) {
      Values[Id + "/" + Key] = V;
    };
    Spell.WriteConfigStorage(csCallback);
    Spell.ConfigDefaultOptions = static_cast<TSpellOptions>(Spell.ConfigDefaultOptions | SpellOptionBit(soInternet));
    Spell.WriteSuggestionsDictFN(Dict / "learned.adl");
    Spell.ConfigDefaultActiveCustom = Dict / "mine.adu";
    TStringList Folders;
    Folders.Add(Dict.Path());
    Spell.WriteConfigDictionaryDir(&Folders);
    Window.Spell = &Checker;
    // What start-up does: the parser factory, then the callback handed to the engine.
    RegisterEngineSpellWordParser();
    ASSERT_EQ(ZUBCalls.ZUBSetPointer(ZUB_SPELL_CALLBACK, reinterpret_cast<void*>(&EngineSpellCallback)), 0);
  }
  void TearDown() override {
    (void)EngineSpellCallback(nullptr, 0x10);  // shutdown: always 0
    SetSpellWordParserFactory(nullptr);
    SettingsTest::TearDown();
  }
  // Runs the engine's spell job over Lines; the words it reports, and the count of distinct ones.
  std::multiset<std::string> SpellJob(const std::vector<std::string>& Lines, int& Distinct) {
    const int Job = GetNewHandle(ZUB_KIND_JOB);
    EXPECT_GE(Job, 0);
    EXPECT_GE(SetInteger(Job, ZUB_JOB_KIND, ZUB_JOB_SPELL_CHECK), 0);
    EXPECT_GE(SetInteger(Job, ZUB_JOB_TEXT_START, 0), 0);
    for (const std::string& L : Lines) {
      EXPECT_GE(SetString(Job, ZUB_JOB_LINE, L.c_str()), 0);
    }
    EXPECT_GE(SetFlag(Job, ZUB_JOB_FLAGS, ZUB_JOB_TEXT_HANDED_OVER, 1), 0);
    const int Result = RunJob(0, prg->volatileState->configHandle, Job, 0);
    EXPECT_GE(Result, 0);
    std::multiset<std::string> Words;
    const int Count = ZUBCalls.ZUBGetIntegerEZ(Result, ZUB_RESULT_MESSAGES);
    for (int I = 1; I <= Count; ++I) {
      const char* Text = ZUBCalls.ZUBGetString2(Result, ZUB_MSG_TEXT, I);
      Words.insert(Text != nullptr ? Text : "");
    }
    Distinct = ZUBCalls.ZUBGetIntegerEZ(Result, ZUB_RESULT_MISSPELLINGS);
    (void)FreeHandle(Result);  // the result is read; a failure is reported by the wrapper
    (void)FreeHandle(Job);
    return Words;
  }

  TestSupport::TTempFolder Dict;
  std::map<std::string, std::string> Values;
  TLexiSpell3 Spell{nullptr};
  TEngineSpellChecker Checker{Spell};
  FakeMainWindow Window;
};

TEST_F(EngineSpellCallback_, ASpellJobFindsThePagesMisspellingsThroughTheRealDictionary) {
  int Distinct = 0;
  const auto Words = SpellJob(
      {"<html><head><title>A receipt</title></head><body>", "<p>The quikc brown fox jumpd over the lazy dog.</p>",
       "<p>We recieve <b>teh</b> parcels at 10 o'clock; teh rest wait.</p>", "</body></html>"},
      Distinct);
  EXPECT_EQ(Words, (std::multiset<std::string>{"Possible misspelling: \"quikc\".", "Possible misspelling: \"jumpd\".",
                                               "Possible misspelling: \"recieve\".", "Possible misspelling: \"teh\".",
                                               "Possible misspelling: \"teh\"."}));
  EXPECT_EQ(Distinct, 4);
  // The engine's own one-word test asks the same checker.
  EXPECT_EQ(ZUBCalls.ZUBSpellCheck2(ZUB_SPELL_TEST_WORD, "receive"), 1);
  EXPECT_EQ(ZUBCalls.ZUBSpellCheck2(ZUB_SPELL_TEST_WORD, "recieve"), 0);
}

TEST_F(EngineSpellCallback_, WordsOfTheUsersDictionaryAndAddressesPass) {
  ASSERT_TRUE(Spell.WordAcceptable("house"));  // opens the dictionaries
  ASSERT_TRUE(Spell.ActiveCustom);
  Spell.ActiveCustom->AddIgnore("Quillonish");
  int Distinct = 0;
  const auto Words = SpellJob({"Quillonish words at http://example.org/quikc and a mispelt one"}, Distinct);
  EXPECT_EQ(Words, (std::multiset<std::string>{"Possible misspelling: \"mispelt\"."}));
  EXPECT_EQ(Distinct, 1);
}

}  // namespace
