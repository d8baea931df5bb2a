// The open-from-the-web dialog: its agent list, histories, address normalising and credentials.
#include "tests/core/SettingsTestSupport.h"

#include "core/Fileinfoextraclass.h"
#include "core/Settings.h"
#include "mainwindow/Openfromweb.h"

#include "platform/controls/TestHarness.h"
#include "platform/win/DialogService.h"
#include "platform/win/MessageBox.h"

#include <memory>

namespace {

class OpenFromWeb : public SettingsTest {
protected:
  void SetUp() override {
    Harness::Start();
    SettingsTest::SetUp();
    MakeRoot();
    SetDialogService(&Dialogs);
  }
  void TearDown() override {
    Form.reset();
    SetDialogService(nullptr);
    SettingsTest::TearDown();
  }
  // Makes the dialog in Mode and runs what showing it runs.
  TOpenFromWebForm& Open(int Mode) {
    Form = std::make_unique<TOpenFromWebForm>(Application);
    Form->AfterConstruction();
    Form->mode = Mode;
    Form->FormShow(Form.get());
    return *Form;
  }
  // OK as the button gives it: the modal result the dialog is left with.
  int PressOK() {
    Form->ModalResult = mrOk;
    Form->OKBtnClick(Form->OKBtn);
    return Form->ModalResult;
  }
  static std::vector<std::string> Entries(const StringArrayStore& List) {
    std::vector<std::string> Out;
    for (int I = 0; I < List.getCount(); ++I) {
      Out.emplace_back(List.getString(I));
    }
    return Out;
  }
  interfaceclass& UI() { return *prg->interface; }

  TScriptedDialogs Dialogs;
  std::unique_ptr<TOpenFromWebForm> Form;
};

TEST_F(OpenFromWeb, AFirstStartSeedsTheAgentsWithTheProgramsOwnFirstThenUpgradesThem) {
  Open(OPENFROMWEB_OPEN);
  const std::vector<std::string> Agents = Entries(UI().userAgents);
  ASSERT_EQ(Agents.size(), 16u + 8u);
  EXPECT_EQ(Agents[0], GetDefaultUserAgent(1).text);
  EXPECT_EQ(Agents[1], "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1)");
  EXPECT_EQ(Agents[15], "Mozilla/2.0 (compatible)");
  EXPECT_EQ(Agents[16], "Mozilla/5.0 (Windows; U; Win98; en-US; rv:1.1) Gecko/20020826");
  EXPECT_EQ(Agents.back(), "WebFetch");
  EXPECT_EQ(UI().userAgents.version, USER_AGENTS_VERSION);
  EXPECT_EQ(Form->AgentCombo->Text(), Agents[0]);
  // Stored: a second dialog reads the same list back.
  Form.reset();
  UI().userAgents.removeAllPointers(0, 0);
  Open(OPENFROMWEB_OPEN);
  EXPECT_EQ(Entries(UI().userAgents), Agents);
}

TEST_F(OpenFromWeb, AnOlderAgentListIsCutAndUpgradedAndACurrentOneIsLeftAlone) {
  const std::string Path = std::string(SETTINGS_ROOT) + "\\Editor\\OpenFromWebAgents";
  StringArrayStore Old;
  Old.maximum = UI().userAgents.maximum;
  for (int I = 0; I < Old.maximum; ++I) {
    ASSERT_EQ(Old.addString(("Agent " + std::to_string(I)).c_str(), ADDSTRING_AT_END), 1);
  }
  ASSERT_EQ(Old.addString("WebFetch", ADDSTRING_AT_END | ADDSTRING_NO_CUT), 1);  // moved to the end later
  Old.version = 59000;
  ASSERT_EQ(Old.saveToRegistry(HKEY_CURRENT_USER, Path.c_str(), HISTORY_COUNT_MAXIMUM), 1);

  Open(OPENFROMWEB_OPEN);
  std::vector<std::string> Agents = Entries(UI().userAgents);
  ASSERT_EQ(static_cast<int>(Agents.size()), Old.maximum);
  EXPECT_EQ(Agents[0], "Agent 0");
  EXPECT_EQ(Agents[Old.maximum - 9], "Agent " + std::to_string(Old.maximum - 9));
  EXPECT_EQ(Agents[Old.maximum - 8], "Mozilla/5.0 (Windows; U; Win98; en-US; rv:1.1) Gecko/20020826");
  EXPECT_EQ(Agents.back(), "WebFetch");

  // At the current version nothing changes, even a list that lacks the upgrade's agents.
  Form.reset();
  StringArrayStore Current;
  Current.maximum = UI().userAgents.maximum;
  ASSERT_EQ(Current.addString("Only/1.0", 0), 1);
  Current.version = USER_AGENTS_VERSION;
  ASSERT_EQ(Current.saveToRegistry(HKEY_CURRENT_USER, Path.c_str(), HISTORY_COUNT_MAXIMUM), 1);
  Open(OPENFROMWEB_OPEN);
  EXPECT_EQ(Entries(UI().userAgents), std::vector<std::string>{"Only/1.0"});
}

TEST_F(OpenFromWeb, CaptionAndDefaultAddressFollowTheModeAndTheHistory) {
  Open(OPENFROMWEB_ADD_TARGET);
  EXPECT_EQ(Form->Caption(), "Enter URL Target to Add");
  EXPECT_EQ(Form->URLCombo->Text(), DEFAULT_WEB_ADDRESS);
  Form.reset();
  Open(OPENFROMWEB_OPEN);
  EXPECT_EQ(Form->Caption(), "Open From the Web");
}

TEST_F(OpenFromWeb, AnAddressIsTrimmedGivenASchemeStoredAndReturned) {
  Open(OPENFROMWEB_OPEN);
  Form->URLCombo->SetText(" example.org/a");
  EXPECT_EQ(PressOK(), mrOk);
  EXPECT_EQ(Form->URLCombo->Text(), "http://example.org/a");
  EXPECT_EQ(UI().webAddresses.getString(0), std::string("http://example.org/a"));
  std::unique_ptr<fileinfoextraclass> Record(Form->GetFileInfoExtra());
  ASSERT_NE(Record, nullptr);
  EXPECT_STREQ(Record->address.text, "http://example.org/a");
  EXPECT_EQ(Record->flags, 0u);
  // Stored in the registry: a new dialog offers it first.
  Form.reset();
  Open(OPENFROMWEB_OPEN);
  EXPECT_EQ(Form->URLCombo->Text(), "http://example.org/a");
  // An address with any case of "http" keeps its own scheme.
  Form->URLCombo->SetText("HTTPS://example.org/b");
  EXPECT_EQ(PressOK(), mrOk);
  EXPECT_EQ(Form->URLCombo->Text(), "HTTPS://example.org/b");
}

TEST_F(OpenFromWeb, AnEmptyAddressIsRefusedAndTheDialogStays) {
  Open(OPENFROMWEB_OPEN);
  const int Before = UI().webAddresses.getCount();
  Form->URLCombo->SetText("   ");
  EXPECT_EQ(PressOK(), mrNone);
  const std::vector<TDialogRequest> Shown = Dialogs.Shown();
  ASSERT_EQ(Shown.size(), 1u);
  EXPECT_EQ(Shown[0].Text, "Please enter a URL.");
  EXPECT_EQ(Shown[0].Caption, "Quillon: Enter URL");
  EXPECT_EQ(UI().webAddresses.getCount(), Before);
}

TEST_F(OpenFromWeb, AnEmptyAgentOrUserNameRemovesNoHistory) {
  Open(OPENFROMWEB_OPEN);
  const int Agents = UI().userAgents.getCount();
  Form->AgentCombo->SetText("");
  Form->UseUPCheckBox->SetChecked(true);
  Form->UsernameCombo->SetText("");
  Form->URLCombo->SetText("http://example.org/");
  EXPECT_EQ(PressOK(), mrOk);
  EXPECT_EQ(UI().userAgents.getCount(), Agents);
}

TEST_F(OpenFromWeb, CredentialsAreStoredOnlyWithoutPasswordSecurity) {
  UI().flags3.set(IF3::PasswordSecurity, false);
  Open(OPENFROMWEB_OPEN);
  EXPECT_EQ(Form->mode & OPENFROMWEB_PASSWORD_SECURITY, 0);
  Form->UseUPCheckBox->SetChecked(true);
  Form->UseUPCheckBoxClick(Form->UseUPCheckBox);
  EXPECT_TRUE(Form->UsernameCombo->Enabled());
  Form->URLCombo->SetText("http://example.org/");
  Form->UsernameCombo->SetText("ann");
  Form->PasswordCombo->SetText("open sesame");
  EXPECT_EQ(PressOK(), mrOk);
  EXPECT_EQ(UI().webUserNames.getString(0), std::string("ann"));
  EXPECT_EQ(UI().webPasswords.getString(0), std::string("open sesame"));
  std::unique_ptr<fileinfoextraclass> Record(Form->GetFileInfoExtra());
  EXPECT_STREQ(Record->password.text, "open sesame");
  EXPECT_EQ(Record->flags, WEBORIGIN_CREDENTIALS);

  // Under password security the typed password is returned, never stored, and no history is offered.
  Form.reset();
  UI().flags3.set(IF3::PasswordSecurity, true);
  Open(OPENFROMWEB_OPEN);
  EXPECT_NE(Form->mode & OPENFROMWEB_PASSWORD_SECURITY, 0);
  EXPECT_TRUE(Form->PasswordEdit->Visible());
  EXPECT_FALSE(Form->PasswordCombo->Visible());
  EXPECT_EQ(Form->PasswordCombo->Items()->Count(), 0);
  EXPECT_EQ(Form->PasswordEdit->PasswordChar(), '*');
  Form->UseUPCheckBox->SetChecked(true);
  Form->URLCombo->SetText("http://example.org/");
  Form->PasswordEdit->SetText("secret");
  EXPECT_EQ(PressOK(), mrOk);
  Record.reset(Form->GetFileInfoExtra());
  EXPECT_STREQ(Record->password.text, "secret");
  EXPECT_EQ(UI().webPasswords.getCount(), 1);
  EXPECT_EQ(UI().webPasswords.getString(0), std::string("open sesame"));
}

TEST_F(OpenFromWeb, DeleteFromRegistryEmptiesBothCredentialHistoriesAfterYes) {
  UI().flags3.set(IF3::PasswordSecurity, false);
  Open(OPENFROMWEB_OPEN);
  Form->UseUPCheckBox->SetChecked(true);
  Form->URLCombo->SetText("http://example.org/");
  Form->UsernameCombo->SetText("ann");
  Form->PasswordCombo->SetText("pw");
  ASSERT_EQ(PressOK(), mrOk);

  Dialogs.QueueAnswer(IDNO);
  Form->DeleteFromRegistryBtnClick(Form->DeleteFromRegistryBtn);
  EXPECT_EQ(UI().webUserNames.getCount(), 1);

  Dialogs.QueueAnswer(IDYES);
  Form->DeleteFromRegistryBtnClick(Form->DeleteFromRegistryBtn);
  EXPECT_EQ(UI().webUserNames.getCount(), 0);
  EXPECT_EQ(UI().webPasswords.getCount(), 0);
  EXPECT_EQ(Form->UsernameCombo->Items()->Count(), 0);
  EXPECT_EQ(Form->UsernameCombo->Text(), "");
  Form.reset();
  Open(OPENFROMWEB_OPEN);
  EXPECT_EQ(UI().webUserNames.getCount(), 0);
}

TEST_F(OpenFromWeb, TheCheckBoxStateReachesTheSettingsAtTheNextSave) {
  bool Checked = true;
  UI().flags.set(IF40::WebCredentials, false);
  Open(OPENFROMWEB_OPEN);
  EXPECT_FALSE(Form->UseUPCheckBox->Checked());
  Form->UseUPCheckBox->SetChecked(true);
  ASSERT_TRUE(OpenFromWebCredentialsCheck(Checked));
  EXPECT_TRUE(Checked);
  Form.reset();  // the dialog is deleted after use; its last state still counts
  Checked = false;
  ASSERT_TRUE(OpenFromWebCredentialsCheck(Checked));
  EXPECT_TRUE(Checked);
  Open(OPENFROMWEB_OPEN);
  EXPECT_FALSE(Form->UseUPCheckBox->Checked());  // the flag is written only by a settings save
}

}  // namespace
