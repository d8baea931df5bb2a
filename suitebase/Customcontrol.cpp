// The suite's keyboard-driven control base.
#include "suitebase/Customcontrol.h"

#include "platform/win/VirtualKeys.h"
#include "suitebase/Containers.h"

namespace Dccommon {

Z_IMPLEMENT_CLASS(ZEZCustomControl, TCustomControl)

ZEZCustomControl::ZEZCustomControl(TComponent* AOwner)
    : TCustomControl(AOwner), FKeyList(std::make_unique<Dorazori::TKeyList>()) {}

ZEZCustomControl::~ZEZCustomControl() = default;

void ZEZCustomControl::AfterConstruction() {
  TCustomControl::AfterConstruction();
  if (FKeyMapping.empty()) {
    SetKeyMapping(Vivaridiriz::ResStr(SDefaultKeyMapping));
  }
}

void ZEZCustomControl::SetKeyMapping(const std::string& Value) {
  if (Value == FKeyMapping) {
    return;
  }
  FKeyMapping = Value;
  KeyboardInitProc = Dorazori::GetKeyboardInitProc(ClassType(), Value);
  UpdateKeyMapping();
}

void ZEZCustomControl::ClearKeys() { FKeyList->Clear(); }

void ZEZCustomControl::UpdateKeyMapping() {
  ClearKeys();
  ++FKeyMappingUpdates;
  if (KeyboardInitProc) {
    KeyboardInitProc(this);
  } else {
    InitDefaultKeyMapping();
  }
}

bool ZEZCustomControl::InsertChar(char) { return false; }

void ZEZCustomControl::KeyDown(Word& Key, TShiftState Shift) {
  TCustomControl::KeyDown(Key, Shift);
  KeyHandled = false;
  if ((Key == VK_RETURN && !WantReturns) || (Key == VK_TAB && !WantTabs)) {
    if (!Shift.Contains(ssCtrl)) {
      return;  // left to the dialog keys
    }
    Shift = TShiftState{};  // Ctrl+Tab and Ctrl+Return are looked up as Tab and Return
  }
  if (Key == 0 || ComponentState().Contains(csDesigning)) {
    return;
  }
  if (Dorazori::TKeyData* Data = FKeyList->FindKeyData(Key, Shift, FKeyState)) {
    const Dorazori::TKeyboardMethod Action = Data->Action;  // the action may rebuild the key map
    const std::int8_t Next = Data->NextState;
    if (Action) {
      Action();
    }
    Key = 0;
    FKeyState = Next;
    KeyHandled = true;
  } else {
    FKeyState = 0;
  }
}

void ZEZCustomControl::KeyUp(Word& Key, TShiftState Shift) {
  TCustomControl::KeyUp(Key, Shift);
  KeyHandled = false;
}

void ZEZCustomControl::KeyPress(char& Key) {
  TCustomControl::KeyPress(Key);
  if (ComponentState().Contains(csDesigning) || FKeyState != 0) {
    return;
  }
  // The OEM code page is the ANSI one here: OemConvert leaves the character as it is.
  if (Key != 0 && InsertChar(Key)) {
    Key = 0;
  }
}

void ZEZCustomControl::WMGetDlgCode(TMessage& Message) {
  Message.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS;
  if (WantTabs) {
    Message.Result |= DLGC_WANTTAB;
  }
  if (!WantReturns) {
    Message.Result &= ~DLGC_WANTALLKEYS;
  }
}

void ZEZCustomControl::CNKeyDown(TMessage& Message, bool System) {
  if (System || FKeyState != 0) {
    // A pending sequence (or an Alt key) reaches the key map before dialog navigation and menu keys.
    Word Key = static_cast<Word>(Message.WParam);
    KeyDown(Key, Dorazori::KeysToShift());
    if (Key == 0) {
      Message.Result = 1;
      return;
    }
  }
  TCustomControl::Dispatch(Message);
}

void ZEZCustomControl::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case WM_GETDLGCODE: WMGetDlgCode(Message); return;
    case CN_KEYDOWN: CNKeyDown(Message, false); return;
    case CN_SYSKEYDOWN: CNKeyDown(Message, true); return;
    default: TCustomControl::Dispatch(Message); return;
  }
}

}  // namespace Dccommon
