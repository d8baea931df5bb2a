// The main window's opening from the web (the open-from-the-web command and web addresses given to a tab) and
// files dropped on the window.
#include "mainwindow/Quickeditmainform.h"

#include "core/Fileinfoclass.h"
#include "core/Fileinfoextraclass.h"
#include "core/Prgclass.h"
#include "core/Zodir.h"
#include "mainwindow/Openfromweb.h"

#include "platform/win/Desktop.h"
#include "platform/win/Files.h"

#include <memory>
#include <new>
#include <string>

namespace {

// Flags of OpenWebDocument.
constexpr int WEBDOC_KEEP_CALLERS_RECORD = 0x2;
// How a downloaded document is opened: a temporary name (1) whose type comes from the address (2), adopting the
// pending web origin (4), asked nothing about its type (8), and counted as saved (0x800).
constexpr int WEB_DOCUMENT_OPEN_FLAGS = 0x1 | 0x2 | 0x4 | 0x8 | 0x800;
// The same for an address given to a tab, which then counts as changed.
constexpr int WEB_ADDRESS_OPEN_FLAGS = 0x1 | 0x2 | 0x4 | 0x8;
// Flags of AddNewFileTab: the data names a possible address, or is a web-origin record.
constexpr int OPEN_MAY_BE_ADDRESS = 0x10;
constexpr int OPEN_ORIGIN_RECORD = 0x20;
// Read-only modes: clear, and apply to the text store too.
constexpr int READONLY_CLEAR_WITH_TEXT = 0x2 | 0x8;

// The local file of the opening from the web, and of an address given to a tab.
const char* const OpenFromWebFile = "ZUBOpenFromWeb.txt";
const char* const AddNewHttpFile = "ZUBAddNewHTTP.txt";

bool ShuttingDown() { return prg == nullptr || prg->volatileState == nullptr || prg->volatileState->shuttingDown; }

// Downloads the record into the temporary folder's file of that name; 0, or the download's own failure (it
// reports it).
int DownloadTo(fileinfoextraclass& Record, const char* FileName) {
  Record.localFile = JoinPath(prg->volatileState->temporaryFolder, FileName);
  return fileinfoextraclass::Download(&Record);
}

// The part of a dropped name after its folder.
const char* NameWithoutFolder(const std::string& Name) {
  const std::size_t Slash = Name.find_last_of('/');
  return Name.c_str() + (Slash == std::string::npos ? 0 : Slash + 1);
}

}  // namespace

void TZUBQEForm::FileOpenFromTheWebClick(TObject*) {
  if (ShuttingDown()) {
    return;
  }
  std::unique_ptr<TOpenFromWebForm> Dialog(new TOpenFromWebForm(this));
  Dialog->AfterConstruction();
  Dialog->mode = OPENFROMWEB_OPEN;
  if (Dialog->ShowModal() != mrOk) {
    return;
  }
  // The record passes to OpenWebDocument, which frees it on failure or hands it to the new document.
  (void)OpenWebDocument(Dialog->GetFileInfoExtra(), OpenFromWebFile, 1);  // failures are reported on the way
}

bool TZUBQEForm::GetOpenFromWebCredentialsCheck(bool& Checked) { return OpenFromWebCredentialsCheck(Checked); }

int TZUBQEForm::OpenWebDocument(fileinfoextraclass* Origin, const char* PseudoName, int Flags) {
  if (Origin == nullptr) {
    return -1;
  }
  std::unique_ptr<fileinfoextraclass> Record;
  if ((Flags & WEBDOC_KEEP_CALLERS_RECORD) != 0) {
    Record.reset(new (std::nothrow) fileinfoextraclass);
    if (!Record) {
      return -3;
    }
    Record->CopyFrom(*Origin);
  } else {
    Record.reset(Origin);
  }
  if (ShuttingDown()) {
    return -1;
  }
  if (DownloadTo(*Record, PseudoName) != DOWNLOAD_DONE) {
    return -2;
  }
  const StrStore LocalFile = Record->localFile;
  delete prg->volatileState->pendingWebOrigin;  // an earlier record that no document took
  prg->volatileState->pendingWebOrigin = Record.release();
  if (AddNewFileTab(nullptr, LocalFile.text, WEB_DOCUMENT_OPEN_FLAGS, nullptr) == 0) {
    if (fileinfoclass* Document = GetCurrentFile()) {
      (void)Document->SetReadOnlyState(READONLY_CLEAR_WITH_TEXT);  // a downloaded text is always editable
    }
  }
  DeleteFile(LocalFile.text);
  return 0;
}

int TZUBQEForm::OpenWebAddress(TComponent* TabControl, const char* Name, int Flags, fileinfoextraclass* Extra) {
  std::unique_ptr<fileinfoextraclass> Record(new (std::nothrow) fileinfoextraclass);
  if (!Record) {
    return -1;
  }
  if ((Flags & OPEN_ORIGIN_RECORD) != 0 && Extra != nullptr) {
    Record->CopyFrom(*Extra);  // the caller keeps its own record
  } else if ((Flags & OPEN_MAY_BE_ADDRESS) != 0 && Name != nullptr) {
    Record->address = Name;
  } else {
    return -1;
  }
  if (DownloadTo(*Record, AddNewHttpFile) != DOWNLOAD_DONE) {
    return -9;
  }
  const StrStore LocalFile = Record->localFile;
  delete prg->volatileState->pendingWebOrigin;
  prg->volatileState->pendingWebOrigin = Record.release();
  const int Result = AddNewFileTab(TabControl, LocalFile.text, WEB_ADDRESS_OPEN_FLAGS, nullptr);
  if (Result == 0) {
    (void)MarkDocumentModified(GetCurrentFile());  // a null document is refused by the call itself
  }
  DeleteFile(LocalFile.text);
  return Result;
}

int TZUBQEForm::OpenDroppedFiles(HDROP Drop, int) {
  if (ShuttingDown()) {
    DragFinish(Drop);
    return 1;
  }
  const std::string StatusBefore = StatusBar->Panels()->Items(3)->Text();
  SetBusyCursor(true);
  SetForegroundWindow(Handle());
  const UINT Count = DragQueryFile(Drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT I = 0; I < Count; ++I) {
    // Each name is read whole, however long: a cut name would open another file.
    std::string Name(DragQueryFile(Drop, I, nullptr, 0), '\0');
    if (Name.empty() || DragQueryFile(Drop, I, Name.data(), static_cast<UINT>(Name.size() + 1)) != Name.size()) {
      continue;
    }
    if (Zodir::DirectoryExists(Name)) {
      continue;
    }
    const std::string Status = "[" + std::to_string(I + 1) + "<>" + std::to_string(Count) + "] " +
                               NameWithoutFolder(Name);
    (void)SetStatusText(Status.c_str());
    (void)AddNewFileTab(nullptr, Name.c_str(), 0, nullptr);  // reports its own failures; the next name goes on
    if (ShuttingDown()) {
      break;
    }
  }
  DragFinish(Drop);
  UpdateTitle(0);
  (void)SetStatusText(StatusBefore.c_str());
  SetBusyCursor(false);
  return 0;
}
