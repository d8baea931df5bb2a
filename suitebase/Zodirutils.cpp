// The design tools' independent routines.
#include "suitebase/Zodirutils.h"

#include "platform/controls/Dialogs.h"
#include "platform/graphics/Images.h"
#include "platform/graphics/Colors.h"
#include "platform/graphics/WinGdi.h"
#include "platform/win/SystemParams.h"
#include "platform/win/VirtualKeys.h"
#include "suitebase/Fileutils.h"
#include "suitebase/Notifiers.h"
#include "suitebase/Pathdialog.h"

#include <array>
#include <cstring>
#include <memory>

namespace Zodir {

namespace {
int InspectorCount = 0;
int PaletteCount = 0;
int AlignPaletteCount = 0;

inline constexpr UINT SM_SHOWPALETTE = 2063;
inline constexpr UINT SM_HIDEPALETTE = 2064;
inline constexpr UINT SM_SHOWALIGNPALETTE = 2065;
inline constexpr UINT SM_HIDEALIGNPALETTE = 2066;

void Hide(int& Counter, UINT Msg) {
  if (Counter > 0 && --Counter == 0) {
    Dorazori::BroadCastToNotifiers(nullptr, Msg, 0, 0);
  }
}
}  // namespace

TColor DCChangeColorWithDlg(TColor Color) {
  TColorDialog D(nullptr);
  D.Color = Color;
  return D.Execute() ? D.Color : Color;
}

void DCChangeFontWithDlg(TFont* Font) {
  TFontDialog D(nullptr);
  D.Font()->Assign(Font);
  D.Options.Include(fdForceFontExist);
  if (D.Execute()) {
    Font->Assign(D.Font());
  }
}

void ShowFormEx(TCustomForm* Form, int ShowCommand) {
  if (!Form) {
    return;
  }
  const bool WasVisible = Form->Visible();
  Form->Show();
  ShowWindow(Form->Handle(), ShowCommand);
  if (Form->ComponentState().Contains(csDesigning)) {
    Form->SetVisible(WasVisible);
  }
}

void ShowMessageEx(const Variant& Value) { ShowMessage(VarToStr(Value)); }

bool QueryComputer(const std::string& Title, std::string& Name) {
  return Dcapi::QueryComp(Title, Name, Application->Handle());
}

void ShowObjectInspector() {
  TCustomForm* Active = Screen->ActiveForm();
  Dorazori::BroadCastToNotifiers(nullptr, Dorazori::SM_SHOWINSPECTOR, 0, 0);
  ++InspectorCount;
  if (Active) {
    Active->Show();
  }
}
void HideObjectInspector() { Hide(InspectorCount, Dorazori::SM_HIDEINSPECTOR); }
void ShowComponentPalette() {
  Dorazori::BroadCastToNotifiers(nullptr, SM_SHOWPALETTE, 1, 0);
  ++PaletteCount;
}
void HideComponentPalette() { Hide(PaletteCount, SM_HIDEPALETTE); }
void ShowAlignPalette() {
  Dorazori::BroadCastToNotifiers(nullptr, SM_SHOWALIGNPALETTE, 1, 0);
  ++AlignPaletteCount;
}
void HideAlignPalette() { Hide(AlignPaletteCount, SM_HIDEALIGNPALETTE); }

void ClearComponent(TComponent* Component) {
  if (!Component) {
    return;
  }
  Component->DestroyComponents();
  if (auto* W = dynamic_cast<TWinControl*>(Component)) {
    while (W->ControlCount() > 0) {
      delete W->Controls(0);
    }
  }
}

TWinControl* GetVCLControlFromHWND(HWND Window) {
  for (HWND W = Window; W; W = GetParent(W)) {
    if (TWinControl* C = FindControl(W)) {
      return C;
    }
  }
  return nullptr;
}

void UpdateDisabledControls(TComponent* Component) {
  for (int I = 0; Component && I < Component->ComponentCount(); ++I) {
    auto* W = dynamic_cast<TWinControl*>(Component->Components(I));
    if (W && W->Parent() && (!W->Enabled() || !W->Visible())) {
      W->HandleNeeded();
      W->RecreateWnd();
    }
  }
}

TTabSheet* CreateNewTabSheet(TPageControl* PageControl) {
  auto* Sheet = new TTabSheet(PageControl->Owner());
  try {
    Sheet->SetPageControl(PageControl);
  } catch (...) {
    delete Sheet;
    throw;
  }
  return Sheet;
}

void SetAllTabsVisible(TPageControl* PageControl, bool Visible) {
  for (int I = 0; I < PageControl->PageCount(); ++I) {
    PageControl->Pages(I)->SetTabVisible(Visible);
  }
}

void CorrectActiveTab(TPageControl* PageControl) {
  for (int I = 0; I < PageControl->PageCount(); ++I) {
    if (PageControl->Pages(I)->TabVisible()) {
      PageControl->SetActivePage(PageControl->Pages(I));
      return;
    }
  }
}

void SetTabsVisible(TPageControl* PageControl, const std::vector<std::string>& Names, bool Visible) {
  TComponent* Owner = PageControl->Owner();
  for (const std::string& Name : Names) {
    auto* Sheet = Owner ? dynamic_cast<TTabSheet*>(Owner->FindComponent(Name)) : nullptr;
    if (Sheet && Sheet->PageControl() == PageControl) {
      Sheet->SetTabVisible(Visible);
    }
  }
  CorrectActiveTab(PageControl);
}

void DeleteTab(TTabControl* TabControl, const std::string& Caption) {
  TStrings* Tabs = TabControl->Tabs();
  const int I = Tabs->IndexOf(Caption);
  if (I < 0) {
    return;
  }
  Tabs->Delete(I);
  TabControl->SetTabIndex(I < Tabs->Count() ? I : Tabs->Count() - 1);
}

void UpdateLabelsEnabled(TCustomForm* Form) {
  for (int I = 0; Form && I < Form->ComponentCount(); ++I) {
    if (auto* L = dynamic_cast<TLabel*>(Form->Components(I)); L && L->FocusControl()) {
      L->SetEnabled(L->FocusControl()->Enabled());
    }
  }
}

bool IsChildMenu(TMenuItem* Item, TMenu* Menu) {
  if (!Item || !Menu) {
    return false;
  }
  TMenuItem* Top = Item;
  while (Top->Parent()) {
    Top = Top->Parent();
  }
  return Top == Menu->Items();
}

DWORD GetRGBColor(TColor Color) {
  if (Color == clNone) {
    return 0xFFFFFFFF;
  }
  if (Color == clDefault) {
    return 0xFF000000;
  }
  return ColorToRGB(Color);
}

void CorrectMemoText(TCustomMemo* Memo) {
  std::string Text;
  for (char C : Memo->Text()) {
    if (C == '_') {
      Text += "\r\n";
    } else if (C != '\r' && C != '\n') {
      Text += C;
    }
  }
  Memo->SetText(Text);
}

TSize GetStringSize(const std::string& S, TFont* Font, int& Ascent, int& Descent, int& Overhang) {
  const HDC DC = GetDC(0);
  const HGDIOBJ Old = SelectObject(DC, Font->Handle());
  TSize Size;
  GetTextExtentPoint32(DC, S.c_str(), static_cast<int>(S.size()), &Size);
  TEXTMETRIC Tm;
  GetTextMetrics(DC, &Tm);
  SelectObject(DC, Old);
  ReleaseDC(0, DC);
  Ascent = Tm.tmAscent;
  Descent = Tm.tmDescent;
  Overhang = Tm.tmOverhang;
  Size.cx += Overhang;
  return Size;
}

TSize GetSymbolSize(char Ch, TFont* Font, int& Ascent, int& Descent, int& Overhang) {
  return GetStringSize(std::string(1, Ch), Font, Ascent, Descent, Overhang);
}

int GetSymbolWidth(char Ch, TFont* Font) {
  int A = 0, D = 0, O = 0;
  return GetSymbolSize(Ch, Font, A, D, O).cx;
}

int GetSymbolHeight(char Ch, TFont* Font) {
  int A = 0, D = 0, O = 0;
  GetSymbolSize(Ch, Font, A, D, O);
  return A + D;
}

int GetWheelScrollLines() {
  UINT Lines = 3;
  SystemParametersInfo(SPI_GETWHEELSCROLLLINES, 0, &Lines, 0);
  return static_cast<int>(Lines);
}

namespace {
// The platform's 16-byte variant record: the type code, three reserved words, then the value.
std::array<Byte, 16> OleBytes(const Variant& V) {
  std::array<Byte, 16> B{};
  const Word Type = V.VType();
  std::memcpy(B.data(), &Type, 2);
  Byte* Value = B.data() + 8;
  switch (Type & varTypeMask) {
    case varSmallint:
    case varInteger:
    case varByte:
    case varError: {
      const Integer I = Type == varError ? V.AsError() : V.AsInteger();
      std::memcpy(Value, &I, 4);
      break;
    }
    case varBoolean: {
      const short B16 = V.AsBoolean() ? -1 : 0;
      std::memcpy(Value, &B16, 2);
      break;
    }
    case varSingle: {
      const float F = static_cast<float>(V.AsDouble());
      std::memcpy(Value, &F, 4);
      break;
    }
    case varDouble:
    case varDate: {
      const double D = V.AsDouble();
      std::memcpy(Value, &D, 8);
      break;
    }
    case varCurrency: {
      const Int64 C = static_cast<Int64>(V.AsDouble() * 10000.0);
      std::memcpy(Value, &C, 8);
      break;
    }
    case varDispatch:
    case varUnknown: {
      const std::uintptr_t P = reinterpret_cast<std::uintptr_t>(V.AsPointer());
      std::memcpy(Value, &P, sizeof P);
      break;
    }
    default: break;  // strings and the rest: their record holds no comparable value here
  }
  return B;
}
}  // namespace

int CompareVariants(const Variant& A, const Variant& B) {
  const auto X = OleBytes(A);
  const auto Y = OleBytes(B);
  for (std::size_t I = 0; I < X.size(); ++I) {
    if (X[I] != Y[I]) {
      return static_cast<int>(X[I]) - static_cast<int>(Y[I]);
    }
  }
  return 0;
}

std::string DelphiTypeToString(TObject*, Integer VarType) { return Dorazori::ConvertDelphiTypeToString(VarType); }

void DCEnumAZShortCuts(TShortCut Modifier, const TShortCutProc& Proc, void* Data) {
  for (Word K = 'A'; K <= 'Z'; ++K) {
    Proc(static_cast<TShortCut>(Modifier + K), Data);
  }
}

void DCEnumKeyCodes(const Word* Codes, int High, TShortCut Modifier, void* Data, const TShortCutProc& Proc) {
  for (int I = 0; I <= High; ++I) {
    Proc(static_cast<TShortCut>(Modifier + Codes[I]), Data);
  }
}

void DCEnumFShortCuts(TShortCut Modifier, const TShortCutProc& Proc, void* Data) {
  for (Word K = VK_F1; K <= VK_F12; ++K) {
    Proc(static_cast<TShortCut>(Modifier + K), Data);
  }
}

void DCEnumShortCuts(const TShortCutProc& Proc, void* Data) {
  DCEnumAZShortCuts(scCtrl, Proc, Data);
  DCEnumAZShortCuts(static_cast<TShortCut>(scCtrl | scAlt), Proc, Data);
  DCEnumFShortCuts(0, Proc, Data);
  DCEnumFShortCuts(scCtrl, Proc, Data);
  DCEnumFShortCuts(scShift, Proc, Data);
  DCEnumFShortCuts(static_cast<TShortCut>(scShift | scCtrl), Proc, Data);
  static const TShortCut Others[] = {VK_INSERT,
                                     static_cast<TShortCut>(scShift | VK_INSERT),
                                     static_cast<TShortCut>(scCtrl | VK_INSERT),
                                     VK_DELETE,
                                     static_cast<TShortCut>(scShift | VK_DELETE),
                                     static_cast<TShortCut>(scCtrl | VK_DELETE),
                                     static_cast<TShortCut>(scAlt | VK_BACK),
                                     static_cast<TShortCut>(scShift | scAlt | VK_BACK)};
  for (TShortCut S : Others) {
    Proc(S, Data);
  }
}

void DCEnumShortCutNames(const std::function<void(const std::string& Name)>& Proc) {
  Proc(ShortCutToText(0));
  DCEnumShortCuts([&](TShortCut S, void*) { Proc(ShortCutToText(S)); }, nullptr);
}

bool AddIconFromResource(TCustomImageList* ImageList, const std::string& Name, HMODULE Module) {
  if (!ImageList || Name.empty()) {
    return false;
  }
  const HICON Icon = LoadIcon(static_cast<HINSTANCE>(Module), Name.c_str());
  if (!Icon) {
    return false;
  }
  TIcon Image;
  Image.SetHandle(Icon);  // released with the picture once the list has its copy
  ImageList->AddIcon(&Image);
  return true;
}

bool AddIconFromAnyResource(TCustomImageList* ImageList, const std::string& Name) {
  return AddIconFromResource(ImageList, Name, GetModuleHandle(nullptr));
}

}  // namespace Zodir
