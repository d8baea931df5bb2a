// TBatchWizardServices: what the application core and the main window ask of the batch wizard, answered by its
// window, which it makes on first use.
#pragma once

#include "core/Mainwindowservices.h"

class TBatchWizardForm;

// One per program, registered by the start-up (tests register their own) for as long as the batch wizard can be
// shown. The window it makes belongs to the application.
class TBatchWizardServices : public BatchWizardServices {
public:
  TForm* BatchWizardForm() override;
  bool CreateBatchWizardForm() override;
  int ShowBatchWizard(TObject* Sender, int Flags) override;
  void RestoreWindow(int Flags) override;
  void StartFirstShowing(TObject* Sender) override;
  bool IsAboutItem(TObject* MenuItem) override;
  HWND GetWindowHandle() override;
  void RefreshWindowState() override;
  void UpdateCommandStates() override;
  // While a run is active the user is not asked: Stop is pressed for them and 1 cancels the caller's operation
  // (closing the program under a running batch would free what the run works on); asked again once it ended.
  int QuerySaveTargetList(int Flags) override;
  void OptionsWizardClick() override;
  int OpenTargetList(const char* FileName, int Flags) override;
  // A run of a list named on the command line uses the Validate tool.
  void FileStartProcessingClick() override;
  int ProcessTargets(TObject* Sender, PointerArrayManager* Documents, int Flags) override;
};

// Registers the program's batch wizard services (made once, kept to the end of the process).
void RegisterBatchWizardServices();
