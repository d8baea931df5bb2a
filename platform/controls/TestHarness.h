// The headless test harness: synthetic key and mouse input through Qt's window-system path, running the loop
// until idle or a deadline, and saving windows as PNG.
#pragma once

#include "platform/win/Clock.h"
#include "platform/win/WinUser.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
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

// Data another program drags in: local files (full paths), text (code page 1252; empty for none) and other mime
// types with their bytes.
struct TDesktopData {
  std::vector<std::string> Files;
  std::string Text;
  std::vector<std::pair<std::string, std::string>> Types;
};
enum class TDropAction { Ignore, Copy, Move, Link };
// Drags data from the desktop over the program as a file manager would: enters at the first point of the path (a
// window and a point in its client coordinates), moves over the others, passing from form to form as the pointer
// does, and drops at the last one (or leaves the program when Drop is false). Copy, move and link are offered; the
// modifiers suggest one as a file manager's would. Rest, when given, runs while the pointer rests at the last
// point, before the drop or leave. Returns the action the program took at the drop (Ignore when refused or left).
TDropAction DragFromDesktop(const TDesktopData& Data, const std::vector<std::pair<HWND, TPoint>>& Path, bool Drop = true,
                            TMods Mods = {}, const std::function<void()>& Rest = {});

// Whether the desktop shows the top-level window's pixel at a point in window coordinates (its window region and
// colour key cut the rest away); false outside the window or when it is not on screen.
bool WindowShowsPoint(HWND Wnd, TPoint WindowPoint);

// Saves the window's current look as a PNG file; false when it is not on screen.
bool SaveWindowPng(HWND Wnd, const std::string& FileName);

// A picture read back from a file: 0xFFRRGGBB pixels, rows top-down.
struct TSavedImage {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Pixels;
  std::uint32_t At(int X, int Y) const { return Pixels[static_cast<std::size_t>(Y) * Width + X]; }
};
// Reads a PNG file (as SaveWindowPng writes it); false when it cannot be read.
bool LoadPng(const std::string& FileName, TSavedImage& Image);

// ---- Driving the real dialogs -------------------------------------------------------------------------------------
// With SetShowRealDialogs(true) (DialogService.h) the platform's dialogs and popup menus are real Qt widgets even
// offscreen. A drive answers them as a user would, from inside the layer's loop that waits for them.

// The dialog or popup menu a step acts on; valid only during the step. Texts are code page 1252; captions are
// matched without their '&' marks. What does not apply to the kind of dialog answers false or empty.
class TDialogDriver {
public:
  virtual ~TDialogDriver() = default;
  // "MessageBox", "FileDialog", "FontDialog", "ColorDialog", "PrintDialog", "PageSetupDialog", "Menu", or the
  // toolkit's class name of anything else.
  virtual std::string Kind() const = 0;
  virtual std::string Title() const = 0;
  virtual std::string Text() const = 0;  // a message box's text
  // A message box's buttons in order, or a menu's items (separators as "-"); captions without '&'.
  virtual std::vector<std::string> Buttons() const = 0;
  virtual std::string DefaultButton() const = 0;
  // Clicks a button, or chooses a menu item (a submenu's item opens the submenu, which the next step gets).
  virtual bool Click(const std::string& Caption) = 0;
  // A key pressed in the dialog or menu (VK_RETURN, VK_ESCAPE, arrows).
  virtual void Key(WORD Vk) = 0;
  // File dialogs: types Name into the file name field (several files each in double quotes, separated by
  // spaces); the name filters as shown ("Text (*.txt)") and the selected one; choosing one by its index from 0.
  virtual bool TypeFileName(const std::string& Name) = 0;
  virtual std::vector<std::string> Filters() const = 0;
  virtual std::string SelectedFilter() const = 0;
  virtual bool SelectFilter(int Index) = 0;
  // Font and colour dialogs: the current choice set as a user would pick it.
  virtual bool ChooseFont(const std::string& Family, int PointSize, bool Bold) = 0;
  virtual bool ChooseColor(std::uint32_t ColorRef) = 0;
  // Ends the dialog as its OK (accept) or Cancel (reject) would; closes a menu without a choice.
  virtual void Accept() = 0;
  virtual void Reject() = 0;
};
using TDialogStep = std::function<void(TDialogDriver& Dialog)>;

// Starts a drive: each step runs on the next real dialog or popup menu that shows (a menu's submenu counts as
// the next one). When one does not show within TimeoutMs of real time, or a dialog shows with no step left for
// it, the drive fails and the dialogs and menus open then are cancelled, so nothing ever waits for good.
// A new drive replaces the one under way.
void DriveDialogs(std::vector<TDialogStep> Steps, DWORD TimeoutMs = 5000);
// Whether every step has run, and what went wrong (empty when nothing did).
bool DriveDone();
std::string DriveError();
// Ends the drive under way (steps left are dropped, no error).
void StopDriving();

}  // namespace Harness
