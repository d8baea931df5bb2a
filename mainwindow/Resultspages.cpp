// The results pages: filling the message lists and trees, the structure page, the page images, the empty states
// and the sort orders. Only the visible page is filled, and a view that already shows the document is left alone.
#include "mainwindow/Resultspages.h"

#include "core/Fileinfoclass.h"
#include "core/Linklist.h"
#include "core/Msginfoclass.h"
#include "core/Prgclass.h"
#include "core/Validatorlib.h"
#include "core/Volatileclass.h"
#include "editor/Easyeditor.h"
#include "editor/Easyeditsource.h"
#include "mainwindow/Linkspage.h"
#include "mainwindow/Quickeditmainform.h"
#include "mainwindow/Resultsmodel.h"
#include "treeview/Dcntree.h"
#include "treeview/Dcntreenode.h"
#include "treeview/Dcntreenodes.h"

#include "platform/controls/ComCtrls.h"
#include "platform/controls/ExtCtrls.h"

#include <algorithm>
#include <cstdio>
#include <cmath>
#include <cstdlib>
#include <strings.h>
#include <unordered_map>

namespace {

bool ShuttingDown() { return prg == nullptr || prg->volatileState == nullptr || prg->volatileState->shuttingDown != 0; }

NativeInt Key(fileinfoclass* D) { return reinterpret_cast<NativeInt>(D); }

// Empties the shared message text store shown by the message pane.
void EmptyMessagePane() {
  TEasyEditSource* Source =
      prg != nullptr && prg->volatileState != nullptr ? prg->volatileState->resultsMessageSource : nullptr;
  if (Source == nullptr) {
    return;
  }
  Source->SetReadOnly(false);
  Source->Clear();
  Source->SetReadOnly(true);
}

void ShowEmptyPanel(TPanel* Panel, TControl* View, const char* Text) {
  if (View != nullptr) {
    View->Hide();
  }
  if (Panel != nullptr) {
    Panel->SetCaption(Text);
    Panel->SetAlign(alClient);
    Panel->Show();
  }
}

void ShowView(TPanel* Panel, TControl* View) {
  if (Panel != nullptr) {
    Panel->Hide();
  }
  if (View != nullptr) {
    View->Show();
  }
}

// The cursor shows the hourglass for as long as it lives.
class BusyCursor {
public:
  explicit BusyCursor(TZUBQEForm* F) : Form(F) { Form->SetBusyCursor(true); }
  ~BusyCursor() { Form->SetBusyCursor(false); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

private:
  TZUBQEForm* Form;
};

msginfoclass* MessageAt(fileinfoclass* D, int I) { return static_cast<msginfoclass*>(D->messages.getPointer(I)); }

int FirstClassImage(fileinfoclass* D, int FirstTag) {
  if (D == nullptr || D->resultHandle < 0) {
    return PAGEIMAGE_NONE;
  }
  for (int C = 0; C < 4; ++C) {
    if (MessageTag(D, FirstTag + C) > 0) {
      return C;
    }
  }
  return PAGEIMAGE_NONE;
}

// The tree pages share one routine: Which is 0 Grouped Messages, 1 Styles, 2 Accessibility.
int FillTreePage(fileinfoclass* D, int Flags, int Which) {
  TZUBQEForm* F = ZUBQEForm;
  if (F == nullptr) {
    return FILL_NO_VIEW;
  }
  ZEZTree* Tree = Which == 0 ? F->ResultsTreeView : Which == 1 ? F->StyleMessagesTreeView : F->AccessibilityTreeView;
  TPanel* Panel = Which == 0 ? F->TreeViewPanel : Which == 1 ? F->StylesPanel : F->AccessibilityPanel;
  if (Tree == nullptr) {
    return FILL_NO_VIEW;
  }
  if ((Flags & SHOW_FORCE) != 0) {
    Tree->SetTag(0);
  }
  if (D != nullptr && Tree->Tag() == Key(D)) {
    return FILL_ALREADY_SHOWN;
  }
  if ((Flags & SHOW_SYNC_LINES) != 0 && D != nullptr) {
    (void)SyncMessageLines(D);
  }
  Tree->Items()->Clear();
  Tree->SetTag(0);
  if (D == nullptr || D->resultHandle < 0) {
    ShowEmptyPanel(Panel, Tree, EMPTY_MESSAGES_TEXT);
    EmptyMessagePane();
    return FILL_EMPTY_STATE;
  }
  ShowView(Panel, Tree);
  ZEZTreeNodes* Nodes = Tree->Items();
  Nodes->BeginUpdate();
  BusyCursor Busy(F);
  (void)ReadResults(D, READ_MESSAGES);
  const int ListIndex = Which == 0 ? CATEGORIES_PLAIN : Which == 1 ? CATEGORIES_STYLE : CATEGORIES_ACCESSIBILITY;
  PointerArrayManager& Categories = D->stringLists[ListIndex];
  std::unordered_map<std::string, ZEZTreeNode*> Groups;
  for (int I = 0; I < Categories.getCount(); ++I) {
    auto* Name = static_cast<StrStore*>(Categories.getPointer(I));
    if (Name == nullptr) {
      continue;
    }
    ZEZTreeNode* Node = Nodes->AddObject(nullptr, Name->text, nullptr);
    Node->SetImageIndex(-1);
    Node->SetSelectedIndex(-1);
    Node->SetStateIndex(-1);
    Node->SetOverlayIndex(-1);
    TFontStyles Style = Node->GetFontStyle();
    Style.Include(fsBold);
    Node->SetFontStyle(Style);
    Groups.emplace(Name->text, Node);  // the first node of a text is the one messages join
  }
  for (int I = 0; I < D->messages.getCount(); ++I) {
    msginfoclass* M = MessageAt(D, I);
    if (M == nullptr) {
      continue;
    }
    const bool Belongs = Which == 0   ? (M->category.length > 0 && (M->kind & MSGKIND_STYLE) == 0)
                         : Which == 1 ? (M->kind & MSGKIND_STYLE) != 0
                                      : (M->kind & MSGKIND_ACCESSIBILITY) != 0;
    if (!Belongs) {
      continue;
    }
    const auto It = Groups.find(M->category.text);
    if (It == Groups.end()) {
      continue;
    }
    ZEZTreeNode* Group = It->second;
    ZEZTreeNode* Child = Nodes->AddChildObject(Group, M->text.text, M);
    Child->SetImageIndex(M->classindex);
    Child->SetSelectedIndex(M->classindex);
    Child->SetParentFont(true);
    if (Group->ImageIndex() < 0 || M->classindex < Group->ImageIndex()) {
      Group->SetImageIndex(M->classindex);
      Group->SetSelectedIndex(M->classindex);
    }
  }
  Tree->SetTag(Key(D));
  Tree->SetSelected(nullptr);
  Tree->FullExpand();
  if (ZEZTreeNode* First = Nodes->GetFirstNode()) {
    Tree->SetTopItem(First);
  }
  Nodes->EndUpdate();
  return FILL_DONE;
}

// Stable sort of a list's rows by a comparison of their indexes' keys.
template <class Less>
void SortRows(TListView* List, Less&& L) {
  const int N = List->Items()->Count();
  std::vector<int> Order(static_cast<std::size_t>(N));
  for (int I = 0; I < N; ++I) {
    Order[static_cast<std::size_t>(I)] = I;
  }
  std::stable_sort(Order.begin(), Order.end(), L);
  (void)List->SortByOrder(Order);  // the order is a permutation of the rows: it cannot be refused
}

std::string SubItem(TListItem* Item, int Index) {
  TStrings* Sub = Item->SubItems();
  return Index < Sub->Count() ? Sub->Strings(Index) : std::string();
}

int LineKey(const std::string& Text) { return Text.empty() ? 999999999 : std::atoi(Text.c_str()); }

}  // namespace

int TypeCaptionRank(const std::string& Caption) {
  if (Caption == "Error") {
    return 1;
  }
  if (Caption == "Warning") {
    return 2;
  }
  if (Caption == "Message") {
    return 3;
  }
  if (Caption == "Comment") {
    return 4;
  }
  return -1;
}

int NextSortWord(int Current, int Column, const std::vector<int>& FirstWords) {
  if (Column < 0 || Column >= static_cast<int>(FirstWords.size())) {
    return Current;
  }
  const int First = FirstWords[static_cast<std::size_t>(Column)];
  const int ColumnBits = First & ~(SORT_ASCENDING | SORT_CHOSEN);
  const int CurrentBits = Current & ~(SORT_ASCENDING | SORT_CHOSEN);
  if (ColumnBits == CurrentBits && (Current & SORT_CHOSEN) == (First & SORT_CHOSEN)) {
    return Current ^ SORT_ASCENDING;
  }
  return First;
}

void SortMessagesList(TListView* List, int Word) {
  if (List == nullptr || (Word & SORT_CHOSEN) == 0) {
    return;
  }
  TListItems* Items = List->Items();
  const bool Up = (Word & SORT_ASCENDING) != 0;
  const int N = Items->Count();
  if ((Word & SORT_MSG_TYPE) != 0) {
    std::vector<int> Rank(static_cast<std::size_t>(N));
    for (int I = 0; I < N; ++I) {
      Rank[static_cast<std::size_t>(I)] = TypeCaptionRank(Items->Item(I)->Caption());
    }
    SortRows(List, [&](int A, int B) {
      return Up ? Rank[static_cast<std::size_t>(A)] < Rank[static_cast<std::size_t>(B)]
                : Rank[static_cast<std::size_t>(A)] > Rank[static_cast<std::size_t>(B)];
    });
  } else if ((Word & SORT_MSG_LINE) != 0) {
    std::vector<int> Line(static_cast<std::size_t>(N));
    for (int I = 0; I < N; ++I) {
      Line[static_cast<std::size_t>(I)] = LineKey(SubItem(Items->Item(I), 0));
    }
    SortRows(List, [&](int A, int B) {
      return Up ? Line[static_cast<std::size_t>(A)] < Line[static_cast<std::size_t>(B)]
                : Line[static_cast<std::size_t>(A)] > Line[static_cast<std::size_t>(B)];
    });
  } else if ((Word & SORT_MSG_TEXT) != 0) {
    std::vector<std::string> Text(static_cast<std::size_t>(N));
    std::vector<int> Line(static_cast<std::size_t>(N));
    for (int I = 0; I < N; ++I) {
      Text[static_cast<std::size_t>(I)] = SubItem(Items->Item(I), 1);
      Line[static_cast<std::size_t>(I)] = LineKey(SubItem(Items->Item(I), 0));
    }
    SortRows(List, [&](int A, int B) {
      int C = ::strcasecmp(Text[static_cast<std::size_t>(A)].c_str(), Text[static_cast<std::size_t>(B)].c_str());
      if (C == 0) {
        C = Line[static_cast<std::size_t>(A)] - Line[static_cast<std::size_t>(B)];
      }
      return Up ? C < 0 : C > 0;
    });
  }
}

void SortTagCountList(TListView* List, int Word) {
  if (List == nullptr) {
    return;
  }
  TListItems* Items = List->Items();
  const bool Up = (Word & SORT_ASCENDING) != 0;
  const int N = Items->Count();
  if ((Word & SORT_TAG_NAME) != 0) {
    SortRows(List, [&](int A, int B) {
      const int C = ::strcasecmp(Items->Item(A)->Caption().c_str(), Items->Item(B)->Caption().c_str());
      return Up ? C < 0 : C > 0;
    });
    return;
  }
  const int Column = (Word & SORT_TAG_USED) != 0      ? 0
                     : (Word & SORT_TAG_OPENED) != 0  ? 1
                     : (Word & SORT_TAG_CLOSED) != 0  ? 2
                     : (Word & SORT_TAG_PERCENT) != 0 ? 3
                                                      : -1;
  if (Column < 0) {
    return;
  }
  std::vector<long> Keys(static_cast<std::size_t>(N));
  for (int I = 0; I < N; ++I) {
    const std::string T = SubItem(Items->Item(I), Column);
    Keys[static_cast<std::size_t>(I)] =
        Column == 3 ? (T == "-" ? -1 : std::lround(std::atof(T.c_str()) * 100)) : std::atol(T.c_str());
  }
  SortRows(List, [&](int A, int B) {
    return Up ? Keys[static_cast<std::size_t>(A)] < Keys[static_cast<std::size_t>(B)]
              : Keys[static_cast<std::size_t>(A)] > Keys[static_cast<std::size_t>(B)];
  });
}

int FillMessagesPage(fileinfoclass* D, int Flags) {
  TZUBQEForm* F = ZUBQEForm;
  if (F == nullptr || F->ResultsListView == nullptr) {
    return FILL_NO_VIEW;
  }
  TListView* List = F->ResultsListView;
  if ((Flags & SHOW_FORCE) != 0) {
    List->SetTag(0);
  }
  if (D != nullptr && List->Tag() == Key(D)) {
    return FILL_ALREADY_SHOWN;
  }
  if ((Flags & SHOW_SYNC_LINES) != 0 && D != nullptr) {
    (void)SyncMessageLines(D);
  }
  TListItems* Items = List->Items();
  Items->BeginUpdate();
  Items->Clear();
  List->SetTag(0);
  if (D == nullptr || D->resultHandle < 0) {
    ShowEmptyPanel(F->MessagesPanel, List, EMPTY_MESSAGES_TEXT);
    EmptyMessagePane();
    Items->EndUpdate();
    return FILL_EMPTY_STATE;
  }
  ShowView(F->MessagesPanel, List);
  List->Repaint();
  (void)ReadResults(D, READ_MESSAGES);
  BusyCursor Busy(F);
  const int N = D->messages.getCount();
  Items->SetCapacity(N);
  for (int I = 0; I < N; ++I) {
    msginfoclass* M = MessageAt(D, I);
    if (M == nullptr || M->listed != 1) {
      continue;
    }
    TListItem* Row = Items->Add();
    Row->SetCaption(M->typetext.text);
    Row->SubItems()->Add(M->linetext.text);
    Row->SubItems()->Add(M->text.text);
    Row->Data = M;
    if (M->classindex >= 0) {
      Row->SetImageIndex(M->classindex);
    }
  }
  List->SetTag(Key(D));
  SortMessagesList(List, D->sortModes[SORTWORD_MESSAGES]);
  Items->EndUpdate();
  return FILL_DONE;
}

int FillGroupedMessagesPage(fileinfoclass* D, int Flags) { return FillTreePage(D, Flags, 0); }
int FillStylesPage(fileinfoclass* D, int Flags) { return FillTreePage(D, Flags, 1); }
int FillAccessibilityPage(fileinfoclass* D, int Flags) { return FillTreePage(D, Flags, 2); }

int FillStructurePage(fileinfoclass* D, int Flags) {
  TZUBQEForm* F = ZUBQEForm;
  if (F == nullptr || F->TagCountListView == nullptr) {
    return FILL_NO_VIEW;
  }
  TListView* List = F->TagCountListView;
  if ((Flags & SHOW_FORCE) != 0) {
    List->SetTag(0);
  }
  if (D != nullptr && List->Tag() == Key(D)) {
    return FILL_ALREADY_SHOWN;
  }
  TListItems* Items = List->Items();
  Items->BeginUpdate();
  Items->Clear();
  List->SetTag(0);
  TCustomEasyEditSource* Structure =
      D != nullptr && D->structureText != nullptr
          ? D->structureText
          : (prg != nullptr && prg->volatileState != nullptr ? prg->volatileState->structurePlaceholderSource
                                                             : nullptr);
  for (TEasyEdit* Edit : {F->StructureEdit, F->StructureEdit2}) {
    if (Edit != nullptr && Structure != nullptr) {
      Edit->SetEditSource(Structure);
    }
  }
  if (D == nullptr || D->resultHandle < 0) {
    Items->EndUpdate();
    List->Hide();
    if (F->StructurePanel != nullptr) {
      F->StructurePanel->SetCaption(EMPTY_STRUCTURE_TEXT);
      F->StructurePanel->Show();
    }
    return FILL_EMPTY_STATE;
  }
  List->Show();
  const int H = D->resultHandle;
  if (ZUBCalls.ZUBSetInteger != nullptr) {
    (void)ZUBCalls.ZUBSetInteger(H, ZUB_RESULT_STRUCTURE_OPTION, 1);
  }
  const int Rows = ZUBCalls.ZUBGetIntegerEZ != nullptr ? ZUBCalls.ZUBGetIntegerEZ(H, ZUB_RESULT_TAG_STATS) : 0;
  for (int I = 0; I < Rows; ++I) {
    const char* Name = ZUBCalls.ZUBGetString2 != nullptr ? ZUBCalls.ZUBGetString2(H, ZUB_RESULT_TAG_NAME, I) : nullptr;
    if (Name == nullptr) {
      continue;
    }
    const int Used = ZUBCalls.ZUBGetInteger2EZ(H, ZUB_TAG_USED, I);
    const int Opened = ZUBCalls.ZUBGetInteger2EZ(H, ZUB_TAG_OPENED, I);
    const int Closed = ZUBCalls.ZUBGetInteger2EZ(H, ZUB_TAG_CLOSED, I);
    char Percent[32] = "-";
    if (Opened != 0) {
      std::snprintf(Percent, sizeof Percent, "%.2f", static_cast<double>(Closed) / Opened * 100.0);
    }
    TListItem* Row = Items->Add();
    Row->SetCaption(Name);
    Row->SubItems()->Add(std::to_string(Used));
    Row->SubItems()->Add(std::to_string(Opened));
    Row->SubItems()->Add(std::to_string(Closed));
    Row->SubItems()->Add(Percent);
  }
  List->SetTag(Key(D));
  SortTagCountList(List, D->sortModes[SORTWORD_TAGS]);
  Items->EndUpdate();
  return FILL_DONE;
}

void UpdateMessagesPageImage(fileinfoclass* D) {
  TZUBQEForm* F = ZUBQEForm;
  if (F == nullptr) {
    return;
  }
  const std::pair<TTabSheet*, int> Pages[] = {{F->MessagesSheet, MSGTAG_LISTED},
                                              {F->TreeViewSheet, MSGTAG_GROUPED},
                                              {F->StylesSheet, MSGTAG_STYLES},
                                              {F->AccessibilitySheet, MSGTAG_ACCESSIBILITY}};
  for (const auto& [Sheet, Tag] : Pages) {
    if (Sheet != nullptr) {
      Sheet->SetImageIndex(FirstClassImage(D, Tag));
    }
  }
}

int ShowResults(fileinfoclass* D, int Flags) {
  if (ShuttingDown()) {
    return SHOW_SHUTTING_DOWN;
  }
  TZUBQEForm* F = ZUBQEForm;
  if (F == nullptr || F->ResultsPageControl == nullptr) {
    return FILL_NO_VIEW;
  }
  TTabSheet* Active = F->ResultsPageControl->ActivePage();
  const bool MessagePage = Active == F->MessagesSheet || Active == F->TreeViewSheet || Active == F->StylesSheet ||
                           Active == F->AccessibilitySheet;
  const bool LinkSummary = (Flags & SHOW_SELECT_AND_COUNT) != 0 && Active == F->LinksSheet;
  const bool Counts = (Flags & SHOW_SELECT_AND_COUNT) != 0 && MessagePage;
  if (D != nullptr) {
    (void)ReadResults(D, READ_LINK_LIST | READ_LINKS_IF_UNBUILT);
    (void)ReadResults(D, READ_MESSAGES);
    (void)ReadLinkStatuses(D->resultLists, (Flags & SHOW_FRESH_STATUSES) != 0 ? 3 : 1);
  }
  const int Sub = Flags & (SHOW_SYNC_LINES | SHOW_FORCE);
  const bool Structure =
      F->ResourcePageControl != nullptr && F->ResourcePageControl->ActivePage() == F->Structure2Sheet;
  std::vector<int (*)(fileinfoclass*, int)> Steps;
  if (Structure || Active == F->StructureSheet) {
    Steps.push_back(FillStructurePage);
  }
  if (Active == F->LinksSheet || (Flags & SHOW_LINKS) != 0) {
    Steps.push_back(FillLinksPage);
  }
  if (Active == F->MessagesSheet) {
    Steps.push_back(FillMessagesPage);
  } else if (Active == F->TreeViewSheet) {
    Steps.push_back(FillGroupedMessagesPage);
  } else if (Active == F->StylesSheet) {
    Steps.push_back(FillStylesPage);
  } else if (Active == F->AccessibilitySheet) {
    Steps.push_back(FillAccessibilityPage);
  }
  int Result = FILL_DONE;
  for (auto* Step : Steps) {
    Result = Step(D, Sub);
    if (Result < 0) {
      break;
    }
  }
  if (Result >= 0 && LinkSummary) {
    ShowLinkSummary(D, 1);
  }
  if (Result >= 0 && Counts) {
    F->ShowResultCounts(0);
  }
  UpdateMessagesPageImage(D);
  UpdateLinksPageImage(D, 1);
  if ((Flags & SHOW_SELECT_AND_COUNT) != 0) {
    if (Active == F->TreeViewSheet) {
      (void)F->SelectMessage(nullptr, 0x19);
    } else if (Active == F->StylesSheet) {
      (void)F->SelectMessage(nullptr, 0x1C);
    } else if (Active == F->AccessibilitySheet) {
      (void)F->SelectMessage(nullptr, 0x38);
    } else if (Active == F->MessagesSheet) {
      (void)F->SelectMessage(nullptr, 0x1A);
    }
  }
  return Result;
}

bool ClearResultViews(fileinfoclass* D) {
  TZUBQEForm* F = ZUBQEForm;
  if (F == nullptr || D == nullptr) {
    return false;
  }
  bool Cleared = false;
  for (TListView* List : {F->ResultsListView, F->LinksListView, F->TagCountListView}) {
    if (List != nullptr && List->Tag() == Key(D)) {
      List->Items()->Clear();
      List->SetTag(0);
      Cleared = true;
    }
  }
  for (ZEZTree* Tree : {F->ResultsTreeView, F->StyleMessagesTreeView, F->AccessibilityTreeView}) {
    if (Tree != nullptr && Tree->Tag() == Key(D)) {
      Tree->Items()->Clear();
      Tree->SetTag(0);
      Cleared = true;
    }
  }
  // The structure editors may show the document's structure text, which is about to go.
  TEasyEditSource* Placeholder =
      prg != nullptr && prg->volatileState != nullptr ? prg->volatileState->structurePlaceholderSource : nullptr;
  for (TEasyEdit* Edit : {F->StructureEdit, F->StructureEdit2}) {
    if (Edit != nullptr && D->structureText != nullptr && Edit->EditSource() == D->structureText) {
      if (Placeholder != nullptr) {
        Edit->SetEditSource(Placeholder);
      }
      Cleared = true;
    }
  }
  if (Cleared) {
    EmptyMessagePane();
    if (prg != nullptr && prg->volatileState != nullptr) {
      prg->volatileState->lastResultsListItem = nullptr;
      prg->volatileState->lastResultsTreeNode = nullptr;
    }
  }
  return Cleared;
}
