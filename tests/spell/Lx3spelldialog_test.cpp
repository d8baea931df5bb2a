// Tests of the spell dialog over a memo, driven by a timer as a user would, and of the dialog's placement.
#include "spell/Lx3spelldialog.h"

#include "SpellTestUtil.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/TestHarness.h"
#include "platform/win/DialogService.h"
#include "spell/Lx3customdictionary.h"
#include "spell/Lx3parserbase.h"
#include "spell/Lx3spell3.h"
#include "spell/Lx3winapiparser.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

using namespace spelltest;

namespace {

// One answer of the user: when the dialog shows Word, Act runs on it.
struct TStep {
  std::string Word;
  std::function<void(TSpellDialog&)> Act;
};

void Press(TButton* B) {
  ASSERT_TRUE(B->Visible() && B->Enabled()) << B->Name();
  Harness::Click(B->Handle(), TPoint{10, 10});
}

class SpellDialogTest : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    ASSERT_EQ(CompileWords({"the", "cat", "sat", "on", "mat", "dog", "house", "big"}, Dir / "American.adm",
                           "--language 0x0409"),
              0);
    Form = new TForm(Application);
    Form->AfterConstruction();
    Form->SetBounds(40, 40, 320, 200);
    Memo = new TMemo(Form);
    Memo->AfterConstruction();
    Memo->SetParent(Form);
    Memo->SetBounds(5, 5, 300, 150);
    Form->Show();
    Spell = new TLexiSpell3(Form);
    Spell->OnConfigReadString = [this](TObject*, const std::string& Id, const std::string& Key,
                                       const std::string&, std::string& Value) {
      auto It = Values.find(Id + "/" + Key);
      if (It != Values.end()) {
        Value = It->second;
      }
    };
    Spell->OnConfigWriteString = [this](TObject*, const std::string& Id, const std::string& Key,
                                        const std::string& V) { Values[Id + "/" + Key] = V; };
    Spell->WriteConfigStorage(csCallback);
    Spell->WriteSuggestionsDictFN(Dir / "learned.adl");
    Spell->ConfigDefaultActiveCustom = Dir / "mine.adu";
    TStringList Folders;
    Folders.Add(Dir.Path());
    Spell->WriteConfigDictionaryDir(&Folders);
    // As the program runs a check.
    Spell->DialogShowModal = true;
    Spell->DialogSelectionAvoid = saNone;
    Spell->EndMessageWordCount = true;
    Spell->EndMessage = emAlways;
    Timer = new TTimer(Form);
    Timer->SetInterval(20);
    Timer->SetOnTimer([this](TObject*) { Tick(); });
    Harness::RunUntilIdle();
  }
  void TearDown() override {
    delete Form;
    Harness::RunUntilIdle();
  }

  void Tick() {
    auto* D = dynamic_cast<TSpellDialog*>(Spell->SpellDialog());
    if (!D || !D->Showing() || Next >= Steps.size() || Busy) {
      return;
    }
    if (D->NotFoundEdit->Text() != Steps[Next].Word) {
      return;
    }
    Busy = true;
    Seen.push_back(D->NotFoundEdit->Text());
    Positions.push_back(D->BoundsRect());
    Steps[Next++].Act(*D);
    Busy = false;
  }

  // Runs a whole check of the memo with the given answers; the check returns once it has ended.
  void Run(const std::string& Text, std::vector<TStep> Answers, TCheckType Type = ctAll) {
    Memo->SetText(Text);
    Steps = std::move(Answers);
    Next = 0;
    Seen.clear();
    Positions.clear();
    Timer->SetEnabled(true);
    Spell->CheckWinControl(Memo, Type);
    Timer->SetEnabled(false);
    EXPECT_EQ(Next, Steps.size());
    EXPECT_FALSE(Spell->Checking());
  }

  TTempDir Dir;
  std::map<std::string, std::string> Values;
  TForm* Form = nullptr;
  TMemo* Memo = nullptr;
  TLexiSpell3* Spell = nullptr;
  TTimer* Timer = nullptr;
  std::vector<TStep> Steps;
  std::size_t Next = 0;
  bool Busy = false;
  std::vector<std::string> Seen;
  std::vector<TRect> Positions;
};

TEST_F(SpellDialogTest, ButtonsChangeTheMemoAndTheCheckEndsWithTheMessage) {
  TScriptedDialogs Dialogs;
  TScopedDialogService Scope(Dialogs);
  Run("teh cat sat\r\non teh mat blorp zork",
      {{"teh",
        [](TSpellDialog& D) {
          EXPECT_EQ(D.ReplaceWithEdit->Text(), "the");  // the first suggestion
          EXPECT_FALSE(D.UndoButton->Enabled());
          Press(D.ChangeButton);
        }},
       {"teh", [](TSpellDialog& D) { Press(D.ChangeAllButton); }},
       {"blorp",
        [](TSpellDialog& D) {
          EXPECT_TRUE(D.UndoButton->Enabled());
          Press(D.IgnoreButton);
        }},
       {"zork",
        [](TSpellDialog& D) {
          D.ReplaceWithEdit->SetText("dog");
          Press(D.ChangeButton);
        }}});
  EXPECT_EQ(Memo->Text(), "the cat sat\r\non the mat blorp dog");
  const auto Shown = Dialogs.Shown();
  ASSERT_EQ(Shown.size(), 1u);
  EXPECT_EQ(Shown[0].Caption, "Spelling");
  EXPECT_NE(Shown[0].Text.find(" 10"), std::string::npos) << Shown[0].Text;  // eight words, both replacements read again
  EXPECT_EQ(Spell->SpellDialog(), nullptr);
}

TEST_F(SpellDialogTest, UndoAddAndCancel) {
  TScriptedDialogs Dialogs;
  TScopedDialogService Scope(Dialogs);
  Spell->EndMessage = emExceptCancel;
  Run("zork cat blorp",
      {{"zork", [](TSpellDialog& D) { Press(D.AddButton); }},
       {"blorp", [](TSpellDialog& D) { Press(D.UndoButton); }},
       {"zork", [](TSpellDialog& D) { Press(D.CancelButton); }}});
  EXPECT_TRUE(Spell->CheckCancelled());
  EXPECT_TRUE(Dialogs.Shown().empty());
  ASSERT_TRUE(Spell->ActiveCustom);
  EXPECT_FALSE(Spell->ActiveCustom->IgnoreExists("zork"));
  EXPECT_EQ(Memo->Text(), "zork cat blorp");
}

TEST_F(SpellDialogTest, DoubledWordsAndTheSelection) {
  TScriptedDialogs Dialogs;
  TScopedDialogService Scope(Dialogs);
  Run("the the cat zork",
      {{"the the",
        [](TSpellDialog& D) {
          EXPECT_TRUE(D.Repeated());
          EXPECT_EQ(D.ReplaceWithEdit->Text(), "the");
          EXPECT_FALSE(D.IgnoreAllButton->Enabled());
          EXPECT_EQ(D.NotFoundText->Caption(), "Repeated Word:");
          Press(D.ChangeButton);
        }},
       {"zork",
        [](TSpellDialog& D) {
          EXPECT_FALSE(D.Repeated());
          EXPECT_TRUE(D.IgnoreAllButton->Enabled());
          Press(D.IgnoreAllButton);
        }}});
  EXPECT_EQ(Memo->Text(), "the cat zork");
  // Only the selection: "blorp" before it is not read.
  Memo->SetText("blorp cat dgo mat");
  Memo->SetSelStart(6);
  Memo->SetSelLength(7);
  Steps = {{"dgo", [](TSpellDialog& D) { Press(D.ChangeButton); }}};
  Next = 0;
  Timer->SetEnabled(true);
  Spell->CheckWinControl(Memo, ctSelected);
  Timer->SetEnabled(false);
  EXPECT_EQ(Next, 1u);
  EXPECT_EQ(Memo->Text(), "blorp cat dog mat");
}

TEST_F(SpellDialogTest, ProgramPlacementUsesTheStoredPositionClampedToTheMonitor) {
  TScriptedDialogs Dialogs;
  TScopedDialogService Scope(Dialogs);
  const auto Cancel = [](TSpellDialog& D) {
    EXPECT_EQ(D.ClientWidth(), 432);
    EXPECT_EQ(D.ClientHeight(), 167);
    Press(D.CancelButton);
  };
  // No stored position: below the memo, left edges aligned.
  Run("zork", {{"zork", Cancel}});
  ASSERT_EQ(Positions.size(), 1u);
  TWinAPIControlParser Cursor;
  Cursor.Initialize(Memo);
  RECT Control{};
  Cursor.GetControlScreenPosition(Control);
  EXPECT_EQ(Positions[0].Left, Control.Left);
  EXPECT_EQ(Positions[0].Top, Control.Bottom);
  // The position at the end is stored and used next time; one far off is pulled back inside the monitor.
  EXPECT_EQ(Spell->Config()->ReadDialogX(), Positions[0].Left);
  Spell->Config()->WriteDialogX(100000);
  Spell->Config()->WriteDialogY(-50);
  Run("zork", {{"zork", Cancel}});
  ASSERT_EQ(Positions.size(), 1u);
  EXPECT_EQ(Positions[0].Right, Screen->Width());
  EXPECT_EQ(Positions[0].Top, 0);
  Spell->Config()->WriteDialogX(30);
  Spell->Config()->WriteDialogY(40);
  Run("zork", {{"zork", Cancel}});
  EXPECT_EQ(Positions[0].Left, 30);
  EXPECT_EQ(Positions[0].Top, 40);
}

// A string cursor that reports chosen screen rectangles.
class TPlacedCursor : public TStringParser {
public:
  TRect Selection;
  TRect Control;
  void GetSelectionScreenPosition(RECT& R) override { R = Selection; }
  void GetControlScreenPosition(RECT& R) override { R = Control; }
};

TEST_F(SpellDialogTest, AvoidAndMoveModes) {
  struct TCase {
    TSpellDialogAvoidPos Mode;
    TRect Selection;
    TPoint Expected;  // the dialog starts at (30, 40), 300 x 200
  };
  const TCase Cases[] = {
      {saNone, Rect(50, 50, 90, 60), {30, 40}},          // covered, but left alone
      {saAvoid, Rect(500, 500, 540, 510), {30, 40}},     // not covered: stays
      {saAvoid, Rect(50, 50, 90, 60), {50, 60}},         // covered: below the word, left edges aligned
      {saAvoidUpDown, Rect(50, 50, 90, 60), {30, 60}},   // only vertically
      {saMove, Rect(500, 100, 540, 110), {500, 110}},    // always follows the word
      {saMoveUpDown, Rect(500, 100, 540, 110), {30, 110}},
  };
  for (const auto& C : Cases) {
    TLexiSpell3Base Base(nullptr);
    Base.WriteConfigStorage(csNone);
    Base.UIType = suiDialog;
    Base.SynchronousCheck = false;
    Base.DialogInitialPos = ipIgnore;
    Base.DialogSelectionAvoid = C.Mode;
    TForm* Dialog = nullptr;
    Base.OnCreateSpellDialog = [&Dialog](TObject*, TCustomForm*& F, bool Create) {
      if (Create) {
        Dialog = new TForm(Application);
        Dialog->AfterConstruction();
        Dialog->SetBounds(30, 40, 300, 200);
        F = Dialog;
      } else {
        delete F;
        F = nullptr;
      }
    };
    std::string Text = "zork";
    auto* P = new TPlacedCursor();
    P->Initialize(&Text);
    P->Selection = C.Selection;
    Base.CheckParser(P, ctAll);
    ASSERT_TRUE(Dialog);
    EXPECT_EQ(Dialog->Left(), C.Expected.X) << C.Mode;
    EXPECT_EQ(Dialog->Top(), C.Expected.Y) << C.Mode;
    Base.Check_Cancel();
  }
  // Below the bottom of the monitor there is no room: the dialog goes above the word.
  TLexiSpell3Base Base(nullptr);
  Base.WriteConfigStorage(csNone);
  Base.UIType = suiDialog;
  Base.SynchronousCheck = false;
  Base.DialogInitialPos = ipUnderSelection;
  TForm* Dialog = nullptr;
  Base.OnCreateSpellDialog = [&Dialog](TObject*, TCustomForm*& F, bool Create) {
    if (Create) {
      Dialog = new TForm(Application);
      Dialog->AfterConstruction();
      Dialog->SetBounds(0, 0, 300, 200);
      F = Dialog;
    } else {
      delete F;
      F = nullptr;
    }
  };
  std::string Text = "zork";
  auto* P = new TPlacedCursor();
  P->Initialize(&Text);
  P->Selection = Rect(Screen->Width() - 40, Screen->Height() - 30, Screen->Width() - 10, Screen->Height() - 15);
  Base.CheckParser(P, ctAll);
  ASSERT_TRUE(Dialog);
  EXPECT_EQ(Dialog->Left(), Screen->Width() - 300);
  EXPECT_EQ(Dialog->Top(), Screen->Height() - 30 - 200);
  Base.Check_Cancel();
}

TEST_F(SpellDialogTest, OptionsHiddenMovesUndoAndHelpNeedsAContext) {
  TScriptedDialogs Dialogs;
  TScopedDialogService Scope(Dialogs);
  Spell->CommandsVisible = AllSpellDialogCommands & ~SpellCommandBit(sdcOptions);
  Run("zork", {{"zork", [](TSpellDialog& D) {
                  EXPECT_FALSE(D.OptionsButton->Visible());
                  EXPECT_EQ(D.UndoButton->Top(), 138);
                  EXPECT_FALSE(D.HelpButton->Visible());
                  Press(D.CancelButton);
                }}});
  Spell->CommandsVisible = AllSpellDialogCommands;
  Spell->HelpCtxSpellDialog = 7;
  Run("zork", {{"zork", [](TSpellDialog& D) {
                  EXPECT_TRUE(D.OptionsButton->Visible());
                  EXPECT_EQ(D.UndoButton->Top(), 111);
                  EXPECT_TRUE(D.HelpButton->Visible());
                  Press(D.CancelButton);
                }}});
}

TEST_F(SpellDialogTest, ImmediateModalDialogRunsTheCheckFromItsLoop) {
  TScriptedDialogs Dialogs;
  TScopedDialogService Scope(Dialogs);
  Spell->DialogShowImmediate = true;
  int ShownEvents = 0;
  Spell->OnSpellDialogShow = [&](TObject*) { ++ShownEvents; };
  Run("zork cat", {{"zork", [](TSpellDialog& D) { Press(D.IgnoreButton); }}});
  EXPECT_EQ(ShownEvents, 1);
  // A text without errors still brings the dialog up at once and ends with the message.
  Run("the cat", {});
  EXPECT_EQ(ShownEvents, 2);
  EXPECT_EQ(Dialogs.Shown().size(), 2u);
}

TEST_F(SpellDialogTest, LosingTheFocusDisablesTheCommandsAndComingBackResumes) {
  TScriptedDialogs Dialogs;
  TScopedDialogService Scope(Dialogs);
  int Deactivated = 0;
  int Activated = 0;
  Spell->OnDialogDeactivate = [&](TObject*) { ++Deactivated; };
  Spell->OnDialogActivate = [&](TObject*) { ++Activated; };
  Run("cat zork blorp", {{"zork",
                          [&](TSpellDialog& D) {
                            // The user works in the memo: the dialog loses the focus and gets it back.
                            D.OnDeactivate(&D);
                            D.OnDeactivate(&D);
                            EXPECT_FALSE(D.IgnoreButton->Enabled());
                            EXPECT_FALSE(D.ChangeButton->Enabled());
                            Memo->SetSelStart(0);
                            Memo->SetSelLength(0);
                            D.OnActivate(&D);
                            EXPECT_TRUE(D.IgnoreButton->Enabled());
                          }},
                         {"zork", [](TSpellDialog& D) { Press(D.IgnoreButton); }},
                         {"blorp", [](TSpellDialog& D) { Press(D.CancelButton); }}});
  EXPECT_EQ(Deactivated, 1);
  EXPECT_EQ(Activated, 1);
}

}  // namespace
