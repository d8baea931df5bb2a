// Set-up functions for editors, text stores, tab controls, menu bars and trees; placing, raising and focusing forms.
#include "core/Mainsetup.h"

#include "core/Enginejobs.h"
#include "core/Mainwindowservices.h"
#include "core/Prgclass.h"

#include "editor/Easyeditor.h"
#include "editor/Easyeditsource.h"
#include "editor/Easyparser.h"
#include "platform/controls/ComCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/Menus.h"
#include "platform/graphics/ImgList.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/WinUser.h"
#include "toolbars/Tb2toolbar.h"
#include "treeview/Dcntree.h"

#include <string>

namespace {

const char DefaultTabStops[] = "3,6,9,12";

// The names of the main form's components and handlers the set-up functions use.
const char GenericMemoPopupName[] = "GenericMemoPopup";
const char EditorPopupMenuName[] = "EditorPopupMenu";
const char ResultsPopupMenuName[] = "ResultsPopupMenu";
const char EditorParserName[] = "EasyEditorParser1";

// The structure tree's font.
const char StructureFontName[] = "Courier New";
constexpr int StructureFontSize = 10;
constexpr TColor StructureFontColor = 0x800000;
constexpr int StructureIndent = 19;

constexpr int DocumentGutterWidth = 22;

volatileclass* State() { return prg != nullptr ? prg->volatileState : nullptr; }

bool ShuttingDown() {
  volatileclass* V = State();
  return V != nullptr && V->shuttingDown != 0;
}

void SetPopupByName(TControl* Control, const char* Name) {
  if (auto* Menu = dynamic_cast<TPopupMenu*>(MainFormComponent(Name))) {
    Control->SetPopupMenu(Menu);
  }
}

// Binds an event to the main form's handler of that name. A main form without the handler leaves the event as it
// was; the form is the one place that decides which of its methods it publishes.
void Bind(TPersistent* Instance, const char* Event, const char* Method) {
  (void)BindMainFormHandler(Instance, Event, Method);
}

void SetGutterAndMargin(TCustomEasyEdit* Editor, bool On) {
  TEasyEditorOptions Options = Editor->Options();
  if (On) {
    Options.Include(eoPaintGutter);
    Options.Include(eoPaintMargin);
  } else {
    Options.Exclude(eoPaintGutter);
    Options.Exclude(eoPaintMargin);
  }
  Editor->SetOptions(Options);
}

void SetSharedSource(TCustomEasyEdit* Editor, TEasyEditSource* Source) {
  if (Source != nullptr) {
    Editor->SetEditSource(Source);
  }
}

void SetupStructureEditor(TCustomEasyEdit* Editor) {
  SetGutterAndMargin(Editor, false);
  SetPopupByName(Editor, GenericMemoPopupName);
  Editor->SetScrollBars(ssBoth);
  if (auto* Parser = dynamic_cast<TCustomEasyParser*>(MainFormComponent(EditorParserName))) {
    Editor->SetParser(Parser);
  }
  Editor->TabStop = true;
  Editor->SetWantTabs(false);
  Editor->SetEnabled(true);
  Editor->SetReadOnly(true);
  AddLineStyles(Editor, LINESTYLES_STRUCTURE);
}

void SetupResultsMessageEditor(TCustomEasyEdit* Editor) {
  SetGutterAndMargin(Editor, false);
  if (volatileclass* V = State()) {
    SetSharedSource(Editor, V->resultsMessageSource);
  }
  SetPopupByName(Editor, GenericMemoPopupName);
  Editor->SetScrollBars(ssVertical);
  Editor->SetWordWrap(true);
  Editor->TabStop = true;
  Editor->SetWantTabs(false);
  Editor->SetReadOnly(true);
}

void SetupScratchPad(TCustomEasyEdit* Editor, int Role) {
  if (volatileclass* V = State()) {
    SetSharedSource(Editor, (Role & EDITOR_SCRATCH_PAD_1) != 0 ? V->scratchPad1Source : V->scratchPad2Source);
  }
  SetGutterAndMargin(Editor, false);
  SetPopupByName(Editor, GenericMemoPopupName);
  Editor->SetScrollBars(ssVertical);
  Editor->SetWordWrap(true);
  Editor->TabStop = true;
  Editor->SetWantTabs(true);
  Editor->SetReadOnly(false);
}

void SetupPlainViewer(TCustomEasyEdit* Editor) {
  SetGutterAndMargin(Editor, false);
  Editor->SetScrollBars(ssBoth);
  Editor->LineNumbers()->SetVisible(true);
  Editor->SetWordWrap(true);
  Editor->TabStop = true;
  Editor->SetWantTabs(false);
  Editor->SetReadOnly(true);
  AddLineStyles(Editor, LINESTYLES_DOCUMENT);
}

void SetupDocumentEditor(TCustomEasyEdit* Editor) {
  Editor->SetScrollBars(ssBoth);
  SetPopupByName(Editor, EditorPopupMenuName);
  Editor->Gutter()->SetWidth(DocumentGutterWidth);
  Bind(Editor, "OnEnter", "EasyEditEnter");
  Bind(Editor, "OnGutterClick", "EasyEdit1GutterClick");
  Bind(Editor, "OnSourceChanged", "EasyEdit1SourceChanged");
  Editor->TabStop = true;
  Editor->SetWantTabs(true);
  if (prg != nullptr && prg->editorOptions != nullptr) {
    Editor->Margin()->SetPosition(prg->editorOptions->rightMargin);
  }
  AddLineStyles(Editor, LINESTYLES_DOCUMENT);
}

struct LineStyleRow {
  int Flag;
  const char* Name;
  TColor Color;
  TColor BackColor;
};

constexpr LineStyleRow LineStyleRows[] = {
    {LINESTYLES_DOCUMENT, "ZUBWarning line", 0x000000, 0x00FFFF},
    {LINESTYLES_DOCUMENT, "ZUBError line", 0xFFFFFF, 0x000080},
    {LINESTYLES_DOCUMENT, "ZUBMessage line", 0xFFFFFF, 0x800000},
    {LINESTYLES_DOCUMENT, "ZUBStruct line", 0xFFFFFF, 0x008000},
    {LINESTYLES_STRUCTURE, "ZUBStruct line", 0xFFFFFF, 0x008000},
};

}  // namespace

int SetupEditor(TCustomEasyEdit* Editor, int Role) {
  if (Editor == nullptr) {
    return -1;
  }
  Editor->SetUseGlobalSettings(false);
  if ((Role & EDITOR_STRUCTURE) != 0) {
    SetupStructureEditor(Editor);
  } else if ((Role & EDITOR_RESULTS_MESSAGE) != 0) {
    SetupResultsMessageEditor(Editor);
  } else if ((Role & (EDITOR_SCRATCH_PAD_1 | EDITOR_SCRATCH_PAD_2)) != 0) {
    SetupScratchPad(Editor, Role);
  } else if ((Role & EDITOR_PLAIN_VIEWER) != 0) {
    SetupPlainViewer(Editor);
  } else if (Role == EDITOR_DOCUMENT) {
    SetupDocumentEditor(Editor);
  }
  Editor->SetHideScrollBars(true);
  Editor->Gutter()->SetIndent(2);
  TEasyLineNumbers* Numbers = Editor->LineNumbers();
  Numbers->SetStartFrom(1);
  Numbers->SetAlignment(lnRight);
  Numbers->SetIndent(5);
  Numbers->SetLeftIndent(5);
  TEasyEditorOptions Options = Editor->Options();
  Options.Include(eoThumbTracking);
  Options.Include(eoOverwriteCaret);
  Options.Include(eoDisableSearchHighlight);
  Editor->SetOptions(Options);
  return 0;
}

void AddLineStyles(TCustomEasyEdit* Editor, int Flags) {
  if (Editor == nullptr) {
    return;
  }
  for (const LineStyleRow& Row : LineStyleRows) {
    if ((Flags & Row.Flag) == 0) {
      continue;
    }
    auto* Style = static_cast<TEasyLineStyle*>(Editor->LineStyles()->Add());
    Style->SetName(Row.Name);
    Style->SetColor(Row.Color);
    Style->SetBackColor(Row.BackColor);
  }
}

int SetupEditSource(TCustomEasyEditSource* Source, int) {
  if (Source == nullptr) {
    return SETUP_NO_SOURCE;
  }
  prgconfigclass* Config = prg != nullptr ? prg->editorOptions : nullptr;
  const std::string Stops = Config != nullptr ? std::string(Config->tabStops.text) : DefaultTabStops;
  try {
    Source->SetTabStops(Stops);
  } catch (const Exception&) {
    if (Config != nullptr) {
      Config->tabStops.assign(DefaultTabStops);
    }
    Source->SetTabStops(DefaultTabStops);
  }
  Source->SetUseGlobalSettings(true);
  TEasySourceOptions Options = Source->Options();
  Options.Include(srOptimalFill);
  Options.Include(srMoveUpAtLineBegin);
  Options.Include(srMoveDownAtLineEnd);
  Options.Include(srLeaveTabs);
  Options.Exclude(srHighlightUrls);
  Source->SetOptions(Options);
  return 0;
}

int SetupTabControl(TComponent* TabControl, int Flags) {
  auto* Tabs = dynamic_cast<TCustomTabControl*>(TabControl);
  if (Tabs == nullptr) {
    return -1;
  }
  if ((Flags & SETUP_APPLY) != 0) {
    Tabs->SetHotTrack(true);
    Tabs->DoubleBuffered = true;
  }
  return 0;
}

int SetupMenuBar(TComponent* Toolbar, int Flags) {
  auto* Bar = dynamic_cast<TTBCustomToolbar*>(Toolbar);
  if (Bar == nullptr || (Flags & SETUP_MENUBAR_MASK) == 0) {
    return 0;
  }
  Bar->SetMenuBar(true);
  Bar->SetFullSize(false);
  Bar->SetShrinkMode(tbsmWrap);
  Bar->CloseButton = false;
  Bar->SetProcessShortCuts(true);
  Bar->SmoothDrag = true;
  return 0;
}

int SetupTreeView(TComponent* Tree, int Flags) {
  auto* View = dynamic_cast<ZEZCustomTreeView*>(Tree);
  if (View == nullptr) {
    return 0;
  }
  View->RightClickSelect = true;
  View->SetShowHint(true);  // turns ParentShowHint off
  View->SetRowSelect(true);
  View->SetHideSelection(false);
  View->SetToolTips(true);
  View->ReadOnly = true;
  if ((Flags & TREEVIEW_RESULTS_MASK) != 0) {
    View->SetShowLines(false);
    Bind(View, "OnChange", "ResultsTreeViewChange");
    Bind(View, "OnClick", "ResultsTreeViewClick");
    Bind(View, "OnDblClick", "ResultsTreeViewDblClick");
    Bind(View, "OnRightClickNode", "ResultsTreeViewRightClickNode");
    SetPopupByName(View, ResultsPopupMenuName);
  }
  if ((Flags & TREEVIEW_STRUCTURE) != 0) {
    View->SetShowRoot(false);
    View->SetShowLines(true);
    View->SetIndent(StructureIndent);
    View->Font()->SetName(StructureFontName);
    View->Font()->SetSize(StructureFontSize);
    View->Font()->SetColor(StructureFontColor);
  }
  return 0;
}

void ApplyEditorAppearance(TCustomEasyEdit* Editor, int Flags) {
  if (Editor == nullptr || (Flags & SETUP_APPLY) == 0 || prg == nullptr || prg->editorOptions == nullptr) {
    return;
  }
  prgconfigclass* Config = prg->editorOptions;
  if (Config->editorFont != nullptr) {
    Config->editorFont->SetColor(Config->fontColor);
    Editor->Font()->Assign(Config->editorFont.get());
  }
  Editor->SetColor(Config->backgroundColor);
  Editor->LineNumbers()->SetBackColor(Config->backgroundColor);
  Editor->LineNumbers()->SetColor(Config->lineNumberColor);
  const bool OnlyText = prg->interface != nullptr && prg->interface->flags2.has(IF2::SelectOnlyText);
  TEasyEditorOptions Options = Editor->Options();
  if (OnlyText) {
    Options.Exclude(eoSelectBeyondEol);
  } else {
    Options.Include(eoSelectBeyondEol);
  }
  Editor->SetOptions(Options);
}

int PlaceFormOnScreen(TCustomForm* Form, int Left, int Top, int Width, int Height) {
  if (Form == nullptr) {
    return 0;
  }
  Left = Left == PLACE_FROM_FORM ? Form->Left() : Left;
  Top = Top == PLACE_FROM_FORM ? Form->Top() : Top;
  Width = Width == PLACE_FROM_FORM ? Form->Width() : Width;
  Height = Height == PLACE_FROM_FORM ? Form->Height() : Height;
  const int ScreenWidth = Screen->Width();
  const int ScreenHeight = Screen->Height();
  if (Top < 0) {
    Top = 0;
  } else if (Top >= ScreenHeight) {
    Top = ScreenHeight - Height;
  }
  if (Left < 0) {
    Left = 0;
  } else if (Left >= ScreenWidth) {
    Left = ScreenWidth - Width;
  }
  Form->SetBounds(Left, Top, Width, Height);
  return 0;
}

int BringFormToFront(TCustomForm* Form, int Flags) {
  if (Form == nullptr) {
    return -1;
  }
  if ((Flags & BRINGFRONT_STANDARD) != 0) {
    Flags = (Flags & BRINGFRONT_KEEP_APPLICATION) != 0 ? ((Flags & 0x91) | 0x2E) : (Flags | 0x6E);
  }
  if ((Flags & BRINGFRONT_RESTORE_APPLICATION) != 0 && Application->Minimized()) {
    Application->Restore();
  }
  if ((Flags & BRINGFRONT_UNMINIMIZE) != 0 && Form->WindowState() == wsMinimized) {
    (void)SetFormWindowState(Form, FORMSTATE_RESTORE);  // 0 or nothing while shutting down: either is fine here
  }
  if ((Flags & BRINGFRONT_SHOW) != 0) {
    Form->Show();
  }
  if ((Flags & BRINGFRONT_FOREGROUND) != 0) {
    SetForegroundWindow(Form->Handle());
  }
  if ((Flags & BRINGFRONT_FOCUS) != 0 && Form->CanFocus()) {
    Form->SetFocus();
  }
  if ((Flags & BRINGFRONT_ACTIVATE) != 0) {
    SetActiveWindow(Form->Handle());
  }
  return 0;
}

int SetFormWindowState(TCustomForm* Form, int State) {
  if (ShuttingDown()) {
    return 0;
  }
  if (Form == nullptr) {
    return -1;
  }
  switch (State) {
    case FORMSTATE_MAXIMIZE: SendMessage(Form->Handle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0); break;
    case FORMSTATE_MINIMIZE: SendMessage(Form->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0); break;
    case FORMSTATE_RESTORE:
      if (Form->WindowState() != wsNormal) {
        SendMessage(Form->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
      }
      break;
    default: Form->SetWindowState(static_cast<TWindowState>(State)); break;
  }
  return 0;
}

int SafeSetFocus(TControl* Control) {
  auto* Window = dynamic_cast<TWinControl*>(Control);
  if (ShuttingDown() || Window == nullptr || !Window->Visible() || !Window->CanFocus()) {
    return FOCUS_NOT_POSSIBLE;
  }
  try {
    Window->SetFocus();
  } catch (const Exception&) {
    // A control that refuses the focus at the last moment keeps things as they are; the caller goes on.
  }
  return Window == MainWindow().SplashForm() ? FOCUS_SET_ON_SPLASH : FOCUS_SET;
}

int ShowBatchWizard(TObject* Sender, int Flags) {
  BatchWizardServices& Wizard = BatchWizard();
  if (Wizard.BatchWizardForm() == nullptr && !Wizard.CreateBatchWizardForm()) {
    return 0;
  }
  TForm* Form = Wizard.BatchWizardForm();
  if (Form == nullptr) {
    return 0;
  }
  Wizard.RestoreWindow(1);
  Form->Show();
  if (TakeBatchWizardFirstShowing() && (Flags & BATCHWIZARD_NO_START) == 0) {
    Wizard.StartFirstShowing(Sender);
  }
  return 0;
}

int RevalidateLastDocument() {
  if (prg == nullptr || prg->volatileState == nullptr || prg->tools == nullptr) {
    return 0;
  }
  prg->volatileState->lastValidatedFile.assignStore(prg->tools->lastValidatedToolFile);
  // The engine reports its own failures to the user; the command has nothing more to do with the code.
  (void)ValidateDocument(nullptr, 0, VALIDATE_NAMED_FILE);
  return 0;
}

HWND GetDialogOwnerHandle(TObject* MenuItem, int Flags) {
  if ((Flags & SETUP_APPLY) == 0) {
    return 0;
  }
  BatchWizardServices& Wizard = BatchWizard();
  if (TForm* Form = Wizard.BatchWizardForm(); Form != nullptr && Wizard.IsAboutItem(MenuItem)) {
    return Form->Handle();
  }
  TForm* Main = MainWindow().MainForm();
  return Main != nullptr ? Main->Handle() : 0;
}

TImageList* NewImageList(TComponent* Owner) {
  auto* List = new TImageList(Owner);
  List->AfterConstruction();
  return List;
}
