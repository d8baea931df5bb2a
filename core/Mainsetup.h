// Set-up functions that give every control of a kind the same settings (editors, text stores, tab controls, menu
// bars, result trees), and the functions that place, raise and focus forms.
#pragma once

#include "platform/win/WinTypes.h"

#include <climits>

class TComponent;
class TControl;
class TCustomEasyEdit;
class TCustomEasyEditSource;
class TCustomForm;
class TImageList;
class TObject;

// Roles of SetupEditSource (the settings are the same for every role).
inline constexpr int EDITSOURCE_DOCUMENT = 0;
inline constexpr int EDITSOURCE_RESULTS_MESSAGE = 2;

// Roles of SetupEditor: the first matching role wins.
inline constexpr int EDITOR_DOCUMENT = 0;
inline constexpr int EDITOR_STRUCTURE = 1;
inline constexpr int EDITOR_RESULTS_MESSAGE = 2;
inline constexpr int EDITOR_SCRATCH_PAD_1 = 4;
inline constexpr int EDITOR_SCRATCH_PAD_2 = 8;
inline constexpr int EDITOR_PLAIN_VIEWER = 0x10;

// Flags of AddLineStyles: 1 the document's four styles (warning, error, message, structure), 2 the structure
// style alone. Lines refer to the styles by position.
inline constexpr int LINESTYLES_DOCUMENT = 1;
inline constexpr int LINESTYLES_STRUCTURE = 2;
inline constexpr int LINESTYLE_WARNING = 0;
inline constexpr int LINESTYLE_ERROR = 1;
inline constexpr int LINESTYLE_MESSAGE = 2;
inline constexpr int LINESTYLE_STRUCT = 3;

// Flags of SetupTreeView: 1, 2 and 8 make a results tree, 4 the structure tree.
inline constexpr int TREEVIEW_RESULTS_MASK = 0x1 | 0x2 | 0x8;
inline constexpr int TREEVIEW_STRUCTURE = 0x4;

// Flag of SetupTabControl, SetupMenuBar (1 or 2), ApplyEditorAppearance and GetDialogOwnerHandle: do the work.
inline constexpr int SETUP_APPLY = 1;
inline constexpr int SETUP_MENUBAR_MASK = 0x1 | 0x2;

// Flags of BringFormToFront, applied in the order listed below. BRINGFRONT_STANDARD stands for the usual set.
inline constexpr int BRINGFRONT_STANDARD = 0x1;
inline constexpr int BRINGFRONT_SHOW = 0x2;
inline constexpr int BRINGFRONT_FOCUS = 0x4;
inline constexpr int BRINGFRONT_FOREGROUND = 0x8;
inline constexpr int BRINGFRONT_ACTIVATE = 0x10;
inline constexpr int BRINGFRONT_UNMINIMIZE = 0x20;
inline constexpr int BRINGFRONT_RESTORE_APPLICATION = 0x40;
inline constexpr int BRINGFRONT_KEEP_APPLICATION = 0x80;

// States of SetFormWindowState.
inline constexpr int FORMSTATE_RESTORE = 0;
inline constexpr int FORMSTATE_MINIMIZE = 1;
inline constexpr int FORMSTATE_MAXIMIZE = 2;

// Results of SafeSetFocus.
inline constexpr int FOCUS_NOT_POSSIBLE = 0;
inline constexpr int FOCUS_SET = 1;
inline constexpr int FOCUS_SET_ON_SPLASH = 2;

// Flag of ShowBatchWizard: the window is shown for a command, so its first showing starts nothing of its own.
inline constexpr int BATCHWIZARD_NO_START = 0x1;

// A value of PlaceFormOnScreen taken from the form.
inline constexpr int PLACE_FROM_FORM = INT_MIN;

// Turns the editor's global settings off and gives it the settings of its role, then the settings every editor
// shares. Components and handlers of the main window (popup menus, the parser, OnEnter...) are found on the
// registered main form by name; without one they stay as they are. 0, -1 for no editor.
int SetupEditor(TCustomEasyEdit* Editor, int Role);
// Appends the line styles of the flags to the editor's collection, in their fixed order.
void AddLineStyles(TCustomEasyEdit* Editor, int Flags);
// Sets the tab stops from the tab-stops option (an option the store refuses is reset to "3,6,9,12"), turns the
// global settings on and sets the store options the program relies on. 0, -1 for no source.
inline constexpr int SETUP_NO_SOURCE = -1;
int SetupEditSource(TCustomEasyEditSource* Source, int Role);
// With flag 1: hot tracking and double buffering on. 0, -1 for no control (or one that is not a tab control).
int SetupTabControl(TComponent* TabControl, int Flags);
// With flag 1 or 2 the toolbar becomes a menu bar without close button that processes shortcuts. 0.
int SetupMenuBar(TComponent* Toolbar, int Flags);
// The settings every tree of the main window shares, then those of a results tree (flags 1, 2, 8: its events and
// popup go to the main form) or of the structure tree (flag 4). 0.
int SetupTreeView(TComponent* Tree, int Flags);
// With flag 1: the editor takes the option font, colours and line-number colour, and selects beyond the line end
// unless the interface asks to select only text. Throws what the editor throws.
void ApplyEditorAppearance(TCustomEasyEdit* Editor, int Flags);
// Sets the form's bounds, moved back onto the screen when they lie outside; PLACE_FROM_FORM takes a value from the
// form. 0.
int PlaceFormOnScreen(TCustomForm* Form, int Left, int Top, int Width, int Height);
// Restores, shows, raises and focuses the form by flags (BRINGFRONT_*). 0, -1 for no form.
int BringFormToFront(TCustomForm* Form, int Flags);
// Maximises (2), minimises (1) or restores (0, when minimised or maximised) the form through WM_SYSCOMMAND, so that
// its handlers run as for the user; any other state is set directly. 0, -1 for no form; nothing while shutting
// down.
int SetFormWindowState(TCustomForm* Form, int State);
// Focuses the control when it can take the focus: FOCUS_SET, or FOCUS_SET_ON_SPLASH when the control is the splash
// window; FOCUS_NOT_POSSIBLE while shutting down, for a hidden control or one that cannot take the focus.
int SafeSetFocus(TControl* Control);
// Makes the batch wizard window when it does not exist, restores and shows it, and on its first showing without
// BATCHWIZARD_NO_START lets it start with the sender. 0 (also when there is no batch wizard).
int ShowBatchWizard(TObject* Sender, int Flags);
// The last validated tool file becomes the last validated file, which is validated again by name. 0.
int RevalidateLastDocument();
// The window that owns a dialog opened from the menu item: the batch wizard's for its own "About" item, else the
// main window's; 0 without flag 1 or window.
HWND GetDialogOwnerHandle(TObject* MenuItem, int Flags);
// A new image list owned by the control.
TImageList* NewImageList(TComponent* Owner);
