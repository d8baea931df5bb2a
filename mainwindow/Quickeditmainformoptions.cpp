// The main window's option commands: the engine's options, configuration and logging, the editor options window,
// syntax highlighting, the default tool for dropped files, file associations and the browser's source viewer.
#include "mainwindow/Quickeditmainform.h"

#include "core/Editsourceoptions.h"
#include "core/Enginedialogs.h"
#include "core/Fileinfoclass.h"
#include "core/Prgclass.h"
#include "core/Settings.h"
#include "core/Shellintegration.h"
#include "core/Tabinfoclass.h"
#include "core/Validatorlib.h"
#include "core/Windowcontrol.h"
#include "editor/Easyeditsource.h"
#include "mainwindow/Editoroptionsfrm.h"

#include "platform/win/Files.h"
#include "platform/win/MessageBox.h"

#include <string>

namespace {

// Flags of CloseFileTab: offer Cancel, ask nothing about saving.
constexpr int CloseLogTab = 0x3;

bool Running() { return prg && prg->volatileState && prg->volatileState->shuttingDown == 0; }

int ConfigHandle() { return prg && prg->volatileState ? prg->volatileState->configHandle : -1; }

std::string ConfigurationText(int Id) {
  const char* Text = ZUBCalls.ZUBGetString != nullptr ? ZUBCalls.ZUBGetString(ConfigHandle(), Id) : nullptr;
  return Text != nullptr ? Text : "";
}

int EngineFlag(int Word, int Bit) {
  return ZUBCalls.ZUBGetFlag != nullptr ? ZUBCalls.ZUBGetFlag(ConfigHandle(), Word, Bit) : 0;
}

void SetEngineFlag(int Word, int Bit, bool On) {
  if (ZUBCalls.ZUBSetFlag != nullptr) {
    (void)ZUBCalls.ZUBSetFlag(ConfigHandle(), Word, Bit, On ? 1 : 0);  // the engine reports its own failures
  }
}

void RunConfigurationCommand(HWND Owner, int Command) {
  if (ZUBCalls.ZUBHTMLConfiguration != nullptr) {
    (void)ZUBCalls.ZUBHTMLConfiguration(Owner, ConfigHandle(), Command);  // the engine tells the user itself
  }
}

// The engine's windows and the dialogs opened from here belong to the main window.
void OwnEngineWindows(TZUBQEForm& Form) {
  if (GetEngineDialogOwner(EngineDialogOwnerSlot::MainWindow) != &Form) {
    SetEngineDialogOwner(EngineDialogOwnerSlot::MainWindow, &Form);
  }
}

TEditorOptionsForm* EditorOptionsWindow() {
  if (EditorOptionsForm == nullptr) {
    Application->CreateForm(EditorOptionsForm);
  }
  return EditorOptionsForm;
}

}  // namespace

// ---- The engine's options and configuration ---------------------------------------------------------------------

void TZUBQEForm::OptionsValidatorOptionsClick(TObject*) {
  if (Running()) {
    OwnEngineWindows(*this);
    if (OpenValidatorOptions(0, DIALOG_OWNER_MAIN_WINDOW) == 1) {
      UpdateMenuChecks();  // the logging option may have changed there
    }
  }
}

void TZUBQEForm::ToolsToolsOptionsClick(TObject*) {
  if (Running()) {
    OwnEngineWindows(*this);
    if (OpenValidatorOptions(8, DIALOG_OWNER_MAIN_WINDOW) == 1) {
      UpdateMenuChecks();
    }
  }
}

void TZUBQEForm::OptionsValidatorOptionsPopup(TTBCustomItem*, bool) {
  if (!Running()) {
    return;
  }
  OptionsEnableAccessibilityChecking->SetChecked(EngineFlag(ZUB_CONFIG_MARKUP_OPTIONS, ZUB_MARKUP_ACCESSIBILITY) > 0);
  OptionsEnableCSSChecking->SetChecked(EngineFlag(ZUB_CONFIG_CSS_OPTIONS, ZUB_CSS_SYNTAX_CHECK) > 0);
}

void TZUBQEForm::OptionsEnableAccessibilityCheckingClick(TObject*) {
  if (Running()) {
    SetEngineFlag(ZUB_CONFIG_MARKUP_OPTIONS, ZUB_MARKUP_ACCESSIBILITY, OptionsEnableAccessibilityChecking->Checked());
  }
}

void TZUBQEForm::OptionsEnableCSSCheckingClick(TObject*) {
  if (Running()) {
    SetEngineFlag(ZUB_CONFIG_CSS_OPTIONS, ZUB_CSS_SYNTAX_CHECK, OptionsEnableCSSChecking->Checked());
  }
}

void TZUBQEForm::OptionsHTMLConfigurationEditorClick(TObject*) {
  if (Running()) {
    OwnEngineWindows(*this);
    (void)OpenConfigurationEditor(0, DIALOG_OWNER_MAIN_WINDOW);  // a failure was reported
  }
}

void TZUBQEForm::SettingsHTMLConfigClean1Click(TObject*) {
  if (Running()) {
    RunConfigurationCommand(Handle(), ZUB_CONFIG_CLEAN);
  }
}

void TZUBQEForm::SettingsHTMLConfigReset1Click(TObject*) {
  if (Running()) {
    RunConfigurationCommand(Handle(), ZUB_CONFIG_RESET);
  }
}

void TZUBQEForm::SettingsHTMLConfigLoad1Click(TObject*) {
  if (Running()) {
    RunConfigurationCommand(Handle(), ZUB_CONFIG_LOAD_FROM);
  }
}

void TZUBQEForm::SettingsHTMLConfigSave1Click(TObject*) {
  if (Running()) {
    RunConfigurationCommand(Handle(), ZUB_CONFIG_SAVE);
  }
}

void TZUBQEForm::SettingsHTMLConfigSaveAs1Click(TObject*) {
  if (Running()) {
    RunConfigurationCommand(Handle(), ZUB_CONFIG_SAVE_AS);
  }
}

void TZUBQEForm::OptionsHTMLConfigExportProgramsClick(TObject*) {
  if (Running()) {
    RunConfigurationCommand(0, ZUB_CONFIG_EXPORT_PROGRAMS);
  }
}

void TZUBQEForm::OptionsHTMLConfigImportProgramsClick(TObject*) {
  if (Running()) {
    RunConfigurationCommand(0, ZUB_CONFIG_IMPORT_PROGRAMS);
  }
}

// ---- The validation log -----------------------------------------------------------------------------------------

void TZUBQEForm::OptionsLoggingEnableClick(TObject*) {
  if (!Running()) {
    return;
  }
  const bool On = EngineFlag(ZUB_CONFIG_LOG_OPTIONS, ZUB_LOG_VALIDATIONS) == 0;
  SetEngineFlag(ZUB_CONFIG_LOG_OPTIONS, ZUB_LOG_VALIDATIONS, On);
  OptionsLoggingEnable->SetChecked(EngineFlag(ZUB_CONFIG_LOG_OPTIONS, ZUB_LOG_VALIDATIONS) > 0);
  UpdateMenuChecks();
}

void TZUBQEForm::OptionsLoggingViewClick(TObject*) {
  if (!Running()) {
    return;
  }
  const std::string Log = ConfigurationText(ZUB_CONFIG_LOG_FILE);
  if (CheckLogFileExists(Handle(), Log.c_str()) != 0) {
    (void)AddNewFileTab(nullptr, Log.c_str(), 0, nullptr);  // reports its own failures
  }
}

void TZUBQEForm::OptionsLoggingDeleteClick(TObject*) {
  if (!Running()) {
    return;
  }
  const std::string Log = ConfigurationText(ZUB_CONFIG_LOG_FILE);
  if (CheckLogFileExists(Handle(), Log.c_str()) == 0 ||
      ShowMessageBox(StrStore("Are you sure you want to delete the log file?"), StrStore("Quillon: Delete Log File?"),
                     MSG_QUESTION) != IDYES) {
    return;
  }
  TComponent* Tabs = nullptr;
  if (fileinfoclass* Open = FindOpenDocument(Log.c_str(), &Tabs)) {
    if (MessageBox(Handle(), "The log file is currently opened in the editor. Deleting the log file will close it.",
                   "Quillon: Log File Will Be Closed In Editor",
                   MB_OKCANCEL | MB_ICONQUESTION | MB_SETFOREGROUND) != IDOK) {
      return;
    }
    auto* Record = reinterpret_cast<tabinfoclass*>(Tabs->Tag());
    const int Index = Record != nullptr && Record->documents != nullptr ? Record->documents->findPointer(Open) : -1;
    if (Index < 0 || CloseFileTab(Tabs, Index, CloseLogTab) != 0) {
      return;  // the tab stays, and so does its file
    }
  }
  if (!DeleteFile(Log.c_str())) {
    (void)ShowMessageBox(
        StrStore("An error occurred while attempting to delete the log file. The log file could not be deleted."),
        StrStore("Quillon: Error Deleting Log File"), MSG_ERROR);  // no answer to act on
  }
}

// ---- The program's own options ----------------------------------------------------------------------------------

void TZUBQEForm::OptionsEditorOptionsClick(TObject*) {
  if (!Running()) {
    return;
  }
  TEditorOptionsForm* Options = EditorOptionsWindow();
  if (Options->Visible()) {
    BringWindowToTop(Options->Handle());
    SetForegroundWindow(Options->Handle());
    return;
  }
  Options->ResetDocumentTypeSelection();
  if (Options->ShowModal() != mrOk) {
    return;
  }
  ApplyEditorOptions();
}

void TZUBQEForm::ApplyEditorOptions() {
  bool Saved = true;
  {
    WindowControl Busy(WINCTRL_SCREEN_CURSOR, nullptr, nullptr);
    Busy.setCursor(WindowControlHourGlass);
    Saved = SaveSettings() != 0;
    volatileclass& V = *prg->volatileState;
    for (TEasyEditSource* Pad : {V.scratchPad1Source, V.scratchPad2Source}) {
      (void)ApplyEditSourceOptions(Pad, SOURCEOPTIONS_OPTIONS);  // -1: no such pad
    }
    (void)ApplyToAllDocuments(V.documents, ALLDOCUMENTS_DOCUMENT_TYPES);     // a type that fails stays as it was
    (void)ApplyViewSettings(VIEW_APPLY_SETTINGS | VIEW_KEEP_DOCUMENT_TYPE);  // 1 or 2: nothing to lay out now
    ResultsListView->Invalidate();
  }
  if (!Saved) {
    // The options are in force for this run; without this the user would only find out at the next start.
    (void)ShowMessageBox(StrStore("The options have been applied, but they could not be saved. They will be lost when "
                                  "the program ends unless a later save succeeds."),
                         StrStore("Quillon: Options Not Saved"), MSG_ERROR);
  }
}

void TZUBQEForm::DeleteEditorOptionsWindow() {
  delete EditorOptionsForm;  // the window clears the global itself
}

void TZUBQEForm::OptionsSyntaxHighlightingClick(TObject*) {
  if (!Running()) {
    return;
  }
  prg->editorOptions->flags.toggle(EOF40::SyntaxHighlighting);
  OptionsSyntaxHighlighting->SetChecked(prg->editorOptions->flags.has(EOF40::SyntaxHighlighting));
  UpdateMenuChecks();
  (void)ApplyToAllDocuments(prg->volatileState->documents, ALLDOCUMENTS_DOCUMENT_TYPES);  // as above
}

void TZUBQEForm::DragDropOptionsClick(TObject*) {
  if (Running()) {
    OwnEngineWindows(*this);
    (void)ShowDragDropToolDialog(DIALOG_OWNER_MAIN_WINDOW);  // OK stores the choice itself
  }
}

void TZUBQEForm::OptionsAddAssociationsClick(TObject*) {
  if (Running()) {
    (void)AddFileAssociations(Handle(), 0, 1);  // reports its own outcome
  }
}

void TZUBQEForm::OptionsRemoveAssociationsClick(TObject*) {
  if (Running()) {
    (void)RemoveFileAssociations(Handle(), 1);  // as above
  }
}

void TZUBQEForm::SettingsMakeSourceViewerClick(TObject*) {
  if (Running()) {
    (void)MakeSourceViewer(Handle(), 1);  // as above
  }
}

void TZUBQEForm::RestoreSourceViewerinInternetExplorer1Click(TObject*) {
  if (Running()) {
    (void)RestoreSourceViewer(Handle(), 0);  // as above
  }
}
