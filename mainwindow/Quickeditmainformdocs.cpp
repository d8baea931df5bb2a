// Document state and the opened-documents list of the main window.
#include "mainwindow/Quickeditmainform.h"

int TZUBQEForm::MarkDocumentSaved(fileinfoclass*) { return 1; }
int TZUBQEForm::MarkDocumentModified(fileinfoclass*) { return 0; }
void TZUBQEForm::UpdateOpenedListItem(fileinfoclass*, int) {}
void TZUBQEForm::ReplaceOpenedListDocument(fileinfoclass*, fileinfoclass*, int) {}
int TZUBQEForm::RefillOpenedList(int) { return 0; }
int TZUBQEForm::SortOpenedList(TListColumn*, int) { return 0; }
