// TBatchWizardForm: the batch wizard's own top-level window. It shows and edits the target list, the list's report
// settings and the progress log, runs and stops batch jobs, opens and saves target lists and opens the options and
// target-properties dialogs.
#pragma once

#include "batchwizard/Batchwizardhost.h"
#include "core/Batchwizclass.h"

#include "editor/Easyeditor.h"
#include "platform/controls/ComCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/StdCtrls.h"
#include "platform/graphics/ImgList.h"
#include "shell/Uptfolderbrowse.h"
#include "toolbars/Tb2dock.h"
#include "toolbars/Tb2item.h"
#include "toolbars/Tb2popup.h"
#include "toolbars/Tb2toolbar.h"

#include <map>
#include <string>
#include <vector>

class TWizardOptionsForm;
class TWizardPropertiesForm;
class TTimer;

// Bits of TBatchWizardForm::ApplyToSelection.
inline constexpr int SELECT_PROCESS_YES = 0x1;
inline constexpr int SELECT_PROCESS_NO = 0x2;
inline constexpr int SELECT_SET_I = 0x4;
inline constexpr int SELECT_CLEAR_I = 0x8;
inline constexpr int SELECT_OPEN_IN_EDITOR = 0x10;
inline constexpr int SELECT_SET_N = 0x20;
inline constexpr int SELECT_CLEAR_N = 0x40;
inline constexpr int SELECT_HAS_FILE_OR_URL = 0x80;
inline constexpr int SELECT_HAS_ANY = 0x100;
// Flags of TBatchWizardForm::UpdateCaption.
inline constexpr int CAPTION_NO_LIST_NAME = 0x2;
// Flags of RefreshTargetListView.
inline constexpr int REFRESH_ALL_ROWS = 0x1;
inline constexpr int REFRESH_RESULTS = 0x2;
// Flag of TBatchWizardForm::RestoreWindow.
inline constexpr int RESTORE_MINIMIZED = 0x1;
// The pseudo name under which a URL target is opened in the editor, and OpenWebDocument's flags for it.
inline constexpr const char BATCH_OPEN_URL_NAME[] = "ZUBBatchWizardOpenURL.txt";
inline constexpr int BATCH_OPEN_URL_FLAGS = 3;
// The log's error line style.
inline constexpr const char ERROR_LINE_STYLE[] = "ZUBError line";
// The window title without a list.
inline constexpr const char BATCH_WIZARD_TITLE[] = "ZUB Quillon Pro Batch Wizard";

// The batch wizard window. Made once by the batch wizard's services (owned by the application) and kept until the
// class library destroys the forms; its two dialogs are made on first use and owned by it. It is the batch host
// of the runs it starts and the view of the target list's rows.
class TBatchWizardForm : public TForm, public BatchWizardHost, public BatchTargetView {
  Z_CLASS(TBatchWizardForm, TForm)
public:
  explicit TBatchWizardForm(TComponent* AOwner);
  ~TBatchWizardForm() override;
  void AfterConstruction() override;
  void BeforeDestruction() override;
  static void Publish(TMetaClass& Meta);
  static void RegisterLayoutClasses();

  // ---- Components of the layout ---------------------------------------------------------------------------
  TTBDock* BatchWizardMenuDock = nullptr;
  TTBToolbar* BatchWizardMenuBar = nullptr;
  TTBSubmenuItem* FileMenu = nullptr;
  TTBItem* FileNewList = nullptr;
  TTBSubmenuItem* FileOpenList = nullptr;
  TTBItem* FileSaveList = nullptr;
  TTBItem* FileSaveListAs = nullptr;
  TTBItem* FileCloseList = nullptr;
  TTBItem* FileStartProcessing = nullptr;
  TTBItem* FileStopProcessing = nullptr;
  TTBItem* FileReopenLastReport = nullptr;
  TTBItem* FileExit = nullptr;
  TTBSubmenuItem* ViewMenu = nullptr;
  TTBItem* ViewToolbar = nullptr;
  TTBSubmenuItem* TargetMenu = nullptr;
  TTBItem* TargetAddFiles = nullptr;
  TTBItem* TargetAddDirectory = nullptr;
  TTBItem* TargetAddURL = nullptr;
  TTBItem* TargetDelete = nullptr;
  TTBSubmenuItem* TargetSelectionMenu = nullptr;
  TTBItem* SelectionProcessYes = nullptr;
  TTBItem* SelectionProcessNo = nullptr;
  TTBItem* SelectionSetIFlag = nullptr;
  TTBItem* SelectionClearIFlag = nullptr;
  TTBItem* SelectionSetNFlag = nullptr;
  TTBItem* SelectionClearNFlag = nullptr;
  TTBSubmenuItem* TargetAllMenu = nullptr;
  TTBItem* AllProcessYes = nullptr;
  TTBItem* AllProcessNo = nullptr;
  TTBItem* TargetSelectAll = nullptr;
  TTBItem* TargetOpenInEditor = nullptr;
  TTBItem* TargetProperties = nullptr;
  TTBItem* TargetAutoSizeColumns = nullptr;
  TTBSubmenuItem* OptionsMenu = nullptr;
  TTBItem* OptionsWizard = nullptr;
  TTBItem* OptionsSpellCheck = nullptr;
  TTBItem* OptionsValidatorEngine = nullptr;
  TTBItem* OptionsConfigurationEditor = nullptr;
  TTBSubmenuItem* HelpMenu = nullptr;
  TTBItem* HelpWizard = nullptr;
  TTBItem* HelpAbout = nullptr;
  TTBToolbar* BatchWizardToolbar = nullptr;
  TTBItem* NewListBtn = nullptr;
  TTBSubmenuItem* OpenListBtn = nullptr;
  TTBItem* SaveListBtn = nullptr;
  TTBItem* CloseListBtn = nullptr;
  TTBItem* ProcessBtn = nullptr;
  TTBItem* StopBtn = nullptr;
  TTBItem* AddFilesBtn = nullptr;
  TTBItem* AddDirectoryBtn = nullptr;
  TTBItem* AddURLBtn = nullptr;
  TTBItem* DeleteBtn = nullptr;
  TTBItem* PropertiesBtn = nullptr;
  TTBItem* OptionsBtn = nullptr;
  TStatusBar* BatchWizardStatusBar = nullptr;
  TPageControl* BatchWizardPageControl = nullptr;
  TTabSheet* TargetSheet = nullptr;
  TListView* TargetListView = nullptr;
  TTabSheet* ListOptionsSheet = nullptr;
  TLabel* HTMLReportFilenameLabel = nullptr;
  TEdit* HTMLReportFilenameEdit = nullptr;
  TButton* HTMLReportBrowseBtn = nullptr;
  TLabel* HTMLReportCSSFilenameLabel = nullptr;
  TEdit* HTMLReportCSSFilenameEdit = nullptr;
  TButton* HTMLReportCSSBrowseBtn = nullptr;
  TLabel* ExcludeBeginStringsLabel = nullptr;
  TEdit* ExcludeBeginStringsEdit = nullptr;
  TTabSheet* ProgressSheet = nullptr;
  TEasyEdit* BatchProgressEdit = nullptr;
  TProgressBar* BatchProgressBar = nullptr;
  TTBPopupMenu* WizardPopup = nullptr;
  TTBItem* PopupProperties = nullptr;
  TTBItem* PopupOpenInEditor = nullptr;
  TTBSubmenuItem* PopupSelectionMenu = nullptr;
  TTBItem* PopupProcessYes = nullptr;
  TTBItem* PopupProcessNo = nullptr;
  TTBItem* PopupSetIFlag = nullptr;
  TTBItem* PopupClearIFlag = nullptr;
  TTBItem* PopupSetNFlag = nullptr;
  TTBItem* PopupClearNFlag = nullptr;
  TTBItem* PopupDelete = nullptr;
  TTBItem* PopupProcess = nullptr;
  TTBItem* PopupStop = nullptr;
  TTBItem* PopupSaveList = nullptr;
  TPTFolderBrowseDlg* FolderBrowseDlg = nullptr;
  // The shell's small icons (shared, not owned by the list).
  TImageList* SystemImageList = nullptr;

  // ---- Handlers bound in the layout (Batchwizardcommands.cpp) ---------------------------------------------
  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormActivate(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void FormDestroy(TObject* Sender);
  void FileNewListClick(TObject* Sender);
  void FileOpenListClick(TObject* Sender);
  void RecentListClick(TObject* Sender);
  void FileSaveListClick(TObject* Sender);
  void FileSaveListAsClick(TObject* Sender);
  void FileStartProcessingClick(TObject* Sender);
  void FileStopProcessingClick(TObject* Sender);
  void FileReopenLastReportClick(TObject* Sender);
  void FileExitClick(TObject* Sender);
  void ViewToolbarClick(TObject* Sender);
  void BatchWizardToolbarClose(TObject* Sender);
  void SelectionProcessYesClick(TObject* Sender);
  void SelectionProcessNoClick(TObject* Sender);
  void SelectionSetIFlagClick(TObject* Sender);
  void SelectionClearIFlagClick(TObject* Sender);
  void SelectionSetNFlagClick(TObject* Sender);
  void SelectionClearNFlagClick(TObject* Sender);
  void TargetOpenInEditorClick(TObject* Sender);
  void TargetAddFilesClick(TObject* Sender);
  void TargetAddDirectoryClick(TObject* Sender);
  void TargetAddURLClick(TObject* Sender);
  void TargetDeleteClick(TObject* Sender);
  void AllProcessYesClick(TObject* Sender);
  void AllProcessNoClick(TObject* Sender);
  void TargetSelectAllClick(TObject* Sender);
  void TargetPropertiesClick(TObject* Sender);
  void OptionsWizardClick(TObject* Sender);
  void TargetAutoSizeColumnsClick(TObject* Sender);
  void OptionsSpellCheckClick(TObject* Sender);
  void OptionsValidatorEngineClick(TObject* Sender);
  void OptionsConfigurationEditorClick(TObject* Sender);
  void HelpWizardClick(TObject* Sender);
  void HelpAboutClick(TObject* Sender);
  void TargetListViewDblClick(TObject* Sender);
  void TargetListViewColumnClick(TObject* Sender, TListColumn* Column);
  void TargetListViewKeyPress(TObject* Sender, char& Key);
  void HTMLReportBrowseBtnClick(TObject* Sender);
  void HTMLReportCSSBrowseBtnClick(TObject* Sender);
  void ReportFieldChange(TObject* Sender);
  void TargetSheetShow(TObject* Sender);
  void BatchWizardPageControlChanging(TObject* Sender, bool& AllowChange);
  void BatchWizardPageControlChange(TObject* Sender);
  void WizardPopupPopup(TObject* Sender);

  // ---- Operations ------------------------------------------------------------------------------------------
  // Opens a list (OPENLIST_* flags): 1 refused or cancelled, -1 a named list failed to open, else 0.
  int OpenTargetList(TObject* Sender, const char* FileName, int Flags);
  // 1 when the caller's operation is to be cancelled, else 0.
  int QuerySaveTargetList();
  void UpdateCommandStates();
  void RestoreWindow(int Flags);
  // Records the window's bounds into the interface settings (while it is in the normal state).
  void RefreshWindowState();
  void UpdateCaption(int Flags);
  // See SELECT_*; for the two queries 1 when true, else 0.
  int ApplyToSelection(int Flags);
  void RefreshTargetListView(PointerArrayManager* List, int Flags);
  // Sorts the rows by the sort word; a column click (0..4) first sets or flips the word.
  void SortTargetListView(int Column, int Flags);
  // The order of two targets under the sort word: negative, 0 or positive.
  static int CompareListItems(batchwiztargetclass* A, batchwiztargetclass* B, int SortWord);
  // Adds every path with the busy cursor, rows suspended and one sort afterwards (a dropped set of files).
  void AddDroppedPaths(const std::vector<std::string>& Paths);
  // Rebuilds the recent-list items of the Open List submenu and button.
  void RebuildRecentMenus();
  // Writes the pending log lines into the log editor now.
  void FlushLog();

  // ---- BatchWizardHost --------------------------------------------------------------------------------------
  void ClearLog() override;
  void WriteLogLine(int Level, const char* Text, bool Error) override;
  void SetProgress(int Value, int Mode) override;
  void SetProgressWithCounts(int Value, int Done, int Mode, int Total) override;
  void ShowListStatus(int Flags) override;
  void SyncListOptions(int Flags) override;
  void UpdateRunningState(bool Running) override;
  void SetBusyCursor(bool Busy) override;
  void ProcessMessages() override;
  HWND OwnerWindow() override;
  bool ExecuteOpenDialog(TargetListDialogRequest& Request) override;
  bool ExecuteSaveDialog(TargetListDialogRequest& Request) override;

  // ---- BatchTargetView ---------------------------------------------------------------------------------------
  void updateListItem(batchwiztargetclass* Target, int Flags) override;
  void BeginUpdate() override;
  void EndUpdate() override;
  void Sort() override { SortTargetListView(-1, 0); }

  // The dialogs, once made (null before).
  TWizardOptionsForm* OptionsForm = nullptr;
  TWizardPropertiesForm* PropertiesForm = nullptr;
  // The remembered column widths.
  std::vector<int> columnWidths;

protected:
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;

private:
  void SetStatusText(const char* Text);
  void ShowCaption(std::string Text);
  void ShowToolName();
  void FillRow(TListItem* Item, batchwiztargetclass* Target, int Columns);
  int RowIcon(batchwiztargetclass* Target);
  void DeleteRow(batchwiztargetclass* Target);
  void SelectionCommandDone(int Flags, bool Changed);
  void SetAllProcess(bool Yes);
  void BrowseReportField(bool StyleSheet);
  void HandleDroppedFiles(HDROP Drop);
  void SetItemsEnabled(std::initializer_list<TTBCustomItem*> Items, bool On);
  PointerArrayManager* List();
  batchwizclass* Settings();

  int updateDepth = 0;
  std::vector<TListItem*> pendingDeletes;  // rows deleted while updates are suspended
  std::map<std::string, int> iconCache;    // shell icons of file types ("" folders)
  std::vector<std::pair<std::string, bool>> pendingLog;
  unsigned long long lastLogFlush = 0;
  std::string captionShown;
  std::string pendingCaption;  // the newest progress caption not shown yet
  unsigned long long lastCaptionUpdate = 0;
  int busyDepth = 0;
  TCursor savedCursor = crDefault;
  bool fieldsLoading = false;
  bool everShown = false;
};

// The batch wizard window while it exists, else null.
TBatchWizardForm* BatchWizardWindow();
// The extensions filter of Add Files: the HTML document type's extensions, then every file.
std::string AddFilesFilter();
