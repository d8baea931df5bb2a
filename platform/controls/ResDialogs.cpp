// Dialogs made from dialog templates: the template reader, the dialog window and its static control, and the
// dialog manager's keyboard handling.
#include "platform/controls/ResDialogs.h"

#include "platform/graphics/Colors.h"
#include "platform/graphics/WinGdi.h"
#include "platform/rtl/CodePage.h"
#include "platform/win/ListControls.h"
#include "platform/win/MessageBox.h"
#include "platform/win/Messages.h"
#include "platform/win/NativeControls.h"
#include "platform/win/VirtualKeys.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>

namespace {

// A bounded reader over the template's bytes: every read past the end fails the whole read.
class TTemplateReader {
public:
  TTemplateReader(const void* Data, std::size_t Size) : FData(static_cast<const BYTE*>(Data)), FSize(Size) {}
  bool Ok() const { return FOk; }
  WORD Word() {
    if (!Need(2)) {
      return 0;
    }
    const WORD W = static_cast<WORD>(FData[FPos] | (FData[FPos + 1] << 8));
    FPos += 2;
    return W;
  }
  DWORD DWord() {
    const DWORD Lo = Word();
    return Lo | (static_cast<DWORD>(Word()) << 16);
  }
  short Short() { return static_cast<short>(Word()); }
  // A NUL-ended UTF-16 text, as code page 1252 ('?' for characters it lacks).
  std::string Text() {
    std::string Out;
    for (;;) {
      const WORD C = Word();
      if (!FOk || C == 0) {
        return Out;
      }
      char32_t Cp = C;
      if (C >= 0xD800 && C <= 0xDBFF) {
        const WORD Low = Word();
        Cp = (Low >= 0xDC00 && Low <= 0xDFFF) ? 0x10000 + ((C - 0xD800) << 10) + (Low - 0xDC00) : U'?';
      }
      const int B = UnicodeToCp1252(Cp);
      Out += B < 0 ? '?' : static_cast<char>(B);
    }
  }
  // A name or an ordinal: 0 none, 0xFFFF and an ordinal ("#n"), else a text.
  std::string NameOrOrdinal(WORD* Ordinal = nullptr) {
    if (!Need(2)) {
      return {};
    }
    const WORD First = static_cast<WORD>(FData[FPos] | (FData[FPos + 1] << 8));
    if (First == 0) {
      FPos += 2;
      return {};
    }
    if (First == 0xFFFF) {
      FPos += 2;
      const WORD N = Word();
      if (Ordinal) {
        *Ordinal = N;
      }
      return "#" + std::to_string(N);
    }
    return Text();
  }
  void AlignDWord() { FPos = std::min(FSize, (FPos + 3) & ~std::size_t{3}); }
  bool Bytes(std::size_t N, std::vector<BYTE>& Out) {
    if (!Need(N)) {
      return false;
    }
    Out.assign(FData + FPos, FData + FPos + N);
    FPos += N;
    return true;
  }
  bool AtEnd() const { return FPos >= FSize; }

private:
  bool Need(std::size_t N) {
    if (!FOk || N > FSize - FPos) {
      FOk = false;
      return false;
    }
    return true;
  }
  const BYTE* FData;
  std::size_t FSize;
  std::size_t FPos = 0;
  bool FOk = true;
};

std::string PredefinedClass(WORD Atom) {
  switch (Atom) {
    case 0x80: return WC_BUTTON;
    case 0x81: return WC_EDIT;
    case 0x82: return WC_STATIC;
    case 0x83: return WC_LISTBOX;
    case 0x84: return WC_SCROLLBAR;
    case 0x85: return "COMBOBOX";
    default: return "#" + std::to_string(Atom);
  }
}

// The dialogs open now, with their procedures.
struct TDialogData {
  DLGPROC Proc = nullptr;
  HWND Focus = 0;  // the control that had the focus last, given it back when the dialog gets the focus
};
std::mutex& DialogsLock() {
  static std::mutex M;
  return M;
}
std::map<HWND, TDialogData>& Dialogs() {
  static std::map<HWND, TDialogData> D;
  return D;
}
void NoteFocus(HWND Dlg, HWND Control) {
  std::lock_guard L(DialogsLock());
  const auto It = Dialogs().find(Dlg);
  if (It != Dialogs().end()) {
    It->second.Focus = Control;
  }
}
HWND SavedFocus(HWND Dlg) {
  std::lock_guard L(DialogsLock());
  const auto It = Dialogs().find(Dlg);
  return It == Dialogs().end() ? 0 : It->second.Focus;
}

DLGPROC ProcOf(HWND Dlg) {
  std::lock_guard L(DialogsLock());
  const auto It = Dialogs().find(Dlg);
  return It == Dialogs().end() ? nullptr : It->second.Proc;
}

LRESULT DialogWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  const DLGPROC Proc = ProcOf(Wnd);
  if (Proc && Proc(Wnd, Msg, WParam, LParam)) {
    return 0;
  }
  if (Msg == WM_NCDESTROY) {
    std::lock_guard L(DialogsLock());
    Dialogs().erase(Wnd);
  }
  if (Msg == WM_SETFOCUS) {
    // The dialog hands the focus on to its control, as the platform's dialog manager does.
    HWND Control = SavedFocus(Wnd);
    if (!Control || !IsWindow(Control) || !IsChild(Wnd, Control)) {
      Control = GetNextDlgTabItem(Wnd, 0, FALSE);
    }
    if (Control && Control != Wnd) {
      SetFocus(Control);
    }
    return 0;
  }
  if (Msg == WM_ERASEBKGND) {
    TRect R;
    GetClientRect(Wnd, &R);
    FillRect(static_cast<HDC>(WParam), &R, GetSysColorBrush(COLOR_BTNFACE));
    return 1;
  }
  return DefWindowProc(Wnd, Msg, WParam, LParam);
}

// The static control: its text drawn on the dialog's face.
LRESULT StaticWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  switch (Msg) {
    case WM_PAINT: {
      PAINTSTRUCT Ps;
      const HDC DC = BeginPaint(Wnd, &Ps);
      TRect R;
      GetClientRect(Wnd, &R);
      FillRect(DC, &R, GetSysColorBrush(COLOR_BTNFACE));
      SetBkMode(DC, TRANSPARENT);
      SelectObject(DC, GetStockObject(DEFAULT_GUI_FONT));
      const std::string Text = GetWindowTextString(Wnd);
      DrawText(DC, Text.c_str(), static_cast<int>(Text.size()), &R, DT_LEFT | DT_WORDBREAK);
      EndPaint(Wnd, &Ps);
      return 0;
    }
    case WM_SETTEXT: {
      const LRESULT Result = DefWindowProc(Wnd, Msg, WParam, LParam);
      InvalidateRect(Wnd, nullptr, TRUE);
      return Result;
    }
    case WM_GETDLGCODE: return DLGC_STATIC;
    default: return DefWindowProc(Wnd, Msg, WParam, LParam);
  }
}

void RegisterDialogClasses() {
  static std::once_flag Once;
  std::call_once(Once, [] {
    WNDCLASS D;
    D.lpfnWndProc = DialogWindowProc;
    D.lpszClassName = WC_DIALOG;
    RegisterClass(&D);
    WNDCLASS S;
    S.lpfnWndProc = StaticWindowProc;
    S.lpszClassName = WC_STATIC;
    RegisterClass(&S);
  });
}

// Dialog units to pixels with the dialog font's average character size (6 by 13 pixels for the default font).
constexpr int BaseX = 6;
constexpr int BaseY = 13;
int ToPixelsX(int V) { return V * BaseX / 4; }
int ToPixelsY(int V) { return V * BaseY / 8; }

WPARAM MakeWParam(WORD Low, WORD High) { return static_cast<WPARAM>(Low) | (static_cast<WPARAM>(High) << 16); }

bool IsTabStop(HWND Wnd) {
  const LONG Style = GetWindowLong(Wnd, GWL_STYLE);
  return (Style & WS_TABSTOP) && IsWindowVisible(Wnd) && IsWindowEnabled(Wnd);
}

std::vector<HWND> Children(HWND Dlg) {
  std::vector<HWND> Out;
  for (HWND C = GetWindow(Dlg, GW_CHILD); C; C = GetWindow(C, GW_HWNDNEXT)) {
    Out.push_back(C);
  }
  return Out;
}

bool IsPushButton(HWND Wnd) {
  if (!Wnd) {
    return false;
  }
  char Class[32] = {};
  GetClassName(Wnd, Class, sizeof Class);
  const DWORD Kind = static_cast<DWORD>(GetWindowLong(Wnd, GWL_STYLE)) & BS_TYPEMASK;
  return std::strcmp(Class, WC_BUTTON) == 0 && (Kind == BS_PUSHBUTTON || Kind == BS_DEFPUSHBUTTON);
}

// The control Return clicks: the focused push button, else the default push button, else none (IDOK).
HWND ReturnButton(HWND Dlg) {
  const HWND Focus = GetFocus();
  if (Focus && IsChild(Dlg, Focus) && IsPushButton(Focus)) {
    return Focus;
  }
  for (HWND C : Children(Dlg)) {
    if (IsPushButton(C) && (static_cast<DWORD>(GetWindowLong(C, GWL_STYLE)) & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
      return C;
    }
  }
  return 0;
}

}  // namespace

bool ReadDialogTemplate(const void* Data, std::size_t Size, TDialogTemplate& T) {
  T = TDialogTemplate();
  if (!Data) {
    return false;
  }
  TTemplateReader R(Data, Size);
  T.Style = R.DWord();
  T.ExStyle = R.DWord();
  const WORD Count = R.Word();
  T.X = R.Short();
  T.Y = R.Short();
  T.Cx = R.Short();
  T.Cy = R.Short();
  T.Menu = R.NameOrOrdinal();
  T.ClassName = R.NameOrOrdinal();
  T.Title = R.Text();
  if (T.Style & DS_SETFONT) {
    T.PointSize = R.Word();
    T.FontName = R.Text();
  }
  for (WORD I = 0; I < Count && R.Ok(); ++I) {
    R.AlignDWord();
    TDialogItemTemplate Item;
    Item.Style = R.DWord();
    Item.ExStyle = R.DWord();
    Item.X = R.Short();
    Item.Y = R.Short();
    Item.Cx = R.Short();
    Item.Cy = R.Short();
    Item.Id = R.Word();
    WORD Atom = 0;
    Item.ClassName = R.NameOrOrdinal(&Atom);
    if (Atom) {
      Item.ClassName = PredefinedClass(Atom);
    }
    Item.Title = R.NameOrOrdinal();
    const WORD Extra = R.Word();
    if (Extra > 0) {
      R.Bytes(Extra, Item.CreationData);
    }
    T.Items.push_back(std::move(Item));
  }
  return R.Ok();
}

HWND CreateDialogIndirectParam(HINSTANCE Instance, const TDialogTemplate& T, HWND Parent, DLGPROC DialogFunc,
                               LPARAM InitParam) {
  RegisterDialogClasses();
  const DWORD Style = (T.Style & ~(DS_SETFONT | DS_MODALFRAME)) | (Parent ? 0 : WS_POPUP);
  TRect R{0, 0, ToPixelsX(T.Cx), ToPixelsY(T.Cy)};
  AdjustWindowRectEx(&R, Style & ~WS_VISIBLE, FALSE, T.ExStyle);
  const HWND Dlg = CreateWindowEx(T.ExStyle, T.ClassName.empty() ? WC_DIALOG : T.ClassName.c_str(), T.Title.c_str(),
                                  Style & ~WS_VISIBLE, ToPixelsX(T.X), ToPixelsY(T.Y), R.Width(), R.Height(), Parent, 0,
                                  Instance, nullptr);
  if (!Dlg) {
    return 0;
  }
  {
    std::lock_guard L(DialogsLock());
    Dialogs()[Dlg].Proc = DialogFunc;
  }
  const HGDIOBJ Font = GetStockObject(DEFAULT_GUI_FONT);
  HWND FirstTab = 0;
  for (const TDialogItemTemplate& Item : T.Items) {
    const HWND C = CreateWindowEx(Item.ExStyle, Item.ClassName.c_str(), Item.Title.c_str(), Item.Style | WS_CHILD,
                                  ToPixelsX(Item.X), ToPixelsY(Item.Y), ToPixelsX(Item.Cx), ToPixelsY(Item.Cy), Dlg,
                                  static_cast<HMENU>(Item.Id), Instance, nullptr);
    if (!C) {
      DestroyWindow(Dlg);
      return 0;
    }
    SendMessage(C, WM_SETFONT, static_cast<WPARAM>(Font), 0);
    if (!FirstTab && (Item.Style & WS_TABSTOP)) {
      FirstTab = C;
    }
  }
  const LRESULT Focus = DialogFunc ? DialogFunc(Dlg, WM_INITDIALOG, static_cast<WPARAM>(FirstTab), InitParam) : TRUE;
  if (!IsWindow(Dlg)) {
    return 0;  // the procedure ended the dialog while it was being made
  }
  if (T.Style & WS_VISIBLE) {
    ShowWindow(Dlg, SW_SHOWNORMAL);
  }
  if (Focus && FirstTab) {
    NoteFocus(Dlg, FirstTab);
    SetFocus(FirstTab);
  }
  return Dlg;
}

HWND CreateDialogParam(HINSTANCE Instance, LPCSTR TemplateName, HWND Parent, DLGPROC DialogFunc, LPARAM InitParam) {
  const HRSRC Res = FindResource(nullptr, TemplateName, MAKEINTRESOURCE(RT_DIALOG_ID));
  if (!Res) {
    return 0;
  }
  const HGLOBAL Data = LoadResource(nullptr, Res);
  TDialogTemplate T;
  if (!ReadDialogTemplate(LockResource(Data), SizeofResource(nullptr, Res), T)) {
    return 0;
  }
  return CreateDialogIndirectParam(Instance, T, Parent, DialogFunc, InitParam);
}

HWND GetNextDlgTabItem(HWND Dlg, HWND Ctl, BOOL Previous) {
  std::vector<HWND> Stops;
  for (HWND C : Children(Dlg)) {
    if (IsTabStop(C) || C == Ctl) {
      Stops.push_back(C);
    }
  }
  if (Stops.empty()) {
    return Ctl;
  }
  auto It = std::find(Stops.begin(), Stops.end(), Ctl);
  std::size_t I = It == Stops.end() ? (Previous ? 0 : Stops.size() - 1) : static_cast<std::size_t>(It - Stops.begin());
  for (std::size_t Step = 0; Step < Stops.size(); ++Step) {
    I = Previous ? (I + Stops.size() - 1) % Stops.size() : (I + 1) % Stops.size();
    if (IsTabStop(Stops[I])) {
      return Stops[I];
    }
  }
  return Ctl;
}

BOOL IsDialogMessage(HWND Dlg, MSG* Msg) {
  if (!Msg || !Dlg || !IsWindow(Dlg) || (Msg->hwnd != Dlg && !IsChild(Dlg, Msg->hwnd))) {
    return FALSE;
  }
  const bool Key = Msg->message == WM_KEYDOWN || Msg->message == WM_CHAR;
  const WPARAM Vk = Msg->wParam;
  const bool DialogKey = Key && (Msg->message == WM_KEYDOWN ? (Vk == VK_TAB || Vk == VK_RETURN || Vk == VK_ESCAPE)
                                                            : (Vk == '\t' || Vk == '\r' || Vk == 27));
  if (DialogKey) {
    const LRESULT Code = SendMessage(Msg->hwnd, WM_GETDLGCODE, Vk, reinterpret_cast<LPARAM>(Msg));
    const bool IsTab = Vk == VK_TAB;
    const bool Wanted = (Code & DLGC_WANTMESSAGE) || (IsTab && (Code & DLGC_WANTTAB));
    if (!Wanted) {
      if (Msg->message == WM_KEYDOWN) {
        if (IsTab) {
          const bool Back = GetKeyState(VK_SHIFT) < 0;
          const HWND Next = GetNextDlgTabItem(Dlg, GetFocus() && IsChild(Dlg, GetFocus()) ? GetFocus() : 0, Back);
          if (Next) {
            NoteFocus(Dlg, Next);
            SetFocus(Next);
          }
        } else if (Vk == VK_RETURN) {
          const HWND Button = ReturnButton(Dlg);
          const int Id = Button ? GetDlgCtrlID(Button) : IDOK;
          SendMessage(Dlg, WM_COMMAND, MakeWParam(static_cast<WORD>(Id), BN_CLICKED), static_cast<LPARAM>(Button));
        } else {
          SendMessage(Dlg, WM_COMMAND, MakeWParam(IDCANCEL, BN_CLICKED),
                      static_cast<LPARAM>(GetDlgItem(Dlg, IDCANCEL)));
        }
      }
      return TRUE;  // the key and its character belong to the dialog manager
    }
  }
  TranslateMessage(Msg);
  DispatchMessage(Msg);
  return TRUE;
}

BOOL SetDlgItemText(HWND Dlg, int Id, LPCSTR Text) {
  const HWND C = GetDlgItem(Dlg, Id);
  return C ? SetWindowText(C, Text) : FALSE;
}

UINT GetDlgItemText(HWND Dlg, int Id, LPSTR Text, int MaxCount) {
  const HWND C = GetDlgItem(Dlg, Id);
  if (!C) {
    if (Text && MaxCount > 0) {
      Text[0] = '\0';
    }
    return 0;
  }
  return static_cast<UINT>(GetWindowText(C, Text, MaxCount));
}

LRESULT SendDlgItemMessage(HWND Dlg, int Id, UINT Msg, WPARAM WParam, LPARAM LParam) {
  const HWND C = GetDlgItem(Dlg, Id);
  return C ? SendMessage(C, Msg, WParam, LParam) : 0;
}
