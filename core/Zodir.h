// Redraw brackets for windowed controls and the folder-exists test of the program's directory helpers.
#pragma once

#include "platform/win/WinTypes.h"

#include <string>

namespace Zodir {

// True when the path's attributes can be read and include the directory bit.
bool DirectoryExists(const std::string& Path);
// Turns drawing of a control's window off (WM_SETREDRAW 0) when it has one (a zero handle has none). Controls
// pass their window handle while the class library's windowed control is not there to take.
void BeginControlUpdate(HWND Control);
// Turns drawing back on (WM_SETREDRAW 1) and invalidates the whole window, background included. Child windows
// repaint through their own invalid areas; a full RedrawWindow with all children is for when the layer has it.
void FinishControlUpdate(HWND Control);

}  // namespace Zodir
