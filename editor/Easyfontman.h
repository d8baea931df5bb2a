// The process-wide cache of character widths and text metrics per font handle, so that measuring a run of
// text is a table sum instead of a call into the graphics layer.
#pragma once

#include "platform/win/WinTypes.h"

// The metrics of one font, in pixels.
struct TEasyFontInfo {
  int Overhang = 0;
  int Ascent = 0;
  int Descent = 0;
  int AveCharWidth = 0;
  int Height = 0;
  int MaxCharWidth = 0;
  int SubscriptSize = 0;
  int SubscriptOffset = 0;
  int SuperscriptOffset = 0;
};

// The sum of the widths of the first Count characters of Text; 0 when Count is 0.
int GetWidth(HFONT Font, const char* Text, int Count);
int GetWidthWithInfo(HFONT Font, const char* Text, int Count, TEasyFontInfo& Info);
// How many of the first Count characters fit into MaxWidth pixels, and their width. A character that would
// pass MaxWidth still counts when more than half of it fits, unless Exact is set.
int GetCharsInWidth(HFONT Font, const char* Text, int Count, int& Width, bool Exact, int MaxWidth);
TEasyFontInfo GetFontInfo(HFONT Font);
// The widths of characters 0 to 255 of the font (measured once per handle).
const int* GetCharWidths(HFONT Font);
// Forgets every measured font (a font handle that was freed may come back for another font).
void ClearFontCache();
