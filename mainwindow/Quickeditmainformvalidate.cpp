// TZUBQEForm: the commands that send documents to the engine (validate, validate all, the batch wizard
// hand-over, revalidate), the quick text tools and the undo of the last major change.
#include "mainwindow/Quickeditmainform.h"

#include "core/Enginejobs.h"
#include "core/Errorreport.h"
#include "core/Fileinfoclass.h"
#include "core/Mainsetup.h"
#include "core/Prgclass.h"
#include "core/Tabinfoclass.h"
#include "core/Validatorlib.h"
#include "core/Volatileclass.h"
#include "editor/Easyeditor.h"
#include "editor/Easyeditsource.h"
#include "mainwindow/Resultsmodel.h"
#include "mainwindow/Resultspages.h"
#include "shell/Uptdialogs.h"

#include "platform/controls/ExtCtrls.h"
#include "platform/controls/Splitter.h"

#include "platform/win/MessageBox.h"

namespace {

const char UndoName[] = "TZUBQEForm::EditUndoLastMajorChangeClick()";
const char NoCheckableCaption[] = "Quillon: No Checkable Document Types";
const char NoCheckableText[] =
    "Could not find any checkable document types. Normally, the document type is indicated by the file extension. You "
    "may need to save a document with an appropriate extension or use the File Types tab in the Editor Options to "
    "specify additional file extensions so that Quillon recognizes the extension.";

bool ShuttingDown() { return prg == nullptr || prg->volatileState == nullptr || prg->volatileState->shuttingDown != 0; }

fileinfoclass* DocumentAt(PointerArrayManager* Array, int I) {
  return static_cast<fileinfoclass*>(Array->getPointer(I));
}

}  // namespace

bool TZUBQEForm::ResultsAreaShown() {
  if (ResultsPanel == nullptr || (EditorResultsSplitter != nullptr && !EditorResultsSplitter->Visible())) {
    return false;
  }
  // Hidden with any of its containers.
  for (TControl* C = ResultsPanel; C != nullptr && C != this; C = C->Parent()) {
    if (!C->Visible()) {
      return false;
    }
  }
  return true;
}

int TZUBQEForm::ValidateDocuments(TObject* Sender, fileinfoclass* Document, int Flags, int Configuration) {
  if (ShuttingDown()) {
    return -2;
  }
  (void)SetResultPanelsText(nullptr, 1);
  const int JobFlags = (Flags & VALIDATEDOCS_ALL) != 0 ? VALIDATE_NOT_FROM_COMMAND : 0;
  if ((Flags & VALIDATEDOCS_CURRENT) != 0) {
    fileinfoclass* Current = GetCurrentFile();
    const int Done = Current != nullptr ? Current->Validate(Configuration, JobFlags)
                                        : ValidateDocument(nullptr, Configuration, JobFlags);
    if (Done < 0) {
      (void)SetResultPanelsText(nullptr, 3);
    } else {
      // The results window is shown when its option is off and it is not on screen either.
      if (prg->interface != nullptr && !prg->interface->flags.has(IF40::ResultsWindow) && !ResultsAreaShown()) {
        ViewResultsClick(Sender);
      }
      (void)ShowDocumentResults(Current, 0x4);
      if (Current != nullptr && prg->interface != nullptr && prg->interface->flags2.has(IF2::JumpToFirstError)) {
        const int Page = Current->GetResultCount(COUNT_MESSAGE_TAGS_1_2) >= 1     ? GOTO_MESSAGES_PAGE
                         : Current->GetResultCount(COUNT_MESSAGE_TAGS_5_6) >= 1   ? GOTO_GROUPED_PAGE
                         : Current->GetResultCount(COUNT_MESSAGE_TAGS_9_10) >= 1  ? GOTO_STYLES_PAGE
                         : Current->GetResultCount(COUNT_MESSAGE_TAGS_13_14) >= 1 ? GOTO_ACCESSIBILITY_PAGE
                                                                                  : 0;
        if (Page != 0) {
          (void)GoToMessage(Sender, GOTO_ERRORS_ONLY | Page);
        }
      }
    }
  }
  if ((Flags & VALIDATEDOCS_GIVEN) != 0) {
    if (Document == nullptr) {
      return -1;
    }
    if (Document == GetCurrentFile()) {
      return ValidateDocuments(nullptr, nullptr, VALIDATEDOCS_CURRENT, VALIDATE_LAST_CONFIGURATION);
    }
    (void)Document->Validate(Configuration, JobFlags | VALIDATE_NO_COUNTS);  // failures were reported
  }
  return 0;
}

void TZUBQEForm::ToolsValidateClick(TObject* Sender) {
  (void)ValidateDocuments(Sender, nullptr, VALIDATEDOCS_CURRENT, VALIDATE_LAST_CONFIGURATION);
}

void TZUBQEForm::ToolsValidateAllClick(TObject* Sender) {
  if (ShuttingDown()) {
    return;
  }
  fileinfoclass* Current = GetCurrentFile();
  PointerArrayManager* Documents = prg->volatileState->documents;
  for (int I = 0; I < Documents->getCount(); ++I) {
    fileinfoclass* D = DocumentAt(Documents, I);
    if (D == nullptr || D->IsValidatable() == 0) {
      continue;
    }
    Repaint();
    if (D == Current) {
      (void)ValidateDocuments(Sender, nullptr, VALIDATEDOCS_CURRENT | VALIDATEDOCS_ALL, VALIDATE_LAST_CONFIGURATION);
    } else {
      (void)D->Validate(VALIDATE_LAST_CONFIGURATION, VALIDATE_NOT_FROM_COMMAND | VALIDATE_NO_COUNTS);
    }
  }
  if (ZUBCalls.ZUBSetInteger3 != nullptr) {
    (void)ZUBCalls.ZUBSetInteger3(ZUB_VALIDATE_ALL_DONE, 1);
  }
  ShowResultCounts(0);
}

int TZUBQEForm::HandToBatchWizard(TObject* Sender, bool All) {
  PointerArrayManager* Ready = prg->volatileState->batchHandOver;
  (void)Ready->removeAllPointers(0, 0);
  if (!All) {
    if (fileinfoclass* Current = GetCurrentFile()) {
      (void)Ready->addPointer(Current);  // a list that cannot grow stays empty: the box below says so
    }
  } else {
    PointerArrayManager* Documents = prg->volatileState->documents;
    for (int I = 0; I < Documents->getCount(); ++I) {
      fileinfoclass* D = DocumentAt(Documents, I);
      if (D != nullptr && D->IsValidatable() != 0) {
        (void)Ready->addPointer(D);
      }
    }
  }
  if (Ready->getCount() == 0) {
    (void)ShowMessageBox(StrStore(NoCheckableText), StrStore(NoCheckableCaption),
                         MSG_INFORMATION | MSG_NOT_ON_STATUS_BAR);
    return 1;
  }
  (void)ShowBatchWizard(Sender, 1);
  if (BatchWizard().BatchWizardForm() != nullptr) {
    (void)BatchWizard().ProcessTargets(Sender, Ready, PROCESS_DOCUMENTS);
  }
  (void)ShowDocumentResults(GetCurrentFile(), 0x4);
  return 0;
}

void TZUBQEForm::ToolsValidateWithBatchWizardClick(TObject* Sender) {
  if (!ShuttingDown()) {
    (void)HandToBatchWizard(Sender, false);
  }
}

void TZUBQEForm::ToolsValidateAllWithBatchWizardClick(TObject* Sender) {
  if (!ShuttingDown()) {
    (void)HandToBatchWizard(Sender, true);
  }
}

void TZUBQEForm::RevalidateLastDocument1Click(TObject*) { (void)RevalidateLastDocument(); }
void TZUBQEForm::ToolsBatchWizardClick(TObject* Sender) { (void)ShowBatchWizard(Sender, 0); }

// The tools report their own failures.
void TZUBQEForm::ToolsLowercaseClick(TObject*) { (void)RunTool(ZUB_JOB_LOWER_CASE, TOOL_REPLACE_DOCUMENT); }
void TZUBQEForm::ToolsUppercaseClick(TObject*) { (void)RunTool(ZUB_JOB_UPPER_CASE, TOOL_REPLACE_DOCUMENT); }
void TZUBQEForm::ToolsStripClick(TObject*) { (void)RunTool(ZUB_JOB_STRIP_TAGS, TOOL_REPLACE_DOCUMENT); }
void TZUBQEForm::ToolsTemplateClick(TObject*) { (void)RunTool(ZUB_JOB_TEMPLATE, TOOL_REPLACE_DOCUMENT); }
void TZUBQEForm::ToolsQuoteClick(TObject*) { (void)RunTool(ZUB_JOB_QUOTE_VALUES, TOOL_REPLACE_DOCUMENT); }

void TZUBQEForm::ToolsConvertClick(TObject*) {
  if (ShuttingDown() || PTOpenDialog == nullptr) {
    return;
  }
  const TPTOpenOptions Saved = PTOpenDialog->Options();
  TPTOpenOptions Options = Saved;
  Options.Exclude(ptofAllowMultiselect);
  PTOpenDialog->SetOptions(Options);
  if (prg->editorOptions != nullptr) {
    PTOpenDialog->DefaultExt = prg->editorOptions->defaultFileExtension.text;
  }
  PTOpenDialog->SetFilter(prg->interface->dialogFilter.text);
  PTOpenDialog->SetFilterIndex(prg->interface->dialogFilterIndex);
  PTOpenDialog->Title = "Select File to Convert";
  PTOpenDialog->SetFilename(prg->tools->lastToolFile.text);
  const bool Chosen = PTOpenDialog->Execute();
  PTOpenDialog->SetOptions(Saved);
  if (!Chosen) {
    return;
  }
  prg->volatileState->lastValidatedFile = PTOpenDialog->GetFilename().c_str();
  prg->interface->dialogFilterIndex = PTOpenDialog->GetFilterIndex();
  (void)RunTool(ZUB_JOB_TEXT_FORMAT, TOOL_NAMED_FILE);  // the tool reports its own failures
}

void TZUBQEForm::EditorPopupLowercaseClick(TObject*) {
  if (CurrentEditor != nullptr) {
    CurrentEditor->ProcessBlock(36);  // the lower-case block command
  }
}

void TZUBQEForm::EditorPopupUppercaseClick(TObject*) {
  if (CurrentEditor != nullptr) {
    CurrentEditor->ProcessBlock(35);  // the upper-case block command
  }
}

void TZUBQEForm::EditUndoLastMajorChangeClick(TObject*) {
  if (ShuttingDown()) {
    return;
  }
  fileinfoclass* Document = GetCurrentFile();
  if (Document == nullptr || Document->undoCopyIndex1 < 0 || Document->undoArray == nullptr) {
    return;
  }
  if (Document->text != nullptr && Document->text->Modified) {
    const int Answer = ShowMessageBox(StrStore("You will lose your changes if you undo. Do you still want to undo?"),
                                      StrStore("Quillon: Undo?"), MSG_QUESTION);
    if (Answer != IDYES) {
      return;
    }
  }
  PointerArrayManager* Undo = Document->undoArray;
  const int Slot = Document->undoCopyIndex1;
  auto* Copy = static_cast<fileinfoclass*>(Undo->getPointer(Slot));
  if (Copy == nullptr) {
    (void)ReportInternalError(0, UndoName, "could not get fileundo");
    return;
  }
  PointerArrayManager* Documents = Document->documentArray;
  const int Index = Documents != nullptr ? Documents->findPointer(Document) : -1;
  if (Index < 0) {
    (void)ReportInternalError(0, UndoName, "could not get tabindex");
    return;
  }
  Copy->tabIndex = Index;
  if (Undo->setPointer(nullptr, Slot, 0, 0, PAM_KEEP_MODE) == PAM_FAILED) {
    (void)ReportInternalError(0, UndoName, "fileinfo->undofiles->setPointer() failed");
    return;
  }
  const int Placed =
      PlaceUndoCopy ? PlaceUndoCopy(Documents, Copy, Index) : Documents->setPointer(Copy, Index, 0, 0, PAM_KEEP_MODE);
  if (Placed == PAM_FAILED) {
    // The document stays where it is; the copy goes back into its slot, so that nothing is lost.
    (void)ReportInternalError(0, UndoName, "fileundo->filearray->setPointer() failed");
    if (Undo->setPointer(Copy, Slot, 0, 0, PAM_KEEP_MODE) == PAM_FAILED) {
      delete Copy;  // neither array can hold it: it would otherwise leak
    }
    return;
  }
  Document->undoCopyIndex1 = -1;
  Copy->undoCopyIndex1 = -1;
  Copy->undoCopyIndex2 = -1;
  // The copy keeps the undo array, so that the next tool on it can keep its own undo copy there.
  Copy->undoArray = Undo;
  Copy->documentArray = Documents;
  (void)Copy->SetSavedState(SAVEDSTATE_CHANGED | SAVEDSTATE_TO_STORE);
  if (tabinfoclass::UpdateForFileInfoChange(prg->volatileState->tabs, Copy, Index, Documents, 3) < 0) {
    (void)ReportInternalError(0, UndoName, "tabinfoclass::UpdateForFileInfoChange() failed");
  }
  (void)SelectTab(nullptr, -1, 0);
  ReplaceOpenedListDocument(Document, Copy, 0);
  delete Document;
  (void)Copy->UpdateDocumentType(0);
  (void)ShowResults(Copy, SHOW_FORCE);
}
