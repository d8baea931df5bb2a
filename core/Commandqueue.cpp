// The command queue's first-run commands.
#include "core/Commandqueue.h"

#include "core/Volatileclass.h"

int QueueFirstRunCommands(volatileclass* State) {
  if (State == nullptr) {
    return 0;
  }
  State->stateFlags.set(VSF::FirstRun, true);
  return State->commandQueue.addString(FIRST_RUN_COMMAND, ADDSTRING_AT_END);
}
