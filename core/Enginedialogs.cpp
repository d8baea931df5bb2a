// The engine's windows opened for an owner, the default-tool chooser and the start-up refusal.
#include "core/Enginedialogs.h"

#include "core/Errorreport.h"
#include "core/Mainwindowservices.h"
#include "core/Prgclass.h"
#include "core/Validatorlib.h"

#include "platform/controls/Forms.h"
#include "platform/win/MessageBox.h"

#include <memory>

namespace {

// The three slots. A component, so that a registered window that is freed empties its slot by itself.
class TOwnerSlots : public TComponent {
public:
  TOwnerSlots() : TComponent(nullptr) {}
  void Set(EngineDialogOwnerSlot Slot, TWinControl* Window) {
    TWinControl*& S = Slots[static_cast<int>(Slot)];
    if (S == Window) {
      return;
    }
    if (S && !Holds(S, Slot)) {
      S->RemoveFreeNotification(this);
    }
    S = Window;
    if (Window) {
      Window->FreeNotification(this);
    }
  }
  TWinControl* Get(EngineDialogOwnerSlot Slot) const { return Slots[static_cast<int>(Slot)]; }

protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove) {
      for (TWinControl*& S : Slots) {
        if (S == AComponent) {
          S = nullptr;
        }
      }
    }
  }

private:
  // Whether another slot still holds the window (its notification link is then kept).
  bool Holds(TWinControl* Window, EngineDialogOwnerSlot Except) const {
    for (int I = 0; I < 3; ++I) {
      if (I != static_cast<int>(Except) && Slots[I] == Window) {
        return true;
      }
    }
    return false;
  }
  TWinControl* Slots[3] = {nullptr, nullptr, nullptr};
};

// Lives to the end of the process (windows may unregister themselves while the forms are destroyed).
TOwnerSlots& Slots() {
  static TOwnerSlots* S = new TOwnerSlots();
  return *S;
}

int ConfigHandle() {
  volatileclass* Vol = EngineOwnerState();
  return Vol ? Vol->configHandle : -1;
}

HWND HandleOf(TWinControl* Window) { return Window && Window->HandleAllocated() ? Window->Handle() : 0; }

// Sets the run-time state's dialog parent for a scope.
class TDialogParentScope {
public:
  explicit TDialogParentScope(HWND Parent) {
    if (prg && prg->volatileState) {
      prg->volatileState->dialogParent = Parent;
    }
  }
  ~TDialogParentScope() {
    if (prg && prg->volatileState) {
      prg->volatileState->dialogParent = 0;
    }
  }
  TDialogParentScope(const TDialogParentScope&) = delete;
  TDialogParentScope& operator=(const TDialogParentScope&) = delete;
};

const char* const OptionsWindowClass = "TValOptionsForm";
const char* const OptionsWindowCaption = "Validator Engine Options (Validator/Logging/Tools/Network)";
const char* const ConfigurationEditorCaption = "ZUB Quillon Pro Configuration Editor";

}  // namespace

void SetEngineDialogOwner(EngineDialogOwnerSlot Slot, TWinControl* Window) { Slots().Set(Slot, Window); }

TWinControl* GetEngineDialogOwner(EngineDialogOwnerSlot Slot) { return Slots().Get(Slot); }

HWND EngineDialogOwnerWindow(int Flags, bool AllowNone) {
  switch (Flags) {
    case DIALOG_OWNER_BATCH_WIZARD: return HandleOf(Slots().Get(EngineDialogOwnerSlot::BatchWizard));
    case DIALOG_OWNER_DRAG_DROP_WINDOW: return HandleOf(Slots().Get(EngineDialogOwnerSlot::DragDropWindow));
    case DIALOG_OWNER_NONE:
      if (AllowNone) {
        return 0;
      }
      [[fallthrough]];
    default: return HandleOf(Slots().Get(EngineDialogOwnerSlot::MainWindow));
  }
}

int OpenConfigurationEditor(int Value, int Flags) {
  const HWND Owner = EngineDialogOwnerWindow(Flags, false);
  const int R =
      ZUBCalls.ZUBOpenConfigurationEditor ? ZUBCalls.ZUBOpenConfigurationEditor(Owner, ConfigHandle(), Value) : -1;
  if (R < 0) {
    ReportEngineError(ENGINE_FAILED_CONFIGURATION_EDITOR);
  }
  return R;
}

int OpenValidatorOptions(int Value, int Flags) {
  const HWND Owner = EngineDialogOwnerWindow(Flags, true);
  if (!ZUBCalls.ZUBOpenValidatorOptions) {
    return 0;
  }
  return ZUBCalls.ZUBOpenValidatorOptions(Owner, ConfigHandle(), Value) == 1 ? 1 : 0;
}

int ShowDragDropToolDialog(int Flags) {
  std::unique_ptr<TForm> Dialog;
  {
    TDialogParentScope Parent(EngineDialogOwnerWindow(Flags, false));
    try {
      Dialog.reset(MainWindow().CreateDragDropToolForm());
    } catch (...) {
      Dialog.reset();
    }
  }
  if (!Dialog) {
    return DIALOG_NOT_MADE;
  }
  return Dialog->ShowModal();
}

int RefuseWhileEngineWindowsOpen() {
  HWND Open = FindWindow(OptionsWindowClass, OptionsWindowCaption);
  if (!Open) {
    Open = FindWindow(nullptr, ConfigurationEditorCaption);
  }
  if (!Open) {
    return 0;
  }
  MessageBox(0,
             "Before running ZUB Quillon Professional, both the options dialog box and Configuration Editor must be "
             "closed.",
             "Quillon: Close Window First", MB_OK | MB_ICONINFORMATION | MB_SETFOREGROUND);
  SetForegroundWindow(Open);
  return STARTUP_ENGINE_WINDOW_OPEN;
}
