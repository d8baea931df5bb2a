// Spell checking from the main window over the built dictionary, with the spell dialog answered as a user would:
// the selection or the whole document, every document of the tab control, the refusals, the end message and
// what is saved after a check.
#include "MainFormFixture.h"

#include "core/Fileinfoclass.h"

#include "editor/Easyeditsource.h"
#include "platform/classes/Registry.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/TestHarness.h"
#include "platform/win/MessageBox.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <functional>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;

std::string ReadFile(const std::string& Name) {
  std::ifstream In(Name, std::ios::binary);
  std::stringstream S;
  S << In.rdbuf();
  return S.str();
}

// One answer: the button pressed when the dialog shows the word.
struct TAnswer {
  std::string Word;
  std::string Button;
  std::string Replacement;
};

class MainFormSpellTest : public MainFormTest {
protected:
  TTimer* Timer = nullptr;
  std::vector<TAnswer> Answers;
  std::size_t Next = 0;
  Strings Seen;
  bool Busy = false;

  // The program's folder is the test's own, with the built dictionaries: the custom dictionary a check writes
  // stays there.
  void SetUp() override {
    PrepareFolders();
    Harness::Start();
    MakeRootAndSettings();
    const std::string Built = std::string(prg->volatileState->programFolder.text) + "/Dictionary";
    std::filesystem::create_directories(Dir + "/program/Dictionary");
    for (const auto& Entry : std::filesystem::directory_iterator(Built)) {
      if (Entry.path().extension() == ".adm") {
        std::filesystem::create_symlink(Entry.path(), Dir + "/program/Dictionary/" + Entry.path().filename().string());
      }
    }
    prg->volatileState->programFolder = (Dir + "/program").c_str();
    MakeForms();
    ASSERT_EQ(Form->UpdateTabControls(), 0);
    Form->Show();
    // The first start's questions wait in the command queue: they are not this test's.
    (void)prg->volatileState->commandQueue.removeAllPointers(1);
    Timer = new TTimer(Form);
    Timer->SetInterval(20);
    Timer->SetOnTimer([this](TObject*) { Tick(); });
    Timer->SetEnabled(false);
  }

  // The spell dialog while it shows.
  static TForm* SpellDialog() {
    for (int I = 0; I < Screen->FormCount(); ++I) {
      auto* F = dynamic_cast<TForm*>(Screen->Forms(I));
      if (F != nullptr && F->ClassName() == "TSpellDialog" && F->Showing()) {
        return F;
      }
    }
    return nullptr;
  }

  void Tick() {
    TForm* D = SpellDialog();
    if (D == nullptr || Busy) {
      return;
    }
    Busy = true;
    auto* Word = dynamic_cast<TEdit*>(D->FindComponent("NotFoundEdit"));
    const std::string Shown = Word != nullptr ? Word->Text() : "";
    Seen.push_back(Shown);
    // An unexpected word cancels the check, so that a test never hangs.
    const bool Expected = Next < Answers.size() && Answers[Next].Word == Shown;
    const TAnswer Answer = Expected ? Answers[Next++] : TAnswer{Shown, "CancelButton", ""};
    if (!Answer.Replacement.empty()) {
      dynamic_cast<TEdit*>(D->FindComponent("ReplaceWithEdit"))->SetText(Answer.Replacement);
    }
    auto* Button = dynamic_cast<TButton*>(D->FindComponent(Answer.Button));
    Harness::Click(Button->Handle(), TPoint{10, 10});
    Busy = false;
  }

  // Runs a command with the given answers; it returns when the check has ended.
  void Run(const std::function<void()>& Command, std::vector<TAnswer> Script) {
    Answers = std::move(Script);
    Next = 0;
    Seen.clear();
    Timer->SetEnabled(true);
    Command();
    Timer->SetEnabled(false);
    EXPECT_EQ(Next, Answers.size());
  }

  fileinfoclass* OpenText(const std::string& Name, const std::string& Text) {
    const std::string Path = Dir + "/" + Name;
    std::ofstream(Path) << Text;
    EXPECT_EQ(Form->AddNewFileTab(nullptr, Path.c_str(), 0, nullptr), 0);
    return Form->GetCurrentFile();
  }

  static std::string TextOf(fileinfoclass* Document) {
    std::string Text = Document->text->Strings()->GetSaveText();
    std::erase(Text, '\r');
    return Text;
  }

  Strings Captions(std::size_t From) {
    Strings Out;
    const auto Shown = Dialogs.Shown();
    for (std::size_t I = From; I < Shown.size(); ++I) {
      Out.push_back(Shown[I].Caption);
    }
    return Out;
  }
};

TEST_F(MainFormSpellTest, ChecksTheSelectionOrTheWholeDocument) {
  fileinfoclass* Document = OpenText("words.html", "<p>blorp cat dgo mat</p>\n");
  Form->EasyEdit1->SetFocus();
  Form->EasyEdit1->SetSelection(Rect(13, 0, 16, 0), slStream);  // "dgo"
  ASSERT_GT(Form->EasyEdit1->GetSelLength(), 0);
  const std::size_t Before = Dialogs.Shown().size();
  Run([&] { Form->ToolsSpellCheckClick(nullptr); }, {{"dgo", "ChangeButton", "dog"}});
  EXPECT_EQ(Seen, Strings{"dgo"});
  EXPECT_EQ(Form->StatusBar->Panels()->Items(3)->Text(), "Beginning spell check for selected text only...");
  EXPECT_EQ(TextOf(Document), "<p>blorp cat dog mat</p>\n");
  ASSERT_EQ(Dialogs.Shown().size(), Before + 1);
  EXPECT_NE(Dialogs.Shown().back().Text.find("The spell check is complete."), std::string::npos);

  // Without a selection, F7 reads the whole document.
  Form->EasyEdit1->SetSelection(Rect(0, 0, 0, 0), slStream);
  Run([&] { Form->ToolsSpellCheckClick(nullptr); }, {{"blorp", "IgnoreButton", ""}});
  EXPECT_EQ(Seen, Strings{"blorp"});
}

TEST_F(MainFormSpellTest, IgnoringEveryWordLeavesTheDocumentUnchanged) {
  fileinfoclass* Document = OpenText("ignored.html", "<p>blorp zork</p>\n");
  ASSERT_FALSE(Document->text->Modified);
  Run([&] { Form->ToolsSpellCheckClick(nullptr); }, {{"blorp", "IgnoreButton", ""}, {"zork", "IgnoreButton", ""}});
  EXPECT_FALSE(Document->text->Modified);
  EXPECT_EQ(TextOf(Document), "<p>blorp zork</p>\n");
}

TEST_F(MainFormSpellTest, CheckAllEndsOnceAndStopsWhenTheUserCancels) {
  fileinfoclass* First = OpenText("one.html", "<p>blorp</p>\n");
  OpenText("two.html", "<p>zork</p>\n");
  fileinfoclass* Third = OpenText("three.html", "<p>quux</p>\n");
  std::size_t Before = Dialogs.Shown().size();
  Run([&] { Form->ToolsSpellCheckAllClick(nullptr); },
      {{"blorp", "IgnoreButton", ""}, {"zork", "IgnoreButton", ""}, {"quux", "ChangeButton", "cat"}});
  // The end message only after the last document.
  EXPECT_EQ(Captions(Before), Strings{"Spelling"});
  EXPECT_EQ(TextOf(Third), "<p>cat</p>\n");
  EXPECT_NE(TextOf(First), "");

  // Cancelled in the second and answered Yes: the third is not read.
  Third->text->Strings()->SetText("<p>quux</p>\n");
  Before = Dialogs.Shown().size();
  Dialogs.QueueAnswer(IDYES);
  Run([&] { Form->ToolsSpellCheckAllClick(nullptr); }, {{"blorp", "IgnoreButton", ""}, {"zork", "CancelButton", ""}});
  EXPECT_EQ(Seen, (Strings{"blorp", "zork"}));
  EXPECT_EQ(Captions(Before), Strings{"Quillon: Cancel Remaining Spell Checks?"});
  EXPECT_EQ(Dialogs.Shown().back().Text, "Cancel all remaining spell checks?");
  EXPECT_EQ(TextOf(Third), "<p>quux</p>\n");
}

TEST_F(MainFormSpellTest, ReadOnlyViewsGiveWayToTheDocumentAndReadOnlyDocumentsAreRefused) {
  fileinfoclass* Document = OpenText("page.html", "<p>blorp</p>\n");
  // The structure view cannot be written: the document's editor is checked.
  Form->ResourcePageControl->SetActivePage(Form->Structure2Sheet);
  Form->StructureEdit2->SetFocus();
  EXPECT_EQ(Form->GetSpellCheckEditor(1), Form->EasyEdit1);
  EXPECT_EQ(Form->GetSpellCheckEditor(0), nullptr);
  EXPECT_EQ(Form->CanSpellCheck(nullptr, 2), 1);
  Run([&] { Form->ToolsSpellCheckClick(nullptr); }, {{"blorp", "IgnoreButton", ""}});

  Document->SetReadOnly(true);
  EXPECT_EQ(Form->CanSpellCheck(nullptr, 2), 0);
  const std::size_t Before = Dialogs.Shown().size();
  Run([&] { Form->ToolsSpellCheckClick(nullptr); }, {});
  EXPECT_TRUE(Seen.empty());
  ASSERT_EQ(Dialogs.Shown().size(), Before + 1);
  EXPECT_EQ(Dialogs.Shown().back().Caption, "Quillon: Cannot Spell Check");
  EXPECT_EQ(Dialogs.Shown().back().Text, "Cannot spell check a read only document.");
}

TEST_F(MainFormSpellTest, EndMessageTextsAndTheSavedConfiguration) {
  std::string Text = "kept";
  Form->SpellGetString(nullptr, 'x', Text);
  EXPECT_EQ(Text, "kept");
  OpenText("saved.html", "<p>zork</p>\n");
  Run([&] { Form->ToolsSpellCheckClick(nullptr); }, {{"zork", "CancelButton", ""}});
  Text = "kept";
  Form->SpellGetString(nullptr, ':', Text);
  EXPECT_EQ(Text, "The spell check was cancelled.");
  // The check's end saved the configuration under the user's key.
  TRegistry Registry;
  EXPECT_TRUE(Registry.KeyExists("Software\\Palvane\\ZUB Quillon v4\\Dictionary"));
  // A word added during a check is in the custom dictionary on disk when the check ends.
  OpenText("added.html", "<p>zubquillonword</p>\n");
  Run([&] { Form->ToolsSpellCheckClick(nullptr); }, {{"zubquillonword", "AddButton", ""}});
  bool Found = false;
  for (const auto& Entry : std::filesystem::directory_iterator(Dir + "/program/Dictionary")) {
    if (Entry.path().extension() == ".adu") {
      Found = Found || ReadFile(Entry.path().string()).find("zubquillonword") != std::string::npos;
    }
  }
  EXPECT_TRUE(Found);
}

TEST_F(MainFormSpellTest, LiveSpellingFlipsItsBit) {
  const bool Was = prg->interface->flags3.has(TFlagBit<InterfaceFlags3Tag>{0x80});
  Form->OptionsLiveSpellClick(nullptr);
  EXPECT_NE(prg->interface->flags3.has(TFlagBit<InterfaceFlags3Tag>{0x80}), Was);
}

}  // namespace
