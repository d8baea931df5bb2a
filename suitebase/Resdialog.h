// TResDialog: a small modal dialog made from a dialog template of the program's resources, without forms.
#pragma once

#include "platform/classes/Classes.h"
#include "platform/win/Messages.h"

namespace Dcapi {

// Owned by whoever creates it; it is in the unit's list of dialogs from its construction to its destruction, and
// its window lives as long as it does.
class TResDialog : public TObject {
  Z_CLASS(TResDialog, TObject)
public:
  // The dialog of the RT_DIALOG resource DialogID (hidden, no owner). Its window is made once the object is whole
  // (AfterConstruction, or the first Handle or Execute), so that a descendant's InitDialog runs; that raises when
  // the template cannot be found or read.
  explicit TResDialog(int DialogID);
  void AfterConstruction() override { HandleNeeded(); }
  void HandleNeeded();
  ~TResDialog() override;
  TResDialog(const TResDialog&) = delete;
  TResDialog& operator=(const TResDialog&) = delete;

  // Shows the dialog and runs its loop until control 1 (true) or 2 (false) finishes it, or WM_QUIT (which is put
  // back for the caller's loop).
  bool Execute();
  HWND Handle() {
    HandleNeeded();
    return FHandle;
  }
  bool Finished() const { return FFinished; }
  void Dispatch(TMessage& Message) override;

protected:
  virtual void InitDialog() {}
  void WMInitDialog(TMessage& Message);
  void WMCommand(TMessage& Message);

private:
  static LONG_PTR DialogWndProc(HWND Dlg, UINT Msg, WPARAM WParam, LPARAM LParam);
  int FDialogID;
  HWND FHandle = 0;
  bool FFinished = false;
  bool FResult = false;
};

bool ExecuteDialog(int DialogID);

}  // namespace Dcapi
