// The open-from-the-web dialog: its histories, agent list and the web-origin record it returns.
#include "mainwindow/Openfromweb.h"

#include "core/Fileinfoextraclass.h"
#include "core/Prgclass.h"
#include "core/Settings.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/MessageBox.h"

#include <string>

Z_IMPLEMENT_CLASS_PUBLISHED(TOpenFromWebForm, TForm, TOpenFromWebForm::Publish)

void TOpenFromWebForm::Publish(TMetaClass& Meta) {
  TPublisher<TOpenFromWebForm> P(Meta);
  using F = TOpenFromWebForm;
  P.Field("RequestGroupBox", &F::RequestGroupBox);
  P.Field("URLLabel", &F::URLLabel);
  P.Field("URLCombo", &F::URLCombo);
  P.Field("AgentLabel", &F::AgentLabel);
  P.Field("AgentCombo", &F::AgentCombo);
  P.Field("UseUPCheckBox", &F::UseUPCheckBox);
  P.Field("UsernameLabel", &F::UsernameLabel);
  P.Field("UsernameCombo", &F::UsernameCombo);
  P.Field("PasswordLabel", &F::PasswordLabel);
  P.Field("PasswordCombo", &F::PasswordCombo);
  P.Field("PasswordEdit", &F::PasswordEdit);
  P.Field("NoteLabel", &F::NoteLabel);
  P.Field("OKBtn", &F::OKBtn);
  P.Field("CancelBtn", &F::CancelBtn);
  P.Field("DeleteFromRegistryBtn", &F::DeleteFromRegistryBtn);
}

namespace {

// Adding to a history removes older entries that begin exactly like the new one (flag 1 is unused).
constexpr int HistoryAddFlags = 1 | ADDSTRING_REMOVE_MATCHES | ADDSTRING_EXACT;
constexpr int HistoryAppendFlags = ADDSTRING_AT_END | ADDSTRING_REMOVE_MATCHES | ADDSTRING_EXACT;

const char* const AddressesKey = "\\Editor\\OpenFromWeb";
const char* const AgentsKey = "\\Editor\\OpenFromWebAgents";
const char* const UserNamesKey = "\\Editor\\OpenFromWebUsernames";
const char* const PasswordsKey = "\\Editor\\OpenFromWebPasswords";

// The browser agents of a first start, in the order they are put on top of the list.
const char* const SeedAgents[] = {
    "Mozilla/2.0 (compatible)",
    "Mozilla/3.0 (compatible)",
    "Mozilla/4.0 (compatible)",
    "Mozilla/4.5 (compatible)",
    "Mozilla/4.7 [en]",
    "Mozilla/5.0 (compatible)",
    "Mozilla/3.0 WebTV/1.2 (compatible; MSIE 2.0)",
    "Mozilla/4.0 (Windows 95;US) Opera 3.60  [en]",
    "Opera/6.0 (Linux 2.4.18-6mdk i586; U)  [en]",
    "Opera/6.03 (Windows ME; U)  [de]",
    "Mozilla/2.0 (compatible; MSIE 3.0; Windows 95)",
    "Mozilla/4.0 (compatible; MSIE 4.0; Windows 98)",
    "Mozilla/4.0 (compatible; MSIE 5.0; Windows 98)",
    "Mozilla/4.0 (compatible; MSIE 5.5; Windows 98)",
    "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.1)",
};

// The agents an older list is brought up to date with, appended in this order.
const char* const UpgradeAgents[] = {
    "Mozilla/5.0 (Windows; U; Win98; en-US; rv:1.1) Gecko/20020826",
    "Opera/6.05 (Windows 2000; U)  [en]",
    "Googlebot/2.1 (+http://www.googlebot.com/bot.html)",
    "FAST-WebCrawler/3.6 (atw-crawler at fast dot no; http://fast.no/support/crawler.asp)",
    "FAST-WebCrawler/3.6/FirstPage (atw-crawler at fast dot no;http://fast.no/support/crawler.asp)",
    "Scooter/3.2.SF0",
    "WebCopier v3.2a",
    "WebFetch",
};

// The dialog that exists now, and the check box state of the last one destroyed.
TOpenFromWebForm* LiveForm = nullptr;
bool LastStateKnown = false;
bool LastChecked = false;

void RegisterLayoutClasses() {
  RegisterClasses({TGroupBox::StaticClass(), TLabel::StaticClass(), TComboBox::StaticClass(), TCheckBox::StaticClass(),
                   TEdit::StaticClass(), TButton::StaticClass()});
}

HWND DialogParent() { return prg && prg->volatileState ? prg->volatileState->dialogParent : 0; }

std::string KeyPath(const char* Key) { return std::string(SETTINGS_ROOT) + Key; }

int LoadHistory(StringArrayStore& List, const char* Key) {
  return StringArrayStore::loadFromRegistry(&List, HKEY_CURRENT_USER, KeyPath(Key).c_str(), HISTORY_COUNT_MAXIMUM);
}

int SaveHistory(const StringArrayStore& List, const char* Key) {
  return List.saveToRegistry(HKEY_CURRENT_USER, KeyPath(Key).c_str(), HISTORY_COUNT_MAXIMUM);
}

// Seeds an empty agent list and brings a list older than the current version up to date (saved). 1 or 0.
int SeedAndUpgradeAgents(StringArrayStore& Agents) {
  int Ok = 1;
  if (Agents.getCount() == 0) {
    for (const char* Agent : SeedAgents) {
      Ok &= Agents.addString(Agent, 0);
    }
    Ok &= Agents.addString(GetDefaultUserAgent(1).text, 0);
  }
  if (Agents.version >= USER_AGENTS_VERSION) {
    return Ok;
  }
  const int Keep = Agents.maximum - USER_AGENTS_UPGRADE_ROOM;
  if (Agents.maximum >= 0 && Keep >= 0 && Agents.getCount() > Keep) {
    Ok &= Agents.removePointersFrom(Keep, 3) >= 0 ? 1 : 0;
  }
  for (const char* Agent : UpgradeAgents) {
    Ok &= Agents.addString(Agent, HistoryAppendFlags);
  }
  Agents.version = USER_AGENTS_VERSION;
  Ok &= SaveHistory(Agents, AgentsKey);
  return Ok;
}

// Fills a combo box from a history list; its text becomes the first entry, or empty.
void FillCombo(TComboBox* Combo, const StringArrayStore& List) {
  Combo->Items()->Clear();
  (void)List.copyToStrings(Combo->Items(), 0);  // a null list is the only failure, and Items() is never null
  Combo->SetText(List.getCount() > 0 ? List.getString(0) : "");
}

// Puts a non-empty text on top of a history and saves it; an empty text would match (and remove) every entry,
// so it is not recorded. False when the addition failed.
bool Record(StringArrayStore& List, const std::string& Text, const char* Key) {
  if (Text.empty()) {
    return true;
  }
  if (List.addString(Text.c_str(), HistoryAddFlags) == 0) {
    return false;
  }
  (void)SaveHistory(List, Key);  // a history that cannot be written stays in memory; settings saves retry
  return true;
}

}  // namespace

int LoadOpenFromWebHistories() {
  if (prg == nullptr || prg->interface == nullptr) {
    return 0;
  }
  interfaceclass& UI = *prg->interface;
  int Ok = LoadHistory(UI.webAddresses, AddressesKey);
  Ok &= LoadHistory(UI.userAgents, AgentsKey);
  Ok &= SeedAndUpgradeAgents(UI.userAgents);
  Ok &= LoadHistory(UI.webUserNames, UserNamesKey);
  Ok &= LoadHistory(UI.webPasswords, PasswordsKey);
  return Ok;
}

bool OpenFromWebCredentialsCheck(bool& Checked) {
  if (LiveForm != nullptr && LiveForm->UseUPCheckBox != nullptr) {
    Checked = LiveForm->UseUPCheckBox->Checked();
    return true;
  }
  if (LastStateKnown) {
    Checked = LastChecked;
  }
  return LastStateKnown;
}

TOpenFromWebForm::TOpenFromWebForm(TComponent* AOwner)
    : TForm((RegisterLayoutClasses(), AOwner)), FParentWindow(DialogParent()) {}

TOpenFromWebForm::~TOpenFromWebForm() {
  if (LiveForm == this) {
    LiveForm = nullptr;
  }
}

void TOpenFromWebForm::BeforeDestruction() {
  // The owned controls are freed before the destructor's body runs: keep the box's state while they exist.
  if (LiveForm == this && UseUPCheckBox != nullptr) {
    LastStateKnown = true;
    LastChecked = UseUPCheckBox->Checked();
  }
  TForm::BeforeDestruction();
}

void TOpenFromWebForm::AfterConstruction() {
  TForm::AfterConstruction();
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  OKBtn->OnClick = [this](TObject* Sender) { OKBtnClick(Sender); };
  UseUPCheckBox->OnClick = [this](TObject* Sender) { UseUPCheckBoxClick(Sender); };
  DeleteFromRegistryBtn->OnClick = [this](TObject* Sender) { DeleteFromRegistryBtnClick(Sender); };
  (void)LoadOpenFromWebHistories();  // lists that cannot be read start empty; the dialog still works
  UseUPCheckBox->SetChecked(prg != nullptr && prg->interface != nullptr &&
                            prg->interface->flags.has(IF40::WebCredentials));
  mode = 0;
  LiveForm = this;
}

void TOpenFromWebForm::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  if (FParentWindow != 0 && IsWindow(FParentWindow)) {
    Params.WndParent = FParentWindow;
  }
}

void TOpenFromWebForm::FormShow(TObject*) {
  if (prg == nullptr || prg->interface == nullptr) {
    return;
  }
  interfaceclass& UI = *prg->interface;
  SetCaption((mode & OPENFROMWEB_ADD_TARGET) != 0 ? "Enter URL Target to Add" : "Open From the Web");
  const bool Secure = UI.flags3.has(IF3::PasswordSecurity);
  if (Secure) {
    mode |= OPENFROMWEB_PASSWORD_SECURITY;
    PasswordEdit->SetWidth(PasswordCombo->Width());
  } else {
    mode &= ~OPENFROMWEB_PASSWORD_SECURITY;
  }
  PasswordEdit->SetVisible(Secure);
  PasswordCombo->SetVisible(!Secure);
  if (UI.webAddresses.getCount() == 0) {
    (void)UI.webAddresses.addString(DEFAULT_WEB_ADDRESS, 0);  // shown only; failing leaves the box empty
  }
  FillCombo(URLCombo, UI.webAddresses);
  FillCombo(AgentCombo, UI.userAgents);
  FillCredentials();
  UseUPCheckBoxClick(this);
}

void TOpenFromWebForm::FillCredentials() {
  interfaceclass& UI = *prg->interface;
  FillCombo(UsernameCombo, UI.webUserNames);
  PasswordEdit->SetText("");
  if ((mode & OPENFROMWEB_PASSWORD_SECURITY) != 0) {
    PasswordCombo->Items()->Clear();
    PasswordCombo->SetText("");
  } else {
    FillCombo(PasswordCombo, UI.webPasswords);
  }
}

void TOpenFromWebForm::UseUPCheckBoxClick(TObject*) {
  const bool On = UseUPCheckBox->Checked();
  for (TControl* C : {static_cast<TControl*>(UsernameCombo), static_cast<TControl*>(PasswordCombo),
                      static_cast<TControl*>(PasswordEdit), static_cast<TControl*>(UsernameLabel),
                      static_cast<TControl*>(PasswordLabel)}) {
    C->SetEnabled(On);
  }
}

void TOpenFromWebForm::OKBtnClick(TObject*) {
  std::string Address = URLCombo->Text();
  const std::string Trimmed = Trim(Address);
  if (Trimmed.empty()) {
    ModalResult = mrNone;
    MessageBox(Handle(), "Please enter a URL.", "Quillon: Enter URL", MB_OK | MB_ICONERROR);
    URLCombo->SetFocus();
    return;
  }
  if (Trimmed != Address) {
    Address = Trimmed;
    URLCombo->SetText(Address);
  }
  if (!SameText(Address.substr(0, 4), "http")) {
    Address = "http://" + Address;
    URLCombo->SetText(Address);
  }
  if (prg == nullptr || prg->interface == nullptr) {
    return;
  }
  interfaceclass& UI = *prg->interface;
  bool Ok = Record(UI.webAddresses, Address, AddressesKey);
  Ok &= Record(UI.userAgents, AgentCombo->Text(), AgentsKey);
  if (UseUPCheckBox->Checked()) {
    Ok &= Record(UI.webUserNames, UsernameCombo->Text(), UserNamesKey);
    if ((mode & OPENFROMWEB_PASSWORD_SECURITY) == 0) {
      Ok &= Record(UI.webPasswords, PasswordCombo->Text(), PasswordsKey);
    }
  }
  if (!Ok) {
    MessageBox(Handle(), "addString() Error", "Quillon: Error", MB_OK | MB_ICONERROR);
  }
}

void TOpenFromWebForm::DeleteFromRegistryBtnClick(TObject*) {
  const int Answer = MessageBox(
      Handle(),
      "Usernames and passwords are stored insecurely in the registry unless the enhanced password security option "
      "is used. Do you want to delete these entries (if they exist) from the registry? If deleted, then the "
      "usernames and passwords will no longer appear as selections in the dialog box and security will be "
      "increased.",
      "Quillon: Delete Usernames and Passwords from Registry?", MB_YESNO | MB_ICONQUESTION);
  if (Answer != IDYES || prg == nullptr || prg->interface == nullptr) {
    return;
  }
  (void)DeleteOpenFromWebCredentials(Handle(), CREDENTIALS_USERNAMES_AND_PASSWORDS, CREDENTIALS_REPORT);
  (void)LoadHistory(prg->interface->webUserNames, UserNamesKey);  // a deleted key reads as an empty list
  (void)LoadHistory(prg->interface->webPasswords, PasswordsKey);
  FillCredentials();
}

fileinfoextraclass* TOpenFromWebForm::GetFileInfoExtra() const {
  auto* Record = new (std::nothrow) fileinfoextraclass;
  if (Record == nullptr) {
    return nullptr;
  }
  Record->address = URLCombo->Text().c_str();
  Record->userAgent = AgentCombo->Text().c_str();
  Record->userName = UsernameCombo->Text().c_str();
  const bool Secure = (mode & OPENFROMWEB_PASSWORD_SECURITY) != 0;
  Record->password = (Secure ? PasswordEdit->Text() : PasswordCombo->Text()).c_str();
  Record->flags = UseUPCheckBox->Checked() ? WEBORIGIN_CREDENTIALS : 0;
  return Record;
}
