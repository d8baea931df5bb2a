// The platform message box and the dialog service that answers it: scripted answers for tests, a real dialog later.
#pragma once

#include "platform/win/WinTypes.h"

#include <functional>
#include <string>
#include <vector>

// Button sets (the low four bits of the type).
inline constexpr UINT MB_OK = 0x00000000;
inline constexpr UINT MB_OKCANCEL = 0x00000001;
inline constexpr UINT MB_ABORTRETRYIGNORE = 0x00000002;
inline constexpr UINT MB_YESNOCANCEL = 0x00000003;
inline constexpr UINT MB_YESNO = 0x00000004;
inline constexpr UINT MB_RETRYCANCEL = 0x00000005;
inline constexpr UINT MB_TYPEMASK = 0x0000000F;
// Icons.
inline constexpr UINT MB_ICONHAND = 0x00000010;
inline constexpr UINT MB_ICONERROR = MB_ICONHAND;
inline constexpr UINT MB_ICONSTOP = MB_ICONHAND;
inline constexpr UINT MB_ICONQUESTION = 0x00000020;
inline constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
inline constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
inline constexpr UINT MB_ICONASTERISK = 0x00000040;
inline constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
inline constexpr UINT MB_ICONMASK = 0x000000F0;
// Default button.
inline constexpr UINT MB_DEFBUTTON1 = 0x00000000;
inline constexpr UINT MB_DEFBUTTON2 = 0x00000100;
inline constexpr UINT MB_DEFBUTTON3 = 0x00000200;
inline constexpr UINT MB_DEFMASK = 0x00000F00;
// Modality and placement.
inline constexpr UINT MB_APPLMODAL = 0x00000000;
inline constexpr UINT MB_SYSTEMMODAL = 0x00001000;
inline constexpr UINT MB_TASKMODAL = 0x00002000;
inline constexpr UINT MB_SETFOREGROUND = 0x00010000;
inline constexpr UINT MB_TOPMOST = 0x00040000;

// Results: the button that closed the box.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// One message box as it was asked for, and how it was answered.
struct TMessageBoxRecord {
  HWND Owner = 0;
  std::string Text;     // a null text is recorded as ""
  std::string Caption;  // a null caption is recorded as "Error", the platform's default
  UINT Type = 0;
  int Result = 0;
  bool Scripted = false;  // answered from the queue of answers
  bool Defaulted = false; // nobody answered: the default button's result was returned
};

// Shows a message box and returns the button that closed it (IDOK...), or 0 with ERROR_INVALID_PARAMETER for an
// unknown button set. It never blocks under tests. The dialog service answers, in this order:
//  1. the next answer queued with DialogServiceQueueAnswer (whatever the box's buttons);
//  2. the interactive handler (a real dialog), when one is installed, scripted mode is off and a display exists;
//  3. otherwise the default button's result (MB_DEFBUTTONn; a default beyond the buttons is the first button),
//     with a line on stderr saying that the box was answered unseen.
// Every call is recorded (DialogServiceCalls), whoever answered it.
int MessageBox(HWND Owner, LPCSTR Text, LPCSTR Caption, UINT Type);

// The result MessageBox gives a box of this type when nobody answers it; 0 for an unknown button set.
int MessageBoxDefaultResult(UINT Type);

// Shows a real dialog for the record (Result not yet filled) and returns the button pressed; returning 0 declines,
// and the default button's result is used. The window system installs one that shows a Qt dialog.
using TInteractiveDialogHandler = std::function<int(const TMessageBoxRecord& Box)>;
// Installs the handler (an empty one removes it) and returns the previous one.
TInteractiveDialogHandler SetInteractiveDialogHandler(TInteractiveDialogHandler Handler);

// Scripted mode keeps the interactive handler from being called: boxes get queued answers or their defaults. It
// is on when the environment sets ZUBQ_SCRIPTED_DIALOGS=1 or QT_QPA_PLATFORM=offscreen (as the test runner does),
// or after DialogServiceSetScripted(true).
void DialogServiceSetScripted(bool Scripted);
bool DialogServiceIsScripted();

// The queue of answers for the coming boxes, first in first out.
void DialogServiceQueueAnswer(int Result);
int DialogServicePendingAnswers();
// The boxes shown since the last reset, oldest first.
std::vector<TMessageBoxRecord> DialogServiceCalls();
// Forgets the recorded boxes and the queued answers (the handler and the scripted switch stay).
void DialogServiceReset();
