// Independent routines the suite's design tools and editors use around forms, tab pages, menus, fonts, colours,
// variants and shortcuts, with the show and hide counters of the design tool windows.
#pragma once

#include "platform/controls/ComCtrls.h"
#include "platform/controls/Forms.h"
#include "platform/controls/Menus.h"
#include "platform/controls/StdCtrls.h"
#include "platform/graphics/ImgList.h"
#include "platform/win/Modules.h"
#include "platform/rtl/Variants.h"

#include <functional>
#include <string>
#include <vector>

namespace Zodir {

// The colour chosen in the colour dialog (opened at Color); Color when cancelled.
TColor DCChangeColorWithDlg(TColor Color);
// The font dialog for Font (only existing fonts); the choice is copied into Font on OK.
void DCChangeFontWithDlg(TFont* Font);
void ShowFormEx(TCustomForm* Form, int ShowCommand);
void ShowMessageEx(const Variant& Value);
bool QueryComputer(const std::string& Title, std::string& Name);

// The design tool windows: shows are counted; the last hide broadcasts.
void ShowObjectInspector();
void HideObjectInspector();
void ShowComponentPalette();
void HideComponentPalette();
void ShowAlignPalette();
void HideAlignPalette();

void ClearComponent(TComponent* Component);
TWinControl* GetVCLControlFromHWND(HWND Window);
void UpdateDisabledControls(TComponent* Component);

TTabSheet* CreateNewTabSheet(TPageControl* PageControl);
void SetAllTabsVisible(TPageControl* PageControl, bool Visible);
void CorrectActiveTab(TPageControl* PageControl);
void SetTabsVisible(TPageControl* PageControl, const std::vector<std::string>& Names, bool Visible);
// Deletes the tab of that caption and selects the tab at its index, or the last one.
void DeleteTab(TTabControl* TabControl, const std::string& Caption);
void UpdateLabelsEnabled(TCustomForm* Form);
bool IsChildMenu(TMenuItem* Item, TMenu* Menu);

// 0xFFFFFFFF for no colour, 0xFF000000 for the default colour, else plain RGB.
DWORD GetRGBColor(TColor Color);
// Removes line breaks, then makes every "_" a line break.
void CorrectMemoText(TCustomMemo* Memo);
TSize GetStringSize(const std::string& S, TFont* Font, int& Ascent, int& Descent, int& Overhang);
TSize GetSymbolSize(char Ch, TFont* Font, int& Ascent, int& Descent, int& Overhang);
int GetSymbolWidth(char Ch, TFont* Font);
int GetSymbolHeight(char Ch, TFont* Font);
int GetWheelScrollLines();
// Compares the 16-byte OLE form of two variants (type code, reserved words, value): the difference of the first
// differing bytes, 0 when equal.
int CompareVariants(const Variant& A, const Variant& B);
std::string DelphiTypeToString(TObject* Designer, Integer VarType);
// Appends the icon resource Name of Module (an icon group, else a single icon) to the image list; false when it
// does not load.
bool AddIconFromResource(TCustomImageList* ImageList, const std::string& Name, HMODULE Module);
// The same from the program's modules: the program itself first.
bool AddIconFromAnyResource(TCustomImageList* ImageList, const std::string& Name);

using TShortCutProc = std::function<void(TShortCut ShortCut, void* Data)>;
void DCEnumAZShortCuts(TShortCut Modifier, const TShortCutProc& Proc, void* Data);
void DCEnumKeyCodes(const Word* Codes, int High, TShortCut Modifier, void* Data, const TShortCutProc& Proc);
void DCEnumFShortCuts(TShortCut Modifier, const TShortCutProc& Proc, void* Data);
void DCEnumShortCuts(const TShortCutProc& Proc, void* Data);
void DCEnumShortCutNames(const std::function<void(const std::string& Name)>& Proc);

}  // namespace Zodir
