// The commands and events whose work is not built yet: each command tells the user so, each event does nothing,
// and each operation that others call answers as if there were nothing to do.
#include "mainwindow/Quickeditmainform.h"

#include "core/Prgclass.h"

void TZUBQEForm::PendingCommand() {
  if (prg && prg->volatileState && prg->volatileState->shuttingDown == 0) {
    (void)ShowInfoKind(INFO_NOT_IMPLEMENTED);  // the information box has no answer to act on
  }
}

// ---- Commands ---------------------------------------------------------------------------------------------------

// ---- Events -----------------------------------------------------------------------------------------------------

// ---- Operations -------------------------------------------------------------------------------------------------
