// The file-name and folder edits.
#include "suitebase/Dcfileedit.h"

#include "platform/classes/DesignHooks.h"
#include "platform/rtl/Exceptions.h"
#include "platform/win/Desktop.h"
#include "suitebase/Dceditors.h"
#include "suitebase/Smallhelpers.h"

#include <memory>

namespace Dcedit {

Z_IMPLEMENT_CLASS(TCustomFileDirEdit, TCustomDCEdit)
Z_IMPLEMENT_CLASS_PUBLISHED(ZEZFileNameEdit, TCustomFileDirEdit, ZEZFileNameEdit::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(ZEZDirectoryEdit, TCustomFileDirEdit, ZEZDirectoryEdit::Publish)

TCustomFileDirEdit::TCustomFileDirEdit(TComponent* AOwner) : TCustomDCEdit(AOwner) {
  SetNumButtons(1);
  Button1()->SetKind(bkCustom);
  Button1()->Button()->SetCaption("...");
  Button1()->Button()->OnButtonClick = [this](TObject* Sender) { Button1Click(Sender); };
}

void TCustomFileDirEdit::SetButtonGlyph(const char* ResName) {
  TBitmap Glyph;
  try {
    Glyph.LoadFromResourceName(nullptr, ResName);
  } catch (const Exception&) {
    return;  // the caption stays
  }
  Button1()->Button()->SetCaption("");
  Button1()->Button()->SetGlyph(&Glyph);
}

void TCustomFileDirEdit::SetAcceptFiles(bool Value) {
  FAcceptFiles = Value;
  if (!ComponentState().Contains(csDesigning) && HandleAllocated()) {
    DragAcceptFiles(Handle(), Value ? TRUE : FALSE);
  }
}

void TCustomFileDirEdit::CreateWnd() {
  TCustomDCEdit::CreateWnd();
  if (FAcceptFiles && !ComponentState().Contains(csDesigning)) {
    DragAcceptFiles(Handle(), TRUE);
  }
}

void TCustomFileDirEdit::DestroyWnd() {
  if (FAcceptFiles && HandleAllocated()) {
    DragAcceptFiles(Handle(), FALSE);
  }
  TCustomDCEdit::DestroyWnd();
}

void TCustomFileDirEdit::Dispatch(TMessage& Message) {
  if (Message.Msg == WM_DROPFILES) {
    TakeDroppedFiles(Message);
    if (OnDropFiles) {
      OnDropFiles(this);
    }
    return;
  }
  TCustomDCEdit::Dispatch(Message);
}

// ---- File names --------------------------------------------------------------------------------------------------

ZEZFileNameEdit::ZEZFileNameEdit(TComponent* AOwner) : TCustomFileDirEdit(AOwner) { SetButtonGlyph("DCFILENAMEEDIT"); }

void ZEZFileNameEdit::Publish(TMetaClass& Meta) {
  TPublisher<ZEZFileNameEdit> P(Meta);
  P.Property("AcceptFiles", &ZEZFileNameEdit::AcceptFiles, &ZEZFileNameEdit::SetAcceptFiles).Default(false);
  P.Property("DefaultExt", &ZEZFileNameEdit::DefaultExt, &ZEZFileNameEdit::DefaultExt);
  P.Property("DialogKind", &ZEZFileNameEdit::DialogKind, &ZEZFileNameEdit::DialogKind).Default(fdOpen);
  P.Property("DialogTitle", &ZEZFileNameEdit::DialogTitle, &ZEZFileNameEdit::DialogTitle);
  P.Property("FileName", &ZEZFileNameEdit::FileName, &ZEZFileNameEdit::SetFileName).Stored(false);
  P.Property("Filter", &ZEZFileNameEdit::Filter, &ZEZFileNameEdit::Filter);
  P.Property("FilterIndex", &ZEZFileNameEdit::FilterIndex, &ZEZFileNameEdit::FilterIndex).Default(1);
  P.Property("InitialDir", &ZEZFileNameEdit::InitialDir, &ZEZFileNameEdit::InitialDir);
  P.Property("OnDropFiles", &ZEZFileNameEdit::OnDropFiles, &ZEZFileNameEdit::OnDropFiles);
}

void ZEZFileNameEdit::Button1Click(TObject*) {
  std::unique_ptr<TOpenDialog> D(DialogKind == fdSave || DialogKind == fdSavePicture ? new TSaveDialog(nullptr)
                                                                                     : new TOpenDialog(nullptr));
  D->DefaultExt = DefaultExt;
  D->Options = DialogOptions;
  D->Title = DialogTitle;
  D->FileName = GetText();
  D->Filter = Filter;
  D->FilterIndex = FilterIndex;
  D->InitialDir = InitialDir;
  if (D->Execute()) {
    SetText(D->FileName);
  }
}

void ZEZFileNameEdit::TakeDroppedFiles(TMessage& Message) {
  std::string S;
  Dccommon::DropFiles(false, false, "", S, Message);
  SetText(S);
}

// ---- Folders -----------------------------------------------------------------------------------------------------

ZEZDirectoryEdit::ZEZDirectoryEdit(TComponent* AOwner) : TCustomFileDirEdit(AOwner) {
  SetButtonGlyph("DCDIRECTORYEDIT");
}

void ZEZDirectoryEdit::Publish(TMetaClass& Meta) {
  TPublisher<ZEZDirectoryEdit> P(Meta);
  P.Property("AcceptFiles", &ZEZDirectoryEdit::AcceptFiles, &ZEZDirectoryEdit::SetAcceptFiles).Default(false);
  P.Property("DialogText", &ZEZDirectoryEdit::DialogText, &ZEZDirectoryEdit::DialogText);
  P.Property("InitialDir", &ZEZDirectoryEdit::InitialDir, &ZEZDirectoryEdit::InitialDir);
  P.Property("MultipleDirs", &ZEZDirectoryEdit::MultipleDirs, &ZEZDirectoryEdit::MultipleDirs).Default(false);
  P.Property("OnDropFiles", &ZEZDirectoryEdit::OnDropFiles, &ZEZDirectoryEdit::OnDropFiles);
}

void ZEZDirectoryEdit::Button1Click(TObject*) {
  const std::string Text = GetText();
  std::string Dir =
      Text.empty() ? InitialDir : Text.substr(Text.rfind(';') == std::string::npos ? 0 : Text.rfind(';') + 1);
  if (!Dccommon::QueryDirectory("Select Directory", Dir)) {
    return;
  }
  SetText(MultipleDirs && !Text.empty() ? Text + ";" + Dir : Dir);
}

void ZEZDirectoryEdit::TakeDroppedFiles(TMessage& Message) {
  std::string S;
  Dccommon::DropFiles(true, MultipleDirs, ";", S, Message);
  SetText(S);
}

void Register() {
  if (!RegisterComponentsProc) {
    return;
  }
  RegisterComponents("Nimbra Edit", {ZEZEdit::StaticClass(), ZEZColorEdit::StaticClass(),
                                     ZEZPenStyleEdit::StaticClass(), ZEZBrushStyleEdit::StaticClass(),
                                     ZEZFileNameEdit::StaticClass(), ZEZDirectoryEdit::StaticClass()});
}

}  // namespace Dcedit
