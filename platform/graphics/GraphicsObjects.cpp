// TFont, TPen and TBrush, with the shared cache of their GDI objects.
#include "platform/graphics/Graphics.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/TypInfo.h"
#include "platform/graphics/WinGdi.h"
#include "platform/rtl/SysUtils.h"

#include <cstring>
#include <map>
#include <mutex>
#include <vector>

Z_IMPLEMENT_CLASS(TGraphicsObject, TPersistent)
Z_IMPLEMENT_CLASS_PUBLISHED(TFont, TGraphicsObject, TFont::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(TPen, TGraphicsObject, TPen::Publish)
Z_IMPLEMENT_CLASS_PUBLISHED(TBrush, TGraphicsObject, TBrush::Publish)
Z_IMPLEMENT_CLASS(EInvalidGraphic, Exception)
Z_IMPLEMENT_CLASS(EInvalidGraphicOperation, Exception)


namespace {

// Colours are written by name where they have one (clBtnFace), else as numbers.
bool IdentToColorValue(const std::string& Ident, int& Value) {
  TColor C = 0;
  if (!IdentToColor(Ident, C)) {
    return false;
  }
  Value = C;
  return true;
}

bool ColorToIdent(int Value, std::string& Ident) {
  std::string S = ColorToString(Value);
  if (S.size() < 2 || S.compare(0, 2, "cl") != 0) {
    return false;
  }
  Ident = S;
  return true;
}

const TIdentMapEntry CharsetNames[] = {
    {ANSI_CHARSET, "ANSI_CHARSET"},     {DEFAULT_CHARSET, "DEFAULT_CHARSET"}, {SYMBOL_CHARSET, "SYMBOL_CHARSET"},
    {77, "MAC_CHARSET"},                {128, "SHIFTJIS_CHARSET"},            {129, "HANGEUL_CHARSET"},
    {130, "JOHAB_CHARSET"},             {134, "GB2312_CHARSET"},              {136, "CHINESEBIG5_CHARSET"},
    {161, "GREEK_CHARSET"},             {162, "TURKISH_CHARSET"},             {163, "VIETNAMESE_CHARSET"},
    {177, "HEBREW_CHARSET"},            {178, "ARABIC_CHARSET"},              {186, "BALTIC_CHARSET"},
    {204, "RUSSIAN_CHARSET"},           {222, "THAI_CHARSET"},                {238, "EASTEUROPE_CHARSET"},
    {OEM_CHARSET, "OEM_CHARSET"}};

bool IdentToCharset(const std::string& Ident, int& Value) {
  return IdentToInt(Ident, Value, CharsetNames, static_cast<int>(std::size(CharsetNames)));
}

bool CharsetToIdent(int Value, std::string& Ident) {
  return IntToIdent(Value, Ident, CharsetNames, static_cast<int>(std::size(CharsetNames)));
}

PTypeInfo TypeInfoCharset() {
  static const TTypeInfo* Info = [] {
    static const TTypeInfo I = MakeOrdTypeInfo(tkInteger, "TFontCharset", otUByte, 0, 255);
    RegisterIntegerConsts(&I, &IdentToCharset, &CharsetToIdent);
    return &I;
  }();
  return Info;
}

}  // namespace

PTypeInfo TypeInfoColor() {
  static const TTypeInfo* Info = [] {
    static const TTypeInfo I = MakeOrdTypeInfo(tkInteger, "TColor", otSLong, -0x7FFFFFFFll - 1, 0x7FFFFFFF);
    RegisterIntegerConsts(&I, &IdentToColorValue, &ColorToIdent);
    return &I;
  }();
  return Info;
}

void TPen::Publish(TMetaClass& Meta) {
  TPublisher<TPen> P(Meta);
  P.Property("Color", &TPen::Color, &TPen::SetColor).Type(TypeInfoColor()).Default(clBlack);
  P.Property("Mode", &TPen::Mode, &TPen::SetMode).Default(pmCopy);
  P.Property("Style", &TPen::Style, &TPen::SetStyle).Default(psSolid);
  P.Property("Width", &TPen::Width, &TPen::SetWidth).Default(1);
}

void TBrush::Publish(TMetaClass& Meta) {
  TPublisher<TBrush> P(Meta);
  P.Property("Color", &TBrush::Color, &TBrush::SetColor).Type(TypeInfoColor()).Default(clWhite);
  P.Property("Style", &TBrush::Style, &TBrush::SetStyle).Default(bsSolid);
}

void TFont::Publish(TMetaClass& Meta) {
  TPublisher<TFont> P(Meta);
  P.Property("Charset", &TFont::Charset, &TFont::SetCharset).Type(TypeInfoCharset()).NoDefault();
  P.Property("Color", &TFont::Color, &TFont::SetColor).Type(TypeInfoColor()).NoDefault();
  P.Property("Height", &TFont::Height, &TFont::SetHeight).NoDefault();
  P.Property("Name", &TFont::Name, &TFont::SetName);
  P.Property("Pitch", &TFont::Pitch, &TFont::SetPitch).Default(fpDefault);
  P.Property("Size", &TFont::Size, &TFont::SetSize).Stored(false);
  P.Property("Style", &TFont::Style, &TFont::SetStyle);
}

namespace {

// GDI objects shared by graphics objects with equal attributes: the key is the logical record's bytes.
struct TShared {
  HGDIOBJ Handle = 0;
  int Refs = 0;
};

struct TResourceCache {
  std::mutex Lock;
  std::map<std::string, TShared> Entries;
  std::map<HGDIOBJ, std::string> Keys;
};

TResourceCache& Cache() {
  static TResourceCache C;
  return C;
}

template <class TRec, class TMake>
HGDIOBJ Acquire(char Kind, const TRec& Rec, TMake Make) {
  std::string Key(1, Kind);
  Key.append(reinterpret_cast<const char*>(&Rec), sizeof Rec);
  auto& C = Cache();
  std::lock_guard G(C.Lock);
  TShared& S = C.Entries[Key];
  if (!S.Handle) {
    S.Handle = Make(Rec);
    C.Keys[S.Handle] = Key;
  }
  ++S.Refs;
  return S.Handle;
}

void ReleaseShared(HGDIOBJ H) {
  if (!H) {
    return;
  }
  auto& C = Cache();
  std::lock_guard G(C.Lock);
  auto K = C.Keys.find(H);
  if (K == C.Keys.end()) {
    return;
  }
  TShared& S = C.Entries[K->second];
  if (--S.Refs <= 0) {
    C.Entries.erase(K->second);
    C.Keys.erase(K);
    // An object still selected into a DC goes when it is no longer selected: retried on later releases.
    static std::vector<HGDIOBJ> Pending;
    Pending.push_back(H);
    std::erase_if(Pending, [](HGDIOBJ P) { return DeleteObject(P) || GetObjectType(P) == 0; });
  }
}

}  // namespace

void TGraphicsObject::Changed() {
  if (OnChange) {
    OnChange(this);
  }
}

// ---- TFont -------------------------------------------------------------------------------------------------------

TFont::TFont() = default;

TFont::~TFont() { ReleaseShared(FHandle); }

void TFont::Modify(const std::function<void()>& Change) {
  ReleaseShared(FHandle);
  FHandle = 0;
  Change();
  Changed();
}

LOGFONT TFont::MakeLogFont() const {
  LOGFONT L;
  L.lfHeight = FHeight;
  L.lfWeight = FStyle.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  L.lfItalic = FStyle.Contains(fsItalic) ? 1 : 0;
  L.lfUnderline = FStyle.Contains(fsUnderline) ? 1 : 0;
  L.lfStrikeOut = FStyle.Contains(fsStrikeOut) ? 1 : 0;
  L.lfCharSet = FCharset;
  L.lfPitchAndFamily = FPitch == fpFixed ? FIXED_PITCH : FPitch == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
  std::strncpy(L.lfFaceName, FName.c_str(), LF_FACESIZE - 1);
  return L;
}

HFONT TFont::Handle() {
  if (!FHandle) {
    FHandle = Acquire('F', MakeLogFont(), [](const LOGFONT& L) { return CreateFontIndirect(&L); });
  }
  return FHandle;
}

void TFont::SetHandle(HFONT Value) {
  LOGFONT L;
  if (GetObject(Value, sizeof L, &L) != sizeof L) {
    return;
  }
  Modify([&] {
    FName = L.lfFaceName;
    FHeight = L.lfHeight;
    FStyle = TFontStyles{};
    if (L.lfWeight >= FW_BOLD) {
      FStyle.Include(fsBold);
    }
    if (L.lfItalic) {
      FStyle.Include(fsItalic);
    }
    if (L.lfUnderline) {
      FStyle.Include(fsUnderline);
    }
    if (L.lfStrikeOut) {
      FStyle.Include(fsStrikeOut);
    }
    FCharset = L.lfCharSet;
    BYTE P = L.lfPitchAndFamily & 0x03;
    FPitch = P == FIXED_PITCH ? fpFixed : P == VARIABLE_PITCH ? fpVariable : fpDefault;
  });
}

void TFont::SetName(const std::string& Value) {
  if (Value != FName && !Value.empty()) {
    Modify([&] { FName = Value; });
  }
}

Integer TFont::Size() const { return -MulDiv(FHeight, 72, PixelsPerInch); }

void TFont::SetSize(Integer Value) { SetHeight(-MulDiv(Value, PixelsPerInch, 72)); }

void TFont::SetHeight(Integer Value) {
  if (Value != FHeight) {
    Modify([&] { FHeight = Value; });
  }
}

void TFont::SetStyle(TFontStyles Value) {
  if (Value != FStyle) {
    Modify([&] { FStyle = Value; });
  }
}

void TFont::SetColor(TColor Value) {
  if (Value != FColor) {
    FColor = Value;  // the colour is not part of the GDI font
    Changed();
  }
}

void TFont::SetPitch(TFontPitch Value) {
  if (Value != FPitch) {
    Modify([&] { FPitch = Value; });
  }
}

void TFont::SetCharset(TFontCharset Value) {
  if (Value != FCharset) {
    Modify([&] { FCharset = Value; });
  }
}

void TFont::Assign(TPersistent* Source) {
  if (auto* F = dynamic_cast<TFont*>(Source)) {
    Modify([&] {
      FName = F->FName;
      FHeight = MulDiv(F->FHeight, PixelsPerInch, F->PixelsPerInch);
      FStyle = F->FStyle;
      FColor = F->FColor;
      FPitch = F->FPitch;
      FCharset = F->FCharset;
    });
    return;
  }
  inherited::Assign(Source);
}

// ---- TPen --------------------------------------------------------------------------------------------------------

TPen::~TPen() { Release(); }

void TPen::Release() {
  ReleaseShared(FHandle);
  FHandle = 0;
}

HPEN TPen::Handle() {
  if (!FHandle) {
    LOGPEN L;
    static const UINT Styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    L.lopnStyle = Styles[FStyle];
    L.lopnWidth.X = FWidth;
    L.lopnColor = ColorToRGB(FColor);
    FHandle = Acquire('P', L, [](const LOGPEN& P) { return CreatePenIndirect(&P); });
  }
  return FHandle;
}

void TPen::SetColor(TColor Value) {
  if (Value != FColor) {
    Release();
    FColor = Value;
    Changed();
  }
}

void TPen::SetWidth(Integer Value) {
  if (Value >= 0 && Value != FWidth) {
    Release();
    FWidth = Value;
    Changed();
  }
}

void TPen::SetStyle(TPenStyle Value) {
  if (Value != FStyle) {
    Release();
    FStyle = Value;
    Changed();
  }
}

void TPen::SetMode(TPenMode Value) {
  if (Value != FMode) {
    FMode = Value;
    Changed();
  }
}

void TPen::Assign(TPersistent* Source) {
  if (auto* P = dynamic_cast<TPen*>(Source)) {
    Release();
    FColor = P->FColor;
    FWidth = P->FWidth;
    FStyle = P->FStyle;
    FMode = P->FMode;
    Changed();
    return;
  }
  inherited::Assign(Source);
}

// ---- TBrush ------------------------------------------------------------------------------------------------------

TBrush::~TBrush() { Release(); }

void TBrush::Release() {
  if (FOwnHandle) {
    DeleteObject(FHandle);
  } else {
    ReleaseShared(FHandle);
  }
  FHandle = 0;
  FOwnHandle = false;
}

HBRUSH TBrush::Handle() {
  if (!FHandle) {
    if (FBitmap && !FBitmap->Empty()) {
      FHandle = CreatePatternBrush(FBitmap->Handle());
      FOwnHandle = true;
    } else {
      LOGBRUSH L;
      L.lbColor = ColorToRGB(FColor);
      if (FStyle == bsClear) {
        L.lbStyle = BS_NULL;
        L.lbColor = 0;
      } else if (FStyle != bsSolid) {
        L.lbStyle = BS_HATCHED;
        L.lbHatch = static_cast<std::uintptr_t>(FStyle - bsHorizontal);
      }
      FHandle = Acquire('B', L, [](const LOGBRUSH& B) { return CreateBrushIndirect(&B); });
    }
  }
  return FHandle;
}

void TBrush::SetColor(TColor Value) {
  if (Value != FColor || FStyle == bsClear) {
    Release();
    FColor = Value;
    if (FStyle == bsClear) {
      FStyle = bsSolid;
    }
    Changed();
  }
}

void TBrush::SetStyle(TBrushStyle Value) {
  if (Value != FStyle) {
    Release();
    FStyle = Value;
    Changed();
  }
}

void TBrush::SetBitmap(TBitmap* Value) {
  Release();
  FBitmap = Value;
  Changed();
}

void TBrush::Assign(TPersistent* Source) {
  if (auto* B = dynamic_cast<TBrush*>(Source)) {
    Release();
    FColor = B->FColor;
    FStyle = B->FStyle;
    FBitmap = B->FBitmap;
    Changed();
    return;
  }
  inherited::Assign(Source);
}
