// Opening files through the open dialog and the recent-files menus of the main window.
#include "mainwindow/Quickeditmainform.h"

#include "core/Pathprocessor.h"
#include "core/Prgclass.h"
#include "core/Stringarraystore.h"
#include "core/Strstore.h"
#include "core/Volatileclass.h"
#include "core/Windowcontrol.h"

#include "platform/rtl/FileUtils.h"
#include "platform/win/MessageBox.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

namespace {

// The recent-files menus show at most this many entries.
constexpr int RECENT_MENU_ENTRIES = 15;

bool Running() { return prg && prg->volatileState && prg->volatileState->shuttingDown == 0; }

// Makes an empty file of that name; an existing file is left alone. False when it cannot be made.
bool CreateEmptyFile(const std::string& Name) {
  const int Fd = ::open(Name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (Fd < 0) {
    return false;
  }
  ::close(Fd);
  return true;
}

}  // namespace

void TZUBQEForm::FileOpenClick(TObject*) {
  if (!Running()) {
    return;
  }
  interfaceclass* I = prg->interface;
  const TPTOpenOptions Options = PTOpenDialog->Options();
  PTOpenDialog->DefaultExt.clear();
  PTOpenDialog->SetFilter(I->dialogFilter.text ? I->dialogFilter.text : "");
  PTOpenDialog->SetFilterIndex(I->dialogFilterIndex);
  PTOpenDialog->Title = "Select File or Files to Open";
  PTOpenDialog->InitialDir = LastOpenFolder.empty() ? ShellTree->GetSelectedPathName() : LastOpenFolder;
  PTOpenDialog->SetFilename("");
  TPTOpenOptions Multi = Options;
  Multi.Include(ptofAllowMultiselect);
  PTOpenDialog->SetOptions(Multi);
  const bool Accepted = PTOpenDialog->Execute();
  PTOpenDialog->SetOptions(Options);
  if (!Accepted) {
    return;
  }
  WindowControl Busy(WINCTRL_SCREEN_CURSOR, nullptr, nullptr);
  Busy.setCursor(WindowControlHourGlass);
  Repaint();
  I->dialogFilterIndex = PTOpenDialog->GetFilterIndex();
  std::vector<std::string> Chosen;
  for (int F = 0; F < PTOpenDialog->Files()->Count(); ++F) {
    Chosen.push_back(PTOpenDialog->Files()->Strings(F));
  }
  if (!Chosen.empty()) {
    LastOpenFolder = ExtractFileDir(Chosen.front());
  }
  for (const std::string& Name : Chosen) {
    if (!Running()) {
      break;
    }
    OpenChosenFile(Name);
  }
}

void TZUBQEForm::OpenChosenFile(const std::string& Chosen) {
  const std::string Name = AddDefaultExtension(Chosen.c_str(), prg->editorOptions->defaultFileExtension.text, 1).text;
  if (DoesFileExist(Name.c_str()) == 0) {
    const std::string Question =
        "Cannot open the file \"" + Name + "\". The file may not exist. Do you want to create this file?";
    if (ShowMessageBox(StrStore(Question.c_str()), StrStore("Quillon: Cannot Open File"), MSG_QUESTION) != IDYES) {
      return;
    }
    // A file that cannot be made is reported by the opening, which finds nothing to load.
    (void)CreateEmptyFile(Name);
  }
  (void)AddNewFileTab(nullptr, Name.c_str(), 0, nullptr);  // reports its own refusals and failures
}

// ---- Recent files -----------------------------------------------------------------------------------------------

int TZUBQEForm::BuildReopenMenus(StringArrayStore* List) {
  TTBCustomItem* Menus[] = {FileOpen, FileOpenBtn};
  for (TTBCustomItem* Menu : Menus) {
    if (Menu != nullptr) {
      Menu->Clear();
    }
  }
  const int Count = List != nullptr ? std::min(List->getCount(), RECENT_MENU_ENTRIES) : 0;
  for (TTBCustomItem* Menu : Menus) {
    if (Menu == nullptr) {
      continue;
    }
    for (int I = 0; I < Count; ++I) {
      auto* Item = new TTBItem(this);
      const char* Name = List->getString(I);
      Item->SetCaption(Name != nullptr ? Name : "");
      Item->SetTag(I);
      Item->SetOnClick([this](TObject* Sender) { ReopenItemClick(Sender); });
      Menu->Add(Item);
    }
    if (Count > 0) {
      Menu->Add(new TTBSeparatorItem(this));
      auto* Clear = new TTBItem(this);
      Clear->SetCaption("Clear Recent Files List");
      Clear->SetTag(-1);
      Clear->SetOnClick([this](TObject* Sender) { ReopenItemClick(Sender); });
      Menu->Add(Clear);
    }
  }
  return 1;
}

// The menus are rebuilt by what the click does, so the work runs once the item's click has returned.
void TZUBQEForm::ReopenItemClick(TObject* Sender) {
  auto* Item = dynamic_cast<TTBCustomItem*>(Sender);
  if (Item == nullptr || !Running()) {
    return;
  }
  const int Index = static_cast<int>(Item->Tag());
  if (Index < 0) {
    PendingReopen.clear();
    PostMessage(Handle(), WM_REOPEN_RECENT, 0, 1);
    return;
  }
  const char* Name = prg->interface->recentDocuments.getString(Index);
  PendingReopen = Name != nullptr ? Name : "";
  PostMessage(Handle(), WM_REOPEN_RECENT, 0, 0);
}

void TZUBQEForm::ReopenRecent(TMessage& Message) {
  if (!Running()) {
    return;
  }
  if (Message.LParam != 0) {
    (void)prg->interface->recentDocuments.removeAllPointers(1);  // frees every entry
    (void)BuildReopenMenus(&prg->interface->recentDocuments);    // an empty list makes no items
    return;
  }
  const std::string Name = std::move(PendingReopen);
  PendingReopen.clear();
  if (!Name.empty()) {
    (void)AddNewFileTab(nullptr, Name.c_str(), 0, nullptr);  // reports its own refusals and failures
  }
}
