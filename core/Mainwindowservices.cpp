// The registration of the main window's services.
#include "core/Mainwindowservices.h"

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

namespace {

BatchWizardServices* RegisteredBatchWizard = nullptr;

}  // namespace

void SetBatchWizardServices(BatchWizardServices* Services) { RegisteredBatchWizard = Services; }

BatchWizardServices& BatchWizard() {
  static BatchWizardServices None;
  return RegisteredBatchWizard != nullptr ? *RegisteredBatchWizard : None;
}
