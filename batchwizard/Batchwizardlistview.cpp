// The batch wizard window's target rows: making, refreshing and deleting them, their sort by the sort word, and
// the commands that act on the selected rows.
#include "batchwizard/Batchwizard.h"

#include "batchwizard/Batchjob.h"
#include "core/Fileinfoextraclass.h"
#include "core/Mainsetup.h"
#include "core/Mainwindowservices.h"
#include "core/Prgclass.h"

#include "platform/graphics/Graphics.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/ShlObj.h"

#include <algorithm>
#include <cctype>
#include <numeric>

namespace {

// The sort word's column bits, columns 0 to 4, and the word a first click on each column sets.
constexpr int SortAscending = 0x1;
constexpr int ColumnBits[5] = {0x2, 0x4, 0x8, 0x10, 0x20};
constexpr int FirstClickWords[5] = {3, 4, 9, 16, 33};
constexpr int SubItemCount = 4;

int SortColumn(int Word) {
  for (int C = 0; C < 5; ++C) {
    if ((Word & ColumnBits[C]) != 0) {
      return C;
    }
  }
  return -1;
}

// What a row sorts by: the kind rank and a text (the column's, ready for comparison), or the target itself for
// the full-target column.
struct SortKey {
  int rank = 0;
  std::string text;
  batchwiztargetclass* target = nullptr;
};

SortKey KeyOf(batchwiztargetclass* T, int Column, bool Ascending) {
  SortKey K;
  K.target = T;
  switch (Column) {
    case 0:
      K.rank = T->kindRank();
      K.text = T->getString(TGET_CAPTION | TGET_EMPTY_NOT_NULL);
      break;
    case 1: K.text = T->getString(TGET_PROCESS | TGET_EMPTY_NOT_NULL); break;
    case 2: K.text = T->getString(TGET_FLAGS | TGET_EMPTY_NOT_NULL); break;
    case 3:
      K.text = T->getString(TGET_RESULTS | TGET_EMPTY_NOT_NULL);
      // Unprocessed targets come last whichever way the column is sorted.
      if (K.text.empty()) {
        K.text = Ascending ? "z" : "000000";
      }
      break;
    default: break;
  }
  return K;
}

int CompareKeys(const SortKey& A, const SortKey& B, int Column) {
  if (Column == 4) {
    return CompareTargets(A.target, B.target);
  }
  if (A.rank != B.rank) {
    return A.rank < B.rank ? -1 : 1;
  }
  const int R = CompareText(A.text, B.text);
  return R < 0 ? -1 : (R > 0 ? 1 : 0);
}

}  // namespace

int TBatchWizardForm::CompareListItems(batchwiztargetclass* A, batchwiztargetclass* B, int SortWord) {
  const int Column = SortColumn(SortWord);
  if (Column < 0 || A == nullptr || B == nullptr) {
    return 0;
  }
  const bool Ascending = (SortWord & SortAscending) != 0;
  const int R = CompareKeys(KeyOf(A, Column, Ascending), KeyOf(B, Column, Ascending), Column);
  return Ascending ? R : -R;
}

void TBatchWizardForm::SortTargetListView(int Column, int) {
  batchwizclass* S = Settings();
  if (S == nullptr) {
    return;
  }
  if (Column >= 0 && Column < 5) {
    S->sortOrder = (S->sortOrder & ColumnBits[Column]) != 0 ? (S->sortOrder ^ SortAscending) : FirstClickWords[Column];
  }
  const int Word = S->sortOrder;
  const int SortCol = SortColumn(Word);
  TListItems* Items = TargetListView->Items();
  const int N = Items->Count();
  if (SortCol < 0 || N < 2) {
    return;
  }
  const bool Ascending = (Word & SortAscending) != 0;
  std::vector<SortKey> Keys;
  Keys.reserve(static_cast<std::size_t>(N));
  for (int I = 0; I < N; ++I) {
    auto* T = static_cast<batchwiztargetclass*>(Items->Item(I)->Data);
    Keys.push_back(T != nullptr ? KeyOf(T, SortCol, Ascending) : SortKey{});
  }
  std::vector<int> Order(static_cast<std::size_t>(N));
  std::iota(Order.begin(), Order.end(), 0);
  std::stable_sort(Order.begin(), Order.end(), [&](int A, int B) {
    const SortKey& KA = Keys[static_cast<std::size_t>(A)];
    const SortKey& KB = Keys[static_cast<std::size_t>(B)];
    if (KA.target == nullptr || KB.target == nullptr) {
      return KA.target != nullptr;
    }
    const int R = CompareKeys(KA, KB, SortCol);
    return Ascending ? R < 0 : R > 0;
  });
  (void)TargetListView->SortByOrder(Order);  // a permutation of the present rows
}

// ---- Rows ---------------------------------------------------------------------------------------------------

int TBatchWizardForm::RowIcon(batchwiztargetclass* T) {
  if (!T->has(TARGET_FILE) && !T->has(TARGET_DIRECTORY)) {
    return -1;
  }
  // The shell gives every file of a type the same icon: ask it once per extension (and once for folders).
  std::string Key;
  if (T->has(TARGET_DIRECTORY)) {
    Key = "/";
  } else {
    const std::string Name = GetPathFileName(T->targetText.text).text;
    const std::size_t Dot = Name.rfind('.');
    if (Dot == std::string::npos || Dot == 0) {
      return T->getInt(TINT_ICON);
    }
    Key = Name.substr(Dot);
    std::transform(Key.begin(), Key.end(), Key.begin(), [](unsigned char C) { return std::tolower(C); });
  }
  if (auto It = iconCache.find(Key); It != iconCache.end()) {
    return It->second;
  }
  const int Icon = T->getInt(TINT_ICON);
  if (Icon >= 0) {
    iconCache.emplace(Key, Icon);
  }
  return Icon;
}

void TBatchWizardForm::FillRow(TListItem* Item, batchwiztargetclass* T, int Columns) {
  TStrings* Sub = Item->SubItems();
  while (Sub->Count() < SubItemCount) {
    Sub->Add("");
  }
  auto Put = [&](int Index, int Selector) {
    const std::string Text = T->getString(Selector | TGET_EMPTY_NOT_NULL);
    if (Sub->Strings(Index) != Text) {
      Sub->SetStrings(Index, Text);
    }
  };
  if ((Columns & ROW_REFRESH) != 0) {
    Item->SetImageIndex(RowIcon(T));
    Item->SetCaption(T->getString(TGET_CAPTION | TGET_EMPTY_NOT_NULL));
    Put(3, TGET_DISPLAY_NAME);
  }
  if ((Columns & (ROW_REFRESH | ROW_PROC)) != 0) {
    Put(0, TGET_PROCESS);
  }
  if ((Columns & (ROW_REFRESH | ROW_FLAGS)) != 0) {
    Put(1, TGET_FLAGS);
  }
  if ((Columns & (ROW_REFRESH | ROW_RESULTS)) != 0) {
    Put(2, TGET_RESULTS);
  }
  if (updateDepth == 0) {
    Item->Update();
  }
}

void TBatchWizardForm::DeleteRow(batchwiztargetclass* T) {
  auto* Item = static_cast<TListItem*>(T->listItem);
  T->listItem = nullptr;
  if (Item == nullptr) {
    return;
  }
  Item->Data = nullptr;
  if (updateDepth > 0) {
    pendingDeletes.push_back(Item);
    return;
  }
  TargetListView->Items()->Delete(Item->Index());
}

void TBatchWizardForm::updateListItem(batchwiztargetclass* T, int Flags) {
  if (T == nullptr) {
    return;
  }
  if ((Flags & ROW_KEEP_PAGE) == 0 && running == 0 && BatchWizardPageControl->ActivePage() != TargetSheet) {
    BatchWizardPageControl->SetActivePage(TargetSheet);
  }
  if ((Flags & ROW_DELETE) != 0) {
    DeleteRow(T);
    return;
  }
  auto* Item = static_cast<TListItem*>(T->listItem);
  bool Sort = (Flags & ROW_RESORT) != 0;
  if ((Flags & (ROW_REPLACE | ROW_REFRESH)) != 0) {
    if (Item == nullptr) {
      Item = TargetListView->Items()->Add();
      Item->Data = T;
      T->listItem = Item;
      Sort = Sort || (Flags & ROW_NO_SORT) == 0;
    }
    FillRow(Item, T, ROW_REFRESH);
  } else if (Item != nullptr && (Flags & (ROW_PROC | ROW_FLAGS | ROW_RESULTS)) != 0) {
    FillRow(Item, T, Flags & (ROW_PROC | ROW_FLAGS | ROW_RESULTS));
  }
  if (Sort && updateDepth == 0) {
    SortTargetListView(-1, 0);
  }
}

void TBatchWizardForm::BeginUpdate() {
  if (updateDepth++ == 0) {
    TargetListView->Items()->BeginUpdate();
  }
}

void TBatchWizardForm::EndUpdate() {
  if (updateDepth == 0 || --updateDepth > 0) {
    return;
  }
  if (!pendingDeletes.empty()) {
    std::vector<int> Indexes;
    Indexes.reserve(pendingDeletes.size());
    for (TListItem* Item : pendingDeletes) {
      Indexes.push_back(Item->Index());
    }
    pendingDeletes.clear();
    TargetListView->Items()->DeleteSeveral(std::move(Indexes));
  }
  TargetListView->Items()->EndUpdate();
  // Rows changed while updates were suspended repaint together now.
  TargetListView->Invalidate();
}

void TBatchWizardForm::RefreshTargetListView(PointerArrayManager* L, int Flags) {
  if (L == nullptr) {
    return;
  }
  if ((Flags & REFRESH_ALL_ROWS) != 0) {
    BeginUpdate();
    TargetListView->Items()->SetCapacity(L->getCount());
    for (int I = 0; I < L->getCount(); ++I) {
      if (auto* T = static_cast<batchwiztargetclass*>(L->getPointer(I))) {
        T->listView = this;
        updateListItem(T, ROW_REFRESH | ROW_NO_SORT | ROW_KEEP_PAGE);
      }
    }
    EndUpdate();
    SortTargetListView(-1, 0);
  }
  if ((Flags & REFRESH_RESULTS) != 0) {
    BeginUpdate();
    for (int I = 0; I < L->getCount(); ++I) {
      if (auto* T = static_cast<batchwiztargetclass*>(L->getPointer(I))) {
        updateListItem(T, ROW_RESULTS | ROW_KEEP_PAGE);
      }
    }
    EndUpdate();
    const batchwizclass* S = Settings();
    if (S != nullptr && SortColumn(S->sortOrder) == 3) {
      SortTargetListView(-1, 0);
    }
  }
}

// ---- The selection -------------------------------------------------------------------------------------------

int TBatchWizardForm::ApplyToSelection(int Flags) {
  TListItems* Items = TargetListView->Items();
  std::vector<batchwiztargetclass*> Selected;
  for (int I = 0; I < Items->Count(); ++I) {
    TListItem* Item = Items->Item(I);
    if (Item->Selected() && Item->Data != nullptr) {
      Selected.push_back(static_cast<batchwiztargetclass*>(Item->Data));
    }
  }
  if ((Flags & SELECT_HAS_ANY) != 0) {
    return Selected.empty() ? 0 : 1;
  }
  if ((Flags & SELECT_HAS_FILE_OR_URL) != 0) {
    return std::any_of(Selected.begin(), Selected.end(),
                       [](batchwiztargetclass* T) { return T->has(TARGET_FILE) || T->has(TARGET_URL); })
               ? 1
               : 0;
  }
  if ((Flags & SELECT_OPEN_IN_EDITOR) != 0) {
    bool Restored = false;
    for (batchwiztargetclass* T : Selected) {
      if (!T->has(TARGET_FILE) && !T->has(TARGET_URL)) {
        continue;
      }
      if (!Restored) {
        Application->Restore();
        Restored = true;
      }
      if (T->has(TARGET_FILE)) {
        (void)MainWindow().AddNewFileTab(nullptr, T->targetText.text, 0, nullptr);  // the window reports failures
      } else {
        (void)MainWindow().OpenWebDocument(T->webOrigin, BATCH_OPEN_URL_NAME, BATCH_OPEN_URL_FLAGS);  // as above
      }
    }
    return 0;
  }
  PointerArrayManager* L = List();
  bool Changed = false;
  for (batchwiztargetclass* T : Selected) {
    const unsigned Before = T->targetFlags;
    unsigned After = Before;
    int Column = ROW_FLAGS;
    if ((Flags & SELECT_PROCESS_YES) != 0) {
      After |= TARGET_PROCESS;
      Column = ROW_PROC;
    } else if ((Flags & SELECT_PROCESS_NO) != 0) {
      After &= ~TARGET_PROCESS;
      Column = ROW_PROC;
    } else if ((Flags & (SELECT_SET_I | SELECT_CLEAR_I)) != 0) {
      if (!T->has(TARGET_DIRECTORY)) {
        continue;
      }
      After = (Flags & SELECT_SET_I) != 0 ? (After | TARGET_INCLUDE_SUB) : (After & ~TARGET_INCLUDE_SUB);
    } else if ((Flags & SELECT_SET_N) != 0) {
      After |= TARGET_NEVER_VALIDATE;
    } else if ((Flags & SELECT_CLEAR_N) != 0) {
      After &= ~TARGET_NEVER_VALIDATE;
    }
    if (After != Before) {
      (void)T->setInt(L, static_cast<int>(After), TINT_FLAGS);  // marks the list modified
      T->updateListItem(Column | ROW_KEEP_PAGE);
      Changed = true;
    }
  }
  SelectionCommandDone(Flags, Changed);
  return 0;
}

void TBatchWizardForm::SelectionCommandDone(int Flags, bool Changed) {
  if (!Changed) {
    return;
  }
  MarkTargetListModified(List());
  const batchwizclass* S = Settings();
  const int Column = S != nullptr ? SortColumn(S->sortOrder) : -1;
  const bool ProcessCommand = (Flags & (SELECT_PROCESS_YES | SELECT_PROCESS_NO)) != 0;
  if ((ProcessCommand && Column == 1) ||
      ((Flags & (SELECT_PROCESS_NO | SELECT_SET_I | SELECT_CLEAR_I | SELECT_SET_N | SELECT_CLEAR_N)) != 0 &&
       Column == 2)) {
    SortTargetListView(-1, 0);
  }
}

void TBatchWizardForm::SetAllProcess(bool Yes) {
  PointerArrayManager* L = List();
  if (L == nullptr) {
    return;
  }
  bool Changed = false;
  BeginUpdate();
  for (int I = 0; I < L->getCount(); ++I) {
    auto* T = static_cast<batchwiztargetclass*>(L->getPointer(I));
    if (T != nullptr && T->has(TARGET_PROCESS) != Yes) {
      const unsigned After = Yes ? (T->targetFlags | TARGET_PROCESS) : (T->targetFlags & ~TARGET_PROCESS);
      (void)T->setInt(L, static_cast<int>(After), TINT_FLAGS);  // marks the list modified
      T->updateListItem(ROW_PROC | ROW_KEEP_PAGE);
      Changed = true;
    }
  }
  EndUpdate();
  const batchwizclass* S = Settings();
  if (Changed && S != nullptr && SortColumn(S->sortOrder) == 1) {
    SortTargetListView(-1, 0);
  }
}

void TBatchWizardForm::TargetAutoSizeColumnsClick(TObject*) {
  TListColumns* Columns = TargetListView->Columns();
  // Text is measured on a bitmap: the list's own canvas draws only while it paints.
  TBitmap Measure;
  Measure.SetWidth(1);
  Measure.SetHeight(1);
  TCanvas* Canvas = Measure.Canvas();
  Canvas->Font()->Assign(TargetListView->Font());
  for (int C = 0; C < Columns->Count(); ++C) {
    TListColumn* Column = Columns->Items(C);
    if (Column->Width() > 0 && static_cast<std::size_t>(C) < columnWidths.size()) {
      columnWidths[static_cast<std::size_t>(C)] = Column->Width();
    }
    int Widest = Canvas->TextWidth(Column->Caption()) + 12;
    TListItems* Items = TargetListView->Items();
    for (int I = 0; I < Items->Count(); ++I) {
      const std::string Text = TargetListView->DisplayText(Items->Item(I), C, nullptr);
      Widest = std::max(Widest, Canvas->TextWidth(Text) + (C == 0 ? 28 : 12));
    }
    Column->SetWidth(Widest);
  }
}
