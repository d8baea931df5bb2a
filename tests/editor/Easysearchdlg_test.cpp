// The find and replace dialogs and their history combo boxes, driven as a user would from the dialogs' OnShow.
#include "tests/editor/FindTestSupport.h"

#include "editor/Easyinifile.h"
#include "editor/Easyregistry.h"
#include "editor/Easyrepldlg.h"
#include "editor/Easysearchdlg.h"
#include "editor/Easyutils.h"
#include "platform/controls/Forms.h"
#include "platform/rtl/Variants.h"

#include <functional>

namespace {

using Strings = std::vector<std::string>;

constexpr UINT_PTR WatchdogTimer = 0x5EA;

class SearchDialogs : public FindTest {
protected:
  void SetUp() override {
    FindTest::SetUp();
    Edit->SetFocus();
    for (const char* Name : {"FrmFindDlgcbTextToFind", "FrmReplDlgcbTextToFind", "FrmReplDlgcbReplaceWith"}) {
      WriteVarToRegistry(HistoryRegistryKey(), Name, Variant(std::string()));
    }
  }
  // Runs the editor's dialog command; Act runs once the dialog shows and ends it as a user would. A dialog
  // that is still up after a few seconds is cancelled, so that no test waits for good.
  void Run(Byte Code, const std::function<void(TFrmFindDlg&)>& Act) {
    Shown = false;
    Edit->OnAfterCreateDialog = [&](TObject*, Byte, TObject* Form) {
      auto* D = dynamic_cast<TFrmFindDlg*>(Form);
      ASSERT_NE(D, nullptr);
      D->OnShow = [this, D, &Act](TObject*) {
        Shown = true;
        SetTimer(D->Handle(), WatchdogTimer, 5000, nullptr);
        Act(*D);
      };
    };
    Application->OnMessage = [](MSG& M, bool&) {
      if (M.message == WM_TIMER && M.wParam == WatchdogTimer) {
        KillTimer(M.hwnd, WatchdogTimer);
        if (auto* F = dynamic_cast<TCustomForm*>(FindControl(M.hwnd))) {
          F->ModalResult = mrCancel;
        }
      }
    };
    Edit->ExecuteDialog(Code);
    Application->OnMessage = nullptr;
    Edit->OnAfterCreateDialog = nullptr;
    EXPECT_TRUE(Shown);
  }
  // Types into the text combo and clicks a button, as a user does: the focus leaves the combo on the click.
  static void TypeAndClick(TEasyHistoryEditor* Combo, const std::string& TextToType, TButton* Button) {
    Combo->SetFocus();
    Combo->SetText("");
    Harness::TypeText(TextToType);
    Harness::Click(Button->Handle(), TPoint{10, 10});
  }
  Strings History(const std::string& Name) {
    const std::string Value =
        VarToStr(ReadVarFromRegistry(HistoryRegistryKey(), Name, Variant(std::string("<missing>"))));
    TStringList L;
    L.SetText(Value);
    Strings Out;
    for (int I = 0; I < L.Count(); ++I) {
      Out.push_back(L.Strings(I));
    }
    return Out;
  }
  bool Shown = false;
};

TEST_F(SearchDialogs, FindDialogIsLaidOutAsAFixedDialogWithItsControls) {
  S->Scope = scSelectedText;
  S->Direction = srBackward;
  S->CaseSensitive = true;
  S->TextToFind = "needle";
  Run(TCustomEasyEdit::DlgFind, [](TFrmFindDlg& D) {
    EXPECT_EQ(D.Caption(), "Find Text");
    EXPECT_EQ(D.ClientWidth(), 373);
    EXPECT_EQ(D.ClientHeight(), 236);
    EXPECT_EQ(D.BorderStyle, bsDialog);
    EXPECT_EQ(D.cbTextToFind->Caption(), "needle");
    EXPECT_TRUE(D.cbCaseSensitive->Checked());
    EXPECT_TRUE(D.rbBackward->Checked());
    EXPECT_FALSE(D.rbForward->Checked());
    EXPECT_EQ(D.rgScope->ItemIndex(), 1) << "Selected text";
    EXPECT_EQ(D.rgOrigin->ItemIndex(), 1);
    EXPECT_TRUE(D.btOK->Default());
    EXPECT_TRUE(D.btCancel->Cancel);
    EXPECT_FALSE(D.btHelp->Enabled());
    EXPECT_EQ(D.rgScope->Items()->Strings(0), "&Global");
    EXPECT_LT(D.cbTextToFind->TabOrder(), D.gbOptions->TabOrder());
    D.rgScope->SetItemIndex(0);
    PostMessage(D.btOK->Handle(), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(S->Scope, scGlobal);
  EXPECT_EQ(S->Direction, srBackward);
}

TEST_F(SearchDialogs, OkRunsTheSearchAndTheTextJoinsTheHistoryOnce) {
  SetText("one two one two");
  for (int Round = 0; Round < 2; ++Round) {
    Run(TCustomEasyEdit::DlgFind, [](TFrmFindDlg& D) { TypeAndClick(D.cbTextToFind, "two", D.btOK); });
  }
  EXPECT_EQ(S->TextToFind, "two");
  EXPECT_EQ(Caret(), (TPoint{7, 0})) << "Find ran after the dialog closed";
  Run(TCustomEasyEdit::DlgFind, [](TFrmFindDlg& D) {
    EXPECT_EQ(D.cbTextToFind->Items()->Count(), 1);
    TypeAndClick(D.cbTextToFind, "one", D.btOK);
  });
  EXPECT_EQ(History("FrmFindDlgcbTextToFind"), (Strings{"one", "two"})) << "newest first, no repeats";
}

TEST_F(SearchDialogs, EmptyTextsNeverJoinTheHistory) {
  Run(TCustomEasyEdit::DlgFind, [](TFrmFindDlg& D) { TypeAndClick(D.cbTextToFind, "", D.btOK); });
  EXPECT_TRUE(History("FrmFindDlgcbTextToFind").empty());
}

TEST_F(SearchDialogs, CancelLeavesTheSettingsAndTheCaret) {
  SetText("abc abc");
  S->TextToFind = "abc";
  S->CaseSensitive = false;
  Run(TCustomEasyEdit::DlgFind, [](TFrmFindDlg& D) {
    D.cbCaseSensitive->SetChecked(true);
    D.cbTextToFind->SetText("other");
    PostMessage(D.btCancel->Handle(), BM_CLICK, 0, 0);
  });
  EXPECT_EQ(S->TextToFind, "abc");
  EXPECT_FALSE(S->CaseSensitive);
  EXPECT_EQ(Caret(), (TPoint{0, 0}));
}

TEST_F(SearchDialogs, ReplaceAllClosesWithAllAndALaterOkTurnsItOff) {
  SetText("a a a");
  Run(TCustomEasyEdit::DlgReplace, [](TFrmFindDlg& F) {
    auto& D = dynamic_cast<TFrmReplDlg&>(F);
    EXPECT_EQ(D.Caption(), "Replace With");
    EXPECT_EQ(D.ClientWidth(), 374);
    EXPECT_EQ(D.ClientHeight(), 268);
    EXPECT_EQ(D.cbReplaceWith->TabOrder(), 1) << "right after the text to find";
    EXPECT_GT(D.btReplaceAll->Left(), D.btOK->Left());
    EXPECT_LT(D.btReplaceAll->Left(), D.btCancel->Left());
    D.chbPromptOnReplace->SetChecked(false);
    D.cbTextToFind->SetText("a");
    D.cbReplaceWith->SetText("b");
    PostMessage(D.btReplaceAll->Handle(), BM_CLICK, 0, 0);
  });
  EXPECT_TRUE(S->ReplaceAll);
  EXPECT_FALSE(S->PromptOnReplace);
  EXPECT_EQ(Text(), "b b b\r\n");
  Run(TCustomEasyEdit::DlgReplace, [](TFrmFindDlg& F) {
    auto& D = dynamic_cast<TFrmReplDlg&>(F);
    EXPECT_EQ(D.cbReplaceWith->Caption(), "b");
    EXPECT_FALSE(D.chbPromptOnReplace->Checked());
    PostMessage(D.btOK->Handle(), BM_CLICK, 0, 0);
  });
  EXPECT_FALSE(S->ReplaceAll);
}

TEST_F(SearchDialogs, FindAndReplaceKeepSeparateHistories) {
  SetText("x");
  Run(TCustomEasyEdit::DlgFind, [](TFrmFindDlg& D) { TypeAndClick(D.cbTextToFind, "findme", D.btOK); });
  Run(TCustomEasyEdit::DlgReplace, [](TFrmFindDlg& F) {
    auto& D = dynamic_cast<TFrmReplDlg&>(F);
    EXPECT_EQ(D.cbTextToFind->Items()->IndexOf("findme"), -1);
    // The focus leaving the replace-with combo puts its text into its history.
    D.cbReplaceWith->SetFocus();
    D.cbReplaceWith->SetText("with");
    TypeAndClick(D.cbTextToFind, "replaceme", D.btCancel);
  });
  EXPECT_EQ(History("FrmFindDlgcbTextToFind"), (Strings{"findme"}));
  EXPECT_EQ(History("FrmReplDlgcbTextToFind"), (Strings{"replaceme"}));
  EXPECT_EQ(History("FrmReplDlgcbReplaceWith"), (Strings{"with"}));
  EXPECT_EQ(S->TextToFind, "findme") << "Cancel kept the settings";
}

TEST(HistoryEditor, KeysAndTheFileStore) {
  PrivateEnvironment();
  Harness::Start();
  auto* Form = new TForm(Application);
  Form->AfterConstruction();
  Form->SetName("Owner");
  auto* H = new TEasyHistoryEditor(Form);
  H->AfterConstruction();
  H->SetName("Combo");
  EXPECT_EQ(H->GetKey(), "OwnerCombo");
  H->RegistryKey = "Mine";
  EXPECT_EQ(H->GetKey(), "Mine");
  auto* Bare = new TEasyHistoryEditor(nullptr);
  Bare->AfterConstruction();
  EXPECT_EQ(Bare->GetKey(), "Default");
  delete Bare;

  const std::string File = (PrivateEnvironment().Dir / "temp" / "history.ini").string();
  H->StoreInRegistry = false;
  H->FileName = File;
  H->SetParent(Form);
  for (const char* T : {"first", "second", "first", ""}) {
    H->SetText(T);
    H->HistoryChanged();
  }
  EXPECT_EQ(H->Items()->Text(), "first\r\nsecond\r\n");
  H->SaveHistory();
  H->EmptyHistory();
  H->LoadHistory();
  EXPECT_EQ(H->Items()->Text(), "first\r\nsecond\r\n");
  TEasyIniFile Ini(File);
  EXPECT_EQ(Ini.ReadString("Mine", ""), StringToHex("first\r\nsecond"));
  delete Form;
}

}  // namespace
