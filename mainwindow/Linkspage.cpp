// The Links page: its rows, the summary on the status bar, the page image and the sort orders.
#include "mainwindow/Linkspage.h"

#include "core/Filestore.h"
#include "core/Fileinfoclass.h"
#include "core/Linklist.h"
#include "core/Prgclass.h"
#include "mainwindow/Quickeditmainform.h"
#include "mainwindow/Resultsmodel.h"
#include "mainwindow/Resultspages.h"

#include "platform/controls/ComCtrls.h"
#include "platform/controls/ExtCtrls.h"
#include "platform/controls/StdCtrls.h"

#include <algorithm>
#include <cstdlib>
#include <strings.h>
#include <vector>

namespace {

// A count the list has not stored yet (a list without links has no status counts) is 0.
int Tag(PointerArrayManager* List, int Index) {
  const int Value = List != nullptr && List->tags != nullptr ? List->tags->getInt(Index) : 0;
  return Value > 0 ? Value : 0;
}

bool Built(PointerArrayManager* List) { return Tag(List, LINKS_TAG_BUILT) != 0; }

const char* Extra(StrStoreEx* E, int Index) {
  const char* T = E->getExtraString(Index);
  return T != nullptr ? T : "[error]";
}

void AppendCount(StrStore& S, int Count, const char* Words, bool Plural) {
  S.appendInt(Count).append(Words);
  if (Plural && Count != 1) {
    S.append("s");
  }
}

int StatusRank(int Image) {
  switch (Image) {
    case 0: return 1;
    case 1: return 2;
    case 3: return 4;
    default: return 3;
  }
}

std::string Sub(TListItem* Item, int Index) {
  TStrings* S = Item->SubItems();
  return Index < S->Count() ? S->Strings(Index) : std::string();
}

}  // namespace

int LinkStatusImage(int Status) {
  switch (Status) {
    case LINK_BAD: return 0;
    case LINK_WARNING: return 1;
    case LINK_GOOD: return 3;
    default: return 2;
  }
}

StrStore LinkSummaryText(PointerArrayManager* Links) {
  StrStore S;
  if (!Built(Links)) {
    return S;
  }
  AppendCount(S, Tag(Links, LINKS_TAG_BAD), " bad link", true);
  S.append(", ");
  AppendCount(S, Tag(Links, LINKS_TAG_WARNING), " warning link", true);
  S.append(", ");
  AppendCount(S, Tag(Links, LINKS_TAG_GOOD), " good link", true);
  S.append(", ");
  AppendCount(S, Tag(Links, LINKS_TAG_NOT_CHECKED), " link", true);
  S.append(" not checked, ");
  AppendCount(S, Tag(Links, LINKS_TAG_TOTAL), " total link", true);
  S.append(".");
  return S;
}

void ShowLinkSummary(fileinfoclass* Document, int Flags) {
  if ((Flags & 1) == 0 || Document == nullptr || !Built(Document->resultLists) || ZUBQEForm == nullptr) {
    return;
  }
  ZUBQEForm->SetStatusText(LinkSummaryText(Document->resultLists));
}

void UpdateLinksPageImage(fileinfoclass* Document, int Flags) {
  TZUBQEForm* F = ZUBQEForm;
  if ((Flags & 1) == 0 || F == nullptr || F->LinksSheet == nullptr) {
    return;
  }
  int Image = PAGEIMAGE_NONE;
  if (Document != nullptr && Document->resultHandle >= 0) {
    if ((Flags & 2) != 0) {
      (void)ReadResults(Document, READ_LINK_LIST | READ_LINKS_IF_UNBUILT);
      (void)ReadLinkStatuses(Document->resultLists, 3);
    }
    PointerArrayManager* L = Document->resultLists;
    Image = Tag(L, LINKS_TAG_BAD) > 0           ? 0
            : Tag(L, LINKS_TAG_WARNING) > 0     ? 1
            : Tag(L, LINKS_TAG_NOT_CHECKED) > 0 ? 2
            : Tag(L, LINKS_TAG_GOOD) > 0        ? 3
                                                : PAGEIMAGE_NONE;
  }
  F->LinksSheet->SetImageIndex(Image);
}

void SortLinksList(TListView* List, int Word) {
  if (List == nullptr) {
    return;
  }
  TListItems* Items = List->Items();
  const int N = Items->Count();
  const bool Up = (Word & SORT_ASCENDING) != 0;
  std::vector<int> Order(static_cast<std::size_t>(N));
  for (int I = 0; I < N; ++I) {
    Order[static_cast<std::size_t>(I)] = I;
  }
  auto OrderOf = [&](int I) { return std::atoi(Items->Item(I)->Caption().c_str()); };
  if ((Word & SORT_LINK_ORDER) != 0) {
    std::stable_sort(Order.begin(), Order.end(),
                     [&](int A, int B) { return Up ? OrderOf(A) < OrderOf(B) : OrderOf(A) > OrderOf(B); });
  } else if ((Word & (SORT_LINK_LINK | SORT_LINK_ABSOLUTE | SORT_LINK_TYPE)) != 0) {
    const int Column = (Word & SORT_LINK_LINK) != 0 ? 0 : (Word & SORT_LINK_ABSOLUTE) != 0 ? 1 : 3;
    std::vector<std::string> Keys(static_cast<std::size_t>(N));
    for (int I = 0; I < N; ++I) {
      Keys[static_cast<std::size_t>(I)] = Sub(Items->Item(I), Column);
    }
    std::stable_sort(Order.begin(), Order.end(), [&](int A, int B) {
      const int C = ::strcasecmp(Keys[static_cast<std::size_t>(A)].c_str(), Keys[static_cast<std::size_t>(B)].c_str());
      return Up ? C < 0 : C > 0;
    });
  } else if ((Word & SORT_LINK_STATUS) != 0) {
    std::stable_sort(Order.begin(), Order.end(), [&](int A, int B) {
      TListItem* X = Items->Item(A);
      TListItem* Y = Items->Item(B);
      int C = StatusRank(X->ImageIndex()) - StatusRank(Y->ImageIndex());
      if (C == 0) {
        C = ::strcasecmp(Sub(X, 2).c_str(), Sub(Y, 2).c_str());
      }
      if (C != 0) {
        return Up ? C < 0 : C > 0;
      }
      return OrderOf(A) < OrderOf(B);
    });
  } else if ((Word & SORT_LINK_COMMENT) != 0) {
    std::vector<std::string> Keys(static_cast<std::size_t>(N));
    for (int I = 0; I < N; ++I) {
      Keys[static_cast<std::size_t>(I)] = Sub(Items->Item(I), 4);
    }
    // Ascending: rows with a comment first in case-insensitive order, rows without one last; descending reverses.
    auto Less = [&](int A, int B) {
      const std::string& X = Keys[static_cast<std::size_t>(A)];
      const std::string& Y = Keys[static_cast<std::size_t>(B)];
      if (X.empty() != Y.empty()) {
        return Y.empty();
      }
      return ::strcasecmp(X.c_str(), Y.c_str()) < 0;
    };
    std::stable_sort(Order.begin(), Order.end(), Less);
    if (!Up) {
      std::reverse(Order.begin(), Order.end());
    }
  } else {
    return;
  }
  (void)List->SortByOrder(Order);  // a permutation of the rows
}

int FillLinksPage(fileinfoclass* Document, int Flags) {
  TZUBQEForm* F = ZUBQEForm;
  if (F == nullptr || F->LinksListView == nullptr) {
    return FILL_NO_VIEW;
  }
  TListView* List = F->LinksListView;
  if ((Flags & SHOW_FORCE) != 0) {
    List->SetTag(0);
  }
  if (Document != nullptr && List->Tag() == reinterpret_cast<NativeInt>(Document)) {
    return FILL_ALREADY_SHOWN;
  }
  F->UpdateLinkCheckButtons();
  TListItems* Items = List->Items();
  Items->BeginUpdate();
  Items->Clear();
  for (TLabel* Label : {F->LinkLabel, F->AbsoluteLabel}) {
    if (Label != nullptr) {
      Label->SetCaption("NA");
    }
  }
  List->SetTag(0);
  if (Document == nullptr || Document->resultHandle < 0) {
    Items->EndUpdate();
    List->Hide();
    if (F->LinksPanel2 != nullptr) {
      F->LinksPanel2->SetCaption(EMPTY_LINKS_TEXT);
      F->LinksPanel2->Show();
    }
    return FILL_EMPTY_STATE;
  }
  if (F->LinksPanel2 != nullptr) {
    F->LinksPanel2->SetCaption("");
  }
  List->Show();
  F->SetBusyCursor(true);
  if (ReadResults(Document, READ_LINK_LIST | READ_LINKS_IF_UNBUILT) == LINKLIST_NO_MEMORY) {
    Items->EndUpdate();
    F->SetBusyCursor(false);
    return FILL_LINKS_NOT_BUILT;
  }
  (void)ReadLinkStatuses(Document->resultLists, 1);
  PointerArrayManager* Links = Document->resultLists;
  int WithComment = 0;
  const int N = Links != nullptr ? Links->getCount() : 0;
  Items->SetCapacity(N);
  for (int I = 0; I < N; ++I) {
    auto* E = static_cast<StrStoreEx*>(Links->getPointer(I));
    if (E == nullptr || E->getExtraString(LINK_STR_AS_USED) == nullptr) {
      continue;
    }
    TListItem* Row = Items->Add();
    Row->SetCaption(std::to_string(E->spareInts.getInt(LINK_INT_ORDER)));
    TStrings* S = Row->SubItems();
    S->Add(E->getExtraString(LINK_STR_AS_USED));
    S->Add(E->text);
    S->Add(Extra(E, LINK_STR_STATUS));
    S->Add(Extra(E, LINK_STR_TYPE));
    const char* Comment = Extra(E, LINK_STR_COMMENT);
    S->Add(Comment);
    if (*Comment != 0) {
      ++WithComment;
    }
    Row->Data = E;
    Row->SetImageIndex(LinkStatusImage(E->spareInts.getInt(LINK_INT_STATUS)));
  }
  if (List->Columns()->Count() > 5) {
    List->Columns()->Items(5)->SetWidth(WithComment > 0 ? 600 : 0);
  }
  List->SetTag(reinterpret_cast<NativeInt>(Document));
  SortLinksList(List, Document->sortModes[SORTWORD_LINKS]);
  Items->EndUpdate();
  F->SetBusyCursor(false);
  ShowLinkSummary(Document, 1);
  return FILL_DONE;
}
