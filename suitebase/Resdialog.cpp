// The resource dialogs and the unit's list of them.
#include "suitebase/Resdialog.h"

#include "platform/controls/ResDialogs.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/UnitInit.h"
#include "platform/win/MessageBox.h"

#include <algorithm>
#include <vector>

namespace Dcapi {
namespace {

// The open dialogs; the list exists from the unit's initialisation to its finalisation.
std::vector<TResDialog*>* DialogList = nullptr;

void InitializeDialogs() {
  if (!DialogList) {
    DialogList = new std::vector<TResDialog*>;
  }
}
void FinalizeDialogs() {
  delete DialogList;
  DialogList = nullptr;
}

// The dialog being made: WM_INITDIALOG arrives before CreateDialogParam has given its handle back.
TResDialog* Creating = nullptr;

}  // namespace

Z_IMPLEMENT_CLASS(TResDialog, TObject)

TResDialog::TResDialog(int DialogID) : FDialogID(DialogID) {
  InitializeDialogs();
  DialogList->push_back(this);
}

void TResDialog::HandleNeeded() {
  if (FHandle) {
    return;
  }
  TResDialog* const Outer = Creating;
  Creating = this;
  const HWND Made =
      CreateDialogParam(nullptr, MAKEINTRESOURCE(static_cast<WORD>(FDialogID)), 0, &TResDialog::DialogWndProc, 0);
  Creating = Outer;
  FHandle = Made;
  if (!FHandle) {
    throw Exception("Dialog resource " + std::to_string(FDialogID) + " cannot be created");
  }
}

TResDialog::~TResDialog() {
  if (DialogList) {
    DialogList->erase(std::remove(DialogList->begin(), DialogList->end(), this), DialogList->end());
  }
  if (FHandle) {
    DestroyWindow(FHandle);
  }
}

LONG_PTR TResDialog::DialogWndProc(HWND Dlg, UINT Msg, WPARAM WParam, LPARAM LParam) {
  TResDialog* Target = nullptr;
  if (DialogList) {
    for (TResDialog* D : *DialogList) {
      if (D->FHandle == Dlg) {
        Target = D;
        break;
      }
    }
  }
  if (!Target && Creating && !Creating->FHandle) {
    Creating->FHandle = Dlg;
    Target = Creating;
  }
  if (Target) {
    TMessage M;
    M.Msg = Msg;
    M.WParam = WParam;
    M.LParam = LParam;
    Target->Dispatch(M);
  }
  return 0;
}

void TResDialog::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_INITDIALOG: WMInitDialog(Message); break;
    case WM_COMMAND: WMCommand(Message); break;
    default: TObject::Dispatch(Message); break;
  }
}

void TResDialog::WMInitDialog(TMessage&) { InitDialog(); }

void TResDialog::WMCommand(TMessage& Message) {
  if (Message.WParamHi() == 0 && (Message.WParamLo() == IDOK || Message.WParamLo() == IDCANCEL)) {
    FFinished = true;
    FResult = Message.WParamLo() == IDOK;
  }
}

bool TResDialog::Execute() {
  HandleNeeded();
  ShowWindow(FHandle, SW_SHOWDEFAULT);
  // The finished flag is tested before each fetch, so no message of the thread is taken once the dialog is done.
  MSG Msg{};
  while (!FFinished && GetMessage(&Msg, 0, 0, 0)) {
    if (!IsDialogMessage(FHandle, &Msg)) {
      TranslateMessage(&Msg);
      DispatchMessage(&Msg);
    }
  }
  if (!FFinished && Msg.message == WM_QUIT) {
    PostQuitMessage(static_cast<int>(Msg.wParam));
  }
  return FResult;
}

bool ExecuteDialog(int DialogID) {
  TResDialog D(DialogID);
  return D.Execute();
}

}  // namespace Dcapi

Z_REGISTER_UNIT(UnitOrder::Dcapi, "Dcapi.Dialogs", &Dcapi::InitializeDialogs, &Dcapi::FinalizeDialogs)
