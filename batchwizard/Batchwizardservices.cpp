// The batch wizard's services: the window made on first use and the core's and main window's calls into it.
#include "batchwizard/Batchwizardservices.h"

#include "batchwizard/Batchjob.h"
#include "batchwizard/Batchwizard.h"
#include "core/Mainsetup.h"
#include "core/Prgclass.h"

#include "platform/controls/Forms.h"

TForm* TBatchWizardServices::BatchWizardForm() { return BatchWizardWindow(); }

bool TBatchWizardServices::CreateBatchWizardForm() {
  if (BatchWizardWindow() != nullptr) {
    return true;
  }
  TBatchWizardForm* Form = nullptr;
  Application->CreateForm(Form);
  return Form != nullptr;
}

int TBatchWizardServices::ShowBatchWizard(TObject* Sender, int Flags) { return ::ShowBatchWizard(Sender, Flags); }

void TBatchWizardServices::RestoreWindow(int Flags) {
  if (TBatchWizardForm* Form = BatchWizardWindow()) {
    Form->RestoreWindow(Flags);
  }
}

void TBatchWizardServices::StartFirstShowing(TObject* Sender) {
  if (TBatchWizardForm* Form = BatchWizardWindow()) {
    (void)Form->OpenTargetList(Sender, nullptr, OPENLIST_REOPEN);  // 1 without a last list; failures were shown
  }
}

bool TBatchWizardServices::IsAboutItem(TObject* MenuItem) {
  const TBatchWizardForm* Form = BatchWizardWindow();
  return Form != nullptr && MenuItem != nullptr && MenuItem == Form->HelpAbout;
}

HWND TBatchWizardServices::GetWindowHandle() {
  TBatchWizardForm* Form = BatchWizardWindow();
  return Form != nullptr ? Form->Handle() : 0;
}

void TBatchWizardServices::RefreshWindowState() {
  if (TBatchWizardForm* Form = BatchWizardWindow()) {
    Form->RefreshWindowState();
  }
}

void TBatchWizardServices::UpdateCommandStates() {
  if (TBatchWizardForm* Form = BatchWizardWindow()) {
    Form->UpdateCommandStates();
  }
}

int TBatchWizardServices::QuerySaveTargetList(int) {
  TBatchWizardForm* Form = BatchWizardWindow();
  if (Form == nullptr) {
    return 0;
  }
  if (Form->running != 0) {
    Form->Stop();
    return 1;
  }
  return Form->QuerySaveTargetList();
}

void TBatchWizardServices::OptionsWizardClick() {
  if (TBatchWizardForm* Form = BatchWizardWindow()) {
    Form->OptionsWizardClick(nullptr);
  }
}

int TBatchWizardServices::OpenTargetList(const char* FileName, int Flags) {
  TBatchWizardForm* Form = BatchWizardWindow();
  return Form != nullptr ? Form->OpenTargetList(nullptr, FileName, Flags) : 1;
}

void TBatchWizardServices::FileStartProcessingClick() {
  TBatchWizardForm* Form = BatchWizardWindow();
  if (Form == nullptr) {
    return;
  }
  if (batchwizclass* S = BatchSettings(); S != nullptr && S->runKind == 1) {
    S->runKind = 0;
    S->toolNumber = TOOL_VALIDATE;
  }
  Form->FileStartProcessingClick(nullptr);
}

int TBatchWizardServices::ProcessTargets(TObject* Sender, PointerArrayManager* Documents, int Flags) {
  TBatchWizardForm* Form = BatchWizardWindow();
  return Form != nullptr ? Form->ProcessTargets(Sender, Documents, Flags) : 1;
}

void RegisterBatchWizardServices() {
  static TBatchWizardServices* Services = new TBatchWizardServices;  // lives to the end of the process
  SetBatchWizardServices(Services);
}
