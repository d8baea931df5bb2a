// The program's shutdown, in the order its steps depend on each other.
#include "core/Shutdown.h"

#include "core/Enginedialogs.h"
#include "core/Enginejobs.h"
#include "core/Errorreport.h"
#include "core/Fileinfoclass.h"
#include "core/Inserterclass.h"
#include "core/Mainwindowservices.h"
#include "core/Prgclass.h"
#include "core/Settings.h"
#include "core/Validatorlib.h"
#include "core/Volatileclass.h"

#include "core/Batchwizclass.h"
#include "editor/Easyeditsource.h"
#include "editor/Easystrings.h"
#include "platform/controls/Forms.h"
#include "platform/graphics/Graphics.h"
#include "platform/win/MessageBox.h"

#include <string>

namespace {

// The engine-global flag bit that tells the engine the program is ending.
constexpr ZUBInt ENGINE_FLAG_SHUTTING_DOWN = 1;
// The spell-check callback's mode for the program's end.
constexpr ZUBInt SPELL_CALLBACK_SHUTDOWN = 0x10;
// The shell tree panes whose selected folders are kept.
constexpr int FIRST_SHELL_PANE = 0;
constexpr int SECOND_SHELL_PANE = 1;

std::string SettingsPath(const char* Key) { return std::string(SETTINGS_ROOT) + "\\" + Key; }

HWND ApplicationWindow() { return MainWindow().GetApplicationWindow(); }

// The questions that may still cancel: the engine's changed configuration, the batch wizard's target list, and
// every changed document. True when the user cancelled.
bool AskBeforeClosing(prgclass& Root) {
  volatileclass& V = *Root.volatileState;
  if (ZUBCalls.ZUBHTMLConfiguration != nullptr &&
      ZUBCalls.ZUBHTMLConfiguration(ApplicationWindow(), V.configHandle, ZUB_CONFIG_SAVE_AT_SHUTDOWN) == 1) {
    return true;
  }
  if (BatchWizard().BatchWizardForm() != nullptr && BatchWizard().QuerySaveTargetList(1) == 1) {
    return true;
  }
  const int Column = MainWindow().ShellListSortColumn();
  if (Column >= 0) {
    Root.interface->resourceSortColumn = Column;
  }
  return MainWindow().CloseALLFiles(CLOSEALL_SHUTDOWN) == 1;
}

// Writes one scratch pad's text so that its file holds either the old or the whole new text; a failure is named
// to the user and shutdown goes on.
void SaveScratchPad(TEasyEditSource* Source, const StrStore& File) {
  if (Source == nullptr || File.length == 0) {
    return;
  }
  if (WriteFileReplacing(File.text, Source->Strings()->GetSaveText()) == 0) {
    return;
  }
  StrStore Text("The scratch pad could not be saved to \"");
  Text.append(File.text).append("\". The file keeps its previous text.");
  const StrStore Caption("Quillon: Save Failed");
  if (MainWindowMessageBox* Box = GetMainWindowMessageBox()) {
    (void)Box->ShowMessageBox(Text, Caption, MSGBOX_ERROR | MSGBOX_NO_STATUS);  // no answer to act on
  } else {
    (void)MessageBox(0, Text.text, Caption.text, MB_OK | MB_ICONERROR | MB_SETFOREGROUND);  // informs only
  }
}

// The toolbar layout, the documents open now, the scratch pads, the results panel, the passwords and the font.
void SaveSessionState(prgclass& Root) {
  volatileclass& V = *Root.volatileState;
  MainWindowServices& Window = MainWindow();
  Window.SaveToolbarPositions();
  if (Root.editorOptions->flags.has(EOF40::ReopenDocuments)) {
    (void)V.lastOpenFiles.saveToRegistry(HKEY_CURRENT_USER, SettingsPath(LAST_OPEN_FILES_KEY).c_str(),
                                         HISTORY_COUNT_STORED);  // registry failures are not shutdown's concern
  }
  if (Root.editorOptions->flags.has(EOF40::ScratchPads)) {
    SaveScratchPad(V.scratchPad1Source, Root.editorOptions->scratchPad1File);
    SaveScratchPad(V.scratchPad2Source, Root.editorOptions->scratchPad2File);
  }
  const int ResultsHeight = Window.VisibleResultsPanelHeight();
  if (ResultsHeight >= 0) {
    Root.interface->horzSplit1 = ResultsHeight;
  }
  if (Root.interface->flags3.has(IF3::PasswordSecurity)) {
    (void)DeleteOpenFromWebCredentials(ApplicationWindow(), CREDENTIALS_PASSWORDS, 0);  // silent by design
  }
  if (TFont* Font = Window.CurrentEditorFont(); Font != nullptr && Root.editorOptions->editorFont != nullptr) {
    Root.editorOptions->editorFont->Assign(Font);
  }
}

// The main window's bounds: the normal ones when it is maximised or full-screen, else its current ones. Null
// without a main window.
TForm* SaveMainFormGeometry(prgclass& Root) {
  volatileclass& V = *Root.volatileState;
  interfaceclass& I = *Root.interface;
  MainWindow().SaveFormBounds();
  TForm* Form = MainWindow().MainForm();
  if (Form == nullptr) {
    return nullptr;
  }
  if (I.flags.has(IF40::FullScreen) || Form->WindowState() == wsMaximized) {
    if (V.normalBoundsKnown != 0) {
      I.mainFormLeft = V.normalLeft;
      I.mainFormTop = V.normalTop;
      I.mainFormWidth = V.normalWidth;
      I.mainFormHeight = V.normalHeight;
    }
  } else {
    I.mainFormTop = Form->Top();
    I.mainFormLeft = Form->Left();
    I.mainFormHeight = Form->Height();
    I.mainFormWidth = Form->Width();
  }
  return Form;
}

void SaveBatchWizardState(prgclass& Root) {
  BatchWizardServices& Wizard = BatchWizard();
  TForm* Form = Wizard.BatchWizardForm();
  if (Form == nullptr) {
    return;
  }
  if (Root.batchWizard != nullptr) {
    (void)Root.batchWizard->recentLists.saveToRegistry(HKEY_CURRENT_USER, SettingsPath(RECENT_TARGET_LISTS_KEY).c_str(),
                                                       RECENT_LIST_ENTRIES);  // registry failures are ignored
  }
  Wizard.RefreshWindowState();
  if (Form->WindowState() == wsNormal) {
    interfaceclass& I = *Root.interface;
    I.batchFormTop = Form->Top();
    I.batchFormLeft = Form->Left();
    I.batchFormHeight = Form->Height();
    I.batchFormWidth = Form->Width();
  }
}

// Dialog sizes, shell folders, the recent documents and the two split ratios.
void SaveLayout(prgclass& Root) {
  interfaceclass& I = *Root.interface;
  MainWindowServices& Window = MainWindow();
  // The drag-and-drop window registers itself as the engine dialogs' owner for as long as it exists.
  TWinControl* DragDrop = GetEngineDialogOwner(EngineDialogOwnerSlot::DragDropWindow);
  if (DragDrop != nullptr && I.flags.has(IF40::DragDropWindow)) {
    I.dragDropWindowTop = DragDrop->Top();
    I.dragDropWindowLeft = DragDrop->Left();
  }
  (void)Window.GetFileDialogSize(FILEDIALOG_OPEN, I.openDialogWidth, I.openDialogHeight);  // false: keep them
  (void)Window.GetFileDialogSize(FILEDIALOG_SAVE, I.saveDialogWidth, I.saveDialogHeight);
  (void)Window.GetShellTreeFolder(FIRST_SHELL_PANE, I.selectedFolder);  // false: no pane, keep the setting
  (void)Window.GetShellTreeFolder(SECOND_SHELL_PANE, I.selectedFolder2);
  (void)I.recentDocuments.saveToRegistry(HKEY_CURRENT_USER, SettingsPath(RECENT_DOCUMENTS_KEY).c_str(),
                                         RECENT_LIST_ENTRIES);  // registry failures are ignored
  int TagCountList = 0, StructurePage = 0, ScratchPad1 = 0, ScratchPage = 0;
  if (Window.GetSplitWidths(TagCountList, StructurePage, ScratchPad1, ScratchPage)) {
    // A page never laid out has no width; its ratio keeps its stored value rather than becoming infinite.
    if (StructurePage > 0) {
      I.structureSplit = static_cast<float>(TagCountList) / static_cast<float>(StructurePage);
    }
    if (ScratchPage > 0) {
      I.scratchPadSplit = static_cast<float>(ScratchPad1) / static_cast<float>(ScratchPage);
    }
  }
}

}  // namespace

int ShutdownApplication() {
  if (prg == nullptr || prg->volatileState == nullptr) {
    return SHUTDOWN_MAY_CLOSE;
  }
  prgclass& Root = *prg;
  volatileclass& V = *Root.volatileState;
  if (V.shuttingDown != 0) {
    return SHUTDOWN_MAY_CLOSE;  // a later close query: everything was written by the first
  }
  if (ZUBCalls.ZUBSetFlag2 != nullptr) {
    (void)ZUBCalls.ZUBSetFlag2(ZUB_ENGINE_FLAGS, ENGINE_FLAG_SHUTTING_DOWN, 1);  // a notice the engine may ignore
  }
  (void)V.lastOpenFiles.removeAllPointers(1, 0);  // closing the documents fills it again
  if (AskBeforeClosing(Root)) {
    return SHUTDOWN_CANCELLED;
  }
  V.shuttingDown = 1;
  SaveSessionState(Root);
  TForm* Main = SaveMainFormGeometry(Root);
  SaveBatchWizardState(Root);
  if (Main != nullptr) {
    Root.interface->flags.set(IF40::WasMaximized, Main->WindowState() == wsMaximized);
  }
  SaveLayout(Root);
  // The inserters' toolbar positions are written before their toolbars go with the inserters.
  (void)UpdateInserters(V.inserters, INSERTERS_SAVE);  // always 0
  (void)V.inserters->removeAllPointers(1, 0);
  (void)SaveSettings();  // nothing can be done about a failed write at this point
  if (ZUBCalls.ZUBWriteToRegistry != nullptr) {
    (void)ZUBCalls.ZUBWriteToRegistry(ApplicationWindow(), V.configHandle, 0);  // the engine reports its own
  }
  MainWindow().DeleteEditorOptionsWindow();
  (void)EngineSpellCallback(nullptr, SPELL_CALLBACK_SHUTDOWN);  // only tells the checker to let go
  return SHUTDOWN_MAY_CLOSE;
}
