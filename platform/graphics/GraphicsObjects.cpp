// TFont, TPen and TBrush, with the shared cache of their GDI objects.
#include "platform/graphics/Graphics.h"
#include "platform/rtl/SysUtils.h"

#include <cstring>
#include <map>
#include <mutex>
#include <vector>

Z_IMPLEMENT_CLASS(TGraphicsObject, TPersistent)
Z_IMPLEMENT_CLASS(TFont, TGraphicsObject)
Z_IMPLEMENT_CLASS(TPen, TGraphicsObject)
Z_IMPLEMENT_CLASS(TBrush, TGraphicsObject)
Z_IMPLEMENT_CLASS(EInvalidGraphic, Exception)
Z_IMPLEMENT_CLASS(EInvalidGraphicOperation, Exception)

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
