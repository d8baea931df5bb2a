// Tests of the spelling options window: its changes reach the registry store and a new component reads them.
#include "spell/Lx3configdialog.h"

#include "spell/Lx3customdictionary.h"
#include "spell/Lx3dictionariesdialog.h"
#include "spell/Lx3dictionaryeditdialog.h"

#include "SpellTestUtil.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/TestHarness.h"
#include "platform/win/DialogService.h"
#include "platform/win/MessageBox.h"
#include "spell/Lx3spell3.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <filesystem>
#include <functional>

using namespace spelltest;

namespace {

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

class ConfigDialogTest : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    std::filesystem::create_directories(Dir / "extra");
    ASSERT_EQ(CompileWords({"the", "cat"}, Dir / "American.adm", "--language 0x0409 --title Plain"), 0);
    ASSERT_EQ(CompileWords({"chat"}, Dir / "French.adm", "--language 0x040C --title Chat"), 0);
    ASSERT_EQ(CompileWords({"zork"}, Dir / "extra/Zork.adm", "--title Zorkish"), 0);
    WriteFile(Dir / "Broken.adm", "not a dictionary");
  }

  std::unique_ptr<TLexiSpell3> NewComponent() {
    auto S = std::make_unique<TLexiSpell3>(nullptr);
    S->WriteConfigRegistryKey("Software\\ZubSpellTest\\" + std::filesystem::path(Dir.Path()).filename().string());
    S->WriteSuggestionsDictFN(Dir / "learned.adl");
    S->ConfigDefaultActiveCustom = "mine.adu";
    S->CommandsVisible = AllSpellDialogCommands;
    TStringList Folders;
    Folders.Add(Dir.Path());
    S->WriteConfigDictionaryDir(&Folders);
    return S;
  }

  // Opens the options window and runs Act on it once it shows; the window closes by its OK button.
  void WithWindow(TLexiSpell3& S, const std::function<void(TSpellCheckConfigDialog&)>& Act) {
    // Objects live in memory from the memory manager: `delete` runs the timer's teardown.
    auto* Timer = new TTimer(nullptr);
    Timer->AfterConstruction();
    bool Done = false;
    Timer->SetInterval(20);
    Timer->SetOnTimer([&](TObject*) {
      if (Done) {
        return;
      }
      for (Integer I = 0; I < S.ComponentCount(); ++I) {
        if (auto* W = dynamic_cast<TSpellCheckConfigDialog*>(S.Components(I)); W && W->Showing()) {
          Done = true;
          Act(*W);
          Harness::Click(W->OK->Handle(), TPoint{10, 10});
        }
      }
    });
    Timer->SetEnabled(true);
    S.Setup();
    delete Timer;
    EXPECT_TRUE(Done);
  }

  TTempDir Dir;
};

TEST_F(ConfigDialogTest, ChangesPersistAndANewComponentReadsThemBack) {
  TScriptedDialogs Dialogs;
  TScopedDialogService Scope(Dialogs);
  Dialogs.QueueAnswer(IDOK, Dir / "extra");  // the folder chooser of the browse row
  {
    auto S = NewComponent();
    WithWindow(*S, [&](TSpellCheckConfigDialog& W) {
      // Five options are offered: five boxes are hidden and the window is 80 pixels shorter.
      EXPECT_EQ(std::popcount(static_cast<unsigned>(S->ConfigAvailableOptions)), 5);
      EXPECT_EQ(W.ClientHeight(), 397 - 5 * 16);
      EXPECT_TRUE(W.Options[4]->Visible());
      EXPECT_FALSE(W.Options[5]->Visible());
      EXPECT_EQ(W.Options[0]->Caption(), S->GetString(lsIgnoreUpcase));
      EXPECT_FALSE(W.Options[0]->Checked());
      Harness::Click(W.Options[0]->Handle(), TPoint{4, 4});
      Harness::RunUntilIdle();
      EXPECT_TRUE(W.Options[0]->Checked());

      // The list: each file with its title ("???" when unreadable), then the browse row.
      TListItems* Items = W.MainDictionaries->Items();
      std::vector<std::string> Rows;
      for (int I = 0; I < Items->Count(); ++I) {
        Rows.push_back(Items->Item(I)->Caption());
      }
      EXPECT_EQ(Rows, (std::vector<std::string>{"Plain", "???", "Chat", S->GetString(lsDlgBrowseForMain)}));
      EXPECT_TRUE(Items->Item(0)->Checked());
      Items->Item(2)->SetChecked(true);
      Harness::RunUntilIdle();
      Items->Item(3)->SetChecked(true);
      Harness::RunUntilIdle();
      // The browse row is never left checked; the chosen folder's dictionary is listed now.
      Items = W.MainDictionaries->Items();
      ASSERT_EQ(Items->Count(), 5);
      EXPECT_EQ(Items->Item(3)->Caption(), "Zorkish");
      EXPECT_FALSE(Items->Item(4)->Checked());
    });
    EXPECT_TRUE(S->WordExists("chat"));
    EXPECT_TRUE(S->WordAcceptable("THE"));
  }
  auto S = NewComponent();
  const TSpellOptions Options = S->Config()->ReadSpellOptions();
  EXPECT_NE(Options & SpellOptionBit(soUpcase), 0);
  TStringList* Main = S->Config()->ReadMainDictionaries();
  ASSERT_EQ(Main->Count(), 2);
  EXPECT_EQ(Main->Strings(1), "French.adm");
  EXPECT_EQ(S->Config()->ReadNewDictionaryPaths()->Count(), 1);
  EXPECT_TRUE(S->WordExists("chat"));
}

TEST_F(ConfigDialogTest, TenOptionsAtMostAndAHandlerReplacesTheWindow) {
  TScriptedDialogs Dialogs;
  TScopedDialogService Scope(Dialogs);
  auto S = NewComponent();
  S->ConfigAvailableOptions = 0x7FFF;
  S->ConfigUserOption1 = "My own";
  WithWindow(*S, [&](TSpellCheckConfigDialog& W) {
    EXPECT_EQ(W.ClientHeight(), 397);
    EXPECT_EQ(W.Options[9]->Caption(), S->GetString(lsRepeated));  // the eleventh and later are left out
    EXPECT_EQ(W.CustomCombo->ItemIndex(), 0);
  });
  int Shown = 0;
  S->OnShowConfigDialog = [&](TObject*, TComponent*) { ++Shown; };
  S->Setup();
  EXPECT_EQ(Shown, 1);
}

// Runs each step on the next window of its kind that shows, from a timer, while Open runs its modal loop.
struct TWindowStep {
  TClass Kind;
  std::function<void(TCustomForm&)> Act;
};
void DriveWindows(TComponent& Root, std::vector<TWindowStep> Steps, const std::function<void()>& Open) {
  auto* Timer = new TTimer(nullptr);
  Timer->AfterConstruction();
  std::size_t Next = 0;
  TCustomForm* Last = nullptr;
  std::function<TCustomForm*(TComponent*)> Find = [&](TComponent* C) -> TCustomForm* {
    for (Integer I = 0; I < C->ComponentCount(); ++I) {
      TComponent* Child = C->Components(I);
      auto* F = dynamic_cast<TCustomForm*>(Child);
      if (F && F->Showing() && F->ClassType() == Steps[Next].Kind && F != Last) {
        return F;
      }
      if (TCustomForm* Deeper = Find(Child)) {
        return Deeper;
      }
    }
    return nullptr;
  };
  Timer->SetInterval(20);
  Timer->SetOnTimer([&](TObject*) {
    if (Next < Steps.size()) {
      if (TCustomForm* F = Find(&Root)) {
        Last = Steps[Next].Kind == TCustomDictionariesDialog::StaticClass() ? nullptr : F;
        Steps[Next++].Act(*F);
      }
    }
  });
  Timer->SetEnabled(true);
  Open();
  delete Timer;
  EXPECT_EQ(Next, Steps.size());
}

TEST_F(ConfigDialogTest, CustomDictionariesWindowCreatesEnablesRenamesAndDeletes) {
  TScriptedDialogs Dialogs;
  TScopedDialogService Scope(Dialogs);
  auto S = NewComponent();
  S->CreateNewCustomDictionary("other.adu");
  S->InternalCustom->AddIgnore("zork");  // as after Ignore All in a check
  const TClass Window = TCustomDictionariesDialog::StaticClass();
  auto Rows = [](TCustomForm& F) {
    auto& W = static_cast<TCustomDictionariesDialog&>(F);
    std::vector<std::string> Out;
    for (int I = 0; I < W.CustomDictionaries->Items()->Count(); ++I) {
      Out.push_back(W.CustomDictionaries->Items()->Item(I)->Caption());
    }
    return Out;
  };
  DriveWindows(*S,
               {{Window,
                 [&](TCustomForm& F) {
                   auto& W = static_cast<TCustomDictionariesDialog&>(F);
                   const auto R = Rows(F);
                   ASSERT_GE(R.size(), 3u);
                   EXPECT_EQ(R[0], S->GetString(lsIgnoreAllChangeAll));
                   EXPECT_TRUE(W.Entries()[0].Internal);
                   EXPECT_FALSE(W.EditButton->Enabled());
                   Harness::Click(W.NewButton->Handle(), TPoint{10, 10});
                 }},
                {TNewCustomDictionary::StaticClass(),
                 [](TCustomForm& F) {
                   auto& N = static_cast<TNewCustomDictionary&>(F);
                   N.NameEdit->SetText("/some/where/Extra.txt");
                   Harness::Click(N.OKButton->Handle(), TPoint{10, 10});
                 }},
                {Window, [&](TCustomForm& F) {
                   auto& W = static_cast<TCustomDictionariesDialog&>(F);
                   const auto R = Rows(F);
                   const auto It = std::find(R.begin(), R.end(), "Extra.adu");
                   ASSERT_NE(It, R.end());
                   const int Extra = static_cast<int>(It - R.begin());
                   EXPECT_TRUE(W.CustomDictionaries->Items()->Item(Extra)->Selected());
                   EXPECT_TRUE(std::filesystem::exists(Dir / "Extra.adu"));
                   // The internal row cannot be unchecked.
                   W.CustomDictionaries->Items()->Item(0)->SetChecked(false);
                   Harness::RunUntilIdle();
                   EXPECT_TRUE(W.CustomDictionaries->Items()->Item(0)->Checked());
                   // Renaming to a name in use fails; to a new one it renames the file.
                   EXPECT_FALSE(W.RenameRow(Extra, "other.adu"));
                   EXPECT_TRUE(W.RenameRow(Extra, "Renamed.adu"));
                   EXPECT_TRUE(std::filesystem::exists(Dir / "Renamed.adu"));
                   W.CustomDictionaries->Items()->Item(Extra)->SetCaption("Renamed.adu");
                   // Delete asks first; Yes removes the file and the row.
                   Dialogs.QueueAnswer(IDYES);
                   W.CustomDictionaries->SetSelected(W.CustomDictionaries->Items()->Item(Extra));
                   W.CustomDictionaries->SetItemFocused(W.CustomDictionaries->Items()->Item(Extra));
                   W.DeleteSelected();
                   EXPECT_FALSE(std::filesystem::exists(Dir / "Renamed.adu"));
                   const auto After = Rows(F);
                   EXPECT_EQ(std::find(After.begin(), After.end(), "Renamed.adu"), After.end());
                   Harness::Click(W.OK->Handle(), TPoint{10, 10});
                 }}},
               [&] { S->SetupCustomDictionaries(); });
  const auto Asked = Dialogs.Shown();
  ASSERT_EQ(Asked.size(), 1u);
  EXPECT_EQ(Asked[0].Caption, S->GetString(lsConfirmation));
}

TEST_F(ConfigDialogTest, EditWindowAddsEditsAndDeletesWords) {
  auto S = NewComponent();
  auto D = S->GetCustomDictionary("words.adu");
  ASSERT_TRUE(D);
  D->AddIgnore("alpha");
  D->AddIgnore("beta");
  D->AddAutoCorrect("teh", "the");
  const TClass Window = TCustomDictionaryEditDialog::StaticClass();
  DriveWindows(*S,
               {{Window, [&](TCustomForm& F) {
                   auto& W = static_cast<TCustomDictionaryEditDialog&>(F);
                   EXPECT_EQ(W.Caption(), "words.adu");
                   EXPECT_TRUE(W.ExcludedWordsSheet->TabVisible());
                   EXPECT_EQ(W.IgnoreList->Items()->Count(), 2);
                   // A misspelling of a pair cannot become an added word.
                   W.IgnoreEdit->SetText("teh");
                   EXPECT_FALSE(W.AddIgnoreButton->Enabled());
                   W.IgnoreEdit->SetText("gamma");
                   EXPECT_TRUE(W.AddIgnoreButton->Enabled());
                   W.AddWord(false);
                   EXPECT_TRUE(D->IgnoreExists("gamma"));
                   EXPECT_TRUE(W.DeleteIgnoreButton->Enabled());
                   // Deleting the last entry selects the new last one.
                   W.DeleteWord(false);
                   EXPECT_FALSE(D->IgnoreExists("gamma"));
                   EXPECT_EQ(W.IgnoreEdit->Text(), "beta");
                   // Selecting a pair changes nothing; editing its replacement changes it at once.
                   W.PageControl->SetActivePage(W.AutoCorrectWordsSheet);
                   Harness::RunUntilIdle();
                   W.ReplaceEdit->SetText("teh");
                   EXPECT_FALSE(W.AddAutoCorrectButton->Enabled());
                   EXPECT_TRUE(W.AutoCorrectList->ItemFocused());
                   W.WithEdit->SetText("thee");
                   std::string With;
                   EXPECT_TRUE(D->AutoCorrectExists("teh", With));
                   EXPECT_EQ(With, "thee");
                   W.ReplaceEdit->SetText("adn");
                   W.WithEdit->SetText("and");
                   EXPECT_TRUE(W.AddAutoCorrectButton->Enabled());
                   W.AddPair();
                   EXPECT_TRUE(D->AutoCorrectExists("adn", With));
                   W.DeletePair();
                   EXPECT_FALSE(D->AutoCorrectExists("adn", With));
                   W.PageControl->SetActivePage(W.ExcludedWordsSheet);
                   Harness::RunUntilIdle();
                   W.ExcludeEdit->SetText("colour");
                   W.AddWord(true);
                   EXPECT_TRUE(D->ExcludeExists("colour"));
                   Harness::Click(W.OK->Handle(), TPoint{10, 10});
                 }}},
               [&] { S->EditCustomDictionary(D.get()); });
  D->Save();
  auto Again = S->GetCustomDictionary("words.adu");
  EXPECT_TRUE(Again->IgnoreExists("alpha"));
  EXPECT_FALSE(Again->IgnoreExists("gamma"));
  EXPECT_TRUE(Again->ExcludeExists("colour"));
  // Over the internal dictionary: the captions of ignoring and changing everywhere, no excluded words.
  S->InternalCustom->AddIgnore("zork");
  DriveWindows(*S,
               {{Window, [&](TCustomForm& F) {
                   auto& W = static_cast<TCustomDictionaryEditDialog&>(F);
                   EXPECT_EQ(W.Caption(), S->GetString(lsIgnoreAllChangeAllTitle));
                   EXPECT_FALSE(W.ExcludedWordsSheet->TabVisible());
                   EXPECT_EQ(W.IgnoreList->Items()->Count(), 1);
                   Harness::Click(W.OK->Handle(), TPoint{10, 10});
                 }}},
               [&] { S->EditCustomDictionary(S->InternalCustom.get()); });
}

}  // namespace
