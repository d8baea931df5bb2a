// Document state and the opened-documents list of the main window.
#include "mainwindow/Quickeditmainform.h"

#include "core/Fileinfoclass.h"
#include "core/Prgclass.h"
#include "core/Volatileclass.h"

#include "editor/Easyeditsource.h"

#include <strings.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Flags of UpdateOpenedListItem.
constexpr int OPENED_ADD = 0x1;
constexpr int OPENED_REMOVE = 0x2;
constexpr int OPENED_REFRESH = 0x4;
constexpr int OPENED_SORT = 0x8;
// The sort word: bit 0x1 ascending, then one bit per column.
constexpr int SORT_ASCENDING = 0x1;
constexpr int SORT_NAME = 0x2;
constexpr int SORT_PARSER = 0x4;
constexpr int SORT_FULL_NAME = 0x8;
constexpr int SORT_RESULTS = 0x10;
// The status bar's document-state panel follows the current document.
constexpr int STATUS_DOCUMENT_STATE = STATUS_CURRENT_DOCUMENT;

bool Running() { return prg && prg->volatileState && prg->volatileState->shuttingDown == 0; }

void FillRow(TListItem* Row, fileinfoclass* Document) {
  Row->Data = Document;
  Row->SetCaption(Document->GetName(NAME_TAB_CAPTION | NAME_EMPTY_NOT_NULL));
  TStrings* Sub = Row->SubItems();
  Sub->Clear();
  const char* Parser = Document->GetFileTypeName();
  const char* Results = Document->GetInfoText(1);
  const char* Full = Document->GetName(NAME_DISPLAY | NAME_EMPTY_NOT_NULL);
  Sub->Add(Parser != nullptr ? Parser : "");
  Sub->Add(Results != nullptr ? Results : "");
  Sub->Add(Full != nullptr ? Full : "");
}

// The text a row is sorted by; an empty result summary sorts as none found.
std::string SortText(TListItem* Row, int Word) {
  const int Column = (Word & SORT_PARSER) != 0      ? 0
                     : (Word & SORT_RESULTS) != 0   ? 1
                     : (Word & SORT_FULL_NAME) != 0 ? 2
                                                    : -1;
  if (Column < 0) {
    return Row->Caption();
  }
  TStrings* Sub = Row->SubItems();
  std::string Text = Column < Sub->Count() ? Sub->Strings(Column) : std::string();
  if (Column == 1 && Text.empty()) {
    Text = "000000";
  }
  return Text;
}

}  // namespace

namespace {

// Marks the document (null: the current one) saved or changed when its text store says otherwise, and refreshes
// the document-state panel for the current document. False without a document.
bool MarkDocument(TZUBQEForm& Form, fileinfoclass* Document, bool Saved) {
  fileinfoclass* Current = Form.GetCurrentFile();
  if (Document == nullptr) {
    Document = Current;
  }
  if (Document == nullptr || Document->text == nullptr) {
    return false;
  }
  if (Document->text->Modified == Saved) {
    (void)Document->SetSavedState((Saved ? SAVEDSTATE_SAVED : SAVEDSTATE_CHANGED) | SAVEDSTATE_TO_STORE);  // 0
    if (Document == Current) {
      (void)Form.UpdateStatusPanels(STATUS_DOCUMENT_STATE, 0, 0);  // 1 only while shutting down
    }
  }
  return true;
}

}  // namespace

int TZUBQEForm::MarkDocumentSaved(fileinfoclass* Document) { return MarkDocument(*this, Document, true) ? 1 : -1; }

int TZUBQEForm::MarkDocumentModified(fileinfoclass* Document) { return MarkDocument(*this, Document, false) ? 0 : -1; }

void TZUBQEForm::UpdateOpenedListItem(fileinfoclass* Document, int Flags) {
  if (OpenedListView == nullptr || Document == nullptr) {
    return;
  }
  TListItems* Rows = OpenedListView->Items();
  if ((Flags & OPENED_ADD) != 0) {
    FillRow(Rows->Add(), Document);
  }
  if ((Flags & OPENED_REMOVE) != 0) {
    Rows->BeginUpdate();
    for (int I = Rows->Count() - 1; I >= 0; --I) {
      if (Rows->Item(I)->Data == Document) {
        Rows->Delete(I);
      }
    }
    Rows->EndUpdate();
  }
  if ((Flags & OPENED_REFRESH) != 0) {
    bool Found = false;
    for (int I = 0; I < Rows->Count(); ++I) {
      if (Rows->Item(I)->Data == Document) {
        FillRow(Rows->Item(I), Document);
        Found = true;
      }
    }
    if (!Found && Running()) {
      FillRow(Rows->Add(), Document);
      Flags |= OPENED_SORT;
    }
  }
  if ((Flags & OPENED_SORT) != 0) {
    (void)SortOpenedList(nullptr, 0);  // always 0
  }
}

void TZUBQEForm::ReplaceOpenedListDocument(fileinfoclass* Old, fileinfoclass* New, int Flags) {
  if (OpenedListView == nullptr) {
    return;
  }
  TListItems* Rows = OpenedListView->Items();
  for (int I = 0; I < Rows->Count(); ++I) {
    if (Rows->Item(I)->Data == Old) {
      Rows->Item(I)->Data = New;
      if ((Flags & 1) != 0 && New != nullptr) {
        FillRow(Rows->Item(I), New);
      }
    }
  }
}

int TZUBQEForm::RefillOpenedList(int Flags) {
  if (OpenedListView == nullptr || !Running()) {
    return 0;
  }
  if ((Flags & 1) == 0 && (ResourcePageControl == nullptr || ResourcePageControl->ActivePage() != OpenedTabSheet)) {
    return 0;
  }
  TListItems* Rows = OpenedListView->Items();
  Rows->BeginUpdate();
  Rows->Clear();
  PointerArrayManager* Documents = prg->volatileState->documents;
  for (int I = 0; I < Documents->getCount(); ++I) {
    if (auto* Document = static_cast<fileinfoclass*>(Documents->getPointer(I))) {
      FillRow(Rows->Add(), Document);
    }
  }
  Rows->EndUpdate();
  return SortOpenedList(nullptr, 0);
}

int TZUBQEForm::SortOpenedList(TListColumn* Column, int Flags) {
  if (OpenedListView == nullptr || !prg || !prg->interface) {
    return 0;
  }
  int& Word = prg->interface->openedFilesSortColumn;
  if ((Flags & 1) != 0 && Column != nullptr) {
    static constexpr int ByColumn[] = {SORT_NAME | SORT_ASCENDING, SORT_PARSER | SORT_ASCENDING, SORT_RESULTS,
                                       SORT_FULL_NAME | SORT_ASCENDING};
    const int Index = std::clamp(Column->Index(), 0, 3);
    const int Chosen = ByColumn[Index] & ~SORT_ASCENDING;
    Word = (Word & ~SORT_ASCENDING) == Chosen ? Word ^ SORT_ASCENDING : ByColumn[Index];
  }
  TListItems* Rows = OpenedListView->Items();
  std::vector<std::pair<std::string, fileinfoclass*>> Keys;
  for (int I = 0; I < Rows->Count(); ++I) {
    Keys.emplace_back(SortText(Rows->Item(I), Word), static_cast<fileinfoclass*>(Rows->Item(I)->Data));
  }
  const bool Ascending = (Word & SORT_ASCENDING) != 0;
  std::stable_sort(Keys.begin(), Keys.end(), [Ascending](const auto& A, const auto& B) {
    const int C = strcasecmp(A.first.c_str(), B.first.c_str());
    return Ascending ? C < 0 : C > 0;
  });
  Rows->BeginUpdate();
  for (int I = 0; I < static_cast<int>(Keys.size()); ++I) {
    FillRow(Rows->Item(I), Keys[static_cast<std::size_t>(I)].second);
  }
  Rows->EndUpdate();
  return 0;
}
