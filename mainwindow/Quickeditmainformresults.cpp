// TZUBQEForm: the results pages' window side: the services the core calls, showing a document's results, the
// status counts, selecting a message, the selection and click events, sorting, the structure click and the
// results window's option toggles.
#include "mainwindow/Quickeditmainform.h"

#include "core/Fileinfoclass.h"
#include "core/Mainsetup.h"
#include "core/Msginfoclass.h"
#include "core/Prgclass.h"
#include "core/Volatileclass.h"
#include "editor/Easyeditsource.h"
#include "mainwindow/Linkspage.h"
#include "mainwindow/Resultsmodel.h"
#include "mainwindow/Resultspages.h"
#include "treeview/Dcntreenode.h"
#include "treeview/Dcntreenodes.h"

#include "platform/controls/ExtCtrls.h"
#include "platform/win/Clock.h"

#include <string>

namespace {

bool ShuttingDown() { return prg == nullptr || prg->volatileState == nullptr || prg->volatileState->shuttingDown != 0; }

// Mutes the selection events while the program itself selects.
class SelectionMute {
public:
  SelectionMute() {
    if (prg != nullptr && prg->volatileState != nullptr) {
      ++prg->volatileState->selectionGuard;
    }
  }
  ~SelectionMute() {
    if (prg != nullptr && prg->volatileState != nullptr) {
      --prg->volatileState->selectionGuard;
    }
  }
  SelectionMute(const SelectionMute&) = delete;
  SelectionMute& operator=(const SelectionMute&) = delete;
};

bool Muted() { return prg != nullptr && prg->volatileState != nullptr && prg->volatileState->selectionGuard > 0; }

void AppendCount(std::string& S, int N, const char* Noun) {
  S += std::to_string(N);
  S += ' ';
  S += Noun;
  if (N != 1) {
    S += 's';
  }
}

void ToggleInterfaceFlag2(IF2::B Bit) {
  if (prg != nullptr && prg->interface != nullptr) {
    prg->interface->flags2.toggle(Bit);
  }
}

}  // namespace

// ---- Services -----------------------------------------------------------------------------------------------------

void TZUBQEForm::ReadResults(fileinfoclass* Document, int Flags) { (void)::ReadResults(Document, Flags); }
void TZUBQEForm::ShowResults(fileinfoclass* Document, int Flags) { (void)::ShowResults(Document, Flags); }
bool TZUBQEForm::ClearResultViews(fileinfoclass* Document) { return ::ClearResultViews(Document); }
void TZUBQEForm::UpdateMessagesPageImage(fileinfoclass* Document, int) { ::UpdateMessagesPageImage(Document); }
void TZUBQEForm::FillLinksPage(fileinfoclass* Document, int Flags) { (void)::FillLinksPage(Document, Flags); }
void TZUBQEForm::UpdateLinksPageImage(fileinfoclass* Document, int Flags) { ::UpdateLinksPageImage(Document, Flags); }
int TZUBQEForm::ApplyMessageLineStyles(fileinfoclass* Document, int) { return ::ApplyMessageLineStyles(Document); }

// ---- Showing results ----------------------------------------------------------------------------------------------

int TZUBQEForm::ShowDocumentResults(fileinfoclass* Document, int Flags) {
  if (ShuttingDown()) {
    return 3;
  }
  if (!ResultsAreaShown()) {
    return 1;
  }
  (void)::ShowResults(Document, Flags & 0x27);
  return 0;
}

void TZUBQEForm::ShowResultCounts(int) {
  if (ShuttingDown()) {
    return;
  }
  fileinfoclass* D = GetCurrentFile();
  const bool LinksActive = ResultsPageControl != nullptr && ResultsPageControl->ActivePage() == LinksSheet;
  if (LinksActive) {
    ShowLinkSummary(D, 1);
    return;
  }
  if (D == nullptr || D->resultHandle < 0) {
    (void)SetStatusText("");
    return;
  }
  std::string S;
  AppendCount(S, D->GetResultCount(COUNT_ERRORS), "error");
  S += ", ";
  AppendCount(S, D->GetResultCount(COUNT_WARNINGS), "warning");
  S += ", ";
  AppendCount(S, D->GetResultCount(COUNT_PLAIN_MESSAGES), "message");
  S += ", ";
  AppendCount(S, D->GetResultCount(COUNT_COMMENTS), "comment");
  S += '.';
  (void)SetStatusText(S.c_str());
}

int TZUBQEForm::SelectMessage(msginfoclass* Message, int Flags) {
  if (Message == nullptr && (Flags & SELECT_RESOLVE) != 0) {
    if ((Flags & SELECT_FROM_LIST) != 0 && ResultsListView != nullptr) {
      if (TListItem* Item = ResultsListView->Selected()) {
        Message = static_cast<msginfoclass*>(Item->Data);
      }
    } else {
      ZEZTree* Tree = (Flags & SELECT_FROM_TREE) != 0       ? ResultsTreeView
                      : (Flags & SELECT_FROM_STYLES) != 0   ? StyleMessagesTreeView
                      : (Flags & SELECT_FROM_ACCESSIBILITY) ? AccessibilityTreeView
                                                            : nullptr;
      if (Tree != nullptr && Tree->Selected() != nullptr) {
        Message = static_cast<msginfoclass*>(Tree->Selected()->Data());
      }
    }
  }
  if (Message == nullptr) {
    return 1;
  }
  if (TEasyEditSource* Pane = prg->volatileState->resultsMessageSource) {
    Pane->SetReadOnly(false);
    Pane->Clear();
    Pane->AddString(0, Message->text.text);
    Pane->SetReadOnly(true);
  }
  if ((Flags & SELECT_TEXT_ONLY) != 0 || Message->bookmark < 0 || CurrentEditor == nullptr) {
    return 0;
  }
  TCustomEasyEditSource* Source = CurrentEditor->GetEditSource();
  Source->GoToBookmark(Message->bookmark);
  const int Line = Source->CurrentPosition.Y;
  if (Message->charpos > 0) {
    Source->JumpTo(Source->GetRealPos(Line, Message->charpos - 1), Line);
  }
  if (Message->marklength > 0) {
    const int From = Source->CurrentPosition.X;
    const int Length = Source->LineLength(Line);
    int To = From + Message->marklength;
    if (To > Length) {
      To = Length < From ? From : Length;
    }
    const TRect Span{From, Line, To, Line};
    if (prg->interface->flags2.has(IF2::SelectMessageText)) {
      CurrentEditor->SetSelection(Span, slStream);
    } else {
      CurrentEditor->SetSearchRect(Span);
    }
  }
  SaveScrollPositions();
  return 0;
}

// ---- Events ---------------------------------------------------------------------------------------------------------

void TZUBQEForm::FocusCurrentEditor() {
  if (CurrentEditor != nullptr) {
    (void)SafeSetFocus(CurrentEditor);  // a hidden window takes no focus; nothing to report
  }
}

void TZUBQEForm::ResultsListViewSelectItem(TObject* Sender, TListItem* Item, bool Selected) {
  if (ShuttingDown() || !Selected || Muted() || Item == nullptr) {
    return;
  }
  prg->volatileState->lastResultsListItem = Item;
  (void)SelectMessage(static_cast<msginfoclass*>(Item->Data), Sender != nullptr ? SELECT_FROM_LIST : 0x0A);
}

void TZUBQEForm::ResultsTreeViewChange(TObject* Sender, ZEZTreeNode* Node) {
  if (ShuttingDown() || Muted() || Node == nullptr) {
    return;
  }
  prg->volatileState->lastResultsTreeNode = Node;
  if (auto* M = static_cast<msginfoclass*>(Node->Data())) {
    (void)SelectMessage(M, Sender != nullptr ? SELECT_FROM_TREE : 9);
  }
}

void TZUBQEForm::SelectQuietly(TListItem* Item, ZEZTreeNode* Node) {
  SelectionMute Mute;
  if (Item != nullptr) {
    ResultsListView->SetSelected(Item);
  }
  if (Node != nullptr && Node->TreeView() != nullptr) {
    Node->TreeView()->SetSelected(Node);
  }
}

void TZUBQEForm::MessageClick(TObject* Sender) {
  try {
    if (Sender == ResultsListView && ResultsListView != nullptr && ResultsListView->Selected() == nullptr) {
      auto* Last = static_cast<TListItem*>(prg->volatileState->lastResultsListItem);
      if (Last != nullptr && ResultsListView->Items()->IndexOf(Last) >= 0) {
        SelectQuietly(Last, nullptr);
      }
      return;
    }
    auto* Tree = dynamic_cast<ZEZTree*>(Sender);
    if (Tree != nullptr && Tree->Selected() == nullptr) {
      auto* Last = static_cast<ZEZTreeNode*>(prg->volatileState->lastResultsTreeNode);
      for (ZEZTreeNode* N = Tree->Items()->GetFirstNode(); N != nullptr && Last != nullptr; N = N->GetNext()) {
        if (N == Last) {
          SelectQuietly(nullptr, N);
          break;
        }
      }
    }
  } catch (const Exception&) {
    // A row or node that went away meanwhile leaves the selection as it is.
  }
}

void TZUBQEForm::ResultsListViewClick(TObject* Sender) {
  MessageClick(Sender);
  if (prg->interface->flags2.has(IF2::SingleClickMessages)) {
    FocusCurrentEditor();
  }
}

void TZUBQEForm::ResultsTreeViewClick(TObject* Sender) { ResultsListViewClick(Sender); }

void TZUBQEForm::ResultsListViewDblClick(TObject* Sender) {
  MessageClick(Sender);
  FocusCurrentEditor();
}

void TZUBQEForm::ResultsTreeViewDblClick(TObject* Sender) { ResultsListViewDblClick(Sender); }

void TZUBQEForm::ResultsListViewEnter(TObject*) {
  if (ResultsListView != nullptr) {
    ResultsListView->ClearSelection();
  }
}

void TZUBQEForm::ResultsTreeViewRightClickNode(TObject*, ZEZTreeNode*, TRightClickAction& Action) {
  Action = raMakeSelected;
}

void TZUBQEForm::ResultsPageControlChange(TObject*) {
  if (ShuttingDown()) {
    return;
  }
  (void)::ShowResults(GetCurrentFile(), SHOW_SYNC_LINES | SHOW_SELECT_AND_COUNT);
  if (prg->interface->flags2.has(IF2::SingleClickMessages)) {
    FocusCurrentEditor();
  }
}

void TZUBQEForm::ResultsListRefreshClick(TObject*) {
  (void)ShowDocumentResults(GetCurrentFile(), 0x27);
  FocusCurrentEditor();
}

void TZUBQEForm::ResultsListClearClick(TObject*) {
  if (fileinfoclass* D = GetCurrentFile()) {
    (void)D->ClearResults(CLEAR_RESULTS | CLEAR_SHOW_AGAIN);
  }
  FocusCurrentEditor();
}

void TZUBQEForm::ResultsListViewColumnClick(TObject*, TListColumn* Column) {
  fileinfoclass* D = GetCurrentFile();
  if (D == nullptr || Column == nullptr || ResultsListView == nullptr) {
    return;
  }
  // The chosen mark is part of every first-click word, so that a first click on a column always sorts.
  int& Word = D->sortModes[SORTWORD_MESSAGES];
  Word = NextSortWord(Word | SORT_CHOSEN, Column->Index(), {3 | SORT_CHOSEN, 9 | SORT_CHOSEN, 0x11 | SORT_CHOSEN});
  ResultsListView->Items()->BeginUpdate();
  SortMessagesList(ResultsListView, Word);
  ResultsListView->Items()->EndUpdate();
}

void TZUBQEForm::TagCountListViewColumnClick(TObject*, TListColumn* Column) {
  fileinfoclass* D = GetCurrentFile();
  if (D == nullptr || Column == nullptr || TagCountListView == nullptr) {
    return;
  }
  int& Word = D->sortModes[SORTWORD_TAGS];
  Word = NextSortWord(Word, Column->Index(), {3, 0x20, 4, 8, 0x10});
  TagCountListView->Items()->BeginUpdate();
  SortTagCountList(TagCountListView, Word);
  TagCountListView->Items()->EndUpdate();
}

void TZUBQEForm::StructureEdit2MouseUp(TObject* Sender, TMouseButton, TShiftState, int, int) {
  auto* View = dynamic_cast<TEasyEdit*>(Sender);
  fileinfoclass* D = GetCurrentFile();
  if (View == nullptr || D == nullptr || CurrentEditor == nullptr) {
    FocusCurrentEditor();
    return;
  }
  Application->ProcessMessages();
  const int StructureLine = View->GetCurrentPosition().Y;
  const int Line = D->GetStructureSourcePos(StructureLine, STRUCTURE_LINE);
  const int Char = D->GetStructureSourcePos(StructureLine, STRUCTURE_CHAR);
  if (Line <= 0) {
    FocusCurrentEditor();
    return;
  }
  TCustomEasyEditSource* Source = CurrentEditor->GetEditSource();
  Source->JumpTo(Char > 0 ? Char - 1 : 0, Line - 1);
  SaveScrollPositions();
  // The structure view marks the clicked line; the document editor flashes the target line.
  TCustomEasyEditSource* StructureSource = View->GetEditSource();
  (void)::ClearLineStyles(StructureSource);
  int StructStyle = View->LineStyles()->Count() > 0 ? 0 : -1;
  if (StructStyle < 0) {
    AddLineStyles(View, LINESTYLES_STRUCTURE);
    StructStyle = 0;
  }
  StructureSource->SetLineStyle(StructureLine, StructStyle);
  const int Previous = Source->GetLineStyle(Line - 1);
  Source->SetLineStyle(Line - 1, LINESTYLE_STRUCT);
  CurrentEditor->Repaint();
  if (StructureMarkWait) {
    StructureMarkWait(200);
  } else {
    Sleep(200);
  }
  Source->SetLineStyle(Line - 1, Previous);
  FocusCurrentEditor();
}

// ---- Results window options ---------------------------------------------------------------------------------------

void TZUBQEForm::ResultsWindowMsgSingleClickBtnClick(TObject*) {
  ToggleInterfaceFlag2(IF2::SingleClickMessages);
  (void)ApplyViewSettings(0);
}

void TZUBQEForm::ResultsWindowShowToolTipsClick(TObject*) {
  ToggleInterfaceFlag2(IF2::MessageToolTips);
  (void)ApplyViewSettings(0);
}

void TZUBQEForm::ResultsWindowSelectBtnClick(TObject*) {
  ToggleInterfaceFlag2(IF2::SelectMessageText);
  (void)ApplyViewSettings(0);
}

void TZUBQEForm::ViewWrapBookmarkClick(TObject*) {
  if (prg != nullptr && prg->interface != nullptr) {
    prg->interface->flags3.toggle(IF3::WrapSymbol);
  }
  (void)ApplyViewSettings(0);
}
