// Tests of the spell component's configuration storage, path variables, filters and dictionary set.
#include "spell/Lx3spellbase.h"

#include "SpellTestUtil.h"
#include "platform/rtl/FileUtils.h"
#include "platform/win/Files.h"
#include "spell/Lx3customdictionary.h"
#include "spell/Lx3ignore.h"
#include "spell/Lx3maindictionary.h"

#include <gtest/gtest.h>

#include <map>

using namespace spelltest;

namespace {

// Every test program gets a registry of its own.
const TTempDir& RegistryDir() {
  static TTempDir Dir;
  static const bool Set = [] {
    ::setenv("ZUBQ_REGISTRY_DIR", Dir.Path().c_str(), 1);
    return true;
  }();
  (void)Set;
  return Dir;
}
const TTempDir& RegistryInit = RegistryDir();

std::string ProgramDir() { return ExtractFileDir(GetModuleFileNameString(0)); }

// A component whose configuration lives in a map, as the owner's events keep it.
struct TCallbackStore {
  std::map<std::string, std::string> Values;
  void Attach(TLexiSpell3Base& S) {
    S.OnConfigReadString = [this](TObject*, const std::string& Id, const std::string& Key, const std::string&,
                                  std::string& Value) {
      auto It = Values.find(Id + "/" + Key);
      if (It != Values.end()) {
        Value = It->second;
      }
    };
    S.OnConfigWriteString = [this](TObject*, const std::string& Id, const std::string& Key, const std::string& V) {
      Values[Id + "/" + Key] = V;
    };
  }
};

void SetFolders(TLexiSpell3Base& S, std::initializer_list<std::string> Folders) {
  TStringList L;
  for (const auto& F : Folders) {
    L.Add(F);
  }
  S.WriteConfigDictionaryDir(&L);
}

}  // namespace

TEST(Lx3spellbase, ProgramSetupFirstRunOpensTheShippedDictionaries) {
  TTempDir Dir;
  const std::string Dict = Dir / "Dictionary";
  std::filesystem::create_directories(Dict);
  for (const char* N : {"American.adm", "BrumAdd.adm"}) {
    std::filesystem::copy_file(DictionaryFolder() + "/" + N, Dict + "/" + N);
  }
  WriteFile(Dict + "/notes.txt", "not a dictionary");
  {
    TLexiSpell3Base Spell(nullptr);
    Spell.WriteSuggestionsDictFN(Dir / "learned.adl");
    // The program's set-up, in its order: the first change of the folder lines loads the configuration.
    Spell.ConfigDictionaryDir()->Clear();
    Spell.ConfigDictionaryDir()->Add(Dict);
    Spell.ConfigDefaultMain()->Clear();
    for (const char* N : {"American.adm", "DEVIVOro.dar", "BrumAdd.adm"}) {
      Spell.ConfigDefaultMain()->Add(N);
    }
    Spell.ConfigUseMSWordCustom = true;
    Spell.ConfigDefaultUseMSWordCustom = true;
    Spell.WriteKeepDictionariesActive(true);
    Spell.ConfigDefaultOptions = static_cast<TSpellOptions>(
        (Spell.ConfigDefaultOptions | SpellOptionBit(soHTML) | SpellOptionBit(soInternet) |
         SpellOptionBit(soRepeated) | SpellOptionBit(soNumbers)) & ~SpellOptionBit(soUpcase));
    Spell.WriteConfigStorage(csRegistry);
    Spell.WriteConfigID("%UserName%");
    Spell.WriteConfigRegistryKey("Software\\Palvane\\ZUB Quillon v4\\Dictionary");

    TStringList* Main = Spell.Config()->ReadMainDictionaries();
    ASSERT_EQ(Main->Count(), 3);
    EXPECT_EQ(Main->Strings(1), "DEVIVOro.dar");
    ASSERT_EQ(Spell.OpenMainDictionaries.size(), 2u);
    EXPECT_TRUE(Spell.Possessive());
    EXPECT_TRUE(Spell.OpenMainDictionaries[0]->WordExists("receive"));
    EXPECT_TRUE(Spell.OpenMainDictionaries[1]->WordExists("stylesheet"));
    const std::string Active = Spell.Config()->ReadActiveCustom();
    EXPECT_EQ(Active, ExpandFixedVars("%UserName%") + ".adu");
    ASSERT_TRUE(Spell.ActiveCustom);
    EXPECT_EQ(Spell.ActiveCustom->Filename(), Dict + "/" + Active);
    // The active dictionary is listed first although its file does not exist yet; only .adm files are main.
    EXPECT_EQ(Spell.ReadAvailableCustom()->Strings(0), Active);
    EXPECT_EQ(Spell.ReadAvailableMain()->CommaText(), "American.adm,BrumAdd.adm");
    // The options of the first run built the filters.
    ASSERT_EQ(Spell.IgnoreFilters().size(), 4u);
    EXPECT_NE(dynamic_cast<TURLIgnore*>(Spell.IgnoreFilters()[0].get()), nullptr);
    EXPECT_NE(dynamic_cast<THTMLIgnore*>(Spell.IgnoreFilters()[2].get()), nullptr);
    ASSERT_TRUE(Spell.LearningDictionary);
    EXPECT_EQ(Spell.LearningDictionary->Filename(), Dir / "learned.adl");
    EXPECT_FALSE(Spell.MappingDictionary);
    Spell.ActiveCustom->AddIgnore("Quillonish");
  }
  // The next run reads what the first one saved, and the added word was saved with its dictionary.
  TLexiSpell3Base Again(nullptr);
  SetFolders(Again, {Dict});
  Again.WriteConfigRegistryKey("Software\\Palvane\\ZUB Quillon v4\\Dictionary");
  EXPECT_EQ(Again.Config()->ReadMainDictionaries()->Count(), 3);
  ASSERT_TRUE(Again.ActiveCustom);
  EXPECT_TRUE(Again.ActiveCustom->IgnoreExists("Quillonish"));
  EXPECT_TRUE((Again.Config()->ReadSpellOptions() & SpellOptionBit(soHTML)) != 0);
}

TEST(Lx3spellbase, ListsAreStoredAsCountAndItems) {
  TCallbackStore Store;
  {
    TLexiSpell3Base Spell(nullptr);
    Store.Attach(Spell);
    Spell.WriteConfigStorage(csCallback);
    Spell.WriteConfigID("tester");
    TStringList* Main = Spell.Config()->ReadMainDictionaries();
    Main->Clear();
    for (const char* N : {"One.adm", "Two.adm", "Three.adm"}) {
      Main->Add(N);
    }
    Spell.Config()->SaveConfiguration();
    EXPECT_EQ(Store.Values["tester/_FirstRun"], "+");
    EXPECT_EQ(Store.Values["tester/_Main_count"], "3");
    EXPECT_EQ(Store.Values["tester/_Main_2"], "Three.adm");
    EXPECT_EQ(Store.Values["tester/_soHTML"], "-");
    EXPECT_EQ(Store.Values["tester/_soInternet"], "+");
    EXPECT_EQ(Store.Values["tester/_DialogX"], "-1");
    while (Main->Count() > 1) {
      Main->Delete(Main->Count() - 1);
    }
    Spell.Config()->SetConfigurationData("Colour", "blue");
  }
  // Items beyond a shrunk count stay in the store, ignored.
  EXPECT_EQ(Store.Values["tester/_Main_count"], "1");
  EXPECT_EQ(Store.Values["tester/_Main_1"], "Two.adm");
  EXPECT_EQ(Store.Values["tester/User_Colour"], "blue");
  Store.Values["tester/_Custom_count"] = "2";
  Store.Values["tester/_Custom_0"] = "mine.adu";
  Store.Values["tester/_Custom_1"] = "";
  Store.Values["tester/_MSWordCustom_count"] = "many";
  TLexiSpell3Base Spell(nullptr);
  Store.Attach(Spell);
  Spell.WriteConfigStorage(csCallback);
  Spell.WriteConfigID("tester");
  EXPECT_EQ(Spell.Config()->ReadMainDictionaries()->CommaText(), "One.adm");
  EXPECT_EQ(Spell.Config()->ReadMSWordCustomDictionaries()->Count(), 0);
  EXPECT_EQ(Spell.Config()->GetConfigurationData("COLOUR"), "blue");
  // The stored active dictionary is entered into the custom list; the empty stored item was skipped.
  EXPECT_EQ(Spell.Config()->ReadCustomDictionaries()->Strings(0), "mine.adu");
  // Resetting to the defaults keeps the user data, and the active dictionary stays in the custom list.
  Spell.Config()->ResetConfigurationDefaults();
  EXPECT_EQ(Spell.Config()->ReadMainDictionaries()->CommaText(), "American.adm");
  EXPECT_EQ(Spell.Config()->ReadCustomDictionaries()->CommaText(), "tester.adu");
  EXPECT_EQ(Spell.Config()->GetConfigurationData("Colour"), "blue");
}

TEST(Lx3spellbase, ListenersHearConfigurationAndOptionChanges) {
  TCallbackStore Store;
  TLexiSpell3Base Spell(nullptr);
  Store.Attach(Spell);
  Spell.WriteConfigStorage(csCallback);
  TObject Listener;
  std::string Log;
  Spell.ConfigurationEventList.Add(&Listener, [&](TObject*) { Log += "c"; });
  Spell.OptionsEventList.Add(&Listener, [&](TObject*) { Log += "o"; });
  Spell.OnConfigChanged = [&](TObject*) { Log += "C"; };
  Spell.Config()->EnsureLoaded();
  EXPECT_EQ(Log, "oCc");  // loading applies the options, then tells of the change
  Log.clear();
  Spell.Config()->WriteSpellOptions(SpellOptionBit(soUpcase));
  EXPECT_EQ(Log, "oCc");
  ASSERT_EQ(Spell.IgnoreFilters().size(), 1u);
  EXPECT_TRUE(Spell.RunPostCheckIgnore("NASA", nullptr));
  Log.clear();
  Spell.Config()->WriteDialogX(10);  // no option changed: the filters stay
  EXPECT_EQ(Log, "Cc");
}

TEST(Lx3spellbase, UnusedComponentTouchesNoStorage) {
  int Calls = 0;
  {
    TLexiSpell3Base Spell(nullptr);
    Spell.OnConfigReadString = [&](TObject*, const std::string&, const std::string&, const std::string&,
                                   std::string&) { ++Calls; };
    Spell.OnConfigWriteString = [&](TObject*, const std::string&, const std::string&, const std::string&) {
      ++Calls;
    };
    Spell.WriteConfigStorage(csCallback);
    Spell.WriteQuoteChars(">>");
  }
  EXPECT_EQ(Calls, 0);
}

TEST(Lx3spellbase, IniFileStorageRoundTrips) {
  TTempDir Dir;
  {
    TLexiSpell3Base Spell(nullptr);
    Spell.WriteConfigFilename(Dir / "sub/Spell.cfg");
    Spell.WriteConfigStorage(csFile);
    Spell.Config()->EnsureLoaded();
    Spell.Config()->WriteSpellOptions(SpellOptionBit(soQuoted));
    Spell.Config()->WriteDialogX(40);
  }
  EXPECT_NE(ReadFile(Dir / "sub/Spell.cfg").find("_soQuoted=+"), std::string::npos);
  TLexiSpell3Base Spell(nullptr);
  Spell.WriteConfigFilename(Dir / "sub/Spell.cfg");
  Spell.WriteConfigStorage(csFile);
  EXPECT_EQ(Spell.Config()->ReadDialogX(), 40);
  EXPECT_EQ(Spell.Config()->ReadSpellOptions(), SpellOptionBit(soQuoted));
  ASSERT_EQ(Spell.IgnoreFilters().size(), 1u);
  auto* Quoted = dynamic_cast<TQuotedLineIgnore*>(Spell.IgnoreFilters()[0].get());
  ASSERT_NE(Quoted, nullptr);
  Spell.WriteQuoteChars("|");
  Quoted = dynamic_cast<TQuotedLineIgnore*>(Spell.IgnoreFilters()[0].get());
  EXPECT_EQ(Quoted->QuoteChars, "|");
  EXPECT_TRUE(Spell.RunLineIgnore("|quoted"));
}

TEST(Lx3spellbase, PathVariables) {
  TLexiSpell3Base Spell(nullptr);
  EXPECT_EQ(Spell.ExpandVars("%AppDir%/Spell.cfg"), ProgramDir() + "/Spell.cfg");
  const std::string User = ExpandFixedVars("%UserName%");
  EXPECT_FALSE(User.empty());
  // Each variable is replaced once; environment variables are expanded after that.
  EXPECT_EQ(Spell.ExpandVars("%AppDir%|%AppDir%"), ProgramDir() + "|%AppDir%");
  EXPECT_EQ(Spell.ExpandVars("%ConfigID%.adu"), User + ".adu");
  EXPECT_EQ(Spell.ExpandVars("%AppName%"), ExtractFileName(GetModuleFileNameString(0)));
  EXPECT_EQ(ReplaceString("a", "b", "aaa"), "baa");
  EXPECT_FALSE(Spell.ExpandVars("%AppData%").empty());
}

TEST(Lx3spellbase, FirstFolderWinsForMainAndCustomDictionaries) {
  TTempDir Dir;
  std::filesystem::create_directories(Dir / "one");
  std::filesystem::create_directories(Dir / "two");
  ASSERT_EQ(CompileWords({"alpha"}, Dir / "one/Same.adm"), 0);
  ASSERT_EQ(CompileWords({"beta"}, Dir / "two/Same.adm"), 0);
  ASSERT_EQ(CompileWords({"gamma"}, Dir / "two/Only.adm"), 0);
  {
    TCustomDictionary C;
    C.WriteFilename(Dir / "two/found.adu");
    C.AddIgnore("there");
    C.Save();
  }
  TCallbackStore Store;
  TLexiSpell3Base Spell(nullptr);
  Store.Attach(Spell);
  Spell.WriteConfigStorage(csCallback);
  Spell.WriteSuggestionsDictFN(Dir / "learned.adl");
  SetFolders(Spell, {Dir / "one", Dir / "two"});
  auto Same = Spell.GetMainDictionary("Same.adm");
  ASSERT_TRUE(Same);
  EXPECT_TRUE(Same->WordExists("alpha"));
  EXPECT_TRUE(Spell.GetMainDictionary("Only.adm"));
  EXPECT_FALSE(Spell.GetMainDictionary("Missing.adm"));
  EXPECT_TRUE(Spell.GetMainDictionary(Dir / "two/Same.adm")->WordExists("beta"));
  EXPECT_EQ(Spell.ReadAvailableMain()->CommaText(), "Same.adm,Only.adm");
  auto Found = Spell.GetCustomDictionary("found.adu");
  ASSERT_TRUE(Found);
  EXPECT_EQ(Found->Filename(), Dir / "two/found.adu");
  auto Fresh = Spell.GetCustomDictionary("fresh.adu");
  ASSERT_TRUE(Fresh);
  EXPECT_EQ(Fresh->Filename(), Dir / "one/fresh.adu");
}

TEST(Lx3spellbase, ManagingCustomDictionaries) {
  TTempDir Dir;
  TCallbackStore Store;
  TLexiSpell3Base Spell(nullptr);
  Store.Attach(Spell);
  Spell.WriteConfigStorage(csCallback);
  Spell.WriteConfigID("me");
  Spell.WriteSuggestionsDictFN(Dir / "learned.adl");
  SetFolders(Spell, {Dir.Path()});
  EXPECT_EQ(Spell.Config()->ReadActiveCustom(), "me.adu");
  Spell.CreateNewCustomDictionary("/somewhere/Work.txt");
  EXPECT_TRUE(FileExists(Dir / "Work.adu"));
  TStringList* Custom = Spell.Config()->ReadCustomDictionaries();
  EXPECT_EQ(Custom->CommaText(), "me.adu,Work.adu");
  EXPECT_EQ(Spell.OpenCustomDictionaries.size(), 1u);
  Spell.OpenCustomDictionaries[0]->AddIgnore("kept");
  Spell.OpenCustomDictionaries[0]->Save();
  // Creating it again keeps its words.
  Spell.CreateNewCustomDictionary("Work");
  EXPECT_TRUE(Spell.GetCustomDictionary("Work.adu")->IgnoreExists("kept"));
  EXPECT_TRUE(Spell.RenameCustomDictionary("Work.adu", "Job"));
  EXPECT_TRUE(FileExists(Dir / "Job.adu"));
  EXPECT_FALSE(FileExists(Dir / "Work.adu"));
  EXPECT_EQ(Custom->CommaText(), "me.adu,Job");
  EXPECT_FALSE(Spell.RenameCustomDictionary("Nothing.adu", "Other"));
  // Disabling the active dictionary makes the first remaining one active; disabling the last leaves none.
  Spell.EnableCustomDictionary("me.adu", false);
  EXPECT_EQ(Spell.Config()->ReadActiveCustom(), "Job");
  Spell.EnableCustomDictionary("Job", false);
  EXPECT_EQ(Spell.Config()->ReadActiveCustom(), "");
  EXPECT_FALSE(Spell.ActiveCustom);
  Spell.EnableCustomDictionary("Job.adu", true);
  EXPECT_EQ(Custom->CommaText(), "Job.adu");
  Spell.RemoveCustomDictionary("Job.adu");
  EXPECT_FALSE(FileExists(Dir / "Job.adu"));
  EXPECT_EQ(Custom->Count(), 0);
}

TEST(Lx3spellbase, WordProcessorListsAndUnloading) {
  TTempDir Dir;
  WriteFile(Dir / "words.dic", "alpha\r\nbeta\r\n\r\ngamma\n");
  TCallbackStore Store;
  TLexiSpell3Base Spell(nullptr);
  Store.Attach(Spell);
  Spell.WriteConfigStorage(csCallback);
  Spell.WriteSuggestionsDictFN(Dir / "learned.adl");
  ASSERT_EQ(CompileWords({"alpha"}, Dir / "American.adm"), 0);
  SetFolders(Spell, {Dir.Path()});
  auto Word = Spell.GetMSWordCustomDictionary(Dir / "words.dic");
  ASSERT_TRUE(Word);
  EXPECT_TRUE(Word->IgnoreExists("beta"));
  EXPECT_TRUE(Word->IgnoreExists("gamma"));
  EXPECT_EQ(Word->ReadIgnoreCount(), 3);
  EXPECT_FALSE(Spell.GetMSWordCustomDictionary(Dir / "none.dic"));
  EXPECT_EQ(Spell.ReadAvailableMSWordCustom()->Count(), 0);  // the store holds no word-processor keys
  Spell.EnableWordDictionary(Dir / "words.dic", true);
  ASSERT_EQ(Spell.OpenMSWordDictionaries.size(), 1u);
  // After a check the set stays, its contents are released and come back on first use.
  ASSERT_EQ(Spell.OpenMainDictionaries.size(), 1u);
  EXPECT_TRUE(Spell.OpenMainDictionaries[0]->WordExists("alpha"));
  Spell.UnloadDictionaries();
  EXPECT_FALSE(Spell.OpenMainDictionaries[0]->Loaded());
  EXPECT_EQ(Store.Values.count(ExpandFixedVars("%UserName%") + "/_FirstRun"), 1u);
  EXPECT_TRUE(Spell.OpenMainDictionaries[0]->WordExists("alpha"));
}

TEST(Lx3spellbase, MainDictionaryWithMostHitsMovesToTheFront) {
  TTempDir Dir;
  ASSERT_EQ(CompileWords({"alpha"}, Dir / "A.adm", "--language 0x040C"), 0);
  ASSERT_EQ(CompileWords({"beta"}, Dir / "B.adm", "--language 0x0409"), 0);
  TCallbackStore Store;
  TLexiSpell3Base Spell(nullptr);
  Store.Attach(Spell);
  Spell.WriteConfigStorage(csCallback);
  Spell.WriteSuggestionsDictFN(Dir / "learned.adl");
  Spell.ConfigDefaultMain()->Clear();
  Spell.ConfigDefaultMain()->Add("B.adm");
  Spell.ConfigDefaultMain()->Add("A.adm");
  SetFolders(Spell, {Dir.Path()});
  ASSERT_EQ(Spell.OpenMainDictionaries.size(), 2u);
  Spell.OpenMainDictionaries[1]->WordFound();
  Spell.OptimizeMainDictionaryOrder();
  EXPECT_TRUE(Spell.OpenMainDictionaries[0]->WordExists("alpha"));
  EXPECT_EQ(Spell.ReadTextPrimaryLanguage(), 0x040C);
  EXPECT_EQ(Spell.OrderCountdown(), 100);
}

TEST(Lx3spellbase, TextsByLanguage) {
  TLexiSpell3Base Spell(nullptr);
  EXPECT_EQ(Spell.GetString(lsDlgOptionsLabel), " O&ptions: ");
  EXPECT_NE(Spell.GetString(lsEndSelectionMessage).find(".  Would"), std::string::npos);
  Spell.OnGetString = [](TObject*, TSpellLanguageString Id, std::string& Text) {
    if (Id == lsEndMessage) {
      Text = "Done.";
    }
  };
  EXPECT_EQ(Spell.GetString(lsEndMessage), "Done.");
  Spell.UILanguage = ltGerman;
  EXPECT_EQ(Spell.GetString(lsSpelling), "Rechtschreibung");
  EXPECT_EQ(Spell.GetString(lsDlgOptionsLabel), " O&ptionen: ");
  EXPECT_EQ(GetString(lsSpelling, ltRussian), "\xCE\xF0\xF4\xEE\xE3\xF0\xE0\xF4\xE8\xFF");  // code page 1251
  EXPECT_EQ(GetString(lsSpelling, ltCzech), "Pravopis");
  EXPECT_EQ(GetString(68, ltEnglish), "");
  EXPECT_EQ(GetString(0, 13), "");
  for (int L = 0; L < SpellLanguageCount; ++L) {
    for (int Id = 0; Id < SpellLanguageStringCount; ++Id) {
      EXPECT_FALSE(GetString(Id, L).empty()) << L << "/" << Id;
    }
  }
}
