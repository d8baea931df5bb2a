// Window procedures that are methods (object instances) and the class library's hidden utility windows.
#pragma once

#include "platform/win/WinUser.h"

#include <functional>

// A method that handles a window's messages: it reads Msg, WParam and LParam and sets Result.
using TWndMethod = std::function<void(TMessage&)>;

// Makes a window procedure value that calls Method. The value is only callable through the window system
// (as a class's or window's procedure, or through CallWindowProc), never directly. Free it when done.
WNDPROC MakeObjectInstance(TWndMethod Method);
void FreeObjectInstance(WNDPROC ObjectInstance);

// Creates a hidden top-level window (class "TPUtilWindow", no host widget) whose procedure is Method; the method
// should hand messages it does not handle to DefWindowProc. DeallocateHWnd destroys it and frees the instance.
HWND AllocateHWnd(TWndMethod Method);
void DeallocateHWnd(HWND Wnd);
