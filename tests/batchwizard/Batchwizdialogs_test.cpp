// The batch wizard's options and target properties dialogs, shown modally from the window and driven from inside
// their loops: the tool and configuration lists, check boxes and their enabling, OK's clamping, the browse
// buttons, the pages by target kind, the follow address, passwords and what OK applies.
#include "tests/batchwizard/BatchWizardWindow.h"

#include "batchwizard/Batchjob.h"
#include "batchwizard/Batchwizoptions.h"
#include "batchwizard/Batchwiztargetproperties.h"
#include "core/Fileinfoextraclass.h"

#include <cstdlib>

using TestSupport::TModalWindowDriver;

namespace {

template <class T>
T* Find(TForm& F, const char* Name) {
  return TModalWindowDriver::Find<T>(F, Name);
}
TEdit* EditOf(TForm& F, const char* Name) { return Find<TEdit>(F, Name); }
TCheckBox* BoxOf(TForm& F, const char* Name) { return Find<TCheckBox>(F, Name); }

}  // namespace

class BatchOptionsDialog : public BatchWizardWindowTest {
protected:
  void Options(const std::function<void(TForm&)>& Act) {
    DriveModal("ZUB Quillon Pro Batch Wizard Options", Act, [&] { Form->OptionsWizardClick(nullptr); });
  }
};

TEST_F(BatchOptionsDialog, OkClampsTheLimitsAndKeepsAValueThatIsNoNumber) {
  Settings().reportsPerPage = 7;
  Options([](TForm& F) {
    EditOf(F, "MaximumTargetsEdit")->SetText("0");
    EditOf(F, "MaximumHTTPRequests")->SetText("500");
    EditOf(F, "ReportsPerPageEdit")->SetText("many");
    TModalWindowDriver::Press(F, "OKBtn");
  });
  EXPECT_EQ(Settings().targetListLimit, 1);
  EXPECT_EQ(Settings().maxHttpRequests, 100);
  EXPECT_EQ(Settings().reportsPerPage, 7);
  Options([](TForm& F) {
    EditOf(F, "MaximumTargetsEdit")->SetText("9000");
    EditOf(F, "ReportsPerPageEdit")->SetText("-3");
    TModalWindowDriver::Press(F, "OKBtn");
  });
  EXPECT_EQ(Settings().targetListLimit, 5000);
  EXPECT_EQ(Settings().reportsPerPage, 1);
}

TEST_F(BatchOptionsDialog, TheToolListFollowsItsOrderAndSetsTheToolShownInTheStatusBar) {
  Settings().toolNumber = 4;
  std::vector<std::string> Tools;
  int Selected = -1;
  bool SubtypeEnabled = true;
  Options([&](TForm& F) {
    auto* Tool = Find<TComboBox>(F, "ToolComboBox");
    for (int I = 0; I < Tool->Items()->Count(); ++I) {
      Tools.push_back(Tool->Items()->Strings(I));
    }
    Selected = Tool->ItemIndex();
    SubtypeEnabled = Find<TComboBox>(F, "ToolSubtypeComboBox")->Enabled();
    Tool->SetItemIndex(1);
    TModalWindowDriver::Press(F, "OKBtn");
  });
  EXPECT_EQ(Tools,
            (std::vector<std::string>{"Validator", "Link check", "Spell check", "Template", "Convert file format",
                                      "Lowercase", "Uppercase", "Strip tags", "Quote attribute values"}));
  EXPECT_EQ(Selected, 7);
  EXPECT_FALSE(SubtypeEnabled);
  EXPECT_EQ(Settings().toolNumber, TOOL_LINK_CHECK);
  EXPECT_EQ(Status(0), "Link check");
}

TEST_F(BatchOptionsDialog, AnOldEngineOffersOnlyTheNormalConfiguration) {
  setenv("ZUBQ_ENGINE_VERSION", "45090", 1);
  std::vector<std::string> Configurations;
  Options([&](TForm& F) {
    auto* Subtype = Find<TComboBox>(F, "ToolSubtypeComboBox");
    for (int I = 0; I < Subtype->Items()->Count(); ++I) {
      Configurations.push_back(Subtype->Items()->Strings(I));
    }
    TModalWindowDriver::Press(F, "CancelBtn");
  });
  unsetenv("ZUBQ_ENGINE_VERSION");
  EXPECT_EQ(Configurations, std::vector<std::string>{"Normal"});
}

TEST_F(BatchOptionsDialog, CheckBoxesSetTheirBitsAndTheEnablingFollowsAtOnce) {
  Settings().optionFlags.set(BWF::MultiPageReport, true);
  Settings().optionFlags.set(BWF::LinkCheckWhenValidating, true);
  Settings().optionFlags.set(BWF::VerboseLog, false);
  bool PerPageBefore = false, PerPageAfter = true, LinksAfter = true;
  Options([&](TForm& F) {
    Find<TPageControl>(F, "OptionsPageControl")->SetActivePage(Find<TTabSheet>(F, "ReportingSheet"));
    Harness::RunUntilIdle();
    PerPageBefore = EditOf(F, "ReportsPerPageEdit")->Enabled();
    TModalWindowDriver::Click(BoxOf(F, "MultipleHTMLPageReport"));
    Harness::RunUntilIdle();
    PerPageAfter = EditOf(F, "ReportsPerPageEdit")->Enabled() || Find<TLabel>(F, "ReportsPerPageLabel")->Enabled();
    Find<TPageControl>(F, "OptionsPageControl")->SetActivePage(Find<TTabSheet>(F, "LinksSheet"));
    Harness::RunUntilIdle();
    TModalWindowDriver::Click(BoxOf(F, "EnableLinkCheckingCheckBox"));
    Harness::RunUntilIdle();
    LinksAfter = BoxOf(F, "IncludePassedLinksCheckBox")->Enabled();
    Find<TPageControl>(F, "OptionsPageControl")->SetActivePage(Find<TTabSheet>(F, "GeneralSheet"));
    Harness::RunUntilIdle();
    TModalWindowDriver::Click(BoxOf(F, "VerboseCheckBox"));
    TModalWindowDriver::Press(F, "OKBtn");
  });
  EXPECT_TRUE(PerPageBefore);
  EXPECT_FALSE(PerPageAfter);
  EXPECT_FALSE(LinksAfter);
  EXPECT_FALSE(Settings().optionFlags.has(BWF::MultiPageReport));
  EXPECT_FALSE(Settings().optionFlags.has(BWF::LinkCheckWhenValidating));
  EXPECT_TRUE(Settings().optionFlags.has(BWF::VerboseLog));
}

TEST_F(BatchOptionsDialog, AChosenStyleSheetStaysWhenCancelledAndAChosenReportDoesNot) {
  const std::string OldReport = Settings().reportFileName.text;
  Dialogs.QueueAnswer(IDOK, Dir + "/look.css");
  Dialogs.QueueAnswer(IDOK, Dir + "/new-report.html");
  std::string CssField;
  Options([&](TForm& F) {
    TModalWindowDriver::Press(F, "CSSFileBrowseBtn");
    Harness::RunUntilIdle();
    TModalWindowDriver::Press(F, "ReportFileBrowseBtn");
    Harness::RunUntilIdle();
    CssField = EditOf(F, "CSSFileEdit")->Text();
    TModalWindowDriver::Press(F, "CancelBtn");
  });
  EXPECT_EQ(CssField, Dir + "/look.css");
  EXPECT_EQ(std::string(Settings().cssFileName.text), Dir + "/look.css");
  EXPECT_EQ(std::string(Settings().reportFileName.text), OldReport);
  const auto Shown = Dialogs.Shown();
  ASSERT_GE(Shown.size(), 2u);
  EXPECT_EQ(Shown[Shown.size() - 2].Kind, "OpenDialog");
  EXPECT_EQ(Shown[Shown.size() - 2].Caption, "Specify External CSS File");
  EXPECT_EQ(Shown.back().Kind, "SaveDialog");
  EXPECT_EQ(Shown.back().Caption, "Specify HTML Validation Report File");
}

class TargetPropertiesDialog : public BatchWizardWindowTest {
protected:
  // Shows the properties of the target with that full text (selected alone).
  void Properties(const std::string& FullTarget, const std::function<void(TForm&)>& Act) {
    Form->RefreshTargetListView(Targets(), REFRESH_ALL_ROWS);
    Select({FullTarget});
    DriveModal("Target Properties for " + FullTarget, Act, [&] { Form->TargetPropertiesClick(nullptr); });
  }
  static std::vector<std::string> Tabs(TForm& F) {
    std::vector<std::string> Out;
    auto* Pages = Find<TPageControl>(F, "PropertiesPageControl");
    for (int I = 0; I < Pages->PageCount(); ++I) {
      if (Pages->Pages(I)->TabVisible()) {
        Out.push_back(Pages->Pages(I)->Caption());
      }
    }
    return Out;
  }
};

TEST_F(TargetPropertiesDialog, NoSelectionIsRefusedWithItsMessage) {
  Form->TargetPropertiesClick(nullptr);
  EXPECT_EQ(Boxes(),
            (std::vector<std::string>{"Quillon: No Selected Targets|No selected targets. You must first select "
                                      "a target before viewing its properties."}));
}

TEST_F(TargetPropertiesDialog, AFileTargetShowsGeneralAndFollowLinksAndACaseChangeIsAChange) {
  Add(Dir + "/b.html", TARGET_KIND_FILE);
  Add(Dir + "/A.html", TARGET_KIND_FILE);
  (void)Targets()->setUnchanged(1);
  std::vector<std::string> Pages;
  Properties(Dir + "/A.html", [&](TForm& F) {
    Pages = Tabs(F);
    EditOf(F, "TargetEdit")->SetText(Dir + "/c.html");
    TModalWindowDriver::Press(F, "OKBtn");
  });
  EXPECT_EQ(Pages, (std::vector<std::string>{"General", "Follow Links"}));
  EXPECT_TRUE(Form->PropertiesForm->changed);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"b.html", "c.html"}));
  EXPECT_TRUE(Modified());
  // Only the case of the path: still a change, and the list is sorted again.
  Properties(Dir + "/b.html", [&](TForm& F) {
    EditOf(F, "TargetEdit")->SetText(Dir + "/B.html");
    TModalWindowDriver::Press(F, "OKBtn");
  });
  EXPECT_TRUE(Form->PropertiesForm->changed);
  EXPECT_EQ(Column(0), (std::vector<std::string>{"B.html", "c.html"}));
  // Cancel changes nothing.
  Properties(Dir + "/c.html", [&](TForm& F) { TModalWindowDriver::Press(F, "CancelBtn"); });
  EXPECT_FALSE(Form->PropertiesForm->changed);
}

TEST_F(TargetPropertiesDialog, FollowOnAUrlFillsItsFolderAndTheDepthIsStored) {
  const std::string Url = "http://127.0.0.1/site/docs/page.html";
  Add(Url, TARGET_KIND_URL);
  std::string Limit;
  std::vector<std::string> Pages;
  bool DepthEnabledBefore = true;
  Properties(Url, [&](TForm& F) {
    Pages = Tabs(F);
    DepthEnabledBefore = EditOf(F, "DepthEdit")->Enabled();
    Find<TPageControl>(F, "PropertiesPageControl")->SetActivePage(Find<TTabSheet>(F, "FollowSheet"));
    Harness::RunUntilIdle();
    TModalWindowDriver::Click(BoxOf(F, "FollowLinksCheckBox"));
    Harness::RunUntilIdle();
    Limit = EditOf(F, "LimitToEdit")->Text();
    EditOf(F, "DepthEdit")->SetText("-7");
    TModalWindowDriver::Press(F, "OKBtn");
  });
  EXPECT_EQ(Pages, (std::vector<std::string>{"General", "URL Specific", "Follow Links"}));
  EXPECT_FALSE(DepthEnabledBefore);
  EXPECT_EQ(Limit, "http://127.0.0.1/site/docs/");
  EXPECT_TRUE(Target(0)->has(TARGET_FOLLOW_LINKS));
  EXPECT_EQ(std::string(Target(0)->getString(TGET_LIMIT_TO | TGET_EMPTY_NOT_NULL)), Limit);
  EXPECT_EQ(Target(0)->followDepthLimit, -1);
  EXPECT_EQ(Column(2), std::vector<std::string>{"UL"});
}

TEST_F(TargetPropertiesDialog, UncheckingCredentialsKeepsThemAndProtectedPasswordsShowAsterisks) {
  prg->interface->flags3.set(IF3::PasswordSecurity, true);
  auto* Origin = new fileinfoextraclass;
  Origin->address.assign("http://127.0.0.1/private/index.html");
  Origin->userName.assign("ann");
  Origin->password.assign("secret");
  Origin->SetUseCredentials(true, 1);
  ASSERT_EQ(AddTarget(Targets(), Origin, TARGET_KIND_ORIGIN | ADD_NO_ROW), ADD_DONE);
  char Mask = 0;
  bool UserEnabled = false, UserEnabledAfter = true;
  Properties("http://127.0.0.1/private/index.html", [&](TForm& F) {
    Mask = EditOf(F, "PasswordEdit")->PasswordChar();
    UserEnabled = EditOf(F, "UsernameEdit")->Enabled();
    Find<TPageControl>(F, "PropertiesPageControl")->SetActivePage(Find<TTabSheet>(F, "URLSheet"));
    Harness::RunUntilIdle();
    TModalWindowDriver::Click(BoxOf(F, "UseUPCheckBox"));
    Harness::RunUntilIdle();
    UserEnabledAfter = EditOf(F, "UsernameEdit")->Enabled();
    TModalWindowDriver::Press(F, "OKBtn");
  });
  EXPECT_EQ(Mask, '*');
  EXPECT_TRUE(UserEnabled);
  EXPECT_FALSE(UserEnabledAfter);
  EXPECT_EQ(std::string(Target(0)->webOrigin->userName.text), "ann");
  EXPECT_EQ(std::string(Target(0)->webOrigin->password.text), "secret");
  EXPECT_EQ(Target(0)->getInt(TINT_USES_CREDENTIALS), 0);
  EXPECT_EQ(Column(2), std::vector<std::string>{"U"});
  // Without the protection the password is shown.
  prg->interface->flags3.set(IF3::PasswordSecurity, false);
  Properties("http://127.0.0.1/private/index.html", [&](TForm& F) {
    Mask = EditOf(F, "PasswordEdit")->PasswordChar();
    TModalWindowDriver::Press(F, "CancelBtn");
  });
  EXPECT_EQ(Mask, '\0');
}

TEST_F(TargetPropertiesDialog, AFolderTargetShowsItsOwnPageAndSetsItsTwoBits) {
  Add(Dir + "/site", TARGET_KIND_DIRECTORY);
  std::vector<std::string> Pages;
  Properties(Dir + "/site", [&](TForm& F) {
    Pages = Tabs(F);
    BoxOf(F, "IncludeSubdirectoriesCheckBox")->SetChecked(true);
    BoxOf(F, "ExcludeUnderscoreDirsCheckBox")->SetChecked(false);
    TModalWindowDriver::Press(F, "OKBtn");
  });
  EXPECT_EQ(Pages, (std::vector<std::string>{"General", "Directory Specific", "Follow Links"}));
  EXPECT_TRUE(Target(0)->has(TARGET_INCLUDE_SUB));
  EXPECT_FALSE(Target(0)->has(TARGET_SKIP_SPECIAL_FOLDERS));
  EXPECT_EQ(Column(2), std::vector<std::string>{"DI"});
}
