// The edit-control messages beyond the layer's basic set that the editor answers (the rich-edit range and
// selection-text messages) and the records they point to, laid out as the platform's CHARRANGE and TEXTRANGE.
#pragma once

#include "platform/win/WinTypes.h"

inline constexpr UINT EasyEmExGetSel = 0x0434;
inline constexpr UINT EasyEmExLineFromChar = 0x0436;
inline constexpr UINT EasyEmExSetSel = 0x0437;
inline constexpr UINT EasyEmCanPaste = 0x0432;
inline constexpr UINT EasyEmGetSelText = 0x043E;
inline constexpr UINT EasyEmHideSelection = 0x043F;
inline constexpr UINT EasyEmGetTextRange = 0x044B;
// The editor's position-from-character message: the second parameter packs a text point (character in the
// low, line in the high 16 bits); the answer packs its pixel point (x low, y high).
inline constexpr UINT EasyEmPosFromChar = 0x00D7;

// A range of character offsets; cpMax -1 means the end.
struct TEasyCharRange {
  std::int32_t cpMin = 0;
  std::int32_t cpMax = 0;
};

// A range and the caller's buffer that receives its text with a terminating zero.
struct TEasyTextRange {
  TEasyCharRange chrg;
  char* lpstrText = nullptr;
};
