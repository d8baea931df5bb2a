// The main window's layout from the interface settings: the view pass, the smaller refreshes, the menu checks,
// the results area, the resource window, split view, full screen, the splitters and the toolbar positions.
#include "mainwindow/Quickeditmainform.h"

#include "core/Editsourceoptions.h"
#include "core/Fileinfoclass.h"
#include "core/Mainsetup.h"
#include "core/Prgclass.h"
#include "core/Validatorlib.h"
#include "core/Volatileclass.h"

#include "editor/Easyeditgutter.h"
#include "platform/win/WinUser.h"
#include "toolbars/Tb2dockpositions.h"

#include <algorithm>
#include <cmath>

namespace {

// Where the toolbar and tool window positions are kept, beside the other interface settings.
constexpr char TOOLBAR_POSITIONS_KEY[] = "Software\\Palvane\\ZUB Quillon v4\\Editor\\Interface";
// The window style bits full screen takes away: caption and frame.
constexpr LONG FULL_SCREEN_STYLE_BITS = 0xC00000;
// The smallest results area shown again, and the room the resource window leaves the editors and tree panes.
constexpr int MIN_RESULTS_HEIGHT = 150;
constexpr int RESOURCE_ROOM = 100;
constexpr int TREE_ROOM = 50;
constexpr int MIN_RESOURCE_EXTENT = 100;
constexpr int SPLITTER_THICKNESS = 3;
// The browser's navigation to the current document's preview (the pane already on, the address shown, the
// refresh timer restarted).
constexpr int NAVIGATE_PREVIEW = 15;

bool Running() { return prg && prg->volatileState && prg->interface && prg->volatileState->shuttingDown == 0; }

// The extent of a control along an alignment: the width beside, the height above or below.
int ExtentAlong(TControl* Control, TAlign Align) {
  return (Align == alLeft || Align == alRight) ? Control->Width() : Control->Height();
}

void SetExtentAlong(TControl* Control, TAlign Align, int Extent) {
  if (Align == alLeft || Align == alRight) {
    Control->SetWidth(Extent);
  } else {
    Control->SetHeight(Extent);
  }
}

// Puts a splitter right after its control along their common alignment, so that it sits between the control and
// the rest.
void PlaceSplitterAfter(TControl* Splitter, TControl* Control, TAlign Align) {
  Splitter->SetAlign(Align);
  if (Align == alTop) {
    Splitter->SetTop(Control->Top() + Control->Height());
  } else if (Align == alLeft) {
    Splitter->SetLeft(Control->Left() + Control->Width());
  }
}

void SetSplitterThickness(TControl* Splitter) {
  if (Splitter->Align() == alLeft || Splitter->Align() == alRight) {
    Splitter->SetWidth(SPLITTER_THICKNESS);
  } else {
    Splitter->SetHeight(SPLITTER_THICKNESS);
  }
}

void SetButtonDown(TSpeedButton* Button, bool Down) {
  if (Button) {
    Button->SetDown(Down);
  }
}

void Check(TTBCustomItem* Item, bool On) {
  if (Item) {
    Item->SetChecked(On);
  }
}

// A stored share that is no fraction (outside (0, 1), or not a number at all) counts as half.
float UsableSplitShare(float Share) { return (Share > 0.0f && Share < 1.0f) ? Share : 0.5f; }

// The share of an extent in pixels, rounded to the nearest pixel.
int SplitExtent(float Share, int Extent) {
  return static_cast<int>(std::lround(static_cast<double>(UsableSplitShare(Share)) * Extent));
}

}  // namespace

int TZUBQEForm::ApplyViewSettings(int Flags) {
  if (!Running()) {
    return 2;
  }
  volatileclass* V = prg->volatileState;
  interfaceclass* I = prg->interface;
  if (V->layoutReady == 0) {
    return 0;  // a pass runs already
  }
  ApplyShellOptions();
  ApplyEditorDisplayOptions();
  if ((Flags & VIEW_EDITOR_ONLY) != 0) {
    UpdateMenuChecks();
    return 0;
  }
  if (HandleAllocated() && IsIconic(Handle())) {
    return 1;
  }
  (void)LockWindowUpdate(Handle());
  if ((Flags & VIEW_KEEP_DOCUMENT_TYPE) == 0) {
    if (fileinfoclass* Document = GetCurrentFile()) {
      (void)Document->UpdateDocumentType(0);  // an unknown kind stays plain text
    }
  }
  V->layoutReady = 0;
  if ((Flags & VIEW_KEEP_BOUNDS) == 0) {
    (void)ApplySettings(APPLY_FORM_BOUNDS);
  }
  EditorToolbar->SetVisible(I->flags.has(IF40::MainToolbar));
  SmallToolbar->SetVisible(I->flags2.has(IF2::SmallToolbar));
  MessageToolWindow->SetVisible(I->flags3.has(IF3::MessageWindow));
  ApplyFullScreen();
  UpdateMenuChecks();
  ApplySplitView();
  ApplyWebBrowserPane(Flags);
  if ((Flags & VIEW_APPLY_SETTINGS) != 0) {
    (void)ApplySettings(APPLY_ALL);
  }
  (void)LockWindowUpdate(0);
  V->layoutReady = 1;
  return 0;
}

void TZUBQEForm::ApplyShellOptions() {
  const bool Dynamic = prg->interface->flags2.has(IF2::DynamicShellRefresh);
  for (TPTShellTree* Tree : {ShellTree, ShellTree2}) {
    if (Tree) {
      TPTShellTreeOptions Options = Tree->Options();
      Dynamic ? Options.Include(ptstoDynamicRefresh) : Options.Exclude(ptstoDynamicRefresh);
      Tree->SetOptions(Options);
    }
  }
  for (TPTShellList* List : {ShellList, ShellList2}) {
    if (List) {
      TPTShellListOptions Options = List->Options();
      Dynamic ? Options.Include(ptsloDynamicRefresh) : Options.Exclude(ptsloDynamicRefresh);
      List->SetOptions(Options);
    }
  }
}

void TZUBQEForm::ApplyEditorDisplayOptions() {
  TEasyEdit* Active = CurrentEditor ? CurrentEditor : EasyEdit1;
  if (!Active) {
    return;
  }
  const interfaceclass* I = prg->interface;
  const auto Set = [](auto& Options, auto Option, bool On) { On ? Options.Include(Option) : Options.Exclude(Option); };
  TEasyEditorOptions Options = Active->Options();
  TEasyLineNumbers Numbers;
  Numbers.Assign(Active->LineNumbers());
  TEasyLineNumbersOptions NumberOptions = Numbers.Options();
  Set(Options, eoPaintGutter, I->flags.has(IF40::Gutter));
  Set(NumberOptions, lnPaintOnGutter, I->flags.has(IF40::Gutter));
  Numbers.SetOptions(NumberOptions);
  Numbers.SetVisible(I->flags.has(IF40::LineNumbers));
  Set(Options, eoPaintMargin, I->flags.has(IF40::RightMargin));
  Set(Options, eoDblClickLine, I->flags.has(IF40::DoubleClickLine));
  Set(Options, eoBreakWordsAtMargin, I->flags.has(IF40::WrapAtMargin));
  Set(Options, eoPaintFormattingMarks, I->flags2.has(IF2::SpecialSymbols));
  Set(Options, eoPersistentBlocks, I->flags2.has(IF2::PersistentBlocks));
  Set(Options, eoOverwriteBlocks, I->flags2.has(IF2::OverwriteBlocks));
  Set(Options, eoPaintWrapBookmark, I->flags3.has(IF3::WrapSymbol));
  Options.Include(eoEnableSelection);
  Options.Include(eoSelectFoundText);
  TEasyLineDividerOptions Divider = Active->LineDivider()->Options();
  Set(Divider, ldSeparateLines, I->flags.has(IF40::LineSeparators));
  for (TEasyEdit* Editor : {EasyEdit1, EasyEdit2}) {
    if (!Editor) {
      continue;
    }
    Editor->SetOptions(Options);
    Editor->SetLineNumbers(&Numbers);
    Editor->LineDivider()->SetOptions(Divider);
    Editor->SetWordWrap(I->flags.has(IF40::WordWrap));
  }
}

void TZUBQEForm::ApplyFullScreen() {
  const interfaceclass* I = prg->interface;
  const HWND Wnd = Handle();
  if (I->flags.has(IF40::FullScreen)) {
    if (FullScreenState == 0) {
      SavedWindowState = WindowState();
    }
    StatusBar->SetVisible(false);
    FocusActiveEditor(FOCUS_AS_ACTIVE_CONTROL);
    if (FullScreenState != 1) {
      SetWindowLong(Wnd, GWL_STYLE, GetWindowLong(Wnd, GWL_STYLE) & ~FULL_SCREEN_STYLE_BITS);
      (void)PlaceResourceWindow(0);
      FullScreenState = 1;
      SendMessage(Wnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
      SetWindowPos(Wnd, HWND_TOP, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE);
    }
    (void)ShowResultsArea(I->flags.has(IF40::ResultsInFullScreen) && I->flags.has(IF40::ResultsWindow) ? 1 : 0);
    return;
  }
  if (FullScreenState == 1) {
    SetWindowLong(Wnd, GWL_STYLE, GetWindowLong(Wnd, GWL_STYLE) | FULL_SCREEN_STYLE_BITS);
    (void)SetFormWindowState(this, static_cast<int>(SavedWindowState));
    SetWindowPos(Wnd, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE);
  }
  LinksPanel->SetVisible(I->flags2.has(IF2::LinkInfoPanel));
  StatusBar->SetVisible(I->flags.has(IF40::StatusBar));
  (void)ShowResultsArea(I->flags.has(IF40::ResultsWindow) ? 1 : 0);
  (void)PlaceResourceWindow(I->flags.has(IF40::ResourceWindow) ? 1 : 0);
  FullScreenState = 0;
}

void TZUBQEForm::ApplySplitView() {
  interfaceclass* I = prg->interface;
  if (!I->flags.has(IF40::SplitView)) {
    if (Editor2Panel->Visible()) {
      Editor2Panel->SetVisible(false);
      EditorsSplitter->SetVisible(false);
      Editor1Panel->SetAlign(alClient);
      (void)SafeSetFocus(EasyEdit1);  // a hidden window cannot take the focus: nothing to do then
    }
    return;
  }
  const TAlign Wanted = I->flags.has(IF40::SplitHorizontal) ? alTop : alLeft;
  I->editorSplit = UsableSplitShare(I->editorSplit);
  // The first editor takes its size before the splitter shows, so that the splitter lands right after it.
  const auto SizeFirst = [&] {
    SetExtentAlong(Editor1Panel, Wanted, SplitExtent(I->editorSplit, ExtentAlong(BothEditorsPanel, Wanted)));
  };
  if (!Editor2Panel->Visible()) {
    Editor1Panel->SetAlign(Wanted);
    SizeFirst();
    Editor2Panel->SetVisible(true);
    PlaceSplitterAfter(EditorsSplitter, Editor1Panel, Wanted);
    SetSplitterThickness(EditorsSplitter);
    EditorsSplitter->SetVisible(true);
    SizeFirst();
  }
  if (EditorsSplitter->Align() != Wanted || Editor1Panel->Align() != Wanted) {
    Editor1Panel->SetAlign(Wanted);
    SizeFirst();
    if (Wanted == alLeft) {
      Editor1Panel->SetLeft(0);
    } else {
      Editor1Panel->SetTop(0);
    }
    PlaceSplitterAfter(EditorsSplitter, Editor1Panel, Wanted);
    SetSplitterThickness(EditorsSplitter);
    SizeFirst();
  }
}

void TZUBQEForm::ApplyWebBrowserPane(int Flags) {
  interfaceclass* I = prg->interface;
  if (I->flags.has(IF40::WebBrowser)) {
    if (CreateWebBrowser() != 0) {
      I->flags.set(IF40::WebBrowser, false);
      UpdateMenuChecks();
      return;
    }
    if (!WebBrowserToolWindow->Visible()) {
      WebBrowserToolWindow->SetVisible(true);
      (void)ApplySettings(APPLY_BROWSER_STATUS_BAR);
      if ((Flags & VIEW_NO_PREVIEW) == 0 && (I->flags2.has(IF2::BrowserPreview) || !BrowserPreviewDone)) {
        NavigateWebBrowser(nullptr, NAVIGATE_PREVIEW);
        BrowserPreviewDone = true;
      }
    }
  } else if (WebBrowserToolWindow->Visible()) {
    (void)WaitForBrowser(1);  // without a browser there is nothing to stop
    WebBrowserToolWindow->SetVisible(false);
  }
}

void TZUBQEForm::FocusActiveEditor(int How) {
  TEasyEdit* Editor = CurrentEditor ? CurrentEditor : EasyEdit1;
  if (!Editor || !Visible() || !Editor->CanFocus()) {
    return;
  }
  if (How == FOCUS_AS_ACTIVE_CONTROL) {
    SetActiveControl(Editor);
  } else {
    (void)SafeSetFocus(Editor);  // 0 only when it cannot: checked above
  }
}

int TZUBQEForm::ApplySettings(int Flags) {
  if (!Running()) {
    return 2;
  }
  if ((Flags & APPLY_ALL) != 0) {
    Flags |= APPLY_ALL_MASK;
  }
  prgconfigclass* Config = prg->editorOptions;
  interfaceclass* I = prg->interface;
  if ((Flags & APPLY_RIGHT_MARGIN) != 0 && Config) {
    for (TEasyEdit* Editor : {EasyEdit1, EasyEdit2}) {
      if (Editor) {
        Editor->Margin()->SetPosition(Config->rightMargin);
      }
    }
  }
  if ((Flags & APPLY_TAB_STOPS) != 0) {
    (void)ApplyToAllDocuments(prg->volatileState->documents, ALLDOCUMENTS_TAB_STOPS);  // 1 only for kinds
  }
  if ((Flags & APPLY_APPEARANCE) != 0) {
    try {
      for (TEasyEdit* Editor : {EasyEdit1, EasyEdit2, StructureEdit, StructureEdit2, ScratchPad1Edit, ScratchPad2Edit,
                                ResultsMessageEdit}) {
        if (Editor) {
          ApplyEditorAppearance(Editor, SETUP_APPLY);
        }
      }
      ApplyBatchWizardAppearance();
    } catch (...) {
      // A font or colour an editor refuses ends the series; the editors keep what they had.
    }
  }
  if ((Flags & APPLY_OPENED_CAPTION) != 0 && OpenedTabSheet) {
    OpenedTabSheet->SetCaption("Open (" + std::to_string(prg->volatileState->documents->getCount()) + ")");
  }
  if ((Flags & APPLY_VALIDATE_MENU) != 0) {
    BuildValidateMenu();
  }
  if ((Flags & APPLY_SKIN) != 0) {
    ApplySkin();
  }
  if ((Flags & APPLY_MESSAGE_LINES) != 0) {
    (void)ApplyToAllDocuments(prg->volatileState->documents, ALLDOCUMENTS_MESSAGE_LINE_STYLES);
  }
  if ((Flags & APPLY_BROWSER_STATUS_BAR) != 0 && WebBrowserToolWindow->Visible() && WBStatusBar) {
    WBStatusBar->SetVisible(WebBrowserToolWindow->Floating());
  }
  if ((Flags & APPLY_SINGLE_CLICK_BUTTON) != 0) {
    SetButtonDown(ResultsWindowMsgSingleClickBtn, I->flags2.has(IF2::SingleClickMessages));
  }
  if ((Flags & APPLY_TOOLTIPS) != 0) {
    const bool Tips = I->flags2.has(IF2::MessageToolTips);
    SetButtonDown(ResultsWindowShowToolTips, Tips);
    for (ZEZTree* Tree : {ResultsTreeView, AccessibilityTreeView, StyleMessagesTreeView}) {
      if (Tree) {
        Tree->SetShowHint(Tips);
      }
    }
  }
  if ((Flags & APPLY_FORM_BOUNDS) != 0) {
    SaveFormBounds();
  }
  if ((Flags & APPLY_SELECT_BUTTON) != 0) {
    SetButtonDown(ResultsWindowSelectBtn, I->flags2.has(IF2::SelectMessageText));
  }
  if ((Flags & APPLY_MESSAGE_LINES) != 0) {
    UpdateMenuChecks();
  }
  return 0;
}

void TZUBQEForm::UpdateMenuChecks() {
  if (!prg || !prg->interface || !prg->editorOptions) {
    return;
  }
  const interfaceclass* I = prg->interface;
  const EditorOptionFlags Options = prg->editorOptions->flags;
  const bool Split = I->flags.has(IF40::SplitView);
  Check(ViewSplitView, Split);
  Check(ViewSplitViewBtn, Split);
  if (ViewHorzSplitBtn) {
    ViewHorzSplitBtn->SetEnabled(Split);
  }
  Check(ViewHorzSplitBtn, I->flags.has(IF40::SplitHorizontal));
  Check(ViewWebBrowser, I->flags.has(IF40::WebBrowser));
  Check(ViewBrowserBtn, I->flags.has(IF40::WebBrowser));
  Check(WBPreviewBtn, I->flags2.has(IF2::BrowserPreview));
  TEasyEdit* Active = CurrentEditor ? CurrentEditor : EasyEdit1;
  const bool Gutter = Active && Active->Options().Contains(eoPaintGutter);
  Check(ViewGutter, Gutter);
  Check(ViewGutterBtn, Gutter);
  Check(ViewLineNumbers, I->flags.has(IF40::LineNumbers));
  Check(ViewLineNumbersBtn, I->flags.has(IF40::LineNumbers));
  Check(ViewLineSeparators, I->flags.has(IF40::LineSeparators));
  Check(ViewRightMargin, I->flags.has(IF40::RightMargin));
  Check(ViewToolbar, I->flags.has(IF40::MainToolbar));
  Check(ViewSmallToolbar, I->flags2.has(IF2::SmallToolbar));
  Check(ViewStatusBar, I->flags.has(IF40::StatusBar));
  Check(ViewResource, I->flags.has(IF40::ResourceWindow));
  Check(ViewResourceBtn, I->flags.has(IF40::ResourceWindow));
  Check(ViewCSSInserter, I->flags2.has(IF2::CSSInserter));
  Check(ViewTagInserter, I->flags2.has(IF2::TagInserter));
  Check(ViewUserInserter, I->flags2.has(IF2::UserInserter));
  Check(ViewFullScreen, I->flags.has(IF40::FullScreen));
  Check(ViewFullScreenBtn, I->flags.has(IF40::FullScreen));
  Check(OptionsLiveSpell, I->flags3.has(IF3::LiveSpelling));
  Check(OptionsWordWrap, I->flags.has(IF40::WordWrap));
  Check(OptionsWordWrapBtn, I->flags.has(IF40::WordWrap));
  Check(OptionsSyntaxHighlighting, Options.has(EOF40::SyntaxHighlighting));
  Check(OptionsLoggingEnable, EngineLoggingEnabled());
  Check(DragDropUseValidator, Options.has(EOF40::ValidateDropped));
  Check(DragDropUseTool, Options.has(EOF40::ToolOnDropped));
  Check(DragDropViewDragDropWindow, I->flags.has(IF40::DragDropWindow));
  Check(ViewLinkInfoPanel, I->flags2.has(IF2::LinkInfoPanel));
  Check(ViewSpecialSymbols, I->flags2.has(IF2::SpecialSymbols));
  Check(ViewSymbolsBtn, I->flags2.has(IF2::SpecialSymbols));
  Check(ViewWrapBookmark, I->flags3.has(IF3::WrapSymbol));
  Check(ViewLineHighlighting, Options.has(EOF40::WholeLineHighlight));
  Check(LineHighlightButton, Options.has(EOF40::WholeLineHighlight));
  Check(ViewMessage, I->flags3.has(IF3::MessageWindow));
  Check(ViewResults, I->flags.has(IF40::ResultsWindow));
}

int TZUBQEForm::ShowResultsArea(int Show) {
  if (EditorResultsSplitter->Visible() && Show == 0) {
    prg->interface->horzSplit1 = ResultsPanel->Height();
    EditorResultsSplitter->SetVisible(false);
    ResultsPanel->SetVisible(false);
  } else if (!EditorResultsSplitter->Visible() && Show == 1) {
    interfaceclass* I = prg->interface;
    I->horzSplit1 = std::max(I->horzSplit1, MIN_RESULTS_HEIGHT);
    ResultsPanel->SetVisible(true);
    ResultsPanel->SetHeight(I->horzSplit1);
    // The splitter goes right above the panel.
    EditorResultsSplitter->SetTop(ResultsPanel->Top() - 1);
    EditorResultsSplitter->SetVisible(true);
  }
  return 0;
}

int TZUBQEForm::PlaceResourceWindow(int Show) {
  if (Show == 0) {
    if (ResourcePanel->Visible()) {
      ResourcePanel->SetVisible(false);
    }
    if (VertSplit1->Visible()) {
      VertSplit1->SetVisible(false);
    }
    return 0;
  }
  interfaceclass* I = prg->interface;
  const bool OnTop = I->flags.has(IF40::ResourceWindowAtTop);
  const TAlign ResourceAlign = OnTop ? alTop : alLeft;
  const TAlign TreeAlign = OnTop ? alLeft : alTop;
  ResourcePanel->SetVisible(true);
  VertSplit1->SetVisible(true);
  ResourcePanel->SetAlign(ResourceAlign);
  if (OnTop) {
    ResourcePanel->SetTop(0);
  } else {
    ResourcePanel->SetLeft(0);
  }
  PlaceSplitterAfter(VertSplit1, ResourcePanel, ResourceAlign);
  const std::pair<TPanel*, TSplitter*> Trees[] = {{ShellTree1Panel, Shell1Splitter}, {ShellTree2Panel, Shell2Splitter}};
  for (const auto& [Panel, Splitter] : Trees) {
    Panel->SetAlign(TreeAlign);
    PlaceSplitterAfter(Splitter, Panel, TreeAlign);
  }
  MoveResourceToLeftBtn->SetEnabled(OnTop);
  MoveResourceToTopBtn->SetEnabled(!OnTop);
  // A small main panel leaves no room below the minimums: the sizes stop there.
  const int ResourceExtent =
      std::max(MIN_RESOURCE_EXTENT, (OnTop ? MainPanel->Height() : MainPanel->Width()) - RESOURCE_ROOM);
  const int TreeExtent = std::max(SPLITTER_THICKNESS, (OnTop ? MainPanel->Width() : MainPanel->Height()) - TREE_ROOM);
  for (TSplitter* Splitter : {VertSplit1, Shell1Splitter, Shell2Splitter}) {
    SetSplitterThickness(Splitter);
  }
  ResourcePanel->Constraints()->SetMinWidth(MIN_RESOURCE_EXTENT);
  ResourcePanel->Constraints()->SetMinHeight(MIN_RESOURCE_EXTENT);
  I->vertSplit1 = std::max(MIN_RESOURCE_EXTENT, std::min(I->vertSplit1, ResourceExtent));
  I->horzSplit2 = std::max(SPLITTER_THICKNESS, std::min(I->horzSplit2, TreeExtent));
  I->horzSplit2Second = std::max(SPLITTER_THICKNESS, std::min(I->horzSplit2Second, TreeExtent));
  SetExtentAlong(ResourcePanel, ResourceAlign, I->vertSplit1);
  SetExtentAlong(ShellTree1Panel, TreeAlign, I->horzSplit2);
  SetExtentAlong(ShellTree2Panel, TreeAlign, I->horzSplit2Second);
  return 0;
}

// ---- Splitters and resizing -----------------------------------------------------------------------------------

void TZUBQEForm::HorzSplit1Change(TObject*) {
  if (Running() && EditorResultsSplitter->Visible()) {
    prg->interface->horzSplit1 = ResultsPanel->Height();
  }
}

void TZUBQEForm::VertSplit1Moved(TObject*) {
  if (Running()) {
    prg->interface->vertSplit1 = ExtentAlong(ResourcePanel, ResourcePanel->Align());
  }
}

void TZUBQEForm::Shell1SplitterMoved(TObject*) {
  if (Running()) {
    prg->interface->horzSplit2 = ExtentAlong(ShellTree1Panel, ShellTree1Panel->Align());
  }
}

void TZUBQEForm::Shell2SplitterMoved(TObject*) {
  if (Running()) {
    prg->interface->horzSplit2Second = ExtentAlong(ShellTree2Panel, ShellTree2Panel->Align());
  }
}

void TZUBQEForm::EditorsSplitterMoved(TObject*) {
  const TAlign Align = Editor1Panel->Align();
  const int Whole = ExtentAlong(BothEditorsPanel, Align);
  // A window not laid out yet (or minimised) has no extent to divide by; a layout pass that moves the splitter
  // itself is no choice of the user's.
  if (Running() && Whole > 0 && prg->volatileState->layoutReady != 0 && (Align == alLeft || Align == alTop)) {
    prg->interface->editorSplit =
        UsableSplitShare(static_cast<float>(ExtentAlong(Editor1Panel, Align)) / static_cast<float>(Whole));
  }
}

void TZUBQEForm::BothEditorsPanelResize(TObject*) {
  const TAlign Align = Editor1Panel->Align();
  if (Running() && (Align == alLeft || Align == alTop)) {
    SetExtentAlong(Editor1Panel, Align, SplitExtent(prg->interface->editorSplit, ExtentAlong(BothEditorsPanel, Align)));
  }
}

void TZUBQEForm::StructureSplitterMoved(TObject*) {
  if (Running() && StructureSheet->Width() > 0) {
    prg->interface->structureSplit =
        static_cast<float>(TagCountListView->Width()) / static_cast<float>(StructureSheet->Width());
  }
}

void TZUBQEForm::StructureSheetResize(TObject*) {
  if (Running() && StructureSheet->Width() > 0) {
    TagCountListView->SetWidth(SplitExtent(prg->interface->structureSplit, StructureSheet->Width()));
  }
}

void TZUBQEForm::ScratchSplitterMoved(TObject*) {
  if (Running() && ScratchSheet->Width() > 0) {
    prg->interface->scratchPadSplit =
        static_cast<float>(ScratchPad1Edit->Width()) / static_cast<float>(ScratchSheet->Width());
  }
}

void TZUBQEForm::ScratchSheetResize(TObject*) {
  if (Running() && ScratchSheet->Width() > 0) {
    ScratchPad1Edit->SetWidth(SplitExtent(prg->interface->scratchPadSplit, ScratchSheet->Width()));
  }
}

void TZUBQEForm::ScratchPad2EditResize(TObject*) {
  constexpr int MinScratchPadWidth = 50;
  if (ScratchPad2Edit->Width() < MinScratchPadWidth && ScratchPad1Edit->Width() > MinScratchPadWidth) {
    ScratchPad1Edit->SetWidth(
        std::max(MinScratchPadWidth, ScratchSheet->ClientWidth() - MinScratchPadWidth - ScratchSplitter->Width()));
  }
}

void TZUBQEForm::Panel20Resize(TObject*) {
  constexpr int MinComboWidth = 50;
  if (OpenCombo) {
    OpenCombo->SetWidth(std::max(MinComboWidth, Panel20->ClientWidth() - 2));
  }
}

void TZUBQEForm::FormResize(TObject*) {}
void TZUBQEForm::FormCanResize(TObject*, int&, int&, bool&) {}
void TZUBQEForm::ResultsPanelResize(TObject*) {}
void TZUBQEForm::EditorDecorationPanelResize(TObject*) {}
void TZUBQEForm::DecorationPanelLeftResize(TObject*) {}
void TZUBQEForm::EditorMenuBarDockResize(TObject*) {}

// ---- Toolbar positions ------------------------------------------------------------------------------------------

void TZUBQEForm::SaveToolbarPositions() { TBRegSavePositions(this, HKEY_CURRENT_USER, TOOLBAR_POSITIONS_KEY); }

void TZUBQEForm::LoadToolbarPositions() { TBRegLoadPositions(this, HKEY_CURRENT_USER, TOOLBAR_POSITIONS_KEY); }
