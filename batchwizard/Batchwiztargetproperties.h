// TWizardPropertiesForm: the properties dialog of one batch target (its text, process setting and flags, the
// subdirectory options of a folder, the agent and credentials of a web address, the follow-links settings).
#pragma once

#include "core/Batchwizclass.h"

#include "platform/controls/ComCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"

// Made once by the batch wizard window (its owner), given a target before each showing and shown modally; the
// window reads the changed flag afterwards. No taskbar button, its window parented to the batch wizard's.
class TWizardPropertiesForm : public TForm {
  Z_CLASS(TWizardPropertiesForm, TForm)
public:
  explicit TWizardPropertiesForm(TComponent* AOwner);
  void AfterConstruction() override;
  static void Publish(TMetaClass& Meta);

  TPageControl* PropertiesPageControl = nullptr;
  TTabSheet* GeneralSheet = nullptr;
  TGroupBox* OptionsGroupBox = nullptr;
  TLabel* TargetLabel = nullptr;
  TEdit* TargetEdit = nullptr;
  TCheckBox* ProcessTargetCheckBox = nullptr;
  TCheckBox* NeverValidateCheckBox = nullptr;
  TTabSheet* FileSheet = nullptr;
  TTabSheet* DirectorySheet = nullptr;
  TCheckBox* IncludeSubdirectoriesCheckBox = nullptr;
  TCheckBox* ExcludeUnderscoreDirsCheckBox = nullptr;
  TTabSheet* URLSheet = nullptr;
  TLabel* AgentLabel = nullptr;
  TEdit* AgentEdit = nullptr;
  TCheckBox* UseUPCheckBox = nullptr;
  TLabel* UsernameLabel = nullptr;
  TEdit* UsernameEdit = nullptr;
  TLabel* PasswordLabel = nullptr;
  TEdit* PasswordEdit = nullptr;
  TLabel* PasswordNoteLabel = nullptr;
  TTabSheet* FollowSheet = nullptr;
  TCheckBox* FollowLinksCheckBox = nullptr;
  TLabel* LimitToLabel = nullptr;
  TEdit* LimitToEdit = nullptr;
  TLabel* ExtensionsLabel = nullptr;
  TEdit* ExtensionsEdit = nullptr;
  TLabel* DepthLabel = nullptr;
  TEdit* DepthEdit = nullptr;
  TLabel* FollowNoteLabel = nullptr;
  TButton* OKBtn = nullptr;
  TButton* CancelBtn = nullptr;
  TButton* HelpBtn = nullptr;

  // The target shown (borrowed; set by the window before each showing) and whether OK changed it.
  batchwiztargetclass* target = nullptr;
  bool changed = false;

  void FormShow(TObject* Sender);
  // Applies what changed; a depth that is not a whole number raises the class library's conversion error after
  // the changes before it were applied.
  void OKBtnClick(TObject* Sender);
  void HelpBtnClick(TObject* Sender);
  void FollowLinksCheckBoxClick(TObject* Sender);
  void UseUPCheckBoxClick(TObject* Sender);

protected:
  void CreateParams(TCreateParams& Params) override;
};
