// The process-wide font metrics cache: advance widths of the 256 8-bit characters and the main metrics of the
// 32 most recently used fonts, answering width questions without asking the platform per character.
#pragma once

#include "platform/graphics/WinGdi.h"
#include "platform/rtl/System.h"

#include <array>

// The tree's metrics live in their own namespace: the editor has a font cache of its own with functions of the
// same names, and a program links both.
namespace TreeFonts {

// The main metrics of a font, in pixels.
struct TFontInfo {
  Integer Overhang = 0;
  Integer Ascent = 0;
  Integer Descent = 0;
  Integer DoubleAverageWidth = 0;  // twice the average character width
  Integer Height = 0;
};

// One process-wide manager keeps the tables; fonts are known by their platform handle only.
class TFontManager : public TObject {
public:
  static constexpr int EntryCount = 32;

  TFontManager();
  ~TFontManager() override;
  TFontManager(const TFontManager&) = delete;
  TFontManager& operator=(const TFontManager&) = delete;

  struct TEntry {
    HFONT Font = 0;  // 0: empty
    TFontInfo Info;
    std::array<Integer, 256> Widths{};
  };

  // The entry of the font, measured when it is not cached, moved to the front of the most-recently-used list.
  // Raises Exception with the system's text when the font cannot be measured.
  TEntry& Lookup(HFONT Font);
  // How many measurements the manager made so far (a font measured again after eviction counts again).
  int MeasureCount() const { return FMeasureCount; }

private:
  void Measure(TEntry& Entry, HFONT Font);

  std::array<TEntry, EntryCount> FEntries{};
  std::array<TEntry*, EntryCount> FMru{};
  HDC FDC = 0;
  char FChars[257]{};
  int FMeasureCount = 0;
};

// The manager that lives from the first use to the end of the process.
TFontManager& FontManager();

// Sum of the widths of the first Len characters (0 when Len is 0).
Integer GetWidth(HFONT Font, const char* Text, Integer Len);
// The same sum, a 0 character counting as a character; Widths (when given) receives each width, Info (when given)
// the overhang, ascent, descent and double average width (its height field is left alone).
Integer GetWidthAndInfo(HFONT Font, const char* Text, Integer Len, TFontInfo* Info, Integer* Widths);
// The same sum and widths, stopping at the first 0 character.
Integer GetWidths(HFONT Font, const char* Text, Integer Len, Integer* Widths);
// How many characters fit into Width, from the start or (FromEnd) from the end of the text. A character that
// crosses the edge still counts unless WholeOnly or the room left for it is at most half its width.
Integer GetCharsInWidth(HFONT Font, const char* Text, Integer Len, Integer Width, bool FromEnd, bool WholeOnly,
                        Integer& UsedWidth);
// The cached metrics of the font; valid until the entry is reused, so copy it at once.
const TFontInfo& GetFontInfo(HFONT Font);

}  // namespace TreeFonts
