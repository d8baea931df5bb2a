// Answers the main window's open and save dialogs as a user would: each showing of the dialog gets the next
// answer (a typed name and the dialog's OK button, or Cancel), from inside the dialog's own loop.
#pragma once

#include "shell/Uptopendlg.h"
#include "tests/support/ModalWindowDriver.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace FileDialogSteps {

// Cancel instead of a name.
inline const std::string CancelDialog = "<cancel>";

// Runs Action, which shows the dialog of that caption once or more; showing I gets Answers[I]. Returns how many
// showings were answered; a showing beyond the answers is cancelled (and fails the test), so nothing waits.
inline int Answer(const std::string& Caption, const std::vector<std::string>& Answers,
                  const std::function<void()>& Action) {
  std::vector<std::unique_ptr<TestSupport::TModalWindowDriver>> Drivers;
  int Answered = 0;
  for (std::size_t I = 0; I <= Answers.size(); ++I) {
    Drivers.push_back(std::make_unique<TestSupport::TModalWindowDriver>(Caption, [&, I](TForm& Form) {
      auto& Dialog = dynamic_cast<TPTFrmOpenDlg&>(Form);
      if (I == Answers.size()) {
        ADD_FAILURE() << "the dialog \"" << Caption << "\" showed more often than answered";
        TestSupport::TModalWindowDriver::Press(Dialog, "CancelBtn");
        return;
      }
      ++Answered;
      if (Answers[I] == CancelDialog) {
        TestSupport::TModalWindowDriver::Press(Dialog, "CancelBtn");
      } else {
        Dialog.FileNameEdt->SetText(Answers[I]);
        TestSupport::TModalWindowDriver::Press(Dialog, "OpenBtn");
      }
      // The next showing is driven once this one has closed: its drive message waits behind the button's.
      Drivers[I + 1]->Arm();
    }));
  }
  Drivers.front()->Arm();
  Action();
  // A drive message left over (the dialog showed no more) is dropped with its driver's window.
  Drivers.clear();
  Harness::RunUntilIdle();
  return Answered;
}

}  // namespace FileDialogSteps
