// The reporters of internal and engine failures.
#include "core/Errorreport.h"

#include "platform/win/MessageBox.h"

#include <string>

namespace {

MainWindowMessageBox* MainBox = nullptr;

EngineConfigurationNameHook& ConfigurationName() {
  static EngineConfigurationNameHook Hook;
  return Hook;
}

std::string ContactSentence() {
  return std::string("Please contact Palvane (") + ZUB_SUPPORT_ADDRESS +
         ") if you believe that you've found a bug or need assistance.";
}

const UINT PlatformErrorBox = MB_OK | MB_ICONERROR | MB_SETFOREGROUND;

}  // namespace

void SetMainWindowMessageBox(MainWindowMessageBox* Box) { MainBox = Box; }

MainWindowMessageBox* GetMainWindowMessageBox() { return MainBox; }

void SetEngineConfigurationNameHook(EngineConfigurationNameHook Hook) { ConfigurationName() = std::move(Hook); }

int ReportInternalError(int Code, const char* Name, const char* Reason) {
  StrStore Text("ZUB Quillon error in function or function call for ");
  Text.append(Name).append("(): ").append(Reason);
  MessageBox(0, Text.text, "ZUB Quillon Error", PlatformErrorBox);
  return Code;
}

int ZUBError(int Code, const char* Name, int Kind) {
  if (Kind == 1) {
    return ReportInternalError(Code, Name, "NULL passed for needed parameter");
  }
  return ReportInternalError(Code, "ZUBError", "internal error in ZUBError(); an error generated another error");
}

int ReportEngineError(unsigned short Mask) {
  struct TCall {
    unsigned short Bit;
    const char* Function;
  };
  static const TCall Calls[] = {
      {ENGINE_FAILED_GETNEWHANDLE, "ZUBGetNewHandle"}, {ENGINE_FAILED_SETINTEGER, "ZUBSetInteger"},
      {ENGINE_FAILED_RUNJOB, "ZUBRunJob"},             {ENGINE_FAILED_FREEHANDLE, "ZUBFreeHandle"},
      {ENGINE_FAILED_SETSTRING, "ZUBSetString"},       {ENGINE_FAILED_GETFLAG, "ZUBGetFlag"},
      {ENGINE_FAILED_SETFLAG, "ZUBSetFlag"},           {ENGINE_FAILED_SETSTRING3, "ZUBSetString3"},
  };
  std::string Text;
  std::string Caption;
  if ((Mask & ENGINE_FAILED_CONFIGURATION) != 0) {
    const EngineConfigurationNameHook& Hook = ConfigurationName();
    const StrStore Name = Hook ? Hook() : StrStore();
    Text = std::string("There was an error opening the configuration file \"") + Name.text +
           "\". The configuration could not be loaded. If Quillon was trying to load the default configuration "
           "file (for example, at startup) then it may have tried to load an incorrect or missing configuration "
           "file. Make sure that the default configuration file specifies the correct file with full path "
           "information in the General tab of the Validator Engine Options.";
    Caption = "Quillon: Error Opening Configuration File";
  }
  if ((Mask & ENGINE_FAILED_CONFIGURATION_EDITOR) != 0) {
    Text = "The Configuration Editor could not be opened. " + ContactSentence();
    Caption = "Quillon: Error Opening Configuration Editor";
  }
  for (const TCall& C : Calls) {
    if ((Mask & C.Bit) != 0) {
      Text = std::string(C.Function) + "()" +
             (C.Bit == ENGINE_FAILED_GETNEWHANDLE ? " or GetNewHandle()" : "") + " failed. " + ContactSentence();
      Caption = std::string("Quillon: ") + C.Function + "() Failed";
    }
  }
  if (Text.empty()) {
    return 0;
  }
  if (MainBox != nullptr) {
    MainBox->ShowMessageBox(StrStore(Text.c_str()), StrStore(Caption.c_str()), MSGBOX_ERROR);
  } else {
    MessageBox(0, Text.c_str(), Caption.c_str(), PlatformErrorBox);
  }
  return 0;
}
