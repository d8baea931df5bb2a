// The batch wizard window's life: its layout, creation and destruction, the window state it keeps in the settings,
// the host side of a run (log, progress, status, pumping, dialogs) and the files dropped on it.
#include "batchwizard/Batchwizard.h"

#include "batchwizard/Batchjob.h"
#include "batchwizard/Batchwizoptions.h"
#include "batchwizard/Batchwiztargetproperties.h"
#include "core/Enginedialogs.h"
#include "core/Mainsetup.h"
#include "core/Mainwindowservices.h"
#include "core/Prgclass.h"
#include "core/Shutdown.h"
#include "core/Volatileclass.h"
#include "core/Windowcontrol.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/graphics/Cursors.h"
#include "platform/win/Clock.h"
#include "platform/win/ShlObj.h"
#include "toolbars/Tb2dockpositions.h"

#include <string>

namespace {

TBatchWizardForm* LiveWindow = nullptr;

// How often, at most, pending log lines are written into the log while a run pumps messages: the log and its
// repaint then cost the same however many lines a run writes.
constexpr unsigned long long LogFlushIntervalNs = 150ull * 1000ull * 1000ull;

std::string BatchWizardKey() { return std::string(SETTINGS_ROOT) + "\\Editor\\BatchWizard"; }
std::string RecentListsKey() { return std::string(SETTINGS_ROOT) + "\\" + RECENT_TARGET_LISTS_KEY; }

// The path of dropped file Index, however long it is.
std::string DroppedPath(HDROP Drop, UINT Index) {
  const UINT Length = DragQueryFile(Drop, Index, nullptr, 0);
  std::string Path(Length, '\0');
  if (Length == 0) {
    return Path;
  }
  const UINT Copied = DragQueryFile(Drop, Index, Path.data(), Length + 1);
  Path.resize(Copied);
  return Path;
}

}  // namespace

Z_IMPLEMENT_CLASS_PUBLISHED(TBatchWizardForm, TForm, TBatchWizardForm::Publish)

TBatchWizardForm* BatchWizardWindow() { return LiveWindow; }

void TBatchWizardForm::RegisterLayoutClasses() {
  static const bool Done = [] {
    RegisterClasses({TTBDock::StaticClass(), TTBToolbar::StaticClass(), TTBItem::StaticClass(),
                     TTBSubmenuItem::StaticClass(), TTBSeparatorItem::StaticClass(), TTBPopupMenu::StaticClass(),
                     TStatusBar::StaticClass(), TPageControl::StaticClass(), TTabSheet::StaticClass(),
                     TListView::StaticClass(), TLabel::StaticClass(), TEdit::StaticClass(), TButton::StaticClass(),
                     TEasyEdit::StaticClass(), TProgressBar::StaticClass(), TPTFolderBrowseDlg::StaticClass()});
    return true;
  }();
  (void)Done;
}

void TBatchWizardForm::Publish(TMetaClass& Meta) {
  TPublisher<TBatchWizardForm> P(Meta);
  using F = TBatchWizardForm;
#define ZUBQ_FIELD(N) P.Field(#N, &F::N)
  ZUBQ_FIELD(BatchWizardMenuDock);
  ZUBQ_FIELD(BatchWizardMenuBar);
  ZUBQ_FIELD(FileMenu);
  ZUBQ_FIELD(FileNewList);
  ZUBQ_FIELD(FileOpenList);
  ZUBQ_FIELD(FileSaveList);
  ZUBQ_FIELD(FileSaveListAs);
  ZUBQ_FIELD(FileCloseList);
  ZUBQ_FIELD(FileStartProcessing);
  ZUBQ_FIELD(FileStopProcessing);
  ZUBQ_FIELD(FileReopenLastReport);
  ZUBQ_FIELD(FileExit);
  ZUBQ_FIELD(ViewMenu);
  ZUBQ_FIELD(ViewToolbar);
  ZUBQ_FIELD(TargetMenu);
  ZUBQ_FIELD(TargetAddFiles);
  ZUBQ_FIELD(TargetAddDirectory);
  ZUBQ_FIELD(TargetAddURL);
  ZUBQ_FIELD(TargetDelete);
  ZUBQ_FIELD(TargetSelectionMenu);
  ZUBQ_FIELD(SelectionProcessYes);
  ZUBQ_FIELD(SelectionProcessNo);
  ZUBQ_FIELD(SelectionSetIFlag);
  ZUBQ_FIELD(SelectionClearIFlag);
  ZUBQ_FIELD(SelectionSetNFlag);
  ZUBQ_FIELD(SelectionClearNFlag);
  ZUBQ_FIELD(TargetAllMenu);
  ZUBQ_FIELD(AllProcessYes);
  ZUBQ_FIELD(AllProcessNo);
  ZUBQ_FIELD(TargetSelectAll);
  ZUBQ_FIELD(TargetOpenInEditor);
  ZUBQ_FIELD(TargetProperties);
  ZUBQ_FIELD(TargetAutoSizeColumns);
  ZUBQ_FIELD(OptionsMenu);
  ZUBQ_FIELD(OptionsWizard);
  ZUBQ_FIELD(OptionsSpellCheck);
  ZUBQ_FIELD(OptionsValidatorEngine);
  ZUBQ_FIELD(OptionsConfigurationEditor);
  ZUBQ_FIELD(HelpMenu);
  ZUBQ_FIELD(HelpWizard);
  ZUBQ_FIELD(HelpAbout);
  ZUBQ_FIELD(BatchWizardToolbar);
  ZUBQ_FIELD(NewListBtn);
  ZUBQ_FIELD(OpenListBtn);
  ZUBQ_FIELD(SaveListBtn);
  ZUBQ_FIELD(CloseListBtn);
  ZUBQ_FIELD(ProcessBtn);
  ZUBQ_FIELD(StopBtn);
  ZUBQ_FIELD(AddFilesBtn);
  ZUBQ_FIELD(AddDirectoryBtn);
  ZUBQ_FIELD(AddURLBtn);
  ZUBQ_FIELD(DeleteBtn);
  ZUBQ_FIELD(PropertiesBtn);
  ZUBQ_FIELD(OptionsBtn);
  ZUBQ_FIELD(BatchWizardStatusBar);
  ZUBQ_FIELD(BatchWizardPageControl);
  ZUBQ_FIELD(TargetSheet);
  ZUBQ_FIELD(TargetListView);
  ZUBQ_FIELD(ListOptionsSheet);
  ZUBQ_FIELD(HTMLReportFilenameLabel);
  ZUBQ_FIELD(HTMLReportFilenameEdit);
  ZUBQ_FIELD(HTMLReportBrowseBtn);
  ZUBQ_FIELD(HTMLReportCSSFilenameLabel);
  ZUBQ_FIELD(HTMLReportCSSFilenameEdit);
  ZUBQ_FIELD(HTMLReportCSSBrowseBtn);
  ZUBQ_FIELD(ExcludeBeginStringsLabel);
  ZUBQ_FIELD(ExcludeBeginStringsEdit);
  ZUBQ_FIELD(ProgressSheet);
  ZUBQ_FIELD(BatchProgressEdit);
  ZUBQ_FIELD(BatchProgressBar);
  ZUBQ_FIELD(WizardPopup);
  ZUBQ_FIELD(PopupProperties);
  ZUBQ_FIELD(PopupOpenInEditor);
  ZUBQ_FIELD(PopupSelectionMenu);
  ZUBQ_FIELD(PopupProcessYes);
  ZUBQ_FIELD(PopupProcessNo);
  ZUBQ_FIELD(PopupSetIFlag);
  ZUBQ_FIELD(PopupClearIFlag);
  ZUBQ_FIELD(PopupSetNFlag);
  ZUBQ_FIELD(PopupClearNFlag);
  ZUBQ_FIELD(PopupDelete);
  ZUBQ_FIELD(PopupProcess);
  ZUBQ_FIELD(PopupStop);
  ZUBQ_FIELD(PopupSaveList);
  ZUBQ_FIELD(FolderBrowseDlg);
#undef ZUBQ_FIELD
#define ZUBQ_METHOD(N) P.Method(#N, &F::N)
  ZUBQ_METHOD(FormCreate);
  ZUBQ_METHOD(FormShow);
  ZUBQ_METHOD(FormActivate);
  ZUBQ_METHOD(FormCloseQuery);
  ZUBQ_METHOD(FormDestroy);
  ZUBQ_METHOD(FileNewListClick);
  ZUBQ_METHOD(FileOpenListClick);
  ZUBQ_METHOD(FileSaveListClick);
  ZUBQ_METHOD(FileSaveListAsClick);
  ZUBQ_METHOD(FileStartProcessingClick);
  ZUBQ_METHOD(FileStopProcessingClick);
  ZUBQ_METHOD(FileReopenLastReportClick);
  ZUBQ_METHOD(FileExitClick);
  ZUBQ_METHOD(ViewToolbarClick);
  ZUBQ_METHOD(BatchWizardToolbarClose);
  ZUBQ_METHOD(SelectionProcessYesClick);
  ZUBQ_METHOD(SelectionProcessNoClick);
  ZUBQ_METHOD(SelectionSetIFlagClick);
  ZUBQ_METHOD(SelectionClearIFlagClick);
  ZUBQ_METHOD(SelectionSetNFlagClick);
  ZUBQ_METHOD(SelectionClearNFlagClick);
  ZUBQ_METHOD(TargetOpenInEditorClick);
  ZUBQ_METHOD(TargetAddFilesClick);
  ZUBQ_METHOD(TargetAddDirectoryClick);
  ZUBQ_METHOD(TargetAddURLClick);
  ZUBQ_METHOD(TargetDeleteClick);
  ZUBQ_METHOD(AllProcessYesClick);
  ZUBQ_METHOD(AllProcessNoClick);
  ZUBQ_METHOD(TargetSelectAllClick);
  ZUBQ_METHOD(TargetPropertiesClick);
  ZUBQ_METHOD(OptionsWizardClick);
  ZUBQ_METHOD(TargetAutoSizeColumnsClick);
  ZUBQ_METHOD(OptionsSpellCheckClick);
  ZUBQ_METHOD(OptionsValidatorEngineClick);
  ZUBQ_METHOD(OptionsConfigurationEditorClick);
  ZUBQ_METHOD(HelpWizardClick);
  ZUBQ_METHOD(HelpAboutClick);
  ZUBQ_METHOD(TargetListViewDblClick);
  ZUBQ_METHOD(TargetListViewColumnClick);
  ZUBQ_METHOD(TargetListViewKeyPress);
  ZUBQ_METHOD(HTMLReportBrowseBtnClick);
  ZUBQ_METHOD(HTMLReportCSSBrowseBtnClick);
  ZUBQ_METHOD(ReportFieldChange);
  ZUBQ_METHOD(TargetSheetShow);
  ZUBQ_METHOD(BatchWizardPageControlChanging);
  ZUBQ_METHOD(BatchWizardPageControlChange);
  ZUBQ_METHOD(WizardPopupPopup);
#undef ZUBQ_METHOD
}

TBatchWizardForm::TBatchWizardForm(TComponent* AOwner) : TForm((RegisterLayoutClasses(), AOwner)) {}

TBatchWizardForm::~TBatchWizardForm() {
  if (LiveWindow == this) {
    LiveWindow = nullptr;
  }
  if (DefaultBatchTargetView() == this) {
    SetDefaultBatchTargetView(nullptr);
  }
}

void TBatchWizardForm::AfterConstruction() {
  LiveWindow = this;
  TForm::AfterConstruction();
  SetEngineDialogOwner(EngineDialogOwnerSlot::BatchWizard, this);
}

void TBatchWizardForm::BeforeDestruction() {
  if (GetEngineDialogOwner(EngineDialogOwnerSlot::BatchWizard) == this) {
    SetEngineDialogOwner(EngineDialogOwnerSlot::BatchWizard, nullptr);
  }
  // The targets outlive the window: they forget their rows before the list view goes.
  if (PointerArrayManager* L = List()) {
    for (int I = 0; I < L->getCount(); ++I) {
      if (auto* T = static_cast<batchwiztargetclass*>(L->getPointer(I)); T != nullptr && T->listView == this) {
        T->listView = nullptr;
        T->listItem = nullptr;
      }
    }
  }
  if (DefaultBatchTargetView() == this) {
    SetDefaultBatchTargetView(nullptr);
  }
  if (LiveWindow == this) {
    LiveWindow = nullptr;
  }
  TForm::BeforeDestruction();
}

void TBatchWizardForm::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  Params.ExStyle |= WS_EX_APPWINDOW;
  Params.WndParent = GetDesktopWindow();
}

void TBatchWizardForm::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_DROPFILES) {
    HandleDroppedFiles(reinterpret_cast<HDROP>(Message.WParam));
    Message.Result = 0;
    return;
  }
  TForm::Dispatch(Message);
}

PointerArrayManager* TBatchWizardForm::List() { return BatchTargetList(); }

batchwizclass* TBatchWizardForm::Settings() { return BatchSettings(); }

// ---- Creation, showing, activation and destruction ---------------------------------------------------------

void TBatchWizardForm::FormCreate(TObject*) {
  if (prg != nullptr && prg->interface != nullptr) {
    const interfaceclass& I = *prg->interface;
    (void)PlaceFormOnScreen(this, I.batchFormLeft, I.batchFormTop, I.batchFormWidth, I.batchFormHeight);  // 0
  }
  UpdateCaption(CAPTION_NO_LIST_NAME);
  BatchWizardPageControl->SetActivePage(TargetSheet);
  if (prg != nullptr && prg->volatileState != nullptr && prg->volatileState->batchTargets == nullptr) {
    prg->volatileState->batchTargets = new PointerArrayManager(FreeBatchTarget);
  }
  SetDefaultBatchTargetView(this);
  // Targets of a list that outlived an earlier window take this one as their view.
  if (PointerArrayManager* L = List()) {
    for (int I = 0; I < L->getCount(); ++I) {
      if (auto* T = static_cast<batchwiztargetclass*>(L->getPointer(I))) {
        T->listView = this;
      }
    }
  }
  running = 0;
  abortWord = 0;
  SHFILEINFO Info;
  const auto Images = SHGetFileInfo("", 0, &Info, sizeof(Info), 0x4101);
  SystemImageList = new TImageList(this);
  SystemImageList->ShareImages = true;
  if (Images != 0) {
    SystemImageList->SetHandle(reinterpret_cast<HIMAGELIST>(Images));
  }
  TargetListView->SetSmallImages(SystemImageList);
  (void)SetupEditor(BatchProgressEdit, EDITOR_PLAIN_VIEWER);  // 0 for an editor
  try {
    ApplyEditorAppearance(BatchProgressEdit, SETUP_APPLY);
  } catch (const std::exception&) {
    // Options the editor refuses leave it with its own appearance; the log works all the same.
  }
  BatchProgressEdit->Font()->SetName("Courier New");
  if (BatchProgressEdit->LineStyles()->IndexOfName(ERROR_LINE_STYLE) < 0) {
    auto* Style = static_cast<TEasyLineStyle*>(BatchProgressEdit->LineStyles()->Add());
    Style->SetName(ERROR_LINE_STYLE);
    Style->SetColor(clRed);
    Style->SetBackColor(clWindow);
  }
  BatchProgressEdit->GetEditSource()->SetReadOnly(true);
  (void)SetupMenuBar(BatchWizardMenuBar, 2);  // 0
  BatchWizardMenuDock->SetBoundLines(TTBDockBoundLines{blTop});
  if (batchwizclass* S = Settings()) {
    (void)StringArrayStore::loadFromRegistry(&S->recentLists, HKEY_CURRENT_USER, RecentListsKey().c_str(),
                                             RECENT_LIST_ENTRIES);  // a missing key leaves the list empty
  }
  RebuildRecentMenus();
  columnWidths.clear();
  for (int I = 0; I < TargetListView->Columns()->Count(); ++I) {
    columnWidths.push_back(TargetListView->Columns()->Items(I)->Width());
  }
  DragAcceptFiles(Handle(), TRUE);
  fieldsLoading = true;
  HTMLReportFilenameEdit->SetText("");
  HTMLReportCSSFilenameEdit->SetText("");
  ExcludeBeginStringsEdit->SetText("");
  fieldsLoading = false;
  TBRegLoadPositions(this, HKEY_CURRENT_USER, BatchWizardKey());
  RefreshTargetListView(List(), REFRESH_ALL_ROWS);
  SyncListOptions(0);
}

void TBatchWizardForm::FormShow(TObject*) {
  ShowListStatus(STATUS_COUNT);
  ShowToolName();
}

void TBatchWizardForm::FormActivate(TObject*) {
  const batchwizclass* S = Settings();
  const bool Visible = S == nullptr || S->optionFlags.has(BWF::Toolbar);
  BatchWizardToolbar->SetVisible(Visible);
  ViewToolbar->SetChecked(Visible);
}

void TBatchWizardForm::FormCloseQuery(TObject*, bool& CanClose) { CanClose = running == 0; }

void TBatchWizardForm::FormDestroy(TObject*) {
  TBRegSavePositions(this, HKEY_CURRENT_USER, BatchWizardKey());
  RefreshWindowState();
  if (batchwizclass* S = Settings()) {
    (void)S->recentLists.saveToRegistry(HKEY_CURRENT_USER, RecentListsKey().c_str(),
                                        RECENT_LIST_ENTRIES);  // registry failures are ignored
    S->listOptions.reset();
  }
}

void TBatchWizardForm::RestoreWindow(int Flags) {
  RefreshWindowState();
  if ((Flags & RESTORE_MINIMIZED) != 0 && HandleAllocated() && IsIconic(Handle())) {
    ShowWindow(Handle(), SW_RESTORE);
  }
}

void TBatchWizardForm::RefreshWindowState() {
  if (prg == nullptr || prg->interface == nullptr || WindowState() != wsNormal) {
    return;
  }
  interfaceclass& I = *prg->interface;
  I.batchFormLeft = Left();
  I.batchFormTop = Top();
  I.batchFormWidth = Width();
  I.batchFormHeight = Height();
}

void TBatchWizardForm::UpdateCaption(int Flags) {
  std::string Text = BATCH_WIZARD_TITLE;
  const batchwizclass* S = Settings();
  if (S != nullptr && S->listFileName.length > 0 && (Flags & CAPTION_NO_LIST_NAME) == 0) {
    Text.append(" - ").append(S->listFileName.text);
  }
  pendingCaption.clear();
  if (Text != captionShown) {
    captionShown = Text;
    SetCaption(Text);
  }
}

void TBatchWizardForm::SetStatusText(const char* Text) { BatchWizardStatusBar->Panels()->Items(1)->SetText(Text); }

void TBatchWizardForm::ShowToolName() {
  const batchwizclass* S = Settings();
  BatchWizardStatusBar->Panels()->Items(0)->SetText(S != nullptr ? GetToolName(*S) : "");
}

// ---- The host side of a run -------------------------------------------------------------------------------

void TBatchWizardForm::ClearLog() {
  pendingLog.clear();
  TCustomEasyEditSource* Source = BatchProgressEdit->GetEditSource();
  Source->SetReadOnly(false);
  Source->Clear();
  Source->SetReadOnly(true);
}

void TBatchWizardForm::WriteLogLine(int, const char* Text, bool Error) {
  pendingLog.emplace_back(Text != nullptr ? Text : "", Error);
  if (running == 0) {
    FlushLog();
  }
}

void TBatchWizardForm::FlushLog() {
  lastLogFlush = Clock().MonotonicNs();
  if (pendingLog.empty()) {
    return;
  }
  TCustomEasyEditSource* Source = BatchProgressEdit->GetEditSource();
  const int Style = BatchProgressEdit->LineStyles()->IndexOfName(ERROR_LINE_STYLE);
  Source->SetReadOnly(false);
  TEasyStrings* Lines = Source->Strings();
  for (const auto& [Text, Error] : pendingLog) {
    const int Line = Lines->Add(Text);
    if (Error && Style >= 0) {
      Source->SetLineStyle(Line, Style);
    }
  }
  pendingLog.clear();
  Source->SetReadOnly(true);
  Source->JumpTo(0, Lines->Count() > 0 ? Lines->Count() - 1 : 0);
}

void TBatchWizardForm::ProcessMessages() {
  const unsigned long long Now = Clock().MonotonicNs();
  if (!pendingLog.empty() && Now - lastLogFlush >= LogFlushIntervalNs) {
    FlushLog();
  }
  if (!pendingCaption.empty() && Now - lastCaptionUpdate >= LogFlushIntervalNs) {
    ShowCaption(pendingCaption);
  }
  BatchWizardHost::ProcessMessages();
}

void TBatchWizardForm::SetProgress(int Value, int Mode) { SetProgressWithCounts(Value, 0, Mode & ~PROGRESS_COUNTS, 0); }

void TBatchWizardForm::SetProgressWithCounts(int Value, int Done, int Mode, int Total) {
  BatchWizardHost::SetProgress(Value, Mode & ~PROGRESS_COUNTS);
  const int Position = GetProgress();
  if (BatchProgressBar->Position() != Position) {
    BatchProgressBar->SetPosition(Position);
  }
  if ((Mode & PROGRESS_NO_CAPTION) != 0) {
    return;
  }
  if (Position >= 100) {
    UpdateCaption(0);
    return;
  }
  std::string Text = std::to_string(Position) + "% Complete";
  if ((Mode & PROGRESS_COUNTS) != 0) {
    Text += " - [" + std::to_string(Done) + "<>" + std::to_string(Total) + "]";
  }
  // During a run the counts change with every target: the caption takes the latest text at most once per
  // interval (at the next pump), so that retitling the window does not slow the run down.
  if (running != 0 && Clock().MonotonicNs() - lastCaptionUpdate < LogFlushIntervalNs) {
    pendingCaption = Text;
    return;
  }
  ShowCaption(Text);
}

void TBatchWizardForm::ShowCaption(std::string Text) {
  lastCaptionUpdate = Clock().MonotonicNs();
  pendingCaption.clear();
  if (Text != captionShown) {
    captionShown = Text;
    SetCaption(Text);
  }
}

void TBatchWizardForm::ShowListStatus(int Flags) {
  if ((Flags & STATUS_COUNT) != 0) {
    const PointerArrayManager* L = List();
    const int N = L != nullptr ? L->getCount() : 0;
    SetStatusText((std::to_string(N) + (N == 1 ? " target." : " targets.")).c_str());
  }
  if ((Flags & STATUS_PROCESSING) != 0) {
    SetStatusText("Processing targets... please wait...");
  }
  if ((Flags & STATUS_COMPLETE) != 0) {
    SetStatusText("Processing complete.");
    SetProgress(0, PROGRESS_ZERO | PROGRESS_NO_CAPTION);
  }
  if ((Flags & STATUS_SAVED) != 0) {
    SetStatusText("Target list saved.");
  }
  if ((Flags & STATUS_ABORTING) != 0) {
    SetStatusText("Aborting target list processing... please wait...");
  }
}

void TBatchWizardForm::SyncListOptions(int Flags) {
  batchwizclass* S = Settings();
  if (S == nullptr) {
    return;
  }
  if ((Flags & SYNC_EMPTY) != 0) {
    const batchwizclass2 Empty;
    (void)S->SetCurrentListOptions(&Empty);  // out of memory leaves no record: the list is written without one
  }
  if ((Flags & SYNC_FROM_FIELDS) != 0) {
    batchwizclass2 Copy;
    if (S->listOptions != nullptr) {
      for (int I = 0; I < 4; ++I) {
        Copy.slots[I] = S->listOptions->slots[I];
      }
    }
    const std::string Fields[3] = {HTMLReportFilenameEdit->Text(), HTMLReportCSSFilenameEdit->Text(),
                                   ExcludeBeginStringsEdit->Text()};
    bool Changed = S->listOptions == nullptr;
    for (int I = 0; I < 3; ++I) {
      if (Copy.slots[I].notEqual(Fields[I].c_str()) != 0) {
        Copy.slots[I].assign(Fields[I].c_str());
        Changed = true;
      }
    }
    if (Changed) {
      const bool HadRecord = S->listOptions != nullptr;
      (void)S->SetCurrentListOptions(&Copy);  // as above
      if (HadRecord) {
        MarkTargetListModified(List());
      }
    }
    return;
  }
  fieldsLoading = true;
  const batchwizclass2* O = S->listOptions.get();
  HTMLReportFilenameEdit->SetText(O != nullptr ? O->slot(1).text : "");
  HTMLReportCSSFilenameEdit->SetText(O != nullptr ? O->slot(2).text : "");
  ExcludeBeginStringsEdit->SetText(O != nullptr ? O->slot(3).text : "");
  fieldsLoading = false;
}

void TBatchWizardForm::SetItemsEnabled(std::initializer_list<TTBCustomItem*> Items, bool On) {
  for (TTBCustomItem* Item : Items) {
    if (Item != nullptr && Item->Enabled() != On) {
      Item->SetEnabled(On);
    }
  }
}

void TBatchWizardForm::UpdateRunningState(bool Running) {
  if (!Running) {
    FlushLog();
  }
  if (Running) {
    BatchWizardPageControl->SetActivePage(ProgressSheet);
  }
  TargetSheet->SetEnabled(!Running);
  TargetListView->SetPopupMenu(Running ? nullptr : WizardPopup);
  const bool Idle = !Running;
  SetItemsEnabled({FileNewList, FileSaveListAs, FileCloseList, FileOpenList, FileExit, TargetMenu, OptionsMenu,
                   NewListBtn, OpenListBtn, CloseListBtn, OptionsBtn, PropertiesBtn},
                  Idle);
  UpdateCommandStates();
  if (!Running) {
    UpdateCaption(0);
    RefreshTargetListView(List(), REFRESH_RESULTS);
  }
}

void TBatchWizardForm::SetBusyCursor(bool Busy) {
  if (Busy) {
    if (busyDepth++ == 0) {
      savedCursor = Screen->Cursor();
      Screen->SetCursor(crHourGlass);
    }
  } else if (busyDepth > 0 && --busyDepth == 0) {
    Screen->SetCursor(savedCursor);
  }
}

HWND TBatchWizardForm::OwnerWindow() { return HandleAllocated() ? Handle() : 0; }

// ---- Dropped files -----------------------------------------------------------------------------------------

void TBatchWizardForm::HandleDroppedFiles(HDROP Drop) {
  const UINT Count = DragQueryFile(Drop, 0xFFFFFFFF, nullptr, 0);
  std::vector<std::string> Paths;
  Paths.reserve(Count);
  for (UINT I = 0; I < Count; ++I) {
    // The whole path: a path cut to a fixed buffer would name another file.
    std::string Path = DroppedPath(Drop, I);
    if (!Path.empty()) {
      Paths.push_back(std::move(Path));
    }
  }
  if (running != 0) {
    DragFinish(Drop);
    return;  // the list belongs to the run until it ends
  }
  (void)BringFormToFront(this, BRINGFRONT_STANDARD | BRINGFRONT_KEEP_APPLICATION);  // -1 only without a form
  SetStatusText(("Adding targets from list of " + std::to_string(Count) + " dropped files.").c_str());
  AddDroppedPaths(Paths);
  DragFinish(Drop);
  ShowListStatus(STATUS_COUNT);
}

void TBatchWizardForm::AddDroppedPaths(const std::vector<std::string>& Paths) {
  SetBusyCursor(true);
  BeginUpdate();
  for (const std::string& Path : Paths) {
    (void)AddTarget(List(), Path.c_str(), TARGET_KIND_PATH | ADD_NO_SORT | ADD_OPTION_SUB);  // equal: nothing added
  }
  EndUpdate();
  SortTargetListView(-1, 0);
  SetBusyCursor(false);
}
