// TZUBQEForm: the Links page's commands: checking links in the engine's background check, stopping it, the
// buttons, selecting, sorting and finding links, opening a link in the editor or the browser, the link cache.
#include "mainwindow/Quickeditmainform.h"

#include "core/Enginedialogs.h"
#include "core/Filestore.h"
#include "core/Fileinfoclass.h"
#include "core/Fileinfoextraclass.h"
#include "core/Linklist.h"
#include "core/Mainsetup.h"
#include "core/Prgclass.h"
#include "core/Validatorlib.h"
#include "core/Volatileclass.h"
#include "editor/Easyeditsource.h"
#include "editor/Easystrings.h"
#include "mainwindow/Editormessagewindow.h"
#include "mainwindow/Linkspage.h"
#include "mainwindow/Resultsmodel.h"
#include "mainwindow/Resultspages.h"

#include "platform/rtl/FileUtils.h"

#include <filesystem>
#include <string>

namespace {

int ChecksRunning() {
  return ZUBCalls.ZUBGetInteger3EZ != nullptr ? ZUBCalls.ZUBGetInteger3EZ(ZUB_LINK_CHECKS_RUNNING) : 0;
}

StrStoreEx* SelectedLink(TListView* List) {
  TListItem* Item = List != nullptr ? List->Selected() : nullptr;
  return Item != nullptr ? static_cast<StrStoreEx*>(Item->Data) : nullptr;
}

}  // namespace

void TZUBQEForm::UpdateLinkCheckButtons() {
  fileinfoclass* D = GetCurrentFile();
  const bool Running = ChecksRunning() > 0;
  const bool HasLinks = D != nullptr && D->linkCount > 0;
  if (LinksPlayBtn != nullptr) {
    LinksPlayBtn->SetEnabled(HasLinks && !Running);
  }
  if (ResultsPopupCheckLinks != nullptr) {
    ResultsPopupCheckLinks->SetEnabled(HasLinks && !Running);
  }
  if (LinksStopBtn != nullptr) {
    LinksStopBtn->SetEnabled(Running);
  }
  if (ResultsPopupStopCheckingLinks != nullptr) {
    ResultsPopupStopCheckingLinks->SetEnabled(Running);
  }
}

int TZUBQEForm::CheckLinks(TObject* Sender, int Flags) {
  if ((Flags & CHECKLINKS_SHOW_PAGE_FIRST) != 0) {
    ActivateResultsPage(LinksSheet);
  }
  if (ChecksRunning() > 0) {
    return CHECKLINKS_RUNNING;
  }
  if ((Flags & CHECKLINKS_STAY) == 0) {
    ActivateResultsPage(LinksSheet);
  }
  fileinfoclass* D = GetCurrentFile();
  if (D == nullptr) {
    return 0;
  }
  if ((Flags & CHECKLINKS_AUTOMATIC) != 0) {
    if (D->GetResultCount(COUNT_OUT_OF_DATE) != 0) {
      return CHECKLINKS_ALREADY_RAN;
    }
    (void)D->SetNeedsValidation(1, 1);
  }
  (void)::ReadResults(D, READ_SUBMIT_LINKS | READ_SUBMIT_FORCED);
  if ((Flags & CHECKLINKS_AUTOMATIC) != 0 && D->GetResultCount(COUNT_LIST_TAG_4) <= 0) {
    return CHECKLINKS_NOTHING_LEFT;
  }
  (void)Sender;
  EngineHandleGuard Job(GetNewHandle(ZUB_KIND_JOB));
  if (Job.Get() < 0 || SetInteger(Job.Get(), ZUB_JOB_KIND, ZUB_JOB_CHECK_LINKS) < 0) {
    return 0;
  }
  const HWND Window = FindWindow(MESSAGE_WINDOW_CLASS, MESSAGE_WINDOW_CAPTION);
  if (SetString(Job.Get(), ZUB_JOB_LINE, std::to_string(reinterpret_cast<std::uintptr_t>(Window)).c_str()) < 0 ||
      SetString(Job.Get(), ZUB_JOB_LINE, std::to_string(WM_ZUB_REMOTE_COMMAND).c_str()) < 0) {
    return 0;
  }
  const int Result = RunJob(Handle(), EngineConfigHandle(), Job.Get(), 0);
  if (Result < 0) {
    return 0;
  }
  (void)FreeHandle(Result);  // the check's result handle carries nothing; progress comes as commands
  (void)SetStatusText("Checking links...");
  UpdateLinkCheckButtons();
  return 0;
}

void TZUBQEForm::LinksPlayBtnClick(TObject* Sender) { (void)CheckLinks(Sender, CHECKLINKS_MANUAL); }

void TZUBQEForm::LinksStopBtnClick(TObject*) {
  ActivateResultsPage(LinksSheet);
  if (ZUBCalls.ZUBSetFlag2 != nullptr) {
    (void)ZUBCalls.ZUBSetFlag2(ZUB_ENGINE_FLAGS, ZUB_ENGINE_STOP_LINK_CHECK, 1);
  }
  (void)SetStatusText("Stopping link check... please wait...");
  if (LinksListView != nullptr && LinksListView->Tag() != 0) {
    (void)reinterpret_cast<fileinfoclass*>(LinksListView->Tag())->SetNeedsValidation(1, 1);
  }
}

void TZUBQEForm::LinksListViewSelectItem(TObject*, TListItem* Item, bool Selected) {
  if (!Selected || Item == nullptr || Item->SubItems()->Count() < 3) {
    return;
  }
  if (LinkLabel != nullptr) {
    LinkLabel->SetCaption(Item->SubItems()->Strings(0));
  }
  if (AbsoluteLabel != nullptr) {
    StrStore Absolute(Item->SubItems()->Strings(1).c_str());
    (void)Absolute.decodeCharRefs(0);
    (void)Absolute.urlDecode(0);
    AbsoluteLabel->SetCaption(Absolute.text);
  }
  if (fileinfoclass* D = GetCurrentFile()) {
    ShowLinkSummary(D, 1);
  }
}

void TZUBQEForm::LinksListViewColumnClick(TObject*, TListColumn* Column) {
  fileinfoclass* D = GetCurrentFile();
  if (D == nullptr || Column == nullptr || LinksListView == nullptr) {
    return;
  }
  int& Word = D->sortModes[SORTWORD_LINKS];
  Word = NextSortWord(Word, Column->Index(), {3, 9, 0x11, 0x21, 5, 0x41});
  LinksListView->Items()->BeginUpdate();
  SortLinksList(LinksListView, Word);
  LinksListView->Items()->EndUpdate();
}

void TZUBQEForm::LinksListViewDblClick(TObject*) {
  fileinfoclass* D = GetCurrentFile();
  StrStoreEx* Link = SelectedLink(LinksListView);
  if (D == nullptr || CurrentEditor == nullptr || Link == nullptr) {
    return;
  }
  const char* AsUsed = Link->getExtraString(LINK_STR_AS_USED);
  if (AsUsed == nullptr || *AsUsed == 0) {
    return;
  }
  TCustomEasyEditSource* Source = CurrentEditor->GetEditSource();
  TEasyStrings* Lines = Source->Strings();
  // The same link again: the search goes on after the present match; otherwise it starts at the top.
  int FromLine = 0;
  int FromChar = 0;
  if (Link == LastLinkDoubleClicked) {
    const TPoint At = Source->CurrentPosition;
    FromLine = At.Y;
    FromChar = At.X;
  }
  LastLinkDoubleClicked = Link;
  const std::string Needle(AsUsed);
  bool Found = false;
  for (int L = FromLine; L < Lines->Count() && !Found; ++L) {
    const std::string& Text = Lines->GetStrRef(L);
    const std::size_t At = Text.find(Needle, L == FromLine ? static_cast<std::size_t>(FromChar) : 0);
    if (At != std::string::npos) {
      const int Start = static_cast<int>(At);
      const int End = Start + static_cast<int>(Needle.size());
      Source->JumpTo(End, L);
      CurrentEditor->SetSelection(TRect{Start, L, End, L}, slStream);
      Found = true;
    }
  }
  if (!Found) {
    (void)ShowMessageBox(StrStore("Search string '").append(AsUsed).append("' not found"),
                         StrStore("Quillon: Not Found"), MSG_INFORMATION);
  }
  SaveScrollPositions();
  FocusCurrentEditor();
  (void)SetStatusText("Press F3 to find the next matching link (if any).");
}

void TZUBQEForm::LinksHelpBtnClick(TObject*) {
  if (ZUBCalls.ZUBDisplayHelp == nullptr) {
    return;
  }
  const std::string Page = JoinPath(prg->volatileState->documentationFolder, "resultswindowlinkstab.html").text;
  (void)ZUBCalls.ZUBDisplayHelp(reinterpret_cast<ZUBWindow>(GetApplicationWindow()), ZUB_HELP_PAGE, Page.c_str(), 0);
}

void TZUBQEForm::LinksNetworkOptionsBtnClick(TObject*) { (void)OpenValidatorOptions(2, 0); }

void TZUBQEForm::ResultsPopupResetLinkCacheClick(TObject*) {
  if (ZUBCalls.ZUBSetInteger3 != nullptr) {
    (void)ZUBCalls.ZUBSetInteger3(ZUB_LINK_CACHE_RESET, 0);
  }
}

void TZUBQEForm::ViewLinkInfoPanelClick(TObject*) {
  if (prg != nullptr && prg->interface != nullptr) {
    prg->interface->flags2.toggle(IF2::LinkInfoPanel);
  }
  (void)ApplyViewSettings(0);
}

void TZUBQEForm::OpenLinkInEditorClick(TObject* Sender) {
  auto* Item = dynamic_cast<TTBCustomItem*>(Sender);
  auto* Link = Item != nullptr ? reinterpret_cast<StrStoreEx*>(Item->Tag()) : nullptr;
  if (Link == nullptr) {
    return;
  }
  StrStore Address(Link->text);
  (void)Address.removeAnchor();
  if (IsAbsolutePath(Address.text)) {
    StrStore Decoded(Address);
    (void)Decoded.urlDecode(1);
    std::error_code Ec;
    const StrStore& Name = std::filesystem::exists(Decoded.text, Ec) ? Decoded : Address;
    (void)AddNewFileTab(nullptr, Name.text, 0x10, nullptr);  // the window reports a file it cannot open
    return;
  }
  auto* Origin = new fileinfoextraclass;
  Origin->address = Address;
  if (Link->spareInts.getInt(LINK_INT_CREDENTIALS) == 1) {
    const char* User = Link->getExtraString(LINK_STR_USER);
    const char* Password = Link->getExtraString(LINK_STR_PASSWORD);
    Origin->userName = User != nullptr ? User : "";
    Origin->password = Password != nullptr ? Password : "";
    Origin->SetUseCredentials(true, 1);
  }
  const char* Agent = Link->getExtraString(LINK_STR_AGENT);
  if (Agent != nullptr && *Agent != 0) {
    Origin->userAgent = Agent;
  }
  (void)AddNewFileTab(nullptr, nullptr, 0x20, Origin);  // the window reports a download that failed
  delete Origin;
}

void TZUBQEForm::OpenLinkInBrowserClick(TObject* Sender) {
  auto* Item = dynamic_cast<TTBCustomItem*>(Sender);
  auto* Link = Item != nullptr ? reinterpret_cast<StrStoreEx*>(Item->Tag()) : nullptr;
  if (Link == nullptr) {
    return;
  }
  (void)NavigateTo(Link->text, 0);
}
