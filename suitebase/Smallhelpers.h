// The suite's small stateless helpers: font metrics, scroll bars, border styles, brush patterns, menus, tabs,
// web and e-mail addresses (hot strings), dropped file names and the folder question.
#pragma once

#include "platform/controls/ComCtrls.h"
#include "platform/controls/Menus.h"
#include "platform/controls/StdCtrls.h"
#include "platform/graphics/Graphics.h"
#include "platform/graphics/WinGdi.h"

#include <array>
#include <bitset>
#include <functional>
#include <string>

namespace Dccommon {

inline constexpr std::array<int, 16> StdFontSizes = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};
extern std::bitset<256> HotCharSet;
// An application's extra test for hot strings; none at first.
extern std::function<bool(const std::string& S)> OnHotString;

// Each measures with the font selected into a screen context.
void GetFontMetrics(TFont* Font, TEXTMETRIC& Metrics);
int GetMaxFontWidth(TFont* Font);
int GetAveFontWidth(TFont* Font);
int GetMaxFontHeight(TFont* Font);  // the height of "Wg"
int GetMinFontHeight(TFont* Font);  // the height of "x"
bool IsFontMonoSpaced(TFont* Font);

int GetScrollPosEx(HWND Wnd, int Bar);  // the track position
// Sets and redraws only when the position differs.
void _SetScrollPos(HWND Wnd, int Bar, int Pos);
void _SetScrollSize(HWND Wnd, int Bar, int Min, int Page, int Max);

// A single border with Ctl3D becomes the sunken client edge; otherwise the plain border.
void UpdateParamsWithBorderStyle(TCreateParams& Params, TBorderStyle BorderStyle, bool Ctl3D);

// An 8 x 8 checkerboard of the two colours (Color2 where row and column have the same parity).
void CreateBrushPatternEx(TBitmap* Bitmap, TColor Color1, TColor Color2);
void CreateBrushPattern(TBitmap* Bitmap);

// Drops leading and trailing separators and keeps only the last of each run of separators.
void RemoveExtraMenuSeparators(TMenuItem* Item);
void ClearMenuSubItems(TMenuItem* Item, bool Disable);

// The next or previous tab, wrapping at both ends.
void ChangeTab(TTabControl* TabControl, bool Forward);
// Selects the tab of that caption (case ignored), adding it when there is none.
void AddNewTab(TTabControl* TabControl, const std::string& Caption);

bool IsWWWString(const std::string& S);
bool IsEmailString(const std::string& S);
bool IsStringHot(const std::string& S);
// Opens the address with the desktop's handler; the shell's result.
HINSTANCE JumpToURL(const std::string& URL);
HINSTANCE WriteToUs();
HINSTANCE HomePage();

// The names of a WM_DROPFILES message, each whole: with Directories a file stands for its folder (with a
// trailing separator); with Multiple all names joined by Separator, else the first. The drop is finished and the
// message answered 0 in any case.
void DropFiles(bool Directories, bool Multiple, const std::string& Separator, std::string& S, TMessage& Message);
// The suite's folder question owned by the application's window; true with Dir the folder chosen.
bool QueryDirectory(const std::string& Title, std::string& Dir);

}  // namespace Dccommon
