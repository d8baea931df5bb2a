// The set-up functions: text stores, editors by role, line styles, trees, tab controls and menu bars, and placing,
// raising and focusing forms. A plain form stands for the main window, with its components and handlers by name.
#include "SettingsTestSupport.h"

#include "core/Mainsetup.h"

#include "editor/Easyeditor.h"
#include "editor/Easyeditorparser.h"
#include "editor/Easyeditsource.h"
#include "platform/classes/TypInfo.h"
#include "platform/controls/ComCtrls.h"
#include "platform/controls/Menus.h"
#include "platform/win/WinHooks.h"
#include "tests/support/Forms.h"
#include "toolbars/Tb2toolbar.h"
#include "treeview/Dcntree.h"

#include <string>
#include <vector>

using TestSupport::Make;

using SharedSources = SettingsTest;

TEST_F(SharedSources, CreatedReadOnlyWhereTheyShowFixedText) {
  MakeRoot();
  volatileclass& V = *prg->volatileState;
  EXPECT_EQ(V.CreateSharedSources(0), 0);
  EXPECT_EQ(V.emptySource, nullptr);
  ASSERT_EQ(V.CreateSharedSources(SHARED_SOURCES_CREATE), 0);
  ASSERT_NE(V.emptySource, nullptr);
  EXPECT_TRUE(V.emptySource->ReadOnly());
  EXPECT_TRUE(V.structurePlaceholderSource->ReadOnly());
  EXPECT_EQ(V.structurePlaceholderSource->Strings()->Count(), 1);
  EXPECT_EQ(V.structurePlaceholderSource->Strings()->Get(0), STRUCTURE_PLACEHOLDER_TEXT);
  EXPECT_FALSE(V.scratchPad1Source->ReadOnly());
  EXPECT_TRUE(V.resultsMessageSource->UseGlobalSettings);
  EXPECT_TRUE(V.resultsMessageSource->Options().Contains(srLeaveTabs));
  EXPECT_FALSE(V.resultsMessageSource->Options().Contains(srHighlightUrls));
  EXPECT_EQ(V.resultsMessageSource->GetTabStops(), "3,6,9,12");
  // A second creation replaces the sources.
  ASSERT_EQ(V.CreateSharedSources(SHARED_SOURCES_CREATE), 0);
  EXPECT_TRUE(V.emptySource->ReadOnly());
}

TEST_F(SharedSources, UnusableTabStopsAreReset) {
  MakeRoot();
  prg->editorOptions->tabStops.assign("9,3,x");
  TEasyEditSource Source(nullptr);
  EXPECT_EQ(SetupEditSource(&Source, EDITSOURCE_DOCUMENT), 0);
  EXPECT_STREQ(prg->editorOptions->tabStops.text, "3,6,9,12");
  EXPECT_EQ(Source.GetTabStops(), "3,6,9,12");
  EXPECT_EQ(SetupEditSource(nullptr, 0), -1);
}

namespace {

// A plain form with the main window's components and published handlers that the set-up functions look for.
class TSetupMainForm : public TForm {
  Z_CLASS(TSetupMainForm, TForm)
public:
  explicit TSetupMainForm(TComponent* AOwner) : TForm(AOwner) {}
  static void Publish(TMetaClass& Meta) {
    TPublisher<TSetupMainForm> P(Meta);
    P.Method("EasyEditEnter", &TSetupMainForm::EasyEditEnter);
    P.Method("EasyEdit1GutterClick", &TSetupMainForm::EasyEdit1GutterClick);
    P.Method("EasyEdit1SourceChanged", &TSetupMainForm::EasyEdit1SourceChanged);
    P.Method("ResultsTreeViewChange", &TSetupMainForm::ResultsTreeViewChange);
    P.Method("ResultsTreeViewClick", &TSetupMainForm::ResultsTreeViewClick);
    P.Method("ResultsTreeViewDblClick", &TSetupMainForm::ResultsTreeViewDblClick);
    P.Method("ResultsTreeViewRightClickNode", &TSetupMainForm::ResultsTreeViewRightClickNode);
  }
  void EasyEditEnter(TObject*) { Calls.push_back("EasyEditEnter"); }
  void EasyEdit1GutterClick(TObject*, int, int) {}
  void EasyEdit1SourceChanged(TObject*, TEasyEditSourceStates) {}
  void ResultsTreeViewChange(TObject*, ZEZTreeNode*) {}
  void ResultsTreeViewClick(TObject*) { Calls.push_back("ResultsTreeViewClick"); }
  void ResultsTreeViewDblClick(TObject*) {}
  void ResultsTreeViewRightClickNode(TObject*, ZEZTreeNode*, TRightClickAction&) {}
  std::vector<std::string> Calls;
};
Z_IMPLEMENT_CLASS_PUBLISHED(TSetupMainForm, TForm, TSetupMainForm::Publish)

class SetupMainWindow : public MainWindowServices {
public:
  TForm* Main = nullptr;
  TForm* Splash = nullptr;
  TForm* MainForm() override { return Main; }
  TForm* SplashForm() override { return Splash; }
};

template <class T>
T* Named(TComponent* Owner, const char* Name) {
  T* C = Make<T>(Owner);
  C->SetName(Name);
  return C;
}

std::string PopupName(TControl* Control) {
  return Control->PopupMenu() != nullptr ? Control->PopupMenu()->Name() : "-";
}

std::string HandlerName(TObject* Instance, const char* Event) {
  const TMethod M = GetMethodProp(Instance, Event);
  return M.Code != nullptr ? M.Code->Name : "-";
}

// Everything SetupEditor sets, on one line.
std::string DumpEditor(TEasyEdit* E) {
  static const std::pair<TEasyEditorOption, const char*> Watched[] = {
      {eoPaintGutter, "gutter"},      {eoPaintMargin, "margin"},          {eoThumbTracking, "thumb"},
      {eoOverwriteCaret, "ovrcaret"}, {eoDisableSearchHighlight, "nohl"}, {eoEnableSelection, "sel"}};
  std::string Out = "opts=";
  for (const auto& [Option, Name] : Watched) {
    if (E->Options().Contains(Option)) {
      Out += std::string(Name) + ",";
    }
  }
  static const char* Bars[] = {"none", "horz", "vert", "both"};
  Out += " popup=" + PopupName(E);
  Out += std::string(" bars=") + Bars[E->ScrollBars()] + (E->HideScrollBars() ? "/hide" : "");
  Out += std::string(" ro=") + (E->GetReadOnly() ? "1" : "0");
  Out += std::string(" wrap=") + (E->WordWrap() ? "1" : "0");
  Out += std::string(" tab=") + (E->TabStop ? "1" : "0") + "/" + (E->WantTabs() ? "1" : "0");
  Out += std::string(" global=") + (E->UseGlobalSettings() ? "1" : "0");
  Out += " gutter=" + std::to_string(E->Gutter()->Width()) + "/" + std::to_string(E->Gutter()->Indent());
  Out += " right=" + std::to_string(E->Margin()->Position());
  TEasyLineNumbers* N = E->LineNumbers();
  Out += std::string(" numbers=") + (N->Visible() ? "on" : "off") + "/" + std::to_string(N->StartFrom()) +
         (N->Alignment() == lnRight ? "/right/" : "/left/") + std::to_string(N->Indent()) + "/" +
         std::to_string(N->LeftIndent());
  Out += " styles=";
  for (int I = 0; I < E->LineStyles()->Count(); ++I) {
    Out += E->LineStyles()->GetItem(I)->Name().substr(3, 3);
  }
  Out += std::string(" parser=") + (E->GetParser() != nullptr ? E->GetParser()->Name() : "-");
  Out += " enter=" + HandlerName(E, "OnEnter") + " gclick=" + HandlerName(E, "OnGutterClick") +
         " changed=" + HandlerName(E, "OnSourceChanged");
  return Out;
}

class MainSetupTest : public SettingsTest {
protected:
  void SetUp() override {
    SettingsTest::SetUp();
    Harness::Start();
    MakeRoot();
    ASSERT_EQ(prg->volatileState->CreateSharedSources(SHARED_SOURCES_CREATE), 0);
    Main = Make<TSetupMainForm>(Application);
    Main->SetBounds(10, 10, 400, 300);
    Named<TPopupMenu>(Main, "GenericMemoPopup");
    Named<TPopupMenu>(Main, "EditorPopupMenu");
    Named<TPopupMenu>(Main, "ResultsPopupMenu");
    Named<TEasyEditorParser>(Main, "EasyEditorParser1");
    Services.Main = Main;
    SetMainWindowServices(&Services);
  }
  void TearDown() override {
    SetMainWindowServices(nullptr);
    delete Main;
    SettingsTest::TearDown();
  }
  TEasyEdit* NewEditor() { return TestSupport::Make<TEasyEdit>(Main, Main, {0, 0, 200, 100}); }

  SetupMainWindow Services;
  TSetupMainForm* Main = nullptr;
};

struct EditorRoleCase {
  const char* Name;
  int Role;
  const char* Expected;
};

class SetupEditorRoles : public MainSetupTest, public ::testing::WithParamInterface<EditorRoleCase> {};

TEST_P(SetupEditorRoles, GiveEachRoleItsSettings) {
  TEasyEdit* E = NewEditor();
  E->SetUseGlobalSettings(true);
  prg->editorOptions->rightMargin = 72;
  ASSERT_EQ(SetupEditor(E, GetParam().Role), 0);
  EXPECT_EQ(DumpEditor(E), GetParam().Expected);
  volatileclass& V = *prg->volatileState;
  const TCustomEasyEditSource* Source = E->EditSource();
  switch (GetParam().Role) {
    case EDITOR_RESULTS_MESSAGE: EXPECT_EQ(Source, V.resultsMessageSource); break;
    case EDITOR_SCRATCH_PAD_1: EXPECT_EQ(Source, V.scratchPad1Source); break;
    case EDITOR_SCRATCH_PAD_2: EXPECT_EQ(Source, V.scratchPad2Source); break;
    default: EXPECT_EQ(Source, nullptr); break;
  }
}

INSTANTIATE_TEST_SUITE_P(
    MainSetup, SetupEditorRoles,
    ::testing::Values(
        EditorRoleCase{"Document", EDITOR_DOCUMENT,
                       "opts=gutter,margin,thumb,ovrcaret,nohl,sel, popup=EditorPopupMenu bars=both/hide ro=0 wrap=0 "
                       "tab=1/1 global=0 gutter=22/2 right=72 numbers=off/1/right/5/5 styles=WarErrMesStr parser=- "
                       "enter=EasyEditEnter gclick=EasyEdit1GutterClick changed=EasyEdit1SourceChanged"},
        EditorRoleCase{"Structure", EDITOR_STRUCTURE,
                       "opts=thumb,ovrcaret,nohl,sel, popup=GenericMemoPopup bars=both/hide ro=1 wrap=0 tab=1/0 "
                       "global=0 gutter=32/2 right=80 numbers=off/1/right/5/5 styles=Str parser=EasyEditorParser1 "
                       "enter=- gclick=- changed=-"},
        EditorRoleCase{"ResultsMessage", EDITOR_RESULTS_MESSAGE,
                       "opts=thumb,ovrcaret,nohl,sel, popup=GenericMemoPopup bars=vert/hide ro=1 wrap=1 tab=1/0 "
                       "global=0 gutter=32/2 right=80 numbers=off/1/right/5/5 styles= parser=- enter=- gclick=- "
                       "changed=-"},
        EditorRoleCase{"ScratchPad1", EDITOR_SCRATCH_PAD_1,
                       "opts=thumb,ovrcaret,nohl,sel, popup=GenericMemoPopup bars=vert/hide ro=0 wrap=1 tab=1/1 "
                       "global=0 gutter=32/2 right=80 numbers=off/1/right/5/5 styles= parser=- enter=- gclick=- "
                       "changed=-"},
        EditorRoleCase{"ScratchPad2", EDITOR_SCRATCH_PAD_2,
                       "opts=thumb,ovrcaret,nohl,sel, popup=GenericMemoPopup bars=vert/hide ro=0 wrap=1 tab=1/1 "
                       "global=0 gutter=32/2 right=80 numbers=off/1/right/5/5 styles= parser=- enter=- gclick=- "
                       "changed=-"},
        EditorRoleCase{"PlainViewer", EDITOR_PLAIN_VIEWER,
                       "opts=thumb,ovrcaret,nohl,sel, popup=- bars=both/hide ro=1 wrap=1 tab=1/0 global=0 "
                       "gutter=32/2 right=80 numbers=on/1/right/5/5 styles=WarErrMesStr parser=- enter=- gclick=- "
                       "changed=-"}),
    [](const auto& Info) { return std::string(Info.param.Name); });

TEST_F(MainSetupTest, DocumentEditorHandlersReachTheMainForm) {
  TEasyEdit* E = NewEditor();
  ASSERT_EQ(SetupEditor(E, EDITOR_DOCUMENT), 0);
  ASSERT_TRUE(E->OnEnter);
  E->OnEnter(E);
  EXPECT_EQ(Main->Calls, std::vector<std::string>{"EasyEditEnter"});
  EXPECT_EQ(SetupEditor(nullptr, EDITOR_DOCUMENT), -1);
}

TEST_F(MainSetupTest, WithoutMainFormEditorsAreSetUpAlone) {
  SetMainWindowServices(nullptr);
  TEasyEdit* E = NewEditor();
  ASSERT_EQ(SetupEditor(E, EDITOR_DOCUMENT), 0);
  EXPECT_EQ(E->PopupMenu(), nullptr);
  EXPECT_FALSE(E->OnEnter);
  EXPECT_EQ(E->Gutter()->Width(), 22);
}

TEST_F(MainSetupTest, LineStylesKeepTheirOrderAndColours) {
  TEasyEdit* E = NewEditor();
  AddLineStyles(E, LINESTYLES_DOCUMENT);
  AddLineStyles(E, LINESTYLES_STRUCTURE);
  std::string Out;
  for (int I = 0; I < E->LineStyles()->Count(); ++I) {
    TEasyLineStyle* S = E->LineStyles()->GetItem(I);
    char Line[80];
    std::snprintf(Line, sizeof Line, "%s %06X %06X\n", S->Name().c_str(), static_cast<unsigned>(S->Color()),
                  static_cast<unsigned>(S->BackColor()));
    Out += Line;
  }
  EXPECT_EQ(Out,
            "ZUBWarning line 000000 00FFFF\n"
            "ZUBError line FFFFFF 000080\n"
            "ZUBMessage line FFFFFF 800000\n"
            "ZUBStruct line FFFFFF 008000\n"
            "ZUBStruct line FFFFFF 008000\n");
  EXPECT_EQ(E->LineStyles()->GetItem(LINESTYLE_ERROR)->Name(), "ZUBError line");
}

std::string DumpTree(ZEZTree* T) {
  std::string Out;
  Out += std::string("rclick=") + (T->RightClickSelect ? "1" : "0");
  Out += std::string(" hint=") + (T->ShowHint() ? "1" : "0") + (T->ParentShowHint() ? "/parent" : "");
  Out += std::string(" row=") + (T->RowSelect() ? "1" : "0");
  Out += std::string(" hidesel=") + (T->HideSelection() ? "1" : "0");
  Out += std::string(" tips=") + (T->ToolTips() ? "1" : "0");
  Out += std::string(" ro=") + (T->ReadOnly ? "1" : "0");
  Out += std::string(" lines=") + (T->ShowLines() ? "1" : "0");
  Out += std::string(" root=") + (T->ShowRoot() ? "1" : "0");
  Out += " indent=" + std::to_string(T->Indent());
  Out +=
      " font=" + T->Font()->Name() + "/" + std::to_string(T->Font()->Size()) + "/" + std::to_string(T->Font()->Color());
  Out += " popup=" + PopupName(T);
  for (const char* Event : {"OnChange", "OnClick", "OnDblClick", "OnRightClickNode"}) {
    Out += " " + HandlerName(T, Event);
  }
  return Out;
}

TEST_F(MainSetupTest, TreesAreSetUpByFlags) {
  const struct {
    int Flags;
    const char* Expected;
  } Cases[] = {
      {0x1,
       "rclick=1 hint=1 row=1 hidesel=0 tips=1 ro=1 lines=0 root=1 indent=19 font=DEFAULT popup=ResultsPopupMenu "
       "ResultsTreeViewChange ResultsTreeViewClick ResultsTreeViewDblClick ResultsTreeViewRightClickNode"},
      {0x8,
       "rclick=1 hint=1 row=1 hidesel=0 tips=1 ro=1 lines=0 root=1 indent=19 font=DEFAULT popup=ResultsPopupMenu "
       "ResultsTreeViewChange ResultsTreeViewClick ResultsTreeViewDblClick ResultsTreeViewRightClickNode"},
      {0x4,
       "rclick=1 hint=1 row=1 hidesel=0 tips=1 ro=1 lines=1 root=0 indent=19 font=Courier New/10/8388608 popup=- - "
       "- - -"},
  };
  for (const auto& Case : Cases) {
    auto* T = TestSupport::Make<ZEZTree>(Main, Main, {0, 0, 100, 100});
    const std::string DefaultFont =
        T->Font()->Name() + "/" + std::to_string(T->Font()->Size()) + "/" + std::to_string(T->Font()->Color());
    EXPECT_EQ(SetupTreeView(T, Case.Flags), 0);
    std::string Expected = Case.Expected;
    if (const auto At = Expected.find("DEFAULT"); At != std::string::npos) {
      Expected.replace(At, 7, DefaultFont);
    }
    EXPECT_EQ(DumpTree(T), Expected) << "flags " << Case.Flags;
  }
  auto* T = TestSupport::Make<ZEZTree>(Main, Main, {0, 0, 100, 100});
  ASSERT_EQ(SetupTreeView(T, 0x2), 0);
  ASSERT_TRUE(T->OnClick);
  T->OnClick(T);
  EXPECT_EQ(Main->Calls, std::vector<std::string>{"ResultsTreeViewClick"});
}

TEST_F(MainSetupTest, TabControlsAndMenuBars) {
  auto* Tabs = TestSupport::Make<TTabControl>(Main, Main, {0, 0, 100, 30});
  EXPECT_EQ(SetupTabControl(Tabs, 0), 0);
  EXPECT_FALSE(Tabs->HotTrack());
  EXPECT_EQ(SetupTabControl(Tabs, SETUP_APPLY), 0);
  EXPECT_TRUE(Tabs->HotTrack());
  EXPECT_TRUE(Tabs->DoubleBuffered);
  EXPECT_EQ(SetupTabControl(nullptr, SETUP_APPLY), -1);

  auto* Bar = Make<TTBToolbar>(Main);
  EXPECT_EQ(SetupMenuBar(Bar, 0), 0);
  EXPECT_FALSE(Bar->MenuBar());
  EXPECT_EQ(SetupMenuBar(Bar, 2), 0);
  EXPECT_TRUE(Bar->MenuBar());
  EXPECT_FALSE(Bar->FullSize());
  EXPECT_EQ(Bar->ShrinkMode(), tbsmWrap);
  EXPECT_FALSE(Bar->CloseButton);
  EXPECT_TRUE(Bar->ProcessShortCuts());
  EXPECT_TRUE(Bar->SmoothDrag);
}

TEST_F(MainSetupTest, AppearanceFollowsTheOptions) {
  TEasyEdit* E = NewEditor();
  prgconfigclass& C = *prg->editorOptions;
  C.fontColor = 0x123456;
  C.backgroundColor = 0x00EEDD;
  C.lineNumberColor = 0x0000AA;
  C.editorFont->SetSize(13);
  ApplyEditorAppearance(E, 0);
  EXPECT_NE(E->Font()->Size(), 13);
  prg->interface->flags2.set(IF2::SelectOnlyText, true);
  ApplyEditorAppearance(E, SETUP_APPLY);
  EXPECT_EQ(E->Font()->Size(), 13);
  EXPECT_EQ(E->Font()->Color(), 0x123456);
  EXPECT_EQ(E->Color(), 0x00EEDD);
  EXPECT_EQ(E->LineNumbers()->BackColor(), 0x00EEDD);
  EXPECT_EQ(E->LineNumbers()->Color(), 0x0000AA);
  EXPECT_FALSE(E->Options().Contains(eoSelectBeyondEol));
  prg->interface->flags2.set(IF2::SelectOnlyText, false);
  ApplyEditorAppearance(E, SETUP_APPLY);
  EXPECT_TRUE(E->Options().Contains(eoSelectBeyondEol));
}

TEST_F(MainSetupTest, FormsArePlacedBackOnTheScreen) {
  SetScreenRectForTests(Rect(0, 0, 1024, 768));
  const struct {
    int Left, Top, Width, Height;
    TRect Expected;
  } Cases[] = {
      {5000, 20, 300, 200, Rect(724, 20, 1024, 220)},
      {100, -30, 300, 200, Rect(100, 0, 400, 200)},
      {-5, 768, 300, 200, Rect(0, 568, 300, 768)},
      {1023, 767, 300, 200, Rect(1023, 767, 1323, 967)},  // inside the screen by a pixel: kept
      {PLACE_FROM_FORM, 50, PLACE_FROM_FORM, 100, Rect(10, 50, 410, 150)},
  };
  for (const auto& Case : Cases) {
    Main->SetBounds(10, 10, 400, 300);
    EXPECT_EQ(PlaceFormOnScreen(Main, Case.Left, Case.Top, Case.Width, Case.Height), 0);
    EXPECT_EQ(Main->BoundsRect(), Case.Expected) << Case.Left << "," << Case.Top;
  }
  SetScreenRectForTests(TRect{});
}

std::vector<WPARAM>* SeenCommands = nullptr;
HWND WatchedWindow = 0;

LRESULT WatchSysCommands(int Code, WPARAM WParam, LPARAM LParam) {
  const auto* Msg = reinterpret_cast<const CWPSTRUCT*>(LParam);
  if (Code >= 0 && SeenCommands != nullptr && Msg->hwnd == WatchedWindow && Msg->message == WM_SYSCOMMAND) {
    SeenCommands->push_back(Msg->wParam & 0xFFF0);
  }
  return CallNextHookEx(0, Code, WParam, LParam);
}

class SysCommandWatch {
public:
  explicit SysCommandWatch(HWND Wnd) {
    WatchedWindow = Wnd;
    SeenCommands = &Seen;
    Hook = SetWindowsHookEx(WH_CALLWNDPROC, WatchSysCommands, 0, GetCurrentThreadId());
  }
  ~SysCommandWatch() {
    UnhookWindowsHookEx(Hook);
    SeenCommands = nullptr;
  }
  std::vector<WPARAM> Seen;

private:
  HHOOK Hook = 0;
};

TEST_F(MainSetupTest, WindowStatesGoThroughSystemCommands) {
  Main->Show();
  SysCommandWatch Watch(Main->Handle());
  EXPECT_EQ(SetFormWindowState(Main, FORMSTATE_RESTORE), 0);  // normal already: nothing sent
  EXPECT_EQ(SetFormWindowState(Main, FORMSTATE_MAXIMIZE), 0);
  EXPECT_EQ(Main->WindowState(), wsMaximized);
  EXPECT_EQ(SetFormWindowState(Main, FORMSTATE_MINIMIZE), 0);
  EXPECT_EQ(Main->WindowState(), wsMinimized);
  EXPECT_EQ(SetFormWindowState(Main, FORMSTATE_RESTORE), 0);  // back to maximised, as the user's restore does
  EXPECT_EQ(Main->WindowState(), wsMaximized);
  EXPECT_EQ(SetFormWindowState(Main, FORMSTATE_RESTORE), 0);
  EXPECT_EQ(Main->WindowState(), wsNormal);
  EXPECT_EQ(Watch.Seen, (std::vector<WPARAM>{SC_MAXIMIZE, SC_MINIMIZE, SC_RESTORE, SC_RESTORE}));
  EXPECT_EQ(SetFormWindowState(nullptr, FORMSTATE_MAXIMIZE), -1);
  prg->volatileState->shuttingDown = 1;
  EXPECT_EQ(SetFormWindowState(Main, FORMSTATE_MAXIMIZE), 0);
  EXPECT_EQ(Main->WindowState(), wsNormal);
  prg->volatileState->shuttingDown = 0;
}

TEST_F(MainSetupTest, BringingAMinimisedFormToTheFront) {
  for (const int Flags : {BRINGFRONT_STANDARD, BRINGFRONT_STANDARD | BRINGFRONT_KEEP_APPLICATION}) {
    Main->Show();
    Main->SetWindowState(wsMinimized);
    Main->Hide();
    Application->Minimize();
    ASSERT_TRUE(Application->Minimized());
    EXPECT_EQ(BringFormToFront(Main, Flags), 0);
    EXPECT_EQ(Application->Minimized(), (Flags & BRINGFRONT_KEEP_APPLICATION) != 0) << Flags;
    EXPECT_EQ(Main->WindowState(), wsNormal) << Flags;
    EXPECT_TRUE(Main->Visible()) << Flags;
    EXPECT_EQ(GetActiveWindow(), Main->Handle()) << Flags;
    Application->Restore();
  }
  EXPECT_EQ(BringFormToFront(nullptr, BRINGFRONT_STANDARD), -1);
}

TEST_F(MainSetupTest, FocusOnlyWhereItCanGo) {
  Main->Show();
  auto* Tree = TestSupport::Make<ZEZTree>(Main, Main, {0, 0, 100, 100});
  Tree->Hide();
  EXPECT_EQ(SafeSetFocus(Tree), FOCUS_NOT_POSSIBLE);
  EXPECT_NE(GetFocus(), Tree->Handle());
  Tree->Show();
  EXPECT_EQ(SafeSetFocus(Tree), FOCUS_SET);
  EXPECT_EQ(GetFocus(), Tree->Handle());
  EXPECT_EQ(SafeSetFocus(nullptr), FOCUS_NOT_POSSIBLE);
  prg->volatileState->shuttingDown = 1;
  EXPECT_EQ(SafeSetFocus(Main), FOCUS_NOT_POSSIBLE);
  prg->volatileState->shuttingDown = 0;

  auto* Splash = Make<TForm>(Application);
  Splash->SetBounds(0, 0, 100, 50);
  Splash->Show();
  Services.Splash = Splash;
  EXPECT_EQ(SafeSetFocus(Splash), FOCUS_SET_ON_SPLASH);
  Services.Splash = nullptr;
  delete Splash;
}

class FakeBatchWizard : public BatchWizardServices {
public:
  FakeBatchWizard() { SetBatchWizardServices(this); }
  ~FakeBatchWizard() override {
    SetBatchWizardServices(nullptr);
    delete Form;
  }
  TForm* BatchWizardForm() override { return Form; }
  bool CreateBatchWizardForm() override {
    Calls.push_back("create");
    Form = Make<TForm>(Application);
    Form->SetBounds(0, 0, 200, 100);
    return true;
  }
  void RestoreWindow(int Flags) override { Calls.push_back("restore " + std::to_string(Flags)); }
  void StartFirstShowing(TObject* Sender) override {
    Calls.push_back(std::string("start ") + (Sender != nullptr ? "sender" : "none"));
  }
  bool IsAboutItem(TObject* Item) override { return Item == AboutItem; }
  TForm* Form = nullptr;
  TObject* AboutItem = nullptr;
  std::vector<std::string> Calls;
};

TEST_F(MainSetupTest, BatchWizardIsMadeOnceAndStartsOnItsFirstOwnShowing) {
  EXPECT_EQ(ShowBatchWizard(nullptr, 0), 0);  // no batch wizard: nothing
  {
    FakeBatchWizard Wizard;
    EXPECT_EQ(ShowBatchWizard(Main, BATCHWIZARD_NO_START), 0);
    EXPECT_EQ(ShowBatchWizard(Main, 0), 0);  // not its first showing any more
    EXPECT_EQ(Wizard.Calls, (std::vector<std::string>{"create", "restore 1", "restore 1"}));
    ASSERT_NE(Wizard.Form, nullptr);
    EXPECT_TRUE(Wizard.Form->Visible());
  }
  FakeBatchWizard Wizard;
  EXPECT_EQ(ShowBatchWizard(Main, 0), 0);
  EXPECT_EQ(Wizard.Calls, (std::vector<std::string>{"create", "restore 1", "start sender"}));
}

TEST_F(MainSetupTest, DialogOwnerIsTheBatchWizardOnlyForItsAboutItem) {
  TMenuItem* About = Make<TMenuItem>(Main);
  TMenuItem* Other = Make<TMenuItem>(Main);
  EXPECT_EQ(GetDialogOwnerHandle(About, 0), HWND(0));
  EXPECT_EQ(GetDialogOwnerHandle(About, SETUP_APPLY), Main->Handle());
  FakeBatchWizard Wizard;
  Wizard.AboutItem = About;
  EXPECT_EQ(GetDialogOwnerHandle(About, SETUP_APPLY), Main->Handle());  // no window yet
  ASSERT_TRUE(Wizard.CreateBatchWizardForm());
  EXPECT_EQ(GetDialogOwnerHandle(About, SETUP_APPLY), Wizard.Form->Handle());
  EXPECT_EQ(GetDialogOwnerHandle(Other, SETUP_APPLY), Main->Handle());
  SetMainWindowServices(nullptr);
  EXPECT_EQ(GetDialogOwnerHandle(Other, SETUP_APPLY), HWND(0));
}

TEST_F(MainSetupTest, RevalidationTakesTheToolsLastFile) {
  prg->tools->lastValidatedToolFile.assign("/tmp/last.html");
  EXPECT_EQ(RevalidateLastDocument(), 0);
  EXPECT_STREQ(prg->volatileState->lastValidatedFile.text, "/tmp/last.html");
}

}  // namespace
