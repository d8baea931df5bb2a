// Skins: colour sets, options, the default skin and the skin manager.
#include "toolbars/Tbskins.h"

#include "platform/win/Modules.h"
#include "platform/win/SystemParams.h"

#include <algorithm>

Z_IMPLEMENT_CLASS(ESkinError, Exception)
Z_IMPLEMENT_CLASS_PUBLISHED(TTBColors, TPersistent, TTBColors::Publish)
Z_IMPLEMENT_CLASS(TTBBaseSkin, TComponent)
Z_IMPLEMENT_CLASS_PUBLISHED(TTBSkin, TTBBaseSkin, TTBSkin::Publish)

namespace {

// Property index of each TTBSkinColor.
constexpr int ColorIndex[] = {1, 2, 3, 4, 9, 5, 19, 12, 13, 14, 15, 16, 17, 18, 10, 11, 8, 6, 7, 20, 21, 22, 23, 24,
                              25, 26, 27, 28};

HMODULE ThemeDLL = 0;
bool ThemeLookedUp = false;
using TIsThemeActive = BOOL (*)();
TIsThemeActive IsThemeActiveFunc = nullptr;

void SystemCaptionFont(TFont* Font) {
  NONCLIENTMETRICS M;
  if (SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 0, &M, 0)) {
    Font->SetHandle(CreateFontIndirect(&M.lfSmCaptionFont));
  }
  Font->SetStyle(Font->Style() + TFontStyles{fsBold});
}

}  // namespace

void InitializeThemeSupport() {
  if (ThemeLookedUp) {
    return;
  }
  ThemeLookedUp = true;
  ThemeDLL = LoadLibrary("UxTheme.dll");
  if (ThemeDLL) {
    IsThemeActiveFunc = reinterpret_cast<TIsThemeActive>(GetProcAddress(ThemeDLL, "IsThemeActive"));
  }
}

bool ThemesAvailable() {
  InitializeThemeSupport();
  return IsWindowsXP() && IsThemeActiveFunc && IsThemeActiveFunc();
}

// ---- Colours ----------------------------------------------------------------------------------------------------

TColor TTBColors::GetColor(int Index) const { return Index >= 1 && Index <= 28 ? FColors[Index] : clNone; }

void TTBColors::SetColor(int Index, TColor Value) {
  if (Index < 1 || Index > 28 || !FSkin || FSkin->FColorSet != tbcCustom) {
    return;
  }
  FColors[Index] = Value;
  FRGB[Index] = ColorToRGB(Value);
  if (FSkin->FIsDefaultSkin && FSkin != DefaultSkin.Get()) {
    DefaultSkin->Colors()->SetColor(Index, Value);
  }
  FSkin->RepaintRegisteredClasses();
}

void TTBColors::Publish(TMetaClass& Meta) {
  TPublisher<TTBColors> P(Meta);
#define TB_PUBLISH(Name) P.Property(#Name, &TTBColors::Name, &TTBColors::Set##Name)
  TB_PUBLISH(tcFace);
  TB_PUBLISH(tcPopup);
  TB_PUBLISH(tcBorder);
  TB_PUBLISH(tcToolbar);
  TB_PUBLISH(tcImageList);
  TB_PUBLISH(tcDockBorderIn);
  TB_PUBLISH(tcDockBorderOut);
  TB_PUBLISH(tcDockBorderTitle);
  TB_PUBLISH(tcDragHandle);
  TB_PUBLISH(tcChecked);
  TB_PUBLISH(tcCheckedOver);
  TB_PUBLISH(tcSelBar);
  TB_PUBLISH(tcSelBarBorder);
  TB_PUBLISH(tcSelItem);
  TB_PUBLISH(tcSelItemBorder);
  TB_PUBLISH(tcSelPushed);
  TB_PUBLISH(tcSelPushedBorder);
  TB_PUBLISH(tcSeparator);
  TB_PUBLISH(tcImgListShadow);
  TB_PUBLISH(tcGradStart);
  TB_PUBLISH(tcGradEnd);
  TB_PUBLISH(tcPopupGradStart);
  TB_PUBLISH(tcPopupGradEnd);
  TB_PUBLISH(tcImgGradStart);
  TB_PUBLISH(tcImgGradEnd);
  TB_PUBLISH(tcText);
  TB_PUBLISH(tcHighlightText);
  TB_PUBLISH(tcCaptionText);
#undef TB_PUBLISH
}

// ---- Skin -------------------------------------------------------------------------------------------------------

TTBBaseSkin::TTBBaseSkin(TComponent* AOwner)
    : TComponent(AOwner),
      FColors(std::make_unique<TTBColors>(this)),
      FParentFontObj(std::make_unique<TFont>()),
      FCaptionFont(std::make_unique<TFont>()) {
  SystemCaptionFont(FParentFontObj.get());
  FCaptionFont->Assign(FParentFontObj.get());
  OfficeXPColorSet();
}

TTBBaseSkin::~TTBBaseSkin() = default;

void TTBBaseSkin::RegisterChanges(const TTBNotifyMethod& Proc) {
  for (const TTBNotifyMethod& M : FChangeHandlers) {
    if (MethodsEqual(M, Proc)) {
      return;
    }
  }
  FChangeHandlers.push_back(Proc);
}

void TTBBaseSkin::UnregisterChanges(const TTBNotifyMethod& Proc) {
  auto It = std::find_if(FChangeHandlers.begin(), FChangeHandlers.end(),
                         [&](const TTBNotifyMethod& M) { return MethodsEqual(M, Proc); });
  if (It != FChangeHandlers.end()) {
    FChangeHandlers.erase(It);
  }
}

void TTBBaseSkin::Changed() {
  for (const TTBNotifyMethod& M : std::vector<TTBNotifyMethod>(FChangeHandlers)) {
    M.Fn(this);
  }
}

void TTBBaseSkin::AssignColorsToRGB() {
  // The screen shows every 24-bit colour, so the nearest colour is the colour itself.
  for (int I = 1; I <= 28; ++I) {
    FColors->FRGB[I] = ColorToRGB(FColors->FColors[I]);
  }
}

COLORREF TTBBaseSkin::RGBColor(TTBSkinColor Color) const {
  const int I = static_cast<int>(Color);
  if (I < 0 || I >= static_cast<int>(std::size(ColorIndex))) {
    return RGB(255, 255, 255);
  }
  return FColors->FRGB[ColorIndex[I]];
}

void TTBBaseSkin::CalculateColorSet() {
  if (FColorSet == tbcOfficeXP) {
    OfficeXPColorSet();
  } else if (FColorSet == tbcWindowsXP) {
    WindowsXPColorSet();
  }
}

void TTBBaseSkin::OfficeXPColorSet() {
  TColor* C = FColors->FColors;
  C[1] = clBtnFace;
  C[2] = BlendColors(clWindow, clBtnFace, 0.15);
  C[3] = BlendColors(clBtnShadow, clBlack, 0.2);
  C[4] = BlendColors(clBtnFace, clWindow, 0.16);
  C[5] = BlendColors(clBtnFace, clWindow, 0.16);
  C[6] = BlendColors(clBtnShadow, clBlack, 0.15);
  C[7] = BlendColors(clBtnShadow, clBlack, 0.15);
  C[8] = clBtnShadow;
  C[9] = BlendColors(clBtnShadow, clWindow, 0.231);
  C[12] = BlendColors(clHighlight, clWindow, 0.7);
  C[13] = clHighlight;
  C[14] = BlendColors(clHighlight, clWindow, 0.7);
  C[15] = clHighlight;
  C[16] = BlendColors(clHighlight, clWindow, 0.601);
  C[17] = clHighlight;
  C[10] = BlendColors(C[16], BlendColors(clBtnFace, clWindow, 0.44), 0.794);
  C[11] = C[16];
  C[18] = ColorLighter(clBtnShadow, 15);
  C[19] = BlendColors(clHighlight, clBtnShadow, 0.701);
  C[20] = ColorLighter(C[14], 70);
  C[21] = C[14];
  C[22] = C[5];
  C[23] = ColorLighter(C[5], 70);
  C[24] = C[5];
  C[25] = ColorDarker(C[5], 50);
  C[26] = clWindowText;
  C[27] = clWindowText;
  C[28] = clHighlightText;
  AssignColorsToRGB();
}

void TTBBaseSkin::WindowsXPColorSet() {
  TColor* C = FColors->FColors;
  C[1] = clMenu;
  C[2] = clWindow;
  C[3] = clBtnShadow;
  C[4] = clBtnFace;
  C[5] = clMenu;
  C[6] = clWindow;
  C[7] = clBlack;
  C[8] = clWindow;
  C[9] = clBtnShadow;
  C[12] = clWindow;
  C[13] = clBtnShadow;
  C[14] = ColorLighter(clHighlight, 13);
  C[15] = clHighlight;
  C[16] = ColorDarker(C[14], 20);
  C[17] = C[14];
  C[10] = C[12];
  C[11] = C[16];
  C[18] = C[3];
  C[19] = clBtnShadow;
  C[20] = ColorLighter(C[14], 70);
  C[21] = C[14];
  C[22] = ColorLighter(C[14], 40);
  C[23] = ColorLighter(C[14], 100);
  C[24] = ColorLighter(C[14], 50);
  C[25] = ColorLighter(C[14], 100);
  C[26] = clWindowText;
  C[27] = clHighlightText;
  C[28] = clWindowText;
  AssignColorsToRGB();
}

void TTBBaseSkin::SetSkinType(TTBSkins Value) {
  if (Value == FSkinType) {
    return;
  }
  const TTBSkins Requested = Value;
  if (Value == tbsNativeXP && !ThemesAvailable()) {
    Value = tbsWindowsXP;
  }
  FSkinType = Value;
  tbChevronSize = 12;
  if (Value == tbsOfficeXP) {
    FOptions.Exclude(tboPopupOverlap);
    FOptions.Include(tboShadow);
    FOptions.Include(tboBlendedImages);
    FShadowStyle = sOfficeXP;
    tbChevronSize = 11;
    if (FColorSet != tbcCustom) {
      FColorSet = tbcOfficeXP;
      CalculateColorSet();
    }
  } else if (Value == tbsWindowsXP || Value == tbsNativeXP) {
    FOptions.Exclude(tboBlendedImages);
    FOptions.Include(tboPopupOverlap);
    FOptions.Include(tboShadow);
    FShadowStyle = sWindowsXP;
    if (FColorSet != tbcCustom) {
      FColorSet = tbcWindowsXP;
      CalculateColorSet();
    }
  }
  if (FIsDefaultSkin && this != DefaultSkin.Get()) {
    DefaultSkin->SetSkinType(Requested);
  }
  RepaintRegisteredClasses();
}

void TTBBaseSkin::SetColorSet(TTBColorSets Value) {
  if (FSkinType == tbsDisabled || Value == FColorSet) {
    return;
  }
  FColorSet = Value;
  if (Value != tbcCustom) {
    CalculateColorSet();
  }
  if (FIsDefaultSkin && this != DefaultSkin.Get()) {
    DefaultSkin->SetColorSet(Value);
  }
  RepaintRegisteredClasses();
}

void TTBBaseSkin::SetColors(TTBColors* Value) {
  if (Value && Value != FColors.get()) {
    for (int I = 1; I <= 28; ++I) {
      FColors->SetColor(I, Value->GetColor(I));
    }
  }
}

void TTBBaseSkin::SetOptions(TTBOptions Value) {
  if (Value != FOptions) {
    FOptions = Value;
    if (FIsDefaultSkin && this != DefaultSkin.Get()) {
      DefaultSkin->SetOptions(Value);
    }
    RepaintRegisteredClasses();
  }
}

#define TB_PASS_ON(Setter, Field)                                                                              \
  void TTBBaseSkin::Setter(decltype(Field) Value) {                                                           \
    if (Value != Field) {                                                                                      \
      Field = Value;                                                                                           \
      if (FIsDefaultSkin && this != DefaultSkin.Get()) {                                                       \
        DefaultSkin->Setter(Value);                                                                            \
      }                                                                                                        \
    }                                                                                                          \
  }
TB_PASS_ON(SetGradient, FGradient)
TB_PASS_ON(SetPopupStyle, FPopupStyle)
TB_PASS_ON(SetImgBackStyle, FImgBackStyle)
TB_PASS_ON(SetShadowStyle, FShadowStyle)
#undef TB_PASS_ON

void TTBBaseSkin::SetCaptionFont(TFont* Value) {
  if (Value && Value != FCaptionFont.get()) {
    FCaptionFont->Assign(Value);
    FParentFont = false;
    if (FIsDefaultSkin && this != DefaultSkin.Get()) {
      DefaultSkin->SetCaptionFont(Value);
    }
    RepaintRegisteredClasses();
  }
}

void TTBBaseSkin::SetParentFont(bool Value) {
  if (Value == FParentFont) {
    return;
  }
  FParentFont = Value;
  if (Value) {
    FCaptionFont->Assign(FParentFontObj.get());
  }
  if (FIsDefaultSkin && this != DefaultSkin.Get()) {
    DefaultSkin->SetParentFont(Value);
    DefaultSkin->SetCaptionFont(FParentFontObj.get());
  }
  RepaintRegisteredClasses();
}

void TTBBaseSkin::SetIsDefaultSkin(bool Value) {
  if (Value != FIsDefaultSkin) {
    FIsDefaultSkin = Value;
    TBSkinManager->SetSkinAsDefault(Value ? this : nullptr);
    RepaintRegisteredClasses();
  }
}

int TTBBaseSkin::GetPopupNCSize() const {
  switch (FSkinType) {
    case tbsWindowsXP: return FPopupStyle != tbpsDefault || FImgBackStyle != tbimsDefault ? 1 : 3;
    case tbsOfficeXP: return 2;
    default: return 3;
  }
}

void TTBBaseSkin::RegisterDockable(TWinControl* Window) {
  if (std::find(FRegistered.begin(), FRegistered.end(), Window) == FRegistered.end()) {
    FRegistered.push_back(Window);
  }
}

bool TTBBaseSkin::UnregisterDockable(TWinControl* Window) {
  auto It = std::find(FRegistered.begin(), FRegistered.end(), Window);
  if (It == FRegistered.end()) {
    return FRegistered.empty();
  }
  FRegistered.erase(It);
  return true;
}

void TTBBaseSkin::RepaintRegisteredClasses() {
  for (TWinControl* W : std::vector<TWinControl*>(FRegistered)) {
    if (W->HandleAllocated() && W->Showing()) {
      // A new layout for the new look, then the frame drawn again in place.
      const int H = W->Height();
      W->SetHeight(H - 1);
      W->SetHeight(H);
      SetWindowPos(W->Handle(), 0, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      InvalidateRect(W->Handle(), nullptr, TRUE);
    }
  }
  Changed();
}

void TTBBaseSkin::Assign(TPersistent* Source) {
  auto* S = dynamic_cast<TTBBaseSkin*>(Source);
  if (!S) {
    TComponent::Assign(Source);
    return;
  }
  for (int I : {1, 2, 3, 9, 10, 11, 6, 7, 8, 12, 13, 14, 15, 16, 17, 5, 19}) {
    FColors->SetColor(I, S->FColors->GetColor(I));
  }
  SetColorSet(S->FColorSet);
  SetGradient(S->FGradient);
  SetOptions(S->FOptions);
  SetShadowStyle(S->FShadowStyle);
  SetSkinType(S->FSkinType);
  SetTag(S->Tag());
}

TTBSkin::TTBSkin(TComponent* AOwner) : TTBBaseSkin(AOwner) { TBSkinManager->AddSkin(this); }

void TTBSkin::BeforeDestruction() {
  SetSkinType(tbsDisabled);
  TTBBaseSkin::BeforeDestruction();
  TBSkinManager->RemoveSkin(this);
}

void TTBSkin::Publish(TMetaClass& Meta) {
  TPublisher<TTBSkin> P(Meta);
  P.Property("ColorSet", &TTBSkin::ColorSet, &TTBSkin::SetColorSet).Default(tbcOfficeXP);
  P.Property("CaptionFont", &TTBSkin::CaptionFont, &TTBSkin::SetCaptionFont).Stored(&TTBSkin::IsCaptionFontStored);
  P.Property("Colors", &TTBSkin::Colors, &TTBSkin::SetColors);
  P.Property("Gradient", &TTBSkin::Gradient, &TTBSkin::SetGradient).Default(tbgTopBottom);
  P.Property("ImgBackStyle", &TTBSkin::ImgBackStyle, &TTBSkin::SetImgBackStyle).Default(tbimsDefault);
  P.Property("IsDefaultSkin", &TTBSkin::IsDefaultSkin, &TTBSkin::SetIsDefaultSkin).Default(false);
  P.Property("Options", &TTBSkin::Options, &TTBSkin::SetOptions).Default(TTBOptions{tboShadow});
  P.Property("ParentFont", &TTBSkin::ParentFont, &TTBSkin::SetParentFont).Default(true);
  P.Property("PopupStyle", &TTBSkin::PopupStyle, &TTBSkin::SetPopupStyle).Default(tbpsDefault);
  P.Property("ShadowStyle", &TTBSkin::ShadowStyle, &TTBSkin::SetShadowStyle).Default(sOfficeXP);
  P.Property("SkinType", &TTBSkin::SkinType, &TTBSkin::SetSkinType).Default(tbsOfficeXP);
  P.Property("Version", &TTBSkin::Version, &TTBSkin::SetVersion);
}

// ---- Default skin and manager -----------------------------------------------------------------------------------

TTBBaseSkin* TDefaultSkinRef::Get() {
  static TTBBaseSkin* Skin = [] {
    auto* S = new TTBBaseSkin(nullptr);
    S->SetSkinType(tbsDisabled);
    S->FOptions.Clear();
    return S;
  }();
  return Skin;
}

TTBSkinManager* TSkinManagerRef::Get() {
  static TTBSkinManager Manager;
  return &Manager;
}

TTBSkinManager::TTBSkinManager() : FSaved(std::make_unique<TTBBaseSkin>(nullptr)) {
  FSaved->SetSkinType(tbsDisabled);
  FSaved->FOptions.Clear();
  TTBBaseSkin* D = DefaultSkin;
  FSaved->FColorSet = D->FColorSet;
  FSaved->FOptions = D->FOptions;
  FSaved->FGradient = D->FGradient;
  FSaved->FShadowStyle = D->FShadowStyle;
}

TTBSkinManager::~TTBSkinManager() = default;

int TTBSkinManager::AddSkin(TTBBaseSkin* Skin) {
  auto It = std::find(FSkins.begin(), FSkins.end(), Skin);
  if (It != FSkins.end()) {
    return static_cast<int>(It - FSkins.begin());
  }
  FSkins.push_back(Skin);
  if (FSkins.size() == 1) {
    DefaultSkin->Assign(Skin);
    Skin->FIsDefaultSkin = true;
  }
  return static_cast<int>(FSkins.size()) - 1;
}

void TTBSkinManager::RemoveSkin(TTBBaseSkin* Skin) {
  auto It = std::find(FSkins.begin(), FSkins.end(), Skin);
  if (It == FSkins.end()) {
    throw ESkinError("The skin cannot be removed because it's not part of the SkinManager");
  }
  FSkins.erase(It);
  if (Skin->FIsDefaultSkin && !FSkins.empty()) {
    FSkins.front()->FIsDefaultSkin = true;
  } else if (FSkins.empty()) {
    DefaultSkin->Assign(FSaved.get());
  }
}

void TTBSkinManager::SetSkinAsDefault(TTBBaseSkin* Skin) {
  if (!Skin) {
    DefaultSkin->Assign(FSaved.get());
    return;
  }
  if (std::find(FSkins.begin(), FSkins.end(), Skin) == FSkins.end()) {
    throw ESkinError("This skin has not been added to the SkinManager.");
  }
  for (TTBBaseSkin* S : FSkins) {
    if (S != Skin) {
      S->FIsDefaultSkin = false;
    }
  }
  Skin->FIsDefaultSkin = true;
  DefaultSkin->Assign(Skin);
}
