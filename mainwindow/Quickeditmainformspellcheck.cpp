// Spell checking from the main window: the commands, the check of one document or of every document of a tab
// control, and the spell checker's text and completion events.
#include "mainwindow/Quickeditmainform.h"

#include "core/Editsourceoptions.h"
#include "core/Errorreport.h"
#include "core/Prgclass.h"
#include "core/Strtext.h"
#include "core/Tabinfoclass.h"
#include "core/Validatorlib.h"
#include "core/Volatileclass.h"

#include "editor/Easyeditsource.h"
#include "mainwindow/Spellcheckrun.h"
#include "platform/win/MessageBox.h"

namespace {

// Flags of EkSpellCheckInForm.
constexpr int SPELL_FOCUSED_DOCUMENT = 0x1;
constexpr int SPELL_ALL_DOCUMENTS = 0x2;
constexpr int SPELL_MORE_FOLLOW = 0x4;
constexpr int SPELL_SELECTION_ONLY = 0x8;
// Flags of GetSpellCheckEditor and CanSpellCheck.
constexpr int SPELL_EDITOR_OF_CHECK = 0x1;
constexpr int CAN_CHECK_CONTROL = 0x1;
constexpr int CAN_CHECK_EDITOR_OF_CHECK = 0x2;
// SelectTab: only when it is not the current tab.
constexpr int SELECT_UNLESS_CURRENT = 0x2;
// The spell checker's identifier of the end-of-check message.
constexpr int SPELL_END_MESSAGE_ID = ':';
// Flags3 bit of live spelling.
constexpr TFlagBit<InterfaceFlags3Tag> LiveSpelling{0x80};

bool Running() { return prg && prg->volatileState && prg->interface && prg->volatileState->shuttingDown == 0; }

bool EditableText(TEasyEdit* Editor) {
  return Editor != nullptr && Editor->GetEditSource() != nullptr && !Editor->GetEditSource()->ReadOnly();
}

}  // namespace

TEasyEdit* TZUBQEForm::GetSpellCheckEditor(int Flags) {
  if ((Flags & SPELL_EDITOR_OF_CHECK) == 0) {
    return nullptr;
  }
  auto* Focused = dynamic_cast<TEasyEdit*>(FindControl(GetFocus()));
  if (Focused != nullptr && Focused->ClassName() == "TEasyEdit" &&
      (Focused == CurrentEditor || EditableText(Focused))) {
    return Focused;
  }
  return CurrentEditor;
}

int TZUBQEForm::CanSpellCheck(TControl* Control, int Flags) {
  if ((Flags & CAN_CHECK_EDITOR_OF_CHECK) != 0) {
    TEasyEdit* Editor = GetSpellCheckEditor(SPELL_EDITOR_OF_CHECK);
    return EditableText(Editor) && Editor->LineCount() > 0 ? 1 : 0;
  }
  if ((Flags & CAN_CHECK_CONTROL) != 0) {
    return EditableText(dynamic_cast<TEasyEdit*>(Control)) ? 1 : 0;
  }
  return 1;
}

int TZUBQEForm::EkSpellCheckInForm(int Flags) {
  if (!Running() || LexiSpell == nullptr) {
    return 2;
  }
  if ((Flags & SPELL_ALL_DOCUMENTS) != 0) {
    auto* Tabs = CurrentEditor != nullptr ? reinterpret_cast<TComponent*>(CurrentEditor->Tag()) : nullptr;
    if (Tabs == nullptr) {
      return -3;
    }
    auto* Record = reinterpret_cast<tabinfoclass*>(Tabs->Tag());
    if (Record == nullptr) {
      return ReportInternalError(-1, "EkSpellCheckInForm", "tabinfo is NULL");
    }
    if (Record->documents == nullptr) {
      return ReportInternalError(-2, "EkSpellCheckInForm", "filearray is NULL");
    }
    for (int I = 0; I < Record->documents->getCount(); ++I) {
      const bool Last = I == Record->documents->getCount() - 1;
      (void)SelectTab(Tabs, I, SELECT_UNLESS_CURRENT);                                    // reports its own failures
      (void)EkSpellCheckInForm(SPELL_FOCUSED_DOCUMENT | (Last ? 0 : SPELL_MORE_FOLLOW));  // refusals are shown
      // The check ran the loop: the program may be closing, and the documents may have changed.
      if (!Running() || Last || !SpellCheckCancelled(LexiSpell)) {
        continue;
      }
      if (ShowMessageBox(StrStore("Cancel all remaining spell checks?"),
                         StrStore("Quillon: Cancel Remaining Spell Checks?"), MSG_QUESTION) == IDYES) {
        break;
      }
    }
    return 0;
  }
  if ((Flags & SPELL_FOCUSED_DOCUMENT) == 0) {
    return 0;
  }
  StopSpellCheck(LexiSpell);
  TEasyEdit* Editor = GetSpellCheckEditor(SPELL_EDITOR_OF_CHECK);
  if (CanSpellCheck(Editor, CAN_CHECK_CONTROL) == 0) {
    (void)ShowMessageBox(StrStore("Cannot spell check a read only document."), StrStore("Quillon: Cannot Spell Check"),
                         MSG_ERROR);
    return 0;
  }
  const bool Selected = (Flags & SPELL_SELECTION_ONLY) != 0 || Editor->GetSelLength() > 0;
  (void)SetStatusText(Selected ? "Beginning spell check for selected text only..."
                               : "Beginning spell check for entire document...");
  RunSpellCheck(LexiSpell, Editor, Selected, (Flags & SPELL_MORE_FOLLOW) != 0);
  return 0;
}

void TZUBQEForm::ToolsSpellCheckClick(TObject*) { (void)EkSpellCheckInForm(SPELL_FOCUSED_DOCUMENT); }

void TZUBQEForm::ToolsSpellCheckAllClick(TObject*) { (void)EkSpellCheckInForm(SPELL_ALL_DOCUMENTS); }

void TZUBQEForm::EditorPopupSpellCheckClick(TObject*) {
  (void)EkSpellCheckInForm(SPELL_FOCUSED_DOCUMENT | SPELL_SELECTION_ONLY);
}

void TZUBQEForm::OptionsSpellCheckerClick(TObject*) {
  if (!Running()) {
    return;
  }
  if (ZUBCalls.ZUBSpellCheck != nullptr) {
    (void)ZUBCalls.ZUBSpellCheck(ZUB_SPELL_OPTIONS);  // the engine shows the options; nothing comes back
  }
}

void TZUBQEForm::OptionsLiveSpellClick(TObject*) {
  if (!Running()) {
    return;
  }
  prg->interface->flags3.toggle(LiveSpelling);
  UpdateMenuChecks();
  (void)ApplyToAllDocuments(prg->volatileState->documents, ALLDOCUMENTS_OPTIONS);  // no failure to report
}

void TZUBQEForm::SpellGetString(TObject*, int Id, std::string& Text) {
  if (Id == SPELL_END_MESSAGE_ID) {
    Text = SpellCheckCancelled(LexiSpell) ? "The spell check was cancelled." : "The spell check is complete.";
  }
}

void TZUBQEForm::LexiSpellCompleteCheck(TObject*) { SaveSpellConfiguration(LexiSpell); }
