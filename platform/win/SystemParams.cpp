// SystemParametersInfo with the classic desktop's answers; sizes agree with GetSystemMetrics.
#include "platform/win/SystemParams.h"
#include "platform/win/WinUser.h"

#include <algorithm>
#include <cstring>

namespace {

LOGFONT UiFont(LONG Weight) {
  LOGFONT F;
  F.lfHeight = -11;  // 8 points
  F.lfWeight = Weight;
  F.lfCharSet = DEFAULT_CHARSET;
  std::strcpy(F.lfFaceName, "Tahoma");
  return F;
}

template <class T>
BOOL Answer(void* Param, T Value) {
  if (!Param) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  *static_cast<T*>(Param) = Value;
  return TRUE;
}

// The menu settings this process has set (the desktop's defaults until then).
struct TMenuSettings {
  DWORD ShowDelay = 400;
  BOOL Animation = FALSE;
  BOOL Fade = FALSE;
  BOOL DropRight = FALSE;
};
TMenuSettings& MenuSettings() {
  static TMenuSettings Settings;
  return Settings;
}

}  // namespace

BOOL SystemParametersInfo(UINT Action, UINT UiParam, void* Param, UINT) {
  switch (Action) {
    case SPI_SETMENUSHOWDELAY: MenuSettings().ShowDelay = UiParam; return TRUE;
    case SPI_SETMENUANIMATION: MenuSettings().Animation = Param != nullptr; return TRUE;
    case SPI_SETMENUFADE: MenuSettings().Fade = Param != nullptr; return TRUE;
    case SPI_GETMENUANIMATION: return Answer<BOOL>(Param, MenuSettings().Animation);
    case SPI_GETMENUFADE: return Answer<BOOL>(Param, MenuSettings().Fade);
    case SPI_SETMENUDROPALIGNMENT: MenuSettings().DropRight = UiParam != 0; return TRUE;
    case SPI_GETMENUDROPALIGNMENT: return Answer<BOOL>(Param, MenuSettings().DropRight);
    case SPI_GETBORDER: return Answer<int>(Param, 1);
    case SPI_GETKEYBOARDSPEED: return Answer<DWORD>(Param, 31);
    case SPI_GETKEYBOARDDELAY: return Answer<int>(Param, 1);
    case SPI_GETICONTITLELOGFONT: return Answer<LOGFONT>(Param, UiFont(FW_NORMAL));
    case SPI_GETWORKAREA:
      return Answer<TRect>(Param, Rect(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)));
    case SPI_GETNONCLIENTMETRICS: {
      auto* M = static_cast<NONCLIENTMETRICS*>(Param);
      if (!M || M->cbSize != sizeof(NONCLIENTMETRICS)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
      }
      M->iBorderWidth = 1;
      M->iScrollWidth = GetSystemMetrics(SM_CXVSCROLL);
      M->iScrollHeight = GetSystemMetrics(SM_CYHSCROLL);
      M->iCaptionWidth = GetSystemMetrics(SM_CXSIZE);
      M->iCaptionHeight = GetSystemMetrics(SM_CYCAPTION) - 1;
      M->lfCaptionFont = UiFont(FW_BOLD);
      M->iSmCaptionWidth = 12;
      M->iSmCaptionHeight = GetSystemMetrics(SM_CYSMCAPTION) - 1;
      M->lfSmCaptionFont = UiFont(FW_BOLD);
      M->iMenuWidth = GetSystemMetrics(SM_CYMENU) - 1;
      M->iMenuHeight = GetSystemMetrics(SM_CYMENU) - 1;
      M->lfMenuFont = UiFont(FW_NORMAL);
      M->lfStatusFont = UiFont(FW_NORMAL);
      M->lfMessageFont = UiFont(FW_NORMAL);
      return TRUE;
    }
    case SPI_GETMOUSEHOVERWIDTH:
    case SPI_GETMOUSEHOVERHEIGHT: return Answer<UINT>(Param, 4);
    case SPI_GETMOUSEHOVERTIME: return Answer<UINT>(Param, 400);
    case SPI_GETWHEELSCROLLLINES:
    case SPI_GETWHEELSCROLLCHARS: return Answer<UINT>(Param, 3);
    case SPI_GETMENUSHOWDELAY: return Answer<DWORD>(Param, MenuSettings().ShowDelay);
    case SPI_GETFOREGROUNDLOCKTIMEOUT: return Answer<DWORD>(Param, 200000);
    case SPI_GETCARETWIDTH: return Answer<DWORD>(Param, 1);
    case SPI_GETFONTSMOOTHINGTYPE: return Answer<UINT>(Param, 1);  // standard, not ClearType
    // Switches: the classic desktop keeps full-window dragging and keyboard cues on, and every animation,
    // fade, shadow and flat-menu effect off.
    case SPI_GETDRAGFULLWINDOWS:
    case SPI_GETKEYBOARDCUES:
    case SPI_GETFONTSMOOTHING:
    case SPI_GETGRADIENTCAPTIONS:
    case SPI_GETHOTTRACKING:
      return Answer<BOOL>(Param, TRUE);
    case SPI_GETHIGHCONTRAST:
      if (!Param) {
        return FALSE;
      }
      static_cast<UINT*>(Param)[1] = 0;  // the flags after cbSize: high contrast off
      return TRUE;
    case SPI_GETKEYBOARDPREF:
    case SPI_GETSCREENREADER:
    case SPI_GETCOMBOBOXANIMATION:
    case SPI_GETLISTBOXSMOOTHSCROLLING:
    case SPI_GETSELECTIONFADE:
    case SPI_GETTOOLTIPANIMATION:
    case SPI_GETTOOLTIPFADE:
    case SPI_GETCURSORSHADOW:
    case SPI_GETFLATMENU:
    case SPI_GETDROPSHADOW:
    case SPI_GETUIEFFECTS:
      return Answer<BOOL>(Param, FALSE);
    default: {
      // Settings are accepted and left alone: the SET actions of the range from 0x1000 are the GET ones plus
      // one; below it they are listed.
      static const UINT Sets[] = {0x0006, 0x000B, 0x0017, 0x0022, 0x0025, 0x002A, 0x002F, 0x0043, 0x0045,
                                  0x0047, 0x004B, 0x0063, 0x0065, 0x0067, 0x0069, 0x006B, 0x006D};
      static const UINT HighGets[] = {SPI_GETMENUANIMATION, SPI_GETCOMBOBOXANIMATION, SPI_GETLISTBOXSMOOTHSCROLLING,
                                      SPI_GETGRADIENTCAPTIONS, SPI_GETKEYBOARDCUES, SPI_GETHOTTRACKING,
                                      SPI_GETMENUFADE, SPI_GETSELECTIONFADE, SPI_GETTOOLTIPANIMATION,
                                      SPI_GETTOOLTIPFADE, SPI_GETCURSORSHADOW, SPI_GETFLATMENU, SPI_GETDROPSHADOW,
                                      SPI_GETUIEFFECTS, SPI_GETFOREGROUNDLOCKTIMEOUT, SPI_GETCARETWIDTH,
                                      SPI_GETFONTSMOOTHINGTYPE};
      bool HighSet = (Action & 1) && std::find(std::begin(HighGets), std::end(HighGets), Action - 1) != std::end(HighGets);
      if (HighSet || std::find(std::begin(Sets), std::end(Sets), Action) != std::end(Sets)) {
        return TRUE;
      }
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
  }
}
