// The dialog that asks for the address, user agent and credentials of a web document to open or of a web target
// to add.
#pragma once

#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"

class fileinfoextraclass;

// Mode words of TOpenFromWebForm.
inline constexpr int OPENFROMWEB_ADD_TARGET = 1;
inline constexpr int OPENFROMWEB_OPEN = 2;
inline constexpr int OPENFROMWEB_PASSWORD_SECURITY = 4;

// The version the user-agent history is brought up to, and how many entries an upgrade keeps room for.
inline constexpr int USER_AGENTS_VERSION = 59910;
inline constexpr int USER_AGENTS_UPGRADE_ROOM = 8;

// The address offered when the address history is empty: the product's home page.
inline constexpr const char DEFAULT_WEB_ADDRESS[] = "http://www.palvane.example/";

// Made by its caller with an owner, given a mode word, shown modally and deleted afterwards. Its window is owned
// by the run-time state's dialog parent when one is named at construction, else by the application. It edits the
// interface settings' four histories (addresses, agents, user names, passwords) and saves each one it changes.
class TOpenFromWebForm : public TForm {
  Z_CLASS(TOpenFromWebForm, TForm)
public:
  explicit TOpenFromWebForm(TComponent* AOwner);
  ~TOpenFromWebForm() override;
  void AfterConstruction() override;
  void BeforeDestruction() override;
  static void Publish(TMetaClass& Meta);

  TGroupBox* RequestGroupBox = nullptr;
  TLabel* URLLabel = nullptr;
  TComboBox* URLCombo = nullptr;
  TLabel* AgentLabel = nullptr;
  TComboBox* AgentCombo = nullptr;
  TCheckBox* UseUPCheckBox = nullptr;
  TLabel* UsernameLabel = nullptr;
  TComboBox* UsernameCombo = nullptr;
  TLabel* PasswordLabel = nullptr;
  TComboBox* PasswordCombo = nullptr;
  TEdit* PasswordEdit = nullptr;
  TLabel* NoteLabel = nullptr;
  TButton* OKBtn = nullptr;
  TButton* CancelBtn = nullptr;
  TButton* DeleteFromRegistryBtn = nullptr;

  // OPENFROMWEB_ADD_TARGET or OPENFROMWEB_OPEN, set by the caller before showing; FormShow adds
  // OPENFROMWEB_PASSWORD_SECURITY when that option is in force.
  int mode = 0;

  void FormShow(TObject* Sender);
  // Checks, normalises and records the address, agent and (when asked for) credentials; an empty address keeps
  // the dialog open.
  void OKBtnClick(TObject* Sender);
  // Enables the credential controls and their labels by the check box.
  void UseUPCheckBoxClick(TObject* Sender);
  // After the user agrees, deletes both credential histories from the registry and refills their controls.
  void DeleteFromRegistryBtnClick(TObject* Sender);

  // A new web-origin record from the dialog's fields (the caller owns it), or null without memory.
  fileinfoextraclass* GetFileInfoExtra() const;

protected:
  void CreateParams(TCreateParams& Params) override;

private:
  void FillCredentials();
  HWND FParentWindow = 0;
};

// The state of the credentials check box of the open dialog, or of the one that closed last, for the settings
// save: false when no such dialog was made in this run.
bool OpenFromWebCredentialsCheck(bool& Checked);

// Loads the four histories from the registry and seeds or upgrades the agent list (what the dialog's constructor
// does); 1 when every list loaded and saved, else 0.
int LoadOpenFromWebHistories();
