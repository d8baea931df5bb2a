// Document tabs: captions kept in step across the controls that share a document array.
#include "core/Tabinfoclass.h"

#include "core/Fileinfoclass.h"
#include "core/Mainwindowservices.h"

#include "platform/classes/Component.h"

#include <algorithm>
#include <vector>

namespace {

tabinfoclass* RecordAt(PointerArrayManager* Tabs, int I) { return static_cast<tabinfoclass*>(Tabs->getPointer(I)); }

}  // namespace

tabinfoclass::~tabinfoclass() {
  if (tabControl != nullptr) {
    tabControl->SetTag(0);
  }
}

void tabinfoclass::Bind(TComponent* Control, PointerArrayManager* Documents, TComponent* Editor) {
  tabControl = Control;
  documents = Documents;
  editor = Editor;
  if (Control != nullptr) {
    Control->SetTag(reinterpret_cast<NativeInt>(this));
  }
  if (Editor != nullptr) {
    Editor->SetTag(reinterpret_cast<NativeInt>(Control));
  }
}

int FreeTabInfo(void* Element) {
  delete static_cast<tabinfoclass*>(Element);
  return 1;
}

fileinfoclass* GetTabDocument(tabinfoclass* Record, int Index) {
  if (Record == nullptr || Record->documents == nullptr) {
    return nullptr;
  }
  if (Index == -1) {
    Index = Record->tabControl != nullptr ? MainWindow().TabIndex(Record->tabControl) : -1;
  }
  if (Index < 0 || Index >= Record->documents->getCount()) {
    return nullptr;
  }
  auto* Doc = static_cast<fileinfoclass*>(Record->documents->getPointer(Index));
  if (Doc != nullptr) {
    Doc->tabIndex = Index;
  }
  return Doc;
}

fileinfoclass* GetTabControlDocument(TComponent* TabControl, int Index) {
  if (TabControl == nullptr) {
    return nullptr;
  }
  return GetTabDocument(reinterpret_cast<tabinfoclass*>(TabControl->Tag()), Index);
}

int AddTabName(PointerArrayManager* Tabs, const char* Caption, PointerArrayManager* Documents) {
  if (Tabs == nullptr || Caption == nullptr || Documents == nullptr) {
    return TAB_BAD_ARGUMENTS;
  }
  // Every bound control must agree on where the new tab goes before any of them gets it.
  int Count = -1;
  int Bound = 0;
  for (int I = 0; I < Tabs->getCount(); ++I) {
    tabinfoclass* R = RecordAt(Tabs, I);
    if (R == nullptr || R->documents != Documents) {
      continue;
    }
    if (R->tabControl == nullptr) {
      return TAB_NO_CONTROL;
    }
    const int N = MainWindow().TabCount(R->tabControl);
    if (Bound > 0 && N != Count) {
      return TAB_COUNTS_DIFFER;
    }
    Count = N;
    ++Bound;
  }
  if (Bound == 0) {
    return TAB_NONE_BOUND;
  }
  int Index = -1;
  for (int I = 0; I < Tabs->getCount(); ++I) {
    tabinfoclass* R = RecordAt(Tabs, I);
    if (R != nullptr && R->documents == Documents) {
      const int Added = MainWindow().AddTab(R->tabControl, Caption);
      if (Index >= 0 && Added != Index) {
        return TAB_COUNTS_DIFFER;
      }
      Index = Added;
    }
  }
  return Index;
}

int UpdateTabName(PointerArrayManager* Tabs, int Index, PointerArrayManager* Documents, int Flags) {
  if (Tabs == nullptr || Documents == nullptr || Index < 0) {
    return TAB_BAD_ARGUMENTS;
  }
  auto* Doc = static_cast<fileinfoclass*>(Documents->getPointer(Index));
  if (Doc == nullptr) {
    return (Flags & 1) != 0 ? 1 : TAB_NO_DOCUMENT;
  }
  const StrStore Caption(Doc->GetName(NAME_TAB_CAPTION | NAME_EMPTY_NOT_NULL));
  for (int I = 0; I < Tabs->getCount(); ++I) {
    tabinfoclass* R = RecordAt(Tabs, I);
    if (R == nullptr || R->documents != Documents) {
      continue;
    }
    if (R->tabControl == nullptr) {
      return TAB_NO_CONTROL;
    }
    if (MainWindow().TabCount(R->tabControl) > Index) {
      MainWindow().SetTabCaption(R->tabControl, Index, Caption.text);
    }
  }
  return 0;
}

int UpdateTabNameOfDocument(PointerArrayManager* Tabs, fileinfoclass* Document) {
  if (Tabs == nullptr || Document == nullptr) {
    return TAB_BAD_ARGUMENTS;
  }
  std::vector<PointerArrayManager*> Done;
  for (int I = 0; I < Tabs->getCount(); ++I) {
    tabinfoclass* R = RecordAt(Tabs, I);
    if (R == nullptr || R->documents == nullptr ||
        std::find(Done.begin(), Done.end(), R->documents) != Done.end()) {
      continue;
    }
    Done.push_back(R->documents);
    const int Index = R->documents->findPointer(Document);
    if (Index >= 0) {
      UpdateTabName(Tabs, Index, R->documents, 1);
    }
  }
  return 0;
}

int tabinfoclass::UpdateForFileInfoChange(PointerArrayManager* Tabs, fileinfoclass* Document, int Index,
                                          PointerArrayManager* Documents, int Flags) {
  if (Index < 0 || Tabs == nullptr || Document == nullptr || Documents == nullptr) {
    return TAB_BAD_ARGUMENTS;
  }
  if ((Flags & 1) != 0 && Documents->setPointer(Document, Index, 0, 0, 1) == 0) {
    return TAB_BAD_ARGUMENTS;
  }
  int Result = 0;
  for (int I = 0; I < Tabs->getCount(); ++I) {
    tabinfoclass* R = RecordAt(Tabs, I);
    if (R == nullptr || R->documents != Documents) {
      continue;
    }
    if (R->tabControl == nullptr) {
      Result = TAB_NO_CONTROL;
      continue;
    }
    if (MainWindow().TabIndex(R->tabControl) == Index) {
      MainWindow().SelectTab(R->tabControl, Index, 1);
    }
  }
  if (Result == 0 && (Flags & 4) != 0) {
    UpdateTabName(Tabs, Index, Documents, 1);
  }
  return Result;
}

int DeleteTab(PointerArrayManager* Tabs, int Index, PointerArrayManager* Documents, int Flags) {
  if (Index < 0 || Tabs == nullptr || Documents == nullptr) {
    return TAB_BAD_ARGUMENTS;
  }
  if ((Flags & 1) != 0) {
    (void)Documents->removePointer(Index, 1);  // no document at that index: the tabs are closed all the same
  }
  struct Noted {
    TComponent* Control;
    int NewIndex;
  };
  std::vector<Noted> Reselect;
  MainWindowServices& W = MainWindow();
  for (int I = 0; I < Tabs->getCount(); ++I) {
    tabinfoclass* R = RecordAt(Tabs, I);
    if (R == nullptr || R->documents != Documents) {
      continue;
    }
    TComponent* C = R->tabControl;
    if (C == nullptr) {
      return TAB_NO_CONTROL;
    }
    const int Current = W.TabIndex(C);
    if (Index >= W.TabCount(C)) {
      continue;
    }
    W.DeleteTabAt(C, Index);
    const int Remaining = W.TabCount(C);
    int New = Index < Current ? Current - 1 : Current;
    New = std::min(New, Remaining - 1);
    if (Index == Current) {
      Reselect.push_back({C, New});
      if (Remaining > 0) {
        W.SetTabIndex(C, 0);
        W.SetTabIndex(C, New);
      }
    } else if (Remaining > 0) {
      // The control always passes through a change, so that it shows the right tab as current.
      W.SetTabIndex(C, New == 0 && Remaining >= 2 ? 1 : 0);
      W.SetTabIndex(C, New);
    }
  }
  if ((Flags & 2) == 0) {
    for (const Noted& N : Reselect) {
      if (N.NewIndex >= 0) {
        W.SelectTab(N.Control, N.NewIndex, Flags & 4);
      }
    }
  }
  RedrawTabControls(Tabs);
  return Index;
}

void RedrawTabControls(PointerArrayManager* Tabs) {
  if (Tabs == nullptr) {
    return;
  }
  for (int I = 0; I < Tabs->getCount(); ++I) {
    tabinfoclass* R = RecordAt(Tabs, I);
    if (R != nullptr && R->tabControl != nullptr) {
      MainWindow().InvalidateTabControl(R->tabControl);
    }
  }
}
