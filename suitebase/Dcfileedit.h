// Drop-down edits whose button opens a dialog: a file name (open or save dialog) and one or several folders (the
// suite's folder dialog); both take files dropped from the desktop.
#pragma once

#include "platform/controls/Dialogs.h"
#include "suitebase/Dcedit.h"

#include <string>

namespace Dcedit {

class TCustomFileDirEdit : public TCustomDCEdit {
  Z_CLASS(TCustomFileDirEdit, TCustomDCEdit)
public:
  explicit TCustomFileDirEdit(TComponent* AOwner);
  void Dispatch(TMessage& Message) override;
  virtual void Button1Click(TObject* Sender) = 0;
  bool AcceptFiles() const { return FAcceptFiles; }
  void SetAcceptFiles(bool Value);
  std::string InitialDir;
  TNotifyEvent OnDropFiles;

protected:
  void CreateWnd() override;
  void DestroyWnd() override;
  // Button 1 shows the resource bitmap of that name (its caption "..." when there is none).
  void SetButtonGlyph(const char* ResName);
  // Takes the names of a drop message into the text.
  virtual void TakeDroppedFiles(TMessage& Message) = 0;

private:
  bool FAcceptFiles = false;
};

enum TFileDialogKind { fdOpen, fdSave, fdOpenpicture, fdSavePicture };

class ZEZFileNameEdit : public TCustomFileDirEdit {
  Z_CLASS(ZEZFileNameEdit, TCustomFileDirEdit)
public:
  explicit ZEZFileNameEdit(TComponent* AOwner);
  static void Publish(TMetaClass& Meta);
  // Shows the dialog of DialogKind; confirmed, its file name becomes the text.
  void Button1Click(TObject* Sender) override;
  std::string FileName() const { return const_cast<ZEZFileNameEdit*>(this)->GetText(); }
  void SetFileName(const std::string& Value) { SetText(Value); }
  std::string DefaultExt;
  TFileDialogKind DialogKind = fdOpen;
  TOpenOptions DialogOptions{ofHideReadOnly, ofEnableSizing};
  std::string DialogTitle;
  std::string Filter;
  int FilterIndex = 1;

protected:
  void TakeDroppedFiles(TMessage& Message) override;
};

class ZEZDirectoryEdit : public TCustomFileDirEdit {
  Z_CLASS(ZEZDirectoryEdit, TCustomFileDirEdit)
public:
  explicit ZEZDirectoryEdit(TComponent* AOwner);
  static void Publish(TMetaClass& Meta);
  // The folder dialog, starting at the last folder of the text (else InitialDir); with MultipleDirs a chosen
  // folder is appended after ";".
  void Button1Click(TObject* Sender) override;
  std::string DialogText;
  bool MultipleDirs = false;

protected:
  void TakeDroppedFiles(TMessage& Message) override;
};

// Puts the drop-down edits on the palette page "Nimbra Edit" (when a design environment registers components).
void Register();

}  // namespace Dcedit

Z_ENUM_TYPEINFO(Dcedit::TFileDialogKind, "fdOpen", "fdSave", "fdOpenpicture", "fdSavePicture")
