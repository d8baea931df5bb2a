// The system cursors and the cursor shown over the program's windows.
#include "platform/graphics/Cursors.h"
#include "platform/graphics/GdiInternals.h"
#include "platform/win/WinUser.h"

namespace {
HCURSOR CurrentCursor = IDC_ARROW;
}

HCURSOR LoadCursor(HINSTANCE Instance, LPCSTR Name) {
  auto Id = reinterpret_cast<std::uintptr_t>(Name);
  if (Instance || Id > 0xFFFF) {
    return 0;  // custom cursors come from resources
  }
  switch (Id) {
    case IDC_ARROW: case IDC_IBEAM: case IDC_WAIT: case IDC_CROSS: case IDC_UPARROW: case IDC_SIZE:
    case IDC_ICON: case IDC_SIZENWSE: case IDC_SIZENESW: case IDC_SIZEWE: case IDC_SIZENS: case IDC_SIZEALL:
    case IDC_NO: case IDC_HAND: case IDC_APPSTARTING: case IDC_HELP:
      return static_cast<HCURSOR>(Id);
    default:
      SetLastError(1814);  // ERROR_RESOURCE_NAME_NOT_FOUND
      return 0;
  }
}

HCURSOR CursorOfTCursor(TCursor Cursor) {
  switch (Cursor) {
    case crArrow: return IDC_ARROW;
    case crCross: return IDC_CROSS;
    case crIBeam: return IDC_IBEAM;
    case crSizeNESW: return IDC_SIZENESW;
    case crSizeNS: return IDC_SIZENS;
    case crSizeNWSE: return IDC_SIZENWSE;
    case crSizeWE: return IDC_SIZEWE;
    case crUpArrow: return IDC_UPARROW;
    case crHourGlass: case crSQLWait: return IDC_WAIT;
    case crDrag: case crMultiDrag: return IDC_ARROW;
    case crNoDrop: case crNo: return IDC_NO;
    case crHSplit: return IDC_SIZEWE;
    case crVSplit: return IDC_SIZENS;
    case crAppStart: return IDC_APPSTARTING;
    case crHelp: return IDC_HELP;
    case crHandPoint: return IDC_HAND;
    case crSizeAll: return IDC_SIZEALL;
    default: return 0;
  }
}

HCURSOR SetCursor(HCURSOR Cursor) {
  HCURSOR Old = CurrentCursor;
  CurrentCursor = Cursor;
  Gdi::ShowCursor(Cursor);
  return Old;
}

HCURSOR GetCursor() { return CurrentCursor; }
