// The key table between Qt's key codes and the platform's virtual-key codes.
#include "platform/qt/KeyMap.h"
#include "platform/win/WindowInternals.h"

#include <Qt>

namespace {

struct TSpecial {
  int QtKey;
  WORD Vk;
};

// Keys that are the same on and off the keypad as far as the virtual key goes.
const TSpecial Specials[] = {
    {Qt::Key_Escape, VK_ESCAPE},     {Qt::Key_Tab, VK_TAB},           {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Backspace, VK_BACK},    {Qt::Key_Return, VK_RETURN},     {Qt::Key_Enter, VK_RETURN},
    {Qt::Key_Insert, VK_INSERT},     {Qt::Key_Delete, VK_DELETE},     {Qt::Key_Pause, VK_PAUSE},
    {Qt::Key_Print, VK_SNAPSHOT},    {Qt::Key_SysReq, VK_SNAPSHOT},   {Qt::Key_Clear, VK_CLEAR},
    {Qt::Key_Home, VK_HOME},         {Qt::Key_End, VK_END},           {Qt::Key_Left, VK_LEFT},
    {Qt::Key_Up, VK_UP},             {Qt::Key_Right, VK_RIGHT},       {Qt::Key_Down, VK_DOWN},
    {Qt::Key_PageUp, VK_PRIOR},      {Qt::Key_PageDown, VK_NEXT},     {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL},   {Qt::Key_Meta, VK_LWIN},         {Qt::Key_Alt, VK_MENU},
    {Qt::Key_AltGr, VK_MENU},        {Qt::Key_CapsLock, VK_CAPITAL},  {Qt::Key_NumLock, VK_NUMLOCK},
    {Qt::Key_ScrollLock, VK_SCROLL}, {Qt::Key_Menu, VK_APPS},         {Qt::Key_Help, VK_HELP},
    {Qt::Key_Space, VK_SPACE},       {Qt::Key_Select, VK_SELECT},     {Qt::Key_Execute, VK_EXECUTE},
    {Qt::Key_Sleep, VK_SLEEP},       {Qt::Key_Back, VK_BROWSER_BACK}, {Qt::Key_Forward, VK_BROWSER_FORWARD},
    {Qt::Key_VolumeMute, VK_VOLUME_MUTE}, {Qt::Key_VolumeDown, VK_VOLUME_DOWN},
    {Qt::Key_VolumeUp, VK_VOLUME_UP},
};

// The key of each printable ASCII character on a US keyboard.
WORD VirtualKeyOfChar(int C) {
  if (C >= 'A' && C <= 'Z') return static_cast<WORD>(C);
  if (C >= 'a' && C <= 'z') return static_cast<WORD>(C - 'a' + 'A');
  if (C >= '0' && C <= '9') return static_cast<WORD>(C);
  switch (C) {
    case ')': return '0';
    case '!': return '1';
    case '@': return '2';
    case '#': return '3';
    case '$': return '4';
    case '%': return '5';
    case '^': return '6';
    case '&': return '7';
    case '*': return '8';
    case '(': return '9';
    case ';': case ':': return VK_OEM_1;
    case '=': case '+': return VK_OEM_PLUS;
    case ',': case '<': return VK_OEM_COMMA;
    case '-': case '_': return VK_OEM_MINUS;
    case '.': case '>': return VK_OEM_PERIOD;
    case '/': case '?': return VK_OEM_2;
    case '`': case '~': return VK_OEM_3;
    case '[': case '{': return VK_OEM_4;
    case '\\': case '|': return VK_OEM_5;
    case ']': case '}': return VK_OEM_6;
    case '\'': case '"': return VK_OEM_7;
    case ' ': return VK_SPACE;
    default: return 0;
  }
}

}  // namespace

WORD VirtualKeyFromQt(int QtKey, bool Keypad) {
  if (Keypad) {
    if (QtKey >= Qt::Key_0 && QtKey <= Qt::Key_9) return static_cast<WORD>(VK_NUMPAD0 + (QtKey - Qt::Key_0));
    switch (QtKey) {
      case Qt::Key_Asterisk: return VK_MULTIPLY;
      case Qt::Key_Plus: return VK_ADD;
      case Qt::Key_Minus: return VK_SUBTRACT;
      case Qt::Key_Period: case Qt::Key_Comma: return VK_DECIMAL;
      case Qt::Key_Slash: return VK_DIVIDE;
      default: break;
    }
  }
  if (QtKey >= Qt::Key_F1 && QtKey <= Qt::Key_F24) return static_cast<WORD>(VK_F1 + (QtKey - Qt::Key_F1));
  for (const auto& S : Specials) {
    if (S.QtKey == QtKey) return S.Vk;
  }
  if (QtKey > 0 && QtKey < 0x80) {
    if (WORD Vk = VirtualKeyOfChar(QtKey)) return Vk;
  }
  return VK_PACKET;
}

bool IsExtendedKey(int QtKey, bool Keypad) {
  switch (QtKey) {
    case Qt::Key_Insert: case Qt::Key_Delete: case Qt::Key_Home: case Qt::Key_End: case Qt::Key_PageUp:
    case Qt::Key_PageDown: case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Up: case Qt::Key_Down:
      return !Keypad;
    case Qt::Key_Enter: case Qt::Key_AltGr: case Qt::Key_NumLock: case Qt::Key_Menu: case Qt::Key_Meta:
      return true;
    case Qt::Key_Slash:
      return Keypad;
    default:
      return false;
  }
}

TQtKeyStroke QtKeyFromVirtualKey(WORD Vk, bool Shift, bool Ctrl) {
  TQtKeyStroke S;
  if (Vk >= VK_NUMPAD0 && Vk <= VK_NUMPAD9) {
    S.QtKey = Qt::Key_0 + (Vk - VK_NUMPAD0);
    S.Text = QString(QChar('0' + (Vk - VK_NUMPAD0)));
    S.Keypad = true;
    return S;
  }
  switch (Vk) {
    case VK_MULTIPLY: S.QtKey = Qt::Key_Asterisk; S.Text = "*"; S.Keypad = true; return S;
    case VK_ADD: S.QtKey = Qt::Key_Plus; S.Text = "+"; S.Keypad = true; return S;
    case VK_SUBTRACT: S.QtKey = Qt::Key_Minus; S.Text = "-"; S.Keypad = true; return S;
    case VK_DECIMAL: S.QtKey = Qt::Key_Period; S.Text = "."; S.Keypad = true; return S;
    case VK_DIVIDE: S.QtKey = Qt::Key_Slash; S.Text = "/"; S.Keypad = true; return S;
    case VK_RETURN: S.QtKey = Qt::Key_Return; S.Text = "\r"; return S;
    case VK_BACK: S.QtKey = Qt::Key_Backspace; S.Text = "\b"; return S;
    case VK_TAB: S.QtKey = Shift ? Qt::Key_Backtab : Qt::Key_Tab; S.Text = "\t"; return S;
    case VK_ESCAPE: S.QtKey = Qt::Key_Escape; S.Text = "\x1b"; return S;
    case VK_LSHIFT: case VK_RSHIFT: S.QtKey = Qt::Key_Shift; return S;
    case VK_LCONTROL: case VK_RCONTROL: S.QtKey = Qt::Key_Control; return S;
    case VK_LMENU: case VK_RMENU: S.QtKey = Qt::Key_Alt; return S;
    default: break;
  }
  if (Vk >= VK_F1 && Vk <= VK_F24) {
    S.QtKey = Qt::Key_F1 + (Vk - VK_F1);
    return S;
  }
  if (char C = CharOfKey(Vk, Shift)) {
    S.QtKey = (C >= 'a' && C <= 'z') ? C - 'a' + 'A' : static_cast<unsigned char>(C);
    S.Text = QString(QChar(C));
    if (Ctrl && C >= 'a' - 32 && ((C | 0x20) >= 'a' && (C | 0x20) <= 'z')) {
      S.Text = QString(QChar((C | 0x20) - 'a' + 1));  // what a real keyboard reports for Ctrl+letter
    }
    return S;
  }
  for (const auto& Sp : Specials) {
    if (Sp.Vk == Vk) {
      S.QtKey = Sp.QtKey;
      return S;
    }
  }
  return S;
}
