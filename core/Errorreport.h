// The reporters of internal and engine failures, and what they need of the main window's message box.
#pragma once

#include "core/Strstore.h"

#include <functional>

// Flags of the main window's message box.
inline constexpr int MSGBOX_ERROR = 0x1;        // error icon
inline constexpr int MSGBOX_INFORMATION = 0x2;  // information icon
inline constexpr int MSGBOX_QUESTION = 0x4;     // Yes/No question; the answer (IDYES 6) is the result
inline constexpr int MSGBOX_NO_STATUS = 0x100;  // do not also write the text into the status bar
inline constexpr int MSGBOX_NO_BOX = 0x200;     // status bar only

// The main window's message box: owned by the main window and forced to the foreground; an empty caption becomes
// "ZUB Quillon Pro". Result 0 except for questions. The main window implements it and registers itself while it
// exists.
class MainWindowMessageBox {
public:
  virtual ~MainWindowMessageBox() = default;
  virtual int ShowMessageBox(const StrStore& Text, const StrStore& Caption, int Flags) = 0;
};
// Registers the main window's box (null: there is none, before start-up created it or after shutdown).
void SetMainWindowMessageBox(MainWindowMessageBox* Box);
MainWindowMessageBox* GetMainWindowMessageBox();

// Bits of ReportEngineError: the engine call that failed.
inline constexpr unsigned short ENGINE_FAILED_CONFIGURATION = 0x1;
inline constexpr unsigned short ENGINE_FAILED_CONFIGURATION_EDITOR = 0x2;
inline constexpr unsigned short ENGINE_FAILED_GETNEWHANDLE = 0x4;
inline constexpr unsigned short ENGINE_FAILED_SETINTEGER = 0x8;
inline constexpr unsigned short ENGINE_FAILED_RUNJOB = 0x10;
inline constexpr unsigned short ENGINE_FAILED_FREEHANDLE = 0x20;
inline constexpr unsigned short ENGINE_FAILED_SETSTRING = 0x40;
inline constexpr unsigned short ENGINE_FAILED_GETFLAG = 0x80;
inline constexpr unsigned short ENGINE_FAILED_SETFLAG = 0x100;
inline constexpr unsigned short ENGINE_FAILED_SETSTRING3 = 0x200;

// The maker's support address, named in the engine failure texts.
inline constexpr const char ZUB_SUPPORT_ADDRESS[] = "support@palvane.com";

// Gives the name of the engine's configuration file (engine string 7000 of the configuration handle) for the
// text of bit 0x1. The engine binding connects it; without it the name is empty.
using EngineConfigurationNameHook = std::function<StrStore()>;
void SetEngineConfigurationNameHook(EngineConfigurationNameHook Hook);

// Shows "ZUB Quillon error in function or function call for <Name>(): <Reason>" in the platform message box
// (no owner, error icon, foreground, caption "ZUB Quillon Error") and returns Code, so that callers report and
// return in one statement.
int ReportInternalError(int Code, const char* Name, const char* Reason);
// Kind 1: "NULL passed for needed parameter" for Name; any other kind reports an internal error under the name
// "ZUBError". The result of ReportInternalError.
int ZUBError(int Code, const char* Name, int Kind);
// Shows the fixed text of the highest known bit of Mask: through the main window's box when it exists, else the
// platform message box. Nothing for a mask without known bits. 0.
int ReportEngineError(unsigned short Mask);
