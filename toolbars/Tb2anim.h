// Menu animation: a popup window fades in through a layered window or slides in by growing its region, while a
// worker thread only decides when the next step is due. One animation runs at a time in the process.
#pragma once

#include "platform/classes/Classes.h"
#include "platform/win/WinUser.h"

enum TTBAnimationDirectionFlag { tbadLeft, tbadRight, tbadDown, tbadUp };
using TTBAnimationDirection = TSet<TTBAnimationDirectionFlag, tbadUp>;

// Sent (never waited for) to the animated window: a step is due (LPARAM: the animation's serial number), and the
// animation has ended and the window shows its whole picture.
inline constexpr UINT WM_TB2K_STEPANIMATION = 0x955;
inline constexpr UINT WM_TB2K_ANIMATIONENDED = 0x956;

// Ends any running animation, captures the window's picture, shows the window and starts the timing thread.
// Fade is honoured only when "user32.dll" exports UpdateLayeredWindow; without it a fade with a direction slides
// and a fade without one shows the whole window at the first step.
void TBStartAnimation(HWND Wnd, int Duration, bool Fade, TTBAnimationDirection Direction);
// Stops the running animation (only when it animates Wnd; 0 stops any), waits for its thread and restores the
// window to its plain state with its whole picture.
void TBEndAnimation(HWND Wnd);
// The animated window's handler of WM_TB2K_STEPANIMATION: shows the current step (stale messages are ignored).
void TBStepAnimation(const TMessage& Message);
// Looks up UpdateLayeredWindow in "user32.dll" (once; ForceLookup looks again).
void TBInitLayeredWindows(bool ForceLookup = false);

// The window being animated, 0 when none; whether the current animation fades; its current step (0 to 240).
HWND TBAnimatedWindow();
bool TBAnimationFades();
int TBAnimationStep();
