// The suite's small stateless helpers.
#include "suitebase/Smallhelpers.h"

#include "platform/controls/Forms.h"
#include "platform/graphics/Colors.h"
#include "platform/graphics/ScrollBars.h"
#include "platform/rtl/FileUtils.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/Desktop.h"
#include "platform/win/Shell.h"
#include "suitebase/Pathdialog.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace Dccommon {

std::bitset<256> HotCharSet;
std::function<bool(const std::string& S)> OnHotString;

namespace {

// A screen context with the font selected for the time of a measure.
class TMeasure {
public:
  explicit TMeasure(TFont* Font) : FDC(GetDC(0)), FOld(SelectObject(FDC, Font->Handle())) {}
  ~TMeasure() {
    SelectObject(FDC, FOld);
    ReleaseDC(0, FDC);
  }
  TMeasure(const TMeasure&) = delete;
  TMeasure& operator=(const TMeasure&) = delete;
  HDC DC() const { return FDC; }
  int Height(const char* Text) const {
    TSize S;
    GetTextExtentPoint32(FDC, Text, static_cast<int>(std::strlen(Text)), &S);
    return S.cy;
  }

private:
  HDC FDC;
  HGDIOBJ FOld;
};

bool StartsWithText(const std::string& S, const char* Prefix) {
  const std::size_t N = std::strlen(Prefix);
  return S.size() >= N && AnsiCompareText(S.substr(0, N), Prefix) == 0;
}

bool IsWordChar(char C) {
  const auto U = static_cast<unsigned char>(C);
  return std::isalnum(U) || C == '_';
}

}  // namespace

void GetFontMetrics(TFont* Font, TEXTMETRIC& Metrics) {
  TMeasure M(Font);
  GetTextMetrics(M.DC(), &Metrics);
}

int GetMaxFontWidth(TFont* Font) {
  TEXTMETRIC T;
  GetFontMetrics(Font, T);
  return T.tmMaxCharWidth;
}

int GetAveFontWidth(TFont* Font) {
  TEXTMETRIC T;
  GetFontMetrics(Font, T);
  return T.tmAveCharWidth;
}

int GetMaxFontHeight(TFont* Font) { return TMeasure(Font).Height("Wg"); }
int GetMinFontHeight(TFont* Font) { return TMeasure(Font).Height("x"); }

bool IsFontMonoSpaced(TFont* Font) {
  TEXTMETRIC T;
  GetFontMetrics(Font, T);
  return (T.tmPitchAndFamily & TMPF_FIXED_PITCH) == 0;
}

int GetScrollPosEx(HWND Wnd, int Bar) {
  SCROLLINFO Info;
  Info.fMask = SIF_TRACKPOS;
  GetScrollInfo(Wnd, Bar, &Info);
  return Info.nTrackPos;
}

void _SetScrollPos(HWND Wnd, int Bar, int Pos) {
  if (GetScrollPos(Wnd, Bar) != Pos) {
    SetScrollPos(Wnd, Bar, Pos, TRUE);
  }
}

void _SetScrollSize(HWND Wnd, int Bar, int Min, int Page, int Max) {
  SCROLLINFO Info;
  Info.fMask = SIF_RANGE | SIF_PAGE;
  Info.nMin = Min;
  Info.nMax = Max;
  Info.nPage = static_cast<UINT>(Page);
  SetScrollInfo(Wnd, Bar, &Info, TRUE);
}

void UpdateParamsWithBorderStyle(TCreateParams& Params, TBorderStyle BorderStyle, bool Ctl3D) {
  if (BorderStyle != bsSingle) {
    return;
  }
  if (Ctl3D) {
    Params.Style &= ~WS_BORDER;
    Params.ExStyle |= WS_EX_CLIENTEDGE;
  } else {
    Params.Style |= WS_BORDER;
  }
}

void CreateBrushPatternEx(TBitmap* Bitmap, TColor Color1, TColor Color2) {
  Bitmap->SetSize(8, 8);
  TCanvas* C = Bitmap->Canvas();
  C->Brush()->SetColor(Color1);
  C->FillRect(TRect{0, 0, 8, 8});
  for (int Y = 0; Y < 8; ++Y) {
    for (int X = 0; X < 8; ++X) {
      if ((Y % 2) == (X % 2)) {
        C->SetPixels(X, Y, Color2);
      }
    }
  }
}

void CreateBrushPattern(TBitmap* Bitmap) { CreateBrushPatternEx(Bitmap, clBtnFace, clBtnHighlight); }

void RemoveExtraMenuSeparators(TMenuItem* Item) {
  if (!Item) {
    return;
  }
  auto Free = [&](int Index) {
    TMenuItem* Sub = Item->Items(Index);
    Item->Delete(Index);
    delete Sub;
  };
  // Of each run of separators only the last stays; then none may lead or trail.
  for (int I = Item->Count() - 2; I >= 0; --I) {
    if (Item->Items(I)->IsLine() && Item->Items(I + 1)->IsLine()) {
      Free(I);
    }
  }
  while (Item->Count() > 0 && Item->Items(0)->IsLine()) {
    Free(0);
  }
  while (Item->Count() > 0 && Item->Items(Item->Count() - 1)->IsLine()) {
    Free(Item->Count() - 1);
  }
}

void ClearMenuSubItems(TMenuItem* Item, bool Disable) {
  if (!Item) {
    return;
  }
  while (Item->Count() > 0) {
    TMenuItem* Sub = Item->Items(Item->Count() - 1);
    Item->Delete(Item->Count() - 1);
    delete Sub;
  }
  Item->SetEnabled(!Disable);
}

void ChangeTab(TTabControl* TabControl, bool Forward) {
  const int Count = TabControl ? TabControl->Tabs()->Count() : 0;
  if (Count == 0) {
    return;
  }
  const int I = TabControl->TabIndex();
  TabControl->SetTabIndex(Forward ? (I + 1) % Count : (I <= 0 ? Count - 1 : I - 1));
}

void AddNewTab(TTabControl* TabControl, const std::string& Caption) {
  TStrings* Tabs = TabControl->Tabs();
  for (int I = 0; I < Tabs->Count(); ++I) {
    if (AnsiCompareText(Tabs->Strings(I), Caption) == 0) {
      TabControl->SetTabIndex(I);
      return;
    }
  }
  TabControl->SetTabIndex(Tabs->Add(Caption));
}

bool IsWWWString(const std::string& S) {
  if (S.empty()) {
    return false;
  }
  for (const char* Prefix : {"WWW.", "HTTP://", "GOPHER://", "FTP://"}) {
    if (StartsWithText(S, Prefix)) {
      return true;
    }
  }
  return false;
}

bool IsEmailString(const std::string& S) {
  if (StartsWithText(S, "MAILTO:")) {
    return true;
  }
  const std::size_t At = S.find('@');
  if (At == std::string::npos || S.find('@', At + 1) != std::string::npos || At + 1 >= S.size()) {
    return false;
  }
  return S.find('.', At + 1) != std::string::npos && IsWordChar(S[At + 1]);
}

bool IsStringHot(const std::string& S) {
  if (IsWWWString(S) || IsEmailString(S)) {
    return true;
  }
  return OnHotString ? OnHotString(S) : false;
}

HINSTANCE JumpToURL(const std::string& URL) { return ShellExecute(0, nullptr, URL.c_str(), nullptr, nullptr, SW_SHOW); }
HINSTANCE WriteToUs() { return JumpToURL("mailto: support@nimbra.example"); }
HINSTANCE HomePage() { return JumpToURL("http://www.nimbra.example"); }

void DropFiles(bool Directories, bool Multiple, const std::string& Separator, std::string& S, TMessage& Message) {
  S.clear();
  const auto Drop = static_cast<HDROP>(Message.WParam);
  const UINT Count = DragQueryFile(Drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT I = 0; I < Count && (Multiple || I == 0); ++I) {
    // Each name is read whole, however long.
    std::string Name(DragQueryFile(Drop, I, nullptr, 0), '\0');
    DragQueryFile(Drop, I, Name.data(), static_cast<UINT>(Name.size() + 1));
    if (Directories && FileExists(Name) && !DirectoryExists(Name)) {
      Name = ExtractFilePath(Name);
    }
    if (I > 0) {
      S += Separator;
    }
    S += Name;
  }
  Message.Result = 0;
  DragFinish(Drop);
}

bool QueryDirectory(const std::string& Title, std::string& Dir) {
  return Dcapi::QueryDir(Title, Dir, Application->Handle());
}

}  // namespace Dccommon
