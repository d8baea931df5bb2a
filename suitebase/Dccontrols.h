// The suite's small drawing routines: a line of text with one bold part, its size and the bold markers, columns
// of a "|"-separated list string, gradients and the plus/minus expand button.
#pragma once

#include "platform/graphics/Graphics.h"

#include <string>

namespace Vivaridiriz {
// The marker around the bold part of a hint or list string ("~"): the text between the first and the second one
// is bold; with one marker the bold part runs to the end. Markers are never drawn.
extern char SBoldTag;
}  // namespace Vivaridiriz

namespace Dccontrols {

enum TLeftRightAlign { lrLeftJustify, lrRightJustify };

// Draws S on one line in Rect: the SelLen characters from SelPos (1-based) in SelFont, the rest in Font, with an
// ellipsis where it does not fit. The canvas keeps the font it had.
void DrawWithSelection(TCanvas* Canvas, TFont* Font, TFont* SelFont, const TRect& Rect, const std::string& S,
                       int SelPos, int SelLen, TLeftRightAlign Align);
// The size of S with its marked part in BoldFont (the markers not counted).
TPoint CalcStringSize(TCanvas* Canvas, TFont* Font, TFont* BoldFont, const std::string& S);
// S without its markers; BoldPos (1-based) and BoldLen the bold part (BoldLen 0 when there is none).
std::string ExtractBoldPos(const std::string& S, int& BoldPos, int& BoldLen);
// The column that starts at Pos (1-based); Pos then is past its "|".
std::string ExtractColumn(const std::string& S, int& Pos);
// The text's extent in the canvas's font; (0, 0) for an empty text.
TSize GetStringExtent(TCanvas* Canvas, const std::string& S);
// Bands from BeginColor to EndColor across Width (or down Height when Vertical), at most 256 steps per channel
// difference; nothing for an empty area. The brush keeps its colour.
void FillGradient(TCanvas* Canvas, int Width, int Height, TColor BeginColor, TColor EndColor, bool Vertical);
// A push button frame in the square at (X, Y) of Size less Margin, with a minus (Expanded) or a plus.
void PaintExpandCollapse(TCanvas* Canvas, int X, int Y, int Size, int Margin, bool Expanded);

}  // namespace Dccontrols
