// The character-width cache: one record per font handle, measured on first use through a screen context.
#include "editor/Easyfontman.h"

#include "platform/graphics/WinGdi.h"

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

namespace {

struct TFontRecord {
  HFONT Font = 0;
  TEasyFontInfo Info;
  std::array<int, 256> Widths{};
};

// Sorted by handle; the last record used is tried first.
class TEasyFontManager {
public:
  TFontRecord& Find(HFONT Font) {
    if (FLast >= 0 && FLast < static_cast<int>(FRecords.size()) && FRecords[FLast]->Font == Font) {
      return *FRecords[FLast];
    }
    auto It = std::lower_bound(FRecords.begin(), FRecords.end(), Font,
                               [](const std::unique_ptr<TFontRecord>& R, HFONT F) { return R->Font < F; });
    if (It == FRecords.end() || (*It)->Font != Font) {
      It = FRecords.insert(It, Measure(Font));
    }
    FLast = static_cast<int>(It - FRecords.begin());
    return **It;
  }
  void Clear() {
    FRecords.clear();
    FLast = -1;
  }

private:
  static std::unique_ptr<TFontRecord> Measure(HFONT Font) {
    auto R = std::make_unique<TFontRecord>();
    R->Font = Font;
    HDC DC = CreateCompatibleDC(0);
    HGDIOBJ Old = SelectObject(DC, Font);
    GetCharWidth32(DC, 0, 255, R->Widths.data());
    TEXTMETRIC Tm;
    GetTextMetrics(DC, &Tm);
    R->Info.Overhang = Tm.tmOverhang;
    R->Info.Ascent = Tm.tmAscent;
    R->Info.Descent = Tm.tmDescent;
    R->Info.Height = Tm.tmHeight;
    R->Info.AveCharWidth = Tm.tmAveCharWidth;
    R->Info.MaxCharWidth = Tm.tmMaxCharWidth;
    // The layer's outline metrics carry no script sizes, so the fallbacks apply.
    R->Info.SubscriptSize = Tm.tmHeight * 2 / 3;
    R->Info.SubscriptOffset = Tm.tmHeight / 8;
    R->Info.SuperscriptOffset = Tm.tmAscent / 2;
    SelectObject(DC, Old);
    DeleteDC(DC);
    return R;
  }

  std::vector<std::unique_ptr<TFontRecord>> FRecords;
  int FLast = -1;
};

TEasyFontManager& Manager() {
  static TEasyFontManager M;
  return M;
}

}  // namespace

const int* GetCharWidths(HFONT Font) { return Manager().Find(Font).Widths.data(); }

int GetWidth(HFONT Font, const char* Text, int Count) {
  if (Count <= 0) {
    return 0;
  }
  const int* W = GetCharWidths(Font);
  int Sum = 0;
  for (int I = 0; I < Count; ++I) {
    Sum += W[static_cast<unsigned char>(Text[I])];
  }
  return Sum;
}

int GetWidthWithInfo(HFONT Font, const char* Text, int Count, TEasyFontInfo& Info) {
  Info = Manager().Find(Font).Info;
  return GetWidth(Font, Text, Count);
}

int GetCharsInWidth(HFONT Font, const char* Text, int Count, int& Width, bool Exact, int MaxWidth) {
  const int* W = GetCharWidths(Font);
  Width = 0;
  for (int I = 0; I < Count; ++I) {
    const int C = W[static_cast<unsigned char>(Text[I])];
    if (Width + C > MaxWidth) {
      if (Exact || MaxWidth - Width <= C / 2) {
        return I;
      }
      Width += C;
      return I + 1;
    }
    Width += C;
  }
  return Count;
}

TEasyFontInfo GetFontInfo(HFONT Font) { return Manager().Find(Font).Info; }

void ClearFontCache() { Manager().Clear(); }
