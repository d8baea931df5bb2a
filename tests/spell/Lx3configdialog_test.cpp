// Tests of the spelling options window: its changes reach the registry store and a new component reads them.
#include "spell/Lx3configdialog.h"

#include "SpellTestUtil.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/TestHarness.h"
#include "platform/win/DialogService.h"
#include "platform/win/MessageBox.h"
#include "spell/Lx3spell3.h"

#include <gtest/gtest.h>

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

}  // namespace
