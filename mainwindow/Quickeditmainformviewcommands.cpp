// The View and layout commands of the main window, its docks, the Validate button's menu, the skin, the
// drag-and-drop window and the application's hint.
#include "mainwindow/Quickeditmainform.h"

#include "core/Dragdropwindow.h"
#include "core/Fileinfoclass.h"
#include "core/Mainsetup.h"
#include "core/Prgclass.h"
#include "core/Validatorlib.h"
#include "core/Volatileclass.h"

#include "platform/controls/Menus.h"
#include "platform/win/WinUser.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

bool Running() { return prg && prg->volatileState && prg->interface && prg->volatileState->shuttingDown == 0; }

// The status bar panel the application's hints go to.
constexpr int HINT_PANEL = 3;
// The engine's version (times 10,000) above which it names its validator configurations.
constexpr int NAMED_CONFIGURATIONS_AFTER_VERSION = 45090;
constexpr int ENGINE_VERSION_PROPERTY = 16000;
// The Validate menu's number for "link check only".
constexpr int CONFIGURATION_LINK_CHECK_ONLY = -2;
// The link-check mode of the Validate menu's link-check item (the check of the current document).
constexpr int LINK_CHECK_CURRENT = 1;
// Shares of the main window's extents the message window is cut to when it docks.
constexpr double SIDE_DOCK_SHARE = 0.3;
constexpr double TOP_DOCK_SHARE = 0.25;

// Flips a bit of an interface word.
template <class Word, class Bit>
void Flip(Word& W, Bit B) {
  W.toggle(B);
}

TDragDropForm* FindDragDropForm() {
  for (int I = 0; I < Screen->FormCount(); ++I) {
    if (auto* Form = dynamic_cast<TDragDropForm*>(Screen->Forms(I))) {
      return Form;
    }
  }
  return nullptr;
}

}  // namespace

// ---- View commands ----------------------------------------------------------------------------------------------

void TZUBQEForm::ViewToolbarClick(TObject*) {
  if (Running()) {
    Flip(prg->interface->flags, IF40::MainToolbar);
    (void)ApplyViewSettings(0);
  }
}

void TZUBQEForm::HideSpeedBarClick(TObject*) {
  if (Running()) {
    prg->interface->flags.set(IF40::MainToolbar, false);
    (void)ApplyViewSettings(0);
  }
}

void TZUBQEForm::EditorToolbarClose(TObject*) {
  if (Running()) {
    prg->interface->flags.set(IF40::MainToolbar, false);
    (void)ApplyViewSettings(0);
  }
}

void TZUBQEForm::EditorToolbarVisibleChanged(TObject*) {
  if (Running() && EditorToolbar) {
    prg->interface->flags.set(IF40::MainToolbar, EditorToolbar->Visible());
    (void)ApplyViewSettings(0);  // 0 at once while a layout pass runs
  }
}

void TZUBQEForm::ViewSmallToolbarClick(TObject*) {
  if (Running()) {
    Flip(prg->interface->flags2, IF2::SmallToolbar);
    (void)ApplyViewSettings(0);
  }
}

void TZUBQEForm::SmallToolbarVisibleChanged(TObject*) {
  if (Running() && SmallToolbar) {
    prg->interface->flags2.set(IF2::SmallToolbar, SmallToolbar->Visible());
    (void)ApplyViewSettings(0);
  }
}

void TZUBQEForm::ViewStatusBarClick(TObject*) {
  if (Running()) {
    Flip(prg->interface->flags, IF40::StatusBar);
    (void)ApplyViewSettings(0);
  }
}

void TZUBQEForm::HideStatusBarClick(TObject*) {
  if (Running()) {
    prg->interface->flags.set(IF40::StatusBar, false);
    (void)ApplyViewSettings(0);
  }
}

void TZUBQEForm::ViewResourceClick(TObject*) {
  if (!Running()) {
    return;
  }
  Flip(prg->interface->flags, IF40::ResourceWindow);
  (void)ApplyViewSettings(0);
  if (Screen->ActiveControl() == nullptr) {
    FocusActiveEditor(FOCUS_SAFELY);
  }
}

void TZUBQEForm::MoveResourceToTopBtnClick(TObject*) {
  if (Running()) {
    prg->interface->flags.set(IF40::ResourceWindowAtTop, true);
    (void)ApplyViewSettings(0);
  }
}

void TZUBQEForm::MoveResourceToLeftBtnClick(TObject*) {
  if (Running()) {
    prg->interface->flags.set(IF40::ResourceWindowAtTop, false);
    (void)ApplyViewSettings(0);
  }
}

void TZUBQEForm::ViewResultsClick(TObject*) {
  if (!Running()) {
    return;
  }
  Flip(prg->interface->flags, IF40::ResultsWindow);
  (void)ApplyViewSettings(0);
  (void)ShowDocumentResults(GetCurrentFile(), 0);  // an empty area says so itself
}

void TZUBQEForm::HideResultsWindowClick(TObject*) {
  if (Running()) {
    prg->interface->flags.set(IF40::ResultsWindow, false);
    (void)ApplyViewSettings(0);
    FocusActiveEditor(FOCUS_SAFELY);
  }
}

void TZUBQEForm::ViewMessageClick(TObject*) {
  if (Running()) {
    Flip(prg->interface->flags3, IF3::MessageWindow);
    (void)ApplyViewSettings(0);
  }
}

void TZUBQEForm::MessageToolWindowVisibleChanged(TObject*) {
  if (Running() && MessageToolWindow) {
    prg->interface->flags3.set(IF3::MessageWindow, MessageToolWindow->Visible());
    (void)ApplyViewSettings(0);
  }
}

void TZUBQEForm::ViewFullScreenClick(TObject*) {
  if (Running()) {
    Flip(prg->interface->flags, IF40::FullScreen);
    (void)ApplyViewSettings(0);
    FocusActiveEditor(FOCUS_AS_ACTIVE_CONTROL);
  }
}

void TZUBQEForm::ViewSplitViewClick(TObject*) {
  if (Running()) {
    Flip(prg->interface->flags, IF40::SplitView);
    (void)ApplyViewSettings(0);
  }
}

void TZUBQEForm::ViewHorzSplitBtnClick(TObject*) {
  if (Running()) {
    Flip(prg->interface->flags, IF40::SplitHorizontal);
    (void)ApplyViewSettings(0);
  }
}

void TZUBQEForm::ViewGutterClick(TObject*) {
  if (Running()) {
    Flip(prg->interface->flags, IF40::Gutter);
    (void)ApplyViewSettings(VIEW_EDITOR_ONLY);
  }
}

void TZUBQEForm::ViewLineNumbersClick(TObject*) {
  if (Running()) {
    Flip(prg->interface->flags, IF40::LineNumbers);
    (void)ApplyViewSettings(VIEW_EDITOR_ONLY);
  }
}

void TZUBQEForm::ViewRightMarginClick(TObject*) {
  if (Running()) {
    Flip(prg->interface->flags, IF40::RightMargin);
    (void)ApplyViewSettings(VIEW_EDITOR_ONLY);
  }
}

void TZUBQEForm::ViewLineSeparatorsClick(TObject*) {
  if (Running()) {
    Flip(prg->interface->flags, IF40::LineSeparators);
    (void)ApplyViewSettings(VIEW_EDITOR_ONLY);
  }
}

void TZUBQEForm::ViewSymbolsButtonClick(TObject*) {
  if (Running()) {
    Flip(prg->interface->flags2, IF2::SpecialSymbols);
    (void)ApplyViewSettings(VIEW_EDITOR_ONLY);
  }
}

void TZUBQEForm::OptionsWordWrapClick(TObject*) {
  if (Running()) {
    Flip(prg->interface->flags, IF40::WordWrap);
    UpdateMenuChecks();
    (void)ApplyViewSettings(0);
  }
}

void TZUBQEForm::LineHighlightButtonClick(TObject*) {
  if (Running() && prg->editorOptions) {
    Flip(prg->editorOptions->flags, EOF40::WholeLineHighlight);
    (void)ApplySettings(APPLY_MESSAGE_LINES);
  }
}

// ---- The drag-and-drop window -----------------------------------------------------------------------------------

void TZUBQEForm::DragDropViewDragDropWindowClick(TObject*) {
  if (Running()) {
    Flip(prg->interface->flags, IF40::DragDropWindow);
    UpdateMenuChecks();
    (void)UpdateDragDropWindow();  // 1 when there is no window to show
  }
}

void TZUBQEForm::HideDragDropWindowClick(TObject*) {
  if (Running()) {
    prg->interface->flags.set(IF40::DragDropWindow, false);
    UpdateMenuChecks();
    (void)UpdateDragDropWindow();
  }
}

void TZUBQEForm::DragDropUseValidatorClick(TObject*) {
  if (Running() && prg->editorOptions) {
    Flip(prg->editorOptions->flags, EOF40::ValidateDropped);
    UpdateMenuChecks();
  }
}

void TZUBQEForm::DragDropUseToolClick(TObject*) {
  if (Running() && prg->editorOptions) {
    Flip(prg->editorOptions->flags, EOF40::ToolOnDropped);
    UpdateMenuChecks();
  }
}

int TZUBQEForm::UpdateDragDropWindow() {
  TDragDropForm* Window = FindDragDropForm();
  if (Window == nullptr || !prg || !prg->interface) {
    return 1;
  }
  interfaceclass* I = prg->interface;
  if (I->flags.has(IF40::DragDropWindow)) {
    const HWND Foreground = GetForegroundWindow();
    I->dragDropWindowTop = std::max(0, I->dragDropWindowTop);
    I->dragDropWindowLeft = std::max(0, I->dragDropWindowLeft);
    Window->SetBounds(I->dragDropWindowLeft, I->dragDropWindowTop, Window->Width(), Window->Height());
    ShowWindow(Window->Handle(), SW_SHOWNOACTIVATE);
    Window->SetVisible(true);
    if (Foreground != 0) {
      SetForegroundWindow(Foreground);
    }
  } else {
    I->dragDropWindowTop = Window->Top();
    I->dragDropWindowLeft = Window->Left();
    Window->SetVisible(false);
  }
  return 0;
}

void TZUBQEForm::ApplicationHint(TObject*) {
  if (StatusBar && StatusBar->Panels()->Count() > HINT_PANEL) {
    StatusBar->Panels()->Items(HINT_PANEL)->SetText(GetLongHint(Application->Hint));
  }
}

// ---- Docking ----------------------------------------------------------------------------------------------------

void TZUBQEForm::EditorMenuBarDockRequestDock(TObject*, TTBCustomDockableWindow* Bar, bool& Accept) {
  Accept = Bar != WebBrowserToolWindow;
}

void TZUBQEForm::SmallToolbarDockRequestDock(TObject*, TTBCustomDockableWindow* Bar, bool& Accept) {
  Accept = Bar != WebBrowserToolWindow;
}

void TZUBQEForm::EditorLeftDockRequestDock(TObject*, TTBCustomDockableWindow* Bar, bool& Accept) {
  Accept = Bar != WebBrowserToolWindow;
}

void TZUBQEForm::ZUBQEFormBottomDockRequestDock(TObject*, TTBCustomDockableWindow* Bar, bool& Accept) {
  Accept = Bar != WebBrowserToolWindow;
}

void TZUBQEForm::ResultWindowLeftDockRequestDock(TObject*, TTBCustomDockableWindow* Bar, bool& Accept) {
  Accept = Bar == MessageToolWindow;
}

void TZUBQEForm::MessageToolWindowDockChanging(TObject*, bool Floating, TTBDock* DockingTo) {
  if (Floating || DockingTo == nullptr || !MessageToolWindow) {
    return;
  }
  const auto Cut = [](int Extent, double Share) { return static_cast<int>(std::lround(Extent * Share)); };
  if (DockingTo == ResultWindowRightDock || DockingTo == ResultWindowLeftDock || DockingTo == EditorRightDock ||
      DockingTo == EditorLeftDock) {
    MessageToolWindow->SetWidth(std::min(MessageToolWindow->Width(), Cut(MainPanel->Width(), SIDE_DOCK_SHARE)));
  } else if (DockingTo == EditorMenuBarDock) {
    MessageToolWindow->SetHeight(std::min(MessageToolWindow->Height(), Cut(ClientHeight(), TOP_DOCK_SHARE)));
  } else if (DockingTo == SmallToolbarDock) {
    MessageToolWindow->SetWidth(std::min(MessageToolWindow->Width(), Cut(BothEditorsPanel->Width(), SIDE_DOCK_SHARE)));
  } else if (DockingTo == EditorBottomDock) {
    MessageToolWindow->SetHeight(std::min(MessageToolWindow->Height(), Cut(MainPanel->Height(), SIDE_DOCK_SHARE)));
  }
}

void TZUBQEForm::AllowDragClick(TObject*) { EditorMenuBarDock->SetAllowDrag(true); }

void TZUBQEForm::DisallowDragClick(TObject*) { EditorMenuBarDock->SetAllowDrag(false); }

// ---- The Validate button's menu and the skin ----------------------------------------------------------------

void TZUBQEForm::ValidateBigBtnPopup(TTBCustomItem*, bool) {
  if (Running()) {
    BuildValidateMenu();
  }
}

void TZUBQEForm::BuildValidateMenu() {
  if (!ValidateBigBtn) {
    return;
  }
  ValidateBigBtn->Clear();
  fileinfoclass* Document = GetCurrentFile();
  const int Current = Document ? Document->configurationNumber : -1;
  const auto AddNumbered = [this, Current](const std::string& Caption, int Number) {
    auto* Item = new TTBItem(this);
    Item->SetCaption(Caption);
    Item->SetTag(Number);
    Item->SetChecked(Number == Current || (Number == 0 && Current == -1));
    Item->SetOnClick([this, Number](TObject* Sender) {
      (void)ValidateDocuments(Sender, nullptr, 0, Number);  // reports its own failures
      if (Number == CONFIGURATION_LINK_CHECK_ONLY) {
        (void)CheckLinks(Sender, LINK_CHECK_CURRENT);
      }
    });
    ValidateBigBtn->Add(Item);
    return Item;
  };
  TTBItem* Normal = AddNumbered("&Normal", 0);
  TTBItemOptions Options = Normal->MaskOptions();
  Options.Include(tboDefault);
  Normal->SetMaskOptions(Options);
  const int Config = EngineConfigHandle();
  if (ZUBCalls.ZUBGetInteger3EZ &&
      ZUBCalls.ZUBGetInteger3EZ(ENGINE_VERSION_PROPERTY) > NAMED_CONFIGURATIONS_AFTER_VERSION &&
      ZUBCalls.ZUBGetIntegerEZ && ZUBCalls.ZUBGetString2 && Config >= 0) {
    const int Count = ZUBCalls.ZUBGetIntegerEZ(Config, ZUB_CONFIG_CONFIGURATION_COUNT);
    for (int Number = 1; Number < Count; ++Number) {
      const char* Name = ZUBCalls.ZUBGetString2(Config, ZUB_CONFIG_CONFIGURATION_NAME, Number);
      if (Name != nullptr && *Name != 0) {
        (void)AddNumbered(Name, Number);
      }
    }
  }
  if (ZUBCalls.ZUBGetIntegerEZ && Config >= 0 &&
      (ZUBCalls.ZUBGetIntegerEZ(Config, ZUB_CONFIG_LINK_CHECK_MENU) & 1) != 0) {
    (void)AddNumbered("&Link check only", CONFIGURATION_LINK_CHECK_ONLY);
  }
  ValidateBigBtn->Add(new TTBSeparatorItem(this));
  const auto AddCommand = [this](const char* Caption, TNotifyEvent OnClick) {
    auto* Item = new TTBItem(this);
    Item->SetCaption(Caption);
    Item->SetOnClick(std::move(OnClick));
    ValidateBigBtn->Add(Item);
    return Item;
  };
  (void)AddCommand("Validate &All", [this](TObject* Sender) { ToolsValidateAllClick(Sender); });
  AddCommand("Validate with Batch &Wizard", [this](TObject* Sender) {
    ToolsValidateWithBatchWizardClick(Sender);
  })->SetShortCut(TextToShortCut("Shift+F6"));
  (void)AddCommand("Validate All with Batch Wi&zard",
                   [this](TObject* Sender) { ToolsValidateAllWithBatchWizardClick(Sender); });
}

void TZUBQEForm::ApplySkin() {
  if (!TBSkin) {
    return;
  }
  const interfaceclass* I = prg->interface;
  int Value = I->flags3.has(IF3::FlatMenus) ? 1 : (I->menuSkin == 1 ? 0 : I->menuSkin);
  TTBSkins Skin = tbsOfficeXP;
  switch (Value) {
    case 0: Skin = tbsDisabled; break;
    case 2: Skin = tbsNativeXP; break;
    case 3: Skin = tbsWindowsXP; break;
    default: Skin = tbsOfficeXP; break;
  }
  TBSkin->SetSkinType(Skin);
}

void TZUBQEForm::ApplyBatchWizardAppearance() {
  if (TForm* Wizard = BatchWizard().BatchWizardForm()) {
    if (auto* Progress = dynamic_cast<TCustomEasyEdit*>(Wizard->FindComponent("BatchProgressEdit"))) {
      ApplyEditorAppearance(Progress, SETUP_APPLY);
    }
  }
}

bool TZUBQEForm::EngineLoggingEnabled() {
  const int Config = EngineConfigHandle();
  return Config >= 0 && ZUBCalls.ZUBGetFlag &&
         ZUBCalls.ZUBGetFlag(Config, ZUB_CONFIG_LOG_OPTIONS, ZUB_LOG_VALIDATIONS) > 0;
}
