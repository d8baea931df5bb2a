// The editor options window.
#include "mainwindow/Editoroptionsfrm.h"

#include "core/Errorreport.h"
#include "core/Mainwindowservices.h"
#include "core/Parserclass.h"
#include "core/Prgclass.h"
#include "core/Settings.h"
#include "mainwindow/Editparser.h"

#include "platform/classes/ClassRegistry.h"
#include "platform/rtl/Assert.h"
#include "platform/controls/Dialogs.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/MessageBox.h"

#include <string>

Z_IMPLEMENT_CLASS_PUBLISHED(TEditorOptionsForm, TForm, TEditorOptionsForm::Publish)

TEditorOptionsForm* EditorOptionsForm = nullptr;

using W = OptionWord;
const std::array<TOptionCheckBox, OPTION_CHECK_BOX_COUNT> OptionCheckBoxes = {{
    // General 1
    {"AutoSaveBeforeViewingCheckBox", W::EditorOptions, 0x800},
    {"AutoValidateWhenOpenedCheckBox", W::Interface2V45, 0x2},
    {"AutoValidateOnReload", W::Interface2V45, 0x20000000},
    {"OfficeXPStyleMenusCheckBox", W::Interface3, 0x10},
    {"EnableDynamicRefreshCheckBox", W::Interface2V45, 0x100},
    {"EnablePasswordSecurityCheckBox", W::Interface3, 0x40},
    {"OpenLastCheckBox", W::EditorOptions, 0x400000},
    {"LoadScratchPadsCheckBox", W::EditorOptions, 0x800000},
    {"NewVersionCheckBox", W::EditorOptions, 0x8000000},
    {"NewInstanceQueryCheckBox", W::Interface2V45, 0x10000000},
    // General 2
    {"WBAutoRefreshCheckBox", W::Interface2V45, 0x80000},
    {"WBAutoValidateCheckBox", W::Interface2V45, 0x100000},
    {"WBRefreshWhenSavedCheckBox", W::Interface2V45, 0x200000},
    {"SendUPDomainMatchOnlyCheckBox", W::Interface2V45, 0x1},
    {"AutoLinkCheckCheckBox", W::Interface2V45, 0x800000},
    // Editor 1
    {"UseBoldItalicStylesCheckBox", W::EditorOptions, 0x4000000},
    // Editor 2
    {"AutoIndentCheckBox", W::Interface40, 0x800000},
    {"SmartTabCheckBox", W::Interface40, 0x1000000},
    {"LimitEOLCheckBox", W::Interface40, 0x2000000},
    {"BackUnindentsCheckBox", W::Interface40, 0x4000000},
    {"DoubleClickLineCheckBox", W::Interface40, 0x10000},
    {"StreamedSelectionCheckBox", W::Interface40, 0x8000000},
    {"UseTabCharacterCheckBox", W::Interface40, 0x20000000},
    {"CursorOnTabsCheckBox", W::Interface40, 0x20000},
    {"WrapAtMarginCheckBox", W::Interface40, 0x200000},
    {"PersistentBlocksCheckBox", W::Interface2V45, 0x4},
    {"OverwriteBlocksCheckBox", W::Interface2V45, 0x20000},
    {"SelectOnlyTextCheckBox", W::Interface2V45, 0x1000000},
    {"LeaveTrailingSpacesCheckBox", W::Interface3, 0x1},
    // HTML and Results
    {"InsertHTMLUppercase", W::EditorOptions, 0x400},
    {"HighlightErrorLinesCheckBox", W::EditorOptions, 0x1000000},
    {"HighlightWarningLinesCheckBox", W::EditorOptions, 0x2000000},
    {"HighlightMessageLinesCheckBox", W::EditorOptions, 0x100000},
    {"IncludeGroupedMessagesCheckBox", W::Interface2V45, 0x10},
    {"SortByTypeCheckBox", W::Interface2V45, 0x20},
    {"AutoJumpCheckBox", W::Interface2V45, 0x2000000},
    {"IncludeStyleMessagesCheckBox", W::Interface2V45, 0x40},
    {"IncludeAccessibilityCheckBox", W::Interface2V45, 0x1000},
}};

namespace {

// The stored values of the radio groups' items, in item order.
constexpr int SaveFormats[] = {1, 3, 2};
constexpr int ChangeActions[] = {1, 2, 3};
// The smallest right margin the window takes.
constexpr int SmallestRightMargin = 2;
constexpr int NoHelpPage = -1;

void RegisterLayoutClasses() {
  static const bool Done = [] {
    RegisterClasses({TPageControl::StaticClass(), TTabSheet::StaticClass(), TCheckBox::StaticClass(),
                     TLabel::StaticClass(), TEdit::StaticClass(), TButton::StaticClass(), TListView::StaticClass(),
                     TComboBox::StaticClass(), TRadioGroup::StaticClass(), TGroupBox::StaticClass(),
                     TPanel::StaticClass()});
    return true;
  }();
  (void)Done;
}

std::string AsString(const StrStore& S) { return S.text != nullptr ? std::string(S.text, S.length) : std::string(); }

PointerArrayManager* DocumentTypes() {
  return prg != nullptr && prg->volatileState != nullptr ? prg->volatileState->documentTypes : nullptr;
}

// The item of a stored value, -1 when no item has it.
template <std::size_t N>
int ItemOf(const int (&Values)[N], int Stored) {
  for (std::size_t I = 0; I < N; ++I) {
    if (Values[I] == Stored) {
      return static_cast<int>(I);
    }
  }
  return -1;
}

// The stored value of an item; no item keeps the stored value.
template <std::size_t N>
int ValueOf(const int (&Values)[N], int Item, int Stored) {
  return Item >= 0 && Item < static_cast<int>(N) ? Values[Item] : Stored;
}

}  // namespace

void TEditorOptionsForm::Publish(TMetaClass& Meta) {
  TPublisher<TEditorOptionsForm> P(Meta);
  using F = TEditorOptionsForm;
  P.Field("PageControl", &F::PageControl);
  P.Field("GeneralSheet", &F::GeneralSheet);
  P.Field("GeneralSheet2", &F::GeneralSheet2);
  P.Field("EditorSheet", &F::EditorSheet);
  P.Field("Editor2Sheet", &F::Editor2Sheet);
  P.Field("HTMLSheet", &F::HTMLSheet);
  P.Field("FileTypesSheet", &F::FileTypesSheet);
  P.Field("FileOptionsSheet", &F::FileOptionsSheet);
  P.Field("PreviewExtensionsEdit", &F::PreviewExtensionsEdit);
  P.Field("RightMarginEdit", &F::RightMarginEdit);
  P.Field("TabStopsEdit", &F::TabStopsEdit);
  P.Field("FontExampleLabel", &F::FontExampleLabel);
  P.Field("FontNameLabel", &F::FontNameLabel);
  P.Field("FontSizeLabel", &F::FontSizeLabel);
  P.Field("ChangeFontBtn", &F::ChangeFontBtn);
  P.Field("ChangeColorBtn", &F::ChangeColorBtn);
  P.Field("BackgroundColorBtn", &F::BackgroundColorBtn);
  P.Field("LineNumberColorBtn", &F::LineNumberColorBtn);
  P.Field("FileTypesListView", &F::FileTypesListView);
  P.Field("EditRowBtn", &F::EditRowBtn);
  P.Field("DefaultExtEdit", &F::DefaultExtEdit);
  P.Field("NoExtensionFileTypeComboBox", &F::NoExtensionFileTypeComboBox);
  P.Field("SaveFileFormatRadioGroup", &F::SaveFileFormatRadioGroup);
  P.Field("DocumentChangesRadioGroup", &F::DocumentChangesRadioGroup);
  P.Field("OKBtn", &F::OKBtn);
  P.Field("CancelBtn", &F::CancelBtn);
  P.Field("HelpBtn", &F::HelpBtn);
  P.Method("FormShow", &F::FormShow);
  P.Method("ChangeFontBtnClick", &F::ChangeFontBtnClick);
  P.Method("ChangeColorBtnClick", &F::ChangeColorBtnClick);
  P.Method("BackgroundColorBtnClick", &F::BackgroundColorBtnClick);
  P.Method("LineNumberColorBtnClick", &F::LineNumberColorBtnClick);
  P.Method("EditRowBtnClick", &F::EditRowBtnClick);
  P.Method("FileTypesListViewDblClick", &F::FileTypesListViewDblClick);
  P.Method("HelpBtnClick", &F::HelpBtnClick);
  P.Method("OKBtnClick", &F::OKBtnClick);
}

TEditorOptionsForm::TEditorOptionsForm(TComponent* AOwner)
    : TForm((RegisterLayoutClasses(), AOwner)), Options(std::make_unique<prgconfigclass>()) {
  EditorOptionsForm = this;
}

TEditorOptionsForm::~TEditorOptionsForm() {
  if (EditorOptionsForm == this) {
    EditorOptionsForm = nullptr;
  }
}

void TEditorOptionsForm::AfterConstruction() {
  TForm::AfterConstruction();
  for (std::size_t I = 0; I < OptionCheckBoxes.size(); ++I) {
    auto* Box = dynamic_cast<TCheckBox*>(FindComponent(OptionCheckBoxes[I].Name));
    ZUBQ_ASSERT(Box != nullptr);
    FCheckBoxes[I] = Box;
    if (Box != nullptr) {
      Box->OnClick = [this](TObject* Sender) { OptionCheckBoxClick(Sender); };
    }
  }
}

void TEditorOptionsForm::CreateParams(TCreateParams& Params) {
  TForm::CreateParams(Params);
  // A window of the main window: no taskbar button of its own, and it stays above the main window.
  Params.ExStyle &= ~WS_EX_APPWINDOW;
  if (TForm* Main = MainWindow().MainForm(); Main != nullptr && Main->HandleAllocated()) {
    Params.WndParent = Main->Handle();
  }
}

bool TEditorOptionsForm::BitOf(const TOptionCheckBox& Box) const {
  switch (Box.Word) {
    case W::EditorOptions: return (Options->flags.bits & Box.Bit) != 0;
    case W::Interface40: return (Flags40.bits & Box.Bit) != 0;
    case W::Interface2V45: return (Flags2V45.bits & Box.Bit) != 0;
    case W::Interface3: return (Flags3.bits & Box.Bit) != 0;
  }
  return false;
}

void TEditorOptionsForm::SetBitOf(const TOptionCheckBox& Box, bool On) {
  auto Apply = [&](std::uint32_t& Bits) { Bits = On ? (Bits | Box.Bit) : (Bits & ~Box.Bit); };
  switch (Box.Word) {
    case W::EditorOptions: Apply(Options->flags.bits); break;
    case W::Interface40: Apply(Flags40.bits); break;
    case W::Interface2V45: Apply(Flags2V45.bits); break;
    case W::Interface3: Apply(Flags3.bits); break;
  }
}

void TEditorOptionsForm::OptionCheckBoxClick(TObject* Sender) {
  if (FFilling) {
    return;  // the boxes are being set from the settings
  }
  for (std::size_t I = 0; I < FCheckBoxes.size(); ++I) {
    if (FCheckBoxes[I] == Sender) {
      SetBitOf(OptionCheckBoxes[I], FCheckBoxes[I]->Checked());
      return;
    }
  }
}

void TEditorOptionsForm::FormShow(TObject*) {
  if (prg == nullptr || prg->editorOptions == nullptr || prg->interface == nullptr) {
    return;
  }
  Options->CopyFrom(*prg->editorOptions);
  Flags40 = prg->interface->flags;
  Flags2V45 = prg->interface->flags2;
  Flags3 = prg->interface->flags3;
  if (GeneralSheet->Enabled()) {
    PageControl->SetActivePage(GeneralSheet);
  }
  FFilling = true;
  for (std::size_t I = 0; I < FCheckBoxes.size(); ++I) {
    if (FCheckBoxes[I] != nullptr) {
      FCheckBoxes[I]->SetChecked(BitOf(OptionCheckBoxes[I]));
    }
  }
  FFilling = false;
  PreviewExtensionsEdit->SetText(AsString(Options->previewExtensions));
  RightMarginEdit->SetText(std::to_string(Options->rightMargin));
  TabStopsEdit->SetText(AsString(Options->tabStops));
  ShowFont();
  FillFileTypes();
  FillNoExtensionCombo();
  DefaultExtEdit->SetText(AsString(Options->defaultFileExtension));
  SaveFileFormatRadioGroup->SetItemIndex(ItemOf(SaveFormats, Options->saveFileFormat));
  DocumentChangesRadioGroup->SetItemIndex(ItemOf(ChangeActions, Options->docChangeAction));
  if (HandleAllocated()) {
    SetForegroundWindow(Handle());
  }
  if (PageControl->CanFocus()) {
    PageControl->SetFocus();
  }
}

void TEditorOptionsForm::ShowFont() {
  TFont* Font = Options->editorFont.get();
  if (Font == nullptr) {
    return;
  }
  FontNameLabel->SetCaption("Font name: " + Font->Name());
  FontSizeLabel->SetCaption("Font size: " + std::to_string(Font->Size()));
  FontExampleLabel->Font()->Assign(Font);
  FontExampleLabel->Font()->SetColor(Options->fontColor);
  FontExampleLabel->SetColor(Options->backgroundColor);
}

void TEditorOptionsForm::SetRow(TListItem* Item, const parserclass& Definition) {
  Item->SetCaption(AsString(Definition.description));
  Item->SubItems()->Clear();
  Item->SubItems()->Add(Definition.flags.has(PF::SyntaxHighlighting) ? "On" : "Off");
  Item->SubItems()->Add(AsString(Definition.extensions));
  Item->Data = const_cast<parserclass*>(&Definition);
}

void TEditorOptionsForm::FillFileTypes() {
  FileTypesListView->Items()->BeginUpdate();
  FileTypesListView->Items()->Clear();
  if (PointerArrayManager* Types = DocumentTypes()) {
    for (int I = 0; I < Types->getCount(); ++I) {
      if (const auto* Definition = static_cast<const parserclass*>(Types->getPointer(I))) {
        SetRow(FileTypesListView->Items()->Add(), *Definition);
      }
    }
  }
  FileTypesListView->Items()->EndUpdate();
  (void)FileTypesListView->AlphaSort();  // by the first column
}

void TEditorOptionsForm::FillNoExtensionCombo() {
  TStrings* Items = NoExtensionFileTypeComboBox->Items();
  Items->BeginUpdate();
  Items->Clear();
  Items->Add(UNRECOGNIZED_FILE_TYPE);
  int Selected = 0;
  if (PointerArrayManager* Types = DocumentTypes()) {
    for (int I = 0; I < Types->getCount(); ++I) {
      const auto* Definition = static_cast<const parserclass*>(Types->getPointer(I));
      if (Definition == nullptr || Definition->description.length == 0) {
        continue;
      }
      const int Index = Items->Add(AsString(Definition->description));
      if (Options->noExtensionFileType.length > 0 &&
          Definition->fileTypeKey.equalsNoCase(Options->noExtensionFileType.text)) {
        Selected = Index;
      }
    }
  }
  Items->EndUpdate();
  NoExtensionFileTypeComboBox->SetItemIndex(Selected);
}

void TEditorOptionsForm::ResetDocumentTypeSelection() { FileTypesListView->SetSelected(nullptr); }

void TEditorOptionsForm::ChangeFontBtnClick(TObject*) {
  TFontDialog Dialog(this);
  Dialog.SetFont(Options->editorFont.get());
  Dialog.Options = TFontDialogOptions{fdAnsiOnly, fdFixedPitchOnly, fdForceFontExist, fdNoVectorFonts};
  if (!Dialog.Execute()) {
    return;
  }
  Options->editorFont->Assign(Dialog.Font());
  Options->editorFont->SetStyle(TFontStyles{});
  ShowFont();
}

void TEditorOptionsForm::ChangeColorBtnClick(TObject*) {
  TColorDialog Dialog(this);
  Dialog.Color = static_cast<int>(Options->fontColor);
  Dialog.Options = TColorDialogOptions{cdAnyColor};
  if (Dialog.Execute()) {
    Options->fontColor = static_cast<TColor>(Dialog.Color);
    ShowFont();
  }
}

void TEditorOptionsForm::BackgroundColorBtnClick(TObject*) {
  TColorDialog Dialog(this);
  Dialog.Color = static_cast<int>(Options->backgroundColor);
  Dialog.Options = TColorDialogOptions{cdAnyColor};
  if (Dialog.Execute()) {
    Options->backgroundColor = static_cast<TColor>(Dialog.Color);
    ShowFont();
  }
}

void TEditorOptionsForm::LineNumberColorBtnClick(TObject*) {
  TColorDialog Dialog(this);
  Dialog.Color = static_cast<int>(Options->lineNumberColor);
  Dialog.Options = TColorDialogOptions{cdAnyColor};
  if (Dialog.Execute()) {
    Options->lineNumberColor = static_cast<TColor>(Dialog.Color);
  }
}

void TEditorOptionsForm::EditRowBtnClick(TObject*) {
  TListItem* Row = FileTypesListView->Selected();
  auto* Definition = Row != nullptr ? static_cast<parserclass*>(Row->Data) : nullptr;
  if (Definition == nullptr) {
    MessageBox(HandleAllocated() ? Handle() : 0, "First select a row to edit.", "Quillon: Select Row",
               MB_OK | MB_ICONINFORMATION);
    return;
  }
  auto Window = std::make_unique<TEditParserForm>(this);
  Window->AfterConstruction();
  Window->Fill(*Definition);
  if (Window->ShowModal() == mrOk) {
    Window->Store(*Definition);
    SetRow(Row, *Definition);
  }
}

void TEditorOptionsForm::FileTypesListViewDblClick(TObject* Sender) { EditRowBtnClick(Sender); }

void TEditorOptionsForm::HelpBtnClick(TObject*) {
  struct TPageHelp {
    TTabSheet* Page;
    const char* File;
  };
  const TPageHelp Pages[] = {{GeneralSheet, "editorgeneraltab.html"},
                             {GeneralSheet2, "editorgeneraltab.html"},
                             {EditorSheet, "editoreditortab.html"},
                             {Editor2Sheet, "editoreditortab.html"},
                             {HTMLSheet, "editorhtmltab.html"},
                             {FileTypesSheet, "editorfiletypestab.html"},
                             {FileOptionsSheet, "editorfileoptionstab.html"}};
  TTabSheet* Active = PageControl->ActivePage();
  for (const TPageHelp& P : Pages) {
    if (Active != nullptr && P.Page == Active) {
      const char* Folder =
          prg != nullptr && prg->volatileState != nullptr ? prg->volatileState->documentationFolder.text : "";
      (void)DisplayHelpTopic(MainWindow().GetApplicationWindow(), P.File, Folder);  // the engine says why
      return;
    }
  }
  (void)ReportInternalError(NoHelpPage, "HelpBtnClick", "can't get help file");
}

void TEditorOptionsForm::OKBtnClick(TObject*) {
  if (prg == nullptr || prg->editorOptions == nullptr || prg->interface == nullptr) {
    return;
  }
  Options->previewExtensions = StrStore(PreviewExtensionsEdit->Text().c_str());
  int Margin = 0;
  if (TryStrToInt(Trim(RightMarginEdit->Text()), Margin) && Margin >= SmallestRightMargin) {
    Options->rightMargin = Margin;
  }
  Options->tabStops = StrStore(TabStopsEdit->Text().c_str());
  Options->defaultFileExtension = StrStore(DefaultExtEdit->Text().c_str());
  const int NoExtension = NoExtensionFileTypeComboBox->ItemIndex();
  const char* Key = nullptr;
  if (NoExtension > 0) {
    const std::string Description = (*NoExtensionFileTypeComboBox->Items())[NoExtension];
    Key = FindParserKey(DocumentTypes(), 1, Description.c_str(), -1);
  }
  Options->noExtensionFileType = StrStore(Key != nullptr ? Key : "");
  Options->saveFileFormat = ValueOf(SaveFormats, SaveFileFormatRadioGroup->ItemIndex(), Options->saveFileFormat);
  Options->docChangeAction = ValueOf(ChangeActions, DocumentChangesRadioGroup->ItemIndex(), Options->docChangeAction);
  prg->interface->flags = Flags40;
  prg->interface->flags2 = Flags2V45;
  prg->interface->flags3 = Flags3;
  prg->editorOptions->CopyFrom(*Options);
}
