// What the application core asks of the main window: one interface that the main window implements and registers
// while it exists. Later parts of the core add their needs here rather than declaring interfaces of their own.
#pragma once

#include "core/Strstore.h"

#include "platform/win/WinTypes.h"

class TComponent;
class TForm;
class TObject;
class fileinfoclass;
class fileinfoextraclass;
class inserterclass;
class SpellCheckService;

// Flags of MainWindowServices::AddNewFileTab used by the core.
inline constexpr int NEWTAB_REOPEN_AT_START = 1352;
// Modes of MainWindowServices::CloseALLFiles.
inline constexpr int CLOSEALL_SHUTDOWN = 1;

// What the services answer when no main window does the work (no window yet, or a window without the operation).
inline constexpr int MAINWINDOW_NOT_DONE = -1;
inline constexpr int MAINWINDOW_NO_TAB = -1;

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
  // Builds the floating toolbar of an inserter (owned by the main window, docked in its editor menu-bar dock)
  // with its menus, and shows, hides or deletes it. Null when it could not be built.
  virtual TComponent* CreateInserterToolbar(inserterclass* Inserter) {
    (void)Inserter;
    return nullptr;
  }
  virtual void ShowInserterToolbar(TComponent* Toolbar, bool Visible) {
    (void)Toolbar;
    (void)Visible;
  }
  virtual void DeleteInserterToolbar(TComponent* Toolbar) { (void)Toolbar; }
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
};

// Registers the main window's services (null: there is no main window, before start-up created it or after
// shutdown). Without a main window every service does nothing.
void SetMainWindowServices(MainWindowServices* Services);
// The registered services, or a stand-in that does nothing; never null.
MainWindowServices& MainWindow();
// True when a main window registered itself.
bool HasMainWindow();
