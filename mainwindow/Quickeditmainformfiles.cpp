// Document tabs and file commands of the main window.
#include "mainwindow/Quickeditmainform.h"

#include "core/Prgclass.h"

// ---- Handlers ---------------------------------------------------------------------------------------------------

void TZUBQEForm::FileNewClick(TObject*) {}
void TZUBQEForm::FileOpenClick(TObject*) {}
void TZUBQEForm::FileReloadClick(TObject*) {}
void TZUBQEForm::FileSaveClick(TObject*) {}
void TZUBQEForm::FileSaveAsClick(TObject*) {}
void TZUBQEForm::FileSaveAllClick(TObject*) {}
void TZUBQEForm::FileCloseClick(TObject*) {}
void TZUBQEForm::FileCloseAllClick(TObject*) {}
void TZUBQEForm::FileCloseCompleteClick(TObject*) {}
void TZUBQEForm::ViewNextDocumentClick(TObject*) {}
void TZUBQEForm::ViewPreviousDocumentClick(TObject*) {}
void TZUBQEForm::FirstTabBtnClick(TObject*) {}
void TZUBQEForm::LastTabBtnClick(TObject*) {}
void TZUBQEForm::TabControlChange(TObject*) {}
void TZUBQEForm::EasyEdit1Enter(TObject*) {}
void TZUBQEForm::EasyEdit1GutterClick(TObject*, int, int) {}
void TZUBQEForm::EasyEdit1SourceChanged(TObject*, TEasyEditSourceStates) {}
void TZUBQEForm::TabControl2MouseDown(TObject*, TMouseButton, TShiftState, int, int) {}
void TZUBQEForm::EasyEditEnter(TObject* Sender) { EasyEdit1Enter(Sender); }

// ---- Operations -------------------------------------------------------------------------------------------------

int TZUBQEForm::AddNewFileTab(TComponent*, const char*, int, fileinfoextraclass*) { return 0; }
int TZUBQEForm::SelectTab(TComponent*, int, int) { return 0; }
int TZUBQEForm::CloseFileTab(TComponent*, int, int) { return 0; }
int TZUBQEForm::CloseAllTabFiles(TComponent*, int) { return 0; }
int TZUBQEForm::CloseALLFiles(int) { return 0; }
int TZUBQEForm::SaveFileTab(TComponent*, int, int) { return 0; }
int TZUBQEForm::SaveAllTabFiles(TComponent*) { return 0; }
int TZUBQEForm::SaveALLFiles() { return 0; }
int TZUBQEForm::UpdateTabControls() { return 0; }
int TZUBQEForm::UpdateTab(TComponent*, int) { return 0; }
fileinfoclass* TZUBQEForm::GetCurrentFile() { return nullptr; }
fileinfoclass* TZUBQEForm::FindOpenDocument(const char*, TComponent**) { return nullptr; }
void TZUBQEForm::CheckFileChangedOnDisk(int) {}
int TZUBQEForm::Reload(fileinfoclass*) { return 0; }
int TZUBQEForm::BuildReopenMenus(StringArrayStore*) { return 1; }
int TZUBQEForm::OpenWebDocument(fileinfoextraclass*, const char*, int) { return 0; }
