// A text cursor over an edit or rich-edit window.
#include "spell/Lx3winapiparser.h"

#include "platform/controls/Controls.h"
#include "platform/graphics/WinGdi.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/Messages.h"
#include "platform/win/WinUser.h"

#include <algorithm>
#include <cstring>

void TWinAPIControlParser::Initialize(void* Control) {
  FControl = static_cast<TWinControl*>(Control);
  InitializeFromHWND(FControl ? FControl->Handle() : 0);
}

void TWinAPIControlParser::InitializeFromHWND(HWND Wnd) {
  FWnd = Wnd;
  FX = 0;
  FY = 0;
  FEndSet = false;
  FLineLength = 0;
  FBufferLine = -1;
  FReread = true;
  FSelStart = 0;
  FSelLength = 0;
  FLineCount = Wnd ? static_cast<int>(SendMessage(Wnd, EM_GETLINECOUNT, 0, 0)) : 0;
  char Class[256] = {};
  if (Wnd) {
    GetClassName(Wnd, Class, sizeof(Class));
  }
  const std::string Name = AnsiLowerCase(Class);
  if (Name.find("richedit2") != std::string::npos) {
    FType = actRichEdit2;
  } else if (Name.find("richedit") != std::string::npos || Name.find("syntaxmemo") != std::string::npos ||
             Name.find("lmdmemo") != std::string::npos) {
    FType = actRichEdit;
  } else {
    FType = actEdit;
  }
}

bool TWinAPIControlParser::EnsureLineCurrent() {
  if (!FWnd) {
    return false;
  }
  if (FY == FBufferLine && !FReread) {
    if (FX >= FLineLength) {
      ++FY;
      FX = 0;
    } else if (FX < 0) {
      if (FY == 0) {
        FX = 0;
        return false;
      }
      --FY;
    }
  }
  if (FY != FBufferLine || FReread) {
    FLineCount = static_cast<int>(SendMessage(FWnd, EM_GETLINECOUNT, 0, 0));
    if (FY < 0 || FY >= FLineCount) {
      return false;
    }
    // The buffer's first word tells the window its size.
    const WORD Size = MaxLineRead;
    std::memcpy(FBuffer.data(), &Size, sizeof(Size));
    const auto Got = static_cast<int>(SendMessage(FWnd, EM_GETLINE, static_cast<WPARAM>(FY),
                                                  reinterpret_cast<LPARAM>(FBuffer.data())));
    const int Length = std::clamp(Got, 0, MaxLineRead);
    FBuffer[static_cast<std::size_t>(Length)] = '\r';
    FBuffer[static_cast<std::size_t>(Length) + 1] = '\n';
    FBuffer[static_cast<std::size_t>(Length) + 2] = 0;
    FLineLength = Length + 2;
    FBufferLine = FY;
    FReread = false;
    if (FX < 0) {
      FX = FLineLength - 1;
    }
    if (FX >= FLineLength) {
      return false;
    }
  }
  if (FEndSet && (FY > FEndY || (FY == FEndY && FX > FEndX))) {
    return false;
  }
  return true;
}

char TWinAPIControlParser::GetChar() {
  return EnsureLineCurrent() ? FBuffer[static_cast<std::size_t>(FX)] : '\0';
}

std::string TWinAPIControlParser::GetLine() {
  if (!EnsureLineCurrent()) {
    return std::string();
  }
  return std::string(FBuffer.data(), static_cast<std::size_t>(FLineLength));
}

bool TWinAPIControlParser::MoveNext() {
  ++FX;
  return EnsureLineCurrent();
}

bool TWinAPIControlParser::MovePrevious() {
  --FX;
  return EnsureLineCurrent();
}

void TWinAPIControlParser::SetPosition(int X, int Y, TPositionType Kind) {
  if (Kind == ptCurrent) {
    FX = X;
    FY = Y;
    FReread = true;
  } else {
    FEndX = X;
    FEndY = Y;
    FEndSet = true;
  }
}

void TWinAPIControlParser::GetPosition(int& X, int& Y) {
  X = FX;
  Y = FY;
}

void TWinAPIControlParser::SelectWord(int Length) {
  FX -= Length;
  const int LineStart = static_cast<int>(SendMessage(FWnd, EM_LINEINDEX, static_cast<WPARAM>(FY), 0));
  FSelStart = LineStart + FX;
  FSelLength = Length;
  SendMessage(FWnd, EM_SETSEL, static_cast<WPARAM>(FSelStart), static_cast<LPARAM>(FSelStart + Length));
}

void TWinAPIControlParser::ReplaceWord(const std::string& Text, int) {
  SendMessage(FWnd, EM_SETSEL, static_cast<WPARAM>(FSelStart), static_cast<LPARAM>(FSelStart + FSelLength));
  if (FEndSet && FEndY == FY) {
    FEndX += static_cast<int>(Text.size()) - FSelLength;
  }
  SendMessage(FWnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Text.c_str()));
  FX += static_cast<int>(Text.size());
  FSelLength = 0;
  FReread = true;
}

void TWinAPIControlParser::IgnoreWord(int) {
  DWORD Start = 0;
  DWORD End = 0;
  SendMessage(FWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&Start), reinterpret_cast<LPARAM>(&End));
  FX += static_cast<int>(End) - static_cast<int>(Start);
}

int TWinAPIControlParser::LineHeight() {
  HDC DC = GetDC(FWnd);
  if (!DC) {
    return 16;
  }
  const auto Font = static_cast<HGDIOBJ>(SendMessage(FWnd, WM_GETFONT, 0, 0));
  HGDIOBJ Old = Font ? SelectObject(DC, Font) : 0;
  TEXTMETRIC Tm{};
  GetTextMetrics(DC, &Tm);
  if (Old) {
    SelectObject(DC, Old);
  }
  ReleaseDC(FWnd, DC);
  const int Height = static_cast<int>(Tm.tmHeight + Tm.tmExternalLeading);
  return Height > 0 ? Height : 16;
}

void TWinAPIControlParser::CenterSelection() {
  if (!FWnd) {
    return;
  }
  TRect Client;
  GetClientRect(FWnd, &Client);
  const int Visible = Client.Height() / LineHeight();
  const int First = static_cast<int>(SendMessage(FWnd, EM_GETFIRSTVISIBLELINE, 0, 0));
  SendMessage(FWnd, EM_LINESCROLL, 0, static_cast<LPARAM>(FY - First - Visible / 2));
  DWORD Start = 0;
  DWORD End = 0;
  SendMessage(FWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&Start), reinterpret_cast<LPARAM>(&End));
  SendMessage(FWnd, EM_SETSEL, Start, static_cast<LPARAM>(Start));
  SendMessage(FWnd, EM_SCROLLCARET, 0, 0);
  SendMessage(FWnd, EM_SETSEL, End, static_cast<LPARAM>(End));
  SendMessage(FWnd, EM_SCROLLCARET, 0, 0);
  SendMessage(FWnd, EM_SETSEL, Start, static_cast<LPARAM>(End));
}

void TWinAPIControlParser::CharToPosition(int Index, int& X, int& Y) {
  Y = static_cast<int>(SendMessage(FWnd, EM_LINEFROMCHAR, static_cast<WPARAM>(Index), 0));
  X = Index - static_cast<int>(SendMessage(FWnd, EM_LINEINDEX, static_cast<WPARAM>(Y), 0));
}

void TWinAPIControlParser::GetCursorPosition(int& X, int& Y) {
  DWORD Start = 0;
  DWORD End = 0;
  SendMessage(FWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&Start), reinterpret_cast<LPARAM>(&End));
  CharToPosition(static_cast<int>(End), X, Y);
}

void TWinAPIControlParser::GetSelectionPosition(int& StartX, int& StartY, int& EndX, int& EndY) {
  DWORD Start = 0;
  DWORD End = 0;
  SendMessage(FWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&Start), reinterpret_cast<LPARAM>(&End));
  CharToPosition(static_cast<int>(Start), StartX, StartY);
  CharToPosition(static_cast<int>(End), EndX, EndY);
}

void TWinAPIControlParser::GetControlScreenPosition(RECT& Rect) {
  TPoint Origin{0, 0};
  ClientToScreen(FWnd, &Origin);
  TRect Window;
  GetWindowRect(FWnd, &Window);
  Rect = TRect{Origin.X, Origin.Y, Origin.X + Window.Width(), Origin.Y + Window.Height()};
}

TPoint TWinAPIControlParser::PosFromChar(int Index) {
  TPoint P{0, 0};
  if (FType == actRichEdit) {
    SendMessage(FWnd, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&P), static_cast<LPARAM>(Index));
  } else {
    const auto R = static_cast<DWORD>(SendMessage(FWnd, EM_POSFROMCHAR, static_cast<WPARAM>(Index), 0));
    P = TPoint{static_cast<SHORT>(LOWORD(R)), static_cast<SHORT>(HIWORD(R))};
  }
  ClientToScreen(FWnd, &P);
  return P;
}

void TWinAPIControlParser::GetSelectionScreenPosition(RECT& Rect) {
  DWORD Start = 0;
  DWORD End = 0;
  SendMessage(FWnd, EM_GETSEL, reinterpret_cast<WPARAM>(&Start), reinterpret_cast<LPARAM>(&End));
  const TPoint A = PosFromChar(static_cast<int>(Start));
  const TPoint B = PosFromChar(static_cast<int>(End));
  Rect = TRect{A.X, A.Y, B.X, A.Y + LineHeight()};
  int X = 0;
  int Y = 0;
  CharToPosition(static_cast<int>(Start), X, Y);
  if (Y + 1 < static_cast<int>(SendMessage(FWnd, EM_GETLINECOUNT, 0, 0))) {
    const int Next = static_cast<int>(SendMessage(FWnd, EM_LINEINDEX, static_cast<WPARAM>(Y + 1), 0));
    const TPoint N = PosFromChar(Next);
    if (N.Y > Rect.Bottom) {
      Rect.Bottom = N.Y;
    }
  }
}
