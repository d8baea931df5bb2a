// The main window's show, activation, idle, hot-key and close handling.
#include "mainwindow/Quickeditmainform.h"

#include "core/Enginejobs.h"

#include "core/Commandqueue.h"
#include "core/Fileinfoclass.h"
#include "core/Commandqueue.h"
#include "core/Inserterclass.h"
#include "core/Prgclass.h"
#include "core/Shellintegration.h"
#include "core/Shutdown.h"
#include "core/Splashstatus.h"
#include "core/Volatileclass.h"

#include "editor/Easysettings.h"
#include "platform/win/Clipboard.h"
#include "platform/win/Desktop.h"

namespace {

bool Running() { return prg && prg->volatileState && prg->volatileState->shuttingDown == 0; }

bool HotKeyOption() { return prg && prg->interface && prg->interface->flags.has(IF40::HotKey); }

bool ClipboardHasText() { return IsClipboardFormatAvailable(CF_TEXT) != 0; }

}  // namespace

// Registers (On) or unregisters the F2 hot key on the window.
static void SetRestoreHotKey(HWND Wnd, bool On) {
  (void)SetHotKey(Wnd, On ? 1 : 0);  // a key another program holds stays unregistered; nothing to tell
}

void TZUBQEForm::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_HOTKEY: RestoreFromHotKey(Message); return;
    case WM_REOPEN_RECENT: ReopenRecent(Message); return;
    case WM_DROPFILES:
      (void)OpenDroppedFiles(static_cast<HDROP>(Message.WParam), 0);  // reports its own failures
      return;
    default: TForm::Dispatch(Message);
  }
}

void TZUBQEForm::FormShow(TObject*) {
  if (!Running()) {
    return;
  }
  if (prg->interface->flags.has(IF40::WasMaximized)) {
    SetWindowState(wsMaximized);
  }
  ResultsPageControl->SetActivePage(MessagesSheet);
  ResultsListView->SetVisible(false);
  MessagesPanel->SetAlign(alClient);
  MessagesPanel->SetVisible(true);
  ResourcePageControl->SetActivePage(ShellTabSheet);
}

void TZUBQEForm::FormActivate(TObject*) {
  if (!Running()) {
    return;
  }
  (void)UpdateInserters(prg->volatileState->inserters, INSERTERS_SHOW);  // an inserter that fails reports itself
  CheckFileChangedOnDisk(0);
}

void TZUBQEForm::ApplicationActivate(TObject* Sender) {
  if (!Running()) {
    return;
  }
  FormActivate(Sender);
  if (HotKeyOption()) {
    SetRestoreHotKey(Handle(), false);
  }
}

void TZUBQEForm::ApplicationDeactivate(TObject*) {
  if (Running() && HotKeyOption()) {
    SetRestoreHotKey(Handle(), true);
  }
}

void TZUBQEForm::ApplicationMinimize(TObject*) {}

void TZUBQEForm::RestoreFromHotKey(TMessage&) {
  if (!Running()) {
    return;
  }
  Application->Restore();
  SetForegroundWindow(Handle());
  SetActiveWindow(Handle());
}

void TZUBQEForm::ApplicationIdle(TObject*, bool&) {
  CloseSplash();
  if (!Running()) {
    return;
  }
  SaveScrollPositions();
  TWinControl* Active = ActiveControl();
  if (!Active) {
    return;
  }
  auto* ActiveEditor = dynamic_cast<TEasyEdit*>(Active);
  TEasyEdit* Editor = ActiveEditor ? ActiveEditor : CurrentEditor;
  if (!Editor) {
    return;
  }
  prg->volatileState->idleReached = 1;
  (void)ProcessCommandQueue(&prg->volatileState->commandQueue);  // always 0
  SetIdleCommandStates(Editor, ActiveEditor != nullptr);
  UpdateLinkCheckButtons();
  if (prg->interface->flags.has(IF40::DragDropWindow)) {
    (void)UpdateDragDropWindow();  // shows a hidden drag-and-drop window; nothing to report when none exists
  }
  if (fileinfoclass* Document = GetCurrentFile()) {
    const bool Reloadable = Document->CanReload() != 0;
    FileReload->SetEnabled(Reloadable);
    EditorPopupReload->SetEnabled(Reloadable);
    const bool Editable = Document->IsEditable() != 0;
    FileSave->SetEnabled(Editable);
    FileSaveBtn->SetEnabled(Editable);
  }
  (void)ApplySettings(APPLY_FORM_BOUNDS);  // records the bounds; nothing to report
  if (prg->interface->flags2.has(IF2::BackgroundLinkCheck)) {
    (void)CheckLinks(this, 6);  // an automatic check that cannot start has nothing to tell
  }
  (void)UpdateInserters(prg->volatileState->inserters, INSERTERS_SHOW);  // as in FormActivate
  if (BatchWizard().BatchWizardForm()) {
    BatchWizard().UpdateCommandStates();
  }
}

void TZUBQEForm::SetIdleCommandStates(TEasyEdit* Editor, bool InEditor) {
  TCustomEasyEditSource* Source = Editor->GetEditSource();
  const bool Selected = Editor->GetSelLength() > 0;
  const bool ReadOnly = Source->ReadOnly();
  const bool Empty = Source->Strings()->Count() == 0;
  const bool Clip = ClipboardHasText();
  auto Enable = [](std::initializer_list<TTBCustomItem*> Items, bool On) {
    for (TTBCustomItem* Item : Items) {
      Item->SetEnabled(On);
    }
  };
  Enable({FileSaveAll, FileSaveAllBtn}, AllDocumentsSaved(prg->volatileState->documents) != 1);
  Enable({EditPaste, EditPasteBtn}, (Clip && !ReadOnly) || !InEditor);
  Enable({EditCut, EditCutBtn}, (Selected && !ReadOnly) || !InEditor);
  Enable({EditCopy, EditCopyBtn}, Selected || !InEditor);
  Enable({EditorPopupCut, UnindentBtn, IndentBtn}, Selected && !ReadOnly);
  Enable({EditorPopupCopy, EditorPopupSelection}, Selected);
  Enable({TagsMenu}, !ReadOnly);
  Enable({FilePrintBtn, FilePrint}, !Empty);
  Enable({EditSelectAll}, !Empty || !InEditor);
  if (Editor == CurrentEditor) {
    Enable({ViewExternalBtn, ViewExternalViewer}, !Empty);
  }
  Enable({SearchFindAgain}, !Empty && !SearchSettings()->TextToFind.empty());
  Enable({SearchFind, SearchFindBtn}, !Empty);
  Enable({SearchReplace, SearchReplaceBtn}, !Empty && !ReadOnly);
  Enable({ToolsLowercase, ToolsUppercase, ToolsStrip, ToolsTemplate, ToolsQuote}, !Empty && !ReadOnly);
  Enable({ResultsPopupValidateHTML}, !Empty);
  fileinfoclass* Document = GetCurrentFile();
  const bool HasLines = Document && Document->text && Document->text->Strings()->Count() > 0;
  Enable({ValidateBtn, ValidateBigBtn, ToolsValidate}, HasLines);
  Enable({SpellCheckBigBtn, SpellCheckSmallBtn, ToolsSpellCheck}, CanSpellCheck(Editor, 2) != 0);
  if (WebBrowser != nullptr) {
    WBStopBtn->SetEnabled(WebBrowserBusy());
  }
  Enable({EditRedo, EditRedoBtn}, Source->RedoAvailable());
  Enable({EditUndo, EditUndoBtn}, Source->UndoAvailable() || !InEditor);
}

void TZUBQEForm::FormCloseQuery(TObject*, bool& CanClose) {
  // Shutdown asks, saves and may refuse; once it has run the window may always close.
  CanClose = ShutdownApplication() != 0;
}

void TZUBQEForm::FormDestroy(TObject*) {
  // The root object is gone by now: only what the window owns itself is touched.
  LineStyles.reset();
  UnregisterServices();
  delete EngineSpellService;  // before the spell checker it asks, which the window frees with its components
  EngineSpellService = nullptr;
}

void TZUBQEForm::FileExitClick(TObject*) {
  if (Running()) {
    Close();
  }
}

void TZUBQEForm::ViewRefreshMainWindowClick(TObject*) {
  if (Running()) {
    Repaint();
  }
}
