// The Edit and Search commands of the main window on the focused editor or combo box, printing, indenting, the
// go-to-line window, opening the selected file name and the two editor popup menus.
#include "mainwindow/Gotoline.h"
#include "mainwindow/Quickeditmainform.h"

#include "core/Fileinfoclass.h"
#include "core/Mainsetup.h"
#include "core/Pathprocessor.h"
#include "core/Prgclass.h"
#include "core/Volatileclass.h"

#include "editor/Easyeditsource.h"
#include "editor/Easypreviewdlg.h"
#include "editor/Easyprintdlg.h"
#include "platform/controls/Dialogs.h"
#include "platform/win/Clipboard.h"

#include <cstdlib>
#include <memory>
#include <string>

namespace {

bool Running() { return prg && prg->volatileState && prg->interface && prg->volatileState->shuttingDown == 0; }

// The editor's dialogs and block commands the window runs.
constexpr Byte DIALOG_FIND = 26;
constexpr Byte DIALOG_REPLACE = 27;
constexpr Byte BLOCK_INDENT = 33;
constexpr Byte BLOCK_UNINDENT = 37;

// The window's focused control when it is an editor, else null.
TCustomEasyEdit* FocusedEditor(TZUBQEForm& Form) {
  TWinControl* Control = Form.ActiveControl();
  return Control && Control->ClassName() == "TEasyEdit" ? dynamic_cast<TCustomEasyEdit*>(Control) : nullptr;
}

// The window's focused control when it is a combo box, else null.
TCustomComboBox* FocusedCombo(TZUBQEForm& Form) {
  TWinControl* Control = Form.ActiveControl();
  return Control && Control->ClassName() == "TComboBox" ? dynamic_cast<TCustomComboBox*>(Control) : nullptr;
}

// The whole text as a whole number, or false: blanks around it are allowed, nothing else.
bool ParseWholeNumber(const std::string& Text, long& Value) {
  const char* Start = Text.c_str();
  char* End = nullptr;
  errno = 0;
  Value = std::strtol(Start, &End, 10);
  if (End == Start || errno != 0) {
    return false;
  }
  while (*End == ' ' || *End == '\t') {
    ++End;
  }
  return *End == 0;
}

void Enable(TTBCustomItem* Item, bool On) {
  if (Item) {
    Item->SetEnabled(On);
  }
}

}  // namespace

// ---- Search and edit --------------------------------------------------------------------------------------------

void TZUBQEForm::SearchFindClick(TObject*) {
  if (TCustomEasyEdit* Editor = FocusedEditor(*this)) {
    Editor->ExecuteDialog(DIALOG_FIND);
  }
}

void TZUBQEForm::SearchReplaceClick(TObject*) {
  if (TCustomEasyEdit* Editor = FocusedEditor(*this)) {
    Editor->ExecuteDialog(DIALOG_REPLACE);
  }
}

void TZUBQEForm::SearchFindAgainClick(TObject*) {
  if (TCustomEasyEdit* Editor = FocusedEditor(*this)) {
    Editor->FindNext(DIALOG_FIND);
  }
}

void TZUBQEForm::EditUndoClick(TObject*) {
  if (TCustomEasyEdit* Editor = FocusedEditor(*this)) {
    Editor->GetEditSource()->Undo();
  } else if (TCustomComboBox* Combo = FocusedCombo(*this)) {
    SendMessage(Combo->Handle(), WM_UNDO, 0, 0);
  }
}

void TZUBQEForm::EditRedoClick(TObject*) {
  if (TCustomEasyEdit* Editor = FocusedEditor(*this)) {
    Editor->GetEditSource()->Redo();
  }
}

void TZUBQEForm::EditCutClick(TObject*) {
  if (TCustomEasyEdit* Editor = FocusedEditor(*this)) {
    Editor->CutBlock();
  } else if (TCustomComboBox* Combo = FocusedCombo(*this)) {
    SendMessage(Combo->Handle(), WM_CUT, 0, 0);
  }
}

void TZUBQEForm::EditCopyClick(TObject*) {
  if (TCustomEasyEdit* Editor = FocusedEditor(*this)) {
    Editor->CopyBlock();
  } else if (TCustomComboBox* Combo = FocusedCombo(*this)) {
    SendMessage(Combo->Handle(), WM_COPY, 0, 0);
  }
}

void TZUBQEForm::EditPasteClick(TObject*) {
  if (TCustomEasyEdit* Editor = FocusedEditor(*this)) {
    Editor->PasteBlock();
  } else if (TCustomComboBox* Combo = FocusedCombo(*this)) {
    SendMessage(Combo->Handle(), WM_PASTE, 0, 0);
  }
}

void TZUBQEForm::EditSelectAllClick(TObject*) {
  if (TCustomEasyEdit* Editor = FocusedEditor(*this)) {
    Editor->SelectAll();
  } else if (TCustomComboBox* Combo = FocusedCombo(*this)) {
    Combo->SelectAll();
  }
}

// ---- Printing and indenting -------------------------------------------------------------------------------------

void TZUBQEForm::FilePrintClick(TObject*) {
  if (TCustomEasyEdit* Editor = FocusedEditor(*this)) {
    PrintWithDialog(Editor);
  }
}

void TZUBQEForm::FilePrintPreviewClick(TObject*) {
  if (TCustomEasyEdit* Editor = FocusedEditor(*this)) {
    (void)PrintPreview(Editor);  // the preview window lives on its own until closed
  }
}

void TZUBQEForm::FilePrinterSetupClick(TObject*) {
  if (!Running()) {
    return;
  }
  const std::unique_ptr<TPrinterSetupDialog> Dialog = std::make_unique<TPrinterSetupDialog>(this);
  (void)Dialog->Execute();  // the printer's settings are the dialog's own business
}

void TZUBQEForm::IndentBtnClick(TObject*) {
  if (CurrentEditor) {
    CurrentEditor->ProcessBlock(BLOCK_INDENT);
  }
}

void TZUBQEForm::UnindentBtnClick(TObject*) {
  if (CurrentEditor) {
    CurrentEditor->ProcessBlock(BLOCK_UNINDENT);
  }
}

// ---- Go to line -------------------------------------------------------------------------------------------------

void TZUBQEForm::EditGoToLineClick(TObject*) {
  TEasyEdit* Editor = CurrentEditor;
  if (!Running() || !Editor) {
    return;
  }
  TCustomEasyEditSource* Source = Editor->GetEditSource();
  const int Lines = Source->Strings()->Count();
  if (Lines == 0) {
    (void)ShowMessageBox(StrStore("This document is empty. Can't go to a line."), StrStore("Quillon: Document Empty"),
                         MSG_INFORMATION);
    return;
  }
  std::unique_ptr<TGoToLineForm> Window(new TGoToLineForm(Application));
  Window->AfterConstruction();
  Window->GoToLineLabel->SetCaption("Go to &line (1-" + std::to_string(Lines) + "):");
  if (Window->ShowModal() != mrOk) {
    return;
  }
  bool LineInvalid = false;
  bool CharInvalid = false;
  const std::string LineText = Window->GoToLineEdit->Text();
  if (!LineText.empty()) {
    long Line = 0;
    if (!ParseWholeNumber(LineText, Line) || Line < 1 || Line > Lines) {
      LineInvalid = true;
    } else {
      Source->JumpToLine(static_cast<int>(Line - 1));
      (void)SafeSetFocus(Editor);  // a window that cannot take the focus still moved its caret
    }
  }
  const std::string CharText = Window->GoToCharEdit->Text();
  if (!CharText.empty()) {
    long Char = 0;
    if (!ParseWholeNumber(CharText, Char) || Char < 1 || Char > EasyMaxInt) {
      CharInvalid = true;
    } else {
      Source->JumpToChar(static_cast<int>(Char - 1));
      (void)SafeSetFocus(Editor);
    }
  }
  if (LineInvalid) {
    (void)ShowMessageBox(StrStore("You've entered an invalid line number."), StrStore("Quillon: Invalid Line Number"),
                         MSG_ERROR);
  } else if (CharInvalid) {
    (void)ShowMessageBox(StrStore("You've entered an invalid character position."),
                         StrStore("Quillon: Invalid Character Position"), MSG_ERROR);
  }
}

// ---- Open the selected file name --------------------------------------------------------------------------------

void TZUBQEForm::EditorPopupOpenFileClick(TObject*) {
  if (!Running() || !CurrentEditor) {
    return;
  }
  std::string Name = CurrentEditor->GetSelText();
  Name = Name.substr(0, Name.find_first_of("\r\n"));
  if (Name.empty()) {
    return;
  }
  fileinfoclass* Document = GetCurrentFile();
  if (Document && Document->onDisk != 0 && Document->name.text) {
    int Code = PATH_RESOLVE_NO_STYLE;
    const StrStore Resolved =
        ResolveRelativePath(Document->name.text, Name.c_str(), RESOLVE_FILE | RESOLVE_BASE_DOCUMENT, &Code);
    if (Code >= 0 && Resolved.text) {
      Name = Resolved.text;
    }
  }
  (void)AddNewFileTab(nullptr, Name.c_str(), 0, nullptr);  // a missing file is reported there
}

// ---- Popup menus ------------------------------------------------------------------------------------------------

void TZUBQEForm::EditorPopupMenuPopup(TObject*) {
  TEasyEdit* Editor = CurrentEditor;
  if (!Running() || !Editor) {
    return;
  }
  fileinfoclass* Document = GetCurrentFile();
  Enable(EditorPopupSave, Document && Document->IsEditable() != 0);
  Enable(EditorPopupSaveAll, AllDocumentsSaved(prg->volatileState->documents) == 0);
  Enable(EditorPopupPaste, IsClipboardFormatAvailable(CF_TEXT) && !Editor->GetReadOnly());
  const bool HasLines = Editor->GetEditSource()->Strings()->Count() > 0;
  for (TTBCustomItem* Item :
       std::initializer_list<TTBCustomItem*>{EditorPopupSelectAll, EditorPopupToggleBookmark, EditorPopupGotoBookmark,
                                             EditorPopupValidate, EditorPopupValidateWithWizard}) {
    Enable(Item, HasLines);
  }
  // The bookmark items: checked (toggle) and enabled (go to) by the bookmarks of the editor's text.
  TCustomEasyEditSource* Source = Editor->GetEditSource();
  for (int I = 0; EditorPopupToggleBookmark && I < EditorPopupToggleBookmark->Count(); ++I) {
    TTBCustomItem* Item = EditorPopupToggleBookmark->Items(I);
    TPoint Where{0, 0};
    Item->SetChecked(Source->FindBookMark(static_cast<int>(Item->Tag()), Where));
  }
  for (int I = 0; EditorPopupGotoBookmark && I < EditorPopupGotoBookmark->Count(); ++I) {
    TTBCustomItem* Item = EditorPopupGotoBookmark->Items(I);
    TPoint Where{0, 0};
    Item->SetEnabled(Source->FindBookMark(static_cast<int>(Item->Tag()), Where));
  }
}

void TZUBQEForm::GenericMemoPopupPopup(TObject*) {
  TCustomEasyEdit* Editor = FocusedEditor(*this);
  const bool Writable = !(Editor && Editor->GetReadOnly());
  Enable(GenericMemoPopupCut, Writable);
  Enable(GenericMemoPopupPaste, Writable);
  Enable(GenericMemoPopupCopy, true);
  Enable(GenericMemoPopupPrint, true);
  Enable(GenericMemoPopupSelectAll, true);
}
