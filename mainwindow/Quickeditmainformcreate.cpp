// The main window's construction and its set-up when the layout has been read.
#include "mainwindow/Quickeditmainform.h"

#include "core/Mainsetup.h"
#include "core/Parserclass.h"
#include "core/Prgclass.h"
#include "core/Splashstatus.h"
#include "core/Tabinfoclass.h"
#include "core/Volatileclass.h"
#include "core/Zodir.h"
#include "platform/win/ApplicationIcon.h"
#include "platform/win/Modules.h"
#include "mainwindow/Programimages.h"

#include "editor/Easyeditgutter.h"
#include "platform/controls/Menus.h"
#include "platform/win/ShlObj.h"
#include "toolbars/Tb2dockpositions.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>

TZUBQEForm* ZUBQEForm = nullptr;

namespace {

// The interface settings, where the toolbar positions are kept.
constexpr char INTERFACE_KEY[] = "Software\\Palvane\\ZUB Quillon v4\\Editor\\Interface";
// The recent-files list under the current user.
constexpr char RECENT_FILES_KEY[] = "Software\\Palvane\\ZUB Quillon v4\\Editor\\Reopen";
constexpr int RECENT_FILES_COUNT = 15;

// The hints of the tag items and of the tag inserter's option items.
const std::pair<const char*, const char*> TagHints[] = {
    {"TagsStartTag", "Start tag."},
    {"TagsEndTag", "Close/end tag."},
    {"TagsBold", "Render as bold text style."},
    {"TagsItalic", "Render as italic text style."},
    {"TagsUnderline", "Deprecated in HTML 4.01. Render underlined text."},
    {"TagsA", "Anchor."},
    {"TagsBlockquote", "Specify a long block-level quotation. Use \"q\" for a short inline quotation."},
    {"TagsBreak", "Forcibly break (end) the current line of text."},
    {"TagsBreakAndNewline", "Forcibly break (end) the current line of text."},
    {"TagsCenter", "Deprecated in HTML 4.01. Center text."},
    {"TagsComment", "Enclose comment text that is not rendered."},
    {"TagsHorizontalRule", "Horizontal rule."},
    {"TagsParagraph", "Start a new paragraph. Insert with optional end tag."},
    {"TagsFormsFORM", "Use to contain an interactive form. HTML 4.01 requires \"action\" attribute."},
    {"TagsFormsINPUT", "Specify a field (usually in a form), such as a textbox, checkbox, or radio button field."},
    {"TagsFormsOPTION", "Specify a selectable choice in a \"select\" tag. Insert with optional end tag."},
    {"TagsFormsSELECT", "Option selector. Must contain at least one \"option\" element."},
    {"TagsFormsTEXTAREA", "Multi-line text field."},
    {"TagsFramesFRAMESET", "Specify the layout of frames in the main user window in terms of rectangular subspaces."},
    {"TagsFramesFRAME", "Define the contents and appearance of a single frame in a frameset."},
    {"TagsFramesIFRAME", "Inline subwindow (floating frame)."},
    {"TagsFramesNOFRAMES", "Specify content to display when frames are not used or available."},
    {"TagsHeadingsH1", "Heading 1. Most important heading (largest heading font)."},
    {"TagsHeadingsH2", "Heading 2."},
    {"TagsHeadingsH3", "Heading 3."},
    {"TagsHeadingsH4", "Heading 4."},
    {"TagsHeadingsH5", "Heading 5."},
    {"TagsHeadingsH6", "Heading 6. Least important heading (smallest heading font)."},
    {"TagsListsOL", "Ordered (numbered) list."},
    {"TagsListsUL", "Unordered (bulleted) list."},
    {"TagsListsLI", "Specify a list item in a list. Insert with optional end tag."},
    {"TagsListsDD", "Definition description."},
    {"TagsListsDT", "Definition term."},
    {"TagsListsMENU", "Deprecated in HTML 4.01. You should use a &quot;ul&quot; list instead."},
    {"TagsMediaAPPLET", "Deprecated in HTML 4.01. Insert Java applet."},
    {"TagsMediaBGSOUND", "Play music or sound (Internet Explorer specific)."},
    {"TagsMediaEMBED", "Embed an object (not an HTML 4.01 element)."},
    {"TagsMediaIMG", "Embed an image."},
    {"TagsMediaOBJECT", "Insert a generic embedded object."},
    {"TagsMetaAuthor", "Author metainformation."},
    {"TagsMetaCopyright", "Copyright metainformation."},
    {"TagsMetaCSS1", "Specify the default style sheet language as text/css."},
    {"TagsMetaCSS2", "Specify the default style sheet language as text/css2."},
    {"TagsMetaDescription", "Description metainformation. Used by many search engines when indexing a site."},
    {"TagsMetaKeywords", "Keyword metainformation. Used by many search engines when indexing a site."},
    {"TagsMetaRSACiRating",
     "Content rating metainformation. Used to rate a document's content (see http://www.icra.org/)"},
    {"TagsTablesTABLE", "Insert a table."},
    {"TagsTablesTR", "Specify a table row to contain table cells."},
    {"TagsTablesTH", "Table header cell. Usually rendered in bold with a center alignment."},
    {"TagsTablesTD", "Table data cell."},
    {"TagsTablesCAPTION", "Describe the nature of a table. Use immediately after the \"table\" start tag."},
    {"TagsTablesTHEAD", "Use to contain table header rows."},
    {"TagsTablesTBODY", "Use to contain table body rows."},
    {"TagsTablesTFOOT", "Use to contain table footer rows."},
    {"TagsTextACRONYM", "Indicate an acronym (e.g., WAC, radar, etc.)."},
    {"TagsTextBIG", "Render text in a \"big\" text style."},
    {"TagsTextBLINK", "Blink or flash text (Netscape specific)."},
    {"TagsTextCITE", "Specify a citation or a reference to other sources."},
    {"TagsTextCODE", "Specify a fragment of computer code."},
    {"TagsTextDEL", "Specify deleted text."},
    {"TagsTextDFN", "Indicate that this is the defining instance of the enclosed term."},
    {"TagsTextEM", "Indicate emphasis. Use \"strong\" to indicate stronger emphasis."},
    {"TagsTextINS", "Specify inserted text."},
    {"TagsTextKBD", "Specify text to be entered by the user."},
    {"TagsTextQ", "Specify a short inline quotation. Use \"blockquote\" for a long quotation."},
    {"TagsTextS", "Deprecated in HTML 4.01. Render strike-through style text (same as \"strike\")."},
    {"TagsTextSAMP", "Specify sample output from programs, scripts, etc."},
    {"TagsTextSMALL", "Render text in a \"small\" text style."},
    {"TagsTextSTRIKE", "Deprecated in HTML 4.01. Render strike-through style text (same as \"s\")."},
    {"TagsTextSTRONG", "Indicate stronger emphasis. Use \"em\" to indicate weaker emphasis."},
    {"TagsTextSUB", "Render text as subscript (smaller and slightly lowered)."},
    {"TagsTextSUP", "Render text as superscript (smaller and slightly raised)."},
    {"TagsTextTT", "Render as teletype or monospaced font. For example, use for computer output."},
    {"TagsTextVAR", "Specify an instance of a variable or program argument."},
    {"TagsTextFONT", "Deprecated in HTML 4.01. Change font."},
    {"OptionsTagInserterEdit", "Edit the configuration file to make your own changes to the Tag Inserter."},
    {"OptionsTagInserterReload", "Delete the Tag Inserter and recreate it to reread its configuration."},
};

// Split ratios outside this range are taken as the nearest sensible value.
constexpr float MinSplitRatio = 0.05f;
constexpr float MaxSplitRatio = 0.95f;
constexpr float LowSplitRatio = 0.1f;
constexpr float HighSplitRatio = 0.9f;
constexpr int MinSplitWidth = 50;
constexpr int MinResultsHeight = 150;
constexpr int BookmarkCount = 10;
// Interface "Flags2V45" bit that shows the engine's program export and import items.
constexpr TFlagBit<InterfaceFlags2V45Tag> DeveloperItems{0x4000};

// Brings a stored split ratio into range; true when it changed.
float CorrectedSplitRatio(float& Ratio) {
  if (Ratio < MinSplitRatio) {
    Ratio = LowSplitRatio;
  } else if (Ratio > MaxSplitRatio) {
    Ratio = HighSplitRatio;
  }
  return Ratio;
}

int SplitWidth(int Extent, float Ratio) {
  return std::max(MinSplitWidth, static_cast<int>(static_cast<float>(Extent) * Ratio));
}

// The hourglass for the rest of a scope.
class TCursorScope {
public:
  TCursorScope() : FSaved(Screen->Cursor()) { Screen->SetCursor(crHourGlass); }
  ~TCursorScope() { Screen->SetCursor(FSaved); }
  TCursorScope(const TCursorScope&) = delete;
  TCursorScope& operator=(const TCursorScope&) = delete;

private:
  TCursor FSaved;
};

}  // namespace

TZUBQEForm::TZUBQEForm(TComponent* AOwner) : TForm((RegisterLayoutClasses(), AOwner)) {
  // The shell's small-icon list is shared: the Opened list shows it but never frees it.
  SHFILEINFO Info;
  const auto List = SHGetFileInfo("", 0, &Info, sizeof(Info), SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
  SystemImageList = new TImageList(this);
  SystemImageList->ShareImages = true;
  if (List != 0) {
    SystemImageList->SetHandle(static_cast<HIMAGELIST>(List));
  }
  if (OpenedListView) {
    OpenedListView->SetSmallImages(SystemImageList);
  }
}

void TZUBQEForm::BeforeDestruction() {
  // Before the components go: the tab sets refer to the tab controls.
  ForgetTabSets();
  TForm::BeforeDestruction();
}

TZUBQEForm::~TZUBQEForm() {
  UnregisterServices();
  // The desktop stops showing the icon this window owns.
  if (ApplicationIcon && GetApplicationIcon() == ApplicationIcon->Handle()) {
    SetApplicationIcon(0);
  }
  if (ZUBQEForm == this) {
    ZUBQEForm = nullptr;
  }
}

void TZUBQEForm::AfterConstruction() {
  ZUBQEForm = this;
  TForm::AfterConstruction();
}

void TZUBQEForm::ForgetTabSets() {
  // In the program the root object (and the tab array with it) is gone before the window; a window that goes
  // first takes its tab sets out of the array, which would otherwise keep its deleted tab controls.
  if (!prg || !prg->volatileState || !prg->volatileState->tabs) {
    return;
  }
  PointerArrayManager* Tabs = prg->volatileState->tabs;
  for (int I = Tabs->getCount() - 1; I >= 0; --I) {
    auto* Record = static_cast<tabinfoclass*>(Tabs->getPointer(I));
    if (Record && (Record->tabControl == TabControl1 || Record->tabControl == TabControl2)) {
      (void)Tabs->removePointer(I, 1);  // the index is in range: nothing can fail
    }
  }
}

void TZUBQEForm::UnregisterServices() {
  if (!FServicesRegistered) {
    return;
  }
  FServicesRegistered = false;
  if (HasMainWindow() && &MainWindow() == this) {
    SetMainWindowServices(nullptr);
  }
  if (GetMainWindowMessageBox() == this) {
    SetMainWindowMessageBox(nullptr);
  }
}

void TZUBQEForm::FormCreate(TObject*) {
  SplashStatus("Entering main form constructor...");
  TabChangeGuard = false;
  WebBrowser = nullptr;
  BrowserTimer = nullptr;
  SetMainWindowServices(this);
  SetMainWindowMessageBox(this);
  FServicesRegistered = true;
  if (!prg || !prg->interface || !prg->volatileState) {
    return;
  }
  interfaceclass* I = prg->interface;
  (void)PlaceFormOnScreen(this, I->mainFormLeft, I->mainFormTop, I->mainFormWidth, I->mainFormHeight);  // 0
  SetUpSpellChecker();
  // The main function turns redrawing on again after start-up.
  Zodir::BeginControlUpdate(Handle());
  const TCursorScope Busy;
  SetUpIcons();
  LineStyles = std::make_unique<TEasyLineStyles>(this);
  if (ShellList) {
    ShellList->SetSortColumn(I->resourceSortColumn);
  }
  if (ShellList2) {
    ShellList2->SetSortColumn(I->resourceSortColumn2);
  }
  SplashStatus("Initializing editors and tab controls...");
  SetUpEditorsAndTabs();
  Application->OnHint = [this](TObject* Sender) { ApplicationHint(Sender); };
  Application->OnIdle = [this](TObject* Sender, bool& Done) { ApplicationIdle(Sender, Done); };
  Application->OnDeactivate = [this](TObject* Sender) { ApplicationDeactivate(Sender); };
  Application->OnActivate = [this](TObject* Sender) { ApplicationActivate(Sender); };
  Application->OnMinimize = [this](TObject* Sender) { ApplicationMinimize(Sender); };
  SplashStatus("Initializing syntax parsers...");
  (void)InitParsers(prg->volatileState->documentTypes);  // a failed definition leaves plain text, as documented
  SplashStatus("Initializing other properties...");
  SetUpMenusAndHints();
  SetUpTreesAndShell();
  (void)UpdateTabControls();  // reports an empty tab array itself
  // A missing list leaves the recent-files menus empty.
  (void)StringArrayStore::loadFromRegistry(&I->recentDocuments, HKEY_CURRENT_USER, RECENT_FILES_KEY,
                                           RECENT_FILES_COUNT);
  (void)FillFileFilterCombos(1);  // the filter list was loaded with the settings
  if (ShellListFileFilterCombo) {
    ShellListFileFilterCombo->SetItemIndex(I->shellListFileFilter);
    ShellListFileFilterComboChange(ShellListFileFilterCombo);
  }
  if (ShellListFileFilterCombo2) {
    ShellListFileFilterCombo2->SetItemIndex(I->shellListFileFilter2);
    ShellListFileFilterComboChange(ShellListFileFilterCombo2);
  }
  (void)BuildReopenMenus(&I->recentDocuments);  // a menu item that cannot be made only shortens the menu
  SetUpSizes();
  SetUpBookmarkMenus();
  if (I->flags.has(IF40::WasMaximized)) {
    SendMessage(Handle(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  }
  TBRegLoadPositions(this, HKEY_CURRENT_USER, INTERFACE_KEY);
  prg->volatileState->layoutReady = 1;
  (void)ApplyViewSettings(VIEW_APPLY_SETTINGS | VIEW_NO_PREVIEW);  // the first layout pass has no caller to tell
  SplashStatus("Exiting main form constructor...");
}

namespace {

// The icon file for the system version recorded at start-up; null when that system shows none of ours.
const char* ApplicationIconFile(const OSVERSIONINFO& V) {
  const bool Nt = V.dwPlatformId == VER_PLATFORM_WIN32_NT;
  const bool Nt51 = V.dwMajorVersion > 5 || (V.dwMajorVersion == 5 && V.dwMinorVersion >= 1);
  if (Nt && Nt51) {
    return "applicationxp.ico";
  }
  if (Nt && V.dwMajorVersion == 5) {
    return "application.ico";
  }
  const bool Win410 = V.dwMajorVersion > 4 || (V.dwMajorVersion == 4 && V.dwMinorVersion >= 10);
  return !Nt && V.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && Win410 ? "application.ico" : nullptr;
}

}  // namespace

void TZUBQEForm::SetUpIcons() {
  if (const char* File = ApplicationIconFile(prg->volatileState->systemVersion)) {
    try {
      ApplicationIcon = std::make_unique<TIcon>();
      ApplicationIcon->LoadFromFile(JoinPath(prg->volatileState->programFolder, File).text);
      SetApplicationIcon(ApplicationIcon->Handle());
      SendMessage(Handle(), WM_SETICON, ICON_BIG, static_cast<LPARAM>(ApplicationIcon->Handle()));
    } catch (const std::exception&) {
      // A missing or unreadable icon file leaves the desktop's default icon.
      ApplicationIcon.reset();
    }
  }
  // The toolbars and menus show the program's own image strip.
  RegisterProgramImages();
  LoadToolbarImages(EditorImageList);
  for (TTBToolbar* Bar : {EditorMainMenu, EditorToolbar, SmallToolbar, WBToolbar}) {
    if (Bar != nullptr) {
      Bar->SetImages(EditorImageList);
    }
  }
  for (TTBPopupMenu* Popup : {EditorPopupMenu, GenericMemoPopup, ResultsPopupMenu}) {
    if (Popup != nullptr) {
      Popup->SetImages(EditorImageList);
    }
  }
}

void TZUBQEForm::SetUpSpellChecker() {
  LexiSpell = CreateMainSpellChecker(
      this, std::string(JoinPath(prg->volatileState->programFolder, "Dictionary").text),
      [this](TObject* Sender, int Id, std::string& Text) { SpellGetString(Sender, Id, Text); },
      [this](TObject* Sender) { LexiSpellCompleteCheck(Sender); });
  EngineSpellService = CreateEngineSpellService(LexiSpell);
}

void TZUBQEForm::SetUpEditorsAndTabs() {
  const std::pair<TEasyEdit*, int> Editors[] = {{EasyEdit1, EDITOR_DOCUMENT},
                                                {EasyEdit2, EDITOR_DOCUMENT},
                                                {StructureEdit, EDITOR_STRUCTURE},
                                                {StructureEdit2, EDITOR_STRUCTURE},
                                                {ResultsMessageEdit, EDITOR_RESULTS_MESSAGE},
                                                {ScratchPad1Edit, EDITOR_SCRATCH_PAD_1},
                                                {ScratchPad2Edit, EDITOR_SCRATCH_PAD_2}};
  for (const auto& [Editor, Role] : Editors) {
    (void)SetupEditor(Editor, Role);  // every editor of the layout takes its role
  }
  CurrentEditor = EasyEdit1;
  const std::pair<TTabControl*, TEasyEdit*> Sets[] = {{TabControl1, EasyEdit1}, {TabControl2, EasyEdit2}};
  for (const auto& [Tabs, Editor] : Sets) {
    if (!Tabs || !Editor) {
      continue;
    }
    (void)SetupTabControl(Tabs, SETUP_APPLY);  // hot tracking and double buffering; no failure
    auto* Record = new tabinfoclass;
    Record->Bind(Tabs, prg->volatileState->documents, Editor);
    Tabs->OnChange = [this](TObject* Sender) { TabControlChange(Sender); };
    if (prg->volatileState->tabs->addPointer(Record) < 0) {
      delete Record;
    }
  }
}

void TZUBQEForm::SetUpMenusAndHints() {
  const bool Developer = prg->interface->flags2.has(DeveloperItems);
  OptionsDeveloperItemsSep->SetVisible(Developer);
  OptionsHTMLConfigExportPrograms->SetVisible(Developer);
  OptionsHTMLConfigImportPrograms->SetVisible(Developer);
  (void)ApplySettings(APPLY_SKIN);  // the skin has no failure to report
  (void)SetupMenuBar(EditorMainMenu, SETUP_APPLY);  // a toolbar always takes the role
  EditorMenuBarDock->SetBoundLines(TTBDockBoundLines{blTop});
  for (const auto& [Name, Hint] : TagHints) {
    if (auto* Item = dynamic_cast<TTBCustomItem*>(FindComponent(Name))) {
      Item->SetHint(Hint);
    }
  }
}

void TZUBQEForm::SetUpTreesAndShell() {
  const std::pair<ZEZTree*, int> Trees[] = {{ResultsTreeView, 1},
                                            {StyleMessagesTreeView, 2},
                                            {AccessibilityTreeView, 8},
                                            {StructureTree, TREEVIEW_STRUCTURE}};
  for (const auto& [Tree, Role] : Trees) {
    (void)SetupTreeView(Tree, Role);  // every tree of the layout takes its role
  }
  interfaceclass* I = prg->interface;
  const std::tuple<TPTShellTree*, TPTShellList*, const StrStore*> Pairs[] = {
      {ShellTree, ShellList, &I->selectedFolder}, {ShellTree2, ShellList2, &I->selectedFolder2}};
  for (const auto& [Tree, List, Folder] : Pairs) {
    Tree->SetShellList(List);
    try {
      Tree->SetSelectedPathName(Folder->text ? Folder->text : "");
    } catch (const Exception&) {
      // A stored folder that no longer exists leaves the tree at its root.
    }
  }
}

void TZUBQEForm::SetUpSizes() {
  interfaceclass* I = prg->interface;
  PTOpenDialog->FormWidth = I->openDialogWidth;
  PTOpenDialog->FormHeight = I->openDialogHeight;
  PTSaveDialog->FormWidth = I->saveDialogWidth;
  PTSaveDialog->FormHeight = I->saveDialogHeight;
  ResultsPanel->Constraints()->SetMinHeight(MinResultsHeight);
  ResultsPanel->SetHeight(I->horzSplit1);
  const std::pair<TPanel*, int> Trees[] = {{ShellTree1Panel, I->horzSplit2}, {ShellTree2Panel, I->horzSplit2Second}};
  for (const auto& [Panel, Size] : Trees) {
    if (Panel->Align() == alLeft) {
      Panel->SetWidth(Size);
    } else {
      Panel->SetHeight(Size);
    }
  }
  ResourcePanel->SetWidth(I->vertSplit1);
  Editor2Panel->SetVisible(false);
  EditorsSplitter->SetVisible(false);
  Editor1Panel->SetAlign(alClient);
  TagCountListView->SetWidth(SplitWidth(StructureSheet->Width(), CorrectedSplitRatio(I->structureSplit)));
  ScratchPad1Edit->SetWidth(SplitWidth(ScratchSheet->Width(), CorrectedSplitRatio(I->scratchPadSplit)));
  LinksListView->ReadOnly = true;
  LinksListView->RowSelect = true;
  WebBrowserToolWindow->SetCaption("Web Browser Window");
  MessageToolWindow->SetCaption("Message Window");
  TreeStructureTabSheet->SetTabVisible(false);
}

void TZUBQEForm::SetUpBookmarkMenus() {
  for (int I = 0; I < BookmarkCount; ++I) {
    const std::string Caption = "Bookmark &" + std::to_string(I);
    auto* Toggle = new TTBItem(this);
    Toggle->SetCaption(Caption);
    Toggle->SetTag(I);
    Toggle->SetShortCut(ShortCut(static_cast<Word>('0' + I), TShiftState{ssCtrl, ssShift}));
    Toggle->SetOnClick([this, I](TObject*) {
      if (CurrentEditor) {
        CurrentEditor->GetEditSource()->ToggleBookMark(I, CurrentEditor->GetCurrentPosition());
      }
    });
    EditorPopupToggleBookmark->Add(Toggle);
    auto* Goto = new TTBItem(this);
    Goto->SetCaption(Caption);
    Goto->SetTag(I);
    Goto->SetShortCut(ShortCut(static_cast<Word>('0' + I), TShiftState{ssCtrl}));
    Goto->SetOnClick([this, I](TObject*) {
      if (CurrentEditor) {
        CurrentEditor->GetEditSource()->GoToBookmark(I);
      }
    });
    EditorPopupGotoBookmark->Add(Goto);
  }
  EditorPopupToggleBookmark->SetDropdownCombo(false);
  EditorPopupGotoBookmark->SetDropdownCombo(false);
  EditorPopupMenu->OnPopup = [this](TObject* Sender) { EditorPopupMenuPopup(Sender); };
}
