// The registration of the main window's services.
#include "core/Mainwindowservices.h"

#include "platform/classes/TypInfo.h"
#include "platform/controls/Forms.h"
#include "platform/rtl/Exceptions.h"

namespace {

MainWindowServices* Registered = nullptr;

MainWindowServices& Idle() {
  static MainWindowServices None;
  return None;
}

}  // namespace

void SetMainWindowServices(MainWindowServices* Services) { Registered = Services; }

MainWindowServices& MainWindow() { return Registered != nullptr ? *Registered : Idle(); }

bool HasMainWindow() { return Registered != nullptr; }

// ---- The main form's components and handlers by name ------------------------------------------------------

TComponent* MainFormComponent(const char* Name) {
  TForm* Form = MainWindow().MainForm();
  return Form != nullptr && Name != nullptr ? Form->FindComponent(Name) : nullptr;
}

bool BindMainFormHandler(TPersistent* Instance, const char* Event, const char* Method) {
  TForm* Form = MainWindow().MainForm();
  if (Form == nullptr || Instance == nullptr) {
    return false;
  }
  const TMethodEntry* Code = MethodAddress(Form->ClassType(), Method);
  PPropInfo Info = GetPropInfo(Instance, Event);
  if (Code == nullptr || Info == nullptr || Info->PropType == nullptr || Info->PropType->Kind != tkMethod) {
    return false;
  }
  try {
    SetMethodProp(Instance, Info, TMethod{Code, Form});
  } catch (const Exception&) {
    // A handler of another signature than the event's: the event keeps what it had.
    return false;
  }
  return true;
}

// ---- The batch wizard ---------------------------------------------------------------------------------------

namespace {

BatchWizardServices* RegisteredBatchWizard = nullptr;
bool BatchWizardFirstShowingTaken = false;

BatchWizardServices& NoBatchWizard() {
  static BatchWizardServices None;
  return None;
}

}  // namespace

void SetBatchWizardServices(BatchWizardServices* Services) {
  RegisteredBatchWizard = Services;
  BatchWizardFirstShowingTaken = false;
}

BatchWizardServices& BatchWizard() {
  return RegisteredBatchWizard != nullptr ? *RegisteredBatchWizard : NoBatchWizard();
}

bool HasBatchWizard() { return RegisteredBatchWizard != nullptr; }

bool TakeBatchWizardFirstShowing() {
  const bool First = !BatchWizardFirstShowingTaken;
  BatchWizardFirstShowingTaken = true;
  return First;
}
