// The registration of the main window's services.
#include "core/Mainwindowservices.h"

namespace {

MainWindowServices* Registered = nullptr;
BatchWizardServices* RegisteredBatchWizard = nullptr;

MainWindowServices& Idle() {
  static MainWindowServices None;
  return None;
}

BatchWizardServices& NoBatchWizard() {
  static BatchWizardServices None;
  return None;
}

}  // namespace

void SetMainWindowServices(MainWindowServices* Services) { Registered = Services; }

MainWindowServices& MainWindow() { return Registered != nullptr ? *Registered : Idle(); }

bool HasMainWindow() { return Registered != nullptr; }

void SetBatchWizardServices(BatchWizardServices* Services) { RegisteredBatchWizard = Services; }

BatchWizardServices& BatchWizard() {
  return RegisteredBatchWizard != nullptr ? *RegisteredBatchWizard : NoBatchWizard();
}
