// The target properties dialog: its pages by target kind, the enabling rules and what OK applies.
#include "batchwizard/Batchwiztargetproperties.h"

#include "batchwizard/Batchjob.h"
#include "core/Errorreport.h"
#include "core/Flagword.h"
#include "core/Pathprocessor.h"
#include "core/Prgclass.h"
#include "core/Settings.h"
#include "core/Volatileclass.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/SysUtils.h"

#include <string>

namespace {

void RegisterLayoutClasses() {
  RegisterClasses({TPageControl::StaticClass(), TTabSheet::StaticClass(), TGroupBox::StaticClass(),
                   TLabel::StaticClass(), TEdit::StaticClass(), TCheckBox::StaticClass(), TButton::StaticClass()});
}

std::string TargetText(batchwiztargetclass* T, int Selector) {
  const char* S = T->getString(Selector | TGET_EMPTY_NOT_NULL);
  return S != nullptr ? S : "";
}

// The extensions a target follows when it names none of its own.
std::string DefaultExtensions() {
  const batchwizclass* S = BatchSettings();
  return S != nullptr ? S->followLinkExtensions.text : "";
}

bool ProtectPasswords() {
  return prg != nullptr && prg->interface != nullptr && prg->interface->flags3.has(IF3::PasswordSecurity);
}

}  // namespace

Z_IMPLEMENT_CLASS_PUBLISHED(TWizardPropertiesForm, TForm, TWizardPropertiesForm::Publish)

void TWizardPropertiesForm::Publish(TMetaClass& Meta) {
  TPublisher<TWizardPropertiesForm> P(Meta);
  using F = TWizardPropertiesForm;
#define ZUBQ_FIELD(N) P.Field(#N, &F::N)
  ZUBQ_FIELD(PropertiesPageControl);
  ZUBQ_FIELD(GeneralSheet);
  ZUBQ_FIELD(OptionsGroupBox);
  ZUBQ_FIELD(TargetLabel);
  ZUBQ_FIELD(TargetEdit);
  ZUBQ_FIELD(ProcessTargetCheckBox);
  ZUBQ_FIELD(NeverValidateCheckBox);
  ZUBQ_FIELD(FileSheet);
  ZUBQ_FIELD(DirectorySheet);
  ZUBQ_FIELD(IncludeSubdirectoriesCheckBox);
  ZUBQ_FIELD(ExcludeUnderscoreDirsCheckBox);
  ZUBQ_FIELD(URLSheet);
  ZUBQ_FIELD(AgentLabel);
  ZUBQ_FIELD(AgentEdit);
  ZUBQ_FIELD(UseUPCheckBox);
  ZUBQ_FIELD(UsernameLabel);
  ZUBQ_FIELD(UsernameEdit);
  ZUBQ_FIELD(PasswordLabel);
  ZUBQ_FIELD(PasswordEdit);
  ZUBQ_FIELD(PasswordNoteLabel);
  ZUBQ_FIELD(FollowSheet);
  ZUBQ_FIELD(FollowLinksCheckBox);
  ZUBQ_FIELD(LimitToLabel);
  ZUBQ_FIELD(LimitToEdit);
  ZUBQ_FIELD(ExtensionsLabel);
  ZUBQ_FIELD(ExtensionsEdit);
  ZUBQ_FIELD(DepthLabel);
  ZUBQ_FIELD(DepthEdit);
  ZUBQ_FIELD(FollowNoteLabel);
  ZUBQ_FIELD(OKBtn);
  ZUBQ_FIELD(CancelBtn);
  ZUBQ_FIELD(HelpBtn);
#undef ZUBQ_FIELD
}

TWizardPropertiesForm::TWizardPropertiesForm(TComponent* AOwner) : TForm((RegisterLayoutClasses(), AOwner)) {}

void TWizardPropertiesForm::AfterConstruction() {
  TForm::AfterConstruction();
  OnShow = [this](TObject* Sender) { FormShow(Sender); };
  OKBtn->OnClick = [this](TObject* Sender) { OKBtnClick(Sender); };
  HelpBtn->OnClick = [this](TObject* Sender) { HelpBtnClick(Sender); };
  FollowLinksCheckBox->OnClick = [this](TObject* Sender) { FollowLinksCheckBoxClick(Sender); };
  UseUPCheckBox->OnClick = [this](TObject* Sender) { UseUPCheckBoxClick(Sender); };
}

void TWizardPropertiesForm::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  Params.ExStyle &= ~WS_EX_APPWINDOW;
  if (auto* Owner = dynamic_cast<TWinControl*>(this->Owner()); Owner != nullptr && Owner->HandleAllocated()) {
    Params.WndParent = Owner->Handle();
  }
}

void TWizardPropertiesForm::FormShow(TObject*) {
  changed = false;
  batchwiztargetclass* T = target;
  PropertiesPageControl->SetActivePage(GeneralSheet);
  FileSheet->SetTabVisible(false);
  DirectorySheet->SetTabVisible(false);
  URLSheet->SetTabVisible(false);
  FollowSheet->SetTabVisible(true);
  if (T == nullptr) {
    return;
  }
  const std::string Name = TargetText(T, TGET_DISPLAY_NAME2);
  SetCaption("Target Properties for " + Name);
  TargetEdit->SetText(Name);
  ProcessTargetCheckBox->SetChecked(T->has(TARGET_PROCESS));
  NeverValidateCheckBox->SetChecked(T->has(TARGET_NEVER_VALIDATE));
  if (T->has(TARGET_DIRECTORY)) {
    DirectorySheet->SetTabVisible(true);
    IncludeSubdirectoriesCheckBox->SetChecked(T->has(TARGET_INCLUDE_SUB));
    ExcludeUnderscoreDirsCheckBox->SetChecked(T->has(TARGET_SKIP_SPECIAL_FOLDERS));
  }
  if (T->has(TARGET_URL)) {
    URLSheet->SetTabVisible(true);
    AgentEdit->SetText(TargetText(T, TGET_AGENT));
    UsernameEdit->SetText(TargetText(T, TGET_USER));
    PasswordEdit->SetText(TargetText(T, TGET_PASSWORD));
    UseUPCheckBox->SetChecked(T->getInt(TINT_USES_CREDENTIALS) != 0);
    PasswordEdit->SetPasswordChar(ProtectPasswords() ? '*' : '\0');
    UseUPCheckBoxClick(this);
  }
  FollowLinksCheckBox->SetChecked(T->has(TARGET_FOLLOW_LINKS));
  LimitToEdit->SetText(TargetText(T, TGET_LIMIT_TO));
  const std::string Extensions = TargetText(T, TGET_EXTENSIONS);
  ExtensionsEdit->SetText(Extensions.empty() ? DefaultExtensions() : Extensions);
  DepthEdit->SetText(std::to_string(T->getInt(TINT_DEPTH_LIMIT)));
  FollowLinksCheckBoxClick(this);
}

void TWizardPropertiesForm::UseUPCheckBoxClick(TObject*) {
  const bool On = UseUPCheckBox->Checked();
  for (TControl* C : std::initializer_list<TControl*>{UsernameEdit, UsernameLabel, PasswordEdit, PasswordLabel}) {
    C->SetEnabled(On);
  }
}

void TWizardPropertiesForm::FollowLinksCheckBoxClick(TObject*) {
  const bool On = FollowLinksCheckBox->Checked();
  for (TControl* C : std::initializer_list<TControl*>{LimitToEdit, LimitToLabel, ExtensionsEdit, ExtensionsLabel,
                                                      DepthEdit, DepthLabel}) {
    C->SetEnabled(On);
  }
  if (!On || target == nullptr || !LimitToEdit->Text().empty()) {
    return;
  }
  // The folder the target lies in (a folder target's own), as the address a follow is limited to.
  const bool Url = target->has(TARGET_URL);
  const int Flags = Url ? (RESOLVE_URL | RESOLVE_BASE_DOCUMENT)
                        : (target->has(TARGET_DIRECTORY) ? RESOLVE_FILE : (RESOLVE_FILE | RESOLVE_BASE_DOCUMENT));
  int Code = PATH_RESOLVED;
  const StrStore Folder = ResolveRelativePath(target->targetText.text, "./", Flags, &Code);
  if (Code == PATH_RESOLVED && Folder.length > 0) {
    LimitToEdit->SetText(Folder.text);
  }
}

void TWizardPropertiesForm::OKBtnClick(TObject*) {
  batchwiztargetclass* T = target;
  if (T == nullptr) {
    ModalResult = mrOk;
    return;
  }
  PointerArrayManager* List = BatchTargetList();
  const std::string NewText = TargetEdit->Text();
  if (NewText != TargetText(T, TGET_DISPLAY_NAME2) && T->setString(NewText.c_str(), TSET_TEXT) == 0) {
    changed = true;
  }
  auto SetBits = [&](std::initializer_list<std::pair<unsigned, bool>> Bits) {
    unsigned Word = T->targetFlags;
    for (const auto& [Bit, On] : Bits) {
      Word = On ? (Word | Bit) : (Word & ~Bit);
    }
    if (Word != T->targetFlags) {
      (void)T->setInt(List, static_cast<int>(Word), TINT_FLAGS);  // always 0
      changed = true;
    }
  };
  SetBits(
      {{TARGET_PROCESS, ProcessTargetCheckBox->Checked()}, {TARGET_NEVER_VALIDATE, NeverValidateCheckBox->Checked()}});
  if (T->has(TARGET_DIRECTORY)) {
    SetBits({{TARGET_INCLUDE_SUB, IncludeSubdirectoriesCheckBox->Checked()},
             {TARGET_SKIP_SPECIAL_FOLDERS, ExcludeUnderscoreDirsCheckBox->Checked()}});
  }
  if (T->has(TARGET_URL)) {
    auto SetText = [&](TEdit* Edit, int Get, int Set) {
      if (Edit->Text() != TargetText(T, Get) && T->setString(Edit->Text().c_str(), Set) == 0) {
        changed = true;
      }
    };
    SetText(AgentEdit, TGET_AGENT, TSET_AGENT);
    const bool Use = UseUPCheckBox->Checked();
    if (Use) {
      SetText(UsernameEdit, TGET_USER, TSET_USER);
      SetText(PasswordEdit, TGET_PASSWORD, TSET_PASSWORD);
    }
    if (Use != (T->getInt(TINT_USES_CREDENTIALS) != 0)) {
      (void)T->setInt(List, Use ? 1 : 0, TINT_CREDENTIALS);  // always 0
      changed = true;
    }
  }
  const bool Follow = FollowLinksCheckBox->Checked();
  SetBits({{TARGET_FOLLOW_LINKS, Follow}});
  if (Follow) {
    const std::string Limit = LimitToEdit->Text();
    if (Limit != TargetText(T, TGET_LIMIT_TO) && T->setString(Limit.c_str(), TSET_LIMIT_TO) == 0) {
      changed = true;
    }
    const std::string Extensions = ExtensionsEdit->Text();
    const std::string Own = TargetText(T, TGET_EXTENSIONS);
    // The default list shown for a target without its own is not a change.
    const bool Same = Own.empty() ? Extensions == DefaultExtensions() : Extensions == Own;
    if (!Same && T->setString(Extensions.c_str(), TSET_EXTENSIONS) == 0) {
      changed = true;
    }
    const int Depth = StrToInt(DepthEdit->Text());  // raises the conversion error for a text that is no number
    const int Stored = Depth < -1 ? -1 : Depth;
    if (Stored != T->getInt(TINT_DEPTH_LIMIT)) {
      (void)T->setInt(List, Stored, TINT_DEPTH);  // always 0
      changed = true;
    }
  }
  if (changed) {
    MarkTargetListModified(List);
  }
  ModalResult = mrOk;
}

void TWizardPropertiesForm::HelpBtnClick(TObject*) {
  const char* Folder =
      prg != nullptr && prg->volatileState != nullptr ? prg->volatileState->documentationFolder.text : "";
  if (!DisplayHelpTopic(Application->Handle(), "wizardtargetproperties.html", Folder)) {
    (void)ReportInternalError(-1, "HelpBtnClick", "can't get help file");  // the report is the whole answer
  }
}
