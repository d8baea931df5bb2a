// Skins: the four looks of menus, toolbars and frames, their colour sets and options, the default skin that
// follows the skin component marked as default, and the drop shadow under menus.
#pragma once

#include "platform/classes/TypInfo.h"
#include "platform/classes/Component.h"
#include "platform/controls/Controls.h"
#include "platform/rtl/Exceptions.h"
#include "toolbars/Tb2common.h"
#include "toolbars/Tbskinshared.h"

#include <memory>
#include <vector>

enum TTBSkins { tbsDisabled, tbsOfficeXP, tbsWindowsXP, tbsNativeXP };
Z_ENUM_TYPEINFO(TTBSkins, "tbsDisabled", "tbsOfficeXP", "tbsWindowsXP", "tbsNativeXP")
enum TTBColorSets { tbcOfficeXP, tbcWindowsXP, tbcCustom };
Z_ENUM_TYPEINFO(TTBColorSets, "tbcOfficeXP", "tbcWindowsXP", "tbcCustom")
enum TTBOption {
  tboPopupOverlap, tboShadow, tboDockedCaptions, tboMenuTBColor, tboGradSelItem, tboBlendedImages,
  tboNoHoverIconShadow
};
Z_ENUM_TYPEINFO(TTBOption, "tboPopupOverlap", "tboShadow", "tboDockedCaptions", "tboMenuTBColor", "tboGradSelItem",
                "tboBlendedImages", "tboNoHoverIconShadow")
using TTBOptions = TSet<TTBOption, tboNoHoverIconShadow>;
Z_ENUM_TYPEINFO(TTBGradDir, "tbgLeftRight", "tbgTopBottom")
enum TTBPopupStyle { tbpsDefault, tbpsGradVert, tbpsGradHorz };
Z_ENUM_TYPEINFO(TTBPopupStyle, "tbpsDefault", "tbpsGradVert", "tbpsGradHorz")
enum TTBImgBackStyle { tbimsDefault, tbimsGradVert, tbimsGradHorz };
Z_ENUM_TYPEINFO(TTBImgBackStyle, "tbimsDefault", "tbimsGradVert", "tbimsGradHorz")
enum TShadowStyle { sOfficeXP, sWindowsXP };
Z_ENUM_TYPEINFO(TShadowStyle, "sOfficeXP", "sWindowsXP")
enum TTBSkinColor {
  cFace, cPopup, cBorder, cToolbar, cDragHandle, cImageList, cImgListShadow, cSelBar, cSelBarBorder, cSelItem,
  cSelItemBorder, cSelPushed, cSelPushedBorder, cSeparator, cChecked, cCheckedOver, cDockBorderTitle, cDockBorderIn,
  cDockBorderOut, cGradStart, cGradEnd, cPopupGradStart, cPopupGradEnd, cImgGradStart, cImgGradEnd, cText,
  cHighlightText, cCaptionText
};

// The platform theme's part and state numbers the painters name.
enum ToolbarPart { TP_BUTTON = 1, TP_DROPDOWNBUTTON = 2, TP_SPLITBUTTON = 3, TP_SPLITBUTTONDROPDOWN = 4,
                   TP_SEPARATOR = 5, TP_SEPARATORVERT = 6 };
enum ToolbarState { TS_NORMAL = 1, TS_HOT = 2, TS_PRESSED = 3, TS_DISABLED = 4, TS_CHECKED = 5, TS_HOTCHECKED = 6 };
enum ReBarPart { RP_GRIPPER = 1, RP_GRIPPERVERT = 2, RP_BAND = 3, RP_CHEVRON = 4, RP_CHEVRONVERT = 5 };
enum ChevronState { CHEVS_NORMAL = 1, CHEVS_HOT = 2, CHEVS_PRESSED = 3 };

Z_EXCEPTION(ESkinError, Exception)

class TTBBaseSkin;

#define TB_SKIN_COLOR(Name, Index)                                                                             \
  TColor Name() const { return GetColor(Index); }                                                             \
  void Set##Name(TColor Value) { SetColor(Index, Value); }

// The 28 colours of a skin, by the index their published property carries (1..28), with their RGB values.
class TTBColors : public TPersistent {
  Z_CLASS(TTBColors, TPersistent)
  friend class TTBBaseSkin;

public:
  explicit TTBColors(TTBBaseSkin* ASkin = nullptr) : FSkin(ASkin) {}
  // The stored colour; clNone outside 1..28.
  TColor GetColor(int Index) const;
  // Only while the skin's colour set is custom: stores the colour (and on the default skin too when the skin is
  // the default one), then repaints the skin's windows.
  void SetColor(int Index, TColor Value);
  TB_SKIN_COLOR(tcFace, 1)
  TB_SKIN_COLOR(tcPopup, 2)
  TB_SKIN_COLOR(tcBorder, 3)
  TB_SKIN_COLOR(tcToolbar, 4)
  TB_SKIN_COLOR(tcImageList, 5)
  TB_SKIN_COLOR(tcDockBorderIn, 6)
  TB_SKIN_COLOR(tcDockBorderOut, 7)
  TB_SKIN_COLOR(tcDockBorderTitle, 8)
  TB_SKIN_COLOR(tcDragHandle, 9)
  TB_SKIN_COLOR(tcChecked, 10)
  TB_SKIN_COLOR(tcCheckedOver, 11)
  TB_SKIN_COLOR(tcSelBar, 12)
  TB_SKIN_COLOR(tcSelBarBorder, 13)
  TB_SKIN_COLOR(tcSelItem, 14)
  TB_SKIN_COLOR(tcSelItemBorder, 15)
  TB_SKIN_COLOR(tcSelPushed, 16)
  TB_SKIN_COLOR(tcSelPushedBorder, 17)
  TB_SKIN_COLOR(tcSeparator, 18)
  TB_SKIN_COLOR(tcImgListShadow, 19)
  TB_SKIN_COLOR(tcGradStart, 20)
  TB_SKIN_COLOR(tcGradEnd, 21)
  TB_SKIN_COLOR(tcPopupGradStart, 22)
  TB_SKIN_COLOR(tcPopupGradEnd, 23)
  TB_SKIN_COLOR(tcImgGradStart, 24)
  TB_SKIN_COLOR(tcImgGradEnd, 25)
  TB_SKIN_COLOR(tcText, 26)
  TB_SKIN_COLOR(tcHighlightText, 27)
  TB_SKIN_COLOR(tcCaptionText, 28)
  static void Publish(TMetaClass& Meta);

private:
  TTBBaseSkin* FSkin;
  TColor FColors[29] = {};
  COLORREF FRGB[29] = {};
};
#undef TB_SKIN_COLOR

// A look with its colours, options and caption font. Dockable windows and popup menus each use one; windows
// registered with it are repainted when it changes.
class TTBBaseSkin : public TComponent {
  Z_CLASS(TTBBaseSkin, TComponent)
  friend class TTBColors;
  friend class TTBSkinManager;
  friend struct TDefaultSkinRef;

public:
  explicit TTBBaseSkin(TComponent* AOwner);
  ~TTBBaseSkin() override;
  void Assign(TPersistent* Source) override;

  virtual void RegisterChanges(const TTBNotifyMethod& Proc);
  virtual void UnregisterChanges(const TTBNotifyMethod& Proc);
  virtual void AssignColorsToRGB();
  virtual void RepaintRegisteredClasses();
  void CalculateColorSet();
  // The RGB value of a colour (white for a value out of range).
  COLORREF RGBColor(TTBSkinColor Color) const;
  int GetPopupNCSize() const;
  void RegisterDockable(TWinControl* Window);
  bool UnregisterDockable(TWinControl* Window);

  std::string Version() const { return "Version 1.00.15"; }
  void SetVersion(const std::string&) {}
  TTBColors* Colors() const { return FColors.get(); }
  void SetColors(TTBColors* Value);
  TTBSkins SkinType() const { return FSkinType; }
  void SetSkinType(TTBSkins Value);
  TTBColorSets ColorSet() const { return FColorSet; }
  void SetColorSet(TTBColorSets Value);
  TTBOptions Options() const { return FOptions; }
  void SetOptions(TTBOptions Value);
  TTBGradDir Gradient() const { return FGradient; }
  void SetGradient(TTBGradDir Value);
  bool IsDefaultSkin() const { return FIsDefaultSkin; }
  void SetIsDefaultSkin(bool Value);
  TTBPopupStyle PopupStyle() const { return FPopupStyle; }
  void SetPopupStyle(TTBPopupStyle Value);
  TTBImgBackStyle ImgBackStyle() const { return FImgBackStyle; }
  void SetImgBackStyle(TTBImgBackStyle Value);
  TShadowStyle ShadowStyle() const { return FShadowStyle; }
  void SetShadowStyle(TShadowStyle Value);
  TFont* CaptionFont() const { return FCaptionFont.get(); }
  void SetCaptionFont(TFont* Value);
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);
  bool IsCaptionFontStored() const { return !FParentFont; }

protected:
  void Changed();

private:
  void OfficeXPColorSet();
  void WindowsXPColorSet();

  std::unique_ptr<TTBColors> FColors;
  std::vector<TTBNotifyMethod> FChangeHandlers;
  TTBSkins FSkinType = tbsOfficeXP;
  TTBColorSets FColorSet = tbcOfficeXP;
  TTBOptions FOptions;
  TTBGradDir FGradient = tbgTopBottom;
  bool FIsDefaultSkin = false;
  TTBPopupStyle FPopupStyle = tbpsDefault;
  TTBImgBackStyle FImgBackStyle = tbimsDefault;
  TShadowStyle FShadowStyle = sOfficeXP;
  std::unique_ptr<TFont> FParentFontObj;
  std::unique_ptr<TFont> FCaptionFont;
  bool FParentFont = true;
  std::vector<TWinControl*> FRegistered;
};

// The skin component placed on forms; it joins the skin manager.
class TTBSkin : public TTBBaseSkin {
  Z_CLASS(TTBSkin, TTBBaseSkin)

public:
  explicit TTBSkin(TComponent* AOwner);
  void BeforeDestruction() override;
  static void Publish(TMetaClass& Meta);
};

// The skin components of the process; the first one (or the one marked) feeds the default skin.
class TTBSkinManager {
public:
  TTBSkinManager();
  ~TTBSkinManager();
  int AddSkin(TTBBaseSkin* Skin);
  void RemoveSkin(TTBBaseSkin* Skin);
  void SetSkinAsDefault(TTBBaseSkin* Skin);
  int Count() const { return static_cast<int>(FSkins.size()); }
  TTBBaseSkin* Skins(int I) const { return FSkins[static_cast<std::size_t>(I)]; }

private:
  std::vector<TTBBaseSkin*> FSkins;
  std::unique_ptr<TTBBaseSkin> FSaved;
};

// The process-wide default skin (disabled until a skin component feeds it) and the skin manager.
struct TDefaultSkinRef {
  TTBBaseSkin* operator->() const { return Get(); }
  operator TTBBaseSkin*() const { return Get(); }
  static TTBBaseSkin* Get();
};
inline constexpr TDefaultSkinRef DefaultSkin{};
struct TSkinManagerRef {
  TTBSkinManager* operator->() const { return Get(); }
  operator TTBSkinManager*() const { return Get(); }
  static TTBSkinManager* Get();
};
inline constexpr TSkinManagerRef TBSkinManager{};

// The visual-styles functions are bound from "UxTheme.dll" when it exists (it does not here: native looks fall
// back to the Windows XP look).
void InitializeThemeSupport();
bool ThemesAvailable();

// Darkens a copy of the screen for a drop shadow: the vertical strip on a menu's right side or the horizontal one
// along its bottom, with tapered ends, leaving positions in ClipStart..ClipFinish alone.
void OfficeXPShadow(TBitmap* Bitmap, bool Vertical, bool Corner1, bool Corner2, int ClipStart, int ClipFinish);
void WindowsXPShadow(TBitmap* Bitmap, bool Vertical, bool Corner1, bool Corner2, int ClipStart, int ClipFinish);

// The drop shadow beside a menu: a window that shows the darkened screen behind it and lets clicks through.
class TShadow : public TCustomControl {
  Z_CLASS(TShadow, TCustomControl)

public:
  TShadow(bool AOfficeXPStyle, bool AVertical);
  ~TShadow() override;
  void Prepare();
  void UnPrepare();
  bool Corner1 = false;
  bool Corner2 = false;
  int ClipStart = -1;
  int ClipFinish = 0;
  TShadowStyle ShadowStyle = sOfficeXP;
  bool Vertical() const { return FVertical; }
  bool Prepared() const { return static_cast<bool>(FBitmap); }

protected:
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;

private:
  [[maybe_unused]] bool FFirst;  // the style the shadow was made for; nothing reads it yet
  bool FVertical;
  std::unique_ptr<TBitmap> FBitmap;
};
