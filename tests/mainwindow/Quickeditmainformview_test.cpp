// The main window's layout from the interface settings: the View commands and their bits, the menu checks, the
// layout pass's guards, full screen, the results area, the resource window, split view, the splitters, docking,
// the Validate button's menu, the skin, the drag-and-drop window and the hint panel.
#include "MainFormFixture.h"

#include "core/Dragdropwindow.h"
#include "core/Fileinfoclass.h"
#include "core/Settings.h"
#include "core/Validatorlib.h"

#include "editor/Easyeditgutter.h"
#include "platform/win/WinUser.h"

#include <cmath>
#include <cstdlib>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

using Handler = void (TZUBQEForm::*)(TObject*);
enum class Change { Flip, Set, Clear };
enum class Word { F40, F2, F3 };

struct ViewCase {
  const char* Name;
  Handler Command;
  Word In;
  std::uint32_t Bit;
  Change How;
  // What the window shows for the bit, when it shows it at once.
  std::function<bool(TZUBQEForm&)> Shown;
};

std::uint32_t& Bits(Word In) {
  switch (In) {
    case Word::F40: return prg->interface->flags.bits;
    case Word::F2: return prg->interface->flags2.bits;
    default: return prg->interface->flags3.bits;
  }
}

const std::vector<ViewCase>& ViewCases() {
  static const std::vector<ViewCase> Cases = {
      {"Toolbar", &TZUBQEForm::ViewToolbarClick, Word::F40, 0x4, Change::Flip,
       [](TZUBQEForm& F) { return F.EditorToolbar->Visible(); }},
      {"HideSpeedBar", &TZUBQEForm::HideSpeedBarClick, Word::F40, 0x4, Change::Clear,
       [](TZUBQEForm& F) { return F.EditorToolbar->Visible(); }},
      {"SmallToolbar", &TZUBQEForm::ViewSmallToolbarClick, Word::F2, 0x8000000, Change::Flip,
       [](TZUBQEForm& F) { return F.SmallToolbar->Visible(); }},
      {"StatusBar", &TZUBQEForm::ViewStatusBarClick, Word::F40, 0x8, Change::Flip,
       [](TZUBQEForm& F) { return F.StatusBar->Visible(); }},
      {"HideStatusBar", &TZUBQEForm::HideStatusBarClick, Word::F40, 0x8, Change::Clear,
       [](TZUBQEForm& F) { return F.StatusBar->Visible(); }},
      {"Resource", &TZUBQEForm::ViewResourceClick, Word::F40, 0x10, Change::Flip,
       [](TZUBQEForm& F) { return F.ResourcePanel->Visible() && F.VertSplit1->Visible(); }},
      {"Results", &TZUBQEForm::ViewResultsClick, Word::F40, 0x400, Change::Flip,
       [](TZUBQEForm& F) { return F.ResultsPanel->Visible() && F.EditorResultsSplitter->Visible(); }},
      {"HideResults", &TZUBQEForm::HideResultsWindowClick, Word::F40, 0x400, Change::Clear,
       [](TZUBQEForm& F) { return F.ResultsPanel->Visible(); }},
      {"Message", &TZUBQEForm::ViewMessageClick, Word::F3, 0x20, Change::Flip,
       [](TZUBQEForm& F) { return F.MessageToolWindow->Visible(); }},
      {"SplitView", &TZUBQEForm::ViewSplitViewClick, Word::F40, 0x8000, Change::Flip,
       [](TZUBQEForm& F) { return F.Editor2Panel->Visible() && F.EditorsSplitter->Visible(); }},
      {"HorzSplit", &TZUBQEForm::ViewHorzSplitBtnClick, Word::F40, 0x400000, Change::Flip, nullptr},
      {"Gutter", &TZUBQEForm::ViewGutterClick, Word::F40, 0x100, Change::Flip,
       [](TZUBQEForm& F) {
         return F.EasyEdit1->Options().Contains(eoPaintGutter) && F.EasyEdit2->Options().Contains(eoPaintGutter) &&
                F.EasyEdit2->LineNumbers()->Options().Contains(lnPaintOnGutter);
       }},
      {"LineNumbers", &TZUBQEForm::ViewLineNumbersClick, Word::F40, 0x80, Change::Flip,
       [](TZUBQEForm& F) { return F.EasyEdit1->LineNumbers()->Visible() && F.EasyEdit2->LineNumbers()->Visible(); }},
      {"RightMargin", &TZUBQEForm::ViewRightMarginClick, Word::F40, 0x200, Change::Flip,
       [](TZUBQEForm& F) { return F.EasyEdit2->Options().Contains(eoPaintMargin); }},
      {"LineSeparators", &TZUBQEForm::ViewLineSeparatorsClick, Word::F40, 0x10000000, Change::Flip,
       [](TZUBQEForm& F) {
         return F.EasyEdit1->LineDivider()->Options().Contains(ldSeparateLines) &&
                F.EasyEdit2->LineDivider()->Options().Contains(ldSeparateLines);
       }},
      {"Symbols", &TZUBQEForm::ViewSymbolsButtonClick, Word::F2, 0x8, Change::Flip,
       [](TZUBQEForm& F) { return F.EasyEdit2->Options().Contains(eoPaintFormattingMarks); }},
      {"WordWrap", &TZUBQEForm::OptionsWordWrapClick, Word::F40, 0x2, Change::Flip,
       [](TZUBQEForm& F) { return F.EasyEdit1->WordWrap() && F.EasyEdit2->WordWrap(); }},
      {"ResourceToTop", &TZUBQEForm::MoveResourceToTopBtnClick, Word::F40, 0x2000, Change::Set,
       [](TZUBQEForm& F) { return F.ResourcePanel->Align() == alTop; }},
      {"ResourceToLeft", &TZUBQEForm::MoveResourceToLeftBtnClick, Word::F40, 0x2000, Change::Clear,
       [](TZUBQEForm& F) { return F.ResourcePanel->Align() == alTop; }},
  };
  return Cases;
}

class MainFormView : public MainFormTest {
protected:
  void SetUp() override {
    MainFormTest::SetUp();
    Form->Show();
    Harness::RunUntilIdle();
  }
  interfaceclass& I() { return *prg->interface; }
};

TEST_F(MainFormView, EveryViewCommandChangesItsBitAndTheWindowFollows) {
  for (const ViewCase& Case : ViewCases()) {
    SCOPED_TRACE(Case.Name);
    for (int Round = 0; Round < 2; ++Round) {
      const std::uint32_t Before = Bits(Case.In);
      (Form->*Case.Command)(nullptr);
      const std::uint32_t After = Bits(Case.In);
      const std::uint32_t Expected = Case.How == Change::Flip  ? (Before ^ Case.Bit)
                                     : Case.How == Change::Set ? (Before | Case.Bit)
                                                               : (Before & ~Case.Bit);
      EXPECT_EQ(After, Expected);
      if (Case.Shown) {
        EXPECT_EQ(Case.Shown(*Form), (After & Case.Bit) != 0);
      }
    }
  }
}

// The defaults of a fresh installation show what the settings tables say: the results area hidden, the status
// bar, both toolbars, the message window, the resource window at the left and the link panel shown.
TEST_F(MainFormView, FreshSettingsGiveTheDefaultLayout) {
  // The layout passes of the window's start change no bit of the settings.
  EXPECT_EQ(I().flags.bits, 0x2FC2039Fu);
  EXPECT_EQ(I().flags2.bits, 0x3FF78000u);
  EXPECT_EQ(I().flags3.bits, 0x3FFFFFF0u);
  ASSERT_EQ(Form->ApplyViewSettings(VIEW_APPLY_SETTINGS | VIEW_NO_PREVIEW), 0);
  EXPECT_EQ(I().flags.bits, 0x2FC2039Fu);
  EXPECT_EQ(I().flags2.bits, 0x3FF78000u);
  EXPECT_FALSE(Form->ResultsPanel->Visible());
  EXPECT_TRUE(Form->StatusBar->Visible());
  EXPECT_TRUE(Form->EditorToolbar->Visible());
  EXPECT_TRUE(Form->SmallToolbar->Visible());
  EXPECT_TRUE(Form->MessageToolWindow->Visible());
  EXPECT_TRUE(Form->ResourcePanel->Visible());
  EXPECT_EQ(Form->ResourcePanel->Align(), alLeft);
  EXPECT_TRUE(Form->LinksPanel->Visible());
  EXPECT_FALSE(Form->Editor2Panel->Visible());
  EXPECT_EQ(Form->FullScreenState, 0);
  EXPECT_EQ(prg->volatileState->layoutReady, 1);
  EXPECT_TRUE(Form->EasyEdit1->Options().Contains(eoEnableSelection));
  EXPECT_TRUE(Form->EasyEdit1->Options().Contains(eoOverwriteBlocks));
  EXPECT_FALSE(Form->EasyEdit1->Options().Contains(eoPersistentBlocks));
}

TEST_F(MainFormView, MenuChecksFollowRandomBitWords) {
  struct CheckRow {
    TTBCustomItem* Item;
    Word In;
    std::uint32_t Bit;
  };
  const std::vector<CheckRow> Rows = {
      {Form->ViewSplitView, Word::F40, 0x8000},
      {Form->ViewSplitViewBtn, Word::F40, 0x8000},
      {Form->ViewHorzSplitBtn, Word::F40, 0x400000},
      {Form->ViewWebBrowser, Word::F40, 0x100000},
      {Form->ViewBrowserBtn, Word::F40, 0x100000},
      {Form->WBPreviewBtn, Word::F2, 0x40000},
      {Form->ViewLineNumbers, Word::F40, 0x80},
      {Form->ViewLineNumbersBtn, Word::F40, 0x80},
      {Form->ViewLineSeparators, Word::F40, 0x10000000},
      {Form->ViewRightMargin, Word::F40, 0x200},
      {Form->ViewToolbar, Word::F40, 0x4},
      {Form->ViewSmallToolbar, Word::F2, 0x8000000},
      {Form->ViewStatusBar, Word::F40, 0x8},
      {Form->ViewResource, Word::F40, 0x10},
      {Form->ViewResourceBtn, Word::F40, 0x10},
      {Form->ViewCSSInserter, Word::F2, 0x4000000},
      {Form->ViewTagInserter, Word::F2, 0x400000},
      {Form->ViewUserInserter, Word::F2, 0x80},
      {Form->ViewFullScreen, Word::F40, 0x800},
      {Form->ViewFullScreenBtn, Word::F40, 0x800},
      {Form->OptionsLiveSpell, Word::F3, 0x80},
      {Form->OptionsWordWrap, Word::F40, 0x2},
      {Form->OptionsWordWrapBtn, Word::F40, 0x2},
      {Form->DragDropViewDragDropWindow, Word::F40, 0x1000},
      {Form->ViewLinkInfoPanel, Word::F2, 0x10000},
      {Form->ViewSpecialSymbols, Word::F2, 0x8},
      {Form->ViewSymbolsBtn, Word::F2, 0x8},
      {Form->ViewWrapBookmark, Word::F3, 0x100},
      {Form->ViewMessage, Word::F3, 0x20},
      {Form->ViewResults, Word::F40, 0x400},
  };
  std::mt19937 Random(44);
  for (int Round = 0; Round < 20; ++Round) {
    for (Word W : {Word::F40, Word::F2, Word::F3}) {
      Bits(W) = static_cast<std::uint32_t>(Random());
    }
    prg->editorOptions->flags.bits = static_cast<std::uint32_t>(Random());
    Form->UpdateMenuChecks();
    for (const CheckRow& Row : Rows) {
      EXPECT_EQ(Row.Item->Checked(), (Bits(Row.In) & Row.Bit) != 0) << Row.Item->Name() << " round " << Round;
    }
    const std::uint32_t Options = prg->editorOptions->flags.bits;
    EXPECT_EQ(Form->OptionsSyntaxHighlighting->Checked(), (Options & 0x200000) != 0);
    EXPECT_EQ(Form->DragDropUseValidator->Checked(), (Options & 0x1) != 0);
    EXPECT_EQ(Form->DragDropUseTool->Checked(), (Options & 0x2) != 0);
    EXPECT_EQ(Form->LineHighlightButton->Checked(), (Options & 0x20000000) != 0);
    EXPECT_EQ(Form->ViewLineHighlighting->Checked(), (Options & 0x20000000) != 0);
    EXPECT_EQ(Form->ViewHorzSplitBtn->Enabled(), (Bits(Word::F40) & 0x8000) != 0);
    EXPECT_EQ(Form->ViewGutter->Checked(), Form->EasyEdit1->Options().Contains(eoPaintGutter));
  }
}

TEST_F(MainFormView, LayoutPassGuards) {
  // A pass inside a pass changes nothing.
  prg->volatileState->layoutReady = 0;
  I().flags.set(IF40::StatusBar, false);
  EXPECT_EQ(Form->ApplyViewSettings(0), 0);
  EXPECT_TRUE(Form->StatusBar->Visible());
  prg->volatileState->layoutReady = 1;

  // Minimised: only the editor display options and the shell options.
  SendMessage(Form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  Harness::RunUntilIdle();
  ASSERT_TRUE(IsIconic(Form->Handle()));
  I().flags.set(IF40::LineNumbers, false);
  I().flags2.set(IF2::DynamicShellRefresh, true);
  EXPECT_EQ(Form->ApplyViewSettings(0), 1);
  EXPECT_FALSE(Form->EasyEdit1->LineNumbers()->Visible());
  EXPECT_TRUE(Form->ShellTree->Options().Contains(ptstoDynamicRefresh));
  EXPECT_TRUE(Form->ShellList2->Options().Contains(ptsloDynamicRefresh));
  EXPECT_TRUE(Form->StatusBar->Visible());
  SendMessage(Form->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
  Harness::RunUntilIdle();
  EXPECT_EQ(Form->ApplyViewSettings(0), 0);
  EXPECT_FALSE(Form->StatusBar->Visible());

  prg->volatileState->shuttingDown = 1;
  EXPECT_EQ(Form->ApplyViewSettings(0), 2);
  EXPECT_EQ(Form->ApplySettings(APPLY_ALL), 2);
  prg->volatileState->shuttingDown = 0;
}

TEST_F(MainFormView, FullScreenTwiceLeavesStateAndFrame) {
  for (const TWindowState Start : {wsNormal, wsMaximized}) {
    SCOPED_TRACE(Start == wsNormal ? "normal" : "maximised");
    SendMessage(Form->Handle(), WM_SYSCOMMAND, Start == wsNormal ? SC_RESTORE : SC_MAXIMIZE, 0);
    Harness::RunUntilIdle();
    ASSERT_EQ(Form->WindowState(), Start);
    const LONG Style = GetWindowLong(Form->Handle(), GWL_STYLE);
    for (int Round = 0; Round < 2; ++Round) {
      Form->ViewFullScreenClick(nullptr);
      Harness::RunUntilIdle();
      EXPECT_EQ(Form->FullScreenState, 1);
      EXPECT_EQ(Form->WindowState(), wsMaximized);
      EXPECT_EQ(GetWindowLong(Form->Handle(), GWL_STYLE) & 0xC00000, 0);
      EXPECT_FALSE(Form->StatusBar->Visible());
      EXPECT_FALSE(Form->ResourcePanel->Visible());
      EXPECT_EQ(Form->ActiveControl(), Form->EasyEdit1);
      // A pass that finds the bit unchanged touches neither state nor frame.
      EXPECT_EQ(Form->ApplyViewSettings(0), 0);
      EXPECT_EQ(Form->FullScreenState, 1);
      Form->ViewFullScreenClick(nullptr);
      Harness::RunUntilIdle();
      EXPECT_EQ(Form->FullScreenState, 0);
      EXPECT_EQ(Form->WindowState(), Start);
      EXPECT_EQ(GetWindowLong(Form->Handle(), GWL_STYLE), Style);
      EXPECT_TRUE(Form->StatusBar->Visible());
      EXPECT_TRUE(Form->ResourcePanel->Visible());
    }
  }
}

TEST_F(MainFormView, FullScreenShowsTheResultsAreaOnlyWithBothBits) {
  I().flags.set(IF40::ResultsWindow, true);
  I().flags.set(IF40::FullScreen, true);
  ASSERT_EQ(Form->ApplyViewSettings(0), 0);
  EXPECT_TRUE(Form->ResultsPanel->Visible());
  I().flags.set(IF40::ResultsInFullScreen, false);
  ASSERT_EQ(Form->ApplyViewSettings(0), 0);
  EXPECT_FALSE(Form->ResultsPanel->Visible());
  I().flags.set(IF40::FullScreen, false);
  ASSERT_EQ(Form->ApplyViewSettings(0), 0);
  EXPECT_TRUE(Form->ResultsPanel->Visible());
}

// A window whose first pass finds full screen set leaves it to the normal state.
class MainFormStartsInFullScreen : public MainFormTest {
protected:
  void SetUp() override {
    PrepareFolders();
    Harness::Start();
    MakeRootAndSettings();
    prg->interface->flags.set(IF40::FullScreen, true);
    MakeForms();
  }
};

TEST_F(MainFormStartsInFullScreen, LeavingRestoresTheNormalState) {
  Form->Show();
  Harness::RunUntilIdle();
  EXPECT_EQ(Form->FullScreenState, 1);
  EXPECT_EQ(Form->WindowState(), wsMaximized);
  Form->ViewFullScreenClick(nullptr);
  Harness::RunUntilIdle();
  EXPECT_EQ(Form->WindowState(), wsNormal);
  EXPECT_NE(GetWindowLong(Form->Handle(), GWL_STYLE) & 0xC00000, 0);
}

TEST_F(MainFormView, ResultsAreaKeepsItsHeightAndNeverComesBackBelow150) {
  Form->ViewResultsClick(nullptr);
  ASSERT_TRUE(Form->ResultsPanel->Visible());
  Form->ResultsPanel->SetHeight(210);
  Form->HorzSplit1Change(nullptr);
  EXPECT_EQ(I().horzSplit1, 210);
  Form->ViewResultsClick(nullptr);
  EXPECT_FALSE(Form->ResultsPanel->Visible());
  EXPECT_EQ(I().horzSplit1, 210);
  Form->ViewResultsClick(nullptr);
  EXPECT_EQ(Form->ResultsPanel->Height(), 210);
  EXPECT_LT(Form->EditorResultsSplitter->Top(), Form->ResultsPanel->Top());

  Form->ViewResultsClick(nullptr);
  I().horzSplit1 = 90;
  Form->ViewResultsClick(nullptr);
  EXPECT_EQ(I().horzSplit1, 150);
  EXPECT_EQ(Form->ResultsPanel->Height(), 150);
}

TEST_F(MainFormView, ResourceWindowOnTopOfASmallWindowLowersTheStoredSizes) {
  Form->SetBounds(10, 10, 420, 330);
  Harness::RunUntilIdle();
  I().vertSplit1 = 400;
  I().horzSplit2 = 500;
  I().horzSplit2Second = 600;
  Form->MoveResourceToTopBtnClick(nullptr);
  const int Height = Form->MainPanel->Height();
  const int Width = Form->MainPanel->Width();
  EXPECT_EQ(I().vertSplit1, std::max(100, Height - 100));
  EXPECT_EQ(I().horzSplit2, Width - 50);
  EXPECT_EQ(I().horzSplit2Second, Width - 50);
  EXPECT_EQ(Form->ResourcePanel->Align(), alTop);
  EXPECT_EQ(Form->ShellTree1Panel->Align(), alLeft);
  EXPECT_FALSE(Form->MoveResourceToTopBtn->Enabled());
  EXPECT_TRUE(Form->MoveResourceToLeftBtn->Enabled());

  // A main panel smaller than the room the resource window needs keeps the minimums.
  Form->MainPanel->SetAlign(alNone);
  Form->MainPanel->SetBounds(0, 0, 40, 60);
  EXPECT_EQ(Form->PlaceResourceWindow(1), 0);
  EXPECT_EQ(I().vertSplit1, 100);
  EXPECT_GE(I().horzSplit2, 3);
  EXPECT_EQ(Form->VertSplit1->Height(), 3);
}

TEST_F(MainFormView, SplitViewSizesTheFirstEditorByItsShare) {
  I().editorSplit = 0.3f;
  for (const bool Stacked : {false, true, false}) {
    SCOPED_TRACE(Stacked ? "stacked" : "side by side");
    I().flags.set(IF40::SplitHorizontal, Stacked);
    I().flags.set(IF40::SplitView, true);
    ASSERT_EQ(Form->ApplyViewSettings(0), 0);
    const TAlign Along = Stacked ? alTop : alLeft;
    EXPECT_EQ(Form->Editor1Panel->Align(), Along);
    EXPECT_EQ(Form->EditorsSplitter->Align(), Along);
    const int Whole = Stacked ? Form->BothEditorsPanel->Height() : Form->BothEditorsPanel->Width();
    const int First = Stacked ? Form->Editor1Panel->Height() : Form->Editor1Panel->Width();
    EXPECT_NEAR(First, std::lround(0.3 * Whole), 1);
  }
  // The splitter writes the share back; within a pixel of what the panel shows.
  Form->Editor1Panel->SetWidth(Form->BothEditorsPanel->Width() / 2);
  Form->EditorsSplitterMoved(nullptr);
  EXPECT_NEAR(I().editorSplit * Form->BothEditorsPanel->Width(), Form->Editor1Panel->Width(), 1.0);
  Form->ViewSplitViewClick(nullptr);
  EXPECT_FALSE(Form->Editor2Panel->Visible());
  EXPECT_EQ(Form->Editor1Panel->Align(), alClient);
}

TEST_F(MainFormView, SplitHandlersSkipAZeroExtentAndStoredSharesThatAreNoFraction) {
  I().flags.set(IF40::SplitHorizontal, false);
  I().flags.set(IF40::SplitView, true);
  ASSERT_EQ(Form->ApplyViewSettings(0), 0);
  // A panel not laid out yet has no width to divide by.
  Form->BothEditorsPanel->SetAlign(alNone);
  Form->BothEditorsPanel->SetWidth(0);
  I().editorSplit = 0.25f;
  Form->EditorsSplitterMoved(nullptr);
  EXPECT_FLOAT_EQ(I().editorSplit, 0.25f);
  Form->BothEditorsPanel->SetAlign(alClient);
  for (const float Bad :
       {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(), 0.0f, 1.5f, -2.0f}) {
    I().editorSplit = Bad;
    I().flags.set(IF40::SplitView, false);
    ASSERT_EQ(Form->ApplyViewSettings(0), 0);
    Form->SetBounds(10, 10, 800, 600);
    Harness::RunUntilIdle();
    I().flags.set(IF40::SplitView, true);
    ASSERT_EQ(Form->ApplyViewSettings(0), 0);
    EXPECT_FLOAT_EQ(I().editorSplit, 0.5f);
    EXPECT_NEAR(Form->Editor1Panel->Width(), Form->BothEditorsPanel->Width() / 2.0, 1.0);
  }
  Form->StructureSheet->SetWidth(0);
  I().structureSplit = 0.4f;
  Form->StructureSplitterMoved(nullptr);
  EXPECT_FLOAT_EQ(I().structureSplit, 0.4f);
}

TEST_F(MainFormView, SplitterHandlersWriteTheSettings) {
  Form->ResourcePanel->SetWidth(260);
  Form->VertSplit1Moved(nullptr);
  EXPECT_EQ(I().vertSplit1, 260);
  Form->ShellTree1Panel->SetHeight(120);
  Form->Shell1SplitterMoved(nullptr);
  EXPECT_EQ(I().horzSplit2, Form->ShellTree1Panel->Align() == alTop ? 120 : Form->ShellTree1Panel->Width());
  Form->ShellTree2Panel->SetHeight(130);
  Form->Shell2SplitterMoved(nullptr);
  EXPECT_EQ(I().horzSplit2Second, Form->ShellTree2Panel->Align() == alTop ? 130 : Form->ShellTree2Panel->Width());
}

// The message window's cuts: a share of the window's extents, and a smaller window keeps its size.
TEST_F(MainFormView, DockRequestsAndMessageWindowCuts) {
  struct DockRow {
    TTBDock* Dock;
    bool AcceptsBrowser;
    bool AcceptsMessage;
  };
  using Request = void (TZUBQEForm::*)(TObject*, TTBCustomDockableWindow*, bool&);
  const std::vector<std::pair<Request, DockRow>> Docks = {
      {&TZUBQEForm::EditorMenuBarDockRequestDock, {Form->EditorMenuBarDock, false, true}},
      {&TZUBQEForm::SmallToolbarDockRequestDock, {Form->SmallToolbarDock, false, true}},
      {&TZUBQEForm::EditorLeftDockRequestDock, {Form->EditorLeftDock, false, true}},
      {&TZUBQEForm::ZUBQEFormBottomDockRequestDock, {Form->ResultWindowRightDock, false, true}},
      {&TZUBQEForm::ResultWindowLeftDockRequestDock, {Form->ResultWindowLeftDock, false, true}},
  };
  for (const auto& [Handler, Row] : Docks) {
    SCOPED_TRACE(Row.Dock->Name());
    EXPECT_EQ(Row.Dock->OnRequestDock != nullptr, true);
    bool Accept = !Row.AcceptsBrowser;
    (Form->*Handler)(Row.Dock, Form->WebBrowserToolWindow, Accept);
    EXPECT_EQ(Accept, Row.AcceptsBrowser);
    Accept = !Row.AcceptsMessage;
    (Form->*Handler)(Row.Dock, Form->MessageToolWindow, Accept);
    EXPECT_EQ(Accept, Row.AcceptsMessage);
  }
  bool Accept = true;
  Form->ResultWindowLeftDockRequestDock(Form->ResultWindowLeftDock, Form->SmallToolbar, Accept);
  EXPECT_FALSE(Accept);
  Form->EditorMenuBarDockRequestDock(Form->EditorMenuBarDock, Form->SmallToolbar, Accept);
  EXPECT_TRUE(Accept);

  struct CutRow {
    TTBDock* Dock;
    bool Width;
    std::function<int()> Limit;
  };
  const std::vector<CutRow> Cuts = {
      {Form->ResultWindowRightDock, true, [&] { return std::lround(0.3 * Form->MainPanel->Width()); }},
      {Form->ResultWindowLeftDock, true, [&] { return std::lround(0.3 * Form->MainPanel->Width()); }},
      {Form->EditorRightDock, true, [&] { return std::lround(0.3 * Form->MainPanel->Width()); }},
      {Form->EditorLeftDock, true, [&] { return std::lround(0.3 * Form->MainPanel->Width()); }},
      {Form->EditorMenuBarDock, false, [&] { return std::lround(0.25 * Form->ClientHeight()); }},
      {Form->SmallToolbarDock, true, [&] { return std::lround(0.3 * Form->BothEditorsPanel->Width()); }},
      {Form->EditorBottomDock, false, [&] { return std::lround(0.3 * Form->MainPanel->Height()); }},
  };
  TTBToolWindow* Window = Form->MessageToolWindow;
  for (const CutRow& Row : Cuts) {
    SCOPED_TRACE(Row.Dock->Name());
    Window->SetBounds(Window->Left(), Window->Top(), 2000, 2000);
    Form->MessageToolWindowDockChanging(Window, false, Row.Dock);
    EXPECT_EQ(Row.Width ? Window->Width() : Window->Height(), Row.Limit());
    Window->SetBounds(Window->Left(), Window->Top(), 20, 20);
    Form->MessageToolWindowDockChanging(Window, false, Row.Dock);
    EXPECT_EQ(Row.Width ? Window->Width() : Window->Height(), 20);
  }
  Window->SetBounds(Window->Left(), Window->Top(), 2000, 2000);
  Form->MessageToolWindowDockChanging(Window, true, nullptr);
  EXPECT_EQ(Window->Width(), 2000);

  Form->DisallowDragClick(nullptr);
  EXPECT_FALSE(Form->EditorMenuBarDock->AllowDrag());
  Form->AllowDragClick(nullptr);
  EXPECT_TRUE(Form->EditorMenuBarDock->AllowDrag());
}

TEST_F(MainFormView, SwitchingApplicationsKeepsTheWindowBits) {
  const std::uint32_t F2 = I().flags2.bits;
  const std::uint32_t F3 = I().flags3.bits;
  Application->OnDeactivate(Application);
  Harness::RunUntilIdle();
  Application->OnActivate(Application);
  Harness::RunUntilIdle();
  EXPECT_EQ(I().flags3.bits, F3);
  EXPECT_EQ(I().flags2.bits, F2);
  EXPECT_TRUE(I().flags3.has(IF3::MessageWindow));
}

std::vector<std::string> Captions(TTBCustomItem* Menu) {
  std::vector<std::string> Out;
  for (int I = 0; I < Menu->Count(); ++I) {
    TTBCustomItem* Item = Menu->Items(I);
    Out.push_back(dynamic_cast<TTBSeparatorItem*>(Item) ? "-" : Item->Caption() + (Item->Checked() ? "*" : ""));
  }
  return Out;
}

TEST_F(MainFormView, ValidateButtonMenuByEngineVersion) {
  ASSERT_EQ(Form->ApplySettings(APPLY_VALIDATE_MENU), 0);
  const std::vector<std::string> Named = Captions(Form->ValidateBigBtn);
  ASSERT_GE(Named.size(), 5u);
  EXPECT_EQ(Named.front(), "&Normal*");
  EXPECT_TRUE(Form->ValidateBigBtn->Items(0)->MaskOptions().Contains(tboDefault));
  EXPECT_EQ(std::vector<std::string>(Named.end() - 4, Named.end()),
            (std::vector<std::string>{"-", "Validate &All", "Validate with Batch &Wizard",
                                      "Validate All with Batch Wi&zard"}));
  EXPECT_EQ(Form->ValidateBigBtn->Items(static_cast<int>(Named.size()) - 2)->ShortCut(), TextToShortCut("Shift+F6"));
  const int Count = ZUBCalls.ZUBGetIntegerEZ(EngineConfigHandle(), ZUB_CONFIG_CONFIGURATION_COUNT);
  const bool LinkCheck = (ZUBCalls.ZUBGetIntegerEZ(EngineConfigHandle(), ZUB_CONFIG_LINK_CHECK_MENU) & 1) != 0;
  EXPECT_EQ(static_cast<int>(Named.size()), Count + (LinkCheck ? 1 : 0) + 4);

  // The current document's configuration is the one checked.
  fileinfoclass* Document = Form->GetCurrentFile();
  ASSERT_NE(Document, nullptr);
  Document->configurationNumber = 1;
  Form->ValidateBigBtnPopup(Form->ValidateBigBtn, false);
  EXPECT_EQ(Captions(Form->ValidateBigBtn).front(), "&Normal");
  EXPECT_TRUE(Form->ValidateBigBtn->Items(1)->Checked());

  // An engine of version 45090 names none.
  setenv("ZUBQ_ENGINE_VERSION", "45090", 1);
  Form->ValidateBigBtnPopup(Form->ValidateBigBtn, false);
  unsetenv("ZUBQ_ENGINE_VERSION");
  const std::vector<std::string> Plain = Captions(Form->ValidateBigBtn);
  std::vector<std::string> Expected = {"&Normal"};
  if (LinkCheck) {
    Expected.push_back("&Link check only");
  }
  for (const char* Fixed : {"-", "Validate &All", "Validate with Batch &Wizard", "Validate All with Batch Wi&zard"}) {
    Expected.push_back(Fixed);
  }
  EXPECT_EQ(Plain, Expected);
}

// The native skin needs the desktop's themes; without them the skin framework falls back to its Windows XP look.
TTBSkins NativeOrWindowsXP() {
  TTBSkin Probe(nullptr);
  Probe.SetSkinType(tbsNativeXP);
  return Probe.SkinType();
}

TEST_F(MainFormView, SkinTable) {
  struct SkinRow {
    bool Flat;
    int MenuSkin;
    TTBSkins Skin;
  };
  for (const SkinRow& Row :
       {SkinRow{true, 0, tbsOfficeXP}, SkinRow{false, 1, tbsDisabled}, SkinRow{true, 1, tbsOfficeXP},
        SkinRow{false, 0, tbsDisabled}, SkinRow{false, 2, NativeOrWindowsXP()}, SkinRow{false, 3, tbsWindowsXP},
        SkinRow{false, 7, tbsOfficeXP}}) {
    I().flags3.set(IF3::FlatMenus, Row.Flat);
    I().menuSkin = Row.MenuSkin;
    ASSERT_EQ(Form->ApplySettings(APPLY_SKIN), 0);
    EXPECT_EQ(Form->TBSkin->SkinType(), Row.Skin) << Row.Flat << " " << Row.MenuSkin;
  }
}

TEST_F(MainFormView, DragDropWindowShowsWithoutTheForegroundAndKeepsItsPlace) {
  EXPECT_EQ(Form->UpdateDragDropWindow(), 1);  // no window yet
  auto* Window = new TDragDropForm(Application);
  Window->AfterConstruction();
  const HWND Foreground = GetForegroundWindow();
  I().dragDropWindowTop = -30;
  I().dragDropWindowLeft = 45;
  Form->DragDropViewDragDropWindowClick(nullptr);
  EXPECT_TRUE(I().flags.has(IF40::DragDropWindow));
  EXPECT_TRUE(Form->DragDropViewDragDropWindow->Checked());
  EXPECT_TRUE(Window->Visible());
  EXPECT_EQ(Window->Top(), 0);
  EXPECT_EQ(Window->Left(), 45);
  EXPECT_EQ(GetForegroundWindow(), Foreground);
  Window->SetBounds(70, 80, Window->Width(), Window->Height());
  Form->HideDragDropWindowClick(nullptr);
  EXPECT_FALSE(Window->Visible());
  EXPECT_EQ(I().dragDropWindowTop, 80);
  EXPECT_EQ(I().dragDropWindowLeft, 70);
  delete Window;

  const std::uint32_t Options = prg->editorOptions->flags.bits;
  Form->DragDropUseValidatorClick(nullptr);
  Form->DragDropUseToolClick(nullptr);
  EXPECT_EQ(prg->editorOptions->flags.bits, Options ^ 0x3u);
  EXPECT_EQ(Form->DragDropUseTool->Checked(), (Options & 0x2) == 0);
}

TEST_F(MainFormView, TheApplicationsHintGoesToPanel3) {
  Application->Hint = "Short|The long hint";
  Form->ApplicationHint(Application);
  EXPECT_EQ(Form->StatusBar->Panels()->Items(3)->Text(), "The long hint");
}

// Positions written by one window come back in the next, through the settings saved at shutdown.
TEST_F(MainFormView, SplitPositionsSurviveARestart) {
  Form->ResourcePanel->SetWidth(250);
  Form->VertSplit1Moved(nullptr);
  Form->ViewResultsClick(nullptr);
  Form->ResultsPanel->SetHeight(190);
  Form->HorzSplit1Change(nullptr);
  I().flags.set(IF40::SplitHorizontal, false);
  I().flags.set(IF40::SplitView, true);
  ASSERT_EQ(Form->ApplyViewSettings(0), 0);
  Form->Editor1Panel->SetWidth(Form->BothEditorsPanel->Width() / 3);
  Form->EditorsSplitterMoved(nullptr);
  const int EditorWidth = Form->Editor1Panel->Width();
  ASSERT_EQ(SaveSettings(), 1);
  ASSERT_TRUE(CloseAndDestroy());
  MakeRootAndSettings();
  MakeForms();
  Form->Show();
  Harness::RunUntilIdle();
  EXPECT_EQ(Form->ResourcePanel->Width(), 250);
  EXPECT_EQ(Form->ResultsPanel->Height(), 190);
  ASSERT_EQ(Form->Editor1Panel->Align(), alLeft);
  EXPECT_NE(EditorWidth, Form->BothEditorsPanel->Width());
  EXPECT_NEAR(Form->Editor1Panel->Width(), EditorWidth, 1);
}

}  // namespace
