// TZUBQEForm: walking through the messages (next, previous, the first error or warning), moving between the
// results pages, and the results popup menu with its program-flag, message-identifier, help and link items.
#include "mainwindow/Quickeditmainform.h"

#include "core/Filestore.h"
#include "core/Fileinfoclass.h"
#include "core/Linklist.h"
#include "core/Msginfoclass.h"
#include "core/Prgclass.h"
#include "core/Validatorlib.h"
#include "core/Volatileclass.h"
#include "mainwindow/Resultsmodel.h"
#include "mainwindow/Resultspages.h"
#include "treeview/Dcntreenode.h"
#include "treeview/Dcntreenodes.h"

#include "platform/win/MessageBox.h"

#include <cctype>
#include <string>
#include <strings.h>
#include <vector>

namespace {

bool ShuttingDown() { return prg == nullptr || prg->volatileState == nullptr || prg->volatileState->shuttingDown != 0; }

std::vector<ZEZTreeNode*> AllNodes(ZEZTree* Tree) {
  std::vector<ZEZTreeNode*> Nodes;
  for (ZEZTreeNode* N = Tree->Items()->GetFirstNode(); N != nullptr; N = N->GetNext()) {
    Nodes.push_back(N);
  }
  return Nodes;
}

msginfoclass* NodeMessage(ZEZTreeNode* N) { return N != nullptr ? static_cast<msginfoclass*>(N->Data()) : nullptr; }

bool IsErrorOrWarning(msginfoclass* M) { return M != nullptr && M->IsErrorOrWarning(); }

// The caption without "&", for comparing.
std::string Plain(const std::string& Caption) {
  std::string S;
  for (char C : Caption) {
    if (C != '&') {
      S += C;
    }
  }
  return S;
}

bool StartsWithNoCase(const std::string& S, const char* Prefix) {
  return ::strncasecmp(S.c_str(), Prefix, std::char_traits<char>::length(Prefix)) == 0;
}

int ProgramFlag(int Flag) {
  const int Config = EngineConfigHandle();
  return Config >= 0 && ZUBCalls.ZUBGetFlag != nullptr ? ZUBCalls.ZUBGetFlag(Config, ZUB_CONFIG_PROGRAM_FLAGS, Flag)
                                                       : 0;
}

int ConfigInt2(int Id, int Index) {
  const int Config = EngineConfigHandle();
  return Config >= 0 && ZUBCalls.ZUBGetInteger2EZ != nullptr ? ZUBCalls.ZUBGetInteger2EZ(Config, Id, Index) : -1;
}

}  // namespace

void TZUBQEForm::ActivateResultsPage(TTabSheet* Page) {
  if (ResultsPageControl == nullptr || Page == nullptr) {
    return;
  }
  if (ResultsPageControl->ActivePage() != Page) {
    ResultsPageControl->SetActivePage(Page);
  }
  ResultsPageControlChange(ResultsPageControl);
}

int TZUBQEForm::GoToMessage(TObject* Sender, int Flags) {
  fileinfoclass* D = GetCurrentFile();
  if (D != nullptr && D->GetResultCount(COUNT_MESSAGES) == COUNT_UNKNOWN) {
    ToolsValidateClick(Sender);
    return GOTO_VALIDATED;
  }
  for (int Round = 0; Round < 3; ++Round) {
    TTabSheet* Active = ResultsPageControl->ActivePage();
    TTabSheet* Wanted = nullptr;
    if ((Flags & GOTO_MESSAGES_PAGE) != 0 && Active != MessagesSheet) {
      Wanted = MessagesSheet;
    } else if ((Flags & GOTO_GROUPED_PAGE) != 0 && Active != TreeViewSheet) {
      Wanted = TreeViewSheet;
    } else if ((Flags & GOTO_STYLES_PAGE) != 0 && Active != StylesSheet) {
      Wanted = StylesSheet;
    } else if ((Flags & GOTO_ACCESSIBILITY_PAGE) != 0 && Active != AccessibilitySheet) {
      Wanted = AccessibilitySheet;
    } else if (Active != MessagesSheet && Active != TreeViewSheet && Active != StylesSheet &&
               Active != AccessibilitySheet) {
      Wanted = MessagesSheet;
    }
    if (Wanted == nullptr) {
      break;
    }
    ActivateResultsPage(Wanted);
  }
  TTabSheet* Active = ResultsPageControl->ActivePage();
  // The page shows the document's result whatever the results area's state: a fill of a page that shows it
  // already returns at once.
  if (D != nullptr) {
    (void)::ShowResults(D, 0);
  }
  const bool ErrorsOnly = (Flags & GOTO_ERRORS_ONLY) != 0;
  if (Active == MessagesSheet) {
    TListItems* Items = ResultsListView->Items();
    const int N = Items->Count();
    if (N == 0) {
      (void)ShowInfoKind(INFO_NO_MESSAGES);
      return GOTO_NO_ENTRIES;
    }
    TListItem* Selected = ResultsListView->Selected();
    int Start = Selected != nullptr ? Selected->Index() + 1 : 0;
    if (Start < 0 || Start >= N) {
      Start = 0;
    }
    TListItem* Found = nullptr;
    for (int I = Start; I < N && Found == nullptr; ++I) {
      if (!ErrorsOnly || IsErrorOrWarning(static_cast<msginfoclass*>(Items->Item(I)->Data))) {
        Found = Items->Item(I);
      }
    }
    if (Found != nullptr) {
      SelectQuietly(Found, nullptr);
      Found->MakeVisible(false);
      prg->volatileState->lastResultsListItem = Found;
      (void)SelectMessage(static_cast<msginfoclass*>(Found->Data), SELECT_FROM_LIST);
    }
    FocusCurrentEditor();
    return GOTO_DONE;
  }
  ZEZTree* Tree = Active == TreeViewSheet ? ResultsTreeView
                  : Active == StylesSheet ? StyleMessagesTreeView
                                          : AccessibilityTreeView;
  const std::vector<ZEZTreeNode*> Nodes = AllNodes(Tree);
  const int N = static_cast<int>(Nodes.size());
  if (N == 0) {
    (void)ShowInfoKind(INFO_NO_MESSAGES);
    return GOTO_NO_ENTRIES;
  }
  int Index = 0;
  bool Wrapped = true;
  if (ZEZTreeNode* Selected = Tree->Selected()) {
    const int At = Selected->GetAbsoluteIndex() + 1;
    if (At >= 0 && At < N) {
      Index = At;
      Wrapped = false;
    }
  }
  while (Index < N && NodeMessage(Nodes[static_cast<std::size_t>(Index)]) == nullptr) {
    ++Index;
  }
  const bool RanOff = Index >= N;
  if (RanOff || Wrapped) {
    Tree->SetTopItem(Nodes.front());
  }
  if (RanOff) {
    Index = 0;
  }
  ZEZTreeNode* Found = nullptr;
  for (int I = Index; I < N && Found == nullptr; ++I) {
    if (!ErrorsOnly || IsErrorOrWarning(NodeMessage(Nodes[static_cast<std::size_t>(I)]))) {
      Found = Nodes[static_cast<std::size_t>(I)];
    }
    if (!ErrorsOnly) {
      break;
    }
  }
  if (Found != nullptr) {
    SelectQuietly(nullptr, Found);
    prg->volatileState->lastResultsTreeNode = Found;
    if (msginfoclass* M = NodeMessage(Found)) {
      (void)SelectMessage(M, SELECT_FROM_TREE);
    }
  }
  FocusCurrentEditor();
  return GOTO_DONE;
}

void TZUBQEForm::ViewNextMessageClick(TObject* Sender) { (void)GoToMessage(Sender, GOTO_NEXT); }

void TZUBQEForm::ViewPreviousMessageClick(TObject* Sender) {
  fileinfoclass* D = GetCurrentFile();
  if (D != nullptr && D->GetResultCount(COUNT_MESSAGES) == COUNT_UNKNOWN) {
    ToolsValidateClick(Sender);
    return;
  }
  TTabSheet* Active = ResultsPageControl->ActivePage();
  if (Active != MessagesSheet && Active != TreeViewSheet && Active != StylesSheet && Active != AccessibilitySheet) {
    ActivateResultsPage(MessagesSheet);
    Active = MessagesSheet;
  }
  if (D != nullptr) {
    (void)::ShowResults(D, 0);
  }
  if (Active == MessagesSheet) {
    TListItems* Items = ResultsListView->Items();
    const int N = Items->Count();
    if (N == 0) {
      (void)ShowInfoKind(INFO_NO_MESSAGES);
      return;
    }
    TListItem* Selected = ResultsListView->Selected();
    const int Index = Selected == nullptr || Selected->Index() <= 0 ? N - 1 : Selected->Index() - 1;
    TListItem* Row = Items->Item(Index);
    SelectQuietly(Row, nullptr);
    Row->MakeVisible(false);
    prg->volatileState->lastResultsListItem = Row;
    (void)SelectMessage(static_cast<msginfoclass*>(Row->Data), SELECT_FROM_LIST);
  } else {
    ZEZTree* Tree = Active == TreeViewSheet ? ResultsTreeView
                    : Active == StylesSheet ? StyleMessagesTreeView
                                            : AccessibilityTreeView;
    const std::vector<ZEZTreeNode*> Nodes = AllNodes(Tree);
    const int N = static_cast<int>(Nodes.size());
    if (N == 0) {
      (void)ShowInfoKind(INFO_NO_MESSAGES);
      return;
    }
    int Index = N - 1;
    if (ZEZTreeNode* Selected = Tree->Selected()) {
      const int At = Selected->GetAbsoluteIndex();
      Index = At >= 0 && At < N ? At - 1 : N - 1;
    }
    while (Index >= 0 && NodeMessage(Nodes[static_cast<std::size_t>(Index)]) == nullptr) {
      --Index;
    }
    if (Index < 0) {
      Index = N - 1;
    }
    ZEZTreeNode* Node = Nodes[static_cast<std::size_t>(Index)];
    SelectQuietly(nullptr, Node);
    prg->volatileState->lastResultsTreeNode = Node;
    if (msginfoclass* M = NodeMessage(Node)) {
      (void)SelectMessage(M, SELECT_FROM_TREE);
    }
  }
  FocusCurrentEditor();
}

namespace {

void StepResultsPage(TZUBQEForm* F, int Step) {
  TPageControl* Pages = F->ResultsPageControl;
  const int Count = Pages->PageCount();
  if (Count == 0) {
    return;
  }
  const int Next = ((Pages->ActivePageIndex() < 0 ? 0 : Pages->ActivePageIndex()) + Step + Count) % Count;
  F->ActivateResultsPage(Pages->Pages(Next));
}

}  // namespace

void TZUBQEForm::ViewNextResultsPageClick(TObject* Sender) {
  if (prg->interface->flags.has(IF40::ResultsWindow) || ResultsAreaShown()) {
    StepResultsPage(this, 1);
  } else {
    ViewResultsClick(Sender);
  }
}

void TZUBQEForm::ViewPreviousResultsPageClick(TObject* Sender) {
  if (prg->interface->flags.has(IF40::ResultsWindow) || ResultsAreaShown()) {
    StepResultsPage(this, -1);
  } else {
    ViewResultsClick(Sender);
  }
}

// ---- The results popup ----------------------------------------------------------------------------------------------

msginfoclass* TZUBQEForm::SelectedPageMessage() {
  TTabSheet* Active = ResultsPageControl->ActivePage();
  if (Active == MessagesSheet) {
    TListItem* Item = ResultsListView->Selected();
    if (Item == nullptr) {
      auto* Last = static_cast<TListItem*>(prg->volatileState->lastResultsListItem);
      if (Last != nullptr && ResultsListView->Items()->IndexOf(Last) >= 0) {
        Item = Last;
      }
    }
    return Item != nullptr ? static_cast<msginfoclass*>(Item->Data) : nullptr;
  }
  ZEZTree* Tree = Active == TreeViewSheet        ? ResultsTreeView
                  : Active == StylesSheet        ? StyleMessagesTreeView
                  : Active == AccessibilitySheet ? AccessibilityTreeView
                                                 : nullptr;
  return Tree != nullptr ? NodeMessage(Tree->Selected()) : nullptr;
}

void TZUBQEForm::AddFlagItem(int Flag) {
  TTBCustomItem* Root = ResultsPopupMenu->Items();
  auto* Item = new TTBSubmenuItem(this);
  const bool On = ProgramFlag(Flag) != 0;
  Item->SetCaption((On ? "Disable Flag " : "Enable Flag ") + std::to_string(Flag) +
                   (On ? " (currently enabled)" : " (currently disabled)"));
  Item->SetHint("This flag normally (but not always) affects whether this message is displayed or not.");
  Item->SetTag(Flag);
  Item->SetOnClick([this](TObject* S) { ProgramFlagItemClick(S); });
  auto* Help = new TTBItem(this);
  Help->SetCaption("What Does this Flag do?");
  Help->SetTag(Flag);
  Help->SetOnClick([this](TObject* S) { FlagHelpItemClick(S); });
  Item->Add(Help);
  Root->Insert(0, Item);
}

void TZUBQEForm::ResultsPopupMenuPopup(TObject*) {
  if (ShuttingDown()) {
    return;
  }
  TTBCustomItem* Root = ResultsPopupMenu->Items();
  UpdateLinkCheckButtons();
  const bool HasText = CurrentEditor != nullptr && CurrentEditor->GetLines()->Count() > 0;
  ResultsPopupValidateHTML->SetEnabled(HasText);
  ResultsPopupValidateWithWizard->SetEnabled(HasText);
  ResultsPopupOptions->SetVisible(false);
  ResultsPopupOptionsSeparatorItem->SetVisible(false);
  // The items of an earlier opening go.
  for (int I = Root->Count() - 1; I >= 0; --I) {
    TTBCustomItem* Item = Root->Items(I);
    const std::string Caption = Plain(Item->Caption());
    const bool Added = StartsWithNoCase(Caption, "Disable Flag") || StartsWithNoCase(Caption, "Enable Flag") ||
                       StartsWithNoCase(Caption, "Open Link");
    if (Added) {
      Root->Delete(I);
      delete Item;
    }
  }
  auto DropLeadingSeparators = [Root]() {
    while (Root->Count() > 0 && dynamic_cast<TTBSeparatorItem*>(Root->Items(0)) != nullptr &&
           Root->Items(0)->Name().empty()) {
      TTBCustomItem* Item = Root->Items(0);
      Root->Delete(0);
      delete Item;
    }
  };
  DropLeadingSeparators();
  fileinfoclass* D = GetCurrentFile();
  const bool HasResult = D != nullptr && D->resultHandle >= 0;
  ResultsListClear->SetEnabled(HasResult);
  ResultsPopupCopyToClipboard->SetEnabled(HasResult);
  ResultsPopupExportLinks->SetEnabled(D != nullptr && D->linkCount > 0);
  TTabSheet* Active = ResultsPageControl->ActivePage();
  if (Active == LinksSheet) {
    StrStoreEx* Link =
        LinksListView->Selected() != nullptr ? static_cast<StrStoreEx*>(LinksListView->Selected()->Data) : nullptr;
    if (Link != nullptr && Link->length > 0 && !(Link->text[0] == '[' && Link->text[Link->length - 1] == ']')) {
      auto* Separator = new TTBSeparatorItem(this);
      Separator->SetName("");
      Root->Insert(0, Separator);
      auto* Browser = new TTBItem(this);
      Browser->SetCaption("Open Link in Browser");
      Browser->SetTag(reinterpret_cast<NativeInt>(Link));
      Browser->SetOnClick([this](TObject* S) { OpenLinkInBrowserClick(S); });
      Root->Insert(0, Browser);
      auto* Editor = new TTBItem(this);
      Editor->SetCaption("&Open Link in Editor");
      Editor->SetTag(reinterpret_cast<NativeInt>(Link));
      Editor->SetOnClick([this](TObject* S) { OpenLinkInEditorClick(S); });
      Root->Insert(0, Editor);
    }
    return;
  }
  msginfoclass* M = SelectedPageMessage();
  if (M == nullptr) {
    return;
  }
  if (M->flag1 > 0 || M->flag2 > 0) {
    Root->Insert(0, new TTBSeparatorItem(this));
  }
  if (M->flag2 > 0) {
    AddFlagItem(M->flag2);
  }
  if (M->flag1 > 0) {
    AddFlagItem(M->flag1);
  }
  const int Config = EngineConfigHandle();
  const bool Available = M->messageid >= 1 && Config >= 0 && ZUBCalls.ZUBGetIntegerEZ != nullptr &&
                         ZUBCalls.ZUBGetIntegerEZ(Config, ZUB_CONFIG_MESSAGE_IDS) == 1;
  ResultsPopupOptions->SetVisible(true);
  ResultsPopupOptionsSeparatorItem->SetVisible(true);
  ResultsPopupOptions->SetEnabled(Available);
  TTBCustomItem* IdItems[] = {ResultsPopupChangeToError,   ResultsPopupChangeToWarning, ResultsPopupChangeToMessage,
                              ResultsPopupChangeToComment, ResultsPopupChangeToDefault, ResultsPopupEnableMessage,
                              ResultsPopupDisableMessage};
  if (Available) {
    ResultsPopupOptions->SetHint("This message's ID is " + std::to_string(M->messageid) + ".");
    for (TTBCustomItem* Item : IdItems) {
      Item->SetTag(M->messageid);
    }
    const int Enabled = ConfigInt2(ZUB_CONFIG_MESSAGE_ENABLED, M->messageid);
    ResultsPopupEnableMessage->SetChecked(Enabled != 0);
    ResultsPopupDisableMessage->SetChecked(Enabled == 0);
    const int Type = ConfigInt2(ZUB_CONFIG_MESSAGE_TYPE, M->messageid);
    ResultsPopupChangeToError->SetChecked(Type == MSGTYPE_ERROR);
    ResultsPopupChangeToWarning->SetChecked(Type == MSGTYPE_WARNING);
    ResultsPopupChangeToMessage->SetChecked(Type == MSGTYPE_MESSAGE);
    ResultsPopupChangeToComment->SetChecked(Type == MSGTYPE_COMMENT);
    ResultsPopupChangeToDefault->SetChecked(Type < MSGTYPE_ERROR || Type > MSGTYPE_MESSAGE);
  } else {
    ResultsPopupOptions->SetHint(M->messageid > 0
                                     ? "There is a problem with the message ID configuration so these options are not "
                                       "available."
                                     : "This message has no message ID so these options are not available.");
  }
  DropLeadingSeparators();
}

void TZUBQEForm::ProgramFlagItemClick(TObject* Sender) {
  auto* Item = dynamic_cast<TTBCustomItem*>(Sender);
  const int Config = EngineConfigHandle();
  if (Item == nullptr || Config < 0) {
    return;
  }
  const int Flag = static_cast<int>(Item->Tag());
  const std::string N = std::to_string(Flag);
  const bool Enable = StartsWithNoCase(Plain(Item->Caption()), "Enable");
  const bool On = ProgramFlag(Flag) != 0;
  if (!Enable && !On) {
    (void)ShowMessageBox(StrStore(("Tag name program flag " + N + " has already been disabled.").c_str()),
                         StrStore("Quillon: Flag Already Disabled"), MSG_INFORMATION);
    return;
  }
  if (Enable && On) {
    (void)ShowMessageBox(StrStore(("Tag name program flag " + N + " is already enabled.").c_str()),
                         StrStore("Quillon: Flag Already Enabled"), MSG_INFORMATION);
    return;
  }
  const std::string Verb = Enable ? "enable" : "disable";
  const std::string Question =
      "Are you sure that you want to " + Verb + " tag name program flag " + N +
      "? You will affect all messages and functionality tied to this flag. For specific information about each flag "
      "and what it does, please see the documentation. If you " +
      Verb +
      (Enable ? " this flag, then you can disable it again later from the validator options. Enable this flag?"
              : " this flag, then you can reenable it later from the validator options. Disable this flag?");
  if (ShowMessageBox(StrStore(Question.c_str()), StrStore(Enable ? "Quillon: Enable Flag?" : "Quillon: Disable Flag?"),
                     MSG_QUESTION) != IDYES) {
    FocusCurrentEditor();
    return;
  }
  (void)SetFlag(Config, ZUB_CONFIG_PROGRAM_FLAGS, Flag, Enable ? 1 : 0);  // a failure was reported
  const std::string Done = "Flag " + N + (Enable ? " has been enabled." : " has been disabled.") +
                           " The change will take effect at the next validation. Do you want to revalidate this "
                           "document now?";
  if (ShowMessageBox(StrStore(Done.c_str()), StrStore(Enable ? "Quillon: Flag Enabled" : "Quillon: Flag Disabled"),
                     MSG_QUESTION) == IDYES) {
    ToolsValidateClick(Sender);
  }
  FocusCurrentEditor();
}

void TZUBQEForm::FlagHelpItemClick(TObject* Sender) {
  auto* Item = dynamic_cast<TTBCustomItem*>(Sender);
  if (Item == nullptr || ZUBCalls.ZUBDisplayHelp == nullptr) {
    return;
  }
  // The engine takes the flag's number in place of the text.
  (void)ZUBCalls.ZUBDisplayHelp(reinterpret_cast<ZUBWindow>(GetApplicationWindow()), ZUB_HELP_PROGRAM_FLAG,
                                reinterpret_cast<const char*>(static_cast<std::intptr_t>(Item->Tag())), 0);
}

void TZUBQEForm::ResultsPopupChangeToErrorClick(TObject* Sender) {
  auto* Item = dynamic_cast<TTBCustomItem*>(Sender);
  const int Config = EngineConfigHandle();
  if (Item == nullptr || Item->Tag() <= 0 || Config < 0 || ZUBCalls.ZUBSetInteger2 == nullptr) {
    return;
  }
  const int Type = Item == ResultsPopupChangeToError     ? MSGTYPE_ERROR
                   : Item == ResultsPopupChangeToWarning ? MSGTYPE_WARNING
                   : Item == ResultsPopupChangeToMessage ? MSGTYPE_MESSAGE
                   : Item == ResultsPopupChangeToComment ? MSGTYPE_COMMENT
                                                         : 5;
  (void)ZUBCalls.ZUBSetInteger2(Config, ZUB_CONFIG_MESSAGE_TYPE, static_cast<int>(Item->Tag()), Type);
}

void TZUBQEForm::ResultsPopupDisableMessageClick(TObject* Sender) {
  auto* Item = dynamic_cast<TTBCustomItem*>(Sender);
  const int Config = EngineConfigHandle();
  if (Item == nullptr || Item->Tag() <= 0 || Config < 0 || ZUBCalls.ZUBSetInteger2 == nullptr) {
    return;
  }
  (void)ZUBCalls.ZUBSetInteger2(Config, ZUB_CONFIG_MESSAGE_ENABLED, static_cast<int>(Item->Tag()),
                                Item == ResultsPopupEnableMessage ? 1 : 0);
}

void TZUBQEForm::ResultsPopupQuickHelpClick(TObject*) {
  if (ZUBCalls.ZUBDisplayMessage != nullptr) {
    (void)ZUBCalls.ZUBDisplayMessage(reinterpret_cast<ZUBWindow>(Handle()), ZUB_QUICK_HELP, 0);
  }
}
