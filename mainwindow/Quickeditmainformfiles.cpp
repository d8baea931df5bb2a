// Document tabs and file commands of the main window.
#include "mainwindow/Quickeditmainform.h"

#include "core/Errorreport.h"
#include "core/Filenames.h"
#include "core/Fileinfoclass.h"
#include "core/Mainsetup.h"
#include "core/Parserclass.h"
#include "core/Prgclass.h"
#include "core/Strtext.h"
#include "core/Tabinfoclass.h"
#include "core/Volatileclass.h"
#include "core/Windowcontrol.h"
#include "core/Zodir.h"

#include "editor/Easyeditsource.h"
#include "platform/win/MessageBox.h"

namespace {

// Flags of AddNewFileTab.
constexpr int OPEN_TEMPORARY_FILE = 0x1;
constexpr int OPEN_TYPE_FROM_ADDRESS = 0x2;
constexpr int OPEN_PENDING_ORIGIN = 0x4;
constexpr int OPEN_NO_TYPE_QUESTION = 0x8;
constexpr int OPEN_MAY_BE_ADDRESS = 0x10;
constexpr int OPEN_ORIGIN_RECORD = 0x20;
constexpr int OPEN_NO_VALIDATION = 0x40;
constexpr int OPEN_BROWSER_SOURCE = 0x80;
constexpr int OPEN_NO_PREVIEW = 0x100;
constexpr int OPEN_NO_SELECT = 0x200;
constexpr int OPEN_NOT_RECENT = 0x400;
constexpr int OPEN_MARK_SAVED = 0x800;
// Flags of SelectTab.
constexpr int SELECT_ONLY_TEST_DISK = 0x1;
constexpr int SELECT_UNLESS_CURRENT = 0x2;
constexpr int SELECT_NO_PREVIEW = 0x4;
// Flags of CloseFileTab.
constexpr int CLOSE_OFFER_CANCEL = 0x1;
constexpr int CLOSE_NO_QUESTION = 0x2;
constexpr int CLOSE_NO_STATUS = 0x4;
constexpr int CLOSE_REMEMBER = 0x8;
constexpr int CLOSE_NO_RESELECT = 0x10;
constexpr int CLOSE_NO_PREVIEW = 0x20;
// Flags of SaveFileTab.
constexpr int SAVE_AS = 0x1;
// Flag of CheckDiskChanges: only report a change.
constexpr int DISK_ONLY_REPORT = 0x1;
// Interface bits of the browser preview.
constexpr TFlagBit<InterfaceFlags40Tag> BrowserPane{0x00100000};
constexpr TFlagBit<InterfaceFlags2V45Tag> BrowserPreview{0x00040000};
// The settings flag that refreshes what depends on the open documents.
constexpr int APPLY_DOCUMENTS_CHANGED = 0x10;

bool Running() { return prg && prg->volatileState && prg->volatileState->shuttingDown == 0; }

tabinfoclass* RecordOf(TComponent* TabControl) {
  return TabControl != nullptr ? reinterpret_cast<tabinfoclass*>(TabControl->Tag()) : nullptr;
}

int IndexOfDocument(PointerArrayManager* Documents, fileinfoclass* Document) {
  return Documents != nullptr ? Documents->findPointer(Document) : -1;
}

// The file's type is unknown, or it has no extension and no type is chosen for such files.
bool UnrecognizedType(const char* Name) {
  const int Type = GetFileTypeByName(Name, nullptr, 0);
  return Type == FILETYPE_UNKNOWN_EXTENSION || (Type == FILETYPE_NO_EXTENSION && GetFileTypeByName("", nullptr, 1) < 0);
}

}  // namespace

// ---- Handlers ---------------------------------------------------------------------------------------------------

void TZUBQEForm::FileNewClick(TObject*) {
  (void)AddNewFileTab(nullptr, nullptr, 0, nullptr);  // failures are reported by the operation
}
void TZUBQEForm::FileReloadClick(TObject*) {
  if (Running()) {
    (void)Reload(GetCurrentFile());  // reports its own refusals and failures
  }
}
void TZUBQEForm::FileSaveClick(TObject*) {
  if (Running()) {
    (void)SaveFileTab(nullptr, -1, 0);  // failures and refusals are reported by the save
    UpdateTitle(0);
  }
}
void TZUBQEForm::FileSaveAsClick(TObject*) {
  if (Running()) {
    (void)SaveFileTab(nullptr, -1, SAVE_AS);  // as above
    UpdateTitle(0);
  }
}
void TZUBQEForm::FileSaveAllClick(TObject*) {
  if (Running()) {
    (void)SaveALLFiles();  // failures and refusals are reported by the save
  }
}
void TZUBQEForm::FileCloseClick(TObject*) {
  if (CurrentEditor != nullptr) {
    (void)CloseFileTab(reinterpret_cast<TComponent*>(CurrentEditor->Tag()), -1, CLOSE_OFFER_CANCEL);  // reported
  }
}
void TZUBQEForm::FileCloseAllClick(TObject*) {
  (void)CloseALLFiles(0);  // 1: the user cancelled, nothing more to do
}
void TZUBQEForm::FileCloseCompleteClick(TObject*) {
  if (!Running()) {
    return;
  }
  PointerArrayManager* Documents = prg->volatileState->documents;
  int Closed = 0;
  int Validated = 0;
  bool Cancelled = false;
  for (int I = Documents->getCount() - 1; I >= 0 && !Cancelled; --I) {
    auto* Document = static_cast<fileinfoclass*>(Documents->getPointer(I));
    if (Document == nullptr || Document->Query(QUERY_HAS_RESULT) == 0) {
      continue;
    }
    ++Validated;
    if (Document->GetResultCount(COUNT_ERRORS_AND_WARNINGS) == 0) {
      const int Result = CloseFileTab(TabControl1, IndexOfDocument(Documents, Document), CLOSE_OFFER_CANCEL);
      if (Result == 0) {
        ++Closed;
      } else if (Result == 1) {
        Cancelled = true;
      }
    }
  }
  auto Documents_ = [](int Count) { return std::string(Count == 1 ? " document" : " documents"); };
  std::string Status = std::to_string(Closed) + Documents_(Closed) + " closed.";
  Status += Cancelled ? " Operation cancelled by user." : " ";
  Status += std::to_string(Validated) + Documents_(Validated) + " validated.";
  SetStatusText(StrStore(Status.c_str()));
}
void TZUBQEForm::ViewNextDocumentClick(TObject*) { SelectNeighbourTab(1); }
void TZUBQEForm::ViewPreviousDocumentClick(TObject*) { SelectNeighbourTab(-1); }
void TZUBQEForm::FirstTabBtnClick(TObject*) {
  if (Running() && CurrentEditor != nullptr) {
    (void)SelectTab(reinterpret_cast<TComponent*>(CurrentEditor->Tag()), 0, 0);  // reported by the operation
  }
}
void TZUBQEForm::LastTabBtnClick(TObject*) {
  if (Running() && CurrentEditor != nullptr) {
    auto* Tabs = reinterpret_cast<TComponent*>(CurrentEditor->Tag());
    (void)SelectTab(Tabs, TabCount(Tabs) - 1, 0);  // as above
  }
}
void TZUBQEForm::SelectNeighbourTab(int Step) {
  if (!Running() || CurrentEditor == nullptr) {
    return;
  }
  auto* Tabs = reinterpret_cast<TComponent*>(CurrentEditor->Tag());
  const int Count = TabCount(Tabs);
  if (Count == 0) {
    return;
  }
  const int Index = ((TabIndex(Tabs) + Step) % Count + Count) % Count;
  (void)SelectTab(Tabs, Index, SELECT_UNLESS_CURRENT);  // reported by the operation
}
void TZUBQEForm::TabControlChange(TObject* Sender) {
  auto* Tabs = dynamic_cast<TComponent*>(Sender);
  if (Tabs == nullptr || TabCount(Tabs) == 0) {
    return;  // a control that lost its last tab has nothing to show; closing fills it again
  }
  TabChangeGuard = true;
  (void)SelectTab(Tabs, -1, 0);  // reported by the operation
  if (tabinfoclass* Record = RecordOf(Tabs)) {
    (void)SafeSetFocus(dynamic_cast<TControl*>(Record->editor));  // a hidden window takes no focus; nothing to report
  }
  TabChangeGuard = false;
}
void TZUBQEForm::EasyEdit1Enter(TObject* Sender) {
  if (!Running()) {
    return;
  }
  auto* Editor = dynamic_cast<TEasyEdit*>(Sender);
  if (Editor == nullptr || (Editor != EasyEdit1 && Editor != EasyEdit2)) {
    return;
  }
  if (Editor != CurrentEditor) {
    CurrentEditor = Editor;
    ShowResultCounts(0);
  }
  if (!TabChangeGuard) {
    (void)SelectTab(reinterpret_cast<TComponent*>(Editor->Tag()), -1, 0);  // reported by the operation
  }
  (void)UpdateStatusPanels(STATUS_POSITION | STATUS_CURRENT_DOCUMENT, 0, 0);  // 1 only while shutting down
}
void TZUBQEForm::EasyEdit1GutterClick(TObject* Sender, int Line, int Part) {
  auto* Editor = dynamic_cast<TEasyEdit*>(Sender);
  if (Running() && Editor != nullptr && (Editor == EasyEdit1 || Editor == EasyEdit2) && (Part == -1 || Part == 0) &&
      Editor->GetEditSource() != nullptr) {
    Editor->GetEditSource()->ToggleBookMark(0, TPoint{0, Line});
  }
}
void TZUBQEForm::EasyEdit1SourceChanged(TObject*, TEasyEditSourceStates State) {
  if (!Running()) {
    return;
  }
  if (State.Contains(csReadOnlyChanged) || State.Contains(csModifiedChanged)) {
    (void)UpdateStatusPanels(STATUS_CURRENT_DOCUMENT, 0, 0);  // 1 only while shutting down
    if (fileinfoclass* Document = GetCurrentFile()) {
      (void)Document->SetSavedState(SAVEDSTATE_FROM_STORE);  // always 0
    }
    if (State.Contains(csModifiedChanged)) {
      UpdateTitle(0);
    }
  }
  if (State.Contains(csInsModeChanged)) {
    (void)UpdateStatusPanels(STATUS_INSERT_MODE, 0, 0);  // as above
  }
  if (State.Contains(csPositionChanged)) {
    (void)UpdateStatusPanels(STATUS_POSITION, 0, 0);  // as above
  }
}
void TZUBQEForm::TabControl2MouseDown(TObject*, TMouseButton, TShiftState, int, int) {}
void TZUBQEForm::EasyEditEnter(TObject* Sender) { EasyEdit1Enter(Sender); }

// ---- Opening --------------------------------------------------------------------------------------------------

int TZUBQEForm::AddNewFileTab(TComponent* TabControl, const char* Name, int Flags, fileinfoextraclass* Extra) {
  if (!Running()) {
    return 3;
  }
  const bool Named = Name != nullptr && *Name != 0;
  if ((Flags & OPEN_ORIGIN_RECORD) != 0 ||
      ((Flags & OPEN_MAY_BE_ADDRESS) != 0 && Named && StrText::StartsNoCase(Name, "http://", 7))) {
    return OpenWebAddress(TabControl, Name, Flags, Extra);
  }
  if (Named) {
    TComponent* OpenIn = nullptr;
    if (fileinfoclass* Open = FindOpenDocument(Name, &OpenIn)) {
      if ((Flags & OPEN_NO_SELECT) == 0) {
        const int Index = IndexOfDocument(RecordOf(OpenIn)->documents, Open);
        if (SelectTab(OpenIn, Index, SELECT_UNLESS_CURRENT | ((Flags & OPEN_NO_PREVIEW) != 0 ? SELECT_NO_PREVIEW : 0)) <
            0) {
          return -3;
        }
      }
      (void)SafeSetFocus(CurrentEditor);  // a hidden window takes no focus; nothing to report
      return 0;
    }
    if ((Flags & OPEN_NO_TYPE_QUESTION) == 0 && UnrecognizedType(Name)) {
      StrStore Question("The file \"");
      Question.append(Name).append(
          "\" does not have a recognizable file type. Would you like to open this file in the editor anyway?\n\n"
          "NOTE: You can add your own recognizable file types using the Editor Options to avoid this message in "
          "the future.");
      if (ShowMessageBox(Question, StrStore("Quillon: Unrecognized File Type"), MSGBOX_QUESTION) != IDYES) {
        return 1;
      }
    }
  }
  TComponent* Tabs = TabControl != nullptr      ? TabControl
                     : CurrentEditor != nullptr ? reinterpret_cast<TComponent*>(CurrentEditor->Tag())
                                                : nullptr;
  if (Tabs == nullptr) {
    return ReportInternalError(-8, "AddNewFileTab", "cannot get TabControl");
  }
  tabinfoclass* Record = RecordOf(Tabs);
  if (Record == nullptr) {
    return ReportInternalError(-7, "AddNewFileTab", "tabinfo is NULL");
  }
  return OpenIntoTabs(Tabs, Record, Named ? Name : nullptr, Flags);
}

int TZUBQEForm::OpenIntoTabs(TComponent* Tabs, tabinfoclass* Record, const char* Name, int Flags) {
  volatileclass& V = *prg->volatileState;
  auto* Document = new fileinfoclass(V.undoDocuments, Record->documents);
  if ((Flags & OPEN_BROWSER_SOURCE) != 0) {
    Document->SetFlags(DOCFLAG_BROWSER_SOURCE, true);
  }
  if ((Flags & OPEN_PENDING_ORIGIN) != 0 && V.pendingWebOrigin != nullptr) {
    (void)Document->SetWebOrigin(V.pendingWebOrigin, 1);  // takes the record over and clears the pending one
  }
  if ((Flags & OPEN_TYPE_FROM_ADDRESS) != 0 && Document->webOrigin != nullptr) {
    const int Type = GetFileTypeByName(Document->webOrigin->address.text, nullptr, 2);
    Document->typeOverride = Type == FILETYPE_UNKNOWN_EXTENSION ? FILETYPE_HTML : Type;
  }
  if (Name != nullptr) {
    const int Loaded = LoadNamedDocument(Document, Name, Flags);
    if (Loaded != 0) {
      return Loaded;
    }
  } else {
    (void)Document->UpdateDocumentType(0);  // always 0
    if (Record->documents->addPointerEx(Document, 1) < 0) {
      delete Document;
      return ReportInternalError(-2, "AddNewFileTab", "addPointerEx() failed");
    }
    (void)Document->SetSavedState(SAVEDSTATE_SAVED);  // always 0
  }
  const int Index = AddTabName(V.tabs, Document->GetName(NAME_TAB_CAPTION | NAME_EMPTY_NOT_NULL), Record->documents);
  if (Index != IndexOfDocument(Record->documents, Document)) {
    return ReportInternalError(-4, "AddNewFileTab", "addindex index mismatch");
  }
  if ((Flags & OPEN_NO_SELECT) == 0 &&
      SelectTab(Tabs, Index, (Flags & OPEN_NO_PREVIEW) != 0 ? SELECT_NO_PREVIEW : 0) < 0) {
    return -3;
  }
  ReplacePlaceholder(Tabs, Record, Flags);
  if ((Flags & (OPEN_NO_VALIDATION | OPEN_BROWSER_SOURCE)) == 0 && prg->interface->flags2.has(IF2::ValidateOnOpen) &&
      Document->IsValidatable() != 0) {
    Repaint();
    (void)ValidateDocuments(this, Document, 2, -1);  // the dispatcher shows its own failures
  }
  if (V.idleReached != 0) {
    Show();
    (void)SafeSetFocus(CurrentEditor);  // a window that cannot take the focus has nothing to report
  }
  return 0;
}

int TZUBQEForm::LoadNamedDocument(fileinfoclass* Document, const char* Name, int Flags) {
  const bool Temporary = (Flags & OPEN_TEMPORARY_FILE) != 0;
  if (!Temporary) {
    Document->name.assign(Name);
  }
  if (Document->LoadFromFile(Name, 0) != 0) {
    StrStore Text("An error occurred trying to open \"");
    Text.append(Name).append("\". The file may not exist or it may have been renamed, deleted, or moved.");
    (void)ShowMessageBox(Text, StrStore("Quillon: Error Opening File"), MSGBOX_ERROR | MSGBOX_NO_STATUS);
    delete Document;
    (void)SafeSetFocus(CurrentEditor);  // nothing to report when it cannot take the focus
    SetStatusText(Text);
    return -6;
  }
  if (Document->documentArray->addPointerEx(Document, 1) < 0) {
    delete Document;
    return ReportInternalError(-2, "AddNewFileTab", "addPointerEx() failed");
  }
  if (Temporary) {
    Document->onDisk = 0;
    (void)Document->UpdateDocumentType(0);  // always 0
    (void)Document->SetSavedState((Flags & OPEN_MARK_SAVED) != 0 ? SAVEDSTATE_SAVED : SAVEDSTATE_CHANGED);
    (void)SetStatusText("Opened.");
    return 0;
  }
  Document->onDisk = 1;
  (void)Document->SetSavedState(SAVEDSTATE_SAVED);  // always 0
  (void)Document->UpdateDocumentType(0);            // always 0
  if ((Flags & OPEN_NOT_RECENT) == 0) {
    // Names compare as the file system does: "Page.html" and "page.html" are two recent files.
    (void)prg->interface->recentDocuments.addString(Name, ADDSTRING_REMOVE_MATCHES | ADDSTRING_EXACT);
    (void)BuildReopenMenus(&prg->interface->recentDocuments);  // 0 only when a menu item cannot be made
  }
  StrStore Status("Opened ");
  Status.appendStore(FormatDocumentName(Document, 1)).append(".");
  SetStatusText(Status);
  return 0;
}

// The untitled placeholder goes when the first real document comes, unless the user has written into it.
void TZUBQEForm::ReplacePlaceholder(TComponent* Tabs, tabinfoclass* Record, int Flags) {
  auto* First = static_cast<fileinfoclass*>(Record->documents->getPointer(0));
  if (TabCount(Tabs) == 2 && First != nullptr && (First->flags & DOCFLAG_PLACEHOLDER) != 0) {
    if (First->text != nullptr && !First->text->Modified) {
      (void)CloseFileTab(Tabs, 0, CLOSE_NO_STATUS | ((Flags & OPEN_NO_PREVIEW) != 0 ? CLOSE_NO_PREVIEW : 0));
    } else {
      First->SetFlags(DOCFLAG_PLACEHOLDER, false);
    }
  }
  (void)ApplySettings(APPLY_DOCUMENTS_CHANGED);  // 2 only while shutting down
}

// ---- Selecting ------------------------------------------------------------------------------------------------

int TZUBQEForm::SelectTab(TComponent* TabControl, int Index, int Flags) {
  if (!Running()) {
    return 3;
  }
  // No tab control: the current editor's (the core's tools select so).
  if (TabControl == nullptr && CurrentEditor != nullptr) {
    TabControl = reinterpret_cast<TComponent*>(CurrentEditor->Tag());
  }
  if (TabControl == nullptr) {
    return ZUBError(-5, "SelectTab", 1);
  }
  tabinfoclass* Record = RecordOf(TabControl);
  if (Record == nullptr) {
    return ReportInternalError(-3, "SelectTab", "tabinfo is NULL");
  }
  if (Record->documents == nullptr) {
    return ReportInternalError(-4, "SelectTab", "document array is NULL");
  }
  const int Count = TabCount(TabControl);
  if (Count == 0) {
    return UpdateTabControls() < 0 ? -1 : 0;
  }
  Index = Index >= Count ? Count - 1 : Index == -1 ? TabIndex(TabControl) : Index < 0 ? 0 : Index;
  if ((Flags & SELECT_UNLESS_CURRENT) != 0 && Index == TabIndex(TabControl)) {
    return 2;
  }
  fileinfoclass* Document = GetTabDocument(Record, Index);
  if (Document == nullptr) {
    return ReportInternalError(-2, "SelectTab", "file is NULL");
  }
  if (auto* Editor = dynamic_cast<TEasyEdit*>(Record->editor)) {
    const bool Redraw = Editor->HandleAllocated();
    if (Redraw) {
      Zodir::BeginControlUpdate(Editor->Handle());
    }
    Editor->SetEditSource(Document->text);
    Document->RestoreScrollPosition(Editor == EasyEdit1 ? 0 : 1);
    if (Redraw) {
      Zodir::FinishControlUpdate(Editor->Handle());
    }
  }
  SetTabIndex(TabControl, Index);
  UpdateTitle(0);
  ViewNextDocument->SetEnabled(Count >= 2);
  ViewPreviousDocument->SetEnabled(Count >= 2);
  EditUndoLastMajorChange->SetEnabled(Document->undoCopyIndex1 >= 0 || Document->undoCopyIndex2 >= 0);
  (void)UpdateStatusPanels(STATUS_CURRENT_DOCUMENT | STATUS_INSERT_MODE | STATUS_POSITION, 0, 0);  // 1 shutting down
  (void)Document->SetSavedState(SAVEDSTATE_FROM_STORE);  // always 0
  {
    const bool Guard = TabChangeGuard;
    TabChangeGuard = true;
    (void)SafeSetFocus(CurrentEditor);  // a hidden window takes no focus; nothing to report
    TabChangeGuard = Guard;
  }
  (void)ShowDocumentResults(Document, 0);  // the results pages report their own failures
  ShowResultCounts(0);
  if (CheckDiskChanges((Flags & SELECT_ONLY_TEST_DISK) != 0 ? DISK_ONLY_REPORT : 0) == 1) {
    return 1;
  }
  if ((Flags & SELECT_NO_PREVIEW) != 0) {
    return 0;
  }
  if (prg->interface->flags.has(BrowserPane) && prg->interface->flags2.has(BrowserPreview) && WebBrowser != nullptr &&
      WBPanel != nullptr && reinterpret_cast<fileinfoclass*>(WBPanel->Tag()) != Document &&
      IsPreviewable(Document, nullptr, 1 | 4) != 0) {
    NavigateWebBrowser(nullptr, 15);
  }
  return 0;
}

fileinfoclass* TZUBQEForm::GetCurrentFile() {
  if (CurrentEditor == nullptr) {
    return nullptr;
  }
  return GetTabControlDocument(reinterpret_cast<TComponent*>(CurrentEditor->Tag()), -1);
}

fileinfoclass* TZUBQEForm::FindOpenDocument(const char* Name, TComponent** TabControl) {
  if (!prg || !prg->volatileState || Name == nullptr) {
    return nullptr;
  }
  PointerArrayManager* Tabs = prg->volatileState->tabs;
  for (int T = 0; T < Tabs->getCount(); ++T) {
    auto* Record = static_cast<tabinfoclass*>(Tabs->getPointer(T));
    if (Record == nullptr || Record->documents == nullptr) {
      continue;
    }
    for (int I = 0; I < Record->documents->getCount(); ++I) {
      auto* Document = static_cast<fileinfoclass*>(Record->documents->getPointer(I));
      if (Document != nullptr && Document->onDisk != 0 && SameFileName(Document->name.text, Name)) {
        if (TabControl != nullptr) {
          *TabControl = Record->tabControl;
        }
        return Document;
      }
    }
  }
  return nullptr;
}

// ---- Closing --------------------------------------------------------------------------------------------------

int TZUBQEForm::CloseFileTab(TComponent* TabControl, int Index, int Flags) {
  if (!Running()) {
    return 3;
  }
  tabinfoclass* Record = RecordOf(TabControl);
  if (Record == nullptr || Record->documents == nullptr) {
    return ReportInternalError(-4, "CloseFileTab", "tabinfo is NULL");
  }
  if (Index == -1) {
    Index = TabIndex(TabControl);
  }
  if (Index < 0) {
    return ReportInternalError(-7, "CloseFileTab", "index<0");
  }
  fileinfoclass* Document = GetTabDocument(Record, Index);
  if (Document == nullptr) {
    return ReportInternalError(-2, "CloseFileTab", "getPointer() failed, bad index?");
  }
  if ((Flags & CLOSE_NO_QUESTION) == 0 && Document->text != nullptr && Document->text->Modified) {
    const int Answer = AskToSaveBeforeClosing(TabControl, Index, Document, Flags);
    if (Answer != 0) {
      return Answer;
    }
  }
  if ((Flags & CLOSE_REMEMBER) != 0 && Document->onDisk != 0) {
    // Added at the top, without a cut: the list keeps every document open at shutdown.
    (void)prg->volatileState->lastOpenFiles.addString(Document->name.text, 0x41);
  }
  const StrStore Closed(Document->GetName(NAME_FILE_PART | NAME_EMPTY_NOT_NULL));
  const int Mode = ((Flags & CLOSE_NO_RESELECT) != 0 ? 3 : 1) | ((Flags & CLOSE_NO_PREVIEW) != 0 ? 4 : 0);
  if (DeleteTab(prg->volatileState->tabs, Index, Record->documents, Mode) < 0) {
    return ReportInternalError(-6, "CloseFileTab", "DeleteTab() failed");
  }
  if ((Flags & CLOSE_NO_RESELECT) == 0) {
    // An emptied tab set gets its untitled document here.
    (void)SelectTab(TabControl, Index, (Flags & CLOSE_NO_PREVIEW) != 0 ? SELECT_NO_PREVIEW : 0);  // reported
  }
  if ((Flags & CLOSE_NO_STATUS) == 0) {
    StrStore Status("Closed ");
    Status.appendStore(Closed).append(".");
    SetStatusText(Status);
  }
  (void)ApplySettings(APPLY_DOCUMENTS_CHANGED);  // 2 only while shutting down
  return 0;
}

// The save question before a changed document is closed: 0 go on, 1 cancelled, -3 the save failed.
int TZUBQEForm::AskToSaveBeforeClosing(TComponent* TabControl, int Index, fileinfoclass* Document, int Flags) {
  (void)SelectTab(
      TabControl, Index,
      ((Flags & CLOSE_NO_RESELECT) != 0 ? SELECT_ONLY_TEST_DISK : SELECT_ONLY_TEST_DISK | SELECT_UNLESS_CURRENT) |
          ((Flags & CLOSE_NO_PREVIEW) != 0 ? SELECT_NO_PREVIEW : 0));  // shows the document asked about
  const bool ChangedOnDisk = Document->onDisk != 0 && Document->CheckChangedOnDisk(0) == DISK_CHANGED;
  StrStore Question("Save changes to ");
  Question.appendStore(FormatDocumentName(Document, 1)).append("?");
  if (ChangedOnDisk) {
    Question.append(" NOTE: This file has also changed on disk. If you save, the changes on disk will be lost.");
  }
  const UINT Buttons = (Flags & CLOSE_OFFER_CANCEL) != 0 ? MB_YESNOCANCEL : MB_YESNO;
  const int Answer =
      MessageBox(Handle(), Question.text, "Quillon: Save Changes?", Buttons | MB_ICONQUESTION | MB_SETFOREGROUND);
  if (Answer == IDCANCEL) {
    return 1;
  }
  if (Answer == IDYES) {
    const int Saved = SaveFileTab(TabControl, Index, 0);
    if (Saved == 1) {
      return 1;
    }
    if (Saved < 0) {
      return -3;
    }
  }
  return 0;
}

int TZUBQEForm::CloseAllTabFiles(TComponent* TabControl, int Flags) {
  for (int I = TabCount(TabControl) - 1; I >= 0; --I) {
    const int Closed = CloseFileTab(TabControl, I, (Flags & 2) != 0 ? 0x19 : 0x11);
    if (Closed == 1) {
      return 1;
    }
    if (Closed < 0) {
      return -3;
    }
  }
  if ((Flags & 1) == 0) {
    (void)UpdateTabControls();  // reported by the operation
  }
  return 0;
}

int TZUBQEForm::CloseALLFiles(int Flags) {
  if (!prg || !prg->volatileState || prg->volatileState->tabs == nullptr) {
    return -1;
  }
  WindowControl Busy(WINCTRL_SCREEN_CURSOR, nullptr, nullptr);
  Busy.setCursor(WindowControlHourGlass);
  PointerArrayManager* Tabs = prg->volatileState->tabs;
  for (int T = 0; T < Tabs->getCount(); ++T) {
    auto* Record = static_cast<tabinfoclass*>(Tabs->getPointer(T));
    if (Record != nullptr && CloseAllTabFiles(Record->tabControl, (Flags & 1) != 0 ? 3 : 1) != 0) {
      return 1;
    }
  }
  (void)UpdateTabControls();  // reported by the operation
  return 0;
}

int TZUBQEForm::UpdateTabControls() {
  PointerArrayManager* Tabs = prg && prg->volatileState ? prg->volatileState->tabs : nullptr;
  if (Tabs == nullptr || Tabs->getCount() == 0) {
    return ReportInternalError(-1, "UpdateTabControls", "no tabs in tabinfoarray");
  }
  for (int T = 0; T < Tabs->getCount() && Running(); ++T) {
    auto* Record = static_cast<tabinfoclass*>(Tabs->getPointer(T));
    if (Record == nullptr || Record->documents == nullptr || Record->documents->getCount() > 0) {
      continue;
    }
    const int Opened = AddNewFileTab(Record->tabControl, nullptr, OPEN_NO_PREVIEW, nullptr);
    if (Opened < 0) {
      return Opened;
    }
    if (auto* Placeholder = static_cast<fileinfoclass*>(Record->documents->getPointer(0))) {
      Placeholder->SetFlags(DOCFLAG_PLACEHOLDER, true);
    }
    if (prg->volatileState->idleReached != 0) {
      (void)SafeSetFocus(CurrentEditor);  // nothing to report when it cannot take the focus
    }
  }
  return 0;
}
