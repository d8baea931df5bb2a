// A main window and a batch wizard window for the core's tests of the command queue and the shutdown: every call
// the core makes is recorded as a line of text, what the windows answer is set by the test, and the forms the core
// raises and measures are real (not shown until a test shows them).
#pragma once

#include "FakeMainWindow.h"

#include "core/Mainwindowservices.h"

#include "platform/graphics/Graphics.h"
#include "tests/support/Forms.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class RecordingMainWindow : public FakeMainWindow {
public:
  std::vector<std::string> Calls;
  // Documents AddNewFileTab "opens": each call makes the named document current.
  std::vector<std::unique_ptr<fileinfoclass>> Opened;
  std::function<void(const char*)> OnOpen;
  TForm* Main = nullptr;  // not owned
  int CloseAllResult = 0;
  int ResultsHeight = -1;
  int SortColumn = 2;
  int SplitWidths[4] = {100, 400, 300, 600};
  std::string Folders[2] = {"/srv/one", ""};
  TFont EditorFont;
  // What SaveFormBounds records, as the window does it: only a visible, normal window's bounds.
  std::function<void()> OnSaveFormBounds;

  ~RecordingMainWindow() override { Opened.clear(); }

  void Record(std::string Call) { Calls.push_back(std::move(Call)); }

  TForm* MainForm() override { return Main; }
  int AddNewFileTab(TComponent*, const char* Name, int Flags, fileinfoextraclass*) override {
    Record(std::string("open:") + Name + ":" + std::to_string(Flags));
    Opened.push_back(std::make_unique<fileinfoclass>(nullptr, nullptr));
    Current = Opened.back().get();
    if (OnOpen) {
      OnOpen(Name);
    }
    return 0;
  }
  int ValidateDocuments(fileinfoclass* Document, int Flags, int Configuration) override {
    Record("validate:" + std::to_string(Document == Current) + ":" + std::to_string(Flags) + ":" +
           std::to_string(Configuration));
    return 0;
  }
  void UpdateLinksPageImage(fileinfoclass*, int Flags) override { Record("linkimage:" + std::to_string(Flags)); }
  void FillLinksPage(fileinfoclass*, int Flags) override { Record("filllinks:" + std::to_string(Flags)); }
  void UpdateLinkCheckButtons() override { Record("linkbuttons"); }
  void OptionsHTMLConfigurationEditorClick(TObject*) override { Record("configeditor"); }
  void OptionsEditorOptionsClick(TObject*) override { Record("editoroptions"); }

  int ApplySettings(int Flags) override {
    Record("applysettings:" + std::to_string(Flags));
    return 0;
  }
  int ApplyMessageLineStyles(fileinfoclass*, int Flags) override {
    Record("linestyles:" + std::to_string(Flags));
    return 0;
  }

  void SaveToolbarPositions() override { Record("toolbars"); }
  int CloseALLFiles(int Mode) override {
    Record("closeall:" + std::to_string(Mode));
    return CloseAllResult;
  }
  void SaveFormBounds() override {
    Record("formbounds");
    if (OnSaveFormBounds) {
      OnSaveFormBounds();
    }
  }
  int ShellListSortColumn() override { return SortColumn; }
  int VisibleResultsPanelHeight() override { return ResultsHeight; }
  TFont* CurrentEditorFont() override { return &EditorFont; }
  bool GetFileDialogSize(int Dialog, int& Width, int& Height) override {
    Width = Dialog == FILEDIALOG_OPEN ? 611 : 622;
    Height = Dialog == FILEDIALOG_OPEN ? 411 : 422;
    return true;
  }
  bool GetShellTreeFolder(int Pane, StrStore& Folder) override {
    Folder.assign(Folders[Pane].c_str());
    return true;
  }
  bool GetSplitWidths(int& TagCountList, int& StructurePage, int& ScratchPad1, int& ScratchPage) override {
    TagCountList = SplitWidths[0];
    StructurePage = SplitWidths[1];
    ScratchPad1 = SplitWidths[2];
    ScratchPage = SplitWidths[3];
    return true;
  }
  void DeleteEditorOptionsWindow() override { Record("deleteoptions"); }
};

class RecordingBatchWizard : public BatchWizardServices {
public:
  RecordingBatchWizard() { SetBatchWizardServices(this); }
  ~RecordingBatchWizard() override {
    SetBatchWizardServices(nullptr);
    delete Form;
  }
  RecordingBatchWizard(const RecordingBatchWizard&) = delete;
  RecordingBatchWizard& operator=(const RecordingBatchWizard&) = delete;

  std::vector<std::string> Calls;
  TForm* Form = nullptr;
  bool CanCreate = true;
  int OpenResult = 0;
  int QueryResult = 0;

  TForm* BatchWizardForm() override { return Form; }
  bool CreateBatchWizardForm() override {
    Calls.push_back("create");
    if (CanCreate) {
      Form = TestSupport::Make<TForm>(Application);
      Form->SetBounds(7, 8, 500, 300);
    }
    return CanCreate;
  }
  void RestoreWindow(int Flags) override { Calls.push_back("restore:" + std::to_string(Flags)); }
  void StartFirstShowing(TObject*) override { Calls.push_back("start"); }
  void RefreshWindowState() override { Calls.push_back("refresh"); }
  int QuerySaveTargetList(int Flags) override {
    Calls.push_back("query:" + std::to_string(Flags));
    return QueryResult;
  }
  void OptionsWizardClick() override { Calls.push_back("options"); }
  int OpenTargetList(const char* FileName, int Flags) override {
    Calls.push_back(std::string("openlist:") + FileName + ":" + std::to_string(Flags));
    return OpenResult;
  }
  void FileStartProcessingClick() override { Calls.push_back("process"); }
};
