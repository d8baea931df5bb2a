// TZUBQEForm: the results popup's export commands: messages to the clipboard (text or XML) and links into a new
// document.
#include "mainwindow/Quickeditmainform.h"

#include "core/Fileinfoclass.h"
#include "core/Mainsetup.h"
#include "core/Prgclass.h"
#include "core/Volatileclass.h"
#include "mainwindow/Resultsexport.h"

int TZUBQEForm::ExportResults(TObject*, int Flags) {
  fileinfoclass* Source = GetCurrentFile();
  if (Source == nullptr) {
    return -1;
  }
  if ((Flags & EXPORT_LINKS) != 0) {
    const int Before = prg->volatileState->documents->getCount();
    if (AddNewFileTab(nullptr, nullptr, 0, nullptr) < 0) {
      return -2;
    }
    fileinfoclass* Target = GetCurrentFile();
    if (Target == nullptr || Target == Source || prg->volatileState->documents->getCount() <= Before) {
      return -3;
    }
    (void)::ExportLinks(Source, Target, 1);  // the target exists: the export cannot fail
  }
  if ((Flags & EXPORT_MESSAGES) != 0) {
    SetBusyCursor(true);
    (void)::ExportMessages(Source, EXPORTMSG_DO | ((Flags & EXPORT_XML) != 0 ? EXPORTMSG_XML : 0));
    SetBusyCursor(false);
    FocusCurrentEditor();
  }
  return 0;
}

void TZUBQEForm::ResultsPopupExportLinksClick(TObject* Sender) { (void)ExportResults(Sender, EXPORT_LINKS); }
void TZUBQEForm::ResultsPopupCopyToClipboardClick(TObject* Sender) { (void)ExportResults(Sender, EXPORT_MESSAGES); }
void TZUBQEForm::ResultsPopupCopyToClipboardInXMLClick(TObject* Sender) {
  (void)ExportResults(Sender, EXPORT_MESSAGES | EXPORT_XML);
}
