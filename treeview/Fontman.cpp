// The process-wide font metrics cache.
#include "treeview/Fontman.h"

#include "platform/rtl/Exceptions.h"
#include "platform/rtl/SysUtils.h"

#include <memory>

namespace TreeFonts {

TFontManager::TFontManager() {
  for (int I = 0; I < EntryCount; ++I) {
    FMru[static_cast<std::size_t>(I)] = &FEntries[static_cast<std::size_t>(I)];
  }
  for (int I = 0; I < 256; ++I) {
    FChars[I] = static_cast<char>(I);
  }
  FChars[256] = 0;
  FDC = GetDC(0);
}

TFontManager::~TFontManager() {
  if (FDC) {
    ReleaseDC(0, FDC);
  }
}

TFontManager::TEntry& TFontManager::Lookup(HFONT Font) {
  int Found = -1;
  for (int I = 0; I < EntryCount && FMru[static_cast<std::size_t>(I)]->Font != 0; ++I) {
    if (FMru[static_cast<std::size_t>(I)]->Font == Font) {
      Found = I;
      break;
    }
  }
  TEntry* E = nullptr;
  if (Found >= 0) {
    E = FMru[static_cast<std::size_t>(Found)];
  } else {
    Found = EntryCount - 1;
    E = FMru[static_cast<std::size_t>(Found)];
    E->Font = Font;  // a failed measurement leaves the new handle with partial data
    Measure(*E, Font);
  }
  for (int I = Found; I > 0; --I) {
    FMru[static_cast<std::size_t>(I)] = FMru[static_cast<std::size_t>(I - 1)];
  }
  FMru[0] = E;
  return *E;
}

namespace {
// The system's message for the last error, as the class library words it when it has no text for the code.
[[noreturn]] void RaiseLastError() {
  throw Exception(Format("System Error.  Code: %d.", {static_cast<int>(GetLastError())}));
}
}  // namespace

void TFontManager::Measure(TEntry& Entry, HFONT Font) {
  ++FMeasureCount;
  HGDIOBJ Old = SelectObject(FDC, Font);
  struct TRestore {
    HDC DC;
    HGDIOBJ Old;
    ~TRestore() { SelectObject(DC, Old); }
  } Restore{FDC, Old};
  int Widths[256] = {};
  if (!GetCharWidth32(FDC, 0, 255, Widths)) {
    RaiseLastError();
  }
  for (int I = 0; I < 256; ++I) {
    Entry.Widths[static_cast<std::size_t>(I)] = Widths[I];
  }
  TEXTMETRIC Tm;
  if (!GetTextMetrics(FDC, &Tm)) {
    RaiseLastError();
  }
  Entry.Info.Overhang = Tm.tmOverhang;
  Entry.Info.Ascent = Tm.tmAscent;
  Entry.Info.Descent = Tm.tmDescent;
  Entry.Info.DoubleAverageWidth = 2 * Tm.tmAveCharWidth;
  Entry.Info.Height = Tm.tmHeight;
}

TFontManager& FontManager() {
  static std::unique_ptr<TFontManager> Manager = std::make_unique<TFontManager>();
  return *Manager;
}

Integer GetWidth(HFONT Font, const char* Text, Integer Len) {
  if (Len == 0) {
    return 0;
  }
  return GetWidthAndInfo(Font, Text, Len, nullptr, nullptr);
}

Integer GetWidthAndInfo(HFONT Font, const char* Text, Integer Len, TFontInfo* Info, Integer* Widths) {
  const TFontManager::TEntry& E = FontManager().Lookup(Font);
  Integer Sum = 0;
  for (Integer I = 0; I < Len; ++I) {
    const Integer W = E.Widths[static_cast<unsigned char>(Text[I])];
    if (Widths) {
      Widths[I] = W;
    }
    Sum += W;
  }
  if (Info) {
    Info->Overhang = E.Info.Overhang;
    Info->Ascent = E.Info.Ascent;
    Info->Descent = E.Info.Descent;
    Info->DoubleAverageWidth = E.Info.DoubleAverageWidth;
  }
  return Sum;
}

Integer GetWidths(HFONT Font, const char* Text, Integer Len, Integer* Widths) {
  const TFontManager::TEntry& E = FontManager().Lookup(Font);
  Integer Sum = 0;
  for (Integer I = 0; I < Len && Text[I] != 0; ++I) {
    const Integer W = E.Widths[static_cast<unsigned char>(Text[I])];
    if (Widths) {
      Widths[I] = W;
    }
    Sum += W;
  }
  return Sum;
}

Integer GetCharsInWidth(HFONT Font, const char* Text, Integer Len, Integer Width, bool FromEnd, bool WholeOnly,
                        Integer& UsedWidth) {
  if (Len <= 0) {
    UsedWidth = 0;
    return 0;
  }
  const TFontManager::TEntry& E = FontManager().Lookup(Font);
  Integer Sum = 0;
  for (Integer I = 0; I < Len; ++I) {
    const char C = FromEnd ? Text[Len - 1 - I] : Text[I];
    const Integer W = E.Widths[static_cast<unsigned char>(C)];
    if (Sum + W > Width) {
      UsedWidth = Sum;
      if (WholeOnly || Width - UsedWidth <= W / 2) {
        return I;
      }
      UsedWidth = Sum + W;
      return I + 1;
    }
    Sum += W;
  }
  UsedWidth = Sum;
  return Len;
}

const TFontInfo& GetFontInfo(HFONT Font) { return FontManager().Lookup(Font).Info; }

}  // namespace TreeFonts
