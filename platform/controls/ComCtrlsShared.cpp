// Helpers the list view and the tree view share: text measuring, WM_NOTIFY sending, drag thresholds and the
// in-place label edit.
#include "platform/controls/ComCtrlsShared.h"

#include "platform/graphics/WinGdi.h"
#include "platform/win/NativeControls.h"

#include <algorithm>
#include <cstdlib>

namespace ComCtrlsShared {

TSize MeasureText(TFont* Font, const std::string& Text) {
  HDC DC = CreateCompatibleDC(0);
  HGDIOBJ Old = SelectObject(DC, Font->Handle());
  TSize Size{0, 0};
  const std::string S = Text.empty() ? std::string(" ") : Text;
  GetTextExtentPoint32(DC, S.c_str(), static_cast<int>(S.size()), &Size);
  if (Text.empty()) {
    Size.cx = 0;
  }
  SelectObject(DC, Old);
  DeleteDC(DC);
  return Size;
}

LRESULT SendNotify(TWinControl* Control, NMHDR& Header, UINT Code, bool Destroying) {
  const bool Allocated = Control->HandleAllocated();
  HWND Own = Allocated ? Control->Handle() : 0;
  Header.hwndFrom = Own;
  Header.idFrom = Allocated ? static_cast<UINT_PTR>(GetDlgCtrlID(Own)) : 0;
  Header.code = Code;
  auto L = reinterpret_cast<LPARAM>(&Header);
  TWinControl* Parent = Control->Parent();
  if (Allocated && Parent && Parent->HandleAllocated() && !Destroying) {
    return SendMessage(Parent->Handle(), WM_NOTIFY, Header.idFrom, L);
  }
  return Control->Perform(CN_NOTIFY, Header.idFrom, L);
}

TPoint MousePos(LPARAM LParam) {
  return TPoint{static_cast<short>(LOWORD(LParam)), static_cast<short>(HIWORD(LParam))};
}

int TakeWheelNotches(int& Rest, WPARAM WParam) {
  Rest += static_cast<short>(HIWORD(static_cast<DWORD_PTR>(WParam)));
  const int Notches = Rest / WHEEL_DELTA;
  Rest -= Notches * WHEEL_DELTA;
  return Notches;
}

bool PastDragThreshold(const TPoint& Start, const TPoint& Pos) {
  return std::abs(Pos.X - Start.X) >= GetSystemMetrics(SM_CXDRAG) ||
         std::abs(Pos.Y - Start.Y) >= GetSystemMetrics(SM_CYDRAG);
}

bool OpenLabelEdit(TWinControl* Owner, const std::string& Text, const TRect& R, WNDPROC Proc, HWND& EditWnd,
                   WNDPROC& OldProc) {
  EditWnd = CreateWindowEx(0, WC_EDIT, Text.c_str(), WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, R.Left, R.Top,
                           std::max(R.Width() + 40, 60), R.Height() + 2, Owner->Handle(), 0, 0, nullptr);
  if (!EditWnd) {
    return false;
  }
  SetWindowLongPtr(EditWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(Owner));
  OldProc = reinterpret_cast<WNDPROC>(SetWindowLongPtr(EditWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Proc)));
  SendMessage(EditWnd, EM_SETSEL, 0, -1);
  ::SetFocus(EditWnd);
  return true;
}

LRESULT LabelEditMessage(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam, WNDPROC Old, bool Active,
                         const std::function<void(bool Cancel)>& End) {
  if (Active) {
    if (Msg == WM_KEYDOWN && (WParam == VK_RETURN || WParam == VK_ESCAPE)) {
      End(WParam == VK_ESCAPE);
      return 0;
    }
    if (Msg == WM_CHAR && (WParam == '\r' || WParam == 27)) {
      return 0;
    }
    if (Msg == WM_GETDLGCODE) {
      return DLGC_WANTALLKEYS | CallWindowProc(Old, Wnd, Msg, WParam, LParam);
    }
    if (Msg == WM_KILLFOCUS) {
      LRESULT R = CallWindowProc(Old, Wnd, Msg, WParam, LParam);
      End(false);
      return R;
    }
  }
  return Old ? CallWindowProc(Old, Wnd, Msg, WParam, LParam) : DefWindowProc(Wnd, Msg, WParam, LParam);
}

void CloseLabelEdit(TWinControl* Owner, HWND Wnd, WNDPROC OldProc) {
  bool HadFocus = GetFocus() == Wnd;
  SetWindowLongPtr(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OldProc));
  DestroyWindow(Wnd);
  if (HadFocus && Owner->HandleAllocated()) {
    ::SetFocus(Owner->Handle());
  }
}

}  // namespace ComCtrlsShared
