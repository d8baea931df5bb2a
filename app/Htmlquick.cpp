// The program's main function and its start-up phases.
#include "app/Htmlquick.h"

#include "batchwizard/Batchwizardservices.h"
#include "core/Commandqueue.h"
#include "core/Dragdropwindow.h"
#include "core/Editsourceoptions.h"
#include "core/Ekregistryex.h"
#include "core/Enginedialogs.h"
#include "core/Enginejobs.h"
#include "core/Inserterclass.h"
#include "core/Mainsetup.h"
#include "core/Prgclass.h"
#include "core/Settings.h"
#include "core/Shellintegration.h"
#include "core/Splashstatus.h"
#include "core/Updatecheck.h"
#include "core/Validatorlib.h"
#include "core/Zodir.h"
#include "editor/Easyeditsource.h"
#include "mainwindow/Editormessagewindow.h"
#include "mainwindow/Editoroptionsfrm.h"
#include "mainwindow/Quickeditmainform.h"
#include "mainwindow/Splashform.h"
#include "spell/Lx3enginecallback.h"

#include "platform/controls/ComCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/win/Desktop.h"
#include "platform/rtl/FileUtils.h"
#include "platform/win/MessageBox.h"

#include <exception>
#include <string>

namespace {

const char* const ApplicationTitle = "ZUB Quillon Professional";
const char* const SplashCaption = "ZUB Quillon Professional v6.0100";
const char* const SplashLoading = "Loading ZUB Quillon Professional v6.0100...";
const char* const SplashNotice = "Copyright (C) Palvane. All rights reserved.";
const char* const ProductVersion = "6.01";
const char* const GettingStartedPage = "gettingstarted.html";

constexpr int SplashShow = 1;
constexpr UINT ForegroundBox = MB_SETFOREGROUND | MB_TOPMOST;

// Reopened documents and the tab selection of a start.
constexpr int ReopenCount = HISTORY_COUNT_STORED;
constexpr int SelectAtStart = 4;
// The browser pane's preview of the current document.
constexpr int NavigatePreview = 0x40;

TSplashForm* Splash = nullptr;
TZUBEditorMessageWindow* MessageWindow = nullptr;

void Status(const char* Text) { (void)SplashStatus(Text); }  // without a splash there is nothing to show

void RepaintSplash() {
  if (Splash != nullptr) {
    Splash->Update();
  }
}

bool ApplicationActive() { return GetActiveWindow() != 0; }

// The five 12- or 8-pixel images of a results list or the page control, from the program's resources; images
// that are not there leave their slot empty.
TImageList* ImagesFromResources(TComponent* Owner, const char* Prefix, int Size) {
  auto* List = new TImageList(Owner);
  List->SetWidth(Size);
  List->SetHeight(Size);
  for (int I = 0; I < 5; ++I) {
    TBitmap Image;
    try {
      Image.LoadFromResourceName(0, Prefix + std::to_string(I));
      List->Add(&Image, nullptr);
    } catch (const std::exception&) {
      TBitmap Empty;
      Empty.SetWidth(Size);
      Empty.SetHeight(Size);
      List->Add(&Empty, nullptr);
    }
  }
  return List;
}

void SetUpImages(TZUBQEForm& Form) {
  Status("Processing images...");
  TImageList* Results = ImagesFromResources(&Form, "LISTVIEWVALRESULTIMAGE", 12);
  Form.ResultsListView->SetSmallImages(Results);
  Form.LinksListView->SetSmallImages(ImagesFromResources(&Form, "LISTVIEWVALRESULTIMAGE", 12));
  for (ZEZTree* Tree : {Form.ResultsTreeView, Form.AccessibilityTreeView, Form.StyleMessagesTreeView}) {
    if (Tree != nullptr) {
      Tree->SetImages(ImagesFromResources(&Form, "LISTVIEWVALRESULTIMAGE", 12));
    }
  }
  Form.ResultsPageControl->SetImages(ImagesFromResources(&Form, "RESULTSPAGECONTROLIMAGE", 8));
  Form.MessagesSheet->SetImageIndex(4);
  Form.LinksSheet->SetImageIndex(4);
}

void SetUpEditors(TZUBQEForm& Form) {
  struct TRole {
    TCustomEasyEdit* Editor;
    int Role;
  };
  for (const TRole& R : {TRole{Form.EasyEdit1, EDITOR_DOCUMENT}, TRole{Form.EasyEdit2, EDITOR_DOCUMENT},
                         TRole{Form.StructureEdit, EDITOR_STRUCTURE}, TRole{Form.StructureEdit2, EDITOR_STRUCTURE},
                         TRole{Form.ResultsMessageEdit, EDITOR_RESULTS_MESSAGE},
                         TRole{Form.ScratchPad1Edit, EDITOR_SCRATCH_PAD_1},
                         TRole{Form.ScratchPad2Edit, EDITOR_SCRATCH_PAD_2}}) {
    if (R.Editor != nullptr) {
      (void)SetupEditor(R.Editor, R.Role);  // an editor it cannot set up keeps its layout's settings
    }
  }
}

void LoadScratchPads(volatileclass& V, prgconfigclass& Options) {
  if (Options.flags.has(EOF40::ScratchPads)) {
    Status("Loading scratch pads...");
    struct TPad {
      TEasyEditSource* Source;
      const StrStore& File;
    };
    for (const TPad& P : {TPad{V.scratchPad1Source, Options.scratchPad1File},
                          TPad{V.scratchPad2Source, Options.scratchPad2File}}) {
      if (P.Source != nullptr && P.File.length > 0 && FileExists(P.File.text)) {
        try {
          P.Source->LoadFromFile(P.File.text);
        } catch (const std::exception&) {
          // A scratch pad that cannot be read starts empty; its file is left alone until the next save.
        }
      }
    }
  }
  for (TEasyEditSource* Source : {V.scratchPad1Source, V.scratchPad2Source}) {
    if (Source != nullptr) {
      (void)ApplyEditSourceOptions(Source, 0);  // settings that do not apply leave the source as it is
    }
  }
}

void ReopenDocuments(TZUBQEForm& Form) {
  if (!prg->editorOptions->flags.has(EOF40::ReopenDocuments)) {
    return;
  }
  Status("Reopening last opened documents...");
  StringArrayStore List;
  const std::string Key = std::string(SETTINGS_ROOT) + "\\Editor\\LastOpenFiles";
  (void)StringArrayStore::loadFromRegistry(&List, HKEY_CURRENT_USER, Key.c_str(), ReopenCount);  // none: empty
  for (int I = 0; I < List.getCount(); ++I) {
    (void)Form.AddNewFileTab(nullptr, List.getString(I), NEWTAB_REOPEN_AT_START, nullptr);  // reports failures
  }
  for (TComponent* Tabs : {static_cast<TComponent*>(Form.TabControl1), static_cast<TComponent*>(Form.TabControl2)}) {
    if (Form.TabCount(Tabs) > 0) {
      (void)Form.SelectTab(Tabs, 0, SelectAtStart);  // reported by the operation
    }
  }
  if (prg->interface->flags2.has(IF2::ValidateOnOpen)) {
    Status("Validating documents...");
    Form.ToolsValidateAllClick(&Form);
  }
}

void AskFirstRunQuestions(TZUBQEForm& Form) {
  volatileclass& V = *prg->volatileState;
  if (V.stateFlags.has(VSF::FirstRun)) {
    Status("View Getting Started page?");
    if (MessageBox(0, "Would you like to view the Getting Started documentation page (recommended)?",
                   "Quillon: View Getting Started Page?", MB_YESNO | MB_ICONQUESTION | ForegroundBox) == IDYES) {
      (void)DisplayHelpTopic(Form.GetApplicationWindow(), GettingStartedPage, V.documentationFolder.text);
    }
  }
  if (V.stateFlags.has(VSF::UpdateCheckDue) && prg->editorOptions->flags.has(EOF40::AskUpdateCheck)) {
    Status("Check for update?");
    const std::string Question = std::string("It is recommended that you check for an update to ") +
                                 "ZUB Quillon Professional v" + ProductVersion +
                                 ". An Internet connection is required.\n\nIf you don't want to be asked this again, "
                                 "please uncheck the option to periodically ask to check for a new version. This "
                                 "option is in the General tab of the Editor Options.\n\nDo you want to check for an "
                                 "update (or new version) now? (Recommended)";
    if (MessageBox(Form.GetApplicationWindow(), Question.c_str(), "Quillon: Check For Updates?",
                   MB_YESNO | MB_ICONQUESTION) == IDYES) {
      (void)CheckForUpdate(Form.GetApplicationWindow(), UPDATECHECK_FROM_STARTUP);  // reports its own failures
    }
    V.lastUpdateCheckDay = TodaysDayNumber();
    V.stateFlags.set(VSF::UpdateCheckDue, false);
    (void)SafeSetFocus(&Form);  // a window that cannot take the focus yet gets it with its first activation
  }
}

// Deletes the root object and closes the splash: the end of every path out of WinMain.
int CleanUp(int ExitCode) {
  CloseSplash();
  Splash = nullptr;
  delete prg;  // documents, tabs and the engine library go with it
  return ExitCode;
}

}  // namespace

int ShowSplash(int Flags) {
  if ((Flags & SplashShow) == 0 || Splash != nullptr) {
    return 0;
  }
  Splash = new TSplashForm(nullptr);
  Splash->AfterConstruction();
  Splash->SetCaption(SplashCaption);
  Splash->LoadingLabel->SetCaption(SplashLoading);
  Splash->NoticeLabel->SetCaption(SplashNotice);
  Splash->ShowStatus("Loading...");
  return 0;
}

int StartupPhase1(const char* CommandLine, StartupRecord* Record) {
  Record->stop = 1;
  if (HWND Running = FindWindow(MESSAGE_WINDOW_CLASS, MESSAGE_WINDOW_CAPTION)) {
    EkRegistryEx Reg(EKREG_USE_FALLBACK);
    Reg.SetRootKey(HKEY_CURRENT_USER);
    bool Ask = false;
    const std::string Key = std::string(SETTINGS_ROOT) + "\\Editor\\Interface";
    if (Reg.OpenKeyEx(Key.c_str(), false) != 0 && Reg.ValueExists("Flags2V45")) {
      prg->interface->flags2 = InterfaceFlags2V45(static_cast<std::uint32_t>(Reg.ReadInteger("Flags2V45")));
      Ask = prg->interface->flags2.has(IF2::AskAnotherInstance);
    }
    const bool Another =
        Ask && MessageBox(0,
                          "Another instance of ZUB Quillon is already running. Do you want to run another instance? "
                          "Note that running another instance is not recommended due to potential conflicts among "
                          "running instances when changing program options and/or disabling/enabling flags. Note "
                          "that you can disable this question in the General 1 tab of the Editor Options.",
                          "Quillon: Run Another Instance?", MB_YESNO | MB_ICONQUESTION | ForegroundBox) != IDNO;
    if (!Another) {
      (void)SendToRunningInstance(Running, CommandLine);  // always done; failures were told to the user
      return EXIT_HANDED_OVER;
    }
    (void)ShowSplash(SplashShow);
  }
  if (RefuseWhileEngineWindowsOpen() == STARTUP_ENGINE_WINDOW_OPEN) {
    return EXIT_ENGINE_WINDOW_OPEN;
  }
  if (CommandLine != nullptr && *CommandLine != 0 &&
      ProcessCommandLine(Application->Handle(), CommandLine) != COMMANDLINE_QUEUED) {
    return EXIT_ASSOCIATIONS_REMOVED;
  }
  Status("Reading registry...");
  if (LoadSettings() == 0) {
    return EXIT_SETTINGS_UNREADABLE;
  }
  RepaintSplash();
  Record->stop = 0;
  return EXIT_NORMAL;
}

int StartupPhase2(StartupRecord* Record) {
  Record->stop = 1;
  RegisterEngineSpellWordParser();  // the callback's word parser; its checker is the main window's
  if (ZUBCalls.ZUBSetPointer != nullptr) {
    (void)ZUBCalls.ZUBSetPointer(ZUB_SPELL_CALLBACK, reinterpret_cast<void*>(&EngineSpellCallback));
  }
  (void)prg->volatileState->networkConfig.LoadFromEngine(2);  // without an engine the defaults stay
  Record->stop = 0;
  return EXIT_NORMAL;
}

int StartupPhase3(HINSTANCE, StartupRecord* Record) {
  Record->stop = 1;
  TZUBQEForm& Form = *ZUBQEForm;
  volatileclass& V = *prg->volatileState;
  Form.UpdateTitle(0);
  Form.UpdateMenuChecks();
  if (prg->interface->flags.has(IF40::HotKey) && !ApplicationActive()) {
    (void)SetHotKey(Form.Handle(), 1);  // F2 held by another program: the window's own keys still work
  }
  SetUpImages(Form);
  SetUpEditors(Form);
  Status("Creating forms...");
  auto* DragDrop = new TDragDropForm(Application);
  DragDrop->AfterConstruction();
  (void)PlaceFormOnScreen(DragDrop, prg->interface->dragDropWindowLeft, prg->interface->dragDropWindowTop,
                          DragDrop->Width(), DragDrop->Height());
  if (EditorOptionsForm == nullptr) {
    Application->CreateForm(EditorOptionsForm);
  }
  DragAcceptFiles(Form.Handle(), TRUE);
  LoadScratchPads(V, *prg->editorOptions);
  ReopenDocuments(Form);
  Status("Creating Inserter Window(s)...");
  (void)UpdateInserters(V.inserters, INSERTERS_SHOW);  // an inserter that cannot be shown says so itself
  AskFirstRunQuestions(Form);
  if (prg->interface->flags.has(IF40::WebBrowser)) {
    Status("Navigating to location with web browser...");
    Form.NavigateWebBrowser(&Form, NavigatePreview);
  }
  Record->stop = 0;
  return EXIT_NORMAL;
}

int WinMain(HINSTANCE Instance, HINSTANCE, const char* CommandLine, int) {
  Application->Initialize();
  new prgclass();  // the root object makes itself global
  int ExitCode = EXIT_NORMAL;
  StartupRecord Record;
  try {
    if (FindWindow(MESSAGE_WINDOW_CLASS, MESSAGE_WINDOW_CAPTION) == 0) {
      (void)ShowSplash(SplashShow);
    }
    Application->Title = ApplicationTitle;
    RegisterBatchWizardServices();
    if (CommandLine != nullptr && *CommandLine != 0) {
      prg->volatileState->commandLinePresent = 1;
    }
    ExitCode = StartupPhase1(CommandLine, &Record);
    if (Record.stop != 0) {
      return CleanUp(ExitCode);
    }
    RepaintSplash();
    switch (prg->volatileState->LoadValidatorLibrary(Application->Handle(), 0)) {
      case -1: return CleanUp(EXIT_ENGINE_MISSING);
      case -2: return CleanUp(EXIT_ENGINE_ENTRY_POINT_MISSING);
      case -3: return CleanUp(EXIT_ENGINE_TOO_OLD);
      case -4:
        MessageBox(0, "The validator engine could not make its configuration. ZUB Quillon cannot start.",
                   "Quillon: Validator Engine Error", MB_OK | MB_ICONERROR | ForegroundBox);
        return CleanUp(EXIT_NO_ENGINE_CONFIGURATION);
      default: break;
    }
    (void)StartupPhase2(&Record);
    RepaintSplash();
    Status("Creating main editor form...");
    (void)prg->volatileState->CreateSharedSources(SHARED_SOURCES_CREATE);
    Application->CreateForm(ZUBQEForm);
    Application->CreateForm(MessageWindow);
    (void)StartupPhase3(Instance, &Record);
    Zodir::FinishControlUpdate(ZUBQEForm->Handle());
    Status("Running...");
    if (Record.stop == 0) {
      Application->Run();
    }
  } catch (const std::exception& E) {
    Application->ShowException(E);
    ExitCode = EXIT_UNEXPECTED_ERROR;
  }
  return CleanUp(ExitCode);
}
