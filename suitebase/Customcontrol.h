// ZEZCustomControl: the windowed base of the suite's keyboard-driven controls, with a key map consulted before
// any other keyboard handling, multi-key sequences, named keyboard layouts and a hook for typed characters.
#pragma once

#include "platform/controls/Controls.h"
#include "suitebase/Keymaps.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Dccommon {

// The word for the default keyboard layout.
inline constexpr const char* SDefaultKeyMapping = "Default";

class ZEZCustomControl : public TCustomControl {
  Z_CLASS(ZEZCustomControl, TCustomControl)
public:
  // Fills the key map for the default layout (InitDefaultKeyMapping, or a procedure registered for this class
  // under "Default") once the object is whole: a layout cannot be filled by a constructor of a base class here.
  explicit ZEZCustomControl(TComponent* AOwner);
  ~ZEZCustomControl() override;
  void AfterConstruction() override;
  void Dispatch(TMessage& Message) override;

  const std::string& KeyMapping() const { return FKeyMapping; }
  // A different name (exact comparison) selects its registered procedure and rebuilds the map; the same name
  // again does nothing.
  void SetKeyMapping(const std::string& Value);
  void ClearKeys();
  virtual void UpdateKeyMapping();
  // How often the key map was rebuilt (for the layouts' callers).
  int KeyMappingUpdates() const { return FKeyMappingUpdates; }
  Dorazori::TKeyList* KeyList() const { return FKeyList.get(); }
  std::int8_t KeyState() const { return FKeyState; }

  bool WantTabs = false;
  bool WantReturns = true;
  bool OemConvert = false;
  Dorazori::TKeyboardInitProc KeyboardInitProc = nullptr;

protected:
  // Fills KeyList with the built-in layout; every concrete control provides one.
  virtual void InitDefaultKeyMapping() = 0;
  // Takes one typed character; true when it was consumed.
  virtual bool InsertChar(char Ch);
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;

  std::unique_ptr<Dorazori::TKeyList> FKeyList;
  std::int8_t FKeyState = 0;
  bool KeyHandled = false;

private:
  void WMGetDlgCode(TMessage& Message);
  void CNKeyDown(TMessage& Message, bool System);
  std::string FKeyMapping;
  int FKeyMappingUpdates = 0;
};

}  // namespace Dccommon
