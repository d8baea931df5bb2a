// The main window's commands that hand the current document to programs outside: the desktop's viewer for its
// type and the outside style-sheet editor TopStyle.
#include "mainwindow/Quickeditmainform.h"

#include "core/Ekregistryex.h"
#include "core/Fileinfoclass.h"
#include "core/Parserclass.h"
#include "core/Prgclass.h"
#include "core/Settings.h"
#include "core/Validatorlib.h"

#include "editor/Easyeditsource.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Shell.h"

#include <string>

namespace {

const char* const TopStyleKey = "SOFTWARE\\Bradbury\\TopStyle";
const char* const TopStyleVersionValue = "CurrentProVersion";
const char* const TopStyleAppPathKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\TopStyle2.exe";
const char* const TopStyleSite = "http://www.topstyle4.com/";

bool Running() { return prg && prg->volatileState && prg->volatileState->shuttingDown == 0; }

// Saved: the document has its file on disk and no changes since it was last written.
bool IsSaved(fileinfoclass* Document) {
  return Document != nullptr && Document->onDisk != 0 && Document->text != nullptr && !Document->text->Modified;
}

// Saves the current document when it is not saved: at once with the option to save before viewing, else after
// the user agreed to the question that begins with the document's name and goes on with Reason. True when the
// document is saved afterwards.
bool SaveBeforeHandingOut(TZUBQEForm& Form, const char* Reason) {
  fileinfoclass* Document = Form.GetCurrentFile();
  if (Document == nullptr) {
    return false;
  }
  if (!IsSaved(Document)) {
    if (prg->editorOptions->flags.has(EOF40::SaveBeforeViewing)) {
      Form.FileSaveClick(&Form);
    } else {
      StrStore Question(FormatDocumentName(Document, 1));
      Question.append(Reason).append(
          " Do you want to save this document now? (You can enable automatic saving in the Editor Options "
          "so that this question is not asked.)");
      if (Form.ShowMessageBox(Question, StrStore("Quillon: Save Now?"), MSG_QUESTION) == IDYES) {
        Form.FileSaveClick(&Form);
      }
    }
    Document = Form.GetCurrentFile();
  }
  return IsSaved(Document);
}

bool KeptInAddress(unsigned char C) {
  return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || (C >= '0' && C <= '9') || C == '-' || C == '.' ||
         C == '_' || C == '~' || C == '/';
}

// The value of a key under the machine's root, empty when it is missing.
std::string MachineValue(const char* Key, const char* Value) {
  try {
    EkRegistryEx Reg(0);
    Reg.SetRootKey(HKEY_LOCAL_MACHINE);
    if (Reg.OpenKey(Key, false) && Reg.ValueExists(Value)) {
      return Reg.ReadString(Value);
    }
  } catch (const std::exception&) {
    // An unreadable key counts as a missing one.
  }
  return {};
}

// The file's address: "file://" and its path with every byte but letters, digits, "-._~" and "/" percent-encoded,
// so that a name holding "#", "%", "?" or a blank still names that file.
std::string FileAddress(const std::string& Path) {
  static const char Hex[] = "0123456789ABCDEF";
  std::string Address = "file://";
  for (const char Ch : Path) {
    const auto C = static_cast<unsigned char>(Ch);
    if (KeptInAddress(C)) {
      Address += Ch;
    } else {
      Address += '%';
      Address += Hex[C >> 4];
      Address += Hex[C & 0xF];
    }
  }
  return Address;
}

// The argument in double quotes, written so that the platform's command-line splitter gives it back whole.
std::string QuoteCommandLineArgument(const std::string& Argument) {
  std::string Quoted = "\"";
  std::size_t Backslashes = 0;
  for (const char C : Argument) {
    if (C == '\\') {
      ++Backslashes;
      continue;
    }
    // Backslashes are literal unless a quote follows them: then each is doubled and the quote escaped.
    Quoted.append(C == '"' ? Backslashes * 2 + 1 : Backslashes, '\\');
    Backslashes = 0;
    Quoted += C;
  }
  Quoted.append(Backslashes * 2, '\\');  // the closing quote must stay a delimiter
  return Quoted + "\"";
}

}  // namespace

void TZUBQEForm::ViewExternalBtnClick(TObject*) {
  if (!Running() || GetCurrentFile() == nullptr || !SaveBeforeHandingOut(*this, " must be saved before viewing.")) {
    return;
  }
  fileinfoclass* Document = GetCurrentFile();
  if (GetFileExtension(Document->name.text, 0).length == 0) {
    (void)ShowMessageBox(StrStore("This file must have a file extension before Windows knows how to view it with an "
                                  "external viewer."),
                         StrStore("Quillon: File Extension Required"), MSG_INFORMATION);  // no answer to act on
    return;
  }
  if (ZUBCalls.ZUBDisplayHelp != nullptr) {
    const std::string Address = FileAddress(Document->name.text);
    (void)ZUBCalls.ZUBDisplayHelp(GetApplicationWindow(), HELP_DISPLAY_ID, Address.c_str(), 0);  // says why
  }
}

void TZUBQEForm::ValidateStyleSheetwithTopStyle1Click(TObject*) {
  if (!Running() || GetCurrentFile() == nullptr || !SaveBeforeHandingOut(*this, " must be saved before validating.")) {
    return;
  }
  fileinfoclass* Document = GetCurrentFile();
  std::string Program = MachineValue(TopStyleKey, TopStyleVersionValue);
  if (Program.empty()) {
    Program = MachineValue(TopStyleAppPathKey, "");
  }
  if (Program.empty()) {
    (void)ShowMessageBox(
        StrStore((std::string("This feature requires TopStyle Pro 2.0 or greater. A compatible version "
                              "of TopStyle was not found on this system. TopStyle is available at ") +
                  TopStyleSite + ".")
                     .c_str()),
        StrStore("Quillon: "), MSG_INFORMATION);
    return;
  }
  const std::string Name = QuoteCommandLineArgument(Document->name.text);
  const std::string Parameters =
      Document->GetFileType(FILETYPE_DECIDE_NOW) == FILETYPE_HTML ? "/o:" + Name + " /v" : "/v " + Name;
  const HINSTANCE Started =
      ShellExecute(GetApplicationWindow(), "open", Program.c_str(), Parameters.c_str(), nullptr, SW_SHOWNORMAL);
  if (ShellExecuteResult(Started) <= 32) {
    (void)ShowMessageBox(StrStore("An error occurred validating this document with TopStyle."),
                         StrStore("Quillon: Could Not Validate Document"), MSG_ERROR);
  }
}
