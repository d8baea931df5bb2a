// What the application core asks of the main window: one interface that the main window implements and registers
// while it exists. Later parts of the core add their needs here rather than declaring interfaces of their own.
#pragma once

#include "core/Strstore.h"

#include "platform/win/WinTypes.h"

class TComponent;
class TFont;
class TForm;
class TObject;
class TPersistent;
class fileinfoclass;
class fileinfoextraclass;
class SpellCheckService;
class TPTOpenDlg;
class TPTSaveDlg;

// Flags of MainWindowServices::AddNewFileTab used by the core.
inline constexpr int NEWTAB_REOPEN_AT_START = 1352;
// Modes of MainWindowServices::CloseALLFiles.
inline constexpr int CLOSEALL_SHUTDOWN = 1;

// What the services answer when no main window does the work (no window yet, or a window without the operation).
inline constexpr int MAINWINDOW_NOT_DONE = -1;
inline constexpr int MAINWINDOW_NO_TAB = -1;
// Results of MainWindowServices::OpenWebDocument.
inline constexpr int OPENWEB_OPENED = 0;
inline constexpr int OPENWEB_NO_TARGET = -1;
inline constexpr int OPENWEB_DOWNLOAD_FAILED = -2;
inline constexpr int OPENWEB_NO_EDITOR = -3;

class MainWindowServices {
public:
  virtual ~MainWindowServices() = default;

  // The window that owns the core's message boxes (the application window); 0 when there is none.
  virtual HWND GetApplicationWindow() { return 0; }
  // The state of the open-from-the-web dialog's check box for sending a user name and password: true with
  // Checked filled when the dialog exists, false when it was never created.
  virtual bool GetOpenFromWebCredentialsCheck(bool& Checked) {
    (void)Checked;
    return false;
  }
  // Sets the checked state of the view and option menu items and buttons from the settings.
  virtual void UpdateMenuChecks() {}
  // Saves the positions of the main window's toolbars, inserters included, into "Editor\Interface"; loads them
  // back (after a new toolbar was built, so that it takes its stored place).
  virtual void SaveToolbarPositions() {}
  virtual void LoadToolbarPositions() {}
  // Sets and restores the hourglass on the main window around a long step.
  virtual void SetBusyCursor(bool Busy) { (void)Busy; }

  // Writes the text into the status bar's message panel and repaints the status bar at once.
  virtual void SetStatusText(const StrStore& Text) { (void)Text; }
  // Shows "There are no messages available." (kind 1).
  virtual void ShowInfoMessage(int Kind) { (void)Kind; }
  // The document shown by the active tab control, or null.
  virtual fileinfoclass* GetCurrentFile() { return nullptr; }
  // Opens a file or web address into a new tab of the tab control (null: the active one), or selects it when it
  // is open already; reports its own failures. The result is the main window's code.
  virtual int AddNewFileTab(TComponent* TabControl, const char* NameOrAddress, int Flags, fileinfoextraclass* Extra) {
    (void)TabControl;
    (void)NameOrAddress;
    (void)Flags;
    (void)Extra;
    return MAINWINDOW_NOT_DONE;
  }
  // Makes the tab current and shows its document; negative on failure.
  virtual int SelectTab(TComponent* TabControl, int TabIndex, int Flags) {
    (void)TabControl;
    (void)TabIndex;
    (void)Flags;
    return MAINWINDOW_NOT_DONE;
  }
  // Closes every document with save prompts; 1 when the user cancelled. In shutdown mode the disk documents'
  // paths go to the last-open-files list.
  virtual int CloseALLFiles(int Mode) {
    (void)Mode;
    return 0;
  }
  // Records the window's normal bounds into the run-time state.
  virtual void SaveFormBounds() {}
  // Checks the current document for a change on disk and acts by the document-change setting.
  virtual void CheckFileChangedOnDisk(int Flag) { (void)Flag; }
  virtual void UpdateTitle(int Flags) { (void)Flags; }
  virtual void ShowResultCounts(int Flag) { (void)Flag; }
  virtual void UpdateLinkCheckButtons() {}
  virtual void NavigateWebBrowser(TObject* Sender, int Flags) {
    (void)Sender;
    (void)Flags;
  }
  virtual void ToolsValidateAllClick(TObject* Sender) { (void)Sender; }
  virtual void OptionsHTMLConfigurationEditorClick(TObject* Sender) { (void)Sender; }
  virtual void OptionsEditorOptionsClick(TObject* Sender) { (void)Sender; }

  // ---- Documents ------------------------------------------------------------------------------------------
  // The Opened list's row of a document: 1 add, 2 remove, 4 refresh, 8 re-sort.
  virtual void UpdateOpenedListItem(fileinfoclass* Document, int Flags) {
    (void)Document;
    (void)Flags;
  }
  // Points the Opened rows of one document at another.
  virtual void ReplaceOpenedListDocument(fileinfoclass* Old, fileinfoclass* New, int Flags) {
    (void)Old;
    (void)New;
    (void)Flags;
  }
  // Every results view that shows the document forgets it and is emptied (the results message pane too when a
  // view was emptied); true when a view showed it.
  virtual bool ClearResultViews(fileinfoclass* Document) {
    (void)Document;
    return false;
  }
  // Reads the lists of the document's engine result by flags (1 links, 2 link statuses, 8 messages with their
  // per-type counts, 0x20 link counts, 64 doctype flags, 33 result lists).
  virtual void ReadResults(fileinfoclass* Document, int Flags) {
    (void)Document;
    (void)Flags;
  }
  // Shows the document's results in the active results page.
  virtual void ShowResults(fileinfoclass* Document, int Flags) {
    (void)Document;
    (void)Flags;
  }
  virtual void UpdateMessagesPageImage(fileinfoclass* Document, int Flags) {
    (void)Document;
    (void)Flags;
  }
  virtual void FillLinksPage(fileinfoclass* Document, int Flags) {
    (void)Document;
    (void)Flags;
  }
  // The first visible column and top line of the first (0) or second (1) document editor; false without editor.
  virtual bool GetEditorScroll(int Editor, int& Column, int& TopLine) {
    (void)Editor;
    (void)Column;
    (void)TopLine;
    return false;
  }
  virtual void SetEditorScroll(int Editor, int Column, int TopLine) {
    (void)Editor;
    (void)Column;
    (void)TopLine;
  }
  // The tab control above the first (0) or second (1) document editor, or null.
  virtual TComponent* GetEditorTabControl(int Editor) {
    (void)Editor;
    return nullptr;
  }

  // ---- Tab controls (the controls' Tag refers to their tab record) ----------------------------------------
  virtual int TabCount(TComponent* TabControl) {
    (void)TabControl;
    return 0;
  }
  // The current tab, -1 for none.
  virtual int TabIndex(TComponent* TabControl) {
    (void)TabControl;
    return MAINWINDOW_NO_TAB;
  }
  virtual void SetTabIndex(TComponent* TabControl, int Index) {
    (void)TabControl;
    (void)Index;
  }
  // Appends a tab; its index.
  virtual int AddTab(TComponent* TabControl, const char* Caption) {
    (void)TabControl;
    (void)Caption;
    return MAINWINDOW_NO_TAB;
  }
  virtual void DeleteTabAt(TComponent* TabControl, int Index) {
    (void)TabControl;
    (void)Index;
  }
  virtual void SetTabCaption(TComponent* TabControl, int Index, const char* Caption) {
    (void)TabControl;
    (void)Index;
    (void)Caption;
  }
  // Invalidates the control's client area, children included.
  virtual void InvalidateTabControl(TComponent* TabControl) { (void)TabControl; }

  // ---- Results panels and the wait window --------------------------------------------------------------
  // The six result placeholders: 0 messages, 1 tree, 2 styles, 3 accessibility, 4 links, 5 structure.
  virtual TComponent* ResultPlaceholder(int Index) {
    (void)Index;
    return nullptr;
  }
  // Sets a control's text and repaints it at once.
  virtual void SetControlTextNow(TComponent* Control, const char* Text) {
    (void)Control;
    (void)Text;
  }
  // The small wait window: shown with a caption and a text, hidden again.
  virtual void ShowWaitWindow(const char* Caption, const char* Text) {
    (void)Caption;
    (void)Text;
  }
  virtual void HideWaitWindow() {}

  // ---- Small dialogs -------------------------------------------------------------------------------------
  // A new default-tool chooser for dropped files (not shown; the caller shows it modally and frees it), owned by
  // the application and taking the run-time state's dialog parent as its owner window; null when it cannot be
  // made.
  virtual TForm* CreateDragDropToolForm() { return nullptr; }

  // ---- Spell checker -------------------------------------------------------------------------------------
  // The main window's spell checker, or null when it has none.
  virtual SpellCheckService* GetSpellChecker() { return nullptr; }

  // ---- The main form and the splash window, for the set-up functions ------------------------------------
  // The main form itself: the core finds its components by name (MainFormComponent) and binds its published
  // handlers by name (BindMainFormHandler), so that it needs no header of the main window. Null before the form
  // exists.
  virtual TForm* MainForm() { return nullptr; }
  // The splash window while it is shown, else null.
  virtual TForm* SplashForm() { return nullptr; }

  // ---- The command queue ---------------------------------------------------------------------------------
  // Re-reads the document's link statuses from its engine result and sets the Links page image by them.
  virtual void UpdateLinksPageImage(fileinfoclass* Document, int Flags) {
    (void)Document;
    (void)Flags;
  }
  // Validates a document (flags of the validate dispatcher: 1 the current one, 2 the given one); -2 without a
  // main window or while shutting down, -1 for flag 2 without a document, else 0.
  virtual int ValidateDocuments(fileinfoclass* Document, int Flags, int Configuration) {
    (void)Document;
    (void)Flags;
    (void)Configuration;
    return -2;
  }

  // ---- Document state and kind ---------------------------------------------------------------------------
  // Applies the window's settings again (APPLYSETTINGS_TAB_STOPS: the tab stops of every text store).
  // The window's own result code (0 done, 2 no root object or shutting down); callers may ignore it.
  virtual int ApplySettings(int Flags) {
    (void)Flags;
    return 2;
  }
  // Gives the document's message lines their line styles by the line-highlighting options; 3 when its messages
  // were not read (nothing to mark), else 0.
  virtual int ApplyMessageLineStyles(fileinfoclass* Document, int Flags) {
    (void)Document;
    (void)Flags;
    return 3;
  }

  // ---- Shutdown: what the window holds that is remembered until the next start --------------------------
  // The current sort column of the first shell list pane; -1 without a window.
  virtual int ShellListSortColumn() { return -1; }
  // The results panel's height while it is visible; -1 when it is hidden or there is no window.
  virtual int VisibleResultsPanelHeight() { return -1; }
  // The font of the editor that is current in the main window; null without one.
  virtual TFont* CurrentEditorFont() { return nullptr; }
  // The last width and height of the open (FILEDIALOG_OPEN) or save (FILEDIALOG_SAVE) dialog; false when the
  // window has none.
  virtual bool GetFileDialogSize(int Dialog, int& Width, int& Height) {
    (void)Dialog;
    (void)Width;
    (void)Height;
    return false;
  }
  // The folder selected in the first (0) or second (1) shell tree pane, empty when none is selected; false
  // without the pane.
  virtual bool GetShellTreeFolder(int Pane, StrStore& Folder) {
    (void)Pane;
    (void)Folder;
    return false;
  }
  // The widths the two split ratios are made of: the tag-count list and the structure page, the first scratch
  // pad editor and the scratch page; false without a window.
  virtual bool GetSplitWidths(int& TagCountList, int& StructurePage, int& ScratchPad1, int& ScratchPage) {
    (void)TagCountList;
    (void)StructurePage;
    (void)ScratchPad1;
    (void)ScratchPage;
    return false;
  }
  // Deletes the editor options window when it exists.
  virtual void DeleteEditorOptionsWindow() {}

  // ---- What the drag-and-drop window runs on the main window ---------------------------------------------
  // Clears the interface option that shows the drag-and-drop window and hides it.
  virtual void HideDragDropWindowClick(TObject* Sender) { (void)Sender; }
  // Toggle the editor options that run the default tool (2) and the validator (1) on dropped files.
  virtual void DragDropUseToolClick(TObject* Sender) { (void)Sender; }
  virtual void DragDropUseValidatorClick(TObject* Sender) { (void)Sender; }
  // Shows the batch wizard.
  virtual void ToolsBatchWizardClick(TObject* Sender) { (void)Sender; }
  // Shows the progress of dropped files in the main window's caption and its status panel 3.
  virtual void SetDropProgressText(const char* Text) { (void)Text; }

  // ---- What the batch wizard uses of the main window -------------------------------------------------------
  // The main window's open and save dialogs; null without them (the batch wizard then makes its own).
  virtual TPTOpenDlg* GetOpenDialog() { return nullptr; }
  virtual TPTSaveDlg* GetSaveDialog() { return nullptr; }
  // The About box and the spelling options, as the main window's Help and Options menus show them.
  virtual void HelpAboutZUBClick(TObject* Sender) { (void)Sender; }
  virtual void OptionsSpellCheckerClick(TObject* Sender) { (void)Sender; }
  // Downloads the web origin's address into the temporary file of the pseudo name and opens it in a new tab that
  // keeps the origin (flag 2: a copy of the record; else the record is taken over). See OPENWEB_*.
  virtual int OpenWebDocument(fileinfoextraclass* Origin, const char* PseudoName, int Flags) {
    (void)Origin;
    (void)PseudoName;
    (void)Flags;
    return OPENWEB_NO_TARGET;
  }
};

// Dialogs of MainWindowServices::GetFileDialogSize.
inline constexpr int FILEDIALOG_OPEN = 0;
inline constexpr int FILEDIALOG_SAVE = 1;

// Registers the main window's services (null: there is no main window, before start-up created it or after
// shutdown). Without a main window every service does nothing.
void SetMainWindowServices(MainWindowServices* Services);
// The registered services, or a stand-in that does nothing; never null.
MainWindowServices& MainWindow();
// True when a main window registered itself.
bool HasMainWindow();

// ---- The main form's components and handlers by name ------------------------------------------------------
// The component of that name owned by the registered main form; null without form or component.
TComponent* MainFormComponent(const char* Name);
// Points the event property of Instance at the main form's published method of that name, as the form reader
// does; false (the event unchanged) without form, method or event property.
bool BindMainFormHandler(TPersistent* Instance, const char* Event, const char* Method);

// ---- The batch wizard ---------------------------------------------------------------------------------------
// What the application core asks of the batch wizard: the batch wizard registers it for as long as it can make
// its window. Unregistered (or before its window exists) every question answers "no window".

// ---- Batch wizard window ----------------------------------------------------------------------------------
// What the core and the main window ask of the batch wizard window: one interface that the window implements and
// registers while it exists. Without a registered window every service answers "no window".
class PointerArrayManager;

// Flags of BatchWizardServices::ShowBatchWizard.
inline constexpr int SHOWBATCH_NO_REOPEN = 0x1;  // do not reopen the last list on the first show
// Flags of BatchWizardServices::OpenTargetList.
inline constexpr int OPENLIST_ASK = 0x1;
inline constexpr int OPENLIST_REOPEN = 0x2;
inline constexpr int OPENLIST_NAMED = 0x4;
// Flags of BatchWizardServices::ProcessTargets.
inline constexpr int PROCESS_DOCUMENTS = 0x1;

class BatchWizardServices {
public:
  virtual ~BatchWizardServices() = default;

  // ---- The window ------------------------------------------------------------------------------------------
  // The batch wizard window, or null when it does not exist.
  virtual TForm* BatchWizardForm() { return nullptr; }
  // Makes the window (owned by the application) when it does not exist; false when it cannot be made.
  virtual bool CreateBatchWizardForm() { return false; }
  // Makes the window on first use, restores it when minimised and shows it; the first show without
  // SHOWBATCH_NO_REOPEN reopens the last list. 0 when shown, else nothing was shown.
  virtual int ShowBatchWizard(TObject* Sender, int Flags) {
    (void)Sender;
    (void)Flags;
    return 0;
  }
  // Lets the window refresh its state and restores it when minimised (the window's RestoreWindow with 1).
  virtual void RestoreWindow(int Flags) { (void)Flags; }
  // The window's first showing on its own: it reopens the target list it had when the program last ended, the
  // sender being the action that showed it.
  virtual void StartFirstShowing(TObject* Sender) { (void)Sender; }
  // True when the menu item is the window's own "About" item.
  virtual bool IsAboutItem(TObject* MenuItem) {
    (void)MenuItem;
    return false;
  }
  // The window that owns the engine's dialogs and jobs started by the batch wizard; 0 without one.
  virtual HWND GetWindowHandle() { return 0; }

  // ---- The command queue, the idle processing and the shutdown ----------------------------------------------
  // Records the window's bounds into the interface settings before they are saved.
  virtual void RefreshWindowState() {}
  // Updates the batch wizard's own command states; called from the main window's idle processing.
  virtual void UpdateCommandStates() {}
  // Asks whether to save a changed target list; 1 when the user cancelled the caller's operation, else 0.
  virtual int QuerySaveTargetList(int Flags) {
    (void)Flags;
    return 0;
  }
  // Opens the options dialog (modal) and refreshes the wizard.
  virtual void OptionsWizardClick() {}
  // Opens a target list file into the wizard (see OPENLIST_*): 0 opened, 1 refused or cancelled, -1 a named list
  // failed to open.
  virtual int OpenTargetList(const char* FileName, int Flags) {
    (void)FileName;
    (void)Flags;
    return 1;
  }
  // Processes the wizard's target list.
  virtual void FileStartProcessingClick() {}
  // Runs a batch job; with PROCESS_DOCUMENTS over the ready list of open documents. 0 done, -1 no list, -2 out of
  // memory, -3 a run is active; 1 without a window.
  virtual int ProcessTargets(TObject* Sender, PointerArrayManager* Documents, int Flags) {
    (void)Sender;
    (void)Documents;
    (void)Flags;
    return 1;
  }
};

// Registers the batch wizard's services (null: none). A new registration starts a new first showing.
void SetBatchWizardServices(BatchWizardServices* Services);
// The registered services, or a stand-in that answers "no window"; never null.
BatchWizardServices& BatchWizard();
bool HasBatchWizard();
// True the first time it is asked after a registration: the window's first showing.
bool TakeBatchWizardFirstShowing();
