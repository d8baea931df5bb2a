// A main window for the core's tests: tab controls as lists of captions, the calls the core makes recorded, and a
// message box that records what it was asked to show.
#pragma once

#include "core/Errorreport.h"
#include "core/Fileinfoclass.h"
#include "core/Mainwindowservices.h"

#include "platform/classes/Component.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

class FakeTabControl : public TComponent {
public:
  FakeTabControl() : TComponent(nullptr) {}
  std::vector<std::string> Captions;
  int Current = -1;
  std::vector<int> IndexChanges;  // every current tab set, in order
  int Invalidated = 0;
};

class FakeMainWindow : public MainWindowServices, public MainWindowMessageBox {
public:
  FakeMainWindow() {
    SetMainWindowServices(this);
    SetMainWindowMessageBox(this);
  }
  ~FakeMainWindow() override {
    SetMainWindowServices(nullptr);
    SetMainWindowMessageBox(nullptr);
  }

  struct Box {
    std::string Text;
    std::string Caption;
    int Flags;
  };
  std::vector<Box> Boxes;
  std::vector<std::string> StatusTexts;
  std::vector<std::pair<TComponent*, int>> Selected;  // SelectTab calls: control, index
  std::vector<int> ResultCountsShown;
  std::vector<std::pair<fileinfoclass*, int>> OpenedListCalls;
  std::vector<std::string> WaitWindow;  // "show:<caption>|<text>" and "hide"
  std::function<void()> OnWaitWindowShown;
  std::function<void(fileinfoclass*, int)> OnOpenedListItem;  // called after the item is recorded
  std::vector<std::pair<TComponent*, std::string>> ControlTexts;
  TComponent* Placeholders[6] = {};
  TComponent* EditorTabs[2] = {};
  int Scroll[2][2] = {{0, 0}, {0, 0}};  // column, top line of each editor
  fileinfoclass* Current = nullptr;
  SpellCheckService* Spell = nullptr;
  int ViewsCleared = 0;

  int ShowMessageBox(const StrStore& Text, const StrStore& Caption, int Flags) override {
    Boxes.push_back({Text.text, Caption.text, Flags});
    return 0;
  }
  void SetStatusText(const StrStore& Text) override { StatusTexts.push_back(Text.text); }
  fileinfoclass* GetCurrentFile() override { return Current; }
  int SelectTab(TComponent* TabControl, int TabIndex, int Flags) override {
    (void)Flags;
    Selected.emplace_back(TabControl, TabIndex);
    return 0;
  }
  void ShowResultCounts(int Flag) override { ResultCountsShown.push_back(Flag); }
  void UpdateOpenedListItem(fileinfoclass* Document, int Flags) override {
    OpenedListCalls.emplace_back(Document, Flags);
    if (OnOpenedListItem) {
      OnOpenedListItem(Document, Flags);
    }
  }
  bool ClearResultViews(fileinfoclass*) override {
    ++ViewsCleared;
    return false;
  }
  void ShowWaitWindow(const char* Caption, const char* Text) override {
    WaitWindow.push_back(std::string("show:") + Caption + "|" + Text);
    if (OnWaitWindowShown) {
      OnWaitWindowShown();
    }
  }
  void HideWaitWindow() override { WaitWindow.push_back("hide"); }
  SpellCheckService* GetSpellChecker() override { return Spell; }
  TComponent* ResultPlaceholder(int Index) override { return Placeholders[Index]; }
  void SetControlTextNow(TComponent* Control, const char* Text) override { ControlTexts.emplace_back(Control, Text); }
  TComponent* GetEditorTabControl(int Editor) override { return EditorTabs[Editor]; }
  bool GetEditorScroll(int Editor, int& Column, int& TopLine) override {
    Column = Scroll[Editor][0];
    TopLine = Scroll[Editor][1];
    return true;
  }
  void SetEditorScroll(int Editor, int Column, int TopLine) override {
    Scroll[Editor][0] = Column;
    Scroll[Editor][1] = TopLine;
  }

  static FakeTabControl* Tabs(TComponent* C) { return static_cast<FakeTabControl*>(C); }
  int TabCount(TComponent* C) override { return static_cast<int>(Tabs(C)->Captions.size()); }
  int TabIndex(TComponent* C) override { return Tabs(C)->Current; }
  void SetTabIndex(TComponent* C, int Index) override {
    Tabs(C)->Current = Index;
    Tabs(C)->IndexChanges.push_back(Index);
  }
  int AddTab(TComponent* C, const char* Caption) override {
    Tabs(C)->Captions.push_back(Caption);
    if (Tabs(C)->Current < 0) {
      Tabs(C)->Current = 0;
    }
    return TabCount(C) - 1;
  }
  void DeleteTabAt(TComponent* C, int Index) override {
    auto& V = Tabs(C)->Captions;
    V.erase(V.begin() + Index);
    if (V.empty()) {
      Tabs(C)->Current = -1;
    } else if (Tabs(C)->Current >= static_cast<int>(V.size())) {
      Tabs(C)->Current = static_cast<int>(V.size()) - 1;
    }
  }
  void SetTabCaption(TComponent* C, int Index, const char* Caption) override { Tabs(C)->Captions[Index] = Caption; }
  void InvalidateTabControl(TComponent* C) override { ++Tabs(C)->Invalidated; }
};
