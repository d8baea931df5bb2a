// The engine's own windows opened for the window the user works in (the main window, the batch wizard or the
// drag-and-drop window), the chooser of the default tool for dropped files, and the start-up refusal while an
// engine window is open.
#pragma once

#include "platform/win/WinTypes.h"

class TWinControl;

// Flags of the three operations: whose window owns the dialog.
inline constexpr int DIALOG_OWNER_MAIN_WINDOW = 0;
inline constexpr int DIALOG_OWNER_BATCH_WIZARD = 1;
inline constexpr int DIALOG_OWNER_DRAG_DROP_WINDOW = 2;
inline constexpr int DIALOG_OWNER_NONE = 4;  // the options window only; the others take it as the main window

// The windows that may own the dialogs: each fills its slot while it exists and empties it when it goes (a
// window freed while registered empties its slot by itself).
enum class EngineDialogOwnerSlot { MainWindow, BatchWizard, DragDropWindow };
void SetEngineDialogOwner(EngineDialogOwnerSlot Slot, TWinControl* Window);
TWinControl* GetEngineDialogOwner(EngineDialogOwnerSlot Slot);
// The owner window for the flags (0: none, also when the slot is empty or its window has no handle yet).
// AllowNone: flags 4 mean no owner (the options window); otherwise 4 is taken as 0.
HWND EngineDialogOwnerWindow(int Flags, bool AllowNone);

// The engine's configuration editor (value passed through to the engine). A negative result is reported
// (bit 0x2); the engine's result.
int OpenConfigurationEditor(int Value, int Flags);
// The engine's options window: 1 when the engine answered 1 (the options changed, so the caller refreshes what
// depends on them), else 0; failures are silent and give 0.
int OpenValidatorOptions(int Value, int Flags);
// The default-tool chooser, modal, owned by the window the flags name (through the run-time state's dialog
// parent, which is null again when this returns); its modal result, or DIALOG_NOT_MADE.
inline constexpr int DIALOG_NOT_MADE = -1;
int ShowDragDropToolDialog(int Flags);

// The exit code of a start-up that finds the engine's options window or configuration editor open.
inline constexpr int STARTUP_ENGINE_WINDOW_OPEN = 10;
// When the engine's options window or configuration editor is open (in any process of the user): says that
// they must be closed first, brings that window forward and returns STARTUP_ENGINE_WINDOW_OPEN; else 0.
int RefuseWhileEngineWindowsOpen();
