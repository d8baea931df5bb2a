// The headless test harness: synthetic key and mouse input through Qt's window-system path, running the loop
// until idle or a deadline, and saving windows as PNG.
#pragma once

#include "platform/win/Clock.h"
#include "platform/win/WinUser.h"

#include <functional>
#include <string>
#include <vector>

namespace Harness {

enum class TButton { Left = 1, Right = 2, Middle = 3 };

struct TMods {
  bool Shift = false;
  bool Ctrl = false;
  bool Alt = false;
};

// Starts the toolkit (offscreen when there is no display). Windows must be visible to receive input.
void Start();

// Keys go to the host of the active window (else of any visible top-level window), as a keyboard would send
// them; the layer then routes them to GetFocus(). KeyPress presses the modifiers, the key, and releases them in
// reverse order. TypeText types each character with Shift where a US keyboard needs it.
void KeyDown(WORD Vk, TMods Mods = {});
void KeyUp(WORD Vk, TMods Mods = {});
void KeyPress(WORD Vk, TMods Mods = {});
void TypeText(const std::string& Text);
// Input-method text (code page 1252) as an input method sends it to the focused widget: a composition under way,
// or committed text.
void ImeCompose(const std::string& Preedit);
void ImeCommit(const std::string& Text);

// Mouse input at a point given in a window's client coordinates; it goes to the top-level window's host there.
// Two presses close in time and place make a double click, as on the platform (DoubleClick makes one).
void MouseMove(HWND Wnd, TPoint Client, TMods Mods = {});
void MouseDown(HWND Wnd, TPoint Client, TButton Button = TButton::Left, TMods Mods = {});
void MouseUp(HWND Wnd, TPoint Client, TButton Button = TButton::Left, TMods Mods = {});
void Click(HWND Wnd, TPoint Client, TButton Button = TButton::Left, TMods Mods = {});
void DoubleClick(HWND Wnd, TPoint Client, TButton Button = TButton::Left, TMods Mods = {});
// Turns the wheel by whole notches (positive: away from the user) over the point.
void Wheel(HWND Wnd, TPoint Client, int Notches, TMods Mods = {});

// Translates and dispatches every queued message (posted, input, paint, due timers) until nothing is left;
// returns how many were dispatched. WM_QUIT is left in the queue.
int RunUntilIdle(int Limit = 100000);
// Runs the loop (waiting in it) until Done answers true or TimeoutMs of real time pass; false on timeout.
bool RunUntil(const std::function<bool()>& Done, DWORD TimeoutMs = 5000);
// Advances a manual clock and runs until idle, so timers that became due fire.
void Advance(TManualClock& Clock, UInt64 Milliseconds);

// Drops files (full paths) from the desktop at a point of a window, as a file manager would.
void DropFiles(HWND Wnd, TPoint Client, const std::vector<std::string>& Files);

// Saves the window's current look as a PNG file; false when it is not on screen.
bool SaveWindowPng(HWND Wnd, const std::string& FileName);

}  // namespace Harness
