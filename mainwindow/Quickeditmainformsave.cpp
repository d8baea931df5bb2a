// Saving documents of the main window's tabs (also under a new name), reloading them and the test for changes on
// disk.
#include "mainwindow/Quickeditmainform.h"

#include "core/Filenames.h"
#include "core/Fileinfoclass.h"
#include "core/Prgclass.h"
#include "core/Strstore.h"
#include "core/Tabinfoclass.h"
#include "core/Volatileclass.h"
#include "core/Windowcontrol.h"

#include "editor/Easyeditsource.h"
#include "platform/rtl/FileUtils.h"
#include "platform/win/MessageBox.h"

std::string TZUBQEForm::LastOpenFolder;
std::string TZUBQEForm::LastSaveFolder;

namespace {

// Flags of SaveFileTab.
constexpr int SAVE_AS = 0x1;
constexpr int SAVE_SKIP_UNMODIFIED = 0x2;
constexpr int SAVE_NO_DISK_TEST = 0x4;
constexpr int SAVE_SKIP_READ_ONLY = 0x8;
// Flags of SelectTab.
constexpr int SELECT_UNLESS_CURRENT = 0x2;
// Flags of CheckFileChangedOnDisk.
constexpr int DISK_ONLY_REPORT = 0x1;
// "DocChangeAction": ask, reload without asking, never reload.
constexpr int DOC_CHANGE_ASK = 1;
constexpr int DOC_CHANGE_IGNORE = 3;
// Interface bits that tie saving and reloading to the browser preview and the validator.
constexpr TFlagBit<InterfaceFlags40Tag> BrowserPane{0x00100000};
constexpr TFlagBit<InterfaceFlags2V45Tag> BrowserPreview{0x00040000};
constexpr TFlagBit<InterfaceFlags2V45Tag> RefreshPreviewOnSave{0x00200000};
constexpr TFlagBit<InterfaceFlags2V45Tag> RevalidateOnReload{0x20000000};
// Dispatcher flag of ValidateDocuments: validate again.
constexpr int VALIDATE_AGAIN = 2;

bool Running() { return prg && prg->volatileState && prg->volatileState->shuttingDown == 0; }

tabinfoclass* RecordOf(TComponent* TabControl) {
  return TabControl != nullptr ? reinterpret_cast<tabinfoclass*>(TabControl->Tag()) : nullptr;
}

std::string Quoted(const std::string& Name) { return "\"" + Name + "\""; }

// Counts a running save, reload or test for changes on disk for its scope.
class TDiskQuestionScope {
public:
  explicit TDiskQuestionScope(int& Depth) : FDepth(Depth) { ++FDepth; }
  ~TDiskQuestionScope() { --FDepth; }
  TDiskQuestionScope(const TDiskQuestionScope&) = delete;
  TDiskQuestionScope& operator=(const TDiskQuestionScope&) = delete;

private:
  int& FDepth;
};

// The state a Save As changes before it writes, so that a failed write can give the document back as it was.
struct TSavedIdentity {
  explicit TSavedIdentity(fileinfoclass* D)
      : Document(D),
        Name(D->name.text ? D->name.text : ""),
        OnDisk(D->onDisk),
        Time(D->fileTime),
        TimeKnown(D->fileTimeKnown),
        Size(D->fileSize),
        Modified(D->text != nullptr && D->text->Modified),
        Flags(D->flags) {}
  void Restore() const {
    Document->name.assign(Name.c_str());
    Document->onDisk = OnDisk;
    Document->fileTime = Time;
    Document->fileTimeKnown = TimeKnown;
    Document->fileSize = Size;
    Document->flags = Flags;
    (void)Document->SetSavedState((Modified ? SAVEDSTATE_CHANGED : SAVEDSTATE_SAVED) | SAVEDSTATE_TO_STORE);
    (void)UpdateTabNameOfDocument(prg->volatileState->tabs, Document);  // 0 with a document
  }
  fileinfoclass* Document;
  std::string Name;
  int OnDisk;
  std::int64_t Time;
  int TimeKnown;
  std::int64_t Size;
  bool Modified;
  std::uint32_t Flags;
};

}  // namespace

// ---- Saving -----------------------------------------------------------------------------------------------------

int TZUBQEForm::SaveFileTab(TComponent* TabControl, int Index, int Flags) {
  if (!Running()) {
    return -5;
  }
  WindowControl Busy(WINCTRL_SCREEN_CURSOR, nullptr, nullptr);
  Busy.setCursor(WindowControlHourGlass);
  const TDiskQuestionScope Asking(DiskQuestionDepth);
  TComponent* Tabs = TabControl;
  if (Tabs == nullptr && CurrentEditor != nullptr) {
    Tabs = reinterpret_cast<TComponent*>(CurrentEditor->Tag());
  }
  if (Tabs == nullptr) {
    return ReportInternalError(-3, "SaveFileTab", "cannot get TabControl");
  }
  tabinfoclass* Record = RecordOf(Tabs);
  if (Record == nullptr || Record->documents == nullptr) {
    return ReportInternalError(-4, "SaveFileTab", "tabinfo is NULL");
  }
  if (Index == -1) {
    Index = TabIndex(Tabs);
  }
  fileinfoclass* Document = GetTabDocument(Record, Index);
  if (Document == nullptr || Document->text == nullptr) {
    return ReportInternalError(-1, "SaveFileTab", "file is NULL, bad index?");
  }
  if ((Flags & SAVE_SKIP_UNMODIFIED) != 0 && Document->onDisk != 0 && !Document->text->Modified) {
    return 0;
  }
  if ((Flags & SAVE_SKIP_READ_ONLY) != 0 && Document->IsReadOnly() != 0) {
    return 0;
  }
  if ((Flags & SAVE_NO_DISK_TEST) == 0 && Document->onDisk != 0 && Document->CheckChangedOnDisk(0) == DISK_CHANGED) {
    const std::string Question =
        Quoted(Document->name.text) +
        " has changed on disk. Are you sure that you want to save this file and overwrite the changes on disk?";
    if (ShowMessageBox(StrStore(Question.c_str()), StrStore("Quillon: Overwrite Changes?"), MSG_QUESTION) != IDYES) {
      return 1;
    }
  }
  if (Document->onDisk == 0 || (Flags & SAVE_AS) != 0) {
    return SaveFileTabAs(Tabs, Index, Document, Flags);
  }
  int Result = 0;
  const std::string Short = ExtractFileName(Document->name.text);
  if (Document->SaveToFile(Document->name.text, 0) == FILE_DONE) {
    (void)MarkDocumentSaved(Document);  // 1 with a document
    Document->SetFlags(DOCFLAG_PLACEHOLDER, false);
    SetStatusText(StrStore(("Saved " + Quoted(Short) + ".").c_str()));
  } else {
    (void)MarkDocumentModified(Document);  // 0 with a document
    Result = -6;
    const std::string Text = "Error saving " + Quoted(Short) + ". Check the path, filename, and disk access rights.";
    (void)ShowMessageBox(StrStore(Text.c_str()), StrStore("Quillon: Error"), MSG_ERROR);  // no answer to act on
  }
  if (Result == 0 && WebBrowser != nullptr && WBPanel != nullptr &&
      reinterpret_cast<fileinfoclass*>(WBPanel->Tag()) == Document && prg->interface->flags2.has(BrowserPreview) &&
      prg->interface->flags.has(BrowserPane) && (Document->flags & DOCFLAG_BROWSER_SOURCE) == 0 &&
      prg->interface->flags2.has(RefreshPreviewOnSave)) {
    NavigateWebBrowser(nullptr, 15);
  }
  if (UpdateTab(Tabs, Index) != 0) {
    return -2;
  }
  return Result;
}

// The other open document that is the file of that name (through any name that reaches it), or null.
fileinfoclass* TZUBQEForm::FindOtherDocumentOfFile(const char* Name, fileinfoclass* Except) {
  PointerArrayManager* Documents = prg->volatileState->documents;
  for (int I = 0; Documents != nullptr && I < Documents->getCount(); ++I) {
    auto* Other = static_cast<fileinfoclass*>(Documents->getPointer(I));
    if (Other != nullptr && Other != Except && Other->onDisk != 0 && IsSameFile(Other->name.text, Name)) {
      return Other;
    }
  }
  return nullptr;
}

// Asks for a name until one is accepted or the user cancels (1), then saves under it. A save that fails gives the
// document back its old name and state.
int TZUBQEForm::SaveFileTabAs(TComponent* Tabs, int Index, fileinfoclass* Document, int Flags) {
  (void)SelectTab(Tabs, Index, SELECT_UNLESS_CURRENT);  // shows the document being saved; reported by itself
  interfaceclass* I = prg->interface;
  PTSaveDialog->DefaultExt.clear();
  PTSaveDialog->SetFilter(I->dialogFilter.text ? I->dialogFilter.text : "");
  PTSaveDialog->SetFilterIndex(I->dialogFilterIndex);
  if (Document->onDisk != 0) {
    PTSaveDialog->SetFilename(Document->name.text);
    PTSaveDialog->InitialDir.clear();
  } else {
    PTSaveDialog->SetFilename("");
    PTSaveDialog->InitialDir = LastSaveFolder.empty() ? ShellTree->GetSelectedPathName() : LastSaveFolder;
  }
  std::string Chosen;
  for (;;) {
    if (!PTSaveDialog->Execute()) {
      return 1;
    }
    Chosen =
        AddDefaultExtension(PTSaveDialog->GetFilename().c_str(), prg->editorOptions->defaultFileExtension.text, 1).text;
    if (Chosen.empty()) {
      continue;
    }
    PTSaveDialog->SetFilename(Chosen);
    if (FindOtherDocumentOfFile(Chosen.c_str(), Document) != nullptr) {
      const std::string Text = "Cannot save as " + Quoted(Chosen) + " because that file is opened in the editor.";
      (void)ShowMessageBox(StrStore(Text.c_str()), StrStore("Quillon: Cannot Save"), MSG_ERROR);  // no answer
      continue;
    }
    // The document's own file is the same file by identity, not by the spelling of its name.
    const bool OwnFile = Document->onDisk != 0 && IsSameFile(Document->name.text, Chosen.c_str());
    if (!OwnFile && FileExists(Chosen)) {
      const std::string Question = "File " + Quoted(Chosen) + " already exists. Overwrite?";
      if (ShowMessageBox(StrStore(Question.c_str()), StrStore("Quillon: File Already Exists"), MSG_QUESTION) != IDYES) {
        continue;
      }
    }
    break;
  }
  const TSavedIdentity Before(Document);
  Document->name.assign(Chosen.c_str());
  Document->onDisk = 1;
  (void)UpdateTab(Tabs, Index);  // the caption follows the name; a failure shows again below
  const int Saved = SaveFileTab(Tabs, Index, (Flags & ~SAVE_AS) | SAVE_NO_DISK_TEST);
  if (Saved != 0) {
    Before.Restore();
    (void)UpdateTab(Tabs, Index);  // as above
    UpdateTitle(0);
    return Saved;
  }
  LastSaveFolder = ExtractFileDir(Chosen);
  // Names compare as the file system does: "Page.html" and "page.html" are two recent files.
  (void)prg->interface->recentDocuments.addString(Chosen.c_str(), ADDSTRING_REMOVE_MATCHES | ADDSTRING_EXACT);
  (void)BuildReopenMenus(&prg->interface->recentDocuments);  // 0 only when a menu item cannot be made
  (void)Document->UpdateDocumentType(0);                     // always 0
  UpdateTitle(0);
  return 0;
}

int TZUBQEForm::SaveAllTabFiles(TComponent* TabControl) {
  if (!Running()) {
    return -4;
  }
  for (int I = 0; I < TabCount(TabControl); ++I) {
    const int Saved = SaveFileTab(TabControl, I, SAVE_SKIP_UNMODIFIED | SAVE_SKIP_READ_ONLY);
    if (Saved == 1) {
      return 1;
    }
    if (Saved < 0) {
      return -3;
    }
  }
  return 0;
}

int TZUBQEForm::SaveALLFiles() {
  if (!Running()) {
    return -3;
  }
  WindowControl Busy(WINCTRL_SCREEN_CURSOR, nullptr, nullptr);
  Busy.setCursor(WindowControlHourGlass);
  TComponent* Current = CurrentEditor != nullptr ? reinterpret_cast<TComponent*>(CurrentEditor->Tag()) : TabControl1;
  const int Remembered = TabIndex(Current);
  int Result = 0;
  PointerArrayManager* Sets = prg->volatileState->tabs;
  for (int T = 0; Sets != nullptr && T < Sets->getCount(); ++T) {
    auto* Record = static_cast<tabinfoclass*>(Sets->getPointer(T));
    if (Record == nullptr) {
      continue;
    }
    const int Saved = SaveAllTabFiles(Record->tabControl);
    if (Saved != 0) {
      Result = Saved < 0 ? -1 : 1;
      break;
    }
  }
  (void)SelectTab(Current, Remembered, SELECT_UNLESS_CURRENT);  // reported by itself
  return Result;
}

int TZUBQEForm::UpdateTab(TComponent* TabControl, int Index) {
  tabinfoclass* Record = RecordOf(TabControl);
  if (Record == nullptr) {
    return ReportInternalError(-3, "UpdateTab", "tabinfo is NULL");
  }
  if (UpdateTabName(prg->volatileState->tabs, Index, Record->documents, 0) != 0) {
    return ReportInternalError(-2, "UpdateTab", "UpdateTabName() failed");
  }
  return 0;
}

// ---- Reloading and changes on disk ------------------------------------------------------------------------------

int TZUBQEForm::Reload(fileinfoclass* Document) {
  if (!Running()) {
    return 3;
  }
  if (Document == nullptr) {
    return 1;
  }
  if (Document->CanReload() == 0) {
    MessageBox(Handle(), "This document cannot be reloaded.", "Quillon: Can't Reload",
               MB_OK | MB_ICONEXCLAMATION | MB_SETFOREGROUND);
    return 2;
  }
  const TDiskQuestionScope Asking(DiskQuestionDepth);
  const std::string Name = FormatDocumentName(Document, 1).text;
  if (Document->text != nullptr && Document->text->Modified) {
    const std::string Question =
        "You will lose your changes if you reload this document. Do you still want to reload " + Name + "?";
    if (ShowMessageBox(StrStore(Question.c_str()), StrStore("Quillon: Reload?"), MSG_QUESTION) != IDYES) {
      return 3;
    }
  }
  const bool HadResult = Document->Query(QUERY_HAS_RESULT) != 0;
  if (Document->Reload() < 0) {
    const std::string Text = "Error reloading " + Name + ". The file may have been renamed, deleted, or moved.";
    (void)ShowMessageBox(StrStore(Text.c_str()), StrStore("Quillon: Error"), MSG_ERROR);  // no answer to act on
  } else {
    (void)Document->SetSavedState(SAVEDSTATE_SAVED | SAVEDSTATE_TO_STORE);  // always 0
    (void)UpdateStatusPanels(STATUS_CURRENT_DOCUMENT | STATUS_INSERT_MODE | STATUS_POSITION, 0, 0);
    SetStatusText(StrStore(("Reloaded " + Name + ".").c_str()));
    if (HadResult && prg->interface->flags2.has(RevalidateOnReload)) {
      (void)ValidateDocuments(this, Document, VALIDATE_AGAIN, -1);  // the dispatcher shows its own failures
    }
  }
  UpdateTitle(0);
  return 0;
}

int TZUBQEForm::CheckDiskChanges(int Flags) {
  if (!Running()) {
    return 3;
  }
  fileinfoclass* Document = GetCurrentFile();
  if (Document == nullptr || Document->onDisk == 0 || DiskQuestionDepth > 0) {
    return 0;
  }
  const TDiskQuestionScope Asking(DiskQuestionDepth);
  const int State = Document->CheckChangedOnDisk((Flags & DISK_ONLY_REPORT) != 0 ? 0 : DISK_FORGET_VANISHED);
  if (State == DISK_CHANGED) {
    if ((Flags & DISK_ONLY_REPORT) != 0) {
      return 1;
    }
    // The new time and size are recorded first, so that this change is asked about once.
    (void)Document->SetFileTime(Document->name.text);  // a file that cannot be read reports itself
    const int Action = prg->editorOptions->docChangeAction;
    bool DoReload = Action != DOC_CHANGE_IGNORE;
    if (Action == DOC_CHANGE_ASK) {
      const std::string Question = "Document " + Quoted(Document->name.text) + " has changed on disk. Reload?";
      DoReload = ShowMessageBox(StrStore(Question.c_str()), StrStore("Quillon: Reload?"), MSG_QUESTION) == IDYES;
    }
    if (DoReload && Reload(Document) != 0) {
      return 2;
    }
  } else if (State == DISK_VANISHED && (Flags & DISK_ONLY_REPORT) == 0) {
    const std::string Text = "Warning! Document " + Quoted(Document->name.text) +
                             " no longer exists on disk. It may have been deleted, renamed, moved, or, if this is a "
                             "document on a networked drive, the network connection may have failed.";
    MessageBox(Handle(), Text.c_str(), "Quillon: Warning", MB_OK | MB_ICONEXCLAMATION | MB_SETFOREGROUND);
  }
  return 0;
}

void TZUBQEForm::CheckFileChangedOnDisk(int Flags) { (void)CheckDiskChanges(Flags); }
