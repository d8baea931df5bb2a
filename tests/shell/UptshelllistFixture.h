// A shell list over a fixture home folder, for the list's tests: docs/ holds a folder and four files.
#pragma once

#include "platform/controls/TestHarness.h"
#include "platform/win/DialogService.h"
#include "shell/Uptshelllist.h"
#include "tests/shell/ShellTestHome.h"
#include "tests/support/Forms.h"

#include <gtest/gtest.h>

namespace ShellListTest {

inline std::string Names(TPTCustomShellList* List) {
  std::string S;
  for (int I = 0; I < List->Items()->Count(); ++I) {
    S += (I ? "," : "") + List->DisplayText(List->Items()->Item(I), 0, nullptr);
  }
  return S;
}

inline TListItem* ItemNamed(TPTCustomShellList* List, const std::string& Name) {
  for (int I = 0; I < List->Items()->Count(); ++I) {
    TListItem* Item = List->Items()->Item(I);
    if (List->DisplayText(Item, 0, nullptr) == Name) {
      return Item;
    }
  }
  return nullptr;
}

class ShellListFixture : public TestSupport::TFormTest {
protected:
  void SetUp() override {
    Home.MakeDir("Desktop");
    Home.MakeDir("docs");
    Home.MakeDir("docs/sub");
    Home.MakeFile("docs/b.html", std::string(1536, 'b'));
    Home.MakeFile("docs/a.htm", "a");
    Home.MakeFile("docs/c.txt", std::string(3000, 'c'));
    Home.MakeFile("docs/.hidden");
    TFormTest::SetUp();
    OldDialogs = SetDialogService(&Dialogs);
    Form->SetBounds(40, 40, 640, 400);
    List = TestSupport::Make<TPTShellList>(Form, Form, Rect(0, 0, 600, 360));
    List->SetViewStyle(vsReport);
    Form->Show();
    Harness::RunUntilIdle();  // the deferred fill of the desktop
  }
  void TearDown() override {
    SetDialogService(OldDialogs);
    TFormTest::TearDown();
  }
  void Open(const std::string& Rel) {
    List->Folder()->SetPathName(Home / Rel);
    ASSERT_EQ(List->Folder()->GetPathName(), Home / Rel);
  }

  ShellTest::THome Home;
  TScriptedDialogs Dialogs;
  TDialogService* OldDialogs = nullptr;
  TPTShellList* List = nullptr;
};

}  // namespace ShellListTest
