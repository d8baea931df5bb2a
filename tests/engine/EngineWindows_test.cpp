// The engine's own windows driven as a user drives them: the options window, the configuration editor, the file
// choices of the configuration operations, the question at shutdown and the loading of a damaged file.
#include "EngineTestUtil.h"

#include "platform/controls/ComCtrls.h"
#include "platform/controls/TestHarness.h"
#include "platform/win/DialogService.h"
#include "platform/win/MessageBox.h"
#include "tests/support/ModalWindowDriver.h"

using namespace EngineTest;
using TestSupport::TModalWindowDriver;

namespace {

const char* const OptionsCaption = "Validator Engine Options (Validator/Logging/Tools/Network)";
const char* const EditorCaption = "ZUB Quillon Pro Configuration Editor";

class EngineWindows : public TEngineFixture {
protected:
  void SetUp() override {
    Harness::Start();
    TEngineFixture::SetUp();
  }
  std::string ConfigFile() { return Api().ZUBGetString(Config, 7001); }
  int AccessibilityFindings(const std::string& Page) {
    int N = 0;
    for (const TFinding& M : Messages(Run(6, Page))) N += (M.Kind & 2) != 0;
    return N;
  }
  TScriptedDialogs Dialogs;
  TScopedDialogService Scope{Dialogs};
};

TEST_F(EngineWindows, AccessibilityTurnedOnInTheOptionsWindowAddsItsFindingsToTheNextValidation) {
  const TApi& E = Api();
  const std::string Page = ReadFile(DataFile("access.html"));
  EXPECT_EQ(AccessibilityFindings(Page), 0);
  TModalWindowDriver Driver(OptionsCaption, [](TForm& F) {
    auto* Pages = TModalWindowDriver::Find<TPageControl>(F, "PageControl");
    EXPECT_EQ(Pages->ActivePage()->Name(), "ValidatorSheet");
    EXPECT_FALSE(TModalWindowDriver::Find<TCheckBox>(F, "AccessibilityCheck")->Checked());
    TModalWindowDriver::Click(F, "AccessibilityCheck");
    TModalWindowDriver::Click(F, "OKButton");
  });
  Driver.Arm();
  EXPECT_EQ(E.ZUBOpenValidatorOptions(0, Config, 0), 1);  // changed
  ASSERT_TRUE(Driver.Driven());
  EXPECT_EQ(Driver.OwnerWindow(), 0u);
  EXPECT_EQ(E.ZUBGetFlag(Config, 1021, 0x100000), 1);
  EXPECT_GT(AccessibilityFindings(Page), 0);
  // Held unsaved until the configuration is saved.
  EXPECT_EQ(ReadFile(ConfigFile()).find("Flag1021=1048576"), std::string::npos);
  ASSERT_EQ(E.ZUBWriteToRegistry(0, Config, 0), 0);
  EXPECT_NE(ReadFile(ConfigFile()).find("Flag1021=1048576"), std::string::npos);
  EXPECT_TRUE(Dialogs.Shown().empty());
}

TEST_F(EngineWindows, TheCallersValueOpensItsPageAndCancelChangesNothing) {
  const TApi& E = Api();
  const std::pair<int, const char*> Pages[] = {{0, "ValidatorSheet"}, {1, "LoggingSheet"}, {2, "NetworkSheet"},
                                               {4, "ValidatorSheet"}, {8, "ToolsSheet"}};
  ASSERT_EQ(E.ZUBSetString(Config, 7002, "proxy.before"), 0);
  for (const auto& [Value, Sheet] : Pages) {
    std::string Shown;
    TModalWindowDriver Driver(OptionsCaption, [&](TForm& F) {
      Shown = TModalWindowDriver::Find<TPageControl>(F, "PageControl")->ActivePage()->Name();
      TModalWindowDriver::Find<TEdit>(F, "ProxyHostEdit")->SetText("proxy.after");
      TModalWindowDriver::Find<TCheckBox>(F, "MessageIdsCheck")->SetChecked(false);
      TModalWindowDriver::Press(F, "CancelButton");
    });
    Driver.Arm();
    EXPECT_EQ(E.ZUBOpenValidatorOptions(0, Config, Value), 0) << Value;
    EXPECT_EQ(Shown, Sheet) << Value;
  }
  EXPECT_STREQ(E.ZUBGetString(Config, 7002), "proxy.before");
  EXPECT_EQ(E.ZUBGetIntegerEZ(Config, 4008), 1);
  // OK without a change reports no change.
  TModalWindowDriver Same(OptionsCaption, [](TForm& F) { TModalWindowDriver::Press(F, "OKButton"); });
  Same.Arm();
  EXPECT_EQ(E.ZUBOpenValidatorOptions(0, Config, 0), 0);
}

TEST_F(EngineWindows, TheOptionsWindowRefusesBadValuesAndKeepsThemOut) {
  const TApi& E = Api();
  int Step = 0;
  TModalWindowDriver Driver(OptionsCaption, [&](TForm& F) {
    TModalWindowDriver::Find<TEdit>(F, "ProxyPortEdit")->SetText("80x");
    TModalWindowDriver::Find<TEdit>(F, "LinkTimeoutEdit")->SetText("30");
    TModalWindowDriver::Find<TEdit>(F, "ProxyHostEdit")->SetText("proxy.example");
    TModalWindowDriver::Find<TCheckBox>(F, "ProxyForLinksCheck")->SetChecked(true);
    TButton* Ok = TModalWindowDriver::Find<TButton>(F, "OKButton");
    Ok->Click();  // refused: the window stays, showing the network page
    EXPECT_EQ(F.ModalResult, mrNone);
    EXPECT_EQ(TModalWindowDriver::Find<TPageControl>(F, "PageControl")->ActivePage()->Name(), "NetworkSheet");
    TModalWindowDriver::Find<TEdit>(F, "ProxyPortEdit")->SetText("8080");
    TModalWindowDriver::Find<TEdit>(F, "LinkTimeoutEdit")->SetText("0");
    Ok->Click();
    EXPECT_EQ(F.ModalResult, mrNone);
    TModalWindowDriver::Find<TEdit>(F, "LinkTimeoutEdit")->SetText("45");
    Ok->Click();
    Step = 1;
  });
  Driver.Arm();
  EXPECT_EQ(E.ZUBOpenValidatorOptions(0, Config, 0), 1);
  EXPECT_EQ(Step, 1);
  const auto Shown = Dialogs.Shown();
  ASSERT_EQ(Shown.size(), 2u);
  EXPECT_NE(Shown[0].Text.find("proxy port"), std::string::npos);
  EXPECT_NE(Shown[1].Text.find("time-out"), std::string::npos);
  EXPECT_STREQ(E.ZUBGetString(Config, 7002), "proxy.example");
  EXPECT_STREQ(E.ZUBGetString(Config, 7003), "8080");
  EXPECT_EQ(E.ZUBGetFlag(Config, 1004, 1), 1);
}

TEST_F(EngineWindows, OneMessageIdTurnedOffInTheEditorRemovesExactlyThatMessage) {
  const TApi& E = Api();
  const std::string Page = ReadFile(DataFile("faults.xhtml"));
  const auto Before = Messages(Run(6, Page));
  ASSERT_FALSE(Before.empty());
  // An ID the page reports once, among others.
  int Id = 0;
  for (const TFinding& M : Before) {
    int Count = 0;
    for (const TFinding& O : Before) Count += O.Id == M.Id;
    if (M.Id > 0 && Count == 1) {
      Id = M.Id;
      break;
    }
  }
  ASSERT_GT(Id, 0);
  bool Unchecked = false;
  TModalWindowDriver Driver(EditorCaption, [&](TForm& F) {
    // The search narrows the list to the message's own row.
    TModalWindowDriver::Find<TEdit>(F, "SearchEdit")->SetText(std::to_string(Id));
    auto* List = TModalWindowDriver::Find<TListView>(F, "MessageList");
    ASSERT_EQ(List->Items()->Count(), 1);
    TListItem* Row = List->Items()->Item(0);
    EXPECT_EQ(Row->Caption(), std::to_string(Id));
    EXPECT_TRUE(Row->Checked());
    Row->SetChecked(false);
    // Searching again keeps the state of rows out of sight.
    TModalWindowDriver::Find<TEdit>(F, "SearchEdit")->SetText("");
    EXPECT_GT(List->Items()->Count(), 1);
    for (int I = 0; I < List->Items()->Count(); ++I) {
      if (List->Items()->Item(I)->Caption() == std::to_string(Id)) Unchecked = !List->Items()->Item(I)->Checked();
    }
    TModalWindowDriver::Press(F, "OKButton");
  });
  Driver.Arm();
  EXPECT_EQ(E.ZUBOpenConfigurationEditor(0, Config, 0), 1);
  EXPECT_TRUE(Unchecked);
  EXPECT_EQ(E.ZUBGetInteger2EZ(Config, 13001, Id), 0);
  const auto After = Messages(Run(6, Page));
  ASSERT_EQ(After.size() + 1, Before.size());
  std::size_t J = 0;
  for (const TFinding& M : Before) {
    if (M.Id == Id) continue;
    EXPECT_EQ(After[J].Text, M.Text);
    ++J;
  }
}

TEST_F(EngineWindows, TheEditorSearchesMessageTextsAndManagesNamedConfigurations) {
  const TApi& E = Api();
  TModalWindowDriver Driver(EditorCaption, [&](TForm& F) {
    TModalWindowDriver::Find<TEdit>(F, "SearchEdit")->SetText("XHTML");
    auto* List = TModalWindowDriver::Find<TListView>(F, "MessageList");
    EXPECT_GE(List->Items()->Count(), 5);
    for (int I = 0; I < List->Items()->Count(); ++I) {
      const std::string Text = List->Items()->Item(I)->SubItems()->Strings(2);
      const std::string Category = List->Items()->Item(I)->SubItems()->Strings(1);
      EXPECT_TRUE(Text.find("XHTML") != std::string::npos || Category.find("XHTML") != std::string::npos) << Text;
    }
    auto* Names = TModalWindowDriver::Find<TListBox>(F, "ConfigurationList");
    auto* Name = TModalWindowDriver::Find<TEdit>(F, "NameEdit");
    EXPECT_EQ(Names->Items()->Count(), 4);
    // A copy of "Strict" under a new name, renamed, chosen for validation; "Errors Only" deleted.
    Names->SetItemIndex(1);
    Name->SetText("My Strict");
    TModalWindowDriver::Find<TButton>(F, "CopyButton")->Click();
    Name->SetText("strict");  // names are unique whatever their case
    TModalWindowDriver::Find<TButton>(F, "RenameButton")->Click();
    Name->SetText("Site Rules");
    TModalWindowDriver::Find<TButton>(F, "RenameButton")->Click();
    TModalWindowDriver::Find<TButton>(F, "UseButton")->Click();
    Names->SetItemIndex(2);
    TModalWindowDriver::Find<TButton>(F, "DeleteButton")->Click();  // asks first: Yes
    Names->SetItemIndex(0);
    TModalWindowDriver::Find<TButton>(F, "DeleteButton")->Click();  // the first one stays
    Name->SetText("");
    TModalWindowDriver::Find<TButton>(F, "NewButton")->Click();     // a name is needed
    TModalWindowDriver::Press(F, "OKButton");
  });
  Dialogs.QueueAnswer(IDOK);   // the duplicate name
  Dialogs.QueueAnswer(IDYES);  // delete "Errors Only"
  Driver.Arm();
  EXPECT_EQ(E.ZUBOpenConfigurationEditor(0, Config, 0), 1);
  std::vector<std::string> Named;
  for (int I = 0; I < E.ZUBGetIntegerEZ(Config, 4005); ++I) Named.push_back(E.ZUBGetString2(Config, 11000, I));
  EXPECT_EQ(Named, (std::vector<std::string>{"Normal", "Strict", "Accessibility", "Site Rules"}));
  const auto Shown = Dialogs.Shown();
  ASSERT_EQ(Shown.size(), 4u);
  EXPECT_NE(Shown[0].Text.find("already a configuration named \"strict\""), std::string::npos);
  EXPECT_EQ(Shown[1].Text, "Delete the configuration \"Errors Only\"?");
  EXPECT_NE(Shown[2].Text.find("cannot be deleted"), std::string::npos);
  EXPECT_NE(Shown[3].Text.find("enter a name"), std::string::npos);
  // The copy checks as "Strict" does, and jobs that name no configuration use it now: style attributes are
  // checked even with style-sheet checking off.
  E.ZUBSetFlag(Config, 1022, 1, 0);
  const std::string Styled = "<html><head><title>t</title></head><body><p style=\"colr: red\">x</p></body></html>";
  EXPECT_NE(FindMsg(Messages(Run(6, Styled)), "colr"), nullptr);
  EXPECT_EQ(FindMsg(Messages(Run(6, Styled, "t.html", 0)), "colr"), nullptr);
}

TEST_F(EngineWindows, TheProgramListIsImportedAndExportedThroughTheFileDialogs) {
  const TApi& E = Api();
  const std::string In = (Folder / "tools.xml").string();
  const std::string Out = (Folder / "out" / "exported.xml").string();
  std::filesystem::create_directories(Folder / "out");
  std::ofstream(In) << "<programs>\n  <program name=\"Tidy &amp; Co\" command=\"tidy -q %1\"/>\n</programs>\n";
  int Rows = -1;
  TModalWindowDriver Driver(EditorCaption, [&](TForm& F) {
    TModalWindowDriver::Find<TButton>(F, "ImportButton")->Click();
    Rows = TModalWindowDriver::Find<TListView>(F, "ProgramList")->Items()->Count();
    TModalWindowDriver::Find<TButton>(F, "ExportButton")->Click();
    TModalWindowDriver::Find<TButton>(F, "ExportButton")->Click();  // cancelled
    TModalWindowDriver::Press(F, "OKButton");
  });
  Dialogs.QueueAnswer(TDialogAnswer(IDOK, In));
  Dialogs.QueueAnswer(TDialogAnswer(IDOK, Out));
  Dialogs.QueueAnswer(TDialogAnswer(IDCANCEL));
  Driver.Arm();
  EXPECT_EQ(E.ZUBOpenConfigurationEditor(0, Config, 4), 1);
  EXPECT_EQ(Rows, 1);
  const auto Shown = Dialogs.Shown();
  ASSERT_EQ(Shown.size(), 3u);
  EXPECT_EQ(Shown[0].Kind, "OpenDialog");
  EXPECT_EQ(Shown[1].Kind, "SaveDialog");
  EXPECT_NE(ReadFile(Out).find("name=\"Tidy &amp; Co\" command=\"tidy -q %1\""), std::string::npos);
  ASSERT_EQ(E.ZUBHTMLConfiguration(0, Config, 0x20), 0);
  EXPECT_NE(ReadFile(ConfigFile()).find("Tidy & Co=tidy -q %1"), std::string::npos);
}

// The question at shutdown, answered through the dialog service.
TEST_F(EngineWindows, TheShutdownQuestionSavesDiscardsOrCancels) {
  const TApi& E = Api();
  struct TCase {
    int Answer;
    ZUBInt Result;
    bool Saved;
    bool KeptInMemory;
  };
  const TCase Cases[] = {{IDYES, 0, true, true}, {IDNO, 0, false, false}, {IDCANCEL, 1, false, true}};
  for (const TCase& C : Cases) {
    ASSERT_EQ(E.ZUBHTMLConfiguration(0, Config, 1), 0);  // the saved settings
    ASSERT_EQ(E.ZUBSetString(Config, 7002, ("proxy-" + std::to_string(C.Answer)).c_str()), 0);
    TScriptedDialogs Answers;
    TScopedDialogService Use(Answers);
    Answers.QueueAnswer(C.Answer);
    EXPECT_EQ(E.ZUBHTMLConfiguration(77, Config, 0x100), C.Result) << C.Answer;
    const auto Shown = Answers.Shown();
    ASSERT_EQ(Shown.size(), 1u);
    EXPECT_EQ(Shown[0].Flags & 0xF, static_cast<UINT>(MB_YESNOCANCEL));
    EXPECT_EQ(Shown[0].Caption, "ZUB Validator Engine");
    EXPECT_EQ(ReadFile(ConfigFile()).find("proxy-" + std::to_string(C.Answer)) != std::string::npos, C.Saved);
    EXPECT_EQ(std::string(E.ZUBGetString(Config, 7002)) == "proxy-" + std::to_string(C.Answer), C.KeptInMemory);
    // After No the discarded change is not written by the settings save that follows at shutdown.
    ASSERT_EQ(E.ZUBWriteToRegistry(0, Config, 0), 0);
    EXPECT_EQ(ReadFile(ConfigFile()).find("proxy-" + std::to_string(C.Answer)) != std::string::npos,
              C.KeptInMemory);
  }
  // Nothing changed: no question.
  TScriptedDialogs Quiet;
  TScopedDialogService Use(Quiet);
  EXPECT_EQ(E.ZUBHTMLConfiguration(0, Config, 0x100), 0);
  EXPECT_TRUE(Quiet.Shown().empty());
}

TEST_F(EngineWindows, SaveAsAndLoadFromChooseTheirFiles) {
  const TApi& E = Api();
  const std::string Copy = (Folder / "copy.cfg").string();
  ASSERT_EQ(E.ZUBSetString(Config, 7002, "saved.as"), 0);
  Dialogs.QueueAnswer(TDialogAnswer(IDOK, Copy));
  EXPECT_EQ(E.ZUBHTMLConfiguration(0, Config, 0x10), 0);
  EXPECT_NE(ReadFile(Copy).find("ProxyHost=saved.as"), std::string::npos);
  EXPECT_NE(ReadFile(ConfigFile()).find("ProxyHost=saved.as"), std::string::npos);  // saved, so not asked later
  EXPECT_EQ(E.ZUBHTMLConfiguration(0, Config, 0x100), 0);
  // Loading another file takes its settings, unsaved until saved.
  std::string Other = ReadFile(Copy);
  Other.replace(Other.find("saved.as"), 8, "from.file");
  std::ofstream((Folder / "other.cfg").string()) << Other;
  Dialogs.QueueAnswer(TDialogAnswer(IDOK, (Folder / "other.cfg").string()));
  EXPECT_EQ(E.ZUBHTMLConfiguration(0, Config, 0x80), 0);
  EXPECT_STREQ(E.ZUBGetString(Config, 7002), "from.file");
  EXPECT_EQ(ReadFile(ConfigFile()).find("from.file"), std::string::npos);
  EXPECT_STREQ(E.ZUBGetString(Config, 7001), ConfigFile().c_str());
  // Cancelled choices change nothing.
  Dialogs.QueueAnswer(TDialogAnswer(IDCANCEL));
  Dialogs.QueueAnswer(TDialogAnswer(IDCANCEL));
  EXPECT_EQ(E.ZUBHTMLConfiguration(0, Config, 0x10), 1);
  EXPECT_EQ(E.ZUBHTMLConfiguration(0, Config, 0x80), 1);
  EXPECT_STREQ(E.ZUBGetString(Config, 7002), "from.file");
  EXPECT_EQ(Dialogs.Shown().size(), 4u);
}

TEST_F(EngineWindows, ADamagedConfigurationLoadsWhatItCanAndSaysWhatItDropped) {
  const TApi& E = Api();
  const std::string File = ConfigFile();
  const std::string Damaged =
      "[Options]\nFlag1021=1048576\nLinkTimeout=abc\nLineEnds=1\nnonsense line\nFlag9999=1\n"
      "[Network]\nProxyHost=kept.example\n[Strange]\nX=1\n[Configurations]\nName0=Normal\nName1=Mine\n"
      "Profile1=7\n[MessageIDs]\n601=2,0\n602=x\n" + std::string("\x01\x02\xff", 3) + "\n";
  std::ofstream(File, std::ios::binary) << Damaged;
  EXPECT_EQ(E.ZUBHTMLConfiguration(0, Config, 1), 0);
  const auto Shown = Dialogs.Shown();
  ASSERT_EQ(Shown.size(), 1u);
  EXPECT_NE(Shown[0].Text.find("is damaged"), std::string::npos);
  EXPECT_NE(Shown[0].Text.find(File + ".damaged"), std::string::npos);
  const std::string Report = E.ZUBGetString(Config, 7009);
  for (const char* Part : {"line 3: bad value of LinkTimeout", "line 5: \"=\" expected", "line 6: bad flag word",
                           "line 9: unknown section [Strange]", "line 14: bad value of Profile1",
                           "line 17: bad message ID setting 602", "line 18: unreadable characters"}) {
    EXPECT_NE(Report.find(Part), std::string::npos) << Part << "\n" << Report;
  }
  // What could be read is in force; the defaults stand in for the rest.
  EXPECT_EQ(E.ZUBGetFlag(Config, 1021, 0x100000), 1);
  EXPECT_STREQ(E.ZUBGetString(Config, 7002), "kept.example");
  EXPECT_STREQ(E.ZUBGetString2(Config, 11000, 1), "Mine");
  EXPECT_EQ(E.ZUBGetInteger2EZ(Config, 13001, 601), 0);
  EXPECT_EQ(ReadFile(File + ".damaged"), Damaged);
  // A sound file reports nothing.
  ASSERT_EQ(E.ZUBHTMLConfiguration(0, Config, 0x20), 0);
  EXPECT_EQ(E.ZUBHTMLConfiguration(0, Config, 1), 0);
  EXPECT_STREQ(E.ZUBGetString(Config, 7009), "");
  EXPECT_EQ(Dialogs.Shown().size(), 1u);
}

}  // namespace
