// The main window made as the program's main function makes it, over a fresh registry, temporary and runtime
// folders, the root object with its settings loaded, the engine bound and the shared text stores; torn down
// through the window's close query, the root object first and the forms after it.
#pragma once

#include "core/Prgclass.h"
#include "core/Settings.h"
#include "core/Tabinfoclass.h"
#include "core/Volatileclass.h"
#include "core/Zodir.h"
#include "mainwindow/Editormessagewindow.h"
#include "mainwindow/Quickeditmainform.h"
#include "tests/support/Forms.h"
#include "tests/support/TempFolder.h"

#include "platform/win/DialogService.h"
#include "platform/win/RegistryStore.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

class MainFormTest : public ::testing::Test {
protected:
  TestSupport::TTempFolder Temp{"zubmainform"};
  TScriptedDialogs Dialogs;
  TScopedDialogService DialogScope{Dialogs};
  std::string Dir;
  std::unique_ptr<prgclass> Root;
  TZUBQEForm* Form = nullptr;
  TZUBEditorMessageWindow* MessageWindow = nullptr;

  void SetUp() override {
    PrepareFolders();
    Harness::Start();
    MakeRootAndSettings();
    MakeForms();
  }

  void TearDown() override {
    DropChanges();
    CloseAndDestroy();
  }

  // Marks every open document saved, so that the close query of the tear-down asks nothing: a test that wants the
  // save question asks it itself.
  void DropChanges() {
    if (Form == nullptr) {
      return;
    }
    for (int Editor = 0; Editor < 2; ++Editor) {
      TComponent* Tabs = Form->GetEditorTabControl(Editor);
      for (int I = 0; Tabs != nullptr && I < Form->TabCount(Tabs); ++I) {
        if (fileinfoclass* Document = GetTabControlDocument(Tabs, I)) {
          (void)Form->MarkDocumentSaved(Document);
        }
      }
    }
  }

  // Fresh registry, temporary and runtime folders for this test.
  void PrepareFolders() {
    Dir = Temp.Path();
    for (const char* Sub : {"/registry", "/temp", "/runtime"}) {
      std::filesystem::create_directories(Dir + Sub);
    }
    setenv("ZUBQ_REGISTRY_DIR", (Dir + "/registry").c_str(), 1);
    setenv("ZUBQ_TEMP", (Dir + "/temp").c_str(), 1);
    std::filesystem::permissions(Dir + "/runtime", std::filesystem::perms::owner_all);
    setenv("XDG_RUNTIME_DIR", (Dir + "/runtime").c_str(), 1);
    unsetenv("ZUBQ_REGISTRY_READONLY");
    RegistryResetForTests();
  }

  // The root object, the settings, the engine and the shared text stores, as the start-up makes them.
  void MakeRootAndSettings() {
    Root = std::make_unique<prgclass>();
    ASSERT_EQ(LoadSettings(), 1);
    ASSERT_GE(prg->volatileState->LoadValidatorLibrary(0, 0), 0);
    ASSERT_EQ(prg->volatileState->CreateSharedSources(SHARED_SOURCES_CREATE), 0);
  }

  // The main window and the hidden message window, made by the application as the main function makes them.
  void MakeForms() {
    Application->CreateForm(Form);
    Application->CreateForm(MessageWindow);
    // The main function turns the window's redrawing on again after its set-up.
    Zodir::FinishControlUpdate(Form->Handle());
  }

  // The close query first (it may refuse: the result), then the root object, then the forms.
  bool CloseAndDestroy() {
    bool CanClose = true;
    if (Form) {
      CanClose = Form->CloseQuery();
    }
    Root.reset();
    delete MessageWindow;
    MessageWindow = nullptr;
    delete Form;
    Form = nullptr;
    RegistryResetForTests();
    return CanClose;
  }
};
