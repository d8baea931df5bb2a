// Test helpers for the tree view: a form holding a tree, an event log, and a compact dump of the node structure.
#pragma once

#include "treeview/Dcntree.h"

#include "platform/controls/Forms.h"
#include "platform/controls/TestHarness.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace TreeTest {

// "a(b c(d)) e": each node's text, its children in parentheses.
inline std::string Dump(ZEZTreeNode* First) {
  std::string S;
  for (ZEZTreeNode* N = First; N; N = N->GetNextSibling()) {
    if (!S.empty()) S += ' ';
    S += N->GetText();
    if (N->GetFirstChild()) {
      S += '(' + Dump(N->GetFirstChild()) + ')';
    }
  }
  return S;
}

// A form with a tree on it; the form is shown only when a test needs the window.
class TreeFixture : public ::testing::Test {
protected:
  void SetUp() override {
    Harness::Start();
    Form = new TForm(Application);
    Form->AfterConstruction();
    Form->SetBounds(20, 20, 420, 340);
    Tree = new ZEZTree(Form);
    Tree->AfterConstruction();
    Tree->SetParent(Form);
    Tree->SetBounds(10, 10, 300, 200);
  }
  void TearDown() override {
    Harness::RunUntilIdle();
    delete Form;
  }
  void Show() {
    Form->Show();
    Harness::RunUntilIdle();
  }
  // Records the tree's events as "Event:Text".
  void LogEvents() {
    auto Name = [this](const char* E) {
      return [this, E](TObject*, ZEZTreeNode* N) { Log.push_back(std::string(E) + ":" + (N ? N->GetText() : "nil")); };
    };
    Tree->OnExpanded = Name("Expanded");
    Tree->OnCollapsed = Name("Collapsed");
    Tree->OnDeletion = Name("Deletion");
    Tree->OnAfterInsert = Name("AfterInsert");
    Tree->OnChange = Name("Change");
    Tree->OnStateChanged = Name("StateChanged");
    Tree->OnExpanding = [this](TObject*, ZEZTreeNode* N, bool&) { Log.push_back("Expanding:" + N->GetText()); };
    Tree->OnCollapsing = [this](TObject*, ZEZTreeNode* N, bool&) { Log.push_back("Collapsing:" + N->GetText()); };
  }
  std::string Joined() const {
    std::string S;
    for (const auto& L : Log) {
      if (!S.empty()) S += ' ';
      S += L;
    }
    return S;
  }
  ZEZTreeNodes* Items() const { return Tree->Items(); }

  TForm* Form = nullptr;
  ZEZTree* Tree = nullptr;
  std::vector<std::string> Log;
};

}  // namespace TreeTest
