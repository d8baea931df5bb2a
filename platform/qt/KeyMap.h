// The key table between Qt's key codes and the platform's virtual-key codes (US keyboard layout).
#pragma once

#include "platform/win/WinTypes.h"

#include <QString>

// The virtual key of a Qt key; Keypad says the key came from the numeric keypad. Keys without a code give
// VK_PACKET (their text then carries the character).
WORD VirtualKeyFromQt(int QtKey, bool Keypad);
// Whether the key sets the extended-key bit of the key data (arrows and the editing block off the keypad,
// the right-hand Ctrl and Alt, keypad Enter and Divide).
bool IsExtendedKey(int QtKey, bool Keypad);

// How a user produces a virtual key on a US keyboard: the Qt key, the text and whether it is on the keypad.
struct TQtKeyStroke {
  int QtKey = 0;
  QString Text;
  bool Keypad = false;
};
TQtKeyStroke QtKeyFromVirtualKey(WORD Vk, bool Shift, bool Ctrl);
