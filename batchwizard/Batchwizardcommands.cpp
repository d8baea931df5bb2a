// The batch wizard window's commands (menu items, toolbar buttons and popup items share them), the lists it opens
// and saves, its command states and its other events.
#include "batchwizard/Batchwizard.h"

#include "batchwizard/Batchjob.h"
#include "batchwizard/Batchwizoptions.h"
#include "batchwizard/Batchwiztargetproperties.h"
#include "batchwizard/Targetlist.h"
#include "core/Enginedialogs.h"
#include "core/Fileinfoextraclass.h"
#include "core/Mainsetup.h"
#include "core/Mainwindowservices.h"
#include "core/Parserclass.h"
#include "core/Prgclass.h"
#include "core/Settings.h"
#include "core/Validatorlib.h"
#include "core/Volatileclass.h"
#include "mainwindow/Openfromweb.h"

#include "platform/controls/Dialogs.h"
#include "platform/win/MessageBox.h"
#include "platform/rtl/SysUtils.h"
#include "shell/Uptdialogs.h"

#include <memory>

namespace {

constexpr UINT ErrorBox = MB_OK | MB_ICONERROR;
constexpr int RecentListMaximum = 15;
constexpr int RecentListAddFlags = 3;

bool IsHttps(const char* Address) { return Address != nullptr && StrStore(Address).startsWithNoCase("https") != 0; }

// The folder part of a path (without its last separator), empty when it has none.
std::string FolderOf(const std::string& Path) {
  const std::size_t Slash = Path.find_last_of("/\\");
  return Slash == std::string::npos ? std::string() : Path.substr(0, Slash);
}

}  // namespace

std::string AddFilesFilter() {
  std::string Extensions;
  if (prg != nullptr && prg->volatileState != nullptr) {
    const char* List = FindParserField(prg->volatileState->documentTypes, 1, 1, -1);
    Extensions = List != nullptr ? List : "";
  }
  std::string Patterns;
  std::size_t From = 0;
  while (From <= Extensions.size()) {
    const std::size_t Comma = Extensions.find(',', From);
    const std::string Ext = Extensions.substr(From, Comma == std::string::npos ? std::string::npos : Comma - From);
    Patterns += (Patterns.empty() ? "*." : ";*.") + Ext;
    if (Comma == std::string::npos) {
      break;
    }
    From = Comma + 1;
  }
  return "HTML Parsed Documents (*.htm,*.html,etc.)|" + Patterns + "|All Files (*.*)|*.*";
}

// ---- Target lists -----------------------------------------------------------------------------------------

int TBatchWizardForm::QuerySaveTargetList() {
  const PointerArrayManager* L = List();
  batchwizclass* S = Settings();
  if (L == nullptr || S == nullptr || L->settings.getInt(PAM_UNCHANGED) != 0) {
    return 0;
  }
  Show();
  const int Answer = ShowMessage("The target list is not saved. Do you want to save the list before continuing?",
                                 "Quillon: Save Batch Wizard Target List?", MB_YESNOCANCEL | MB_ICONQUESTION);
  if (Answer == IDCANCEL) {
    return 1;
  }
  if (Answer == IDNO) {
    return 0;
  }
  const int Saved = SaveTargetListFile(this, List(), S->listFileName, LISTFILE_DIALOG_WHEN_EMPTY);
  UpdateCaption(0);
  return Saved == 0 ? 0 : 1;
}

int TBatchWizardForm::OpenTargetList(TObject*, const char* FileName, int Flags) {
  batchwizclass* S = Settings();
  if (S == nullptr || ((Flags & OPENLIST_REOPEN) != 0 && S->listFileName.length == 0) ||
      ((Flags & OPENLIST_NAMED) != 0 && (FileName == nullptr || *FileName == 0))) {
    return 1;
  }
  SetBusyCursor(true);
  int Result = 0;
  if (QuerySaveTargetList() == 1) {
    Result = 1;
  } else {
    int R = 0;
    if ((Flags & OPENLIST_NAMED) != 0) {
      StrStore Name(FileName);
      R = OpenTargetListFile(this, List(), Name, this, LISTFILE_DIALOG_WHEN_EMPTY);
      S->listFileName = R == 0 ? Name : StrStore();
    } else {
      const int DialogFlag = (Flags & OPENLIST_ASK) != 0 ? LISTFILE_DIALOG : LISTFILE_DIALOG_WHEN_EMPTY;
      R = OpenTargetListFile(this, List(), S->listFileName, this, DialogFlag);
    }
    if (R == 0) {
      (void)S->recentLists.addString(S->listFileName.text, RecentListAddFlags);  // 0 only without memory
      RebuildRecentMenus();
      RefreshTargetListView(List(), REFRESH_ALL_ROWS);
      if (S->optionFlags.has(BWF::SizeColumns)) {
        TargetAutoSizeColumnsClick(this);
      } else {
        for (int C = 0; C < TargetListView->Columns()->Count() && C < static_cast<int>(columnWidths.size()); ++C) {
          TargetListView->Columns()->Items(C)->SetWidth(columnWidths[static_cast<std::size_t>(C)]);
        }
      }
    }
    Result = R == 0 ? 0 : (R < 0 ? -1 : 1);
  }
  UpdateCaption(0);
  ShowListStatus(STATUS_COUNT);
  ShowToolName();
  SyncListOptions(0);
  SetBusyCursor(false);
  return Result;
}

void TBatchWizardForm::RebuildRecentMenus() {
  const batchwizclass* S = Settings();
  for (TTBCustomItem* Menu : {static_cast<TTBCustomItem*>(FileOpenList), static_cast<TTBCustomItem*>(OpenListBtn)}) {
    while (Menu->Count() > 0) {
      TTBCustomItem* Old = Menu->Items(0);
      Menu->Delete(0);
      delete Old;
    }
    const int N = S != nullptr ? std::min(S->recentLists.getCount(), RecentListMaximum) : 0;
    for (int I = 0; I < N; ++I) {
      auto* Item = new TTBItem(this);
      Item->SetCaption(S->recentLists.getString(I));
      Item->SetTag(I);
      Item->SetOnClick([this](TObject* Sender) { RecentListClick(Sender); });
      Menu->Add(Item);
    }
  }
}

void TBatchWizardForm::RecentListClick(TObject* Sender) {
  const auto* Item = dynamic_cast<TTBCustomItem*>(Sender);
  const batchwizclass* S = Settings();
  if (Item == nullptr || S == nullptr) {
    return;
  }
  const char* Name = S->recentLists.getString(static_cast<int>(Item->Tag()));
  if (Name != nullptr) {
    const std::string Copy = Name;                               // opening the list reorders the recent lists
    (void)OpenTargetList(Sender, Copy.c_str(), OPENLIST_NAMED);  // failures were shown
  }
}

void TBatchWizardForm::FileNewListClick(TObject*) {
  if (running != 0 || QuerySaveTargetList() == 1) {
    return;
  }
  batchwizclass* S = Settings();
  (void)ClearTargetList(List(), this);  // -1 only without a list
  if (S != nullptr) {
    S->listOptions.reset();
    S->listFileName.clear();
  }
  if (PointerArrayManager* L = List()) {
    (void)L->setUnchanged(1);  // the previous state is not needed
  }
  SyncListOptions(SYNC_EMPTY);
  // The fields show the new, empty options; text left in them would otherwise pass into the new list.
  SyncListOptions(0);
  UpdateCaption(0);
  ShowListStatus(STATUS_COUNT);
}

void TBatchWizardForm::FileOpenListClick(TObject* Sender) {
  if (running == 0) {
    (void)OpenTargetList(Sender, nullptr, OPENLIST_ASK);  // failures were shown
  }
}

void TBatchWizardForm::FileSaveListClick(TObject*) {
  batchwizclass* S = Settings();
  if (S == nullptr || running != 0) {
    return;
  }
  SetBusyCursor(true);
  if (SaveTargetListFile(this, List(), S->listFileName, LISTFILE_DIALOG_WHEN_EMPTY) == 0) {
    (void)S->recentLists.addString(S->listFileName.text, RecentListAddFlags);  // 0 only without memory
    RebuildRecentMenus();
    ShowListStatus(STATUS_SAVED);
  }
  UpdateCaption(0);
  SetBusyCursor(false);
}

void TBatchWizardForm::FileSaveListAsClick(TObject*) {
  batchwizclass* S = Settings();
  if (S == nullptr || running != 0) {
    return;
  }
  SetBusyCursor(true);
  if (SaveTargetListFile(this, List(), S->listFileName, LISTFILE_DIALOG) == 0) {
    (void)S->recentLists.addString(S->listFileName.text, RecentListAddFlags);  // 0 only without memory
    RebuildRecentMenus();
    ShowListStatus(STATUS_SAVED);
  }
  UpdateCaption(0);
  SetBusyCursor(false);
}

// ---- Runs --------------------------------------------------------------------------------------------------

void TBatchWizardForm::FileStartProcessingClick(TObject* Sender) {
  (void)ProcessTargets(Sender, nullptr, 0);  // a refused start (a run is active) changes nothing
}

void TBatchWizardForm::FileStopProcessingClick(TObject*) {
  if (running != 0) {
    Stop();
  }
}

void TBatchWizardForm::FileReopenLastReportClick(TObject*) {
  batchwizclass* S = Settings();
  if (S == nullptr) {
    return;
  }
  const StrStore* Report = S->getString(BWGET_REPORT | BWGET_LIST_WINS);
  const std::string Name = Report != nullptr ? Report->text : "";
  if (!Name.empty() && DoesFileExist(Name.c_str()) != 0) {
    ShowReportFile(Name.c_str());
    return;
  }
  (void)S->setString(Name.c_str(), BWSET_LAST_REPORT);  // clears the enable bit
  ShowMessage(("The report file \"" + Name + "\" no longer exists so it can't be opened.").c_str(),
              "Quillon: Report File Does Not Exist", ErrorBox);
}

void TBatchWizardForm::FileExitClick(TObject*) { Close(); }

void TBatchWizardForm::ViewToolbarClick(TObject*) {
  batchwizclass* S = Settings();
  const bool On = !(S != nullptr ? S->optionFlags.has(BWF::Toolbar) : BatchWizardToolbar->Visible());
  if (S != nullptr) {
    S->optionFlags.set(BWF::Toolbar, On);
  }
  BatchWizardToolbar->SetVisible(On);
  ViewToolbar->SetChecked(On);
}

void TBatchWizardForm::BatchWizardToolbarClose(TObject*) {
  if (batchwizclass* S = Settings()) {
    S->optionFlags.set(BWF::Toolbar, false);
  }
  ViewToolbar->SetChecked(false);
}

// ---- Selection commands ------------------------------------------------------------------------------------

void TBatchWizardForm::SelectionProcessYesClick(TObject*) { (void)ApplyToSelection(SELECT_PROCESS_YES); }
void TBatchWizardForm::SelectionProcessNoClick(TObject*) { (void)ApplyToSelection(SELECT_PROCESS_NO); }
void TBatchWizardForm::SelectionSetIFlagClick(TObject*) { (void)ApplyToSelection(SELECT_SET_I); }
void TBatchWizardForm::SelectionClearIFlagClick(TObject*) { (void)ApplyToSelection(SELECT_CLEAR_I); }
void TBatchWizardForm::SelectionSetNFlagClick(TObject*) { (void)ApplyToSelection(SELECT_SET_N); }
void TBatchWizardForm::SelectionClearNFlagClick(TObject*) { (void)ApplyToSelection(SELECT_CLEAR_N); }
void TBatchWizardForm::TargetOpenInEditorClick(TObject*) { (void)ApplyToSelection(SELECT_OPEN_IN_EDITOR); }
void TBatchWizardForm::AllProcessYesClick(TObject*) { SetAllProcess(true); }
void TBatchWizardForm::AllProcessNoClick(TObject*) { SetAllProcess(false); }

// ---- Adding targets ----------------------------------------------------------------------------------------

namespace {

// Runs the main window's dialog of that kind, or one of the wizard's own when there is no main window, with the
// request's settings; the chosen name goes back into the request.
template <class TDialog>
bool RunFileDialog(TDialog* Shared, TComponent* Owner, TargetListDialogRequest& R) {
  std::unique_ptr<TDialog> Own;
  TDialog* Dialog = Shared;
  if (Dialog == nullptr) {
    Own = std::make_unique<TDialog>(Owner);
    Dialog = Own.get();
  }
  Dialog->DefaultExt = R.defaultExt.text;
  Dialog->SetFilter(R.filter.text);
  Dialog->SetFilterIndex(R.filterIndex);
  Dialog->Title = R.title.text;
  Dialog->SetFilename(R.fileName.text);
  Dialog->InitialDir = R.initialDir.text;
  if (!Dialog->Execute()) {
    return false;
  }
  R.fileName.assign(Dialog->GetFilename().c_str());
  return true;
}

}  // namespace

bool TBatchWizardForm::ExecuteOpenDialog(TargetListDialogRequest& R) {
  return RunFileDialog(MainWindow().GetOpenDialog(), this, R);
}

bool TBatchWizardForm::ExecuteSaveDialog(TargetListDialogRequest& R) {
  return RunFileDialog(MainWindow().GetSaveDialog(), this, R);
}

void TBatchWizardForm::TargetAddFilesClick(TObject*) {
  batchwizclass* S = Settings();
  if (S == nullptr || running != 0) {
    return;
  }
  TPTOpenDlg* Dialog = MainWindow().GetOpenDialog();
  std::unique_ptr<TPTOpenDlg> Own;
  if (Dialog == nullptr) {
    Own = std::make_unique<TPTOpenDlg>(this);
    Dialog = Own.get();
  }
  const TPTOpenOptions OldOptions = Dialog->Options();
  Dialog->SetOptions(OldOptions + TPTOpenOptions{ptofAllowMultiselect});
  Dialog->SetFilter(AddFilesFilter());
  Dialog->SetFilterIndex(1);
  Dialog->Title = "Select File Targets to Add";
  Dialog->InitialDir = S->lastAddFilesDirectory.text;
  Dialog->SetFilename("");
  bool Chosen = false;
  try {
    Chosen = Dialog->Execute();
  } catch (...) {
    Dialog->SetOptions(OldOptions);
    throw;
  }
  Dialog->SetOptions(OldOptions);
  if (!Chosen) {
    return;
  }
  std::vector<std::string> Files;
  for (int I = 0; I < Dialog->Files()->Count(); ++I) {
    Files.push_back(Dialog->Files()->Strings(I));
  }
  if (Files.empty() && !Dialog->GetFilename().empty()) {
    Files.push_back(Dialog->GetFilename());
  }
  BeginUpdate();
  for (const std::string& File : Files) {
    (void)AddTarget(List(), File.c_str(), TARGET_KIND_FILE | ADD_NO_SORT);  // an equal target: nothing added
  }
  EndUpdate();
  SortTargetListView(-1, 0);
  if (!Files.empty()) {
    S->lastAddFilesDirectory.assign(FolderOf(Files.front()).c_str());
  }
  ShowListStatus(STATUS_COUNT);
}

void TBatchWizardForm::TargetAddDirectoryClick(TObject*) {
  batchwizclass* S = Settings();
  if (S == nullptr || running != 0) {
    return;
  }
  FolderBrowseDlg->Title = "Select Directory Target to Add";
  if (S->lastAddDirectory.length > 0) {
    FolderBrowseDlg->SetSelectedPathName(S->lastAddDirectory.text);
  }
  if (!FolderBrowseDlg->Execute()) {
    return;
  }
  const std::string Folder = FolderBrowseDlg->GetSelectedPathName();
  if (Folder.empty()) {
    return;
  }
  S->lastAddDirectory.assign(Folder.c_str());
  (void)AddTarget(List(), Folder.c_str(), TARGET_KIND_DIRECTORY | ADD_OPTION_SUB);  // an equal target: nothing
  ShowListStatus(STATUS_COUNT);
}

void TBatchWizardForm::TargetAddURLClick(TObject*) {
  if (running != 0) {
    return;
  }
  std::unique_ptr<TOpenFromWebForm> Dialog;
  {
    // The dialog takes the run-time state's dialog parent as its owner window while it is made.
    volatileclass* V = prg != nullptr ? prg->volatileState : nullptr;
    const HWND Old = V != nullptr ? V->dialogParent : 0;
    if (V != nullptr) {
      V->dialogParent = Handle();
    }
    Dialog = std::make_unique<TOpenFromWebForm>(this);
    Dialog->AfterConstruction();
    if (V != nullptr) {
      V->dialogParent = Old;
    }
  }
  Dialog->mode = OPENFROMWEB_ADD_TARGET;
  if (Dialog->ShowModal() != mrOk) {
    return;
  }
  std::unique_ptr<fileinfoextraclass> Origin(Dialog->GetFileInfoExtra());
  if (Origin == nullptr) {
    return;
  }
  if (IsHttps(Origin->address.text)) {
    ShowMessage("Cannot add an HTTPS link (not supported).", "Quillon: Add URL Failed", ErrorBox);
    return;
  }
  if (AddTarget(List(), Origin.get(), TARGET_KIND_ORIGIN) == ADD_DONE) {
    (void)Origin.release();  // the target took the record over
  }
  ShowListStatus(STATUS_COUNT);
}

// ---- Delete, select all and properties ----------------------------------------------------------------------

void TBatchWizardForm::TargetDeleteClick(TObject*) {
  if (running != 0 || BatchWizardPageControl->ActivePage() != TargetSheet) {
    return;
  }
  TListItems* Items = TargetListView->Items();
  std::vector<batchwiztargetclass*> Selected;
  int First = -1;
  for (int I = 0; I < Items->Count(); ++I) {
    TListItem* Item = Items->Item(I);
    if (Item->Selected() && Item->Data != nullptr) {
      Selected.push_back(static_cast<batchwiztargetclass*>(Item->Data));
      First = First < 0 ? I : First;
    }
  }
  if (Selected.empty()) {
    ShowMessage("You must first select the targets to delete.", "Quillon: First Select Targets to Delete", ErrorBox);
    return;
  }
  if (ShowMessage("Are you sure that you want to delete the selected target(s)? This operation cannot be undone.",
                  "Quillon: Delete Selected Target(s)?", MB_YESNO | MB_ICONQUESTION) != IDYES) {
    return;
  }
  PointerArrayManager* L = List();
  BeginUpdate();
  for (batchwiztargetclass* T : Selected) {
    (void)L->deletePointer(T, nullptr, 1);  // the target callback never refuses
  }
  EndUpdate();
  MarkTargetListModified(L);
  const int N = Items->Count();
  if (N > 0) {
    TargetListView->SetSelected(Items->Item(First < N ? First : N - 1));
  }
  ShowListStatus(STATUS_COUNT);
}

void TBatchWizardForm::TargetSelectAllClick(TObject*) {
  if (running != 0) {
    return;
  }
  BatchWizardPageControl->SetActivePage(TargetSheet);
  (void)SafeSetFocus(TargetListView);  // a hidden window cannot take the focus; the rows are selected all the same
  TargetListView->SelectAll();
}

void TBatchWizardForm::TargetPropertiesClick(TObject*) {
  if (running != 0) {
    return;
  }
  if (PropertiesForm == nullptr) {
    PropertiesForm = new TWizardPropertiesForm(this);
    PropertiesForm->AfterConstruction();
  }
  TListItem* Item = TargetListView->Selected();
  auto* T = Item != nullptr ? static_cast<batchwiztargetclass*>(Item->Data) : nullptr;
  if (T == nullptr) {
    ShowMessage("No selected targets. You must first select a target before viewing its properties.",
                "Quillon: No Selected Targets", ErrorBox);
    return;
  }
  PropertiesForm->target = T;
  (void)PropertiesForm->ShowModal();
  PropertiesForm->target = nullptr;
  if (!PropertiesForm->changed) {
    return;
  }
  PointerArrayManager* L = List();
  const int Index = L->indexOfPointer(T);
  if (Index >= 0 && L->removePointer(Index, 0) == 1 && L->addPointer(T, CompareTargetsCallback) < 0) {
    // Without memory to put it back the target would be lost from the list and its row: delete both.
    delete T;
    return;
  }
  T->updateListItem(ROW_REPLACE | ROW_RESORT);
  MarkTargetListModified(L);
}

// ---- Options, help and the main window's commands ----------------------------------------------------------

void TBatchWizardForm::OptionsWizardClick(TObject*) {
  if (running != 0) {
    return;
  }
  if (OptionsForm == nullptr) {
    OptionsForm = new TWizardOptionsForm(this);
    OptionsForm->AfterConstruction();
  }
  if (OptionsForm->Visible()) {
    (void)BringFormToFront(OptionsForm, BRINGFRONT_STANDARD);  // -1 only without a form
    return;
  }
  (void)OptionsForm->ShowModal();
  ShowToolName();
}

void TBatchWizardForm::OptionsSpellCheckClick(TObject* Sender) { MainWindow().OptionsSpellCheckerClick(Sender); }

void TBatchWizardForm::OptionsValidatorEngineClick(TObject*) {
  (void)OpenValidatorOptions(4, DIALOG_OWNER_BATCH_WIZARD);  // nothing here depends on the engine's options
}

void TBatchWizardForm::OptionsConfigurationEditorClick(TObject*) {
  (void)OpenConfigurationEditor(4, DIALOG_OWNER_BATCH_WIZARD);  // a failure was reported
}

void TBatchWizardForm::HelpWizardClick(TObject*) {
  const char* Folder =
      prg != nullptr && prg->volatileState != nullptr ? prg->volatileState->documentationFolder.text : "";
  (void)DisplayHelpTopic(Application->Handle(), "wizardmain.html", Folder);  // the engine reports its failures
}

void TBatchWizardForm::HelpAboutClick(TObject* Sender) { MainWindow().HelpAboutZUBClick(Sender); }

// ---- Other events ------------------------------------------------------------------------------------------

void TBatchWizardForm::TargetListViewDblClick(TObject* Sender) {
  if (running != 0 || TargetListView->Selected() == nullptr) {
    return;
  }
  const batchwizclass* S = Settings();
  if (S != nullptr && S->optionFlags.has(BWF::DoubleClickOpens)) {
    TargetOpenInEditorClick(Sender);
  } else {
    TargetPropertiesClick(Sender);
  }
}

void TBatchWizardForm::TargetListViewColumnClick(TObject*, TListColumn* Column) {
  if (Column == nullptr || running != 0) {
    return;
  }
  SortTargetListView(Column->Index(), 0);
  ShowListStatus(STATUS_COUNT);
}

void TBatchWizardForm::TargetListViewKeyPress(TObject* Sender, char& Key) {
  if (Key == 127) {
    Key = 0;
    TargetDeleteClick(Sender);
  }
}

void TBatchWizardForm::BrowseReportField(bool StyleSheet) {
  batchwizclass* S = Settings();
  if (S == nullptr) {
    return;
  }
  if (S->listOptions == nullptr) {
    SyncListOptions(SYNC_FROM_FIELDS);
  }
  const int Slot = StyleSheet ? 2 : 1;
  TEdit* Field = StyleSheet ? HTMLReportCSSFilenameEdit : HTMLReportFilenameEdit;
  // The report file need not exist yet: it is chosen with a save dialog; the style sheet must, with an open one.
  std::unique_ptr<TOpenDialog> Dialog(StyleSheet ? new TOpenDialog(this) : new TSaveDialog(this));
  Dialog->Filter = StyleSheet ? "CSS Documents (*.css)|*.css|All Files (*.*)|*.*"
                              : "HTML Documents (*.html,*.htm)|*.html;*.htm|All Files (*.*)|*.*";
  Dialog->FilterIndex = 1;
  Dialog->DefaultExt = StyleSheet ? "css" : "html";
  Dialog->Title = StyleSheet ? "Specify External CSS File" : "Specify HTML Validation Report File";
  Dialog->FileName = S->listOptions != nullptr ? S->listOptions->slot(Slot).text : "";
  if (!Dialog->Execute()) {
    return;
  }
  if (S->listOptions != nullptr) {
    S->listOptions->setSlot(Slot, Dialog->FileName.c_str());  // marks the list modified when it changed
  }
  fieldsLoading = true;
  Field->SetText(Dialog->FileName);
  fieldsLoading = false;
}

void TBatchWizardForm::HTMLReportBrowseBtnClick(TObject*) { BrowseReportField(false); }
void TBatchWizardForm::HTMLReportCSSBrowseBtnClick(TObject*) { BrowseReportField(true); }

void TBatchWizardForm::ReportFieldChange(TObject*) {
  if (!fieldsLoading) {
    MarkTargetListModified(List());
  }
}

void TBatchWizardForm::TargetSheetShow(TObject*) { ShowListStatus(STATUS_COUNT); }

void TBatchWizardForm::BatchWizardPageControlChanging(TObject*, bool& AllowChange) { AllowChange = running == 0; }

void TBatchWizardForm::BatchWizardPageControlChange(TObject*) { UpdateCommandStates(); }

void TBatchWizardForm::WizardPopupPopup(TObject*) {
  const bool Any = ApplyToSelection(SELECT_HAS_ANY) != 0;
  const bool FileOrUrl = ApplyToSelection(SELECT_HAS_FILE_OR_URL) != 0;
  const PointerArrayManager* L = List();
  const bool Modified = L != nullptr && L->settings.getInt(PAM_UNCHANGED) == 0;
  PopupProperties->SetEnabled(Any);
  PopupOpenInEditor->SetEnabled(FileOrUrl);
  PopupSelectionMenu->SetEnabled(Any);
  PopupDelete->SetEnabled(Any);
  PopupSaveList->SetEnabled(Modified);
}

void TBatchWizardForm::UpdateCommandStates() {
  if (!Visible() || (prg != nullptr && prg->volatileState != nullptr && prg->volatileState->shuttingDown != 0)) {
    return;
  }
  const bool Idle = running == 0;
  const bool OnList = BatchWizardPageControl->ActivePage() == TargetSheet;
  const bool Rows = TargetListView->SelCount() > 0 && Idle && OnList;
  SetItemsEnabled(
      {TargetSelectionMenu, PopupSelectionMenu, TargetDelete, PopupDelete, DeleteBtn, TargetProperties, PropertiesBtn},
      Rows);
  const batchwizclass* S = Settings();
  SetItemsEnabled({FileReopenLastReport}, S != nullptr && (S->stateFlags & 0x1) != 0);
  const PointerArrayManager* L = List();
  const bool HasTargets = L != nullptr && L->getCount() > 0;
  SetItemsEnabled({FileStartProcessing, PopupProcess, ProcessBtn}, HasTargets && Idle);
  SetItemsEnabled({OptionsWizard}, Idle);
  SetItemsEnabled({FileStopProcessing, PopupStop, StopBtn}, !Idle);
  const bool Modified = L != nullptr && L->settings.getInt(PAM_UNCHANGED) == 0;
  SetItemsEnabled({FileSaveList, SaveListBtn}, Idle && Modified);
}
